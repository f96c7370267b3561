#pragma once
// Dialog sizes given in dialog units, turned into pixels with the dialog's
// font: a horizontal unit is a quarter of the average character width, a
// vertical one an eighth of the line height.

#include <QFontMetrics>
#include <QSize>
#include <QWidget>

namespace kurvex {

inline QSize DialogUnitsToPixels(const QWidget& widget, int x, int y)
{
    const QFontMetrics metrics(widget.font());
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int baseX = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    const int baseY = metrics.height();
    return QSize(x * baseX / 4, y * baseY / 8);
}

}  // namespace kurvex
