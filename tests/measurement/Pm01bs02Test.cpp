#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "measurement/FormatCode.h"
#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

using test::Pm01bs02Record;

const std::string kHeader =
    "PM01BS02 Planograf\r\n"
    "Zeitstempel|12.03.2015 10:22:00\r\n"
    "Dienststelle|  Amt Nord \r\n"
    "Pruefer|\r\n"
    "Str.-Nr.|B 27\r\n"
    "Anderes|x|y\r\n"
    "***\r\n";

CMessFahrtDaten Read(const std::string& bytes)
{
    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    return run;
}

double WithLowByte(double x, unsigned char byte)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits = (bits & ~uint64_t{0xFF}) | byte;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

TEST(Pm01bs02, ReadsHeaderRecordsAndMarkers)
{
    const CMessFahrtDaten run = Read(kHeader + Pm01bs02Record(1.55, 0.0123, 3.5, "Fuge  ")
                                     + Pm01bs02Record(-0.25, 0.0124, 3.75) + "***\r\n");
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.FormatCode(), kFormatPm01bs02);
    EXPECT_FALSE(run.IsIncomplete());
    ASSERT_EQ(run.Points().size(), 2u);
    const MESSUNG& first = run.Points()[0];
    EXPECT_EQ(first.value, 16);  // 15.5 tenths, rounded away from zero
    EXPECT_EQ(first.station, 123);
    EXPECT_EQ(first.width, 350);
    EXPECT_EQ(first.comment, "Fuge");
    EXPECT_TRUE(first.hasComment);
    EXPECT_EQ(run.Points()[1].value, -3);
    EXPECT_FALSE(run.Points()[1].hasComment);
    EXPECT_EQ(run.GetLimit(), 0);
    // Six entries in fixed order, empty ones included; other keys are not used.
    // The line is trimmed, the value behind "|" is taken as it stands.
    EXPECT_EQ(run.HeaderText(), "12.03.2015 10:22:00\xBF  Amt Nord\xBF\xBF\xBF\xBF" "B 27\xBF");

    const RunLineList lines = run.Lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[2], "Dienststelle|  Amt Nord");
    EXPECT_EQ(lines[6], "***");
    EXPECT_EQ(lines[7], "1.60 0.0123 3.50 Fuge");
    EXPECT_EQ(lines[8], "-0.30 0.0124 3.75 ");

    const RunLineList exportLines = run.ExportLines();
    ASSERT_EQ(exportLines.size(), 10u);
    EXPECT_EQ(exportLines[1], "Zeitstempel_S_12.03.2015 10:22:00");
    EXPECT_EQ(exportLines[5], "Anderes_S_x_S_y");
    EXPECT_EQ(exportLines[7], "1_D_550000_S_0_D_012300_S_3_D_500000_S_Fuge");
    EXPECT_EQ(exportLines[8], "-0_D_250000_S_0_D_012400_S_3_D_750000_S_");
    EXPECT_EQ(exportLines[9], "***");
}

TEST(Pm01bs02, RecordWithLineFeedOrMarkerBytesInItsBinaryPart)
{
    const double stationWithLineFeed = WithLowByte(0.0123, 0x0A);
    // A value whose first bytes read "***": still a record, not the closing marker.
    double valueWithStars;
    const unsigned char stars[8] = {'*', '*', '*', 0, 0, 0, 0xF8, 0x3F};
    std::memcpy(&valueWithStars, stars, sizeof valueWithStars);
    const CMessFahrtDaten run = Read(kHeader + Pm01bs02Record(1.0, stationWithLineFeed, 3.5, "a")
                                     + Pm01bs02Record(valueWithStars, 0.0124, 3.5) + Pm01bs02Record(2.0, 0.0125, 3.5)
                                     + "***\r\n");
    ASSERT_TRUE(run.IsLoaded());
    ASSERT_EQ(run.Points().size(), 3u);
    EXPECT_EQ(run.Points()[0].station, 123);
    EXPECT_EQ(run.Points()[0].comment, "a");
    EXPECT_EQ(run.Points()[2].station, 125);
}

TEST(Pm01bs02, EmptyCommentRecordIsFortyTwoBytes)
{
    const std::string record = Pm01bs02Record(1.0, 0.01, 3.0);
    ASSERT_EQ(record.size(), 42u);
    const CMessFahrtDaten run = Read("PM01BS02\r\n***\r\n" + record + "***\r\n");
    ASSERT_EQ(run.Points().size(), 1u);
    EXPECT_FALSE(run.Points()[0].hasComment);
    EXPECT_EQ(run.HeaderText(), std::string(6, '\xBF'));
}

TEST(Pm01bs02, MissingClosingMarkerIsReadAsIncomplete)
{
    const CMessFahrtDaten run = Read(kHeader + Pm01bs02Record(1.0, 0.01, 3.0) + Pm01bs02Record(1.0, 0.02, 3.0));
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_TRUE(run.IsIncomplete());
    EXPECT_EQ(run.Points().size(), 2u);
    // Without the closing marker the export lines end with the last record.
    EXPECT_EQ(run.ExportLines().back(), "1_D_000000_S_0_D_020000_S_3_D_000000_S_");
}

TEST(Pm01bs02, RefusedWithoutMarkerOrRecordsAndNothingElseIsTried)
{
    const std::string cases[] = {
        "PM01BS02\r\nZeitstempel|x\r\n",
        "PM01BS02\r\n***\r\n***\r\n",
        "PM01BS02\r\n***\r\nshort\r\n",
        "PM01BS02",
    };
    for (const std::string& bytes : cases) {
        const CMessFahrtDaten run = Read(bytes);
        EXPECT_FALSE(run.IsLoaded());
        EXPECT_EQ(run.FormatCode(), 0);
        EXPECT_TRUE(run.Points().empty());
    }
}

TEST(Pm01bs02, NonFiniteAndHugeNumbersAreClamped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const CMessFahrtDaten run = Read("PM01BS02\r\n***\r\n" + Pm01bs02Record(nan, inf, -1e300) + Pm01bs02Record(1e12, -inf, nan)
                                     + "***\r\n");
    ASSERT_EQ(run.Points().size(), 2u);
    EXPECT_EQ(run.Points()[0].value, 0);
    EXPECT_EQ(run.Points()[0].station, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(run.Points()[0].width, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(run.Points()[1].value, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(run.Points()[1].station, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(run.ExportLines()[2].substr(0, 3), "nan");
}

TEST(Pm01bs02, OverlongLineEndsTheSplit)
{
    const std::string longHeader = "PM01BS02\r\n" + std::string(5000, 'x') + "\r\n***\r\n" + Pm01bs02Record(1.0, 0.01, 3.0);
    EXPECT_FALSE(Read(longHeader).IsLoaded());
    const std::string longRecord = "PM01BS02\r\n***\r\n" + Pm01bs02Record(1.0, 0.01, 3.0)
                                   + Pm01bs02Record(2.0, 0.02, 3.0, std::string(3000, 'k'));
    const CMessFahrtDaten run = Read(longRecord);
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.Points().size(), 1u);
    EXPECT_TRUE(run.IsIncomplete());
}

TEST(Pm01bs02, CommentsAreTextUpToAZeroByteWithUmlautsRepaired)
{
    const CMessFahrtDaten run = Read("PM01BS02\r\n***\r\n" + Pm01bs02Record(1.0, 0.01, 3.0, std::string("Br\xC3\xBC" "cke\0junk", 11))
                                     + "***\r\n");
    ASSERT_EQ(run.Points().size(), 1u);
    EXPECT_EQ(run.Points()[0].comment, "Br\xFC" "cke");
    EXPECT_EQ(run.Lines()[2], "1.00 0.0100 3.00 Br\xFC" "cke");
    EXPECT_EQ(run.GetFileText(), "PM01BS02\n***\n1.00 0.0100 3.00 Br\xFC" "cke\n***\n");
}

TEST(TextSplit, BlankLinesControlBytesAndOverlongLines)
{
    // No text reader accepts these lines, so the run keeps them as split.
    CMessFahrtDaten run;
    run.ReadBytes("first\r\n\r\n\n  \r\nsec\x01ond\tTAB\r\nlast");
    EXPECT_EQ(run.GetFileText(), "first\n  \nsecond\tTAB\nlast\n");

    run.ReadBytes("a\r\n" + std::string(200, 'b') + '\x02' + "c\r\n");
    EXPECT_EQ(run.GetFileText(), "a\n" + std::string(200, 'b') + "\nc\n");

    run.ReadBytes("kept\r\n" + std::string(2047, 'x') + "\r\nlost\r\n");
    EXPECT_EQ(run.GetFileText(), "kept\n");
    EXPECT_FALSE(run.IsLoaded());
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

TEST(ReadFile, ReadingAgainReplacesThePreviousFile)
{
    CMessFahrtDaten run;
    run.ReadBytes("PM01BS02\r\nPruefer|A\r\n***\r\n" + test::Pm01bs02Record(1.0, 0.01, 3.0) + test::Pm01bs02Record(1.0, 0.02, 3.0)
                  + "***\r\n");
    run.SelectWholeRun();
    run.ReadBytes("PM01BS02\r\nPruefer|B\r\n***\r\n" + test::Pm01bs02Record(2.0, 0.05, 3.0) + "***\r\n");
    run.SelectWholeRun();
    ASSERT_EQ(run.Points().size(), 1u);
    EXPECT_EQ(run.GetStation(0), 500);
    EXPECT_EQ(run.HeaderText(), "\xBF\xBF\xBF" "B\xBF\xBF\xBF");
    EXPECT_EQ(run.ExportLines().size(), 5u);
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

TEST(ReadFile, AFolderIsNoMeasurementFile)
{
    CMessFahrtDaten run;
    EXPECT_FALSE(run.LoadFromFile(test::TempFolder("folder_as_file")));
    EXPECT_FALSE(run.IsLoaded());
}

// Found with the exerciser: a device opened as a measurement file was read
// like one (/dev/zero until the memory ran out; a named pipe blocked the
// open). A device is no measurement file; a link to a file is one.
TEST(ReadFile, ExerciserOnlyRegularFilesAreRead)
{
    CMessFahrtDaten device;
    EXPECT_FALSE(device.LoadFromFile("/dev/null"));
    EXPECT_FALSE(device.IsLoaded());
}

TEST(ReadFile, ALinkToAFileIsRead)
{
    const std::string link = test::TempFolder("link_to_sample") + "/run.pbs";
    std::error_code error;
    std::filesystem::create_symlink(test::SamplePath("pm01bs02_sample.pbs"), link, error);
    if (error)
        GTEST_SKIP() << "this system makes no symbolic links (" << error.message() << ")";
    CMessFahrtDaten linked;
    EXPECT_TRUE(linked.LoadFromFile(link));
    EXPECT_TRUE(linked.IsLoaded());
}

}  // namespace
}  // namespace kurvex
