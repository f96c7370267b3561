#include <gtest/gtest.h>

#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

// A run read from a PM01BS02 file with points at the given stations (dm).
CMessFahrtDaten RunWithStations(const std::vector<int>& stations)
{
    std::string bytes = "PM01BS02\r\n***\r\n";
    for (size_t i = 0; i < stations.size(); ++i)
        bytes += test::Pm01bs02Record(1.0 + 0.1 * static_cast<double>(i), stations[i] / 10000.0, 3.5,
                                      i == 1 ? "Fuge" : "");
    bytes += "***\r\n";
    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    EXPECT_TRUE(run.IsLoaded());
    return run;
}

std::vector<int32_t> WindowStations(const CMessFahrtDaten& run)
{
    std::vector<int32_t> stations;
    for (int i = 0; i < run.GetCount(); ++i)
        stations.push_back(run.GetStation(i));
    return stations;
}

TEST(ResetRange, TheLargerEndMovesOneUnitOut)
{
    struct Case {
        std::vector<int> stations;
        int32_t from;
        int32_t to;
        bool ascending;
    } const cases[] = {
        {{5000, 3000, 1000}, 5001, 1000, false},
        {{1000, 3000, 5000}, 1000, 5001, true},
        {{700}, 701, 700, false},
    };
    for (const Case& c : cases) {
        CMessFahrtDaten run = RunWithStations(c.stations);
        run.ResetRange();
        EXPECT_EQ(run.RangeFrom(), c.from);
        EXPECT_EQ(run.RangeTo(), c.to);
        EXPECT_EQ(run.IsAscending(), c.ascending);
    }
}

TEST(ApplyAdjustments, ShiftsToTheStartAndSetsTheDirection)
{
    struct Case {
        const char* adjust;
        bool reverse;
        std::vector<int32_t> stations;
        int32_t offset;
    } const cases[] = {
        {"100;1", false, {100, 110, 120}, 1900},
        {"100;0", false, {100, 90, 80}, 1900},
        {"", false, {2000, 2010, 2020}, 0},
        {"", true, {2020, 2010, 2000}, 0},
        {"x;1", false, {0, 10, 20}, 2000},
    };
    for (const Case& c : cases) {
        CMessFahrtDaten run = RunWithStations({2000, 2010, 2020});
        run.SetAdjust(c.adjust);
        run.SetReverseOrder(c.reverse);
        run.ApplyAdjustments();
        run.RebuildWindow();
        EXPECT_EQ(WindowStations(run), c.stations) << c.adjust;
        EXPECT_EQ(run.StationOffset(), c.offset) << c.adjust;
    }
}

TEST(ApplyAdjustments, ExtremeStartStationsStayDefined)
{
    CMessFahrtDaten run = RunWithStations({2000, 2010});
    run.SetAdjust("-2147483648;0");
    run.ApplyAdjustments();
    run.RebuildWindow();
    EXPECT_EQ(run.GetCount(), 2);
}

TEST(Window, CorrectionRangeAndShift)
{
    CMessFahrtDaten run = RunWithStations({1000, 1010, 1020, 1030});
    run.SetRange(1010, 1021);
    EXPECT_EQ(WindowStations(run), (std::vector<int32_t>{1010, 1020}));
    run.SetCorrection(5);
    EXPECT_EQ(run.GetValue(0), 16);         // 1.1 mm + 0.5 mm
    EXPECT_EQ(run.Points()[1].value, 11);   // the points as read are untouched
    run.SetRange(1021, 1010);               // a descending range selects the same stretch
    EXPECT_EQ(WindowStations(run), (std::vector<int32_t>{1010, 1020}));
    run.ShiftStations(-10);
    EXPECT_EQ(WindowStations(run), (std::vector<int32_t>{1000, 1010}));
    EXPECT_EQ(run.RangeFrom(), 1011);

    int32_t station = -1;
    int32_t raw = -1;
    std::string comment = "unchanged";
    run.GetPointInfo(0, station, raw, comment);
    EXPECT_EQ(station, 1000);
    EXPECT_EQ(raw, 990);  // point 0 of the file, not of the window
    EXPECT_EQ(comment, "Fuge");
    comment = "unchanged";
    run.GetPointInfo(9, station, raw, comment);
    EXPECT_EQ(station, 0);
    EXPECT_EQ(comment, "unchanged");
}

TEST(Window, IndicesPastTheEndGiveNeutralResults)
{
    CMessFahrtDaten run = RunWithStations({1000, 1010});
    run.SelectWholeRun();
    EXPECT_EQ(run.GetStation(2), 0);
    EXPECT_EQ(run.GetValue(-1), 0);
    EXPECT_EQ(run.GetComment(5), "");
    EXPECT_FALSE(run.HasComment(5));
    EXPECT_TRUE(run.HasComment(1));
    EXPECT_EQ(run.GetPoint(7).limit, -1);
    EXPECT_FALSE(run.HasSpeedData());
    run.Clear();
    EXPECT_EQ(run.GetCount(), 0);
    EXPECT_EQ(run.FirstStation(), 0);
}

TEST(MirrorRun, ReversesOrderAndStations)
{
    // Each station s becomes (last - first) - s: a run from 0 keeps its stretch.
    CMessFahrtDaten run = RunWithStations({0, 30, 100});
    run.MirrorRun();
    run.SelectWholeRun();
    EXPECT_EQ(WindowStations(run), (std::vector<int32_t>{0, 70, 100}));
    EXPECT_EQ(run.GetValue(0), 12);
}

TEST(HeaderTextIterator, DeviceOrderOrOwnLabels)
{
    HeaderTextIterator device("12.03.2015 10:22\xBF" "Amt\xBF");
    std::string label;
    std::string value;
    device.Next(label, value);
    EXPECT_EQ(label, "Messzeitpunkt");
    EXPECT_EQ(value, "12.03.2015 10:22");
    device.Next(label, value);
    EXPECT_EQ(label, "Dienststelle");
    EXPECT_EQ(value, "Amt");
    for (int i = 0; i < 8; ++i)
        device.Next(label, value);
    EXPECT_EQ(label, "");
    EXPECT_EQ(value, "");

    HeaderTextIterator labelled("Datum: 12.03.2015 10:22:00\xBF");
    EXPECT_TRUE(labelled.IsLabelled());
    labelled.Next(label, value);
    EXPECT_EQ(label, "Datum:");
    EXPECT_EQ(value, "12.03.2015 10:22:00");
    EXPECT_FALSE(HeaderTextIterator("Abc: x").IsLabelled());  // three letters are not enough
}

}  // namespace
}  // namespace kurvex
