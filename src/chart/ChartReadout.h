#pragma once
// What the chart tells about the place under the mouse: the strip and station
// there, the run's point nearest to it with its readout text, the exceedance
// marker under it with its tooltip, and the station texts of the context menu.
// Everything works on the registrations of the last drawn page (CGetMouseDm and
// CExceedanceMarkers), so it maps exactly as a click does.

#include "chart/GetMouseDm.h"
#include "common/Surface.h"
#include "evaluation/Ueberschreitung.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {

class CFifo;
class CMessFahrtDaten;

// The strip under a logical point and the station there, as a click finds it.
struct StripHit {
    int slot = 0;
    int station = 0;  // dm
    int lo = 0;       // the strip's stations [lo, hi] in dm
    int hi = 0;
};
std::optional<StripHit> StripUnder(CGetMouseDm& strips, int x, int y);

// The logical point in the middle height of the registered strip that shows
// the station, at that station; none when no strip of the page shows it.
std::optional<Point> StripPointOfStation(const CGetMouseDm& strips, int32_t station);

// The window point of the run nearest to the station among those whose
// station (shifted by `shift` dm, as the curve is drawn) lies in [lo, hi];
// of two equally near ones the earlier. Bisection where the window stations are
// ordered, otherwise a walk through the window. None when no point lies there.
std::optional<int> NearestPointInStrip(const CMessFahrtDaten& run, int32_t station, int32_t lo, int32_t hi,
                                       int32_t shift = 0);

// A station in dm as the chart labels it, in km with four decimals and a
// decimal comma: 123456 -> "12,3456".
std::string StationKmText(int32_t station);
// A value in 0.1 mm with one decimal and a decimal comma: -4 -> "-0,4".
std::string TenthsCommaText(int32_t tenths);

// The readout of a window point: "Station 12,3456 km   Messwert 3,2 mm", with
// "   Geschw. 41,5 km/h" where the run has speeds and the point one. The value
// is the one the curve shows: negative values read 0 when the chart draws them
// so. ASCII, hence Windows-1252 as well.
std::string PointReadoutText(const CMessFahrtDaten& run, int index, bool negativeAsZero);

// As wide as a readout gets, for the room the status bar keeps for it.
inline constexpr const char* kWidestPointReadout = "Station 123,4567 km   Messwert -12,3 mm   Geschw. 123,4 km/h";

// The tooltip of an exceedance marker, one item a line (Windows-1252):
// "Überschreitung 12", "Station 12,3480 km", "p 3 mm, p² 9 mm²", "zählt" or
// "zählt nicht", then the lines of its remark, if any. remarkEntry is the
// container's entry for its station (remark, 0xBF, chart flag).
std::string ExceedanceToolTipText(const UEBERSCHREITUNG& record, const std::string& remarkEntry);

// Where a chart point (logical, as the view's LogicalPointAt gives it) lies
// after the zoom factor changes: the screen page scales about its origin, so
// a view that scrolls it back under the mouse keeps the point in place.
Point ZoomedChartPoint(Point logical, double fromFactor, double toFactor);

// Empties the picked stations; true when there was one.
bool ClearPickedStations(CFifo& picked);

// Where the exceedance markers of the last drawn page lie: the painter
// registers each marker line and label cell it draws (logical coordinates, y
// up) and clears them whenever it starts a page.
struct ExceedanceMarkerBox {
    int exceedance = -1;  // index in the document's exceedance container
    int x = 0;            // the marker line from y0 to y1
    int y0 = 0;
    int y1 = 0;
    Rect label;  // the label's cell
};

class CExceedanceMarkers {
public:
    void Clear() { m_boxes.clear(); }
    void Register(const ExceedanceMarkerBox& box) { m_boxes.push_back(box); }
    const std::vector<ExceedanceMarkerBox>& Boxes() const { return m_boxes; }

    // The exceedance whose label cell holds the point, or whose line passes
    // within `slack` logical units of it (the nearest line of several); -1
    // when none does. Only the markers of one page are searched.
    int HitTest(int x, int y, int slack) const;

private:
    std::vector<ExceedanceMarkerBox> m_boxes;
};

}  // namespace kurvex
