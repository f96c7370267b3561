#include "measurement/PointLines.h"

#include <algorithm>
#include <cstdlib>

namespace kurvex {

namespace {

int64_t Distance(int32_t a, int32_t b) { return std::llabs(int64_t{a} - int64_t{b}); }

// The first window point at or past `station` in the run's direction, by
// bisection over stations that rise (or fall) through the window.
int FirstAtOrPast(const CMessFahrtDaten& run, int32_t station, bool rising)
{
    int low = 0;
    int high = run.GetCount();
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const int32_t at = run.GetStation(middle);
        if (rising ? at < station : at > station)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

}  // namespace

std::optional<int> NearestWindowPoint(const CMessFahrtDaten& run, int32_t station)
{
    const int count = run.GetCount();
    if (count == 0)
        return std::nullopt;
    const CMessFahrtDaten::StationOrder order = run.WindowStationOrder();
    if (order == CMessFahrtDaten::StationOrder::Unordered) {
        int nearest = 0;
        for (int i = 1; i < count; ++i) {
            if (Distance(run.GetStation(i), station) < Distance(run.GetStation(nearest), station))
                nearest = i;
        }
        return nearest;
    }
    const int past = FirstAtOrPast(run, station, order == CMessFahrtDaten::StationOrder::NonDecreasing);
    if (past == count)
        return count - 1;
    if (past == 0)
        return 0;
    // The point before may be nearer; on a tie it comes first. Of several
    // points at its station the first is meant.
    int nearest =
        Distance(run.GetStation(past - 1), station) <= Distance(run.GetStation(past), station) ? past - 1 : past;
    while (nearest > 0 && run.GetStation(nearest - 1) == run.GetStation(nearest))
        --nearest;
    return nearest;
}

// Record line k of a stretch holds point stretch.first + k of the points as
// read; m_points holds them in the same order, or reversed.
std::optional<size_t> CMessFahrtDaten::FileLineOfWindowPoint(int i) const
{
    if (i < 0 || i >= GetCount() || m_points.size() != PointsAsRead().size())
        return std::nullopt;
    const size_t position = WindowPoint(i);
    const size_t asRead = m_pointsReversed ? m_points.size() - 1 - position : position;
    for (const RecordLineList::Stretch& stretch : m_lines.Stretches()) {
        if (stretch.record != RecordLineList::Record::None && asRead >= stretch.first &&
            asRead < stretch.first + stretch.count)
            return stretch.firstLine + (asRead - stretch.first);
    }
    return std::nullopt;
}

std::optional<int> CMessFahrtDaten::WindowPointOfFileLine(size_t line) const
{
    if (line >= m_lines.size() || m_points.size() != PointsAsRead().size())
        return std::nullopt;
    const RecordLineList::Line record = m_lines[line];
    if (!record.IsRecord() || record.point >= m_points.size())
        return std::nullopt;
    const size_t position = m_pointsReversed ? m_points.size() - 1 - record.point : record.point;
    if (!m_windowListed) {
        if (position < m_windowFirst || position >= m_windowFirst + m_windowCount)
            return std::nullopt;
        return static_cast<int>(position - m_windowFirst);
    }
    const auto it = std::lower_bound(m_windowIndices.begin(), m_windowIndices.end(), position);
    if (it == m_windowIndices.end() || *it != position)
        return std::nullopt;
    return static_cast<int>(it - m_windowIndices.begin());
}

}  // namespace kurvex
