// The shell's pieces below the windows: the list file, the settings store on
// QSettings, the single-instance hand-over and the command line.

#include "common/Cp1252.h"
#include "shell/Commands.h"
#include "shell/KurvexApp.h"
#include "shell/QSettingsStore.h"
#include "shell/RecentVerwaltung.h"
#include "shell/SingleInstance.h"
#include "support/TestSupport.h"
#include "ui/support/GuiTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QSettings>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <future>
#include <set>
#include <string>
#include <thread>

namespace kurvex {
namespace {

using test::ReadWholeFile;
using test::TempFolder;
using test::WriteWholeFile;

// Tests and the accessibility tree find commands by their object names, so
// those are unique plain ASCII; a command without handler says so in its prompt.
TEST(CommandTable, ObjectNamesAreUniqueAsciiAndScopesMatchThePrompts)
{
    const QRegularExpression name(QStringLiteral("^[a-z]+(_[a-z0-9]+)+$"));
    const QString notAvailable = QString::fromUtf8("Dieser Befehl ist in diesem Programm nicht verfügbar.");
    std::set<std::string> names;
    for (const CommandInfo& info : CommandTable()) {
        SCOPED_TRACE(info.objectName);
        EXPECT_TRUE(name.match(QString::fromLatin1(info.objectName)).hasMatch());
        EXPECT_TRUE(names.insert(info.objectName).second) << "named twice";
        EXPECT_EQ(info.scope == CommandScope::NotAvailable, info.statusTip == notAvailable);
        EXPECT_EQ(&InfoOf(info.command), &info);
    }
    EXPECT_EQ(std::string(InfoOf(Command::Open).objectName), "file_open");
    EXPECT_EQ(std::string(InfoOf(Command::Reload).objectName), "view_reload");
}

TEST(CommandTable, ScopesDecideWhenACommandIsEnabled)
{
    // hasActiveChart, printing, hasWindows
    EXPECT_TRUE(CommandEnabled(CommandScope::MainWindow, false, false, false));
    EXPECT_TRUE(CommandEnabled(CommandScope::ChartWindow, true, false, true));
    EXPECT_FALSE(CommandEnabled(CommandScope::ChartWindow, true, true, true));
    EXPECT_FALSE(CommandEnabled(CommandScope::ChartWindow, false, false, true));
    EXPECT_TRUE(CommandEnabled(CommandScope::AnyWindow, false, false, true));
    EXPECT_FALSE(CommandEnabled(CommandScope::AnyWindow, false, false, false));
    EXPECT_FALSE(CommandEnabled(CommandScope::NotAvailable, true, false, true));
}

TEST(RecentVerwaltung, ReadsKeyValuePairsAndSkipsLinesWithoutKey)
{
    const std::string folder = TempFolder("recent_read_Pr\xC3\xBC" "fung");
    const std::string path = folder + "/recent.txt";
    WriteWholeFile(path, "[a][1]\r\n[][ignored]\nno brackets\n[b][two words]\n[c]\n");
    CRecentVerwaltung recent;
    EXPECT_FALSE(recent.Load(path).has_value());
    EXPECT_TRUE(recent.Loaded());
    const CMapString2String expected{{"a", "1"}, {"b", "two words"}, {"c", ""}};
    EXPECT_EQ(recent.Entries(), expected);
}

TEST(RecentVerwaltung, CreatesAMissingFileEmpty)
{
    const std::string path = TempFolder("recent_create_\xC5\x81\xC3\xB3" "d\xC5\xBA") + "/recent.txt";
    CRecentVerwaltung recent;
    EXPECT_FALSE(recent.Load(path).has_value());
    EXPECT_TRUE(recent.Loaded());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(path)));
    EXPECT_TRUE(recent.Entries().empty());
}

TEST(RecentVerwaltung, AFileThatCannotBeCreatedGivesTheMessageAndLoadsNothing)
{
    const std::string path = TempFolder("recent_fail_Stra\xC3\x9F" "e") + "/missing/folder/recent.txt";
    CRecentVerwaltung recent;
    const auto message = recent.Load(path);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->rfind("Fehler 3377:\nDie folgende Datei konnte nicht ge\xF6" "ffnet werden:\n" + Utf8ToCp1252(path) +
                                 "\n\nGetLastError(): ",
                             0),
              0u);
    EXPECT_FALSE(recent.Loaded());
}

TEST(RecentVerwaltung, TheOldListIsTakenOverOnceAndNeverOverwritesTheNewOne)
{
    const std::string base = TempFolder("recent_takeover_\xC5\x81\xC3\xB3" "d\xC5\xBA_\xC3\xA4\xC3\xB6\xC3\xBC");
    QDir().mkpath(QString::fromStdString(base + "/Kurvex3"));
    QDir().mkpath(QString::fromStdString(base + "/Kurvex4"));
    WriteWholeFile(base + "/Kurvex3/recent.txt", "[old][1]\n");

    TakeOverRecentFile(base + "/Kurvex3", base + "/Kurvex4");
    EXPECT_EQ(ReadWholeFile(base + "/Kurvex4/recent.txt"), "[old][1]\n");

    WriteWholeFile(base + "/Kurvex4/recent.txt", "[new][2]\n");
    TakeOverRecentFile(base + "/Kurvex3", base + "/Kurvex4");
    EXPECT_EQ(ReadWholeFile(base + "/Kurvex4/recent.txt"), "[new][2]\n");

    // No old list: nothing happens.
    TakeOverRecentFile(base + "/none", base + "/Kurvex5");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(base + "/Kurvex5/recent.txt")));
}

class QSettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { test::ClearSettings(); }
    void TearDown() override { test::ClearSettings(); }
};

TEST_F(QSettingsStoreTest, IntegersAndTextsRoundTripAndMissingValuesGiveTheDefault)
{
    QSettingsStore store;
    EXPECT_EQ(store.GetInt("Sonstiges", "DiagrammeProSeite", 3), 3);
    EXPECT_EQ(store.GetText("Sonstiges", "NrDiagramme", "2"), "2");
    store.SetInt("Sonstiges", "DiagrammeProSeite", 2);
    store.SetText("Sonstiges", "NrDiagramme", "Anlage \xE4");  // Windows-1252 umlaut
    EXPECT_EQ(store.GetInt("Sonstiges", "DiagrammeProSeite", 3), 2);
    EXPECT_EQ(store.GetText("Sonstiges", "NrDiagramme", ""), "Anlage \xE4");
    EXPECT_EQ(QSettings().value(QStringLiteral("Sonstiges/NrDiagramme")).toString(), QString::fromUtf8("Anlage ä"));
}

TEST_F(QSettingsStoreTest, JunkWhereANumberBelongsReadsAsTheDefault)
{
    struct Case {
        QVariant stored;
        int32_t expected;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), 7},          {QStringLiteral(""), 7},           {QStringLiteral("12x"), 7},
        {QStringLiteral("99999999999"), 7}, {QStringLiteral(" 42 "), 42},       {QStringList{"1", "2"}, 7},
        {-5, -5},
    };
    QSettingsStore store;
    for (const Case& c : cases) {
        QSettings().setValue(QStringLiteral("Farben/Farbe3"), c.stored);
        EXPECT_EQ(store.GetInt("Farben", "Farbe3", 7), c.expected) << c.stored.toString().toStdString();
    }
}

TEST_F(QSettingsStoreTest, RemoveSectionRemovesOnlyThatSection)
{
    QSettingsStore store;
    store.SetInt("Spaltenbreiten", "Liste", 5);
    store.SetInt("Sonstiges", "DiagrammeProSeite", 2);
    store.RemoveSection("Spaltenbreiten");
    EXPECT_EQ(store.GetInt("Spaltenbreiten", "Liste", -1), -1);
    EXPECT_EQ(store.GetInt("Sonstiges", "DiagrammeProSeite", 3), 2);
}

TEST_F(QSettingsStoreTest, GlobalSettingsComeFromTheStoreWithDefaultsForJunk)
{
    QSettings settings;
    settings.setValue(QStringLiteral("Farben/Farbe3"), 255);
    settings.setValue(QStringLiteral("Dicken/Dicke0"), QStringLiteral("dick"));
    QSettingsStore store;
    CEinstellungen global;
    global.ReadFrom(store);
    EXPECT_EQ(global.Colour(3), 255);
    EXPECT_EQ(global.LineWidth(0), CEinstellungen().LineWidth(0));
}

// Waits, with the event loop running, until pred() holds or the time is up.
template <typename Pred>
bool WaitFor(Pred pred, int timeoutMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!pred() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pred();
}

TEST(SingleInstance, TheSecondStartHandsItsFilesToTheFirst)
{
    QTemporaryDir folder;
    const QString key = QStringLiteral("Kurvex test %1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key, folder.path());
    ASSERT_EQ(first.Start({}), SingleInstance::Role::First);
    QStringList received;
    bool activated = false;
    QObject::connect(&first, &SingleInstance::activationRequested, [&](const QStringList& files) {
        received = files;
        activated = true;
    });

    // The second copy blocks while it hands over; the first answers from its event loop.
    auto second = std::async(std::launch::async, [&] {
        SingleInstance other(key, folder.path());
        return other.Start({QStringLiteral("/data/a b.pbs"), QString::fromUtf8("/data/Straße.pbs")});
    });
    ASSERT_TRUE(WaitFor([&] { return activated; }));
    EXPECT_EQ(second.get(), SingleInstance::Role::HandedOver);
    EXPECT_EQ(received, (QStringList{QStringLiteral("/data/a b.pbs"), QString::fromUtf8("/data/Straße.pbs")}));
}

TEST(SingleInstance, ALockAndSocketLeftByACrashedCopyAreTakenOver)
{
    QTemporaryDir folder;
    const QString key = QStringLiteral("Kurvex crashed %1").arg(QCoreApplication::applicationPid());
    const QString name = InstanceServerName(key + QLatin1Char('@') + folder.path());
    // A lock file whose owner no longer runs, and a dead socket file where the server listened.
    WriteWholeFile(QDir(folder.path()).filePath(name + QStringLiteral(".lock")).toStdString(),
                   "2147483000\nkurvex\n" + QSysInfo::machineHostName().toStdString() + "\n");
    const QString socketPath = QDir(QDir::tempPath()).filePath(name);
    WriteWholeFile(socketPath.toStdString(), "");

    SingleInstance restarted(key, folder.path());
    EXPECT_EQ(restarted.Start({}), SingleInstance::Role::First);
}

TEST(StartOptions, APlainFileArgumentOpensNothingAndOpenTakesEveryFileAbsolute)
{
    EXPECT_TRUE(ParseCommandLine({QStringLiteral("kurvex"), QStringLiteral("a.pbs")}).filesToOpen.isEmpty());
    EXPECT_TRUE(ParseCommandLine({QStringLiteral("kurvex")}).filesToOpen.isEmpty());
    const StartOptions options =
        ParseCommandLine({QStringLiteral("kurvex"), QStringLiteral("--open"), QStringLiteral("a.pbs"),
                          QStringLiteral("/x/b.pbs")});
    EXPECT_EQ(options.filesToOpen,
              (QStringList{QDir::current().absoluteFilePath(QStringLiteral("a.pbs")), QStringLiteral("/x/b.pbs")}));
}

TEST(StartOptions, InstanceKeyAndCaptionsCarryTheVersion)
{
    EXPECT_EQ(FrameTitle(), QStringLiteral("Kurvex 4.5.49"));
    EXPECT_EQ(InstanceKey(), QStringLiteral("Kurvex 4.5.49 Class"));
    EXPECT_EQ(MainWindowCaption(), QStringLiteral("Kurvex-Viewer 4.5.49"));
}

}  // namespace
}  // namespace kurvex
