// Default sections of a run and the speed statistics of sections and of the
// whole run, all over the run's window.

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "common/Numbers.h"
#include "evaluation/Abschnitt.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

namespace {

// The station one decimetre further, held at the largest station.
int32_t NextStation(int32_t station)
{
    return station < std::numeric_limits<int32_t>::max() ? station + 1 : station;
}

// The stations that the sections of a filter list mark as not evaluated, as
// merged half-open intervals, so that each point is tested in logarithmic time.
class ExcludedStations {
public:
    explicit ExcludedStations(const AbschnittListe* filter)
    {
        if (!filter)
            return;
        for (const Abschnitt& section : filter->Sections()) {
            const auto [lo, hi] = std::minmax(section.von, section.bis);
            if (!section.auswerten && lo < hi)
                m_intervals.emplace_back(lo, hi);
        }
        std::sort(m_intervals.begin(), m_intervals.end());
        std::vector<std::pair<int32_t, int32_t>> merged;
        for (const auto& interval : m_intervals) {
            if (!merged.empty() && interval.first <= merged.back().second)
                merged.back().second = std::max(merged.back().second, interval.second);
            else
                merged.push_back(interval);
        }
        m_intervals = std::move(merged);
    }

    bool Contains(int32_t station) const
    {
        // The last interval starting at or before the station.
        auto it = std::upper_bound(m_intervals.begin(), m_intervals.end(), station,
                                   [](int32_t s, const std::pair<int32_t, int32_t>& interval) {
                                       return s < interval.first;
                                   });
        if (it == m_intervals.begin())
            return false;
        --it;
        return station < it->second;
    }

private:
    std::vector<std::pair<int32_t, int32_t>> m_intervals;
};

void ClearStatistics(Abschnitt& section)
{
    section.mittlereGeschwindigkeit.clear();
    section.geschwStreuung.clear();
    section.varK.clear();
}

bool Between(int32_t station, int32_t e, int32_t f)
{
    return std::min(e, f) <= station && station <= std::max(e, f);
}

}  // namespace

void CMessFahrtDaten::BuildSections(Abschnitt& runStatistics, AbschnittListe& list) const
{
    list.Clear();
    const int n = GetCount();
    if (n == 0) {
        runStatistics = Abschnitt();
        return;
    }
    ComputeRunStatistics(runStatistics, nullptr);

    int32_t start = GetStation(0);
    int32_t end = GetStation(n - 1);
    const bool ascending = start < end;
    // The higher end lies one decimetre beyond the last point there.
    if (ascending)
        end = NextStation(end);
    else
        start = NextStation(start);
    list.SetRange(start, end);

    MESSUNG current = GetPoint(0);
    int currentFirst = 0;
    for (int i = 0; i < n; ++i) {
        const size_t k = WindowPoint(i);
        const bool changes = m_points.Width(k) != current.width || m_points.Limit(k) != current.limit;
        if (!changes && i < n - 1)
            continue;
        Abschnitt section;
        section.ersterPunkt = currentFirst;
        section.endPunkt = i + 1;
        section.von = ascending ? current.station : NextStation(current.station);
        section.breite = current.width;
        section.grenzwert = current.limit;
        ComputeSpeedStatistics(section, nullptr);
        list.Append(std::move(section));
        current = GetPoint(i);
        currentFirst = i;
    }
    list.DeriveEnds();
}

void CMessFahrtDaten::ComputeSpeedStatistics(Abschnitt& section, const AbschnittListe* filter) const
{
    const int n = GetCount();
    section.ersterPunkt = std::clamp(section.ersterPunkt, 0, n);
    section.endPunkt = std::clamp(section.endPunkt, 0, n);
    // Most formats record no speed at all: then no section has statistics.
    if (!m_points.HasSpeeds()) {
        ClearStatistics(section);
        return;
    }
    const ExcludedStations excluded(filter);

    std::vector<double> speeds;
    double sum = 0.0;
    for (int i = section.ersterPunkt; i < section.endPunkt; ++i) {
        if (excluded.Contains(GetStation(i)))
            continue;
        const double speed = GetSpeed(i);
        if (speed >= 0.0 && std::isfinite(speed)) {
            sum += speed;
            speeds.push_back(speed);
        }
    }
    const size_t count = speeds.size();
    if (!(sum > 0.0) || count < 2) {
        ClearStatistics(section);
        return;
    }
    const double mean = sum / static_cast<double>(count);
    double squares = 0.0;
    for (double speed : speeds)
        squares += (speed - mean) * (speed - mean);
    const double deviation = std::sqrt(squares / static_cast<double>(count - 1));
    const double variation = deviation * 100.0 / mean;
    // Speeds near the largest double overflow the sums; such a section has no statistics.
    if (!std::isfinite(mean) || !std::isfinite(deviation) || !std::isfinite(variation)) {
        ClearStatistics(section);
        return;
    }
    section.mittlereGeschwindigkeit = FormatFixed(mean, 1);
    section.geschwStreuung = FormatFixed(deviation, 1);
    section.varK = FormatFixed(variation, 1);
}

void CMessFahrtDaten::ComputeSectionStatistics(std::vector<Abschnitt>& sections) const
{
    for (Abschnitt& section : sections)
        ComputeSectionStatistics(section);
}

void CMessFahrtDaten::ComputeSectionStatistics(Abschnitt& section) const
{
    const int n = GetCount();
    if (n < 2)
        return;
    int first = SectionEndIndex(section.von);
    int end = SectionEndIndex(section.bis);
    // A section end beyond the window: the last section of an ascending run ends
    // one decimetre past its last point, the first of a descending run starts so.
    if (section.von < section.bis) {
        if (end == -1)
            end = n;
    } else if (first == -1) {
        first = 0;
    }
    section.ersterPunkt = first;
    section.endPunkt = end;
    if (first == -1 || end == -1) {
        ClearStatistics(section);
        return;
    }
    ComputeSpeedStatistics(section, nullptr);
}

int CMessFahrtDaten::SectionEndIndex(int32_t station) const
{
    const int n = GetCount();
    if (n < 2)
        return -1;
    const StationOrder order = WindowStationOrder();
    if (order == StationOrder::Unordered) {
        for (int i = 0; i + 1 < n; ++i) {
            const int32_t e = GetStation(i);
            const int32_t f = GetStation(i + 1);
            if (station == e)
                return i;
            if (station == f)
                return i + 1;
            if (Between(station, e, f))
                return i;
        }
        return -1;
    }
    // In an ordered window the first pair that names the station follows from
    // the first point at or past it: that point itself when it lies at the
    // station, else the pair that ends there. A long run has many sections,
    // and each would otherwise walk the run from its start.
    const bool ascending = order == StationOrder::NonDecreasing;
    int low = 0;
    int high = n;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        const int32_t at = GetStation(middle);
        if (ascending ? at < station : at > station)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == n)
        return -1;  // every point before the station
    if (GetStation(low) == station)
        return low;
    return low == 0 ? -1 : low - 1;  // every point past it, or enclosed by the pair ending at low
}

void CMessFahrtDaten::ComputeRunStatistics(Abschnitt& out, const AbschnittListe* filter) const
{
    out = Abschnitt();
    out.ersterPunkt = 0;
    out.endPunkt = GetCount();
    ComputeSpeedStatistics(out, filter);
}

}  // namespace kurvex
