#include "render/ChartRendering.h"

#include "chart/PageFrame.h"
#include "document/KurvexDoc.h"
#include "render/QtSurface.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

constexpr double kUnitsPerInch = 2540.0;
constexpr int kUnitsPerMm = 100;
constexpr int kA4LongMm = 297;
constexpr int kA4ShortMm = 210;
constexpr int kPdfResolution = 600;

int UnitsToPixels(int units, double dpi) { return static_cast<int>(std::lround(units / kUnitsPerInch * dpi)); }

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

QImage WhiteImage(int width, int height, double dpi)
{
    QImage image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

}  // namespace

Rect A4LandscapePrintable()
{
    const int width = (kA4LongMm - 2 * kPrintMarginMm) * kUnitsPerMm;
    const int height = (kA4ShortMm - 2 * kPrintMarginMm) * kUnitsPerMm;
    return Rect{0, 0, width, -height};
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

    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                                     QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Kurvex"));
    writer.setTitle(QFileInfo(path).completeBaseName());
    QPainter qpainter;
    if (!qpainter.begin(&writer)) {
        error = QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path);
        return false;
    }
    const Rect printable = A4LandscapePrintable();
    for (int page = first; page <= last; ++page) {
        if (page > first)
            writer.newPage();
        QtSurface surface(qpainter, writer.resolution(), writer.resolution());
        PrintChartPage(surface, painter, page, last, printable, settings.editingDate);
    }
    qpainter.end();
    return true;
}

QImage RenderPrintedChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                              const ChartRenderSettings& settings, double dpi)
{
    CChartPainter painter = MakePainter(doc, labels, pageFlag, settings);
    BeginPrint(painter);
    const int lastPage = std::max(painter.View().paging.pageCount, 1);
    QImage image = WhiteImage(UnitsToPixels(kA4LongMm * kUnitsPerMm, dpi), UnitsToPixels(kA4ShortMm * kUnitsPerMm, dpi), dpi);
    QPainter qpainter(&image);
    qpainter.setRenderHint(QPainter::Antialiasing);
    qpainter.setRenderHint(QPainter::TextAntialiasing);
    {
        // The sheet's corner lies one margin left of and above the printable area's.
        const int margin = kPrintMarginMm * kUnitsPerMm;
        QtSurface surface(qpainter, dpi, dpi, Point{-margin, margin});
        PrintChartPage(surface, painter, page, lastPage, A4LandscapePrintable(), settings.editingDate);
    }
    qpainter.end();
    return image;
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
