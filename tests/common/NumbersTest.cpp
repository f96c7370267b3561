#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/Numbers.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

TEST(RoundHalfAway, HalvesGoAwayFromZeroAndEverythingIsDefined)
{
    struct Case {
        double x;
        int32_t expected;
    } const cases[] = {
        {2.5, 3},
        {-2.5, -3},
        {122.99999999999999, 123},
        {-0.4, 0},
        {0.49, 0},
        {1e300, std::numeric_limits<int32_t>::max()},
        {-1e300, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::max()},
        {-std::numeric_limits<double>::infinity(), std::numeric_limits<int32_t>::min()},
        {std::nan(""), 0},
        {2147483647.4, 2147483647},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundHalfAway(c.x), c.expected) << c.x;
    EXPECT_EQ(ClampToInt32(-7.9), -7);
}

TEST(ParseNumber, CommaOrPointBeforeTheFirstLetterOrTab)
{
    struct Case {
        const char* text;
        double expected;
    } const cases[] = {
        {"0,0123", 0.0123}, {"12.5 km", 12.5}, {"", 0.0},    {"abc", 0.0},     {"1,25", 1.25},
        {"-3,5", -3.5},     {"  7", 7.0},      {"+2,5", 2.5}, {"1e3", 1000.0}, {"1,5\t2,5", 1.5},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ParseNumber(c.text), c.expected) << c.text;
}

TEST(ToInt, LeadingIntegerSaturates)
{
    EXPECT_EQ(ToInt("  42abc"), 42);
    EXPECT_EQ(ToInt("-17;1"), -17);
    EXPECT_EQ(ToInt("x"), 0);
    EXPECT_EQ(ToInt("99999999999999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ToInt("-99999999999999999999"), std::numeric_limits<int32_t>::min());
    EXPECT_DOUBLE_EQ(ToDouble("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(ToDouble("1e-999"), 0.0);
}

TEST(Formats, FixedTenthsAndNormalised)
{
    EXPECT_EQ(FormatFixed(1.5, 6), "1.500000");
    EXPECT_EQ(FormatFixed(0.0123, 4), "0.0123");
    EXPECT_EQ(FormatFixed(-0.004, 2), "-0.00");
    EXPECT_EQ(FormatFixed(2.675, 2), "2.67");  // the binary value lies below 2.675, as printf sees it
    EXPECT_EQ(FormatFixed(1e20, 1), "100000000000000000000.0");
    EXPECT_EQ(FormatFixed(std::nan(""), 2), "nan");
    EXPECT_EQ(FormatTenths(-5), "-0.5");
    EXPECT_EQ(FormatInt(-12), "-12");
    EXPECT_EQ(TenthsText("45"), "4.5");
    EXPECT_EQ(NormalizeNumber(" 1,5 ", 2), "1.50");
    EXPECT_EQ(NormalizeNumber("   ", 2), "");
}

TEST(ScanValues, PatternsOfTheFileReaders)
{
    double v[6] = {};
    EXPECT_EQ(ScanValues("12.03.2015 10:22", "%2d.%2d.%4d %2d:%2d", v, 6), 5);
    EXPECT_EQ(v[0], 12);
    EXPECT_EQ(v[2], 2015);
    EXPECT_EQ(v[4], 22);
    EXPECT_EQ(ScanValues("Datum: 3.4.2016 Zeit: 9:05:00", "Datum: %2d.%2d.%4d Zeit: %2d:%2d:%2d", v, 6), 6);
    EXPECT_EQ(v[0], 3);
    EXPECT_EQ(v[3], 9);
    EXPECT_EQ(v[4], 5);
    EXPECT_EQ(ScanValues("Grenzwert 4.0", "Grenzwert %lf", v, 6), 1);
    EXPECT_DOUBLE_EQ(v[0], 4.0);
    EXPECT_EQ(ScanValues("0.1234 1.5 42.0", "%lf%lf%lf%lf", v, 6), 3);
    EXPECT_DOUBLE_EQ(v[2], 42.0);
    EXPECT_EQ(ScanValues("0,1234 1,5", "%lf%lf", v, 6), 1);  // a comma ends the number
    EXPECT_EQ(ScanValues("0.0150;-0.8;", "%lf;%lf;", v, 6), 2);
    EXPECT_DOUBLE_EQ(v[1], -0.8);
    EXPECT_EQ(ScanValues("x1", "%d", v, 6), 0);
    EXPECT_EQ(ScanValues("123456", "%2d%2d", v, 1), 1);  // never more than asked for
    EXPECT_EQ(ScanValues("99999999999999", "%d", v, 6), 1);
    EXPECT_EQ(v[0], std::numeric_limits<int32_t>::max());
}

void ExpectCConventionUnderGermanLocale()
{
    EXPECT_EQ(FormatFixed(1.5, 2), "1.50");
    EXPECT_DOUBLE_EQ(ToDouble("1.25"), 1.25);
    EXPECT_DOUBLE_EQ(ParseNumber("1,25"), 1.25);
    double v[2] = {};
    EXPECT_EQ(ScanValues("1.5 2.5", "%lf%lf", v, 2), 2);
    EXPECT_DOUBLE_EQ(v[1], 2.5);
}

TEST(Numbers, StayInTheCConventionUnderAGermanLocale)
{
    if (!test::WithGermanNumericLocale(&ExpectCConventionUnderGermanLocale))
        GTEST_SKIP() << "no German locale installed";
}

}  // namespace
}  // namespace kurvex
