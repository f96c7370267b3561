#pragma once
// "Streckenabschnitte bearbeiten": the sections of a run with their figures.
// "Bearbeiten" or a double-click shows the selected section in
// "Streckenabschnitt bearbeiten". OK hands the sections text the list was
// opened with back unchanged; the caller applies it, which recomputes the
// speed statistics of the whole run.

#include "evaluation/EvaluationDialogTexts.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QPushButton;

namespace kurvex {

class CBreiteAendernDlg;
class CKurvexDoc;
class CPersListCtrl;
class SettingsStore;

inline constexpr const char* kBreitenaendernDlgListName = "BreitenaendernDlg";

class CSectionListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    CSectionListModel(std::vector<SectionListRow> rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // In pixels of the classic dialog font.
    static const std::vector<int>& DefaultColumnWidths();

private:
    std::vector<SectionListRow> m_rows;
};

class CBreitenaendernDlg : public QDialog {
    Q_OBJECT

public:
    CBreitenaendernDlg(const CKurvexDoc& doc, SettingsStore& settings, QWidget* parent = nullptr);

    // The sections text the list was opened with; what OK applies.
    const std::string& SectionsText() const { return m_sectionsText; }
    const AbschnittListe& Sections() const { return m_sections; }

    CPersListCtrl* List() const { return m_list; }
    QPushButton* NewButton() const { return m_new; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    // Shows the section dialog of the selected line; nothing without one.
    void EditSelected();
    // Runs the section dialog modally (exec by default; tests answer at once).
    void SetSectionDialogRunner(std::function<void(CBreiteAendernDlg&)> runner) { m_runSectionDialog = std::move(runner); }

    void done(int result) override;

private:
    void EditSection(int row);

    std::string m_sectionsText;
    AbschnittListe m_sections;
    std::string m_picked0;
    std::string m_picked1;
    std::string m_runDefaultSurface;
    std::function<void(CBreiteAendernDlg&)> m_runSectionDialog;
    CPersListCtrl* m_list = nullptr;
    QPushButton* m_new = nullptr;
    QPushButton* m_edit = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

}  // namespace kurvex
