#include "measurement/RecordLines.h"

#include <algorithm>
#include <cmath>

#include "measurement/ExportLine.h"

namespace kurvex {

namespace {

// Point values are file values rounded: mm to 0.1 mm, km to 0.1 m, m to 1 cm.
constexpr double kValueScale = 10.0;
constexpr double kStationScale = 10000.0;
constexpr double kWidthScale = 100.0;

// Whether x printed with six decimals reads exactly as rounded / scale does. The
// rounded number has at most four decimals, so both print alike when x lies
// well within half a millionth of it; a tiny negative x would print "-0.000000".
// (The product with the inverse scale is within a few units of the last place
// of the quotient, far inside that margin.)
bool PrintsAsRounded(double x, int32_t rounded, double inverseScale)
{
    return std::fabs(x - rounded * inverseScale) < 0.25e-6 && (rounded != 0 || !std::signbit(x));
}

template <typename Entry>
const Entry* FindEntry(const std::vector<Entry>& entries, size_t point)
{
    const auto it = std::lower_bound(entries.begin(), entries.end(), point,
                                     [](const Entry& entry, size_t p) { return entry.point < p; });
    return it != entries.end() && it->point == point ? &*it : nullptr;
}

}  // namespace

RecordLineList::Line RecordLineList::operator[](size_t k) const
{
    // The last stretch beginning at or before line k.
    const auto it = std::upper_bound(m_stretches.begin(), m_stretches.end(), k,
                                     [](size_t line, const Stretch& stretch) { return line < stretch.firstLine; });
    const Stretch& stretch = *(it - 1);
    const size_t item = stretch.first + (k - stretch.firstLine);
    if (stretch.record == Record::TabbedPatched)
        return Line{stretch.record, m_texts[stretch.firstText + (k - stretch.firstLine)], item};
    if (stretch.record != Record::None)
        return Line{stretch.record, std::string_view(), item};
    return Line{Record::None, m_texts[item], 0};
}

bool RecordLineList::HasRecords() const
{
    return std::any_of(m_stretches.begin(), m_stretches.end(),
                       [](const Stretch& stretch) { return stretch.record != Record::None; });
}

void RecordLineList::AddText(std::string_view text)
{
    const size_t item = m_texts.size();
    m_texts.push_back(text);
    if (!m_stretches.empty() && m_stretches.back().record == Record::None)
        ++m_stretches.back().count;
    else
        m_stretches.push_back(Stretch{m_count, 1, Record::None, item});
    ++m_count;
}

void RecordLineList::AddRecord(size_t point, Record record)
{
    if (!m_stretches.empty()) {
        Stretch& last = m_stretches.back();
        if (last.record == record && last.first + last.count == point) {
            ++last.count;
            ++m_count;
            return;
        }
    }
    m_stretches.push_back(Stretch{m_count, 1, record, point});
    ++m_count;
}

void RecordLineList::AddPatchedRecord(size_t point, std::string_view patch)
{
    const size_t text = m_texts.size();
    m_texts.push_back(patch);
    if (!m_stretches.empty()) {
        Stretch& last = m_stretches.back();
        if (last.record == Record::TabbedPatched && last.first + last.count == point &&
            last.firstText + last.count == text) {
            ++last.count;
            ++m_count;
            return;
        }
    }
    m_stretches.push_back(Stretch{m_count, 1, Record::TabbedPatched, point, text});
    ++m_count;
}

void RecordLineList::AssignTexts(LineStore texts)
{
    clear();
    m_texts = std::move(texts);
    m_count = m_texts.size();
    if (m_count > 0)
        m_stretches.push_back(Stretch{0, m_count, Record::None, 0});
}

LineStore RecordLineList::TakeTexts()
{
    LineStore texts = HasRecords() ? LineStore() : std::move(m_texts);
    clear();
    return texts;
}

void RecordLineList::clear()
{
    m_texts.clear();
    m_stretches.clear();
    m_stretches.shrink_to_fit();
    m_count = 0;
}

void FieldPatch::Append(std::string& out, unsigned mask, const std::string_view (&fields)[kFields])
{
    out += static_cast<char>(mask);
    for (int i = 0; i < kFields; ++i) {
        if (mask & (1U << i)) {
            out += fields[i];
            out += '\t';
        }
    }
}

bool FieldPatch::Get(std::string_view patch, int i, std::string_view& field)
{
    if (patch.empty())
        return false;
    const auto mask = static_cast<unsigned char>(patch[0]);
    if (!(mask & (1U << i)))
        return false;
    size_t start = 1;
    for (int j = 0; j < i; ++j) {
        if (mask & (1U << j))
            start = patch.find('\t', start) + 1;
    }
    field = patch.substr(start, patch.find('\t', start) - start);
    return true;
}

void ExportDetails::Add(size_t point, double valueMm, double stationKm, double widthM, std::string_view comment,
                        const MESSUNG& asRead)
{
    if (!PrintsAsRounded(valueMm, asRead.value, 1.0 / kValueScale)
        || !PrintsAsRounded(stationKm, asRead.station, 1.0 / kStationScale)
        || !PrintsAsRounded(widthM, asRead.width, 1.0 / kWidthScale))
        m_numbers.push_back(Numbers{point, valueMm, stationKm, widthM});
    if (comment != asRead.comment)
        m_comments.push_back(Comment{point, std::string(comment)});
}

void ExportDetails::AppendExportLine(std::string& out, size_t point, const PointStore& asRead) const
{
    const Comment* comment = FindEntry(m_comments, point);
    const std::string_view text = comment != nullptr ? std::string_view(comment->text)
                                                     : std::string_view(asRead.Comment(point));
    if (const Numbers* numbers = FindEntry(m_numbers, point)) {
        kurvex::AppendExportLine(out, numbers->valueMm, numbers->stationKm, numbers->widthM, text);
        return;
    }
    kurvex::AppendExportLine(out, asRead.Value(point) / kValueScale, asRead.Station(point) / kStationScale,
                             asRead.Width(point) / kWidthScale, text);
}

void ExportDetails::clear()
{
    m_numbers.clear();
    m_numbers.shrink_to_fit();
    m_comments.clear();
    m_comments.shrink_to_fit();
}

}  // namespace kurvex
