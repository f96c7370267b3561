#include "measurement/MessFahrtDaten.h"

#include <algorithm>

#include "common/FileAccess.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/ExportLine.h"
#include "measurement/FormatCode.h"

namespace kurvex {

namespace {

size_t DecimalDigits(uint64_t n)
{
    size_t digits = 1;
    for (; n >= 10; n /= 10)
        ++digits;
    return digits;
}

// Length of a fixed number n / scale printed with `decimals` decimals, scale a
// power of ten of at most `decimals` digits: the quotient has no more decimals,
// so the text is the sign, the whole part and the decimals.
size_t FixedLength(int32_t n, int64_t scale, size_t decimals)
{
    const int64_t wide = n;
    const auto magnitude = static_cast<uint64_t>(wide < 0 ? -wide : wide);
    return (n < 0 ? 1 : 0) + DecimalDigits(magnitude / static_cast<uint64_t>(scale)) + 1 + decimals;
}

// Columns of text that starts at column `column`, as the file viewer counts them.
size_t ColumnsAfter(size_t column, std::string_view text, size_t tabColumns)
{
    if (text.find('\t') == std::string_view::npos)
        return column + text.size();
    for (const char c : text)
        column = c == '\t' ? (column / tabColumns + 1) * tabColumns : column + 1;
    return column;
}

}  // namespace

bool CMessFahrtDaten::LoadFromFile(const std::string& path)
{
    const std::unique_ptr<std::istream> file = OpenRegularFile(path);
    if (!file)
        return false;
    m_lines.clear();
    m_filePath = path;
    ReadFile(*file);
    return true;
}

void CMessFahrtDaten::Clear()
{
    // The record lines still show the file: they keep the points as read.
    if (!m_pointsAsRead && (m_lines.HasRecords() || m_exportLines.HasRecords()))
        m_pointsAsRead = std::move(m_points);
    m_points.clear();
    ResetWindow();
}

void CMessFahrtDaten::ResetWindow()
{
    m_windowFirst = 0;
    m_windowCount = 0;
    m_windowListed = false;
    m_windowIndices = std::vector<uint32_t>();
    m_speedCount = 0;
    m_fileTextCache.reset();
}

void CMessFahrtDaten::KeepPointsAsRead()
{
    if (!m_pointsAsRead && (m_lines.HasRecords() || m_exportLines.HasRecords()))
        m_pointsAsRead = m_points;
}

void CMessFahrtDaten::AssignPoints(const std::vector<MESSUNG>& points)
{
    Clear();
    m_points.reserve(points.size());
    for (const MESSUNG& point : points)
        m_points.push_back(point);
    ResetRange();
}

bool CMessFahrtDaten::IsDeviceFormat() const
{
    return m_formatCode == kFormatPm01bs01 || m_formatCode == kFormatPm01bs02
           || m_formatCode == kFormatDatedColumnTable;
}

int32_t CMessFahrtDaten::FirstStation() const
{
    return m_points.empty() ? 0 : m_points.Station(0);
}

int32_t CMessFahrtDaten::LastStation() const
{
    return m_points.empty() ? 0 : m_points.Station(m_points.size() - 1);
}

void CMessFahrtDaten::ApplyAdjustments()
{
    if (!m_adjust.empty() && !m_points.empty()) {
        const int32_t start = ToInt(GetField(m_adjust, ';', 0));
        // Computed wide: a start far from the file's stations must not overflow.
        const long long offset = static_cast<long long>(FirstStation()) - start;
        m_stationOffset = ClampToInt32(static_cast<double>(offset));
        if (m_stationOffset != 0) {
            KeepPointsAsRead();
            for (size_t k = 0; k < m_points.size(); ++k)
                m_points.SetStation(k, ClampToInt32(static_cast<double>(m_points.Station(k))
                                                    - static_cast<double>(m_stationOffset)));
        }

        const bool ascending = FirstStation() < LastStation();
        const bool wantAscending = GetField(m_adjust, ';', 1) == "1";
        if (ascending != wantAscending) {
            KeepPointsAsRead();
            const double s0 = FirstStation();
            for (size_t k = 0; k < m_points.size(); ++k)
                m_points.SetStation(k, ClampToInt32(2.0 * s0 - m_points.Station(k)));
        }
    }
    if (m_reverseOrder && m_points.size() > 1) {
        KeepPointsAsRead();
        m_points.Reverse();
        m_pointsReversed = !m_pointsReversed;
    }
    ResetRange();
    FindWindowStationOrder();  // the window may still refer to the points it held before
}

void CMessFahrtDaten::MirrorRun()
{
    if (m_points.empty())
        return;
    KeepPointsAsRead();
    const double length = static_cast<double>(LastStation()) - FirstStation();
    m_points.Reverse();
    m_pointsReversed = !m_pointsReversed;
    for (size_t k = 0; k < m_points.size(); ++k)
        m_points.SetStation(k, ClampToInt32(length - m_points.Station(k)));
}

void CMessFahrtDaten::ShiftStations(int32_t d)
{
    // The window refers to m_points, so shifting the points shifts the window too.
    if (d != 0 && !m_points.empty()) {
        KeepPointsAsRead();
        for (size_t k = 0; k < m_points.size(); ++k)
            m_points.SetStation(k, ClampToInt32(static_cast<double>(m_points.Station(k)) + d));
    }
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
    const auto inRange = [this, low, high](size_t k) {
        const int32_t station = m_points.Station(k);
        return station >= low && station <= high;
    };
    size_t first = 0;
    size_t last = 0;
    size_t count = 0;
    for (size_t k = 0; k < m_points.size(); ++k) {
        if (!inRange(k))
            continue;
        if (count == 0)
            first = k;
        last = k;
        ++count;
    }
    m_windowFirst = first;
    m_windowCount = count;
    m_windowListed = count > 0 && last - first + 1 != count;
    m_windowIndices = std::vector<uint32_t>();
    if (m_windowListed) {
        m_windowIndices.reserve(count);
        for (size_t k = first; k <= last; ++k) {
            if (inRange(k))
                m_windowIndices.push_back(static_cast<uint32_t>(k));
        }
    }
    m_speedCount = 0;
    if (m_points.HasSpeeds()) {
        for (size_t i = 0; i < m_windowCount; ++i) {
            if (m_points.Speed(WindowPoint(static_cast<int>(i))) >= 0.0)
                ++m_speedCount;
        }
    }
    FindWindowStationOrder();
}

void CMessFahrtDaten::FindWindowStationOrder()
{
    bool nonDecreasing = true;
    bool nonIncreasing = true;
    for (size_t i = 1; i < m_windowCount && (nonDecreasing || nonIncreasing); ++i) {
        const int32_t before = m_points.Station(WindowPoint(static_cast<int>(i - 1)));
        const int32_t after = m_points.Station(WindowPoint(static_cast<int>(i)));
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
    MESSUNG point = m_points[WindowPoint(i)];
    point.value = GetValue(i);
    return point;
}

int32_t CMessFahrtDaten::GetStation(int i) const
{
    return (i < 0 || i >= GetCount()) ? 0 : m_points.Station(WindowPoint(i));
}

int32_t CMessFahrtDaten::GetValue(int i) const
{
    if (i < 0 || i >= GetCount())
        return 0;
    return ClampToInt32(static_cast<double>(m_points.Value(WindowPoint(i))) + m_correction);
}

int32_t CMessFahrtDaten::GetWidth(int i) const
{
    return (i < 0 || i >= GetCount()) ? 0 : m_points.Width(WindowPoint(i));
}

int32_t CMessFahrtDaten::GetPointLimit(int i) const
{
    return (i < 0 || i >= GetCount()) ? -1 : m_points.Limit(WindowPoint(i));
}

double CMessFahrtDaten::GetSpeed(int i) const
{
    return (i < 0 || i >= GetCount()) ? -1.0 : m_points.Speed(WindowPoint(i));
}

std::string CMessFahrtDaten::GetComment(int i) const
{
    return (i < 0 || i >= GetCount()) ? std::string() : m_points.Comment(WindowPoint(i));
}

bool CMessFahrtDaten::HasComment(int i) const
{
    return (i >= 0 && i < GetCount()) && m_points.HasComment(WindowPoint(i));
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
                     ? ClampToInt32(static_cast<double>(m_points.Station(static_cast<size_t>(i))) + m_stationOffset)
                     : 0;
}

std::vector<int> CMessFahrtDaten::CommentedWindowPoints() const
{
    std::vector<int> commented;
    if (!m_windowListed) {
        for (const size_t k : m_points.CommentedPoints(m_windowFirst, m_windowFirst + m_windowCount))
            commented.push_back(static_cast<int>(k - m_windowFirst));
        return commented;
    }
    for (int i = 0; i < GetCount(); ++i) {
        if (HasComment(i))
            commented.push_back(i);
    }
    return commented;
}

RunLineList CMessFahrtDaten::Lines() const
{
    return RunLineList(*this, false);
}

RunLineList CMessFahrtDaten::ExportLines() const
{
    return RunLineList(*this, true);
}

void CMessFahrtDaten::AppendLine(std::string& out, size_t k) const
{
    const RecordLineList::Line line = m_lines[k];
    if (!line.IsRecord()) {
        out += line.text;
        return;
    }
    const PointStore& points = PointsAsRead();
    if (line.record == RecordLineList::Record::TabbedPatched) {
        AppendPatchedLine(out, line.text, line.point);
        return;
    }
    const char separator = line.record == RecordLineList::Record::Tabbed ? '\t' : ' ';
    AppendViewerLine(out, points.Value(line.point), points.Station(line.point), points.Width(line.point),
                     points.Comment(line.point), separator);
}

void CMessFahrtDaten::AppendPatchedLine(std::string& out, std::string_view patch, size_t point) const
{
    const PointStore& points = PointsAsRead();
    std::string_view field;
    const auto number = [&](int i, void (*append)(std::string&, int32_t), int32_t value) {
        if (FieldPatch::Get(patch, i, field))
            out += field;
        else
            append(out, value);
        out += '\t';
    };
    number(0, AppendViewerValue, points.Value(point));
    number(1, AppendViewerStation, points.Station(point));
    number(2, AppendViewerWidth, points.Width(point));
    out += FieldPatch::Get(patch, 3, field) ? field : std::string_view(points.Comment(point));
}

void CMessFahrtDaten::AppendExportLine(std::string& out, size_t k) const
{
    const RecordLineList::Line line = m_exportLines[k];
    if (line.IsRecord())
        m_exportDetails.AppendExportLine(out, line.point, PointsAsRead());
    else
        out += line.text;
}

std::string_view CMessFahrtDaten::FileTextLine(size_t i) const
{
    if (i >= m_lines.size())
        return {};
    const RecordLineList::Line line = m_lines[i];
    if (!line.IsRecord())
        return line.text;
    m_lineScratch.clear();
    AppendLine(m_lineScratch, i);
    return m_lineScratch;
}

const std::string& CMessFahrtDaten::GetFileText() const
{
    if (!m_fileTextCache) {
        std::string text;
        for (size_t k = 0; k < m_lines.size(); ++k) {
            AppendLine(text, k);
            text += '\n';
        }
        m_fileTextCache = std::move(text);
    }
    return *m_fileTextCache;
}

size_t CMessFahrtDaten::FileTextColumns(size_t tabColumns) const
{
    tabColumns = std::max<size_t>(tabColumns, 1);
    if (m_fileTextColumns && m_fileTextColumns->first == tabColumns)
        return m_fileTextColumns->second;
    const PointStore& points = PointsAsRead();
    size_t widest = 0;
    for (const RecordLineList::Stretch& stretch : m_lines.Stretches()) {
        if (stretch.record == RecordLineList::Record::None) {
            for (size_t item = stretch.first; item < stretch.first + stretch.count; ++item)
                widest = std::max(widest, ColumnsAfter(0, m_lines.Text(item), tabColumns));
            continue;
        }
        if (stretch.record == RecordLineList::Record::TabbedPatched) {
            std::string line;
            for (size_t i = 0; i < stretch.count; ++i) {
                line.clear();
                AppendPatchedLine(line, m_lines.Text(stretch.firstText + i), stretch.first + i);
                widest = std::max(widest, ColumnsAfter(0, line, tabColumns));
            }
            continue;
        }
        // Value, station and width hold no TAB: their lengths follow from the digits.
        const bool tabbed = stretch.record == RecordLineList::Record::Tabbed;
        const auto numberColumns = [&](size_t k) {
            const auto separate = [&](size_t column) {
                return tabbed ? (column / tabColumns + 1) * tabColumns : column + 1;
            };
            size_t columns = separate(FixedLength(points.Value(k), 10, 2));
            columns = separate(columns + FixedLength(points.Station(k), 10000, 4));
            return separate(columns + FixedLength(points.Width(k), 100, 2));
        };
        const size_t end = stretch.first + stretch.count;
        for (size_t k = stretch.first; k < end; ++k)
            widest = std::max(widest, numberColumns(k));
        for (const size_t k : points.PointsWithCommentText(stretch.first, end))
            widest = std::max(widest, ColumnsAfter(numberColumns(k), points.Comment(k), tabColumns));
    }
    m_fileTextColumns = std::make_pair(tabColumns, widest);
    return widest;
}

size_t RunLineList::size() const
{
    return m_export ? m_run->m_exportLines.size() : m_run->m_lines.size();
}

std::string RunLineList::operator[](size_t k) const
{
    std::string line;
    if (m_export)
        m_run->AppendExportLine(line, k);
    else
        m_run->AppendLine(line, k);
    return line;
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

std::vector<HeaderEntry> LabelledHeaderEntries(const std::string& text)
{
    std::vector<HeaderEntry> entries;
    HeaderTextIterator iterator(text);
    const auto count = std::count(text.begin(), text.end(), kFieldSeparator);
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        std::string label;
        std::string value;
        iterator.Next(label, value);
        label = Trim(label);
        if (!label.empty() && label.back() == ':')
            label = Trim(std::string_view(label).substr(0, label.size() - 1));
        const bool known = std::any_of(entries.begin(), entries.end(),
                                       [&](const HeaderEntry& entry) { return entry.label == label; });
        if (!label.empty() && !known)
            entries.push_back(HeaderEntry{std::move(label), std::move(value)});
    }
    return entries;
}

std::string HeaderValue(const std::vector<HeaderEntry>& entries, std::initializer_list<std::string_view> labels)
{
    for (const std::string_view label : labels)
        for (const HeaderEntry& entry : entries)
            if (entry.label == label)
                return entry.value;
    return {};
}

}  // namespace kurvex
