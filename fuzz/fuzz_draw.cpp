// Arbitrary bytes as a measurement file with an optional side file, opened as
// the viewer opens them (the side file names the same bytes as comparison run
// 1), then drawn: chart pages in both layouts on screen and on paper, and the
// pages of the evaluation report, all on the recording surface.
//
// Input: the measurement file, optionally followed by the mark "\n#zi4#\n" and
// the side file. Without the mark the run has no side file.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <string_view>

#include "chart/ChartPainter.h"
#include "chart/PageFrame.h"
#include "chart/ReportPrint.h"
#include "common/Numbers.h"
#include "common/RecordingSurface.h"
#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "evaluation/ReportLayout.h"

namespace {

using namespace kurvex;

constexpr std::string_view kSideFileMark = "\n#zi4#\n";
// A4 with 5 mm margins, in 0.01 mm with the top-left corner at (0, 0).
constexpr Rect kLandscape{0, 0, 28700, -20000};
constexpr Rect kPortrait{0, 0, 20000, -28700};
constexpr const char* kVersion = "4.5.49.0";
// A run may span the whole station range; its first and last pages stand for the rest.
constexpr int kLeadingPages = 3;
constexpr int kReportPages = 24;

class SilentInteraction : public OpenInteraction {
public:
    void ShowMessage(const UserMessage&) override {}
    FirstLoadAnswer AskFirstLoadAdjustments(int32_t, int32_t) override { return {}; }
};

const std::string& MeasurementPath()
{
    static const std::string path = "/tmp/kurvex_fuzz_draw_" + std::to_string(getpid()) + ".dat";
    return path;
}

void WriteFile(const std::string& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The first few pages, the last two and one past the end.
std::set<int> PagesToDraw(int pageCount)
{
    std::set<int> pages;
    for (int p = 1; p <= std::min(pageCount, kLeadingPages); ++p)
        pages.insert(p);
    pages.insert(std::max(1, pageCount - 1));
    pages.insert(std::max(1, pageCount));
    pages.insert(pageCount + 1);
    return pages;
}

void DrawChart(CKurvexDoc& doc, int stripsPerPage, bool printing)
{
    const CLabelTable labels;
    ExceedancePageFlag pageFlag;
    CChartPainter painter(doc, labels, pageFlag);
    painter.SetVersionText(kVersion);
    painter.View().stripsPerPage = stripsPerPage;
    painter.View().twoMetreGrid = stripsPerPage == 2;
    painter.PreparePaint();
    RecordingSurface surface;
    if (printing) {
        painter.View().zoomLevel = kPrintZoomLevel;
        painter.View().printing = true;
    }
    const int pageCount = painter.View().paging.pageCount;
    for (int page : PagesToDraw(pageCount)) {
        surface.Clear();
        painter.PrepareForPages(page, page);
        if (printing) {
            PrintChartPage(surface, painter, page, std::max(pageCount, 1), kLandscape, "01.02.2026");
        } else {
            painter.View().currentPage = page;
            painter.DrawChartPage(surface, page, kScreenPageOrigin.x, kScreenPageOrigin.y);
        }
    }
}

void DrawScreenZoomLevels(CKurvexDoc& doc)
{
    const CLabelTable labels;
    ExceedancePageFlag pageFlag;
    CChartPainter painter(doc, labels, pageFlag);
    painter.PreparePaint();
    RecordingSurface surface;
    for (int level = kMinZoomLevel - 1; level <= kMaxZoomLevel + 1; ++level) {
        surface.Clear();
        painter.View().zoomLevel = level;
        painter.DrawChartPage(surface, 1, kScreenPageOrigin.x, kScreenPageOrigin.y);
    }
}

void DrawReport(CKurvexDoc& doc)
{
    const int pageCount = RebuildDocumentReport(doc).PageCount();
    const ReportInputs inputs = ReportInputsOf(doc);
    RecordingSurface surface;
    std::set<int> pages;
    for (int p = 1; p <= std::min(pageCount, kReportPages); ++p)
        pages.insert(p);
    pages.insert(std::max(1, pageCount));
    pages.insert(pageCount + 1);
    for (int page : pages) {
        surface.Clear();
        PrintReportPage(surface, inputs, page, kPortrait, kVersion);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string& path = MeasurementPath();
    const size_t mark = input.find(kSideFileMark);
    WriteFile(path, input.substr(0, mark));
    if (mark == std::string_view::npos) {
        std::remove((path + ".zi4").c_str());
    } else {
        std::string sideFile(input.substr(mark + kSideFileMark.size()));
        sideFile += "\r\nVGL_PATH_1=" + path + "\r\n";
        WriteFile(path + ".zi4", sideFile);
    }

    SilentInteraction interaction;
    CKurvexDoc doc;
    if (doc.Open(path, CEinstellungen(), interaction) != OpenResult::Opened)
        return 0;
    if (doc.Run().GetCount() > 0) {
        // Two clicks, so the marked range shows on screen.
        const double first = doc.Run().GetStation(0);
        doc.PickedStations().Push(FormatInt(ClampToInt32(first + 500)));
        doc.PickedStations().Push(FormatInt(ClampToInt32(first - 1700)));
    }
    for (int stripsPerPage : {3, 2})
        for (bool printing : {false, true})
            DrawChart(doc, stripsPerPage, printing);
    DrawScreenZoomLevels(doc);
    DrawReport(doc);
    return 0;
}
