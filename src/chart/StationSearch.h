#pragma once
// "Gehe zu Station": a station typed in metres, and the chart page whose
// strips hold it.

#include "chart/ChartGeometry.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kurvex {

// Metres with a decimal comma or point ("1234,5", " 1234.5 ") in dm, rounded;
// nothing when the text is not one number or lies beyond the station range.
std::optional<int32_t> ParseStationMetres(const std::string& text);
// What "Gehe zu Station" takes: metres as above, also with their unit
// ("12700 m"), or kilometres with theirs ("12,7 km", "12.7km"), in dm rounded.
std::optional<int32_t> ParseStationText(const std::string& text);

// Whether the station lies between the run's first and last window point (either order).
bool StationInRun(const RunExtent& run, int32_t station);

// What "Gehe zu Station" says to a text that is no station in metres, and to a
// station outside the run (Windows-1252).
inline constexpr const char* kMsgStationNotInMetres = "Bitte eine Station in Metern oder mit Einheit angeben, zum Beispiel 1234,5 oder 12,7 km.";
std::string StationOutsideRunText(int32_t station, const RunExtent& run);

// The page (1-based) whose strips hold a station of the run; 0 for a station
// before the chart start or a chart without pages.
int PageOfStation(const ChartPaging& paging, int stripLength, int stripsPerPage, bool ascending, int32_t station);

}  // namespace kurvex
