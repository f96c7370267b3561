// The older table formats: 6 (road and start kilometre), 5 (limit value table
// with a .PGC comment file beside it), 7 and 3 (dated ";" tables with five and
// four fields) and 4 (PLANOGRAPH data set table).

#include <cmath>
#include <istream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileAccess.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "measurement/MessFahrtDaten.h"
#include "measurement/RunReading.h"

namespace kurvex {

namespace {

constexpr std::string_view kRoadKey = "Strasse:";
constexpr std::string_view kStartKmKey = "Start-Km:";
constexpr std::string_view kLimitKey = "Grenzwert";
constexpr std::string_view kLimitPattern = "Grenzwert %lf";
constexpr std::string_view kDateTimePattern = "%2d.%2d.%4d %2d:%2d:%2d";
constexpr std::string_view kColumnHeadOfTable7 = "Position;Abweichung;Breite";
constexpr std::string_view kPlanographTag = "PLANOGRAPH: Me\xDF" "datens\xE4tze;";
constexpr std::string_view kPlanographPointPattern = "%lf;%lf;";
constexpr std::string_view kPlanographLimitPattern = "Grenzwert [mm]:;%lf;";

constexpr std::string_view kCommentFileExtension = ".PGC";
constexpr std::string_view kCommentFileExtensionLower = ".pgc";
constexpr std::string_view kCommentTableOpen = "table";
constexpr std::string_view kCommentTableClose = "/table";
constexpr int kMinCommentFields = 5;
// A comment file line longer than this is cut; the file may be anything, even binary.
constexpr size_t kMaxCommentFileLine = 4096;

std::string CommasToPoints(std::string_view line)
{
    std::string copy(line);
    ReplaceChar(copy, ',', '.');
    return copy;
}

int32_t KilometresToStation(double km)
{
    return RoundHalfAway(km * 10000.0);
}

// ---- Format 5 comment file ----------------------------------------------------

// Calls take(line) for every line of a text file split at CR and LF, each line
// cut to a bounded length.
template <typename Take>
void ForEachBoundedLine(std::istream& file, Take take)
{
    std::string line;
    bool lineOpen = false;
    char buffer[8192];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        const std::streamsize count = file.gcount();
        for (std::streamsize i = 0; i < count; ++i) {
            const char c = buffer[i];
            if (c == '\r' || c == '\n') {
                if (lineOpen)
                    take(line);
                line.clear();
                lineOpen = false;
                continue;
            }
            lineOpen = true;
            if (line.size() < kMaxCommentFileLine)
                line += c;
        }
    }
    if (lineOpen)
        take(line);
}

// Collects comments by station from the "table" ... "/table" blocks of a comment
// file: the station in km in the first TAB field, the comment in the last of at
// least five. A later line for the same station replaces the earlier text.
class CommentTableCollector {
public:
    void Take(const std::string& line)
    {
        if (line == kCommentTableOpen) {
            m_inTable = true;
            return;
        }
        if (line == kCommentTableClose) {
            m_inTable = false;
            return;
        }
        if (!m_inTable)
            return;
        const int fields = CountFields(line, '\t');
        if (fields < kMinCommentFields)
            return;
        std::string comment = Trim(GetField(line, '\t', fields - 1));
        if (!comment.empty())
            m_comments[KilometresToStation(ToDouble(GetField(line, '\t', 0)))] = std::move(comment);
    }
    std::map<int32_t, std::string> TakeComments() { return std::move(m_comments); }

private:
    bool m_inTable = false;
    std::map<int32_t, std::string> m_comments;
};

// The comment file lies beside the measurement file with its extension replaced
// by ".PGC". Files copied from Windows often carry the extension in lower case.
// A missing or unreadable file simply yields no comments.
std::map<int32_t, std::string> ReadCommentFile(const std::string& measurementPath)
{
    if (measurementPath.size() < kCommentFileExtension.size())
        return {};
    const std::string stem = measurementPath.substr(0, measurementPath.size() - kCommentFileExtension.size());
    // A device or a pipe of that name is no comment file (/dev/zero never ends);
    // a name in another case counts when it is the only one.
    const FoundFile found = FindFile({stem + std::string(kCommentFileExtension), stem + std::string(kCommentFileExtensionLower)});
    const std::unique_ptr<std::istream> file = found.path.empty() ? nullptr : OpenRegularFile(found.path);
    if (!file)
        return {};
    CommentTableCollector collector;
    ForEachBoundedLine(*file, [&collector](const std::string& line) { collector.Take(line); });
    return collector.TakeComments();
}

// ---- Formats 7 and 3 ------------------------------------------------------------

// Where the two dated tables differ.
struct DatedTableLayout {
    int fields;            // exact number of ";" fields of a data line
    int widthField;        // -1: no width
    int flagField;         // "1": the point has a comment
    size_t headerLines;    // lines below this index that are not data may be header entries
    bool skipColumnHead;   // the "Position;Abweichung;Breite" line is no header entry
};

constexpr DatedTableLayout kDatedTable5Layout = {5, 2, 3, 7, true};
constexpr DatedTableLayout kDatedTable4Layout = {4, -1, 2, 6, false};

std::string JoinedHeaderEntries(const std::vector<std::string>& entries)
{
    std::string text;
    for (const std::string& entry : entries) {
        const std::string trimmed = Trim(entry);
        if (!trimmed.empty()) {
            text += trimmed;
            text += ", ";
        }
    }
    return text;
}

void RemoveTrailingCommasAndBlanks(std::string& text)
{
    while (!text.empty() && (text.back() == ',' || text.back() == ' '))
        text.pop_back();
}

}  // namespace

bool CMessFahrtDaten::ReadRoadTable()
{
    Writer writer(*this);
    return RoadTableReader(writer).Finish();
}

bool RoadTableReader::Finish()
{
    const LineStore& lines = Lines();
    if (lines.size() < 2 || !StartsWith(lines[0], kRoadKey) || !StartsWith(lines[1], kStartKmKey))
        return false;

    std::vector<MESSUNG> points;
    double v[2];
    for (size_t k = 2; k < lines.size(); ++k) {
        if (ScanValues(CommasToPoints(lines[k]), "%lf%lf", v, 2) != 2)
            continue;
        MESSUNG point;
        point.station = KilometresToStation(v[0]);
        point.SetValueMm(v[1]);
        point.width = 0;
        points.push_back(std::move(point));
    }
    if (points.empty())
        return false;

    // Road name and start kilometre are taken only from a file that is accepted,
    // so that a refused attempt leaves nothing behind for another format.
    m_run.SetRoad(TrimLeft(ReplacedAll(std::string(lines[0]), kRoadKey, "")),
                  TrimLeft(ReplacedAll(std::string(lines[1]), kStartKmKey, "")));
    for (const MESSUNG& point : points)
        m_run.AddPoint(point);
    m_run.Accept(0, {});
    return true;
}

bool CMessFahrtDaten::ReadLimitValueTable()
{
    Writer writer(*this);
    return LimitValueTableReader(writer).Finish();
}

bool LimitValueTableReader::Finish()
{
    const LineStore& lines = Lines();
    if (lines.empty() || !StartsWith(lines[0], kLimitKey))
        return false;
    int32_t runLimit = 0;
    double limitMm = 0.0;
    if (ScanValues(lines[0], kLimitPattern, &limitMm, 1) == 1)
        runLimit = ClampToInt32(limitMm * 10.0);

    const PointStore& points = m_run.Points();
    const size_t firstNewPoint = points.size();
    // Line 1 holds the column names.
    for (size_t k = 2; k < lines.size(); ++k) {
        double v[4] = {0.0, 0.0, -1.0, -1.0};
        if (ScanValues(lines[k], "%lf%lf%lf%lf", v, 4) < 2)
            continue;
        MESSUNG point;
        point.station = KilometresToStation(v[0]);
        point.SetValueMm(v[1]);
        point.width = 0;
        // A speed too large to be read counts as 0 rather than as an endless number.
        point.speed = std::isfinite(v[2]) ? v[2] : 0.0;
        point.limit = v[3] >= 0.0 ? ClampToInt32(v[3] * 10.0) : runLimit;
        m_run.AddPoint(point);
    }
    if (points.size() == firstNewPoint)
        return false;

    const std::map<int32_t, std::string> comments = ReadCommentFile(m_run.FilePath());
    if (!comments.empty()) {
        for (size_t i = firstNewPoint; i < points.size(); ++i) {
            const auto found = comments.find(points.Station(i));
            if (found == comments.end())
                continue;
            MESSUNG point = points[i];
            point.SetComment(found->second);
            m_run.SetPoint(i, point);
        }
    }
    m_run.Accept(runLimit, {});
    return true;
}

namespace {

// Points and header text of a dated table (formats 7 and 3): the header entries,
// the date line first, joined by ", ".
bool ReadDatedTable(const LineStore& lines, const DatedTableLayout& layout, std::vector<MESSUNG>& points,
                    std::string& headerText)
{
    double date[6];
    if (lines.empty() || ScanValues(lines[0], kDateTimePattern, date, 6) != 6)
        return false;
    std::vector<std::string> header;
    header.emplace_back(lines[0]);
    for (size_t k = 1; k < lines.size(); ++k) {
        const std::string_view line = lines[k];
        // Numbers may have a decimal comma; the comment and header text keep theirs.
        const std::string numbers = CommasToPoints(line);
        if (CountFields(numbers, ';') == layout.fields) {
            MESSUNG point;
            point.station = RoundHalfAway(ToDouble(GetField(numbers, ';', 0)) * 10.0);
            point.SetValueMm(ToDouble(GetField(numbers, ';', 1)));
            point.width =
                layout.widthField >= 0 ? RoundHalfAway(ToDouble(GetField(numbers, ';', layout.widthField)) * 100.0) : 0;
            point.hasComment = GetField(numbers, ';', layout.flagField) == "1";
            point.comment = GetField(line, ';', layout.fields - 1);
            points.push_back(std::move(point));
        } else if (k < layout.headerLines && !(layout.skipColumnHead && Contains(line, kColumnHeadOfTable7))) {
            header.emplace_back(line);
        }
    }
    headerText = JoinedHeaderEntries(header);
    RemoveTrailingCommasAndBlanks(headerText);
    return !points.empty();
}

// A dated table that was read: its points and header text.
bool AcceptDatedTable(RunWriter& run, const std::vector<MESSUNG>& points, const std::string& headerText)
{
    for (const MESSUNG& point : points)
        run.AddPoint(point);
    run.Accept(0, headerText);
    return true;
}

}  // namespace

bool CMessFahrtDaten::ReadDatedTable5()
{
    Writer writer(*this);
    return DatedTable5Reader(writer).Finish();
}

bool DatedTable5Reader::Finish()
{
    std::vector<MESSUNG> points;
    std::string header;
    return ReadDatedTable(Lines(), kDatedTable5Layout, points, header) && AcceptDatedTable(m_run, points, header);
}

bool CMessFahrtDaten::ReadDatedTable4()
{
    Writer writer(*this);
    return DatedTable4Reader(writer).Finish();
}

bool DatedTable4Reader::Finish()
{
    std::vector<MESSUNG> points;
    std::string header;
    return ReadDatedTable(Lines(), kDatedTable4Layout, points, header) && AcceptDatedTable(m_run, points, header);
}

bool CMessFahrtDaten::ReadPlanographTable()
{
    Writer writer(*this);
    return PlanographTableReader(writer).Finish();
}

bool PlanographTableReader::Finish()
{
    const LineStore& lines = Lines();
    if (lines.empty() || !StartsWith(lines[0], kPlanographTag))
        return false;
    int32_t runLimit = 0;
    const PointStore& points = m_run.Points();
    const size_t firstNewPoint = points.size();
    double v[2];
    // The tag line itself may already hold a point.
    for (size_t k = 0; k < lines.size(); ++k) {
        const std::string line = CommasToPoints(lines[k]);
        if (ScanValues(line, kPlanographPointPattern, v, 2) == 2) {
            MESSUNG point;
            point.station = KilometresToStation(v[0]);
            point.SetValueMm(v[1]);
            point.width = 0;
            m_run.AddPoint(point);
        } else if (ScanValues(line, kPlanographLimitPattern, v, 1) == 1) {
            runLimit = ClampToInt32(v[0] * 10.0);
        }
    }
    if (points.size() == firstNewPoint)
        return false;
    m_run.Accept(runLimit, {});
    return true;
}

}  // namespace kurvex
