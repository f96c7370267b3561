#include <gtest/gtest.h>

#include "common/Cp1252.h"
#include "common/LineStore.h"

namespace kurvex {
namespace {

TEST(LineStore, ReplacingLinesKeepsTheOthersAndCompacts)
{
    LineStore lines;
    lines.push_back("first");
    lines.push_back(std::string("bin\0ary", 7));
    lines.push_back("third");
    lines.Set(0, "1");
    lines.Set(2, "a much longer third line");
    lines.Set(1, lines[2]);  // a view into the store itself
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[1], "a much longer third line");
    EXPECT_EQ(lines[2], "a much longer third line");
    lines.Compact();
    EXPECT_EQ(lines.Joined("\n"), "1\na much longer third line\na much longer third line\n");
    lines.push_back(lines[0]);
    EXPECT_EQ(lines.back(), "1");
    EXPECT_EQ(lines.size(), 4u);
}

TEST(Cp1252ToUtf8, HighBytesAndSeparator)
{
    EXPECT_EQ(Cp1252ToUtf8("Stra\xDF" "e \xBF \x80 \x81"), "Stra\xC3\x9F" "e \xC2\xBF \xE2\x82\xAC \xC2\x81");
    EXPECT_EQ(Cp1252ToUtf8("\xE4\xF6\xFC\xC4\xD6\xDC"), "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x84\xC3\x96\xC3\x9C");
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// A path (UTF-8) inside a message (Windows-1252).
TEST(Utf8ToCp1252, PathsIntoMessages)
{
    struct Case {
        const char* utf8;
        const char* cp1252;
    } const cases[] = {
        {"D:\\Messungen\\Pr\xC3\xBC" "fung_Stra\xC3\x9F" "e.pbs", "D:\\Messungen\\Pr\xFC" "fung_Stra\xDF" "e.pbs"},
        {"\xE2\x82\xAC \xC2\x81 \xC3\x84\xC3\x96\xC3\x9C", "\x80 \x81 \xC4\xD6\xDC"},
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "?\xF3" "d?"},           // letters outside the code page
        {"\xF0\x9F\x98\x80!", "?!"},                                 // outside the BMP
        {"Pr\xFC" "fung \xC3", "Pr\xFC" "fung \xC3"},                // no UTF-8: taken as it is
        {"\xE0\x80\x80 \xED\xA0\x80", "\xE0\x80\x80 \xED\xA0\x80"},  // overlong, surrogate
    };
    for (const Case& c : cases)
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(one)), one) << byte;
    }
}

}  // namespace
}  // namespace kurvex
