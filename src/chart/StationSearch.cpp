#include "chart/StationSearch.h"

#include "common/Numbers.h"
#include "common/TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kurvex {

namespace {

// One plain decimal number with a decimal comma or point: an optional sign,
// digits, at most one point; blanks around it.
std::optional<double> ParsePlainNumber(const std::string& text)
{
    const std::string number = CommaToPoint(Trim(text));
    if (number.empty())
        return std::nullopt;
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
    return ParseNumber(number);
}

std::optional<int32_t> RoundedDecimetres(double decimetres)
{
    if (!std::isfinite(decimetres) || std::abs(decimetres) > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return RoundHalfAway(decimetres);
}

// Whether text ends with the unit (ASCII letters, either case); the unit is then cut off.
bool CutUnit(std::string& text, const std::string& unit)
{
    if (text.size() < unit.size())
        return false;
    const size_t start = text.size() - unit.size();
    for (size_t i = 0; i < unit.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[start + i])) != unit[i])
            return false;
    }
    text.erase(start);
    return true;
}

}  // namespace

std::optional<int32_t> ParseStationMetres(const std::string& text)
{
    const std::optional<double> metres = ParsePlainNumber(text);
    if (!metres)
        return std::nullopt;
    return RoundedDecimetres(*metres * 10.0);
}

std::optional<int32_t> ParseStationText(const std::string& text)
{
    std::string number = TrimRight(text);
    if (CutUnit(number, "km")) {
        const std::optional<double> kilometres = ParsePlainNumber(number);
        if (!kilometres)
            return std::nullopt;
        return RoundedDecimetres(*kilometres * 10000.0);
    }
    CutUnit(number, "m");
    return ParseStationMetres(number);
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
