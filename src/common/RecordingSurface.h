#pragma once
// A surface that draws nothing and keeps every call, for tests and benchmarks.
// Each record holds the call's points as given (local coordinates) and the
// state at the time of the call, including the origin, so a test can assert
// both "a line from (x1, y1) to (x2, y2) in pen 2" and where it lands on the page.
//
// Text extent is deterministic: every character (UTF-8 code point) is half the
// font height wide, and a line is one font height tall.

#include "common/Surface.h"

#include <string>
#include <vector>

namespace kurvex {

enum class RecordKind { MoveTo, Line, Polyline, Rectangle, Polygon, FillRect, TextOut, DrawText };

struct SurfaceRecord {
    RecordKind kind = RecordKind::Line;
    std::vector<Point> points;  // Line: from, to; MoveTo and TextOut: the point; rectangles: none
    Rect rect;                  // Rectangle, FillRect, DrawText
    std::string text;           // TextOut, DrawText (UTF-8)
    unsigned flags = 0;         // DrawText
    Brush fillBrush;            // FillRect: the brush given to the call
    SurfaceState state;

    // A point or the rectangle moved by the record's origin.
    Point Absolute(size_t i) const;
    Rect AbsoluteRect() const;
};

class RecordingSurface : public Surface {
public:
    Size GetTextExtent(const std::string& utf8) const override;

    const std::vector<SurfaceRecord>& Records() const { return m_records; }
    void Clear() { m_records.clear(); }

    std::vector<const SurfaceRecord*> OfKind(RecordKind kind) const;
    size_t Count(RecordKind kind) const;

    // Every straight segment drawn with a pen: lines and the pieces of polylines, local coordinates.
    struct Segment {
        Point from;
        Point to;
        const SurfaceRecord* record;
    };
    std::vector<Segment> Segments() const;
    // The first segment from a to b (in that direction), or nullptr.
    const SurfaceRecord* FindSegment(Point from, Point to) const;

    // The first TextOut or DrawText record with exactly this text, or nullptr.
    const SurfaceRecord* FindText(const std::string& utf8) const;
    // The texts of all TextOut and DrawText records in drawing order.
    std::vector<std::string> Texts() const;

    static int CodePointCount(const std::string& utf8);

protected:
    void DoMoveTo(Point at) override;
    void DoLine(Point from, Point to) override;
    void DoPolyline(const std::vector<Point>& points) override;
    void DoRectangle(const Rect& rect) override;
    void DoPolygon(const std::vector<Point>& points) override;
    void DoFillRect(const Rect& rect, const Brush& brush) override;
    void DoTextOut(Point at, const std::string& utf8) override;
    int DoDrawText(const Rect& rect, const std::string& utf8, unsigned flags) override;

private:
    SurfaceRecord& Add(RecordKind kind);

    std::vector<SurfaceRecord> m_records;
};

}  // namespace kurvex
