#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "evaluation/EvaluationArithmetic.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

struct DeductionCase {
    int64_t sum;
    int32_t breite;
    double faktorK;
    double einheitspreis;
    std::optional<std::string> expected;
};

TEST(EvaluationArithmetic, SectionDeduction)
{
    const DeductionCase cases[] = {
        {100, 350, 1.0, 2.5, "875.00"},     // 100 mm² × 3.5 m × 1 × 2.50
        {0, 350, 1.0, 2.5, "0.00"},         // nothing counts, but k and price are set
        {1, 100, 1.0, 0.125, "0.12"},       // an exact tie rounds as "%.2f" does
        {1, 100, 1.0, 1.005, "1.00"},       // 1.005 is held just below itself
        {100, 350, 0.0, 2.5, std::nullopt},
        {100, 350, 1.0, 0.0001, std::nullopt},
        {100, 350, 0.0001, 1.0, std::nullopt},
        {100, 350, 1e308, 1e308, std::nullopt},  // no "inf" on the report
    };
    for (const DeductionCase& c : cases) {
        EXPECT_EQ(SectionDeduction(c.sum, c.breite, c.faktorK, c.einheitspreis), c.expected)
            << c.sum << " " << c.breite << " " << c.faktorK << " " << c.einheitspreis;
    }
}

TEST(EvaluationArithmetic, SumsCarryAndTotalOfPrintedDeductions)
{
    ABSCHNITT section;
    section.breite = 100;
    section.faktorK = 1.0;
    section.einheitspreis = 0.125;

    EvaluationSums sums;
    EXPECT_EQ(sums.Carry(), -1);
    sums.AddLine(1, true);
    sums.AddLine(50, false);
    sums.EndPage();
    EXPECT_EQ(sums.Carry(), 1);
    EXPECT_EQ(sums.EndSection(section, true), std::optional<std::string>("0.12"));
    EXPECT_EQ(sums.SumSection(), 0);
    EXPECT_EQ(sums.Carry(), -1);

    sums.AddLine(1, true);
    EXPECT_EQ(sums.EndSection(section, true), std::optional<std::string>("0.12"));
    // The sum of the two printed values, not 0.25 of the exact ones.
    EXPECT_EQ(sums.DeductionTotalText(), std::optional<std::string>("0.24"));
    EXPECT_EQ(sums.SumTotal(), 2);

    // A last page without table lines computes no deduction.
    sums.AddLine(4, true);
    EXPECT_EQ(sums.EndSection(section, false), std::nullopt);
    EXPECT_EQ(sums.DeductionTotalText(), std::optional<std::string>("0.24"));

    EXPECT_EQ(EvaluationSums().DeductionTotalText(), std::nullopt);
}

TEST(EvaluationArithmetic, DeductionIgnoresTheProcessLocale)
{
    const bool ran = test::WithGermanNumericLocale([] {
        EXPECT_EQ(SectionDeduction(100, 350, 1.0, 2.5), std::optional<std::string>("875.00"));
        EvaluationSums sums;
        ABSCHNITT section;
        section.breite = 100;
        section.faktorK = 1.0;
        section.einheitspreis = 1.5;
        sums.AddLine(1, true);
        sums.EndSection(section, true);
        EXPECT_EQ(sums.DeductionTotalText(), std::optional<std::string>("1.50"));
    });
    if (!ran)
        GTEST_SKIP() << "no German locale installed";
}

}  // namespace
}  // namespace kurvex
