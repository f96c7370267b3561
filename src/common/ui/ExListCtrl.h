#pragma once
// The evaluation list's control: a CPersListCtrl whose lines the program
// draws. A selected line is blue with white text; any other line white with
// black text, or grey text when the line does not count; a line that does not
// count is struck through at its middle. Texts are single-line, cut with an
// ellipsis, a remark's line breaks shown as blanks.
//
// The model gives each column's text (Qt::DisplayRole) and, in any column,
// whether the line counts (kLineCountsRole, a bool).

#include "common/ui/PersListCtrl.h"

#include <QFontMetrics>
#include <QStyledItemDelegate>

namespace kurvex {

inline constexpr int kLineCountsRole = Qt::UserRole + 1;

// Draws one cell of a CExListCtrl line.
class CExListDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The text drawn in a cell of the given width: one line, a remark's
    // "{{CRLF}}" as a blank, cut with an ellipsis when it does not fit.
    static QString ShownText(const QModelIndex& index, const QFontMetrics& metrics, int width);

    static QColor SelectedBackground() { return QColor(0, 0, 255); }
    static QColor SelectedText() { return QColor(255, 255, 255); }
    static QColor Background() { return QColor(255, 255, 255); }
    static QColor Text() { return QColor(0, 0, 0); }
    static QColor NotCountingText() { return QColor(127, 127, 127); }
    // The text starts this many pixels right of the cell's left edge.
    static constexpr int kTextIndent = 3;
};

class CExListCtrl : public CPersListCtrl {
    Q_OBJECT

public:
    explicit CExListCtrl(QWidget* parent = nullptr);
};

}  // namespace kurvex
