#pragma once
// The drawing surface every chart page, page frame and report page is written
// against. It is modelled on a GDI device context in a metric mapping:
//
//   - one logical unit is 0.01 mm, x grows to the right, y grows upward, so
//     points below the top of a page have negative y;
//   - pen, brush, font, colours, background mode and text alignment are the
//     current state, selected before the drawing calls that use them;
//   - the origin is a translation: a point (x, y) given to a drawing call lies
//     at (x + origin.x, y + origin.y) in the surface's own logical space.
//
// Texts are UTF-8 (core texts are converted with Cp1252ToUtf8 on the way in).
// Implementations: QtSurface (render/) and RecordingSurface (tests, benchmarks).

#include <cstdint>
#include <string>
#include <vector>

namespace kurvex {

struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    // Stored colour settings keep red in the low byte, green in the middle
    // byte and blue in the third byte.
    static constexpr Color FromColorRef(uint32_t value)
    {
        return Color{static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
                     static_cast<uint8_t>((value >> 16) & 0xFF)};
    }
    constexpr uint32_t ToColorRef() const
    {
        return uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
    }
};

constexpr bool operator==(Color a, Color b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
constexpr bool operator!=(Color a, Color b) { return !(a == b); }

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

struct Point {
    int x = 0;
    int y = 0;
};
constexpr bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
constexpr bool operator!=(Point a, Point b) { return !(a == b); }

struct Size {
    int cx = 0;
    int cy = 0;
};
constexpr bool operator==(Size a, Size b) { return a.cx == b.cx && a.cy == b.cy; }

// Edges as given; with y upward a rectangle on a page usually has top > bottom.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
constexpr bool operator==(const Rect& a, const Rect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
constexpr bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

enum class PenStyle { Solid, Dash, Dot, Null };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 0;  // logical units; 0 draws one device pixel wide
    Color color = kBlack;
};
constexpr bool operator==(const Pen& a, const Pen& b)
{
    return a.style == b.style && a.width == b.width && a.color == b.color;
}

enum class BrushStyle {
    Solid,
    Null,
    Hatch45,  // lines rising from lower left to upper right at 45 degrees, over the background
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Color color = kWhite;
};
constexpr bool operator==(const Brush& a, const Brush& b)
{
    return a.style == b.style && a.color == b.color;
}

inline constexpr int kFontWeightLight = 300;
inline constexpr int kFontWeightNormal = 400;
inline constexpr int kFontWeightBold = 700;

struct Font {
    std::string face = "Arial";
    int height = 350;  // cell height (ascent + descent) in logical units
    int weight = kFontWeightNormal;  // 100 .. 900
    bool italic = false;
    int escapement = 0;  // tenths of a degree, counter-clockwise: 900 reads upward
};
inline bool operator==(const Font& a, const Font& b)
{
    return a.face == b.face && a.height == b.height && a.weight == b.weight && a.italic == b.italic &&
           a.escapement == b.escapement;
}

enum class BackgroundMode { Opaque, Transparent };

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Baseline, Bottom };

// Where the reference point of TextOut sits on the text, along the text's own
// direction (for rotated text "left" is the start of the text).
struct TextAlign {
    HAlign horizontal = HAlign::Left;
    VAlign vertical = VAlign::Top;
};
constexpr bool operator==(TextAlign a, TextAlign b)
{
    return a.horizontal == b.horizontal && a.vertical == b.vertical;
}

// Flags of DrawText. Left and top are the defaults (0).
enum DrawTextFlags : unsigned {
    kDtLeft = 0,
    kDtTop = 0,
    kDtCenter = 1u << 0,
    kDtRight = 1u << 1,
    kDtVCenter = 1u << 2,  // with kDtSingleLine only
    kDtBottom = 1u << 3,   // with kDtSingleLine only
    kDtWordBreak = 1u << 4,
    kDtSingleLine = 1u << 5,
    kDtNoPrefix = 1u << 6,  // without it "&x" underlines x and "&&" shows "&"
    kDtExpandTabs = 1u << 7,
};

// Everything SaveState/RestoreState keep.
struct SurfaceState {
    Pen pen;
    Brush brush;
    Font font;
    Color textColor = kBlack;
    Color backgroundColor = kWhite;
    BackgroundMode backgroundMode = BackgroundMode::Opaque;
    TextAlign textAlign;
    Point origin;
    Point position;  // current position of MoveTo/LineTo, in local coordinates
};

class Surface {
public:
    virtual ~Surface() = default;

    // State. Each setter returns the previous value so a caller can select it again.
    Pen SetPen(const Pen& pen);
    Brush SetBrush(const Brush& brush);
    Font SetFont(const Font& font);
    Color SetTextColor(Color color);
    Color SetBackgroundColor(Color color);
    BackgroundMode SetBackgroundMode(BackgroundMode mode);
    TextAlign SetTextAlign(TextAlign align);

    const Pen& GetPen() const { return m_state.pen; }
    const Brush& GetBrush() const { return m_state.brush; }
    const Font& GetFont() const { return m_state.font; }
    Color GetTextColor() const { return m_state.textColor; }
    Color GetBackgroundColor() const { return m_state.backgroundColor; }
    BackgroundMode GetBackgroundMode() const { return m_state.backgroundMode; }
    TextAlign GetTextAlign() const { return m_state.textAlign; }
    const SurfaceState& State() const { return m_state; }

    // Origin: where the local point (0, 0) lies in the surface's logical space.
    Point SetOrigin(Point origin);
    Point OffsetOrigin(int dx, int dy);
    Point GetOrigin() const { return m_state.origin; }

    // Saves the whole state; RestoreState brings back the last saved one (no-op when none is saved).
    void SaveState();
    void RestoreState();

    // Lines with the current pen.
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Polyline(const std::vector<Point>& points);

    // Outlined with the current pen, filled with the current brush.
    void Rectangle(const Rect& rect);
    void Polygon(const std::vector<Point>& points);

    // Filled with the given brush, without outline; the current brush stays.
    void FillRect(const Rect& rect, const Brush& brush);

    // One line of text at the reference point, with the current font, text
    // colour, background and alignment.
    void TextOut(int x, int y, const std::string& utf8);

    // Text laid out in a rectangle by the flags; returns the height of the text in logical units.
    int DrawText(const Rect& rect, const std::string& utf8, unsigned flags);

    // Width and height (cell height) of one line of text in the current font, in logical units.
    virtual Size GetTextExtent(const std::string& utf8) const = 0;

protected:
    // The primitives. Points are local (the origin is in State().origin);
    // the rest of the state is read from State() as well.
    virtual void DoLine(Point from, Point to) = 0;
    virtual void DoPolyline(const std::vector<Point>& points) = 0;
    virtual void DoRectangle(const Rect& rect) = 0;
    virtual void DoPolygon(const std::vector<Point>& points) = 0;
    virtual void DoFillRect(const Rect& rect, const Brush& brush) = 0;
    virtual void DoTextOut(Point at, const std::string& utf8) = 0;
    virtual int DoDrawText(const Rect& rect, const std::string& utf8, unsigned flags) = 0;
    virtual void DoMoveTo(Point) {}

private:
    SurfaceState m_state;
    std::vector<SurfaceState> m_saved;
};

// Keeps the state a block of drawing found: saves it on entry and brings it
// back when the block is left, so the block may select pens, fonts, colours
// and alignments freely.
class SurfaceStateGuard {
public:
    explicit SurfaceStateGuard(Surface& surface) : m_surface(surface) { m_surface.SaveState(); }
    ~SurfaceStateGuard() { m_surface.RestoreState(); }
    SurfaceStateGuard(const SurfaceStateGuard&) = delete;
    SurfaceStateGuard& operator=(const SurfaceStateGuard&) = delete;

private:
    Surface& m_surface;
};

}  // namespace kurvex
