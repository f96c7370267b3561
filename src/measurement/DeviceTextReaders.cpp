// The text device formats: PM01BS01, a TAB-separated listing with a fixed header,
// and the dated column table, a ";" table that names its columns.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/ExportLine.h"
#include "measurement/FieldNumbers.h"
#include "measurement/MessFahrtDaten.h"
#include "measurement/RunReading.h"

namespace kurvex {

namespace {

// ---- PM01BS01 ---------------------------------------------------------------

constexpr std::string_view kPm01bs01Tag = "PM01BS01";
constexpr std::string_view kPm01bs01DatePattern = "%2d.%2d.%4d %2d:%2d";
// The keys that begin lines 2 to 6, in this order.
constexpr std::array<std::string_view, 5> kPm01bs01Keys = {"Dienststelle", "Abteilung", "Pruefer", "Str.-Typ",
                                                           "Str.-Nr."};
constexpr size_t kPm01bs01FirstDataLine = 7;
constexpr int kPm01bs01MinFields = 6;
// The fields a data line is read from: 0 to 6.
constexpr int kPm01bs01Fields = 7;
// A data line has some 30 bytes; fewer points than this never fit the file.
constexpr size_t kShortPm01bs01Line = 16;

bool HasPm01bs01Header(const LineStore& lines)
{
    if (lines.size() < kPm01bs01FirstDataLine || !Contains(lines[0], kPm01bs01Tag))
        return false;
    double date[5];
    if (ScanValues(lines[1], kPm01bs01DatePattern, date, 5) != 5)
        return false;
    for (size_t i = 0; i < kPm01bs01Keys.size(); ++i) {
        if (!StartsWith(lines[2 + i], kPm01bs01Keys[i]))
            return false;
    }
    return true;
}

std::vector<std::string> Pm01bs01HeaderEntries(const LineStore& lines)
{
    std::vector<std::string> entries;
    std::string date(lines[1]);
    ReplaceChar(date, '\t', ' ');
    entries.push_back(date);
    for (size_t i = 0; i < kPm01bs01Keys.size(); ++i)
        entries.push_back(Trim(lines[2 + i].substr(kPm01bs01Keys[i].size())));
    return entries;
}

// The text without white space at both ends, as Trim gives it, but not copied.
std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

// The TABs among the eight bytes at p: the high bit of each such byte set,
// byte k of the text being byte k of the number.
uint64_t TabBytes(const char* p)
{
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kHigh = 0x8080808080808080ULL;
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    word = __builtin_bswap64(word);
#endif
    const uint64_t x = word ^ (kOnes * '\t');
    // A byte is zero when neither its high bit nor, added to 0x7F, its low seven bits set bit 7.
    return ~(((x & kLow7) + kLow7) | x) & kHigh;
}

// The index of the lowest byte marked in a TabBytes result.
size_t LowestMarkedByte(uint64_t marks)
{
#if defined(__GNUC__) || defined(__clang__)
    return static_cast<size_t>(__builtin_ctzll(marks)) / 8;
#else
    size_t k = 0;
    for (; (marks & 0x80) == 0; marks >>= 8)
        ++k;
    return k;
#endif
}

// A number field of a data line in the point's unit: from its digits where
// they tell, otherwise from its double. Sets `bit` in differing when the file
// viewer would not print the number as the field has it.
template <typename FromDouble>
int32_t ScaledField(std::string_view text, int scaleDigits, int viewerDecimals, FromDouble fromDouble,
                    bool (*printsAsViewer)(std::string_view, int32_t), unsigned bit, unsigned& differing)
{
    ScaledNumber number;
    if (ReadScaledDeviceNumber(text, scaleDigits, viewerDecimals, number)) {
        if (!number.printsAsViewer)
            differing |= bit;
        return number.scaled;
    }
    const int32_t scaled = fromDouble(ReadDeviceNumber(text));
    if (!printsAsViewer(text, scaled))
        differing |= bit;
    return scaled;
}

std::string_view WithoutTrailingTabs(std::string_view line)
{
    while (!line.empty() && line.back() == '\t')
        line.remove_suffix(1);
    return line;
}

// ---- Dated column table -----------------------------------------------------

constexpr std::string_view kDateKey = "Datum:";
constexpr std::string_view kDatePatternWithTime = "Datum: %2d.%2d.%4d Zeit: %2d:%2d:%2d";
constexpr std::string_view kDatePatternSemicolon = "Datum:;%2d.%2d.%4d, %2d:%2d:%2d";
constexpr size_t kDateLineCandidates = 3;
constexpr size_t kMinColumnTableLines = 8;
constexpr int kMinColumnTableFields = 6;
constexpr double kNoStationYet = -9999999.0;

// The header keys of the table, compared as bytes. Tables written by the
// device's PC software carry "Prüfer:", "Maßnahme" and "Länge:" in UTF-8 but
// "Gesamtlänge:" in Windows-1252.
constexpr std::array<std::string_view, 8> kColumnTableHeaderKeys = {
    "Datum:",       "Pruefer:",     "Pr\xC3\xBC" "fer:", "Strasse:", "Baumassnahme:",
    "Ma\xC3\x9Fnahme", "Gesamtl\xE4nge:", "L\xC3\xA4nge:"};

constexpr std::string_view kStationColumn = "Station";
constexpr std::string_view kCommentColumn = "Kommentar";
constexpr std::string_view kLimitColumn = "Grenze";
constexpr std::string_view kWidthColumn = "Breite";
constexpr std::string_view kSpeedColumnPrefix = "Geschw";
constexpr std::string_view kValueColumnUtf8 = "H\xC3\xB6he";
constexpr std::string_view kValueColumnCp1252 = "H\xF6he";
constexpr int kLastNamedColumn = 7;

struct ColumnLayout {
    int value = 1;
    int speed = 2;
    int width = 4;
    int comment = -1;  // -1: the table has no such column
    int limit = -1;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsTableDataLine(std::string_view line)
{
    if (line.empty())
        return false;
    if (IsDigit(line[0]))
        return true;
    return line.size() > 1 && line[0] == '-' && IsDigit(line[1]);
}

bool IsColumnTableHeaderLine(std::string_view line)
{
    for (const std::string_view key : kColumnTableHeaderKeys) {
        if (Contains(line, key))
            return true;
    }
    return false;
}

std::string ColumnTableHeaderEntry(std::string_view line)
{
    std::string entry = Trim(line);
    Replace(entry, ";", "");
    return RepairUmlauts(entry);
}

void TakeColumnNames(std::string_view line, ColumnLayout& columns)
{
    if (GetField(line, ';', 0) != kStationColumn)
        return;
    for (int i = 1; i <= kLastNamedColumn; ++i) {
        const std::string name = GetField(line, ';', i);
        if (name.empty())
            continue;
        if (name == kCommentColumn)
            columns.comment = i;
        else if (name == kLimitColumn)
            columns.limit = i;
        else if (name == kWidthColumn)
            columns.width = i;
        else if (StartsWith(name, kSpeedColumnPrefix))
            columns.speed = i;
        else if (name == kValueColumnUtf8 || name == kValueColumnCp1252)
            columns.value = i;
    }
}

// printf's "%0<width>d" for the small numbers of a date.
std::string ZeroPadded(double number, size_t width)
{
    const long long n = ClampToInt32(number);
    std::string digits = std::to_string(n < 0 ? -n : n);
    const size_t digitWidth = n < 0 && width > 0 ? width - 1 : width;
    if (digits.size() < digitWidth)
        digits.insert(0, digitWidth - digits.size(), '0');
    return n < 0 ? "-" + digits : digits;
}

// "Datum: dd.mm.yyyy hh:mm:ss" from a date line in either of its two forms.
std::optional<std::string> NormalisedDateLine(std::string_view line)
{
    double v[6];
    if (ScanValues(line, kDatePatternWithTime, v, 6) < 6 && ScanValues(line, kDatePatternSemicolon, v, 6) < 6)
        return std::nullopt;
    return "Datum: " + ZeroPadded(v[0], 2) + "." + ZeroPadded(v[1], 2) + "." + ZeroPadded(v[2], 4) + " " +
           ZeroPadded(v[3], 2) + ":" + ZeroPadded(v[4], 2) + ":" + ZeroPadded(v[5], 2);
}

// A device speed is a plain number; one too large to be read counts as 0.
double FiniteOrZero(double x)
{
    return std::isfinite(x) ? x : 0.0;
}

}  // namespace

Pm01bs01Reader::Pm01bs01Reader(RunWriter& run, size_t fileBytes) : m_run(run), m_fileBytes(fileBytes) {}

void Pm01bs01Reader::TakeLine(std::string_view line)
{
    const size_t k = m_lineNumber++;
    if (k == kPm01bs01FirstDataLine && HasPm01bs01Header(m_run.TextLines())) {
        m_isPm01bs01 = true;
        m_header = Pm01bs01HeaderEntries(m_run.TextLines());
        m_run.TakeOverTextLines();
        m_run.ReservePoints(m_fileBytes / kShortPm01bs01Line + 1);
    }
    if (m_isPm01bs01)
        TakeDataLine(line);
    else
        m_run.KeepTextLine(line);
}

void Pm01bs01Reader::TakeDataLine(std::string_view line)
{
    // Fields 0, 4, 5 and 6 count: value, station (km), width (m), comment.
    const std::string_view data = WithoutTrailingTabs(line);
    // Where the first seven fields begin and end; the comment is empty past the end of the line.
    size_t begins[kPm01bs01Fields];
    size_t ends[kPm01bs01Fields];
    begins[kPm01bs01Fields - 1] = ends[kPm01bs01Fields - 1] = 0;
    int count = 1;  // fields found, up to seven
    begins[0] = 0;
    bool lastEnded = false;  // by a TAB
    const auto takeTab = [&](size_t i) {
        ends[count - 1] = i;
        if (count == kPm01bs01Fields)
            lastEnded = true;
        else
            begins[count++] = i + 1;
    };
    size_t i = 0;
    // Eight bytes at a time, the TABs among them taken in order.
    for (; i + sizeof(uint64_t) <= data.size() && !lastEnded; i += sizeof(uint64_t)) {
        for (uint64_t tabs = TabBytes(data.data() + i); tabs != 0 && !lastEnded; tabs &= tabs - 1)
            takeTab(i + LowestMarkedByte(tabs));
    }
    for (; i < data.size() && !lastEnded; ++i) {
        if (data[i] == '\t')
            takeTab(i);
    }
    if (!lastEnded)
        ends[count - 1] = data.size();
    const auto field = [&](int i) { return data.substr(begins[i], ends[i] - begins[i]); };
    if (count < kPm01bs01MinFields) {
        m_run.AddLine(line);  // no data line: kept as it was
        return;
    }
    const std::string_view value = field(0);
    const std::string_view station = field(4);
    const std::string_view width = field(5);
    const std::string_view comment = Trimmed(field(6));

    // Value mm to 0.1 mm, station km to 0.1 m, width m to cm. The file viewer
    // shows the four fields as the file has them; the line is made from the
    // point where it prints them alike.
    MESSUNG point;
    unsigned differing = 0;
    point.value = ScaledField(
        value, 1, 2, [](double mm) { return RoundHalfAway(mm * 10.0); }, PrintsAsViewerValue, FieldPatch::kValue,
        differing);
    point.station = ScaledField(
        station, 4, 4, [](double km) { return RoundHalfAway((km * 1000.0) * 10.0); }, PrintsAsViewerStation,
        FieldPatch::kStation, differing);
    point.width = ScaledField(
        width, 2, 2, [](double m) { return RoundHalfAway(m * 100.0); }, PrintsAsViewerWidth, FieldPatch::kWidth,
        differing);
    if (!comment.empty())
        point.SetComment(comment);
    if (comment != point.comment)
        differing |= FieldPatch::kComment;
    m_run.AddTabbedPoint(point, {value, station, width, comment}, differing);
    ++m_points;
}

bool Pm01bs01Reader::Finish()
{
    if (m_isPm01bs01 && m_points > 0) {
        std::string headerText;
        for (const std::string& entry : m_header) {
            headerText += entry;
            headerText += kFieldSeparator;
        }
        m_run.Accept(0, headerText);
        return true;
    }
    // Without a data line nothing was rewritten: the other readers get the lines as split.
    if (m_isPm01bs01)
        m_run.GiveBackTextLines();
    return false;
}

bool CMessFahrtDaten::ReadDatedColumnTable()
{
    Writer writer(*this);
    return DatedColumnTableReader(writer).Finish();
}

bool DatedColumnTableReader::Finish()
{
    const LineStore& lines = Lines();
    if (lines.size() < kMinColumnTableLines)
        return false;
    size_t dateLine = 0;
    while (dateLine < kDateLineCandidates && !Contains(lines[dateLine], kDateKey))
        ++dateLine;
    if (dateLine == kDateLineCandidates)
        return false;
    const std::optional<std::string> normalisedDate = NormalisedDateLine(lines[dateLine]);
    if (!normalisedDate)
        return false;

    // Header and column names stand between the date line and the first data line.
    ColumnLayout columns;
    std::vector<std::string> header;
    size_t firstData = dateLine;
    for (; firstData < lines.size(); ++firstData) {
        const std::string_view line = firstData == dateLine ? std::string_view(*normalisedDate) : lines[firstData];
        if (IsTableDataLine(line))
            break;
        if (IsColumnTableHeaderLine(line))
            header.push_back(ColumnTableHeaderEntry(line));
        TakeColumnNames(line, columns);
    }
    if (firstData == lines.size())
        return false;

    const PointStore& points = m_run.Points();
    const size_t firstNewPoint = points.size();
    double previousStation = kNoStationYet;
    for (size_t k = firstData; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        const int fields = CountFields(line, ';');
        if (fields < 2)
            continue;
        const double station = ParseNumber(GetField(line, ';', 0));
        if (station == previousStation) {
            // A repeated station carries the comment of the point before it.
            if (points.size() > firstNewPoint) {
                MESSUNG last = points.back();
                last.comment = Trim(GetField(line, ';', 1));
                last.hasComment = true;
                m_run.SetPoint(points.size() - 1, last);
            }
            continue;
        }
        if (fields < kMinColumnTableFields)
            continue;
        MESSUNG point;
        point.SetValueMm(ParseNumber(GetField(line, ';', columns.value)));
        point.station = RoundHalfAway(station * 10.0);
        point.width = RoundHalfAway(ParseNumber(GetField(line, ';', columns.width)) * 100.0);
        point.speed = FiniteOrZero(ParseNumber(GetField(line, ';', columns.speed)));
        point.limit = columns.limit >= 0 ? RoundHalfAway(ParseNumber(GetField(line, ';', columns.limit)) * 10.0) : 0;
        if (columns.comment >= 0)
            point.SetComment(GetField(line, ';', columns.comment));
        m_run.AddPoint(point);
        previousStation = station;
    }
    if (points.size() == firstNewPoint)
        return false;

    // The date line is rewritten only now, so that a refused file reaches the next reader unchanged.
    m_run.SetTextLine(dateLine, *normalisedDate);
    std::string headerText;
    for (const std::string& entry : header) {
        headerText += entry;
        headerText += kFieldSeparator;
    }
    m_run.Accept(0, headerText);
    return true;
}

}  // namespace kurvex
