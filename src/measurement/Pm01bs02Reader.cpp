// The current device format: text header lines, a "***" marker, then one binary
// record per point (five little-endian doubles and a comment), a closing "***".

#include <array>
#include <cstring>
#include <map>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/DeviceHeader.h"
#include "measurement/ExportLine.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

namespace {

constexpr size_t kRecordBytes = 40;
// A marker line is short; a record line holds at least its 40 bytes and CR LF.
// Without this check a record whose value happens to begin with the bytes "***"
// would be taken for the closing marker and end the run early.
constexpr size_t kShortestRecordLine = 42;

double ReadLittleEndianDouble(const char* bytes)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | static_cast<unsigned char>(bytes[i]);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

bool IsMarkerLine(std::string_view line)
{
    return StartsWith(line, "***") && line.size() < kShortestRecordLine;
}

}  // namespace

bool CMessFahrtDaten::ReadPm01bs02()
{
    DeviceHeader header;
    bool firstMarkerSeen = false;
    bool closingMarkerSeen = false;
    size_t records = 0;

    size_t firstMarker = 0;
    while (firstMarker < m_lines.size() && !IsMarkerLine(m_lines[firstMarker]))
        ++firstMarker;
    const size_t recordLines = m_lines.size() - firstMarker;
    m_exportLines.reserve(m_lines.size(), m_lines.size() + recordLines * 40);
    m_points.reserve(recordLines);
    std::string text;
    for (size_t k = 0; k < m_lines.size(); ++k) {
        const std::string_view line = m_lines[k];
        if (IsMarkerLine(line)) {
            m_exportLines.push_back("***");
            m_lines.Set(k, TrimRight(line));
            if (firstMarkerSeen) {
                closingMarkerSeen = true;
                break;
            }
            firstMarkerSeen = true;
            continue;
        }
        if (!firstMarkerSeen) {
            const std::string trimmed = Trim(line);
            header.Take(trimmed);
            m_lines.Set(k, trimmed);
            m_exportLines.push_back(ReplacedAll(trimmed, "|", kExportSeparatorPlaceholder));
            continue;
        }
        if (line.size() < kRecordBytes)
            continue;

        const double valueMm = ReadLittleEndianDouble(line.data());
        const double stationKm = ReadLittleEndianDouble(line.data() + 16);
        const double widthM = ReadLittleEndianDouble(line.data() + 24);
        std::string_view rawComment = line.substr(kRecordBytes);
        // The comment is text: a zero byte ends it.
        rawComment = rawComment.substr(0, rawComment.find('\0'));
        const std::string comment = TrimRight(rawComment);

        text.clear();
        AppendExportLine(text, valueMm, stationKm, widthM, comment);
        m_exportLines.push_back(text);

        MESSUNG point;
        point.SetValueMm(valueMm);
        point.station = RoundHalfAway(stationKm * 10000.0);
        point.width = RoundHalfAway(widthM * 100.0);
        point.SetComment(comment);
        text.clear();
        AppendViewerLine(text, point);
        m_lines.Set(k, text);
        m_points.push_back(std::move(point));
        ++records;
    }

    if (records == 0) {
        RefuseKeepingNothing();
        return false;
    }
    m_limit = 0;
    m_headerText += header.HeaderText();
    if (!closingMarkerSeen)
        m_incomplete = true;
    return true;
}

}  // namespace kurvex
