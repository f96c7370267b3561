#include "chart/TextboxVerwaltung.h"

#include "chart/SurfacePrinters.h"

#include <gtest/gtest.h>

#include <climits>

namespace kurvex {
namespace {

TEST(TextboxVerwaltung, ResetSetsRowTopsFromTheZoomFactor)
{
    CTextboxVerwaltung boxes;
    const struct {
        double factor;
        int tops[5];
    } table[] = {
        {1.0, {-1600, -2133, -2666, 0, 940}},
        {1.2, {-1920, -2559, -3199, 0, 1128}},
        {1.7, {-2720, -3626, -4532, 0, 1598}},
    };
    for (const auto& row : table) {
        boxes.ResetRows(-50, 25200, row.factor);
        EXPECT_EQ(boxes.RightLimit(), 25200);
        for (int i = 0; i < CTextboxVerwaltung::kRowCount; ++i) {
            EXPECT_EQ(boxes.RowTop(i), row.tops[i]) << row.factor << " row " << i;
            EXPECT_EQ(boxes.NextFreeX(i), -50);
        }
    }
}

TEST(TextboxVerwaltung, BoxesEndAtTheirAnchorOrFollowTheRowOrTakeTheNextRow)
{
    CTextboxVerwaltung boxes;
    boxes.ResetRows(0, 100000, 1.0);
    const struct {
        int x;
        Point placed;
        int nextFreeRow0;
    } steps[] = {
        {3000, {1000, -1600}, 3100},  // ends at its anchor
        {3200, {3100, -1600}, 5200},  // right of its anchor, after the first box
        {3400, {1400, -2133}, 5200},  // row 0 is taken beyond the anchor: row 1
    };
    for (const auto& step : steps) {
        EXPECT_EQ(boxes.PlaceTextBox(2000, step.x), step.placed) << step.x;
        EXPECT_EQ(boxes.NextFreeX(0), step.nextFreeRow0) << step.x;
    }
    EXPECT_EQ(boxes.NextFreeX(1), 3500);
    EXPECT_EQ(boxes.NextFreeX(2), 0);
}

TEST(TextboxVerwaltung, NoRowFitsFallsBackToRowZero)
{
    CTextboxVerwaltung boxes;
    boxes.ResetRows(0, 100000, 1.0);
    // Fill the three rows beyond x = 2500.
    for (int i = 0; i < 3; ++i)
        boxes.PlaceTextBox(2000, 2500);
    ASSERT_EQ(boxes.NextFreeX(2), 2600);

    // Anchor 2500 lies left of every next free x: row 0 after its last box.
    EXPECT_EQ(boxes.PlaceTextBox(1000, 2500), (Point{2600, -1600}));
    EXPECT_EQ(boxes.NextFreeX(0), 3700);
    EXPECT_EQ(boxes.NextFreeX(1), 2500);  // left edge - 100
}

TEST(TextboxVerwaltung, FallbackEndsAtTheAnchorWhenThereIsRoom)
{
    CTextboxVerwaltung boxes;
    boxes.ResetRows(0, 3000, 1.0);
    // Too wide for the right limit in every row, but room before the anchor.
    EXPECT_EQ(boxes.PlaceTextBox(3500, 4000), (Point{500, -1600}));
    EXPECT_EQ(boxes.NextFreeX(0), 4100);
    EXPECT_EQ(boxes.NextFreeX(1), 400);
    EXPECT_EQ(boxes.PlaceTextBox(4000, 9000), (Point{5000, -1600}));
    EXPECT_EQ(boxes.NextFreeX(0), 9100);
    EXPECT_EQ(boxes.NextFreeX(1), 4900);
}

TEST(TextboxVerwaltung, RightLimitSendsABoxToTheNextRow)
{
    CTextboxVerwaltung boxes;
    boxes.ResetRows(0, 5000, 1.0);
    EXPECT_EQ(boxes.PlaceTextBox(2000, 4000), (Point{2000, -1600}));
    EXPECT_EQ(boxes.NextFreeX(0), 4100);
    // 4100 + 2000 > 5000: row 1, which still starts at 0.
    EXPECT_EQ(boxes.PlaceTextBox(2000, 4500), (Point{2500, -2133}));
}

TEST(TextboxVerwaltung, ExtremeAnchorsDoNotOverflow)
{
    CTextboxVerwaltung boxes;
    boxes.ResetRows(INT_MIN, INT_MAX, 1.0);
    EXPECT_EQ(boxes.PlaceTextBox(2000, INT_MAX), (Point{INT_MAX - 2000, -1600}));
    EXPECT_EQ(boxes.NextFreeX(0), INT_MAX);
    const Point fallback = boxes.PlaceTextBox(INT_MAX, INT_MIN);
    EXPECT_EQ(fallback.y, -2133);
}

}  // namespace
}  // namespace kurvex
