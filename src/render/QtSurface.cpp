#include "render/QtSurface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace kurvex {
namespace {

constexpr double kLogicalUnitsPerInch = 2540.0;  // 0.01 mm

// Hatch lines every 0.8 mm, never closer than 6 pixels, about 0.08 mm thick
// but at least one pixel: visible on screen and still fine on paper.
constexpr double kHatchPeriodUnits = 80.0;
constexpr double kHatchMinPeriodPixels = 6.0;
constexpr double kHatchLineUnits = 8.0;

QColor ToQColor(Color c) { return QColor(c.red, c.green, c.blue); }

// The metric-compatible free fonts behind the faces the drawings ask for.
QString MetricCompatibleFamily(const std::string& face)
{
    if (face == "Arial")
        return QStringLiteral("Liberation Sans");
    if (face == "Times New Roman")
        return QStringLiteral("Liberation Serif");
    if (face == "Courier New")
        return QStringLiteral("Liberation Mono");
    return {};
}

QRectF NormalizedRect(const QPointF& a, const QPointF& b)
{
    return QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

QPolygonF ToPolygon(const std::vector<Point>& points)
{
    QPolygonF polygon;
    polygon.reserve(static_cast<int>(points.size()));
    for (const Point& p : points)
        polygon << QPointF(p.x, p.y);
    return polygon;
}

double PixelsPerUnit(double dpi) { return (dpi > 0 ? dpi : 96.0) / kLogicalUnitsPerInch; }

Point FromDevice(QPointF device, double scaleX, double scaleY, Point deviceOrigin)
{
    const double x = device.x() / scaleX + deviceOrigin.x;
    const double y = deviceOrigin.y - device.y() / scaleY;
    return Point{static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

}  // namespace

QtSurface::QtSurface(QPainter& painter, double dpiX, double dpiY, Point deviceOrigin)
    : m_painter(painter),
      m_base(painter.worldTransform()),
      m_scaleX(PixelsPerUnit(dpiX)),
      m_scaleY(PixelsPerUnit(dpiY)),
      m_deviceOrigin(deviceOrigin)
{
    // Pen, brush, font and transform of the painter are changed freely while
    // the surface lives and given back when it goes.
    m_painter.save();
}

QtSurface::~QtSurface() { m_painter.restore(); }

void QtSurface::UseLogicalTransform()
{
    m_painter.setWorldTransform(LogicalTransform() * m_base);
}

QTransform QtSurface::LogicalTransform() const
{
    const Point origin = GetOrigin();
    // device x = (x + origin.x - deviceOrigin.x) * sx, device y = (deviceOrigin.y - y - origin.y) * sy
    return QTransform(m_scaleX, 0, 0, -m_scaleY, (double(origin.x) - m_deviceOrigin.x) * m_scaleX,
                      (double(m_deviceOrigin.y) - origin.y) * m_scaleY);
}

QPointF QtSurface::MapToDevice(Point local) const
{
    return LogicalTransform().map(QPointF(local.x, local.y));
}

Point QtSurface::MapFromDevice(QPointF device) const
{
    return FromDevice(device, m_scaleX, m_scaleY, m_deviceOrigin);
}

QPointF QtSurface::LogicalToDevice(Point logical, double dpiX, double dpiY, Point deviceOrigin)
{
    return QPointF((double(logical.x) - deviceOrigin.x) * PixelsPerUnit(dpiX),
                   (double(deviceOrigin.y) - logical.y) * PixelsPerUnit(dpiY));
}

Point QtSurface::DeviceToLogical(QPointF device, double dpiX, double dpiY, Point deviceOrigin)
{
    return FromDevice(device, PixelsPerUnit(dpiX), PixelsPerUnit(dpiY), deviceOrigin);
}

void QtSurface::ApplyPen()
{
    const Pen& pen = GetPen();
    if (pen.style == PenStyle::Null) {
        m_painter.setPen(Qt::NoPen);
        return;
    }
    QPen qpen(ToQColor(pen.color));
    qpen.setWidthF(std::max(0, pen.width));  // 0 is Qt's cosmetic one-pixel pen
    switch (pen.style) {
    case PenStyle::Dash: qpen.setStyle(Qt::DashLine); break;
    case PenStyle::Dot: qpen.setStyle(Qt::DotLine); break;
    default: qpen.setStyle(Qt::SolidLine); break;
    }
    // Wide pens end and join round, as on the platform the drawings were designed for.
    qpen.setCapStyle(Qt::RoundCap);
    qpen.setJoinStyle(Qt::RoundJoin);
    m_painter.setPen(qpen);
    m_painter.setBackgroundMode(GetBackgroundMode() == BackgroundMode::Opaque ? Qt::OpaqueMode
                                                                               : Qt::TransparentMode);
    m_painter.setBackground(QBrush(ToQColor(GetBackgroundColor())));
}

void QtSurface::DoLine(Point from, Point to)
{
    UseLogicalTransform();
    ApplyPen();
    m_painter.drawLine(QPointF(from.x, from.y), QPointF(to.x, to.y));
}

void QtSurface::DoPolyline(const std::vector<Point>& points)
{
    UseLogicalTransform();
    ApplyPen();
    m_painter.drawPolyline(ToPolygon(points));
}

void QtSurface::FillShape(const QPainterPath& logicalShape, const Brush& brush)
{
    switch (brush.style) {
    case BrushStyle::Null: return;
    case BrushStyle::Solid: {
        UseLogicalTransform();
        m_painter.fillPath(logicalShape, QBrush(ToQColor(brush.color)));
        return;
    }
    case BrushStyle::Hatch45: DrawHatch(logicalShape, brush); return;
    }
}

void QtSurface::DrawHatch(const QPainterPath& logicalShape, const Brush& brush)
{
    const QPainterPath shape = LogicalTransform().map(logicalShape);  // device pixels
    // Lines are laid only over the visible part, so a huge area costs no more than the device.
    QRectF bounds = shape.boundingRect();
    if (const QPaintDevice* device = m_painter.device()) {
        bool invertible = false;
        const QTransform toShape = m_base.inverted(&invertible);
        if (invertible)
            bounds = bounds.intersected(toShape.mapRect(QRectF(0, 0, device->width(), device->height())));
    }
    if (bounds.isEmpty())
        return;

    m_painter.save();
    m_painter.setWorldTransform(m_base);
    if (GetBackgroundMode() == BackgroundMode::Opaque)
        m_painter.fillPath(shape, QBrush(ToQColor(GetBackgroundColor())));
    m_painter.setClipPath(shape, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    QPen pen(ToQColor(brush.color));
    pen.setWidthF(std::max(1.0, kHatchLineUnits * std::min(m_scaleX, m_scaleY)));
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);

    // Lines x + y = c rise to the right on a y-down device; c runs over a grid
    // anchored at device (0, 0) so neighbouring areas continue one pattern.
    const double period = std::max(kHatchMinPeriodPixels, kHatchPeriodUnits * m_scaleX);
    const double cFirst = std::floor((bounds.left() + bounds.top()) / period) * period;
    const double cLast = bounds.right() + bounds.bottom();
    for (double c = cFirst; c <= cLast + period; c += period)
        m_painter.drawLine(QPointF(c - bounds.bottom() - 1, bounds.bottom() + 1),
                           QPointF(c - bounds.top() + 1, bounds.top() - 1));
    m_painter.restore();
}

void QtSurface::DoRectangle(const Rect& rect)
{
    const QRectF r = NormalizedRect(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom));
    QPainterPath path;
    path.addRect(r);
    FillShape(path, GetBrush());
    UseLogicalTransform();
    ApplyPen();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawRect(r);
}

void QtSurface::DoPolygon(const std::vector<Point>& points)
{
    const QPolygonF polygon = ToPolygon(points);
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    path.setFillRule(Qt::OddEvenFill);
    FillShape(path, GetBrush());
    UseLogicalTransform();
    ApplyPen();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void QtSurface::DoFillRect(const Rect& rect, const Brush& brush)
{
    QPainterPath path;
    path.addRect(NormalizedRect(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)));
    FillShape(path, brush);
}

QFont QtSurface::MakeQtFont(const Font& font) const
{
    QFont qfont;
    QStringList families{QString::fromStdString(font.face)};
    const QString compatible = MetricCompatibleFamily(font.face);
    if (!compatible.isEmpty())
        families << compatible;
    qfont.setFamilies(families);
    qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
    qfont.setItalic(font.italic);
    qfont.setKerning(false);
    qfont.setHintingPreference(QFont::PreferNoHinting);

    // A positive height is the cell height (ascent + descent), a negative one the em height.
    const double wantedPixels = std::abs(double(font.height)) * m_scaleY;
    constexpr int kSamplePixels = 200;
    double emPixels = wantedPixels;
    if (font.height > 0) {
        qfont.setPixelSize(kSamplePixels);
        const QFontMetricsF sample(qfont, m_painter.device());
        const double cell = sample.ascent() + sample.descent();
        if (cell > 0)
            emPixels = wantedPixels * kSamplePixels / cell;
    }
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(emPixels))));
    return qfont;
}

const QFont& QtSurface::CurrentQtFont() const
{
    if (!m_cachedFontKey || !(*m_cachedFontKey == GetFont())) {
        m_cachedFont = MakeQtFont(GetFont());
        m_cachedFontKey = GetFont();
    }
    return m_cachedFont;
}

Size QtSurface::GetTextExtent(const std::string& utf8) const
{
    const QFontMetricsF metrics(CurrentQtFont(), m_painter.device());
    const double width = metrics.horizontalAdvance(QString::fromUtf8(utf8.data(), int(utf8.size())));
    const double height = metrics.ascent() + metrics.descent();
    return Size{static_cast<int>(std::lround(width / m_scaleX)), static_cast<int>(std::lround(height / m_scaleY))};
}

void QtSurface::DoTextOut(Point at, const std::string& utf8)
{
    const QString text = QString::fromUtf8(utf8.data(), int(utf8.size()));
    const QFont& font = CurrentQtFont();
    const QFontMetricsF metrics(font, m_painter.device());
    const double width = metrics.horizontalAdvance(text);
    const double ascent = metrics.ascent();
    const double descent = metrics.descent();

    double x = 0;
    switch (GetTextAlign().horizontal) {
    case HAlign::Left: x = 0; break;
    case HAlign::Center: x = -width / 2; break;
    case HAlign::Right: x = -width; break;
    }
    double baseline = 0;
    switch (GetTextAlign().vertical) {
    case VAlign::Top: baseline = ascent; break;
    case VAlign::Baseline: baseline = 0; break;
    case VAlign::Bottom: baseline = -descent; break;
    }

    // Only the anchor goes through the y-up mapping; the glyphs are drawn in
    // an upright device frame turned counter-clockwise by the escapement.
    const QPointF anchor = MapToDevice(at);
    QTransform local;
    local.translate(anchor.x(), anchor.y());
    local.rotate(-GetFont().escapement / 10.0);

    m_painter.setWorldTransform(local * m_base);
    if (GetBackgroundMode() == BackgroundMode::Opaque)
        m_painter.fillRect(QRectF(x, baseline - ascent, width, ascent + descent), ToQColor(GetBackgroundColor()));
    m_painter.setFont(font);
    m_painter.setPen(ToQColor(GetTextColor()));
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.drawText(QPointF(x, baseline), text);
}

int QtSurface::DoDrawText(const Rect& rect, const std::string& utf8, unsigned flags)
{
    const QRectF box = NormalizedRect(MapToDevice(Point{rect.left, rect.top}), MapToDevice(Point{rect.right, rect.bottom}));
    const bool singleLine = (flags & kDtSingleLine) != 0;

    int qtFlags = 0;
    if (flags & kDtCenter)
        qtFlags |= Qt::AlignHCenter;
    else if (flags & kDtRight)
        qtFlags |= Qt::AlignRight;
    else
        qtFlags |= Qt::AlignLeft;
    // Vertical placement other than top applies to single-line text only.
    if (singleLine && (flags & kDtVCenter))
        qtFlags |= Qt::AlignVCenter;
    else if (singleLine && (flags & kDtBottom))
        qtFlags |= Qt::AlignBottom;
    else
        qtFlags |= Qt::AlignTop;
    if (singleLine)
        qtFlags |= Qt::TextSingleLine;
    else if (flags & kDtWordBreak)
        qtFlags |= Qt::TextWordWrap;
    if (flags & kDtExpandTabs)
        qtFlags |= Qt::TextExpandTabs;
    if (!(flags & kDtNoPrefix))
        qtFlags |= Qt::TextShowMnemonic;

    QString text = QString::fromUtf8(utf8.data(), int(utf8.size()));
    if (singleLine) {
        text.replace(QLatin1String("\r\n"), QLatin1String(" "));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }

    m_painter.save();
    m_painter.setWorldTransform(m_base);
    m_painter.setFont(CurrentQtFont());
    const QRectF used = m_painter.boundingRect(box, qtFlags, text);
    m_painter.setClipRect(box, m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (GetBackgroundMode() == BackgroundMode::Opaque)
        m_painter.fillRect(used, ToQColor(GetBackgroundColor()));
    m_painter.setPen(ToQColor(GetTextColor()));
    m_painter.setBackgroundMode(Qt::TransparentMode);
    m_painter.drawText(box, qtFlags, text);
    m_painter.restore();
    return static_cast<int>(std::lround(used.height() / m_scaleY));
}

}  // namespace kurvex
