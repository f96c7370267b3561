#pragma once
// Geometry of the strip chart: zoom, length scale, the three axis scales of a
// strip, how a run is cut into strips and pages, and where strips and pages
// lie. Everything here is a pure function of plain numbers, so the view, the
// printing and the command-line renderer share one set of rules.
//
// Lengths are logical units (0.01 mm); stations are decimetres.

#include "chart/AxisScale.h"
#include "common/Surface.h"

#include <string>

namespace kurvex {

// --- Zoom -----------------------------------------------------------------

inline constexpr int kMinZoomLevel = -2;
inline constexpr int kMaxZoomLevel = 5;
inline constexpr int kDefaultZoomLevel = 4;  // a new view
inline constexpr int kPrintZoomLevel = 5;    // set when a print or preview is prepared

// 5.0, 4.0, 3.0, 2.0, 1.7, 1.4, 1.2, 1.0 for the levels -2 .. 5; 1.0 outside.
double ZoomFactor(int level);

// A layout length at the zoom factor, truncated toward zero.
int ScaleLength(int a, double zoomFactor);

// The keys: plus zooms in (level - 1, not below -2), minus zooms out (level + 1, not above 5).
int ZoomInLevel(int level);
int ZoomOutLevel(int level);
// The zoom command steps one level in and wraps from below -2 to 5.
int NextZoomLevel(int level);

// Scrollable extent of the view and its page and line steps.
struct ScrollGeometry {
    Size total;
    Size page;  // half the extent
    Size line;  // a twentieth of the extent
};
ScrollGeometry ScrollExtent(double zoomFactor);

// --- Length scale -----------------------------------------------------------

inline constexpr int kDefaultLengthScale = 400;

// 100, 200, 400, 1000, 2000 and 5000 are the scales a chart is drawn at.
bool IsKnownLengthScale(int denominator);
// The denominator a strip is drawn with: unknown ones become 400.
int EffectiveLengthScale(int denominator);
// Station length of one strip in dm: s * 250 / 100 of the effective scale, so
// a 250 mm strip shows s/4 metres of road at 1:s (1000 dm at 1:400). An
// unknown denominator gives the strips of 1:400 from the very first paint on:
// the station labels of that paint are already spaced for 1:400, and strips
// of the old length under them would misstate every station on the page.
int StripLengthForScale(int denominator);
// Metres between two station labels: 5, 10, 10, 50, 50, 125 for the known
// scales, 10 for any other (drawn as 1:400).
int StationLabelStepMetres(int denominator);
// Logical units between two station labels on a strip of width L.
int StationLabelSpacing(int stripWidth, int denominator);

// --- Strip box and axis scales -----------------------------------------------

inline constexpr int kStripWidthUnits = 25000;   // L at factor 1.0: 250 mm
inline constexpr int kStripHeightUnits = 3200;   // H at factor 1.0: 32 mm

inline constexpr double kValueAxisTopMm = -5.0;     // on the upper edge of the strip box
inline constexpr double kValueAxisBottomMm = 25.0;  // on the lower edge
inline constexpr double kSpeedAxisTopKmh = 12.0;
inline constexpr double kSpeedAxisBottomKmh = 0.0;

int StripWidth(double zoomFactor);
int StripHeight(double zoomFactor);

// y of a value v is -Map(v); x of a station t is Map(t).
CAxisScale ValueAxis(int stripHeight);
CAxisScale SpeedAxis(int stripHeight);
CAxisScale StationAxis(int stripWidth, int startStation, int endStation);

// --- Paging ----------------------------------------------------------------

inline constexpr int kDefaultStripsPerPage = 3;

// The stored strips-per-page setting: anything but 2 or 3 becomes 3.
int SanitizeStripsPerPage(int value);
// The layout command: 3 becomes 2, anything else 3.
int ToggledStripsPerPage(int stripsPerPage);

// The run's first station rounded to a 10-m station against the direction of
// travel: down for ascending runs, up for descending runs.
int ChartStartStation(int firstStation, bool ascending);

struct ChartPaging {
    int chartStart = 0;  // dm
    int stripCount = 0;
    int pageCount = 0;
};

// The window stations of a run as far as the paging needs them.
struct RunExtent {
    bool hasPoints = false;
    int firstStation = 0;  // dm, first window point
    int lastStation = 0;   // dm, last window point
    bool ascending = true;
};

// Strips and pages of a run. A run without points gives page count 0 and keeps
// chart start and strip count of `previous`. A strip length below 1 dm is
// taken as that of 1:400, a strips-per-page value outside 2..3 as 3.
ChartPaging ComputePaging(const RunExtent& run, int stripLength, int stripsPerPage, const ChartPaging& previous);

// Pages for a strip count: strip count / strips per page, rounded up.
int PageCountFor(int stripCount, int stripsPerPage);

struct StripStations {
    int start = 0;  // a
    int end = 0;    // e = a + strip length * direction
};
// Strip j (0-based) of page p (1-based).
StripStations StripStationsOf(int chartStart, int page, int strip, int stripsPerPage, int stripLength, bool ascending);

// How many strips page p draws (1 .. strips per page): all, except on the
// last page (p >= page count) where the strip count decides.
int StripsOnPage(int page, int pageCount, int stripCount, int stripsPerPage);

// Distance from one strip's upper edge to the next one's on a page.
int StripPitch(int stripsPerPage, double zoomFactor);

// Origin of strip j in page coordinates (page origin at (0, 0), y upward): the
// strip box then spans x 0..L and y 0..-H from there.
Point StripOrigin(int strip, int stripsPerPage, double zoomFactor);

// --- Page placement --------------------------------------------------------

inline constexpr Point kScreenPageOrigin{0, -500};  // 5 mm below the top of the scrollable area
inline constexpr int kPrintPageOriginY = -4000;     // 40 mm below the top of the printable area
inline constexpr int kPrintMinimumWidth = 27000;    // room the page needs right of its origin

// x of the page origin on paper: left edge + left-margin correction, but at
// least 27000 units left of the right edge.
int PrintPageOriginX(int printableLeft, int printableRight, int leftMargin);

// --- Texts and page numbers ------------------------------------------------

// "<file>   Seite <page> von <count>"; fileName is Windows-1252 and so is the result.
std::string ChartWindowTitle(const std::string& fileName, int page, int pageCount);

// Page of an exceedance guessed from its distance to the chart start, in
// pages of 3000 dm (three strips at 1:400).
int ExceedancePageFromStart(int station, int stripStart);

}  // namespace kurvex
