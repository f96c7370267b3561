#include "evaluation/ReportLayout.h"

#include "chart/SurfacePrinters.h"
#include "common/RecordingSurface.h"
#include "document/KurvexDoc.h"
#include "evaluation/DocumentReport.h"
#include "support/DocumentHelpers.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace kurvex {
namespace {

// A4 portrait with 5 mm margins: the content frame runs from (2000, -3000) to (19000, -28500).
const Rect kPrintable{0, 0, 20000, -28700};
constexpr int X0 = 2000;
constexpr int XR = 19000;
constexpr int Y0 = -3000;
constexpr int Yb = Y0 - 11900;  // top of the table body
constexpr int Ys = Yb - 8600;   // top of the sum row

using Tags = std::vector<std::pair<std::string, std::string>>;

// A page-end line with the tags given; "\xBF" is the tag separator.
std::string PageEnd(const Tags& tags, bool sectionEnd = true)
{
    std::string line = sectionEnd ? "FF ABSCH_ENDE |" : "FF ABSCH_UMBRUCH |";
    for (const auto& [key, value] : tags)
        line += key + "=" + value + "\xBF";
    return line;
}

// The figures of an evaluated section on its only page.
Tags SectionTags(Tags extra = {})
{
    Tags tags = {{"SUMMEPQ", "5"},           {"SUMMEPQGES", "5"},     {"VON", "123450"},
                 {"BIS", "124780"},          {"PREIS", "2.50"},       {"FAKTORK", "1.00"},
                 {"GRENZWERT", "27.0"},      {"LAENGE", "1330"},      {"BREITE", "350"},
                 {"FAHRBAHNOB", "AC 11"},    {"MGESCHW", "45.5"},     {"KEINE_UEBERSCHREITUNGSZEILEN", "0"},
                 {"KEINE_AUSWERTUNG", "0"},  {"LFDNR_ABSCHNITT", "1"}, {"LFDNR_SEITE_IM_ABSCHNITT", "1"},
                 {"NUR_EINE_SEITE_IM_ABSCHNITT", "1"}, {"ABZUG", "17.50"}, {"ABZUGGES", "17.50"},
                 {"UNTERSCHRIFT", "1"}};
    for (auto& [key, value] : extra) {
        bool replaced = false;
        for (auto& tag : tags)
            if (tag.first == key) {
                tag.second = value;
                replaced = true;
            }
        if (!replaced)
            tags.emplace_back(key, value);
    }
    return tags;
}

std::string Exceedance(int station, int p, const std::string& remark = "", bool counts = true,
                       const std::string& speed = "45.5", int index = 1)
{
    return "<<<" + std::to_string(station) + "|" + std::to_string(p) + "|" + std::to_string(p * p) + "|" + remark +
           "|" + (counts ? "1" : "0") + "||" + speed + ">>><<<1|350|" + std::to_string(index) + ">>>";
}

std::string Range(int first, int second, const std::string& remark)
{
    return "<<<" + std::to_string(first) + "|0|0|" + remark + "|1|" + std::to_string(second) + "||{{BOK}}>>><<<0|0|0>>>";
}

ReportInputs Inputs(std::vector<std::string> lines)
{
    ReportInputs inputs;
    inputs.lines = std::move(lines);
    inputs.lines.emplace_back("ENDE");
    inputs.evaluationNumber = "4";
    inputs.rangeStart = 123450;
    inputs.rangeEnd = 127441;
    inputs.speedCount = 100;
    return inputs;
}

RecordingSurface Draw(const ReportInputs& inputs, int page = 1)
{
    RecordingSurface surface;
    DrawReportPage(surface, inputs, page, kPrintable);
    return surface;
}

// The text records drawn at exactly this point.
std::vector<const SurfaceRecord*> TextsAt(const RecordingSurface& surface, Point at)
{
    std::vector<const SurfaceRecord*> found;
    for (const SurfaceRecord* record : surface.OfKind(RecordKind::TextOut))
        if (record->points.at(0) == at)
            found.push_back(record);
    return found;
}

std::string TextAt(const RecordingSurface& surface, Point at)
{
    const auto found = TextsAt(surface, at);
    return found.empty() ? std::string("<none>") : found.front()->text;
}

TEST(MapSeite, MissingTagsTakeTheReportDefaults)
{
    const MapSeite page = MapSeite::Parse("FF ABSCH_ENDE |SUMMEPQ=12\xBF" "FAHRBAHNOB=AC=11\xBF\xBF" "VARK=9\xBF");
    EXPECT_EQ(page.Text("SUMMEPQ"), "12");
    EXPECT_EQ(page.Text("FAHRBAHNOB"), "AC=11");  // split at the first "="
    EXPECT_EQ(page.Text("VARK"), "-");            // after the empty item nothing is read
    const struct {
        const char* key;
        const char* value;
    } defaults[] = {{"BREITE", "0"},           {"MGESCHW", ""},       {"PREIS", "0"},
                    {"SUMMEPQGES", "-1"},      {"SUMMEPQ_UEBERTRAG", "-1"}, {"ABZUG", ""},
                    {"UNTERSCHRIFT", "0"},     {"LFDNR_ABSCHNITT", "-1"}, {"LFDNR_SEITE_IM_ABSCHNITT", "-1"},
                    {"VON", "0"},              {"LAENGE", "0"},       {"KEINE_AUSWERTUNG", "0"}};
    for (const auto& entry : defaults)
        EXPECT_EQ(page.Text(entry.key), entry.value) << entry.key;
    EXPECT_EQ(page.Lookup("ABZUG", "x"), "x");
}

TEST(MapSeite, FlagsAreExactlyOneAndTheDeductionNeedsPriceAndFactor)
{
    const struct {
        const char* tags;
        bool flag;
        bool rates;
    } cases[] = {
        {"UNTERSCHRIFT=1\xBF" "PREIS=2.5\xBF" "FAKTORK=1\xBF", true, true},
        {"UNTERSCHRIFT=11\xBF" "PREIS=0.0001\xBF" "FAKTORK=1\xBF", false, false},
        {"UNTERSCHRIFT= 1\xBF" "PREIS=2\xBF", false, false},
    };
    for (const auto& c : cases) {
        const MapSeite page = MapSeite::Parse(std::string("FF ABSCH_ENDE |") + c.tags);
        EXPECT_EQ(page.Flag("UNTERSCHRIFT"), c.flag) << c.tags;
        EXPECT_EQ(page.HasDeductionRates(), c.rates) << c.tags;
    }
}

TEST(ReportPages, APageIsTheTableLinesBeforeItsPageEndLine)
{
    const std::vector<std::string> lines = {Exceedance(123470, 2), PageEnd({{"SUMMEPQ", "4"}}, false),
                                            Exceedance(123480, 3), Exceedance(123490, 1),
                                            PageEnd({{"SUMMEPQ", "14"}}), "ENDE", "FF ABSCH_ENDE |"};
    EXPECT_EQ(ReportPageCount(lines), 2);
    const auto first = LocateReportPage(lines, 1);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->tableLines, std::vector<std::string>{lines[0]});
    EXPECT_EQ(first->tags.Int("SUMMEPQ"), 4);
    EXPECT_FALSE(first->lastOfJob);
    const auto second = LocateReportPage(lines, 2);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->tableLines, (std::vector<std::string>{lines[2], lines[3]}));
    EXPECT_TRUE(second->lastOfJob);
    EXPECT_FALSE(LocateReportPage(lines, 3));  // lines after "ENDE" do not count
    EXPECT_FALSE(LocateReportPage(lines, 0));
    EXPECT_FALSE(LocateReportPage({"ENDE"}, 1));
}

TEST(ReportPage, NumberBoxShowsSectionAndPageOnlyWhereThereAreSeveral)
{
    const struct {
        Tags tags;
        const char* expected;
    } cases[] = {
        {{{"LFDNR_ABSCHNITT", "1"}, {"LFDNR_SEITE_IM_ABSCHNITT", "2"}, {"NUR_EINE_SEITE_IM_ABSCHNITT", "0"}}, "4.1.2"},
        {{{"LFDNR_ABSCHNITT", "1"}, {"NUR_EIN_ABSCHNITT", "1"}, {"LFDNR_SEITE_IM_ABSCHNITT", "2"},
          {"NUR_EINE_SEITE_IM_ABSCHNITT", "0"}},
         "4.2"},
        {{{"LFDNR_ABSCHNITT", "1"}, {"NUR_EIN_ABSCHNITT", "1"}, {"LFDNR_SEITE_IM_ABSCHNITT", "1"},
          {"NUR_EINE_SEITE_IM_ABSCHNITT", "1"}},
         "4"},
        {{{"LFDNR_ABSCHNITT", "3"}, {"LFDNR_SEITE_IM_ABSCHNITT", "1"}, {"NUR_EINE_SEITE_IM_ABSCHNITT", "1"}}, "4.3"},
    };
    for (const auto& c : cases) {
        const RecordingSurface surface = Draw(Inputs({PageEnd(SectionTags(c.tags))}));
        const SurfaceRecord* box = surface.FindText(c.expected);
        ASSERT_NE(box, nullptr) << c.expected;
        EXPECT_EQ(box->kind, RecordKind::DrawText);
        EXPECT_EQ(box->rect, (Rect{XR - 2000, Y0 - 500, XR, Y0 - 1000}));
        EXPECT_NE(box->flags & kDtCenter, 0u);
    }
    // Without an evaluation number the box starts with the section.
    ReportInputs inputs = Inputs({PageEnd(SectionTags(cases[0].tags))});
    inputs.evaluationNumber.clear();
    EXPECT_NE(Draw(inputs).FindText("1.2"), nullptr);
}

TEST(ReportPage, FormHeadAndTitleStandWhereTheFormPutsThem)
{
    const RecordingSurface surface = Draw(Inputs({PageEnd(SectionTags())}));
    EXPECT_EQ(TextAt(surface, {X0 + 300, Y0 - 51}), "Ebenheitsprüfung mit dem Planografen");
    EXPECT_EQ(TextAt(surface, {X0 + 300, Y0 - 500}),
              "Diagrammauswertung nach TP Eben – Berührende Messungen (Ausgabe 2017)");
    const SurfaceRecord* title = TextsAt(surface, {X0 + 300, Y0 - 51}).front();
    EXPECT_EQ(title->state.font.face, "Times New Roman");
    EXPECT_EQ(title->state.font.weight, 800);
    EXPECT_EQ(title->state.font.escapement, 0);  // level, without the tenth of a degree
    EXPECT_EQ(TextAt(surface, {X0 + 12300, Y0 - 5051}), "1 : 400");
    EXPECT_NE(surface.FindSegment({XR - 2000, Y0}, {XR - 2000, Y0 - 1000}), nullptr);
    EXPECT_NE(surface.FindSegment({X0 + 8700, Y0 - 1000}, {X0 + 8700, Y0 - 2500}), nullptr);
    ASSERT_EQ(surface.Count(RecordKind::Rectangle), 1u);
    EXPECT_EQ(surface.OfKind(RecordKind::Rectangle).front()->rect, (Rect{X0, Y0, XR, Y0 - 25500}));

    const struct {
        int standard;
        const char* title;
        const char* unit;
    } standards[] = {{0, "Diagrammauswertung nach TP Eben – Berührende Messungen (Ausgabe 2007)", "mm/4m"},
                     {2, "Diagrammauswertung nach RVS 11.06.62 – Ebenheitsmessung (Ausgabe 2012)", "mm/4m"},
                     {1, "Diagrammauswertung nach TP Eben – Berührende Messungen (Ausgabe 2017)", "mm/2m"}};
    for (const auto& s : standards) {
        ReportInputs inputs = Inputs({PageEnd(SectionTags())});
        inputs.evaluationStandard = s.standard;
        const RecordingSurface drawn = Draw(inputs);
        EXPECT_NE(drawn.FindText(s.title), nullptr) << s.standard;
        EXPECT_EQ(TextAt(drawn, {X0 + 6550, Y0 - 9451}), s.unit) << s.standard;
    }
}

TEST(ReportPage, HeaderValueBeginningWithExclamationMarkIsHeavy)
{
    ReportInputs inputs = Inputs({PageEnd(SectionTags())});
    inputs.headerFooterFields = HeaderFooterFields("[Kopf][!Landesamt\xBF" "Abteilung\xBF\xBF\xBF\xBF\xBF\xBF\xBF\xBF\xBF!12.03.2015]");
    ASSERT_EQ(inputs.headerFooterFields.size(), 11u);
    const RecordingSurface surface = Draw(inputs);

    const auto client = TextsAt(surface, {X0 + 2500, Y0 - 1051});
    ASSERT_EQ(client.size(), 1u);
    EXPECT_EQ(client.front()->text, "Landesamt");
    EXPECT_EQ(client.front()->state.font.weight, 900);
    EXPECT_EQ(client.front()->state.font.face, "Arial");
    EXPECT_TRUE(client.front()->state.font.italic);
    const auto line2 = TextsAt(surface, {X0 + 2500, Y0 - 1551});
    ASSERT_EQ(line2.size(), 1u);
    EXPECT_EQ(line2.front()->state.font.weight, 500);
    // The measurement date is a plain value: its "!" is printed.
    EXPECT_EQ(TextAt(surface, {X0 + 3600, Y0 - 4551}), "!12.03.2015");
}

TEST(ReportPage, SectionBlockWithDecimalCommasAndBoldFrame)
{
    const RecordingSurface surface = Draw(Inputs({Exceedance(123470, 2), PageEnd(SectionTags())}));
    EXPECT_EQ(TextAt(surface, {X0 + 4800, Y0 - 7951}), "Station 12,3450 km");
    EXPECT_EQ(TextAt(surface, {X0 + 9900, Y0 - 7951}), "Station 12,7441 km");
    EXPECT_EQ(TextAt(surface, {XR - 2050, Y0 - 7951}), "0,3991");
    EXPECT_EQ(TextAt(surface, {XR - 2050, Y0 - 8451}), "0,1330");
    EXPECT_EQ(TextAt(surface, {X0 + 3600, Y0 - 8951}), "3,50");
    EXPECT_EQ(TextAt(surface, {X0 + 7050, Y0 - 8951}), "AC 11");
    EXPECT_EQ(TextAt(surface, {X0 + 12600, Y0 - 8951}), "45.5");
    EXPECT_EQ(TextAt(surface, {X0 + 5900, Y0 - 9451}), "2,7");
    // The recording surface's wide characters leave "1.00" too little room before
    // the price label: it is cut, not run into the label.
    EXPECT_EQ(TextAt(surface, {X0 + 10500, Y0 - 9451}), "1.…");
    EXPECT_EQ(TextAt(surface, {XR - 2050, Y0 - 9451}), "2.50 EUR/m²");
    const SurfaceRecord* length = surface.FindText("Länge [km]:");
    ASSERT_NE(length, nullptr);
    EXPECT_EQ(length->state.textAlign.horizontal, HAlign::Right);
    EXPECT_EQ(length->points.at(0), (Point{XR - 2200, Y0 - 7951}));
    // The bar over the "v": 17 characters of 175 units each on the recording surface.
    EXPECT_EQ(TextAt(surface, {X0 + 9000 + 17 * 175, Y0 - 8951}), "¯");

    std::vector<Rect> bands;
    for (const SurfaceRecord* fill : surface.OfKind(RecordKind::FillRect))
        if (fill->rect.top > Y0 - 10000)  // not the totals row of this last page
            bands.push_back(fill->rect);
    const std::vector<Rect> expected = {{X0, Y0 - 6900, XR, Y0 - 6950},
                                        {X0, Y0 - 9850, XR, Y0 - 9900},
                                        {X0, Y0 - 6900, X0 + 50, Y0 - 9900},
                                        {XR - 50, Y0 - 6900, XR, Y0 - 9900},
                                        {X0, Y0 - 8375, XR, Y0 - 8425}};
    EXPECT_EQ(bands, expected);
}

TEST(ReportPage, MeanSpeedComesFromTheHeaderWhenTheRunHasFewSpeeds)
{
    ReportInputs inputs = Inputs({PageEnd(SectionTags())});
    inputs.speedCount = 5;
    inputs.headerFooterFields.assign(26, "");
    inputs.headerFooterFields[25] = "38";
    EXPECT_EQ(TextAt(Draw(inputs), {X0 + 12600, Y0 - 8951}), "38");
    inputs.speedCount = 6;
    EXPECT_EQ(TextAt(Draw(inputs), {X0 + 12600, Y0 - 8951}), "45.5");
    // Without VarK the speed may use the row up to the frame, and no VarK is printed.
    inputs.showVarK = false;
    const RecordingSurface surface = Draw(inputs);
    EXPECT_EQ(surface.FindText("VarK [%]:"), nullptr);
}

TEST(ReportPage, SectionNotEvaluatedShowsDashesAndTheMessage)
{
    const RecordingSurface surface =
        Draw(Inputs({PageEnd(SectionTags({{"KEINE_AUSWERTUNG", "1"}, {"KEINE_UEBERSCHREITUNGSZEILEN", "1"}}))}));
    for (const Point at : {Point{X0 + 3600, Y0 - 8951}, Point{X0 + 12600, Y0 - 8951}, Point{XR - 2050, Y0 - 8951},
                           Point{X0 + 5900, Y0 - 9451}, Point{X0 + 10500, Y0 - 9451}, Point{XR - 2050, Y0 - 9451}})
        EXPECT_EQ(TextAt(surface, at), "-") << at.x << ", " << at.y;
    const SurfaceRecord* message = surface.FindText("Es erfolgt keine Auswertung für diesen Abschnitt.");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->points.at(0), (Point{X0 + 5000, Yb - 1500}));
    EXPECT_EQ(message->state.backgroundMode, BackgroundMode::Opaque);
    EXPECT_EQ(surface.FindText("Die  Messung  ergab  keine  Überschreitungen für diesen Abschnitt."), nullptr);
    // No sum and no deduction.
    EXPECT_EQ(surface.FindText("5"), nullptr);
    EXPECT_EQ(surface.FindText("Abzug [EUR]: "), nullptr);
    EXPECT_NE(surface.FindText("Teilstrecke Summe p²:"), nullptr);
}

TEST(ReportPage, NoDeductionRatesShowDashesForFactorAndPrice)
{
    const RecordingSurface surface = Draw(Inputs({PageEnd(SectionTags({{"PREIS", "0.00"}}))}));
    EXPECT_EQ(TextAt(surface, {X0 + 10500, Y0 - 9451}), "-");
    EXPECT_EQ(TextAt(surface, {XR - 2050, Y0 - 9451}), "-");
    EXPECT_EQ(TextAt(surface, {X0 + 5900, Y0 - 9451}), "2,7");
    EXPECT_EQ(surface.FindText("Abzug [EUR]: "), nullptr);
}

TEST(ReportPage, PageWithoutTableLinesSaysSo)
{
    const RecordingSurface surface = Draw(Inputs({PageEnd(SectionTags({{"KEINE_UEBERSCHREITUNGSZEILEN", "1"}}))}));
    const SurfaceRecord* message =
        surface.FindText("Die  Messung  ergab  keine  Überschreitungen für diesen Abschnitt.");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->points.at(0), (Point{X0 + 3400, Yb - 1500}));
    EXPECT_EQ(message->state.backgroundMode, BackgroundMode::Opaque);
}

// An empty table of a run that was never evaluated says so instead of saying
// that the road has no exceedances.
TEST(ReportPage, AnEmptyTableOfARunWithoutEvaluationSaysItWasNotEvaluated)
{
    const std::string none = "Die  Messung  ergab  keine  Überschreitungen für diesen Abschnitt.";
    const std::string notEvaluated = "Für diese Messfahrt liegt keine Überschreitungsauswertung vor.";
    for (const bool evaluated : {true, false}) {
        ReportInputs inputs = Inputs({PageEnd(SectionTags({{"KEINE_UEBERSCHREITUNGSZEILEN", "1"}}))});
        inputs.evaluated = evaluated;
        const RecordingSurface surface = Draw(inputs);
        const SurfaceRecord* message = surface.FindText(evaluated ? none : notEvaluated);
        ASSERT_NE(message, nullptr) << evaluated;
        EXPECT_EQ(message->points.at(0), (Point{X0 + 3400, Yb - 1500}));
        EXPECT_EQ(surface.FindText(evaluated ? notEvaluated : none), nullptr);
    }
}

TEST(ReportPage, SamplesWithoutSideFileAreReportedAsNotEvaluated)
{
    for (const char* name : {"listing_sample.lst", "dated_column_sample.csv"}) {
        SCOPED_TRACE(name);
        CKurvexDoc doc;
        ASSERT_EQ(test::OpenSample(doc, name), OpenResult::Opened);
        const int pages = RebuildDocumentReport(doc).PageCount();
        const ReportInputs inputs = ReportInputsOf(doc);
        EXPECT_FALSE(inputs.evaluated);
        ASSERT_GE(pages, 1);
        for (int page = 1; page <= pages; ++page) {
            const RecordingSurface surface = Draw(inputs, page);
            EXPECT_NE(surface.FindText("Für diese Messfahrt liegt keine Überschreitungsauswertung vor."), nullptr);
            EXPECT_EQ(surface.FindText("Die  Messung  ergab  keine  Überschreitungen für diesen Abschnitt."), nullptr);
        }
    }
    CKurvexDoc evaluated;
    ASSERT_EQ(test::OpenSample(evaluated, "pm01bs02_sample.pbs"), OpenResult::Opened);
    EXPECT_TRUE(ReportInputsOf(evaluated).evaluated);
}

TEST(ReportPage, CarryRowOnlyOnLaterPagesOfASection)
{
    const std::vector<std::string> lines = {
        Exceedance(123470, 2), PageEnd(SectionTags({{"SUMMEPQ", "4"}, {"UNTERSCHRIFT", "0"}}), false),
        Exceedance(123480, 3), PageEnd(SectionTags({{"SUMMEPQ", "13"}, {"SUMMEPQ_UEBERTRAG", "4"}}))};
    const RecordingSurface first = Draw(Inputs(lines), 1);
    EXPECT_EQ(first.FindText("Übertrag p²:"), nullptr);
    EXPECT_EQ(TextAt(first, {X0 + 300, Ys - 51}), "Zwischensumme p²:");
    EXPECT_EQ(first.FindText("Abzug [EUR]: "), nullptr);
    EXPECT_EQ(first.FindText("Datum:"), nullptr);

    const RecordingSurface second = Draw(Inputs(lines), 2);
    EXPECT_EQ(TextAt(second, {X0 + 300, Y0 - 11400 - 75}), "Übertrag p²:");
    const int xQ = X0 + 3400 + 1500;
    EXPECT_EQ(TextAt(second, {xQ + 300, Y0 - 11400 - 75}), "4");
    EXPECT_EQ(TextAt(second, {X0 + 300, Ys - 51}), "Teilstrecke Summe p²:");
    const SurfaceRecord* sum = second.FindText("13");
    ASSERT_NE(sum, nullptr);
    EXPECT_EQ(sum->points.at(0), (Point{xQ + 750, Ys - 51}));
    EXPECT_EQ(sum->state.textAlign.horizontal, HAlign::Center);
    const int xV = X0 + 3400 + 3000;
    EXPECT_EQ(TextAt(second, {xV + 300, Ys - 51}), "Abzug [EUR]: ");
    EXPECT_EQ(TextAt(second, {xV + 2600, Ys - 51}), "17.50");
}

TEST(ReportPage, NumberingOffMovesTheColumnsFourHundredLeft)
{
    const struct {
        bool numbering;
        int xS;
        int xP;
    } cases[] = {{true, X0 + 800, X0 + 3800}, {false, X0 + 400, X0 + 3400}};
    for (const auto& c : cases) {
        ReportInputs inputs = Inputs({Exceedance(123470, 2, "", true, "45.5", 7), PageEnd(SectionTags())});
        inputs.numbering = c.numbering;
        const RecordingSurface surface = Draw(inputs);
        EXPECT_EQ(TextAt(surface, {c.xS, Yb - 50}), "12,3470") << c.numbering;
        EXPECT_EQ(TextAt(surface, {(c.xP + c.xP + 1500) / 2, Yb - 50}), "2") << c.numbering;
        for (const int x : {c.xP, c.xP + 1500, c.xP + 3000, c.xP + 4500})
            EXPECT_NE(surface.FindSegment({x, Yb}, {x, Yb - 8600}), nullptr) << c.numbering << " " << x;
        EXPECT_EQ(surface.FindSegment({c.xS - 100, Yb}, {c.xS - 100, Yb - 8600}) != nullptr, c.numbering);
        EXPECT_EQ(surface.FindText("lfd.") != nullptr, c.numbering);
        const SurfaceRecord* number = surface.FindText("7");
        EXPECT_EQ(number != nullptr, c.numbering);
        if (number) {
            EXPECT_EQ(number->points.at(0), (Point{X0 + 600, Yb - 50}));
            EXPECT_EQ(number->state.textAlign.horizontal, HAlign::Right);
        }
    }
}

TEST(ReportPage, LineThatDoesNotCountIsStruckThrough)
{
    const RecordingSurface surface =
        Draw(Inputs({Exceedance(123470, 2), Exceedance(123480, 3, "", false), PageEnd(SectionTags())}));
    const int xB = X0 + 3400 + 4500;
    EXPECT_EQ(surface.FindSegment({X0 + 200, Yb - 250}, {xB - 200, Yb - 250}), nullptr);
    EXPECT_NE(surface.FindSegment({X0 + 200, Yb - 500 - 250}, {xB - 200, Yb - 500 - 250}), nullptr);
}

TEST(ReportPage, TwoLineRemarkMakesANineHundredRow)
{
    const RecordingSurface surface = Draw(Inputs(
        {Exceedance(123470, 2, "Schachtdeckel{{CRLF}}H\xF6henlage\xBF" "0"), Exceedance(123480, 3), PageEnd(SectionTags())}));
    const int xB = X0 + 3400 + 4500;
    EXPECT_EQ(TextAt(surface, {xB + 300, Yb - 50}), "Schachtdeckel");
    EXPECT_EQ(TextAt(surface, {xB + 300, Yb - 450}), "Höhenlage");
    EXPECT_EQ(TextAt(surface, {X0 + 400, Yb - 900 - 50}), "12,3480");
}

TEST(ReportPage, RemarkPrintsAtMostThreeLines)
{
    const RecordingSurface surface =
        Draw(Inputs({Exceedance(123470, 2, "a{{CRLF}}b{{CRLF}}c{{CRLF}}d"), PageEnd(SectionTags())}));
    const int xB = X0 + 3400 + 4500;
    EXPECT_EQ(TextAt(surface, {xB + 300, Yb - 850}), "c");
    EXPECT_EQ(surface.FindText("d"), nullptr);
}

TEST(ReportPage, SpeedColumnIsEmptyForANegativeSpeed)
{
    const int xV = X0 + 3400 + 3000;
    const Point speedAt{xV + 750, Yb - 50};
    const struct {
        const char* speed;
        const char* shown;
    } cases[] = {{"-1.0", "<none>"}, {"", "<none>"}, {"45.5", "45.5"}, {"0.0", "0.0"}};
    for (const auto& c : cases) {
        const RecordingSurface surface = Draw(Inputs({Exceedance(123470, 2, "", true, c.speed), PageEnd(SectionTags())}));
        EXPECT_EQ(TextAt(surface, speedAt), c.shown) << c.speed;
    }
}

TEST(ReportPage, RangeLineShowsBothEndsAndDashes)
{
    const RecordingSurface surface =
        Draw(Inputs({Range(123850, 123970, "Baustellenzufahrt"), PageEnd(SectionTags())}));
    const int xS = X0 + 400;
    const int xP = X0 + 3400;
    EXPECT_EQ(TextAt(surface, {xS, Yb - 50}), "12,3850");
    EXPECT_EQ(TextAt(surface, {xS + 1300, Yb - 50}), " - 12,3970");
    for (const int centre : {xP + 750, xP + 2250, xP + 3750})
        EXPECT_EQ(TextAt(surface, {centre, Yb - 50}), "----");
    EXPECT_EQ(TextAt(surface, {xP + 4500 + 300, Yb - 50}), "Baustellenzufahrt");
}

TEST(ReportPage, TotalsOnTheLastPageOnlyAndSignaturesBelowThem)
{
    const std::vector<std::string> lines = {Exceedance(123470, 2), PageEnd(SectionTags()), Exceedance(124800, 3),
                                            PageEnd(SectionTags({{"LFDNR_ABSCHNITT", "2"}, {"SUMMEPQGES", "13"},
                                                                 {"ABZUGGES", "30.00"}}))};
    ReportInputs inputs = Inputs(lines);
    inputs.runStatistics = "44.2|3.1|7.0";
    inputs.headerFooterFields.assign(22, "");
    inputs.headerFooterFields[16] = "Pr\xFC" "fstelle 2";
    inputs.headerFooterFields[21] = "14.03.2015";

    const RecordingSurface first = Draw(inputs, 1);
    EXPECT_EQ(first.FindText("Gesamtstrecke:"), nullptr);
    EXPECT_EQ(TextAt(first, {X0 + 300, Ys - 500 - 51}), "Prüfung durchgeführt, Institution:");

    const RecordingSurface last = Draw(inputs, 2);
    const int xP = X0 + 3400;
    EXPECT_EQ(TextAt(last, {X0 + 300, Ys - 551}), "Gesamtstrecke:");
    EXPECT_EQ(TextAt(last, {xP + 100, Ys - 551}), "∑ p² [mm]: 13       ∑ Abzüge [EUR]: 30.00");
    const auto speed = TextsAt(last, {xP + 8010, Ys - 551});
    ASSERT_EQ(speed.size(), 2u);
    EXPECT_EQ(speed[0]->text, "v [km/h]: 44.2       VarK [%]: 7.0");
    EXPECT_EQ(speed[1]->text, "¯");
    EXPECT_EQ(TextAt(last, {X0 + 300, Ys - 1000 - 51}), "Prüfung durchgeführt, Institution:");
    EXPECT_EQ(TextAt(last, {X0 + 14200, Ys - 1000 - 51}), "Datum:");
    EXPECT_EQ(TextAt(last, {X0 + 300, Ys - 1500 - 51}), "Prüfstelle 2");
    EXPECT_EQ(TextAt(last, {X0 + 300, Ys - 2250 - 51}), "Für den Auftragnehmer:");
    EXPECT_EQ(TextAt(last, {X0 + 300, Ys - 3500 - 51}), "Für den Auftraggeber:");
    EXPECT_EQ(TextAt(last, {X0 + 14200, Ys - 4000 - 51}), "14.03.2015");
    // The bold frame around the totals row.
    bool framed = false;
    for (const SurfaceRecord* fill : last.OfKind(RecordKind::FillRect))
        framed = framed || fill->rect == Rect{X0, Ys - 500, XR, Ys - 550};
    EXPECT_TRUE(framed);

    inputs.showVarK = false;
    EXPECT_EQ(TextAt(Draw(inputs, 2), {xP + 8010, Ys - 551}), "v [km/h]: 44.2");
}

TEST(ReportPage, TooLongTextsStayInTheirPlace)
{
    ReportInputs inputs = Inputs({Exceedance(123470, 2, std::string(80, 'x')), PageEnd(SectionTags())});
    inputs.headerFooterFields.assign(6, "");
    inputs.headerFooterFields[0] = "Landesamt f\xFCr Stra\xDF" "enbau und Verkehr des Landes, Abteilung Nord";
    inputs.headerFooterFields[3] = std::string(60, 'y');
    const RecordingSurface surface = Draw(inputs);

    // Every text ends before the divider of its column or the frame (175 units a character at 350).
    const auto rightEdge = [&surface](const SurfaceRecord& text) {
        RecordingSurface measure;
        measure.SetFont(text.state.font);
        return text.points.at(0).x + measure.GetTextExtent(text.text).cx;
    };
    for (const SurfaceRecord* text : TextsAt(surface, {X0 + 2500, Y0 - 1051})) {
        EXPECT_LE(rightEdge(*text), X0 + 8700 - 100);
        EXPECT_LT(text->state.font.height, 350);
    }
    const auto wrapped = TextsAt(surface, {X0 + 2500, Y0 - 1051});
    ASSERT_EQ(wrapped.size(), 1u);
    EXPECT_FALSE(TextsAt(surface, {X0 + 2500, Y0 - 1051 - wrapped.front()->state.font.height}).empty());
    for (const SurfaceRecord* text : surface.OfKind(RecordKind::TextOut)) {
        if (text->state.textAlign.horizontal == HAlign::Left) {
            EXPECT_LE(rightEdge(*text), XR) << text->text;
        }
    }
}

TEST(ReportPage, PageTheReportDoesNotHaveDrawsNothing)
{
    EXPECT_TRUE(Draw(Inputs({PageEnd(SectionTags())}), 2).Records().empty());
    EXPECT_TRUE(Draw(Inputs({}), 1).Records().empty());
}

TEST(ReportPage, SamplePagesKeepTheirTextsInsideTheFrame)
{
    CKurvexDoc doc;
    ASSERT_EQ(test::OpenSample(doc, "pm01bs02_sample.pbs"), OpenResult::Opened);
    const int pages = RebuildDocumentReport(doc).PageCount();
    const ReportInputs inputs = ReportInputsOf(doc);
    ASSERT_GE(pages, 3);
    EXPECT_EQ(inputs.HeaderField(0), "Landesamt f\xFCr Stra\xDF" "enbau");
    EXPECT_EQ(inputs.currency, "EUR");
    for (int page = 1; page <= pages; ++page) {
        const RecordingSurface surface = Draw(inputs, page);
        ASSERT_FALSE(surface.Records().empty()) << page;
        for (const SurfaceRecord* text : surface.OfKind(RecordKind::TextOut)) {
            const Point at = text->points.at(0);
            EXPECT_GE(at.x, X0) << page << " " << text->text;
            EXPECT_LE(at.x, XR) << page << " " << text->text;
            EXPECT_LE(at.y, Y0) << page << " " << text->text;
            EXPECT_GE(at.y, Y0 - 25500) << page << " " << text->text;
        }
    }
}

}  // namespace
}  // namespace kurvex
