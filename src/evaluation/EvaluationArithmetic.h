#pragma once
// The figures of an evaluation report: the p² sums of a section and of the whole
// run, the carry-over from page to page and the deductions ("Abzug").

#include <cstdint>
#include <optional>
#include <string>

#include "evaluation/Abschnitt.h"

namespace kurvex {

// A factor k or unit price at or below this counts as not set.
inline constexpr double kSmallestRate = 0.0001;

// The deduction of a section as printed, with two decimals:
// sumSection × width in m × factor k × unit price. None when k or the price is
// not set, or when the product is not a finite number.
std::optional<std::string> SectionDeduction(int64_t sumSection, int32_t breiteCm, double faktorK,
                                            double einheitspreis);

// The running quantities while the report's lines are walked in order.
class EvaluationSums {
public:
    // A table line; only one that counts adds its p². A section that is not
    // evaluated keeps its own sum but adds nothing to the whole run's.
    void AddLine(int64_t p2, bool counts, bool sectionEvaluated = true);
    // The page ends inside the section: the next page starts with this carry.
    void EndPage() { m_carry = m_sumSection; }
    // The section ends. With table lines on its last page, its deduction is
    // computed (when k and price are set) and, when the section is evaluated,
    // its printed value joins the total.
    std::optional<std::string> EndSection(const ABSCHNITT& section, bool lastPageHasTableLines);

    int64_t SumSection() const { return m_sumSection; }
    int64_t SumTotal() const { return m_sumTotal; }
    // The section's sum at the end of its previous page; negative on its first page.
    int64_t Carry() const { return m_carry; }
    double DeductionTotal() const { return m_deductionTotal; }
    // The total deduction with two decimals; none while it is not above 0.
    std::optional<std::string> DeductionTotalText() const;

private:
    int64_t m_sumSection = 0;
    int64_t m_sumTotal = 0;
    int64_t m_carry = -1;
    double m_deductionTotal = 0.0;
};

}  // namespace kurvex
