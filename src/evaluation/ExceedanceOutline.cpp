#include "evaluation/ExceedanceOutline.h"

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/KurvexDoc.h"
#include "evaluation/ReportLayout.h"
#include "evaluation/UeberschreitungsProtokoll.h"

#include <algorithm>

namespace kurvex {

namespace {

// The labels of the report's sum row.
constexpr const char* kSectionSumLabel = "Teilstrecke Summe p\xB2:";
constexpr const char* kNotEvaluatedCaption = "keine Auswertung";

// Lower case of a Windows-1252 byte: ASCII and the accented capitals.
char Lower(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z')
        return static_cast<char>(u + 32);
    if (u >= 0xC0 && u <= 0xDE && u != 0xD7)
        return static_cast<char>(u + 32);
    return c;
}

std::string Folded(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = c == ',' ? '.' : Lower(c);
    return folded;
}

bool HoldsFolded(std::string_view text, const std::string& foldedFilter)
{
    return Folded(text).find(foldedFilter) != std::string::npos;
}

}  // namespace

std::string SectionGroupCaption(int section, const ReportSectionFigures* figures, const std::string& currency)
{
    std::string caption = "Abschnitt " + FormatInt(section);
    if (!figures)
        return caption;
    if (!figures->evaluated)
        return caption + "   " + kNotEvaluatedCaption;
    if (figures->sumP2 >= 0)
        caption += std::string("   ") + kSectionSumLabel + " " + FormatInt(figures->sumP2);
    if (figures->deduction)
        caption += "   Abzug [" + currency + "]: " + *figures->deduction;
    return caption;
}

bool LineMatchesFilter(const EvaluationListRow& row, std::string_view filter)
{
    const std::string folded = Folded(Trim(filter));
    if (folded.empty())
        return true;
    return HoldsFolded(row.station, folded) || HoldsFolded(ReplacedAll(row.bemerkung, kStoredLineBreak, " "), folded);
}

ExceedanceOutline::ExceedanceOutline(CKurvexDoc& doc) : m_doc(doc)
{
    CUeberschreitungsDaten& exceedances = doc.Exceedances();
    m_list = std::make_unique<EvaluationList>(exceedances, doc.State(), doc.ExcludedRanges());

    const int count = exceedances.ExceedanceCount();
    m_counts.resize(static_cast<size_t>(count));
    std::vector<int> sections(static_cast<size_t>(count));
    UEBERSCHREITUNG record;
    for (int i = 0; i < count; ++i) {
        exceedances.ExceedanceCopy(i, record);
        m_counts[static_cast<size_t>(i)] = record.beruecksichtigt;
        sections[static_cast<size_t>(i)] = doc.State().SectionNumberAt(record.station).number;
    }

    // Group the lines as the list does: an excluded range goes with the exceedance it precedes.
    m_lineSections.assign(static_cast<size_t>(m_list->LineCount()), 0);
    for (int line = 0; line < m_list->LineCount(); ++line) {
        const EvaluationListLine& entry = m_list->Line(line);
        if (entry.kind == EvaluationLineKind::Blank || entry.exceedance < 0 || entry.exceedance >= count)
            continue;
        const int section = sections[static_cast<size_t>(entry.exceedance)];
        m_lineSections[static_cast<size_t>(line)] = section;
        if (m_groups.empty() || m_groups.back().section != section)
            m_groups.push_back(OutlineGroup{section, {}});
        m_groups.back().lines.push_back(line);
    }
}

void ExceedanceOutline::ReadReportFigures()
{
    // The figures of the report as it would print now; only the lines count
    // for them, so the report's other inputs are not gathered.
    CUeberschreitungsProtokoll report;
    report.Build(m_doc.Exceedances(), m_doc.State(), m_doc.ExcludedRanges());
    ReportInputs inputs;
    inputs.lines = report.Lines();
    const ReportFigures figures = ReportFiguresOf(inputs);
    const std::string currency = m_doc.Exceedances().Currency();
    m_captions.clear();
    for (const OutlineGroup& group : m_groups) {
        const auto found = std::find_if(figures.sections.begin(), figures.sections.end(),
                                        [&group](const ReportSectionFigures& f) { return f.number == group.section; });
        m_captions.emplace_back(
            group.section,
            SectionGroupCaption(group.section, found == figures.sections.end() ? nullptr : &*found, currency));
    }
    m_hasFigures = true;
}

std::string ExceedanceOutline::Caption(int section) const
{
    for (const auto& [number, caption] : m_captions) {
        if (number == section)
            return caption;
    }
    return SectionGroupCaption(section, nullptr, std::string());
}

bool ExceedanceOutline::LineCounts(int line) const
{
    const EvaluationListLine& entry = m_list->Line(line);
    return entry.kind == EvaluationLineKind::Exceedance && entry.exceedance >= 0 &&
           entry.exceedance < ExceedanceCount() && m_counts[static_cast<size_t>(entry.exceedance)];
}

std::vector<OutlineGroup> ExceedanceOutline::Filtered(std::string_view filter, bool onlyCounting) const
{
    const bool byText = !Trim(filter).empty();
    if (!byText && !onlyCounting)
        return m_groups;
    std::vector<OutlineGroup> kept;
    for (const OutlineGroup& group : m_groups) {
        OutlineGroup passed{group.section, {}};
        for (int line : group.lines) {
            if (onlyCounting && !LineCounts(line))
                continue;
            if (byText && !LineMatchesFilter(m_list->Row(line), filter))
                continue;
            passed.lines.push_back(line);
        }
        if (!passed.lines.empty())
            kept.push_back(std::move(passed));
    }
    return kept;
}

}  // namespace kurvex
