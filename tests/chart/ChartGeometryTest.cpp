#include "chart/ChartGeometry.h"

#include "chart/SurfacePrinters.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

namespace kurvex {
namespace {

TEST(AxisScale, MapsTheValueAxisDownward)
{
    const int h = StripHeight(1.0);
    ASSERT_EQ(h, 3200);
    const CAxisScale values = ValueAxis(h);
    EXPECT_EQ(-values.Map(-5.0), 0);
    EXPECT_EQ(-values.Map(0.0), -h / 6);
    EXPECT_EQ(-values.Map(25.0), -h);
    EXPECT_EQ(-values.Map(-3.1), -202);  // 1.9 mm * 3200 / 30, truncated
}

TEST(AxisScale, SpeedAxisRunsFromTwelveAtTheTopToZeroAtTheBottom)
{
    const CAxisScale speed = SpeedAxis(3200);
    EXPECT_EQ(speed.Map(12.0), 0);
    EXPECT_EQ(speed.Map(0.0), 3200);
    EXPECT_EQ(speed.Map(6.0), 1600);
}

TEST(AxisScale, MapTruncatesTowardZero)
{
    CAxisScale scale;
    scale.Init(1000, 0.0, 3.0, 0);
    EXPECT_EQ(scale.Map(1.0), 333);
    EXPECT_EQ(scale.Map(-1.0), -333);
}

TEST(AxisScale, StationAxisOfADescendingStripStillGrowsToTheRight)
{
    const CAxisScale stations = StationAxis(25000, 1300, 300);
    EXPECT_EQ(stations.Map(1300), 0);
    EXPECT_EQ(stations.Map(1200), 2500);
    EXPECT_EQ(stations.Map(300), 25000);
    EXPECT_DOUBLE_EQ(stations.Unmap(2500), 1200.0);
}

TEST(AxisScale, UnmapInvertsMap)
{
    const CAxisScale stations = StationAxis(25000, 1000, 2000);
    for (int p : {0, 1, 2499, 12500, 25000})
        EXPECT_NEAR(stations.Map(stations.Unmap(p)), p, 1) << p;
    EXPECT_DOUBLE_EQ(stations.Unmap(12500), 1500.0);
}

TEST(AxisScale, EmptyRangeOrZeroLengthStaysDefined)
{
    struct Case {
        int length;
        double minimum;
        double maximum;
    } cases[] = {{25000, 1200, 1200}, {0, 1000, 2000}, {0, 5, 5}};
    for (const Case& c : cases) {
        CAxisScale scale;
        scale.Init(c.length, c.minimum, c.maximum, 0);
        EXPECT_EQ(scale.Map(1500), 0);
        EXPECT_EQ(scale.Unmap(100), c.minimum);
        EXPECT_FALSE(std::isnan(scale.Unmap(0)));
    }
}

TEST(AxisScale, OtherKindsMapToZeroAndHugeValuesAreClamped)
{
    CAxisScale scale;
    scale.Init(25000, 0, 1, 1);
    EXPECT_EQ(scale.Map(0.5), 0);
    scale.Init(25000, 0, 1, 0);
    EXPECT_EQ(scale.Map(1e300), INT_MAX);
    EXPECT_EQ(scale.Map(-1e300), -INT_MAX);  // its negation, a y, is an int as well
    EXPECT_EQ(scale.Map(std::nan("")), 0);
}

TEST(Zoom, FactorTableAndLengths)
{
    const struct {
        int level;
        double factor;
    } table[] = {{-3, 1.0}, {-2, 5.0}, {-1, 4.0}, {0, 3.0}, {1, 2.0},
                 {2, 1.7},  {3, 1.4},  {4, 1.2},  {5, 1.0}, {6, 1.0}};
    for (const auto& row : table)
        EXPECT_DOUBLE_EQ(ZoomFactor(row.level), row.factor) << row.level;

    EXPECT_EQ(StripWidth(ZoomFactor(2)), 42500);
    EXPECT_EQ(StripHeight(ZoomFactor(2)), 5440);
    EXPECT_EQ(ScaleLength(100, 1.7), 170);
    EXPECT_EQ(ScaleLength(-2133, 1.2), -2559);  // truncates toward zero
}

TEST(Zoom, KeysStopAtTheEndsTheCommandWraps)
{
    EXPECT_EQ(ZoomInLevel(4), 3);
    EXPECT_EQ(ZoomInLevel(-2), -2);
    EXPECT_EQ(ZoomOutLevel(4), 5);
    EXPECT_EQ(ZoomOutLevel(5), 5);
    EXPECT_EQ(NextZoomLevel(-2), 5);
    EXPECT_EQ(NextZoomLevel(0), -1);
}

TEST(Zoom, ScrollExtentFollowsTheFactor)
{
    const ScrollGeometry atOne = ScrollExtent(1.0);
    EXPECT_EQ(atOne.total, (Size{35000, 18000}));
    EXPECT_EQ(atOne.page, (Size{17500, 9000}));
    EXPECT_EQ(atOne.line, (Size{1750, 900}));
    EXPECT_EQ(ScrollExtent(1.2).total, (Size{42000, 21600}));
}

TEST(LengthScale, StripLengthAndLabelStepByDenominator)
{
    const struct {
        int denominator;
        bool known;
        int stripLength;
        int stepMetres;
        int spacing;  // at factor 1.0
    } table[] = {
        {100, true, 250, 5, 5000},     {200, true, 500, 10, 5000},     {400, true, 1000, 10, 2500},
        {1000, true, 2500, 50, 5000},  {2000, true, 5000, 50, 2500},   {5000, true, 12500, 125, 2500},
        {0, false, 1000, 10, 2500},    {-400, false, 1000, 10, 2500},  {3, false, 1000, 10, 2500},
        {500, false, 1000, 10, 2500},
    };
    for (const auto& row : table) {
        EXPECT_EQ(IsKnownLengthScale(row.denominator), row.known) << row.denominator;
        EXPECT_EQ(StripLengthForScale(row.denominator), row.stripLength) << row.denominator;
        EXPECT_EQ(StationLabelStepMetres(row.denominator), row.stepMetres) << row.denominator;
        EXPECT_EQ(StationLabelSpacing(25000, row.denominator), row.spacing) << row.denominator;
    }
    EXPECT_EQ(EffectiveLengthScale(0), kDefaultLengthScale);
}

TEST(Paging, ChartStartIsRoundedAgainstTheDirectionOfTravel)
{
    const struct {
        int first;
        bool ascending;
        int start;
    } table[] = {
        {1234, true, 1200},   {1234, false, 1300}, {-1234, true, -1300}, {-1234, false, -1200},
        {1200, true, 1200},   {1200, false, 1200}, {0, false, 0},        {-50, true, -100},
        {50, false, 100},     {INT_MAX, false, INT_MAX}, {INT_MIN, true, INT_MIN},
    };
    for (const auto& row : table)
        EXPECT_EQ(ChartStartStation(row.first, row.ascending), row.start) << row.first << " " << row.ascending;
}

TEST(Paging, StripAndPageCounts)
{
    const struct {
        int first;
        int last;
        bool ascending;
        int stripsPerPage;
        int strips;
        int pages;
    } table[] = {
        {0, 2500, true, 3, 3, 1},   {0, 3000, true, 3, 4, 2},    {0, 4999, true, 2, 5, 3},
        {0, 5000, true, 2, 6, 3},   {1234, 1234, true, 3, 1, 1}, {5000, 2100, false, 3, 3, 1},
        {0, 2500, true, 7, 3, 1},   // stored layout outside 2..3 counts as 3
    };
    for (const auto& row : table) {
        const ChartPaging paging =
            ComputePaging(RunExtent{true, row.first, row.last, row.ascending}, 1000, row.stripsPerPage, ChartPaging{});
        EXPECT_EQ(paging.stripCount, row.strips) << row.first << ".." << row.last;
        EXPECT_EQ(paging.pageCount, row.pages) << row.first << ".." << row.last;
    }
}

TEST(Paging, RunWithoutPointsKeepsStartAndStripCount)
{
    const ChartPaging previous{1200, 4, 2};
    const ChartPaging paging = ComputePaging(RunExtent{}, 1000, 3, previous);
    EXPECT_EQ(paging.chartStart, 1200);
    EXPECT_EQ(paging.stripCount, 4);
    EXPECT_EQ(paging.pageCount, 0);
}

TEST(Paging, ZeroStripLengthIsNotDividedBy)
{
    const ChartPaging paging = ComputePaging(RunExtent{true, 0, 2500, true}, 0, 3, ChartPaging{});
    EXPECT_EQ(paging.stripCount, 3);
    EXPECT_EQ(paging.pageCount, 1);
}

TEST(Paging, ExtremeStationsDoNotOverflow)
{
    const ChartPaging paging = ComputePaging(RunExtent{true, INT_MIN, INT_MAX, true}, 1, 3, ChartPaging{});
    EXPECT_EQ(paging.stripCount, INT_MAX);
    EXPECT_GT(paging.pageCount, 0);
    const StripStations far = StripStationsOf(INT_MAX, 1000, 2, 3, 12500, true);
    EXPECT_EQ(far.start, INT_MAX);
    EXPECT_EQ(far.end, INT_MAX);
}

TEST(Paging, StripStationsFollowTheDirection)
{
    const struct {
        int page;
        int strip;
        int stripsPerPage;
        bool ascending;
        int start;
        int end;
    } table[] = {
        {1, 0, 3, true, 1200, 2200},  {1, 2, 3, true, 3200, 4200},  {2, 0, 3, true, 4200, 5200},
        {2, 1, 2, true, 4200, 5200},  {1, 0, 3, false, 1200, 200},  {2, 0, 3, false, -1800, -2800},
    };
    for (const auto& row : table) {
        const StripStations s = StripStationsOf(1200, row.page, row.strip, row.stripsPerPage, 1000, row.ascending);
        EXPECT_EQ(s.start, row.start) << row.page << "/" << row.strip;
        EXPECT_EQ(s.end, row.end) << row.page << "/" << row.strip;
    }
}

TEST(Paging, StripsDrawnOnEachPage)
{
    const struct {
        int page;
        int pages;
        int strips;
        int perPage;
        int drawn;
    } table[] = {
        {1, 2, 4, 3, 3}, {2, 2, 4, 3, 1},  // 0..3000 dm: the second page shows strip 0 only
        {3, 3, 5, 2, 1}, {3, 3, 6, 2, 2}, {2, 3, 5, 2, 2},
        {1, 1, 2, 3, 2}, {1, 1, 3, 3, 3},
        {1, 0, 0, 3, 3},  // a run without points: page 1 of 0 with axes only
        {4, 2, 4, 3, 1},  // beyond the last page after a layout change
    };
    for (const auto& row : table)
        EXPECT_EQ(StripsOnPage(row.page, row.pages, row.strips, row.perPage), row.drawn)
            << "page " << row.page << " of " << row.pages << ", " << row.strips << " strips, " << row.perPage;
}

TEST(Paging, StripOriginsOnThePage)
{
    const struct {
        int strip;
        int perPage;
        double factor;
        Point origin;
    } table[] = {
        {0, 3, 1.0, {1100, -600}},  {1, 3, 1.0, {1100, -5200}}, {2, 3, 1.0, {1100, -9800}},
        {0, 2, 1.0, {1100, -3000}}, {1, 2, 1.0, {1100, -9800}}, {1, 3, 1.2, {1320, -6240}},
    };
    for (const auto& row : table)
        EXPECT_EQ(StripOrigin(row.strip, row.perPage, row.factor), row.origin) << row.strip << "/" << row.perPage;
}

TEST(Paging, LayoutSettingAndToggle)
{
    EXPECT_EQ(SanitizeStripsPerPage(1), 3);
    EXPECT_EQ(SanitizeStripsPerPage(2), 2);
    EXPECT_EQ(SanitizeStripsPerPage(4), 3);
    EXPECT_EQ(ToggledStripsPerPage(3), 2);
    EXPECT_EQ(ToggledStripsPerPage(2), 3);
    EXPECT_EQ(ToggledStripsPerPage(0), 3);
}

TEST(PagePlacement, PrintOriginKeepsRoomForTheChart)
{
    EXPECT_EQ(PrintPageOriginX(0, 28000, 1500), 1000);
    EXPECT_EQ(PrintPageOriginX(0, 28000, 500), 500);
    EXPECT_EQ(PrintPageOriginX(300, 28500, 0), 300);
    EXPECT_EQ(PrintPageOriginX(0, 20000, 0), -7000);
}

TEST(ChartTexts, WindowTitleAndExceedancePage)
{
    EXPECT_EQ(ChartWindowTitle("A1.pbs", 2, 5), "A1.pbs   Seite 2 von 5");
    EXPECT_EQ(ChartWindowTitle("M\xFC" "hle.pbs", 1, 0), "M\xFC" "hle.pbs   Seite 1 von 0");
    EXPECT_EQ(ExceedancePageFromStart(1200, 1200), 1);
    EXPECT_EQ(ExceedancePageFromStart(4199, 1200), 1);
    EXPECT_EQ(ExceedancePageFromStart(4200, 1200), 2);
    EXPECT_EQ(ExceedancePageFromStart(-1800, 1200), 2);
    EXPECT_EQ(ExceedancePageFromStart(INT_MIN, INT_MAX), 1431656);
}

}  // namespace
}  // namespace kurvex
