#pragma once
// Surface on a QPainter: widget, image, PDF writer or printer.
//
// Logical units are 0.01 mm with y upward; the device has pixels with y
// downward. The mapping is fixed by the device resolution and by the logical
// point that falls on device pixel (0, 0), e.g. (0, 0) for the top-left corner
// of a printable area, or the scroll position for a widget. Whatever world
// transform the painter carries when the surface is made is kept underneath
// (a caller may pre-translate or pre-scale).
//
// Text is drawn upright: the reference point goes through the mapping, and the
// glyphs are drawn under an unflipped transform turned by the font's escapement.

#include "common/Surface.h"

#include <QFont>
#include <QPointF>
#include <QTransform>

#include <optional>

class QPainter;
class QPainterPath;

namespace kurvex {

class QtSurface : public Surface {
public:
    // dpiX, dpiY: device pixels per inch (QPaintDevice::logicalDpiX/Y for the
    // device's own resolution). deviceOrigin: the logical point drawn at device pixel (0, 0).
    QtSurface(QPainter& painter, double dpiX, double dpiY, Point deviceOrigin = Point{});
    ~QtSurface() override;
    QtSurface(const QtSurface&) = delete;
    QtSurface& operator=(const QtSurface&) = delete;

    Size GetTextExtent(const std::string& utf8) const override;

    // A local point (the surface's origin applied) in device pixels, and back
    // from device pixels to the surface's logical space (without origin).
    QPointF MapToDevice(Point local) const;
    Point MapFromDevice(QPointF device) const;
    // The same mapping without a surface: for turning a mouse position into
    // the logical point a later (or earlier) paint put there.
    static Point DeviceToLogical(QPointF device, double dpiX, double dpiY, Point deviceOrigin = Point{});
    static QPointF LogicalToDevice(Point logical, double dpiX, double dpiY, Point deviceOrigin = Point{});

    double PixelsPerUnitX() const { return m_scaleX; }
    double PixelsPerUnitY() const { return m_scaleY; }

    // The Qt font for a surface font at this surface's resolution: the face
    // resolved through fontconfig, the pixel size chosen so that ascent plus
    // descent match the logical height.
    QFont MakeQtFont(const Font& font) const;

protected:
    void DoLine(Point from, Point to) override;
    void DoPolyline(const std::vector<Point>& points) override;
    void DoRectangle(const Rect& rect) override;
    void DoPolygon(const std::vector<Point>& points) override;
    void DoFillRect(const Rect& rect, const Brush& brush) override;
    void DoTextOut(Point at, const std::string& utf8) override;
    int DoDrawText(const Rect& rect, const std::string& utf8, unsigned flags) override;

private:
    QTransform LogicalTransform() const;  // local logical units -> device pixels
    void UseLogicalTransform();
    void ApplyPen();
    void FillShape(const QPainterPath& logicalShape, const Brush& brush);
    void DrawHatch(const QPainterPath& logicalShape, const Brush& brush);
    const QFont& CurrentQtFont() const;

    QPainter& m_painter;
    QTransform m_base;
    double m_scaleX;
    double m_scaleY;
    Point m_deviceOrigin;

    // The last font made, since making one measures a sample.
    mutable std::optional<Font> m_cachedFontKey;
    mutable QFont m_cachedFont;
};

}  // namespace kurvex
