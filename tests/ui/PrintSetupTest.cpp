// "Drucker&einrichtung...": the printer and the settings chosen there are
// where the session's next prints start, the chart's and the evaluation's.
// (tests/print chooses a real print server's queues the same way.)

#include "chart/ui/KurvexView.h"
#include "shell/Commands.h"
#include "shell/KurvexApp.h"
#include "shell/MainFrame.h"
#include "support/DocumentHelpers.h"
#include "ui/support/GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace kurvex {
namespace {

// What a print dialog found in the printer it was opened on.
struct PrinterState {
    QPrinter::OutputFormat format;
    int copies;
    QString proposedFile;
};

TEST(PrintSetupTest, TheChosenPrinterAndSettingsAreWhereTheNextPrintsStart)
{
    test::ClearSettings();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    test::ScriptedInteraction interaction;
    StartOptions options;
    options.instanceFolder = folder.path();
    options.userFolder = folder.path();
    auto app = std::make_unique<CKurvexApp>();
    ASSERT_TRUE(app->InitInstance(options));
    CMainFrame& frame = *app->MainFrame();
    frame.SetInteractionFactory(
        [&interaction](QWidget*) { return std::make_unique<test::ForwardingInteraction>(interaction); });
    std::vector<PrinterState> seen;
    app->SetViewContextHook([&seen](ViewContext& context) {
        context.printDialogs.print = [&seen](QPrinter& printer, const PrintRequest&, QWidget*) {
            seen.push_back({printer.outputFormat(), printer.copyCount(), printer.outputFileName()});
            return false;  // looked at, not printed
        };
    });

    // Qt's file printer (a PDF file) stands last among the printers; every
    // platform offers it, with or without a print server.
    bool answered = false;
    test::AnswerNextModal([&answered](QDialog& modal) {
        auto* dialog = qobject_cast<QPrintDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        auto* printers = dialog->findChild<QComboBox*>(QStringLiteral("printers"));
        auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
        ASSERT_TRUE(printers && copies);
        printers->setCurrentIndex(printers->count() - 1);
        copies->setValue(2);
        answered = true;
        dialog->accept();
    });
    frame.Action(Command::PrintSetup)->trigger();
    ASSERT_TRUE(answered);

    ASSERT_NE(frame.OpenDocumentFile(test::Sample("pm01bs02_sample.pbs")), nullptr);
    QApplication::processEvents();
    frame.Action(Command::Print)->trigger();
    frame.Action(Command::PrintEvaluation)->trigger();
    ASSERT_EQ(seen.size(), 2u);
    const QString run = test::Sample("pm01bs02_sample.pbs");
    for (const PrinterState& state : seen) {
        EXPECT_EQ(state.format, QPrinter::PdfFormat);
        EXPECT_EQ(state.copies, 2);
    }
    // The file is still proposed beside the run, not where the setup dialog pointed.
    EXPECT_EQ(seen[0].proposedFile, run + QStringLiteral("-Diagramm.pdf"));
    EXPECT_EQ(seen[1].proposedFile, run + QStringLiteral("-Auswertung.pdf"));
    app.reset();
    test::ClearSettings();
}

}  // namespace
}  // namespace kurvex
