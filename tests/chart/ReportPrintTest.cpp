#include "chart/ReportPrint.h"

#include "chart/Supplier.h"
#include "chart/SurfacePrinters.h"
#include "common/RecordingSurface.h"

#include <gtest/gtest.h>

namespace kurvex {
namespace {

const Rect kPrintable{0, 0, 20000, -28700};

ReportInputs OnePage()
{
    ReportInputs inputs;
    inputs.lines = {"FF ABSCH_ENDE |LFDNR_ABSCHNITT=1\xBF" "UNTERSCHRIFT=1\xBF", "ENDE"};
    return inputs;
}

TEST(ReportPrint, SupplierNoticeAboveTheFrameAndProductNoteEndingAtItsLowerCorner)
{
    RecordingSurface surface;
    PrintReportPage(surface, OnePage(), 1, kPrintable, "4.5.49.0");

    // The notice's rectangle starts at (800, -300); its lines stand 1500 further right.
    const SurfaceRecord* intro = surface.FindText("Die Auswerte-Software Kurvex 4 können Sie beziehen über die");
    ASSERT_NE(intro, nullptr);
    EXPECT_EQ(intro->points.at(0), (Point{2300, -300}));

    const std::string note = std::string("Kurvex 4.5.49.0") + kSupplierProductLine;
    const SurfaceRecord* product = surface.FindText(note);
    ASSERT_NE(product, nullptr);
    EXPECT_EQ(product->state.font.escapement, 2700);
    // Reading downward it ends at the frame's lower edge (-28500), 100 left of the frame
    // (and the note's own 60): 100 units a character at height 200 on the recording surface.
    const int length = RecordingSurface::CodePointCount(note) * 100;
    EXPECT_EQ(product->points.at(0), (Point{2000 - 100 - 60, -28500 + length}));
    EXPECT_EQ(ReportGeometryOf(kPrintable).y1, -28500);
}

TEST(ReportPrint, APageTheReportDoesNotHaveStaysBlank)
{
    RecordingSurface surface;
    PrintReportPage(surface, OnePage(), 2, kPrintable, "4.5.49.0");
    EXPECT_TRUE(surface.Records().empty());
}

}  // namespace
}  // namespace kurvex
