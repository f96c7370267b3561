// The current device format: text header lines, a "***" marker, then one binary
// record per point (five little-endian doubles and a comment), a closing "***".

#include <cstdint>
#include <cstring>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/ExportLine.h"
#include "measurement/RunReading.h"

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
    return line.size() < kShortestRecordLine && line.substr(0, 3) == "***";
}

std::string_view WithoutTrailingWhiteSpace(std::string_view text)
{
    while (!text.empty() && IsWhiteSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

Pm01bs02Reader::Pm01bs02Reader(RunWriter& run, size_t fileBytes) : m_run(run)
{
    // Room for as many points as the file can hold: pages that are never used cost nothing.
    m_run.ReservePoints(fileBytes / kShortestRecordLine + 1);
}

void Pm01bs02Reader::TakeLine(std::string_view line)
{
    // Lines after the closing marker stay as they are.
    if (m_closingMarkerSeen) {
        m_run.AddLine(line);
        return;
    }
    if (IsMarkerLine(line)) {
        m_run.AddExportLine("***");
        m_run.AddLine(WithoutTrailingWhiteSpace(line));
        if (m_firstMarkerSeen)
            m_closingMarkerSeen = true;
        m_firstMarkerSeen = true;
        return;
    }
    if (!m_firstMarkerSeen) {
        const std::string trimmed = Trim(line);
        m_header.Take(trimmed);
        m_run.AddLine(trimmed);
        m_run.AddExportLine(ReplacedAll(trimmed, "|", kExportSeparatorPlaceholder));
        return;
    }
    if (line.size() < kRecordBytes) {
        m_run.AddLine(line);
        return;
    }
    TakeRecord(line);
}

void Pm01bs02Reader::TakeRecord(std::string_view line)
{
    const double valueMm = ReadLittleEndianDouble(line.data());
    const double stationKm = ReadLittleEndianDouble(line.data() + 16);
    const double widthM = ReadLittleEndianDouble(line.data() + 24);
    std::string_view comment = line.substr(kRecordBytes);
    // The comment is text: a zero byte ends it.
    comment = WithoutTrailingWhiteSpace(comment.substr(0, comment.find('\0')));

    MESSUNG point;
    point.SetValueMm(valueMm);
    point.station = RoundHalfAway(stationKm * 10000.0);
    point.width = RoundHalfAway(widthM * 100.0);
    point.SetComment(comment);

    m_run.AddRecordPoint(point, FileNumbers{valueMm, stationKm, widthM}, comment);
    ++m_records;
}

bool Pm01bs02Reader::Finish()
{
    if (m_records == 0) {
        m_run.Refuse();
        return false;
    }
    if (!m_closingMarkerSeen)
        m_run.MarkIncomplete();
    m_run.Accept(0, m_header.HeaderText(), RunWriter::Range::AsItWas);
    return true;
}

}  // namespace kurvex
