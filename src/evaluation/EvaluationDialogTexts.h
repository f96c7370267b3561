#pragma once
// What the section list, the section dialog and the excluded-range dialog
// show: their texts, computed from the stored records without a window.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/Abschnitt.h"
#include "evaluation/BereichOhneErkennung.h"

namespace kurvex {

// --- Section list ("Streckenabschnitte bearbeiten") ------------------------------

inline constexpr int kSectionListColumns = 10;
using SectionListRow = std::array<std::string, kSectionListColumns>;

// The list's sections: ABSCHNITTE loaded between the ends of the evaluated
// range, each end taken to metres with one decimal and back, as it is shown.
AbschnittListe LoadSectionList(std::string_view abschnitte, int32_t rangeStart, int32_t rangeEnd);
// von, bis, "ja"/"nein", width, limit, factor k, unit price, surface, mean
// speed, VarK; a section that is not evaluated shows only von, bis and "nein".
SectionListRow SectionListRowOf(const Abschnitt& section);

// --- Section dialog ("Streckenabschnitt bearbeiten") -----------------------------

// The texts of the section dialog's fields.
struct SectionDialogFields {
    std::string position;  // von in m
    std::string breite;
    std::string grenzwert;  // in mm
    std::string reserviert;  // read, never shown
    std::string faktorK;
    std::string einheitspreis;
    bool auswerten = true;
    std::string fahrbahnoberflaeche;
    int surfaceChoice = 0;  // position in SurfaceChoices()
    std::string mittlereGeschwindigkeit;
    std::string varK;
};

// The fields for one section given as its ABSCHNITTE record (without
// brackets); an empty road surface shows the run's default surface.
SectionDialogFields ReadSectionDialogFields(std::string_view record, const std::string& runDefaultSurface);
// The entries of the surface drop-down list: "Standard", then the road
// surfaces 1 to 40 in table order.
std::vector<std::string> SurfaceChoices();
// The entry equal to the surface, else 0 ("Standard").
int SurfaceChoiceFor(std::string_view surface);
// The surface a choice of the list stands for: "Standard" is the run's default surface.
std::string SurfaceForChoice(int choice, const std::string& runDefaultSurface);
// The caption of a station button: "<   " and the picked station (dm text)
// in m, nothing after the arrow when no station was picked.
std::string StationButtonText(std::string_view pickedStation);
// A click on a station button: the picked station becomes the position, and
// the numbers are shown anew, each read with "," as decimal point: position,
// limit and reserved value with one decimal, width without, factor k and unit
// price with two; an empty field stays empty.
void TakePickedStation(SectionDialogFields& fields, std::string_view pickedStation);

// --- Excluded-range dialog ("Bereich ohne Überschreitungsauswertung") ------------

struct ExcludedRangeFields {
    std::string von;        // the end met first in run direction, in m
    std::string bis;        // the other end
    std::string bemerkung;  // "{{CRLF}}" as "\n"
};

ExcludedRangeFields ExcludedRangeDialogFields(const BEREICH_OHNE_ERKENNUNG_DATEN& range, bool ascending);

}  // namespace kurvex
