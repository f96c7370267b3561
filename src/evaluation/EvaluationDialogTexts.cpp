#include "evaluation/EvaluationDialogTexts.h"

#include <utility>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/Fahrbahnoberflaechen.h"
#include "evaluation/UeberschreitungsDaten.h"

namespace kurvex {

namespace {

constexpr const char* kSurfaceStandard = "Standard";
constexpr const char* kStationButtonPrefix = "<   ";
// The surface drop-down list offers the table from entry 1; entry 0 ("-") is no choice.
constexpr size_t kFirstSurfaceChoice = 1;

// A station as the dialogs show it: dm to m, the way the user reads it.
int32_t ThroughMetres(int32_t decimetres)
{
    return RoundHalfAway(ToDouble(FormatTenths(decimetres)) * 10.0);
}

}  // namespace

AbschnittListe LoadSectionList(std::string_view abschnitte, int32_t rangeStart, int32_t rangeEnd)
{
    AbschnittListe list;
    list.Load(abschnitte, ThroughMetres(rangeStart), ThroughMetres(rangeEnd));
    return list;
}

SectionListRow SectionListRowOf(const Abschnitt& section)
{
    SectionListRow row;
    row[0] = FormatTenths(section.von);
    row[1] = FormatTenths(section.bis);
    row[2] = section.auswerten ? "ja" : "nein";
    if (!section.auswerten)
        return row;
    row[3] = FormatInt(section.breite);
    row[4] = FormatTenths(section.grenzwert);
    row[5] = section.faktorK;
    row[6] = section.einheitspreis;
    row[7] = section.fahrbahnoberflaeche;
    row[8] = section.mittlereGeschwindigkeit;
    row[9] = section.varK;
    return row;
}

SectionDialogFields ReadSectionDialogFields(std::string_view record, const std::string& runDefaultSurface)
{
    const Abschnitt section = ReadAbschnitt(record);
    SectionDialogFields fields;
    fields.position = FormatTenths(section.von);
    fields.breite = FormatInt(section.breite);
    fields.grenzwert = FormatTenths(section.grenzwert);
    fields.reserviert = FormatInt(section.reserviert);
    fields.faktorK = section.faktorK;
    fields.einheitspreis = section.einheitspreis;
    fields.auswerten = section.auswerten;
    fields.fahrbahnoberflaeche = section.fahrbahnoberflaeche.empty() ? runDefaultSurface : section.fahrbahnoberflaeche;
    fields.surfaceChoice = SurfaceChoiceFor(fields.fahrbahnoberflaeche);
    fields.mittlereGeschwindigkeit = section.mittlereGeschwindigkeit;
    fields.varK = section.varK;
    return fields;
}

std::vector<std::string> SurfaceChoices()
{
    std::vector<std::string> choices{kSurfaceStandard};
    for (size_t i = kFirstSurfaceChoice; i < Fahrbahnoberflaechen.size(); ++i)
        choices.emplace_back(Fahrbahnoberflaechen[i]);
    return choices;
}

int SurfaceChoiceFor(std::string_view surface)
{
    for (size_t i = kFirstSurfaceChoice; i < Fahrbahnoberflaechen.size(); ++i) {
        if (Fahrbahnoberflaechen[i] == surface)
            return static_cast<int>(i - kFirstSurfaceChoice + 1);
    }
    return 0;
}

std::string SurfaceForChoice(int choice, const std::string& runDefaultSurface)
{
    const size_t entry = kFirstSurfaceChoice + static_cast<size_t>(choice) - 1;
    if (choice < 1 || entry >= Fahrbahnoberflaechen.size())
        return runDefaultSurface;
    return std::string(Fahrbahnoberflaechen[entry]);
}

std::string StationButtonText(std::string_view pickedStation)
{
    if (pickedStation.empty())
        return kStationButtonPrefix;
    return kStationButtonPrefix + FormatTenths(ToInt(pickedStation));
}

void TakePickedStation(SectionDialogFields& fields, std::string_view pickedStation)
{
    if (pickedStation.empty())
        return;
    fields.position = NormalizeNumber(FormatTenths(ToInt(pickedStation)), 1);
    fields.grenzwert = NormalizeNumber(fields.grenzwert, 1);
    fields.reserviert = NormalizeNumber(fields.reserviert, 1);
    fields.breite = NormalizeNumber(fields.breite, 0);
    fields.faktorK = NormalizeNumber(fields.faktorK, 2);
    fields.einheitspreis = NormalizeNumber(fields.einheitspreis, 2);
}

ExcludedRangeFields ExcludedRangeDialogFields(const BEREICH_OHNE_ERKENNUNG_DATEN& range, bool ascending)
{
    int32_t first = range.von;
    int32_t second = range.bis;
    if (ascending ? first > second : first < second)
        std::swap(first, second);
    ExcludedRangeFields fields;
    fields.von = FormatTenths(first);
    fields.bis = FormatTenths(second);
    fields.bemerkung = ReplacedAll(range.bemerkung, kStoredLineBreak, "\n");
    return fields;
}

}  // namespace kurvex
