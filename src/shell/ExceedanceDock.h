#pragma once
// "Überschreitungen": the exceedances and excluded ranges of the active run in
// a list that stays open beside the chart, grouped by section under its sum of
// p² and deduction as the report prints them. A filter on station or remark
// text and "nur zählende" narrow it; a click or Return shows the line's
// exceedance on the chart. Lines are formatted only when the view shows them.

#include "document/DocumentObserver.h"
#include "evaluation/ExceedanceOutline.h"

#include <QAbstractItemModel>
#include <QDockWidget>
#include <QPointer>

#include <memory>
#include <unordered_map>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTreeView;

namespace kurvex {

class CKurvexDoc;
class CKurvexView;

inline constexpr const char* kExceedanceDockTitle = "Überschreitungen";

// Top-level rows are the sections, their children the lines. Column 0 holds
// the section number, the others the evaluation list's columns.
class CExceedanceTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    static constexpr int kLineRole = Qt::UserRole + 2;  // the evaluation list's line, -1 for a section row

    explicit CExceedanceTreeModel(QObject* parent = nullptr);

    // The document whose lines are listed (null: none); read anew now.
    void SetDocument(std::shared_ptr<CKurvexDoc> doc);
    void Reload();
    void SetFilter(const QString& text, bool onlyCounting);
    // The sections' sums and deductions from the report's lines, into the section rows.
    void ReadReportFigures();
    const ExceedanceOutline* Outline() const { return m_outline.get(); }
    // The index of the line of exceedance i, invalid when it is filtered out.
    QModelIndex IndexOfExceedance(int exceedance) const;
    // How many lines have been formatted so far.
    int FormattedRowCount() const { return static_cast<int>(m_rows.size()); }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    int LineAt(const QModelIndex& index) const;
    const EvaluationListRow& Row(int line) const;

    std::shared_ptr<CKurvexDoc> m_doc;
    std::unique_ptr<ExceedanceOutline> m_outline;
    std::vector<OutlineGroup> m_groups;
    std::string m_filter;
    bool m_onlyCounting = false;
    mutable std::unordered_map<int, EvaluationListRow> m_rows;
};

class CExceedanceDock : public QDockWidget, public DocumentObserver {
    Q_OBJECT

public:
    explicit CExceedanceDock(QWidget* parent = nullptr);
    ~CExceedanceDock() override;

    // The chart window whose run is listed; the list is read only while the dock is shown.
    void SetView(CKurvexView* view);
    void DocumentChanged(DocumentChange change) override;
    // Selects the line of exceedance i (after a step to it) without showing it again.
    void SelectExceedance(int exceedance);

    CExceedanceTreeModel* Model() const { return m_model; }
    QTreeView* Tree() const { return m_tree; }
    QLineEdit* FilterField() const { return m_filter; }
    QCheckBox* OnlyCounting() const { return m_onlyCounting; }

Q_SIGNALS:
    // A click or Return on an exceedance line (its index in run direction).
    void exceedanceChosen(int exceedance);
    // ... or on an excluded range line (its index in the document's list).
    void excludedRangeChosen(int range);
    void closedByUser();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Detach();
    void Refresh();
    void ApplyFilter();
    void Choose(const QModelIndex& index);
    void SpanSectionRows();

    CExceedanceTreeModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
    QLineEdit* m_filter = nullptr;
    QCheckBox* m_onlyCounting = nullptr;
    std::shared_ptr<CKurvexDoc> m_doc;
    QPointer<CKurvexView> m_view;
    bool m_stale = true;
};

}  // namespace kurvex
