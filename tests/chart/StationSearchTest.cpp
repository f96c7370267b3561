#include "chart/StationSearch.h"

#include <gtest/gtest.h>

namespace kurvex {
namespace {

TEST(StationSearch, StationTextsInMetres)
{
    struct Case {
        const char* text;
        std::optional<int32_t> decimetres;
    };
    const Case cases[] = {
        {"1234,5", 12345}, {"1234.5", 12345}, {" 12 ", 120},  {"-3,25", -33}, {"0", 0},       {"+7", 70},
        {"", std::nullopt}, {"abc", std::nullopt}, {"12,3,4", std::nullopt}, {"1e3", std::nullopt},
        {"12 m", std::nullopt}, {"-", std::nullopt}, {"999999999999", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseStationMetres(c.text), c.decimetres) << c.text;
}

// "Gehe zu Station" also takes the unit: metres or kilometres, either case,
// with or without a blank; anything else around the number is refused.
TEST(StationSearch, StationTextsInMetresOrKilometresWithTheirUnit)
{
    struct Case {
        const char* text;
        std::optional<int32_t> decimetres;
    };
    const Case cases[] = {
        {"12700", 127000},
        {"12700 m", 127000},
        {"12700m", 127000},
        {" 12700,5 M ", 127005},
        {"12,7 km", 127000},
        {"12.7km", 127000},
        {" 12,7 KM ", 127000},
        {"0,00006 km", 1},
        {"12,34567 km", 123457},
        {"-0,5 km", -5000},
        {"+3 km", 30000},
        {"1234,5", 12345},
        {"km", std::nullopt},
        {"m", std::nullopt},
        {"12 mm", std::nullopt},
        {"12 k", std::nullopt},
        {"12 km m", std::nullopt},
        {"km 12", std::nullopt},
        {"12,7 km 3", std::nullopt},
        {"1e3 km", std::nullopt},
        {"12.7.1 km", std::nullopt},
        {"", std::nullopt},
        {"999999 km", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseStationText(c.text), c.decimetres) << c.text;
}

TEST(StationSearch, StationsInsideTheRunInEitherDirection)
{
    const RunExtent ascending{true, 1000, 5000, true};
    const RunExtent descending{true, 5000, 1000, false};
    for (const RunExtent& run : {ascending, descending}) {
        EXPECT_TRUE(StationInRun(run, 1000));
        EXPECT_TRUE(StationInRun(run, 5000));
        EXPECT_TRUE(StationInRun(run, 3000));
        EXPECT_FALSE(StationInRun(run, 999));
        EXPECT_FALSE(StationInRun(run, 5001));
    }
    EXPECT_FALSE(StationInRun(RunExtent{}, 0));
}

TEST(StationSearch, AStationOutsideTheRunNamesTheRunsStations)
{
    const RunExtent run{true, 123450, 127441, true};
    EXPECT_EQ(StationOutsideRunText(200000, run),
              "Die Station 20000.0 m liegt au\xDF" "erhalb der Messfahrt (12345.0 m bis 12744.1 m).");
}

TEST(StationSearch, PageOfAStation)
{
    // Strips of 1000 dm from 1000, three per page, 5 strips: pages 1 and 2.
    const ChartPaging paging{1000, 5, 2};
    struct Case {
        int32_t station;
        int page;
    };
    const Case ascending[] = {{1000, 1}, {3999, 1}, {4000, 2}, {5999, 2}, {6000, 2}, {999, 0}};
    for (const Case& c : ascending)
        EXPECT_EQ(PageOfStation(paging, 1000, 3, true, c.station), c.page) << c.station;
    // Descending from 6000: 6000..3001 on page 1.
    const ChartPaging down{6000, 5, 2};
    EXPECT_EQ(PageOfStation(down, 1000, 3, false, 6000), 1);
    EXPECT_EQ(PageOfStation(down, 1000, 3, false, 3001), 1);
    EXPECT_EQ(PageOfStation(down, 1000, 3, false, 3000), 2);
    EXPECT_EQ(PageOfStation(down, 1000, 3, false, 6001), 0);
    // Two strips per page.
    EXPECT_EQ(PageOfStation(ChartPaging{1000, 5, 3}, 1000, 2, true, 5500), 3);
    EXPECT_EQ(PageOfStation(ChartPaging{}, 1000, 3, true, 0), 0);
}

}  // namespace
}  // namespace kurvex
