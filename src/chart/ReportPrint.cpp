#include "chart/ReportPrint.h"

#include "chart/PageFrame.h"
#include "chart/Supplier.h"
#include "common/Cp1252.h"

namespace kurvex {

namespace {

// The product note reads downward along the left edge of the content frame and
// ends at its lower corner: started at the corner it would run off the sheet,
// which ends only two millimetres below the frame. It keeps one millimetre
// clear of the frame line.
constexpr int kProductNoteGap = 100;

int ProductNoteLength(Surface& surface, const std::string& versionText)
{
    surface.SaveState();
    Font font;
    font.face = "Courier New";
    font.height = kProductNoteFontHeight;
    font.escapement = 2700;
    surface.SetFont(font);
    const int length = surface.GetTextExtent(Cp1252ToUtf8("Kurvex " + versionText + kSupplierProductLine)).cx;
    surface.RestoreState();
    return length;
}

}  // namespace

void PrintReportPage(Surface& surface, const ReportInputs& inputs, int page, const Rect& printable,
                     const std::string& versionText)
{
    if (!LocateReportPage(inputs.lines, page))
        return;
    DrawSupplierNotice(surface, ReportSupplierNoticeRect(printable));
    DrawReportPage(surface, inputs, page, printable);
    const ReportGeometry frame = ReportGeometryOf(printable);
    DrawProductNote(surface, frame.x0 - kProductNoteGap, frame.y1 + ProductNoteLength(surface, versionText),
                    kProductNoteReport, versionText);
}

}  // namespace kurvex
