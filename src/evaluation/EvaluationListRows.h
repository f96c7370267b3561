#pragma once
// The evaluation list ("Auswertung Überschreitungen und Abzüge"): the
// exceedances of a run in run direction, a blank line closing each group of
// one section, and every excluded range listed directly before the exceedance
// it precedes. The order of the lines is planned at once; the texts of a line
// are formatted only when it is asked for, so a list of many thousand
// exceedances costs little until its lines are shown.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/BereichOhneErkennung.h"
#include "evaluation/Ueberschreitung.h"

namespace kurvex {

class CBearbeitungsstand;
class CUeberschreitungsDaten;

// The texts of a line by position; the list's columns show 0 to 8, the last
// one only tells whether the line counts.
enum EvaluationRowText : int {
    kRowNr,
    kRowSeite,
    kRowStation,
    kRowBreite,
    kRowMesswert,
    kRowP,
    kRowP2,
    kRowGeschw,
    kRowBemerkung,
    kRowCounts,
    kEvaluationRowTextCount
};

// The ten texts of one line of the evaluation list.
struct EvaluationListRow {
    std::string nr;
    std::string seite;
    std::string station;
    std::string breite;
    std::string messwert;
    std::string p;
    std::string p2;
    std::string geschw;
    std::string bemerkung;  // line breaks still as "{{CRLF}}"
    std::string counts;     // "1", "0" or empty
};

// Text i of a line (EvaluationRowText); empty for any other i.
const std::string& RowText(const EvaluationListRow& row, int i);
// What the list draws in column i: the remark with every "{{CRLF}}" as a
// blank, nothing for the counts text or a column beyond it.
std::string RowCellText(const EvaluationListRow& row, int i);
// A line counts when its counts text reads as a non-zero integer; excluded
// ranges and blank lines therefore do not count.
bool RowCounts(std::string_view countsText);

enum class EvaluationLineKind { Exceedance, ExcludedRange, Blank };

struct EvaluationListLine {
    EvaluationLineKind kind = EvaluationLineKind::Blank;
    int exceedance = -1;  // the exceedance of the line, or the one a range line precedes
    int range = -1;       // the excluded range of a range line
};

// The order of the lines. stations and sectionNumbers belong to the
// exceedances in run direction. A blank line follows every group of equal
// section numbers and the last exceedance. A range is listed before the first
// exceedance it does not lie behind, judged by its first stored end (not its
// smaller one) in run direction; ranges of equal position keep their stored
// order, and ranges behind the last exceedance are not listed.
std::vector<EvaluationListLine> PlanEvaluationLines(const std::vector<int32_t>& stations,
                                                    const std::vector<int>& sectionNumbers,
                                                    const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges,
                                                    bool ascending);

// The texts of an exceedance line: i is its index in run direction, laneWidth
// the width (cm) of its section, remarkEntry the remark entry of its station.
EvaluationListRow ExceedanceRow(int i, const UEBERSCHREITUNG& exceedance, int32_t laneWidth,
                                std::string_view remarkEntry);
// The texts of a range line listed before exceedance i.
EvaluationListRow ExcludedRangeRow(int i, const BEREICH_OHNE_ERKENNUNG_DATEN& range);

// The evaluation list of a document's parts. It copies the exceedances, their
// section widths and the ranges when it is made; the remarks are looked up in
// the exceedance container when a line is formatted, so the container must
// outlive the list.
class EvaluationList {
public:
    EvaluationList(CUeberschreitungsDaten& exceedances, const CBearbeitungsstand& state,
                   std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges);

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    const EvaluationListLine& Line(int i) const { return m_lines.at(static_cast<size_t>(i)); }
    // The texts of line i, formatted now.
    EvaluationListRow Row(int i) const;

private:
    const CUeberschreitungsDaten& m_exceedances;
    std::vector<UEBERSCHREITUNG> m_records;
    std::vector<int32_t> m_laneWidths;
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> m_ranges;
    std::vector<EvaluationListLine> m_lines;
};

}  // namespace kurvex
