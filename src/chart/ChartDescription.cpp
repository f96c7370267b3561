#include "chart/ChartDescription.h"

#include "chart/ChartReadout.h"
#include "common/Numbers.h"

#include <algorithm>
#include <cstdlib>

namespace kurvex {

std::string StationKmUnitText(int32_t station) { return StationKmText(station) + " km"; }

PageStations StationsOnPage(const ChartView& view, const RunExtent& run, int page)
{
    const ChartPaging& paging = view.paging;
    const int strips = StripsOnPage(page, paging.pageCount, paging.stripCount, view.stripsPerPage);
    const StripStations first =
        StripStationsOf(paging.chartStart, page, 0, view.stripsPerPage, view.stripLength, run.ascending);
    const StripStations last = StripStationsOf(paging.chartStart, page, std::max(strips - 1, 0), view.stripsPerPage,
                                               view.stripLength, run.ascending);
    // The run may begin after the chart start and end within the last strip.
    if (run.ascending)
        return {std::max<int32_t>(first.start, run.firstStation), std::min<int32_t>(last.end, run.lastStation)};
    return {std::min<int32_t>(first.start, run.firstStation), std::max<int32_t>(last.end, run.lastStation)};
}

std::string ChartPageDescription(const std::string& fileName, const ChartView& view, const RunExtent& run)
{
    std::string text = "Messfahrt " + fileName;
    if (!run.hasPoints || view.paging.pageCount < 1)
        return text + ", keine Messpunkte";
    const int page = std::clamp(view.currentPage, 1, view.paging.pageCount);
    const PageStations stations = StationsOnPage(view, run, page);
    return text + ", Seite " + std::to_string(page) + " von " + std::to_string(view.paging.pageCount) + ", Station " +
           StationKmUnitText(stations.first) + " bis " + StationKmUnitText(stations.last);
}

}  // namespace kurvex
