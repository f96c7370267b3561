#pragma once
// What a screen reader says of a chart window: the run, the page on screen
// and the stations it shows.

#include "chart/ChartPainter.h"
#include "chart/ChartGeometry.h"

#include <cstdint>
#include <string>

namespace kurvex {

// A station in dm as kilometres with four decimals and a decimal comma: "12,3456 km".
std::string StationKmUnitText(int32_t station);

// The stations the strips of a page cover, within the run's own.
struct PageStations {
    int32_t first = 0;
    int32_t last = 0;
};
PageStations StationsOnPage(const ChartView& view, const RunExtent& run, int page);

// "Messfahrt a1.pbs, Seite 3 von 334, Station 0,6000 km bis 0,9000 km"; for a
// run without points "Messfahrt a1.pbs, keine Messpunkte". The file name as given.
std::string ChartPageDescription(const std::string& fileName, const ChartView& view, const RunExtent& run);

}  // namespace kurvex
