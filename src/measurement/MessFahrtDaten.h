#pragma once
// One measurement run: every point as read, the view window through which the
// chart, the evaluation and the export see it, the header data of the file and
// the file's own lines.

#include <array>
#include <initializer_list>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/LineStore.h"
#include "common/Message.h"
#include "evaluation/Abschnitt.h"
#include "measurement/Messung.h"
#include "measurement/PointStore.h"
#include "measurement/RecordLines.h"

namespace kurvex {

class RunLineList;

class CMessFahrtDaten {
public:
    // What the readers of the formats write into the run (RunReading.h).
    class Writer;

    CMessFahrtDaten() = default;
    virtual ~CMessFahrtDaten() = default;
    CMessFahrtDaten(const CMessFahrtDaten&) = default;
    CMessFahrtDaten& operator=(const CMessFahrtDaten&) = default;
    CMessFahrtDaten(CMessFahrtDaten&&) = default;
    CMessFahrtDaten& operator=(CMessFahrtDaten&&) = default;

    // --- Reading -------------------------------------------------------------
    // Opens the file at path, remembers the path for companion files and reads it.
    // Returns false only when the file cannot be opened; IsLoaded() tells whether
    // a reader accepted it.
    bool LoadFromFile(const std::string& path);
    // Reads and recognises a whole file. The path kept for companion files stays as it is.
    // The file is read piece by piece: it is never held whole.
    void ReadFile(std::istream& file);
    void ReadBytes(const std::string& content);

    void Clear();
    bool IsLoaded() const { return m_loaded; }
    bool IsIncomplete() const { return m_incomplete; }
    bool IsDeviceFormat() const;
    int FormatCode() const { return m_formatCode; }
    int32_t FirstStation() const;
    int32_t LastStation() const;
    int32_t GetLimit() const { return m_limit; }

    // Messages that reading wants shown to the user, in order.
    const std::vector<UserMessage>& ReadMessages() const { return m_readMessages; }

    // --- Adjustments after loading -------------------------------------------
    void SetReverseOrder(bool reverse) { m_reverseOrder = reverse; }
    bool ReverseOrder() const { return m_reverseOrder; }
    void SetAdjust(std::string adjust) { m_adjust = std::move(adjust); }
    const std::string& Adjust() const { return m_adjust; }
    void SetComparisonOffset(double metres) { m_comparisonOffset = metres; }
    double ComparisonOffset() const { return m_comparisonOffset; }
    int32_t StationOffset() const { return m_stationOffset; }

    void ApplyAdjustments();
    void MirrorRun();
    void ShiftStations(int32_t d);
    void SetRange(int32_t from, int32_t to);
    void ResetRange();
    void SelectWholeRun();
    void SetCorrection(int32_t correction);
    int32_t Correction() const { return m_correction; }
    bool IsAscending() const { return m_rangeFrom < m_rangeTo; }
    int32_t RangeFrom() const { return m_rangeFrom; }
    int32_t RangeTo() const { return m_rangeTo; }
    void RebuildWindow();

    // --- Window access (neutral results past the end) -------------------------
    int GetCount() const { return static_cast<int>(m_windowCount); }
    MESSUNG GetPoint(int i) const;
    int32_t GetStation(int i) const;
    int32_t GetValue(int i) const;  // with the correction
    int32_t GetWidth(int i) const;
    int32_t GetPointLimit(int i) const;
    double GetSpeed(int i) const;
    std::string GetComment(int i) const;
    bool HasComment(int i) const;
    // Station and comment of window point i, and the station of point i as it was in the file.
    void GetPointInfo(int i, int32_t& station, int32_t& rawStation, std::string& comment) const;
    // The window points that have hasComment set, in order.
    std::vector<int> CommentedWindowPoints() const;
    bool HasSpeedData() const { return m_speedCount > 5; }
    // How the window stations run, found when the window is built: the chart
    // looks a strip's first point up by bisection when they are ordered.
    enum class StationOrder { NonDecreasing, NonIncreasing, Unordered };
    StationOrder WindowStationOrder() const { return m_windowOrder; }

    // --- Default sections and speed statistics (RunStatistics.cpp) ------------
    // One section per stretch of equal lane width and limit over the window,
    // each with its speed statistics; runStatistics gets those of the whole window.
    void BuildSections(Abschnitt& runStatistics, AbschnittListe& list) const;
    // Mean, deviation and VarK of the speeds between the section's point indices;
    // with a filter, points in its sections that are not evaluated are left out.
    void ComputeSpeedStatistics(Abschnitt& section, const AbschnittListe* filter = nullptr) const;
    // Finds the section's point indices from its von and bis, then its statistics.
    void ComputeSectionStatistics(Abschnitt& section) const;
    // The same for every section.
    void ComputeSectionStatistics(std::vector<Abschnitt>& sections) const;
    void ComputeRunStatistics(Abschnitt& out, const AbschnittListe* filter = nullptr) const;
    // Replaces all points (a run built in memory); the range is reset, the window not rebuilt.
    void AssignPoints(const std::vector<MESSUNG>& points);
    int SpeedCount() const { return m_speedCount; }

    // --- Data as read --------------------------------------------------------
    const PointStore& Points() const { return m_points; }
    // The file's lines as the file viewer shows them, and the export lines.
    RunLineList Lines() const;
    RunLineList ExportLines() const;
    const std::string& HeaderText() const { return m_headerText; }
    const std::array<std::string, 7>& ListingFields() const { return m_listingFields; }
    const std::string& RoadName() const { return m_roadName; }
    const std::string& StartKm() const { return m_startKm; }
    const std::string& FilePath() const { return m_filePath; }
    void SetFilePath(std::string path) { m_filePath = std::move(path); }
    // The fingerprint (common/ContentFingerprint.h) of the bytes the last read took in, made as they were read.
    uint64_t FileFingerprint() const { return m_contentFingerprint; }

    // All lines, each followed by a line feed; built once.
    const std::string& GetFileText() const;
    // The same text line by line, without building it: GetFileText() is every
    // FileTextLine(i) followed by a line feed. The file viewer reads only the
    // lines it shows, so a run of a million points costs it nothing up front.
    // The text stays valid until the next call of FileTextLine or a change of the run.
    size_t FileTextLineCount() const { return m_lines.size(); }
    std::string_view FileTextLine(size_t i) const;
    // Columns of the widest FileTextLine, each byte one column and a TAB
    // reaching the next multiple of tabColumns; found without making the lines.
    size_t FileTextColumns(size_t tabColumns) const;
    // The IMEXPORT001 text of the run (only PM01BS02 and IMEXPORT001 runs have export lines).
    std::string BuildExportText(bool decimalComma, const std::string& separator) const;

    // --- Points and their file lines (PointLines.cpp) -------------------------
    // Where the file's lines are the records of its points (PM01BS02,
    // IMEXPORT001, PM01BS01), the chart and the file viewer follow each other.
    // The FileTextLine that holds window point i; none for a point outside the
    // window or a run whose lines are only texts.
    std::optional<size_t> FileLineOfWindowPoint(int i) const;
    // The window point whose record is FileTextLine `line`; none for a header
    // or marker line and for the record of a point outside the window.
    std::optional<int> WindowPointOfFileLine(size_t line) const;

private:
    friend class RunLineList;
    // Splits the file as it is read and hands the lines to the reader of its format.
    class FileFeed;

    // Empties what a read fills; format code, loaded flag and the fields of
    // the listing and road formats stay as they were.
    void BeginRead();
    // No window, no speed count, no cached file text: before a read and after Clear.
    void ResetWindow();
    void RecogniseTextFormat();
    void AppendLine(std::string& out, size_t k) const;
    // A PM01BS01 data line from the point and the fields its patch keeps.
    void AppendPatchedLine(std::string& out, std::string_view patch, size_t point) const;
    void AppendExportLine(std::string& out, size_t k) const;
    // The points as the reader made them; record lines are made from them.
    const PointStore& PointsAsRead() const { return m_pointsAsRead ? *m_pointsAsRead : m_points; }
    // Keeps a copy of the points as read before they change for the first time.
    void KeepPointsAsRead();
    size_t WindowPoint(int i) const { return m_windowListed ? m_windowIndices[static_cast<size_t>(i)] : m_windowFirst + static_cast<size_t>(i); }

    // The readers of the table formats, in the order they are tried: each reads
    // m_textLines and returns true when it accepted the file; a reader that
    // refuses adds no points, so the next one sees the same lines. PM01BS02,
    // IMEXPORT001 and PM01BS01 are read line by line while the file is split.
    // Each is a FormatReader of RunReading.h; these call it.
    bool ReadRoadTable();          // format 6
    bool ReadLimitValueTable();    // format 5
    bool ReadDatedTable5();        // format 7
    bool ReadDatedTable4();        // format 3
    bool ReadPlanographTable();    // format 4
    bool ReadDatedColumnTable();   // format 1003
    bool ReadListing();            // format 1, the last resort
    // Found whenever the window is built; shifting and mirroring the stations
    // keep the order they found (a rising window stays rising).
    void FindWindowStationOrder();
    // The window index a section end names: the first neighbouring pair whose
    // first point lies at the station, then whose second does, then that
    // encloses it; -1 when no pair does.
    int SectionEndIndex(int32_t station) const;

    int32_t m_formatCode = 0;
    bool m_reverseOrder = false;
    std::string m_adjust;
    std::array<std::string, 7> m_listingFields;
    std::string m_headerText;
    std::string m_roadName;
    std::string m_startKm;
    double m_comparisonOffset = 0.0;
    int32_t m_stationOffset = 0;
    bool m_loaded = false;
    bool m_incomplete = false;
    // Whether m_points runs against the order the file had (mirrored, reversed).
    bool m_pointsReversed = false;
    mutable std::optional<std::string> m_fileTextCache;
    mutable std::string m_lineScratch;  // the last record line FileTextLine made
    mutable std::optional<std::pair<size_t, size_t>> m_fileTextColumns;  // tab columns, widest line
    int32_t m_rangeFrom = 0;
    int32_t m_rangeTo = 0;
    PointStore m_points;
    // Set once the points change after reading (adjustments, mirroring, a shift,
    // Clear): the record lines keep showing the file as it was.
    std::optional<PointStore> m_pointsAsRead;
    // The window is the positions in m_points of the points inside the range:
    // a copy of every point would double the memory of a large run. Mostly they
    // form one stretch from m_windowFirst; only otherwise are they listed in
    // m_windowIndices. Values come out with the correction added; the window is
    // rebuilt whenever range or correction change.
    size_t m_windowFirst = 0;
    size_t m_windowCount = 0;
    bool m_windowListed = false;
    std::vector<uint32_t> m_windowIndices;
    StationOrder m_windowOrder = StationOrder::NonDecreasing;
    int32_t m_speedCount = 0;
    int32_t m_limit = 0;
    int32_t m_correction = 0;
    std::string m_filePath;
    uint64_t m_contentFingerprint = 0;
    RecordLineList m_lines;
    RecordLineList m_exportLines;
    ExportDetails m_exportDetails;
    // The lines of a text format while its readers work on them.
    LineStore m_textLines;
    std::vector<UserMessage> m_readMessages;
};

// The viewer or export lines of a run, each made when it is read.
class RunLineList {
public:
    size_t size() const;
    bool empty() const { return size() == 0; }
    std::string operator[](size_t k) const;
    std::string back() const { return (*this)[size() - 1]; }

private:
    friend class CMessFahrtDaten;
    RunLineList(const CMessFahrtDaten& run, bool exportLines) : m_run(&run), m_export(exportLines) {}
    const CMessFahrtDaten* m_run;
    bool m_export;
};

// Reads the entries of a header text (fields ended by the byte 0xBF). A text that
// begins with a word of more than three letters and a ":" carries its own labels;
// otherwise the labels come from the fixed order of the device header.
class HeaderTextIterator {
public:
    explicit HeaderTextIterator(std::string text);
    void Next(std::string& label, std::string& value);
    bool IsLabelled() const { return m_labelled; }

private:
    std::string m_text;
    bool m_labelled = false;
    int m_counter = 0;
};

// The entries of a header text by their labels, in order: a label without its
// ":" and the value, both Windows-1252; entries without a label and repeated
// labels are left out.
struct HeaderEntry {
    std::string label;
    std::string value;
};
std::vector<HeaderEntry> LabelledHeaderEntries(const std::string& text);
// The value of the first entry with one of the labels, empty when there is none.
std::string HeaderValue(const std::vector<HeaderEntry>& entries, std::initializer_list<std::string_view> labels);


}  // namespace kurvex
