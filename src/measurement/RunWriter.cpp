// The one way the readers write a run (RunReading.h).

#include "measurement/RunReading.h"

#include <cstring>

namespace kurvex {

namespace {

constexpr size_t kMaxPatchBytes = 2048 + FieldPatch::kFields;

}  // namespace

void CMessFahrtDaten::Writer::AddRecordPoint(const MESSUNG& point, const FileNumbers& numbers, std::string_view comment)
{
    const size_t index = m_run.m_points.size();
    m_run.m_exportDetails.Add(index, numbers.valueMm, numbers.stationKm, numbers.widthM, comment, point);
    m_run.m_exportLines.AddRecord(index, RecordLineList::Record::Export);
    m_run.m_lines.AddRecord(index, RecordLineList::Record::Separated);
    m_run.m_points.push_back(point);
}

void CMessFahrtDaten::Writer::AddTabbedPoint(const MESSUNG& point,
                                             const std::string_view (&fields)[FieldPatch::kFields], unsigned differing)
{
    const size_t index = m_run.m_points.size();
    m_run.m_points.push_back(point);
    // The line is made from the point; only the fields it does not print as the file has them are kept.
    if (differing == 0) {
        m_run.m_lines.AddRecord(index, RecordLineList::Record::Tabbed);
        return;
    }
    // A data line holds at most 2047 bytes: its patch fits a buffer of that many and the mask byte.
    char patch[kMaxPatchBytes];
    size_t bytes = 1;
    patch[0] = static_cast<char>(differing);
    for (int i = 0; i < FieldPatch::kFields; ++i) {
        if ((differing & (1U << i)) == 0)
            continue;
        if (bytes + fields[i].size() + 1 > sizeof patch)
            return AddLongPatch(index, fields, differing);
        if (!fields[i].empty())
            std::memcpy(patch + bytes, fields[i].data(), fields[i].size());
        bytes += fields[i].size();
        patch[bytes++] = '\t';
    }
    m_run.m_lines.AddPatchedRecord(index, std::string_view(patch, bytes));
}

void CMessFahrtDaten::Writer::AddLongPatch(size_t index, const std::string_view (&fields)[FieldPatch::kFields],
                                           unsigned differing)
{
    std::string patch;
    FieldPatch::Append(patch, differing, fields);
    m_run.m_lines.AddPatchedRecord(index, patch);
}

void CMessFahrtDaten::Writer::TakeOverTextLines()
{
    m_run.m_lines.AssignTexts(std::move(m_run.m_textLines));
    m_run.m_textLines = LineStore();
}

void CMessFahrtDaten::Writer::GiveBackTextLines() { m_run.m_textLines = m_run.m_lines.TakeTexts(); }

void CMessFahrtDaten::Writer::SetRoad(std::string roadName, std::string startKm)
{
    m_run.m_roadName = std::move(roadName);
    m_run.m_startKm = std::move(startKm);
}

void CMessFahrtDaten::Writer::Accept(int32_t limit, std::string_view headerText, Range range)
{
    m_run.m_limit = limit;
    m_run.m_headerText += headerText;
    if (range == Range::WholeRun)
        m_run.ResetRange();
}

void CMessFahrtDaten::Writer::Refuse()
{
    // Lines already made records of the points still show them.
    if (!m_run.m_pointsAsRead && m_run.m_lines.HasRecords())
        m_run.m_pointsAsRead = std::move(m_run.m_points);
    m_run.m_points.clear();
    m_run.ResetWindow();
    m_run.m_exportLines.clear();
    m_run.m_exportDetails.clear();
}

}  // namespace kurvex
