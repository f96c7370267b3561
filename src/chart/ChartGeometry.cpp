#include "chart/ChartGeometry.h"

#include "common/Numbers.h"

#include <cstdint>
#include <cstdlib>

namespace kurvex {
namespace {

// Station sums of extreme runs can leave the int range; they are clamped to it.
int ClampStation(int64_t value) { return ClampToInt32(static_cast<double>(value)); }

struct ScaleRow {
    int denominator;
    int labelStepMetres;
};
constexpr ScaleRow kLengthScales[] = {
    {100, 5}, {200, 10}, {400, 10}, {1000, 50}, {2000, 50}, {5000, 125},
};

}  // namespace

double ZoomFactor(int level)
{
    static constexpr double kFactors[] = {5.0, 4.0, 3.0, 2.0, 1.7, 1.4, 1.2, 1.0};
    if (level < kMinZoomLevel || level > kMaxZoomLevel)
        return 1.0;
    return kFactors[level - kMinZoomLevel];
}

int ScaleLength(int a, double zoomFactor) { return ClampToInt32(a * zoomFactor); }

int ZoomInLevel(int level) { return level - 1 < kMinZoomLevel ? kMinZoomLevel : level - 1; }

int ZoomOutLevel(int level) { return level + 1 > kMaxZoomLevel ? kMaxZoomLevel : level + 1; }

int NextZoomLevel(int level) { return level - 1 < kMinZoomLevel ? kMaxZoomLevel : level - 1; }

ScrollGeometry ScrollExtent(double zoomFactor)
{
    ScrollGeometry geometry;
    geometry.total = Size{ScaleLength(35000, zoomFactor), ScaleLength(18000, zoomFactor)};
    geometry.page = Size{geometry.total.cx / 2, geometry.total.cy / 2};
    geometry.line = Size{geometry.total.cx / 20, geometry.total.cy / 20};
    return geometry;
}

bool IsKnownLengthScale(int denominator)
{
    for (const ScaleRow& row : kLengthScales)
        if (row.denominator == denominator)
            return true;
    return false;
}

int EffectiveLengthScale(int denominator)
{
    return IsKnownLengthScale(denominator) ? denominator : kDefaultLengthScale;
}

int StripLengthForScale(int denominator) { return EffectiveLengthScale(denominator) * 250 / 100; }

int StationLabelStepMetres(int denominator)
{
    for (const ScaleRow& row : kLengthScales)
        if (row.denominator == denominator)
            return row.labelStepMetres;
    return 10;
}

int StationLabelSpacing(int stripWidth, int denominator)
{
    const int scale = EffectiveLengthScale(denominator);
    const int labelsPerStrip = (scale / 4) / StationLabelStepMetres(scale);  // 5 or 10, never 0
    return std::abs(stripWidth / labelsPerStrip);
}

int StripWidth(double zoomFactor) { return ScaleLength(kStripWidthUnits, zoomFactor); }

int StripHeight(double zoomFactor) { return ScaleLength(kStripHeightUnits, zoomFactor); }

CAxisScale ValueAxis(int stripHeight)
{
    CAxisScale scale;
    scale.Init(stripHeight, kValueAxisTopMm, kValueAxisBottomMm, 0);
    return scale;
}

CAxisScale SpeedAxis(int stripHeight)
{
    CAxisScale scale;
    scale.Init(stripHeight, kSpeedAxisTopKmh, kSpeedAxisBottomKmh, 0);
    return scale;
}

CAxisScale StationAxis(int stripWidth, int startStation, int endStation)
{
    CAxisScale scale;
    scale.Init(stripWidth, startStation, endStation, 0);
    return scale;
}

int SanitizeStripsPerPage(int value) { return value < 2 || value > 3 ? kDefaultStripsPerPage : value; }

int ToggledStripsPerPage(int stripsPerPage) { return stripsPerPage == 3 ? 2 : 3; }

int ChartStartStation(int firstStation, bool ascending)
{
    if (firstStation % 100 == 0)
        return firstStation;
    int64_t start = (firstStation / 100) * int64_t{100};  // truncates toward zero
    if (!ascending && firstStation >= 0)
        start += 100;
    if (ascending && firstStation < 0)
        start -= 100;
    return ClampStation(start);
}

int PageCountFor(int stripCount, int stripsPerPage)
{
    const int perPage = SanitizeStripsPerPage(stripsPerPage);
    return static_cast<int>((stripCount - 0.5) / perPage) + 1;
}

ChartPaging ComputePaging(const RunExtent& run, int stripLength, int stripsPerPage, const ChartPaging& previous)
{
    ChartPaging paging = previous;
    paging.pageCount = 0;
    if (!run.hasPoints)
        return paging;
    const int length = stripLength >= 1 ? stripLength : StripLengthForScale(kDefaultLengthScale);
    paging.chartStart = ChartStartStation(run.firstStation, run.ascending);
    const int64_t distance = std::llabs(int64_t{run.lastStation} - paging.chartStart);
    paging.stripCount = ClampStation(distance / length + 1);
    paging.pageCount = PageCountFor(paging.stripCount, stripsPerPage);
    return paging;
}

StripStations StripStationsOf(int chartStart, int page, int strip, int stripsPerPage, int stripLength, bool ascending)
{
    const int64_t direction = ascending ? 1 : -1;
    const int64_t index = (int64_t{page} - 1) * SanitizeStripsPerPage(stripsPerPage) + strip;
    const int64_t start = chartStart + index * stripLength * direction;
    StripStations stations;
    stations.start = ClampStation(start);
    stations.end = ClampStation(int64_t{stations.start} + int64_t{stripLength} * direction);
    return stations;
}

int StripsOnPage(int page, int pageCount, int stripCount, int stripsPerPage)
{
    const int perPage = SanitizeStripsPerPage(stripsPerPage);
    const bool lastPage = page >= pageCount;
    const int rest = stripCount % perPage;
    int count = 1;
    if (!(lastPage && rest == 1))
        ++count;
    if (perPage == 3 && (!lastPage || rest == 0))
        ++count;
    return count;
}

int StripPitch(int stripsPerPage, double zoomFactor)
{
    if (SanitizeStripsPerPage(stripsPerPage) == 3)
        return ScaleLength(3200, zoomFactor) + ScaleLength(1400, zoomFactor);
    return ScaleLength(6800, zoomFactor);
}

Point StripOrigin(int strip, int stripsPerPage, double zoomFactor)
{
    const int firstOffset = SanitizeStripsPerPage(stripsPerPage) == 3 ? 0 : ScaleLength(2400, zoomFactor);
    const int down = firstOffset + strip * StripPitch(stripsPerPage, zoomFactor) + ScaleLength(600, zoomFactor);
    return Point{ScaleLength(1100, zoomFactor), -down};
}

int PrintPageOriginX(int printableLeft, int printableRight, int leftMargin)
{
    int64_t x0 = int64_t{printableLeft} + leftMargin;
    if (int64_t{printableRight} - x0 < kPrintMinimumWidth)
        x0 = int64_t{printableRight} - kPrintMinimumWidth;
    return ClampStation(x0);
}

std::string ChartWindowTitle(const std::string& fileName, int page, int pageCount)
{
    return fileName + "   Seite " + FormatInt(page) + " von " + FormatInt(pageCount);
}

int ExceedancePageFromStart(int station, int stripStart)
{
    const double distance = static_cast<double>(std::llabs(int64_t{station} - stripStart));
    return static_cast<int>(distance / 3000.0) + 1;
}

}  // namespace kurvex
