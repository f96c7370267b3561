#pragma once
// A4 sheets with 5 mm margins as the printer gets them: into a PDF file, or one
// sheet into an image. The chart prints landscape, the evaluation report portrait.

#include <QImage>
#include <QString>

#include <functional>

#include "common/Surface.h"

namespace kurvex {

enum class SheetOrientation { Portrait, Landscape };

inline constexpr int kPrintMarginMm = 5;

// The printable rectangle of an A4 sheet with 5 mm margins, in logical units
// with its top-left corner at (0, 0).
Rect A4Printable(SheetOrientation orientation);

// Draws sheets first..last into a PDF file; draw gets a surface whose origin is
// the printable area's top-left corner. False with a message when the file
// cannot be written.
bool WriteA4Pdf(const QString& path, SheetOrientation orientation, int first, int last,
                const std::function<void(Surface& surface, int sheet)>& draw, QString& error);

// One whole sheet as an image, drawn as draw does onto paper.
QImage RenderA4Sheet(SheetOrientation orientation, double dpi, const std::function<void(Surface& surface)>& draw);

// A white image that knows its resolution.
QImage WhiteImage(int width, int height, double dpi);
int UnitsToPixels(int units, double dpi);

}  // namespace kurvex
