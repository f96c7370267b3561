// Curves at their edges: strips that hold no point of a curve (the device
// paused for longer than a strip, or a comparison run is shifted past the
// strip) get the move to the first point beyond them and no line; values and
// speeds far outside the axes stay drawable.

#include "chart/ChartPainterFixture.h"
#include "chart/PageFrame.h"

#include <climits>

namespace kurvex {
namespace {

constexpr Color kRunBlue{0, 30, 190};
constexpr Color kComparisonOrange{255, 128, 0};
constexpr Color kSpeedGrey{192, 192, 192};

// Stations every 10 dm over [from, to], both included, in the order given.
std::vector<TestPoint> Stretch(int32_t from, int32_t to, int32_t value = 0, double speed = -1.0)
{
    std::vector<TestPoint> points;
    const int32_t step = from <= to ? 10 : -10;
    for (int32_t t = from; step > 0 ? t <= to : t >= to; t += step)
        points.push_back(TestPoint{t, value, speed});
    return points;
}

std::vector<TestPoint> Joined(std::vector<TestPoint> a, const std::vector<TestPoint>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ChartCurveTest : public ChartPainterTest {
protected:
    // Draws the strip from `a` and expects, in the pen colour, the move to
    // `move` and not a single line.
    void ExpectOnlyAMove(int32_t a, Color colour, Point move)
    {
        surface.Clear();
        CChartPainter painter = Painter(5);
        painter.DrawStrip(surface, a, 3200, true, false);
        EXPECT_TRUE(InPenColour(RecordKind::Polyline, colour).empty()) << "strip " << a;
        EXPECT_TRUE(InPenColour(RecordKind::Line, colour).empty()) << "strip " << a;
        const auto moves = InPenColour(RecordKind::MoveTo, colour);
        ASSERT_EQ(moves.size(), 1u) << "strip " << a;
        EXPECT_EQ(moves[0]->points.at(0), move) << "strip " << a;
    }
};

TEST_F(ChartCurveTest, RecordingGapLongerThanAStrip)
{
    struct Case {
        std::vector<TestPoint> points;
        int32_t emptyStrip;
        Point move;  // to the first point beyond that strip
    };
    const std::vector<Case> cases{
        // 0 .. 99.9 m, a pause of 400 m, 500 .. 599 m: the strips from 100 m and 200 m are empty.
        {Joined(Stretch(0, 999), Stretch(5000, 5990)), 1000, {(5000 - 1000) * 25, -533}},
        {Joined(Stretch(0, 999), Stretch(5000, 5990)), 2000, {(5000 - 2000) * 25, -533}},
        // The same pause driven the other way: 599 m down to 500 m, then 99.9 m down to 0.
        {Joined(Stretch(5990, 5000), Stretch(990, 0)), 4000, {(4000 - 990) * 25, -533}},
    };
    Open(0, 10, 10);
    for (const Case& c : cases) {
        SetPoints(c.points);
        ExpectOnlyAMove(c.emptyStrip, kRunBlue, c.move);
    }
}

TEST_F(ChartCurveTest, SpeedCurveAcrossARecordingGap)
{
    Open(0, 10, 10);
    SetPoints(Joined(Stretch(0, 999, 0, 5.0), Stretch(5000, 5990, 0, 5.0)));
    doc.State().Settings().SetIntAt(CEinstellungen::kDisplaySpeed, 1);
    // 5 km/h on the axis from 12 km/h (upper edge) to 0 km/h (lower edge).
    ExpectOnlyAMove(1000, kSpeedGrey, {(5000 - 1000) * 25, -1866});
}

TEST_F(ChartCurveTest, ComparisonRunShiftedPastTheFirstStrip)
{
    const std::string comparison = WriteRun("cmp.pbs", 0, 300, 10);
    Open(0, 300, 10, "VGL_PATH_1=" + comparison + "\r\nVGL_OFF_1=150,0\r\n");
    ASSERT_TRUE(doc.ComparisonRun(1).IsLoaded());
    // Shifted by 1500 dm, its first point lies half a strip beyond the first strip.
    ExpectOnlyAMove(0, kComparisonOrange, {1500 * 25, -640});
}

TEST_F(ChartCurveTest, EveryPageOfARunWithAGapInBothLayoutsOnScreenAndPaper)
{
    const std::string comparison = WriteRun("cmp.pbs", 0, 300, 10);
    Open(0, 10, 10, "VGL_PATH_1=" + comparison + "\r\nVGL_OFF_1=150,0\r\n");
    SetPoints(Joined(Stretch(0, 999, 10, 4.0), Stretch(5000, 7990, 10, 4.0)));
    doc.State().Settings().SetIntAt(CEinstellungen::kDisplaySpeed, 1);
    for (int stripsPerPage : {2, 3}) {
        for (bool printing : {false, true}) {
            CChartPainter painter = Painter(printing ? 5 : 4);
            painter.View().stripsPerPage = stripsPerPage;
            painter.View().printing = printing;
            painter.UpdatePaging();
            const int pages = painter.View().paging.pageCount;
            ASSERT_EQ(pages, stripsPerPage == 3 ? 3 : 4);
            int drawnStrips = 0;
            for (int page = 1; page <= pages + 1; ++page) {
                surface.Clear();
                if (printing)
                    PrintChartPage(surface, painter, page, pages, Rect{0, 0, 28700, -20000}, "01.02.2026");
                else
                    painter.DrawChartPage(surface, page, 0, -500);
                drawnStrips += painter.Mouse().Count();
            }
            // Eight strips of run and the strips of the page past the end.
            EXPECT_GE(drawnStrips, 8) << stripsPerPage << " strips, printing " << printing;
        }
    }
}

TEST_F(ChartCurveTest, ValuesAndSpeedsFarOutsideTheAxesStayOnTheIntRange)
{
    Open(0, 10, 10);
    SetPoints({{0, INT32_MIN, 1e300}, {10, INT32_MAX, 4.0}, {20, 0, 4.0}, {30, 0, 4.0}, {40, 0, 4.0}, {50, 0, 4.0}});
    doc.State().Settings().SetIntAt(CEinstellungen::kDisplaySpeed, 1);
    CChartPainter painter = Painter(5);
    painter.DrawStrip(surface, 0, 3200, true, false);
    const auto values = InPenColour(RecordKind::Polyline, kRunBlue);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0]->points.at(0).y, INT_MAX);   // far below the box
    EXPECT_EQ(values[0]->points.at(1).y, -INT_MAX);  // far above it
    const auto speeds = InPenColour(RecordKind::Polyline, kSpeedGrey);
    ASSERT_EQ(speeds.size(), 1u);
    EXPECT_EQ(speeds[0]->points.at(0).y, INT_MAX);
}

}  // namespace
}  // namespace kurvex
