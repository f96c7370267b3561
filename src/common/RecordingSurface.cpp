#include "common/RecordingSurface.h"

#include <algorithm>

namespace kurvex {

Point SurfaceRecord::Absolute(size_t i) const
{
    if (i >= points.size())
        return state.origin;
    return Point{points[i].x + state.origin.x, points[i].y + state.origin.y};
}

Rect SurfaceRecord::AbsoluteRect() const
{
    return Rect{rect.left + state.origin.x, rect.top + state.origin.y, rect.right + state.origin.x,
                rect.bottom + state.origin.y};
}

int RecordingSurface::CodePointCount(const std::string& utf8)
{
    // Continuation bytes (10xxxxxx) belong to the code point before them.
    return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

Size RecordingSurface::GetTextExtent(const std::string& utf8) const
{
    const int height = std::max(0, GetFont().height);
    return Size{CodePointCount(utf8) * height / 2, height};
}

SurfaceRecord& RecordingSurface::Add(RecordKind kind)
{
    SurfaceRecord record;
    record.kind = kind;
    record.state = State();
    m_records.push_back(std::move(record));
    return m_records.back();
}

void RecordingSurface::DoMoveTo(Point at) { Add(RecordKind::MoveTo).points = {at}; }

void RecordingSurface::DoLine(Point from, Point to) { Add(RecordKind::Line).points = {from, to}; }

void RecordingSurface::DoPolyline(const std::vector<Point>& points) { Add(RecordKind::Polyline).points = points; }

void RecordingSurface::DoRectangle(const Rect& rect) { Add(RecordKind::Rectangle).rect = rect; }

void RecordingSurface::DoPolygon(const std::vector<Point>& points) { Add(RecordKind::Polygon).points = points; }

void RecordingSurface::DoFillRect(const Rect& rect, const Brush& brush)
{
    SurfaceRecord& record = Add(RecordKind::FillRect);
    record.rect = rect;
    record.fillBrush = brush;
}

void RecordingSurface::DoTextOut(Point at, const std::string& utf8)
{
    SurfaceRecord& record = Add(RecordKind::TextOut);
    record.points = {at};
    record.text = utf8;
}

int RecordingSurface::DoDrawText(const Rect& rect, const std::string& utf8, unsigned flags)
{
    SurfaceRecord& record = Add(RecordKind::DrawText);
    record.rect = rect;
    record.text = utf8;
    record.flags = flags;
    int lines = 1;
    if (!(flags & kDtSingleLine))
        lines += static_cast<int>(std::count(utf8.begin(), utf8.end(), '\n'));
    return lines * std::max(0, GetFont().height);
}

std::vector<const SurfaceRecord*> RecordingSurface::OfKind(RecordKind kind) const
{
    std::vector<const SurfaceRecord*> result;
    for (const SurfaceRecord& record : m_records)
        if (record.kind == kind)
            result.push_back(&record);
    return result;
}

size_t RecordingSurface::Count(RecordKind kind) const
{
    return static_cast<size_t>(std::count_if(m_records.begin(), m_records.end(),
                                             [kind](const SurfaceRecord& r) { return r.kind == kind; }));
}

std::vector<RecordingSurface::Segment> RecordingSurface::Segments() const
{
    std::vector<Segment> result;
    for (const SurfaceRecord& record : m_records) {
        if (record.kind != RecordKind::Line && record.kind != RecordKind::Polyline)
            continue;
        for (size_t i = 1; i < record.points.size(); ++i)
            result.push_back(Segment{record.points[i - 1], record.points[i], &record});
    }
    return result;
}

const SurfaceRecord* RecordingSurface::FindSegment(Point from, Point to) const
{
    for (const Segment& segment : Segments())
        if (segment.from == from && segment.to == to)
            return segment.record;
    return nullptr;
}

const SurfaceRecord* RecordingSurface::FindText(const std::string& utf8) const
{
    for (const SurfaceRecord& record : m_records)
        if ((record.kind == RecordKind::TextOut || record.kind == RecordKind::DrawText) && record.text == utf8)
            return &record;
    return nullptr;
}

std::vector<std::string> RecordingSurface::Texts() const
{
    std::vector<std::string> result;
    for (const SurfaceRecord& record : m_records)
        if (record.kind == RecordKind::TextOut || record.kind == RecordKind::DrawText)
            result.push_back(record.text);
    return result;
}

}  // namespace kurvex
