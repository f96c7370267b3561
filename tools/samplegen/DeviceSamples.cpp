// PM01BS02 and IMEXPORT001 samples: a run of a few hundred points with lane
// width changes, a few high values, and comments with umlauts written in UTF-8
// as the device software does.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

#include "SampleWriters.h"

namespace samplegen {

namespace {

struct SamplePoint {
    double valueMm;
    double stationKm;
    double widthM;
    std::string comment;  // UTF-8
};

// Points every stepKm kilometres: the samples space them by a metre, the big
// files as the device does, by a decimetre. commentChance is per point.
std::vector<SamplePoint> MakeRun(uint32_t seed, int count, double startKm, double stepKm = 0.001,
                                 double commentChance = 0.05)
{
    static const char* const kComments[] = {
        "Fuge",
        "Schachtdeckel",
        "Br\xC3\xBC" "cke Anfang",
        "Br\xC3\xBC" "cke Ende",
        "\xC3\x9C" "bergang Asphalt/Beton",
        "Stra\xC3\x9F" "eneinlauf",
        "Flickstelle gr\xC3\xB6\xC3\x9F" "er 1 m",
        "Einm\xC3\xBCndung L 321",
    };
    SampleRandom random(seed);
    std::vector<SamplePoint> points;
    double width = 3.50;
    for (int i = 0; i < count; ++i) {
        if (i == count / 3)
            width = 3.75;
        if (i == 2 * count / 3)
            width = 3.25;
        double value = std::fabs(random.Uniform(0.2, 2.8) + std::sin(i / 9.0) * 0.6);
        if (random.Chance(0.04))
            value = random.Uniform(4.1, 7.5);
        SamplePoint point{std::round(value * 10.0) / 10.0, startKm + i * stepKm, width, ""};
        if (random.Chance(commentChance))
            point.comment = kComments[random.Int(0, 7)];
        points.push_back(point);
    }
    return points;
}

void AppendDouble(std::string& out, double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    for (int i = 0; i < 8; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// A station whose lowest mantissa byte is 0x0A: the record then holds a line
// feed inside its binary part. The change is far below a tenth of a millimetre.
double WithLineFeedByte(double x)
{
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    bits = (bits & ~uint64_t{0xFF}) | 0x0A;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

std::string Pm01bs02Header()
{
    return "PM01BS02 Planograf Messdatei\r\n"
           "Zeitstempel|12.03.2015 10:22:00\r\n"
           "Dienststelle|Stra\xDF" "enbauamt Nord\r\n"
           "Abteilung|Pr\xFC" "fstelle 2\r\n"
           "Pruefer|J. M\xFC" "ller\r\n"
           "Str.-Typ|B\r\n"
           "Str.-Nr.|27\r\n"
           "Geraet|PG 4711\r\n"
           "***\r\n";
}

std::string Pm01bs02File(const std::vector<SamplePoint>& points, bool closingMarker)
{
    std::string bytes = Pm01bs02Header();
    for (size_t i = 0; i < points.size(); ++i) {
        const SamplePoint& point = points[i];
        AppendDouble(bytes, point.valueMm);
        AppendDouble(bytes, 0.0);
        AppendDouble(bytes, i == 17 ? WithLineFeedByte(point.stationKm) : point.stationKm);
        AppendDouble(bytes, point.widthM);
        AppendDouble(bytes, 0.0);
        bytes += point.comment;
        bytes += "\r\n";
    }
    if (closingMarker)
        bytes += "***\r\n";
    return bytes;
}

std::string DecimalComma(double x, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
    std::string text = buffer;
    for (char& c : text)
        if (c == '.')
            c = ',';
    return text;
}

// The same number without the zeros at the end of its decimals ("12,0001", "3,5", "12").
std::string ShortDecimalComma(double x)
{
    std::string text = DecimalComma(x, 6);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == ',')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

// shortForms: the numbers as short as they read, as other programs write the format.
std::string ImExportFile(const std::vector<SamplePoint>& points, bool shortForms = false)
{
    const auto number = [shortForms](double x) { return shortForms ? ShortDecimalComma(x) : DecimalComma(x, 6); };
    std::string bytes = "IMEXPORT001 FELDTRENNER=;\r\n"
                        "Zeitstempel|03.04.2016 09:05:00\r\n"
                        "Dienststelle|Landesbetrieb Stra\xDF" "enbau\r\n"
                        "Abteilung|Abnahme\r\n"
                        "Pruefer|K. Schr\xF6" "der\r\n"
                        "Str.-Typ|L\r\n"
                        "Str.-Nr.|321\r\n"
                        "***\r\n";
    for (const SamplePoint& point : points) {
        bytes += number(point.valueMm) + ";" + number(point.stationKm) + ";" + number(point.widthM) + ";" +
                 point.comment + "\r\n";
    }
    bytes += "***\r\n";
    return bytes;
}

}  // namespace

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        std::fprintf(stderr, "kurvex-samplegen: %s kann nicht geschrieben werden\n", path.c_str());
}

void WriteDeviceSamples(const std::string& folder)
{
    const auto run = MakeRun(4711, 400, 12.345);
    WriteFile(folder + "/pm01bs02_sample.pbs", Pm01bs02File(run, true));
    // An earlier run of the same stretch, for the comparison curve.
    WriteFile(folder + "/pm01bs02_compare.pbs", Pm01bs02File(MakeRun(999, 400, 12.345), true));
    const auto aborted = MakeRun(815, 250, 3.2);
    WriteFile(folder + "/pm01bs02_incomplete.pbs", Pm01bs02File(aborted, false));
    const auto exchanged = MakeRun(1234, 300, 0.5);
    WriteFile(folder + "/imexport_sample.exp", ImExportFile(exchanged));
    // The same run once more, with a side file whose checksum does not match its texts.
    WriteFile(folder + "/imexport_checksum_mismatch.exp", ImExportFile(exchanged));
}

void WriteBigDeviceSamples(const std::string& folder, int count)
{
    // A comment every 20 m or so, as in the samples: a tenth of their chance per point.
    const auto run = MakeRun(100, count, 12.0, 0.0001, 0.005);
    const std::string bytes = Pm01bs02File(run, true);
    WriteFile(folder + "/pm01bs02_big.pbs", bytes);
    WriteFile(folder + "/pm01bs02_big_evaluated.pbs", bytes);
    WriteFile(folder + "/imexport_big.exp", ImExportFile(run));
    WriteFile(folder + "/imexport_big_short_forms.exp", ImExportFile(run, true));
}

}  // namespace samplegen
