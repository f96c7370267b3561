#include <gtest/gtest.h>

#include "evaluation/Abschnitt.h"

namespace kurvex {
namespace {

TEST(AbschnittRecord, ReadsAllElevenFields)
{
    const Abschnitt section = ReadAbschnitt("1000|350|40|10|1,5|12.30|1|AC 11 D S|52.1|3.4|6.5");
    EXPECT_EQ(section.von, 1000);
    EXPECT_EQ(section.breite, 350);
    EXPECT_EQ(section.grenzwert, 40);
    EXPECT_EQ(section.reserviert, 10);
    EXPECT_EQ(section.faktorK, "1,5");
    EXPECT_EQ(section.einheitspreis, "12.30");
    EXPECT_TRUE(section.auswerten);
    EXPECT_EQ(section.fahrbahnoberflaeche, "AC 11 D S");
    EXPECT_EQ(section.mittlereGeschwindigkeit, "52.1");
    EXPECT_EQ(section.geschwStreuung, "3.4");
    EXPECT_EQ(section.varK, "6.5");

    const ABSCHNITT evaluated = ReadABSCHNITT("1000|350|40|10|1.5|12,30|1|AC 11 D S|52.1|3.4|6.5");
    EXPECT_DOUBLE_EQ(evaluated.faktorK, 1.5);
    EXPECT_DOUBLE_EQ(evaluated.einheitspreis, 12.3);
    EXPECT_EQ(evaluated.grenzwert, 40);
    EXPECT_TRUE(evaluated.auswerten);
}

TEST(AbschnittRecord, EvaluateFlagDiffersBetweenTheTwoRecords)
{
    // The evaluation takes only "1"; the editing record any non-zero integer.
    EXPECT_FALSE(ReadABSCHNITT("0|0|40|10|||2").auswerten);
    EXPECT_TRUE(ReadAbschnitt("0|0|40|10|||2").auswerten);
    EXPECT_FALSE(ReadAbschnitt("0|0|40|10|||0").auswerten);
    EXPECT_FALSE(ReadAbschnitt("0|0|40|10|||").auswerten);
    // A section that is not evaluated has no limit for the evaluation.
    EXPECT_EQ(ReadABSCHNITT("0|0|40|10|||0").grenzwert, 0);
    EXPECT_EQ(ReadAbschnitt("0|0|40|10|||0").grenzwert, 40);
}

TEST(AbschnittRecord, ShortAndMalformedRecordsReadAsZero)
{
    const ABSCHNITT section = ReadABSCHNITT("x|99999999999|1e999|");
    EXPECT_EQ(section.von, 0);
    EXPECT_EQ(section.breite, 2147483647);
    EXPECT_EQ(section.reserviert, 0);
    EXPECT_DOUBLE_EQ(section.faktorK, 0.0);
    EXPECT_TRUE(section.fahrbahnoberflaeche.empty());
    EXPECT_DOUBLE_EQ(ReadABSCHNITT("0|0|0|0|1e999|1e999|1").faktorK, 0.0);
    EXPECT_DOUBLE_EQ(ReadABSCHNITT("0|0|0|0|1e999|1e999|1").einheitspreis, 0.0);
}

TEST(AbschnittRecord, EncodesZeroLimitAsEmptyFieldAndReadsItBack)
{
    Abschnitt section;
    section.von = 25;
    section.breite = 375;
    section.faktorK = "1.0";
    section.einheitspreis = "2,5";
    section.auswerten = false;
    section.varK = "4.0";
    const std::string record = EncodeAbschnitt(section);
    EXPECT_EQ(record, "25|375||10|1.0|2,5|0||||4.0");
    const Abschnitt back = ReadAbschnitt(record);
    EXPECT_EQ(back.grenzwert, 0);
    EXPECT_EQ(EncodeAbschnitt(back), record);
}

TEST(SectionArray, DerivesEndsFromRangeAndSuccessors)
{
    const auto sections = ParseSectionArray("[50|350|40|10|||1][1000|375|50|10|||1][2500|400|60|10|||0]", 0, 4000);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].von, 0);  // the stored 50 gives way to the range start
    EXPECT_EQ(sections[0].bis, 1000);
    EXPECT_EQ(sections[1].bis, 2500);
    EXPECT_EQ(sections[2].bis, 4000);
    EXPECT_EQ(sections[2].grenzwert, 0);
    EXPECT_TRUE(ParseSectionArray("", 0, 4000).empty());

    const auto single = ParseSectionArray("[700|350|40|10|||1]", 100, 900);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_EQ(single[0].von, 100);
    EXPECT_EQ(single[0].bis, 900);
}

struct NormaliseCase {
    const char* name;
    const char* text;
    int32_t start;
    int32_t end;
    std::vector<std::pair<int32_t, int32_t>> expected;  // von, bis
};

class AbschnittListeLoad : public testing::TestWithParam<NormaliseCase> {};

TEST_P(AbschnittListeLoad, Normalises)
{
    const NormaliseCase& c = GetParam();
    AbschnittListe list;
    list.Load(c.text, c.start, c.end);
    std::vector<std::pair<int32_t, int32_t>> actual;
    for (const Abschnitt& section : list.Sections())
        actual.emplace_back(section.von, section.bis);
    EXPECT_EQ(actual, c.expected);
    EXPECT_EQ(list.IsAscending(), c.start < c.end);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AbschnittListeLoad,
    testing::Values(
        NormaliseCase{"Ascending", "[0|350][1000|375][2500|400]", 0, 4001, {{0, 1000}, {1000, 2500}, {2500, 4001}}},
        NormaliseCase{"StartRaisedToRange", "[0|350][1000|375]", 200, 4001, {{200, 1000}, {1000, 4001}}},
        NormaliseCase{"EmptySectionRemoved", "[0|350][1000|375][1000|400]", 0, 4001, {{0, 1000}, {1000, 4001}}},
        NormaliseCase{"LastEndLowered", "[0|350][700|375]", 0, 800, {{0, 700}, {700, 800}}},
        // A section starting before the range and reaching past its end covers the range.
        NormaliseCase{"SectionAroundRange", "[0|350]", 500, 900, {{500, 900}}},
        NormaliseCase{"SectionEmptiedByClampRemoved", "[0|350][500|375]", 500, 900, {{500, 900}}},
        NormaliseCase{"Descending", "[5001|350][3000|375]", 5001, 0, {{5001, 3000}, {3000, 0}}},
        NormaliseCase{"DescendingStartLowered", "[6000|350][3000|375]", 5001, 0, {{5001, 3000}, {3000, 0}}},
        NormaliseCase{"Empty", "", 0, 100, {}}),
    [](const testing::TestParamInfo<NormaliseCase>& info) { return std::string(info.param.name); });

TEST(AbschnittListe, EncodeAfterLoadKeepsTheRecords)
{
    const std::string text = "[0|350|40|10|1.0|2.0|1|AC 8 D S|50.0|1.0|2.0][1000|375||10|||0||||]";
    AbschnittListe list;
    list.Load(text, 0, 2000);
    EXPECT_EQ(list.Encode(), text);
}

TEST(AbschnittListe, StationTestExcludesOnlySectionsNotEvaluated)
{
    AbschnittListe list;
    list.Load("[0|350||10|||1][100|350||10|||0][200|350||10|||1]", 0, 300);
    EXPECT_TRUE(list.IsEvaluatedStation(99));
    EXPECT_FALSE(list.IsEvaluatedStation(100));
    EXPECT_FALSE(list.IsEvaluatedStation(199));
    EXPECT_TRUE(list.IsEvaluatedStation(200));
}

TEST(AbschnittListe, DefaultLimitFillsSectionsWithoutOwnLimit)
{
    AbschnittListe list;
    list.Load("[0|350|40][100|350|0][200|350|-1]", 0, 300);
    list.ApplyDefaultLimit(60);
    EXPECT_EQ(list.Sections()[0].grenzwert, 40);
    EXPECT_EQ(list.Sections()[1].grenzwert, 60);
    EXPECT_EQ(list.Sections()[2].grenzwert, 60);
}

}  // namespace
}  // namespace kurvex
