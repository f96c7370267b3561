#include "render/A4Sheets.h"

#include "render/QtSurface.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace kurvex {

namespace {

constexpr double kUnitsPerInch = 2540.0;
constexpr int kUnitsPerMm = 100;
constexpr int kPdfResolution = 600;

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

QPageLayout A4Layout(SheetOrientation orientation)
{
    const auto pageOrientation =
        orientation == SheetOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    return QPageLayout(QPageSize(QPageSize::A4), pageOrientation,
                       QMarginsF(kPrintMarginMm, kPrintMarginMm, kPrintMarginMm, kPrintMarginMm),
                       QPageLayout::Millimeter);
}

Rect PrintableRect(const QPageLayout& layout)
{
    const QRectF paint = layout.paintRect(QPageLayout::Millimeter);
    const int width = static_cast<int>(std::lround(paint.width() * kUnitsPerMm));
    const int height = static_cast<int>(std::lround(paint.height() * kUnitsPerMm));
    return Rect{0, 0, width, -height};
}

Rect A4Printable(SheetOrientation orientation)
{
    return PrintableRect(A4Layout(orientation));
}

bool PrintSheets(QPagedPaintDevice& device, int first, int last, const SheetDrawer& draw)
{
    // Without a full-page printer the painter's origin is the printable area's corner.
    const Rect printable = PrintableRect(device.pageLayout());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int sheet = first; sheet <= last; ++sheet) {
        if (sheet > first)
            device.newPage();
        QtSurface surface(painter, device.logicalDpiX(), device.logicalDpiY());
        draw(surface, sheet, printable);
    }
    painter.end();
    return true;
}

bool WriteSheetsPdf(const QString& path, const SheetJob& job, int first, int last, QString& error)
{
    // Written beside the target and put in its place only when complete, so a
    // failed write never leaves half a PDF where a good one was.
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
            writer.setResolution(kPdfResolution);
            writer.setPageLayout(A4Layout(job.orientation));
            const PdfDocumentInfo info = CompletedPdfDocumentInfo(job.info, path);
            writer.setCreator(info.creator);
            writer.setTitle(info.title);
            written = PrintSheets(writer, first, last, job.draw) && AddPdfDocumentInfo(pdf, info);
        }
        written = written && file.write(pdf) == pdf.size();
    }
    if (!written || !file.commit()) {
        file.cancelWriting();
        error = QStringLiteral("Die Datei %1 kann nicht geschrieben werden.").arg(path);
        return false;
    }
    return true;
}

bool WriteA4Pdf(const QString& path, SheetOrientation orientation, int first, int last,
                const std::function<void(Surface& surface, int sheet)>& draw, QString& error)
{
    SheetJob job;
    job.orientation = orientation;
    job.pageCount = last;
    job.draw = [&draw](Surface& surface, int sheet, const Rect&) { draw(surface, sheet); };
    return WriteSheetsPdf(path, job, first, last, error);
}

QImage RenderSheet(const SheetJob& job, int sheet, double dpi)
{
    const QPageLayout layout = A4Layout(job.orientation);
    const QRectF full = layout.fullRect(QPageLayout::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    QImage image = WhiteImage(UnitsToPixels(static_cast<int>(std::lround(full.width() * kUnitsPerMm)), dpi),
                              UnitsToPixels(static_cast<int>(std::lround(full.height() * kUnitsPerMm)), dpi), dpi);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    {
        // The sheet's corner lies one margin left of and above the printable area's.
        const Point corner{-static_cast<int>(std::lround(margins.left() * kUnitsPerMm)),
                           static_cast<int>(std::lround(margins.top() * kUnitsPerMm))};
        QtSurface surface(painter, dpi, dpi, corner);
        job.draw(surface, sheet, PrintableRect(layout));
    }
    painter.end();
    return image;
}

QImage RenderA4Sheet(SheetOrientation orientation, double dpi, const std::function<void(Surface& surface)>& draw)
{
    SheetJob job;
    job.orientation = orientation;
    job.pageCount = 1;
    job.draw = [&draw](Surface& surface, int, const Rect&) { draw(surface); };
    return RenderSheet(job, 1, dpi);
}

}  // namespace kurvex
