#include "render/ChartRendering.h"

#include "chart/PageFrame.h"
#include "document/KurvexDoc.h"
#include "render/A4Sheets.h"
#include "render/QtSurface.h"

#include <QDate>
#include <QPainter>

#include <algorithm>

namespace kurvex {

namespace {

CChartPainter MakePainter(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag,
                          const ChartRenderSettings& settings)
{
    CChartPainter painter(doc, labels, pageFlag);
    ChartLayout& layout = painter.View();
    layout = settings;
    layout.stripsPerPage = SanitizeStripsPerPage(settings.stripsPerPage);
    painter.SetVersionText(settings.versionText);
    painter.PreparePaint();
    return painter;
}

// A print without a window: prepared and begun at once.
void BeginPrint(CChartPainter& painter)
{
    PrepareChartPrint(painter);
    painter.View().printing = true;
}

}  // namespace

Rect A4LandscapePrintable()
{
    return A4Printable(SheetOrientation::Landscape);
}

std::string TodayEditingDate()
{
    const QDate today = QDate::currentDate();
    return FormatEditingDate(today.day(), today.month(), today.year());
}

ChartRenderSettings PrintedChartSettingsFor(const ChartLayout& layout, const std::string& versionText)
{
    ChartRenderSettings settings;
    static_cast<ChartLayout&>(settings) = layout;
    settings.editingDate = TodayEditingDate();
    settings.versionText = versionText;
    return settings;
}

int ChartPageCount(CKurvexDoc& doc, int stripsPerPage)
{
    ExceedancePageFlag unused;
    CLabelTable labels;
    ChartRenderSettings settings;
    settings.stripsPerPage = stripsPerPage;
    return MakePainter(doc, labels, unused, settings).View().paging.pageCount;
}

void PrepareChartPrint(CChartPainter& painter)
{
    painter.View().zoomLevel = kPrintZoomLevel;
    painter.PreparePaint();
}

SheetJob ChartPrintJob(CChartPainter& painter, int lastPage, const std::string& editingDate)
{
    SheetJob job;
    job.orientation = SheetOrientation::Landscape;
    job.pageCount = painter.View().paging.pageCount;
    job.draw = [&painter, lastPage, editingDate](Surface& surface, int page, const Rect& printable) {
        PrintChartPage(surface, painter, page, lastPage, printable, editingDate);
    };
    job.info = PdfDocumentInfoOf(painter.Document(), PdfContent::Chart);
    return job;
}

bool WriteChartPdf(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, const QString& path,
                   int fromPage, int toPage, const ChartRenderSettings& settings, QString& error)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    BeginPrint(painter);
    const int pageCount = std::max(painter.View().paging.pageCount, 1);
    const int first = std::clamp(fromPage, 1, pageCount);
    const int last = std::clamp(toPage, first, pageCount);
    painter.PrepareForPages(first, last);
    const bool written = WriteSheetsPdf(path, ChartPrintJob(painter, last, settings.editingDate), first, last, error);
    // The pages numbered the exceedances; the windows of the run show them.
    doc.NotifyChanged(DocumentChange::ExceedancePages);
    return written;
}

QImage RenderPrintedChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                              const ChartRenderSettings& settings, double dpi)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    BeginPrint(painter);
    painter.PrepareForPages(page, page);
    const int lastPage = std::max(painter.View().paging.pageCount, 1);
    return RenderSheet(ChartPrintJob(painter, lastPage, settings.editingDate), page, dpi);
}

void DrawScreenChartPage(QPainter& qpainter, CChartPainter& painter, int page, double dpiX, double dpiY, QPoint scroll)
{
    qpainter.save();
    qpainter.translate(-scroll.x(), -scroll.y());
    {
        QtSurface surface(qpainter, dpiX, dpiY);
        painter.DrawChartPage(surface, page, kScreenPageOrigin.x, kScreenPageOrigin.y);
    }
    qpainter.restore();
}

Point ScreenPixelToLogical(QPointF pixel, double dpiX, double dpiY, QPoint scroll)
{
    return QtSurface::DeviceToLogical(pixel + QPointF(scroll), dpiX, dpiY);
}

QPointF ScreenLogicalToPixel(Point logical, double dpiX, double dpiY, QPoint scroll)
{
    return QtSurface::LogicalToDevice(logical, dpiX, dpiY) - QPointF(scroll);
}

QImage RenderScreenChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                             const ChartRenderSettings& settings, double dpi)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    painter.View().currentPage = page;
    painter.PrepareForPages(page, page);
    const Size extent = ScrollExtent(ZoomFactor(painter.View().zoomLevel)).total;
    QImage image = WhiteImage(UnitsToPixels(extent.cx, dpi), UnitsToPixels(extent.cy, dpi), dpi);
    QPainter qpainter(&image);
    qpainter.setRenderHint(QPainter::Antialiasing);
    qpainter.setRenderHint(QPainter::TextAntialiasing);
    DrawScreenChartPage(qpainter, painter, page, dpi, dpi, QPoint());
    qpainter.end();
    return image;
}

}  // namespace kurvex
