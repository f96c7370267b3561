// The main window over real documents: menus, command states, opening and
// failing to open files, the caption, the status bar and the file viewer.

#include "chart/ChartPainter.h"
#include "chart/ui/KurvexView.h"
#include "common/Numbers.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "document/SettingsStore.h"
#include "measurement/ui/NMDateiDlg.h"
#include "render/ChartRendering.h"
#include "shell/Commands.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"
#include "ui/support/ProgramFixture.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QDropEvent>
#include <QMimeData>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QUrl>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>

#include <gtest/gtest.h>

namespace kurvex {
namespace {

const QString kSamples = QStringLiteral(KURVEX_SAMPLES);

using test::Sample;

class MainFrameTest : public test::ProgramTest {
protected:
    QStringList MenuTitles() const
    {
        QStringList titles;
        for (QAction* action : m_app->MainFrame()->menuBar()->actions())
            titles << action->text();
        return titles;
    }
    int WindowCount() const { return static_cast<int>(m_app->MainFrame()->MdiArea()->subWindowList().size()); }

    // The scripted interaction answers every open of the frame with OK and keeps the messages.
    std::vector<UserMessage>& m_messages = m_interaction.shown;
    int& m_questions = m_interaction.questions;
};

TEST_F(MainFrameTest, MenusWithoutAndWithADocument)
{
    EXPECT_EQ(MenuTitles(), (QStringList{"&Datei", "&Ansicht", "&?"}));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Kurvex-Viewer 4.5.49"));
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    EXPECT_EQ(MenuTitles(), (QStringList{"&Datei", "&Ansicht", "&Einstellungen", QString::fromUtf8("Ü&berschreitungen"),
                                         "&Fenster", "&?"}));
    Frame().Action(Command::Close)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WindowCount(), 0);
    EXPECT_EQ(MenuTitles(), (QStringList{"&Datei", "&Ansicht", "&?"}));
}

// What a screen reader says: the toolbar buttons by their tooltips, the chart's scroll bars by what they move.
TEST_F(MainFrameTest, ToolbarButtonsAndScrollBarsAreNamedForScreenReaders)
{
    auto* toolBar = Frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(toolBar, nullptr);
    EXPECT_EQ(toolBar->widgetForAction(Frame().Action(Command::Open))->accessibleName(), QStringLiteral("Öffnen"));
    EXPECT_EQ(toolBar->widgetForAction(Frame().Action(Command::PageForward))->accessibleName(),
              QStringLiteral("Seite weiter"));
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->horizontalScrollBar()->accessibleName().isEmpty());
    EXPECT_FALSE(view->verticalScrollBar()->accessibleName().isEmpty());
}

TEST_F(MainFrameTest, EveryCommandIsFoundByItsObjectName)
{
    for (const CommandInfo& info : CommandTable())
        EXPECT_EQ(Frame().findChild<QAction*>(QString::fromLatin1(info.objectName)), Frame().Action(info.command))
            << info.objectName;
}

TEST_F(MainFrameTest, CommandsWithoutHandlerAreDisabledAndViewCommandsFollowTheActiveView)
{
    const Command withoutHandler[] = {Command::NewRunDefaults, Command::ResetState,     Command::RunSettings,
                                      Command::ComparisonRuns, Command::EditHeadings,   Command::AutomaticDetection,
                                      Command::ReportHeaderFooter, Command::ToolComments, Command::ExcludeRange};
    const Command viewCommands[] = {Command::Close, Command::Print, Command::PreviewChart, Command::PrintChart,
                                    Command::PreviewEvaluation, Command::PrintEvaluation, Command::Zoom,
                                    Command::TwoMetreGrid, Command::ToggleStrips, Command::NewWindow};
    for (Command command : viewCommands)
        EXPECT_FALSE(Frame().Action(command)->isEnabled()) << Frame().Action(command)->text().toStdString();
    EXPECT_TRUE(Frame().Action(Command::Open)->isEnabled());

    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    for (Command command : viewCommands)
        EXPECT_TRUE(Frame().Action(command)->isEnabled()) << Frame().Action(command)->text().toStdString();
    for (Command command : withoutHandler)
        EXPECT_FALSE(Frame().Action(command)->isEnabled()) << Frame().Action(command)->text().toStdString();
    EXPECT_FALSE(Frame().Action(Command::PageBack)->isEnabled());  // page 1
    EXPECT_TRUE(Frame().Action(Command::PageForward)->isEnabled());

    Frame().Action(Command::TwoMetreGrid)->trigger();
    EXPECT_TRUE(Frame().ActiveView()->TwoMetreGrid());
    EXPECT_TRUE(Frame().Action(Command::TwoMetreGrid)->isChecked());
}

TEST_F(MainFrameTest, OpeningASampleShowsItsFirstPageInTheCaption)
{
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    view->viewport()->repaint();
    const int pages = view->PageCount();
    ASSERT_GT(pages, 1);
    EXPECT_EQ(pages, ChartPageCount(view->Document(), view->StripsPerPage()));
    const QString title = QStringLiteral("pm01bs02_sample.pbs   Seite 1 von %1").arg(pages);
    EXPECT_EQ(view->windowTitle(), title);
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Kurvex-Viewer 4.5.49 - [") + title + QLatin1Char(']'));

    Frame().Action(Command::PageForward)->trigger();
    view->viewport()->repaint();
    EXPECT_EQ(view->windowTitle(), QStringLiteral("pm01bs02_sample.pbs   Seite 2 von %1").arg(pages));
    EXPECT_TRUE(Frame().Action(Command::PageBack)->isEnabled());
}

// A colleague's run copied from Windows: a name outside Windows-1252, a side
// file naming the comparison runs in Windows-1252 and in another case, one of
// them not copied along. That one is named in the status bar after the open.
TEST_F(MainFrameTest, ARunFromWindowsFindsItsComparisonRunsAndNamesTheMissingOne)
{
    QTemporaryDir base;
    const QString folder = base.filePath(QStringLiteral("Pr\u00fcfung"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString run = folder + QStringLiteral("/\u0141\u00f3d\u017a_Stra\u00dfe.pbs");
    ASSERT_TRUE(QFile::copy(Sample("pm01bs02_sample.pbs"), run));
    ASSERT_TRUE(QFile::copy(Sample("pm01bs02_compare.pbs"), folder + QStringLiteral("/vergleich_\u00e4\u00f6\u00fc.pbs")));
    std::string sideFile = test::ReadWholeFile(Sample("pm01bs02_sample.pbs.zi4").toStdString());
    const std::string stored = "VGL_PATH_1=D:\\messungen\\pm01bs02_compare.pbs";
    ASSERT_NE(sideFile.find(stored), std::string::npos);
    sideFile.replace(sideFile.find(stored), stored.size(),
                     "VGL_PATH_1=D:\\Messungen\\VERGLEICH_\xC4\xD6\xDC.PBS\r\nVGL_PATH_2=D:\\Messungen\\Pr\xFC" "fung_2.pbs");
    test::WriteWholeFile((run + QStringLiteral(".zi4")).toStdString(), sideFile);

    CKurvexView* view = Frame().OpenDocumentFile(run);
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->Document().ComparisonRun(1).IsLoaded());
    EXPECT_FALSE(view->Document().ComparisonRun(2).IsLoaded());
    view->viewport()->repaint();
    EXPECT_TRUE(view->windowTitle().startsWith(QStringLiteral("\u0141\u00f3d\u017a_Stra\u00dfe.pbs   Seite 1 von ")))
        << view->windowTitle().toStdString();
    const QString note = QStringLiteral("Vergleichsfahrt 2 nicht gefunden: D:\\Messungen\\Pr\u00fcfung_2.pbs");
    EXPECT_TRUE(Frame().statusBar()->currentMessage().endsWith(note)) << Frame().statusBar()->currentMessage().toStdString();

    // Reading the run again names it again; a run without missing ones says nothing of them.
    Frame().statusBar()->clearMessage();
    ASSERT_NE(Frame().ReloadActiveDocument(), nullptr);
    EXPECT_TRUE(Frame().statusBar()->currentMessage().endsWith(note));
    Frame().statusBar()->clearMessage();
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), QString());
}

TEST_F(MainFrameTest, AnOpenFileIsOnlyActivated)
{
    CKurvexView* first = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    CKurvexView* other = Frame().OpenDocumentFile(Sample("imexport_sample.exp"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(Frame().ActiveView(), other);
    EXPECT_EQ(Frame().OpenDocumentFile(kSamples + QStringLiteral("/../samples/pm01bs02_sample.pbs")), first);
    EXPECT_EQ(WindowCount(), 2);
    EXPECT_EQ(Frame().ActiveView(), first);
}

TEST_F(MainFrameTest, AFileThatCannotBeOpenedLeavesNoWindowAndSaysWhy)
{
    QTemporaryDir folder;
    const QString empty = folder.filePath(QStringLiteral("empty.pbs"));
    const QString garbage = folder.filePath(QStringLiteral("garbage.pbs"));
    const QString unreadable = folder.filePath(QStringLiteral("secret.pbs"));
    test::WriteWholeFile(empty.toStdString(), "");
    test::WriteWholeFile(garbage.toStdString(), std::string("\x01\x02\xff\xfe garbage\0\0", 14));
    test::WriteWholeFile(garbage.toStdString() + ".zi4", std::string("\x89PNG\r\n\x1a\n\0\0[[[", 14));
    QFile::copy(Sample("pm01bs02_sample.pbs"), unreadable);
    QFile::setPermissions(unreadable, QFileDevice::Permissions());
    const bool canTestPermissions = !QFile(unreadable).open(QIODevice::ReadOnly);  // root reads anything

    struct Case {
        QString path;
        MessageIcon icon;
        std::string textStart;
    };
    std::vector<Case> cases = {
        {empty, MessageIcon::Exclamation, "Unerwartetes Dateiformat."},
        {garbage, MessageIcon::Exclamation, "Unerwartetes Dateiformat."},
        {folder.path(), MessageIcon::Exclamation, "Die Datei\n"},
        {folder.filePath(QStringLiteral("missing.pbs")), MessageIcon::Exclamation, "Die Datei\n"},
    };
    if (canTestPermissions)
        cases.push_back({unreadable, MessageIcon::Exclamation, "Die Datei\n"});
    for (const Case& c : cases) {
        m_messages.clear();
        EXPECT_EQ(Frame().OpenDocumentFile(c.path), nullptr) << c.path.toStdString();
        EXPECT_EQ(WindowCount(), 0) << c.path.toStdString();
        ASSERT_FALSE(m_messages.empty()) << c.path.toStdString();
        EXPECT_EQ(m_messages.back().icon, c.icon);
        EXPECT_EQ(m_messages.back().text.rfind(c.textStart, 0), 0u) << m_messages.back().text;
    }
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Kurvex-Viewer 4.5.49"));
}

// With several files opened at once, each message of an open says which file
// it means, on a line of its own below the text.
TEST_F(MainFrameTest, MessagesOfAnOpenNameTheirFileBelowTheText)
{
    QTemporaryDir folder;
    const QString garbage = folder.filePath(QStringLiteral("garbage.pbs"));
    test::WriteWholeFile(garbage.toStdString(), "no measurement at all\r\n");
    const QString mismatch = Sample("imexport_checksum_mismatch.exp");

    m_messages.clear();
    EXPECT_EQ(Frame().OpenDocumentFile(garbage), nullptr);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].text, "Unerwartetes Dateiformat.\n" + QDir::toNativeSeparators(garbage).toStdString());

    m_messages.clear();
    ASSERT_NE(Frame().OpenDocumentFile(mismatch), nullptr);
    ASSERT_EQ(m_messages.size(), 1u);
    const std::string& text = m_messages[0].text;
    EXPECT_EQ(text.rfind("Fehler die Datei:\r\n", 0), 0u) << text;
    const std::string below = "inkonsistente Daten.\n" + QDir::toNativeSeparators(QFileInfo(mismatch).canonicalFilePath()).toStdString();
    EXPECT_EQ(text.substr(text.size() - std::min(text.size(), below.size())), below) << text;
}

// A run without a stored evaluation is not free of exceedances: the status bar
// says so once after the open.
TEST_F(MainFrameTest, ARunWithoutStoredEvaluationIsNamedInTheStatusBar)
{
    const QString notice = QString::fromUtf8("Für diese Messfahrt liegt keine Überschreitungsauswertung vor.");
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    EXPECT_TRUE(Frame().statusBar()->currentMessage().isEmpty());
    ASSERT_NE(Frame().OpenDocumentFile(Sample("listing_sample.lst")), nullptr);
    EXPECT_EQ(Frame().statusBar()->currentMessage(), notice);
}

TEST_F(MainFrameTest, TheChosenFileIsRememberedEvenWhenItCannotBeRead)
{
    const QString missing = m_folder.filePath(QStringLiteral("nothing.pbs"));
    Frame().OpenChosenFile(missing);
    EXPECT_EQ(QSettings().value(QStringLiteral("Sonstiges/LastFileOpen")).toString(), missing);
    EXPECT_TRUE(Frame().RecentFiles().isEmpty());

    Frame().OpenChosenFile(Sample("pm01bs02_sample.pbs"));
    const QString opened = QFileInfo(Sample("pm01bs02_sample.pbs")).canonicalFilePath();
    EXPECT_EQ(Frame().RecentFiles(), QStringList{opened});
    EXPECT_EQ(QSettings().value(QStringLiteral("Recent File List/File1")).toString(), opened);
}

TEST_F(MainFrameTest, PickedStationsGoIntoTheSecondPane)
{
    Frame().ShowPickedStations("", "");
    EXPECT_EQ(Frame().StatusPane(1)->text(), QStringLiteral("[ ] [ ]"));
    Frame().ShowPickedStations("1234", "");
    EXPECT_EQ(Frame().StatusPane(1)->text(), QStringLiteral("[ 123.4 ] [ ]"));
    Frame().ShowPickedStations("1000", "1234");
    EXPECT_EQ(Frame().StatusPane(1)->text(), QStringLiteral("[ 100.0 ] [ 123.4 ]  Distanz 23.4m"));
}

TEST_F(MainFrameTest, TheFileViewerFollowsTheActiveDocument)
{
    CNMDateiDlg* viewer = Frame().FileViewer();
    EXPECT_EQ(viewer->Caption(), QStringLiteral("keine Datei geladen"));
    EXPECT_FALSE(viewer->isVisible());
    Frame().Action(Command::ToggleFileViewer)->trigger();
    EXPECT_TRUE(Frame().FileViewerShown());
    EXPECT_TRUE(Frame().Action(Command::ToggleFileViewer)->isChecked());

    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    EXPECT_EQ(viewer->Caption(), QStringLiteral("pm01bs02_sample.pbs"));
    ASSERT_NE(Frame().OpenDocumentFile(Sample("imexport_sample.exp")), nullptr);
    EXPECT_EQ(viewer->Caption(), QStringLiteral("imexport_sample.exp"));
    EXPECT_GT(viewer->LineCount(), 0);

    Frame().MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(viewer->Caption(), QStringLiteral("keine Datei geladen"));
}

TEST_F(MainFrameTest, MinimisingHidesTheViewerAndRestoringBringsItBackOnlyWhenSwitchedOn)
{
    Frame().show();
    Frame().Action(Command::ToggleFileViewer)->trigger();
    ASSERT_TRUE(Frame().FileViewer()->isVisible());
    Frame().setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    EXPECT_FALSE(Frame().FileViewer()->isVisible());
    Frame().setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_TRUE(Frame().FileViewer()->isVisible());

    Frame().Action(Command::ToggleFileViewer)->trigger();
    Frame().setWindowState(Qt::WindowMinimized);
    QApplication::processEvents();
    Frame().setWindowState(Qt::WindowNoState);
    QApplication::processEvents();
    EXPECT_FALSE(Frame().FileViewer()->isVisible());
}

TEST_F(MainFrameTest, NewWindowShowsTheSameDocumentAndTheDocumentLivesUntilItsLastWindowCloses)
{
    CKurvexView* first = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(first, nullptr);
    std::weak_ptr<CKurvexDoc> doc = first->SharedDocument();
    Frame().Action(Command::NewWindow)->trigger();
    ASSERT_EQ(WindowCount(), 2);
    EXPECT_EQ(Frame().ActiveView()->SharedDocument(), doc.lock());
    Frame().Action(Command::Close)->trigger();  // closes every window of the document
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(WindowCount(), 0);
    Frame().FileViewer()->ShowNoFile();
    EXPECT_TRUE(doc.expired());
}

TEST_F(MainFrameTest, ResetColumnLayoutRemovesTheStoredWidths)
{
    QSettings().setValue(QStringLiteral("Spaltenbreiten/Auswertung"), 100);
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    Frame().Action(Command::ResetColumnLayout)->trigger();
    EXPECT_FALSE(QSettings().contains(QStringLiteral("Spaltenbreiten/Auswertung")));
}

// The offscreen screen is 800 x 600, smaller than the window the program would like.
TEST_F(MainFrameTest, TheWindowStartsNoLargerThanTheScreen)
{
    const QSize available = Frame().screen()->availableGeometry().size();
    ASSERT_LT(available.height(), 860);
    EXPECT_LE(Frame().width(), available.width());
    EXPECT_LE(Frame().height(), available.height());
    EXPECT_GE(Frame().height(), available.height() * 3 / 4);
}

// Size, toolbar and the like come back in the next session; the file viewer
// starts hidden all the same, and a spoiled stored layout is ignored.
TEST_F(MainFrameTest, TheNextSessionStartsWithTheWindowLayoutOfTheLast)
{
    Frame().resize(620, 430);
    Frame().Action(Command::ToolBar)->setChecked(false);
    Frame().Action(Command::ToggleFileViewer)->trigger();
    ASSERT_TRUE(Frame().FileViewerShown());
    ASSERT_TRUE(Frame().close());

    const auto restart = [this] {
        m_app.reset();
        StartOptions options;
        options.instanceFolder = m_folder.path();
        options.userFolder = m_folder.path();
        m_app = std::make_unique<CKurvexApp>();
        return m_app->InitInstance(options);
    };
    ASSERT_TRUE(restart());
    EXPECT_EQ(Frame().size(), QSize(620, 430));
    EXPECT_FALSE(Frame().Action(Command::ToolBar)->isChecked());
    EXPECT_TRUE(Frame().findChild<QToolBar*>()->isHidden());
    EXPECT_FALSE(Frame().FileViewerShown());
    EXPECT_FALSE(Frame().FileViewer()->isVisible());

    QSettings().setValue(QStringLiteral("Workspace/Geometry"), QByteArray("\x01\x02junk"));
    QSettings().setValue(QStringLiteral("Workspace/State"), QByteArray(300, '\xFF'));
    ASSERT_TRUE(restart());
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_TRUE(Frame().Action(Command::ToolBar)->isChecked());
    EXPECT_LE(Frame().height(), Frame().screen()->availableGeometry().height());
}

TEST_F(MainFrameTest, GoToStationShowsItsPageAndPicksItAndRefusesStationsOutsideTheRun)
{
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    view->viewport()->repaint();
    const RunExtent run = RunExtentOf(view->Document().Run());
    const int32_t last = run.lastStation;

    EXPECT_TRUE(Frame().GoToStation(ToQString(FormatTenths(last)).replace(QLatin1Char('.'), QLatin1Char(','))));
    EXPECT_EQ(view->CurrentPage(), view->PageCount());
    EXPECT_EQ(view->Document().PickedStations().Get(0), std::to_string(last));
    EXPECT_EQ(Frame().StatusPane(1)->text().left(2), QStringLiteral("[ "));

    EXPECT_TRUE(Frame().GoToStation(ToQString(FormatTenths(run.firstStation))));
    EXPECT_EQ(view->CurrentPage(), 1);
    EXPECT_TRUE(m_messages.empty());

    for (const QString& refused : {QStringLiteral("abc"), QString(), ToQString(FormatTenths(last + 10))}) {
        m_messages.clear();
        EXPECT_FALSE(Frame().GoToStation(refused)) << refused.toStdString();
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(view->CurrentPage(), 1);
    }
    EXPECT_NE(m_messages[0].text.find("au\xDF" "erhalb der Messfahrt"), std::string::npos) << m_messages[0].text;
}

// "Drucker&einrichtung..." says it chooses the printer and its settings: a dialog
// with the printers, on the session's printer, that prints nothing.
TEST_F(MainFrameTest, PrintSetupChoosesThePrinterOfTheSession)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Druckereinrichtung"));
        EXPECT_EQ(dialog->printer(), &m_app->Printer());
        EXPECT_NE(dialog->findChild<QComboBox*>(), nullptr);  // the printer choice
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        ASSERT_NE(buttons->button(QDialogButtonBox::Ok), nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
        dialog->reject();
    });
    Frame().Action(Command::PrintSetup)->trigger();
    EXPECT_TRUE(seen);
}

// Another window may come forward while the question is open (a second start
// hands over a file): the station still goes to the window it was asked in.
TEST_F(MainFrameTest, GoToStationActsOnTheWindowItWasAskedIn)
{
    CKurvexView* other = Frame().OpenDocumentFile(Sample("pm01bs02_compare.pbs"));
    CKurvexView* asked = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_TRUE(other && asked);
    asked->viewport()->repaint();
    other->viewport()->repaint();
    const int32_t last = RunExtentOf(asked->Document().Run()).lastStation;
    bool answered = false;
    test::AnswerNextModal([&](QDialog& modal) {
        auto* dialog = qobject_cast<QInputDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        Frame().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->parentWidget()));
        dialog->setTextValue(ToQString(FormatTenths(last)));
        answered = true;
        dialog->accept();
    });
    Frame().Action(Command::GoToStation)->trigger();
    ASSERT_TRUE(answered);
    EXPECT_EQ(Frame().ActiveView(), asked);
    EXPECT_EQ(asked->CurrentPage(), asked->PageCount());
    EXPECT_EQ(asked->Document().PickedStations().Get(0), std::to_string(last));
    EXPECT_EQ(other->CurrentPage(), 1);
    EXPECT_NE(other->Document().PickedStations().Get(0), std::to_string(last));
}

TEST_F(MainFrameTest, ReloadKeepsTheLayoutAndDoesNotAskTheFirstLoadQuestionAgain)
{
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("run.pbs"));  // no side file
    ASSERT_TRUE(QFile::copy(Sample("pm01bs02_sample.pbs"), copy));
    CKurvexView* view = Frame().OpenDocumentFile(copy);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(m_questions, 1);
    view->viewport()->repaint();
    view->ToggleStrips();
    view->ToggleTwoMetreGrid();
    view->ZoomIn();
    view->PageForward();
    ASSERT_TRUE(view->GoToStation(RunExtentOf(view->Document().Run()).firstStation + 5));
    view->PageForward();
    const CKurvexView::Layout before = view->CurrentLayout();
    const auto oldDoc = view->SharedDocument();

    CKurvexView* reloaded = Frame().ReloadActiveDocument();
    ASSERT_NE(reloaded, nullptr);
    EXPECT_EQ(m_questions, 1);
    EXPECT_NE(reloaded->SharedDocument(), oldDoc);
    EXPECT_EQ(Frame().ActiveView(), reloaded);
    const CKurvexView::Layout after = reloaded->CurrentLayout();
    EXPECT_EQ(after.zoomLevel, before.zoomLevel);
    EXPECT_EQ(after.currentPage, before.currentPage);
    EXPECT_EQ(after.stripsPerPage, before.stripsPerPage);
    EXPECT_EQ(after.twoMetreGrid, before.twoMetreGrid);
    EXPECT_EQ(reloaded->Document().PickedStations().Get(0), oldDoc->PickedStations().Get(0));
    EXPECT_EQ(WindowCount(), 1);

    // A file that has gone away: a message, and the open run stays.
    QFile::remove(copy);
    m_messages.clear();
    EXPECT_EQ(Frame().ReloadActiveDocument(), nullptr);
    EXPECT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(Frame().ActiveView(), reloaded);

    // Opening anew (not reloading) takes the answer kept for the file's content.
    Frame().MdiArea()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(QFile::copy(Sample("pm01bs02_sample.pbs"), copy));
    ASSERT_NE(Frame().OpenDocumentFile(copy), nullptr);
    EXPECT_EQ(m_questions, 1);
}

TEST_F(MainFrameTest, StripsPerPageAreWrittenAsTheChartWindowCloses)
{
    CKurvexView* view = Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_NE(view, nullptr);
    const int toggled = view->StripsPerPage() == 3 ? 2 : 3;
    view->ToggleStrips();
    EXPECT_NE(m_app->Settings().GetInt("Sonstiges", "DiagrammeProSeite", 0), toggled);
    Frame().Action(Command::Close)->trigger();
    EXPECT_EQ(m_app->Settings().GetInt("Sonstiges", "DiagrammeProSeite", 0), toggled);
}

TEST_F(MainFrameTest, TheFirstLoadAnswerIsKeptPerFileContentUntilAskedAgain)
{
    QTemporaryDir folder;
    const QString run = folder.filePath(QStringLiteral("a1.pbs"));  // no side file
    ASSERT_TRUE(QFile::copy(Sample("pm01bs02_sample.pbs"), run));
    m_interaction.answer = FirstLoadAnswer{true, ""};
    ASSERT_NE(Frame().OpenDocumentFile(run), nullptr);
    EXPECT_EQ(m_questions, 1);
    QAction* again = Frame().Action(Command::AskFirstLoadAgain);
    EXPECT_EQ(again->objectName(), QStringLiteral("file_ask_first_load_again"));
    EXPECT_TRUE(again->isEnabled());

    // The next start of the program, and a renamed copy: applied without asking.
    m_app.reset();
    SetUp();
    m_interaction.answer = FirstLoadAnswer{};
    const QString renamed = folder.filePath(QStringLiteral("umbenannt.pbs"));
    ASSERT_TRUE(QFile::rename(run, renamed));
    CKurvexView* view = Frame().OpenDocumentFile(renamed);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(m_questions, 1);
    EXPECT_TRUE(view->Document().State().IsMirrored());

    // Asked again: forgotten for this run, which is opened again with the new answer.
    Frame().Action(Command::AskFirstLoadAgain)->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(m_questions, 2);
    ASSERT_NE(Frame().ActiveView(), nullptr);
    EXPECT_FALSE(Frame().ActiveView()->Document().State().IsMirrored());
    EXPECT_EQ(WindowCount(), 1);

    // A run with a side file is never asked, so there is nothing to ask again.
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    EXPECT_EQ(m_questions, 2);
    EXPECT_FALSE(Frame().Action(Command::AskFirstLoadAgain)->isEnabled());
}

TEST_F(MainFrameTest, ChartAndReportSaveAsPdfAndAFailedWriteKeepsTheOldFile)
{
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    QTemporaryDir folder;
    const QString chart = folder.filePath(QStringLiteral("chart.pdf"));
    const QString report = folder.filePath(QStringLiteral("report.pdf"));
    EXPECT_TRUE(Frame().SavePdfTo(false, chart));
    EXPECT_TRUE(Frame().SavePdfTo(true, report));
    for (const QString& pdf : {chart, report}) {
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.read(5) == "%PDF-");
    }
    EXPECT_TRUE(m_messages.empty());

    // A target in a folder that does not exist: a message naming it.
    const QString nowhere = folder.filePath(QStringLiteral("missing/chart.pdf"));
    EXPECT_FALSE(Frame().SavePdfTo(false, nowhere));
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_NE(m_messages[0].text.find("missing/chart.pdf"), std::string::npos);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);  // no leftovers
}

// The save dialog proposes a name beside the run, adds ".pdf" to a bare name,
// and opens roomy enough for its columns.
TEST_F(MainFrameTest, ThePdfSaveDialogProposesANameAndAddsTheExtension)
{
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    QTemporaryDir folder;
    QString proposed;
    QSize size;
    test::AnswerNextModal([&](QDialog& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        proposed = dialog->selectedFiles().value(0);
        size = dialog->size();
        dialog->setDirectory(folder.path());
        dialog->selectFile(QStringLiteral("bericht"));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Frame().Action(Command::SaveChartPdf)->trigger();
    EXPECT_TRUE(proposed.endsWith(QStringLiteral("/samples/pm01bs02_sample.pbs_Diagramm.pdf"))) << proposed.toStdString();
    EXPECT_GE(size.width(), Frame().screen()->availableGeometry().width() * 8 / 10);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("bericht.pdf"))));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(MainFrameTest, WindowsAreArrangedSideBySideAndOneAboveAnother)
{
    Frame().show();
    ASSERT_NE(Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs")), nullptr);
    ASSERT_NE(Frame().OpenDocumentFile(Sample("imexport_sample.exp")), nullptr);
    const auto windows = Frame().MdiArea()->subWindowList();
    const QRect area = Frame().MdiArea()->viewport()->rect();

    Frame().Action(Command::TileSideBySide)->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    EXPECT_EQ(windows[1]->geometry(), QRect(area.width() / 2, 0, area.width() / 2, area.height()));

    Frame().Action(Command::TileStacked)->trigger();
    EXPECT_EQ(windows[0]->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(windows[1]->geometry(), QRect(0, area.height() / 2, area.width(), area.height() / 2));
    EXPECT_FALSE(windows[0]->isMaximized());
}

TEST_F(MainFrameTest, DroppedFilesOpenLikeChosenOnesWithTheSameMessages)
{
    QTemporaryDir folder;
    const QString empty = folder.filePath(QStringLiteral("empty.pbs"));
    test::WriteWholeFile(empty.toStdString(), "");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Sample("pm01bs02_sample.pbs")), QUrl::fromLocalFile(empty),
                  QUrl(QStringLiteral("https://example.org/remote.pbs"))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&Frame(), &drop);
    QApplication::processEvents();
    EXPECT_EQ(WindowCount(), 1);
    ASSERT_EQ(m_messages.size(), 1u);
    // Of several dropped files, the message names the one it means.
    EXPECT_EQ(m_messages[0].text,
              "Unerwartetes Dateiformat.\n" + QDir::toNativeSeparators(QFileInfo(empty).canonicalFilePath()).toStdString());

    QMimeData text;
    text.setText(QStringLiteral("no file"));
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(&Frame(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

}  // namespace
}  // namespace kurvex
