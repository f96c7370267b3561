#include "common/Surface.h"

#include <utility>

namespace kurvex {

Pen Surface::SetPen(const Pen& pen) { return std::exchange(m_state.pen, pen); }
Brush Surface::SetBrush(const Brush& brush) { return std::exchange(m_state.brush, brush); }
Font Surface::SetFont(const Font& font) { return std::exchange(m_state.font, font); }
Color Surface::SetTextColor(Color color) { return std::exchange(m_state.textColor, color); }
Color Surface::SetBackgroundColor(Color color) { return std::exchange(m_state.backgroundColor, color); }
BackgroundMode Surface::SetBackgroundMode(BackgroundMode mode)
{
    return std::exchange(m_state.backgroundMode, mode);
}
TextAlign Surface::SetTextAlign(TextAlign align) { return std::exchange(m_state.textAlign, align); }

Point Surface::SetOrigin(Point origin) { return std::exchange(m_state.origin, origin); }

Point Surface::OffsetOrigin(int dx, int dy)
{
    const Point previous = m_state.origin;
    m_state.origin.x += dx;
    m_state.origin.y += dy;
    return previous;
}

void Surface::SaveState() { m_saved.push_back(m_state); }

void Surface::RestoreState()
{
    if (m_saved.empty())
        return;
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
}

void Surface::MoveTo(int x, int y)
{
    m_state.position = Point{x, y};
    DoMoveTo(m_state.position);
}

void Surface::LineTo(int x, int y)
{
    const Point from = m_state.position;
    m_state.position = Point{x, y};
    DoLine(from, m_state.position);
}

void Surface::Polyline(const std::vector<Point>& points)
{
    if (points.size() >= 2)
        DoPolyline(points);
}

void Surface::Rectangle(const Rect& rect) { DoRectangle(rect); }

void Surface::Polygon(const std::vector<Point>& points)
{
    if (points.size() >= 2)
        DoPolygon(points);
}

void Surface::FillRect(const Rect& rect, const Brush& brush) { DoFillRect(rect, brush); }

void Surface::TextOut(int x, int y, const std::string& utf8)
{
    if (!utf8.empty())
        DoTextOut(Point{x, y}, utf8);
}

int Surface::DrawText(const Rect& rect, const std::string& utf8, unsigned flags)
{
    return DoDrawText(rect, utf8, flags);
}

}  // namespace kurvex
