#include "chart/RunOverview.h"

#include "chart/StationSearch.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/MessFahrtDaten.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

OverviewScale::OverviewScale(int32_t first, int32_t last, int width)
    : m_first(first), m_last(last), m_width(std::max(width, 0))
{
}

double OverviewScale::XOf(int32_t station) const
{
    const double span = static_cast<double>(m_last) - static_cast<double>(m_first);
    if (span == 0.0)
        return 0.0;
    return (static_cast<double>(station) - m_first) / span * m_width;
}

int OverviewScale::ColumnOf(int32_t station) const
{
    if (m_width <= 0)
        return 0;
    return std::clamp(static_cast<int>(std::floor(XOf(station))), 0, m_width - 1);
}

int32_t OverviewScale::StationAt(double x) const
{
    if (m_width <= 0)
        return m_first;
    const double fraction = std::clamp(x / m_width, 0.0, 1.0);
    return ClampToInt32(std::round(m_first + fraction * (static_cast<double>(m_last) - m_first)));
}

OverviewScale OverviewScaleOf(const CMessFahrtDaten& run, int width)
{
    const int count = run.GetCount();
    if (count == 0)
        return OverviewScale(0, 0, width);
    return OverviewScale(run.GetStation(0), run.GetStation(count - 1), width);
}

std::vector<ColumnExtent> DecimateToColumns(const CMessFahrtDaten& run, const OverviewScale& scale, bool negativeAsZero)
{
    std::vector<ColumnExtent> columns(static_cast<size_t>(std::max(scale.Width(), 0)));
    if (columns.empty())
        return columns;
    const int count = run.GetCount();
    for (int i = 0; i < count; ++i) {
        int32_t value = run.GetValue(i);
        if (negativeAsZero && value < 0)
            value = 0;
        ColumnExtent& column = columns[static_cast<size_t>(scale.ColumnOf(run.GetStation(i)))];
        if (!column.hasPoints) {
            column = ColumnExtent{value, value, true};
            continue;
        }
        column.low = std::min(column.low, value);
        column.high = std::max(column.high, value);
    }
    return columns;
}

StationSpan PageStations(const ChartView& view, bool ascending)
{
    const int K = SanitizeStripsPerPage(view.stripsPerPage);
    const int page = std::max(view.currentPage, 1);
    const int strips = StripsOnPage(page, view.paging.pageCount, view.paging.stripCount, K);
    const StripStations first = StripStationsOf(view.paging.chartStart, page, 0, K, view.stripLength, ascending);
    const StripStations last =
        StripStationsOf(view.paging.chartStart, page, std::max(strips, 1) - 1, K, view.stripLength, ascending);
    return StationSpan{first.start, last.end};
}

int PageShowingStation(const ChartView& view, bool ascending, int32_t station)
{
    if (view.paging.pageCount < 1)
        return 0;
    const int page = PageOfStation(view.paging, view.stripLength, view.stripsPerPage, ascending, station);
    return std::clamp(page, 1, view.paging.pageCount);
}

OverviewSectionMarks ParseOverviewSectionMarks(const std::string& marks)
{
    OverviewSectionMarks parsed;
    for (const std::string& record : MarkRecords(marks)) {
        const std::string kind = GetField(record, ';', 0);
        const auto field = [&record](int n) { return ToInt(GetField(record, ';', n)); };
        if (kind == "w")
            parsed.boundaries.push_back(field(1));
        else if (kind == "g" && field(3) != 0)
            parsed.limitLines.push_back(OverviewLimitLine{field(1), field(2), field(3)});
    }
    return parsed;
}

OverviewValueRange OverviewValueRangeOf(const std::vector<ColumnExtent>& columns, const OverviewSectionMarks& marks)
{
    double low = 0.0;
    double high = 0.0;
    for (const ColumnExtent& column : columns) {
        if (!column.hasPoints)
            continue;
        low = std::min<double>(low, column.low);
        high = std::max<double>(high, column.high);
    }
    for (const OverviewLimitLine& line : marks.limitLines)
        high = std::max<double>(high, line.limit);
    low = std::max(low, kValueAxisTopMm * 10.0);
    high = std::min(high, kValueAxisBottomMm * 10.0);
    const double margin = (high - low) * 0.05;
    return OverviewValueRange{low - margin, high + margin};
}

}  // namespace kurvex
