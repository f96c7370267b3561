#include "shell/OverviewDock.h"

#include "chart/ChartGeometry.h"
#include "chart/ui/KurvexView.h"
#include "common/Numbers.h"
#include "common/ui/QtText.h"
#include "shell/DockButtons.h"
#include "document/KurvexDoc.h"

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>

#include <algorithm>

namespace kurvex {

namespace {

// Indices of the chart's colour settings the overview shares.
constexpr int kLimitColour = 2;
constexpr int kRunColour = 3;

constexpr int kWheelNotch = 120;

const QColor kCountingTick(220, 0, 0);
const QColor kNotCountingTick(127, 127, 127);
const QColor kBoundary(255, 0, 255);
const QColor kPickedBand(255, 255, 127);
const QColor kPickedLine(160, 120, 0);
// The page on screen: dark, so that it stands out from the curve's colour and the picks' yellow.
const QColor kPageWindow(0, 0, 0);
const QColor kPageWindowFill(0, 0, 0, 45);
const QColor kHatch(80, 80, 80);

QColor ColourOf(int32_t colorRef)
{
    const Color c = Color::FromColorRef(static_cast<uint32_t>(colorRef));
    return QColor(c.red, c.green, c.blue);
}

QString Kilometres(int32_t station) { return ToQString(StationLabel(station / 10000.0)) + QStringLiteral(" km"); }

}  // namespace

COverviewStrip::COverviewStrip(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("overviewStrip"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(U(kOverviewTitle));
    setMouseTracking(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    UpdateDescription();
}

COverviewStrip::~COverviewStrip() { Detach(); }

void COverviewStrip::Detach()
{
    if (m_doc)
        m_doc->RemoveObserver(this);
    m_doc.reset();
    disconnect(m_viewState);
}

void COverviewStrip::SetView(CKurvexView* view)
{
    // A view that has gone leaves m_view null but its document still held.
    if (view == m_view && (view ? view->SharedDocument() == m_doc : !m_doc))
        return;
    Detach();
    m_view = view;
    if (view) {
        m_doc = view->SharedDocument();
        m_doc->AddObserver(this);
        m_viewState = connect(view, &CKurvexView::viewStateChanged, this, [this] {
            UpdateDescription();
            update();
        });
    }
    m_columnsStale = true;
    m_marksStale = true;
    UpdateDescription();
    update();
}

void COverviewStrip::DocumentChanged(DocumentChange change)
{
    if (change == DocumentChange::Evaluation)
        m_marksStale = true;
    update();
}

QSize COverviewStrip::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(40 * line, 5 * line);
}

QSize COverviewStrip::minimumSizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(10 * line, 3 * line);
}

QRect COverviewStrip::StripRect() const
{
    // Below the strip the stations of its ends.
    const int margin = 4;
    const int labels = fontMetrics().height() + 2;
    return QRect(margin, margin, std::max(width() - 2 * margin, 1), std::max(height() - 2 * margin - labels, 1));
}

int32_t COverviewStrip::StationAtX(int x) const
{
    const QRect strip = StripRect();
    return OverviewScale(m_scale.First(), m_scale.Last(), strip.width()).StationAt(x - strip.left());
}

void COverviewStrip::Rebuild()
{
    m_columns.clear();
    m_scale = OverviewScale();
    if (m_doc) {
        const CMessFahrtDaten& run = m_doc->Run();
        m_scale = OverviewScaleOf(run, StripRect().width());
        m_columns = DecimateToColumns(run, m_scale, m_doc->State().NegativeValuesAsZero());
    }
    m_columnsStale = false;
    ReadMarks();
}

void COverviewStrip::ReadMarks()
{
    m_marks = OverviewSectionMarks{};
    m_ticks.clear();
    m_marksStale = false;
    if (!m_doc || m_doc->Run().GetCount() == 0)
        return;
    m_marks = ParseOverviewSectionMarks(m_doc->State().SectionMarks(m_scale.First(), m_scale.Last()));
    CUeberschreitungsDaten& exceedances = m_doc->Exceedances();
    m_ticks.reserve(static_cast<size_t>(exceedances.ExceedanceCount()));
    UEBERSCHREITUNG record;
    for (int i = 0; exceedances.ExceedanceCopy(i, record); ++i)
        m_ticks.push_back(Tick{record.station, record.beruecksichtigt});
}

void COverviewStrip::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_columnsStale = true;
}

void COverviewStrip::paintEvent(QPaintEvent*)
{
    if (m_columnsStale)
        Rebuild();
    else if (m_marksStale)
        ReadMarks();

    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const QRect strip = StripRect();
    painter.fillRect(strip, Qt::white);
    if (m_doc && !m_columns.empty()) {
        const CKurvexDoc& doc = *m_doc;
        const double left = strip.left();
        const auto xOf = [&](int32_t station) { return left + m_scale.XOf(station); };
        // Values grow downward as on the chart, over the range the run and its
        // limits take (within the chart's -5 .. 25 mm): a strip a few pixels
        // high would show a flat line at the chart's full range.
        const int tickBand = std::max(strip.height() / 6, 4);
        const QRect curveArea(strip.left(), strip.top() + tickBand, strip.width(), strip.height() - tickBand);
        const OverviewValueRange values = OverviewValueRangeOf(m_columns, m_marks);
        const double span = std::max(values.high - values.low, 1.0);
        const auto yOf = [&](double tenths) {
            const double clamped = std::clamp(tenths, values.low, values.high);
            return curveArea.top() + 1 + (clamped - values.low) / span * (curveArea.height() - 2);
        };

        // The picked stations: the band between the two, a line at the newest.
        const std::string newest = doc.PickedStations().Get(0);
        if (!newest.empty()) {
            const std::string previous = doc.PickedStations().Get(1);
            const double x0 = xOf(ToInt(newest));
            const double x1 = previous.empty() ? x0 : xOf(ToInt(previous));
            painter.fillRect(QRectF(std::min(x0, x1), strip.top(), std::max(std::abs(x1 - x0), 1.0), strip.height()),
                             kPickedBand);
        }
        // Excluded ranges, hatched as on the chart.
        for (const BEREICH_OHNE_ERKENNUNG_DATEN& range : doc.ExcludedRanges()) {
            const double x0 = xOf(range.von);
            const double x1 = xOf(range.bis);
            painter.fillRect(
                QRectF(std::min(x0, x1), curveArea.top(), std::max(std::abs(x1 - x0), 2.0), curveArea.height()),
                QBrush(kHatch, Qt::BDiagPattern));
        }
        // The zero line, then the curve: one stroke per column from its lowest
        // to its highest value, joined to the column before so that a slope
        // stays one line. Where many points share a column the strokes merge
        // into a band: it is drawn light, with its deepest values (the peaks)
        // as a line over it.
        painter.setPen(QPen(QColor(170, 170, 170), 0));
        painter.drawLine(QPointF(strip.left(), yOf(0)), QPointF(strip.right(), yOf(0)));
        const QColor runColour = ColourOf(doc.State().Settings().Colour(kRunColour));
        const bool dense = doc.Run().GetCount() > 4 * static_cast<int>(m_columns.size());
        painter.setPen(QPen(dense ? QColor::fromRgbF(runColour.redF() * 0.4 + 0.6, runColour.greenF() * 0.4 + 0.6,
                                                     runColour.blueF() * 0.4 + 0.6)
                                  : runColour,
                            0));
        QPolygonF peaks;
        const ColumnExtent* previous = nullptr;
        for (size_t c = 0; c < m_columns.size(); ++c) {
            const ColumnExtent& column = m_columns[c];
            if (!column.hasPoints)
                continue;
            const double x = left + static_cast<double>(c) + 0.5;
            int32_t low = column.low;
            int32_t high = column.high;
            if (previous) {
                low = std::min(low, previous->high);
                high = std::max(high, previous->low);
            }
            painter.drawLine(QPointF(x, yOf(low)), QPointF(x, yOf(high) + 0.01));
            peaks.append(QPointF(x, yOf(column.high)));
            previous = &column;
        }
        if (dense) {
            painter.setPen(QPen(runColour, 0));
            painter.drawPolyline(peaks);
        }
        // Limit lines and section boundaries.
        painter.setPen(QPen(ColourOf(doc.State().Settings().Colour(kLimitColour)), 0, Qt::DashLine));
        for (const OverviewLimitLine& line : m_marks.limitLines)
            painter.drawLine(QPointF(xOf(line.from), yOf(line.limit)), QPointF(xOf(line.to), yOf(line.limit)));
        painter.setPen(QPen(kBoundary, 0));
        for (int32_t boundary : m_marks.boundaries)
            painter.drawLine(QPointF(xOf(boundary), strip.top()), QPointF(xOf(boundary), strip.bottom()));
        // Exceedance ticks in the band above the curve; those that count drawn last, on top.
        for (const bool counting : {false, true}) {
            painter.setPen(QPen(counting ? kCountingTick : kNotCountingTick, 0));
            for (const Tick& tick : m_ticks) {
                if (tick.counts != counting)
                    continue;
                const double x = std::floor(xOf(tick.station)) + 0.5;
                painter.drawLine(QPointF(x, strip.top()), QPointF(x, strip.top() + tickBand + 2));
            }
        }
        if (!newest.empty()) {
            painter.setPen(QPen(kPickedLine, 0));
            const double x = std::floor(xOf(ToInt(newest))) + 0.5;
            painter.drawLine(QPointF(x, strip.top()), QPointF(x, strip.bottom()));
        }
        // The page on screen.
        if (m_view && m_view->PageCount() > 0) {
            const StationSpan page = PageStations(m_view->Painter().View(), doc.Run().IsAscending());
            double x0 = std::clamp(xOf(page.from), left, left + strip.width());
            double x1 = std::clamp(xOf(page.to), left, left + strip.width());
            if (x1 < x0)
                std::swap(x0, x1);
            // A page of a long run is a pixel or two wide: never narrower than a few.
            const double minimum = 6.0;
            if (x1 - x0 < minimum) {
                const double centre = std::clamp((x0 + x1) / 2, left + minimum / 2, left + strip.width() - minimum / 2);
                x0 = centre - minimum / 2;
                x1 = centre + minimum / 2;
            }
            const QRectF window(x0, strip.top() + 1, x1 - x0, strip.height() - 2);
            painter.fillRect(window, kPageWindowFill);
            painter.setPen(QPen(kPageWindow, 2));
            painter.drawRect(window);
        }
        // The stations of the ends.
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect labels(strip.left(), strip.bottom() + 2, strip.width(), fontMetrics().height());
        painter.drawText(labels, Qt::AlignLeft | Qt::AlignTop, Kilometres(m_scale.First()));
        painter.drawText(labels, Qt::AlignRight | Qt::AlignTop, Kilometres(m_scale.Last()));
        if (m_view && m_view->PageCount() > 0)
            painter.drawText(labels, Qt::AlignHCenter | Qt::AlignTop,
                             QStringLiteral("Seite %1 von %2").arg(m_view->CurrentPage()).arg(m_view->PageCount()));
    }
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(strip.adjusted(0, 0, -1, -1));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void COverviewStrip::ShowStationAt(int x)
{
    if (!m_view || !m_doc || m_doc->Run().GetCount() == 0)
        return;
    if (m_columnsStale)
        Rebuild();
    m_view->ShowPageOfStation(StationAtX(x));
}

void COverviewStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        ShowStationAt(event->position().toPoint().x());
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void COverviewStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        ShowStationAt(event->position().toPoint().x());
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void COverviewStrip::wheelEvent(QWheelEvent* event)
{
    if (!m_view) {
        event->ignore();
        return;
    }
    // Touchpads send small steps: a page per whole notch; down goes on in the run.
    m_wheel += event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
    while (m_wheel >= kWheelNotch) {
        m_wheel -= kWheelNotch;
        m_view->PageBack();
    }
    while (m_wheel <= -kWheelNotch) {
        m_wheel += kWheelNotch;
        m_view->PageForward();
    }
    event->accept();
}

void COverviewStrip::keyPressEvent(QKeyEvent* event)
{
    if (!m_view) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left: m_view->PageBack(); break;
    case Qt::Key_Right: m_view->PageForward(); break;
    case Qt::Key_Home: m_view->ShowPageOfStation(m_scale.First()); break;
    case Qt::Key_End: m_view->ShowPageOfStation(m_scale.Last()); break;
    case Qt::Key_Escape:
        m_view->setFocus();  // the keyboard back to the chart
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void COverviewStrip::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void COverviewStrip::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void COverviewStrip::UpdateDescription()
{
    // What a screen reader says of the strip: the run and the page on screen.
    if (!m_view || !m_doc || m_view->PageCount() < 1) {
        setAccessibleDescription(U("Keine Messfahrt"));
        setToolTip({});
        return;
    }
    const StationSpan page = PageStations(m_view->Painter().View(), m_doc->Run().IsAscending());
    const QString text = U("Seite %1 von %2: Station %3 bis %4. Klicken oder ziehen zeigt die Seite einer Station, "
                           "Mausrad und Pfeiltasten blättern.")
                             .arg(m_view->CurrentPage())
                             .arg(m_view->PageCount())
                             .arg(Kilometres(page.from), Kilometres(page.to));
    setAccessibleDescription(text);
    setToolTip(text);
}

COverviewDock::COverviewDock(QWidget* parent) : QDockWidget(U(kOverviewTitle), parent)
{
    setObjectName(QStringLiteral("overviewDock"));
    setAccessibleName(U(kOverviewTitle));
    setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    m_strip = new COverviewStrip(this);
    setWidget(m_strip);
    setFocusProxy(m_strip);
    NameDockButtons(*this);
}

void COverviewDock::closeEvent(QCloseEvent* event)
{
    QDockWidget::closeEvent(event);
    Q_EMIT closedByUser();
}

}  // namespace kurvex
