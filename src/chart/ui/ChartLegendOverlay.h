#pragma once
// Paints the chart window's legend over the top-right corner of its viewport.
// Only the screen shows it: printing, PDF files and renders never call this.

#include "chart/ChartLegend.h"

#include <QFont>
#include <QFontMetrics>
#include <QRect>

#include <vector>

class QPainter;

namespace kurvex {

// A little smaller than the window's font: the legend covers the chart.
QFont ChartLegendFont(const QFont& windowFont);

// The legend's box for the lines in a viewport of the given size, in its
// pixels, written in the font of the metrics; empty when there are no lines.
QRect ChartLegendRect(const QFontMetrics& metrics, QSize viewport, const std::vector<LegendLine>& lines);

// In the painter's font.
void PaintChartLegend(QPainter& painter, QSize viewport, const std::vector<LegendLine>& lines, double dpi);

}  // namespace kurvex
