// The points of a run are kept column by column; a point read back must be the
// MESSUNG that was stored, whatever its fields hold.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "measurement/PointStore.h"

namespace kurvex {
namespace {

MESSUNG Point(int32_t value, int32_t station, int32_t width, int32_t limit = -1, double speed = -1.0,
              const std::string& comment = "", bool hasComment = false)
{
    MESSUNG point;
    point.value = value;
    point.station = station;
    point.width = width;
    point.limit = limit;
    point.speed = speed;
    point.comment = comment;
    point.hasComment = hasComment;
    return point;
}

void ExpectSamePoint(const MESSUNG& actual, const MESSUNG& expected)
{
    EXPECT_EQ(actual.value, expected.value);
    EXPECT_EQ(actual.station, expected.station);
    EXPECT_EQ(actual.width, expected.width);
    EXPECT_EQ(actual.limit, expected.limit);
    if (std::isnan(expected.speed))
        EXPECT_TRUE(std::isnan(actual.speed));
    else
        EXPECT_EQ(actual.speed, expected.speed);
    EXPECT_EQ(std::signbit(actual.speed), std::signbit(expected.speed));
    EXPECT_EQ(actual.comment, expected.comment);
    EXPECT_EQ(actual.hasComment, expected.hasComment);
}

void ExpectStore(const PointStore& store, const std::vector<MESSUNG>& expected)
{
    ASSERT_EQ(store.size(), expected.size());
    EXPECT_EQ(store.empty(), expected.empty());
    size_t k = 0;
    for (const MESSUNG& point : store) {
        SCOPED_TRACE("point " + std::to_string(k));
        ExpectSamePoint(point, expected[k]);
        EXPECT_EQ(store.Value(k), expected[k].value);
        EXPECT_EQ(store.Station(k), expected[k].station);
        EXPECT_EQ(store.Width(k), expected[k].width);
        EXPECT_EQ(store.Limit(k), expected[k].limit);
        EXPECT_EQ(store.HasComment(k), expected[k].hasComment);
        EXPECT_EQ(store.Comment(k), expected[k].comment);
        ++k;
    }
}

// Points whose limit, speed and comment appear only part of the way through.
std::vector<MESSUNG> MixedPoints()
{
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    return {
        Point(13, 1000, 350),
        Point(-3, 1001, 350, -1, -1.0, "", true),  // a bare comment marker
        Point(kMin, kMax, kMin),
        Point(7, 1003, 375, 40),  // the first limit
        Point(8, 1004, 375, -1, 4.5),  // the first speed
        Point(9, 1005, 375, 0, 0.0, "Fuge", true),
        Point(10, 1006, 375, -1, std::numeric_limits<double>::quiet_NaN()),
        Point(11, 1007, 375, -1, -0.0),
        Point(12, 1008, 375, -1, -2.0, "text without the flag", false),
        Point(0, 0, 0),
    };
}

TEST(PointStore, GivesBackEveryPointAsStored)
{
    PointStore store;
    const std::vector<MESSUNG> points = MixedPoints();
    for (const MESSUNG& point : points)
        store.push_back(point);
    ExpectStore(store, points);
    ExpectSamePoint(store.front(), points.front());
    ExpectSamePoint(store.back(), points.back());
    EXPECT_TRUE(store.HasSpeeds());
    EXPECT_EQ(store.CommentedPoints(0, store.size()), (std::vector<size_t>{1, 5}));
    EXPECT_EQ(store.CommentedPoints(2, 5), std::vector<size_t>{});
    EXPECT_EQ(store.PointsWithCommentText(0, store.size()), (std::vector<size_t>{5, 8}));
}

TEST(PointStore, PointsWithoutSpeedLimitOrCommentTakeNoRoomForThem)
{
    PointStore store;
    store.reserve(3);
    store.push_back(Point(1, 10, 300));
    store.push_back(Point(2, 11, 300));
    EXPECT_FALSE(store.HasSpeeds());
    EXPECT_EQ(store.Speed(1), -1.0);
    EXPECT_EQ(store.Limit(1), -1);
    EXPECT_EQ(store.Comment(0), "");
}

TEST(PointStore, SetReplacesAPointAndItsComment)
{
    PointStore store;
    const std::vector<MESSUNG> points = MixedPoints();
    for (const MESSUNG& point : points)
        store.push_back(point);
    std::vector<MESSUNG> expected = points;
    const struct {
        size_t index;
        MESSUNG point;
    } changes[] = {
        {5, Point(1, 2, 3)},                           // comment, limit and speed removed
        {0, Point(4, 5, 6, 70, 8.0, "neu", true)},     // all of them added
        {9, Point(1, 1, 1, -1, -1.0, "", true)},       // only the flag
        {1, Point(2, 2, 2, -1, -1.0, "x", false)},     // text without the flag
    };
    for (const auto& change : changes) {
        store.Set(change.index, change.point);
        expected[change.index] = change.point;
        ExpectStore(store, expected);
    }
    store.SetStation(3, -42);
    expected[3].station = -42;
    ExpectStore(store, expected);
}

TEST(PointStore, ReverseTurnsEveryColumnAndComment)
{
    for (size_t count : {0u, 1u, 2u, 10u}) {
        SCOPED_TRACE(count);
        std::vector<MESSUNG> points = MixedPoints();
        points.resize(count);
        PointStore store;
        for (const MESSUNG& point : points)
            store.push_back(point);
        store.Reverse();
        ExpectStore(store, std::vector<MESSUNG>(points.rbegin(), points.rend()));
    }
}

// Lane widths are kept as stretches while they change seldom; a run whose width
// changes at every other point, or one width changed afterwards, must read the same.
TEST(PointStore, WidthsThatChangeSeldomOrOften)
{
    for (const int period : {1, 2, 3, 500, 100000}) {
        SCOPED_TRACE("width changes every " + std::to_string(period) + " points");
        std::vector<MESSUNG> points;
        PointStore store;
        store.reserve(3000);
        for (int i = 0; i < 3000; ++i) {
            points.push_back(Point(i, 10 * i, 300 + (i / period) % 7));
            store.push_back(points.back());
        }
        ExpectStore(store, points);
        store.Reverse();
        std::vector<MESSUNG> reversed(points.rbegin(), points.rend());
        ExpectStore(store, reversed);
        reversed[1234].width = -1;
        store.Set(1234, reversed[1234]);
        reversed[0].width = reversed[0].width;
        store.Set(0, reversed[0]);
        ExpectStore(store, reversed);
        store.Reverse();
        ExpectStore(store, std::vector<MESSUNG>(reversed.rbegin(), reversed.rend()));
    }
}

TEST(PointStore, ClearDropsEverything)
{
    PointStore store;
    for (const MESSUNG& point : MixedPoints())
        store.push_back(point);
    store.clear();
    ExpectStore(store, {});
    EXPECT_FALSE(store.HasSpeeds());
    store.push_back(Point(1, 2, 3));
    ExpectStore(store, {Point(1, 2, 3)});
}

}  // namespace
}  // namespace kurvex
