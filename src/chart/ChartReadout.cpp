#include "chart/ChartReadout.h"

#include "chart/ChartGeometry.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/Fifo.h"
#include "evaluation/UeberschreitungsDaten.h"
#include "measurement/MessFahrtDaten.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace kurvex {

namespace {

Rect Normalised(const Rect& r)
{
    return Rect{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
                std::max(r.top, r.bottom)};
}

// Left and top edge inclusive, right and bottom exclusive, as the click's hit test.
bool HoldsPoint(const Rect& normalised, int x, int y)
{
    return x >= normalised.left && x < normalised.right && y >= normalised.top && y < normalised.bottom;
}

int64_t ShiftedStation(const CMessFahrtDaten& run, int i, int32_t shift) { return int64_t{run.GetStation(i)} + shift; }

// An integer in units of 1/divisor with `decimals` digits after a decimal comma, exactly.
std::string FixedCommaText(int64_t n, int64_t divisor, int decimals)
{
    const int64_t magnitude = std::llabs(n);
    std::string fraction = FormatInt(magnitude % divisor);
    fraction.insert(0, static_cast<size_t>(std::max(0, decimals - static_cast<int>(fraction.size()))), '0');
    return (n < 0 ? "-" : "") + FormatInt(magnitude / divisor) + "," + fraction;
}

}  // namespace

std::optional<StripHit> StripUnder(CGetMouseDm& strips, int x, int y)
{
    const int kept = std::min(strips.Count(), CGetMouseDm::kMaxStrips);
    for (int slot = 0; slot < kept; ++slot) {
        if (!HoldsPoint(Normalised(strips.StripRect(slot)), x, y))
            continue;
        // The first box that holds the point is the one the hit test maps through.
        const std::optional<int> station = strips.HitTest(x, y);
        if (!station)
            return std::nullopt;
        const int a = strips.StartStation(slot);
        const int e = strips.EndStation(slot);
        return StripHit{slot, *station, std::min(a, e), std::max(a, e)};
    }
    return std::nullopt;
}

std::optional<Point> StripPointOfStation(const CGetMouseDm& strips, int32_t station)
{
    const int kept = std::min(strips.Count(), CGetMouseDm::kMaxStrips);
    for (int slot = 0; slot < kept; ++slot) {
        const int a = strips.StartStation(slot);
        const int e = strips.EndStation(slot);
        if (a == e || station < std::min(a, e) || station > std::max(a, e))
            continue;
        const Rect box = Normalised(strips.StripRect(slot));
        const double share = (static_cast<double>(station) - a) / (static_cast<double>(e) - a);
        const int x = ClampToInt32(box.left + share * (static_cast<double>(box.right) - box.left));
        return Point{std::min(x, box.right - 1), box.top + (box.bottom - box.top) / 2};
    }
    return std::nullopt;
}

std::optional<int> NearestPointInStrip(const CMessFahrtDaten& run, int32_t station, int32_t lo, int32_t hi,
                                       int32_t shift)
{
    const int count = run.GetCount();
    if (count == 0 || lo > hi)
        return std::nullopt;
    std::optional<int> best;
    int64_t bestDistance = std::numeric_limits<int64_t>::max();
    const auto consider = [&](int i) {
        const int64_t t = ShiftedStation(run, i, shift);
        if (t < lo || t > hi)
            return;
        const int64_t distance = std::llabs(t - station);
        if (distance < bestDistance || (distance == bestDistance && best && i < *best)) {
            best = i;
            bestDistance = distance;
        }
    };
    using Order = CMessFahrtDaten::StationOrder;
    const Order order = run.WindowStationOrder();
    if (order == Order::Unordered) {
        for (int i = 0; i < count; ++i)
            consider(i);
        return best;
    }
    // The first point at or past a station in the window's order.
    const bool rising = order == Order::NonDecreasing;
    const auto firstAtOrPast = [&](int64_t value) {
        int first = 0;
        int last = count;
        while (first < last) {
            const int mid = first + (last - first) / 2;
            const int64_t t = ShiftedStation(run, mid, shift);
            if (rising ? t >= value : t <= value)
                last = mid;
            else
                first = mid + 1;
        }
        return first;
    };
    // The nearest point inside the strip is that one or the one before it; of
    // several points at one station (the device stood still) the first.
    const int next = firstAtOrPast(station);
    if (next > 0)
        consider(firstAtOrPast(ShiftedStation(run, next - 1, shift)));
    if (next < count)
        consider(next);
    return best;
}

std::string StationKmText(int32_t station) { return FixedCommaText(station, 10000, 4); }

std::string TenthsCommaText(int32_t tenths) { return FixedCommaText(tenths, 10, 1); }

std::string PointReadoutText(const CMessFahrtDaten& run, int index, bool negativeAsZero)
{
    int32_t value = run.GetValue(index);
    if (negativeAsZero && value < 0)
        value = 0;
    std::string text =
        "Station " + StationKmText(run.GetStation(index)) + " km   Messwert " + TenthsCommaText(value) + " mm";
    const double speed = run.GetSpeed(index);
    if (run.HasSpeedData() && speed >= 0.0) {
        std::string kmh = FormatFixed(speed, 1);
        ReplaceChar(kmh, '.', ',');
        text += "   Geschw. " + kmh + " km/h";
    }
    return text;
}

std::string ExceedanceToolTipText(const UEBERSCHREITUNG& record, const std::string& remarkEntry)
{
    // Windows-1252: \xDC Ü, \xB2 ², \xE4 ä.
    std::string text =
        "\xDC"
        "berschreitung " +
        FormatInt(record.lfdNr) + "\nStation " + StationKmText(record.station) + " km\np " + FormatInt(record.p) +
        " mm, p\xB2 " + FormatInt(record.p2) + " mm\xB2\n" + (record.beruecksichtigt ? "z\xE4hlt" : "z\xE4hlt nicht");
    const std::string remark = remarkEntry.substr(0, std::min(remarkEntry.find(kFieldSeparator), remarkEntry.size()));
    if (!remark.empty())
        text += "\n" + ReplacedAll(remark, kStoredLineBreak, "\n");
    return text;
}

Point ZoomedChartPoint(Point logical, double fromFactor, double toFactor)
{
    if (!(fromFactor > 0.0) || !(toFactor > 0.0))
        return logical;
    const double ratio = toFactor / fromFactor;
    const Point o = kScreenPageOrigin;
    return Point{ClampToInt32(std::round(o.x + (static_cast<double>(logical.x) - o.x) * ratio)),
                 ClampToInt32(std::round(o.y + (static_cast<double>(logical.y) - o.y) * ratio))};
}

bool ClearPickedStations(CFifo& picked)
{
    if (picked.Get(0).empty() && picked.Get(1).empty())
        return false;
    picked.SetCapacity(picked.Capacity());  // empties every slot
    return true;
}

int CExceedanceMarkers::HitTest(int x, int y, int slack) const
{
    int nearest = -1;
    int64_t nearestDistance = std::numeric_limits<int64_t>::max();
    for (const ExceedanceMarkerBox& box : m_boxes) {
        const Rect label = Normalised(box.label);
        if (x >= label.left && x <= label.right && y >= label.top && y <= label.bottom)
            return box.exceedance;
        const int64_t distance = std::llabs(int64_t{x} - box.x);
        if (distance > slack || y < int64_t{std::min(box.y0, box.y1)} - slack ||
            y > int64_t{std::max(box.y0, box.y1)} + slack)
            continue;
        if (distance < nearestDistance) {
            nearest = box.exceedance;
            nearestDistance = distance;
        }
    }
    return nearest;
}

}  // namespace kurvex
