// The older table formats 6, 5 (with its .PGC comment file), 7, 3 and 4.

#include <gtest/gtest.h>

#include <filesystem>
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

// ---- Format 6 ---------------------------------------------------------------------

TEST(RoadTableReader, ReadsRoadStartKilometreAndPoints)
{
    const CMessFahrtDaten run = ReadFixture("road_table_6.txt");
    ASSERT_EQ(run.FormatCode(), kFormatRoadTable);
    EXPECT_EQ(run.RoadName(), "B 27 Ortsdurchfahrt");
    EXPECT_EQ(run.StartKm(), "12,300");
    EXPECT_EQ(run.GetLimit(), 0);
    EXPECT_EQ(Stations(run), (std::vector<int32_t>{0, 10, 20}));
    EXPECT_EQ(Values(run), (std::vector<int32_t>{15, -4, 23}));
    EXPECT_EQ(run.Points()[0].width, 0);
    EXPECT_FALSE(run.Points()[0].HasSpeed());
}

TEST(RoadTableReader, RefusesWithoutItsTwoFirstLinesOrPoints)
{
    const char* const files[] = {
        "Strasse: B 27\r\n",
        "Strasse: B 27\r\nKm: 1\r\n0,1 1,0\r\n",
        " Strasse: B 27\r\nStart-Km: 1\r\n0,1 1,0\r\n",
        "Strasse: B 27\r\nStart-Km: 1\r\nkeine Zahlen\r\n0,1\r\n",
    };
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        const CMessFahrtDaten run = ReadText(bytes);
        EXPECT_NE(run.FormatCode(), kFormatRoadTable);
        EXPECT_TRUE(run.Points().empty());
        // A refused attempt leaves no road name behind for another format.
        EXPECT_TRUE(run.RoadName().empty());
    }
}

// ---- Format 5 ---------------------------------------------------------------------

TEST(LimitValueTableReader, ReadsPointsAndTheCommentFile)
{
    const CMessFahrtDaten run = ReadFixture("limit_table_5.dat");
    ASSERT_EQ(run.FormatCode(), kFormatLimitTable);
    EXPECT_EQ(run.GetLimit(), 40);
    // The line with decimal commas reads only one number and is skipped.
    ASSERT_EQ(Stations(run), (std::vector<int32_t>{1230, 1234, 1240}));
    const auto& p = run.Points();
    EXPECT_EQ(p[0].value, 15);
    EXPECT_FALSE(p[0].HasSpeed());
    EXPECT_EQ(p[0].limit, 40);
    EXPECT_DOUBLE_EQ(p[1].speed, 42.0);
    EXPECT_EQ(p[1].limit, 40);
    EXPECT_EQ(p[2].value, -7);
    EXPECT_DOUBLE_EQ(p[2].speed, 41.5);
    EXPECT_EQ(p[2].limit, 35);

    // Inside the table only; a later line replaces an earlier one; UTF-8 umlauts are repaired.
    EXPECT_FALSE(p[0].hasComment);
    EXPECT_EQ(p[1].comment, "Riss");
    EXPECT_EQ(p[2].comment, "Fl\xE4" "che");
    EXPECT_TRUE(p[2].hasComment);
}

TEST(LimitValueTableReader, RunLimitFromTheFirstLine)
{
    struct Case {
        const char* first;
        int32_t limit;
    } const cases[] = {
        {"Grenzwert 4.0", 40}, {"Grenzwert 0.7", 7}, {"Grenzwert", 0}, {"Grenzwert: 4.0", 0},
        {"Grenzwert 1e300", INT32_MAX}, {"Grenzwert -0.79", -7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        const CMessFahrtDaten run = ReadText(std::string(c.first) + "\r\nkm mm\r\n0.1 1.0\r\n0.2 1.0 30 -1\r\n");
        ASSERT_EQ(run.FormatCode(), kFormatLimitTable);
        EXPECT_EQ(run.GetLimit(), c.limit);
        // A negative point limit stands for the run's limit.
        EXPECT_EQ(run.Points()[0].limit, c.limit);
        EXPECT_EQ(run.Points()[1].limit, c.limit);
    }
}

TEST(LimitValueTableReader, HugeNumbersAreClamped)
{
    const CMessFahrtDaten run = ReadText("Grenzwert 4.0\r\nkm mm\r\n1e300 -1e300 1e999 1e300\r\n");
    ASSERT_EQ(run.FormatCode(), kFormatLimitTable);
    const MESSUNG& p = run.Points()[0];
    EXPECT_EQ(p.station, INT32_MAX);
    EXPECT_EQ(p.value, INT32_MIN);
    EXPECT_EQ(p.limit, INT32_MAX);
    EXPECT_DOUBLE_EQ(p.speed, 0.0);  // an endless speed is unreadable
}

TEST(LimitValueTableReader, RefusesWithoutGrenzwertOrPoints)
{
    const char* const files[] = {"Grenzwert 4.0\r\n", "Grenzwert 4.0\r\n0.1 1.0\r\n", "Grenzwert 4.0\r\nx\r\n0,1 1,0\r\n",
                                 "grenzwert 4.0\r\nx\r\n0.1 1.0\r\n"};
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        const CMessFahrtDaten run = ReadText(bytes);
        EXPECT_NE(run.FormatCode(), kFormatLimitTable);
        EXPECT_TRUE(run.Points().empty());
    }
}

class CommentFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = test::TempFolder("pgc_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        m_path = m_folder + "/run.dat";
        test::WriteWholeFile(m_path, "Grenzwert 4.0\r\nkm mm\r\n0.1234 1.5\r\n0.1240 1.0\r\n");
    }
    void TearDown() override { std::filesystem::remove_all(m_folder); }

    CMessFahrtDaten Read() const
    {
        CMessFahrtDaten run;
        EXPECT_TRUE(run.LoadFromFile(m_path));
        EXPECT_EQ(run.FormatCode(), kFormatLimitTable);
        EXPECT_EQ(run.Points().size(), 2u);
        return run;
    }

    std::string m_folder;
    std::string m_path;
};

TEST_F(CommentFileTest, LowerCaseExtensionIsFound)
{
    test::WriteWholeFile(m_folder + "/run.pgc", "table\n0.1234\ta\tb\tc\tRiss\n/table\n");
    const CMessFahrtDaten run = Read();
    EXPECT_EQ(run.Points()[0].comment, "Riss");
    EXPECT_FALSE(run.Points()[1].hasComment);
}

// Found with the exerciser: a comment file name held by a device was read
// (/dev/zero without end). It is passed over like a missing file.
TEST_F(CommentFileTest, ExerciserADeviceOfTheExactNameIsPassedOver)
{
    if (!test::CaseSensitiveFileNames(m_folder))
        GTEST_SKIP() << "the file system ignores case: \"run.PGC\" and \"run.pgc\" are one file";
    std::filesystem::create_symlink("/dev/null", m_folder + "/run.PGC");
    test::WriteWholeFile(m_folder + "/run.pgc", "table\r\n0.1234\ta\tb\tc\tklein\r\n/table\r\n");
    EXPECT_EQ(Read().Points()[0].comment, "klein");
}

TEST_F(CommentFileTest, TheExactNameComesFirst)
{
    if (!test::CaseSensitiveFileNames(m_folder))
        GTEST_SKIP() << "the file system ignores case: \"run.PGC\" and \"run.pgc\" are one file";
    test::WriteWholeFile(m_folder + "/run.PGC", "table\r\n0.1234\ta\tb\tc\tgross\r\n/table\r\n");
    test::WriteWholeFile(m_folder + "/run.pgc", "table\r\n0.1234\ta\tb\tc\tklein\r\n/table\r\n");
    EXPECT_EQ(Read().Points()[0].comment, "gross");

    // Without either, two names in other cases leave the choice open: none is guessed.
    std::filesystem::remove(m_folder + "/run.PGC");
    std::filesystem::remove(m_folder + "/run.pgc");
    test::WriteWholeFile(m_folder + "/run.Pgc", "table\r\n0.1234\ta\tb\tc\teins\r\n/table\r\n");
    EXPECT_EQ(Read().Points()[0].comment, "eins");
    test::WriteWholeFile(m_folder + "/run.pGc", "table\r\n0.1234\ta\tb\tc\tzwei\r\n/table\r\n");
    EXPECT_FALSE(Read().Points()[0].hasComment);
}

TEST_F(CommentFileTest, MissingEmptyOrBinaryFilesGiveNoComments)
{
    EXPECT_FALSE(Read().Points()[0].hasComment);

    test::WriteWholeFile(m_folder + "/run.PGC", "");
    EXPECT_FALSE(Read().Points()[0].hasComment);

    std::string binary;
    for (int i = 0; i < 20000; ++i)
        binary += static_cast<char>((i * 131 + 7) % 256);
    test::WriteWholeFile(m_folder + "/run.PGC", binary);
    EXPECT_FALSE(Read().Points()[0].hasComment);

    // A table that is never closed, lines that are cut, fields that are empty.
    test::WriteWholeFile(m_folder + "/run.PGC", "table\r\n" + std::string(100000, 'x') + "\r\n0.1240\t\t\t\t\r\n"
                                                "0.1240\ta\tb\tc\tRiss\t  \r\n");
    const CMessFahrtDaten run = Read();
    EXPECT_FALSE(run.Points()[1].hasComment);

    // A folder of that name cannot be read as a file.
    std::filesystem::remove(m_folder + "/run.PGC");
    std::filesystem::create_directory(m_folder + "/run.PGC");
    EXPECT_FALSE(Read().Points()[0].hasComment);
}

TEST_F(CommentFileTest, CommentLinesNeedTheTableAndFiveFields)
{
    test::WriteWholeFile(m_folder + "/run.PGC",
                         "0.1234\ta\tb\tc\tdraussen\r\n table\r\n0.1234\ta\tb\tc\teingerueckt\r\ntable\r\n"
                         "0.1234\ta\tb\tRiss\r\n0,1240\tx\tx\tx\tKomma\r\n/table\r\n0.1240\ta\tb\tc\tdanach\r\n");
    const CMessFahrtDaten run = Read();
    EXPECT_FALSE(run.Points()[0].hasComment);
    // The station reads with a decimal point only: 0,1240 is station 0.
    EXPECT_FALSE(run.Points()[1].hasComment);
}

// Runs and their comment files in folders and under names with umlauts, ß and
// letters outside Windows-1252; the extension as written on Windows in any case.
TEST(CommentFile, UmlautAndForeignNamesInAnyCase)
{
    const std::string root = test::TempFolder("pgc_names");
    struct Case {
        const char* folder;
        const char* stem;
        const char* extension;
    } const cases[] = {
        {"Pr\xC3\xBC" "fung", "Stra\xC3\x9F" "e_\xC3\xA4\xC3\xB6\xC3\xBC", ".PGC"},
        {"\xC3\x84\xC3\x96\xC3\x9C \xC3\x9F", "Messung", ".pgc"},
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xC5\x81\xC3\xB3" "d\xC5\xBA_Stra\xC3\x9F" "e", ".Pgc"},
        {"Messungen", "run", ".pGc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stem + std::string(c.extension));
        const std::string folder = root + "/" + c.folder;
        test::MakeFolders(folder);
        const std::string path = folder + "/" + c.stem + ".dat";
        test::WriteWholeFile(path, "Grenzwert 4.0\r\nkm mm\r\n0.1234 1.5\r\n0.1240 1.0\r\n");
        test::WriteWholeFile(folder + "/" + c.stem + c.extension, "table\r\n0.1240\ta\tb\tc\tRiss \xE4\r\n/table\r\n");
        CMessFahrtDaten run;
        ASSERT_TRUE(run.LoadFromFile(path));
        EXPECT_EQ(run.FilePath(), path);
        ASSERT_EQ(run.Points().size(), 2u);
        EXPECT_FALSE(run.Points()[0].hasComment);
        EXPECT_EQ(run.Points()[1].comment, "Riss \xE4");
    }
}

// ---- Formats 7 and 3 ----------------------------------------------------------------

TEST(DatedTableReader, FiveFieldTable)
{
    const CMessFahrtDaten run = ReadFixture("dated_table_7.csv");
    ASSERT_EQ(run.FormatCode(), kFormatDatedTable5);
    EXPECT_FALSE(run.IsDeviceFormat());
    EXPECT_EQ(run.HeaderText(), "12.03.2015 10:22:00, B 27");
    EXPECT_EQ(run.GetLimit(), 0);
    ASSERT_EQ(Stations(run), (std::vector<int32_t>{125, 130, 135}));
    EXPECT_EQ(Values(run), (std::vector<int32_t>{12, -8, 4}));
    const auto& p = run.Points();
    EXPECT_EQ(p[0].width, 350);
    EXPECT_EQ(p[2].width, 375);
    EXPECT_FALSE(p[0].hasComment);
    // The comment keeps its own commas.
    EXPECT_EQ(p[1].comment, "Riss, quer");
    EXPECT_TRUE(p[1].hasComment);
    EXPECT_TRUE(p[2].hasComment);
    EXPECT_EQ(p[2].comment, "");
}

TEST(DatedTableReader, FourFieldTable)
{
    const CMessFahrtDaten run = ReadFixture("dated_table_3.csv");
    ASSERT_EQ(run.FormatCode(), kFormatDatedTable4);
    EXPECT_EQ(run.HeaderText(), "12.03.2015 10:22:00, Landesstra\xDF" "e L 123");
    ASSERT_EQ(Stations(run), (std::vector<int32_t>{125, 130}));
    EXPECT_EQ(Values(run), (std::vector<int32_t>{12, 3}));
    EXPECT_EQ(run.Points()[0].comment, "Fuge");
    EXPECT_TRUE(run.Points()[0].hasComment);
    EXPECT_EQ(run.Points()[0].width, 0);
    EXPECT_FALSE(run.Points()[1].hasComment);
}

TEST(DatedTableReader, HeaderEntriesOnlyFromTheFirstLines)
{
    // Format 7 takes lines 1 to 6, format 3 lines 1 to 5; blank entries and trailing commas go.
    std::string lines = "01.02.2003 04:05:06\r\n";
    for (int i = 1; i <= 7; ++i)
        lines += "H" + std::to_string(i) + (i == 3 ? ",  " : "") + "\r\n";
    const CMessFahrtDaten five = ReadText(lines + "1;2;3;0;x\r\n");
    EXPECT_EQ(five.FormatCode(), kFormatDatedTable5);
    EXPECT_EQ(five.HeaderText(), "01.02.2003 04:05:06, H1, H2, H3,, H4, H5, H6");
    const CMessFahrtDaten four = ReadText(lines + "1;2;0;x\r\nH8\r\n");
    EXPECT_EQ(four.FormatCode(), kFormatDatedTable4);
    EXPECT_EQ(four.HeaderText(), "01.02.2003 04:05:06, H1, H2, H3,, H4, H5");
}

TEST(DatedTableReader, RefusesWithoutDateOrPoints)
{
    const char* const files[] = {
        "12.03.2015 10:22\r\n1;2;3;0;x\r\n",        // no seconds
        "12.03.2015 10:22:00\r\n1;2;3\r\n1;2;3;4;5;6\r\n",
        "am 12.03.2015 10:22:00\r\n1;2;3;0;x\r\n",
    };
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes);
        const CMessFahrtDaten run = ReadText(bytes);
        EXPECT_NE(run.FormatCode(), kFormatDatedTable5);
        EXPECT_NE(run.FormatCode(), kFormatDatedTable4);
        EXPECT_TRUE(run.Points().empty());
        EXPECT_TRUE(run.HeaderText().empty());
    }
}

// ---- Format 4 ---------------------------------------------------------------------

TEST(PlanographTableReader, ReadsPointsAndTheLimit)
{
    const CMessFahrtDaten run = ReadFixture("planograph_4.csv");
    ASSERT_EQ(run.FormatCode(), kFormatPlanograph);
    EXPECT_EQ(run.GetLimit(), 40);
    EXPECT_EQ(Stations(run), (std::vector<int32_t>{150, 160, 170}));
    EXPECT_EQ(Values(run), (std::vector<int32_t>{-8, 12, 5}));
    EXPECT_FALSE(run.Points()[0].hasComment);
}

TEST(PlanographTableReader, RefusesWithoutTagOrPoints)
{
    const char* const files[] = {
        "PLANOGRAPH: Messdatens\xE4tze;\r\n0,0150;-0,8;\r\n",
        "PLANOGRAPH: Me\xDF" "datens\xE4tze;\r\nGrenzwert [mm]:;4,0;\r\n0,0150\r\n",
    };
    for (const char* bytes : files) {
        const CMessFahrtDaten run = ReadText(bytes);
        EXPECT_NE(run.FormatCode(), kFormatPlanograph);
        EXPECT_TRUE(run.Points().empty());
    }
}

}  // namespace
}  // namespace kurvex
