#pragma once
// The chart and the file viewer follow each other: a station picked on the
// chart selects the line of the point nearest to it, a line chosen in the
// viewer shows its point on the chart. The line of a point is the run's own
// (CMessFahrtDaten::FileLineOfWindowPoint and WindowPointOfFileLine); here is
// the point nearest a station.

#include <cstdint>
#include <optional>

#include "measurement/MessFahrtDaten.h"

namespace kurvex {

// The window point whose station lies nearest to `station` (dm); of equally
// near points the first in the window. None for an empty window.
std::optional<int> NearestWindowPoint(const CMessFahrtDaten& run, int32_t station);

}  // namespace kurvex
