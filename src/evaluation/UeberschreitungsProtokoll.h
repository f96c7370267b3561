#pragma once
// The evaluation report as a list of text lines, laid out before it is printed
// or previewed:
//   - table lines, one per exceedance or excluded range of a section, each two
//     blocks "<<<...>>><<<section|width|index>>>";
//   - a page-end line after every printed page, "FF ABSCH_UMBRUCH |" inside a
//     section or "FF ABSCH_ENDE |" at its end, followed by the page's figures
//     as tags "KEY=value¿";
//   - the final line "ENDE".
// The report layout prints page n from the table lines before the n-th
// page-end line and the tags of that line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "document/Bearbeitungsstand.h"
#include "evaluation/Abschnitt.h"
#include "evaluation/BereichOhneErkennung.h"

namespace kurvex {

class CUeberschreitungsDaten;

inline constexpr const char* kPageBreakLine = "FF ABSCH_UMBRUCH |";
inline constexpr const char* kSectionEndLine = "FF ABSCH_ENDE |";
inline constexpr const char* kPageEndPrefix = "FF ";
inline constexpr const char* kReportEndLine = "ENDE";
// Field 7 of a table line's first block: the line lists an excluded range.
inline constexpr const char* kRangeLineMarker = "{{BOK}}";

// Heights of table lines in 0.01 mm by the number of remark lines, and the table height of a page.
inline constexpr int kOneLineRowHeight = 500;
inline constexpr int kTwoLineRowHeight = 900;
inline constexpr int kThreeLineRowHeight = 1300;
inline constexpr int kTableHeight = 8600;
// Remark lines a table row prints; a longer remark keeps its whole text in the
// line but takes the height of these.
inline constexpr int kPrintedRemarkLines = 3;

// The steps of the report, exposed for tests. The input lines are those of
// CUeberschreitungsDaten::ReportLines, in the sorted order of the exceedances.
namespace protokoll {

// The remark with the characters that would break a table line's fields made
// harmless: "|" becomes "¦" (0xA6), a run of three or more "<" or ">" a single
// one, and the range marker "{{BOK}}" becomes "{BOK}".
std::string ReportSafeRemark(std::string_view remark);
// An exceedance line with its remark made report-safe. A remark is found
// between the third "|" and the "|counts||speed>>>" at the end, so even a remark
// that holds "|" is recovered whole. A line of another shape is kept as it is.
std::string ReportSafeExceedanceLine(std::string_view line);

// Phase 1: for every section its table lines in section direction, then "FF ABSCH_ENDE |".
// The state answers the section number and width of each exceedance (SectionNumberAt).
std::vector<std::string> SectionTables(const std::vector<std::string>& exceedanceLines,
                                       const std::vector<ABSCHNITT>& sections, const CBearbeitungsstand& state,
                                       const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges);
// The height of a table line from the number of its remark lines (field 3).
int TableLineHeight(std::string_view line);
// Phase 2: "FF ABSCH_UMBRUCH |" before every table line that no longer fits on
// its page, then "ENDE".
std::vector<std::string> WithPageBreaks(const std::vector<std::string>& lines);
// Phase 3: appends the tags to every page-end line; answers the page count.
int AppendPageTags(std::vector<std::string>& lines, const std::vector<ABSCHNITT>& sections);

}  // namespace protokoll

class CUeberschreitungsProtokoll {
public:
    // Rebuilds the report from the exceedance lines (ReportLines of the
    // container), the sections of the state and the excluded ranges.
    void Build(const std::vector<std::string>& exceedanceLines, const CBearbeitungsstand& state,
               const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges);
    void Build(CUeberschreitungsDaten& exceedances, const CBearbeitungsstand& state,
               const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges);

    // Number of page-end lines.
    int PageCount() const { return m_pageCount; }
    int LineCount() const { return static_cast<int>(m_lines.size()); }
    // Line i; empty for i out of range.
    const std::string& Line(int i) const;
    const std::vector<std::string>& Lines() const { return m_lines; }

private:
    std::vector<std::string> m_lines;
    int m_pageCount = 0;
};

}  // namespace kurvex
