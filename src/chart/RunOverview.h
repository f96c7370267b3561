#pragma once
// The run from start to end in one narrow strip: the curve cut down to one
// value range per pixel column, the stations of the page on screen, and the
// section boundaries and limit lines of the whole run. The overview window
// paints from these; a click there turns back into a station.

#include <cstdint>
#include <string>
#include <vector>

#include "chart/ChartPainter.h"

namespace kurvex {

class CMessFahrtDaten;

// The smallest and largest value (0.1 mm) of the points that fall into one
// pixel column; a column without a point has none.
struct ColumnExtent {
    int32_t low = 0;
    int32_t high = 0;
    bool hasPoints = false;
};

// Stations from `first` (the left edge) to `last` (the right edge) spread over
// a width; first and last may run either way, as the run does.
class OverviewScale {
public:
    OverviewScale() = default;
    OverviewScale(int32_t first, int32_t last, int width);

    int32_t First() const { return m_first; }
    int32_t Last() const { return m_last; }
    int Width() const { return m_width; }
    // The column (0 .. width-1) of a station, stations beyond the ends in the end columns.
    int ColumnOf(int32_t station) const;
    // x of a station as a fraction of columns (0 at first, width at last), not clamped.
    double XOf(int32_t station) const;
    // The station at x (0 .. width), clamped to the run.
    int32_t StationAt(double x) const;

private:
    int32_t m_first = 0;
    int32_t m_last = 0;
    int m_width = 0;
};

// The scale over the window points of a run: first to last window station.
OverviewScale OverviewScaleOf(const CMessFahrtDaten& run, int width);

// Every window point of the run in its column, as the chart draws its value
// (negative values as zero when the state says so). No extreme of a column is
// lost, however many points share it.
std::vector<ColumnExtent> DecimateToColumns(const CMessFahrtDaten& run, const OverviewScale& scale,
                                            bool negativeAsZero);

// The stations the page on screen shows: the start of its first strip and the
// end of its last one, in run direction.
struct StationSpan {
    int32_t from = 0;
    int32_t to = 0;
};
StationSpan PageStations(const ChartView& view, bool ascending);
// The page whose strips hold a station, clamped to 1 .. page count; 0 without pages.
int PageShowingStation(const ChartView& view, bool ascending, int32_t station);

// What the overview draws of the sections: their boundaries and, for each
// stretch with a limit, the limit line. Read from the same section marks the
// chart draws from.
struct OverviewLimitLine {
    int32_t from = 0;
    int32_t to = 0;
    int32_t limit = 0;  // 0.1 mm
};
struct OverviewSectionMarks {
    std::vector<int32_t> boundaries;
    std::vector<OverviewLimitLine> limitLines;
};
OverviewSectionMarks ParseOverviewSectionMarks(const std::string& marks);

// The values (0.1 mm) the strip's height spans: those of the curve, the limit
// lines and zero, within the chart's value axis (-5 .. 25 mm), with a margin
// of a twentieth on either side. A strip a few pixels high would show a flat
// line at the chart's whole range.
struct OverviewValueRange {
    double low = 0.0;
    double high = 0.0;
};
OverviewValueRange OverviewValueRangeOf(const std::vector<ColumnExtent>& columns, const OverviewSectionMarks& marks);

}  // namespace kurvex
