#pragma once
// Printed sheets, wherever they go: a printer or its preview, a PDF file, or
// one sheet into an image. A print job says how its sheets are laid out and
// draws sheet n into a printable rectangle; the outputs below only supply the
// device. The viewer's print and preview and kurvex-cli's PDF and PNG output
// therefore show the same pages.
//
// The files Kurvex writes, and the viewer's default printer settings, use A4
// with 5 mm margins: landscape for the chart, portrait for the evaluation report.

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <functional>

#include "common/Surface.h"
#include "render/ArchivalPdf.h"

class QPagedPaintDevice;

namespace kurvex {

enum class SheetOrientation { Portrait, Landscape };

inline constexpr int kPrintMarginMm = 5;

// Draws sheet (1-based) onto a surface whose origin is the top-left corner of
// the printable area; printable is that area in logical units, top-left (0, 0).
using SheetDrawer = std::function<void(Surface& surface, int sheet, const Rect& printable)>;

struct SheetJob {
    SheetOrientation orientation = SheetOrientation::Landscape;
    int pageCount = 0;
    SheetDrawer draw;
    // The document information of a PDF file of the sheets.
    PdfDocumentInfo info;
};

// A4 in the orientation, with 5 mm margins.
QPageLayout A4Layout(SheetOrientation orientation);

// The printable rectangle of an A4 sheet with 5 mm margins, in logical units
// with its top-left corner at (0, 0).
Rect A4Printable(SheetOrientation orientation);
// The printable rectangle of a page layout (its paint rectangle), likewise.
Rect PrintableRect(const QPageLayout& layout);

// Draws sheets first..last onto a printer or PDF writer that nobody paints on
// yet, a new page between two, at the device's own page layout and resolution.
// False when the device cannot be painted on (a printer that cannot be
// opened, a file that cannot be written).
bool PrintSheets(QPagedPaintDevice& device, int first, int last, const SheetDrawer& draw);

// Sheets first..last into a PDF/A-1b file with the job's document information,
// A4 with 5 mm margins. False with a message when the file cannot be written.
bool WriteSheetsPdf(const QString& path, const SheetJob& job, int first, int last, QString& error);
bool WriteA4Pdf(const QString& path, SheetOrientation orientation, int first, int last,
                const std::function<void(Surface& surface, int sheet)>& draw, QString& error);

// One whole A4 sheet as an image, drawn as onto paper.
QImage RenderSheet(const SheetJob& job, int sheet, double dpi);
QImage RenderA4Sheet(SheetOrientation orientation, double dpi, const std::function<void(Surface& surface)>& draw);

// A white image that knows its resolution.
QImage WhiteImage(int width, int height, double dpi);
int UnitsToPixels(int units, double dpi);

}  // namespace kurvex
