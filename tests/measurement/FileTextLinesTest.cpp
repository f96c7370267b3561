// The file viewer reads the file text line by line; these tests hold the lines
// to the text GetFileText() builds, for files of every format.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "common/TextHelpers.h"
#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

std::string JoinedFileTextLines(const CMessFahrtDaten& run)
{
    std::string text;
    for (size_t i = 0; i < run.FileTextLineCount(); ++i) {
        text += run.FileTextLine(i);
        text += '\n';
    }
    return text;
}

// Columns of the widest line, counted on the lines themselves: a byte is a
// column, a TAB reaches the next multiple of tabColumns.
size_t WidestLineColumns(const CMessFahrtDaten& run, size_t tabColumns)
{
    size_t widest = 0;
    for (size_t i = 0; i < run.FileTextLineCount(); ++i) {
        size_t columns = 0;
        for (const char c : run.FileTextLine(i))
            columns = c == '\t' ? (columns / tabColumns + 1) * tabColumns : columns + 1;
        widest = std::max(widest, columns);
    }
    return widest;
}

TEST(FileTextLines, JoinedLinesAreTheFileTextForEveryFormat)
{
    const char* const files[] = {
        "../samples/pm01bs02_sample.pbs",
        "../samples/pm01bs02_incomplete.pbs",
        "../samples/pm01bs02_compare.pbs",
        "../samples/imexport_sample.exp",
        "../samples/pm01bs01_sample.txt",
        "../samples/dated_column_sample.csv",
        "../samples/dated4_sample.csv",
        "../samples/dated5_sample.csv",
        "../samples/limit_table_sample.dat",
        "../samples/planograph_sample.csv",
        "../samples/road_table_sample.txt",
        "../samples/listing_sample.lst",
        "measurement/fixtures/dated_column_table.csv",
        "measurement/fixtures/dated_table_3.csv",
        "measurement/fixtures/dated_table_7.csv",
        "measurement/fixtures/limit_table_5.dat",
        "measurement/fixtures/listing.lst",
        "measurement/fixtures/planograph_4.csv",
        "measurement/fixtures/pm01bs01.txt",
        "measurement/fixtures/road_table_6.txt",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        CMessFahrtDaten run;
        ASSERT_TRUE(run.LoadFromFile(test::FixturePath(file)));
        EXPECT_TRUE(run.IsLoaded());
        EXPECT_GT(run.FileTextLineCount(), 2u);
        EXPECT_EQ(JoinedFileTextLines(run), run.GetFileText());
        for (const size_t tab : {1u, 4u, 8u})
            EXPECT_EQ(run.FileTextColumns(tab), WidestLineColumns(run, tab)) << "tab " << tab;
    }
}

TEST(FileTextLines, HoldLinesThatAreNotRewrittenAndRunsThatWereRefused)
{
    struct Case {
        const char* name;
        std::string bytes;
    } const cases[] = {
        // A blank line among the exchange values stays as it was read, CR LF and all.
        {"blank exchange line", "IMEXPORT001\t\r\n***\r\n1,00\t0,0010\t3,00\tFuge\r\n\r\n2,00\t0,0020\t3,00\r\n***\r\n"},
        {"device header and record", "PM01BS02\r\n  Datum: 1.2.2015  \r\n***\r\n"
                                         + test::Pm01bs02Record(1.0, 0.001, 3.5, "Br\xC3\xBC" "cke") + "***\r\n"},
        {"text table", "a\tb\r\n\r\n\r\nc\n"},
        {"refused", "nothing to read"},
        {"empty", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMessFahrtDaten run;
        run.ReadBytes(c.bytes);
        EXPECT_EQ(JoinedFileTextLines(run), run.GetFileText());
        EXPECT_EQ(run.FileTextColumns(8), WidestLineColumns(run, 8));
    }
}

// A comment with TABs after the numbers of a record line, and a record line
// that is the widest of its run.
TEST(FileTextLines, ColumnsOfRecordLinesCountTheTabsOfTheirComments)
{
    const struct {
        const char* name;
        std::string comment;
    } cases[] = {
        {"no comment", ""},
        {"tab inside", "a\tb"},
        {"tabs only", "\t\t\t"},
        {"long", std::string(150, 'x') + "\ty"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CMessFahrtDaten run;
        run.ReadBytes("PM01BS02\r\n***\r\n" + test::Pm01bs02Record(-12.345, 123.4567, 3.5, c.comment)
                      + test::Pm01bs02Record(1.0, 123.4568, 3.5) + "***\r\n");
        ASSERT_TRUE(run.IsLoaded());
        for (const size_t tab : {1u, 3u, 8u})
            EXPECT_EQ(run.FileTextColumns(tab), WidestLineColumns(run, tab)) << "tab " << tab;
    }
}

// A PM01BS01 data line shows value, station, width and comment as the file
// writes them, whatever the form of its numbers; the numbers the point prints
// alike are made from the point, the others kept.
TEST(FileTextLines, Pm01bs01LinesKeepTheFileFormOfTheirFields)
{
    const std::string header = "PM01BS01\tPlanograf\r\n17.06.2014 08:41\tMessung\r\nDienststelle\tA\r\n"
                               "Abteilung\tB\r\nPruefer\tC\r\nStr.-Typ\tB\r\nStr.-Nr.\t14\r\n";
    const struct {
        const char* line;
        const char* shown;
    } cases[] = {
        {"1.50\t0.00\t0.00\t0.00\t2.1500\t3.50", "1.50\t2.1500\t3.50\t"},      // as Kurvex prints
        {"0.34\t0\t0\t0\t0.0001\t3.5\t", "0.34\t0.0001\t3.5\t"},              // two decimals, short width
        {"-0.2\t0\t0\t0\t2.15\t3.50\tFuge", "-0.2\t2.15\t3.50\tFuge"},        // value and station short
        {"1.5e0\t0\t0\t0\t2.150000\t350e-2\t Br\xC3\xBC" "cke ", "1.5e0\t2.150000\t350e-2\tBr\xC3\xBC" "cke"},
        {"+1.50\t0\t0\t0\t2.1500\t3.50\tSchacht", "+1.50\t2.1500\t3.50\tSchacht"},
        {"1.50\t0\t0\t0\t2.1500\t3.50\t  ", "1.50\t2.1500\t3.50\t"},             // blank comment
    };
    std::string bytes = header;
    for (const auto& c : cases)
        bytes += std::string(c.line) + "\r\n";
    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    ASSERT_TRUE(run.IsLoaded());
    ASSERT_EQ(run.FileTextLineCount(), 7 + std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].line);
        EXPECT_EQ(run.FileTextLine(7 + i), cases[i].shown);
    }
    EXPECT_EQ(JoinedFileTextLines(run), run.GetFileText());
    for (const size_t tab : {1u, 4u, 8u})
        EXPECT_EQ(run.FileTextColumns(tab), WidestLineColumns(run, tab)) << "tab " << tab;
}

TEST(FileTextLines, PastTheEndIsEmpty)
{
    CMessFahrtDaten run;
    run.ReadBytes("PM01BS02\r\n***\r\n" + test::Pm01bs02Record(1.0, 0.001, 3.5) + "***\r\n");
    ASSERT_EQ(run.FileTextLineCount(), 4u);
    EXPECT_EQ(run.FileTextLine(0), "PM01BS02");
    EXPECT_EQ(run.FileTextLine(4), "");
    EXPECT_EQ(run.FileTextLine(static_cast<size_t>(-1)), "");
}

// The viewer repairs the umlauts of each line on its own. That equals the
// repair of the whole text because no repaired pair holds a line feed.
TEST(FileTextLines, UmlautRepairLineByLineEqualsTheRepairOfTheWholeText)
{
    CMessFahrtDaten run;
    run.ReadBytes("PM01BS01\r\nPr\xC3\xBC" "fer: M\xC3\xB6" "ller\r\n\xC3\n\xA4\r\nStra\xC3\x9F" "e \xC3\x84\xC3\x96\xC3\x9C\r\n");
    std::string repaired;
    for (size_t i = 0; i < run.FileTextLineCount(); ++i) {
        repaired += RepairUmlauts(run.FileTextLine(i));
        repaired += '\n';
    }
    EXPECT_EQ(repaired, RepairUmlauts(run.GetFileText()));
    EXPECT_NE(repaired.find("Pr\xFC" "fer: M\xF6" "ller"), std::string::npos);
}

}  // namespace
}  // namespace kurvex
