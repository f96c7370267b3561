#include <gtest/gtest.h>

#include "measurement/ExportText.h"
#include "measurement/FormatCode.h"
#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

using test::Pm01bs02Record;

CMessFahrtDaten DeviceRun()
{
    CMessFahrtDaten run;
    run.ReadBytes("PM01BS02 Planograf\r\n"
                  "Zeitstempel|12.03.2015 10:22:00\r\n"
                  "Pruefer|M\xFCller\r\n"
                  "***\r\n"
                  + Pm01bs02Record(1.5, 0.0123, 3.5, "Fuge") + Pm01bs02Record(-0.2, 0.0124, 3.5)
                  + Pm01bs02Record(2.0, 0.0125, 3.75, "a;b") + "***\r\n");
    EXPECT_TRUE(run.IsLoaded());
    return run;
}

TEST(BuildExportText, WritesTheChosenSeparatorAndDecimalSign)
{
    const std::string text = DeviceRun().BuildExportText(true, ";");
    EXPECT_EQ(text,
              "IMEXPORT001 FELDTRENNER=;\r\n"
              "Zeitstempel;12.03.2015 10:22:00\r\n"
              "Pruefer;M\xFCller\r\n"
              "***\r\n"
              "1,500000;0,012300;3,500000;Fuge\r\n"
              "-0,200000;0,012400;3,500000;\r\n"
              "2,000000;0,012500;3,750000;a;b\r\n"
              "***\r\n");
    const std::string tabbed = DeviceRun().BuildExportText(false, "\t");
    EXPECT_EQ(tabbed.substr(0, tabbed.find("\r\n")), "IMEXPORT001 FELDTRENNER=TABULATOR");
    EXPECT_NE(tabbed.find("1.500000\t0.012300\t3.500000\tFuge\r\n"), std::string::npos);
}

TEST(ImExport001, ExportReadsBackIntoTheSamePoints)
{
    const CMessFahrtDaten source = DeviceRun();
    struct Case {
        bool decimalComma;
        const char* separator;
    } const cases[] = {{true, ";"}, {false, "\t"}, {false, ","}, {true, "::"}, {false, "|"}};
    for (const Case& c : cases) {
        CMessFahrtDaten copy;
        copy.ReadBytes(source.BuildExportText(c.decimalComma, c.separator));
        ASSERT_TRUE(copy.IsLoaded()) << c.separator;
        EXPECT_EQ(copy.FormatCode(), kFormatPm01bs02);
        ASSERT_EQ(copy.Points().size(), source.Points().size());
        for (size_t i = 0; i < source.Points().size(); ++i) {
            const MESSUNG& a = source.Points()[i];
            const MESSUNG& b = copy.Points()[i];
            EXPECT_EQ(a.value, b.value);
            EXPECT_EQ(a.station, b.station);
            EXPECT_EQ(a.width, b.width);
            EXPECT_EQ(a.comment, b.comment) << c.separator;
            EXPECT_EQ(a.hasComment, b.hasComment);
        }
        // The header written as key, separator, value is read back too.
        EXPECT_EQ(copy.HeaderText(), source.HeaderText()) << c.separator;
        // Exporting the copy again gives the same text.
        EXPECT_EQ(copy.BuildExportText(c.decimalComma, c.separator), source.BuildExportText(c.decimalComma, c.separator));
        EXPECT_EQ(copy.RangeFrom(), copy.FirstStation());
    }
}

TEST(ImExport001, ReadsEitherDecimalSignAndKeyedHeader)
{
    CMessFahrtDaten run;
    run.ReadBytes("IMEXPORT001 FELDTRENNER=;\r\n"
                  "Dienststelle|Amt\r\n"
                  "***\r\n"
                  "1.5;0,0123;3.5;  Fuge  \r\n"
                  "\r\n"
                  "2,0;0.0124;3,5\r\n"
                  "***\r\n");
    ASSERT_TRUE(run.IsLoaded());
    ASSERT_EQ(run.Points().size(), 2u);  // the blank line is no point
    EXPECT_EQ(run.Points()[0].value, 15);
    EXPECT_EQ(run.Points()[0].station, 123);
    EXPECT_EQ(run.Points()[0].comment, "  Fuge");  // leading blanks stay, as the file has them
    EXPECT_EQ(run.Points()[1].station, 124);
    EXPECT_FALSE(run.Points()[1].hasComment);
    EXPECT_EQ(run.HeaderText(), "\xBF" "Amt\xBF\xBF\xBF\xBF\xBF");
    EXPECT_EQ(run.Lines()[3], "1.50 0.0123 3.50   Fuge");
    EXPECT_EQ(run.ExportLines()[1], "Dienststelle|Amt");
    EXPECT_EQ(run.BuildExportText(true, ";"),
              "IMEXPORT001 FELDTRENNER=;\r\nDienststelle|Amt\r\n***\r\n1,500000;0,012300;3,500000;  Fuge\r\n"
              "2,000000;0,012400;3,500000;\r\n***\r\n");
}

TEST(ImExport001, RefusedWithoutSeparatorPointsOrClosingMarker)
{
    const char* const cases[] = {
        "IMEXPORT001 FELDTRENNER=\r\n***\r\n1;2;3;\r\n***\r\n",
        "IMEXPORT001\r\n***\r\n1;2;3;\r\n***\r\n",
        "IMEXPORT001 FELDTRENNER=;\r\n***\r\n***\r\n",
        "IMEXPORT001 FELDTRENNER=;\r\n***\r\n1;0,1;3;\r\n",
    };
    for (const char* bytes : cases) {
        CMessFahrtDaten run;
        run.ReadBytes(bytes);
        EXPECT_FALSE(run.IsLoaded()) << bytes;
        EXPECT_TRUE(run.Points().empty()) << bytes;
        EXPECT_EQ(run.FormatCode(), 0);
    }
}

TEST(ExportSeparator, ChecksOfTheDialog)
{
    EXPECT_EQ(CheckExportSeparator(true, ""), kMsgSeparatorMissing);
    EXPECT_EQ(CheckExportSeparator(true, NormalizeOtherSeparator("   ")), kMsgSeparatorMissing);
    EXPECT_EQ(CheckExportSeparator(true, ","), kMsgSeparatorIsDecimal);
    EXPECT_EQ(CheckExportSeparator(false, "."), kMsgSeparatorIsDecimal);
    EXPECT_EQ(CheckExportSeparator(false, ","), "");
    EXPECT_EQ(CheckExportSeparator(true, "."), "");
    EXPECT_EQ(CheckExportSeparator(true, "\t"), "");
    EXPECT_EQ(NormalizeOtherSeparator(" # "), "#");
}

TEST(ExportSeparator, ProposedFileName)
{
    EXPECT_EQ(ProposedExportFileName("/data/run.PBS"), "run.exp");
    EXPECT_EQ(ProposedExportFileName("D:\\messungen\\a1.pbs"), "a1.exp");
    EXPECT_EQ(ProposedExportFileName("/data/run.dat"), "run.dat");
    EXPECT_EQ(ProposedExportFileName("/data/x.pbs.bak"), "x.pbs.bak");
}

}  // namespace
}  // namespace kurvex
