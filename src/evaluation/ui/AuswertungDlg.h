#pragma once
// "Auswertung Überschreitungen und Abzüge": the read-only evaluation list of a
// run, the exceedances grouped by section with the excluded ranges between
// them. Its model formats a line only when the view asks for it.

#include "evaluation/EvaluationListRows.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <memory>
#include <unordered_map>

namespace kurvex {

class CExListCtrl;
class CKurvexDoc;
class SettingsStore;

inline constexpr const char* kAuswertungDlgListName = "AuswertungDlg";

// The heading of column 0 .. kRowBemerkung of the evaluation list.
const QString& EvaluationColumnHeading(int column);

class CEvaluationListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    CEvaluationListModel(std::unique_ptr<EvaluationList> list, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const EvaluationList& List() const { return *m_list; }
    // The texts of line i (formatted once, then kept).
    const EvaluationListRow& Row(int i) const;
    // How many lines have been formatted so far: a view formats only the
    // lines it shows.
    int FormattedRowCount() const { return static_cast<int>(m_rows.size()); }

    // In pixels of the classic dialog font.
    static const std::vector<int>& DefaultColumnWidths();

private:
    std::unique_ptr<EvaluationList> m_list;
    mutable std::unordered_map<int, EvaluationListRow> m_rows;
};

class CAuswertungDlg : public QDialog {
    Q_OBJECT

public:
    CAuswertungDlg(CKurvexDoc& doc, SettingsStore& settings, QWidget* parent = nullptr);

    CExListCtrl* List() const { return m_list; }
    CEvaluationListModel* Model() const { return m_model; }

    void done(int result) override;

private:
    CExListCtrl* m_list = nullptr;
    CEvaluationListModel* m_model = nullptr;
};

}  // namespace kurvex
