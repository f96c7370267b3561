#include "evaluation/ReportFigures.h"

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "evaluation/ReportTags.h"
#include "evaluation/UeberschreitungsProtokoll.h"

namespace kurvex {

namespace {

// Field of a table line's first block that says whether the row counts.
constexpr int kCountsField = 4;

std::optional<std::string> NonEmpty(std::string text)
{
    if (text.empty())
        return std::nullopt;
    return text;
}

}  // namespace

ReportFigures ReportFiguresOf(const ReportInputs& inputs)
{
    ReportFigures figures;
    ReportSectionFigures section;
    std::optional<MapSeite> lastTags;
    for (const std::string& line : inputs.lines) {
        if (line == kReportEndLine)
            break;
        if (!StartsWith(line, kPageEndPrefix)) {
            if (Contains(line, kRangeLineMarker))
                continue;
            ++section.exceedances;
            const std::string firstBlock = GetBracketed(line, "<<<", ">>>", 0);
            if (GetField(firstBlock, '|', kCountsField) == "1")
                ++section.counted;
            continue;
        }
        ++figures.pages;
        MapSeite tags = MapSeite::Parse(line);
        if (StartsWith(line, kSectionEndLine)) {
            section.number = tags.Int(kTagSectionNumber);
            section.von = tags.Int(kTagVon);
            section.bis = tags.Int(kTagBis);
            section.evaluated = !tags.Flag(kTagNotEvaluated);
            section.widthCm = tags.Int(kTagWidth);
            // The limit tag is in 0.1 mm.
            section.limitMm = tags.Number(kTagLimit) / 10.0;
            section.sumP2 = ToInt(tags.Text(kTagSum));
            // The section's last page prints its deduction only with k and price set.
            if (section.evaluated && tags.HasDeductionRates())
                section.deduction = NonEmpty(tags.Text(kTagDeduction));
            figures.sections.push_back(section);
            section = ReportSectionFigures{};
        }
        lastTags = std::move(tags);
    }
    if (!lastTags)
        return figures;
    // The totals row of the last page, as the layout prints it.
    const int64_t sumTotal = ToInt(lastTags->Text(kTagSumTotal));
    if (sumTotal >= 0)
        figures.sumP2 = sumTotal;
    figures.deduction = NonEmpty(lastTags->Text(kTagDeductionTotal));
    figures.meanSpeed = NonEmpty(GetField(inputs.runStatistics, '|', 0));
    if (inputs.showVarK)
        figures.varK = NonEmpty(GetField(inputs.runStatistics, '|', 2));
    return figures;
}

}  // namespace kurvex
