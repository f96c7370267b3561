#include "chart/StationSearch.h"

#include "common/Numbers.h"
#include "common/TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kurvex {

std::optional<int32_t> ParseStationMetres(const std::string& text)
{
    const std::string number = CommaToPoint(Trim(text));
    if (number.empty())
        return std::nullopt;
    // One plain decimal number: an optional sign, digits, at most one point.
    bool digit = false;
    bool point = false;
    for (size_t i = 0; i < number.size(); ++i) {
        const char c = number[i];
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else if (!((c == '-' || c == '+') && i == 0))
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    const double decimetres = ParseNumber(number) * 10.0;
    if (!std::isfinite(decimetres) || std::abs(decimetres) > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return RoundHalfAway(decimetres);
}

bool StationInRun(const RunExtent& run, int32_t station)
{
    if (!run.hasPoints)
        return false;
    const int low = std::min(run.firstStation, run.lastStation);
    const int high = std::max(run.firstStation, run.lastStation);
    return station >= low && station <= high;
}

int PageOfStation(const ChartPaging& paging, int stripLength, int stripsPerPage, bool ascending, int32_t station)
{
    if (paging.pageCount < 1 || stripLength < 1)
        return 0;
    const int64_t along = ascending ? int64_t{station} - paging.chartStart : int64_t{paging.chartStart} - station;
    if (along < 0)
        return 0;
    // The run's last station may fall on the end of its last strip.
    const int64_t strip = std::min<int64_t>(along / stripLength, std::max(paging.stripCount - 1, 0));
    return static_cast<int>(strip / SanitizeStripsPerPage(stripsPerPage) + 1);
}

std::string StationOutsideRunText(int32_t station, const RunExtent& run)
{
    return "Die Station " + FormatTenths(station) + " m liegt au\xDF" "erhalb der Messfahrt (" +
           FormatTenths(run.firstStation) + " m bis " + FormatTenths(run.lastStation) + " m).";
}

}  // namespace kurvex
