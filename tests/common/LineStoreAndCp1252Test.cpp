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

}  // namespace
}  // namespace kurvex
