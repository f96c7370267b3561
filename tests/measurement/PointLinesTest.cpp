// The chart and the file viewer follow each other through the line of a point.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "measurement/PointLines.h"
#include "support/RunHelpers.h"

namespace kurvex {
namespace {

using test::ReadFixture;

// The line of each window point, none where it has none.
std::vector<std::optional<size_t>> LinesOfWindow(const CMessFahrtDaten& run)
{
    std::vector<std::optional<size_t>> lines;
    for (int i = 0; i < run.GetCount(); ++i)
        lines.push_back(run.FileLineOfWindowPoint(i));
    return lines;
}

std::vector<std::optional<int>> PointsOfLines(const CMessFahrtDaten& run)
{
    std::vector<std::optional<int>> points;
    for (size_t line = 0; line < run.FileTextLineCount(); ++line)
        points.push_back(run.WindowPointOfFileLine(line));
    return points;
}

// Seven header lines, three records and a line of five fields between them
// that holds no point (stations 100, 123, 200).
TEST(PointLines, RecordLinesAndTheirPointsBothWays)
{
    CMessFahrtDaten run = ReadFixture("pm01bs01.txt");
    run.SelectWholeRun();
    ASSERT_EQ(run.GetCount(), 3);
    EXPECT_EQ(LinesOfWindow(run), (std::vector<std::optional<size_t>>{7, 8, 10}));
    std::vector<std::optional<int>> expected(run.FileTextLineCount());
    expected[7] = 0;
    expected[8] = 1;
    expected[10] = 2;
    EXPECT_EQ(PointsOfLines(run), expected);
    EXPECT_EQ(run.WindowPointOfFileLine(run.FileTextLineCount()), std::nullopt);
    EXPECT_EQ(run.FileLineOfWindowPoint(-1), std::nullopt);
    EXPECT_EQ(run.FileLineOfWindowPoint(3), std::nullopt);
}

// A mirrored run holds its points in reverse: its first window point is the
// file's last record; the file's lines stay as they are.
TEST(PointLines, AReversedRunKeepsEachPointOnItsOwnLine)
{
    CMessFahrtDaten run = ReadFixture("pm01bs01.txt");
    run.SetReverseOrder(true);
    run.ApplyAdjustments();
    run.SelectWholeRun();
    ASSERT_EQ(run.GetCount(), 3);
    EXPECT_EQ(LinesOfWindow(run), (std::vector<std::optional<size_t>>{10, 8, 7}));
    EXPECT_EQ(run.WindowPointOfFileLine(10), 0);
    EXPECT_EQ(run.WindowPointOfFileLine(7), 2);
    EXPECT_EQ(run.FileTextLine(*run.FileLineOfWindowPoint(0)),
              "1.1\t0.0200\t3.75\tBr\xC3\xBC"
              "cke");
}

// Points outside the range are not on the chart: their lines lead nowhere,
// the window's points keep their lines.
TEST(PointLines, OnlyThePointsOfTheWindowHaveLines)
{
    struct Case {
        const char* name;
        int32_t from;
        int32_t to;
        std::vector<std::optional<size_t>> lines;
    };
    const Case cases[] = {
        {"without the first", 110, 201, {8, 10}},
        {"the middle one", 110, 150, {8}},
        {"descending range", 201, 110, {8, 10}},
    };
    for (const Case& c : cases) {
        CMessFahrtDaten run = ReadFixture("pm01bs01.txt");
        run.SetRange(c.from, c.to);
        EXPECT_EQ(LinesOfWindow(run), c.lines) << c.name;
        EXPECT_EQ(run.WindowPointOfFileLine(7), std::nullopt) << c.name;
        EXPECT_EQ(run.WindowPointOfFileLine(8), 0) << c.name;
    }
}

// Every record format, every point: the line of a point leads back to it and
// shows its station; the text formats keep no records and link nothing.
TEST(PointLines, EveryPointOfTheSamplesLeadsToItsLineAndBack)
{
    for (const char* name : {"pm01bs02_sample.pbs", "imexport_sample.exp", "pm01bs01_sample.txt"}) {
        CMessFahrtDaten run;
        ASSERT_TRUE(run.LoadFromFile(test::SamplePath(name)));
        run.SelectWholeRun();
        ASSERT_GT(run.GetCount(), 100) << name;
        for (int i = 0; i < run.GetCount(); ++i) {
            const std::optional<size_t> line = run.FileLineOfWindowPoint(i);
            ASSERT_TRUE(line) << name << " point " << i;
            ASSERT_EQ(run.WindowPointOfFileLine(*line), i) << name << " point " << i;
        }
    }
    for (const char* name : {"planograph_sample.csv", "listing_sample.lst", "dated5_sample.csv"}) {
        CMessFahrtDaten run;
        ASSERT_TRUE(run.LoadFromFile(test::SamplePath(name)));
        run.SelectWholeRun();
        ASSERT_GT(run.GetCount(), 0) << name;
        EXPECT_EQ(run.FileLineOfWindowPoint(0), std::nullopt) << name;
        for (size_t line = 0; line < run.FileTextLineCount(); ++line)
            ASSERT_EQ(run.WindowPointOfFileLine(line), std::nullopt) << name << " line " << line;
    }
}

CMessFahrtDaten RunAt(const std::vector<int32_t>& stations)
{
    std::vector<MESSUNG> points;
    for (const int32_t station : stations) {
        MESSUNG point;
        point.station = station;
        points.push_back(point);
    }
    CMessFahrtDaten run;
    run.AssignPoints(points);
    run.SelectWholeRun();
    return run;
}

TEST(PointLines, ThePointNearestAStation)
{
    struct Case {
        const char* name;
        std::vector<int32_t> stations;
        int32_t station;
        std::optional<int> nearest;
    };
    const Case cases[] = {
        {"on a point", {100, 110, 120, 130}, 120, 2},
        {"between, nearer the next", {100, 110, 120, 130}, 117, 2},
        {"between, nearer the one before", {100, 110, 120, 130}, 113, 1},
        {"half way: the first", {100, 110, 120, 130}, 115, 1},
        {"before the run", {100, 110, 120, 130}, -5000, 0},
        {"after the run", {100, 110, 120, 130}, 9000, 3},
        {"several at the station: the first", {100, 110, 110, 110, 120}, 111, 1},
        {"several after: the first", {100, 110, 120, 120, 120}, 119, 2},
        {"falling", {130, 120, 110, 100}, 118, 1},
        {"falling, after the run", {130, 120, 110, 100}, 20, 3},
        {"unordered", {100, 300, 200, 400}, 210, 2},
        {"unordered, tie", {100, 300, 200, 400}, 250, 1},
        {"one point", {500}, 0, 0},
        {"no point", {}, 0, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NearestWindowPoint(RunAt(c.stations), c.station), c.nearest) << c.name;
}

}  // namespace
}  // namespace kurvex
