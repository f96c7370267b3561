#pragma once
// Chart pages of a document onto Qt devices: the printed pages into a PDF
// (A4 landscape, 5 mm margins, the page frame), one printed page or the screen
// view of a page into an image. Shared by the viewer and kurvex-cli.

#include "chart/ChartPainter.h"
#include "render/A4Sheets.h"

#include <QImage>
#include <QString>

#include <string>

namespace kurvex {

class CKurvexDoc;
class CLabelTable;

struct ChartRenderSettings {
    int stripsPerPage = kDefaultStripsPerPage;
    bool twoMetreGrid = false;
    std::string editingDate;  // the header block's "today", "dd.mm.yyyy"
    std::string versionText;  // for the product note
};

inline constexpr double kChartImageDpi = 150.0;

// The printable rectangle of an A4 landscape page with 5 mm margins, in
// logical units with its top-left corner at (0, 0).
Rect A4LandscapePrintable();

// Pages of the chart at the given layout.
int ChartPageCount(CKurvexDoc& doc, int stripsPerPage);

// Prints pages fromPage..toPage (clamped to the chart) into a PDF file; the
// enclosure numbers count to toPage like a print whose last page is toPage.
// False with a message when the file cannot be written.
bool WriteChartPdf(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, const QString& path,
                   int fromPage, int toPage, const ChartRenderSettings& settings, QString& error);

// Page p as printed: the whole A4 landscape sheet with its frame.
QImage RenderPrintedChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                              const ChartRenderSettings& settings, double dpi = kChartImageDpi);

// Page p as the screen shows it: zoom level 4, the scrollable extent, page
// origin (0, -500), the marked range of the document's picked stations.
QImage RenderScreenChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                             const ChartRenderSettings& settings, double dpi = kChartImageDpi);

}  // namespace kurvex
