// The printed listing, the last resort of the recognition.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measurement/FormatCode.h"
#include "measurement/MessFahrtDaten.h"
#include "support/RunHelpers.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

using test::ReadFixture;
using test::ReadText;
using test::Stations;
using test::Values;

const std::string kScale = "-10   0  +10  +20  +30\r\n";
// A listing begins with its header; a first line "Grenzwert" would make it a limit value table.
const std::string kHead = "MESSUNG NR. 1\r\nGrenzwert 4,0\r\n";

TEST(ListingReader, ReadsTheFixture)
{
    CMessFahrtDaten run;
    ASSERT_TRUE(run.LoadFromFile(test::FixturePath("measurement/fixtures/listing.lst")));
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.FormatCode(), kFormatListing);
    EXPECT_FALSE(run.IsDeviceFormat());
    EXPECT_EQ(run.GetLimit(), 40);
    EXPECT_TRUE(run.HeaderText().empty());
    EXPECT_TRUE(run.ReadMessages().empty());

    const std::array<std::string, 7> fields = {"17", "12.03.98 10:15", "Stra\xDF" "enbauamt Nord", "3",
                                               "M\xFCller", "B", "27"};
    EXPECT_EQ(run.ListingFields(), fields);

    // 15 and 22 at 1200 merge to 22; "17" alone is no point; the closing "0 0" is dropped.
    const auto& p = run.Points();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].station, 1200);
    EXPECT_EQ(p[0].value, 22);
    EXPECT_EQ(p[1].station, 1210);
    EXPECT_EQ(p[1].value, -5);
    EXPECT_EQ(p[1].comment, "Fuge");
    EXPECT_TRUE(p[1].hasComment);
    EXPECT_EQ(p[2].station, 1220);
    EXPECT_EQ(p[2].value, 3);
    EXPECT_FALSE(p[2].hasComment);
    EXPECT_EQ(run.RangeFrom(), 1200);
    EXPECT_EQ(run.RangeTo(), 1221);
}

TEST(ListingReader, LimitLine)
{
    struct Case {
        const char* line;
        bool loaded;
        int32_t limit;
    } const cases[] = {
        {"Grenzwert 6 mm", true, 0},       // one number only
        {"Grenzwert 12,5 mm", true, 125},
        {"Grenzwert: 4,0 mm", true, 40},
        {"Grenzwert -4,0 mm", true, 40},   // the sign is no digit
        {"Grenzwert 99999999999,9", true, INT32_MAX},
        {"Grenzwert mm", false, 0},        // nothing left once the letters are gone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CMessFahrtDaten run = ReadText(std::string("MESSUNG NR. 1\r\n") + c.line + "\r\n  15   1200\r\n");
        EXPECT_EQ(run.IsLoaded(), c.loaded);
        if (c.loaded) {
            EXPECT_EQ(run.GetLimit(), c.limit);
        }
    }
}

TEST(ListingReader, DataLines)
{
    struct Case {
        const char* line;
        bool accepted;
        int32_t value;
        int32_t station;
        const char* comment;
        bool hasComment;
    } const cases[] = {
        {"  -5   1210 * Fuge", true, -5, 1210, "Fuge", true},
        {"\t+7\t1220\tFuge", true, 7, 1220, "Fuge", false},  // text without "*" is kept, but unmarked
        {"  8   1230  *", true, 8, 1230, "", true},
        {"  9   1240  Stra\xC3\x9F" "e*", true, 9, 1240, "Stra\xC3\x9F" "e", true},  // no umlaut repair
        {"  17", false, 0, 0, "", false},
        {"  17   ", false, 0, 0, "", false},
        {"99999999999 -99999999999", true, INT32_MAX, INT32_MIN, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const CMessFahrtDaten run = ReadText(kHead + kScale + c.line + "\r\n  1   1300\r\n");
        ASSERT_TRUE(run.IsLoaded());
        const auto& p = run.Points();
        ASSERT_EQ(p.size(), c.accepted ? 2u : 1u);
        if (!c.accepted)
            continue;
        EXPECT_EQ(p[0].value, c.value);
        EXPECT_EQ(p[0].station, c.station);
        EXPECT_EQ(p[0].comment, c.comment);
        EXPECT_EQ(p[0].hasComment, c.hasComment);
    }
}

TEST(ListingReader, MergesRepeatedStationsKeepingTheMaximum)
{
    const CMessFahrtDaten run =
        ReadText(kHead + kScale + "  5 100 * Riss\r\n  9 100\r\n  7 100 * Fuge\r\n  1 110\r\n  3 100\r\n");
    const auto& p = run.Points();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[0].station, 100);
    EXPECT_EQ(p[0].value, 9);
    EXPECT_EQ(p[0].comment, "Fuge");
    EXPECT_TRUE(p[0].hasComment);
    // Only neighbours merge.
    EXPECT_EQ(p[1].station, 110);
    EXPECT_EQ(p[2].station, 100);
    EXPECT_EQ(p[2].value, 3);
}

TEST(ListingReader, DataBeginAfterTheLimitLineWithoutScale)
{
    const CMessFahrtDaten run = ReadText("Pruefer  Meier\r\nGrenzwert 4,0\r\n  5 100\r\n  6 110\r\n");
    ASSERT_TRUE(run.IsLoaded());
    ASSERT_EQ(run.Points().size(), 2u);
    EXPECT_EQ(run.ListingFields()[4], "Meier");
}

TEST(ListingReader, HeaderFields)
{
    // "vom" wins over the date after "Messfahrt"; header lines after the scale line are no header.
    const CMessFahrtDaten run = ReadText(
        "  MESSUNG NR.  4711  \r\nMessfahrt\r\n12.03.98           10:15:33\r\nvom 13.03.1998\r\nGrenzwert 4,0\r\n" + kScale +
        "Str.-Nr. 99\r\n  5 100\r\n  6 110\r\n");
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.ListingFields()[0], "4711");
    EXPECT_EQ(run.ListingFields()[1], "13.03.1998");
    EXPECT_EQ(run.ListingFields()[6], "");

    // A short line after "Messfahrt" gives what it has.
    const CMessFahrtDaten shortDate = ReadText("Messfahrt\r\n12.03\r\nGrenzwert 4,0\r\n" + kScale + "  5 100\r\n");
    ASSERT_TRUE(shortDate.IsLoaded());
    EXPECT_EQ(shortDate.ListingFields()[1], "12.03 ");
    const CMessFahrtDaten cutTime =
        ReadText("Messfahrt\r\n12.03.98           10:1\r\nGrenzwert 4,0\r\n" + kScale + "  5 100\r\n");
    EXPECT_EQ(cutTime.ListingFields()[1], "12.03.98 10:1");
}

TEST(ListingReader, Refusals)
{
    const std::string body = "Grenzwert 4,0\r\n" + kScale + "  5 100\r\n";  // after a first line of its own
    struct Case {
        const char* name;
        std::string bytes;
    } const cases[] = {
        {"first line with file", "file: x\r\n" + body},
        {"first line with Datum:", "Datum: 1.2.98\r\n" + body},
        {"check print", "Kopf\r\nPlanograf - Kontrollpruefung\r\n" + body},
        {"no limit line", "MESSUNG NR. 1\r\n" + kScale + "  5 100\r\n"},
        {"nothing after the scale", kHead + kScale},
        {"no data line", kHead + kScale + "  17\r\n"},
        // Without its closing point at station 0 nothing is left.
        {"only a point at station 0", kHead + kScale + "  3 0\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CMessFahrtDaten run = ReadText(c.bytes);
        EXPECT_FALSE(run.IsLoaded());
        EXPECT_TRUE(run.Points().empty());
        EXPECT_TRUE(run.ReadMessages().empty());
    }

    // "file" or "Datum:" further down is harmless; a check print after the scale line too.
    EXPECT_TRUE(ReadText("Kopf\r\nfile Datum:\r\n" + body + "Planograf - Kontrollpruefung\r\n").IsLoaded());
}

TEST(ListingReader, MultiTrackListingIsReportedToTheUser)
{
    const CMessFahrtDaten run =
        ReadText("MESSUNG NR. 1\r\nGrenzwert 4,0\r\n Sp1   Sp2    Sp3\r\n" + kScale + "  5 100\r\n");
    EXPECT_FALSE(run.IsLoaded());
    EXPECT_TRUE(run.Points().empty());
    ASSERT_EQ(run.ReadMessages().size(), 1u);
    EXPECT_EQ(run.ReadMessages()[0].icon, MessageIcon::Stop);
    EXPECT_EQ(run.ReadMessages()[0].text, "FEHLER\r\nDieses Dateiformat wird nicht unterst\xFCtzt!");

    // Only the first 40 lines are searched for the multi-track head.
    std::string late = kHead + kScale;
    for (int i = 0; i < 37; ++i)
        late += "  5 " + std::to_string(100 + i) + "\r\n";
    late += "Sp1   Sp2    Sp3\r\n";
    const CMessFahrtDaten lateRun = ReadText(late);
    EXPECT_TRUE(lateRun.IsLoaded());
    EXPECT_TRUE(lateRun.ReadMessages().empty());
}

}  // namespace
}  // namespace kurvex
