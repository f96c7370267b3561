#include <gtest/gtest.h>

#include "document/TextRecords.h"
#include "evaluation/BereichOhneErkennung.h"

namespace kurvex {
namespace {

TEST(StationTexts, EncodeWithPlacementAndEscapedText)
{
    TEXTDATEN record;
    record.station = 1234;
    record.text = "Riss";
    EXPECT_EQ(EncodeStationText(record), "1234_Riss<0>_");
    record.text = "a_b<c>#d";
    record.placement = 3;
    EXPECT_EQ(EncodeStationText(record), "1234_a#underscore#b#lo#c#gt#d<3>_");
    BEREICHSTEXTDATEN range;
    range.start = 10;
    range.end = -20;
    range.text = "x";
    range.placement = 2;
    EXPECT_EQ(EncodeRangeText(range), "10_-20_x<2>_");
}

TEST(StationTexts, DecodeStopsAtTheFirstEmptyGroup)
{
    const auto records = DecodeStationTexts("1234_Riss<0>_5678_Loch_");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].station, 1234);
    EXPECT_EQ(records[0].text, "Riss");
    EXPECT_EQ(records[1].station, 5678);
    EXPECT_EQ(records[1].text, "Loch");
    EXPECT_EQ(records[1].placement, 0);

    const auto escaped = DecodeStationTexts("1234_a#underscore#b<3>_");
    ASSERT_EQ(escaped.size(), 1u);
    EXPECT_EQ(escaped[0].text, "a_b");
    EXPECT_EQ(escaped[0].placement, 3);

    EXPECT_TRUE(DecodeStationTexts("").empty());
    EXPECT_EQ(DecodeStationTexts("1_a<1>__2_b<2>_").size(), 1u);
    // A group cut short reads with an empty text.
    const auto cut = DecodeStationTexts("77");
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].text, "");
}

TEST(StationTexts, RoundTrip)
{
    std::vector<BEREICHSTEXTDATEN> ranges(2);
    ranges[0] = {100, 200, "eins_zwei <drei>", 1};
    ranges[1] = {300, 250, "\xC4nderung{{CRLF}}Zeile 2", 99999};
    std::string list;
    for (const auto& range : ranges)
        list += EncodeRangeText(range);
    const auto back = DecodeRangeTexts(list);
    ASSERT_EQ(back.size(), 2u);
    for (size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(back[k].start, ranges[k].start);
        EXPECT_EQ(back[k].end, ranges[k].end);
        EXPECT_EQ(back[k].text, ranges[k].text);
        EXPECT_EQ(back[k].placement, ranges[k].placement);
    }
}

TEST(ExcludedRanges, RoundTripLosesOnlyHashSigns)
{
    const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges = {{100, 200, "Br\xFC" "cke_<1> #2"}, {500, 400, ""}};
    const std::string text = EncodeExcludedRanges(ranges);
    EXPECT_EQ(text, "100_200_Br\xFC" "cke#underscore##lo#1#gt# 2_500_400_");
    const auto back = DecodeExcludedRanges(text);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].bemerkung, "Br\xFC" "cke_<1> 2");
    EXPECT_EQ(back[1].von, 500);
    EXPECT_EQ(back[1].bis, 400);
    EXPECT_EQ(back[1].bemerkung, "");
    EXPECT_TRUE(DecodeExcludedRanges("").empty());
}

TEST(ExcludedRanges, LookupUsesClosedIntervalsInStoredOrder)
{
    const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges = {{200, 100, "a"}, {150, 300, "b"}};
    EXPECT_EQ(ExcludedRangeAt(ranges, 100), 0u);
    EXPECT_EQ(ExcludedRangeAt(ranges, 150), 0u);
    EXPECT_EQ(ExcludedRangeAt(ranges, 201), 1u);
    EXPECT_EQ(ExcludedRangeAt(ranges, 300), 1u);
    EXPECT_FALSE(ExcludedRangeAt(ranges, 301).has_value());
    EXPECT_FALSE(ExcludedRangeAt({}, 0).has_value());
}

}  // namespace
}  // namespace kurvex
