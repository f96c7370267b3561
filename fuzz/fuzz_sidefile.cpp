// Loads arbitrary bytes as a ".zi4" side file and runs everything that reads
// its values at open: sections, exceedances, remarks, excluded ranges and the
// text lists. Nothing may crash, hang or read out of bounds.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/Bearbeitungsstand.h"
#include "document/TextRecords.h"
#include "evaluation/Abschnitt.h"
#include "evaluation/BereichOhneErkennung.h"
#include "evaluation/UeberschreitungsDaten.h"

using namespace kurvex;

namespace {

void ExerciseSections(const CBearbeitungsstand& state)
{
    AbschnittListe list;
    list.Load(state.SectionsText(), state.RangeStart(), state.RangeEnd());
    list.ApplyDefaultLimit(40);
    const std::string encoded = list.Encode();
    AbschnittListe again;
    again.Load(encoded, list.Start(), list.End());
    again.IsEvaluatedStation(state.RangeStart());

    const int count = state.SectionCount();
    for (int i = 0; i < count && i < 64; ++i) {
        const ABSCHNITT section = state.Section(i);
        state.SectionAt(section.von);
        state.SectionNumberAt(section.bis);
    }
    state.SectionMarks(state.RangeStart(), state.RangeEnd());
    state.SectionMarks(state.RangeEnd(), state.RangeStart());
}

void ExerciseExceedances(const CBearbeitungsstand& state)
{
    CUeberschreitungsDaten exceedances;
    exceedances.SetAscending(state.RangeStart() < state.RangeEnd());
    exceedances.Load(state.ExceedanceData(), state.EvaluationParameters(), state.RemarkData());
    UEBERSCHREITUNG record;
    for (int i = 0; exceedances.ExceedanceCopy(i, record) && i < 64; ++i) {
        exceedances.SetPage(i, i);
        exceedances.ChartRemarkFor(record.station);
    }
    exceedances.ReportLines();
    exceedances.Currency();
}

void ExerciseTextLists(const CBearbeitungsstand& state)
{
    std::string encoded;
    for (const TEXTDATEN& record : DecodeStationTexts(state.StarTexts()))
        encoded += EncodeStationText(record);
    DecodeStationTexts(encoded);
    DecodeStationTexts(state.FreeTexts());
    for (const BEREICHSTEXTDATEN& record : DecodeRangeTexts(state.RangeTexts()))
        EncodeRangeText(record);
    const auto ranges = DecodeExcludedRanges(state.ExcludedRanges());
    DecodeExcludedRanges(EncodeExcludedRanges(ranges));
    ExcludedRangeAt(ranges, state.RangeStart());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CBearbeitungsstand state;
    state.LoadStateFromText("fuzz.dat.zi4", std::string_view(reinterpret_cast<const char*>(data), size));
    state.StateChecksum();
    state.ChecksumMatches();
    state.SurfaceName();
    ExerciseSections(state);
    ExerciseExceedances(state);
    ExerciseTextLists(state);
    return 0;
}
