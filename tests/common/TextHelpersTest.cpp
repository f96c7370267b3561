#include <gtest/gtest.h>

#include "common/TextHelpers.h"

namespace kurvex {
namespace {

TEST(GetField, EmptyFieldsAndFieldsBeyondTheEnd)
{
    EXPECT_EQ(GetField("a;;b", ';', 0), "a");
    EXPECT_EQ(GetField("a;;b", ';', 1), "");
    EXPECT_EQ(GetField("a;;b", ';', 2), "b");
    EXPECT_EQ(GetField("a;;b", ';', 5), "");
    EXPECT_EQ(GetField("a<>b<>c", "<>", 2), "c");
    EXPECT_EQ(GetField("", ';', 0), "");
    EXPECT_EQ(CountFields("a;;b", ';'), 3);
    EXPECT_EQ(CountFields("", ';'), 1);
}

TEST(GetBracketed, NthRecord)
{
    EXPECT_EQ(GetBracketed("[x][yy][z]", "[", "]", 0), "x");
    EXPECT_EQ(GetBracketed("[x][yy][z]", "[", "]", 1), "yy");
    EXPECT_EQ(GetBracketed("[x][yy][z]", "[", "]", 3), "");
    EXPECT_EQ(GetBracketed("[open", "[", "]", 0), "");
    EXPECT_EQ(GetBracketed("<<a>>b<<c>>", "<<", ">>", 1), "c");
}

TEST(Replace, AllOrFirstAndNoRescanOfInsertedText)
{
    std::string text = "a.b.c";
    EXPECT_EQ(Replace(text, ".", "_D_", true), 2);
    EXPECT_EQ(text, "a_D_b_D_c");
    text = "a.b.c";
    EXPECT_EQ(Replace(text, ".", "_D_", false), 1);
    EXPECT_EQ(text, "a_D_b.c");
    text = "aa";
    EXPECT_EQ(Replace(text, "a", "aa", true), 2);
    EXPECT_EQ(text, "aaaa");
    text = "x";
    EXPECT_EQ(Replace(text, "", "y", true), 0);
    text = "abc";
    EXPECT_EQ(ReplaceChar(text, 'b', 'b'), 0);
    EXPECT_EQ(ReplaceChar(text, 'b', 'x'), 1);
    EXPECT_EQ(text, "axc");
}

TEST(Find, StopsAtZeroByteAndReverseFindIgnoresCase)
{
    EXPECT_EQ(Find("abc", "c"), 2);
    EXPECT_EQ(Find(std::string("ab\0c", 4), "c"), -1);
    EXPECT_EQ(Find("abc", "a", 1), -1);
    EXPECT_EQ(Find("abc", "x"), -1);
    EXPECT_EQ(ReverseFindNoCase("run.PBS", ".pbs"), 3);
    EXPECT_EQ(ReverseFindNoCase("a.pbs.pbs", ".PBS", 4), 1);
    EXPECT_EQ(ReverseFindNoCase("", ".pbs"), -1);
    EXPECT_EQ(ReverseFindNoCase("abc", ""), -1);
    EXPECT_EQ(ReverseFindNoCase("ab", "abc"), -1);
}

TEST(Trim, AllWhiteSpaceKinds)
{
    EXPECT_EQ(Trim(" \t\r\n\v\fa b\f\v\n\r\t "), "a b");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a \r\n"), "  a");
    EXPECT_EQ(Trim("   "), "");
}

TEST(EscapeText, TagsRoundTripWithoutHashes)
{
    EXPECT_EQ(EscapeText("a_b<c>#d"), "a#underscore#b#lo#c#gt#d");
    EXPECT_EQ(UnescapeText("a#underscore#b#lo#c#gt#d"), "a_b<c>d");
    EXPECT_EQ(UnescapeText(EscapeText("x#_#y")), "x_y");
}

TEST(RepairUmlauts, ReplacesTheSevenLettersOnly)
{
    EXPECT_EQ(RepairUmlauts("\xC3\x84rger"), "\xC4rger");
    EXPECT_EQ(RepairUmlauts("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\x84\xC3\x96\xC3\x9C"), "\xE4\xF6\xFC\xDF\xC4\xD6\xDC");
    EXPECT_EQ(RepairUmlauts("\xC3\xA9t\xE9"), "\xC3\xA9t\xE9");
    EXPECT_EQ(RepairUmlauts("plain"), "plain");
}

TEST(LookupOrDefault, MissingKeyGivesDefault)
{
    const CMapString2String map{{"A", "1"}};
    EXPECT_EQ(LookupOrDefault(map, "A", "x"), "1");
    EXPECT_EQ(LookupOrDefault(map, "B", "x"), "x");
}

}  // namespace
}  // namespace kurvex
