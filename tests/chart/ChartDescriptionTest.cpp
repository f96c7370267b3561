// What a screen reader says of the chart window.

#include "chart/ChartDescription.h"

#include <gtest/gtest.h>

namespace kurvex {
namespace {

TEST(ChartDescription, StationsInKilometres)
{
    struct Case {
        int32_t station;
        const char* text;
    };
    const Case cases[] = {
        {0, "0,0000 km"},
        {1, "0,0001 km"},
        {123456, "12,3456 km"},
        {10000, "1,0000 km"},
        {-100, "-0,0100 km"},
        {-123456, "-12,3456 km"},
        {2147483647, "214748,3647 km"},
        {-2147483647 - 1, "-214748,3648 km"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StationKmUnitText(c.station), c.text) << c.station;
}

ChartView ViewOf(const RunExtent& run, int page, int stripsPerPage)
{
    ChartView view;
    view.currentPage = page;
    view.stripsPerPage = stripsPerPage;
    view.stripLength = 1000;
    view.paging = ComputePaging(run, view.stripLength, stripsPerPage, ChartPaging{});
    return view;
}

// Strips of 100 m from the 10-m station before the run's start; the first and
// last page end where the run does.
TEST(ChartDescription, TheStationsOfThePageOnScreen)
{
    struct Case {
        const char* name;
        RunExtent run;
        int page;
        int stripsPerPage;
        int32_t first;
        int32_t last;
    };
    const RunExtent up{true, 1234, 9870, true};
    const RunExtent down{true, 9870, 1234, false};
    const Case cases[] = {
        {"first page", up, 1, 3, 1234, 4200},
        {"last page", up, 3, 3, 7200, 9870},
        {"two strips", up, 2, 2, 3200, 5200},
        {"descending first page", down, 1, 3, 9870, 6900},
        {"descending last page", down, 3, 3, 3900, 1234},
    };
    for (const Case& c : cases) {
        const PageStations stations = StationsOnPage(ViewOf(c.run, c.page, c.stripsPerPage), c.run, c.page);
        EXPECT_EQ(stations.first, c.first) << c.name;
        EXPECT_EQ(stations.last, c.last) << c.name;
    }
}

TEST(ChartDescription, RunPageAndStations)
{
    const RunExtent run{true, 1234, 9870, true};
    EXPECT_EQ(ChartPageDescription("a1.pbs", ViewOf(run, 2, 3), run),
              "Messfahrt a1.pbs, Seite 2 von 3, Station 0,4200 km bis 0,7200 km");
    EXPECT_EQ(ChartPageDescription("a1.pbs", ViewOf(RunExtent{}, 1, 3), RunExtent{}),
              "Messfahrt a1.pbs, keine Messpunkte");
}

}  // namespace
}  // namespace kurvex
