#pragma once
// Placement of the free-text boxes of one strip. Boxes go into three rows in
// the lower half of the strip box, left to right in drawing order; a box sits
// to the left of its anchor (ending there) when there is room, else right
// after the row's last box. Reset for every strip.

#include "common/Surface.h"

#include <array>

namespace kurvex {

class CTextboxVerwaltung {
public:
    static constexpr int kRowCount = 5;        // rows 3 and 4 are kept but never placed into
    static constexpr int kPlacementRows = 3;
    static constexpr int kBoxGap = 100;        // between boxes of a row, not scaled by the zoom

    // Right limit, every row's next free x at the left limit, row tops from the zoom factor.
    void ResetRows(int leftLimit, int rightLimit, double zoomFactor);

    // Upper-left corner (left, top) of a box of width w anchored at x; updates the rows.
    Point PlaceTextBox(int w, int x);

    // 0 for a row the placement does not have.
    int RowTop(int row) const { return IsRow(row) ? m_rowTop[static_cast<size_t>(row)] : 0; }
    int NextFreeX(int row) const { return IsRow(row) ? m_nextFreeX[static_cast<size_t>(row)] : 0; }
    int RightLimit() const { return m_rightLimit; }

private:
    static bool IsRow(int row) { return row >= 0 && row < kRowCount; }

    std::array<int, kRowCount> m_rowTop{};
    std::array<int, kRowCount> m_nextFreeX{};
    int m_rightLimit = 0;
};

}  // namespace kurvex
