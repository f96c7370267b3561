#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/Bearbeitungsstand.h"
#include "evaluation/BereichOhneErkennung.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "evaluation/UeberschreitungsProtokoll.h"

namespace kurvex {
namespace {

// --- Fixtures -----------------------------------------------------------------------

// One ABSCHNITTE record: von, breite, grenzwert, reserviert, k, price, auswerten, surface, speed, deviation, VarK.
std::string Section(int32_t von, const std::string& rest = "350|40|10|1.0|2.50|1|AC 11 D S|45.0|3.1|6.9")
{
    return "[" + std::to_string(von) + "|" + rest + "]";
}

// One UEBERSCHREITUNGSDATEN_1 record.
std::string Exceedance(int32_t station, int32_t p, bool counts = true, const std::string& speed = "50.0")
{
    return "[" + std::to_string(station) + ";60;" + std::to_string(p) + ";0;0;" + (counts ? "1" : "0") + ";;" +
           speed + ";;]";
}

// One UEBERSCHREITUNGSDATEN_4 record.
std::string Remark(int32_t station, const std::string& remark)
{
    return "[" + std::to_string(station) + "\xBF" + remark + "\xBF" + "0]";
}

struct SideFile {
    std::string range = "0;1000";
    std::string sections;
    std::string exceedances;
    std::string remarks;
    std::string excludedRanges;

    std::string Text() const
    {
        return "MANUVONBIS=" + range + "\r\nABSCHNITTE=" + sections + "\r\nUEBERSCHREITUNGSDATEN_1=" + exceedances +
               "\r\nUEBERSCHREITUNGSDATEN_4=" + remarks + "\r\nBEREICHOHNEERKENNUNGDATEN=" + excludedRanges + "\r\n";
    }
};

// The document's inputs of a report, loaded from a side file.
struct ReportInputs {
    CBearbeitungsstand state;
    CUeberschreitungsDaten exceedances;
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges;

    explicit ReportInputs(const std::string& sideFile)
    {
        state.LoadStateFromText("run.dat.zi4", sideFile);
        exceedances.SetAscending(state.RangeStart() < state.RangeEnd());
        exceedances.Load(state.ExceedanceData(), state.EvaluationParameters(), state.RemarkData());
        ranges = DecodeExcludedRanges(state.ExcludedRanges());
    }
};

CUeberschreitungsProtokoll BuildReport(const SideFile& sideFile)
{
    ReportInputs inputs(sideFile.Text());
    CUeberschreitungsProtokoll report;
    report.Build(inputs.exceedances, inputs.state, inputs.ranges);
    return report;
}

// The tags of a page-end line as the layout reads them: after the first "|", items
// split at "¿", each split at its first "=". Keys keep their order.
std::vector<std::pair<std::string, std::string>> TagList(const std::string& line)
{
    std::vector<std::pair<std::string, std::string>> tags;
    std::string rest = line.substr(line.find('|') + 1);
    for (int i = 0;; ++i) {
        const std::string item = GetField(rest, kFieldSeparator, i);
        if (item.empty())
            break;
        const size_t eq = item.find('=');
        tags.emplace_back(item.substr(0, eq), eq == std::string::npos ? "" : item.substr(eq + 1));
    }
    return tags;
}

std::map<std::string, std::string> Tags(const std::string& line)
{
    std::map<std::string, std::string> map;
    for (auto& [key, value] : TagList(line))
        map[key] = value;
    return map;
}

std::vector<std::string> PageEndLines(const CUeberschreitungsProtokoll& report)
{
    std::vector<std::string> lines;
    for (const std::string& line : report.Lines())
        if (StartsWith(line, "FF "))
            lines.push_back(line);
    return lines;
}

std::vector<std::string> Stations(const std::vector<std::string>& lines)
{
    std::vector<std::string> stations;
    for (const std::string& line : lines)
        if (StartsWith(line, "<<<"))
            stations.push_back(GetField(line.substr(3), '|', 0));
    return stations;
}

// --- Whole reports ------------------------------------------------------------------

TEST(UeberschreitungsProtokoll, OneSectionWithoutExceedances)
{
    SideFile side;
    side.sections = Section(0);
    const CUeberschreitungsProtokoll report = BuildReport(side);

    ASSERT_EQ(report.LineCount(), 2);
    EXPECT_EQ(report.Line(0),
              "FF ABSCH_ENDE |SUMMEPQ=0\xBFSUMMEPQGES=0\xBFVON=0\xBF" "BIS=1000\xBFPREIS=2.50\xBF"
              "FAKTORK=1.00\xBFGRENZWERT=40.0\xBFLAENGE=1000\xBF" "BREITE=350\xBF"
              "FAHRBAHNOB=AC 11 D S\xBFMGESCHW=45.0\xBFVARK=6.9\xBFKEINE_UEBERSCHREITUNGSZEILEN=1\xBF"
              "KEINE_AUSWERTUNG=0\xBFLFDNR_ABSCHNITT=1\xBFNUR_EIN_ABSCHNITT=1\xBFLFDNR_SEITE_IM_ABSCHNITT=1\xBF"
              "NUR_EINE_SEITE_IM_ABSCHNITT=1\xBFUNTERSCHRIFT=1\xBF");
    EXPECT_EQ(report.Line(1), "ENDE");
    EXPECT_EQ(report.PageCount(), 1);
}

TEST(UeberschreitungsProtokoll, NoSectionGivesOnlyTheEnd)
{
    SideFile side;
    side.exceedances = Exceedance(100, 3);
    const CUeberschreitungsProtokoll report = BuildReport(side);
    EXPECT_EQ(report.Lines(), std::vector<std::string>{"ENDE"});
    EXPECT_EQ(report.PageCount(), 0);
    EXPECT_EQ(report.Line(1), "");
    EXPECT_EQ(report.Line(-1), "");
}

TEST(UeberschreitungsProtokoll, EighteenOneLineExceedancesBreakThePageAndCarry)
{
    SideFile side;
    side.sections = Section(0);
    int carry = 0;
    int total = 0;
    for (int i = 0; i < 18; ++i) {
        const int p = i % 4 + 1;
        const bool counts = i != 3;  // one that does not count: listed, not summed
        side.exceedances += Exceedance(10 + 10 * i, p, counts);
        if (counts) {
            total += p * p;
            if (i < 17)
                carry += p * p;
        }
    }
    const CUeberschreitungsProtokoll report = BuildReport(side);

    ASSERT_EQ(report.LineCount(), 18 + 3);
    EXPECT_EQ(report.PageCount(), 2);
    EXPECT_EQ(report.Line(0), "<<<10|1|1||1||50.0>>><<<1|350|1>>>");
    EXPECT_EQ(report.Line(3), "<<<40|4|16||0||50.0>>><<<1|350|4>>>");
    const std::string pageBreak = report.Line(17);
    ASSERT_TRUE(StartsWith(pageBreak, "FF ABSCH_UMBRUCH |"));
    EXPECT_TRUE(StartsWith(report.Line(18), "<<<180|"));
    EXPECT_EQ(report.Line(19).substr(0, 16), "FF ABSCH_ENDE |S");

    // A page break ends with the page numbering, without deduction or signature.
    const std::string expectedBreakTail = "LFDNR_ABSCHNITT=1\xBFNUR_EIN_ABSCHNITT=1\xBFLFDNR_SEITE_IM_ABSCHNITT=1\xBF"
                                          "NUR_EINE_SEITE_IM_ABSCHNITT=0\xBF";
    EXPECT_EQ(pageBreak.substr(pageBreak.size() - expectedBreakTail.size()), expectedBreakTail);
    auto first = Tags(pageBreak);
    EXPECT_EQ(first["SUMMEPQ"], std::to_string(carry));
    EXPECT_EQ(first.count("SUMMEPQ_UEBERTRAG"), 0u);
    EXPECT_EQ(first["KEINE_UEBERSCHREITUNGSZEILEN"], "0");

    auto second = Tags(report.Line(19));
    EXPECT_EQ(second["SUMMEPQ_UEBERTRAG"], std::to_string(carry));
    EXPECT_EQ(second["SUMMEPQ"], std::to_string(total));
    EXPECT_EQ(second["SUMMEPQGES"], std::to_string(total));
    EXPECT_EQ(second["LFDNR_SEITE_IM_ABSCHNITT"], "2");
    EXPECT_EQ(second["NUR_EINE_SEITE_IM_ABSCHNITT"], "0");
    EXPECT_EQ(second["ABZUG"], FormatFixed(total * 3.5 * 2.5, 2));
    EXPECT_EQ(second["ABZUGGES"], second["ABZUG"]);
    EXPECT_EQ(second["UNTERSCHRIFT"], "1");
    // The carry tag stands between the sums and the section values.
    const auto order = TagList(report.Line(19));
    ASSERT_GE(order.size(), 4u);
    EXPECT_EQ(order[2].first, "SUMMEPQ_UEBERTRAG");
    EXPECT_EQ(order[3].first, "VON");
}

struct PageFillCase {
    std::string remark;
    int rowsOnFirstPage;
};

TEST(UeberschreitungsProtokoll, RowsPerPageFollowTheRemarkHeight)
{
    const PageFillCase cases[] = {
        {"", 17},                                                  // 17 × 500 = 8500
        {"a{{CRLF}}b", 9},                                         // 9 × 900 = 8100
        {"a{{CRLF}}b{{CRLF}}c", 6},                                // 6 × 1300 = 7800
        {"a{{CRLF}}b{{CRLF}}c{{CRLF}}d{{CRLF}}e{{CRLF}}f{{CRLF}}g{{CRLF}}h", 6},  // longer ones as three lines
    };
    for (const PageFillCase& c : cases) {
        SideFile side;
        side.sections = Section(0);
        for (int i = 0; i < 20; ++i) {
            side.exceedances += Exceedance(10 + i, 2);
            side.remarks += Remark(10 + i, c.remark);
        }
        const CUeberschreitungsProtokoll report = BuildReport(side);
        int rows = 0;
        while (rows < report.LineCount() && StartsWith(report.Line(rows), "<<<"))
            ++rows;
        EXPECT_EQ(rows, c.rowsOnFirstPage) << c.remark;
        EXPECT_TRUE(StartsWith(report.Line(rows), "FF ABSCH_UMBRUCH |")) << c.remark;
        // The remark stays whole in the line; the layout prints its first three lines.
        EXPECT_EQ(GetField(report.Line(0), '|', 3), c.remark + "\xBF" + "0") << c.remark;
    }
}

TEST(UeberschreitungsProtokoll, DescendingRunListsInDescendingOrder)
{
    SideFile side;
    side.range = "2000;0";
    side.sections = Section(2000) + Section(1000, "300|40|10|1.0|2.50|1|Beton|50.0|2.0|");
    side.exceedances = Exceedance(500, 1) + Exceedance(1200, 2) + Exceedance(1000, 3) + Exceedance(1500, 4);
    side.excludedRanges = "1100_1300_Baustelle";
    const CUeberschreitungsProtokoll report = BuildReport(side);

    EXPECT_EQ(Stations(report.Lines()), (std::vector<std::string>{"1500", "1300", "1200", "1000", "500"}));
    // The larger end of a range comes first in a descending section.
    EXPECT_EQ(report.Line(1), "<<<1300|0|0|Baustelle|1|1100||{{BOK}}>>><<<0|0|0>>>");
    // Station 1000 is the lower bound of section 1 here: the half-open rule keeps it
    // in section 1, and so does SectionNumberAt; beyond the last start the
    // evaluation list takes the last section's number and width.
    EXPECT_EQ(report.Line(3), "<<<1000|3|9||1||50.0>>><<<1|350|3>>>");
    EXPECT_EQ(report.Line(5), "<<<500|1|1||1||50.0>>><<<2|300|4>>>");
    const auto pages = PageEndLines(report);
    ASSERT_EQ(pages.size(), 2u);
    auto first = Tags(pages[0]);
    EXPECT_EQ(first["VON"], "2000");
    EXPECT_EQ(first["BIS"], "1000");
    EXPECT_EQ(first["SUMMEPQ"], "29");
    EXPECT_EQ(first.count("NUR_EIN_ABSCHNITT"), 0u);
    auto second = Tags(pages[1]);
    EXPECT_EQ(second["LFDNR_ABSCHNITT"], "2");
    EXPECT_EQ(second["VON"], "1000");
    EXPECT_EQ(second["BIS"], "0");
    EXPECT_EQ(second["LAENGE"], "1000");
    EXPECT_EQ(second["BREITE"], "300");
    EXPECT_EQ(second["SUMMEPQ"], "1");
    EXPECT_EQ(second["SUMMEPQGES"], "30");
    EXPECT_EQ(second.count("VARK"), 0u);  // empty VarK is left out
}

// The figures of one printed page; "" where the page has no such tag.
struct PageFigures {
    std::string sum;
    std::string carry;
    std::string sumTotal;
    std::string deduction;
    std::string deductionTotal;
};

struct NotEvaluatedCase {
    const char* name;
    std::vector<bool> evaluated;                 // sections from 0, 1000, 2000, ... (1 m, k 1, price 1)
    std::vector<std::vector<int>> pValues;       // the counting exceedances of each section
    std::vector<PageFigures> pages;
};

// A section that is not evaluated keeps its own page figures (the layout hides
// them) but adds nothing to the whole run's p² sum or deduction.
TEST(UeberschreitungsProtokoll, SectionsNotEvaluatedStayOutOfTheTotals)
{
    const std::vector<int> eighteenTwos(18, 2);  // 17 rows fill a page, the 18th starts the next
    const NotEvaluatedCase cases[] = {
        {"all evaluated", {true, true}, {{3}, {2}},
         {{"9", "", "9", "9.00", "9.00"}, {"4", "", "13", "4.00", "13.00"}}},
        {"first not evaluated", {false, true}, {{3}, {2}},
         {{"9", "", "0", "9.00", ""}, {"4", "", "4", "4.00", "4.00"}}},
        {"none evaluated", {false, false}, {{3}, {2}},
         {{"9", "", "0", "9.00", ""}, {"4", "", "0", "4.00", ""}}},
        {"middle one not evaluated over a page break", {true, false, true}, {{3}, eighteenTwos, {1}},
         {{"9", "", "9", "9.00", "9.00"},
          {"68", "", "9", "", ""},
          {"72", "68", "9", "72.00", "9.00"},
          {"1", "", "10", "1.00", "10.00"}}},
    };
    for (const NotEvaluatedCase& c : cases) {
        SCOPED_TRACE(c.name);
        SideFile side;
        side.range = "0;" + std::to_string(1000 * c.evaluated.size());
        for (size_t i = 0; i < c.evaluated.size(); ++i) {
            const int32_t von = static_cast<int32_t>(1000 * i);
            side.sections += Section(von, std::string("100|40|10|1.0|1.00|") + (c.evaluated[i] ? "1" : "0") + "|||||");
            for (size_t j = 0; j < c.pValues[i].size(); ++j)
                side.exceedances += Exceedance(von + 10 + 10 * static_cast<int32_t>(j), c.pValues[i][j]);
        }
        const auto pages = PageEndLines(BuildReport(side));
        ASSERT_EQ(pages.size(), c.pages.size());
        for (size_t i = 0; i < pages.size(); ++i) {
            SCOPED_TRACE("page " + std::to_string(i + 1));
            auto tags = Tags(pages[i]);
            const PageFigures& want = c.pages[i];
            EXPECT_EQ(tags["SUMMEPQ"], want.sum);
            EXPECT_EQ(tags["SUMMEPQ_UEBERTRAG"], want.carry);
            EXPECT_EQ(tags["SUMMEPQGES"], want.sumTotal);
            EXPECT_EQ(tags["ABZUG"], want.deduction);
            EXPECT_EQ(tags["ABZUGGES"], want.deductionTotal);
        }
    }
}

TEST(UeberschreitungsProtokoll, TotalDeductionAddsThePrintedValues)
{
    SideFile side;
    side.range = "0;2000";
    // 1 mm² × 1 m × 1 × 0.125 is an exact tie at the third decimal in both sections.
    side.sections = Section(0, "100|40|10|1.0|0.125|1|||||") + Section(1000, "100|40|10|1.0|0.125|1|||||");
    side.exceedances = Exceedance(100, 1) + Exceedance(1100, 1);
    const auto pages = PageEndLines(BuildReport(side));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Tags(pages[0])["ABZUG"], "0.12");
    EXPECT_EQ(Tags(pages[0])["ABZUGGES"], "0.12");
    EXPECT_EQ(Tags(pages[1])["ABZUG"], "0.12");
    EXPECT_EQ(Tags(pages[1])["ABZUGGES"], "0.24");
}

TEST(UeberschreitungsProtokoll, DeductionNeedsRatesAndTableLines)
{
    SideFile side;
    side.range = "0;3000";
    side.sections = Section(0, "350|40|10|0|2.50|1|||||")       // no factor k
                    + Section(1000, "350|40|10|1.0|2.50|1|||||")  // lines that do not count
                    + Section(2000, "350|40|10|1.0|2.50|1|||||"); // no lines at all
    side.exceedances = Exceedance(100, 3) + Exceedance(1100, 3, false);
    const auto pages = PageEndLines(BuildReport(side));
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(Tags(pages[0]).count("ABZUG"), 0u);
    EXPECT_EQ(Tags(pages[1])["ABZUG"], "0.00");
    EXPECT_EQ(Tags(pages[1])["SUMMEPQ"], "0");
    EXPECT_EQ(Tags(pages[2]).count("ABZUG"), 0u);
    EXPECT_EQ(Tags(pages[2])["KEINE_UEBERSCHREITUNGSZEILEN"], "1");
    for (const std::string& page : pages)
        EXPECT_EQ(Tags(page).count("ABZUGGES"), 0u);
}

TEST(UeberschreitungsProtokoll, BoundaryAndOutsideExceedances)
{
    SideFile side;
    side.range = "0;2000";
    side.sections = Section(0) + Section(1000, "300|40|10|1.0|2.50|1|||||");
    side.exceedances = Exceedance(-5, 7) + Exceedance(1000, 2) + Exceedance(2000, 7) + Exceedance(2500, 7);
    const CUeberschreitungsProtokoll report = BuildReport(side);
    // Listed in section 2's table, numbered as section 1 of the evaluation list.
    ASSERT_EQ(Stations(report.Lines()), std::vector<std::string>{"1000"});
    EXPECT_EQ(report.Line(1), "<<<1000|2|4||1||50.0>>><<<1|350|2>>>");
    const auto pages = PageEndLines(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(Tags(pages[0])["SUMMEPQ"], "0");
    EXPECT_EQ(Tags(pages[1])["SUMMEPQ"], "4");
    EXPECT_EQ(Tags(pages[1])["SUMMEPQGES"], "4");
}

TEST(UeberschreitungsProtokoll, RangeLinesNeedAnEndStrictlyInside)
{
    SideFile side;
    side.range = "0;2000";
    side.sections = Section(0) + Section(1000);
    side.exceedances = Exceedance(500, 2);
    // Inside section 1; across the boundary (in both); ends on the bounds (in none);
    // around all of section 2 (in none); one end at the exceedance's station.
    side.excludedRanges = "300_200_a_900_1200_b_0_1000_c_1000_2001_d_700_500_e";
    const CUeberschreitungsProtokoll report = BuildReport(side);
    const std::vector<std::string> expected = {
        "<<<200|0|0|a|1|300||{{BOK}}>>><<<0|0|0>>>",
        "<<<500|2|4||1||50.0>>><<<1|350|1>>>",
        "<<<500|0|0|e|1|700||{{BOK}}>>><<<0|0|0>>>",
        "<<<900|0|0|b|1|1200||{{BOK}}>>><<<0|0|0>>>",
    };
    ASSERT_GE(report.LineCount(), 5);
    EXPECT_EQ(std::vector<std::string>(report.Lines().begin(), report.Lines().begin() + 4), expected);
    EXPECT_EQ(report.Line(4).substr(0, 15), "FF ABSCH_ENDE |");
    EXPECT_EQ(report.Line(5), "<<<900|0|0|b|1|1200||{{BOK}}>>><<<0|0|0>>>");
    // Range lines count, but add nothing.
    EXPECT_EQ(Tags(report.Line(4))["SUMMEPQ"], "4");
}

// --- Remarks that would break a line ----------------------------------------------------

TEST(ReportSafeRemark, KeepsTheLineStructure)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Riss{{CRLF}}Naht", "Riss{{CRLF}}Naht"},
        {"a|b", "a\xA6" "b"},
        {"<<<x>>>", "<x>"},
        {"<<<<<", "<"},
        {"<< >> ok", "<< >> ok"},
        {"mit {{BOK}} drin", "mit {BOK} drin"},
        {"{{{BOK}}}", "{BOK}"},
    };
    for (const auto& [remark, expected] : cases) {
        EXPECT_EQ(protokoll::ReportSafeRemark(remark), expected) << remark;
        EXPECT_EQ(Find(protokoll::ReportSafeRemark(remark), "{{BOK}}"), -1) << remark;
    }
}

TEST(UeberschreitungsProtokoll, RemarkWithSeparatorsKeepsFieldsAndText)
{
    SideFile side;
    side.sections = Section(0);
    side.exceedances = Exceedance(100, 3, false);
    side.remarks = Remark(100, "Schacht|Deckel >>>sehr<<< {{BOK}}|");
    side.excludedRanges = "200_300_Br#lo##lo##lo#cke|x";
    const CUeberschreitungsProtokoll report = BuildReport(side);
    ASSERT_GE(report.LineCount(), 3);
    EXPECT_EQ(report.Line(0), "<<<100|3|9|Schacht\xA6" "Deckel >sehr< {BOK}\xA6\xBF" "0|0||50.0>>><<<1|350|1>>>");
    EXPECT_EQ(report.Line(1), "<<<200|0|0|Br<cke\xA6x|1|300||{{BOK}}>>><<<0|0|0>>>");
    EXPECT_EQ(Tags(report.Line(2))["SUMMEPQ"], "0");  // field 4 still says "does not count"
}

// --- The quadratic procedure as a reference -----------------------------------------------

int32_t ReferenceKey(const std::string& line)
{
    return ToInt(GetField(line.substr(3), '|', 0));
}

std::vector<std::string> ReferenceSectionTables(const std::vector<std::string>& exceedanceLines,
                                                const CBearbeitungsstand& state,
                                                const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges)
{
    std::vector<std::string> report;
    for (int i = 0; i < state.SectionCount(); ++i) {
        const ABSCHNITT s = state.Section(i);
        const int32_t lo = std::min(s.von, s.bis);
        const int32_t hi = std::max(s.von, s.bis);
        std::vector<std::string> lines;
        for (size_t j = 0; j < exceedanceLines.size(); ++j) {
            const int32_t station = ReferenceKey(exceedanceLines[j]);
            if (lo <= station && station < hi) {
                const SectionNumber number = state.SectionNumberAt(station);
                lines.push_back(exceedanceLines[j] + "<<<" + std::to_string(number.number) + "|" +
                                std::to_string(number.breite) + "|" + std::to_string(j + 1) + ">>>");
            }
        }
        for (const BEREICH_OHNE_ERKENNUNG_DATEN& r : ranges) {
            const int32_t rmin = std::min(r.von, r.bis);
            const int32_t rmax = std::max(r.von, r.bis);
            if ((lo < rmin && rmin < hi) || (lo < rmax && rmax < hi)) {
                const bool ascending = s.von < s.bis;
                lines.push_back("<<<" + std::to_string(ascending ? rmin : rmax) + "|0|0|" + r.bemerkung + "|1|" +
                                std::to_string(ascending ? rmax : rmin) + "||{{BOK}}>>><<<0|0|0>>>");
            }
        }
        const bool ascending = s.von <= s.bis;
        for (bool swapped = true; swapped;) {
            swapped = false;
            for (size_t k = 1; k < lines.size(); ++k) {
                const int32_t a = ReferenceKey(lines[k - 1]);
                const int32_t b = ReferenceKey(lines[k]);
                if (ascending ? a > b : a < b) {
                    std::swap(lines[k - 1], lines[k]);
                    swapped = true;
                }
            }
        }
        report.insert(report.end(), lines.begin(), lines.end());
        report.push_back("FF ABSCH_ENDE |");
    }
    return report;
}

int ReferenceHeight(const std::string& line)
{
    const std::string remark = GetField(line, '|', 3);
    int lines = 1;
    for (size_t pos = remark.find("{{CRLF}}"); pos != std::string::npos; pos = remark.find("{{CRLF}}", pos + 1))
        ++lines;
    return lines == 1 ? 500 : lines == 2 ? 900 : 1300;
}

std::vector<std::string> ReferencePageBreaks(std::vector<std::string> lines)
{
    for (bool inserted = true; inserted;) {
        inserted = false;
        int running = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (StartsWith(lines[i], "FF ")) {
                running = 0;
                continue;
            }
            const int height = ReferenceHeight(lines[i]);
            if (running + height > 8600) {
                lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(i), "FF ABSCH_UMBRUCH |");
                inserted = true;
                break;
            }
            running += height;
        }
    }
    lines.push_back("ENDE");
    return lines;
}

// A random side file: equal stations, stations on section bounds, ranges starting
// at exceedance stations, remarks of one to five lines, both run directions.
std::string RandomSideFile(std::mt19937& random)
{
    auto uniform = [&random](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const bool ascending = uniform(0, 1) == 1;
    const int sectionCount = uniform(1, 5);
    SideFile side;
    side.range = ascending ? "0;5000" : "5000;0";
    std::vector<int32_t> starts = {ascending ? 0 : 5000};
    for (int i = 1; i < sectionCount; ++i)
        starts.push_back(ascending ? i * 5000 / sectionCount : 5000 - i * 5000 / sectionCount);
    for (int32_t start : starts)
        side.sections += Section(start, std::to_string(uniform(100, 400)) + "|40|10|1.0|2.50|1|||||");

    std::vector<int32_t> stations;
    const int count = uniform(0, 150);
    for (int i = 0; i < count; ++i) {
        int32_t station = uniform(0, 3) == 0 ? starts[static_cast<size_t>(uniform(0, sectionCount - 1))]
                                             : uniform(-100, 5100) / 10 * 10;
        if (!stations.empty() && uniform(0, 4) == 0)
            station = stations[static_cast<size_t>(uniform(0, static_cast<int>(stations.size()) - 1))];
        stations.push_back(station);
        side.exceedances += Exceedance(station, uniform(0, 9), uniform(0, 5) != 0);
        if (uniform(0, 2) == 0) {
            std::string remark = "r" + std::to_string(i);
            for (int line = uniform(0, 4); line > 0; --line)
                remark += "{{CRLF}}x";
            side.remarks += Remark(station, remark);
        }
    }
    for (int i = uniform(0, 8); i > 0; --i) {
        const int32_t a = !stations.empty() && uniform(0, 1) == 0
                              ? stations[static_cast<size_t>(uniform(0, static_cast<int>(stations.size()) - 1))]
                              : uniform(0, 5000);
        side.excludedRanges += (side.excludedRanges.empty() ? "" : "_") + std::to_string(a) + "_" +
                               std::to_string(a + uniform(-600, 600)) + "_b" + std::to_string(i);
    }
    return side.Text();
}

TEST(UeberschreitungsProtokoll, SameLinesAsTheQuadraticProcedure)
{
    std::mt19937 random(20240611);
    for (int run = 0; run < 60; ++run) {
        ReportInputs inputs(RandomSideFile(random));
        const std::vector<std::string> exceedanceLines = inputs.exceedances.ReportLines();
        std::vector<ABSCHNITT> sections;
        for (int i = 0; i < inputs.state.SectionCount(); ++i)
            sections.push_back(inputs.state.Section(i));

        const auto tables = protokoll::SectionTables(exceedanceLines, sections, inputs.state, inputs.ranges);
        const auto referenceTables = ReferenceSectionTables(exceedanceLines, inputs.state, inputs.ranges);
        ASSERT_EQ(tables, referenceTables) << "run " << run;
        const auto paged = protokoll::WithPageBreaks(tables);
        ASSERT_EQ(paged, ReferencePageBreaks(referenceTables)) << "run " << run;

        std::vector<std::string> expected = paged;
        const int pages = protokoll::AppendPageTags(expected, sections);
        CUeberschreitungsProtokoll report;
        report.Build(inputs.exceedances, inputs.state, inputs.ranges);
        ASSERT_EQ(report.Lines(), expected) << "run " << run;
        EXPECT_EQ(report.PageCount(), pages);
    }
}

}  // namespace
}  // namespace kurvex
