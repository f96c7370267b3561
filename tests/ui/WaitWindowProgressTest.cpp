// The wait window shows how far an open has come.

#include "document/ui/SplashDlg.h"
#include "document/ui/WindowOpenInteraction.h"

#include <QImage>

#include <gtest/gtest.h>

namespace kurvex {
namespace {

TEST(WaitWindowProgress, TheOpenReportsReachTheBarClampedToTheWhole)
{
    WindowOpenInteraction interaction(nullptr, CEinstellungen());
    interaction.ShowProgress(30);  // no window yet: nothing to show, nothing breaks
    interaction.ShowWaitWindow();
    ASSERT_NE(interaction.WaitWindow(), nullptr);
    EXPECT_EQ(interaction.WaitWindow()->Progress(), 0);
    interaction.ShowProgress(60);
    EXPECT_EQ(interaction.WaitWindow()->Progress(), 60);
    interaction.ShowProgress(250);
    EXPECT_EQ(interaction.WaitWindow()->Progress(), 100);
    interaction.CloseWaitWindow();
    EXPECT_EQ(interaction.WaitWindow(), nullptr);
}

TEST(WaitWindowProgress, TheBarGrowsWithTheProgress)
{
    CSplashDlg splash;
    auto highlighted = [&splash] {
        const QImage image = splash.grab().toImage();
        const QRgb bar = splash.palette().color(QPalette::Highlight).rgb();
        int count = 0;
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, image.height() - 5) == bar ? 1 : 0;
        return count;
    };
    EXPECT_EQ(highlighted(), 0);
    splash.SetProgress(25);
    const int quarter = highlighted();
    splash.SetProgress(100);
    EXPECT_GT(quarter, 0);
    EXPECT_GT(highlighted(), 3 * quarter);
}

}  // namespace
}  // namespace kurvex
