// The first-load dialog "Datenanpassungen" driven through its controls, and the
// open interaction that shows it, the message boxes and the wait window.

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/ui/Label.h"
#include "document/KurvexDoc.h"
#include "document/ui/SplashDlg.h"
#include "document/ui/VorabanpassungenDlg.h"
#include "document/ui/WindowOpenInteraction.h"
#include "support/TestSupport.h"
#include "ui/support/GuiTestSupport.h"

namespace kurvex {
namespace {

const QColor kCyan(191, 255, 255);

// Types into the start edit as a user does: the text changes, then the focus leaves.
void TypeStart(CVorabanpassungenDlg& dialog, const QString& text)
{
    dialog.StartEdit().clear();
    dialog.StartEdit().insert(text);
}

void LeaveStart(CVorabanpassungenDlg& dialog)
{
    Q_EMIT dialog.StartEdit().editingFinished();
}

TEST(FirstLoadDialog, OpensWithTheFileStationsAndTheAdjustmentSwitchedOff)
{
    CVorabanpassungenDlg dialog(0, 5000);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Datenanpassungen"));
    EXPECT_EQ(dialog.FileStartText().text(), QStringLiteral("0.0"));
    EXPECT_EQ(dialog.FileEndText().text(), QStringLiteral("500.0"));
    EXPECT_EQ(dialog.StartEdit().text(), QStringLiteral("0.0"));
    EXPECT_EQ(dialog.EndEdit().text(), QStringLiteral("500.0"));
    EXPECT_TRUE(dialog.EndEdit().isReadOnly());
    EXPECT_FALSE(dialog.AdjustBox().isChecked());
    EXPECT_TRUE(dialog.AscendingBox().isChecked());
    EXPECT_FALSE(dialog.MirrorBox().isChecked());
    for (QWidget* control : std::vector<QWidget*>{&dialog.StartEdit(), &dialog.EndEdit(), &dialog.AscendingBox(),
                                                  &dialog.NewStartLabel(), &dialog.NewEndLabel()})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(dialog.StateHeading().text().isEmpty());
    EXPECT_TRUE(dialog.ResultStartText().text().isEmpty());
    EXPECT_TRUE(dialog.ResultEndText().text().isEmpty());
    EXPECT_FALSE(dialog.ResultStartText().BkColor().isValid());

    // A descending file: "Aufsteigend" starts off.
    CVorabanpassungenDlg descending(5000, 1000);
    EXPECT_FALSE(descending.AscendingBox().isChecked());
    EXPECT_EQ(descending.EndEdit().text(), QStringLiteral("100.0"));
}

TEST(FirstLoadDialog, ShowsEveryTextTheUserReads)
{
    CVorabanpassungenDlg dialog(0, 5000);
    std::vector<QString> texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        texts.push_back(label->text());
    const QString expected[] = {
        QStringLiteral("Die Messfahrtdatei wird offensichtlich zum ersten Mal geladen. Deswegen erfolgt hier die "
                       "Abfrage zu Datenanpassungen, die zu einem sp\u00E4teren Zeitpunkt nicht mehr m\u00F6glich "
                       "sind. \n\nSollten Sie keine \u00C4nderungen vornehmen wollen, klicken Sie einfach jetzt OK."),
        QStringLiteral("lt. Messfahrtdatei"),
        QStringLiteral("Start [m]:"),
        QStringLiteral("Ende [m]:"),
    };
    for (const QString& text : expected)
        EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text.toStdString();
    EXPECT_EQ(dialog.AdjustBox().text(), QStringLiteral("Kilometrierung anpassen"));
    EXPECT_EQ(dialog.AscendingBox().text(), QStringLiteral("Aufsteigend"));
    EXPECT_EQ(dialog.MirrorBox().text(),
              QStringLiteral("Abfolge der Messwerte \"spiegeln\". Der Startpunkt wird also zum Endpunkt und umgekehrt."));
    EXPECT_EQ(dialog.OkButton().text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.findChildren<QPushButton*>().size(), 1);
}

TEST(FirstLoadDialog, InputsGiveEndHeadingResultColoursAndAnswer)
{
    struct Case {
        const char* name;
        int32_t fileStart, fileEnd;
        bool adjust;
        const char* start;  // typed into the start edit, or null
        bool ascending;
        bool mirror;
        const char* endEdit;
        const char* heading;
        const char* shownStart;
        const char* shownEnd;
        const char* adjustment;
    } const cases[] = {
        {"untouched", 0, 5000, false, nullptr, true, false, "500.0", "", "", "", ""},
        {"start 100 ascending", 0, 5000, true, "100", true, false, "600.0", "angepasst", "100.0", "600.0", "1000;1"},
        {"start 0 descending", 0, 5000, true, "0", false, false, "-500.0", "angepasst", "0.0", "-500.0", "0;0"},
        {"adjusted to the file's own values", 0, 5000, true, "0", true, false, "500.0", "", "", "", ""},
        {"mirror only", 0, 5000, false, nullptr, true, true, "500.0", "gespiegelt", "500.0", "0.0", ""},
        {"both", 0, 5000, true, "12,35", true, true, "512.3", "angepasst und gespiegelt", "512.3", "12.3", "123;1"},
        {"typed but switched off", 0, 5000, false, "100", true, false, "600.0", "", "", "", ""},
        {"descending file made ascending", 5000, 1000, true, "500", true, false, "900.0", "angepasst", "500.0",
         "900.0", "5000;1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CVorabanpassungenDlg dialog(c.fileStart, c.fileEnd);
        dialog.AdjustBox().setChecked(true);
        if (c.start)
            TypeStart(dialog, QString::fromUtf8(c.start));
        dialog.AscendingBox().setChecked(c.ascending);
        dialog.AdjustBox().setChecked(c.adjust);
        dialog.MirrorBox().setChecked(c.mirror);

        EXPECT_EQ(dialog.EndEdit().text(), QString::fromUtf8(c.endEdit));
        EXPECT_EQ(dialog.StateHeading().text(), QString::fromUtf8(c.heading));
        EXPECT_EQ(dialog.ResultStartText().text(), QString::fromUtf8(c.shownStart));
        EXPECT_EQ(dialog.ResultEndText().text(), QString::fromUtf8(c.shownEnd));
        const bool shows = *c.shownStart != '\0';
        EXPECT_EQ(dialog.ResultStartText().BkColor(), shows ? kCyan : QColor());
        EXPECT_EQ(dialog.ResultEndText().BkColor(), shows ? kCyan : QColor());

        dialog.OkButton().click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        const FirstLoadAnswer answer = dialog.Answer();
        EXPECT_EQ(answer.kilometreAdjustment, c.adjustment);
        EXPECT_EQ(answer.mirror, c.mirror);
    }
}

TEST(FirstLoadDialog, TheStartEditIsRewrittenWithOneDecimalWhenLeft)
{
    CVorabanpassungenDlg dialog(0, 5000);
    dialog.AdjustBox().setChecked(true);
    TypeStart(dialog, QStringLiteral("12,35"));
    EXPECT_EQ(dialog.StartEdit().text(), QStringLiteral("12,35"));
    EXPECT_EQ(dialog.Model().NewStart(), 123);
    LeaveStart(dialog);
    EXPECT_EQ(dialog.StartEdit().text(), QStringLiteral("12.3"));
    EXPECT_EQ(dialog.Model().NewStart(), 123);

    TypeStart(dialog, QStringLiteral("abc"));
    LeaveStart(dialog);
    EXPECT_EQ(dialog.StartEdit().text(), QStringLiteral("0.0"));
    EXPECT_EQ(dialog.EndEdit().text(), QStringLiteral("500.0"));
}

TEST(FirstLoadDialog, ClosedOtherThanByOkKeepsOnlyTheMirror)
{
    for (const bool mirror : {false, true}) {
        CVorabanpassungenDlg dialog(0, 5000);
        dialog.AdjustBox().setChecked(true);
        TypeStart(dialog, QStringLiteral("100"));
        dialog.MirrorBox().setChecked(mirror);
        dialog.reject();
        const FirstLoadAnswer answer = dialog.Answer();
        EXPECT_EQ(answer.kilometreAdjustment, "");
        EXPECT_EQ(answer.mirror, mirror);
    }
}

TEST(FirstLoadDialog, AskRunsTheDialogModallyAndAnswers)
{
    // Answers the dialog from inside its own modal loop.
    test::AnswerNextModal([](QDialog& modal) {
        auto* dialog = qobject_cast<CVorabanpassungenDlg*>(&modal);
        ASSERT_NE(dialog, nullptr);
        dialog->AdjustBox().setChecked(true);
        TypeStart(*dialog, QStringLiteral("2"));
        dialog->MirrorBox().setChecked(true);
        dialog->OkButton().click();
    });
    const FirstLoadAnswer answer = CVorabanpassungenDlg::Ask(nullptr, 0, 5000);
    EXPECT_EQ(answer.kilometreAdjustment, "20;1");
    EXPECT_TRUE(answer.mirror);
}

// Records what the open shows and answers the dialog without a modal loop.
class RecordingInteraction : public WindowOpenInteraction {
public:
    struct Box {
        QMessageBox::Icon icon;
        QString caption;
        QString text;
        Qt::TextFormat format;
        bool waitWindowVisible;
    };

    RecordingInteraction() : WindowOpenInteraction(nullptr, CEinstellungen()) {}

    std::vector<Box> boxes;
    int dialogs = 0;
    bool waitWindowVisibleDuringDialog = true;
    std::function<void(CVorabanpassungenDlg&)> answerDialog = [](CVorabanpassungenDlg& dialog) { dialog.accept(); };

protected:
    void RunModal(QDialog& dialog) override
    {
        const bool waitVisible = WaitWindow() && WaitWindow()->isVisible();
        if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
            boxes.push_back({box->icon(), box->windowTitle(), box->text(), box->textFormat(), waitVisible});
            box->accept();
        } else if (auto* firstLoad = qobject_cast<CVorabanpassungenDlg*>(&dialog)) {
            ++dialogs;
            waitWindowVisibleDuringDialog = waitVisible;
            answerDialog(*firstLoad);
        }
    }
};

TEST(WindowOpenInteraction, MessageBoxesHaveTheIconOfTheMessageAndCaptionKurvex)
{
    const struct {
        MessageIcon icon;
        QMessageBox::Icon box;
    } cases[] = {
        {MessageIcon::Stop, QMessageBox::Critical},
        {MessageIcon::Exclamation, QMessageBox::Warning},
        {MessageIcon::Information, QMessageBox::Information},
        {MessageIcon::Question, QMessageBox::Question},
    };
    RecordingInteraction interaction;
    for (const auto& c : cases)
        interaction.ShowMessage({c.icon, "Achtung!"});
    ASSERT_EQ(interaction.boxes.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(interaction.boxes[i].icon, cases[i].box);
        EXPECT_EQ(interaction.boxes[i].caption, QStringLiteral("Kurvex"));
        EXPECT_EQ(interaction.boxes[i].text, QStringLiteral("Achtung!"));
    }
}

TEST(WindowOpenInteraction, MessageTextsAreWindows1252AndNeverMarkup)
{
    RecordingInteraction interaction;
    interaction.ShowMessage({MessageIcon::Stop, "Fehler die Datei:\r\n  /tmp/<b>a</b>.zi4 enth\xE4lt inkonsistente Daten."});
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].text,
              QStringLiteral("Fehler die Datei:\n  /tmp/<b>a</b>.zi4 enth\u00E4lt inkonsistente Daten."));
    EXPECT_EQ(interaction.boxes[0].format, Qt::PlainText);
}

TEST(WindowOpenInteraction, TheWaitWindowShowsWithoutFocusAndStepsAsideForModalWindows)
{
    RecordingInteraction interaction;
    EXPECT_EQ(interaction.WaitWindow(), nullptr);
    interaction.ShowWaitWindow();
    CSplashDlg* wait = interaction.WaitWindow();
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isVisible());
    EXPECT_EQ(wait->Text(), QStringLiteral("Moment bitte ..."));
    EXPECT_EQ(wait->parentWidget(), nullptr);
    EXPECT_TRUE(wait->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(wait->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(wait->testAttribute(Qt::WA_ShowWithoutActivating));

    interaction.ShowMessage({MessageIcon::Exclamation, "Achtung!"});
    interaction.AskFirstLoadAdjustments(0, 5000);
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_FALSE(interaction.boxes[0].waitWindowVisible);
    EXPECT_FALSE(interaction.waitWindowVisibleDuringDialog);
    EXPECT_TRUE(wait->isVisible());

    interaction.CloseWaitWindow();
    EXPECT_EQ(interaction.WaitWindow(), nullptr);
    interaction.CloseWaitWindow();
}

TEST(WindowOpenInteraction, AnOpenWithoutSideFileAsksOnceAndAppliesTheAnswer)
{
    const std::string folder = test::TempFolder("window_open_interaction");
    const std::string path = folder + "/run.pbs";
    // No closing marker: the run is incomplete, which a first load reports.
    test::WriteWholeFile(path, "PM01BS02\r\n***\r\n" + test::Pm01bs02Record(1.0, 0.0, 3.5)
                                   + test::Pm01bs02Record(2.0, 0.01, 3.5) + test::Pm01bs02Record(3.0, 0.02, 3.5));
    RecordingInteraction interaction;
    interaction.answerDialog = [](CVorabanpassungenDlg& dialog) {
        EXPECT_EQ(dialog.FileStartText().text(), QStringLiteral("0.0"));
        EXPECT_EQ(dialog.FileEndText().text(), QStringLiteral("20.1"));
        dialog.AdjustBox().setChecked(true);
        TypeStart(dialog, QStringLiteral("100"));
        dialog.OkButton().click();
    };
    CKurvexDoc doc;
    ASSERT_EQ(doc.Open(path, CEinstellungen(), interaction), OpenResult::Opened);
    EXPECT_EQ(interaction.dialogs, 1);
    EXPECT_EQ(doc.State().KilometreAdjustment(), "1000;1");
    EXPECT_EQ(doc.Run().GetStation(0), 1000);
    EXPECT_EQ(doc.Run().GetStation(2), 1200);
    ASSERT_EQ(interaction.boxes.size(), 1u);
    EXPECT_EQ(interaction.boxes[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(interaction.boxes[0].text.startsWith(QStringLiteral("Achtung!\n\nDie Messreihe ist eventuell unvollst\u00E4ndig")));
    EXPECT_EQ(interaction.WaitWindow(), nullptr);
}

// The caption says which run the question is about, since several files may open at once.
TEST(FirstLoadDialog, TheCaptionNamesTheRunsFile)
{
    class CaptionRecorder : public WindowOpenInteraction {
    public:
        using WindowOpenInteraction::WindowOpenInteraction;
        QString caption;

    protected:
        void RunModal(QDialog& dialog) override { caption = dialog.windowTitle(); }
    };
    CaptionRecorder named(nullptr, CEinstellungen(), QStringLiteral("a1.pbs"));
    named.AskFirstLoadAdjustments(0, 5000);
    EXPECT_EQ(named.caption, QString::fromUtf8("Datenanpassungen \u2013 a1.pbs"));
    CaptionRecorder unnamed(nullptr, CEinstellungen());
    unnamed.AskFirstLoadAdjustments(0, 5000);
    EXPECT_EQ(unnamed.caption, QStringLiteral("Datenanpassungen"));
}

}  // namespace
}  // namespace kurvex
