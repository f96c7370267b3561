#pragma once
// How the readers of the formats fill a run. Every reader writes the run through
// one narrow interface, CMessFahrtDaten::Writer: points, lines, the header and
// in the end its answer, accept or refuse. The readers of PM01BS02, IMEXPORT001
// and PM01BS01 take the file line by line while it is being split, so that a
// large file is never held whole; the readers of the other text formats look at
// the lines the split kept. Internal to the measurement run.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/LineStore.h"
#include "common/Message.h"
#include "measurement/DeviceHeader.h"
#include "measurement/MessFahrtDaten.h"

namespace kurvex {

// The numbers of a device or exchange record as the file has them: the export
// line prints them with six decimals.
struct FileNumbers {
    double valueMm;
    double stationKm;
    double widthM;
};

class CMessFahrtDaten::Writer {
public:
    explicit Writer(CMessFahrtDaten& run) : m_run(run) {}

    // --- Points ------------------------------------------------------------------
    void ReservePoints(size_t count) { m_run.m_points.reserve(count); }
    const PointStore& Points() const { return m_run.m_points; }
    // A point without a line of its own (the table formats keep their lines as text).
    void AddPoint(const MESSUNG& point) { m_run.m_points.push_back(point); }
    void SetPoint(size_t i, const MESSUNG& point) { m_run.m_points.Set(i, point); }
    // A device or exchange record: its viewer line ("%.2f %.4f %.2f %s") and its
    // export line are made from the point, the export line with the numbers and
    // the comment as the file has them.
    void AddRecordPoint(const MESSUNG& point, const FileNumbers& numbers, std::string_view comment);
    // A PM01BS01 data line: its viewer line joins the value, station, width and
    // comment fields as the file writes them (in this order). differing: the
    // FieldPatch bits of the fields the point does not print alike.
    void AddTabbedPoint(const MESSUNG& point, const std::string_view (&fields)[FieldPatch::kFields],
                        unsigned differing);

    // --- Lines ---------------------------------------------------------------------
    // A viewer line kept as it is.
    void AddLine(std::string_view text) { m_run.m_lines.AddText(text); }
    void AddExportLine(std::string_view text) { m_run.m_exportLines.AddText(text); }
    // The lines of a text file as split, while no reader has taken them over.
    const LineStore& TextLines() const { return m_run.m_textLines; }
    void KeepTextLine(std::string_view line) { m_run.m_textLines.push_back(line); }
    void SetTextLine(size_t k, std::string_view text) { m_run.m_textLines.Set(k, text); }
    // The text lines so far become the run's viewer lines (a PM01BS01 header);
    // with no record among them they can be given back.
    void TakeOverTextLines();
    void GiveBackTextLines();

    // --- What else the file tells -----------------------------------------------------
    const std::string& FilePath() const { return m_run.m_filePath; }
    void SetRoad(std::string roadName, std::string startKm);
    void SetListingFields(std::array<std::string, 7> fields) { m_run.m_listingFields = std::move(fields); }
    void AddMessage(UserMessage message) { m_run.m_readMessages.push_back(std::move(message)); }
    // A device file that ends without its closing marker.
    void MarkIncomplete() { m_run.m_incomplete = true; }

    // --- The answer -------------------------------------------------------------------
    // The reader accepts the file: the run's limit and the header text it read.
    // Most readers select the whole run; the PM01BS02 reader leaves the range to
    // the adjustments after loading.
    enum class Range { WholeRun, AsItWas };
    void Accept(int32_t limit, std::string_view headerText, Range range = Range::WholeRun);
    // The reader refuses after it has added points: they are dropped again, and
    // so are the export lines. Lines already made records still show their points.
    void Refuse();

private:
    // The patch of a line longer than any the text split gives.
    void AddLongPatch(size_t index, const std::string_view (&fields)[FieldPatch::kFields], unsigned differing);

    CMessFahrtDaten& m_run;
};

using RunWriter = CMessFahrtDaten::Writer;

// A reader of one format. The readers of PM01BS02, IMEXPORT001 and PM01BS01 are
// given every line of the split as it comes (TakeLine, with the CR LF of the
// device and exchange formats); the readers of the other text formats take
// none and read the lines the split kept. Finish tells whether the reader
// accepts the file; a reader that refuses leaves no points behind.
class FormatReader {
public:
    virtual ~FormatReader() = default;
    virtual void TakeLine(std::string_view line) = 0;
    virtual bool Finish() = 0;
};

// Header lines "key|value", a "***" line, one binary record per point, a closing "***".
class Pm01bs02Reader : public FormatReader {
public:
    // fileBytes: the length of the file, if known, to reserve room for its points.
    Pm01bs02Reader(RunWriter& run, size_t fileBytes);
    void TakeLine(std::string_view line) override;
    bool Finish() override;

private:
    void TakeRecord(std::string_view line);

    RunWriter& m_run;
    DeviceHeader m_header;
    bool m_firstMarkerSeen = false;
    bool m_closingMarkerSeen = false;
    size_t m_records = 0;
};

// The first line names the field separator; header lines, "***", one text line per point, "***".
class ImExport001Reader : public FormatReader {
public:
    ImExport001Reader(RunWriter& run, size_t fileBytes);
    void TakeLine(std::string_view line) override;
    bool Finish() override;

private:
    void TakePointLine(std::string_view line);

    RunWriter& m_run;
    size_t m_fileBytes;
    DeviceHeader m_header;
    std::string m_separator;
    size_t m_lineNumber = 0;
    bool m_noSeparator = false;
    int m_markers = 0;
    size_t m_points = 0;
};

// The text formats: every line of the split comes here. A PM01BS01 file (a
// fixed header of seven lines, then TAB-separated data lines) is read as its
// lines come; the lines of any other text file are kept for the readers of
// the table formats. Finish: whether the file is PM01BS01; if not, the text
// lines hold every line as it was split.
class Pm01bs01Reader : public FormatReader {
public:
    Pm01bs01Reader(RunWriter& run, size_t fileBytes);
    void TakeLine(std::string_view line) override;
    bool Finish() override;

private:
    void TakeDataLine(std::string_view line);

    RunWriter& m_run;
    size_t m_fileBytes;
    size_t m_lineNumber = 0;
    bool m_isPm01bs01 = false;
    std::vector<std::string> m_header;
    size_t m_points = 0;
};

// The readers of the table formats: each reads the kept text lines at Finish.
class TextTableReader : public FormatReader {
public:
    explicit TextTableReader(RunWriter& run) : m_run(run) {}
    void TakeLine(std::string_view) override {}

protected:
    const LineStore& Lines() const { return m_run.TextLines(); }
    RunWriter& m_run;
};

class RoadTableReader : public TextTableReader {  // format 6
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

class LimitValueTableReader : public TextTableReader {  // format 5
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

class DatedTable5Reader : public TextTableReader {  // format 7
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

class DatedTable4Reader : public TextTableReader {  // format 3
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

class PlanographTableReader : public TextTableReader {  // format 4
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

class DatedColumnTableReader : public TextTableReader {  // format 1003
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

class ListingReader : public TextTableReader {  // format 1, the last resort
public:
    using TextTableReader::TextTableReader;
    bool Finish() override;
};

}  // namespace kurvex
