#include "chart/GetMouseDm.h"

#include "common/Numbers.h"

#include <algorithm>
#include <cmath>

namespace kurvex {

void CGetMouseDm::ClearStrips()
{
    m_count = 0;
    m_rect.fill(Rect{});
}

void CGetMouseDm::RegisterStrip(const Rect& rect, int startStation, int endStation)
{
    if (m_count < kMaxStrips) {
        const auto slot = static_cast<size_t>(m_count);
        m_rect[slot] = rect;
        m_startStation[slot] = startStation;
        m_endStation[slot] = endStation;
    }
    if (m_count < INT32_MAX)
        ++m_count;
}

std::optional<int> CGetMouseDm::HitTest(int x, int y)
{
    for (size_t i = 0; i < m_rect.size(); ++i) {
        const Rect& r = m_rect[i];
        const int left = std::min(r.left, r.right);
        const int right = std::max(r.left, r.right);
        const int top = std::min(r.top, r.bottom);
        const int bottom = std::max(r.top, r.bottom);
        if (x < left || x >= right || y < top || y >= bottom)
            continue;
        m_scale.Init(ClampToInt32(double(right) - left), m_startStation[i], m_endStation[i], 0);
        return ClampToInt32(m_scale.Unmap(ClampToInt32(double(x) - left)));
    }
    return std::nullopt;
}

std::string MeasureStatusText(const std::string& newest, const std::string& previous)
{
    if (newest.empty() && previous.empty())
        return "[ ] [ ]";
    const double n = ToInt(newest) / 10.0;
    if (previous.empty())
        return "[ " + FormatFixed(n, 1) + " ] [ ]";
    const double p = ToInt(previous) / 10.0;
    return "[ " + FormatFixed(n, 1) + " ] [ " + FormatFixed(p, 1) + " ]  Distanz " + FormatFixed(std::fabs(n - p), 1) +
           "m";
}

}  // namespace kurvex
