#pragma once
// "Bereich ohne Überschreitungsauswertung": one range excluded from the
// evaluation, its ends in run direction and its remark. Shown only; both
// buttons close it and nothing is written back.

#include "evaluation/EvaluationDialogTexts.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace kurvex {

class CBereichOhneErkennungDlg : public QDialog {
    Q_OBJECT

public:
    CBereichOhneErkennungDlg(const BEREICH_OHNE_ERKENNUNG_DATEN& range, bool ascending, QWidget* parent = nullptr);

    QLineEdit* FromEdit() const { return m_von; }
    QLineEdit* ToEdit() const { return m_bis; }
    QPlainTextEdit* RemarkEdit() const { return m_bemerkung; }
    QCheckBox* DeleteCheck() const { return m_delete; }

private:
    QLineEdit* m_von = nullptr;
    QLineEdit* m_bis = nullptr;
    QPlainTextEdit* m_bemerkung = nullptr;
    QCheckBox* m_delete = nullptr;
};

}  // namespace kurvex
