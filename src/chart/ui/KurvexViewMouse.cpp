// The chart window and the mouse: the readout of the point under it, the
// tooltip of an exceedance marker, the context menu, zooming about a point
// and the legend in the corner. The rules live in chart/ChartReadout.h and
// chart/ChartLegend.h; this file only hands them the widget's positions.

#include "chart/ui/KurvexView.h"

#include "chart/ChartLegend.h"
#include "chart/ChartReadout.h"
#include "chart/ui/ChartLegendOverlay.h"
#include "common/Numbers.h"
#include "common/ui/QtText.h"
#include "document/KurvexDoc.h"
#include "evaluation/BereichOhneErkennung.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>

#include <cmath>
#include <vector>

namespace kurvex {

namespace {

// How near to a marker line the mouse must come for its tooltip, in pixels.
constexpr int kMarkerSlackPixels = 3;

}  // namespace

void CKurvexView::CreateContextMenu()
{
    viewport()->setMouseTracking(true);
    m_contextMenu = new QMenu(this);
    m_contextMenu->setObjectName(QStringLiteral("chartContextMenu"));
    const auto add = [this](const char* objectName, const QString& text) {
        auto* action = new QAction(text, this);
        action->setObjectName(QString::fromLatin1(objectName));
        m_contextMenu->addAction(action);
        return action;
    };
    m_pickAction = add("chart_pick_station", U("Station übernehmen"));
    m_clearPicksAction = add("chart_clear_picks", U("Markierung aufheben"));
    m_excludedRangeAction = add("chart_show_excluded_range", U("Bereich ohne Überschreitungsauswertung anzeigen ..."));
    m_contextMenu->addSeparator();
    // The main window's command answers Strg+G; the menu only names the key.
    m_goToStationAction = add("chart_go_to_station", U("Gehe zu Station ...\tStrg+G"));
    m_copyStationAction = add("chart_copy_station", U("Station kopieren"));

    // Escape clears the picks while the chart has the focus.
    m_clearPicksAction->setShortcut(QKeySequence(Qt::Key_Escape));
    m_clearPicksAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(m_clearPicksAction);

    connect(m_pickAction, &QAction::triggered, this, [this] { ClickAt(m_menuPosition, Qt::NoModifier); });
    connect(m_excludedRangeAction, &QAction::triggered, this, [this] { ClickAt(m_menuPosition, Qt::AltModifier); });
    connect(m_clearPicksAction, &QAction::triggered, this, &CKurvexView::ClearPickedStations);
    connect(m_goToStationAction, &QAction::triggered, this, &CKurvexView::goToStationRequested);
    connect(m_copyStationAction, &QAction::triggered, this, [this] {
        const QString text = StationTextAt(m_menuPosition);
        if (!text.isEmpty())
            QGuiApplication::clipboard()->setText(text);
    });
    UpdateContextActions();
}

void CKurvexView::UpdateContextActions()
{
    if (!m_contextMenu)
        return;
    const CFifo& picked = m_doc->PickedStations();
    m_clearPicksAction->setEnabled(!picked.Get(0).empty() || !picked.Get(1).empty());
    const Point logical = LogicalPointAt(QPointF(m_menuPosition));
    const std::optional<StripHit> hit = StripUnder(m_painter.Mouse(), logical.x, logical.y);
    m_pickAction->setEnabled(hit.has_value());
    m_copyStationAction->setEnabled(hit.has_value());
    m_excludedRangeAction->setVisible(hit && ExcludedRangeAt(m_doc->ExcludedRanges(), hit->station));
}

void CKurvexView::ShowContextMenu(QPoint viewportPosition, QPoint globalPosition)
{
    m_menuPosition = viewportPosition;
    UpdateContextActions();
    // Not exec(): the menu runs in the window's own event loop.
    m_contextMenu->popup(globalPosition);
}

QPoint CKurvexView::KeyboardMenuPosition() const
{
    const QRect area = viewport()->rect();
    const std::string newest = m_doc->PickedStations().Get(0);
    if (!newest.empty()) {
        if (const auto point = StripPointOfStation(m_painter.Mouse(), ToInt(newest))) {
            const QPoint position = ViewportPositionOf(*point).toPoint();
            if (area.contains(position))
                return position;
        }
    }
    return area.center();
}

void CKurvexView::contextMenuEvent(QContextMenuEvent* event)
{
    QPoint position = viewport()->mapFromGlobal(event->globalPos());
    if (event->reason() != QContextMenuEvent::Mouse)
        position = m_mousePosition ? *m_mousePosition : KeyboardMenuPosition();
    ShowContextMenu(position, viewport()->mapToGlobal(position));
    event->accept();
}

void CKurvexView::ClearPickedStations()
{
    if (!kurvex::ClearPickedStations(m_doc->PickedStations()))
        return;
    AnnouncePickedStations();
    m_doc->NotifyChanged(DocumentChange::PickedStations);
}

std::optional<CKurvexView::PointUnderMouse> CKurvexView::PointAt(QPoint viewportPosition)
{
    const Point logical = LogicalPointAt(QPointF(viewportPosition));
    const std::optional<StripHit> hit = StripUnder(m_painter.Mouse(), logical.x, logical.y);
    if (!hit)
        return std::nullopt;
    return PointUnderMouse{hit->station, NearestPointInStrip(m_doc->Run(), hit->station, hit->lo, hit->hi)};
}

QString CKurvexView::ReadoutAt(QPoint viewportPosition)
{
    const std::optional<PointUnderMouse> under = PointAt(viewportPosition);
    if (!under || !under->nearestPoint)
        return {};
    return ToQString(PointReadoutText(m_doc->Run(), *under->nearestPoint, m_doc->State().NegativeValuesAsZero()));
}

// The station the status text shows, else the one under the mouse, as "12,3456 km".
QString CKurvexView::StationTextAt(QPoint viewportPosition)
{
    const std::optional<PointUnderMouse> under = PointAt(viewportPosition);
    if (!under)
        return {};
    const int32_t station = under->nearestPoint ? m_doc->Run().GetStation(*under->nearestPoint) : under->station;
    return ToQString(StationKmText(station) + " km");
}

QString CKurvexView::ToolTipAt(QPoint viewportPosition) const
{
    const Point logical = LogicalPointAt(QPointF(viewportPosition));
    const int slack = static_cast<int>(std::lround(kMarkerSlackPixels * 2540.0 / viewport()->logicalDpiX()));
    const int index = m_painter.Markers().HitTest(logical.x, logical.y, slack);
    UEBERSCHREITUNG record;
    if (index < 0 || !m_doc->Exceedances().ExceedanceCopy(index, record))
        return {};
    return ToQString(ExceedanceToolTipText(record, m_doc->Exceedances().RemarkFor(record.station)));
}

// A move always tells: another window may have written the pane since.
void CKurvexView::SetReadout(const QString& text, bool evenIfUnchanged)
{
    if (text == m_readout && !evenIfUnchanged)
        return;
    m_readout = text;
    Q_EMIT readoutChanged(text);
}

void CKurvexView::RefreshReadout()
{
    if (m_mousePosition)
        SetReadout(ReadoutAt(*m_mousePosition));
}

void CKurvexView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    m_mousePosition = position;
    SetReadout(ReadoutAt(position), true);
    FollowLegendHover(position);
    // A tooltip already shown follows the mouse from marker to marker.
    if (QToolTip::isVisible()) {
        const QString tip = ToolTipAt(position);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPosition().toPoint(), tip, viewport());
    }
    QAbstractScrollArea::mouseMoveEvent(event);
}

bool CKurvexView::viewportEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::Leave:
        m_mousePosition.reset();
        SetReadout({});
        FollowLegendHover(std::nullopt);
        break;
    case QEvent::ToolTip: {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString tip = ToolTipAt(help->pos());
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport());
        }
        return true;
    }
    default: break;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void CKurvexView::ZoomAround(int level, QPointF viewportPosition)
{
    const double from = ZoomFactor(ZoomLevel());
    const Point logical = LogicalPointAt(viewportPosition);
    SetZoomLevel(level);
    const double to = ZoomFactor(ZoomLevel());
    if (from == to)
        return;
    // The point's new place with the scroll as the new extent left it; the
    // scroll bars move it back under the position as far as their ranges go.
    const QPointF moved = ViewportPositionOf(ZoomedChartPoint(logical, from, to));
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setValue(h->value() + static_cast<int>(std::lround(moved.x() - viewportPosition.x())));
    v->setValue(v->value() + static_cast<int>(std::lround(moved.y() - viewportPosition.y())));
}

// The legend steps aside while the mouse is over it, so that what lies below
// can be read. Its box is kept from the paint for the mouse moves.
void CKurvexView::PaintLegend(QPainter& painter)
{
    const QFont font = ChartLegendFont(viewport()->font());
    const std::vector<LegendLine> lines = ChartLegendLines(*m_doc);
    m_legendRect = ChartLegendRect(QFontMetrics(font), viewport()->size(), lines);
    painter.setFont(font);
    if (!m_mouseOverLegend)
        PaintChartLegend(painter, viewport()->size(), lines, viewport()->logicalDpiX());
}

void CKurvexView::FollowLegendHover(std::optional<QPoint> position)
{
    const bool over = position && m_legendRect.contains(*position);
    if (over == m_mouseOverLegend)
        return;
    m_mouseOverLegend = over;
    viewport()->update(m_legendRect);
}

}  // namespace kurvex
