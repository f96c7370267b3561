// The record lines of PM01BS02, IMEXPORT001 and PM01BS01 runs are made from the
// points when they are read. These tests hold them to the lines as the readers
// describe them, written out here from the file's own numbers and texts: the
// file viewer's "%.2f %.4f %.2f %s" of the point, the export line's "%f" of
// the file's numbers. The numbers are chosen where the two part: values the
// point rounds, tiny negative numbers, NaN and infinities, numbers beyond the
// point's range, comments the point trims or repairs.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Record {
    double valueMm;
    double stationKm;
    double widthM;
    std::string comment;
};

// Numbers where the point's rounded value prints as the file's number, and numbers where it does not.
const std::vector<Record>& Records()
{
    static const std::vector<Record> records = {
        {1.3, 12.0001, 3.5, ""},
        {0.1 + 0.2, 12.0002, 3.75, "Fuge"},
        {1.25, 0.01234, 3.456, "rounded"},
        {-1e-9, 0.0, 3.5, ""},
        {-0.0, -0.0, -0.0, ""},
        {4.9e-7, 5e-7, -2.5e-7, ""},
        {kNaN, kInf, -kInf, "x"},
        {-kNaN, 1.0, 1.0, ""},
        {1e300, -1e300, 5e-324, ""},
        {214748364.7, 214748.3647, 21474836.47, ""},
        {-214748364.8, -214748.3648, -21474836.48, ""},
        {12.00005, 12.00005, 0.005, ""},
        {-2.3, -0.0124, 3.25, "  leading blanks"},
        {1.0, 0.1, 3.0, "Br\xC3\xBC" "cke \xC3\x9C" "bergang"},
        {2.0, 0.2, 3.0, std::string("a\0b", 3)},
        {3.0, 0.3, 3.0, "trailing   "},
        {4.0, 0.4, 3.0, "\t"},
        {5.0, 0.5, 3.0, "with _S_ and _D_"},
    };
    return records;
}

// "%f" with the decimal point as "_D_", then "_S_".
std::string ExportNumber(double x)
{
    return ReplacedAll(FormatFixed(x, 6), ".", "_D_") + "_S_";
}

std::string ExportLineOf(double valueMm, double stationKm, double widthM, const std::string& comment)
{
    return ExportNumber(valueMm) + ExportNumber(stationKm) + ExportNumber(widthM) + comment;
}

// "%.2f %.4f %.2f %s" of the point, separated by `separator`.
std::string ViewerLineOf(const MESSUNG& point, const std::string& separator = " ")
{
    return FormatFixed(point.value / 10.0, 2) + separator + FormatFixed(point.station / 10000.0, 4) + separator
           + FormatFixed(point.width / 100.0, 2) + separator + point.comment;
}

// The point a device record gives.
MESSUNG DevicePoint(const Record& record, const std::string& comment)
{
    MESSUNG point;
    point.SetValueMm(record.valueMm);
    point.station = RoundHalfAway(record.stationKm * 10000.0);
    point.width = RoundHalfAway(record.widthM * 100.0);
    point.SetComment(comment);
    return point;
}

// The comment a device record's export line carries: up to a zero byte, trailing blanks removed.
std::string DeviceComment(const std::string& raw)
{
    return TrimRight(raw.substr(0, raw.find('\0')));
}

std::string JoinedFileTextLines(const CMessFahrtDaten& run)
{
    std::string text;
    for (size_t i = 0; i < run.FileTextLineCount(); ++i) {
        text += run.FileTextLine(i);
        text += '\n';
    }
    return text;
}

struct Expected {
    std::vector<std::string> lines;
    std::vector<std::string> exportLines;
};

void ExpectLines(const CMessFahrtDaten& run, const Expected& expected)
{
    ASSERT_EQ(run.Lines().size(), expected.lines.size());
    ASSERT_EQ(run.FileTextLineCount(), expected.lines.size());
    std::string fileText;
    for (size_t k = 0; k < expected.lines.size(); ++k) {
        EXPECT_EQ(run.Lines()[k], expected.lines[k]) << "line " << k;
        EXPECT_EQ(std::string(run.FileTextLine(k)), expected.lines[k]) << "line " << k;
        fileText += expected.lines[k] + "\n";
    }
    EXPECT_EQ(run.GetFileText(), fileText);
    ASSERT_EQ(run.ExportLines().size(), expected.exportLines.size());
    for (size_t k = 0; k < expected.exportLines.size(); ++k)
        EXPECT_EQ(run.ExportLines()[k], expected.exportLines[k]) << "export line " << k;
}

std::string ExportTextOf(const std::vector<std::string>& exportLines, bool decimalComma, const std::string& separator)
{
    std::string text = "IMEXPORT001 FELDTRENNER=" + ReplacedAll(separator, "\t", "TABULATOR") + "\r\n";
    for (size_t k = 1; k < exportLines.size(); ++k) {
        std::string line = exportLines[k];
        Replace(line, "_D_", decimalComma ? "," : ".");
        Replace(line, "_S_", separator);
        text += line + "\r\n";
    }
    return text;
}

TEST(RecordLines, DeviceRecordsReadAsTheirFileNumbersAndComments)
{
    std::string bytes = "PM01BS02 Records\r\nPruefer|M\xFC" "ller\r\n***\r\n";
    Expected expected{{"PM01BS02 Records", "Pruefer|M\xFC" "ller", "***"},
                      {"PM01BS02 Records", "Pruefer_S_M\xFC" "ller", "***"}};
    for (const Record& record : Records()) {
        bytes += test::Pm01bs02Record(record.valueMm, record.stationKm, record.widthM, record.comment);
        const std::string comment = DeviceComment(record.comment);
        expected.lines.push_back(ViewerLineOf(DevicePoint(record, comment)));
        expected.exportLines.push_back(ExportLineOf(record.valueMm, record.stationKm, record.widthM, comment));
    }
    bytes += "***\r\n";
    expected.lines.push_back("***");
    expected.exportLines.push_back("***");

    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    ASSERT_TRUE(run.IsLoaded());
    ExpectLines(run, expected);
    EXPECT_EQ(run.BuildExportText(true, ";"), ExportTextOf(expected.exportLines, true, ";"));
    EXPECT_EQ(run.BuildExportText(false, "\t"), ExportTextOf(expected.exportLines, false, "\t"));
    EXPECT_EQ(JoinedFileTextLines(run), run.GetFileText());
}

TEST(RecordLines, ExchangeRecordsReadAsTheirFileNumbersAndComments)
{
    // value;station;width;comment as the file has them
    const std::vector<std::string> pointLines = {
        "1,300000;12,000100;3,500000;",
        "1,25;0,01234;3,456;  Fuge",
        "-0,000000001;0;3,5;",
        "-0;-0,0;-0;a;b;c",
        "1e3;2E-2;0x10;hex",
        "12,00005;12,00005;0,005;Br\xC3\xBC" "cke",
        "214748364,7;214748,3647;21474836,47;",
        "99999999999;-99999999999;1;",
        "1,5",
        ";;;",
        ",5;.5;+,5;signs",
        "0,1234567890123456789;1;1;many digits",
        "trailing  ;x;y;  z  ",
    };
    std::string bytes = "IMEXPORT001 FELDTRENNER=;\r\nPruefer|Max\r\n***\r\n";
    Expected expected{{"IMEXPORT001 FELDTRENNER=;", "Pruefer|Max", "***"},
                      {"IMEXPORT001 FELDTRENNER=;", "Pruefer|Max", "***"}};
    for (const std::string& line : pointLines) {
        bytes += line + "\r\n";
        // Only the first three separators divide fields; numbers with either decimal sign.
        std::string rest = line;
        double numbers[3];
        for (double& number : numbers) {
            const auto separator = rest.find(';');
            number = ToDouble(CommaToPoint(rest.substr(0, separator)));
            rest = separator == std::string::npos ? std::string() : rest.substr(separator + 1);
        }
        const std::string comment = TrimRight(rest);
        MESSUNG point;
        point.comment = RepairUmlauts(comment);
        point.SetValueMm(numbers[0]);
        point.station = RoundHalfAway(numbers[1] * 10000.0);
        point.width = RoundHalfAway(numbers[2] * 100.0);
        expected.lines.push_back(ViewerLineOf(point));
        expected.exportLines.push_back(ExportLineOf(numbers[0], numbers[1], numbers[2], comment));
    }
    bytes += "***\r\n";
    expected.lines.push_back("***");
    expected.exportLines.push_back("***");

    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    ASSERT_TRUE(run.IsLoaded());
    ExpectLines(run, expected);
    EXPECT_EQ(run.BuildExportText(false, ","), ExportTextOf(expected.exportLines, false, ","));
}

TEST(RecordLines, Pm01bs01DataLinesReadAsRewritten)
{
    // Data lines: value, three unused columns, station (km), width (m), comment.
    const std::vector<std::string> dataLines = {
        "1.30\t0\t0\t0\t2.1500\t3.50",
        "1.30\t0\t0\t0\t2.1500\t3.50\tFuge",
        "-0.40\t0\t0\t0\t2.1501\t3.75\t  Fuge  \t\t",
        "0.00\t0\t0\t0\t0.0000\t0.00\t",
        "-0.00\t0\t0\t0\t-0.0000\t-0.00",
        "1,30\t0\t0\t0\t2,1500\t3,50",
        "1.3\t0\t0\t0\t2.15\t3.5",
        "+1.30\t0\t0\t0\t2.1500\t3.50",
        " 1.30\t0\t0\t0\t2.1500 \t3.50",
        "1.25\t0\t0\t0\t2.15004\t3.505",
        "1.30\t0\t0\t0\t2.1500\t3.50\tBr\xC3\xBC" "cke",
        "99999999999.00\t0\t0\t0\t-99999999.0000\t1e3",
        "1.30\t0\t0\t0\t2.1500",  // five fields: kept as it was
        "1.30\t0\t0\t0\t2.1500\t3.50\tc\textra",
        "x\ty\tz\t\t\t",
    };
    std::string bytes = "PM01BS01\tPlanograf\r\n17.06.2014 08:41\tMessung 23\r\nDienststelle\tAmt\r\n"
                        "Abteilung\tA\r\nPruefer\tP\r\nStr.-Typ\tB\r\nStr.-Nr.\t14\r\n";
    Expected expected{{"PM01BS01\tPlanograf", "17.06.2014 08:41\tMessung 23", "Dienststelle\tAmt", "Abteilung\tA",
                       "Pruefer\tP", "Str.-Typ\tB", "Str.-Nr.\t14"},
                      {}};
    size_t points = 0;
    for (const std::string& line : dataLines) {
        bytes += line + "\r\n";
        std::string data = line;
        while (!data.empty() && data.back() == '\t')
            data.pop_back();
        if (CountFields(data, '\t') < 6) {
            expected.lines.push_back(line);
            continue;
        }
        ++points;
        expected.lines.push_back(GetField(data, '\t', 0) + "\t" + GetField(data, '\t', 4) + "\t"
                                 + GetField(data, '\t', 5) + "\t" + Trim(GetField(data, '\t', 6)));
    }

    CMessFahrtDaten run;
    run.ReadBytes(bytes);
    ASSERT_TRUE(run.IsLoaded());
    EXPECT_EQ(run.Points().size(), points);
    ExpectLines(run, expected);
}

// The record lines show the file as it was read, whatever happens to the points afterwards.
TEST(RecordLines, StayAsReadWhenThePointsChange)
{
    const char* const files[] = {"../samples/pm01bs02_sample.pbs", "../samples/imexport_sample.exp",
                                 "../samples/pm01bs01_sample.txt", "../samples/pm01bs02_incomplete.pbs"};
    struct Change {
        const char* name;
        void (*apply)(CMessFahrtDaten& run);
    } const changes[] = {
        {"shifted start", [](CMessFahrtDaten& run) { run.SetAdjust("100;1"); run.ApplyAdjustments(); }},
        {"flipped", [](CMessFahrtDaten& run) { run.SetAdjust("100;0"); run.ApplyAdjustments(); }},
        {"reversed", [](CMessFahrtDaten& run) { run.SetReverseOrder(true); run.ApplyAdjustments(); }},
        {"mirrored", [](CMessFahrtDaten& run) { run.MirrorRun(); }},
        {"offset", [](CMessFahrtDaten& run) { run.ShiftStations(1000); run.SetCorrection(5); }},
        {"cleared", [](CMessFahrtDaten& run) { run.Clear(); }},
        {"replaced", [](CMessFahrtDaten& run) { run.AssignPoints({MESSUNG{}}); }},
        {"all of them",
         [](CMessFahrtDaten& run) {
             run.SetAdjust("-5;1");
             run.SetReverseOrder(true);
             run.ApplyAdjustments();
             run.MirrorRun();
             run.ShiftStations(-7);
             run.SelectWholeRun();
             run.Clear();
         }},
    };
    for (const char* file : files) {
        CMessFahrtDaten original;
        ASSERT_TRUE(original.LoadFromFile(test::FixturePath(file)));
        const std::string fileText = JoinedFileTextLines(original);
        const std::string exportText = original.BuildExportText(true, "\t");
        const size_t columns = original.FileTextColumns(8);
        for (const Change& change : changes) {
            SCOPED_TRACE(std::string(file) + ": " + change.name);
            CMessFahrtDaten run;
            ASSERT_TRUE(run.LoadFromFile(test::FixturePath(file)));
            change.apply(run);
            EXPECT_EQ(JoinedFileTextLines(run), fileText);
            EXPECT_EQ(run.GetFileText(), fileText);
            EXPECT_EQ(run.BuildExportText(true, "\t"), exportText);
            EXPECT_EQ(run.FileTextColumns(8), columns);
            // A copy of the changed run still shows the file.
            const CMessFahrtDaten copy = run;
            EXPECT_EQ(JoinedFileTextLines(copy), fileText);
        }
    }
}

TEST(RecordLines, ARefusedExchangeFileStillShowsTheLinesItRead)
{
    // No closing marker: refused, and no points; the point lines read so far
    // were already rewritten and stay so.
    CMessFahrtDaten run;
    run.ReadBytes("IMEXPORT001 FELDTRENNER=;\r\n***\r\n1,5;0,0123;3,5;Fuge\r\n\r\n2;0,0124;3,5;\r\n");
    EXPECT_FALSE(run.IsLoaded());
    EXPECT_TRUE(run.Points().empty());
    EXPECT_EQ(run.ExportLines().size(), 0u);
    // The line end added after the last line reads as one more blank line.
    EXPECT_EQ(run.GetFileText(),
              "IMEXPORT001 FELDTRENNER=;\n***\n1.50 0.0123 3.50 Fuge\n\r\n\n2.00 0.0124 3.50 \n\r\n\n");
    EXPECT_EQ(JoinedFileTextLines(run), run.GetFileText());
}

// Reading a second file into the same run leaves nothing of the first.
TEST(RecordLines, ReadingAgainReplacesEverything)
{
    CMessFahrtDaten run;
    ASSERT_TRUE(run.LoadFromFile(test::FixturePath("../samples/pm01bs02_sample.pbs")));
    run.SetAdjust("100;0");
    run.ApplyAdjustments();
    (void)run.GetFileText();
    (void)run.FileTextColumns(8);
    ASSERT_TRUE(run.LoadFromFile(test::FixturePath("../samples/imexport_sample.exp")));

    CMessFahrtDaten fresh;
    ASSERT_TRUE(fresh.LoadFromFile(test::FixturePath("../samples/imexport_sample.exp")));
    EXPECT_EQ(run.GetFileText(), fresh.GetFileText());
    EXPECT_EQ(run.BuildExportText(true, ";"), fresh.BuildExportText(true, ";"));
    EXPECT_EQ(run.FileTextColumns(8), fresh.FileTextColumns(8));
    EXPECT_EQ(run.Points().size(), fresh.Points().size());
}

}  // namespace
}  // namespace kurvex
