#pragma once
// "Streckenabschnitt bearbeiten": one section of the section list. The values
// come from the side file and are shown only: every value field, the check
// box, the surface list and OK are disabled, so the dialog is left with
// "Abbrechen". The two station buttons put one of the last two stations
// picked in the chart into the position field; nothing is kept.

#include "evaluation/EvaluationDialogTexts.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kurvex {

class CLabel;

class CBreiteAendernDlg : public QDialog {
    Q_OBJECT

public:
    // record: the section as its ABSCHNITTE record; firstSection keeps the
    // position read-only and hides the station buttons; picked0 and picked1:
    // the newest and the previous picked station (dm texts, empty if none).
    CBreiteAendernDlg(const std::string& record, bool firstSection, const std::string& picked0,
                      const std::string& picked1, const std::string& runDefaultSurface, QWidget* parent = nullptr);

    const SectionDialogFields& Fields() const { return m_fields; }

    QLineEdit* PositionEdit() const { return m_position; }
    QPushButton* StationButton(int i) const { return i == 0 ? m_station0 : m_station1; }
    QCheckBox* EvaluateCheck() const { return m_auswerten; }
    QLineEdit* WidthEdit() const { return m_breite; }
    QLineEdit* LimitEdit() const { return m_grenzwert; }
    QLineEdit* FactorEdit() const { return m_faktorK; }
    QLineEdit* PriceEdit() const { return m_einheitspreis; }
    QLineEdit* SurfaceEdit() const { return m_fahrbahnoberflaeche; }
    QComboBox* SurfaceList() const { return m_surfaceList; }
    QLineEdit* SpeedEdit() const { return m_mittlereGeschwindigkeit; }
    QLineEdit* VarKEdit() const { return m_varK; }
    CLabel* Hint() const { return m_hint; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

private:
    void TakeStation(const std::string& picked);
    void ShowFields();

    SectionDialogFields m_fields;
    std::string m_runDefaultSurface;
    QLineEdit* m_position = nullptr;
    QPushButton* m_station0 = nullptr;
    QPushButton* m_station1 = nullptr;
    CLabel* m_hint = nullptr;
    QCheckBox* m_auswerten = nullptr;
    QLineEdit* m_breite = nullptr;
    QLineEdit* m_grenzwert = nullptr;
    QLineEdit* m_faktorK = nullptr;
    QLineEdit* m_einheitspreis = nullptr;
    QLineEdit* m_fahrbahnoberflaeche = nullptr;
    QComboBox* m_surfaceList = nullptr;
    QLineEdit* m_mittlereGeschwindigkeit = nullptr;
    QLineEdit* m_varK = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace kurvex
