#include "evaluation/UeberschreitungsDaten.h"

#include <algorithm>
#include <cmath>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/RecordFields.h"

namespace kurvex {

namespace {

constexpr char kExceedanceFieldSeparator = ';';
constexpr char kParameterSeparator = ';';
constexpr size_t kCurrencyField = 5;
constexpr size_t kChartRemarkLength = 15;

// Field positions of an exceedance record; the others are not read.
enum ExceedanceField : size_t { kStation = 0, kMesswert = 1, kP = 2, kBeruecksichtigt = 5, kSpeed = 7 };

UEBERSCHREITUNG ReadExceedance(std::string_view record)
{
    const auto fields = SplitFields(record, kExceedanceFieldSeparator);
    UEBERSCHREITUNG exceedance;
    exceedance.seite = kPageNotYetDrawn;
    exceedance.station = ToInt(FieldAt(fields, kStation));
    exceedance.messwert = ToInt(FieldAt(fields, kMesswert));
    exceedance.p = ToInt(FieldAt(fields, kP));
    // The small addend keeps a square computed in floating point from falling below
    // its integer; the square is taken wide, a p beyond 46340 mm saturates.
    const double p = exceedance.p;
    exceedance.p2 = ClampToInt32(p * p + 0.00001);
    exceedance.beruecksichtigt = FieldAt(fields, kBeruecksichtigt) != "0";
    const double speed = ParseNumber(FieldAt(fields, kSpeed));
    exceedance.geschwindigkeit = std::isfinite(speed) ? speed : 0.0;
    return exceedance;
}

}  // namespace

void CUeberschreitungsDaten::Load(std::string_view exceedances, std::string_view parameters, std::string_view remarks)
{
    Clear();
    LoadExceedances(exceedances);
    m_parameters = parameters.empty() ? std::string(kDefaultAuswertungsparameter) : std::string(parameters);
    LoadRemarks(remarks);
}

void CUeberschreitungsDaten::Clear()
{
    m_parameters = kDefaultAuswertungsparameter;
    m_needsSorting = false;
    m_exceedances.clear();
    m_remarks.clear();
}

void CUeberschreitungsDaten::LoadExceedances(std::string_view text)
{
    for (std::string_view record : BracketedItems(text))
        m_exceedances.push_back(ReadExceedance(record));
    m_needsSorting = true;
}

void CUeberschreitungsDaten::LoadRemarks(std::string_view text)
{
    for (std::string_view record : BracketedItems(text)) {
        const auto fields = SplitFields(record, kFieldSeparator);
        std::string entry(FieldAt(fields, 1));
        entry += kFieldSeparator;
        entry += FieldAt(fields, 2);
        m_remarks[std::string(FieldAt(fields, 0))] = std::move(entry);
    }
}

void CUeberschreitungsDaten::SortIfNeeded()
{
    if (!m_needsSorting)
        return;
    // Stable, so that exceedances at one station keep their stored order.
    if (m_ascending) {
        std::stable_sort(m_exceedances.begin(), m_exceedances.end(),
                         [](const UEBERSCHREITUNG& a, const UEBERSCHREITUNG& b) { return a.station < b.station; });
    } else {
        std::stable_sort(m_exceedances.begin(), m_exceedances.end(),
                         [](const UEBERSCHREITUNG& a, const UEBERSCHREITUNG& b) { return a.station > b.station; });
    }
    int32_t number = 1;
    for (UEBERSCHREITUNG& exceedance : m_exceedances)
        exceedance.lfdNr = number++;
    m_needsSorting = false;
}

bool CUeberschreitungsDaten::ExceedanceCopy(int i, UEBERSCHREITUNG& out)
{
    SortIfNeeded();
    if (i < 0 || i >= ExceedanceCount()) {
        out = UEBERSCHREITUNG();
        return false;
    }
    out = m_exceedances[static_cast<size_t>(i)];
    return true;
}

void CUeberschreitungsDaten::SetPage(int i, int32_t page)
{
    SortIfNeeded();
    if (i >= 0 && i < ExceedanceCount())
        m_exceedances[static_cast<size_t>(i)].seite = page;
}

std::string CUeberschreitungsDaten::RemarkFor(int32_t station) const
{
    return LookupOrDefault(m_remarks, FormatInt(station), std::string());
}

std::string CUeberschreitungsDaten::ChartRemarkFor(int32_t station) const
{
    const std::string entry = RemarkFor(station);
    if (GetField(entry, kFieldSeparator, 1) != "1")
        return {};
    const std::string remark = GetField(entry, kFieldSeparator, 0);
    const std::string firstLine = remark.substr(0, remark.find(kStoredLineBreak));
    return firstLine.substr(0, kChartRemarkLength);
}

std::string CUeberschreitungsDaten::Currency() const
{
    return GetField(m_parameters, kParameterSeparator, static_cast<int>(kCurrencyField));
}

std::vector<std::string> CUeberschreitungsDaten::ReportLines()
{
    SortIfNeeded();
    std::vector<std::string> lines;
    lines.reserve(m_exceedances.size());
    for (const UEBERSCHREITUNG& exceedance : m_exceedances) {
        std::string line = "<<<";
        line += FormatInt(exceedance.station);
        line += '|';
        line += FormatInt(exceedance.p);
        line += '|';
        line += FormatInt(exceedance.p2);
        line += '|';
        line += RemarkFor(exceedance.station);
        line += '|';
        line += exceedance.beruecksichtigt ? '1' : '0';
        line += "||";
        AppendFixed(line, exceedance.geschwindigkeit, 1);
        line += ">>>";
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace kurvex
