#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "evaluation/Abschnitt.h"
#include "measurement/MessFahrtDaten.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

struct PointSpec {
    int32_t station;
    int32_t width;
    int32_t limit;
    double speed;
};

// A run over the given points with its whole range as the window.
CMessFahrtDaten RunOf(const std::vector<PointSpec>& specs)
{
    std::vector<MESSUNG> points;
    for (const PointSpec& spec : specs) {
        MESSUNG point;
        point.station = spec.station;
        point.width = spec.width;
        point.limit = spec.limit;
        point.speed = spec.speed;
        points.push_back(point);
    }
    CMessFahrtDaten run;
    run.AssignPoints(std::move(points));
    run.SelectWholeRun();
    return run;
}

// Points every 10 dm from a station, ascending (step 10) or descending (step -10).
std::vector<PointSpec> Stretch(int count, int32_t first, int32_t step, int32_t width, double speed = -1.0)
{
    std::vector<PointSpec> specs;
    for (int i = 0; i < count; ++i)
        specs.push_back({first + i * step, width, 40, speed});
    return specs;
}

TEST(SpeedStatistics, MeanDeviationAndVariation)
{
    struct Case {
        const char* name;
        std::vector<double> speeds;
        const char* mean;
        const char* deviation;
        const char* variation;
    } cases[] = {
        {"TwoSpeeds", {40.0, 60.0}, "50.0", "14.1", "28.3"},
        {"OneSpeed", {40.0, -1.0, -1.0}, "", "", ""},
        {"NoSpeed", {-1.0, -1.0, -1.0}, "", "", ""},
        {"OnlyZeros", {0.0, 0.0, 0.0}, "", "", ""},
        {"Constant", {30.0, 30.0, 30.0, -1.0}, "30.0", "0.0", "0.0"},
        {"Overflowing", {1e308, 1e308, 1e308}, "", "", ""},
    };
    for (const Case& c : cases) {
        std::vector<PointSpec> specs;
        for (size_t i = 0; i < c.speeds.size(); ++i)
            specs.push_back({static_cast<int32_t>(i * 10), 350, 40, c.speeds[i]});
        const CMessFahrtDaten run = RunOf(specs);
        Abschnitt whole;
        whole.mittlereGeschwindigkeit = "stale";
        run.ComputeRunStatistics(whole);
        EXPECT_EQ(whole.ersterPunkt, 0) << c.name;
        EXPECT_EQ(whole.endPunkt, static_cast<int>(c.speeds.size())) << c.name;
        EXPECT_EQ(whole.mittlereGeschwindigkeit, c.mean) << c.name;
        EXPECT_EQ(whole.geschwStreuung, c.deviation) << c.name;
        EXPECT_EQ(whole.varK, c.variation) << c.name;
    }
}

TEST(SpeedStatistics, IndicesAreClampedToTheWindow)
{
    const CMessFahrtDaten run = RunOf({{0, 350, 40, 40.0}, {10, 350, 40, 60.0}});
    Abschnitt section;
    section.ersterPunkt = -5;
    section.endPunkt = 99;
    run.ComputeSpeedStatistics(section);
    EXPECT_EQ(section.ersterPunkt, 0);
    EXPECT_EQ(section.endPunkt, 2);
    EXPECT_EQ(section.mittlereGeschwindigkeit, "50.0");
}

TEST(SpeedStatistics, FilterLeavesOutSectionsNotEvaluated)
{
    // Stations 0..300: speed 100 inside 100..199, 50 elsewhere.
    std::vector<PointSpec> specs;
    for (int32_t s = 0; s <= 300; s += 10)
        specs.push_back({s, 350, 40, (s >= 100 && s < 200) ? 100.0 : 50.0});
    const CMessFahrtDaten run = RunOf(specs);
    AbschnittListe filter;
    filter.Load("[0|350||10|||1][100|350||10|||0][200|350||10|||1]", 0, 301);

    Abschnitt unfiltered;
    run.ComputeRunStatistics(unfiltered);
    EXPECT_NE(unfiltered.geschwStreuung, "0.0");
    Abschnitt filtered;
    run.ComputeRunStatistics(filtered, &filter);
    // Only speeds of 50 are left; the point at 200 counts.
    EXPECT_EQ(filtered.mittlereGeschwindigkeit, "50.0");
    EXPECT_EQ(filtered.geschwStreuung, "0.0");
}

TEST(BuildSections, WidthChangeGivesTwoOverlappingSections)
{
    std::vector<PointSpec> specs = Stretch(10, 0, 10, 350, 50.0);
    const std::vector<PointSpec> second = Stretch(10, 100, 10, 375, 60.0);
    specs.insert(specs.end(), second.begin(), second.end());
    const CMessFahrtDaten run = RunOf(specs);
    Abschnitt whole;
    AbschnittListe list;
    run.BuildSections(whole, list);

    ASSERT_EQ(list.Count(), 2u);
    const Abschnitt& a = list.Sections()[0];
    const Abschnitt& b = list.Sections()[1];
    EXPECT_EQ(a.ersterPunkt, 0);
    EXPECT_EQ(a.endPunkt, 11);
    EXPECT_EQ(b.ersterPunkt, 10);
    EXPECT_EQ(b.endPunkt, 20);
    EXPECT_EQ(a.von, 0);
    EXPECT_EQ(a.bis, 100);
    EXPECT_EQ(b.von, 100);
    EXPECT_EQ(b.bis, 191);
    EXPECT_EQ(a.breite, 350);
    EXPECT_EQ(b.breite, 375);
    EXPECT_EQ(a.grenzwert, 40);
    EXPECT_EQ(list.Start(), 0);
    EXPECT_EQ(list.End(), 191);
    EXPECT_TRUE(list.IsAscending());
    // The first section's points include the first point of the next one.
    EXPECT_EQ(a.mittlereGeschwindigkeit, "50.9");
    EXPECT_EQ(b.mittlereGeschwindigkeit, "60.0");
    EXPECT_EQ(whole.mittlereGeschwindigkeit, "55.0");
}

TEST(BuildSections, UniformAndDescendingRuns)
{
    const CMessFahrtDaten uniform = RunOf(Stretch(5, 0, 10, 350));
    Abschnitt whole;
    AbschnittListe list;
    uniform.BuildSections(whole, list);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Sections()[0].endPunkt, 5);
    EXPECT_EQ(list.Sections()[0].bis, 41);

    // Descending: the start lies one decimetre above the first point, every von too.
    std::vector<PointSpec> specs = Stretch(3, 500, -10, 350);
    specs.push_back({470, 350, 60, -1.0});
    specs.push_back({460, 350, 60, -1.0});
    const CMessFahrtDaten descending = RunOf(specs);
    descending.BuildSections(whole, list);
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_FALSE(list.IsAscending());
    EXPECT_EQ(list.Start(), 501);
    EXPECT_EQ(list.End(), 460);
    EXPECT_EQ(list.Sections()[0].von, 501);
    EXPECT_EQ(list.Sections()[0].bis, 471);
    EXPECT_EQ(list.Sections()[1].von, 471);
    EXPECT_EQ(list.Sections()[1].bis, 460);
    EXPECT_EQ(list.Sections()[1].grenzwert, 60);
}

TEST(BuildSections, ChangeAtTheLastPointMakesNoSection)
{
    std::vector<PointSpec> specs = Stretch(4, 0, 10, 350);
    specs.back().width = 400;
    const CMessFahrtDaten run = RunOf(specs);
    Abschnitt whole;
    AbschnittListe list;
    run.BuildSections(whole, list);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(list.Sections()[0].endPunkt, 4);
}

TEST(BuildSections, EmptyWindowGivesNoSections)
{
    const CMessFahrtDaten run;
    Abschnitt whole;
    whole.varK = "1.0";
    AbschnittListe list;
    list.Load("[0|350]", 0, 10);
    run.BuildSections(whole, list);
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_TRUE(whole.varK.empty());
}

// The indices as the sections were always found: walking the window's pairs
// from its start. The lookup by halving must name the same points.
int IndexByWalking(const CMessFahrtDaten& run, int32_t station)
{
    for (int i = 0; i + 1 < run.GetCount(); ++i) {
        const int32_t e = run.GetStation(i);
        const int32_t f = run.GetStation(i + 1);
        if (station == e)
            return i;
        if (station == f)
            return i + 1;
        if (std::min(e, f) <= station && station <= std::max(e, f))
            return i;
    }
    return -1;
}

TEST(SectionStatistics, OrderedAndUnorderedWindowsNameThePointsTheWalkNames)
{
    std::mt19937 random(4711);
    const auto draw = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 300; ++round) {
        // Rising, falling (both with repeated stations) or zigzagging windows.
        const int kind = round % 3;
        std::vector<PointSpec> specs;
        int32_t station = draw(-50, 50);
        for (int i = draw(2, 40); i > 0; --i) {
            specs.push_back({station, 350, 40, 50.0});
            const int32_t step = draw(0, 3) * 10;
            station += kind == 0 ? step : kind == 1 ? -step : (draw(0, 1) ? step : -step);
        }
        const CMessFahrtDaten run = RunOf(specs);
        std::vector<Abschnitt> sections;
        for (int s = 0; s < 8; ++s) {
            Abschnitt section;
            // Often a point's own station, else anywhere around the run.
            const auto end = [&] {
                return draw(0, 1) ? specs[static_cast<size_t>(draw(0, static_cast<int>(specs.size()) - 1))].station
                                  : draw(-600, 600);
            };
            section.von = end();
            section.bis = end();
            sections.push_back(section);
        }
        std::vector<Abschnitt> one = sections;
        run.ComputeSectionStatistics(sections);
        for (size_t s = 0; s < sections.size(); ++s) {
            run.ComputeSectionStatistics(one[s]);
            const Abschnitt& section = sections[s];
            int first = IndexByWalking(run, section.von);
            int end = IndexByWalking(run, section.bis);
            if (section.von < section.bis && end == -1)
                end = run.GetCount();
            if (section.von >= section.bis && first == -1)
                first = 0;
            SCOPED_TRACE(testing::Message() << "round " << round << " von " << section.von << " bis " << section.bis);
            EXPECT_EQ(section.ersterPunkt, first);
            EXPECT_EQ(section.endPunkt, end);
            EXPECT_EQ(one[s].ersterPunkt, section.ersterPunkt);
            EXPECT_EQ(one[s].endPunkt, section.endPunkt);
        }
    }
}

TEST(SectionStatistics, FindsThePointIndicesOfVonAndBis)
{
    // Stations 0, 10, ..., 90 with speed = station / 10 + 40.
    std::vector<PointSpec> specs;
    for (int i = 0; i < 10; ++i)
        specs.push_back({i * 10, 350, 40, 40.0 + i});
    const CMessFahrtDaten run = RunOf(specs);
    struct Case {
        int32_t von;
        int32_t bis;
        int first;
        int end;
    } cases[] = {
        {0, 30, 0, 3},     // on points
        {15, 45, 1, 4},    // between points: the pair's first index
        {50, 91, 5, 10},   // bis beyond the last point: the window end
        {90, 95, 9, 10},   // the last point matches by equality
        {60, 20, 6, 2},    // descending section: indices as found
        {200, 100, 0, -1}, // descending, neither end inside: no statistics
    };
    for (const Case& c : cases) {
        Abschnitt section;
        section.von = c.von;
        section.bis = c.bis;
        section.varK = "stale";
        run.ComputeSectionStatistics(section);
        EXPECT_EQ(section.ersterPunkt, c.first) << c.von << ".." << c.bis;
        EXPECT_EQ(section.endPunkt, c.end) << c.von << ".." << c.bis;
        if (c.end == -1) {
            EXPECT_TRUE(section.varK.empty());
        }
    }
    Abschnitt section;
    section.von = 0;
    section.bis = 30;
    run.ComputeSectionStatistics(section);
    EXPECT_EQ(section.mittlereGeschwindigkeit, "41.0");

    // Fewer than two points: the section is left as it is.
    const CMessFahrtDaten single = RunOf({{0, 350, 40, 50.0}});
    Abschnitt untouched;
    untouched.ersterPunkt = 7;
    untouched.varK = "x";
    single.ComputeSectionStatistics(untouched);
    EXPECT_EQ(untouched.ersterPunkt, 7);
    EXPECT_EQ(untouched.varK, "x");
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

void CheckStatisticsUseDecimalPoint()
{
    const CMessFahrtDaten run = RunOf({{0, 350, 40, 40.0}, {10, 350, 40, 60.0}});
    Abschnitt whole;
    run.ComputeRunStatistics(whole);
    EXPECT_EQ(whole.mittlereGeschwindigkeit, "50.0");
    EXPECT_EQ(whole.geschwStreuung, "14.1");
}

TEST(SpeedStatistics, DecimalPointUnderAGermanLocale)
{
    if (!test::WithGermanNumericLocale(&CheckStatisticsUseDecimalPoint))
        GTEST_SKIP() << "no German locale installed";
}

}  // namespace
}  // namespace kurvex
