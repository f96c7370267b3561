// The fast readers and writers of the numbers in data lines must give exactly
// what the general ones give: the same double, the same text.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <string>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/ExportLine.h"
#include "measurement/FieldNumbers.h"

namespace kurvex {
namespace {

uint64_t Bits(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// The same double, bit for bit (NaN and the sign of zero included).
void ExpectSameNumber(double actual, double expected, const std::string& text)
{
    EXPECT_EQ(Bits(actual), Bits(expected)) << "\"" << text << "\": " << actual << " against " << expected;
}

void ExpectReadAlike(const std::string& text)
{
    ExpectSameNumber(ReadExchangeNumber(text), ToDouble(CommaToPoint(text)), text);
    ExpectSameNumber(ReadDeviceNumber(text), ParseNumber(text), text);
}

TEST(FieldNumbers, ReadAsTheGeneralReadersDo)
{
    const char* const texts[] = {
        "", "0", "-0", "+0", "0,0", "-0,000000", "1,500000", "1.500000", "-2,3", "12,000100", " \t 7,25",
        "1,5;rest", "1,5,3", "1..5", "1,,5", ",5", ".5", "+,5", "-.5", "-", "+", ".", ",", "+-1", "--1",
        "1e3", "1E-2", "1,5e3", "1e", "1e+", "2.5x", "x2.5", "\t1,5", "1\t,5", "1 ,5", "1a,5",
        "123456789012345", "1234567890123456", "12345678901234567890", "0,1234567890123456789",
        "0.000000000000000000001", "0,0000000000000000000000001", "9007199254740993", "999999999999999,9",
        "214748364,7", "1e400", "-1e400", "1e-400", "nan", "inf", "0x10", "\xE4" "1",
    };
    for (const char* text : texts)
        ExpectReadAlike(text);
}

TEST(FieldNumbers, ReadRandomDecimalsAsTheGeneralReadersDo)
{
    std::mt19937 random(4711);
    const std::string characters = "0123456789,.-+ e";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(characters.size()) - 1);
    std::uniform_int_distribution<int> length(1, 20);
    std::uniform_int_distribution<int> digit(0, 9);
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        if (i % 2 == 0) {
            // Plain decimals of all lengths, as the files have them.
            const int whole = length(random) % 12;
            const int decimals = length(random) % 12;
            if (i % 6 == 0)
                text += '-';
            for (int d = 0; d < whole; ++d)
                text += static_cast<char>('0' + digit(random));
            text += i % 4 == 0 ? ',' : '.';
            for (int d = 0; d < decimals; ++d)
                text += static_cast<char>('0' + digit(random));
        } else {
            for (int c = length(random); c > 0; --c)
                text += characters[static_cast<size_t>(pick(random))];
        }
        ExpectReadAlike(text);
    }
}

// printf's "%.2f" of value / 10, "%.4f" of station / 10000, "%.2f" of width / 100.
void ExpectViewerNumbers(int32_t n)
{
    std::string value;
    AppendViewerValue(value, n);
    EXPECT_EQ(value, FormatFixed(n / 10.0, 2)) << n;
    std::string station;
    AppendViewerStation(station, n);
    EXPECT_EQ(station, FormatFixed(n / 10000.0, 4)) << n;
    std::string width;
    AppendViewerWidth(width, n);
    EXPECT_EQ(width, FormatFixed(n / 100.0, 2)) << n;

    EXPECT_TRUE(PrintsAsViewerValue(value, n));
    EXPECT_TRUE(PrintsAsViewerStation(station, n));
    EXPECT_TRUE(PrintsAsViewerWidth(width, n));
    EXPECT_FALSE(PrintsAsViewerValue(value + "0", n));
    EXPECT_FALSE(PrintsAsViewerStation(" " + station, n));
    EXPECT_FALSE(PrintsAsViewerWidth(width.substr(0, width.size() - 1), n));
}

TEST(FieldNumbers, ViewerNumbersPrintAsPrintfDoes)
{
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    for (const int32_t n : {0, 1, -1, 5, -5, 9, -9, 10, -10, 99, -99, 100, -100, 9999, -9999, 10000, -10000,
                            123456, -123456, kMax, kMin, kMax - 1, kMin + 1})
        ExpectViewerNumbers(n);
    std::mt19937 random(815);
    std::uniform_int_distribution<int32_t> any(kMin, kMax);
    std::uniform_int_distribution<int32_t> small(-200000, 200000);
    for (int i = 0; i < 20000; ++i) {
        ExpectViewerNumbers(any(random));
        ExpectViewerNumbers(small(random));
    }
    EXPECT_FALSE(PrintsAsViewerValue("1,30", 13));
    EXPECT_FALSE(PrintsAsViewerValue("-0.00", 0));
    EXPECT_FALSE(PrintsAsViewerStation("2.15", 21500));
}

// The rounded products the PM01BS01 reader makes of its fields and whether the
// file viewer prints them as the field reads: value mm to 0.1 mm ("%.2f"),
// station km to 0.1 m by 1000, then by 10 ("%.4f"), width m to cm ("%.2f").
struct DeviceField {
    int scaleDigits;
    int viewerDecimals;
    int32_t (*fromDouble)(double);
    bool (*printsAsViewer)(std::string_view, int32_t);
};
const DeviceField kDeviceFields[] = {
    {1, 2, [](double mm) { return RoundHalfAway(mm * 10.0); }, PrintsAsViewerValue},
    {4, 4, [](double km) { return RoundHalfAway((km * 1000.0) * 10.0); }, PrintsAsViewerStation},
    {2, 2, [](double m) { return RoundHalfAway(m * 100.0); }, PrintsAsViewerWidth},
};

// Returns how many of the three scalings the digits decided.
int ExpectScaledAlike(const std::string& text)
{
    int decided = 0;
    for (const DeviceField& field : kDeviceFields) {
        ScaledNumber number;
        if (!ReadScaledDeviceNumber(text, field.scaleDigits, field.viewerDecimals, number))
            continue;
        ++decided;
        const int32_t expected = field.fromDouble(ParseNumber(text));
        EXPECT_EQ(number.scaled, expected) << "\"" << text << "\" x 10^" << field.scaleDigits;
        EXPECT_EQ(number.printsAsViewer, field.printsAsViewer(text, expected))
            << "\"" << text << "\" x 10^" << field.scaleDigits;
    }
    return decided;
}

TEST(FieldNumbers, ScaledFromTheDigitsAsFromTheDouble)
{
    // Halfway and near it, every number of decimals, both signs and decimal signs,
    // the viewer's own forms and near misses, large numbers, what the digits cannot tell.
    const char* const texts[] = {
        "0",
        "-0",
        "0.05",
        "-0.05",
        "0.15",
        "0,25",
        "1.005",
        "1.015",
        "2.675",
        "0.00005",
        "0.00015",
        "-0.00025",
        "2.15045",
        "2.150449",
        "2.150451",
        "0.34",
        "3.5",
        "3",
        "-2,3",
        "0,0123",
        "12.3456789",
        "0.123456789012345",
        "9999999.99",
        "99999999.9",
        "10000000",
        "214748364.7",
        "1e3",
        "1,5e3",
        "x",
        "",
        " 1.5",
        "1.5x",
        "1,5,3",
        ".5",
        "-.05",
        "+0.15",
        "123456789012345",
        "1234567890123456",
        "2.1504000000000003",
        "2.15044999999999999",
        "0.00",
        "-0.00",
        "0.10",
        "-0.10",
        "00.10",
        "0.90",
        "0,90",
        "+0.90",
        " 0.90",
        "0.90 ",
        "3.50",
        "3.500",
        "2.1502",
        "-2.1502",
        "2.15020",
        "1.5\t",
        "\t1,5",
        "0.0000",
        "-0.0001",
        "12345.6789",
    };
    for (const char* text : texts)
        ExpectScaledAlike(text);
    ScaledNumber number;
    EXPECT_TRUE(ReadScaledDeviceNumber("0.34", 1, 2, number));
    EXPECT_EQ(number.scaled, 3);
    EXPECT_FALSE(number.printsAsViewer);
    EXPECT_TRUE(ReadScaledDeviceNumber("-0,0123", 4, 4, number));
    EXPECT_EQ(number.scaled, -123);
    EXPECT_TRUE(ReadScaledDeviceNumber("3.50", 2, 2, number));
    EXPECT_TRUE(number.printsAsViewer);
    EXPECT_FALSE(ReadScaledDeviceNumber("0.05", 1, 2, number));  // exactly halfway: the double decides
    EXPECT_FALSE(ReadScaledDeviceNumber("1e3", 2, 2, number));
    EXPECT_FALSE(ReadScaledDeviceNumber("\t1,5", 2, 2, number));

    std::mt19937 random(1401);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> count(0, 9);
    int decided = 0;
    for (int i = 0; i < 50000; ++i) {
        std::string text = i % 5 == 0 ? "-" : "";
        for (int d = count(random) % 8; d >= 0; --d)
            text += static_cast<char>('0' + digit(random));
        text += i % 3 == 0 ? ',' : '.';
        const int decimals = count(random) * (i % 7 == 0 ? 2 : 1);
        for (int d = 0; d < decimals; ++d)
            text += static_cast<char>('0' + (i % 2 == 0 ? digit(random) : digit(random) % 2 * 9));
        // Every so often a last digit 5: halfway, or next to it, at some scale.
        if (i % 4 == 0)
            text += '5';
        decided += ExpectScaledAlike(text);
    }
    // Most of them are decided from the digits.
    EXPECT_GT(decided, 100000);
}

// In a data line a number is followed by the rest of the line: separators,
// more numbers, an exponent's letter, padding. The readers stop where the
// general ones stop, whatever follows and wherever the digits end.
TEST(FieldNumbers, NumbersFollowedByTheirLineReadAlike)
{
    const std::string tails[] = {"",
                                 "\t0\t0\t0\t2.15\t3.5\t",
                                 ";12,0001;3,5;\r\n",
                                 "        ",
                                 "x1234567",
                                 "e5;;;;;;;",
                                 "E-12345678",
                                 ",5,5,5,5,5",
                                 "..........",
                                 "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF",
                                 "/:/:/:/:",
                                 std::string(8, '\0')};
    std::mt19937 random(2207);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> count(0, 20);
    for (int i = 0; i < 40000; ++i) {
        std::string text = i % 5 == 0 ? "-" : (i % 11 == 0 ? " +" : "");
        for (int d = count(random) % (i % 3 == 0 ? 20 : 10); d > 0; --d)
            text += static_cast<char>('0' + digit(random));
        if (i % 4 != 3)
            text += i % 2 == 0 ? ',' : '.';
        for (int d = count(random) % (i % 7 == 0 ? 20 : 10); d > 0; --d)
            text += static_cast<char>('0' + (i % 6 == 0 ? digit(random) % 2 * 9 : digit(random)));
        text += tails[static_cast<size_t>(i) % std::size(tails)];
        ExpectReadAlike(text);
        ExpectScaledAlike(text);
    }
}

}  // namespace
}  // namespace kurvex
