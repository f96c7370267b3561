#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/Bearbeitungsstand.h"
#include "document/KurvexDoc.h"
#include "evaluation/EvaluationListRows.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "support/DocumentHelpers.h"

namespace kurvex {
namespace {

using Kind = EvaluationLineKind;

// --- Planning the lines ---------------------------------------------------------------

// A line as "E3" (exceedance index 3), "R1>4" (range 1 before exceedance 4) or "-" (blank).
std::string Describe(const EvaluationListLine& line)
{
    switch (line.kind) {
    case Kind::Exceedance: return "E" + std::to_string(line.exceedance);
    case Kind::ExcludedRange: return "R" + std::to_string(line.range) + ">" + std::to_string(line.exceedance);
    case Kind::Blank: return "-";
    }
    return "?";
}

std::vector<std::string> Describe(const std::vector<EvaluationListLine>& lines)
{
    std::vector<std::string> out;
    for (const auto& line : lines)
        out.push_back(Describe(line));
    return out;
}

std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> Ranges(std::initializer_list<std::pair<int32_t, int32_t>> ends)
{
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges;
    for (const auto& [von, bis] : ends)
        ranges.push_back({von, bis, ""});
    return ranges;
}

struct PlanCase {
    const char* name;
    std::vector<int32_t> stations;
    std::vector<int> sections;
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges;
    bool ascending;
    std::vector<std::string> expected;
};

TEST(EvaluationListPlan, GroupsBySectionAndPlacesRangesBeforeTheExceedanceTheyPrecede)
{
    const PlanCase cases[] = {
        {"sections 1, 1, 2", {100, 200, 300}, {1, 1, 2}, {}, true, {"E0", "E1", "-", "E2", "-"}},
        {"one section", {100, 200}, {1, 1}, {}, true, {"E0", "E1", "-"}},
        {"every exceedance its own section", {100, 200, 300}, {1, 2, 3}, {}, true, {"E0", "-", "E1", "-", "E2", "-"}},
        {"range between exceedances 4 and 5",
         {100, 200, 300, 400, 500},
         {1, 1, 1, 1, 1},
         Ranges({{450, 470}}),
         true,
         {"E0", "E1", "E2", "E3", "R0>4", "E4", "-"}},
        {"range before an exceedance that starts a new section: after the blank line",
         {100, 200, 300, 400, 500},
         {1, 1, 1, 1, 2},
         Ranges({{450, 470}}),
         true,
         {"E0", "E1", "E2", "E3", "-", "R0>4", "E4", "-"}},
        {"range ahead of the first exceedance", {100, 200}, {1, 1}, Ranges({{20, 40}}), true, {"R0>0", "E0", "E1", "-"}},
        {"range behind the last exceedance is not listed", {100, 200}, {1, 1}, Ranges({{250, 300}}), true,
         {"E0", "E1", "-"}},
        {"ranges and no exceedance: nothing", {}, {}, Ranges({{10, 20}, {30, 40}}), true, {}},
        {"the first stored end decides, not the smaller one", {100, 200, 300}, {1, 1, 1}, Ranges({{250, 150}}), true,
         {"E0", "E1", "R0>2", "E2", "-"}},
        {"a range starting at an exceedance comes before it", {100, 200}, {1, 1}, Ranges({{200, 220}}), true,
         {"E0", "R0>1", "E1", "-"}},
        {"ranges before one exceedance keep their stored order", {100, 200}, {1, 1}, Ranges({{180, 190}, {150, 160}}),
         true, {"E0", "R0>1", "R1>1", "E1", "-"}},
        {"equal stations: the range goes before the first of them", {100, 200, 200}, {1, 1, 1}, Ranges({{150, 160}}),
         true, {"E0", "R0>1", "E1", "E2", "-"}},
        {"descending run: the mirror image", {500, 400, 300, 200}, {1, 1, 2, 2}, Ranges({{350, 330}, {450, 420}}),
         false, {"E0", "R1>1", "E1", "-", "R0>2", "E2", "E3", "-"}},
        {"descending run: a range ahead of the first exceedance", {500, 400}, {1, 1}, Ranges({{600, 550}}), false,
         {"R0>0", "E0", "E1", "-"}},
        {"negative stations ahead of the first exceedance", {-50, 100}, {1, 1}, Ranges({{-80, -60}}), true,
         {"R0>0", "E0", "E1", "-"}},
    };
    for (const PlanCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(PlanEvaluationLines(c.stations, c.sections, c.ranges, c.ascending)), c.expected);
    }
}

// --- Texts of a line --------------------------------------------------------------------

UEBERSCHREITUNG Exceedance(int32_t station, int32_t messwert, int32_t p, bool counts, double speed, int32_t seite)
{
    UEBERSCHREITUNG e;
    e.station = station;
    e.messwert = messwert;
    e.p = p;
    e.p2 = p * p;
    e.beruecksichtigt = counts;
    e.geschwindigkeit = speed;
    e.seite = seite;
    return e;
}

TEST(EvaluationListRow, AnExceedanceLineShowsItsFiguresInDisplayUnits)
{
    const EvaluationListRow row =
        ExceedanceRow(4, Exceedance(12345, 45, 3, true, 12.34, 7), 350, "Riss{{CRLF}}zweite Zeile\xBF" "1");
    EXPECT_EQ(row.nr, "5");
    EXPECT_EQ(row.seite, "7");
    EXPECT_EQ(row.station, "1234.5");
    EXPECT_EQ(row.breite, "3.50");
    EXPECT_EQ(row.messwert, "4.5");
    EXPECT_EQ(row.p, "3");
    EXPECT_EQ(row.p2, "9");
    EXPECT_EQ(row.geschw, "12.3");
    EXPECT_EQ(row.bemerkung, "Riss{{CRLF}}zweite Zeile");
    EXPECT_EQ(row.counts, "1");
    EXPECT_TRUE(RowCounts(row.counts));
    // The list draws the remark on one line, the parts joined by a blank.
    EXPECT_EQ(RowCellText(row, kRowBemerkung), "Riss zweite Zeile");
    EXPECT_EQ(RowCellText(row, kRowCounts), "");
    EXPECT_EQ(RowCellText(row, kRowStation), "1234.5");
}

TEST(EvaluationListRow, EdgesOfTheExceedanceTexts)
{
    struct Case {
        const char* name;
        UEBERSCHREITUNG exceedance;
        std::string remark;
        int column;
        std::string expected;
    };
    const Case cases[] = {
        {"speed 0.0 shows empty", Exceedance(100, 45, 1, true, 0.0, 1), "", kRowGeschw, ""},
        {"no speed shows empty", Exceedance(100, 45, 1, true, -1.0, 1), "", kRowGeschw, ""},
        {"page not yet drawn shows empty", Exceedance(100, 45, 1, true, 5.0, kPageNotYetDrawn), "", kRowSeite, ""},
        {"page from the chart", Exceedance(100, 45, 1, true, 5.0, 12), "", kRowSeite, "12"},
        {"not counting", Exceedance(100, 45, 1, false, 5.0, 1), "", kRowCounts, "0"},
        {"no remark entry", Exceedance(100, 45, 1, true, 5.0, 1), "", kRowBemerkung, ""},
        {"remark without flag", Exceedance(100, 45, 1, true, 5.0, 1), "nur Text", kRowBemerkung, "nur Text"},
        {"empty remark with flag", Exceedance(100, 45, 1, true, 5.0, 1), "\xBF" "1", kRowBemerkung, ""},
        {"negative value", Exceedance(100, -45, 1, true, 5.0, 1), "", kRowMesswert, "-4.5"},
        {"negative station", Exceedance(-15, 45, 1, true, 5.0, 1), "", kRowStation, "-1.5"},
        {"station at the end of the integer range", Exceedance(2147483647, 45, 1, true, 5.0, 1), "", kRowStation,
         "214748364.7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RowText(ExceedanceRow(0, c.exceedance, 350, c.remark), c.column), c.expected);
    }
}

TEST(EvaluationListRow, ARangeLineShowsItsEndsInStoredOrderAndNoFigures)
{
    const EvaluationListRow row = ExcludedRangeRow(4, {2500, 1500, "Baustelle{{CRLF}}gesperrt\xBFx"});
    EXPECT_EQ(row.nr, "5");
    EXPECT_EQ(row.seite, "");
    EXPECT_EQ(row.station, "250.0 - 150.0");
    EXPECT_EQ(row.breite, "");
    EXPECT_EQ(row.messwert, "");
    EXPECT_EQ(row.p, "--");
    EXPECT_EQ(row.p2, "--");
    EXPECT_EQ(row.geschw, "--");
    EXPECT_EQ(row.bemerkung, "Baustelle{{CRLF}}gesperrt");
    EXPECT_EQ(row.counts, "");
    EXPECT_FALSE(RowCounts(row.counts));
}

TEST(EvaluationListRow, ALineCountsWhenItsCountsTextReadsAsANonZeroInteger)
{
    const std::pair<const char*, bool> cases[] = {
        {"1", true}, {"0", false}, {"", false}, {"2", true}, {"-1", true}, {"abc", false}, {" 1", true}, {"0x1", false},
    };
    for (const auto& [text, counts] : cases)
        EXPECT_EQ(RowCounts(text), counts) << '"' << text << '"';
}

// --- The list of a side file --------------------------------------------------------------

// Sections starting at 0, 1000 and 2000 dm with widths 350, 300 and 250 cm.
constexpr const char* kSections = "[0|350|40|10|1.0|2.50|1||||][1000|300|40|10|1.0|2.50|1||||][2000|250|40|10|1.0|2.50|0||||]";

struct ListInputs {
    CBearbeitungsstand state;
    CUeberschreitungsDaten exceedances;
    std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> ranges;

    ListInputs(const std::string& range, const std::string& exceedanceData, const std::string& remarks,
               const std::string& excluded)
    {
        state.LoadStateFromText("run.pbs.zi4", "MANUVONBIS=" + range + "\r\nABSCHNITTE=" + kSections +
                                                   "\r\nUEBERSCHREITUNGSDATEN_1=" + exceedanceData +
                                                   "\r\nUEBERSCHREITUNGSDATEN_4=" + remarks +
                                                   "\r\nBEREICHOHNEERKENNUNGDATEN=" + excluded + "\r\n");
        exceedances.SetAscending(state.RangeStart() < state.RangeEnd());
        exceedances.Load(state.ExceedanceData(), state.EvaluationParameters(), state.RemarkData());
        ranges = DecodeExcludedRanges(state.ExcludedRanges());
    }
};

std::vector<std::string> Column(const EvaluationList& list, int column)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.LineCount(); ++i)
        texts.push_back(RowText(list.Row(i), column));
    return texts;
}

TEST(EvaluationList, SortsTheExceedancesAndTakesWidthsAndRemarksFromTheSideFile)
{
    // Stored out of order; 1000 lies on a section start and belongs to the section before it.
    ListInputs in("0;3000",
                  "[1500;60;2;0;0;1;;45.5;;][500;50;1;0;0;0;;0.0;;][1000;70;3;0;0;1;;40.0;;][2500;80;4;0;0;1;;;;]",
                  "[1500\xBFSchlagloch{{CRLF}}tief\xBF" "1]", "1200_1300_Br#underscore#cke_2600_2700_dahinter");
    EvaluationList list(in.exceedances, in.state, in.ranges);
    using Texts = std::vector<std::string>;
    EXPECT_EQ(Column(list, kRowNr), (Texts{"1", "2", "", "3", "3", "", "4", ""}));
    EXPECT_EQ(Column(list, kRowStation), (Texts{"50.0", "100.0", "", "120.0 - 130.0", "150.0", "", "250.0", ""}));
    EXPECT_EQ(Column(list, kRowBreite), (Texts{"3.50", "3.50", "", "", "3.00", "", "2.50", ""}));
    EXPECT_EQ(Column(list, kRowGeschw), (Texts{"", "40.0", "", "--", "45.5", "", "", ""}));
    EXPECT_EQ(Column(list, kRowBemerkung), (Texts{"", "", "", "Br_cke", "Schlagloch{{CRLF}}tief", "", "", ""}));
    EXPECT_EQ(Column(list, kRowCounts), (Texts{"0", "1", "", "", "1", "", "1", ""}));
    EXPECT_EQ(list.Line(3).kind, EvaluationLineKind::ExcludedRange);
    EXPECT_EQ(list.Line(3).range, 0);
}

TEST(EvaluationList, ADescendingRunListsFromTheHighStationDown)
{
    ListInputs in("3000;0", "[500;50;1;0;0;1;;5.0;;][2500;80;4;0;0;1;;5.0;;][1500;60;2;0;0;1;;5.0;;]", "",
                  "900_700_vorher");
    EvaluationList list(in.exceedances, in.state, in.ranges);
    using Texts = std::vector<std::string>;
    EXPECT_EQ(Column(list, kRowStation), (Texts{"250.0", "150.0", "", "90.0 - 70.0", "50.0", ""}));
}

TEST(EvaluationList, ManyExceedancesArePlannedWithoutFormattingTheirTexts)
{
    std::string exceedances;
    for (int i = 0; i < 10000; ++i)
        exceedances += "[" + std::to_string(i * 3) + ";50;1;0;0;1;;5.0;;]";
    ListInputs in("0;30000", exceedances, "", "150_160_a_15000_15010_b");
    EvaluationList list(in.exceedances, in.state, in.ranges);
    // Sections 1 to 3 close with a blank line each; both ranges lie between exceedances.
    EXPECT_EQ(list.LineCount(), 10000 + 3 + 2);
    EXPECT_EQ(RowText(list.Row(list.LineCount() - 2), kRowNr), "10000");
}

TEST(EvaluationList, TheSampleRunListsItsExceedancesByItsThreeSections)
{
    CKurvexDoc doc;
    ASSERT_EQ(test::OpenSample(doc, "pm01bs02_sample.pbs"), OpenResult::Opened);
    ASSERT_EQ(doc.Exceedances().ExceedanceCount(), 41);
    EvaluationList list(doc.Exceedances(), doc.State(), doc.ExcludedRanges());
    int exceedanceLines = 0;
    int blankLines = 0;
    for (int i = 0; i < list.LineCount(); ++i) {
        exceedanceLines += list.Line(i).kind == EvaluationLineKind::Exceedance;
        blankLines += list.Line(i).kind == EvaluationLineKind::Blank;
    }
    EXPECT_EQ(exceedanceLines, 41);
    EXPECT_GE(blankLines, 1);
    EXPECT_LE(blankLines, 3);
    EXPECT_EQ(list.Line(list.LineCount() - 1).kind, EvaluationLineKind::Blank);
}

}  // namespace
}  // namespace kurvex
