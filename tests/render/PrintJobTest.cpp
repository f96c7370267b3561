// Print jobs and their outputs: the printable rectangle a device's page layout
// gives, sheets onto a paged device, one sheet into an image, and the mapping
// between a scrolled window's pixels and the screen page's logical points.

#include "render/A4Sheets.h"
#include "render/ChartRendering.h"
#include "render/ReportRendering.h"

#include "chart/LabelTable.h"
#include "document/KurvexDoc.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kurvex {
namespace {

using test::PdfPageCount;
using test::SamplePath;

TEST(PrintJob, PrintableRectangleOfAPageLayout)
{
    EXPECT_EQ(A4Printable(SheetOrientation::Landscape), (Rect{0, 0, 28700, -20000}));
    EXPECT_EQ(A4Printable(SheetOrientation::Portrait), (Rect{0, 0, 20000, -28700}));
    const QPageLayout letter(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 20, 10, 20),
                             QPageLayout::Millimeter);
    EXPECT_EQ(PrintableRect(letter), (Rect{0, 0, 19590, -23940}));  // 215.9 x 279.4 mm less the margins
}

TEST(PrintJob, SheetsGoOntoAPagedDeviceAtItsOwnLayout)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sheets.pdf"));
    QPdfWriter writer(path);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(10, 20, 10, 20),
                                     QPageLayout::Millimeter));
    std::vector<int> sheets;
    std::vector<Rect> printables;
    ASSERT_TRUE(PrintSheets(writer, 3, 5, [&](Surface& surface, int sheet, const Rect& printable) {
        sheets.push_back(sheet);
        printables.push_back(printable);
        surface.MoveTo(0, 0);
        surface.LineTo(printable.right, printable.bottom);
    }));
    EXPECT_EQ(sheets, (std::vector<int>{3, 4, 5}));
    for (const Rect& printable : printables)
        EXPECT_EQ(printable, (Rect{0, 0, 19590, -23940}));
    EXPECT_EQ(PdfPageCount(path), 3);
}

TEST(PrintJob, AFileThatCannotBeWrittenIsReported)
{
    QTemporaryDir folder;
    SheetJob job;
    job.pageCount = 1;
    job.draw = [](Surface&, int, const Rect&) {};
    QString error;
    const QString path = folder.filePath(QStringLiteral("missing/x.pdf"));
    EXPECT_FALSE(WriteSheetsPdf(path, job, 1, 1, error));
    EXPECT_EQ(error, QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path));
}

TEST(PrintJob, ChartAndReportJobsAreThePrintedPages)
{
    CKurvexDoc doc;
    test::ScriptedInteraction silent;
    ASSERT_EQ(doc.Open(SamplePath("pm01bs02_sample.pbs"), CEinstellungen(), silent), OpenResult::Opened);
    const CLabelTable labels;
    ExceedancePageFlag flag;
    ChartRenderSettings settings;
    settings.editingDate = "01.02.2024";
    settings.versionText = "4.5.49.0";

    CChartPainter painter(doc, labels, flag);
    painter.SetVersionText(settings.versionText);
    painter.View().printing = true;
    PrepareChartPrint(painter);
    EXPECT_EQ(painter.View().zoomLevel, kPrintZoomLevel);
    const SheetJob chart = ChartPrintJob(painter, 2, settings.editingDate);
    EXPECT_EQ(chart.orientation, SheetOrientation::Landscape);
    EXPECT_EQ(chart.pageCount, 2);
    EXPECT_TRUE(RenderSheet(chart, 2, 60) == RenderPrintedChartPage(doc, labels, flag, 2, settings, 60));

    const int reportPages = PrepareReport(doc);
    ASSERT_GE(reportPages, 1);
    const SheetJob report = ReportPrintJob(doc, settings.versionText);
    EXPECT_EQ(report.orientation, SheetOrientation::Portrait);
    EXPECT_EQ(report.pageCount, reportPages);
    EXPECT_TRUE(RenderSheet(report, 1, 60) == RenderReportPage(doc, 1, settings.versionText, 60));

    QTemporaryDir folder;
    QString error;
    const QString path = folder.filePath(QStringLiteral("chart.pdf"));
    ASSERT_TRUE(WriteChartPdf(doc, labels, flag, path, 1, 9, settings, error));
    EXPECT_EQ(PdfPageCount(path), 2);  // clamped to the chart
}

TEST(PrintJob, ScreenPixelsAndLogicalPointsMapBothWays)
{
    const struct {
        double dpi;
        QPoint scroll;
    } table[] = {{96, QPoint(0, 0)}, {96, QPoint(300, 150)}, {144, QPoint(17, 999)}, {72, QPoint(5, 3)}};
    for (const auto& row : table) {
        // 1 inch is 2540 units; y grows upward, so scrolling down moves into negative y.
        const Point topLeft = ScreenPixelToLogical(QPointF(0, 0), row.dpi, row.dpi, row.scroll);
        EXPECT_NEAR(topLeft.x, row.scroll.x() * 2540.0 / row.dpi, 0.5);
        EXPECT_NEAR(topLeft.y, -row.scroll.y() * 2540.0 / row.dpi, 0.5);
        for (const QPointF pixel : {QPointF(10, 20), QPointF(640.5, 480), QPointF(1, 1)}) {
            const Point logical = ScreenPixelToLogical(pixel, row.dpi, row.dpi, row.scroll);
            const QPointF back = ScreenLogicalToPixel(logical, row.dpi, row.dpi, row.scroll);
            // Logical points are whole units: back within half a unit.
            const double halfUnit = 0.5 * row.dpi / 2540.0 + 1e-9;
            EXPECT_NEAR(back.x(), pixel.x(), halfUnit) << row.dpi;
            EXPECT_NEAR(back.y(), pixel.y(), halfUnit) << row.dpi;
        }
    }
}

}  // namespace
}  // namespace kurvex
