#include "evaluation/EvaluationArithmetic.h"

#include <cmath>

#include "common/Numbers.h"

namespace kurvex {

std::optional<std::string> SectionDeduction(int64_t sumSection, int32_t breiteCm, double faktorK,
                                            double einheitspreis)
{
    if (!(faktorK > kSmallestRate && einheitspreis > kSmallestRate))
        return std::nullopt;
    // The unit price is per m² and the width is held in cm.
    const double deduction = static_cast<double>(sumSection) * (breiteCm / 100.0) * faktorK * einheitspreis;
    if (!std::isfinite(deduction))
        return std::nullopt;
    return FormatFixed(deduction, 2);
}

void EvaluationSums::AddLine(int64_t p2, bool counts, bool sectionEvaluated)
{
    if (!counts)
        return;
    m_sumSection += p2;
    if (sectionEvaluated)
        m_sumTotal += p2;
}

std::optional<std::string> EvaluationSums::EndSection(const ABSCHNITT& section, bool lastPageHasTableLines)
{
    std::optional<std::string> deduction;
    if (lastPageHasTableLines) {
        deduction = SectionDeduction(m_sumSection, section.breite, section.faktorK, section.einheitspreis);
        // The total is the sum of the printed, rounded section values, so that
        // the report adds up on paper. A section that is not evaluated prints
        // no deduction, so it charges nothing to the total either.
        if (deduction && section.auswerten)
            m_deductionTotal += ToDouble(*deduction);
    }
    m_sumSection = 0;
    m_carry = -1;
    return deduction;
}

std::optional<std::string> EvaluationSums::DeductionTotalText() const
{
    if (!(m_deductionTotal > 0.0))
        return std::nullopt;
    return FormatFixed(m_deductionTotal, 2);
}

}  // namespace kurvex
