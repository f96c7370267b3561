#include "chart/GetMouseDm.h"

#include "chart/SurfacePrinters.h"

#include <gtest/gtest.h>

#include <climits>

namespace kurvex {
namespace {

// Three strip boxes of a screen page at factor 1.0, as (left, top, right, bottom) with y up.
CGetMouseDm ThreeStrips()
{
    CGetMouseDm mouse;
    mouse.ClearStrips();
    mouse.RegisterStrip(Rect{1100, -1100, 26100, -4300}, 1200, 2200);
    mouse.RegisterStrip(Rect{1100, -5700, 26100, -8900}, 2200, 3200);
    mouse.RegisterStrip(Rect{1100, -10300, 26100, -13500}, 3200, 4200);
    return mouse;
}

TEST(GetMouseDm, HitTestMapsXToTheStationOfTheStripUnderThePoint)
{
    CGetMouseDm mouse = ThreeStrips();
    const struct {
        int x;
        int y;
        std::optional<int> station;
    } table[] = {
        {1100, -1101, 1200},           // the left edge is inside
        {13600, -2000, 1700},
        {26099, -4299, 2199},
        {26100, -2000, std::nullopt},  // the right edge is outside
        // Normalised with y up, the lower edge of the box is numerically its
        // top and inside; the upper edge is outside.
        {13600, -4300, 1700},
        {13600, -1100, std::nullopt},
        {13600, -4301, std::nullopt},
        {1099, -2000, std::nullopt},
        {3600, -7000, 2300},
        {26000, -13000, 4196},
        {13600, -5000, std::nullopt},  // between two strips
    };
    for (const auto& row : table)
        EXPECT_EQ(mouse.HitTest(row.x, row.y), row.station) << row.x << ", " << row.y;
}

TEST(GetMouseDm, BoxesAreNormalisedBeforeTheTest)
{
    CGetMouseDm mouse;
    mouse.ClearStrips();
    mouse.RegisterStrip(Rect{26100, -4300, 1100, -1100}, 1300, 300);  // descending run, corners swapped
    EXPECT_EQ(mouse.HitTest(3600, -2000), 1200);
    EXPECT_EQ(mouse.HitTest(1100, -4300), 1300);
    EXPECT_EQ(mouse.HitTest(1100, -1100), std::nullopt);
}

TEST(GetMouseDm, OnlyTheFirstThreeRegistrationsAreKept)
{
    CGetMouseDm mouse = ThreeStrips();
    mouse.RegisterStrip(Rect{30000, 0, 40000, -1000}, 9000, 9999);
    EXPECT_EQ(mouse.Count(), 4);
    EXPECT_EQ(mouse.HitTest(35000, -500), std::nullopt);
    EXPECT_EQ(mouse.StartStation(2), 3200);
}

TEST(GetMouseDm, ClearRemovesEveryBox)
{
    CGetMouseDm mouse = ThreeStrips();
    mouse.ClearStrips();
    EXPECT_EQ(mouse.Count(), 0);
    EXPECT_EQ(mouse.StripRect(1), Rect{});
    EXPECT_EQ(mouse.HitTest(13600, -2000), std::nullopt);
    EXPECT_EQ(mouse.HitTest(0, 0), std::nullopt);  // an empty box holds nothing
}

TEST(GetMouseDm, DegenerateStripsStayDefined)
{
    CGetMouseDm mouse;
    mouse.ClearStrips();
    mouse.RegisterStrip(Rect{0, 0, 1000, -1000}, 500, 500);  // start == end
    mouse.RegisterStrip(Rect{INT_MIN, INT_MAX, INT_MAX, INT_MIN}, INT_MIN, INT_MAX);
    EXPECT_EQ(mouse.HitTest(10, -10), 500);
    const std::optional<int> far = mouse.HitTest(INT_MAX - 1, 0);
    ASSERT_TRUE(far.has_value());
    EXPECT_GT(*far, INT_MAX - 10);
}

TEST(MeasureStatusText, ShowsPositionsAndDistanceInMetres)
{
    const struct {
        const char* newest;
        const char* previous;
        const char* text;
    } table[] = {
        {"", "", "[ ] [ ]"},
        {"1000", "", "[ 100.0 ] [ ]"},
        {"1235", "1000", "[ 123.5 ] [ 100.0 ]  Distanz 23.5m"},
        {"1000", "1235", "[ 100.0 ] [ 123.5 ]  Distanz 23.5m"},
        {"-15", "abc", "[ -1.5 ] [ 0.0 ]  Distanz 1.5m"},  // unreadable entries count as 0
    };
    for (const auto& row : table)
        EXPECT_EQ(MeasureStatusText(row.newest, row.previous), row.text) << row.newest << "/" << row.previous;
}

}  // namespace
}  // namespace kurvex
