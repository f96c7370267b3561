// Texts of a printed chart page that would otherwise lie on each other: the
// exceedance labels, the product note, section captions on lower strips.
// Print zoom (factor 1.0): the strip box is 25000 x 3200, the station caption
// "Station [km]" stands at (-800, -3400) and the station labels 400 lower.

#include "chart/ChartPainterFixture.h"
#include "chart/PageFrame.h"
#include "chart/Supplier.h"

namespace kurvex {
namespace {

constexpr int kFirstRow = -2666 - 550;  // Y(20.0) - ScaleLength(550)
constexpr int kRowPitch = 270;
constexpr int kLabelHeight = 300;          // G300
constexpr int kStationLabelTop = -3800;    // -H - 2u - 400

class ChartLegibilityTest : public ChartPainterTest {
protected:
    // The exceedances "[station;value;p;number;...]" with their labels drawn on strip 0 at print zoom.
    void DrawExceedances(const std::string& records)
    {
        doc.Exceedances().Load(records, "", "");
        surface.Clear();
        CChartPainter painter = Painter(5);
        painter.DrawStrip(surface, 0, 3200, true, false);
    }

    // The texts starting with `prefix`, in drawing order.
    std::vector<const SurfaceRecord*> TextsStartingWith(const std::string& prefix) const
    {
        std::vector<const SurfaceRecord*> found;
        for (const SurfaceRecord* r : surface.OfKind(RecordKind::TextOut))
            if (r->text.compare(0, prefix.size(), prefix) == 0)
                found.push_back(r);
        return found;
    }
};

std::string Exceedance(int32_t station, int number)
{
    return "[" + std::to_string(station) + ";60;1;" + std::to_string(number) + ";-999;1;;-1.0;;]";
}

TEST_F(ChartLegibilityTest, ExceedanceLabelsCloseTogetherUseTwoRowsAboveTheStationLabels)
{
    Open(0, 300, 10);
    // Nine exceedances 5 m apart, then four 1 m apart whose two-digit labels are wider than that.
    std::string records;
    for (int32_t station = 0; station <= 400; station += 50)
        records += Exceedance(station, 0);
    for (int32_t station = 600; station <= 630; station += 10)
        records += Exceedance(station, 0);
    DrawExceedances(records);
    const struct {
        std::string text;
        int ytop;
    } expected[] = {{"13", kFirstRow}, {"12", kFirstRow - kRowPitch}, {"11", kFirstRow}, {"10", kFirstRow - kRowPitch}};
    for (const auto& e : expected) {
        const SurfaceRecord* label = surface.FindText(e.text);
        ASSERT_NE(label, nullptr) << e.text;
        EXPECT_EQ(label->points.at(0).y, e.ytop) << e.text;
        EXPECT_GT(label->points.at(0).y - kLabelHeight, kStationLabelTop) << e.text;
    }
}

TEST_F(ChartLegibilityTest, ExceedanceLabelsOverTheStationCaptionStackUpwardFromIt)
{
    Open(0, 300, 10);
    // The caption's cell: 12 characters of 150 from -800, its top at -3400.
    const int captionTop = -3400;
    const struct {
        std::string records;
        std::vector<std::pair<std::string, int>> ytops;  // label, its top
    } cases[] = {
        // At the strip start the first row (-3216 .. -3516) would cover the caption.
        {Exceedance(0, 1), {{"1", captionTop + kLabelHeight}}},
        // Two close together: the second row stacks above the first.
        {Exceedance(0, 1) + Exceedance(4, 2), {{"2", captionTop + kLabelHeight}, {"1", captionTop + kLabelHeight + kRowPitch}}},
        // Clear of the caption's right end (1000): the rows stay.
        {Exceedance(60, 1), {{"1", kFirstRow}}},
        {Exceedance(200, 1) + Exceedance(204, 2), {{"2", kFirstRow}, {"1", kFirstRow - kRowPitch}}},
    };
    for (const auto& c : cases) {
        DrawExceedances(c.records);
        for (const auto& [text, ytop] : c.ytops) {
            const SurfaceRecord* label = surface.FindText(text);
            ASSERT_NE(label, nullptr) << c.records;
            EXPECT_EQ(label->points.at(0).y, ytop) << c.records << " label " << text;
            // The marker line ends at the label.
            EXPECT_NE(surface.FindSegment({label->points.at(0).x, -1280}, label->points.at(0)), nullptr) << c.records;
        }
    }
}

TEST_F(ChartLegibilityTest, ProductNoteClearsTheSpeedCaption)
{
    Open(0, 10, 10);
    SetPoints({{0, 10, 4.0}, {10, 10, 4.0}, {20, 10, 4.0}, {30, 10, 4.0}, {40, 10, 4.0}, {50, 10, 4.0}});
    const std::string note = std::string("Kurvex 4.5.49.0") + kSupplierProductLine;
    const struct {
        bool speeds;
        Point at;  // where the note's text is drawn: the anchor less 60
    } cases[] = {
        {false, {25000 + 1200 - 60, -3200 - 400}},
        // The caption's cell spans x 26000 .. 26300; the note's baseline lies one of its cells (200) beyond.
        {true, {26300 + 200, -3200 - 400}},
    };
    for (const auto& c : cases) {
        doc.State().Settings().SetIntAt(CEinstellungen::kDisplaySpeed, c.speeds ? 1 : 0);
        surface.Clear();
        CChartPainter painter = Painter(5);
        painter.View().printing = true;
        painter.SetVersionText("4.5.49.0");
        painter.DrawStrip(surface, 0, 3200, true, false);
        const SurfaceRecord* text = surface.FindText(note);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->points.at(0), c.at) << "speeds " << c.speeds;
        const SurfaceRecord* caption = surface.FindText("Geschwindigkeit [km/h]");
        ASSERT_EQ(caption != nullptr, c.speeds);
        if (caption) {
            EXPECT_EQ(caption->points.at(0), (Point{26000, -1600}));
            EXPECT_GE(text->points.at(0).x - kProductNoteFontHeight, caption->points.at(0).x + caption->state.font.height);
        }
    }
}

TEST_F(ChartLegibilityTest, SectionCaptionsOnLowerStripsStayBelowTheStationLabelsAbove)
{
    // Sections starting at the given stations after a first one from 0, all evaluated with 4.0 mm.
    const auto sections = [](const std::vector<int32_t>& starts) {
        std::string value = "ABSCHNITTE=[0|350|40|10|1.0|2,50|1|a||||]";
        for (int32_t start : starts)
            value += "[" + std::to_string(start) + "|350|40|10|1.0|2,50|1|b||||]";
        return value + "\r\n";
    };
    const struct {
        int stripsPerPage;
        std::vector<int32_t> boundaries;
        int secondStripTop;            // page coordinates
        std::vector<int> captionTops;  // first lines of the captions on the second strip, both sides of each boundary
    } cases[] = {
        // Three strips 4600 apart: the labels of the strip above end 500 above the
        // second strip; its captions come down from 600 to 500, the first strip keeps 600.
        {3, {500, 1500}, -600 - 4600, {500, 500}},
        // Two strips 6800 apart: the labels above end 2700 above the second strip;
        // the stepped captions 600 .. 2220 stay, 2760 and 3300 come down to 2700.
        {2, {1010, 1020, 1030, 1040, 1050, 1060}, -3000 - 6800,
         {600, 600, 1140, 1140, 1680, 1680, 2220, 2220, 2700, 2700, 2700, 2700}},
    };
    for (const auto& c : cases) {
        const std::string path = WriteRun("run.pbs", 0, 300, 10);
        test::WriteWholeFile(path + ".zi4", sections(c.boundaries));
        CKurvexDoc sectioned;
        ASSERT_EQ(sectioned.Open(path, settings, interaction), OpenResult::Opened);
        CChartPainter painter(sectioned, labels, pageFlag);
        painter.View().zoomLevel = 5;
        painter.View().stripsPerPage = c.stripsPerPage;
        painter.View().printing = true;
        painter.PreparePaint();
        surface.Clear();
        painter.DrawChartPage(surface, 1, 0, 0);
        std::vector<int> secondStrip;
        std::vector<int> firstStrip;
        for (const SurfaceRecord* r : TextsStartingWith("GW "))
            (r->state.origin.y == c.secondStripTop ? secondStrip : firstStrip).push_back(r->points.at(0).y);
        EXPECT_EQ(secondStrip, c.captionTops) << c.stripsPerPage << " strips";
        for (int top : firstStrip)
            EXPECT_EQ(top, 600) << c.stripsPerPage << " strips";
    }
}

TEST(LengthScale, AnUnknownDenominatorSettlesAtFourHundred)
{
    const struct {
        int stored;
        int settled;
        bool changed;
    } cases[] = {{300, 400, true}, {0, 400, true}, {1000, 1000, false}, {400, 400, false}};
    for (const auto& c : cases) {
        CBearbeitungsstand state;
        state.SetLengthScale(c.stored);
        EXPECT_EQ(SettleLengthScale(state), c.changed) << c.stored;
        EXPECT_EQ(state.LengthScale(), c.settled) << c.stored;
        EXPECT_EQ(state.GetText("MASSSTAB_DER_LAENGE", ""), std::to_string(c.settled)) << c.stored;
    }
}

}  // namespace
}  // namespace kurvex
