#include "chart/TextboxVerwaltung.h"

#include "common/Numbers.h"

#include <cstdint>

namespace kurvex {
namespace {

// Box edges of texts anchored far outside the strip can leave the int range.
int Clamp(int64_t value) { return ClampToInt32(static_cast<double>(value)); }

}  // namespace

void CTextboxVerwaltung::ResetRows(int leftLimit, int rightLimit, double zoomFactor)
{
    static constexpr int kRowTopUnits[kRowCount] = {-1600, -2133, -2666, 0, 940};
    m_rightLimit = rightLimit;
    for (size_t i = 0; i < m_rowTop.size(); ++i) {
        m_rowTop[i] = ClampToInt32(kRowTopUnits[i] * zoomFactor);
        m_nextFreeX[i] = leftLimit;
    }
}

Point CTextboxVerwaltung::PlaceTextBox(int w, int x)
{
    // The box ends at its anchor when the row's last box leaves room for it, else it follows that box.
    auto leftEdge = [w, x](int nextFree) {
        return int64_t{nextFree} + w < x ? Clamp(int64_t{x} - w) : nextFree;
    };
    for (size_t i = 0; i < kPlacementRows; ++i) {
        if (x >= m_nextFreeX[i] && int64_t{m_nextFreeX[i]} + w <= m_rightLimit) {
            const int left = leftEdge(m_nextFreeX[i]);
            m_nextFreeX[i] = Clamp(int64_t{left} + w + kBoxGap);
            return Point{left, m_rowTop[i]};
        }
    }
    // No row fits: row 0 after its last box, and row 1 opens up from just left of it.
    const int left = leftEdge(m_nextFreeX[0]);
    m_nextFreeX[0] = Clamp(int64_t{left} + w + kBoxGap);
    m_nextFreeX[1] = Clamp(int64_t{left} - kBoxGap);
    return Point{left, m_rowTop[0]};
}

}  // namespace kurvex
