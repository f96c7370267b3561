// PM01BS01 and the dated column table.

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

// ---- PM01BS01 -------------------------------------------------------------------

const std::string kPm01bs01Header =
    "PM01BS01\r\n12.03.2015 10:22\r\nDienststelle Amt\r\nAbteilung Abt\r\nPruefer P\r\nStr.-Typ B\r\nStr.-Nr. 27\r\n";

TEST(Pm01bs01Reader, ReadsPointsHeaderAndViewerLines)
{
    const CMessFahrtDaten run = ReadFixture("pm01bs01.txt");
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.FormatCode(), kFormatPm01bs01);
    EXPECT_TRUE(run.IsDeviceFormat());
    EXPECT_EQ(run.GetLimit(), 0);
    EXPECT_EQ(run.HeaderText(),
              "12.03.2015 10:22 Messung 7\xBFStra\xDF" "enbauamt Nord\xBF" "Abt. 3\xBFM\xFCller\xBF" "B\xBF" "27\xBF");

    ASSERT_EQ(Stations(run), (std::vector<int32_t>{100, 123, 200}));
    const auto& p = run.Points();
    EXPECT_EQ(p[0].value, 15);
    EXPECT_EQ(p[0].width, 350);
    EXPECT_EQ(p[0].comment, "Fuge");
    EXPECT_TRUE(p[0].hasComment);
    // Six fields: no comment; decimal commas are read.
    EXPECT_EQ(p[1].value, -23);
    EXPECT_FALSE(p[1].hasComment);
    // Trailing TABs are dropped, the comment is trimmed and its UTF-8 umlaut repaired.
    EXPECT_EQ(p[2].value, 11);
    EXPECT_EQ(p[2].width, 375);
    EXPECT_EQ(p[2].comment, "Br\xFC" "cke");

    EXPECT_EQ(run.Lines()[7], "1.5\t0.0100\t3.50\tFuge");
    EXPECT_EQ(run.Lines()[8], "-2,3\t0,0123\t3,50\t");
    EXPECT_EQ(run.Lines()[9], "0.8\t0\t0\t0\t0.0150");  // five fields: skipped, kept as it was
    EXPECT_EQ(run.Lines()[10], "1.1\t0.0200\t3.75\tBr\xC3\xBC" "cke");

    // The chart header reads the entries with the device labels.
    HeaderTextIterator header(run.HeaderText());
    std::string label, value;
    header.Next(label, value);
    EXPECT_EQ(label, "Messzeitpunkt");
    EXPECT_EQ(value, "12.03.2015 10:22 Messung 7");
}

TEST(Pm01bs01Reader, RefusesWithoutItsHeader)
{
    const std::string data = "1.5\t0\t0\t0\t0.0100\t3.50\r\n";
    struct Case {
        const char* name;
        std::string bytes;
    } const cases[] = {
        {"no tag", "PM01BS0\r\n12.03.2015 10:22\r\nDienststelle A\r\nAbteilung A\r\nPruefer A\r\nStr.-Typ A\r\n"
                   "Str.-Nr. A\r\n" + data},
        {"no date", "PM01BS01\r\n12.03. 10:22\r\nDienststelle A\r\nAbteilung A\r\nPruefer A\r\nStr.-Typ A\r\n"
                    "Str.-Nr. A\r\n" + data},
        {"blank before key", "PM01BS01\r\n12.03.2015 10:22\r\nDienststelle A\r\nAbteilung A\r\n Pruefer A\r\n"
                             "Str.-Typ A\r\nStr.-Nr. A\r\n" + data},
        {"keys out of order", "PM01BS01\r\n12.03.2015 10:22\r\nAbteilung A\r\nDienststelle A\r\nPruefer A\r\n"
                              "Str.-Typ A\r\nStr.-Nr. A\r\n" + data},
        {"header cut short", "PM01BS01\r\n12.03.2015 10:22\r\nDienststelle A\r\n"},
        {"no data line", kPm01bs01Header + "1.5\t0\t0\t0\t0.0100\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CMessFahrtDaten run = ReadText(c.bytes);
        EXPECT_NE(run.FormatCode(), kFormatPm01bs01);
        EXPECT_TRUE(run.Points().empty());
    }
}

TEST(Pm01bs01Reader, HugeAndMalformedNumbersAreClamped)
{
    const CMessFahrtDaten run =
        ReadText(kPm01bs01Header + "1e300\tx\tx\tx\t-1e300\t1e999\r\nabc\tx\tx\tx\t,\tq\r\n");
    ASSERT_EQ(run.FormatCode(), kFormatPm01bs01);
    ASSERT_EQ(run.Points().size(), 2u);
    EXPECT_EQ(run.Points()[0].value, INT32_MAX);
    EXPECT_EQ(run.Points()[0].station, INT32_MIN);
    EXPECT_EQ(run.Points()[0].width, INT32_MAX);
    EXPECT_EQ(run.Points()[1].value, 0);
    EXPECT_EQ(run.Points()[1].station, 0);
}

// ---- Dated column table --------------------------------------------------------

TEST(DatedColumnTableReader, ReadsNamedColumnsCommentLinesAndHeader)
{
    const CMessFahrtDaten run = ReadFixture("dated_column_table.csv");
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.FormatCode(), kFormatDatedColumnTable);
    EXPECT_EQ(run.GetLimit(), 0);
    EXPECT_EQ(run.Lines()[1], "Datum: 03.04.2016 09:05:00");
    EXPECT_EQ(run.HeaderText(), "Datum: 03.04.2016 09:05:00\xBFPr\xFC" "fer: Schmidt\xBFStrasse:B 27\xBF"
                                "Gesamtl\xE4nge:1,2 km\xBF");

    // A negative station is a data line too.
    ASSERT_EQ(Stations(run), (std::vector<int32_t>{-30, 0, 125, 250}));
    const auto& p = run.Points();
    EXPECT_EQ(p[0].value, 15);
    EXPECT_DOUBLE_EQ(p[0].speed, 42.0);
    EXPECT_EQ(p[0].width, 350);
    EXPECT_EQ(p[0].limit, 40);
    EXPECT_FALSE(p[0].hasComment);
    EXPECT_EQ(p[1].value, -5);
    EXPECT_EQ(p[1].comment, "Anfang");
    EXPECT_TRUE(p[1].hasComment);
    // "12,5;Riss" repeats the station of the point before: it is that point's comment.
    EXPECT_EQ(p[2].value, 21);
    EXPECT_EQ(p[2].comment, "Riss");
    EXPECT_TRUE(p[2].hasComment);
    // An empty speed field gives 0, not "no speed".
    EXPECT_DOUBLE_EQ(p[3].speed, 0.0);

    HeaderTextIterator header(run.HeaderText());
    EXPECT_TRUE(header.IsLabelled());
    std::string label, value;
    header.Next(label, value);
    EXPECT_EQ(label, "Datum:");
    EXPECT_EQ(value, "03.04.2016 09:05:00");
}

const std::string kColumnTableFiller = "Zeile\r\nZeile\r\nZeile\r\nZeile\r\n";

TEST(DatedColumnTableReader, DefaultColumnsAndTheSemicolonDateForm)
{
    // Without a column header line: value 1, speed 2, width 4; no comment, no limit.
    const CMessFahrtDaten run = ReadText("Messung\r\nDatum:;3.4.2016, 9:05:07\r\n" + kColumnTableFiller +
                                         "1,0;2,5;40;x;3,5;Riss\r\n2,0;-1;41;x;3,25;\r\n2,0;\r\n");
    ASSERT_EQ(run.FormatCode(), kFormatDatedColumnTable);
    EXPECT_EQ(run.Lines()[1], "Datum: 03.04.2016 09:05:07");
    EXPECT_EQ(run.HeaderText(), "Datum: 03.04.2016 09:05:07\xBF");
    ASSERT_EQ(Stations(run), (std::vector<int32_t>{10, 20}));
    const auto& p = run.Points();
    EXPECT_EQ(p[0].value, 25);
    EXPECT_DOUBLE_EQ(p[0].speed, 40.0);
    EXPECT_EQ(p[0].width, 350);
    EXPECT_EQ(p[0].limit, 0);
    EXPECT_FALSE(p[0].hasComment);
    // A bare comment line sets the marker even with an empty text.
    EXPECT_TRUE(p[1].hasComment);
    EXPECT_EQ(p[1].comment, "");
    EXPECT_EQ(p[1].width, 325);
}

TEST(DatedColumnTableReader, ColumnNamesInWindows1252AndLines)
{
    const CMessFahrtDaten run =
        ReadText("Datum: 1.2.2020 Zeit: 10:00:00\r\n" + kColumnTableFiller +
                 "Station;Kommentar;H\xF6he;Breite;Geschwindigkeit;Grenze\r\n"
                 "5;Fl\xC3\xA4" "che;1,5;3,5;30;4,0\r\n6;;2,5;3,5;31;4,5\r\n");
    ASSERT_EQ(run.FormatCode(), kFormatDatedColumnTable);
    ASSERT_EQ(run.Points().size(), 2u);
    EXPECT_EQ(run.Points()[0].comment, "Fl\xE4" "che");
    EXPECT_EQ(run.Points()[0].value, 15);
    EXPECT_DOUBLE_EQ(run.Points()[0].speed, 30.0);
    EXPECT_EQ(run.Points()[1].limit, 45);
    EXPECT_EQ(run.Points()[1].value, 25);
}

TEST(DatedColumnTableReader, CommentLineBeforeTheFirstPointIsIgnored)
{
    // The first line's station equals no point yet; a short line is skipped.
    const CMessFahrtDaten run =
        ReadText("Datum: 1.2.2020 Zeit: 10:00:00\r\n" + kColumnTableFiller + "Zeile\r\n-9999999;Riss\r\n3\r\n"
                 "4;1;2;3;4;5\r\n");
    ASSERT_EQ(run.FormatCode(), kFormatDatedColumnTable);
    ASSERT_EQ(Stations(run), (std::vector<int32_t>{40}));
    EXPECT_FALSE(run.Points()[0].hasComment);
}

TEST(DatedColumnTableReader, RefusesWithoutDateLineOrData)
{
    const std::string data = "1;2;3;4;5;6\r\n";
    struct Case {
        const char* name;
        std::string bytes;
    } const cases[] = {
        {"seven lines", "Datum: 1.2.2020 Zeit: 10:00:00\r\n" + kColumnTableFiller + "x\r\n" + data},
        {"date in line 3", "a\r\nb\r\nc\r\nDatum: 1.2.2020 Zeit: 10:00:00\r\n" + kColumnTableFiller + data},
        {"date without seconds", "Datum: 1.2.2020 Zeit: 10:00\r\n" + kColumnTableFiller + "x\r\nx\r\n" + data},
        {"no data line", "Datum: 1.2.2020 Zeit: 10:00:00\r\n" + kColumnTableFiller + "x\r\nx\r\nx\r\nx\r\n"},
        {"only short data lines", "Datum: 1.2.2020 Zeit: 10:00:00\r\n" + kColumnTableFiller + "x\r\nx\r\n1;2;3\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CMessFahrtDaten run = ReadText(c.bytes);
        EXPECT_NE(run.FormatCode(), kFormatDatedColumnTable);
        EXPECT_FALSE(run.IsLoaded());
        EXPECT_TRUE(run.Points().empty());
    }
}

TEST(DatedColumnTableReader, ARefusedFileKeepsItsDateLine)
{
    const CMessFahrtDaten run = ReadText("Datum: 3.4.2016 Zeit: 9:05:00\r\n" + kColumnTableFiller + "x\r\nx\r\nx\r\n");
    EXPECT_FALSE(run.IsLoaded());
    EXPECT_EQ(run.Lines()[0], "Datum: 3.4.2016 Zeit: 9:05:00");
}

}  // namespace
}  // namespace kurvex
