#include "shell/ExceedanceDock.h"

#include "chart/ui/KurvexView.h"
#include "common/TextHelpers.h"
#include "common/ui/MovingKeys.h"
#include "common/ui/QtText.h"
#include "shell/DockButtons.h"
#include "document/KurvexDoc.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "evaluation/ui/AuswertungDlg.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace kurvex {

namespace {

// Column 0 is the section; the evaluation list's columns follow.
constexpr int kSectionColumn = 0;
constexpr int kColumnCount = kRowBemerkung + 2;
constexpr quintptr kSectionRow = 0;

const QColor kNotCountingText(127, 127, 127);

}  // namespace

// --- Model -------------------------------------------------------------------------

CExceedanceTreeModel::CExceedanceTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void CExceedanceTreeModel::SetDocument(std::shared_ptr<CKurvexDoc> doc)
{
    m_doc = std::move(doc);
    Reload();
}

void CExceedanceTreeModel::Reload()
{
    beginResetModel();
    m_rows.clear();
    m_outline = m_doc ? std::make_unique<ExceedanceOutline>(*m_doc) : nullptr;
    m_groups = m_outline ? m_outline->Filtered(m_filter, m_onlyCounting) : std::vector<OutlineGroup>{};
    endResetModel();
}

void CExceedanceTreeModel::SetFilter(const QString& text, bool onlyCounting)
{
    const std::string filter = ToCp1252(text);
    if (filter == m_filter && onlyCounting == m_onlyCounting)
        return;
    m_filter = filter;
    m_onlyCounting = onlyCounting;
    beginResetModel();
    m_groups = m_outline ? m_outline->Filtered(m_filter, m_onlyCounting) : std::vector<OutlineGroup>{};
    endResetModel();
}

void CExceedanceTreeModel::ReadReportFigures()
{
    if (!m_outline || m_outline->HasReportFigures())
        return;
    m_outline->ReadReportFigures();
    if (!m_groups.empty())
        Q_EMIT dataChanged(index(0, 0), index(static_cast<int>(m_groups.size()) - 1, 0));
}

QModelIndex CExceedanceTreeModel::IndexOfExceedance(int exceedance) const
{
    if (!m_outline)
        return {};
    for (size_t g = 0; g < m_groups.size(); ++g) {
        const std::vector<int>& lines = m_groups[g].lines;
        for (size_t r = 0; r < lines.size(); ++r) {
            const EvaluationListLine& entry = m_outline->List().Line(lines[r]);
            if (entry.kind == EvaluationLineKind::Exceedance && entry.exceedance == exceedance)
                return createIndex(static_cast<int>(r), 0, static_cast<quintptr>(g + 1));
        }
    }
    return {};
}

QModelIndex CExceedanceTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column < 0 || column >= kColumnCount)
        return {};
    if (!parent.isValid())
        return row < static_cast<int>(m_groups.size()) ? createIndex(row, column, kSectionRow) : QModelIndex();
    if (parent.internalId() != kSectionRow || parent.row() >= static_cast<int>(m_groups.size()))
        return {};
    if (row >= static_cast<int>(m_groups[static_cast<size_t>(parent.row())].lines.size()))
        return {};
    return createIndex(row, column, static_cast<quintptr>(parent.row() + 1));
}

QModelIndex CExceedanceTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == kSectionRow)
        return {};
    return createIndex(static_cast<int>(child.internalId() - 1), 0, kSectionRow);
}

int CExceedanceTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_groups.size());
    if (parent.internalId() != kSectionRow || parent.column() != 0 || parent.row() >= static_cast<int>(m_groups.size()))
        return 0;
    return static_cast<int>(m_groups[static_cast<size_t>(parent.row())].lines.size());
}

int CExceedanceTreeModel::columnCount(const QModelIndex&) const { return kColumnCount; }

int CExceedanceTreeModel::LineAt(const QModelIndex& index) const
{
    if (!index.isValid() || index.internalId() == kSectionRow)
        return -1;
    const size_t group = static_cast<size_t>(index.internalId() - 1);
    if (group >= m_groups.size() || index.row() >= static_cast<int>(m_groups[group].lines.size()))
        return -1;
    return m_groups[group].lines[static_cast<size_t>(index.row())];
}

const EvaluationListRow& CExceedanceTreeModel::Row(int line) const
{
    auto found = m_rows.find(line);
    if (found == m_rows.end())
        found = m_rows.emplace(line, m_outline->List().Row(line)).first;
    return found->second;
}

QVariant CExceedanceTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_outline)
        return {};
    if (index.internalId() == kSectionRow) {
        if (index.row() >= static_cast<int>(m_groups.size()))
            return {};
        const OutlineGroup& group = m_groups[static_cast<size_t>(index.row())];
        switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole: return index.column() == 0 ? ToQString(m_outline->Caption(group.section)) : QVariant();
        case Qt::FontRole: {
            QFont font;
            font.setBold(true);
            return font;
        }
        case kLineRole: return -1;
        default: return {};
        }
    }
    const int line = LineAt(index);
    if (line < 0)
        return {};
    const bool exceedance = m_outline->List().Line(line).kind == EvaluationLineKind::Exceedance;
    const bool counts = m_outline->LineCounts(line);
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == kSectionColumn)
            return m_outline->SectionOfLine(line);
        return ToQString(RowCellText(Row(line), index.column() - 1));
    case Qt::ToolTipRole:
        if (index.column() - 1 == kRowBemerkung && !Row(line).bemerkung.empty())
            return ToQString(ReplacedAll(Row(line).bemerkung, kStoredLineBreak, "\n"));
        return {};
    case Qt::ForegroundRole: return counts ? QVariant() : QVariant(kNotCountingText);
    case Qt::FontRole:
        if (exceedance && !counts) {
            // Struck through as in the evaluation list: it does not count.
            QFont font;
            font.setStrikeOut(true);
            return font;
        }
        if (!exceedance) {
            QFont font;
            font.setItalic(true);
            return font;
        }
        return {};
    case kLineRole: return line;
    default: return {};
    }
}

QVariant CExceedanceTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount)
        return {};
    if (section == kSectionColumn)
        return U("Abschnitt");
    return EvaluationColumnHeading(section - 1);
}

// --- Dock --------------------------------------------------------------------------

CExceedanceDock::CExceedanceDock(QWidget* parent) : QDockWidget(U(kExceedanceDockTitle), parent)
{
    setObjectName(QStringLiteral("exceedanceDock"));
    setAccessibleName(U(kExceedanceDockTitle));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    auto* content = new QWidget(this);
    content->setAccessibleName(U(kExceedanceDockTitle));
    auto* filterLabel = new QLabel(U("Fi&lter:"), content);
    m_filter = new QLineEdit(content);
    m_filter->setObjectName(QStringLiteral("exceedanceFilter"));
    m_filter->setPlaceholderText(U("Station oder Bemerkung"));
    m_filter->setAccessibleName(U("Filter nach Station oder Bemerkung"));
    m_filter->setClearButtonEnabled(true);
    for (QAbstractButton* clear : m_filter->findChildren<QAbstractButton*>())
        clear->setAccessibleName(U("Filter leeren"));
    filterLabel->setBuddy(m_filter);
    m_onlyCounting = new QCheckBox(U("nur zählende"), content);
    m_onlyCounting->setObjectName(QStringLiteral("exceedanceOnlyCounting"));
    m_onlyCounting->setAccessibleName(U("nur zählende"));

    m_model = new CExceedanceTreeModel(this);
    m_tree = new QTreeView(content);
    m_tree->setObjectName(QStringLiteral("exceedanceTree"));
    m_tree->setAccessibleName(U("Überschreitungen je Streckenabschnitt"));
    m_tree->setModel(m_model);
    m_tree->setUniformRowHeights(true);
    m_tree->setAllColumnsShowFocus(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Page Up/Down, Home and End move in the list, not through the chart pages.
    KeepMovingKeys(*m_tree);
    m_tree->header()->setStretchLastSection(true);
    m_tree->header()->setSectionResizeMode(QHeaderView::Interactive);
    const QFontMetrics metrics = m_tree->fontMetrics();
    for (int column = 0; column + 1 < kColumnCount; ++column) {
        const QString heading = m_model->headerData(column, Qt::Horizontal).toString();
        // Room for the heading and for the usual figures below it.
        const QString sample =
            column == kSectionColumn + 1 + kRowStation ? QStringLiteral("123456.7 - 123456.7") : heading;
        m_tree->header()->resizeSection(
            column, std::max(metrics.horizontalAdvance(heading), metrics.horizontalAdvance(sample)) + 24);
    }

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(m_filter, 1);
    filterRow->addWidget(m_onlyCounting);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(filterRow);
    layout->addWidget(m_tree, 1);
    setWidget(content);
    setFocusProxy(m_tree);
    NameDockButtons(*this);
    QWidget::setTabOrder(m_filter, m_onlyCounting);
    QWidget::setTabOrder(m_onlyCounting, m_tree);

    connect(m_filter, &QLineEdit::textChanged, this, [this] { ApplyFilter(); });
    connect(m_onlyCounting, &QCheckBox::toggled, this, [this] { ApplyFilter(); });
    // Return in the filter field goes to the list, where the arrow keys choose.
    connect(m_filter, &QLineEdit::returnPressed, this, [this] {
        m_tree->setFocus();
        if (!m_tree->currentIndex().isValid() && m_model->rowCount() > 0)
            m_tree->setCurrentIndex(m_model->index(0, 0, m_model->index(0, 0)));
    });
    connect(m_tree, &QTreeView::clicked, this, &CExceedanceDock::Choose);
    connect(m_tree, &QTreeView::activated, this, &CExceedanceDock::Choose);
}

CExceedanceDock::~CExceedanceDock() { Detach(); }

void CExceedanceDock::Detach()
{
    if (m_doc)
        m_doc->RemoveObserver(this);
    m_doc.reset();
}

void CExceedanceDock::keyPressEvent(QKeyEvent* event)
{
    // Escape hands the keyboard back to the chart, as from any of the main window's panes.
    if (event->key() == Qt::Key_Escape && m_view) {
        m_view->setFocus();
        event->accept();
        return;
    }
    QDockWidget::keyPressEvent(event);
}

void CExceedanceDock::SetView(CKurvexView* view)
{
    m_view = view;
    const std::shared_ptr<CKurvexDoc> doc = view ? view->SharedDocument() : nullptr;
    if (doc == m_doc)
        return;
    Detach();
    m_doc = doc;
    if (m_doc)
        m_doc->AddObserver(this);
    m_stale = true;
    if (isVisible())
        Refresh();
    else
        m_model->SetDocument(nullptr);  // a closed run is not kept for a hidden list
}

void CExceedanceDock::DocumentChanged(DocumentChange change)
{
    if (change == DocumentChange::PickedStations)
        return;
    m_stale = true;
    if (isVisible())
        Refresh();
}

void CExceedanceDock::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (m_stale)
        Refresh();
}

void CExceedanceDock::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    Q_EMIT closedByUser();
}

void CExceedanceDock::Refresh()
{
    m_stale = false;
    m_model->SetDocument(m_doc);
    m_tree->expandAll();
    SpanSectionRows();
    // The report of a long run takes longer to build than the list: its
    // figures follow once the lines are on the screen.
    QTimer::singleShot(0, m_model, &CExceedanceTreeModel::ReadReportFigures);
}

void CExceedanceDock::ApplyFilter()
{
    m_model->SetFilter(m_filter->text(), m_onlyCounting->isChecked());
    m_tree->expandAll();
    SpanSectionRows();
}

void CExceedanceDock::SpanSectionRows()
{
    for (int row = 0; row < m_model->rowCount(); ++row)
        m_tree->setFirstColumnSpanned(row, QModelIndex(), true);
}

void CExceedanceDock::Choose(const QModelIndex& index)
{
    const ExceedanceOutline* outline = m_model->Outline();
    const int line = index.data(CExceedanceTreeModel::kLineRole).toInt();
    if (!outline || !index.isValid() || line < 0)
        return;
    const EvaluationListLine& entry = outline->List().Line(line);
    if (entry.kind == EvaluationLineKind::Exceedance)
        Q_EMIT exceedanceChosen(entry.exceedance);
    else if (entry.kind == EvaluationLineKind::ExcludedRange)
        Q_EMIT excludedRangeChosen(entry.range);
}

void CExceedanceDock::SelectExceedance(int exceedance)
{
    if (!isVisible())
        return;
    const QModelIndex found = m_model->IndexOfExceedance(exceedance);
    if (!found.isValid())
        return;
    m_tree->setCurrentIndex(found);
    m_tree->scrollTo(found);
}

}  // namespace kurvex
