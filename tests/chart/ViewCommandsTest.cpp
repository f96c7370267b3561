#include "chart/ViewCommands.h"

#include "document/Fifo.h"

#include <gtest/gtest.h>

namespace kurvex {
namespace {

TEST(ViewCommands, PagingStaysInsideTheChartButKeepsAPageBeyondIt)
{
    const struct {
        int current;
        int count;
        int back;
        int forward;
    } table[] = {
        {1, 3, 1, 2},  // page back on page 1 does nothing
        {2, 3, 1, 3},
        {3, 3, 2, 3},  // page forward on the last page does nothing
        {5, 3, 4, 5},  // beyond the count after a layout change: forward refused, back works
        {1, 0, 1, 1},  // a run without points
        {1, 1, 1, 1},
    };
    for (const auto& row : table) {
        EXPECT_EQ(PageBackTarget(row.current), row.back) << row.current << " of " << row.count;
        EXPECT_EQ(PageForwardTarget(row.current, row.count), row.forward) << row.current << " of " << row.count;
    }
}

TEST(ViewCommands, ControlWinsOverAltAndAPlainClickPicks)
{
    EXPECT_EQ(ClickKindFor(false, false), ClickKind::Pick);
    EXPECT_EQ(ClickKindFor(false, true), ClickKind::ExcludedRange);
    EXPECT_EQ(ClickKindFor(true, false), ClickKind::Ignore);
    EXPECT_EQ(ClickKindFor(true, true), ClickKind::Ignore);
}

TEST(ViewCommands, APickIsPushedUnlessItRepeatsTheNewest)
{
    CFifo picked;
    picked.SetCapacity(2);
    EXPECT_TRUE(PickStation(picked, 1000));
    EXPECT_EQ(picked.Get(0), "1000");
    EXPECT_EQ(picked.Get(1), "");
    EXPECT_FALSE(PickStation(picked, 1000));  // the same station again changes nothing
    EXPECT_EQ(picked.Get(1), "");
    EXPECT_TRUE(PickStation(picked, 1235));
    EXPECT_EQ(picked.Get(0), "1235");
    EXPECT_EQ(picked.Get(1), "1000");
    EXPECT_TRUE(PickStation(picked, 1000));  // equal to the older entry only: pushed, 1000 is newest again
    EXPECT_EQ(picked.Get(0), "1000");
    EXPECT_EQ(picked.Get(1), "1235");
    EXPECT_TRUE(PickStation(picked, -12));
    EXPECT_EQ(picked.Get(0), "-12");
    EXPECT_EQ(picked.Get(1), "1000");
}

TEST(ViewCommands, ANonNumericNewestEntryIsComparedAsText)
{
    CFifo picked;
    picked.SetCapacity(2);
    picked.Push("0x");
    EXPECT_TRUE(PickStation(picked, 0));
    EXPECT_EQ(picked.Get(0), "0");
    EXPECT_EQ(PickedStationText(-2147483647 - 1), "-2147483648");
}

TEST(ViewCommands, PrintedPagesOfTheDialogsChoice)
{
    const struct {
        PrintRangeKind kind;
        int from;
        int to;
        int max;
        int current;
        int first;
        int last;
    } table[] = {
        {PrintRangeKind::All, 2, 3, 5, 4, 1, 5},
        {PrintRangeKind::Pages, 2, 3, 5, 4, 2, 3},
        {PrintRangeKind::Pages, 0, 0, 5, 4, 1, 5},  // open ends
        {PrintRangeKind::Pages, 4, 9, 5, 1, 4, 5},  // clamped to the pages there are
        {PrintRangeKind::Pages, 7, 9, 5, 1, 7, 5},  // nothing left: empty
        {PrintRangeKind::Current, 1, 1, 5, 4, 4, 4},
        {PrintRangeKind::Current, 1, 1, 3, 4, 3, 3},  // beyond the last page after a layout change
        {PrintRangeKind::All, 0, 0, 0, 1, 1, 0},      // nothing to print
    };
    for (const auto& row : table) {
        const PageSpan span = PrintedPages(row.kind, row.from, row.to, row.max, row.current);
        EXPECT_EQ(span.first, row.first) << int(row.kind) << " " << row.from << "-" << row.to << " of " << row.max;
        EXPECT_EQ(span.last, row.last) << int(row.kind) << " " << row.from << "-" << row.to << " of " << row.max;
    }
    EXPECT_TRUE(PrintedPages(PrintRangeKind::Pages, 7, 9, 5, 1).Empty());
    EXPECT_TRUE(PrintedPages(PrintRangeKind::All, 0, 0, 0, 1).Empty());
    EXPECT_FALSE(PrintedPages(PrintRangeKind::Current, 0, 0, 1, 1).Empty());
}

TEST(ViewCommands, SideFileIsTheFullPathWithZi4Appended)
{
    EXPECT_EQ(SideFilePath("/data/runs/a b.pbs"), "/data/runs/a b.pbs.zi4");
    EXPECT_EQ(SideFilePath("C:\\runs\\x.PBS"), "C:\\runs\\x.PBS.zi4");
}

}  // namespace
}  // namespace kurvex
