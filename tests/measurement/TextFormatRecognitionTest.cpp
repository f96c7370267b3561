// Every text fixture is recognised as exactly its own format, and refusing
// readers leave the lines for the next one.

#include <gtest/gtest.h>

#include "measurement/FormatCode.h"
#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

TEST(TextFormatRecognition, EachFixtureIsReadAsItsOwnFormat)
{
    struct Case {
        const char* fixture;
        int code;
        size_t points;
    } const cases[] = {
        {"pm01bs01.txt", kFormatPm01bs01, 3},
        {"road_table_6.txt", kFormatRoadTable, 3},
        {"limit_table_5.dat", kFormatLimitTable, 3},
        {"dated_table_7.csv", kFormatDatedTable5, 3},
        {"dated_table_3.csv", kFormatDatedTable4, 2},
        {"planograph_4.csv", kFormatPlanograph, 3},
        {"dated_column_table.csv", kFormatDatedColumnTable, 4},
        {"listing.lst", kFormatListing, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        CMessFahrtDaten run;
        ASSERT_TRUE(run.LoadFromFile(test::FixturePath(std::string("measurement/fixtures/") + c.fixture)));
        EXPECT_TRUE(run.IsLoaded());
        EXPECT_FALSE(run.IsIncomplete());
        EXPECT_EQ(run.FormatCode(), c.code);
        EXPECT_EQ(run.Points().size(), c.points);
        EXPECT_TRUE(run.ReadMessages().empty());
    }
}

// The generated samples of samples/ stay readable as the format they show.
TEST(TextFormatRecognition, SamplesAreReadAsTheirFormat)
{
    struct Case {
        const char* sample;
        int code;
    } const cases[] = {
        {"pm01bs01_sample.txt", kFormatPm01bs01},       {"dated_column_sample.csv", kFormatDatedColumnTable},
        {"listing_sample.lst", kFormatListing},         {"road_table_sample.txt", kFormatRoadTable},
        {"limit_table_sample.dat", kFormatLimitTable},  {"dated5_sample.csv", kFormatDatedTable5},
        {"dated4_sample.csv", kFormatDatedTable4},      {"planograph_sample.csv", kFormatPlanograph},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sample);
        CMessFahrtDaten run;
        ASSERT_TRUE(run.LoadFromFile(test::FixturePath(std::string("../samples/") + c.sample)));
        EXPECT_TRUE(run.IsLoaded());
        EXPECT_EQ(run.FormatCode(), c.code);
        EXPECT_GE(run.Points().size(), 250u);
        bool anyComment = false;
        for (const MESSUNG& point : run.Points())
            anyComment = anyComment || (point.hasComment && !point.comment.empty());
        EXPECT_EQ(anyComment, c.code != kFormatRoadTable && c.code != kFormatPlanograph);
    }
}

// A file that names PM01BS01 in its first line but has no valid device header
// is tried by every reader in turn and ends with the listing reader.
TEST(TextFormatRecognition, FailedPm01bs01ChecksFallThroughToTheListing)
{
    const char* const secondLines[] = {
        "kein Datum",                    // the date check fails
        "12.03.2015 10:22\tMessung 7",  // the date is fine, the key lines are not
    };
    for (const char* second : secondLines) {
        SCOPED_TRACE(second);
        const std::string bytes = std::string("PM01BS01\r\n") + second +
                                  "\r\n Dienststelle Amt\r\nGrenzwert 4,0 mm\r\n"
                                  "-10   0  +10  +20  +30\r\n  12   100\r\n  14   110\r\n";
        CMessFahrtDaten run;
        run.ReadBytes(bytes);
        EXPECT_TRUE(run.IsLoaded());
        EXPECT_EQ(run.FormatCode(), kFormatListing);
        ASSERT_EQ(run.Points().size(), 2u);
        EXPECT_EQ(run.Points()[0].value, 12);
        EXPECT_EQ(run.Points()[1].station, 110);
        EXPECT_EQ(run.GetLimit(), 40);
        // The earlier readers rewrote nothing.
        EXPECT_EQ(run.Lines()[4], "-10   0  +10  +20  +30");
        EXPECT_EQ(run.Lines()[5], "  12   100");
    }
}

// A complete PM01BS01 header without any data line is no PM01BS01 run; the
// later readers see the lines untouched.
TEST(TextFormatRecognition, ARefusingReaderAddsNoPointsAndKeepsTheLines)
{
    const std::string bytes =
        "PM01BS01\r\n12.03.2015 10:22\r\nDienststelle A\r\nAbteilung B\r\nPruefer C\r\nStr.-Typ D\r\n"
        "Str.-Nr. E\r\n1.5\t0\t0\t0\t0.0100\r\n";
    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    EXPECT_FALSE(run.IsLoaded());
    EXPECT_EQ(run.FormatCode(), kFormatListing);
    EXPECT_TRUE(run.Points().empty());
    EXPECT_TRUE(run.HeaderText().empty());
    EXPECT_EQ(run.Lines()[7], "1.5\t0\t0\t0\t0.0100");
}

TEST(TextFormatRecognition, UnknownTextIsRefusedSilently)
{
    const char* const files[] = {"", "\r\n\r\n", "Hallo Welt\r\nnur Text\r\n", "Grenzwert\r\n"};
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        CMessFahrtDaten run;
        run.ReadBytes(bytes);
        EXPECT_FALSE(run.IsLoaded());
        EXPECT_EQ(run.FormatCode(), kFormatListing);
        EXPECT_TRUE(run.Points().empty());
        EXPECT_TRUE(run.ReadMessages().empty());
    }
}

}  // namespace
}  // namespace kurvex
