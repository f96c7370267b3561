#pragma once
// The exceedances and excluded ranges of a run grouped by section, each group
// headed by its section's sum of p² and deduction as the printed report states
// them (read back from the report builder's lines, never computed anew). The
// lines are those of the evaluation list and are formatted only when asked for.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "evaluation/EvaluationListRows.h"
#include "evaluation/ReportFigures.h"

namespace kurvex {

class CKurvexDoc;

// One section with the lines of the evaluation list that belong to it.
struct OutlineGroup {
    int section = 0;
    std::vector<int> lines;  // lines of the evaluation list, exceedances and excluded ranges
};

// "Abschnitt 2   Teilstrecke Summe p²: 123   Abzug [EUR]: 45.67" (Windows-1252):
// the sum where the report prints one, the deduction where it prints one; a
// section the report does not evaluate says so. Without figures only the number.
std::string SectionGroupCaption(int section, const ReportSectionFigures* figures, const std::string& currency);

// Whether a line's station or remark holds the filter text, letters of either
// case alike and "," the same as "."; an empty filter matches every line.
bool LineMatchesFilter(const EvaluationListRow& row, std::string_view filter);

class ExceedanceOutline {
public:
    // Reads the document's exceedances, sections and excluded ranges; the
    // document must outlive the outline.
    explicit ExceedanceOutline(CKurvexDoc& doc);
    // Builds the report's lines and takes each section's figures from them for
    // the captions; until then a caption names only its section. Apart, since
    // the report of a long run takes longer to build than the list.
    void ReadReportFigures();
    bool HasReportFigures() const { return m_hasFigures; }

    const EvaluationList& List() const { return *m_list; }
    int ExceedanceCount() const { return static_cast<int>(m_counts.size()); }
    // All groups, in run direction.
    const std::vector<OutlineGroup>& Groups() const { return m_groups; }
    // The groups with the lines that pass the filter (text of station or
    // remark, Windows-1252) and, with onlyCounting, count; groups left
    // without a line are dropped.
    std::vector<OutlineGroup> Filtered(std::string_view filter, bool onlyCounting) const;
    // The caption of a group.
    std::string Caption(int section) const;
    // Whether a line counts (an exceedance that counts; never a range).
    bool LineCounts(int line) const;
    // The section number of a line.
    int SectionOfLine(int line) const { return m_lineSections.at(static_cast<size_t>(line)); }

private:
    CKurvexDoc& m_doc;
    std::unique_ptr<EvaluationList> m_list;
    std::vector<bool> m_counts;       // per exceedance
    std::vector<int> m_lineSections;  // per line of the list
    std::vector<OutlineGroup> m_groups;
    std::vector<std::pair<int, std::string>> m_captions;
    bool m_hasFigures = false;
};

}  // namespace kurvex
