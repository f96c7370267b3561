#include "render/ChartRendering.h"

#include "chart/PageFrame.h"
#include "document/KurvexDoc.h"
#include "render/A4Sheets.h"
#include "render/QtSurface.h"

#include <QPainter>

#include <algorithm>

namespace kurvex {

namespace {

CChartPainter MakePainter(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag,
                          const ChartRenderSettings& settings)
{
    CChartPainter painter(doc, labels, pageFlag);
    painter.View().stripsPerPage = SanitizeStripsPerPage(settings.stripsPerPage);
    painter.View().twoMetreGrid = settings.twoMetreGrid;
    painter.SetVersionText(settings.versionText);
    painter.PreparePaint();
    return painter;
}

// What preparing and beginning a print does to the view.
void BeginPrint(CChartPainter& painter)
{
    painter.View().zoomLevel = kPrintZoomLevel;
    painter.View().printing = true;
}

}  // namespace

Rect A4LandscapePrintable()
{
    return A4Printable(SheetOrientation::Landscape);
}

int ChartPageCount(CKurvexDoc& doc, int stripsPerPage)
{
    ExceedancePageFlag unused;
    CLabelTable labels;
    ChartRenderSettings settings;
    settings.stripsPerPage = stripsPerPage;
    return MakePainter(doc, labels, unused, settings).View().paging.pageCount;
}

bool WriteChartPdf(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, const QString& path,
                   int fromPage, int toPage, const ChartRenderSettings& settings, QString& error)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    const int pageCount = std::max(painter.View().paging.pageCount, 1);
    const int first = std::clamp(fromPage, 1, pageCount);
    const int last = std::clamp(toPage, first, pageCount);
    BeginPrint(painter);
    const Rect printable = A4LandscapePrintable();
    return WriteA4Pdf(
        path, SheetOrientation::Landscape, first, last,
        [&](Surface& surface, int page) { PrintChartPage(surface, painter, page, last, printable, settings.editingDate); },
        error);
}

QImage RenderPrintedChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                              const ChartRenderSettings& settings, double dpi)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    BeginPrint(painter);
    const int lastPage = std::max(painter.View().paging.pageCount, 1);
    return RenderA4Sheet(SheetOrientation::Landscape, dpi, [&](Surface& surface) {
        PrintChartPage(surface, painter, page, lastPage, A4LandscapePrintable(), settings.editingDate);
    });
}

QImage RenderScreenChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                             const ChartRenderSettings& settings, double dpi)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    painter.View().currentPage = page;
    const Size extent = ScrollExtent(ZoomFactor(painter.View().zoomLevel)).total;
    QImage image = WhiteImage(UnitsToPixels(extent.cx, dpi), UnitsToPixels(extent.cy, dpi), dpi);
    QPainter qpainter(&image);
    qpainter.setRenderHint(QPainter::Antialiasing);
    qpainter.setRenderHint(QPainter::TextAntialiasing);
    {
        QtSurface surface(qpainter, dpi, dpi);
        painter.DrawChartPage(surface, page, kScreenPageOrigin.x, kScreenPageOrigin.y);
    }
    qpainter.end();
    return image;
}

}  // namespace kurvex
