// The exchange format IMEXPORT001: its reader and the writer of the export text.

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/DeviceHeader.h"
#include "measurement/ExportLine.h"
#include "measurement/ExportText.h"
#include "measurement/FieldNumbers.h"
#include "measurement/MessFahrtDaten.h"
#include "measurement/RunReading.h"

namespace kurvex {

namespace {

constexpr std::string_view kExchangeMagic = "IMEXPORT001 FELDTRENNER=";
constexpr std::string_view kSeparatorKey = "FELDTRENNER=";
constexpr std::string_view kTabWord = "TABULATOR";

std::string SeparatorOfFirstLine(std::string_view line)
{
    const int key = Find(line, kSeparatorKey);
    if (key < 0)
        return {};
    std::string_view rest = line.substr(key + kSeparatorKey.size());
    const auto end = rest.find("\r\n");
    if (end != std::string_view::npos)
        rest = rest.substr(0, end);
    else if (!rest.empty() && rest.back() == '\n')
        rest.remove_suffix(1);
    if (rest == kTabWord)
        return "\t";
    return std::string(rest);
}

// IsWhiteSpace, here where it is inlined into the reading of every line.
bool IsBlankByte(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view WithoutTrailingWhiteSpace(std::string_view text)
{
    while (!text.empty() && IsBlankByte(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsBlank(std::string_view text)
{
    for (const char c : text) {
        if (!IsBlankByte(c))
            return false;
    }
    return true;
}

bool IsMarkerLine(std::string_view line)
{
    return line.size() >= 3 && line[0] == '*' && line[1] == '*' && line[2] == '*';
}

// The first `separator` in text: fields of a few bytes, too short to be worth
// a call of memchr.
size_t FindByte(std::string_view text, char separator)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == separator)
            return i;
    }
    return std::string_view::npos;
}

// A point line has some thirty bytes; fewer points than this never fit the file.
constexpr size_t kShortPointLine = 16;

}  // namespace

ImExport001Reader::ImExport001Reader(RunWriter& run, size_t fileBytes) : m_run(run), m_fileBytes(fileBytes) {}

void ImExport001Reader::TakeLine(std::string_view line)
{
    const size_t k = m_lineNumber++;
    if (k == 0) {
        m_separator = SeparatorOfFirstLine(line);
        m_noSeparator = m_separator.empty();
        if (!m_noSeparator)
            m_run.ReservePoints(m_fileBytes / kShortPointLine + 1);
    }
    // Without a separator nothing is read; after the closing marker nothing more.
    if (m_noSeparator || m_markers == 2) {
        m_run.AddLine(line);
        return;
    }
    if (IsMarkerLine(line)) {
        m_run.AddExportLine("***");
        m_run.AddLine(WithoutTrailingWhiteSpace(line));
        ++m_markers;
        return;
    }
    if (m_markers == 0) {
        const std::string trimmed = Trim(line);
        // The export of a PM01BS02 run writes its header as key, separator, value.
        if (k > 0 && !m_header.Take(trimmed))
            m_header.TakeWithSeparator(trimmed, m_separator);
        m_run.AddLine(trimmed);
        m_run.AddExportLine(trimmed);
        return;
    }
    // A blank line is no point (it would read as 0 mm at station 0).
    if (IsBlank(line)) {
        m_run.AddLine(line);
        return;
    }
    TakePointLine(line);
}

void ImExport001Reader::TakePointLine(std::string_view line)
{
    // Only the first three separators divide fields: a comment may hold the separator.
    std::string_view rest = line;
    std::string_view fields[3];
    for (auto& field : fields) {
        const auto pos = m_separator.size() == 1 ? FindByte(rest, m_separator[0]) : rest.find(m_separator);
        if (pos == std::string_view::npos) {
            field = rest;
            rest = std::string_view();
        } else {
            field = rest.substr(0, pos);
            rest = rest.substr(pos + m_separator.size());
        }
    }
    const double valueMm = ReadExchangeNumber(fields[0]);
    const double stationKm = ReadExchangeNumber(fields[1]);
    const double widthM = ReadExchangeNumber(fields[2]);

    // The comment goes into the export line as it stands, so that a file exported
    // again is the same; the point gets it with its UTF-8 umlauts repaired, as
    // every other reader does, since exports of device files carry UTF-8 comments.
    const std::string_view comment = WithoutTrailingWhiteSpace(rest);
    MESSUNG point;
    if (!comment.empty())
        point.comment = RepairUmlauts(comment);
    point.hasComment = !comment.empty();
    point.SetValueMm(valueMm);
    point.station = RoundHalfAway(stationKm * 10000.0);
    point.width = RoundHalfAway(widthM * 100.0);

    m_run.AddRecordPoint(point, FileNumbers{valueMm, stationKm, widthM}, comment);
    ++m_points;
}

bool ImExport001Reader::Finish()
{
    if (m_lineNumber == 0 || m_noSeparator)
        return false;
    // A file without its closing marker may have been cut off: it is refused.
    if (m_points == 0 || m_markers < 2) {
        m_run.Refuse();
        return false;
    }
    m_run.Accept(0, m_header.HeaderText());
    return true;
}

std::string CMessFahrtDaten::BuildExportText(bool decimalComma, const std::string& separator) const
{
    std::string text(kExchangeMagic);
    // A point's line has some 40 bytes: room for them all at once, so the text is not copied as it grows.
    text.reserve(m_exportLines.size() * (40 + 3 * separator.size()));
    text += ReplacedAll(separator, "\t", kTabWord);
    text += "\r\n";
    const std::string_view decimal = decimalComma ? "," : ".";
    // The first export line is the source's own first line; the header above replaces it.
    std::string line;
    for (size_t k = 1; k < m_exportLines.size(); ++k) {
        line.clear();
        AppendExportLine(line, k);
        Replace(line, kExportDecimalPlaceholder, decimal);
        Replace(line, kExportSeparatorPlaceholder, separator);
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string NormalizeOtherSeparator(const std::string& typed)
{
    return Trim(typed);
}

std::string CheckExportSeparator(bool decimalComma, const std::string& separator)
{
    if (separator.empty())
        return kMsgSeparatorMissing;
    if ((decimalComma && separator == ",") || (!decimalComma && separator == "."))
        return kMsgSeparatorIsDecimal;
    return {};
}

std::string ProposedExportFileName(const std::string& documentPath)
{
    const auto slash = documentPath.find_last_of("/\\");
    std::string name = slash == std::string::npos ? documentPath : documentPath.substr(slash + 1);
    const int pbs = ReverseFindNoCase(name, ".pbs");
    if (pbs >= 0 && static_cast<size_t>(pbs) + 4 == name.size())
        name.replace(static_cast<size_t>(pbs), 4, ".exp");
    return name;
}

}  // namespace kurvex
