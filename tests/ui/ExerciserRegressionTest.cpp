// Faults the seeded exerciser (tests/exerciser) found in the windows, each
// kept as the smallest case that showed it.

#include "chart/ui/KurvexView.h"
#include "document/Einstellungen.h"
#include "document/KurvexDoc.h"
#include "document/MemorySettingsStore.h"
#include "document/OpenInteraction.h"
#include "measurement/ui/ExportDlg.h"
#include "measurement/ui/NMDateiDlg.h"
#include "render/ChartRendering.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "shell/SingleInstance.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QLocalSocket>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace kurvex {
namespace {

using test::PdfPageCount;
using test::Sample;

// The application with its main window, settings and lock in a temporary folder.
class RunningApp {
public:
    RunningApp()
    {
        test::ClearSettings();
        StartOptions options;
        options.instanceFolder = m_folder.path();
        options.userFolder = m_folder.path();
        m_app = std::make_unique<CKurvexApp>();
        m_ok = m_app->InitInstance(options);
        if (m_ok)
            Frame().SetInteractionFactory([](QWidget*) { return std::make_unique<test::ScriptedInteraction>(); });
    }
    ~RunningApp()
    {
        m_app.reset();
        test::ClearSettings();
    }
    bool Started() const { return m_ok; }
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    QString FilePath(const char* name) const { return m_folder.filePath(QString::fromLatin1(name)); }
    void End() { m_app.reset(); }

private:
    QTemporaryDir m_folder;
    std::unique_ptr<CKurvexApp> m_app;
    bool m_ok = false;
};

// A second start whose files open a dialog: the second copy ends while the
// dialog's event loop runs, and its socket is deleted there. The first copy
// must be done with the socket before it opens the files.
TEST(ExerciserSingleInstance, AHandOverThatRunsADialogOutlivesTheSecondCopy)
{
    QTemporaryDir folder;
    const QString key = QStringLiteral("Kurvex modal %1").arg(QCoreApplication::applicationPid());
    SingleInstance first(key, folder.path());
    ASSERT_EQ(first.Start({}), SingleInstance::Role::First);
    std::atomic<bool> secondEnded{false};
    bool activated = false;
    bool socketGone = false;
    QObject::connect(&first, &SingleInstance::activationRequested, [&](const QStringList& files) {
        activated = true;
        EXPECT_EQ(files, QStringList{QStringLiteral("/data/ohne Seitendatei.pbs")});
        // What the first-load dialog of the opened file runs.
        QEventLoop dialog;
        QTimer poll;
        int polls = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            socketGone = secondEnded && first.findChildren<QLocalSocket*>().isEmpty();
            if (socketGone || ++polls > 500)
                dialog.quit();
        });
        poll.start(10);
        dialog.exec();
    });

    auto second = std::async(std::launch::async, [&] {
        SingleInstance other(key, folder.path());
        const SingleInstance::Role role = other.Start({QStringLiteral("/data/ohne Seitendatei.pbs")});
        secondEnded = true;
        return role;
    });
    // The second copy blocks until it is answered; the first answers from its event loop.
    while (!secondEnded)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    for (int i = 0; i < 100 && !activated; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(second.get(), SingleInstance::Role::HandedOver);
    ASSERT_TRUE(activated);
    EXPECT_TRUE(socketGone);
}

// The program ended while its main window was shown with the file viewer on:
// ~QWidget hides the dock after the frame's own destructor has run, and the
// dock's visibility signal reached the destroyed frame (the sanitizer build
// reports the call; the test makes sure the path is taken).
TEST(ExerciserMainFrame, DestroyedWhileShownWithTheFileViewerOn)
{
    RunningApp app;
    ASSERT_TRUE(app.Started());
    app.Frame().Action(Command::ToggleFileViewer)->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(app.Frame().isVisible());
    ASSERT_TRUE(app.Frame().FileViewer()->isVisible());
    bool hiddenOnTheWay = false;
    QObject::connect(app.Frame().FileViewer(), &QDockWidget::visibilityChanged,
                     [&hiddenOnTheWay](bool visible) { hiddenOnTheWay = hiddenOnTheWay || !visible; });
    app.End();
    EXPECT_TRUE(hiddenOnTheWay);
}

// "Diagramm als PDF speichern" wrote the run of the window active when its file
// dialog closed, not of the one it was opened for; a second start of the
// program activates the window of its file meanwhile.
TEST(ExerciserMainFrame, APdfIsOfTheRunItsDialogWasOpenedFor)
{
    RunningApp app;
    ASSERT_TRUE(app.Started());
    CKurvexView* other = app.Frame().OpenDocumentFile(Sample("imexport_sample.exp"));
    CKurvexView* chosen = app.Frame().OpenDocumentFile(Sample("pm01bs02_sample.pbs"));
    ASSERT_TRUE(other && chosen);
    const int chosenPages = ChartPageCount(chosen->Document(), chosen->StripsPerPage());
    ASSERT_NE(chosenPages, ChartPageCount(other->Document(), other->StripsPerPage()));
    ASSERT_EQ(app.Frame().ActiveView(), chosen);

    const QString pdf = app.FilePath("chart.pdf");
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* name = dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!name)
            return;
        answer.stop();
        app.Frame().MdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(other->parentWidget()));
        name->setText(pdf);
        static_cast<QDialog*>(dialog)->accept();
    });
    answer.start(10);
    const test::ModalGuard guard;
    app.Frame().Action(Command::SaveChartPdf)->trigger();
    ASSERT_FALSE(answer.isActive());
    EXPECT_EQ(app.Frame().ActiveView(), other);
    EXPECT_EQ(PdfPageCount(pdf), chosenPages);
}

// The save dialog of the export is answered by the test: it only records what
// is proposed and cancels.
class ExportProposal : public CExportDlg {
public:
    using CExportDlg::CExportDlg;
    QStringList proposed;

protected:
    QString AskSavePath(const QString& proposedPath) override
    {
        proposed << proposedPath;
        return {};
    }
    void ShowMessage(QMessageBox::Icon, const QString&) override {}
};

// A run whose name does not end in ".pbs" keeps its name for the export, so
// the save dialog proposed the measurement file itself: Enter and "Ja"
// replaced the recording by its export. Only the folder is proposed then.
TEST(ExerciserExport, TheSaveDialogNeverProposesTheMeasurementFileItself)
{
    QTemporaryDir folder;
    const struct {
        const char* sample;
        const char* copy;
        const char* proposedName;
    } cases[] = {
        {"imexport_sample.exp", "lauf.exp", ""},
        {"pm01bs02_sample.pbs", "lauf.dat", ""},
        {"pm01bs02_sample.pbs", "lauf.PBS", "lauf.exp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.copy);
        const QString path = folder.filePath(QString::fromLatin1(c.copy));
        ASSERT_TRUE(QFile::copy(Sample(c.sample), path));
        CKurvexDoc doc;
        test::ScriptedInteraction interaction;
        ASSERT_EQ(doc.Open(path.toStdString(), CEinstellungen(), interaction), OpenResult::Opened);
        MemorySettingsStore settings;
        ExportProposal dialog(doc, settings);
        dialog.FileButton()->click();
        ASSERT_EQ(dialog.proposed.size(), 1);
        const QFileInfo proposed(dialog.proposed[0]);
        EXPECT_FALSE(proposed == QFileInfo(path));
        EXPECT_EQ(QDir(proposed.absolutePath()).canonicalPath(), QDir(folder.path()).canonicalPath());
        EXPECT_EQ(proposed.fileName(), QString::fromLatin1(c.proposedName));
    }
}

}  // namespace
}  // namespace kurvex
