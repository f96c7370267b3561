#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "evaluation/EvaluationDialogTexts.h"

namespace kurvex {
namespace {

// --- Section list ----------------------------------------------------------------------

constexpr const char* kSections =
    "[-50|350|40|10|1.25|2,50|1|AC 11 D S|45.3|3.1|6.9][1000|300||10|||0|SMA 8 S|40.0|2.0|5.0][2000|250|35|10|2|3|1||||]";

TEST(SectionList, RowsOfAnEvaluatedAndANotEvaluatedSection)
{
    const AbschnittListe list = LoadSectionList(kSections, 0, 3000);
    ASSERT_EQ(list.Count(), 3u);
    using Row = SectionListRow;
    // A first section stored before the evaluated range starts at the range; k and price stay as stored.
    EXPECT_EQ(SectionListRowOf(list.Sections()[0]),
              (Row{"0.0", "100.0", "ja", "350", "4.0", "1.25", "2,50", "AC 11 D S", "45.3", "6.9"}));
    EXPECT_EQ(SectionListRowOf(list.Sections()[1]), (Row{"100.0", "200.0", "nein", "", "", "", "", "", "", ""}));
    EXPECT_EQ(SectionListRowOf(list.Sections()[2]), (Row{"200.0", "300.0", "ja", "250", "3.5", "2", "3", "", "", ""}));
}

TEST(SectionList, NoSectionsGiveAnEmptyList)
{
    EXPECT_EQ(LoadSectionList("", 0, 3000).Count(), 0u);
}

TEST(SectionList, TheRangeEndsPassThroughMetresUnchanged)
{
    const AbschnittListe list = LoadSectionList("[0|350|40|10|1|1|1||||]", -15, 2147483647);
    EXPECT_EQ(list.Start(), -15);
    EXPECT_EQ(list.End(), 2147483647);
    EXPECT_EQ(SectionListRowOf(list.Sections()[0])[1], "214748364.7");
}

// --- Section dialog --------------------------------------------------------------------

TEST(SectionDialog, ShowsTheStoredValues)
{
    const SectionDialogFields f = ReadSectionDialogFields("1000|350|40|12|1.25|2,50|1|SMA 8 S|45.3|3.1|6.9", "Beton");
    EXPECT_EQ(f.position, "100.0");
    EXPECT_EQ(f.breite, "350");
    EXPECT_EQ(f.grenzwert, "4.0");
    EXPECT_EQ(f.reserviert, "12");
    EXPECT_EQ(f.faktorK, "1.25");
    EXPECT_EQ(f.einheitspreis, "2,50");
    EXPECT_TRUE(f.auswerten);
    EXPECT_EQ(f.fahrbahnoberflaeche, "SMA 8 S");
    EXPECT_EQ(SurfaceChoices()[static_cast<size_t>(f.surfaceChoice)], "SMA 8 S");
    EXPECT_EQ(f.mittlereGeschwindigkeit, "45.3");
    EXPECT_EQ(f.varK, "6.9");
}

TEST(SectionDialog, TheSurfaceAndItsEntryInTheList)
{
    struct Case {
        const char* stored;
        const char* runDefault;
        const char* shown;
        int choice;
    };
    const Case cases[] = {
        {"AC 16 D S", "Beton", "AC 16 D S", 1},
        {"C 30/37", "", "C 30/37", 40},
        {"", "Beton", "Beton", 39},         // empty: the run's default surface
        {"", "", "", 0},                    // default index outside the table
        {"-", "Beton", "-", 0},             // entry 0 of the table is no choice
        {"Kopfsteinpflaster", "", "Kopfsteinpflaster", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const SectionDialogFields f =
            ReadSectionDialogFields(std::string("0|350|40|10|1|1|1|") + c.stored + "|||", c.runDefault);
        EXPECT_EQ(f.fahrbahnoberflaeche, c.shown);
        EXPECT_EQ(f.surfaceChoice, c.choice);
    }
}

TEST(SectionDialog, TheSurfaceListIsStandardAndTheTableFromEntryOne)
{
    const std::vector<std::string> choices = SurfaceChoices();
    ASSERT_EQ(choices.size(), 41u);
    EXPECT_EQ(choices[0], "Standard");
    EXPECT_EQ(choices[1], "AC 16 D S");
    EXPECT_EQ(choices[40], "C 30/37");
    EXPECT_EQ(SurfaceForChoice(0, "Beton"), "Beton");
    EXPECT_EQ(SurfaceForChoice(3, "Beton"), "AC 11 D N");
    EXPECT_EQ(SurfaceForChoice(41, "Beton"), "Beton");
    EXPECT_EQ(SurfaceForChoice(-1, "Beton"), "Beton");
}

TEST(SectionDialog, StationButtonsShowThePickedStationsInMetres)
{
    EXPECT_EQ(StationButtonText("1235"), "<   123.5");
    EXPECT_EQ(StationButtonText("-7"), "<   -0.7");
    EXPECT_EQ(StationButtonText(""), "<   ");
}

TEST(SectionDialog, AStationButtonTakesItsStationAndShowsTheNumbersAnew)
{
    SectionDialogFields f = ReadSectionDialogFields("1000|350|40|10|1,5|2.456|1||||", "");
    f.breite = " 349,6 ";
    TakePickedStation(f, "1235");
    EXPECT_EQ(f.position, "123.5");
    EXPECT_EQ(f.breite, "350");
    EXPECT_EQ(f.grenzwert, "4.0");
    EXPECT_EQ(f.reserviert, "10.0");
    EXPECT_EQ(f.faktorK, "1.50");
    EXPECT_EQ(f.einheitspreis, "2.46");

    SectionDialogFields empty = ReadSectionDialogFields("1000|350|40|10|||1||||", "");
    TakePickedStation(empty, "20");
    EXPECT_EQ(empty.position, "2.0");
    EXPECT_EQ(empty.faktorK, "");
    EXPECT_EQ(empty.einheitspreis, "");

    // No station picked: nothing changes.
    SectionDialogFields unchanged = ReadSectionDialogFields("1000|350|40|10|1,5||1||||", "");
    TakePickedStation(unchanged, "");
    EXPECT_EQ(unchanged.position, "100.0");
    EXPECT_EQ(unchanged.faktorK, "1,5");
}

// --- Excluded-range dialog -----------------------------------------------------------------

TEST(ExcludedRangeDialog, TheEndsFollowTheRunDirection)
{
    struct Case {
        int32_t von, bis;
        bool ascending;
        const char* first;
        const char* second;
    };
    const Case cases[] = {
        {100, 250, true, "10.0", "25.0"},
        {250, 100, true, "10.0", "25.0"},
        {100, 250, false, "25.0", "10.0"},
        {250, 100, false, "25.0", "10.0"},
        {300, 300, true, "30.0", "30.0"},
    };
    for (const Case& c : cases) {
        const ExcludedRangeFields f = ExcludedRangeDialogFields({c.von, c.bis, ""}, c.ascending);
        EXPECT_EQ(f.von, c.first) << c.von << " " << c.bis << " " << c.ascending;
        EXPECT_EQ(f.bis, c.second) << c.von << " " << c.bis << " " << c.ascending;
    }
}

TEST(ExcludedRangeDialog, TheRemarkShowsItsLineBreaks)
{
    EXPECT_EQ(ExcludedRangeDialogFields({0, 1, "Baustelle{{CRLF}}Umleitung{{CRLF}}"}, true).bemerkung,
              "Baustelle\nUmleitung\n");
    EXPECT_EQ(ExcludedRangeDialogFields({0, 1, ""}, true).bemerkung, "");
}

}  // namespace
}  // namespace kurvex
