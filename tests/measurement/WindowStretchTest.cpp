// The window of a run is the points inside its range, in file order. Usually
// they are one stretch of the points; where stations turn back they are not.
// Either way every accessor must see exactly the points the range selects.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "measurement/MessFahrtDaten.h"

namespace kurvex {
namespace {

MESSUNG Point(int32_t station, int32_t value, const std::string& comment = "", double speed = -1.0)
{
    MESSUNG point;
    point.station = station;
    point.value = value;
    point.width = 350 + value % 3;
    point.speed = speed;
    point.SetComment(comment);
    return point;
}

// The points the range selects, by the rule: from <= station <= to, either way round.
std::vector<MESSUNG> Selected(const std::vector<MESSUNG>& points, int32_t from, int32_t to)
{
    const int32_t low = std::min(from, to);
    const int32_t high = from < to ? to : from;
    std::vector<MESSUNG> selected;
    for (const MESSUNG& point : points) {
        if (point.station >= low && point.station <= high)
            selected.push_back(point);
    }
    return selected;
}

TEST(WindowStretch, EveryAccessorSeesTheSelectedPoints)
{
    const std::vector<MESSUNG> runs[] = {
        // ascending
        {Point(10, 1), Point(20, 2, "a"), Point(30, 3), Point(40, 4, "b"), Point(50, 5)},
        // descending
        {Point(50, 1, "a"), Point(40, 2), Point(30, 3, "b"), Point(20, 4), Point(10, 5)},
        // a recording that went back over its stations: the window is no stretch
        {Point(10, 1), Point(20, 2, "a", 4.0), Point(30, 3), Point(15, 4, "b", 5.0), Point(25, 5, "c"),
         Point(40, 6, "", 6.0), Point(5, 7, "d")},
    };
    const struct {
        int32_t from;
        int32_t to;
    } ranges[] = {{0, 100}, {20, 30}, {15, 25}, {30, 20}, {25, 15}, {60, 70}, {40, 40}, {10, 11}};
    for (size_t r = 0; r < std::size(runs); ++r) {
        for (const auto& range : ranges) {
            SCOPED_TRACE("run " + std::to_string(r) + " range " + std::to_string(range.from) + ".."
                         + std::to_string(range.to));
            CMessFahrtDaten run;
            run.AssignPoints(runs[r]);
            run.SetCorrection(3);
            run.SetRange(range.from, range.to);
            const std::vector<MESSUNG> expected = Selected(runs[r], range.from, range.to);
            ASSERT_EQ(run.GetCount(), static_cast<int>(expected.size()));
            std::vector<int> commented;
            int speeds = 0;
            for (int i = 0; i < run.GetCount(); ++i) {
                const MESSUNG& point = expected[static_cast<size_t>(i)];
                EXPECT_EQ(run.GetStation(i), point.station);
                EXPECT_EQ(run.GetValue(i), point.value + 3);
                EXPECT_EQ(run.GetWidth(i), point.width);
                EXPECT_EQ(run.GetSpeed(i), point.speed);
                EXPECT_EQ(run.GetComment(i), point.comment);
                EXPECT_EQ(run.HasComment(i), point.hasComment);
                EXPECT_EQ(run.GetPoint(i).value, point.value + 3);
                if (point.hasComment)
                    commented.push_back(i);
                if (point.HasSpeed())
                    ++speeds;
            }
            EXPECT_EQ(run.CommentedWindowPoints(), commented);
            EXPECT_EQ(run.SpeedCount(), speeds);
            EXPECT_EQ(run.GetStation(run.GetCount()), 0);
        }
    }
}

}  // namespace
}  // namespace kurvex
