#include "evaluation/EvaluationListRows.h"

#include <algorithm>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/Bearbeitungsstand.h"
#include "evaluation/UeberschreitungsDaten.h"

namespace kurvex {

namespace {

// The value columns of a range line.
constexpr const char* kNoValue = "--";

// The remark of a remark entry: the text before the first 0xBF.
std::string RemarkOfEntry(std::string_view entry)
{
    return std::string(entry.substr(0, std::min(entry.find(kFieldSeparator), entry.size())));
}

std::string Metres(int32_t decimetres)
{
    return FormatTenths(decimetres);
}

}  // namespace

const std::string& RowText(const EvaluationListRow& row, int i)
{
    static const std::string empty;
    switch (i) {
    case kRowNr: return row.nr;
    case kRowSeite: return row.seite;
    case kRowStation: return row.station;
    case kRowBreite: return row.breite;
    case kRowMesswert: return row.messwert;
    case kRowP: return row.p;
    case kRowP2: return row.p2;
    case kRowGeschw: return row.geschw;
    case kRowBemerkung: return row.bemerkung;
    case kRowCounts: return row.counts;
    default: return empty;
    }
}

std::string RowCellText(const EvaluationListRow& row, int i)
{
    if (i == kRowBemerkung)
        return ReplacedAll(row.bemerkung, kStoredLineBreak, " ");
    if (i < 0 || i >= kRowCounts)
        return {};
    return RowText(row, i);
}

bool RowCounts(std::string_view countsText)
{
    return ToInt(countsText) != 0;
}

std::vector<EvaluationListLine> PlanEvaluationLines(const std::vector<int32_t>& stations,
                                                    const std::vector<int>& sectionNumbers,
                                                    const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges,
                                                    bool ascending)
{
    const size_t count = stations.size();
    // The exceedance each range precedes: the first one whose station is not
    // ahead of the range's first end in run direction. The stations are in
    // run direction, so a binary search finds it; since the spans between
    // neighbouring exceedances do not overlap, a range belongs to one of them.
    std::vector<std::vector<int>> rangesBefore(count);
    for (size_t r = 0; r < ranges.size(); ++r) {
        const int32_t von = ranges[r].von;
        const auto first = ascending
                               ? std::lower_bound(stations.begin(), stations.end(), von)
                               : std::lower_bound(stations.begin(), stations.end(), von,
                                                  [](int32_t station, int32_t v) { return station > v; });
        if (first != stations.end())
            rangesBefore[static_cast<size_t>(first - stations.begin())].push_back(static_cast<int>(r));
    }

    std::vector<EvaluationListLine> lines;
    lines.reserve(count + count / 4 + ranges.size() + 1);
    const auto section = [&](size_t i) { return i < sectionNumbers.size() ? sectionNumbers[i] : 0; };
    int group = count > 0 ? section(0) : 0;
    for (size_t i = 0; i < count; ++i) {
        const int exceedance = static_cast<int>(i);
        if (section(i) != group) {
            lines.push_back({EvaluationLineKind::Blank, -1, -1});
            group = section(i);
        }
        for (int r : rangesBefore[i])
            lines.push_back({EvaluationLineKind::ExcludedRange, exceedance, r});
        lines.push_back({EvaluationLineKind::Exceedance, exceedance, -1});
    }
    if (count > 0)
        lines.push_back({EvaluationLineKind::Blank, -1, -1});
    return lines;
}

EvaluationListRow ExceedanceRow(int i, const UEBERSCHREITUNG& exceedance, int32_t laneWidth,
                                std::string_view remarkEntry)
{
    EvaluationListRow row;
    row.nr = FormatInt(static_cast<long long>(i) + 1);
    // Before the chart has laid out its pages the exceedance has no page to show.
    if (exceedance.seite != kPageNotYetDrawn)
        row.seite = FormatInt(exceedance.seite);
    row.station = Metres(exceedance.station);
    row.breite = FormatFixed(laneWidth / 100.0, 2);
    // The addend keeps a tenth whose binary form lies just below it from
    // printing one tenth lower.
    row.messwert = FormatFixed(exceedance.messwert / 10.0 + 0.0001, 1);
    row.p = FormatInt(exceedance.p);
    row.p2 = FormatInt(exceedance.p2);
    if (exceedance.geschwindigkeit > 0.0)
        row.geschw = FormatFixed(exceedance.geschwindigkeit, 1);
    row.bemerkung = RemarkOfEntry(remarkEntry);
    row.counts = exceedance.beruecksichtigt ? "1" : "0";
    return row;
}

EvaluationListRow ExcludedRangeRow(int i, const BEREICH_OHNE_ERKENNUNG_DATEN& range)
{
    EvaluationListRow row;
    row.nr = FormatInt(static_cast<long long>(i) + 1);
    row.station = Metres(range.von) + " - " + Metres(range.bis);
    row.p = kNoValue;
    row.p2 = kNoValue;
    row.geschw = kNoValue;
    row.bemerkung = RemarkOfEntry(range.bemerkung);
    return row;
}

EvaluationList::EvaluationList(CUeberschreitungsDaten& exceedances, const CBearbeitungsstand& state,
                               std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges)
    : m_exceedances(exceedances), m_ranges(std::move(ranges))
{
    const int count = exceedances.ExceedanceCount();
    m_records.resize(static_cast<size_t>(count));
    m_laneWidths.resize(static_cast<size_t>(count));
    std::vector<int32_t> stations(static_cast<size_t>(count));
    std::vector<int> sectionNumbers(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const size_t k = static_cast<size_t>(i);
        exceedances.ExceedanceCopy(i, m_records[k]);
        const SectionNumber section = state.SectionNumberAt(m_records[k].station);
        stations[k] = m_records[k].station;
        sectionNumbers[k] = section.number;
        m_laneWidths[k] = section.breite;
    }
    m_lines = PlanEvaluationLines(stations, sectionNumbers, m_ranges, exceedances.IsAscending());
}

EvaluationListRow EvaluationList::Row(int i) const
{
    const EvaluationListLine& line = Line(i);
    switch (line.kind) {
    case EvaluationLineKind::Exceedance: {
        const size_t k = static_cast<size_t>(line.exceedance);
        return ExceedanceRow(line.exceedance, m_records[k], m_laneWidths[k],
                             m_exceedances.RemarkFor(m_records[k].station));
    }
    case EvaluationLineKind::ExcludedRange:
        return ExcludedRangeRow(line.exceedance, m_ranges[static_cast<size_t>(line.range)]);
    case EvaluationLineKind::Blank:
        break;
    }
    return {};
}

}  // namespace kurvex
