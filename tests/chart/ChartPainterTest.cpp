#include <gtest/gtest.h>

#include "chart/ChartPainterFixture.h"
#include "chart/PageFrame.h"

#include <algorithm>
#include <array>

namespace kurvex {
namespace {

constexpr Color kYellow{255, 255, 127};
constexpr Color kBandGrey{209, 209, 209};

TEST_F(ChartPainterTest, StripBoxesAtZoomLevelTwoAreRegisteredWhereTheyAreDrawn)
{
    Open(0, 300, 10);
    CChartPainter painter = Painter(2);
    painter.DrawChartPage(surface, 1, 0, -500);
    // 25000 x 3200 at factor 1.7, strips 3200·f + 1400·f apart, moved by 1100·f and 600·f.
    ASSERT_EQ(painter.Mouse().Count(), 3);
    EXPECT_EQ(painter.Mouse().StripRect(0), (Rect{1870, -1520, 1870 + 42500, -1520 - 5440}));
    EXPECT_EQ(painter.Mouse().StripRect(1), (Rect{1870, -1520 - 7820, 1870 + 42500, -1520 - 7820 - 5440}));
    EXPECT_EQ(painter.Mouse().StripRect(2).top, -1520 - 2 * 7820);
    EXPECT_EQ(painter.Mouse().StartStation(1), 1000);
    EXPECT_EQ(painter.Mouse().EndStation(1), 2000);
    EXPECT_EQ(surface.GetOrigin(), (Point{0, 0}));
}

TEST_F(ChartPainterTest, TwoStripLayoutPlacesTheLastPageAndItsSingleStrip)
{
    Open(0, 450, 10);  // 0 .. 4490 dm: five strips
    CChartPainter painter = Painter(5);
    painter.View().stripsPerPage = 2;
    painter.UpdatePaging();
    ASSERT_EQ(painter.View().paging.pageCount, 3);
    painter.DrawChartPage(surface, 3, 0, 0);
    ASSERT_EQ(painter.Mouse().Count(), 1);
    EXPECT_EQ(painter.Mouse().StripRect(0), (Rect{1100, -3000, 26100, -6200}));
    EXPECT_EQ(painter.Mouse().StartStation(0), 4000);
}

TEST_F(ChartPainterTest, CurveMapsValuesOntoTheStripHeight)
{
    Open(0, 10, 10);
    SetPoints({{0, -50}, {100, 0}, {200, 250}, {300, 100}, {1000, 0}, {1010, 0}});
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    const auto polylines = surface.OfKind(RecordKind::Polyline);
    ASSERT_FALSE(polylines.empty());
    // -5 mm on the upper edge, 0 at -H/6, 25 mm on the lower edge; the point at e belongs to the strip.
    const std::vector<Point> expected{{0, 0}, {2500, -533}, {5000, -3200}, {7500, -1600}, {25000, -533}};
    EXPECT_EQ(polylines.front()->points, expected);
}

TEST_F(ChartPainterTest, NegativeValuesAsZeroDrawOnTheZeroLine)
{
    Open(0, 10, 10);
    SetPoints({{0, -15}, {10, -15}});
    doc.State().Settings().SetIntAt(CEinstellungen::kNegativeAsZero, 1);
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    ASSERT_FALSE(surface.OfKind(RecordKind::Polyline).empty());
    EXPECT_EQ(surface.OfKind(RecordKind::Polyline).front()->points.front().y, -533);
}

TEST_F(ChartPainterTest, StationLabelsFollowTheRunDirection)
{
    struct Case {
        bool ascending;
        std::vector<std::string> labels;
    };
    const std::vector<Case> cases{{true, {"0,1200", "0,1300", "0,1400"}}, {false, {"0,1300", "0,1200", "0,1100"}}};
    for (const Case& c : cases) {
        surface.Clear();
        Open(c.ascending ? 1200 : 1300, 50, c.ascending ? 10 : -10);
        CChartPainter painter = Painter(5);
        painter.DrawStrip(surface, c.ascending ? 1200 : 1300, 3200, true, false);
        const auto row = TextsAt(-3200 - 200 - 400);
        ASSERT_EQ(row.size(), 11u);
        for (size_t i = 0; i < c.labels.size(); ++i) {
            EXPECT_EQ(row[i]->text, c.labels[i]);
            EXPECT_EQ(row[i]->points[0].x, static_cast<int>(i) * 2500);
        }
        EXPECT_NE(surface.FindText("Station [km]"), nullptr);
    }
}

TEST_F(ChartPainterTest, UnknownLengthScaleDrawsAtFourHundredAndIsWrittenBack)
{
    Open(0, 50, 10);
    doc.State().SetLengthScale(333);
    CChartPainter painter = Painter(5);
    EXPECT_EQ(painter.View().stripLength, 1000);
    painter.DrawStrip(surface, 0, 3200, true, false);
    EXPECT_EQ(doc.State().LengthScale(), 400);
    EXPECT_EQ(doc.State().GetText("MASSSTAB_DER_LAENGE", ""), "400");
}

TEST_F(ChartPainterTest, SectionBoundaryCarriesTheCaptionsOfBothSides)
{
    Open(0, 100, 10, "ABSCHNITTE=[0|350|40|10|1.0|2,50|1|x||||][500|300|45|10|1.0|2,50|0|y||||]\r\n");
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    // Caption height 500 * 600 / 500, second line 200 lower; the left side shows the section before.
    const SurfaceRecord* gw = surface.FindText("GW 4.0mm");
    ASSERT_NE(gw, nullptr);
    EXPECT_EQ(gw->points[0], (Point{12500 - 100, 600}));
    EXPECT_EQ(gw->state.textAlign.horizontal, HAlign::Right);
    const SurfaceRecord* fsb = surface.FindText("FSB 350cm");
    ASSERT_NE(fsb, nullptr);
    EXPECT_EQ(fsb->points[0], (Point{12400, 400}));
    EXPECT_EQ(surface.FindText("GW 4.5mm"), nullptr);  // the section after is not evaluated
    const SurfaceRecord* separator = surface.FindSegment({12500, 600}, {12500, -3300});
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(separator->state.pen.width, 50);
    // Limit line of the evaluated section only: 4.0 mm.
    std::vector<RecordingSurface::Segment> limits;
    for (const auto& segment : surface.Segments())
        if (segment.from.y == -960 && segment.to.y == -960)
            limits.push_back(segment);
    ASSERT_EQ(limits.size(), 1u);
    EXPECT_EQ(limits[0].from.x, 0);
    EXPECT_EQ(limits[0].record->state.pen.color, (Color{255, 30, 0}));
}

TEST_F(ChartPainterTest, SectionCaptionText)
{
    EXPECT_EQ(SectionCaption(labels, 40, 350, true), "GW 4.0mm|FSB 350cm");
    EXPECT_EQ(SectionCaption(labels, 40, 350, false), "");
}

TEST_F(ChartPainterTest, MarkedRangeBand)
{
    Open(0, 300, 10);
    struct Case {
        std::vector<std::string> clicks;  // oldest first
        int32_t stripStart;
        bool drawn;
        int x1;
        int x2;
    };
    const std::vector<Case> cases{
        {{"1000", "1200"}, 1000, true, 0, 5000},
        {{"1000", "1200"}, 0, false, 0, 0},  // 1000 is strip 0's end, outside [0, 1000)
        {{"500", "2500"}, 1000, true, 0, 25000},    // lies completely between the clicks
        {{"1100"}, 1000, true, 2500, 2510},          // a single click: 10 units wide
        {{"2100", "2200"}, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        surface.Clear();
        doc.PickedStations() = CFifo();
        doc.PickedStations().SetCapacity(2);
        for (const std::string& click : c.clicks)
            doc.PickedStations().Push(click);
        CChartPainter painter = Painter(5);
        painter.DrawStrip(surface, c.stripStart, 3200, true, false);
        const auto bands = Fills(kYellow);
        if (!c.drawn) {
            EXPECT_TRUE(bands.empty());
            continue;
        }
        ASSERT_EQ(bands.size(), 1u) << c.clicks.front();
        EXPECT_EQ(bands[0]->rect, (Rect{c.x1, -21, c.x2, -3178}));
    }
    // Not while printing.
    surface.Clear();
    CChartPainter printing = Painter(5);
    printing.View().printing = true;
    printing.DrawStrip(surface, 1000, 3200, true, false);
    EXPECT_TRUE(Fills(kYellow).empty());
}

TEST_F(ChartPainterTest, TwoMetreBandsOnlyWithTheGridFlagAndALimit)
{
    Open(0, 300, 10, "ABSCHNITTE=[0|350|40|10|1.0|2,50|1|x||||][600|350|0|10|1.0|2,50|1|y||||]\r\n");
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    EXPECT_TRUE(Fills(kBandGrey).empty());

    painter.View().twoMetreGrid = true;
    surface.Clear();
    painter.DrawStrip(surface, 0, 3200, true, false);
    const auto bands = Fills(kBandGrey);
    // 20 dm wide every 40 dm over the first section (0 .. 600 dm) only.
    ASSERT_EQ(bands.size(), 16u);
    for (size_t i = 0; i < bands.size(); ++i) {
        const int left = static_cast<int>(i) * 1000;
        EXPECT_EQ(bands[i]->rect, (Rect{left, 0, std::min(left + 500, 15000), -3200}));
    }
}

TEST_F(ChartPainterTest, ExceedanceLabelsCloseTogetherStagger)
{
    Open(0, 300, 10);
    // Three exceedances 0.4 m apart alternate between two rows 270 units
    // apart; the one far away goes back to the first row.
    doc.Exceedances().Load("[100;60;1;1;-999;1;;-1.0;;][104;60;1;2;-999;1;;-1.0;;][108;60;1;3;-999;0;;-1.0;;]"
                           "[800;60;1;4;-999;1;;-1.0;;]",
                           "", "");
    CChartPainter painter = Painter(5);
    painter.View().currentPage = 2;
    painter.PrepareStrip(0);
    painter.DrawStrip(surface, 0, 3200, true, false);
    const int firstRow = -2666 - 550;
    struct Expected {
        std::string text;
        int x;
        int ytop;
    };
    const std::vector<Expected> expected{
        {"4", 20000, firstRow}, {"(3)", 2700, firstRow}, {"2", 2600, firstRow - 270}, {"1", 2500, firstRow}};
    for (const Expected& e : expected) {
        const SurfaceRecord* text = surface.FindText(e.text);
        ASSERT_NE(text, nullptr) << e.text;
        EXPECT_EQ(text->points[0], (Point{e.x, e.ytop})) << e.text;
        // The line runs from 1 mm below the measured point (6 mm) down to the label.
        EXPECT_NE(surface.FindSegment({e.x, -1280}, {e.x, e.ytop}), nullptr) << e.text;
    }
    EXPECT_EQ(surface.FindText("(3)")->state.textColor, (Color{127, 127, 127}));
    UEBERSCHREITUNG record;
    doc.Exceedances().ExceedanceCopy(0, record);
    EXPECT_EQ(record.seite, 2);
}

TEST_F(ChartPainterTest, ExceedanceOnAStripBoundaryIsDrawnOnBothStrips)
{
    Open(0, 300, 10);
    doc.Exceedances().Load("[1000;60;1;1;-999;1;;-1.0;;]", "", "");
    CChartPainter painter = Painter(5);
    painter.DrawChartPage(surface, 1, 0, 0);
    int drawn = 0;
    for (const std::string& text : surface.Texts())
        drawn += text == "1";
    EXPECT_EQ(drawn, 2);
}

TEST_F(ChartPainterTest, PageOneNumbersAllExceedancesOnce)
{
    Open(0, 700, 10);
    doc.Exceedances().Load("[100;60;1;1;-999;1;;-1.0;;][3500;60;1;2;-999;1;;-1.0;;][6500;60;1;3;-999;1;;-1.0;;]", "",
                           "");
    CChartPainter painter = Painter(5);
    painter.PrepareForPages(1, 1);
    painter.DrawChartPage(surface, 1, 0, 0);
    UEBERSCHREITUNG record;
    doc.Exceedances().ExceedanceCopy(1, record);
    EXPECT_EQ(record.seite, 2);
    doc.Exceedances().ExceedanceCopy(2, record);
    EXPECT_EQ(record.seite, 3);
    EXPECT_FALSE(pageFlag.set);
    painter.View().currentPage = 2;
    painter.PrepareForPages(2, 2);
    painter.DrawChartPage(surface, 2, 0, 0);
    EXPECT_TRUE(pageFlag.set);
}

TEST_F(ChartPainterTest, ExceedancePagesAreSettledByThePrepareStepNotByDrawing)
{
    // Three-strip pages of 3000 dm: exceedances on pages 1, 2 and 3.
    const std::string exceedances =
        "[100;60;1;1;-999;1;;-1.0;;][3500;60;1;2;-999;1;;-1.0;;][6500;60;1;3;-999;1;;-1.0;;]";
    struct Case {
        const char* name;
        int screenPage;
        int first;
        int last;
        std::array<int32_t, 3> pages;
        bool flagAfter;
    };
    const Case cases[] = {
        {"page 1 on screen numbers all from the chart start", 1, 1, 1, {1, 2, 3}, false},
        // Printed from page 2 while page 1 is on screen: numbered from the first
        // printed strip, then the printed markers take the page on screen.
        {"pages 2-3 printed with page 1 on screen", 1, 2, 3, {1, 1, 1}, false},
        {"all pages printed with page 3 on screen", 3, 1, 3, {3, 3, 3}, true},
        {"page 2 on screen", 2, 2, 2, {kPageNotYetDrawn, 2, kPageNotYetDrawn}, true},
    };
    Open(0, 700, 10);
    for (const Case& c : cases) {
        doc.Exceedances().Load(exceedances, "", "");
        pageFlag.set = true;
        CChartPainter painter = Painter(5);
        painter.View().currentPage = c.screenPage;
        // Drawing alone leaves the document as it was.
        for (int page = c.first; page <= c.last; ++page)
            painter.DrawChartPage(surface, page, 0, 0);
        UEBERSCHREITUNG record;
        for (int i = 0; i < 3; ++i) {
            doc.Exceedances().ExceedanceCopy(i, record);
            EXPECT_EQ(record.seite, kPageNotYetDrawn) << c.name << " " << i;
        }
        EXPECT_TRUE(pageFlag.set) << c.name;

        painter.PrepareForPages(c.first, c.last);
        for (int i = 0; i < 3; ++i) {
            doc.Exceedances().ExceedanceCopy(i, record);
            EXPECT_EQ(record.seite, c.pages[static_cast<size_t>(i)]) << c.name << " " << i;
        }
        EXPECT_EQ(pageFlag.set, c.flagAfter) << c.name;
    }
}

TEST_F(ChartPainterTest, RangeTextAcrossTwoStrips)
{
    Open(0, 300, 10, "BEREICHSTEXTE=500_1500_Br\xFC" "cke<0>_\r\n");
    CChartPainter painter = Painter(5);
    const int y0 = -202;  // Y(-3.1)
    const int y1 = -533;  // Y(0.0)

    painter.DrawStrip(surface, 0, 3200, true, false);
    const auto polygons = surface.OfKind(RecordKind::Polygon);
    ASSERT_FALSE(polygons.empty());
    EXPECT_EQ(polygons[0]->points, (std::vector<Point>{{12500, y0}, {12500, y1}, {12580, y0}}));
    EXPECT_NE(surface.FindSegment({12500, y0}, {25200, y0}), nullptr);
    EXPECT_NE(surface.FindSegment({25200, y0}, {25100, y0 + 100}), nullptr);
    EXPECT_NE(surface.FindSegment({18750, y0}, {18750, 10}), nullptr);  // tick up to Y(-5.1)
    const auto captions = surface.OfKind(RecordKind::DrawText);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0]->text, "Br\xC3\xBC" "cke");
    // 6 characters of 125 + 160 wide, 250 + 50 high, centred on the tick above Y(-3.6).
    EXPECT_EQ(captions[0]->rect, (Rect{18750 - 455, -149 + 300, 18750 + 455, -149}));

    surface.Clear();
    painter.DrawStrip(surface, 1000, 3200, false, false);
    const auto endPolygons = surface.OfKind(RecordKind::Polygon);
    ASSERT_FALSE(endPolygons.empty());
    EXPECT_EQ(endPolygons[0]->points, (std::vector<Point>{{12500, y0}, {12500, y1}, {12420, y0}}));
    EXPECT_NE(surface.FindSegment({12500, y0}, {-200, y0}), nullptr);
    EXPECT_NE(surface.FindSegment({-200, y0}, {-100, y0 - 100}), nullptr);
    EXPECT_TRUE(surface.OfKind(RecordKind::DrawText).empty());
}

TEST_F(ChartPainterTest, RangeTextCaptionIsShiftedLeftAtTheStripEnd)
{
    Open(0, 300, 10, "BEREICHSTEXTE=990_1500_Eine lange Beschriftung<0>_\r\n");
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    const auto captions = surface.OfKind(RecordKind::DrawText);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(captions[0]->rect.right, 25000 + 300);
    EXPECT_EQ(captions[0]->rect.right - captions[0]->rect.left, 23 * 125 + 160);
}

TEST_F(ChartPainterTest, FreeTextAtTheStripEndGoesToTheNextStrip)
{
    Open(0, 300, 10, "FREIETEXTE=1000_Fuge<2>_\r\n");
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    EXPECT_TRUE(surface.OfKind(RecordKind::DrawText).empty());
    painter.DrawStrip(surface, 1000, 3200, false, false);
    const auto texts = surface.OfKind(RecordKind::DrawText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0]->state.textColor, (Color{255, 30, 0}));  // text colour 2
    // The zero line lies above the row, so the pointer points up from the upper edge.
    const auto polygons = surface.OfKind(RecordKind::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    const Rect box = texts[0]->rect;
    EXPECT_EQ(polygons[0]->points[1], (Point{0, box.top + 200}));
    EXPECT_EQ(polygons[0]->points[0].x, box.left);
}

TEST_F(ChartPainterTest, SpeedLayerNeedsMoreThanFivePointsWithSpeed)
{
    Open(0, 10, 10);
    doc.State().Settings().SetIntAt(CEinstellungen::kDisplaySpeed, 1);
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    EXPECT_EQ(surface.FindText("Geschwindigkeit [km/h]"), nullptr);
    for (const SurfaceRecord* text : surface.OfKind(RecordKind::TextOut))
        EXPECT_NE(text->points[0].x, 25000 + 600) << text->text;  // no speed scale
}

TEST(CurvePointSearch, BisectionAndWalkAgree)
{
    struct Case {
        std::vector<int32_t> stations;
        bool ascending;
    };
    const std::vector<Case> cases{
        {{0, 10, 20, 20, 30, 100}, true},
        {{100, 90, 90, 50, 0}, false},
        {{0, 50, 20, 70, 10}, true},  // not ordered: the walk
        {{5}, true},
    };
    for (const Case& c : cases) {
        CMessFahrtDaten run;
        std::vector<MESSUNG> points;
        for (int32_t s : c.stations) {
            MESSUNG m;
            m.station = s;
            points.push_back(m);
        }
        run.AssignPoints(points);
        run.SelectWholeRun();
        for (int32_t a = -20; a <= 120; a += 5)
            for (int32_t shift : {0, 15, -15})
                EXPECT_EQ(FindFirstCurvePoint(run, a, shift, c.ascending),
                          FindFirstCurvePointLinear(run, a, shift, c.ascending))
                    << "a " << a << " shift " << shift;
    }
}

// --- Page frame --------------------------------------------------------------

TEST(PageFrame, EnclosureNumbers)
{
    const CLabelTable labels;
    EXPECT_EQ(EnclosureText(labels, "2", 3, 3), "Anlage 2.3");
    EXPECT_EQ(EnclosureText(labels, "2", 1, 1), "Anlage 2");
    RecordingSurface surface;
    DrawEnclosureLabel(surface, labels, "2", 2, 3, Rect{0, -17000, 28700, -20000});
    const SurfaceRecord* text = surface.FindText("Anlage 2.2");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->points[0], (Point{28200, -17200}));
    EXPECT_EQ(text->state.font.escapement, 900);
    EXPECT_EQ(text->state.backgroundMode, BackgroundMode::Transparent);
    EXPECT_EQ(surface.GetBackgroundMode(), BackgroundMode::Opaque);  // restored
}

TEST(PageFrame, LimitList)
{
    ABSCHNITT a;
    a.grenzwert = 40;
    ABSCHNITT off;
    off.grenzwert = 40;
    off.auswerten = false;
    ABSCHNITT c;
    c.grenzwert = 45;
    EXPECT_EQ(LimitList({a, off, c}), "4;-;4.5");
    EXPECT_EQ(LimitList({a, off}), "4;-");
    EXPECT_EQ(LimitList({}), "");
}

TEST(PageFrame, HeaderBlockVariantsByFormat)
{
    EXPECT_EQ(HeaderBlockVariantFor(1), HeaderBlockVariant::FixedLabels);
    EXPECT_EQ(HeaderBlockVariantFor(3), HeaderBlockVariant::HeaderText);
    EXPECT_EQ(HeaderBlockVariantFor(7), HeaderBlockVariant::HeaderText);
    EXPECT_EQ(HeaderBlockVariantFor(1002), HeaderBlockVariant::FullLabels);
    EXPECT_EQ(HeaderBlockVariantFor(5), HeaderBlockVariant::ShortLabels);
    EXPECT_FALSE(HeaderBlockVariantFor(4).has_value());
    const Rect printable{0, 0, 28700, -20000};
    EXPECT_EQ(HeaderBlockOrigin(HeaderBlockVariant::FixedLabels, printable), (Point{5000, -18100}));
    EXPECT_EQ(HeaderBlockOrigin(HeaderBlockVariant::FullLabels, printable), (Point{400, -18100}));
}

HeaderBlockData SampleHeaderData()
{
    HeaderBlockData data;
    data.headerFields = {"M-17", "12.03.2015", "Amt", "Abt", "Meier", "B", "27"};
    data.headerText = "Kopf";
    data.kopfdaten = "12.03.2015\xBF" "Amt Nord\xBF";
    data.limitList = "4;-;4.5";
    data.sectionCount = 3;
    data.lengthScale = 400;
    data.editingDate = "09.12.2026";
    data.fileName = "run.pbs";
    return data;
}

TEST(PageFrame, HeaderBlockPlacesLabelsAndValues)
{
    struct Expected {
        HeaderBlockVariant variant;
        std::string text;  // UTF-8
        Point at;          // from the origin (0, 0)
    };
    const std::vector<Expected> cases{
        {HeaderBlockVariant::FixedLabels, "Messungs-Nr. :", {0, 0}},
        {HeaderBlockVariant::FixedLabels, "M-17", {2400, 0}},
        {HeaderBlockVariant::FixedLabels, "Pr\xC3\xBC" "fer :", {0, -1480}},
        {HeaderBlockVariant::FixedLabels, "Grenzwerte :", {6200, -740}},
        {HeaderBlockVariant::FixedLabels, "4;-;4.5", {8800, -740}},
        {HeaderBlockVariant::FixedLabels, "1:400", {8800, -1480}},
        {HeaderBlockVariant::FixedLabels, "run.pbs.zi4", {15600, -740}},
        {HeaderBlockVariant::HeaderText, "Kopfdaten:", {0, 0}},
        {HeaderBlockVariant::HeaderText, "Ma\xC3\x9F" "stab L\xC3\xA4nge:", {6200, -1480}},
        {HeaderBlockVariant::HeaderText, "run.pbs", {15600, -1110}},
        {HeaderBlockVariant::FullLabels, "Messung vom :", {0, 0}},
        {HeaderBlockVariant::FullLabels, "Amt Nord", {2600, -370}},
        {HeaderBlockVariant::FullLabels, "Grenzwerte :", {10600, -740}},
        {HeaderBlockVariant::FullLabels, "Bearbeitungsstand :", {17400, 0}},
        {HeaderBlockVariant::FullLabels, "09.12.2026", {20400, 0}},
        {HeaderBlockVariant::ShortLabels, "Ma\xC3\x9F" "stab H\xC3\xB6he :", {4000, -370}},
        {HeaderBlockVariant::ShortLabels, "run.pbs.zi4", {16500, -740}},
    };
    const CLabelTable labels;
    for (const Expected& e : cases) {
        RecordingSurface surface;
        DrawHeaderBlock(surface, e.variant, Point{0, 0}, SampleHeaderData(), labels);
        const SurfaceRecord* text = surface.FindText(e.text);
        ASSERT_NE(text, nullptr) << e.text;
        EXPECT_EQ(text->points[0], e.at) << e.text;
    }
}

TEST(PageFrame, LabelledHeaderDataBringsItsOwnLabels)
{
    HeaderBlockData data = SampleHeaderData();
    data.kopfdaten = "Datum: 01.02.2020\xBF" "Amt: Nordheim\xBF";
    RecordingSurface surface;
    DrawHeaderBlock(surface, HeaderBlockVariant::FullLabels, Point{0, 0}, data, CLabelTable());
    ASSERT_NE(surface.FindText("Datum:"), nullptr);
    EXPECT_EQ(surface.FindText("Amt:")->points[0], (Point{0, -370}));
    EXPECT_EQ(surface.FindText("Nordheim")->points[0], (Point{2600, -370}));
    EXPECT_EQ(surface.FindText("Messung vom :"), nullptr);
}

TEST(PageFrame, EditingDateHasTwoDigitDayAndMonth)
{
    EXPECT_EQ(FormatEditingDate(5, 3, 2024), "05.03.2024");
    EXPECT_EQ(FormatEditingDate(24, 12, 2024), "24.12.2024");
}

}  // namespace
}  // namespace kurvex
