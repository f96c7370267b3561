#pragma once
// Chart pages of a document onto Qt devices: the printed pages (A4 landscape,
// 5 mm margins, the page frame) onto a printer, its preview or a PDF file, one
// printed page or the screen view of a page into an image. Shared by the
// viewer and kurvex-cli.

#include "chart/ChartPainter.h"
#include "render/A4Sheets.h"

#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QString>

#include <string>

class QPainter;

namespace kurvex {

class CKurvexDoc;
class CLabelTable;

// A chart's layout with the texts of its printed pages. A print takes its own
// zoom level whatever the layout's.
struct ChartRenderSettings : ChartLayout {
    std::string editingDate;  // the header block's "today", "dd.mm.yyyy"
    std::string versionText;  // for the product note
};

inline constexpr double kChartImageDpi = 150.0;

// The printable rectangle of an A4 landscape page with 5 mm margins, in
// logical units with its top-left corner at (0, 0).
Rect A4LandscapePrintable();

// The header block's editing date: today as "dd.mm.yyyy".
std::string TodayEditingDate();
// The printed pages of a chart laid out so, dated today.
ChartRenderSettings PrintedChartSettingsFor(const ChartLayout& layout, const std::string& versionText);

// Pages of the chart at the given layout.
int ChartPageCount(CKurvexDoc& doc, int stripsPerPage);

// What preparing a chart print does to the view: the print zoom level and the
// paging at the current length scale. The printing flag is the caller's to set
// when the print begins.
void PrepareChartPrint(CChartPainter& painter);

// The printed chart pages of a prepared painter: page p is the page frame
// (supplier notice, headline, header block, enclosure number counting to
// lastPage) around chart page p. The job draws through the painter, so the
// painter must outlive it.
SheetJob ChartPrintJob(CChartPainter& painter, int lastPage, const std::string& editingDate);

// Prints pages fromPage..toPage (clamped to the chart) into a PDF file; the
// enclosure numbers count to toPage like a print whose last page is toPage.
// False with a message when the file cannot be written.
bool WriteChartPdf(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, const QString& path,
                   int fromPage, int toPage, const ChartRenderSettings& settings, QString& error);

// Page p as printed: the whole A4 landscape sheet with its frame.
QImage RenderPrintedChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                              const ChartRenderSettings& settings, double dpi = kChartImageDpi);

// The screen page p of a painter (the caller ran PrepareForPages) into a window
// onto the scrollable area: the window's pixel (0, 0) shows the area's pixel
// `scroll`; the area's top-left corner is logical (0, 0) and the page origin
// lies at (0, -500).
void DrawScreenChartPage(QPainter& qpainter, CChartPainter& painter, int page, double dpiX, double dpiY, QPoint scroll);
// The logical point under a pixel of that window, mapped as the drawing maps it.
Point ScreenPixelToLogical(QPointF pixel, double dpiX, double dpiY, QPoint scroll);
QPointF ScreenLogicalToPixel(Point logical, double dpiX, double dpiY, QPoint scroll);

// Page p as the screen shows it: zoom level 4, the scrollable extent, page
// origin (0, -500), the marked range of the document's picked stations.
QImage RenderScreenChartPage(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag, int page,
                             const ChartRenderSettings& settings, double dpi = kChartImageDpi);

}  // namespace kurvex
