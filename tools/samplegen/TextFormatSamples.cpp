// Samples of the text formats: PM01BS01, the dated column table, the printed
// listing and the older tables 6, 5 (with its .PGC comment file), 7, 3 and 4.
// Every file is written byte by byte from its layout; the program's readers are
// not used here, so a sample is an independent check of them.

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "SampleWriters.h"

namespace samplegen {

namespace {

struct TextPoint {
    double stationM;
    double valueMm;  // one decimal
    double widthM;
    double speedKmh;
    int commentIndex;  // -1: no comment
};

// Comments in Windows-1252 and the same in UTF-8, as different device generations wrote them.
struct SampleComment {
    const char* cp1252;
    const char* utf8;
};

constexpr SampleComment kComments[] = {
    {"Fuge", "Fuge"},
    {"Schachtdeckel", "Schachtdeckel"},
    {"Br\xFC" "cke Anfang", "Br\xC3\xBC" "cke Anfang"},
    {"Br\xFC" "cke Ende", "Br\xC3\xBC" "cke Ende"},
    {"\xDC" "bergang Asphalt/Beton", "\xC3\x9C" "bergang Asphalt/Beton"},
    {"Stra\xDF" "eneinlauf", "Stra\xC3\x9F" "eneinlauf"},
    {"Flickstelle gr\xF6\xDF" "er 1 m", "Flickstelle gr\xC3\xB6\xC3\x9F" "er 1 m"},
    {"Einm\xFC" "ndung K 12", "Einm\xC3\xBC" "ndung K 12"},
};
constexpr int kCommentCount = static_cast<int>(sizeof kComments / sizeof kComments[0]);

// A drive of count points every stepM metres from startM: lane width changes
// twice, the values wave gently with a few exceedances, the speed drifts
// around walking pace, as the straight edge is pushed by hand.
std::vector<TextPoint> MakeDrive(uint32_t seed, int count, double startM, double stepM, double commentChance = 0.05)
{
    SampleRandom random(seed);
    std::vector<TextPoint> points;
    double speed = random.Uniform(3.5, 5.0);
    for (int i = 0; i < count; ++i) {
        double width = 3.50;
        if (i >= count / 3)
            width = 3.75;
        if (i >= 2 * count / 3)
            width = 3.25;
        double value = random.Uniform(-0.4, 2.6) + std::sin(i / 11.0) * 0.7;
        if (random.Chance(0.04))
            value = random.Uniform(4.1, 7.5);
        speed = std::fmin(9.0, std::fmax(2.0, speed + random.Uniform(-0.3, 0.3)));
        const int comment = random.Chance(commentChance) ? random.Int(0, kCommentCount - 1) : -1;
        points.push_back({startM + i * stepM, std::round(value * 10.0) / 10.0, width, std::round(speed * 10.0) / 10.0,
                          comment});
    }
    return points;
}

// x with the given decimals and a decimal point, whatever the locale.
std::string Fixed(double x, int decimals)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string Shortest(double x)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
    return std::string(buffer, result.ptr);
}

std::string Comma(double x, int decimals)
{
    std::string text = Fixed(x, decimals);
    for (char& c : text) {
        if (c == '.')
            c = ',';
    }
    return text;
}

std::string RightAligned(long long n, size_t width)
{
    std::string text = std::to_string(n);
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

long long Tenths(double x)
{
    return std::llround(x * 10.0);
}

const char* Cp1252Comment(const TextPoint& point)
{
    return point.commentIndex >= 0 ? kComments[point.commentIndex].cp1252 : "";
}

const char* Utf8Comment(const TextPoint& point)
{
    return point.commentIndex >= 0 ? kComments[point.commentIndex].utf8 : "";
}

// ---- The device text formats ------------------------------------------------------

std::string Pm01bs01File(int count = 320, double stepM = 1.0, double commentChance = 0.05)
{
    std::string bytes = "PM01BS01\tPlanograf PG 4711\r\n"
                        "17.06.2014 08:41\tMessung 23\r\n"
                        "Dienststelle\tStra\xDF" "enbauamt S\xFC" "d\r\n"
                        "Abteilung\tBau\xFC" "berwachung\r\n"
                        "Pruefer\tA. B\xE4" "cker\r\n"
                        "Str.-Typ\tB\r\n"
                        "Str.-Nr.\t14\r\n";
    for (const TextPoint& point : MakeDrive(1401, count, 2150.0, stepM, commentChance)) {
        // value, three unused columns, station km, width m, comment (UTF-8)
        bytes += Fixed(point.valueMm, 2) + "\t0.00\t0.00\t0.00\t" + Fixed(point.stationM / 1000.0, 4) + "\t" +
                 Fixed(point.widthM, 2);
        if (point.commentIndex >= 0)
            bytes += std::string("\t") + Utf8Comment(point);
        bytes += "\r\n";
    }
    return bytes;
}

// The same run as another program writes it: values with two decimals, the
// unused columns as "0", station and width as short as they read, a TAB at the
// end of every line.
std::string Pm01bs01FileInOtherForms(int count, double stepM, double commentChance)
{
    const std::string file = Pm01bs01File(0);
    std::string bytes = file;
    int i = 0;
    for (const TextPoint& point : MakeDrive(1401, count, 2150.0, stepM, commentChance)) {
        const double hundredths = (i++ * 7 % 10) / 100.0;
        bytes += Fixed(point.valueMm + (point.valueMm < 0 ? -hundredths : hundredths), 2) + "\t0\t0\t0\t" +
                 Shortest(point.stationM / 1000.0) + "\t" + Shortest(point.widthM) + "\t";
        if (point.commentIndex >= 0)
            bytes += std::string(Utf8Comment(point)) + "\t";
        bytes += "\r\n";
    }
    return bytes;
}

// The same run with decimal commas, values with three decimals, stations with
// five, widths with one, no TAB at the end of a line.
std::string Pm01bs01FileWithDecimalCommas(int count, double stepM, double commentChance)
{
    std::string bytes = Pm01bs01File(0);
    for (const TextPoint& point : MakeDrive(1401, count, 2150.0, stepM, commentChance)) {
        bytes += Comma(point.valueMm, 3) + "\t0,0\t0,0\t0,0\t" + Comma(point.stationM / 1000.0, 5) + "\t" +
                 Comma(point.widthM, 1);
        if (point.commentIndex >= 0)
            bytes += std::string("\t") + Utf8Comment(point);
        bytes += "\r\n";
    }
    return bytes;
}

std::string DatedColumnFile()
{
    std::string bytes = "Planograf Messprotokoll;;;;;\r\n"
                        "Datum: 03.04.2016 Zeit: 09:05:00\r\n"
                        "Pr\xC3\xBC" "fer: K. Schr\xC3\xB6" "der;;;;;\r\n"
                        "Strasse: L 321;;;;;\r\n"
                        "Ma\xC3\x9Fnahme: Deckenerneuerung;;;;;\r\n"
                        "Gesamtl\xE4nge: 0,300 km;;;;;\r\n"
                        "Station;H\xC3\xB6he;Geschwindigkeit;Kommentar;Breite;Grenze\r\n";
    bool commentAsLine = false;
    for (const TextPoint& point : MakeDrive(1603, 300, 0.0, 1.0)) {
        const std::string station = Comma(point.stationM, 1);
        const bool withComment = point.commentIndex >= 0;
        // Some comments stand in the comment column, others on a line of their own at the same station.
        const bool inColumn = withComment && !commentAsLine;
        bytes += station + ";" + Comma(point.valueMm, 1) + ";" + Comma(point.speedKmh, 1) + ";" +
                 (inColumn ? Utf8Comment(point) : "") + ";" + Comma(point.widthM, 2) + ";4,0\r\n";
        if (withComment && !inColumn)
            bytes += station + ";" + Cp1252Comment(point) + "\r\n";
        if (withComment)
            commentAsLine = !commentAsLine;
    }
    return bytes;
}

// ---- The printed listing -------------------------------------------------------------

std::string ListingFile()
{
    std::string bytes = "                    MESSUNG NR. 0815\r\n"
                        "\r\n"
                        "Messfahrt\r\n"
                        "12.03.98           10:15\r\n"
                        "Dienststelle  Stra\xDF" "enbauamt Nord\r\n"
                        "Abteilung     Pr\xFC" "fstelle 2\r\n"
                        "Pruefer       J. M\xFC" "ller\r\n"
                        "Str.-Typ      B\r\n"
                        "Str.-Nr.      27\r\n"
                        "\r\n"
                        "Grenzwert: 4,0 mm\r\n"
                        "\r\n"
                        "   Wert  Station\r\n"
                        "     -10   0  +10  +20  +30\r\n";
    SampleRandom random(9801);
    for (const TextPoint& point : MakeDrive(9802, 300, 1200.0, 1.0)) {
        const long long station = Tenths(point.stationM);
        // The device printed a second reading at the same station now and then; the higher one counts.
        if (random.Chance(0.03))
            bytes += RightAligned(Tenths(point.valueMm) - random.Int(1, 5), 7) + RightAligned(station, 9) + "\r\n";
        bytes += RightAligned(Tenths(point.valueMm), 7) + RightAligned(station, 9);
        if (point.commentIndex >= 0)
            bytes += std::string(" * ") + Cp1252Comment(point);
        bytes += "\r\n";
    }
    // The closing line of the printout reads as a point at station 0.
    bytes += "      0        0\r\n";
    return bytes;
}

// ---- The older tables ------------------------------------------------------------------

std::string RoadTableFile()
{
    std::string bytes = "Strasse: B 27 Ortsdurchfahrt Neustadt\r\n"
                        "Start-Km: 12,345\r\n";
    for (const TextPoint& point : MakeDrive(6001, 300, 12345.0, 1.0))
        bytes += Comma(point.stationM / 1000.0, 4) + " " + Comma(point.valueMm, 1) + "\r\n";
    return bytes;
}

struct LimitTableSample {
    std::string table;
    std::string comments;
};

LimitTableSample LimitTableFiles()
{
    LimitTableSample sample;
    sample.table = "Grenzwert 4.0\r\n"
                   "Station[km] Wert[mm] Geschw.[km/h] Grenzwert[mm]\r\n";
    sample.comments = "Planograf Kommentare\r\n"
                      "Messung: Kreisstra\xDF" "e K 12\r\n"
                      "table\r\n";
    const std::vector<TextPoint> drive = MakeDrive(5001, 300, 120.0, 1.0);
    for (size_t i = 0; i < drive.size(); ++i) {
        const TextPoint& point = drive[i];
        const std::string km = Fixed(point.stationM / 1000.0, 4);
        sample.table += km + " " + Fixed(point.valueMm, 1);
        // The middle third has a speed and, on a bridge, a stricter limit of its own.
        if (i >= drive.size() / 3 && i < 2 * drive.size() / 3) {
            sample.table += " " + Fixed(point.speedKmh, 1);
            if (i >= drive.size() / 2)
                sample.table += " 3.0";
        }
        sample.table += "\r\n";
        if (point.commentIndex >= 0)
            sample.comments += km + "\t" + std::to_string(i + 1) + "\t" + Fixed(point.valueMm, 1) + "\t-\t" +
                               Cp1252Comment(point) + "\r\n";
    }
    sample.comments += "/table\r\n";
    return sample;
}

std::string DatedTable5File()
{
    std::string bytes = "12.03.2015 10:22:00\r\n"
                        "B 27\r\n"
                        "Stra\xDF" "enbauamt Nord\r\n"
                        "Position;Abweichung;Breite;Kommentar\r\n";
    for (const TextPoint& point : MakeDrive(7001, 300, 500.0, 1.0)) {
        const bool comment = point.commentIndex >= 0;
        bytes += Comma(point.stationM, 1) + ";" + Comma(point.valueMm, 1) + ";" + Comma(point.widthM, 2) + ";" +
                 (comment ? "1" : "0") + ";" + Cp1252Comment(point) + "\r\n";
    }
    return bytes;
}

std::string DatedTable4File()
{
    std::string bytes = "21.09.2011 14:03:12\r\n"
                        "Landesstra\xDF" "e L 123\r\n"
                        "Abschnitt Nord\r\n";
    for (const TextPoint& point : MakeDrive(3001, 300, 0.0, 1.0)) {
        const bool comment = point.commentIndex >= 0;
        bytes += Comma(point.stationM, 1) + ";" + Comma(point.valueMm, 1) + ";" + (comment ? "1" : "0") + ";" +
                 Cp1252Comment(point) + "\r\n";
    }
    return bytes;
}

std::string PlanographFile()
{
    std::string bytes = "PLANOGRAPH: Me\xDF" "datens\xE4" "tze;Kreisstra\xDF" "e K 7;\r\n"
                        "Grenzwert [mm]:;4,0;\r\n"
                        "Station [km];Abweichung [mm];\r\n";
    for (const TextPoint& point : MakeDrive(4001, 300, 3000.0, 1.0))
        bytes += Comma(point.stationM / 1000.0, 4) + ";" + Comma(point.valueMm, 1) + ";\r\n";
    return bytes;
}

}  // namespace

void WriteTextFormatSamples(const std::string& folder)
{
    WriteFile(folder + "/pm01bs01_sample.txt", Pm01bs01File());
    WriteFile(folder + "/dated_column_sample.csv", DatedColumnFile());
    WriteFile(folder + "/listing_sample.lst", ListingFile());
    WriteFile(folder + "/road_table_sample.txt", RoadTableFile());
    const LimitTableSample limitTable = LimitTableFiles();
    WriteFile(folder + "/limit_table_sample.dat", limitTable.table);
    WriteFile(folder + "/limit_table_sample.PGC", limitTable.comments);
    WriteFile(folder + "/dated5_sample.csv", DatedTable5File());
    WriteFile(folder + "/dated4_sample.csv", DatedTable4File());
    WriteFile(folder + "/planograph_sample.csv", PlanographFile());
}

void WriteBigTextSamples(const std::string& folder, int count)
{
    // A comment every 20 m or so, as in the samples.
    WriteFile(folder + "/pm01bs01_big.txt", Pm01bs01File(count, 0.1, 0.005));
    WriteFile(folder + "/pm01bs01_big_other_forms.txt", Pm01bs01FileInOtherForms(count, 0.1, 0.005));
    WriteFile(folder + "/pm01bs01_big_decimal_commas.txt", Pm01bs01FileWithDecimalCommas(count, 0.1, 0.005));
}

}  // namespace samplegen
