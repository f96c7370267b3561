#pragma once
// Where a user points on a chart window: a viewport position inside a strip
// whose hit test gives the station, found by trying pixels along the strip.

#include "chart/GetMouseDm.h"
#include "chart/ui/KurvexView.h"

#include <QPoint>

#include <gtest/gtest.h>

namespace kurvex::test {

// height: where in the strip, from its top (0) to its bottom (1).
inline QPoint PositionOfStation(CKurvexView& view, int slot, int station, double height = 0.5)
{
    CGetMouseDm mouse = view.Painter().Mouse();
    const Rect box = mouse.StripRect(slot);
    const int a = mouse.StartStation(slot);
    const int e = mouse.EndStation(slot);
    const int x = box.left + static_cast<int>(static_cast<long long>(station - a) * (box.right - box.left) / (e - a));
    const int y = box.top + static_cast<int>((box.bottom - box.top) * height);
    const QPointF guess = view.ViewportPositionOf(Point{x, y});
    for (int dx = -4; dx <= 4; ++dx) {
        const QPoint candidate(static_cast<int>(guess.x()) + dx, static_cast<int>(guess.y()));
        const Point logical = view.LogicalPointAt(QPointF(candidate));
        if (mouse.HitTest(logical.x, logical.y) == station)
            return candidate;
    }
    ADD_FAILURE() << "no pixel for station " << station;
    return QPoint();
}

}  // namespace kurvex::test
