#include "chart/RunOverview.h"

#include "measurement/MessFahrtDaten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace kurvex {
namespace {

CMessFahrtDaten RunOf(const std::vector<int32_t>& stations, const std::vector<int32_t>& values)
{
    std::vector<MESSUNG> points(stations.size());
    for (size_t i = 0; i < stations.size(); ++i) {
        points[i].station = stations[i];
        points[i].value = values[i];
    }
    CMessFahrtDaten run;
    run.AssignPoints(points);
    run.SelectWholeRun();
    return run;
}

// Each column's extent equals the extremes of exactly the points that fall into it.
void ExpectExtentsOfEveryColumn(const CMessFahrtDaten& run, const OverviewScale& scale,
                                const std::vector<ColumnExtent>& columns)
{
    ASSERT_EQ(static_cast<int>(columns.size()), scale.Width());
    std::vector<ColumnExtent> expected(columns.size());
    for (int i = 0; i < run.GetCount(); ++i) {
        ColumnExtent& e = expected[static_cast<size_t>(scale.ColumnOf(run.GetStation(i)))];
        const int32_t v = run.GetValue(i);
        e.low = e.hasPoints ? std::min(e.low, v) : v;
        e.high = e.hasPoints ? std::max(e.high, v) : v;
        e.hasPoints = true;
    }
    for (size_t c = 0; c < columns.size(); ++c) {
        SCOPED_TRACE(c);
        EXPECT_EQ(columns[c].hasPoints, expected[c].hasPoints);
        EXPECT_EQ(columns[c].low, expected[c].low);
        EXPECT_EQ(columns[c].high, expected[c].high);
    }
}

TEST(RunOverview, NoPeakIsLostWhereThousandsOfPointsShareAColumn)
{
    // 100,000 points at 1 dm over 37 columns (an odd ratio), noise around 2 mm
    // and single-point spikes: a peak, a dip, one at each end.
    const int count = 100000;
    std::vector<int32_t> stations(count);
    std::vector<int32_t> values(count);
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> noise(10, 30);
    for (int i = 0; i < count; ++i) {
        stations[static_cast<size_t>(i)] = 5000 + i;
        values[static_cast<size_t>(i)] = noise(random);
    }
    const struct {
        int index;
        int32_t value;
    } spikes[] = {{0, 250}, {45678, 400}, {45679, -120}, {count - 1, 333}};
    for (const auto& spike : spikes)
        values[static_cast<size_t>(spike.index)] = spike.value;

    const CMessFahrtDaten run = RunOf(stations, values);
    for (const int width : {37, 1280, 1}) {
        SCOPED_TRACE(width);
        const OverviewScale scale = OverviewScaleOf(run, width);
        const std::vector<ColumnExtent> columns = DecimateToColumns(run, scale, false);
        ExpectExtentsOfEveryColumn(run, scale, columns);
        // Every spike shows in its column; the run's highest and lowest value are a column's ends.
        for (const auto& spike : spikes) {
            const ColumnExtent& column =
                columns[static_cast<size_t>(scale.ColumnOf(stations[static_cast<size_t>(spike.index)]))];
            EXPECT_LE(column.low, spike.value);
            EXPECT_GE(column.high, spike.value);
        }
        EXPECT_EQ(std::max_element(columns.begin(), columns.end(),
                                   [](const ColumnExtent& a, const ColumnExtent& b) { return a.high < b.high; })
                      ->high,
                  400);
        EXPECT_EQ(std::min_element(columns.begin(), columns.end(),
                                   [](const ColumnExtent& a, const ColumnExtent& b) { return a.low < b.low; })
                      ->low,
                  -120);
    }
}

TEST(RunOverview, DescendingRunsShortRunsAndNegativeValues)
{
    // A descending run with fewer points than columns leaves columns empty;
    // negative values as zero, as the chart draws them.
    const CMessFahrtDaten run = RunOf({1000, 900, 800, 100}, {-30, 40, 55, 12});
    const OverviewScale scale = OverviewScaleOf(run, 9);
    EXPECT_EQ(scale.First(), 1000);
    EXPECT_EQ(scale.Last(), 100);
    EXPECT_EQ(scale.ColumnOf(1000), 0);
    EXPECT_EQ(scale.ColumnOf(100), 8);
    EXPECT_EQ(scale.ColumnOf(900), 1);
    ExpectExtentsOfEveryColumn(run, scale, DecimateToColumns(run, scale, false));
    const std::vector<ColumnExtent> zeroed = DecimateToColumns(run, scale, true);
    EXPECT_EQ(zeroed[0].low, 0);
    EXPECT_EQ(std::count_if(zeroed.begin(), zeroed.end(), [](const ColumnExtent& c) { return c.hasPoints; }), 4);

    EXPECT_TRUE(DecimateToColumns(CMessFahrtDaten(), OverviewScale(0, 0, 5), false).size() == 5);
    EXPECT_TRUE(DecimateToColumns(run, OverviewScale(1000, 100, 0), false).empty());
}

TEST(RunOverview, ScaleTurnsStationsIntoColumnsAndBack)
{
    struct Case {
        int32_t first, last;
        int width;
        int32_t station;
        int column;
    };
    const Case cases[] = {
        {0, 10000, 100, 0, 0},      {0, 10000, 100, 9999, 99}, {0, 10000, 100, 10000, 99}, {0, 10000, 100, -500, 0},
        {0, 10000, 100, 20000, 99}, {0, 10000, 100, 5050, 50}, {10000, 0, 100, 10000, 0},  {10000, 0, 100, 0, 99},
        {10000, 0, 100, 2500, 75},  {700, 700, 10, 700, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.station);
        const OverviewScale scale(c.first, c.last, c.width);
        EXPECT_EQ(scale.ColumnOf(c.station), c.column);
    }
    const OverviewScale down(10000, 0, 200);
    EXPECT_EQ(down.StationAt(down.XOf(2500)), 2500);
    EXPECT_EQ(down.StationAt(-5), 10000);  // clamped to the run
    EXPECT_EQ(down.StationAt(500), 0);
}

TEST(RunOverview, ThePageOnScreenSpansItsStrips)
{
    ChartView view;
    view.stripLength = 1000;
    view.stripsPerPage = 3;
    view.paging = ChartPaging{2000, 7, 3};  // the last page has one strip
    struct Case {
        bool ascending;
        int page;
        int32_t from, to;
    };
    const Case cases[] = {
        {true, 1, 2000, 5000},   {true, 2, 5000, 8000},    {true, 3, 8000, 9000},
        {false, 1, 2000, -1000}, {false, 3, -4000, -5000},
    };
    for (const Case& c : cases) {
        view.currentPage = c.page;
        const StationSpan span = PageStations(view, c.ascending);
        EXPECT_EQ(span.from, c.from) << c.page;
        EXPECT_EQ(span.to, c.to) << c.page;
    }
    EXPECT_EQ(PageShowingStation(view, true, 5500), 2);
    EXPECT_EQ(PageShowingStation(view, true, 100), 1);    // before the chart start
    EXPECT_EQ(PageShowingStation(view, true, 99999), 3);  // beyond the end
    EXPECT_EQ(PageShowingStation(view, false, -4500), 3);
    view.paging.pageCount = 0;
    EXPECT_EQ(PageShowingStation(view, true, 5500), 0);
}

TEST(RunOverview, SectionMarksGiveBoundariesAndLimitLines)
{
    const OverviewSectionMarks marks =
        ParseOverviewSectionMarks("[g;0;500;27][r;0;500;0;0][g;500;900;0][g;900;1200;40][w;500][w;900]");
    EXPECT_EQ(marks.boundaries, (std::vector<int32_t>{500, 900}));
    ASSERT_EQ(marks.limitLines.size(), 2u);  // a section without a limit draws none
    EXPECT_EQ(marks.limitLines[1].from, 900);
    EXPECT_EQ(marks.limitLines[1].to, 1200);
    EXPECT_EQ(marks.limitLines[1].limit, 40);
    EXPECT_TRUE(ParseOverviewSectionMarks("").boundaries.empty());
    EXPECT_TRUE(ParseOverviewSectionMarks("[g;0;5").limitLines.empty());
}

TEST(RunOverview, ValueRangeTakesCurveLimitsAndZeroWithinTheChartsAxis)
{
    const auto column = [](int32_t low, int32_t high) { return ColumnExtent{low, high, true}; };
    struct Case {
        const char* name;
        std::vector<ColumnExtent> columns;
        std::vector<OverviewLimitLine> limits;
        double low, high;
    };
    const Case cases[] = {
        {"curve below zero, limit beyond it", {column(10, 60), column(5, 70)}, {{0, 10, 100}}, -5.0, 105.0},
        {"curve above zero", {column(-40, -10)}, {}, -42.0, 2.0},
        {"beyond the axis both ways", {column(-900, 9000)}, {}, -65.0, 265.0},
        {"empty columns count for nothing", {ColumnExtent{-500, 500, false}, column(0, 20)}, {}, -1.0, 21.0},
        {"nothing at all", {}, {}, 0.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OverviewSectionMarks marks;
        marks.limitLines = c.limits;
        const OverviewValueRange range = OverviewValueRangeOf(c.columns, marks);
        EXPECT_DOUBLE_EQ(range.low, c.low);
        EXPECT_DOUBLE_EQ(range.high, c.high);
    }
}

}  // namespace
}  // namespace kurvex
