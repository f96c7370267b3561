#include "evaluation/ExceedanceOutline.h"

#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "evaluation/ReportLayout.h"
#include "support/DocumentHelpers.h"

#include <gtest/gtest.h>

#include <set>

namespace kurvex {
namespace {

class ExceedanceOutlineTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::OpenSample(doc, "pm01bs02_sample.pbs"), OpenResult::Opened); }
    CKurvexDoc doc;
};

TEST_F(ExceedanceOutlineTest, EveryLineOnceInItsSectionWithTheReportsFigures)
{
    ExceedanceOutline outline(doc);
    ASSERT_GT(outline.ExceedanceCount(), 0);

    // Every exceedance and excluded range of the list in exactly one group, in list order.
    std::set<int> exceedances;
    int ranges = 0;
    int previousLine = -1;
    for (const OutlineGroup& group : outline.Groups()) {
        for (int line : group.lines) {
            EXPECT_GT(line, previousLine);
            previousLine = line;
            const EvaluationListLine& entry = outline.List().Line(line);
            ASSERT_NE(entry.kind, EvaluationLineKind::Blank);
            EXPECT_EQ(outline.SectionOfLine(line), group.section);
            if (entry.kind == EvaluationLineKind::Exceedance)
                EXPECT_TRUE(exceedances.insert(entry.exceedance).second);
            else
                ++ranges;
        }
    }
    EXPECT_EQ(static_cast<int>(exceedances.size()), outline.ExceedanceCount());
    EXPECT_EQ(ranges, 2);

    // Before the report's figures are read, a caption names its section only.
    EXPECT_FALSE(outline.HasReportFigures());
    EXPECT_EQ(outline.Caption(1), "Abschnitt 1");
    outline.ReadReportFigures();
    EXPECT_TRUE(outline.HasReportFigures());
    // Each caption carries what the printed report states for the section.
    RebuildDocumentReport(doc);
    const ReportFigures figures = ReportFiguresOf(ReportInputsOf(doc));
    ASSERT_FALSE(outline.Groups().empty());
    for (const OutlineGroup& group : outline.Groups()) {
        const auto found = std::find_if(figures.sections.begin(), figures.sections.end(),
                                        [&](const ReportSectionFigures& f) { return f.number == group.section; });
        ASSERT_NE(found, figures.sections.end()) << group.section;
        EXPECT_EQ(outline.Caption(group.section), SectionGroupCaption(group.section, &*found, "EUR"));
    }
    // The sample's second section is not evaluated; the first prints a deduction.
    EXPECT_EQ(outline.Caption(2), "Abschnitt 2   keine Auswertung");
    EXPECT_NE(outline.Caption(1).find("Abzug [EUR]: "), std::string::npos);
}

TEST_F(ExceedanceOutlineTest, FiltersByStationOrRemarkAndByWhatCounts)
{
    const ExceedanceOutline outline(doc);
    const auto shown = [&](const char* filter, bool onlyCounting) {
        std::vector<std::string> stations;
        for (const OutlineGroup& group : outline.Filtered(filter, onlyCounting)) {
            EXPECT_FALSE(group.lines.empty());
            for (int line : group.lines)
                stations.push_back(outline.List().Row(line).station);
        }
        return stations;
    };
    size_t all = 0;
    for (const OutlineGroup& group : outline.Groups())
        all += group.lines.size();
    EXPECT_EQ(shown("", false).size(), all);
    EXPECT_EQ(shown("   ", false).size(), all);
    // Remark text, either case; a line break of the remark reads as a blank.
    EXPECT_EQ(shown("SCHACHTDECKEL", false), std::vector<std::string>{"12355.0"});
    EXPECT_EQ(shown("deckel h\xD6"
                    "he",
                    false),
              std::vector<std::string>{"12355.0"});
    // Station text with a comma or a point.
    EXPECT_EQ(shown("12355,0", false), std::vector<std::string>{"12355.0"});
    EXPECT_EQ(shown("12367.", false), std::vector<std::string>{"12367.0"});
    // A range's remark finds the range line.
    EXPECT_EQ(shown("baustellen", false), std::vector<std::string>{"12385.0 - 12397.0"});
    EXPECT_TRUE(shown("kein solcher text", false).empty());

    // Only what counts: no range, no struck exceedance.
    for (const OutlineGroup& group : outline.Filtered("", true)) {
        for (int line : group.lines)
            EXPECT_TRUE(outline.LineCounts(line));
    }
    EXPECT_LT(shown("", true).size(), all);
    EXPECT_TRUE(shown("baustellen", true).empty());
}

TEST(ExceedanceOutline, CaptionStatesWhatTheReportPrints)
{
    ReportSectionFigures withDeduction;
    withDeduction.sumP2 = 123;
    withDeduction.deduction = "45.67";
    ReportSectionFigures withoutRates;
    withoutRates.sumP2 = 0;
    ReportSectionFigures notEvaluated;
    notEvaluated.evaluated = false;
    notEvaluated.sumP2 = 16;
    const struct {
        const ReportSectionFigures* figures;
        const char* expected;
    } cases[] = {
        {&withDeduction, "Abschnitt 3   Teilstrecke Summe p\xB2: 123   Abzug [EUR]: 45.67"},
        {&withoutRates, "Abschnitt 3   Teilstrecke Summe p\xB2: 0"},
        {&notEvaluated, "Abschnitt 3   keine Auswertung"},
        {nullptr, "Abschnitt 3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SectionGroupCaption(3, c.figures, "EUR"), c.expected);
}

}  // namespace
}  // namespace kurvex
