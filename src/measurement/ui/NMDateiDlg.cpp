#include "measurement/ui/NMDateiDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QHeaderView>
#include <QResizeEvent>
#include <QTableView>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTextOption>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "common/ui/MovingKeys.h"
#include "common/ui/QtPath.h"
#include "common/ui/WaitCursor.h"
#include "document/KurvexDoc.h"
#include "measurement/ui/FileTextModel.h"

namespace kurvex {

namespace {

const QColor kViewerBackground(191, 191, 191);
constexpr int kTextMargin = 3;
// Bounds the horizontal extent; no line of a measurement file comes near it.
constexpr int kMaxExtentColumns = 20000;
// Gap between the floating window and the screen's lower right corner.
constexpr int kCornerGap = 4;

QFont ViewerFont()
{
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(9);
    font.setBold(false);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// Draws a row as plain text in the viewer's font, with tab stops every few
// columns. Every row has the height of one line and the width of the widest,
// so the list is laid out without asking for any row.
class FileLineDelegate : public QStyledItemDelegate {
public:
    FileLineDelegate(const QFont& font, QObject* parent) : QStyledItemDelegate(parent), m_font(font)
    {
        const QFontMetricsF metrics(font);
        m_columnWidth = metrics.horizontalAdvance(QLatin1Char('0'));
        m_rowHeight = static_cast<int>(std::ceil(metrics.height())) + 1;
    }

    int RowHeight() const { return m_rowHeight; }
    int RowWidth(int columns) const
    {
        columns = std::clamp(columns, 0, kMaxExtentColumns);
        return 2 * kTextMargin + static_cast<int>(std::ceil(columns * m_columnWidth)) + 1;
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        const auto* model = qobject_cast<const FileTextModel*>(index.model());
        return {RowWidth(model ? model->MaxColumns() : 0), m_rowHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        painter->save();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QPalette::ColorGroup group = option.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                                                        : QPalette::Inactive;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(m_font);
        QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
        layout.setWrapMode(QTextOption::NoWrap);
        layout.setTabStopDistance(FileTextModel::kTabColumns * m_columnWidth);
        painter->drawText(QRectF(option.rect).adjusted(kTextMargin, 0, 0, 0), index.data().toString(), layout);
        if (option.state.testFlag(QStyle::State_HasFocus)) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
            const QWidget* widget = option.widget;
            (widget ? widget->style() : QApplication::style())
                ->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
        }
        painter->restore();
    }

private:
    QFont m_font;
    qreal m_columnWidth = 7.0;
    int m_rowHeight = 14;
};

}  // namespace

// The list of lines: read-only, lines selected as a whole, Ctrl+C copies them.
// A table of one column without headers: its rows all have one height, so
// showing a run of a million lines costs no layout of each line (a list view
// would place every row anew whenever another run is shown).
class FileTextView : public QTableView {
public:
    FileTextView(const QFont& font, std::function<void()> copy, std::function<void()> selectAll, QWidget* parent)
        : QTableView(parent), m_delegate(new FileLineDelegate(font, this)), m_copy(std::move(copy)),
          m_selectAll(std::move(selectAll))
    {
        setFont(font);
        setItemDelegate(m_delegate);
        setShowGrid(false);
        setWordWrap(false);
        setCornerButtonEnabled(false);
        setTabKeyNavigation(false);  // Tab leaves the list, as it leaves any list of lines
        horizontalHeader()->hide();
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->hide();
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setMinimumSectionSize(1);
        verticalHeader()->setDefaultSectionSize(m_delegate->RowHeight());
    }

    // The column holds the widest line of the run, and spans the view at least,
    // so a selected short line is marked across the whole width.
    void FitColumn()
    {
        const auto* text = qobject_cast<const FileTextModel*>(model());
        const int width = m_delegate->RowWidth(text ? text->MaxColumns() : 0);
        setColumnWidth(0, std::max(width, viewport()->width()));
    }

    QSize sizeHint() const override
    {
        return {400, 380};
    }

    // Typing a letter would search the lines for it, formatting every line of a
    // large run on the way; a viewer of measured values has no use for that.
    void keyboardSearch(const QString&) override {}

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QTableView::resizeEvent(event);
        FitColumn();
    }

    // Home and End go to the first and last line, as in any list of lines; in a
    // table they would only go to the first and last column of the line.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        if (action == MoveHome || action == MoveEnd)
            modifiers |= Qt::ControlModifier;
        return QTableView::moveCursor(action, modifiers);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        // The item view would copy only the current line.
        if (event->matches(QKeySequence::Copy)) {
            m_copy();
            event->accept();
            return;
        }
        QTableView::keyPressEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent* event) override
    {
        QMenu menu(this);
        QAction* copy = menu.addAction(QStringLiteral("&Kopieren"), m_copy);
        copy->setShortcut(QKeySequence::Copy);
        copy->setEnabled(selectionModel() && selectionModel()->hasSelection());
        QAction* all = menu.addAction(QStringLiteral("&Alles markieren"), m_selectAll);
        all->setShortcut(QKeySequence::SelectAll);
        menu.exec(event->globalPos());
    }

private:
    FileLineDelegate* m_delegate;
    std::function<void()> m_copy;
    std::function<void()> m_selectAll;
};

CNMDateiDlg::CNMDateiDlg(QWidget* parent) : QDockWidget(parent)
{
    setObjectName(QStringLiteral("NMDateiDlg"));
    m_model = new FileTextModel(this);
    m_view = new FileTextView(ViewerFont(), [this] { CopySelection(); }, [this] { SelectAll(); }, this);
    m_view->setObjectName(QStringLiteral("NMDateiText"));
    m_view->setAccessibleName(QStringLiteral("Zeilen der Messdatei"));
    KeepMovingKeys(*m_view);
    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setDragEnabled(false);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    m_view->setTextElideMode(Qt::ElideNone);
    m_view->setFrameShape(QFrame::StyledPanel);

    QPalette palette = m_view->palette();
    palette.setColor(QPalette::Base, kViewerBackground);
    palette.setColor(QPalette::Text, Qt::black);
    m_view->setPalette(palette);
    m_view->viewport()->setAutoFillBackground(true);

    setWidget(m_view);
    ShowNoFile();
    hide();
    connect(m_view, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid() && m_model->Document())
            Q_EMIT lineChosen(index.row());
    });
}

CNMDateiDlg::~CNMDateiDlg() = default;

QTableView& CNMDateiDlg::View()
{
    return *m_view;
}

void CNMDateiDlg::ShowDocument(std::shared_ptr<const CKurvexDoc> doc)
{
    if (!doc) {
        ShowNoFile();
        return;
    }
    // The name is a path of the file system, not a text of the run.
    setWindowTitle(FromCorePath(doc->FileName()));
    // The file text of a run never changes: showing the same run again (another
    // window of it activated, a print finished) keeps the place the user scrolled to.
    if (doc == m_model->Document())
        return;
    m_model->SetDocument(std::move(doc));
    m_view->FitColumn();
    m_view->scrollToTop();
    m_view->horizontalScrollBar()->setValue(0);
}

void CNMDateiDlg::ShowNoFile()
{
    const QString text = QString::fromUtf8(kNoFileText);
    setWindowTitle(text);
    m_model->SetPlaceholder(text);
    m_view->FitColumn();
}

QString CNMDateiDlg::Caption() const
{
    return windowTitle();
}

int CNMDateiDlg::LineCount() const
{
    return m_model->rowCount();
}

QString CNMDateiDlg::LineText(int line) const
{
    return m_model->LineText(line);
}

QString CNMDateiDlg::SelectedText() const
{
    // Whole ranges, in order and without overlaps: selecting all of a million
    // lines is one range, never a million indexes.
    std::vector<std::pair<int, int>> ranges;
    for (const QItemSelectionRange& range : m_view->selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    QStringList lines;
    int next = 0;
    for (const auto& [top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom; ++row)
            lines.append(m_model->LineText(row));
        next = std::max(next, bottom + 1);
    }
    if (lines.size() <= 1)
        return lines.isEmpty() ? QString() : lines.front();
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void CNMDateiDlg::ShowLine(int line)
{
    const QModelIndex index = m_model->index(line, 0);
    if (!index.isValid())
        return;
    // A line in sight stays where it is; another comes to the middle (made
    // current, the view would only bring it to the edge). The column is as
    // wide as the widest line: the view stays scrolled sideways as it was.
    const QRect viewport = m_view->viewport()->rect();
    const QRect row = m_view->visualRect(index);
    const bool inSight = row.top() >= viewport.top() && row.bottom() <= viewport.bottom();
    const int sideways = m_view->horizontalScrollBar()->value();
    if (!inSight)
        m_view->scrollTo(index, QAbstractItemView::PositionAtCenter);
    m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->horizontalScrollBar()->setValue(sideways);
}

int CNMDateiDlg::CurrentLine() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void CNMDateiDlg::CopySelection()
{
    const WaitCursor busy;  // all lines of a 100-km run are 40 MB of text
    const QString text = SelectedText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void CNMDateiDlg::SelectAll()
{
    m_view->selectAll();
}

void CNMDateiDlg::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    // Docked, the main window places it; floating, it goes to the lower right
    // corner of the screen, out of the chart's way.
    if (!isFloating())
        return;
    QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = frameGeometry().size();
    move(available.x() + available.width() - frame.width() - kCornerGap,
         available.y() + available.height() - frame.height() - kCornerGap);
}

}  // namespace kurvex
