#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "document/Bearbeitungsstand.h"
#include "document/Fahrbahnoberflaechen.h"
#include "document/MemorySettingsStore.h"
#include "document/SideFileKeys.h"
#include "support/TestSupport.h"

namespace kurvex {
namespace {

CBearbeitungsstand StateFromText(const std::string& content)
{
    CBearbeitungsstand state;
    state.LoadStateFromText("run.dat.zi4", content);
    return state;
}

TEST(SideFileFormat, KeysAndValuesAsStored)
{
    const CBearbeitungsstand state = StateFromText(
        "KOPFDATEN=a=b   \r\n"
        "  UBERSCHRIFT_ZEILE_1=x\n"
        "UBERSCHRIFT_ZEILE_2=  leading kept\t\r\n"
        "no equals sign here\r\n"
        "MASSSTAB_DER_LAENGE=200\r\n"
        "MASSSTAB_DER_LAENGE=1000\r\n"
        "GRENZWERT=40\r\n"
        "=value without key\r\n"
        "LAST=no line end");
    EXPECT_EQ(state.HeaderData(), "a=b");
    EXPECT_EQ(state.GetText("  UBERSCHRIFT_ZEILE_1", "?"), "x");
    EXPECT_EQ(state.Heading(1), "");
    EXPECT_EQ(state.Heading(2), "  leading kept");
    EXPECT_EQ(state.LengthScale(), 1000);  // the last occurrence wins
    EXPECT_EQ(state.GetText("GRENZWERT", ""), "40");
    EXPECT_EQ(state.GetText("", "?"), "value without key");
    EXPECT_EQ(state.GetText("LAST", ""), "no line end");
    EXPECT_EQ(state.Map().size(), 7u);
    EXPECT_TRUE(state.FileExisted());
    EXPECT_EQ(state.EvaluationStandard(), 1);
}

TEST(SideFileFormat, AbsentKeysGiveTheirDefaults)
{
    const CBearbeitungsstand state = StateFromText("");
    EXPECT_EQ(state.ProgramVersion(), "0");
    EXPECT_EQ(state.RangeStart(), -1);
    EXPECT_EQ(state.RangeEnd(), -1);
    EXPECT_EQ(state.DecimetreOffset(), 0);
    EXPECT_EQ(state.CalibrationValue(), 0);
    EXPECT_FALSE(state.IsMirrored());
    EXPECT_EQ(state.LengthScale(), 400);
    EXPECT_EQ(state.StandardMaximum(), "0.5");
    EXPECT_EQ(state.SurfaceName(), "-");
    EXPECT_EQ(state.SectionCount(), 0);
    EXPECT_EQ(state.Settings(), CEinstellungen());
}

TEST(SideFileFormat, IntegersReadLeadingDigitsAndSaturate)
{
    const CBearbeitungsstand state = StateFromText(
        "DEZIMETER_OFFSET=  -12abc\n"
        "KALIBRIERWERT=99999999999999999999\n"
        "MANUVONBIS=100;x\n"
        "MASSSTAB_DER_LAENGE=-99999999999999\n"
        "BOOL_SPIEGELN=1 \n");
    EXPECT_EQ(state.DecimetreOffset(), -12);
    EXPECT_EQ(state.CalibrationValue(), 2147483647);
    EXPECT_EQ(state.RangeStart(), 100);
    EXPECT_EQ(state.RangeEnd(), 0);
    EXPECT_EQ(state.LengthScale(), -2147483647 - 1);
    EXPECT_TRUE(state.IsMirrored());
}

TEST(SideFileFormat, SurfaceNameMatchesExactly)
{
    struct Case {
        const char* value;
        int index;
    } cases[] = {{"AC 11 D S", 2}, {"ac 11 d s", 0}, {"C 30/37", 40}, {"Beton ", 39}, {"unknown", 0}};
    for (const Case& c : cases) {
        const CBearbeitungsstand state = StateFromText(std::string("FAHRBAHN_OB2=") + c.value + "\r\n");
        EXPECT_EQ(state.SurfaceIndex(), c.index) << c.value;
        EXPECT_EQ(state.SurfaceName(), Fahrbahnoberflaechen[static_cast<size_t>(c.index)]) << c.value;
    }
}

TEST(SideFileFormat, SettingsComeFromTheFileOrTheBuiltInDefaults)
{
    const CBearbeitungsstand state = StateFromText(
        "Farben_Farbe3=255\r\nDicken_Dicke8=25\r\nNEGWERTENULL=1\r\nANLAGENNUMMER_DIAGRAMMSEITEN=7a\r\n");
    EXPECT_EQ(state.Settings().Colour(3), 255);
    EXPECT_EQ(state.Settings().LineWidth(8), 25);
    EXPECT_EQ(state.Settings().Colour(2), CEinstellungen().Colour(2));
    EXPECT_TRUE(state.NegativeValuesAsZero());
    EXPECT_EQ(state.ChartAttachment(), "7a");
    EXPECT_EQ(state.EvaluationAttachment(), "1");
}

TEST(SideFileFormat, LargeAndBinaryFilesLoadSilently)
{
    std::string content;
    for (int i = 0; i < 200000; ++i)
        content += "KEY" + std::to_string(i % 5000) + "=" + std::string(20, static_cast<char>('a' + i % 26)) + "\r\n";
    content += std::string(2'000'000, '\xBF');  // one overlong line without "="
    static constexpr char kBinaryLine[] = "\nBIN\0ARY=\x01\x02\xFF\r\n";
    content += std::string(kBinaryLine, sizeof kBinaryLine - 1);
    content.push_back('\0');
    content += "\nABSCHNITTE=" + std::string(500000, '[') + "]\r\n";
    const CBearbeitungsstand state = StateFromText(content);
    EXPECT_EQ(state.GetText("KEY0", ""), std::string(20, 'a' + (195000 % 26)));
    EXPECT_EQ(state.GetText(std::string("BIN\0ARY", 7), ""), "\x01\x02\xFF");
    EXPECT_EQ(state.SectionCount(), 1);
}

// Kurvex detects no exceedances: only a side file with the exceedance key holds
// an evaluation; an empty value is an evaluation that found none.
TEST(SideFileFormat, StoredEvaluationIsTheExceedanceKeyEvenWhenEmpty)
{
    const struct {
        const char* content;
        bool evaluated;
    } cases[] = {
        {"UEBERSCHREITUNGSDATEN_1=[100;60;3;0;0;1;;50.0;;]\r\n", true},
        {"UEBERSCHREITUNGSDATEN_1=\r\n", true},
        {"MANUVONBIS=0;1000\r\nABSCHNITTE=[0|350|40|10|1.0|2.50|1|||||]\r\n", false},
        {"UEBERSCHREITUNGSDATEN_2=0.0;1.0;0.60;;;EUR;;;;;;;;;;;;\r\n", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StateFromText(c.content).HasStoredEvaluation(), c.evaluated) << c.content;

    CBearbeitungsstand fresh;
    EXPECT_FALSE(fresh.LoadState(test::TempFolder("state_unevaluated") + "/missing.dat.zi4", CEinstellungen()));
    EXPECT_FALSE(fresh.HasStoredEvaluation());
}

TEST(LoadState, ReadsAnExistingSideFile)
{
    const std::string folder = test::TempFolder("state_existing");
    const std::string path = folder + "/a1.dat.zi4";
    test::WriteWholeFile(path, "MASSSTAB_DER_LAENGE=1000\r\n");
    CBearbeitungsstand state;
    EXPECT_TRUE(state.LoadState(path, CEinstellungen()));
    EXPECT_TRUE(state.FileExisted());
    EXPECT_EQ(state.Path(), path);
    EXPECT_EQ(state.LengthScale(), 1000);
}

TEST(LoadState, MissingFileGivesFreshStateWithTheGlobalSettings)
{
    const std::string folder = test::TempFolder("state_fresh");
    MemorySettingsStore store;
    store.SetInt("Farben", "Farbe3", 255);
    store.SetInt("Sonstiges", "CheckNegativ", 1);
    store.SetText("Sonstiges", "NrDiagramme", "3");
    CEinstellungen global;
    global.ReadFrom(store);

    CBearbeitungsstand state;
    EXPECT_FALSE(state.LoadState(folder + "/missing.dat.zi4", global));
    EXPECT_FALSE(state.FileExisted());
    EXPECT_EQ(state.LengthScale(), 400);
    EXPECT_EQ(state.ProgramVersion(), "040549000");
    EXPECT_EQ(state.Settings(), global);
    EXPECT_EQ(state.GetText("Farben_Farbe3", ""), "255");
    EXPECT_EQ(state.GetText("NEGWERTENULL", ""), "1");
    EXPECT_EQ(state.GetText("ANLAGENNUMMER_DIAGRAMMSEITEN", ""), "3");
    // Fields equal to the built-in default leave no key.
    EXPECT_EQ(state.Map().count("Farben_Farbe2"), 0u);
    EXPECT_EQ(state.Map().count("Druck_VarKanzeigen"), 0u);
    EXPECT_EQ(state.Map().size(), 4u);

    // A directory is no side file either.
    CBearbeitungsstand other;
    EXPECT_FALSE(other.LoadState(folder, global));
}

// Found with the exerciser: a side file that is a device or a pipe was read
// like a file (/dev/zero without end). It counts as no side file.
TEST(LoadState, ExerciserADeviceIsNoSideFile)
{
    CBearbeitungsstand state;
    EXPECT_FALSE(state.LoadState("/dev/null", CEinstellungen()));
    EXPECT_FALSE(state.FileExisted());
}

TEST(LoadState, ReloadForgetsThePreviousState)
{
    CBearbeitungsstand state;
    state.LoadStateFromText("x.zi4", "FAHRBAHN_OB2=Beton\nMASSSTAB_DER_LAENGE=2000\nKOPFDATEN=k\n");
    state.SetText("EXTRA", "1");
    state.LoadStateFromText("x.zi4", "");
    EXPECT_EQ(state.SurfaceIndex(), 0);
    EXPECT_EQ(state.LengthScale(), 400);
    EXPECT_TRUE(state.Map().empty());
}

TEST(TypedAccess, WritesUseTheStoredForms)
{
    CBearbeitungsstand state = StateFromText("");
    state.SetRange(-5, 4001);
    EXPECT_EQ(state.GetText(kKeyRange, ""), "-5;4001");
    EXPECT_EQ(state.RangeStart(), -5);
    state.SetMirrored(true);
    EXPECT_EQ(state.GetText(kKeyMirrored, ""), "1");
    state.SetMirrored(false);
    EXPECT_FALSE(state.IsMirrored());
    state.SetLengthScale(1000);
    EXPECT_EQ(state.LengthScale(), 1000);
    EXPECT_EQ(state.GetText(kKeyLengthScale, ""), "1000");
    Abschnitt wholeRun;
    wholeRun.mittlereGeschwindigkeit = "50.0";
    wholeRun.varK = "28.3";
    state.SetRunStatistics(wholeRun);
    EXPECT_EQ(state.RunStatisticsText(), "50.0||28.3");
    state.SetHeading(3, "H3");
    EXPECT_EQ(state.Heading(3), "H3");
    state.SetHeading(4, "ignored");
    EXPECT_EQ(state.Heading(4), "");
    state.Remove(kKeyRange);
    EXPECT_EQ(state.RangeEnd(), -1);
}

TEST(Checksum, KnownValues)
{
    EXPECT_EQ(StateFromText("").StateChecksum(), "135122");
    EXPECT_EQ(StateFromText("UBERSCHRIFT_ZEILE_1=A\n").StateChecksum(), "141622");
    // Trailing white space of each part is dropped, so these agree.
    EXPECT_EQ(StateFromText("UBERSCHRIFT_ZEILE_1=A\nUBERSCHRIFT_ZEILE_2=   \n").StateChecksum(), "141622");
    // A byte above 127 counts negative, and so does the remainder of its product:
    // "A\xFC": s1 = 1321 + 65 - 4, s2 = 3022 + (-4 * 1) % 17 = 3018.
    EXPECT_EQ(StateFromText("UBERSCHRIFT_ZEILE_1=A\xFC\n").StateChecksum(), "141218");
}

TEST(Checksum, LongTextsWrapLikeThirtyTwoBitArithmetic)
{
    // 200000 bytes of 0x7F: s1 = 25401321, so s1 x 100 lies beyond int32.
    const std::string stars(200'000, '\x7F');
    const CBearbeitungsstand state = StateFromText("STERNTEXTE=" + stars + "\n");
    uint32_t s1 = 1321, s2 = 3022;
    for (size_t i = 0; i < stars.size(); ++i) {
        s1 += 127u;
        s2 += static_cast<uint32_t>((127 * static_cast<int64_t>(i)) % 17);
    }
    const int64_t wrapped = static_cast<int64_t>(static_cast<uint32_t>(s1 * 100u + s2));
    const int64_t expected = wrapped > 2147483647 ? wrapped - 4294967296LL : wrapped;
    EXPECT_EQ(state.StateChecksum(), std::to_string(expected));
}

TEST(Checksum, TestPassesForFreshStateAndMatchingKennung)
{
    EXPECT_FALSE(StateFromText("").ChecksumMatches());  // no KENNUNG
    EXPECT_TRUE(StateFromText("KENNUNG=141622\nUBERSCHRIFT_ZEILE_1=A\n").ChecksumMatches());
    EXPECT_FALSE(StateFromText("KENNUNG=141622\nUBERSCHRIFT_ZEILE_1=B\n").ChecksumMatches());
    CBearbeitungsstand fresh;
    fresh.LoadState(test::TempFolder("state_checksum") + "/none.zi4", CEinstellungen());
    EXPECT_TRUE(fresh.ChecksumMatches());
}

class SectionQueries : public testing::Test {
protected:
    CBearbeitungsstand state = StateFromText(
        "MANUVONBIS=0;4000\r\n"
        "ABSCHNITTE=[0|350|40|10|1.5|2,5|1|||||][1000|375|50|10|1.0|1.0|1|||||][2500|400|60|10|||0|||||]\r\n");
};

TEST_F(SectionQueries, SectionNumberAtTakesBoundariesToTheEarlierSection)
{
    struct Case {
        int32_t station;
        int number;
        int32_t breite;
    } cases[] = {{0, 1, 350}, {1000, 1, 350}, {1001, 2, 375}, {2500, 2, 375}, {3000, 3, 400}, {99999, 3, 400}};
    for (const Case& c : cases) {
        const SectionNumber answer = state.SectionNumberAt(c.station);
        EXPECT_EQ(answer.number, c.number) << c.station;
        EXPECT_EQ(answer.breite, c.breite) << c.station;
    }
}

TEST_F(SectionQueries, SectionNumberAtInADescendingRun)
{
    state.SetRange(4001, 0);
    state.SetSectionsText("[4001|350][2500|375][1000|400]");
    EXPECT_EQ(state.SectionNumberAt(3000).number, 1);
    EXPECT_EQ(state.SectionNumberAt(2500).number, 1);
    EXPECT_EQ(state.SectionNumberAt(2499).number, 2);
    EXPECT_EQ(state.SectionNumberAt(500).number, 3);
    EXPECT_EQ(state.SectionNumberAt(500).breite, 400);
}

TEST_F(SectionQueries, SectionNumberAtWithoutSections)
{
    state.SetSectionsText("");
    EXPECT_EQ(state.SectionNumberAt(100).number, 0);
    EXPECT_EQ(state.SectionNumberAt(100).breite, 0);
}

TEST_F(SectionQueries, SectionAtUsesClosedIntervalsAndFirstMatch)
{
    const auto hit = state.SectionAt(1000);
    ASSERT_TRUE(hit.has_value());
    EXPECT_EQ(hit->index, 0);
    EXPECT_EQ(hit->section.breite, 350);
    EXPECT_DOUBLE_EQ(hit->section.faktorK, 1.5);
    EXPECT_DOUBLE_EQ(hit->section.einheitspreis, 2.5);
    EXPECT_EQ(state.SectionAt(1001)->index, 1);
    const auto notEvaluated = state.SectionAt(3000);
    ASSERT_TRUE(notEvaluated.has_value());
    EXPECT_EQ(notEvaluated->section.grenzwert, 0);
    EXPECT_FALSE(state.SectionAt(4001).has_value());
    EXPECT_FALSE(state.SectionAt(-1).has_value());
}

TEST_F(SectionQueries, SectionArrayFollowsChangesOfTheKeys)
{
    EXPECT_EQ(state.SectionCount(), 3);
    EXPECT_EQ(state.Section(2).bis, 4000);
    state.SetRange(0, 3000);
    EXPECT_EQ(state.Section(2).bis, 3000);
    state.SetSectionsText("[0|300|45|10|||1]");
    EXPECT_EQ(state.SectionCount(), 1);
    EXPECT_EQ(state.Section(0).grenzwert, 45);
    EXPECT_EQ(state.Section(5).breite, 0);  // out of range: a default record
    state.SetText(kKeySections, "");
    EXPECT_EQ(state.SectionCount(), 0);
    EXPECT_FALSE(state.SectionAt(0).has_value());
}

TEST_F(SectionQueries, SectionMarks)
{
    // Window 500..1500 ascending: section 0 clipped to 500..1000, section 1 to 1000..1500.
    EXPECT_EQ(state.SectionMarks(500, 1500), "[g;500;1000;40][r;500;1000;0;0][g;1000;1500;50][r;1000;1500;0;0][w;1000]");
    // Phase inside the 2-m cell: the clipped start lies 15 dm past a cell start.
    EXPECT_EQ(state.SectionMarks(515, 900), "[g;515;900;40][r;515;900;15;1]");
    // A section without limit gets no r mark; boundaries at the window end are not drawn.
    EXPECT_EQ(state.SectionMarks(2400, 2500), "[g;2400;2500;50][r;2400;2500;0;0][g;2500;2500;0]");
    // The same window given the other way round measures the phase from the upper ends.
    EXPECT_EQ(state.SectionMarks(900, 515), "[g;515;900;40][r;515;900;0;1]");
    EXPECT_EQ(state.SectionMarks(5000, 6000), "");
}

}  // namespace
}  // namespace kurvex

namespace kurvex {
namespace {

TEST(Fixtures, AscendingSideFileReadsThrough)
{
    CBearbeitungsstand state;
    ASSERT_TRUE(state.LoadState(test::FixturePath("document/fixtures/ascending.dat.zi4"), CEinstellungen()));
    EXPECT_EQ(state.LengthScale(), 1000);
    EXPECT_EQ(state.SurfaceName(), "AC 11 D S");
    EXPECT_EQ(state.Settings().Colour(3), 255);
    EXPECT_EQ(state.SectionCount(), 3);
    EXPECT_EQ(state.Section(2).bis, 4001);
    EXPECT_EQ(state.Section(2).grenzwert, 0);
    EXPECT_EQ(state.SectionNumberAt(1234).number, 2);
    EXPECT_EQ(state.Heading(2), "Fahrstreifen rechts");
    EXPECT_FALSE(state.ChecksumMatches());

    CBearbeitungsstand descending;
    ASSERT_TRUE(descending.LoadState(test::FixturePath("document/fixtures/descending.dat.zi4"), CEinstellungen()));
    EXPECT_TRUE(descending.ChecksumMatches());  // no headings or star texts: 135122
    EXPECT_TRUE(descending.IsMirrored());
    EXPECT_EQ(descending.KilometreAdjustment(), "5000;0");
    EXPECT_EQ(descending.SectionNumberAt(3000).number, 1);
    EXPECT_EQ(descending.SectionNumberAt(2000).number, 2);
}

}  // namespace
}  // namespace kurvex
