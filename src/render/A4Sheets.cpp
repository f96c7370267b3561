#include "render/A4Sheets.h"

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

int SheetWidthMm(SheetOrientation orientation)
{
    return orientation == SheetOrientation::Landscape ? kA4LongMm : kA4ShortMm;
}

int SheetHeightMm(SheetOrientation orientation)
{
    return orientation == SheetOrientation::Landscape ? kA4ShortMm : kA4LongMm;
}

}  // namespace

int UnitsToPixels(int units, double dpi)
{
    return static_cast<int>(std::lround(units / kUnitsPerInch * dpi));
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

Rect A4Printable(SheetOrientation orientation)
{
    const int width = (SheetWidthMm(orientation) - 2 * kPrintMarginMm) * kUnitsPerMm;
    const int height = (SheetHeightMm(orientation) - 2 * kPrintMarginMm) * kUnitsPerMm;
    return Rect{0, 0, width, -height};
}

bool WriteA4Pdf(const QString& path, SheetOrientation orientation, int first, int last,
                const std::function<void(Surface& surface, int sheet)>& draw, QString& error)
{
    QPdfWriter writer(path);
    writer.setResolution(kPdfResolution);
    const auto pageOrientation =
        orientation == SheetOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), pageOrientation,
                                     QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                                     QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Kurvex"));
    writer.setTitle(QFileInfo(path).completeBaseName());
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path);
        return false;
    }
    for (int sheet = first; sheet <= last; ++sheet) {
        if (sheet > first)
            writer.newPage();
        QtSurface surface(painter, writer.resolution(), writer.resolution());
        draw(surface, sheet);
    }
    painter.end();
    return true;
}

QImage RenderA4Sheet(SheetOrientation orientation, double dpi, const std::function<void(Surface& surface)>& draw)
{
    QImage image = WhiteImage(UnitsToPixels(SheetWidthMm(orientation) * kUnitsPerMm, dpi),
                              UnitsToPixels(SheetHeightMm(orientation) * kUnitsPerMm, dpi), dpi);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    {
        // The sheet's corner lies one margin left of and above the printable area's.
        const int margin = kPrintMarginMm * kUnitsPerMm;
        QtSurface surface(painter, dpi, dpi, Point{-margin, margin});
        draw(surface);
    }
    painter.end();
    return image;
}

}  // namespace kurvex
