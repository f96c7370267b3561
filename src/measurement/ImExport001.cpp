// The exchange format IMEXPORT001: its reader and the writer of the export text.

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/DeviceHeader.h"
#include "measurement/ExportLine.h"
#include "measurement/ExportText.h"
#include "measurement/MessFahrtDaten.h"

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

double ExchangeNumber(std::string_view field)
{
    return ToDouble(CommaToPoint(field));
}

}  // namespace

bool CMessFahrtDaten::ReadImExport001()
{
    if (m_lines.empty())
        return false;
    const std::string separator = SeparatorOfFirstLine(m_lines[0]);
    if (separator.empty())
        return false;

    DeviceHeader header;
    int markers = 0;
    size_t points = 0;
    std::string text;
    for (size_t k = 0; k < m_lines.size(); ++k) {
        const std::string_view line = m_lines[k];
        if (StartsWith(line, "***")) {
            m_exportLines.push_back("***");
            m_lines.Set(k, TrimRight(line));
            if (++markers == 2)
                break;
            continue;
        }
        if (markers == 0) {
            const std::string trimmed = Trim(line);
            // The export of a PM01BS02 run writes its header as key, separator, value.
            if (k > 0 && !header.Take(trimmed))
                header.TakeWithSeparator(trimmed, separator);
            m_lines.Set(k, trimmed);
            m_exportLines.push_back(trimmed);
            continue;
        }
        // A blank line is no point (it would read as 0 mm at station 0).
        if (Trim(line).empty())
            continue;

        // Only the first three separators divide fields: a comment may hold the separator.
        std::string_view rest = line;
        std::string_view fields[3];
        for (auto& field : fields) {
            const auto pos = rest.find(separator);
            if (pos == std::string_view::npos) {
                field = rest;
                rest = std::string_view();
            } else {
                field = rest.substr(0, pos);
                rest = rest.substr(pos + separator.size());
            }
        }
        const double valueMm = ExchangeNumber(fields[0]);
        const double stationKm = ExchangeNumber(fields[1]);
        const double widthM = ExchangeNumber(fields[2]);

        // The comment goes into the export line as it stands, so that a file exported
        // again is the same; the point gets it with its UTF-8 umlauts repaired, as
        // every other reader does, since exports of device files carry UTF-8 comments.
        const std::string comment = TrimRight(rest);
        MESSUNG point;
        point.comment = RepairUmlauts(comment);
        point.hasComment = !comment.empty();
        point.SetValueMm(valueMm);
        point.station = RoundHalfAway(stationKm * 10000.0);
        point.width = RoundHalfAway(widthM * 100.0);

        text.clear();
        AppendExportLine(text, valueMm, stationKm, widthM, comment);
        m_exportLines.push_back(text);
        text.clear();
        AppendViewerLine(text, point);
        m_lines.Set(k, text);
        m_points.push_back(std::move(point));
        ++points;
    }

    // A file without its closing marker may have been cut off: it is refused.
    if (points == 0 || markers < 2) {
        RefuseKeepingNothing();
        m_exportLines.clear();
        return false;
    }
    ResetRange();
    m_limit = 0;
    m_headerText += header.HeaderText();
    return true;
}

std::string CMessFahrtDaten::BuildExportText(bool decimalComma, const std::string& separator) const
{
    std::string text(kExchangeMagic);
    text += ReplacedAll(separator, "\t", kTabWord);
    text += "\r\n";
    const std::string_view decimal = decimalComma ? "," : ".";
    // The first export line is the source's own first line; the header above replaces it.
    for (size_t k = 1; k < m_exportLines.size(); ++k) {
        std::string line(m_exportLines[k]);
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
