#include "common/RecordingSurface.h"

#include "chart/SurfacePrinters.h"

#include <gtest/gtest.h>

namespace kurvex {
namespace {

TEST(RecordingSurface, LineToDrawsFromTheCurrentPositionWithTheCurrentPen)
{
    RecordingSurface surface;
    const Pen limitPen{PenStyle::Solid, 10, Color{255, 30, 0}};
    surface.SetPen(limitPen);
    surface.MoveTo(100, -200);
    surface.LineTo(300, -200);
    surface.LineTo(300, -400);

    ASSERT_EQ(surface.Count(RecordKind::Line), 2u);
    const SurfaceRecord* first = surface.FindSegment(Point{100, -200}, Point{300, -200});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->state.pen, limitPen);
    EXPECT_NE(surface.FindSegment(Point{300, -200}, Point{300, -400}), nullptr);
    // Segments keep their direction.
    EXPECT_EQ(surface.FindSegment(Point{300, -200}, Point{100, -200}), nullptr);
}

TEST(RecordingSurface, PolylinePiecesAreSegments)
{
    RecordingSurface surface;
    surface.Polyline({{0, 0}, {10, 5}, {20, -5}});
    surface.Polyline({{7, 7}});  // a single point draws nothing
    ASSERT_EQ(surface.Segments().size(), 2u);
    EXPECT_NE(surface.FindSegment(Point{10, 5}, Point{20, -5}), nullptr);
    EXPECT_EQ(surface.Count(RecordKind::Polyline), 1u);
}

TEST(RecordingSurface, RecordsKeepLocalPointsAndTheOriginOfTheCall)
{
    RecordingSurface surface;
    surface.SetOrigin(Point{0, -500});
    surface.OffsetOrigin(1100, -600);
    surface.MoveTo(0, 0);
    surface.LineTo(25000, 0);
    surface.FillRect(Rect{10, 20, 30, 40}, Brush{BrushStyle::Hatch45, Color{80, 80, 80}});

    const SurfaceRecord* line = surface.FindSegment(Point{0, 0}, Point{25000, 0});
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->Absolute(0), (Point{1100, -1100}));
    EXPECT_EQ(line->Absolute(1), (Point{26100, -1100}));

    const auto fills = surface.OfKind(RecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0]->AbsoluteRect(), (Rect{1110, -1080, 1130, -1060}));
    EXPECT_EQ(fills[0]->fillBrush.style, BrushStyle::Hatch45);
    // The current brush is not touched by FillRect.
    EXPECT_EQ(surface.GetBrush(), Brush{});
}

TEST(RecordingSurface, SettersReturnThePreviousValue)
{
    RecordingSurface surface;
    const Pen thick{PenStyle::Solid, 50, Color{255, 0, 255}};
    const Pen previous = surface.SetPen(thick);
    EXPECT_EQ(previous, Pen{});
    EXPECT_EQ(surface.SetPen(previous), thick);

    EXPECT_EQ(surface.SetTextColor(Color{1, 2, 3}), kBlack);
    EXPECT_EQ(surface.SetBackgroundMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
    EXPECT_EQ(surface.SetTextAlign({HAlign::Right, VAlign::Bottom}), TextAlign{});
    EXPECT_EQ(surface.SetOrigin(Point{5, 6}), Point{});
    EXPECT_EQ(surface.OffsetOrigin(1, 1), (Point{5, 6}));
    EXPECT_EQ(surface.GetOrigin(), (Point{6, 7}));
}

TEST(RecordingSurface, RestoreBringsBackEverySavedSetting)
{
    RecordingSurface surface;
    surface.SetOrigin(Point{100, 200});
    surface.SaveState();
    surface.SetFont(Font{"Courier New", 200, kFontWeightNormal, true, 900});
    surface.SetTextColor(Color{127, 127, 127});
    surface.SetBackgroundMode(BackgroundMode::Transparent);
    surface.SetTextAlign({HAlign::Center, VAlign::Baseline});
    surface.SetBrush(Brush{BrushStyle::Null, kBlack});
    surface.OffsetOrigin(-50, -50);
    surface.MoveTo(3, 4);
    surface.RestoreState();

    EXPECT_EQ(surface.GetFont(), Font{});
    EXPECT_EQ(surface.GetTextColor(), kBlack);
    EXPECT_EQ(surface.GetBackgroundMode(), BackgroundMode::Opaque);
    EXPECT_EQ(surface.GetTextAlign(), TextAlign{});
    EXPECT_EQ(surface.GetBrush(), Brush{});
    EXPECT_EQ(surface.GetOrigin(), (Point{100, 200}));
    EXPECT_EQ(surface.State().position, Point{});

    surface.RestoreState();  // nothing saved: no change, no crash
    EXPECT_EQ(surface.GetOrigin(), (Point{100, 200}));
}

TEST(RecordingSurface, AStateGuardKeepsTheStateOfEachNestedBlock)
{
    RecordingSurface surface;
    const Pen red{PenStyle::Solid, 10, Color{255, 0, 0}};
    {
        const SurfaceStateGuard outer(surface);
        surface.SetPen(red);
        {
            const SurfaceStateGuard inner(surface);
            surface.SetPen(Pen{PenStyle::Dot, 5, kBlack});
            surface.SetTextAlign({HAlign::Right, VAlign::Bottom});
        }
        EXPECT_EQ(surface.GetPen(), red);
        EXPECT_EQ(surface.GetTextAlign(), TextAlign{});
    }
    EXPECT_EQ(surface.GetPen(), Pen{});
    surface.RestoreState();  // the guards took back exactly what they saved
    EXPECT_EQ(surface.GetPen(), Pen{});
}

TEST(RecordingSurface, TextRecordsCarryFontAlignmentAndColour)
{
    RecordingSurface surface;
    const Font upright{"Arial", 300, kFontWeightBold, false, 900};
    surface.SetFont(upright);
    surface.SetTextAlign({HAlign::Center, VAlign::Top});
    surface.SetTextColor(Color{192, 192, 192});
    surface.TextOut(-720, -1600, "Abweichung [mm]");
    surface.TextOut(0, 0, "");  // empty text draws nothing
    surface.DrawText(Rect{0, 500, 2000, 0}, "4.1.2", kDtCenter | kDtVCenter | kDtSingleLine);

    ASSERT_EQ(surface.Texts(), (std::vector<std::string>{"Abweichung [mm]", "4.1.2"}));
    const SurfaceRecord* caption = surface.FindText("Abweichung [mm]");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->kind, RecordKind::TextOut);
    EXPECT_EQ(caption->points.front(), (Point{-720, -1600}));
    EXPECT_EQ(caption->state.font, upright);
    EXPECT_EQ(caption->state.textAlign.horizontal, HAlign::Center);
    EXPECT_EQ(caption->state.textColor, (Color{192, 192, 192}));

    const SurfaceRecord* box = surface.FindText("4.1.2");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->flags, unsigned(kDtCenter | kDtVCenter | kDtSingleLine));
    EXPECT_EQ(box->rect, (Rect{0, 500, 2000, 0}));
}

TEST(RecordingSurface, TextExtentCountsCodePointsNotBytes)
{
    RecordingSurface surface;
    surface.SetFont(Font{"Arial", 400});
    struct Case {
        const char* text;
        Size extent;
    } cases[] = {
        {"", {0, 400}},
        {"Anlage 2.3", {2000, 400}},
        {"\xE2\x88\x91 p\xC2\xB2", {800, 400}},  // "∑ p²": four characters in seven bytes
    };
    for (const Case& c : cases)
        EXPECT_EQ(surface.GetTextExtent(c.text), c.extent) << c.text;
}

TEST(Color, ColorRefKeepsRedInTheLowByte)
{
    const Color c = Color::FromColorRef(0xBE1E00);  // blue 190, green 30, red 0
    EXPECT_EQ(c, (Color{0, 30, 190}));
    EXPECT_EQ(c.ToColorRef(), 0xBE1E00u);
}

}  // namespace
}  // namespace kurvex
