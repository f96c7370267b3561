#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <functional>
#include <vector>

#include "common/Cp1252.h"
#include "document/KurvexDoc.h"
#include "document/SideFileKeys.h"
#include "support/DocumentHelpers.h"

namespace kurvex {
namespace {

using test::Pm01bs02Record;
using test::ScriptedInteraction;

// A PM01BS02 run of n points every 10 dm from the start station, width 350 cm;
// the point at index commented has the comment text.
std::string DeviceFile(int n, double startKm = 0.0, bool closingMarker = true)
{
    std::string bytes = "PM01BS02\r\nPruefer|Meier\r\n***\r\n";
    for (int i = 0; i < n; ++i)
        bytes += Pm01bs02Record(1.0 + (i % 7) * 0.5, startKm + i * 0.001, 3.5, i == 3 ? "Fuge" : "");
    if (closingMarker)
        bytes += "***\r\n";
    return bytes;
}

class KurvexDocTest : public ::testing::Test {
protected:
    std::string folder = test::TempFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    CEinstellungen settings;
    ScriptedInteraction interaction;
    CKurvexDoc doc;

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const std::string path = folder + "/" + name;
        test::WriteWholeFile(path, bytes);
        return path;
    }
    OpenResult Open(const std::string& path) { return doc.Open(path, settings, interaction); }
};

// Windows follow the document through its observers; one that goes away while
// the others are told is not told any more.
TEST(DocumentObservers, AreToldOfEveryChangeAndMayLeaveWhileTold)
{
    struct Recorder : DocumentObserver {
        std::vector<DocumentChange> changes;
        std::function<void()> onChange;
        void DocumentChanged(DocumentChange change) override
        {
            changes.push_back(change);
            if (onChange)
                onChange();
        }
    };
    CKurvexDoc doc;
    Recorder first;
    Recorder second;
    doc.AddObserver(&first);
    doc.AddObserver(&second);
    doc.AddObserver(&first);  // once only
    doc.NotifyChanged(DocumentChange::PickedStations);
    EXPECT_EQ(first.changes, std::vector<DocumentChange>{DocumentChange::PickedStations});
    EXPECT_EQ(second.changes, std::vector<DocumentChange>{DocumentChange::PickedStations});

    first.onChange = [&] { doc.RemoveObserver(&second); };
    doc.NotifyChanged(DocumentChange::Evaluation);
    EXPECT_EQ(first.changes.size(), 2u);
    EXPECT_EQ(second.changes.size(), 1u);

    // Edited sections are a change of the evaluation.
    doc.ApplySections("[0|350|40|10|1.0|2.50|1|||||]");
    EXPECT_EQ(first.changes.back(), DocumentChange::Evaluation);
    doc.RemoveObserver(&first);
    doc.NotifyChanged(DocumentChange::ExceedancePages);
    EXPECT_EQ(first.changes.size(), 3u);
}

TEST_F(KurvexDocTest, FirstLoadAsksOnceAndBuildsDefaultSections)
{
    const std::string path = Write("run.pbs", DeviceFile(51));
    ASSERT_EQ(Open(path), OpenResult::Opened);
    EXPECT_EQ(interaction.questions, 1);
    EXPECT_EQ(interaction.askedStart, 0);
    EXPECT_EQ(interaction.askedEnd, 501);
    EXPECT_EQ(interaction.waitWindows, 0);
    EXPECT_TRUE(doc.FreshState());
    EXPECT_EQ(doc.State().GetText(kKeyRange, ""), "0;501");
    EXPECT_EQ(doc.State().SectionCount(), 1);
    EXPECT_EQ(doc.Run().GetCount(), 51);
    EXPECT_EQ(doc.State().HeaderData(), "\xBF\xBF\xBF" "Meier\xBF\xBF\xBF");
    EXPECT_EQ(doc.FileName(), "run.pbs");
    ASSERT_EQ(doc.StarTexts().size(), 1u);
    EXPECT_EQ(doc.StarTexts()[0].station, 30);
    EXPECT_EQ(doc.StarTexts()[0].text, "Fuge");
    EXPECT_TRUE(interaction.shown.empty());

    // The side file is never written: opening again asks again.
    CKurvexDoc again;
    ASSERT_EQ(again.Open(path, settings, interaction), OpenResult::Opened);
    EXPECT_EQ(interaction.questions, 2);
}

TEST_F(KurvexDocTest, ProgressGrowsWhileTheWaitWindowIsOpenAndEndsComplete)
{
    ASSERT_EQ(doc.Open(Write("run.pbs", DeviceFile(20)), settings, interaction), OpenResult::Opened);
    ASSERT_GE(interaction.progress.size(), 3u);
    EXPECT_TRUE(std::is_sorted(interaction.progress.begin(), interaction.progress.end()));
    EXPECT_GT(interaction.progress.front(), 0);  // never reported outside the wait window (-1)
    EXPECT_EQ(interaction.progress.back(), 100);
    EXPECT_EQ(interaction.waitWindows, 0);

    // A refused file closes the wait window without reporting completion.
    ScriptedInteraction refused;
    CKurvexDoc other;
    EXPECT_EQ(other.Open(Write("bad.pbs", "nothing of ours"), settings, refused), OpenResult::UnexpectedFormat);
    EXPECT_EQ(refused.waitWindows, 0);
    EXPECT_TRUE(refused.progress.empty() || refused.progress.back() < 100);
}

TEST_F(KurvexDocTest, FirstLoadAnswerShiftsAndTurnsTheRun)
{
    interaction.answer.kilometreAdjustment = "1000;0";
    interaction.answer.mirror = true;
    ASSERT_EQ(Open(Write("run.pbs", DeviceFile(11, 0.5))), OpenResult::Opened);
    EXPECT_EQ(doc.State().GetText(kKeyKilometreAdjustment, ""), "1000;0");
    EXPECT_TRUE(doc.State().IsMirrored());
    // Re-based to 1000 and turned to descend (1000 .. 900), then the order of the
    // points reversed, so the last value of the file comes first, at 900.
    EXPECT_EQ(doc.Run().GetStation(0), 900);
    EXPECT_EQ(doc.Run().GetStation(10), 1000);
    EXPECT_EQ(doc.Run().GetValue(0), 25);
    EXPECT_TRUE(doc.Run().IsAscending());
}

TEST_F(KurvexDocTest, IncompleteRunIsWarnedOnFirstLoadOnly)
{
    const std::string path = Write("run.pbs", DeviceFile(21, 0.0, false));
    ASSERT_EQ(Open(path), OpenResult::Opened);
    ASSERT_EQ(interaction.shown.size(), 1u);
    EXPECT_EQ(interaction.shown[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(interaction.shown[0].text,
              "Achtung!\n\nDie Messreihe ist eventuell unvollst\xE4ndig bzw. wurde abgebrochen.\n"
              "Es stehen  20.1 m  Messwerte zur Verf\xFCgung, von Station  0.0  bis  20.1.");
    EXPECT_EQ(doc.OpenMessages().size(), 1u);

    Write("run.pbs.zi4", "MANUVONBIS=-1;-1\nKENNUNG=" + CBearbeitungsstand().StateChecksum() + "\n");
    ScriptedInteraction quiet;
    CKurvexDoc again;
    ASSERT_EQ(again.Open(path, settings, quiet), OpenResult::Opened);
    EXPECT_EQ(quiet.questions, 0);
    for (const UserMessage& message : quiet.shown)
        EXPECT_NE(message.icon, MessageIcon::Exclamation) << message.text;
}

TEST_F(KurvexDocTest, StoredRangeOffsetCalibrationAndSections)
{
    const std::string path = Write("run.pbs", DeviceFile(501));
    Write("run.pbs.zi4",
          "MANUVONBIS=0;5000\r\n"
          "DEZIMETER_OFFSET=100\r\n"
          "KALIBRIERWERT=5\r\n"
          "ABSCHNITTE=[0|350|40|10|1.0|2.5|1|Asphalt||||][2000|375||10|1.0|2.5|0|Asphalt||||]\r\n");
    ASSERT_EQ(Open(path), OpenResult::Opened);
    EXPECT_EQ(interaction.questions, 0);
    EXPECT_FALSE(doc.FreshState());
    // Stored as ending on the last point (5000): widened to the run's range end.
    EXPECT_EQ(doc.State().GetText(kKeyRange, ""), "0;5001");
    EXPECT_EQ(doc.Run().RangeFrom(), 100);
    EXPECT_EQ(doc.Run().RangeTo(), 5101);
    EXPECT_EQ(doc.Run().GetStation(0), 100);
    EXPECT_EQ(doc.Run().GetValue(0), 15);  // 1.0 mm + 0.5 mm calibration
    EXPECT_EQ(doc.State().SectionCount(), 2);
    EXPECT_EQ(doc.State().Section(1).von, 2000);
}

TEST_F(KurvexDocTest, ChecksumMismatchClearsHeadingsAndStarTexts)
{
    const std::string path = Write("run.pbs", DeviceFile(11));
    Write("run.pbs.zi4", "UBERSCHRIFT_ZEILE_1=Abnahme B 27\nSTERNTEXTE=30_Riss<0>_\nKENNUNG=12345\n");
    ASSERT_EQ(Open(path), OpenResult::Opened);
    ASSERT_EQ(interaction.shown.size(), 1u);
    EXPECT_EQ(interaction.shown[0].icon, MessageIcon::Stop);
    EXPECT_EQ(interaction.shown[0].text, "Fehler die Datei:\r\n  " + path + ".zi4 enth\xE4lt inkonsistente Daten.");
    EXPECT_EQ(doc.State().Heading(1), "");
    ASSERT_EQ(doc.StarTexts().size(), 1u);
    EXPECT_EQ(doc.StarTexts()[0].text, "Fuge");
}

TEST_F(KurvexDocTest, StoredStarTextsReplaceTheCommentOfTheirPoint)
{
    CBearbeitungsstand state;
    state.SetStarTexts("30_Riss quer<2>_999_niemand<0>_");
    Write("run.pbs.zi4", "STERNTEXTE=30_Riss quer<2>_999_niemand<0>_\nKENNUNG=" + state.StateChecksum() + "\n");
    ASSERT_EQ(Open(Write("run.pbs", DeviceFile(11))), OpenResult::Opened);
    EXPECT_TRUE(interaction.shown.empty()) << interaction.shown[0].text;
    ASSERT_EQ(doc.StarTexts().size(), 1u);
    EXPECT_EQ(doc.StarTexts()[0].text, "Riss quer");
    EXPECT_EQ(doc.StarTexts()[0].placement, 2);
}

TEST_F(KurvexDocTest, CommentMarkerWithoutTextShowsTheStation)
{
    const std::string listing = "MESSUNG NR. 12\nGrenzwert 4,0 mm\n  15   1230\n  22   1234 *\n  18   1240\n";
    ASSERT_EQ(Open(Write("old.lst", listing)), OpenResult::Opened);
    ASSERT_EQ(doc.StarTexts().size(), 1u);
    EXPECT_EQ(doc.StarTexts()[0].text, "(123.4)");
}

TEST_F(KurvexDocTest, RefusedAndMissingFiles)
{
    EXPECT_EQ(Open(Write("x.bin", "no measurement here\n")), OpenResult::UnexpectedFormat);
    EXPECT_EQ(interaction.waitWindows, 0);
    EXPECT_EQ(interaction.questions, 0);
    EXPECT_EQ(Open(folder + "/missing.pbs"), OpenResult::CannotOpenFile);
    EXPECT_EQ(interaction.waitWindows, 0);
}

TEST_F(KurvexDocTest, ComparisonRunsFromSlotPathsOffsetsAndWindowsPaths)
{
    Write("cmp.pbs", DeviceFile(21, 0.1));
    const std::string path = Write("run.pbs", DeviceFile(21));
    Write("run.pbs.zi4",
          "VGL_PATH_3=" + folder + "/cmp.pbs\n"
          "VGL_OFF_3=12,5\n"
          "VGL_PATH_1=D:\\messungen\\cmp.pbs\n"
          "VGL_PATH_2=" + folder + "/fehlt.pbs\n"
          "VGL_PATH_4=" + folder + "\n"
          "KENNUNG=" + CBearbeitungsstand().StateChecksum() + "\n");
    ASSERT_EQ(Open(path), OpenResult::Opened);
    EXPECT_TRUE(interaction.shown.empty());
    EXPECT_TRUE(doc.ComparisonRun(1).IsLoaded());  // found beside the main file
    EXPECT_FALSE(doc.ComparisonRun(2).IsLoaded());
    EXPECT_TRUE(doc.ComparisonRun(3).IsLoaded());
    EXPECT_FALSE(doc.ComparisonRun(4).IsLoaded());
    EXPECT_DOUBLE_EQ(doc.ComparisonRun(3).ComparisonOffset(), 12.5);
    EXPECT_EQ(doc.ComparisonRun(3).GetCount(), 21);
    EXPECT_EQ(doc.ComparisonRun(3).GetStation(0), 1000);
}

// Found by the exerciser: a side file naming /dev/zero as a comparison run
// kept the open reading forever. A stored path that is no regular file (a
// folder here, a device or a pipe alike) is passed over like a missing one.
TEST_F(KurvexDocTest, ExerciserComparisonPathsThatAreNoFilesArePassedOver)
{
    Write("cmp.pbs", DeviceFile(21, 0.1));
    std::filesystem::create_directories(folder + "/elsewhere/cmp.pbs");
    const std::string path = Write("run.pbs", DeviceFile(21));
    Write("run.pbs.zi4",
          "VGL_PATH_1=" + folder + "/elsewhere/cmp.pbs\n"
          "VGL_PATH_2=/dev/null\n"
          "KENNUNG=" + CBearbeitungsstand().StateChecksum() + "\n");
    ASSERT_EQ(Open(path), OpenResult::Opened);
    EXPECT_TRUE(doc.ComparisonRun(1).IsLoaded());  // the file of that name beside the main file
    EXPECT_EQ(doc.ComparisonRun(1).GetCount(), 21);
    EXPECT_FALSE(doc.ComparisonRun(2).IsLoaded());
}

// Runs copied from Windows machines: side files hold their paths in
// Windows-1252 and in any case, the files here have UTF-8 names; folders and
// names hold umlauts, ß and letters Windows-1252 lacks (Łódź).
TEST_F(KurvexDocTest, RunsAndComparisonRunsUnderUmlautAndForeignNames)
{
    struct Place {
        const char* folder;
        const char* name;
    } const places[] = {
        {"Messungen", "run.pbs"},
        {"Pr\xC3\xBC" "fungen \xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", "Stra\xC3\x9F" "e_\xC3\x84\xC3\x96\xC3\x9C.pbs"},
        {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "\xC5\x81\xC3\xB3" "d\xC5\xBA_Stra\xC3\x9F" "e.pbs"},
    };
    // "Ältere Fahrten" beside the run's folder, written with "\\" in Windows-1252.
    const std::string older = folder + "/\xC3\x84ltere Fahrten";
    std::string olderStored = Utf8ToCp1252(older);
    std::replace(olderStored.begin(), olderStored.end(), '/', '\\');
    test::MakeFolders(older);
    test::WriteWholeFile(older + "/Pr\xC3\xBC" "fung.pbs", DeviceFile(11, 0.1));
    for (const Place& place : places) {
        SCOPED_TRACE(place.name);
        const std::string runFolder = folder + "/" + place.folder;
        test::MakeFolders(runFolder);
        const std::string path = runFolder + "/" + place.name;
        test::WriteWholeFile(path, DeviceFile(21));
        test::WriteWholeFile(runFolder + "/zwei.pbs", DeviceFile(12, 0.1));
        test::WriteWholeFile(runFolder + "/vergleich_stra\xC3\x9F" "e_\xC3\xA4\xC3\xB6\xC3\xBC.pbs", DeviceFile(13, 0.1));
        test::WriteWholeFile(path + ".zi4", "VGL_PATH_1=" + olderStored + "\\Pr\xFC" "fung.pbs\n"
                                            "VGL_PATH_2=D:\\Messungen\\ZWEI.PBS\n"
                                            "VGL_PATH_3=D:\\Messungen\\VERGLEICH_STRA\xDF" "E_\xC4\xD6\xDC.PBS\n"
                                            "VGL_PATH_4=D:\\Messungen\\Pr\xFC" "fung_fehlt.pbs\n"
                                            "KENNUNG=" + CBearbeitungsstand().StateChecksum() + "\n");
        CKurvexDoc one;
        ASSERT_EQ(one.Open(path, settings, interaction), OpenResult::Opened);
        EXPECT_FALSE(one.FreshState());
        EXPECT_EQ(one.FileName(), place.name);
        EXPECT_EQ(one.Run().GetCount(), 21);
        EXPECT_EQ(one.ComparisonRun(1).GetCount(), 11);
        EXPECT_EQ(one.ComparisonRun(2).GetCount(), 12);
        EXPECT_EQ(one.ComparisonRun(3).GetCount(), 13);
        EXPECT_FALSE(one.ComparisonRun(4).IsLoaded());
        for (int slot = 1; slot <= 3; ++slot)
            EXPECT_EQ(one.MissingComparisonPath(slot), "") << slot;
        EXPECT_EQ(one.MissingComparisonPath(4), "D:\\Messungen\\Pr\xFC" "fung_fehlt.pbs");
        EXPECT_EQ(one.MissingComparisonRunsText(), "Vergleichsfahrt 4 nicht gefunden: D:\\Messungen\\Pr\xFC" "fung_fehlt.pbs");

        // A side file made here names the runs in UTF-8, also outside Windows-1252.
        const std::string foreign = runFolder + "/\xC5\x81\xC3\xB3" "d\xC5\xBA_Vergleich.pbs";
        test::WriteWholeFile(foreign, DeviceFile(14, 0.1));
        test::WriteWholeFile(path + ".zi4", "VGL_PATH_1=" + foreign + "\n"
                                            "VGL_PATH_2=D:\\\xC5\x81\xC3\xB3" "d\xC5\xBA_VERGLEICH.PBS\n");
        CKurvexDoc again;
        ASSERT_EQ(again.Open(path, settings, interaction), OpenResult::Opened);
        EXPECT_EQ(again.ComparisonRun(1).GetCount(), 14);
        EXPECT_EQ(again.ComparisonRun(2).GetCount(), 14);
        EXPECT_EQ(again.MissingComparisonRunsText(), "");
    }
}

TEST_F(KurvexDocTest, ComparisonRunsNotFoundAreNamedAndNoneIsGuessed)
{
    const std::string path = Write("run.pbs", DeviceFile(21));
    Write("run.pbs.zi4", "VGL_PATH_1=D:\\Messungen\\fehlt.pbs\n"
                         "VGL_PATH_3=E:\\Alt\\STRA\xDF" "E.pbs\n"
                         "VGL_PATH_4=\n"
                         "KENNUNG=" + CBearbeitungsstand().StateChecksum() + "\n");
    ASSERT_EQ(Open(path), OpenResult::Opened);
    EXPECT_TRUE(interaction.shown.empty());  // no message box: the status bar names them
    EXPECT_EQ(doc.MissingComparisonPath(1), "D:\\Messungen\\fehlt.pbs");
    EXPECT_EQ(doc.MissingComparisonPath(2), "");
    EXPECT_EQ(doc.MissingComparisonPath(4), "");
    EXPECT_EQ(doc.MissingComparisonRunsText(),
              "Vergleichsfahrten nicht gefunden: 1: D:\\Messungen\\fehlt.pbs; 3: E:\\Alt\\STRA\xDF" "E.pbs");

    // Found but not a measurement file: not loaded, yet not missing either.
    Write("stra\xC3\x9F" "e.pbs", "kein Messwert\n");
    CKurvexDoc refused;
    ASSERT_EQ(refused.Open(path, settings, interaction), OpenResult::Opened);
    EXPECT_FALSE(refused.ComparisonRun(3).IsLoaded());
    EXPECT_EQ(refused.MissingComparisonPath(3), "");
}

TEST_F(KurvexDocTest, TwoNamesDifferingOnlyInCaseGuessNone)
{
    if (!test::CaseSensitiveFileNames(folder))
        GTEST_SKIP() << "the file system ignores case: \"Stra\xC3\x9F" "e.pbs\" and \"stra\xC3\x9F" "e.pbs\" are one file";
    const std::string path = Write("run.pbs", DeviceFile(21));
    Write("run.pbs.zi4", "VGL_PATH_3=E:\\Alt\\STRA\xDF" "E.pbs\n");
    Write("Stra\xC3\x9F" "e.pbs", DeviceFile(11));
    Write("stra\xC3\x9F" "e.pbs", DeviceFile(12));
    ASSERT_EQ(Open(path), OpenResult::Opened);
    EXPECT_FALSE(doc.ComparisonRun(3).IsLoaded());
    EXPECT_EQ(doc.MissingComparisonPath(3), "E:\\Alt\\STRA\xDF" "E.pbs");
}

TEST_F(KurvexDocTest, ComparisonRunMirrorCombinations)
{
    struct Case {
        const char* slotMirror;
        const char* mainMirror;
        std::vector<int32_t> stations;
        int32_t firstValue;
    } const cases[] = {
        {"0", "0", {0, 10, 20}, 10},
        {"1", "1", {20, 10, 0}, 20},
        {"1", "0", {0, 10, 20}, 20},
        {"0", "1", {20, 10, 0}, 10},
    };
    Write("cmp.pbs", DeviceFile(3));
    const std::string path = Write("run.pbs", DeviceFile(3));
    for (const Case& c : cases) {
        Write("run.pbs.zi4", std::string("VGL_PATH_1=") + folder + "/cmp.pbs\nVGL_MIRROR_1=" + c.slotMirror
                                 + "\nBOOL_SPIEGELN=" + c.mainMirror + "\n");
        CKurvexDoc one;
        ASSERT_EQ(one.Open(path, settings, interaction), OpenResult::Opened);
        const CMessFahrtDaten& run = one.ComparisonRun(1);
        ASSERT_EQ(run.GetCount(), 3);
        std::vector<int32_t> stations;
        for (int i = 0; i < run.GetCount(); ++i)
            stations.push_back(run.GetStation(i));
        EXPECT_EQ(stations, c.stations) << c.slotMirror << c.mainMirror;
        EXPECT_EQ(run.GetValue(0), c.firstValue) << c.slotMirror << c.mainMirror;
    }
}

TEST_F(KurvexDocTest, ApplySectionsStoresTheWholeRunStatistics)
{
    ASSERT_EQ(Open(Write("run.pbs", DeviceFile(11))), OpenResult::Opened);
    doc.ApplySections("[0|350|40|10|1.0|2.5|1|Asphalt||||][50|350|40|10|1.0|2.5|0|Asphalt||||]");
    EXPECT_EQ(doc.State().SectionCount(), 2);
    EXPECT_EQ(doc.State().GetText(kKeyRunStatistics, "?"), doc.State().RunStatisticsText());
}

TEST(PathsOfTheDocument, BothSeparators)
{
    EXPECT_EQ(FileNameOfPath("D:\\messungen\\a1.dat"), "a1.dat");
    EXPECT_EQ(FileNameOfPath("/data/a1.dat"), "a1.dat");
    EXPECT_EQ(FileNameOfPath("a1.dat"), "a1.dat");
    EXPECT_EQ(FolderOfPath("/data/x/a1.dat"), "/data/x/");
    EXPECT_EQ(FolderOfPath("a1.dat"), "");
}

}  // namespace
}  // namespace kurvex
