#include <gtest/gtest.h>

#include "document/Fifo.h"
#include "document/FirstLoadAdjustments.h"

namespace kurvex {
namespace {

TEST(FirstLoadAdjustments, OkWithoutTouchingAnythingStoresNothing)
{
    const FirstLoadAdjustments model(0, 5000);
    EXPECT_EQ(model.OkResult(), "");
    EXPECT_EQ(model.StateHeading(), "");
    EXPECT_EQ(model.ShownStartText(), "");
    EXPECT_EQ(model.FileStartText(), "0.0");
    EXPECT_EQ(model.FileEndText(), "500.0");
    EXPECT_EQ(model.NewEndText(), "500.0");
    EXPECT_TRUE(model.Ascending());
}

TEST(FirstLoadAdjustments, UserInputsGiveEndHeadingAndResult)
{
    struct Case {
        int32_t fileStart;
        int32_t fileEnd;
        bool adjust;
        const char* start;
        bool ascending;
        bool mirror;
        int32_t newStart;
        int32_t newEnd;
        const char* heading;
        const char* shownStart;
        const char* shownEnd;
        const char* result;
    } const cases[] = {
        {0, 5000, true, "100", true, false, 1000, 6000, "angepasst", "100.0", "600.0", "1000;1"},
        {0, 5000, true, "0", false, false, 0, -5000, "angepasst", "0.0", "-500.0", "0;0"},
        {0, 5000, true, "0", true, false, 0, 5000, "", "", "", ""},
        {0, 5000, false, "100", true, true, 1000, 6000, "gespiegelt", "500.0", "0.0", ""},
        {0, 5000, true, "12,35", true, true, 123, 5123, "angepasst und gespiegelt", "512.3", "12.3", "123;1"},
        {5000, 1000, true, "0.5", false, false, 5, -3995, "angepasst", "0.5", "-399.5", "5;0"},
    };
    for (const Case& c : cases) {
        FirstLoadAdjustments model(c.fileStart, c.fileEnd);
        model.SetAdjust(c.adjust);
        model.SetStartText(c.start);
        model.SetAscending(c.ascending);
        model.SetMirror(c.mirror);
        EXPECT_EQ(model.NewStart(), c.newStart) << c.start;
        EXPECT_EQ(model.NewEnd(), c.newEnd) << c.start;
        EXPECT_EQ(model.StateHeading(), c.heading) << c.start;
        EXPECT_EQ(model.ShownStartText(), c.shownStart) << c.start;
        EXPECT_EQ(model.ShownEndText(), c.shownEnd) << c.start;
        EXPECT_EQ(model.OkResult(), c.result) << c.start;
    }
}

TEST(FirstLoadAdjustments, HugeStartStaysDefined)
{
    FirstLoadAdjustments model(0, 5000);
    model.SetAdjust(true);
    model.SetStartText("1e40");
    EXPECT_EQ(model.NewStart(), 2147483647);
    EXPECT_EQ(model.NewEnd(), 2147483647);
}

TEST(CFifo, NewestFirstOldestFallsOut)
{
    CFifo fifo;
    EXPECT_TRUE(fifo.SetCapacity(2));
    EXPECT_FALSE(fifo.SetCapacity(11));
    EXPECT_EQ(fifo.Capacity(), 2);
    fifo.Push("100");
    fifo.Push("200");
    fifo.Push("300");
    EXPECT_EQ(fifo.Get(0), "300");
    EXPECT_EQ(fifo.Get(1), "200");
    EXPECT_EQ(fifo.Get(2), "");
    EXPECT_EQ(fifo.Get(42), "");
    EXPECT_TRUE(fifo.SetCapacity(2));
    EXPECT_EQ(fifo.Get(0), "");
}

}  // namespace
}  // namespace kurvex
