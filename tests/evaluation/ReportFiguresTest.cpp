#include "evaluation/ReportFigures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kurvex {
namespace {

// A page-end line; "\xBF" ends each tag.
std::string PageEnd(bool sectionEnd, const std::string& tags)
{
    std::string line = sectionEnd ? "FF ABSCH_ENDE |" : "FF ABSCH_UMBRUCH |";
    std::string tag;
    for (const char c : tags + " ") {
        if (c == ' ') {
            if (!tag.empty())
                line += tag + "\xBF";
            tag.clear();
        } else {
            tag += c;
        }
    }
    return line;
}

// Table lines as the builder writes them: an exceedance (counting or struck) and an excluded range.
std::string Exceedance(int station, int p2, bool counts)
{
    return "<<<" + std::to_string(station) + "|1|" + std::to_string(p2) + "|Bemerkung|" + (counts ? "1" : "0") +
           "||-1.0>>><<<1|350|1>>>";
}
const std::string kRange = "<<<123850|0|0|Zufahrt|1|123970||{{BOK}}>>><<<0|0|0>>>";

ReportInputs Inputs(std::vector<std::string> lines)
{
    ReportInputs inputs;
    inputs.lines = std::move(lines);
    inputs.runStatistics = "45,5|3,2|12,1";
    return inputs;
}

TEST(ReportFigures, EachSectionAndTheTotalsAsThePagesStateThem)
{
    const ReportInputs inputs = Inputs({
        // Section 1 over two pages, with a range row and a struck row.
        Exceedance(123470, 4, true),
        kRange,
        PageEnd(false, "SUMMEPQ=4 SUMMEPQGES=4 VON=123450 BIS=124780 PREIS=2.50 FAKTORK=1.00 GRENZWERT=27.5 "
                       "BREITE=350 KEINE_AUSWERTUNG=0 LFDNR_ABSCHNITT=1"),
        Exceedance(124040, 9, false),
        Exceedance(124080, 1, true),
        PageEnd(true, "SUMMEPQ=5 SUMMEPQGES=5 VON=123450 BIS=124780 PREIS=2.50 FAKTORK=1.00 GRENZWERT=27.5 "
                      "BREITE=350 KEINE_AUSWERTUNG=0 LFDNR_ABSCHNITT=1 ABZUG=6.13 ABZUGGES=6.13 UNTERSCHRIFT=1"),
        // Section 2 is not evaluated: its deduction is not printed even where the line has one.
        Exceedance(125140, 16, true),
        PageEnd(true, "SUMMEPQ=16 SUMMEPQGES=21 VON=126110 BIS=124780 PREIS=2.50 FAKTORK=1.00 GRENZWERT=40.0 "
                      "BREITE=375 KEINE_AUSWERTUNG=1 LFDNR_ABSCHNITT=2 ABZUG=15.00 ABZUGGES=21.13 UNTERSCHRIFT=1"),
        // Section 3 has no unit price, so no deduction; it is the last page.
        PageEnd(true, "SUMMEPQ=0 SUMMEPQGES=21 VON=126110 BIS=127441 PREIS=0.00 FAKTORK=1.00 GRENZWERT=27.0 "
                      "BREITE=325 KEINE_UEBERSCHREITUNGSZEILEN=1 KEINE_AUSWERTUNG=0 LFDNR_ABSCHNITT=3 "
                      "ABZUGGES=21.13 UNTERSCHRIFT=1"),
        "ENDE",
    });
    const ReportFigures figures = ReportFiguresOf(inputs);

    struct Expected {
        int number;
        int32_t von, bis;
        bool evaluated;
        int width;
        double limit;
        int exceedances, counted;
        int64_t sumP2;
        std::optional<std::string> deduction;
    };
    const Expected expected[] = {
        {1, 123450, 124780, true, 350, 2.75, 3, 2, 5, "6.13"},
        {2, 126110, 124780, false, 375, 4.0, 1, 1, 16, std::nullopt},
        {3, 126110, 127441, true, 325, 2.7, 0, 0, 0, std::nullopt},
    };
    ASSERT_EQ(figures.sections.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        const ReportSectionFigures& s = figures.sections[i];
        EXPECT_EQ(s.number, expected[i].number);
        EXPECT_EQ(s.von, expected[i].von);
        EXPECT_EQ(s.bis, expected[i].bis);
        EXPECT_EQ(s.evaluated, expected[i].evaluated);
        EXPECT_EQ(s.widthCm, expected[i].width);
        EXPECT_DOUBLE_EQ(s.limitMm, expected[i].limit);
        EXPECT_EQ(s.exceedances, expected[i].exceedances);
        EXPECT_EQ(s.counted, expected[i].counted);
        EXPECT_EQ(s.sumP2, expected[i].sumP2);
        EXPECT_EQ(s.deduction, expected[i].deduction);
    }
    EXPECT_EQ(figures.pages, 4);
    EXPECT_EQ(figures.sumP2, 21);
    EXPECT_EQ(figures.deduction, "21.13");
    EXPECT_EQ(figures.meanSpeed, "45,5");
    EXPECT_EQ(figures.varK, "12,1");
}

TEST(ReportFigures, BlankTotalsAndAReportWithoutPages)
{
    ReportInputs inputs = Inputs({PageEnd(true, "SUMMEPQGES=-1 LFDNR_ABSCHNITT=1 UNTERSCHRIFT=1"), "ENDE"});
    inputs.runStatistics = "|3,2|";
    inputs.showVarK = false;
    ReportFigures figures = ReportFiguresOf(inputs);
    EXPECT_EQ(figures.pages, 1);
    EXPECT_EQ(figures.sumP2, std::nullopt);
    EXPECT_EQ(figures.deduction, std::nullopt);
    EXPECT_EQ(figures.meanSpeed, std::nullopt);
    EXPECT_EQ(figures.varK, std::nullopt);  // not printed

    figures = ReportFiguresOf(Inputs({"ENDE"}));
    EXPECT_TRUE(figures.sections.empty());
    EXPECT_EQ(figures.pages, 0);
    EXPECT_EQ(figures.sumP2, std::nullopt);
    EXPECT_EQ(figures.meanSpeed, std::nullopt);
}

}  // namespace
}  // namespace kurvex
