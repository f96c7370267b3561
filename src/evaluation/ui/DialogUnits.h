#pragma once
// Sizes of the evaluation dialogs, made for the classic 8-point dialog font,
// turned into pixels of the font the dialog really has. A dialog unit is a
// quarter of the average character width across and an eighth of the line
// height down; the lists' column widths are pixels of that classic font,
// whose average character is six pixels wide.

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QSize>
#include <QStyle>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace kurvex {

inline QString DialogUnitsAlphabet()
{
    return QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
}

inline QSize DialogUnitsToPixels(const QWidget& widget, int x, int y)
{
    const QFontMetrics metrics(widget.font());
    const int baseX = (metrics.horizontalAdvance(DialogUnitsAlphabet()) / 26 + 1) / 2;
    const int baseY = metrics.height();
    return QSize(x * baseX / 4, y * baseY / 8);
}

// Column widths given in pixels of the classic dialog font, for this widget's
// font, so that the texts they were made for still fit.
inline std::vector<int> ScaledColumnWidths(const QWidget& widget, const std::vector<int>& classicPixels)
{
    constexpr double kClassicAverageCharWidth = 6.0;
    const double averageCharWidth = QFontMetrics(widget.font()).horizontalAdvance(DialogUnitsAlphabet()) / 52.0;
    const double factor = averageCharWidth > 0.0 ? averageCharWidth / kClassicAverageCharWidth : 1.0;
    std::vector<int> widths;
    for (int pixels : classicPixels)
        widths.push_back(static_cast<int>(std::lround(pixels * factor)));
    return widths;
}

// Widens columns of a short list to the widest of their texts: stations of a
// motorway run have six digits before the point and would be cut off at the
// widths made for a few kilometres.
inline void WidenColumnsToTexts(const QAbstractItemView& list, std::vector<int>& widths, std::initializer_list<int> columns)
{
    const QAbstractItemModel* model = list.model();
    if (!model)
        return;
    const QFontMetrics metrics(list.font());
    // The item delegate's text margin on either side, and a pixel to spare.
    const int margins = 2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1) + 1;
    for (const int column : columns) {
        if (column < 0 || static_cast<size_t>(column) >= widths.size())
            continue;
        for (int row = 0; row < model->rowCount(); ++row) {
            const int needed = metrics.horizontalAdvance(model->index(row, column).data().toString()) + margins;
            widths[static_cast<size_t>(column)] = std::max(widths[static_cast<size_t>(column)], needed);
        }
    }
}

}  // namespace kurvex
