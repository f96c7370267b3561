#pragma once
// "Datenanpassungen": asked once when a run is opened without side file, before
// anything is evaluated. The user may re-base the stations (new start, direction)
// and mirror the order of the values. The rules live in FirstLoadAdjustments;
// this dialog shows them and feeds them the user's inputs.

#include <QDialog>

#include <cstdint>
#include <memory>

#include "document/FirstLoadAdjustments.h"
#include "document/OpenInteraction.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kurvex {

class CLabel;

class CVorabanpassungenDlg : public QDialog {
    Q_OBJECT

public:
    // Light cyan behind the resulting stations when the run is adjusted or mirrored.
    static const QColor kResultBackground;

    // fileStart, fileEnd: the run's range as read from the file, in dm.
    CVorabanpassungenDlg(int32_t fileStart, int32_t fileEnd, QWidget* parent = nullptr);
    ~CVorabanpassungenDlg() override;

    // Runs the dialog modally and returns its answer.
    static FirstLoadAnswer Ask(QWidget* parent, int32_t fileStart, int32_t fileEnd);

    // The answer once the dialog is closed: after OK the adjustment it produced;
    // closed otherwise, no adjustment. The mirror is the check box's last state
    // either way.
    FirstLoadAnswer Answer() const;
    // The caption names the run's file: "Datenanpassungen – a1.pbs".
    void NameFile(const QString& fileName);
    const FirstLoadAdjustments& Model() const { return m_model; }

    // The controls, for the tests.
    QLineEdit& StartEdit() { return *m_startEdit; }
    QLineEdit& EndEdit() { return *m_endEdit; }
    QCheckBox& AdjustBox() { return *m_adjustBox; }
    QCheckBox& AscendingBox() { return *m_ascendingBox; }
    QCheckBox& MirrorBox() { return *m_mirrorBox; }
    QLabel& FileStartText() { return *m_fileStart; }
    QLabel& FileEndText() { return *m_fileEnd; }
    QLabel& StateHeading() { return *m_stateHeading; }
    CLabel& ResultStartText() { return *m_resultStart; }
    CLabel& ResultEndText() { return *m_resultEnd; }
    QLabel& NewStartLabel() { return *m_newStartLabel; }
    QLabel& NewEndLabel() { return *m_newEndLabel; }
    QPushButton& OkButton() { return *m_okButton; }

public Q_SLOTS:
    void accept() override;

private:
    void OnStartEdited(const QString& text);
    void OnStartLeft();
    void OnAdjustToggled(bool on);
    void OnAscendingToggled(bool on);
    void OnMirrorToggled(bool on);
    void ShowEnd();
    void ShowState();

    FirstLoadAdjustments m_model;
    bool m_confirmed = false;

    QLabel* m_fileStart = nullptr;
    QLabel* m_fileEnd = nullptr;
    QLabel* m_stateHeading = nullptr;
    CLabel* m_resultStart = nullptr;
    CLabel* m_resultEnd = nullptr;
    QCheckBox* m_adjustBox = nullptr;
    QLabel* m_newStartLabel = nullptr;
    QLineEdit* m_startEdit = nullptr;
    QLabel* m_newEndLabel = nullptr;
    QLineEdit* m_endEdit = nullptr;
    QCheckBox* m_ascendingBox = nullptr;
    QCheckBox* m_mirrorBox = nullptr;
    QPushButton* m_okButton = nullptr;
};

}  // namespace kurvex
