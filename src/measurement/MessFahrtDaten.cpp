#include "measurement/MessFahrtDaten.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/FormatCode.h"

namespace kurvex {

bool CMessFahrtDaten::LoadFromFile(const std::string& path)
{
    // A folder opens as a stream on Linux but has no content to read.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    m_lines.clear();
    m_filePath = path;
    ReadFile(file);
    return true;
}

void CMessFahrtDaten::Clear()
{
    m_points.clear();
    m_window.clear();
    m_speedCount = 0;
    m_fileTextCache.reset();
}

bool CMessFahrtDaten::IsDeviceFormat() const
{
    return m_formatCode == kFormatPm01bs01 || m_formatCode == kFormatPm01bs02
           || m_formatCode == kFormatDatedColumnTable;
}

int32_t CMessFahrtDaten::FirstStation() const
{
    return m_points.empty() ? 0 : m_points.front().station;
}

int32_t CMessFahrtDaten::LastStation() const
{
    return m_points.empty() ? 0 : m_points.back().station;
}

void CMessFahrtDaten::ApplyAdjustments()
{
    if (!m_adjust.empty() && !m_points.empty()) {
        const int32_t start = ToInt(GetField(m_adjust, ';', 0));
        // Computed wide: a start far from the file's stations must not overflow.
        const long long offset = static_cast<long long>(m_points.front().station) - start;
        m_stationOffset = ClampToInt32(static_cast<double>(offset));
        for (MESSUNG& point : m_points)
            point.station = ClampToInt32(static_cast<double>(point.station) - static_cast<double>(m_stationOffset));

        const bool ascending = FirstStation() < LastStation();
        const bool wantAscending = GetField(m_adjust, ';', 1) == "1";
        if (ascending != wantAscending) {
            const double s0 = m_points.front().station;
            for (MESSUNG& point : m_points)
                point.station = ClampToInt32(2.0 * s0 - point.station);
        }
    }
    if (m_reverseOrder)
        std::reverse(m_points.begin(), m_points.end());
    ResetRange();
    FindWindowStationOrder();  // the window may still refer to the points it held before
}

void CMessFahrtDaten::MirrorRun()
{
    if (m_points.empty())
        return;
    const double length = static_cast<double>(LastStation()) - FirstStation();
    std::reverse(m_points.begin(), m_points.end());
    for (MESSUNG& point : m_points)
        point.station = ClampToInt32(length - point.station);
}

void CMessFahrtDaten::ShiftStations(int32_t d)
{
    // The window refers to m_points, so shifting the points shifts the window too.
    for (MESSUNG& point : m_points)
        point.station = ClampToInt32(static_cast<double>(point.station) + d);
    m_rangeFrom = ClampToInt32(static_cast<double>(m_rangeFrom) + d);
    m_rangeTo = ClampToInt32(static_cast<double>(m_rangeTo) + d);
}

void CMessFahrtDaten::SetRange(int32_t from, int32_t to)
{
    m_rangeFrom = from;
    m_rangeTo = to;
    RebuildWindow();
}

void CMessFahrtDaten::ResetRange()
{
    m_rangeFrom = FirstStation();
    m_rangeTo = LastStation();
    // The end lies one station unit beyond the last point so that it belongs to the range.
    if (m_rangeFrom < m_rangeTo)
        m_rangeTo = ClampToInt32(static_cast<double>(m_rangeTo) + 1);
    else
        m_rangeFrom = ClampToInt32(static_cast<double>(m_rangeFrom) + 1);
}

void CMessFahrtDaten::SelectWholeRun()
{
    ResetRange();
    RebuildWindow();
}

void CMessFahrtDaten::SetCorrection(int32_t correction)
{
    m_correction = correction;
    RebuildWindow();
}

void CMessFahrtDaten::RebuildWindow()
{
    const bool ascending = m_rangeFrom < m_rangeTo;
    const int32_t low = ascending ? m_rangeFrom : m_rangeTo;
    const int32_t high = ascending ? m_rangeTo : m_rangeFrom;
    const auto inRange = [low, high](const MESSUNG& point) { return point.station >= low && point.station <= high; };
    m_window.clear();
    m_window.reserve(static_cast<size_t>(std::count_if(m_points.begin(), m_points.end(), inRange)));
    m_speedCount = 0;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const MESSUNG& point = m_points[i];
        if (!inRange(point))
            continue;
        m_window.push_back(static_cast<uint32_t>(i));
        if (point.HasSpeed())
            ++m_speedCount;
    }
    FindWindowStationOrder();
}

void CMessFahrtDaten::FindWindowStationOrder()
{
    bool nonDecreasing = true;
    bool nonIncreasing = true;
    for (size_t i = 1; i < m_window.size() && (nonDecreasing || nonIncreasing); ++i) {
        const int32_t before = m_points[m_window[i - 1]].station;
        const int32_t after = m_points[m_window[i]].station;
        nonDecreasing = nonDecreasing && before <= after;
        nonIncreasing = nonIncreasing && before >= after;
    }
    m_windowOrder = nonDecreasing   ? StationOrder::NonDecreasing
                    : nonIncreasing ? StationOrder::NonIncreasing
                                    : StationOrder::Unordered;
}

MESSUNG CMessFahrtDaten::GetPoint(int i) const
{
    if (i < 0 || i >= GetCount())
        return MESSUNG{};
    MESSUNG point = m_points[m_window[i]];
    point.value = GetValue(i);
    return point;
}

int32_t CMessFahrtDaten::GetStation(int i) const
{
    return (i < 0 || i >= GetCount()) ? 0 : m_points[m_window[i]].station;
}

int32_t CMessFahrtDaten::GetValue(int i) const
{
    if (i < 0 || i >= GetCount())
        return 0;
    return ClampToInt32(static_cast<double>(m_points[m_window[i]].value) + m_correction);
}

int32_t CMessFahrtDaten::GetWidth(int i) const
{
    return (i < 0 || i >= GetCount()) ? 0 : m_points[m_window[i]].width;
}

int32_t CMessFahrtDaten::GetPointLimit(int i) const
{
    return (i < 0 || i >= GetCount()) ? -1 : m_points[m_window[i]].limit;
}

double CMessFahrtDaten::GetSpeed(int i) const
{
    return (i < 0 || i >= GetCount()) ? -1.0 : m_points[m_window[i]].speed;
}

std::string CMessFahrtDaten::GetComment(int i) const
{
    return (i < 0 || i >= GetCount()) ? std::string() : m_points[m_window[i]].comment;
}

bool CMessFahrtDaten::HasComment(int i) const
{
    return (i >= 0 && i < GetCount()) && m_points[m_window[i]].hasComment;
}

void CMessFahrtDaten::GetPointInfo(int i, int32_t& station, int32_t& rawStation, std::string& comment) const
{
    if (i < 0 || i >= GetCount()) {
        station = 0;
        rawStation = 0;
        return;
    }
    station = GetStation(i);
    comment = GetComment(i);
    // The i-th point as read, not the i-th window point: this is the station the file named.
    rawStation = static_cast<size_t>(i) < m_points.size()
                     ? ClampToInt32(static_cast<double>(m_points[i].station) + m_stationOffset)
                     : 0;
}

const std::string& CMessFahrtDaten::GetFileText() const
{
    if (!m_fileTextCache)
        m_fileTextCache = m_lines.Joined("\n");
    return *m_fileTextCache;
}

HeaderTextIterator::HeaderTextIterator(std::string text) : m_text(std::move(text))
{
    size_t letters = 0;
    while (letters < m_text.size()
           && ((m_text[letters] >= 'A' && m_text[letters] <= 'Z') || (m_text[letters] >= 'a' && m_text[letters] <= 'z')))
        ++letters;
    m_labelled = letters > 3 && letters < m_text.size() && m_text[letters] == ':';
}

void HeaderTextIterator::Next(std::string& label, std::string& value)
{
    static const char* const kDeviceLabels[] = {"Messzeitpunkt", "Dienststelle", "Abteilung", "Pr\xFC" "fer",
                                                "Str.-Typ",      "Str.-Nr.",     "",          ""};
    const std::string entry = GetField(m_text, kFieldSeparator, m_counter);
    if (m_labelled) {
        const auto colon = entry.find(':');
        label = colon == std::string::npos ? std::string() : entry.substr(0, colon + 1);
        value = Trim(colon == std::string::npos ? std::string_view(entry) : std::string_view(entry).substr(colon + 1));
    } else {
        label = m_counter < 8 ? kDeviceLabels[m_counter] : "";
        value = Trim(entry);
    }
    ++m_counter;
}

}  // namespace kurvex
