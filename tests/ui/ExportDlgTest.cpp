// The export dialog "Messdatenexport" on the sample run, with the save dialog
// and the message boxes answered by the test.

#include "common/ui/QtText.h"
#include "document/MemorySettingsStore.h"
#include "measurement/ui/ExportDlg.h"
#include "support/DocumentHelpers.h"
#include "support/TestSupport.h"
#include "ui/support/GuiTestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <tuple>
#include <sys/resource.h>

namespace kurvex {
namespace {

using test::ReadWholeFile;
using test::TempFolder;
using test::WriteWholeFile;

struct Message {
    QMessageBox::Icon icon;
    QString text;
};

// The dialog with its save dialog and message boxes answered here.
class ExportDlgUnderTest : public CExportDlg {
public:
    using CExportDlg::CExportDlg;

    QString answer;  // the path the save dialog returns; empty: cancelled
    QStringList proposed;
    std::vector<Message> messages;

protected:
    QString AskSavePath(const QString& proposedPath) override
    {
        proposed << proposedPath;
        return answer;
    }
    void ShowMessage(QMessageBox::Icon icon, const QString& text) override { messages.push_back({icon, text}); }
};

class ExportDialog : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::OpenSample(doc, "pm01bs02_sample.pbs"), OpenResult::Opened); }

    CKurvexDoc doc;
    MemorySettingsStore settings;
};

const QString kSavedMessage = QStringLiteral("Daten wurden erfolgreich gespeichert!");
const QString kMissingSeparator = QStringLiteral("Bitte Feldtrenner eingeben!\nLeerzeichen sind nicht zulässig.");
const QString kSeparatorIsDecimal = QStringLiteral("Dezimalzeichen und Feldtrenner müssen sich unterscheiden.");

TEST_F(ExportDialog, OpensWithTheStoredChoiceAndTheOtherFieldOnlyForAnotherSeparator)
{
    {
        ExportDlgUnderTest dialog(doc, settings);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Messdatenexport"));
        EXPECT_TRUE(dialog.DecimalButton(CExportDlg::kDecimalComma)->isChecked());
        EXPECT_TRUE(dialog.SeparatorButton(CExportDlg::kSeparatorTab)->isChecked());
        EXPECT_EQ(dialog.OtherSeparatorEdit()->text(), QStringLiteral("#"));
        EXPECT_FALSE(dialog.OtherSeparatorEdit()->isEnabled());
        dialog.SeparatorButton(CExportDlg::kSeparatorOther)->click();
        EXPECT_TRUE(dialog.OtherSeparatorEdit()->isEnabled());
        dialog.SeparatorButton(CExportDlg::kSeparatorComma)->click();
        EXPECT_FALSE(dialog.OtherSeparatorEdit()->isEnabled());
        EXPECT_EQ(dialog.ClipboardButton()->text(), QStringLiteral("in Zwischenablage "));
    }
    settings.SetInt("Export", "radioDezimalzeichen", 1);
    settings.SetInt("Export", "radioSeperator", 3);
    settings.SetText("Export", "SeperatorString", "|");
    {
        ExportDlgUnderTest dialog(doc, settings);
        EXPECT_TRUE(dialog.DecimalButton(CExportDlg::kDecimalPoint)->isChecked());
        EXPECT_TRUE(dialog.SeparatorButton(CExportDlg::kSeparatorOther)->isChecked());
        EXPECT_EQ(dialog.OtherSeparatorEdit()->text(), QStringLiteral("|"));
        EXPECT_TRUE(dialog.OtherSeparatorEdit()->isEnabled());
    }
    // Stored choices without a button take the first one.
    settings.SetInt("Export", "radioDezimalzeichen", 7);
    settings.SetInt("Export", "radioSeperator", -1);
    ExportDlgUnderTest dialog(doc, settings);
    EXPECT_TRUE(dialog.DecimalButton(CExportDlg::kDecimalComma)->isChecked());
    EXPECT_TRUE(dialog.SeparatorButton(CExportDlg::kSeparatorTab)->isChecked());
}

TEST_F(ExportDialog, RefusedSeparatorsGiveTheirMessageAndNothingIsWrittenOrStored)
{
    struct Case {
        const char* name;
        int decimal;
        int separator;
        const char* other;
        QString message;
    };
    const Case cases[] = {
        {"blanks only", CExportDlg::kDecimalComma, CExportDlg::kSeparatorOther, "   ", kMissingSeparator},
        {"empty", CExportDlg::kDecimalPoint, CExportDlg::kSeparatorOther, "", kMissingSeparator},
        {"comma with comma", CExportDlg::kDecimalComma, CExportDlg::kSeparatorComma, "#", kSeparatorIsDecimal},
        {"point with point", CExportDlg::kDecimalPoint, CExportDlg::kSeparatorOther, " . ", kSeparatorIsDecimal},
    };
    const std::string target = TempFolder("export_refused") + "/out.exp";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExportDlgUnderTest dialog(doc, settings);
        dialog.answer = QString::fromStdString(target);
        dialog.DecimalButton(c.decimal)->click();
        dialog.SeparatorButton(c.separator)->click();
        dialog.OtherSeparatorEdit()->setText(QString::fromUtf8(c.other));
        dialog.FileButton()->click();
        dialog.ClipboardButton()->click();
        ASSERT_EQ(dialog.messages.size(), 2u);
        for (const Message& m : dialog.messages) {
            EXPECT_EQ(m.icon, QMessageBox::Critical);
            EXPECT_EQ(m.text, c.message);
        }
        EXPECT_TRUE(dialog.proposed.isEmpty());
        EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(target)));
        EXPECT_FALSE(settings.Contains("Export", "radioSeperator"));
    }
    // A decimal point with a comma separator is allowed.
    ExportDlgUnderTest dialog(doc, settings);
    dialog.DecimalButton(CExportDlg::kDecimalPoint)->click();
    dialog.SeparatorButton(CExportDlg::kSeparatorComma)->click();
    EXPECT_TRUE(dialog.CopyToClipboard());
}

// The export of kurvex-cli for the same choice.
std::string CliExport(const std::string& folder, const QStringList& options)
{
    const QString out = QString::fromStdString(folder + "/cli.exp");
    QProcess cli;
    cli.start(QStringLiteral(KURVEX_CLI),
              QStringList{QStringLiteral("export"), test::Sample("pm01bs02_sample.pbs")} + options +
                  QStringList{QStringLiteral("-o"), out});
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return ReadWholeFile(out.toStdString());
}

// The exported file, opened as a run, holds the sample's points.
void ExpectSamePoints(const std::string& exportFile)
{
    CKurvexDoc sample;
    ASSERT_EQ(test::OpenSample(sample, "pm01bs02_sample.pbs"), OpenResult::Opened);
    CKurvexDoc readBack;
    test::ScriptedInteraction interaction;
    ASSERT_EQ(readBack.Open(exportFile, CEinstellungen(), interaction), OpenResult::Opened);
    EXPECT_EQ(readBack.Run().FormatCode(), 1002);
    ASSERT_EQ(readBack.Run().GetCount(), sample.Run().GetCount());
    for (int i = 0; i < sample.Run().GetCount(); ++i) {
        const MESSUNG a = sample.Run().GetPoint(i);
        const MESSUNG b = readBack.Run().GetPoint(i);
        ASSERT_EQ(std::make_tuple(a.station, a.value, a.width), std::make_tuple(b.station, b.value, b.width)) << i;
    }
}

TEST_F(ExportDialog, AFileExportIsTheSameTextAsTheCommandLineToolsAndStoresTheChoice)
{
    struct Case {
        int decimal;
        int separator;
        const char* other;
        QStringList cliOptions;
    };
    const Case cases[] = {
        {CExportDlg::kDecimalComma, CExportDlg::kSeparatorSemicolon, "#", {"--decimal", "comma", "--separator", "semicolon"}},
        {CExportDlg::kDecimalPoint, CExportDlg::kSeparatorTab, "#", {"--decimal", "point", "--separator", "tab"}},
        {CExportDlg::kDecimalComma, CExportDlg::kSeparatorOther, "  ~~ ", {"--decimal", "comma", "--separator", "~~"}},
    };
    const std::string folder = TempFolder("export_file");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cliOptions.join(' ').toStdString());
        const std::string target = folder + "/ausgabe.exp";
        WriteWholeFile(target, "alter Inhalt\r\n");
        ExportDlgUnderTest dialog(doc, settings);
        dialog.answer = QString::fromStdString(target);
        dialog.DecimalButton(c.decimal)->click();
        dialog.SeparatorButton(c.separator)->click();
        dialog.OtherSeparatorEdit()->setText(QString::fromUtf8(c.other));
        dialog.FileButton()->click();

        // The save dialog proposes the run's name with ".exp", in the run's folder.
        ASSERT_EQ(dialog.proposed.size(), 1);
        EXPECT_EQ(QDir(QFileInfo(dialog.proposed[0]).absolutePath()).canonicalPath(),
                  QDir(QStringLiteral(KURVEX_SAMPLES)).canonicalPath());
        EXPECT_EQ(QFileInfo(dialog.proposed[0]).fileName(), QStringLiteral("pm01bs02_sample.exp"));
        ASSERT_EQ(dialog.messages.size(), 1u);
        EXPECT_EQ(dialog.messages[0].icon, QMessageBox::Information);
        EXPECT_EQ(dialog.messages[0].text, kSavedMessage);

        const std::string written = ReadWholeFile(target);
        const std::string expected = CliExport(folder, c.cliOptions);
        EXPECT_EQ(written.size(), expected.size());
        EXPECT_TRUE(written == expected) << "first difference at byte "
                                         << std::mismatch(written.begin(), written.end(), expected.begin(), expected.end()).first - written.begin();
        EXPECT_EQ(written.rfind("IMEXPORT001 FELDTRENNER=", 0), 0u);
        ExpectSamePoints(target);
        EXPECT_EQ(settings.GetInt("Export", "radioDezimalzeichen", -1), c.decimal);
        EXPECT_EQ(settings.GetInt("Export", "radioSeperator", -1), c.separator);
        EXPECT_EQ(settings.GetText("Export", "SeperatorString", ""), c.other);
    }
    // Nothing but the export files is left in the folder.
    EXPECT_EQ(QDir(QString::fromStdString(folder)).entryList(QDir::Files),
              (QStringList{QStringLiteral("ausgabe.exp"), QStringLiteral("cli.exp")}));
}

TEST_F(ExportDialog, CancellingTheSaveDialogDoesNothingElse)
{
    ExportDlgUnderTest dialog(doc, settings);
    dialog.FileButton()->click();
    EXPECT_EQ(dialog.proposed.size(), 1);
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_FALSE(settings.Contains("Export", "radioDezimalzeichen"));
}

// Lets this process write files of at most `bytes` bytes while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the process
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    bool Active() const { return m_active; }

private:
    rlimit m_old{};
    bool m_active = false;
};

TEST_F(ExportDialog, ATargetThatCannotBeWrittenGivesAMessageAndKeepsTheOldFile)
{
    const std::string folder = TempFolder("export_unwritable");
    const std::string target = folder + "/ausgabe.exp";
    WriteWholeFile(target, "alter Inhalt\r\n");
    ExportDlgUnderTest dialog(doc, settings);
    dialog.answer = QString::fromStdString(target);
    {
        // The disk is full after 64 bytes: the export breaks off in the middle.
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.Active());
        EXPECT_FALSE(dialog.SaveToFile());
    }
    ASSERT_EQ(dialog.messages.size(), 1u);
    EXPECT_EQ(dialog.messages[0].icon, QMessageBox::Critical);
    EXPECT_EQ(dialog.messages[0].text, CExportDlg::WriteErrorMessage(QString::fromStdString(target)));
    EXPECT_TRUE(dialog.messages[0].text.contains(QString::fromStdString(target)));
    EXPECT_EQ(ReadWholeFile(target), "alter Inhalt\r\n");
    EXPECT_EQ(QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("ausgabe.exp")});
    // The choice is kept all the same.
    EXPECT_EQ(settings.GetInt("Export", "radioSeperator", -1), CExportDlg::kSeparatorTab);

    // A folder that does not exist.
    const QString missing = QString::fromStdString(folder + "/fehlt/ausgabe.exp");
    dialog.answer = missing;
    EXPECT_FALSE(dialog.SaveToFile());
    ASSERT_EQ(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[1].text, CExportDlg::WriteErrorMessage(missing));
}

TEST_F(ExportDialog, TheClipboardReceivesTheSameText)
{
    ExportDlgUnderTest dialog(doc, settings);
    dialog.SeparatorButton(CExportDlg::kSeparatorSemicolon)->click();
    dialog.ClipboardButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), ToQString(doc.Run().BuildExportText(true, ";")));
    ASSERT_EQ(dialog.messages.size(), 1u);
    EXPECT_EQ(dialog.messages[0].icon, QMessageBox::Information);
    EXPECT_EQ(dialog.messages[0].text, QStringLiteral("Daten befinden sich jetzt in der Zwischenablage!"));
    EXPECT_EQ(settings.GetInt("Export", "radioSeperator", -1), CExportDlg::kSeparatorSemicolon);
}

}  // namespace
}  // namespace kurvex
