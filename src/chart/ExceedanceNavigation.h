#pragma once
// Stepping from one exceedance to the next or previous one in run direction,
// and the status text that names the exceedance reached.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/BereichOhneErkennung.h"
#include "evaluation/Ueberschreitung.h"

namespace kurvex {

// Where a step starts: the newest picked station, or the start of the page on
// screen when nothing is picked. An exceedance reached by the last step is
// named by its index, so that several exceedances at one station are visited
// one after the other.
struct ExceedanceOrigin {
    int32_t station = 0;
    bool picked = false;  // false: the page's start, whose own exceedance is the next one
    int lastIndex = -1;   // the exceedance the last step reached, -1 when none
};

// The index of the next (forward) or previous exceedance from the origin in
// run direction; stations are those of the exceedances in run direction.
// Nothing when there is none in that direction: the steps do not wrap around.
std::optional<int> StepToExceedance(const std::vector<int32_t>& stations, bool ascending,
                                    const ExceedanceOrigin& origin, bool forward);

// "Überschreitung 12 von 30: Station 12,3480 km, p 3 mm, p² 9 mm², Schachtdeckel"
// for exceedance index 11 of 30 (Windows-1252). One that does not count says so
// before its remark, so that the remark, of any length, comes last:
// "…, p² 9 mm², zählt nicht, Schachtdeckel". The remark is the first line of
// the remark entry's remark.
std::string ExceedanceStatusText(int index, int count, const UEBERSCHREITUNG& exceedance, std::string_view remarkEntry);

// What a step says when there is no exceedance in its direction (Windows-1252).
std::string NoFurtherExceedanceText(bool forward, int count);

// "Bereich ohne Überschreitungsauswertung: Station 12,3850 km bis 12,3970 km, Baustellenzufahrt"
// for an excluded range chosen in the exceedance list (Windows-1252).
std::string ExcludedRangeStatusText(const BEREICH_OHNE_ERKENNUNG_DATEN& range);

}  // namespace kurvex
