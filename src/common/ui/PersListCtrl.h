#pragma once
// A report list that keeps the user's column widths and column order: its
// dialog sets the model and the columns' widths, then calls Restore, which
// lays the columns out as the settings store remembers them; when the list
// goes, it writes its layout back. Stored under the section (the dialogs use
// "Spaltenbreiten") and the list's name: NAME the widths, NAMEiOrder the
// order, NAMEiSortInfo a sort state that is kept but not used here.

#include "common/SettingsCatalogue.h"

#include <QTreeView>

#include <string>
#include <vector>

namespace kurvex {

class SettingsStore;

class CPersListCtrl : public QTreeView {
    Q_OBJECT

public:
    explicit CPersListCtrl(QWidget* parent = nullptr);
    // Writes the layout when Restore named a place for it.
    ~CPersListCtrl() override;

    // The widths the dialog gives its columns, in column index order.
    void SetColumnWidths(const std::vector<int>& widths);
    // Lays the columns out as stored under section/entry; defaultWidths is the
    // stored widths text used when there is none. Keeps store, section and
    // entry for the save.
    void Restore(SettingsStore& store, const std::string& section, const std::string& entry,
                 const std::string& defaultWidths = {});
    // Writes the widths of all columns, the order and the sort state (when
    // set). Does nothing unless Restore gave a section and an entry.
    void SaveLayout();

    std::vector<int> ColumnWidths() const;
    // The column indexes from left to right.
    std::vector<int> ColumnOrder() const;
    int SortInfo() const { return m_sortInfo; }

private:
    SettingsStore* m_store = nullptr;
    std::string m_section;
    std::string m_entry;
    int m_sortInfo = -1;
};

}  // namespace kurvex
