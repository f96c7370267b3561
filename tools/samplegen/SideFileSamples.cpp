// Side files (".zi4") for the samples: the evaluation state a lab would have
// built up for the PM01BS02 sample, and one whose KENNUNG does not match.
// Exceedances are taken from the sample's own values so that chart and report
// agree; KENNUNG is the program's own checksum over headings and star texts.

#include <algorithm>
#include <cmath>
#include <string>

#include "SampleWriters.h"
#include "common/Numbers.h"
#include "document/Bearbeitungsstand.h"
#include "measurement/MessFahrtDaten.h"

namespace samplegen {

namespace {

constexpr int32_t kLimit = 27;  // 2.7 mm

struct SideFileLine {
    std::string key;
    std::string value;
};

std::string Join(const std::vector<SideFileLine>& lines)
{
    std::string text;
    for (const SideFileLine& line : lines)
        text += line.key + "=" + line.value + "\r\n";
    return text;
}

std::string WithChecksum(std::vector<SideFileLine> lines, const std::string& path)
{
    kurvex::CBearbeitungsstand state;
    state.LoadStateFromText(path, Join(lines));
    lines.push_back({"KENNUNG", state.StateChecksum()});
    return Join(lines);
}

// One exceedance as the side file keeps it: station, value, p, number, page, counts.
std::string ExceedanceRecord(const kurvex::MESSUNG& point, int number, bool counts)
{
    const int32_t p = std::max(1, kurvex::RoundHalfAway((point.value - kLimit) / 10.0));
    return "[" + kurvex::FormatInt(point.station) + ";" + kurvex::FormatInt(point.value) + ";" + kurvex::FormatInt(p)
           + ";" + kurvex::FormatInt(number) + ";-999;" + (counts ? "1" : "0") + ";;-1.0;;]";
}

// Exceedances, remarks and star texts from the points above the limit.
void AddEvaluation(const kurvex::CMessFahrtDaten& run, std::vector<SideFileLine>& lines)
{
    std::string exceedances;
    std::string remarks;
    int number = 0;
    for (const kurvex::MESSUNG& point : run.Points()) {
        if (point.value <= kLimit)
            continue;
        ++number;
        const bool counts = number != 7;  // one exceedance the lab decided not to count
        exceedances += ExceedanceRecord(point, number, counts);
        if (number == 3)
            remarks += "[" + kurvex::FormatInt(point.station) + "\xBF" "Schachtdeckel{{CRLF}}H\xF6henlage pr\xFC" "fen\xBF" "0]";
        if (number == 5)
            remarks += "[" + kurvex::FormatInt(point.station) + "\xBF" "Flickstelle\xBF" "1]";
        if (number == 7)
            remarks += "[" + kurvex::FormatInt(point.station) + "\xBF" "Fremdleitung, nicht Auftragnehmer\xBF" "0]";
    }
    lines.push_back({"UEBERSCHREITUNGSDATEN_1", exceedances});
    lines.push_back({"UEBERSCHREITUNGSDATEN_2", "0.0;1.0;0.60;;;EUR;;;;;;;;;;;;"});
    lines.push_back({"UEBERSCHREITUNGSDATEN_4", remarks});

    std::string stars;
    int starCount = 0;
    for (const kurvex::MESSUNG& point : run.Points()) {
        if (point.hasComment && starCount++ < 2)
            stars += kurvex::FormatInt(point.station) + "_" + point.comment + " (gepr\xFC" "ft)<1>_";
    }
    lines.push_back({"STERNTEXTE", stars});
}

std::string MainSideFile(const std::string& measurementPath)
{
    kurvex::CMessFahrtDaten run;
    run.LoadFromFile(measurementPath);
    const int32_t first = run.FirstStation();
    const int32_t last = run.LastStation();
    const int32_t second = first + 1330;
    const int32_t third = first + 2660;
    std::vector<SideFileLine> lines = {
        {"INITIIERT_MIT_PROGRAMMVERSION", "040549000"},
        {"UBERSCHRIFT_ZEILE_1", "Ebenheitsmessung B 27 Ortsumgehung Nordheim"},
        {"UBERSCHRIFT_ZEILE_2", "Fahrstreifen 1, Richtung S\xFC" "d"},
        {"UBERSCHRIFT_ZEILE_3", "Abnahme der Deckschicht"},
        {"KOPFDATEN", run.HeaderText()},
        {"KOPFFUSSDATEN",
         "[Kopf][Landesamt f\xFC" "r Stra\xDF" "enbau\xBF" "Abteilung Nord\xBF" "Am Ring 4, 12345 Nordheim\xBF"
         "Stra\xDF" "enbau Beispiel GmbH\xBF" "Werkstra\xDF" "e 1\xBF" "12345 Nordheim\xBF" "A-2026-117\xBF"
         "B 27 OU Nordheim\xBF" "Deckschicht AC 11 DS\xBF" "Pr\xFC" "fstelle 2\xBF" "12.03.2015\xBF"
         "km 12,345 - 12,744\xBF" "FS 1 / S\xFC" "d\xBF" "0,5 m vom rechten Rand\xBF" "1\xBF" "Herr Krause\xBF"
         "Pr\xFC" "fstelle 2\xBF" "13.03.2015\xBF\xBF\xBF\xBF\xBF" "12 \xB0" "C, trocken\xBF" "PG 4711\xBF"
         "31.12.2015\xBF\xBF" "Frau Lindner]"},
        {"MANUVONBIS", kurvex::FormatInt(first) + ";" + kurvex::FormatInt(last + 1)},
        {"ABSCHNITTE", "[" + kurvex::FormatInt(first) + "|350|" + kurvex::FormatInt(kLimit)
                           + "|10|1.0|2,50|1|Asphaltbeton AC 11 DS||||]"
                           "[" + kurvex::FormatInt(second) + "|375|" + kurvex::FormatInt(kLimit)
                           + "|10|1.0|2,50|0|Br\xFC" "ckenbelag||||]"
                           "[" + kurvex::FormatInt(third) + "|325|" + kurvex::FormatInt(kLimit)
                           + "|10|1.0|2,50|1|Asphaltbeton AC 11 DS||||]"},
        {"BEREICHOHNEERKENNUNGDATEN", kurvex::FormatInt(first + 400) + "_" + kurvex::FormatInt(first + 520)
                                          + "_Baustellenzufahrt_" + kurvex::FormatInt(first + 3100) + "_"
                                          + kurvex::FormatInt(first + 3180) + "_Schieber{{CRLF}}Wasserleitung"},
        {"FREIETEXTE", kurvex::FormatInt(first + 200) + "_Beginn Baulos 2<0>_" + kurvex::FormatInt(first + 3600)
                           + "_Ende Einbau 12.03.<0>_"},
        {"BEREICHSTEXTE", kurvex::FormatInt(second) + "_" + kurvex::FormatInt(third) + "_Br\xFC" "cke \xFC" "ber die Aue<0>_"},
        {"MASSSTAB_DER_LAENGE", "400"},
        {"VGL_PATH_1", "D:\\messungen\\pm01bs02_compare.pbs"},
        {"VGL_OFF_1", "0,0"},
        {"VGL_MIRROR_1", "0"},
    };
    AddEvaluation(run, lines);
    return WithChecksum(lines, measurementPath + ".zi4");
}

std::string MismatchedSideFile()
{
    return "INITIIERT_MIT_PROGRAMMVERSION=040549000\r\n"
           "UBERSCHRIFT_ZEILE_1=Kontrollmessung L 321\r\n"
           "UBERSCHRIFT_ZEILE_2=von Hand nachgetragen\r\n"
           "MANUVONBIS=-1;-1\r\n"
           "KENNUNG=4711\r\n";
}

// The evaluation of a long run: ten sections of equal length, and an exceedance
// at the highest point of every stretch of `stretch` points.
std::string BigEvaluatedSideFile(const std::string& measurementPath, int stretch)
{
    kurvex::CMessFahrtDaten run;
    run.LoadFromFile(measurementPath);
    const int32_t first = run.FirstStation();
    const int32_t last = run.LastStation();
    std::string sections;
    for (int i = 0; i < 10; ++i) {
        const int32_t from = first + static_cast<int32_t>((int64_t{last} - first) * i / 10);
        sections += "[" + kurvex::FormatInt(from) + "|350|" + kurvex::FormatInt(kLimit) + "|10|1.0|2,50|1|"
                    + "Asphaltbeton AC 11 DS||||]";
    }
    std::string exceedances;
    const auto& points = run.Points();
    const size_t step = static_cast<size_t>(stretch);
    int number = 0;
    for (size_t start = 0; start + step <= points.size(); start += step) {
        size_t highest = start;
        for (size_t i = start + 1; i < start + step; ++i)
            if (points.Value(i) > points.Value(highest))
                highest = i;
        exceedances += ExceedanceRecord(points[highest], ++number, true);
    }
    std::vector<SideFileLine> lines = {
        {"INITIIERT_MIT_PROGRAMMVERSION", "040549000"},
        {"UBERSCHRIFT_ZEILE_1", "Ebenheitsmessung A 7, 100 km"},
        {"KOPFDATEN", run.HeaderText()},
        {"MANUVONBIS", kurvex::FormatInt(first) + ";" + kurvex::FormatInt(last + 1)},
        {"ABSCHNITTE", sections},
        {"BEREICHOHNEERKENNUNGDATEN", kurvex::FormatInt(first + 4000) + "_" + kurvex::FormatInt(first + 4120)
                                          + "_Baustellenzufahrt"},
        {"FREIETEXTE", kurvex::FormatInt(first + 200) + "_Beginn Baulos 1<0>_"},
        {"MASSSTAB_DER_LAENGE", "400"},
        {"UEBERSCHREITUNGSDATEN_1", exceedances},
        {"UEBERSCHREITUNGSDATEN_2", "0.0;1.0;0.60;;;EUR;;;;;;;;;;;;"},
    };
    return WithChecksum(lines, measurementPath + ".zi4");
}

}  // namespace

void WriteBigEvaluatedSideFile(const std::string& measurementPath, int exceedanceCount)
{
    kurvex::CMessFahrtDaten run;
    run.LoadFromFile(measurementPath);
    const int stretch = std::max<int>(1, static_cast<int>(run.Points().size()) / std::max(1, exceedanceCount));
    WriteFile(measurementPath + ".zi4", BigEvaluatedSideFile(measurementPath, stretch));
}

void WriteSideFileSamples(const std::string& folder)
{
    const std::string measurement = folder + "/pm01bs02_sample.pbs";
    WriteFile(measurement + ".zi4", MainSideFile(measurement));
    WriteFile(folder + "/imexport_checksum_mismatch.exp.zi4", MismatchedSideFile());
}

}  // namespace samplegen
