#include "evaluation/UeberschreitungsProtokoll.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "evaluation/EvaluationArithmetic.h"
#include "evaluation/ReportTags.h"
#include "evaluation/UeberschreitungsDaten.h"

namespace kurvex {

namespace {

constexpr std::string_view kBlockOpen = "<<<";
constexpr std::string_view kBlockClose = ">>>";
constexpr char kLineFieldSeparator = '|';
constexpr char kBrokenBar = '\xA6';
constexpr const char* kDefusedRangeLineMarker = "{BOK}";
// A table line's first block: station (or first range end), p, p², remark, counts.
constexpr int kP2Field = 2;
constexpr int kRemarkField = 3;
constexpr int kCountsField = 4;


void AppendTag(std::string& line, const char* key, std::string_view value)
{
    line += key;
    line += '=';
    line += value;
    line += kFieldSeparator;
}

const char* Flag(bool on)
{
    return on ? "1" : "0";
}

// The integer after a table line's leading "<<<": the station, or the range end met first.
int32_t LineKey(std::string_view line)
{
    return StartsWith(line, kBlockOpen) ? ToInt(line.substr(kBlockOpen.size())) : ToInt(line);
}

struct KeyedLine {
    int32_t key = 0;
    std::string line;
};

void SortInSectionDirection(std::vector<KeyedLine>& lines, const ABSCHNITT& section)
{
    // Stable: an exceedance and a range at the same station keep the order they
    // were added in, exceedances first.
    if (section.von <= section.bis) {
        std::stable_sort(lines.begin(), lines.end(),
                         [](const KeyedLine& a, const KeyedLine& b) { return a.key < b.key; });
    } else {
        std::stable_sort(lines.begin(), lines.end(),
                         [](const KeyedLine& a, const KeyedLine& b) { return a.key > b.key; });
    }
}

std::string SecondBlock(const SectionNumber& number, size_t index)
{
    std::string block(kBlockOpen);
    block += FormatInt(number.number);
    block += kLineFieldSeparator;
    block += FormatInt(number.breite);
    block += kLineFieldSeparator;
    block += FormatInt(static_cast<long long>(index));
    block += kBlockClose;
    return block;
}

std::string RangeLine(int32_t first, int32_t other, std::string_view remark)
{
    std::string line(kBlockOpen);
    line += FormatInt(first);
    line += "|0|0|";
    line += protokoll::ReportSafeRemark(remark);
    line += "|1|";
    line += FormatInt(other);
    line += "||";
    line += kRangeLineMarker;
    line += kBlockClose;
    line += "<<<0|0|0>>>";
    return line;
}

// Exceedance lines of the section (half-open station interval), then its ranges
// (one end strictly inside), in the order they come.
std::vector<KeyedLine> SectionLines(const std::vector<KeyedLine>& exceedances, const ABSCHNITT& section,
                                    const CBearbeitungsstand& state,
                                    const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    const auto [lo, hi] = std::minmax(section.von, section.bis);
    std::vector<KeyedLine> lines;
    for (size_t j = 0; j < exceedances.size(); ++j) {
        const int32_t station = exceedances[j].key;
        if (lo <= station && station < hi)
            lines.push_back({station, exceedances[j].line + SecondBlock(state.SectionNumberAt(station), j + 1)});
    }
    const bool ascending = section.von < section.bis;
    for (const BEREICH_OHNE_ERKENNUNG_DATEN& range : ranges) {
        const auto [rmin, rmax] = std::minmax(range.von, range.bis);
        if ((lo < rmin && rmin < hi) || (lo < rmax && rmax < hi)) {
            const int32_t first = ascending ? rmin : rmax;
            const int32_t other = ascending ? rmax : rmin;
            lines.push_back({first, RangeLine(first, other, range.bemerkung)});
        }
    }
    return lines;
}

int RemarkLineCount(std::string_view remark)
{
    int count = 1;
    for (int pos = Find(remark, kStoredLineBreak); pos >= 0 && count <= kPrintedRemarkLines;
         pos = Find(remark, kStoredLineBreak, pos + 1))
        ++count;
    return count;
}

// The page's figures and the section's values, common to both kinds of page end.
void AppendPageFigures(std::string& line, const EvaluationSums& sums, const ABSCHNITT& section,
                       bool hasTableLines)
{
    AppendTag(line, kTagSum, FormatInt(sums.SumSection()));
    AppendTag(line, kTagSumTotal, FormatInt(sums.SumTotal()));
    if (sums.Carry() >= 0)
        AppendTag(line, kTagCarry, FormatInt(sums.Carry()));
    AppendTag(line, kTagVon, FormatInt(section.von));
    AppendTag(line, kTagBis, FormatInt(section.bis));
    AppendTag(line, kTagPrice, FormatFixed(section.einheitspreis, 2));
    AppendTag(line, kTagFactor, FormatFixed(section.faktorK, 2));
    // The limit stays in 0.1 mm, only printed with one decimal: 40 gives "40.0".
    AppendTag(line, kTagLimit, FormatFixed(section.grenzwert, 1));
    AppendTag(line, kTagLength, FormatInt(std::llabs(static_cast<long long>(section.bis) - section.von)));
    AppendTag(line, kTagWidth, FormatInt(section.breite));
    AppendTag(line, kTagSurface, section.fahrbahnoberflaeche);
    AppendTag(line, kTagSpeed, section.mittlereGeschwindigkeit);
    if (!section.varK.empty())
        AppendTag(line, kTagVarK, section.varK);
    AppendTag(line, kTagNoTableLines, Flag(!hasTableLines));
    AppendTag(line, kTagNotEvaluated, Flag(!section.auswerten));
}

}  // namespace

namespace protokoll {

std::string ReportSafeRemark(std::string_view remark)
{
    std::string text(remark);
    // Repeated, because "{{{BOK}}}" turns into "{{BOK}}" once.
    while (Replace(text, kRangeLineMarker, kDefusedRangeLineMarker) > 0) {
    }
    std::string safe;
    safe.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == '<' || c == '>') {
            size_t end = i;
            while (end < text.size() && text[end] == c)
                ++end;
            // Two in a row are harmless; three would open or close a block.
            safe.append(end - i >= kBlockOpen.size() ? 1 : end - i, c);
            i = end;
            continue;
        }
        safe += c == kLineFieldSeparator ? kBrokenBar : c;
        ++i;
    }
    return safe;
}

std::string ReportSafeExceedanceLine(std::string_view line)
{
    if (!StartsWith(line, kBlockOpen) || line.size() < kBlockOpen.size() + kBlockClose.size() ||
        line.substr(line.size() - kBlockClose.size()) != kBlockClose)
        return std::string(line);
    const std::string_view body = line.substr(kBlockOpen.size(), line.size() - kBlockOpen.size() - kBlockClose.size());
    // The three numbers before the remark hold no "|", nor do counts and speed after it.
    size_t remarkStart = 0;
    for (int i = 0; i < kRemarkField; ++i) {
        const size_t bar = body.find(kLineFieldSeparator, remarkStart);
        if (bar == std::string_view::npos)
            return std::string(line);
        remarkStart = bar + 1;
    }
    const size_t speedBars = body.rfind("||");
    if (speedBars == std::string_view::npos || speedBars == 0 || speedBars < remarkStart)
        return std::string(line);
    const size_t countsBar = body.rfind(kLineFieldSeparator, speedBars - 1);
    if (countsBar == std::string_view::npos || countsBar < remarkStart)
        return std::string(line);
    std::string safe(kBlockOpen);
    safe += body.substr(0, remarkStart);
    safe += ReportSafeRemark(body.substr(remarkStart, countsBar - remarkStart));
    safe += body.substr(countsBar);
    safe += kBlockClose;
    return safe;
}

std::vector<std::string> SectionTables(const std::vector<std::string>& exceedanceLines,
                                       const std::vector<ABSCHNITT>& sections,
                                       const CBearbeitungsstand& state,
                                       const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    std::vector<KeyedLine> exceedances;
    exceedances.reserve(exceedanceLines.size());
    for (const std::string& line : exceedanceLines) {
        std::string safe = ReportSafeExceedanceLine(line);
        const int32_t station = LineKey(safe);
        exceedances.push_back({station, std::move(safe)});
    }
    std::vector<std::string> report;
    for (const ABSCHNITT& section : sections) {
        std::vector<KeyedLine> lines = SectionLines(exceedances, section, state, ranges);
        SortInSectionDirection(lines, section);
        for (KeyedLine& keyed : lines)
            report.push_back(std::move(keyed.line));
        report.emplace_back(kSectionEndLine);
    }
    return report;
}

int TableLineHeight(std::string_view line)
{
    // Remarks of more than three lines print their first three, so they take
    // the three-line height; no row can outgrow a page.
    switch (RemarkLineCount(GetField(line, kLineFieldSeparator, kRemarkField))) {
    case 1:
        return kOneLineRowHeight;
    case 2:
        return kTwoLineRowHeight;
    default:
        return kThreeLineRowHeight;
    }
}

std::vector<std::string> WithPageBreaks(const std::vector<std::string>& lines)
{
    std::vector<std::string> paged;
    paged.reserve(lines.size() + lines.size() / (kTableHeight / kThreeLineRowHeight) + 2);
    int running = 0;
    for (const std::string& line : lines) {
        if (StartsWith(line, kPageEndPrefix)) {
            running = 0;
        } else {
            const int height = TableLineHeight(line);
            if (running + height > kTableHeight) {
                paged.emplace_back(kPageBreakLine);
                running = 0;
            }
            running += height;
        }
        paged.push_back(line);
    }
    paged.emplace_back(kReportEndLine);
    return paged;
}

int AppendPageTags(std::vector<std::string>& lines, const std::vector<ABSCHNITT>& sections)
{
    const ABSCHNITT noSection;
    const bool onlyOneSection = sections.size() <= 1;
    EvaluationSums sums;
    size_t current = 0;
    int sectionCounter = 0;
    int pageInSection = 0;
    bool hasTableLines = false;
    int pages = 0;
    for (std::string& line : lines) {
        if (line == kReportEndLine)
            continue;
        const ABSCHNITT& section = current < sections.size() ? sections[current] : noSection;
        if (!StartsWith(line, kPageEndPrefix)) {
            hasTableLines = true;
            sums.AddLine(ToInt(GetField(line, kLineFieldSeparator, kP2Field)),
                         GetField(line, kLineFieldSeparator, kCountsField) == "1", section.auswerten);
            continue;
        }
        ++pages;
        const bool sectionEnd = StartsWith(line, kSectionEndLine);
        AppendPageFigures(line, sums, section, hasTableLines);
        if (!sectionEnd) {
            AppendTag(line, kTagSectionNumber, FormatInt(sectionCounter + 1));
            if (onlyOneSection)
                AppendTag(line, kTagOneSection, "1");
            AppendTag(line, kTagPageInSection, FormatInt(++pageInSection));
            AppendTag(line, kTagOnePageInSection, "0");
            sums.EndPage();
        } else {
            AppendTag(line, kTagSectionNumber, FormatInt(++sectionCounter));
            if (onlyOneSection)
                AppendTag(line, kTagOneSection, "1");
            AppendTag(line, kTagPageInSection, FormatInt(++pageInSection));
            AppendTag(line, kTagOnePageInSection, Flag(pageInSection < 2));
            pageInSection = 0;
            if (const auto deduction = sums.EndSection(section, hasTableLines))
                AppendTag(line, kTagDeduction, *deduction);
            if (const auto total = sums.DeductionTotalText())
                AppendTag(line, kTagDeductionTotal, *total);
            AppendTag(line, kTagSignatures, "1");
            if (current + 1 < sections.size())
                ++current;
        }
        hasTableLines = false;
    }
    return pages;
}

}  // namespace protokoll

// --- The report --------------------------------------------------------------------

void CUeberschreitungsProtokoll::Build(const std::vector<std::string>& exceedanceLines,
                                       const CBearbeitungsstand& state,
                                       const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    std::vector<ABSCHNITT> sections;
    const int count = state.SectionCount();
    sections.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        sections.push_back(state.Section(i));

    m_lines = protokoll::WithPageBreaks(protokoll::SectionTables(exceedanceLines, sections, state, ranges));
    m_pageCount = protokoll::AppendPageTags(m_lines, sections);
}

void CUeberschreitungsProtokoll::Build(CUeberschreitungsDaten& exceedances, const CBearbeitungsstand& state,
                                       const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    Build(exceedances.ReportLines(), state, ranges);
}

const std::string& CUeberschreitungsProtokoll::Line(int i) const
{
    static const std::string kNoLine;
    if (i < 0 || static_cast<size_t>(i) >= m_lines.size())
        return kNoLine;
    return m_lines[static_cast<size_t>(i)];
}

}  // namespace kurvex
