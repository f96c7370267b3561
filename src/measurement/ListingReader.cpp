// The printed listings of the oldest Planograf devices, the last resort of the
// recognition: a text header, a "Grenzwert" line, often a text scale line, then
// one line per point: value (0.1 mm), station (0.1 m), comment.

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/MessFahrtDaten.h"
#include "measurement/RunReading.h"

namespace kurvex {

namespace {

constexpr std::string_view kScaleLine = "-10   0  +10  +20  +30";
constexpr std::string_view kLimitKey = "Grenzwert";
constexpr std::string_view kMultiTrackHead = "Sp1   Sp2    Sp3";
constexpr std::string_view kCheckPrint = "Planograf - Kontrollpruefung";
constexpr std::array<std::string_view, 2> kForeignFirstLineTexts = {"Datum:", "file"};
constexpr std::string_view kUnsupportedFormatMessage = "FEHLER\r\nDieses Dateiformat wird nicht unterst\xFCtzt!";

// In the order of m_listingFields.
constexpr std::array<std::string_view, 7> kListingKeys = {"MESSUNG NR.", "vom",      "Dienststelle", "Abteilung",
                                                          "Pruefer",     "Str.-Typ", "Str.-Nr."};
constexpr size_t kDateField = 1;
// The line after "Messfahrt" holds the date in characters 0-7 and the time in 19-23.
constexpr std::string_view kRunDateKey = "Messfahrt";
constexpr size_t kRunDateLength = 8;
constexpr size_t kRunTimeStart = 19;
constexpr size_t kRunTimeLength = 5;

constexpr size_t kMultiTrackSearchLines = 40;
constexpr size_t kHeaderSearchLines = 50;

bool IsBlankOrTab(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

size_t SkipBlanks(std::string_view text, size_t pos)
{
    while (pos < text.size() && IsBlankOrTab(text[pos]))
        ++pos;
    return pos;
}

// Past an optional sign and its digits.
size_t SkipInteger(std::string_view text, size_t pos)
{
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        ++pos;
    while (pos < text.size() && IsDigit(text[pos]))
        ++pos;
    return pos;
}

// The integer at pos (sign and digits), 0 when there is none.
int32_t IntegerAt(std::string_view text, size_t pos)
{
    return ToInt(text.substr(pos));
}

// Refusals that look at the lines before the first scale line. Gives the index of
// the scale line (or the line count when there is none), nothing when the file is refused.
std::optional<size_t> ScanForScaleLine(const LineStore& lines)
{
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        if (Contains(line, kCheckPrint))
            return std::nullopt;
        if (k == 0) {
            for (const std::string_view foreign : kForeignFirstLineTexts) {
                if (Contains(line, foreign))
                    return std::nullopt;
            }
        }
        if (Contains(line, kScaleLine))
            return k;
    }
    return lines.size();
}

// The limit value from the first "Grenzwert" line: "Grenzwert: 4,0 mm" is 40.
std::optional<int32_t> ReadListingLimit(std::string_view line)
{
    std::string digits(line);
    for (char& c : digits) {
        if (!IsDigit(c))
            c = ' ';
    }
    digits = Trim(digits);
    if (digits.empty())
        return std::nullopt;
    double v[2];
    if (ScanValues(digits, "%d%d", v, 2) != 2)
        return 0;
    return ClampToInt32(v[0] * 10.0 + v[1]);
}

// A data line: value, station and an optional comment marked by "*".
std::optional<MESSUNG> ParseListingDataLine(std::string_view text)
{
    std::string line(text);
    bool marked = false;
    const auto star = line.find('*');
    if (star != std::string::npos && star > 0) {
        line[star] = ' ';
        marked = true;
    }
    size_t pos = SkipBlanks(line, 0);
    if (pos == line.size())
        return std::nullopt;
    MESSUNG point;
    point.value = IntegerAt(line, pos);
    pos = SkipBlanks(line, SkipInteger(line, pos));
    if (pos == line.size())
        return std::nullopt;
    point.station = IntegerAt(line, pos);
    pos = SkipBlanks(line, SkipInteger(line, pos));
    point.comment = Trim(std::string_view(line).substr(pos));
    point.hasComment = marked;
    return point;
}

// Consecutive points at the same station become one with the larger value;
// a comment of a later point replaces that of the first.
void MergeRepeatedStations(std::vector<MESSUNG>& points)
{
    size_t kept = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        if (kept > 0 && points[kept - 1].station == points[i].station) {
            MESSUNG& first = points[kept - 1];
            first.KeepMaximum(points[i]);
            if (points[i].hasComment)
                first.SetComment(points[i].comment);
            continue;
        }
        if (kept != i)
            points[kept] = std::move(points[i]);
        ++kept;
    }
    points.resize(kept);
}

std::array<std::string, 7> ReadListingFields(const LineStore& lines, size_t scaleLine)
{
    std::array<std::string, 7> fields;
    std::string runDate;
    const size_t end = std::min({lines.size(), kHeaderSearchLines, scaleLine});
    for (size_t k = 0; k < end; ++k) {
        const std::string line = TrimLeft(lines[k]);
        for (size_t key = 0; key < kListingKeys.size(); ++key) {
            if (StartsWith(line, kListingKeys[key]))
                fields[key] = Trim(std::string_view(line).substr(kListingKeys[key].size()));
        }
        if (StartsWith(line, kRunDateKey) && k + 1 < lines.size()) {
            const std::string_view next = lines[k + 1];
            const std::string_view time =
                next.size() > kRunTimeStart ? next.substr(kRunTimeStart, kRunTimeLength) : std::string_view();
            runDate = std::string(next.substr(0, kRunDateLength)) + ' ' + std::string(time);
        }
    }
    // A "vom" line wins over the date after "Messfahrt".
    if (fields[kDateField].empty())
        fields[kDateField] = runDate;
    return fields;
}

}  // namespace

bool CMessFahrtDaten::ReadListing()
{
    Writer writer(*this);
    return ListingReader(writer).Finish();
}

bool ListingReader::Finish()
{
    const LineStore& lines = Lines();
    const std::optional<size_t> scaleLine = ScanForScaleLine(lines);
    if (!scaleLine)
        return false;
    const bool hasScaleLine = *scaleLine < lines.size();

    size_t limitLine = 0;
    while (limitLine < lines.size() && !Contains(lines[limitLine], kLimitKey))
        ++limitLine;
    if (limitLine == lines.size())
        return false;
    const std::optional<int32_t> limit = ReadListingLimit(lines[limitLine]);
    if (!limit)
        return false;

    for (size_t k = 0; k < std::min(lines.size(), kMultiTrackSearchLines); ++k) {
        if (Contains(lines[k], kMultiTrackHead)) {
            m_run.AddMessage({MessageIcon::Stop, std::string(kUnsupportedFormatMessage)});
            return false;
        }
    }

    const size_t firstData = (hasScaleLine ? *scaleLine : limitLine) + 1;
    if (firstData >= lines.size())
        return false;
    std::vector<MESSUNG> points;
    for (size_t k = firstData; k < lines.size(); ++k) {
        if (std::optional<MESSUNG> point = ParseListingDataLine(lines[k]))
            points.push_back(std::move(*point));
    }
    if (points.empty())
        return false;

    MergeRepeatedStations(points);
    // A listing often ends with a total or footer line that reads as a point at station 0.
    if (points.back().station == 0)
        points.pop_back();
    // With that point gone the file may hold no point at all: it is no listing then.
    if (points.empty())
        return false;

    m_run.SetListingFields(ReadListingFields(lines, *scaleLine));
    for (const MESSUNG& point : points)
        m_run.AddPoint(point);
    m_run.Accept(*limit, {});
    return true;
}

}  // namespace kurvex
