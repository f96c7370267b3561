#include "common/ui/PersListCtrl.h"

#include "common/ui/ColumnLayout.h"
#include "document/SettingsStore.h"

#include <QHeaderView>

namespace kurvex {

namespace {

constexpr const char* kOrderSuffix = "iOrder";
constexpr const char* kSortInfoSuffix = "iSortInfo";
constexpr int kNoSortInfo = -1;

}  // namespace

CPersListCtrl::CPersListCtrl(QWidget* parent) : QTreeView(parent)
{
    // A report list: no tree, one height for all lines, whole lines selected.
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    header()->setSectionsMovable(false);
    // Any width down to none is the user's to choose, as stored.
    header()->setMinimumSectionSize(0);
    header()->setStretchLastSection(false);
    header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

CPersListCtrl::~CPersListCtrl()
{
    SaveLayout();
}

void CPersListCtrl::SetColumnWidths(const std::vector<int>& widths)
{
    QHeaderView* h = header();
    for (int i = 0; i < static_cast<int>(widths.size()) && i < h->count(); ++i)
        h->resizeSection(i, widths[static_cast<size_t>(i)]);
}

std::vector<int> CPersListCtrl::ColumnWidths() const
{
    const QHeaderView* h = header();
    std::vector<int> widths;
    for (int i = 0; i < h->count(); ++i)
        widths.push_back(h->sectionSize(i));
    return widths;
}

std::vector<int> CPersListCtrl::ColumnOrder() const
{
    const QHeaderView* h = header();
    std::vector<int> order;
    for (int visual = 0; visual < h->count(); ++visual)
        order.push_back(h->logicalIndex(visual));
    return order;
}

void CPersListCtrl::Restore(SettingsStore& store, const std::string& section, const std::string& entry,
                            const std::string& defaultWidths)
{
    m_store = &store;
    m_section = section;
    m_entry = entry;
    if (section.empty() || entry.empty())
        return;

    const ColumnLayout layout = ReadColumnLayout(store.GetText(section, entry, defaultWidths),
                                                 store.GetText(section, entry + kOrderSuffix, ""), ColumnWidths());
    SetColumnWidths(layout.widths);
    QHeaderView* h = header();
    for (int visual = 0; visual < static_cast<int>(layout.order.size()); ++visual)
        h->moveSection(h->visualIndex(layout.order[static_cast<size_t>(visual)]), visual);
    m_sortInfo = store.GetInt(section, entry + kSortInfoSuffix, kNoSortInfo);
}

void CPersListCtrl::SaveLayout()
{
    if (m_store == nullptr || m_section.empty() || m_entry.empty())
        return;
    m_store->SetText(m_section, m_entry, JoinColumnValues(ColumnWidths()));
    m_store->SetText(m_section, m_entry + kOrderSuffix, JoinColumnValues(ColumnOrder()));
    if (m_sortInfo != kNoSortInfo)
        m_store->SetInt(m_section, m_entry + kSortInfoSuffix, m_sortInfo);
}

}  // namespace kurvex
