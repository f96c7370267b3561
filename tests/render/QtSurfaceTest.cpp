#include "render/QtSurface.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPdfWriter>
#include <QPainter>
#include <QString>

#include <gtest/gtest.h>

#include <functional>

namespace kurvex {
namespace {

// 254 dpi: one device pixel is exactly 10 logical units (0.1 mm), and logical
// (0, 0) is the image's top-left corner, so logical (x, y) is pixel (x / 10, -y / 10).
constexpr double kDpi = 254.0;
constexpr int kWidth = 1000;
constexpr int kHeight = 600;

QImage Render(const std::function<void(QtSurface&)>& draw)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QtSurface surface(painter, kDpi, kDpi);
    draw(surface);
    painter.end();
    // KURVEX_RENDER_DUMP=<folder> keeps the images for a look by eye.
    const QString dump = qEnvironmentVariable("KURVEX_RENDER_DUMP");
    if (!dump.isEmpty()) {
        static int serial = 0;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        image.save(QStringLiteral("%1/%2-%3.png").arg(dump, QString::fromUtf8(info->name())).arg(++serial));
    }
    return image;
}

bool IsDark(const QImage& image, int x, int y) { return qGray(image.pixel(x, y)) < 128; }

// Number of dark pixels in the half-open pixel box [x0, x1) x [y0, y1).
int DarkPixels(const QImage& image, int x0, int y0, int x1, int y1)
{
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
        for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x)
            count += IsDark(image, x, y) ? 1 : 0;
    return count;
}

TEST(QtSurface, MapsLogicalUnitsWithYUpward)
{
    const QImage image = Render([](QtSurface& s) {
        s.MoveTo(1000, -2000);
        s.LineTo(5000, -2000);
        // The origin moves the next line 200 px right and 100 px down.
        s.SetOrigin(Point{2000, -1000});
        s.MoveTo(0, 0);
        s.LineTo(0, -1000);
    });
    EXPECT_TRUE(IsDark(image, 300, 200));
    EXPECT_FALSE(IsDark(image, 300, 205));
    EXPECT_FALSE(IsDark(image, 300, 195));
    EXPECT_FALSE(IsDark(image, 90, 200));   // before the start
    EXPECT_FALSE(IsDark(image, 510, 200));  // after the end

    EXPECT_TRUE(IsDark(image, 200, 150));
    EXPECT_FALSE(IsDark(image, 205, 150));
    EXPECT_FALSE(IsDark(image, 200, 90));
}

TEST(QtSurface, DeviceOriginAndMappingRoundTrip)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    QtSurface surface(painter, kDpi, kDpi, Point{-500, 300});
    EXPECT_EQ(surface.MapToDevice(Point{-500, 300}), QPointF(0, 0));
    EXPECT_EQ(surface.MapToDevice(Point{500, -700}), QPointF(100, 100));
    EXPECT_EQ(surface.MapFromDevice(QPointF(100, 100)).x, 500);
    EXPECT_EQ(surface.MapFromDevice(QPointF(100, 100)).y, -700);
}

TEST(QtSurface, PenWidthIsInLogicalUnits)
{
    const QImage image = Render([](QtSurface& s) {
        s.SetPen(Pen{PenStyle::Solid, 100, kBlack});  // 1 mm = 10 px
        s.MoveTo(1000, -3000);
        s.LineTo(8000, -3000);
        s.SetPen(Pen{PenStyle::Null, 100, kBlack});
        s.MoveTo(1000, -5000);
        s.LineTo(8000, -5000);
    });
    EXPECT_TRUE(IsDark(image, 400, 296));
    EXPECT_TRUE(IsDark(image, 400, 303));
    EXPECT_FALSE(IsDark(image, 400, 308));
    EXPECT_EQ(DarkPixels(image, 0, 450, kWidth, 550), 0);
}

TEST(QtSurface, TextIsUprightWithInkAboveTheBaseline)
{
    const QImage image = Render([](QtSurface& s) {
        s.SetFont(Font{"Arial", 400});
        s.SetTextAlign({HAlign::Left, VAlign::Baseline});
        s.TextOut(2000, -2000, "HHH");
    });
    // Baseline at pixel row 200; the capitals stand about 28 px tall above it.
    EXPECT_GT(DarkPixels(image, 200, 175, 300, 200), 100);
    EXPECT_EQ(DarkPixels(image, 200, 202, 300, 260), 0);
    EXPECT_EQ(DarkPixels(image, 0, 0, 195, kHeight), 0);  // nothing left of the start
}

TEST(QtSurface, TopAlignedTextHangsBelowItsPoint)
{
    const QImage image = Render([](QtSurface& s) {
        s.SetFont(Font{"Arial", 400});
        s.TextOut(2000, -2000, "HHH");  // left, top
    });
    EXPECT_EQ(DarkPixels(image, 0, 0, kWidth, 200), 0);
    EXPECT_GT(DarkPixels(image, 200, 200, 300, 240), 100);
}

TEST(QtSurface, EscapementTurnsTextCounterClockwise)
{
    const QImage image = Render([](QtSurface& s) {
        s.SetFont(Font{"Arial", 400, kFontWeightNormal, false, 900});
        s.SetTextAlign({HAlign::Left, VAlign::Baseline});
        s.TextOut(5000, -4000, "HHH");
    });
    // Reading upward from pixel (500, 400): the text runs up, its glyphs stand to the left.
    EXPECT_GT(DarkPixels(image, 470, 300, 500, 400), 100);
    EXPECT_EQ(DarkPixels(image, 502, 0, kWidth, kHeight), 0);
    EXPECT_EQ(DarkPixels(image, 0, 402, kWidth, kHeight), 0);
}

TEST(QtSurface, CentredAndRightAlignedText)
{
    const QImage centred = Render([](QtSurface& s) {
        s.SetFont(Font{"Arial", 400});
        s.SetTextAlign({HAlign::Center, VAlign::Top});
        s.TextOut(5000, -1000, "HHHH");
    });
    EXPECT_GT(DarkPixels(centred, 450, 100, 500, 140), 50);
    EXPECT_GT(DarkPixels(centred, 500, 100, 550, 140), 50);

    const QImage right = Render([](QtSurface& s) {
        s.SetFont(Font{"Arial", 400});
        s.SetTextAlign({HAlign::Right, VAlign::Top});
        s.TextOut(5000, -1000, "HHHH");
    });
    EXPECT_GT(DarkPixels(right, 420, 100, 500, 140), 100);
    EXPECT_EQ(DarkPixels(right, 502, 0, kWidth, kHeight), 0);
}

TEST(QtSurface, TextExtentFollowsTheLogicalHeight)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    for (double dpi : {96.0, 254.0, 600.0}) {
        QtSurface surface(painter, dpi, dpi);
        surface.SetFont(Font{"Arial", 350});
        const Size one = surface.GetTextExtent("Anlage");
        const Size two = surface.GetTextExtent("AnlageAnlage");
        EXPECT_NEAR(one.cy, 350, 40) << dpi;
        EXPECT_GT(one.cx, 0) << dpi;
        EXPECT_NEAR(two.cx, 2 * one.cx, 30) << dpi;
    }
}

TEST(QtSurface, OpaqueTextHidesTheLineBeneathTransparentTextDoesNot)
{
    auto draw = [](BackgroundMode mode) {
        return Render([mode](QtSurface& s) {
            s.SetPen(Pen{PenStyle::Solid, 0, Color{255, 0, 0}});
            s.MoveTo(1000, -2100);
            s.LineTo(9000, -2100);
            s.SetFont(Font{"Arial", 400});
            s.SetBackgroundMode(mode);
            s.SetTextAlign({HAlign::Left, VAlign::Baseline});
            s.TextOut(2000, -2200, "____");
        });
    };
    const QImage opaque = draw(BackgroundMode::Opaque);
    const QImage transparent = draw(BackgroundMode::Transparent);
    // A pixel of the red line inside the text cell, between the underscores' ink and the top.
    EXPECT_EQ(opaque.pixel(210, 210), qRgb(255, 255, 255));
    EXPECT_EQ(transparent.pixel(210, 210), qRgb(255, 0, 0));
}

TEST(QtSurface, HatchBrushDrawsRisingLinesOverTheBackground)
{
    const QImage image = Render([](QtSurface& s) {
        s.FillRect(Rect{1000, -1000, 5000, -5000}, Brush{BrushStyle::Hatch45, Color{80, 80, 80}});
    });
    const int ink = DarkPixels(image, 100, 100, 500, 500);
    EXPECT_GT(ink, 4000);
    EXPECT_LT(ink, 160000 / 2);
    EXPECT_EQ(DarkPixels(image, 0, 0, 98, kHeight), 0);
    EXPECT_EQ(DarkPixels(image, 502, 0, kWidth, kHeight), 0);

    // Rising to the right: along a dark pixel's down-left/up-right diagonal the ink goes on.
    int dx = 0;
    while (dx < 40 && !IsDark(image, 300 + dx, 300))
        ++dx;
    ASSERT_LT(dx, 40);
    const int x = 300 + dx;
    EXPECT_TRUE(IsDark(image, x + 5, 295) || IsDark(image, x + 4, 295) || IsDark(image, x + 6, 295));
    EXPECT_TRUE(IsDark(image, x - 5, 305) || IsDark(image, x - 4, 305) || IsDark(image, x - 6, 305));
}

TEST(QtSurface, HatchOverAHugeAreaCoversOnlyTheDevice)
{
    const QImage image = Render([](QtSurface& s) {
        s.FillRect(Rect{-2000000000, 2000000000, 2000000000, -2000000000}, Brush{BrushStyle::Hatch45, kBlack});
    });
    const int ink = DarkPixels(image, 0, 0, kWidth, kHeight);
    EXPECT_GT(ink, kWidth * kHeight / 20);
    EXPECT_LT(ink, kWidth * kHeight / 2);
}

TEST(QtSurface, SolidFillAndOutlinedRectangle)
{
    const QImage image = Render([](QtSurface& s) {
        s.SetPen(Pen{PenStyle::Solid, 0, Color{0, 0, 255}});
        s.SetBrush(Brush{BrushStyle::Solid, Color{255, 255, 127}});
        s.Rectangle(Rect{1000, -1000, 3000, -3000});
        s.SetBrush(Brush{BrushStyle::Null, kBlack});
        s.Polygon({{5000, -1000}, {7000, -1000}, {6000, -3000}});
    });
    EXPECT_EQ(image.pixel(200, 200), qRgb(255, 255, 127));
    EXPECT_EQ(image.pixel(100, 200), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(600, 150), qRgb(255, 255, 255));  // null brush: inside stays white
    EXPECT_EQ(image.pixel(600, 100), qRgb(0, 0, 255));
}

TEST(QtSurface, DrawTextCentresInTheRectangle)
{
    const QImage image = Render([](QtSurface& s) {
        s.SetFont(Font{"Arial", 300});
        s.SetBackgroundMode(BackgroundMode::Transparent);
        s.DrawText(Rect{1000, -1000, 9000, -3000}, "HH", kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
    });
    // Rectangle 100..900 x 100..300 px: the ink sits around (500, 200).
    EXPECT_GT(DarkPixels(image, 480, 185, 520, 215), 50);
    EXPECT_EQ(DarkPixels(image, 0, 0, 450, kHeight), 0);
    EXPECT_EQ(DarkPixels(image, 0, 0, kWidth, 170), 0);
    EXPECT_EQ(DarkPixels(image, 0, 230, kWidth, kHeight), 0);
}

TEST(QtSurface, DrawsIntoAPdf)
{
    const QString path = QDir::temp().filePath(QStringLiteral("kurvex_qtsurface_test.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        QtSurface surface(painter, writer.resolution(), writer.resolution());
        surface.SetFont(Font{"Times New Roman", 350, 800});
        surface.TextOut(2000, -2000, "\xE2\x88\x91 p\xC2\xB2 [mm]: 12");
        EXPECT_NEAR(surface.GetTextExtent("Anlage").cy, 350, 20);
        surface.MoveTo(2000, -2500);
        surface.LineTo(19000, -2500);
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    EXPECT_GT(file.size(), 500);
    file.close();
    QFile::remove(path);
}

}  // namespace
}  // namespace kurvex
