// What the chart tells about the place under the mouse: strip and station,
// the nearest point and its readout, the exceedance marker and its tooltip,
// the zoom that keeps a point in place, and the legend's lines.

#include "chart/ChartLegend.h"
#include "chart/ChartReadout.h"
#include "chart/ChartPainterFixture.h"
#include "document/Fifo.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {
namespace {

CMessFahrtDaten RunOf(const std::vector<TestPoint>& points)
{
    CMessFahrtDaten run;
    run.AssignPoints(MeasurementsOf(points));
    run.SelectWholeRun();
    return run;
}

CMessFahrtDaten RunAt(const std::vector<int32_t>& stations)
{
    std::vector<TestPoint> points;
    for (int32_t station : stations)
        points.push_back({station, 10, -1.0});
    return RunOf(points);
}

TEST(ChartReadoutTest, NearestPointInsideTheStrip)
{
    // The window keeps the order of the file: rising, falling, or neither (a
    // run whose device went back, inside the range from its first to its last station).
    const CMessFahrtDaten rising = RunAt({100, 110, 120, 120, 130, 150});
    const CMessFahrtDaten falling = RunAt({150, 130, 120, 110, 100});
    const CMessFahrtDaten unordered = RunAt({100, 130, 110, 120, 150});
    ASSERT_EQ(rising.WindowStationOrder(), CMessFahrtDaten::StationOrder::NonDecreasing);
    ASSERT_EQ(falling.WindowStationOrder(), CMessFahrtDaten::StationOrder::NonIncreasing);
    ASSERT_EQ(unordered.WindowStationOrder(), CMessFahrtDaten::StationOrder::Unordered);
    const struct {
        const char* what;
        const CMessFahrtDaten& run;
        int32_t station;
        int32_t lo;
        int32_t hi;
        std::optional<int> expected;
    } cases[] = {
        {"on a point", rising, 130, 0, 1000, 4},
        {"nearer the next one", rising, 114, 0, 1000, 1},
        {"nearer the one before", rising, 116, 0, 1000, 2},
        {"equal stations: the earlier", rising, 121, 0, 1000, 2},
        {"halfway: the earlier", rising, 140, 0, 1000, 4},
        {"before the first point", rising, 50, 0, 1000, 0},
        {"past the last point", rising, 900, 0, 1000, 5},
        {"the nearer one lies before the strip", rising, 141, 141, 200, 5},
        {"the nearer one lies past the strip", rising, 139, 100, 139, 4},
        {"no point in the strip", rising, 160, 151, 300, std::nullopt},
        {"strip ends belong to it", rising, 160, 150, 300, 5},
        {"falling run", falling, 114, 0, 1000, 3},
        {"falling run, strip cut", falling, 114, 115, 1000, 2},
        {"falling run, equal distance: the earlier", falling, 125, 0, 1000, 1},
        {"unordered run", unordered, 114, 0, 1000, 2},
        {"unordered run, strip cut", unordered, 114, 115, 1000, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NearestPointInStrip(c.run, c.station, c.lo, c.hi), c.expected) << c.what;
    EXPECT_EQ(NearestPointInStrip(RunAt({}), 100, 0, 1000), std::nullopt);
    // A shifted curve is searched as it is drawn.
    EXPECT_EQ(NearestPointInStrip(rising, 1114, 1000, 2000, 1000), 1);
}

TEST(ChartReadoutTest, NumbersInTheChartsConventions)
{
    const struct {
        int32_t dm;
        const char* km;
    } stations[] = {{123456, "12,3456"}, {5, "0,0005"}, {0, "0,0000"}, {-500, "-0,0500"}, {10000, "1,0000"}};
    for (const auto& s : stations)
        EXPECT_EQ(StationKmText(s.dm), s.km) << s.dm;
    const struct {
        int32_t tenths;
        const char* text;
    } values[] = {{32, "3,2"}, {-4, "-0,4"}, {0, "0,0"}, {-125, "-12,5"}, {1000, "100,0"}};
    for (const auto& v : values)
        EXPECT_EQ(TenthsCommaText(v.tenths), v.text) << v.tenths;
}

TEST(ChartReadoutTest, ReadoutOfAPoint)
{
    // More than five points with a speed: the run has speeds.
    std::vector<TestPoint> withSpeeds;
    for (int i = 0; i < 8; ++i)
        withSpeeds.push_back({123450 + i, 32, 41.5});
    withSpeeds[3] = {123453, -4, 41.54};
    withSpeeds[4] = {123454, 7, -1.0};
    const CMessFahrtDaten speeds = RunOf(withSpeeds);
    ASSERT_TRUE(speeds.HasSpeedData());
    std::vector<TestPoint> fewSpeeds = withSpeeds;
    fewSpeeds.resize(5);
    const CMessFahrtDaten few = RunOf(fewSpeeds);
    ASSERT_FALSE(few.HasSpeedData());

    const struct {
        const CMessFahrtDaten& run;
        int index;
        bool negativeAsZero;
        const char* text;
    } cases[] = {
        {speeds, 0, false, "Station 12,3450 km   Messwert 3,2 mm   Geschw. 41,5 km/h"},
        {speeds, 3, false, "Station 12,3453 km   Messwert -0,4 mm   Geschw. 41,5 km/h"},
        {speeds, 3, true, "Station 12,3453 km   Messwert 0,0 mm   Geschw. 41,5 km/h"},
        {speeds, 4, false, "Station 12,3454 km   Messwert 0,7 mm"},  // this point has no speed
        {few, 0, false, "Station 12,3450 km   Messwert 3,2 mm"},     // the run has too few
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointReadoutText(c.run, c.index, c.negativeAsZero), c.text) << c.index;
}

TEST(ChartReadoutTest, ExceedanceToolTip)
{
    UEBERSCHREITUNG counting;
    counting.lfdNr = 12;
    counting.station = 123480;
    counting.p = 3;
    counting.p2 = 9;
    counting.beruecksichtigt = true;
    UEBERSCHREITUNG notCounting = counting;
    notCounting.beruecksichtigt = false;
    const struct {
        const UEBERSCHREITUNG& record;
        std::string entry;
        std::string text;
    } cases[] = {
        {counting,
         "Schachtdeckel{{CRLF}}H\xF6henlage pr\xFC"
         "fen\xBF"
         "1",
         "\xDC"
         "berschreitung 12\nStation 12,3480 km\np 3 mm, p\xB2 9 mm\xB2\nz\xE4hlt\nSchachtdeckel\nH\xF6henlage pr\xFC"
         "fen"},
        {notCounting, "",
         "\xDC"
         "berschreitung 12\nStation 12,3480 km\np 3 mm, p\xB2 9 mm\xB2\nz\xE4hlt nicht"},
        {notCounting,
         "\xBF"
         "0",
         "\xDC"
         "berschreitung 12\nStation 12,3480 km\np 3 mm, p\xB2 9 mm\xB2\nz\xE4hlt nicht"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExceedanceToolTipText(c.record, c.entry), c.text);
}

TEST(ChartReadoutTest, StripUnderAPointAndThePointOfAStation)
{
    CGetMouseDm strips;
    // A rising strip and a falling one below it. y runs up: normalised, a box's
    // lower edge is its numerically smaller "top", which belongs to it.
    strips.RegisterStrip(Rect{1000, -1000, 31000, -4840}, 1000, 2000);
    strips.RegisterStrip(Rect{1000, -6000, 31000, -9840}, 5000, 4000);
    const struct {
        int x;
        int y;
        std::optional<int> slot;
        int station;
    } cases[] = {
        {1000, -4840, 0, 1000},  // left and lower edge belong to the box
        {16000, -3000, 0, 1500},         {30999, -1001, 0, 1999},
        {31000, -3000, std::nullopt, 0},  // right edge does not
        {16000, -1000, std::nullopt, 0},  // nor the upper edge
        {16000, -5000, std::nullopt, 0},  // between the strips
        {16000, -8000, 1, 4500},         {4000, -8000, 1, 4900},
    };
    for (const auto& c : cases) {
        const std::optional<StripHit> hit = StripUnder(strips, c.x, c.y);
        ASSERT_EQ(hit.has_value(), c.slot.has_value()) << c.x << "," << c.y;
        if (!hit)
            continue;
        EXPECT_EQ(hit->slot, *c.slot);
        EXPECT_EQ(hit->station, c.station);
        EXPECT_EQ(hit->lo, *c.slot == 0 ? 1000 : 4000);
        EXPECT_EQ(hit->hi, *c.slot == 0 ? 2000 : 5000);
    }

    // Back from a station to a point of its strip that maps to it again.
    for (int32_t station : {1000, 1234, 1999, 4001, 4567, 4999}) {
        const std::optional<Point> point = StripPointOfStation(strips, station);
        ASSERT_TRUE(point.has_value()) << station;
        const std::optional<StripHit> hit = StripUnder(strips, point->x, point->y);
        ASSERT_TRUE(hit.has_value()) << station;
        EXPECT_EQ(hit->station, station);
    }
    EXPECT_EQ(StripPointOfStation(strips, 3000), std::nullopt);
    EXPECT_EQ(StripPointOfStation(CGetMouseDm(), 1000), std::nullopt);
}

TEST(ChartReadoutTest, MarkerUnderThePoint)
{
    CExceedanceMarkers markers;
    // Lines run from the measured value down to the label (y up).
    markers.Register(ExceedanceMarkerBox{4, 1000, -500, -2000, Rect{900, -2000, 1300, -2300}});
    markers.Register(ExceedanceMarkerBox{5, 1100, -800, -2270, Rect{1050, -2270, 1400, -2570}});
    markers.Register(ExceedanceMarkerBox{9, 5000, -500, -2000, Rect{4900, -2000, 5100, -2300}});
    const struct {
        const char* what;
        int x;
        int y;
        int expected;
    } cases[] = {
        {"on the line", 1000, -1000, 4},
        {"within the slack of the line", 1040, -1000, 4},
        {"nearer the second line", 1060, -1000, 5},
        {"above the line's upper end, within the slack", 1000, -460, 4},
        {"above the line beyond the slack", 1000, -400, -1},
        {"beside the lines", 3000, -1000, -1},
        {"in a label", 1250, -2200, 4},
        {"in the second label", 1350, -2400, 5},
        {"far marker", 5050, -2100, 9},
    };
    for (const auto& c : cases)
        EXPECT_EQ(markers.HitTest(c.x, c.y, 50), c.expected) << c.what;
    markers.Clear();
    EXPECT_EQ(markers.HitTest(1000, -1000, 50), -1);
}

// A value far outside the axis puts its marker at the end of the coordinates;
// the slack around it must not wrap round.
TEST(ChartReadoutTest, MarkerAtTheEndOfTheCoordinates)
{
    CExceedanceMarkers markers;
    constexpr int kLowest = std::numeric_limits<int>::min();
    constexpr int kHighest = std::numeric_limits<int>::max();
    markers.Register(ExceedanceMarkerBox{1, 1000, kLowest, kLowest + 10, Rect{900, kLowest, 1100, kLowest}});
    markers.Register(ExceedanceMarkerBox{2, 2000, kHighest - 10, kHighest, Rect{1900, kHighest, 2100, kHighest}});
    EXPECT_EQ(markers.HitTest(1000, 0, 50), -1);
    EXPECT_EQ(markers.HitTest(1000, kLowest + 5, 50), 1);
    EXPECT_EQ(markers.HitTest(2000, 0, 50), -1);
    EXPECT_EQ(markers.HitTest(2000, kHighest - 5, 50), 2);
}

TEST(ChartReadoutTest, ZoomKeepsTheChartPointInPlace)
{
    // A station and value on strip j lie, at any zoom, where the page's
    // geometry puts them; the zoom maps the one place onto the other.
    const auto placeOf = [](int level, int strip, int32_t station, double valueMm) {
        const double f = ZoomFactor(level);
        const Point origin = StripOrigin(strip, 3, f);
        const int x = kScreenPageOrigin.x + origin.x + StationAxis(StripWidth(f), 1000, 2000).Map(station);
        const int y = kScreenPageOrigin.y + origin.y - ValueAxis(StripHeight(f)).Map(valueMm);
        return Point{x, y};
    };
    for (int from = kMinZoomLevel; from <= kMaxZoomLevel; ++from) {
        for (int to : {ZoomInLevel(from), ZoomOutLevel(from), kMinZoomLevel, kMaxZoomLevel}) {
            for (int strip = 0; strip < 3; ++strip) {
                const Point before = placeOf(from, strip, 1370, 4.0);
                const Point after = ZoomedChartPoint(before, ZoomFactor(from), ZoomFactor(to));
                const Point expected = placeOf(to, strip, 1370, 4.0);
                // Lengths are truncated at each zoom: a few units, far below a pixel.
                EXPECT_NEAR(after.x, expected.x, 10) << from << " -> " << to << " strip " << strip;
                EXPECT_NEAR(after.y, expected.y, 10) << from << " -> " << to << " strip " << strip;
            }
        }
    }
    EXPECT_EQ(ZoomedChartPoint(Point{123, -456}, 1.2, 1.2), (Point{123, -456}));
}

TEST(ChartReadoutTest, ClearingThePickedStations)
{
    CFifo picked;
    picked.SetCapacity(2);
    EXPECT_FALSE(ClearPickedStations(picked));
    picked.Push("1000");
    picked.Push("1235");
    EXPECT_TRUE(ClearPickedStations(picked));
    EXPECT_EQ(picked.Get(0), "");
    EXPECT_EQ(picked.Get(1), "");
    EXPECT_EQ(picked.Capacity(), 2);
    picked.Push("1000");  // still a list of two
    picked.Push("1100");
    picked.Push("1200");
    EXPECT_EQ(picked.Get(1), "1100");
}

// The painter registers each marker where it draws its line and label.
class ChartMarkerRegistrationTest : public ChartPainterTest {};

TEST_F(ChartMarkerRegistrationTest, MarkersAreRegisteredWhereTheyAreDrawnAndClearedWithThePage)
{
    Open(0, 700, 10);
    doc.Exceedances().Load("[100;60;1;1;-999;1;;-1.0;;][104;60;1;2;-999;1;;-1.0;;][1500;60;1;3;-999;0;;-1.0;;]", "",
                           "");
    CChartPainter painter = Painter(5);
    painter.DrawChartPage(surface, 1, 0, 0);
    const std::vector<ExceedanceMarkerBox>& boxes = painter.Markers().Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const ExceedanceMarkerBox& box : boxes) {
        UEBERSCHREITUNG record;
        ASSERT_TRUE(doc.Exceedances().ExceedanceCopy(box.exceedance, record));
        const std::string label =
            record.beruecksichtigt ? std::to_string(record.lfdNr) : "(" + std::to_string(record.lfdNr) + ")";
        const SurfaceRecord* text = surface.FindText(label);
        ASSERT_NE(text, nullptr) << label;
        // The label's cell hangs from its anchor, centred on the line.
        const Point anchor = text->Absolute(0);
        const int width = box.label.right - box.label.left;
        EXPECT_GT(width, 0) << label;
        EXPECT_EQ(box.label.left, anchor.x - width / 2) << label;
        EXPECT_EQ(box.label.top, anchor.y) << label;
        EXPECT_LT(box.label.bottom, box.label.top) << label;
        EXPECT_EQ(box.x, anchor.x) << label;
        EXPECT_EQ(box.y1, text->Absolute(0).y) << label;
        // The mouse on the line's middle finds this marker.
        EXPECT_EQ(painter.Markers().HitTest(box.x, (box.y0 + box.y1) / 2, 30), box.exceedance) << label;
    }
    // A page without exceedances leaves none behind.
    painter.View().currentPage = 2;
    painter.DrawChartPage(surface, 2, 0, 0);
    EXPECT_TRUE(painter.Markers().Boxes().empty());
}

TEST_F(ChartMarkerRegistrationTest, LegendNamesTheRunItsComparisonRunsAndTheMissingOnes)
{
    const std::string comparison = WriteRun("cmp.pbs", 0, 300, 10);
    Open(0, 300, 10,
         "VGL_PATH_1=" + comparison +
             "\r\nVGL_OFF_1=12,55\r\n"
             "VGL_PATH_2=D:\\messungen\\fehlt.pbs\r\n"
             "VGL_PATH_4=" +
             comparison + "\r\nVGL_OFF_4=-3\r\n");
    ASSERT_TRUE(doc.ComparisonRun(1).IsLoaded());
    const std::vector<LegendLine> lines = ChartLegendLines(doc);
    ASSERT_EQ(lines.size(), 4u);
    const CEinstellungen& settings = doc.State().Settings();
    const struct {
        const char* text;
        bool curve;
        int pen;
    } expected[] = {
        {"run.pbs", true, CurvePen(0)},
        {"Vergleichsfahrt 1: cmp.pbs, Versatz 12,5 m", true, CurvePen(1)},
        {"Vergleichsfahrt 2 nicht gefunden: fehlt.pbs", false, -1},
        {"Vergleichsfahrt 4: cmp.pbs, Versatz -3,0 m", true, CurvePen(4)},
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].text, expected[i].text);
        EXPECT_EQ(lines[i].curve, expected[i].curve) << expected[i].text;
        if (expected[i].curve) {
            EXPECT_EQ(lines[i].colour, Color::FromColorRef(static_cast<uint32_t>(settings.Colour(expected[i].pen))));
            EXPECT_EQ(lines[i].lineWidth, settings.LineWidth(expected[i].pen));
        }
    }
    // The comparison runs' pens differ from the run's.
    EXPECT_NE(CurvePen(0), CurvePen(1));
    EXPECT_EQ(CurvePen(4), CurvePen(1) + 3);
    EXPECT_TRUE(ChartLegendLines(CKurvexDoc()).empty());
}

}  // namespace
}  // namespace kurvex
