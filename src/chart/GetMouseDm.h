#pragma once
// Turns a click on the chart into a station. Every page drawing clears the
// registrations and registers each strip box it draws (in the surface's
// logical coordinates) with the strip's start and end station.

#include "chart/AxisScale.h"
#include "common/Surface.h"

#include <array>
#include <optional>
#include <string>

namespace kurvex {

class CGetMouseDm {
public:
    static constexpr int kMaxStrips = 3;

    void ClearStrips();
    // Registrations beyond the third are counted but not kept.
    void RegisterStrip(const Rect& rect, int startStation, int endStation);

    // The station under a logical point: the first registered box that holds
    // it (left and top edge inclusive, right and bottom exclusive, after
    // normalising the box) maps x linearly between its start and end station.
    std::optional<int> HitTest(int x, int y);

    // Count() may exceed the slots kept; a slot not kept reads as an empty box at station 0.
    int Count() const { return m_count; }
    Rect StripRect(int slot) const { return IsKept(slot) ? m_rect[static_cast<size_t>(slot)] : Rect{}; }
    int StartStation(int slot) const { return IsKept(slot) ? m_startStation[static_cast<size_t>(slot)] : 0; }
    int EndStation(int slot) const { return IsKept(slot) ? m_endStation[static_cast<size_t>(slot)] : 0; }

private:
    bool IsKept(int slot) const { return slot >= 0 && slot < kMaxStrips && slot < m_count; }

    CAxisScale m_scale;
    std::array<int, kMaxStrips> m_startStation{};
    std::array<int, kMaxStrips> m_endStation{};
    std::array<Rect, kMaxStrips> m_rect{};
    int m_count = 0;
};

// Status-bar text of the last two clicks, given as station texts in dm
// (newest first, either may be empty): "[ 123.5 ] [ 100.0 ]  Distanz 23.5m".
std::string MeasureStatusText(const std::string& newest, const std::string& previous);

}  // namespace kurvex
