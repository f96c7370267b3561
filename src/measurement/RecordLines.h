#pragma once
// The line lists a run keeps of its file: the lines of the file viewer and the
// export lines. In a PM01BS02, IMEXPORT001 or PM01BS01 file nearly every line is
// the record of one point. Such a line is not kept as text: it is made from the
// point as read whenever it is asked for, with the same bytes the reader would
// have written. A run of a million points thus keeps its file's text in the
// points it holds anyway. All other lines (header, markers, lines no reader
// rewrote, lines whose numbers the point cannot give back) are kept as text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/LineStore.h"
#include "measurement/PointStore.h"

namespace kurvex {

class RecordLineList {
public:
    // How a record line reads.
    enum class Record {
        None,        // a text line
        Separated,   // "%.2f %.4f %.2f %s": value, station, width, comment
        Tabbed,      // the same with TABs: a PM01BS01 data line
        Export,      // the export line of the point
        // A PM01BS01 data line whose file writes some of its fields in another
        // form than the point prints them ("0.34" for a value of 0.3 mm, "3.5"
        // for a width of 3.50 m): those fields are kept as text (a FieldPatch)
        // and the rest is made from the point.
        TabbedPatched,
    };
    // Line k: a text, or the record of the point at index `point`; a patched
    // record has its patch in `text`.
    struct Line {
        Record record;
        std::string_view text;
        size_t point;
        bool IsRecord() const { return record != Record::None; }
    };

    size_t size() const { return m_count; }
    bool empty() const { return m_count == 0; }
    Line operator[](size_t k) const;
    bool HasRecords() const;

    void AddText(std::string_view text);
    // The next line is the record of point `point`; records of consecutive
    // points share one entry.
    void AddRecord(size_t point, Record record);
    // The next line is the record of point `point` with the fields of a patch.
    void AddPatchedRecord(size_t point, std::string_view patch);
    // Every line a text (the text formats).
    void AssignTexts(LineStore texts);
    // Takes the texts out of a list that holds no record; the list is then empty.
    LineStore TakeTexts();
    void clear();

    // The list as stretches of lines: `count` texts Text(first ...), or the
    // records of the points first ... first + count - 1; patched records have
    // their patches in Text(firstText ...).
    struct Stretch {
        size_t firstLine;
        size_t count;
        Record record;
        size_t first;
        size_t firstText = 0;
    };
    const std::vector<Stretch>& Stretches() const { return m_stretches; }
    std::string_view Text(size_t item) const { return m_texts[item]; }

private:
    LineStore m_texts;
    std::vector<Stretch> m_stretches;
    size_t m_count = 0;
};

// The fields of a PM01BS01 data line the point does not give back: a mask byte
// (which of value, station, width and comment follow) and those fields' texts,
// each ended by TAB. A field never holds a TAB, the line is split at them.
class FieldPatch {
public:
    enum Field : unsigned char { kValue = 1, kStation = 2, kWidth = 4, kComment = 8 };
    static constexpr int kFields = 4;

    // Appends the patch of the fields whose bit is set in mask to out.
    static void Append(std::string& out, unsigned mask, const std::string_view (&fields)[kFields]);
    // Field i (0 value ... 3 comment) of the patch, or none when the point's own is meant.
    static bool Get(std::string_view patch, int i, std::string_view& field);
};

// What the export line of a record needs beyond its point as read. The export
// line prints the file's numbers with six decimals; the point keeps them rounded
// to 0.1 mm, 0.1 m and 1 cm. Where the rounded number prints the same, as it
// does for what a device writes, nothing more is kept; otherwise the file's
// numbers are. The same for the comment: the export line has it as the file
// has it, the point trimmed and with its umlauts repaired.
class ExportDetails {
public:
    // Records the numbers and comment of point `point` as the file has them.
    void Add(size_t point, double valueMm, double stationKm, double widthM, std::string_view comment,
             const MESSUNG& asRead);
    // The export line of point `point` ("1_D_500000_S_0_D_012300_S_3_D_500000_S_Fuge").
    void AppendExportLine(std::string& out, size_t point, const PointStore& asRead) const;
    void clear();

private:
    struct Numbers {
        size_t point;
        double valueMm;
        double stationKm;
        double widthM;
    };
    struct Comment {
        size_t point;
        std::string text;
    };
    std::vector<Numbers> m_numbers;
    std::vector<Comment> m_comments;
};

}  // namespace kurvex
