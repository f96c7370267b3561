// The label control: colours, the layout of its text, and web and mail links
// that open their address on a left click.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <vector>

#include "common/ui/Label.h"

namespace kurvex {
namespace {

void Click(QWidget& widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(3, 3))
{
    const QPointF local(at);
    const QPointF global(widget.mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &release);
}

struct OpenedUrls {
    std::vector<QUrl> urls;
    void Watch(CLabel& label)
    {
        label.SetUrlOpener([this](const QUrl& url) { urls.push_back(url); });
    }
};

// Rows of the image that hold a pixel of the given colour.
std::vector<int> RowsWithColour(const QImage& image, QRgb colour)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                rows.push_back(y);
                break;
            }
        }
    }
    return rows;
}

TEST(Label, DrawFlagsFollowTheLayout)
{
    using Layout = CLabel::Layout;
    const struct {
        Layout layout;
        const char* text;
        int flags;
    } cases[] = {
        {Layout::Left, "a", Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap},
        {Layout::Centered, "a", Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap},
        {Layout::Right, "a", Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap},
        {Layout::LeftNoWrap, "a", Qt::AlignLeft | Qt::AlignTop},
        {Layout::Left, "a\tb", Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs},
        {Layout::CenteredVertically, "a", Qt::AlignCenter | Qt::TextSingleLine},
        // Two lines cannot sit on one line in the middle: centred, at the top.
        {Layout::CenteredVertically, "a\r\nb", Qt::AlignHCenter | Qt::AlignTop},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CLabel::DrawFlags(c.layout, QString::fromUtf8(c.text)), c.flags) << c.text;
}

TEST(Label, PaintsItsTextColourOnItsBackground)
{
    CLabel label(QStringLiteral("Messfahrt"));
    label.resize(120, 30);
    const QColor text(0, 0, 139);
    const QColor background(191, 255, 255);
    label.SetTextColor(text);
    label.SetBkColor(background);
    EXPECT_EQ(label.TextColor(), text);
    EXPECT_EQ(label.BkColor(), background);
    const QImage image = label.grab().toImage();
    EXPECT_EQ(image.pixelColor(0, 0), background);
    EXPECT_EQ(image.pixelColor(119, 29), background);
    EXPECT_FALSE(RowsWithColour(image, text.rgb()).empty());
}

TEST(Label, AVerticallyCentredLabelCentresOneLineButNotTwo)
{
    CLabel label;
    label.SetLayout(CLabel::Layout::CenteredVertically);
    label.SetTextColor(Qt::black);
    label.SetBkColor(Qt::white);
    label.resize(200, 120);

    label.setText(QStringLiteral("Mitte"));
    const std::vector<int> oneLine = RowsWithColour(label.grab().toImage(), qRgb(0, 0, 0));
    ASSERT_FALSE(oneLine.empty());
    EXPECT_GT(oneLine.front(), 40);
    EXPECT_LT(oneLine.back(), 80);

    label.setText(QStringLiteral("Oben\r\nUnten"));
    const std::vector<int> twoLines = RowsWithColour(label.grab().toImage(), qRgb(0, 0, 0));
    ASSERT_FALSE(twoLines.empty());
    EXPECT_LT(twoLines.front(), 10);
}

TEST(Label, LinksOpenTheirAddressOnALeftClick)
{
    const struct {
        const char* name;
        CLabel::LinkMode mode;
        const char* text;
        const char* target;
        const char* opened;  // null: nothing opens
    } cases[] = {
        {"plain label", CLabel::LinkMode::None, "www.ostwerk.example", "", nullptr},
        {"web link by its text", CLabel::LinkMode::Web, "www.ostwerk.example", "", "http://www.ostwerk.example"},
        {"web link with a target", CLabel::LinkMode::Web, "zur Website", "https://www.ostwerk.example/",
         "https://www.ostwerk.example/"},
        {"mail link", CLabel::LinkMode::Mail, "info@ostwerk.example", "", "mailto:info@ostwerk.example"},
        // A target belongs to web links: a mail goes to the address shown.
        {"mail link ignores the target", CLabel::LinkMode::Mail, "info@ostwerk.example", "https://x.example/",
         "mailto:info@ostwerk.example"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CLabel label(QString::fromUtf8(c.text));
        label.resize(200, 20);
        OpenedUrls opened;
        opened.Watch(label);
        if (c.mode == CLabel::LinkMode::Web)
            label.SetLink(true);
        if (c.mode == CLabel::LinkMode::Mail)
            label.SetMailLink(true);
        label.SetLinkTarget(QString::fromUtf8(c.target));
        EXPECT_EQ(label.Mode(), c.mode);
        EXPECT_EQ(label.cursor().shape(), c.mode == CLabel::LinkMode::None ? Qt::ArrowCursor : Qt::PointingHandCursor);

        Click(label, Qt::RightButton);
        EXPECT_TRUE(opened.urls.empty());
        Click(label);
        if (!c.opened) {
            EXPECT_TRUE(opened.urls.empty());
            continue;
        }
        ASSERT_EQ(opened.urls.size(), 1u);
        EXPECT_EQ(opened.urls[0], QUrl(QString::fromUtf8(c.opened)));
    }
}

TEST(Label, SwitchingALinkOffEndsItsClicks)
{
    CLabel label(QStringLiteral("info@ostwerk.example"));
    label.resize(200, 20);
    OpenedUrls opened;
    opened.Watch(label);
    label.SetMailLink(true);
    label.SetLink(false);
    EXPECT_EQ(label.Mode(), CLabel::LinkMode::None);
    EXPECT_EQ(label.cursor().shape(), Qt::ArrowCursor);
    Click(label);
    EXPECT_TRUE(opened.urls.empty());
    EXPECT_TRUE(label.ClickUrl().isEmpty());
}

}  // namespace
}  // namespace kurvex
