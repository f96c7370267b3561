#include "measurement/ui/ExportDlg.h"

#include "common/ui/FileDialogSize.h"
#include "common/ui/QtPath.h"
#include "common/ui/QtText.h"
#include "common/ui/WaitCursor.h"
#include "document/KurvexDoc.h"
#include "document/SettingsStore.h"
#include "measurement/ExportText.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include <utility>

namespace kurvex {

namespace {

constexpr const char* kMsgSaved = "Daten wurden erfolgreich gespeichert!";

// A stored choice outside the buttons takes the first button.
int StoredChoice(const SettingsStore& settings, const char* key, int count)
{
    const int choice = settings.GetInt(kExportSection, key, 0);
    return choice >= 0 && choice < count ? choice : 0;
}

// Message texts of the core end their lines in CR LF; a Qt label wants LF.
QString MessageText(const std::string& cp1252)
{
    return ToQString(cp1252).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The text goes to a temporary file beside the target that replaces it only
// when complete, so a failed export leaves an older file as it was. The flush
// is checked here: commit() does not notice a failure of the last buffered
// write and would put the cut-off file in place.
bool WriteExportFile(const QString& path, const std::string& text)
{
    const WaitCursor busy;
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written)
        written = file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size());
    if (written)
        written = file.flush() && file.error() == QFileDevice::NoError;
    if (written)
        written = file.commit();
    else if (file.isOpen())
        file.cancelWriting();
    return written;
}

}  // namespace

void ShowExportDialog(QWidget* parent, const CKurvexDoc& doc, SettingsStore& settings)
{
    CExportDlg dialog(doc, settings, parent);
    dialog.exec();
}

CExportDlg::CExportDlg(const CKurvexDoc& doc, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_settings(settings)
{
    setWindowTitle(QStringLiteral("Messdatenexport"));

    auto* decimalBox = new QGroupBox(QStringLiteral("Dezimalzeichen"), this);
    m_decimal = new QButtonGroup(this);
    auto* decimalLayout = new QVBoxLayout(decimalBox);
    for (const auto& [id, caption] : {std::pair{kDecimalComma, "Komma"}, std::pair{kDecimalPoint, "Punkt"}}) {
        auto* button = new QRadioButton(QString::fromUtf8(caption), decimalBox);
        m_decimal->addButton(button, id);
        decimalLayout->addWidget(button);
    }
    decimalLayout->addStretch(1);

    auto* separatorBox = new QGroupBox(QStringLiteral("Trennzeichen zwischen den Messwerten"), this);
    m_separator = new QButtonGroup(this);
    auto* separatorLayout = new QGridLayout(separatorBox);
    const std::pair<int, const char*> separators[] = {{kSeparatorTab, "Tabulatorzeichen"},
                                                      {kSeparatorSemicolon, "Semikolon"},
                                                      {kSeparatorComma, "Komma"},
                                                      {kSeparatorOther, "anderes Zeichen:"}};
    for (const auto& [id, caption] : separators) {
        auto* button = new QRadioButton(QString::fromUtf8(caption), separatorBox);
        m_separator->addButton(button, id);
        separatorLayout->addWidget(button, id, 0);
    }
    m_otherSeparator = new QLineEdit(separatorBox);
    separatorLayout->addWidget(m_otherSeparator, kSeparatorOther, 1);
    connect(m_separator, &QButtonGroup::idClicked, this, &CExportDlg::UpdateOtherSeparatorField);

    m_fileButton = new QPushButton(QStringLiteral("in Datei speichern"), this);
    m_clipboardButton = new QPushButton(QStringLiteral("in Zwischenablage "), this);
    m_closeButton = new QPushButton(QStringLiteral("Schließen"), this);
    m_fileButton->setDefault(true);
    m_clipboardButton->setAutoDefault(false);
    m_closeButton->setAutoDefault(false);
    connect(m_fileButton, &QPushButton::clicked, this, &CExportDlg::SaveToFile);
    connect(m_clipboardButton, &QPushButton::clicked, this, &CExportDlg::CopyToClipboard);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* groups = new QHBoxLayout;
    groups->addWidget(decimalBox);
    groups->addWidget(separatorBox, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_fileButton);
    buttons->addWidget(m_clipboardButton);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);

    m_decimal->button(StoredChoice(settings, kExportDecimalKey, 2))->setChecked(true);
    m_separator->button(StoredChoice(settings, kExportSeparatorKey, 4))->setChecked(true);
    m_otherSeparator->setText(ToQString(settings.GetText(kExportSection, kExportOtherSeparatorKey, kExportOtherSeparatorSetting.defaultValue)));
    UpdateOtherSeparatorField();
}

QRadioButton* CExportDlg::DecimalButton(int choice) const
{
    return qobject_cast<QRadioButton*>(m_decimal->button(choice));
}

QRadioButton* CExportDlg::SeparatorButton(int choice) const
{
    return qobject_cast<QRadioButton*>(m_separator->button(choice));
}

void CExportDlg::UpdateOtherSeparatorField()
{
    m_otherSeparator->setEnabled(m_separator->checkedId() == kSeparatorOther);
}

QString CExportDlg::ClipboardMessage()
{
#ifdef Q_OS_WIN
    return QStringLiteral("Daten befinden sich jetzt in der Windows-Zwischenablage!");
#else
    return QStringLiteral("Daten befinden sich jetzt in der Zwischenablage!");
#endif
}

QString CExportDlg::WriteErrorMessage(const QString& path)
{
    return QStringLiteral("Die Daten konnten nicht gespeichert werden:\n%1").arg(QDir::toNativeSeparators(path));
}

bool CExportDlg::ExportText(std::string& text)
{
    const bool decimalComma = m_decimal->checkedId() != kDecimalPoint;
    std::string separator;
    switch (m_separator->checkedId()) {
    case kSeparatorSemicolon: separator = ";"; break;
    case kSeparatorComma: separator = ","; break;
    case kSeparatorOther: separator = NormalizeOtherSeparator(ToCp1252(m_otherSeparator->text())); break;
    default: separator = "\t"; break;
    }
    const std::string refusal = CheckExportSeparator(decimalComma, separator);
    if (!refusal.empty()) {
        ShowMessage(QMessageBox::Critical, MessageText(refusal));
        return false;
    }
    const WaitCursor busy;  // a million points take a moment
    text = m_doc.Run().BuildExportText(decimalComma, separator);
    return true;
}

void CExportDlg::StoreSettings()
{
    m_settings.SetInt(kExportSection, kExportDecimalKey, m_decimal->checkedId());
    m_settings.SetInt(kExportSection, kExportSeparatorKey, m_separator->checkedId());
    m_settings.SetText(kExportSection, kExportOtherSeparatorKey, ToCp1252(m_otherSeparator->text()));
}

bool CExportDlg::SaveToFile()
{
    std::string text;
    if (!ExportText(text))
        return false;
    const QString documentPath = FromCorePath(m_doc.FullPath());
    QString proposed = QDir::cleanPath(
        QFileInfo(documentPath).absoluteDir().filePath(FromCorePath(ProposedExportFileName(m_doc.FullPath()))));
    // A run whose name does not end in ".pbs" (every IMEXPORT001 run) keeps it,
    // so the proposal would be the measurement file itself, which two presses
    // of Enter would replace by its export: then only the folder is proposed.
    if (QFileInfo(proposed) == QFileInfo(documentPath))
        proposed = QFileInfo(documentPath).absolutePath() + QLatin1Char('/');
    const QString path = AskSavePath(proposed);
    if (path.isEmpty())
        return false;

    const bool written = WriteExportFile(path, text);
    if (written)
        ShowMessage(QMessageBox::Information, QString::fromUtf8(kMsgSaved));
    else
        ShowMessage(QMessageBox::Critical, WriteErrorMessage(path));
    StoreSettings();
    return written;
}

bool CExportDlg::CopyToClipboard()
{
    std::string text;
    if (!ExportText(text))
        return false;
    {
        const WaitCursor busy;
        QGuiApplication::clipboard()->setText(ToQString(text));
    }
    ShowMessage(QMessageBox::Information, ClipboardMessage());
    StoreSettings();
    return true;
}

QString CExportDlg::AskSavePath(const QString& proposedPath)
{
    QFileDialog dialog(this, QStringLiteral("Bitte Dateinamen angeben"), QFileInfo(proposedPath).absolutePath(),
                       QStringLiteral("(*.exp)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("exp"));
    dialog.selectFile(QFileInfo(proposedPath).fileName());
    MakeRoomy(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void CExportDlg::ShowMessage(QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QStringLiteral("Kurvex"), text, QMessageBox::Ok, this);
    box.exec();
}

}  // namespace kurvex
