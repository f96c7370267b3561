#include "chart/ui/ChartLegendOverlay.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kurvex {

namespace {

constexpr int kMargin = 6;   // from the viewport's edges
constexpr int kPadding = 4;  // inside the box
constexpr int kStroke = 24;  // length of a curve's stroke
constexpr int kGap = 6;      // between stroke and text

QColor ToQColor(Color colour) { return QColor(colour.red, colour.green, colour.blue); }

}  // namespace

QFont ChartLegendFont(const QFont& windowFont)
{
    QFont font = windowFont;
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * 0.9);
    else if (font.pixelSize() > 0)
        font.setPixelSize(std::max(8, font.pixelSize() * 9 / 10));
    return font;
}

QRect ChartLegendRect(const QFontMetrics& metrics, QSize viewport, const std::vector<LegendLine>& lines)
{
    if (lines.empty())
        return {};
    int textWidth = 0;
    for (const LegendLine& line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(QString::fromStdString(line.text)));
    const int width = 2 * kPadding + kStroke + kGap + textWidth;
    const int height = 2 * kPadding + static_cast<int>(lines.size()) * metrics.height();
    return QRect(viewport.width() - kMargin - width, kMargin, width, height);
}

void PaintChartLegend(QPainter& painter, QSize viewport, const std::vector<LegendLine>& lines, double dpi)
{
    const QRect box = ChartLegendRect(QFontMetrics(painter.font()), viewport, lines);
    if (box.isEmpty())
        return;
    painter.save();
    // Nearly opaque: the curves below stay faintly visible, the texts readable.
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    painter.setBrush(QColor(255, 255, 255, 225));
    // On the pixel centres: the antialiased frame stays crisp and inside the box.
    painter.drawRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
    const QFontMetrics metrics(painter.font());
    int y = box.top() + kPadding;
    for (const LegendLine& line : lines) {
        const int middle = y + metrics.height() / 2;
        const int textLeft = box.left() + kPadding + kStroke + kGap;
        if (line.curve) {
            // The pen as the curve has it, but never too thin to see the colour.
            const double width = std::max(2.0, line.lineWidth * dpi / 2540.0);
            painter.setPen(QPen(ToQColor(line.colour), width, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(QPointF(box.left() + kPadding, middle), QPointF(box.left() + kPadding + kStroke, middle));
            painter.setPen(Qt::black);
        } else {
            painter.setPen(ToQColor(line.colour));
        }
        painter.drawText(QPoint(textLeft, y + metrics.ascent()), QString::fromStdString(line.text));
        y += metrics.height();
    }
    painter.restore();
}

}  // namespace kurvex
