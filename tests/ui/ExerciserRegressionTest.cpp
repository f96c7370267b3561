// Faults the seeded exerciser (tests/exerciser) found in the windows, each
// kept as the smallest case that showed it.

#include "measurement/ui/NMDateiDlg.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "shell/SingleInstance.h"
#include "ui/support/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <future>

namespace kurvex {
namespace {

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
    test::ClearSettings();
    QTemporaryDir folder;
    StartOptions options;
    options.instanceFolder = folder.path();
    options.userFolder = folder.path();
    auto app = std::make_unique<CKurvexApp>();
    ASSERT_TRUE(app->InitInstance(options));
    app->MainFrame()->Action(Command::ToggleFileViewer)->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(app->MainFrame()->isVisible());
    ASSERT_TRUE(app->MainFrame()->FileViewer()->isVisible());
    bool hiddenOnTheWay = false;
    QObject::connect(app->MainFrame()->FileViewer(), &QDockWidget::visibilityChanged,
                     [&hiddenOnTheWay](bool visible) { hiddenOnTheWay = hiddenOnTheWay || !visible; });
    app.reset();
    EXPECT_TRUE(hiddenOnTheWay);
    test::ClearSettings();
}

}  // namespace
}  // namespace kurvex
