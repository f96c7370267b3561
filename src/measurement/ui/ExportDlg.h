#pragma once
// "Messdatenexport": the measured values of a PM01BS02 or IMEXPORT001 run as
// IMEXPORT001 text, to a file or the clipboard, with the decimal sign and
// the field separator the user picks. The choice is kept in the settings
// section "Export". The dialog stays open after an export.

#include "common/SettingsCatalogue.h"

#include <QDialog>
#include <QMessageBox>

#include <string>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kurvex {

class CKurvexDoc;
class SettingsStore;

// "Messdaten e&xportieren" (only PM01BS02/IMEXPORT001 runs, format code 1002).
void ShowExportDialog(QWidget* parent, const CKurvexDoc& doc, SettingsStore& settings);

class CExportDlg : public QDialog {
    Q_OBJECT

public:
    enum Decimal { kDecimalComma = 0, kDecimalPoint = 1 };
    enum Separator { kSeparatorTab = 0, kSeparatorSemicolon = 1, kSeparatorComma = 2, kSeparatorOther = 3 };

    CExportDlg(const CKurvexDoc& doc, SettingsStore& settings, QWidget* parent = nullptr);

    // "in Datei speichern": true when the file was written.
    bool SaveToFile();
    // "in Zwischenablage ": true when the text was placed on the clipboard.
    bool CopyToClipboard();

    // The message after a clipboard export.
    static QString ClipboardMessage();
    // The message when the export file cannot be written.
    static QString WriteErrorMessage(const QString& path);

    QRadioButton* DecimalButton(int choice) const;
    QRadioButton* SeparatorButton(int choice) const;
    QLineEdit* OtherSeparatorEdit() const { return m_otherSeparator; }
    QPushButton* FileButton() const { return m_fileButton; }
    QPushButton* ClipboardButton() const { return m_clipboardButton; }
    QPushButton* CloseButton() const { return m_closeButton; }

protected:
    // The save-file dialog; the chosen path, or an empty text when cancelled.
    virtual QString AskSavePath(const QString& proposedPath);
    virtual void ShowMessage(QMessageBox::Icon icon, const QString& text);

private:
    // The export text for the controls' choice, or nothing after telling the
    // user why the separator cannot be used.
    bool ExportText(std::string& text);
    void StoreSettings();
    void UpdateOtherSeparatorField();

    const CKurvexDoc& m_doc;
    SettingsStore& m_settings;
    QButtonGroup* m_decimal = nullptr;
    QButtonGroup* m_separator = nullptr;
    QLineEdit* m_otherSeparator = nullptr;
    QPushButton* m_fileButton = nullptr;
    QPushButton* m_clipboardButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};

}  // namespace kurvex
