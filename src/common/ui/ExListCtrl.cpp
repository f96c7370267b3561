#include "common/ui/ExListCtrl.h"

#include <QPainter>

namespace kurvex {

namespace {

// The column whose stored line breaks are drawn as blanks.
constexpr int kRemarkColumn = 8;
// Column 9 and beyond carry no text of their own.
constexpr int kLastTextColumn = 9;

}  // namespace

void CExListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const bool counts = index.data(kLineCountsRole).toBool();
    const QRect& cell = option.rect;

    painter->save();
    painter->fillRect(cell, selected ? SelectedBackground() : Background());
    painter->setPen(selected ? SelectedText() : counts ? Text() : NotCountingText());
    painter->setFont(option.font);

    const QRect textRect = cell.adjusted(kTextIndent, 0, 0, 0);
    if (textRect.width() > 0) {
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                          ShownText(index, option.fontMetrics, textRect.width()));
    }

    if (!counts) {
        const int middle = cell.top() + cell.height() / 2;
        painter->fillRect(QRect(cell.left(), middle, cell.width(), 1), selected ? SelectedText() : NotCountingText());
    }
    painter->restore();
}

QString CExListDelegate::ShownText(const QModelIndex& index, const QFontMetrics& metrics, int width)
{
    if (index.column() >= kLastTextColumn)
        return {};
    QString text = index.data(Qt::DisplayRole).toString();
    if (index.column() == kRemarkColumn)
        text.replace(QStringLiteral("{{CRLF}}"), QStringLiteral(" "));
    // One line: a break that slipped into a text must not make it two.
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r'));
    return metrics.elidedText(text, Qt::ElideRight, width);
}

CExListCtrl::CExListCtrl(QWidget* parent) : CPersListCtrl(parent)
{
    setItemDelegate(new CExListDelegate(this));
}

}  // namespace kurvex
