#pragma once
// The chart window of a run: one page of two or three strips, scrolled and
// zoomed, with mouse measuring and the view's commands (paging, zoom, strips,
// 2-m grid, printing and preview, the evaluation dialogs, export, the side file
// in an editor). Several views may show one document; the last one to close
// releases it.

#include "chart/ChartPainter.h"
#include "chart/ui/ViewContext.h"
#include "document/DocumentObserver.h"
#include "render/A4Sheets.h"

#include <QAbstractScrollArea>
#include <QPointF>

#include <memory>
#include <optional>

class QAction;
class QMenu;
class QPainter;
class QPrinter;

namespace kurvex {

class CKurvexDoc;

class CKurvexView : public QAbstractScrollArea, public DocumentObserver {
    Q_OBJECT

public:
    CKurvexView(std::shared_ptr<CKurvexDoc> doc, ViewContext context, QWidget* parent = nullptr);
    ~CKurvexView() override;

    CKurvexDoc& Document() { return *m_doc; }
    const CKurvexDoc& Document() const { return *m_doc; }
    const std::shared_ptr<CKurvexDoc>& SharedDocument() const { return m_doc; }
    CChartPainter& Painter() { return m_painter; }
    const CChartPainter& Painter() const { return m_painter; }
    const ViewContext& Context() const { return m_context; }

    int CurrentPage() const { return m_painter.View().currentPage; }
    int PageCount() const { return m_painter.View().paging.pageCount; }
    int ZoomLevel() const { return m_painter.View().zoomLevel; }
    int StripsPerPage() const { return m_painter.View().stripsPerPage; }
    bool TwoMetreGrid() const { return m_painter.View().twoMetreGrid; }
    bool Printing() const { return m_painter.View().printing; }
    // Whether print and preview produce the evaluation report instead of the chart.
    bool EvaluationPrint() const { return m_evaluationPrint; }
    // Whether the export command applies (only PM01BS02 and IMEXPORT001 runs).
    bool CanExport() const;

    // A click at a widget position, as the left button does (Alt: excluded range).
    void ClickAt(QPoint viewportPosition, Qt::KeyboardModifiers modifiers);

    // The logical point (0.01 mm, y up, origin at the scrollable area's
    // top-left corner) under a viewport position, as the last paint put it
    // there, and back.
    Point LogicalPointAt(QPointF viewportPosition) const;
    QPointF ViewportPositionOf(Point logical) const;

    // Emits pickedStationsChanged with the document's picked stations: for
    // the status bar when this window becomes active.
    void AnnouncePickedStations();
    // Paints the page anew.
    void Repaint();
    // The document changed (a pick or dialog in any of its windows): shown anew.
    void DocumentChanged(DocumentChange change) override;

    // "… als PDF speichern": the chart pages (as this window lays them out) or the
    // evaluation report, as they print. False with the reason when the file
    // cannot be written.
    bool SavePdf(bool evaluation, const QString& path, QString& error);

    // "Gehe zu Station": shows the page whose strip holds the station (dm) and
    // picks the station. False, and nothing changes, when it lies outside the run.
    bool GoToStation(int32_t station);

    // What "Neu laden" carries over to the window of the reopened run.
    using Layout = ChartLayout;
    Layout CurrentLayout() const;
    // Takes over a layout; the stored strips per page are then not read at first display.
    void ApplyLayout(const Layout& layout);

    // The page whose strips hold the station, without picking it (the overview's
    // click); a station beyond the run shows the first or last page.
    void ShowPageOfStation(int32_t station);
    // --- The mouse over the chart (KurvexViewMouse.cpp) ---
    // Status pane 2's readout of the run's point nearest to a viewport
    // position on a strip; empty off the strips.
    QString ReadoutAt(QPoint viewportPosition);
    // The tooltip of the exceedance marker at a viewport position; empty when none is there.
    QString ToolTipAt(QPoint viewportPosition) const;
    // The chart's context menu, opened at a viewport position; the window's own
    // actions act on the station there.
    void ShowContextMenu(QPoint viewportPosition, QPoint globalPosition);
    QMenu* ContextMenu() const { return m_contextMenu; }
    // Where the menu key opens the menu when the mouse is not over the chart:
    // at the newest picked station when the page shows it, else the middle.
    QPoint KeyboardMenuPosition() const;
    // The legend's box in the top-right corner of the viewport as the last
    // paint put it; empty when there is none.
    QRect LegendRect() const { return m_legendRect; }
    // "Markierung aufheben" (also Escape): the picked stations emptied.
    void ClearPickedStations();
    // Zooms to a level keeping the chart point under a viewport position where it is.
    void ZoomAround(int level, QPointF viewportPosition);

public Q_SLOTS:
    void PageBack();
    void PageForward();
    void ZoomStep();  // the toolbar's "Zoom": one level closer, wrapping from -2 to 5
    void ZoomIn();    // "+" key, keeping the visible centre in place
    void ZoomOut();   // "-" key, likewise
    void ToggleStrips();
    void ToggleTwoMetreGrid();
    void PrintChart();
    void PreviewChart();
    void PrintEvaluation();
    void PreviewEvaluation();
    void Print();    // with the evaluation-print flag as last set
    void Preview();  // likewise
    void OpenSideFileInEditor();
    void FirstPage();  // Home
    void LastPage();   // End

Q_SIGNALS:
    // The document's picked stations (dm texts, newest first) changed or this view became active.
    void pickedStationsChanged(const QString& newest, const QString& previous);
    // A print or preview began (true) or ended (false).
    void printingChanged(bool printing);
    // Page, zoom, strips per page or grid changed: command states follow.
    void viewStateChanged();
    // Alt+click on an excluded range: its index in the document's list.
    void excludedRangeClicked(int index);
    // The readout under the mouse, at every move (empty: the mouse is off the strips).
    void readoutChanged(const QString& text);
    // "Gehe zu Station ..." chosen from the context menu.
    void goToStationRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Writes the strips per page to "Sonstiges"/"DiagrammeProSeite" (the window's own or its MDI frame's close).
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    QString PlainTitle() const;
    QString PageTitle() const;
    void UpdateTitle();
    // For screen readers: the run, the page on screen and its stations.
    void UpdateAccessibleDescription();
    QPoint ScrollPosition() const;
    QSize ScrollExtentPixels() const;
    void UpdateScrollExtent();
    void UpdateScrollRanges();
    void SetCurrentPage(int page);
    // The step before the page on screen is drawn (length scale, paging, the
    // exceedances' page numbers); true when the page count changed.
    bool PrepareScreenPage();
    void SetZoomLevel(int level);

    // Zoom level and scroll place, as a print or preview found them.
    struct ScreenPlace {
        int zoomLevel = kDefaultZoomLevel;
        QPoint scroll;
    };
    ScreenPlace CurrentScreenPlace() const;
    void RestoreScreenPlace(const ScreenPlace& place);

    QPrinter& PrinterSettings();
    void SetEvaluationPrint(bool evaluation);
    void RunPrint(bool preview);
    int PreparePrint(QPrinter& printer);
    // What the pages a print or preview draws settle in the document first.
    void PreparePrintedPages(int first, int last);
    // The page a print's "current page" and a preview's first view mean.
    int PrintedPageOnScreen(int maxPage) const;
    // The print dialog until it is cancelled or its choice may be printed.
    bool AskPrintDialog(QPrinter& printer, int maxPage);
    void BeginPrint();
    void EndPrint(const ScreenPlace& place);
    SheetJob PrintJob(int lastPage);
    void ShowFailure(const QString& message);

    std::shared_ptr<CKurvexDoc> m_doc;
    ViewContext m_context;
    CChartPainter m_painter;
    bool m_evaluationPrint = false;
    bool m_firstShown = false;
    // The zoom level the scroll extent was last set for: preparing a print
    // changes the level, not the extent.
    int m_scrollZoomLevel = kDefaultZoomLevel;
    int m_wheelZoom = 0;  // wheel steps not yet a whole notch
    std::unique_ptr<QPrinter> m_ownPrinter;  // when the context brings no printer

    // The mouse over the chart (KurvexViewMouse.cpp).
    void CreateContextMenu();
    void UpdateContextActions();
    void SetReadout(const QString& text, bool evenIfUnchanged = false);
    void RefreshReadout();
    void PaintLegend(QPainter& painter);
    void FollowLegendHover(std::optional<QPoint> position);
    // The station under a viewport position on a strip and the run's point nearest to it there.
    struct PointUnderMouse {
        int32_t station = 0;
        std::optional<int> nearestPoint;
    };
    std::optional<PointUnderMouse> PointAt(QPoint viewportPosition);
    QString StationTextAt(QPoint viewportPosition);
    QMenu* m_contextMenu = nullptr;
    QAction* m_pickAction = nullptr;
    QAction* m_clearPicksAction = nullptr;
    QAction* m_excludedRangeAction = nullptr;
    QAction* m_goToStationAction = nullptr;
    QAction* m_copyStationAction = nullptr;
    QPoint m_menuPosition;                  // the viewport position the context menu acts on
    std::optional<QPoint> m_mousePosition;  // over the viewport, from the last move
    QString m_readout;
    bool m_mouseOverLegend = false;
    QRect m_legendRect;
};

}  // namespace kurvex
