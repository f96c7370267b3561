#include "chart/ChartPainter.h"

#include "chart/PageFrame.h"
#include "common/Cp1252.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/KurvexDoc.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace kurvex {

namespace {

inline constexpr const char* kSpeedCaption = "Geschwindigkeit [km/h]";
inline constexpr const char* kStationCaption = "Station [km]";

// Indices of the colour and width settings.
inline constexpr int kGridPen = 0;
inline constexpr int kZeroLinePen = 1;
inline constexpr int kLimitPen = 2;
inline constexpr int kRunPen = 3;
inline constexpr int kFirstComparisonPen = 4;
inline constexpr int kSpeedPen = 8;

inline constexpr Color kSeparatorMagenta{255, 0, 255};
inline constexpr Color kNotConsideredGrey{127, 127, 127};
inline constexpr Color kMarkedRangeYellow{255, 255, 127};
inline constexpr Color kTwoMetreBandGrey{209, 209, 209};
inline constexpr Color kExcludedHatch{80, 80, 80};

inline constexpr int kTextColourCount = 6;

// Under every strip: "Station [km]" at the strip's start, the station labels 400 lower.
inline constexpr int kStationCaptionX = -800;
inline constexpr int kStationLabelDrop = 400;
// V300, the font of the two axis captions.
inline constexpr int kAxisCaptionFontHeight = 300;
// Exceedance labels close together alternate between two rows 2.7 mm apart.
inline constexpr int kExceedanceRows = 2;
inline constexpr int kExceedanceRowPitch = 270;

bool CellsOverlap(const Rect& a, const Rect& b)
{
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

// The exceedances of the closed station interval [lo, hi] as indices [begin, end).
// The container is sorted in its run direction, so they are one run of indices
// whose ends are found by bisection.
std::pair<int, int> ExceedancesBetween(CUeberschreitungsDaten& exceedances, int32_t lo, int32_t hi)
{
    const int count = exceedances.ExceedanceCount();
    UEBERSCHREITUNG record;
    const auto stationAt = [&](int i) {
        exceedances.ExceedanceCopy(i, record);
        return record.station;
    };
    const auto firstIndex = [&](auto beyond) {
        int low = 0;
        int high = count;
        while (low < high) {
            const int mid = low + (high - low) / 2;
            if (beyond(stationAt(mid)))
                high = mid;
            else
                low = mid + 1;
        }
        return low;
    };
    if (exceedances.IsAscending())
        return {firstIndex([&](int32_t t) { return t >= lo; }), firstIndex([&](int32_t t) { return t > hi; })};
    return {firstIndex([&](int32_t t) { return t <= hi; }), firstIndex([&](int32_t t) { return t < lo; })};
}

// "12", "12: Fuge", or in brackets for an exceedance that is not considered.
std::string ExceedanceLabelText(const UEBERSCHREITUNG& record, const std::string& remark)
{
    std::string text = record.beruecksichtigt ? FormatInt(record.lfdNr) : "(" + FormatInt(record.lfdNr);
    if (!remark.empty())
        text += ": " + remark;
    if (!record.beruecksichtigt)
        text += ")";
    return text;
}

// The row of the next exceedance label: a label closer to the previous one
// than its own width w takes the other row, one farther away the first row.
int NextExceedanceRow(int row, int previousX, int x, int w)
{
    return previousX - x > w ? 0 : (row + 1) % kExceedanceRows;
}

// Top of an exceedance label in `row`, below the first row's top; its cell has
// the given left edge and extent. A label near the strip start would cover
// "Station [km]" with its opaque cell: there the rows stack upward from the
// caption's top instead.
int ExceedanceLabelTop(int firstRowTop, int row, int left, Size extent, const Rect& stationCaption)
{
    const int top = firstRowTop - row * kExceedanceRowPitch;
    if (!CellsOverlap(Rect{left, top, left + extent.cx, top - extent.cy}, stationCaption))
        return top;
    return stationCaption.top + extent.cy + row * kExceedanceRowPitch;
}

Font ArialFont(int height, int weight, int escapement = 0)
{
    Font font;
    font.face = "Arial";
    font.height = height;
    font.weight = weight;
    font.escapement = escapement;
    return font;
}

// G300, G400, G450: the grid labels by zoom level.
Font GridFont(int zoomLevel)
{
    if (zoomLevel == 5)
        return ArialFont(300, kFontWeightLight);
    if (zoomLevel == 3 || zoomLevel == 4)
        return ArialFont(400, kFontWeightLight);
    return ArialFont(450, kFontWeightLight);
}

// Free texts and range texts.
Font TextBoxFont(int zoomLevel)
{
    switch (zoomLevel) {
    case 2: return ArialFont(480, kFontWeightNormal);
    case 3: return ArialFont(400, kFontWeightNormal);
    case 4:
    case 5: return ArialFont(250, kFontWeightNormal);
    default: return ArialFont(500, kFontWeightNormal);
    }
}

struct SeparatorStyle {
    int fontHeight;
    int n;
    int d;
};
SeparatorStyle SeparatorStyleFor(int zoomLevel)
{
    switch (zoomLevel) {
    case 1: return {500, 1140, 420};
    case 2: return {400, 980, 330};
    case 3: return {400, 800, 300};
    case 4: return {250, 580, 200};
    case 5: return {250, 600, 200};
    default: return {500, 1200, 450};
    }
}

void Text(Surface& surface, int x, int y, const std::string& cp1252) { surface.TextOut(x, y, Cp1252ToUtf8(cp1252)); }

Pen SolidPen(int width, Color colour) { return Pen{PenStyle::Solid, width, colour}; }

bool InHalfOpen(int32_t t, int32_t lo, int32_t hi) { return lo <= t && t < hi; }

int64_t Shifted(const CMessFahrtDaten& run, int i, int32_t shift) { return int64_t{run.GetStation(i)} + shift; }

// The station shift of a run in dm: its comparison offset in metres.
int32_t StationShiftOf(const CMessFahrtDaten& run) { return ClampToInt32(std::trunc(run.ComparisonOffset() * 10.0)); }

}  // namespace

// --- Free functions ------------------------------------------------------------

std::vector<std::string> MarkRecords(const std::string& marks)
{
    std::vector<std::string> records;
    size_t pos = 0;
    while (true) {
        const size_t open = marks.find('[', pos);
        if (open == std::string::npos)
            break;
        const size_t close = marks.find(']', open + 1);
        if (close == std::string::npos)
            break;
        if (close == open + 1)
            break;
        records.push_back(marks.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    return records;
}

int FindFirstCurvePointLinear(const CMessFahrtDaten& run, int32_t a, int32_t shift, bool ascending)
{
    const int count = run.GetCount();
    for (int i = 0; i < count; ++i) {
        const int64_t t = Shifted(run, i, shift);
        if (ascending ? t >= a : t <= a)
            return i;
    }
    return -1;
}

int FindFirstCurvePoint(const CMessFahrtDaten& run, int32_t a, int32_t shift, bool ascending)
{
    using Order = CMessFahrtDaten::StationOrder;
    const Order order = run.WindowStationOrder();
    const bool bisect = (ascending && order == Order::NonDecreasing) || (!ascending && order == Order::NonIncreasing);
    if (!bisect)
        return FindFirstCurvePointLinear(run, a, shift, ascending);
    // The points that do not qualify form a prefix of the window.
    int lo = 0;
    int hi = run.GetCount();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        const int64_t t = Shifted(run, mid, shift);
        if (ascending ? t >= a : t <= a)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo < run.GetCount() ? lo : -1;
}

RunExtent RunExtentOf(const CMessFahrtDaten& run)
{
    RunExtent extent;
    extent.hasPoints = run.GetCount() > 0;
    if (extent.hasPoints) {
        extent.firstStation = run.GetStation(0);
        extent.lastStation = run.GetStation(run.GetCount() - 1);
    }
    extent.ascending = run.IsAscending();
    return extent;
}

bool SettleLengthScale(CBearbeitungsstand& state)
{
    if (IsKnownLengthScale(state.LengthScale()))
        return false;
    state.SetLengthScale(kDefaultLengthScale);
    return true;
}

std::string SectionCaption(const CLabelTable& labels, int32_t limit, int32_t laneWidth, bool evaluated)
{
    if (!evaluated)
        return {};
    return labels.LookupLabel(kLabelRequirementSeparator) + " " + FormatFixed(limit / 10.0, 1) + "mm|" +
           labels.LookupLabel(kLabelLaneWidthSeparator) + " " + FormatInt(laneWidth) + "cm";
}

std::string StationLabel(double kilometres)
{
    std::string label = FormatFixed(kilometres, 4);
    ReplaceChar(label, '.', ',');
    return label;
}

int CurvePen(int slot) { return slot <= 0 ? kRunPen : kFirstComparisonPen + slot - 1; }

// --- The painter ---------------------------------------------------------------

// Everything a strip's layers share.
struct CChartPainter::Strip {
    int32_t a = 0;
    int32_t e = 0;
    int32_t lo = 0;  // the strip's station interval [lo, hi)
    int32_t hi = 0;
    bool ascending = true;
    bool firstStrip = false;
    bool twoStripLayout = false;
    int L = 0;
    int H = 0;
    int u = 0;  // ScaleLength(100)
    CAxisScale station;
    CAxisScale value;
    CAxisScale speed;
    bool speedLayer = false;
    std::vector<GRENZWERTLINIE> limitLines;

    int X(double t) const { return station.Map(t); }
    int Y(double v) const { return -value.Map(v); }
    // Tops of the caption "Station [km]" and of the station labels below the box.
    int StationCaptionTop() const { return -H - 2 * u; }
    int StationLabelTop() const { return StationCaptionTop() - kStationLabelDrop; }
};

CChartPainter::CChartPainter(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag)
    : m_doc(doc), m_labels(labels), m_pageFlag(pageFlag)
{
}

int CChartPainter::Scaled(int length) const { return ScaleLength(length, ZoomFactor(m_view.zoomLevel)); }

void CChartPainter::PreparePaint()
{
    // A side file's unknown length scale is taken as 1:400 for good before
    // anything is drawn, so the page frame and the report state that scale.
    SettleLengthScale(m_doc.State());
    m_view.stripLength = StripLengthForScale(m_doc.State().LengthScale());
    UpdatePaging();
}

void CChartPainter::PrepareForPages(int first, int last)
{
    PreparePaint();
    const int K = SanitizeStripsPerPage(m_view.stripsPerPage);
    const ChartPaging& paging = m_view.paging;
    const bool ascending = m_doc.Run().IsAscending();
    for (int page = first; page <= last; ++page) {
        const int strips = StripsOnPage(page, paging.pageCount, paging.stripCount, K);
        for (int j = 0; j < strips; ++j)
            PrepareStrip(StripStationsOf(paging.chartStart, page, j, K, m_view.stripLength, ascending).start);
    }
}

// At page 1 the first strip numbers all exceedances from its start, in pages of
// three strips at 1:400; any other page arms this again. Then every exceedance
// whose marker the strip draws takes the page on screen, also while other
// pages print.
void CChartPainter::PrepareStrip(int32_t a)
{
    CUeberschreitungsDaten& exceedances = m_doc.Exceedances();
    UEBERSCHREITUNG record;
    if (m_view.currentPage != 1) {
        m_pageFlag.set = true;
    } else if (m_pageFlag.set) {
        for (int i = 0; i < exceedances.ExceedanceCount(); ++i) {
            exceedances.ExceedanceCopy(i, record);
            exceedances.SetPage(i, ExceedancePageFromStart(record.station, a));
        }
        m_pageFlag.set = false;
    }
    const int32_t e = StripEnd(a);
    const int32_t lo = std::min(a, e);
    const int32_t hi = std::max(a, e);
    const auto [begin, end] = ExceedancesBetween(exceedances, lo, hi);
    for (int i = begin; i < end; ++i) {
        exceedances.ExceedanceCopy(i, record);
        if (record.station >= lo && record.station <= hi)
            exceedances.SetPage(i, m_view.currentPage);
    }
}

int32_t CChartPainter::StripEnd(int32_t a) const
{
    const bool ascending = m_doc.Run().IsAscending();
    return ClampToInt32(static_cast<double>(a) + static_cast<double>(m_view.stripLength) * (ascending ? 1 : -1));
}

void CChartPainter::UpdatePaging()
{
    m_view.paging = ComputePaging(RunExtentOf(m_doc.Run()), m_view.stripLength, m_view.stripsPerPage, m_view.paging);
}

void CChartPainter::DrawChartPage(Surface& surface, int page, int originX, int originY)
{
    const SurfaceStateGuard guard(surface);
    surface.OffsetOrigin(originX, originY);
    m_mouse.ClearStrips();
    m_markers.Clear();

    const double f = ZoomFactor(m_view.zoomLevel);
    const int K = SanitizeStripsPerPage(m_view.stripsPerPage);
    const ChartPaging& paging = m_view.paging;
    const int strips = StripsOnPage(page, paging.pageCount, paging.stripCount, K);
    const bool ascending = m_doc.Run().IsAscending();
    const Point pageOrigin = surface.GetOrigin();
    for (int j = 0; j < strips; ++j) {
        const StripStations stations = StripStationsOf(paging.chartStart, page, j, K, m_view.stripLength, ascending);
        const Point offset = StripOrigin(j, K, f);
        surface.SetOrigin(Point{pageOrigin.x + offset.x, pageOrigin.y + offset.y});
        DrawStrip(surface, stations.start, StripHeight(f), j == 0, K == 2);
    }
}

CChartPainter::Strip CChartPainter::BeginStrip(Surface&, int32_t a, int stripHeight, bool firstStrip,
                                               bool twoStripLayout) const
{
    Strip strip;
    strip.ascending = m_doc.Run().IsAscending();
    strip.a = a;
    strip.e = StripEnd(a);
    strip.lo = std::min(strip.a, strip.e);
    strip.hi = std::max(strip.a, strip.e);
    strip.firstStrip = firstStrip;
    strip.twoStripLayout = twoStripLayout;
    strip.L = StripWidth(ZoomFactor(m_view.zoomLevel));
    strip.H = stripHeight;
    strip.u = Scaled(100);
    strip.station = StationAxis(strip.L, strip.a, strip.e);
    strip.value = ValueAxis(strip.H);
    strip.speed = SpeedAxis(strip.H);
    strip.speedLayer = m_doc.State().Settings().DisplaySpeed() && m_doc.Run().HasSpeedData();
    return strip;
}

void CChartPainter::DrawStrip(Surface& surface, int32_t a, int stripHeight, bool firstStrip, bool twoStripLayout)
{
    Strip strip = BeginStrip(surface, a, stripHeight, firstStrip, twoStripLayout);
    RegisterStripBox(surface, strip);
    if (!m_view.printing)
        DrawMarkedRange(surface, strip);
    DrawSectionMarks(surface, strip);
    DrawExcludedRanges(surface, strip);
    DrawValueGrid(surface, strip);
    DrawZeroLine(surface, strip);
    DrawStationAxis(surface, strip);
    DrawLimitLines(surface, strip);
    if (strip.firstStrip && m_view.printing) {
        const Point note = ProductNoteAnchor(strip);
        DrawProductNote(surface, note.x, note.y, kProductNoteChart, m_versionText);
    }
    DrawAxisCaptions(surface, strip);
    DrawRangeTexts(surface, strip);
    DrawFreeTexts(surface, strip);
    DrawCurves(surface, strip);
    DrawExceedanceMarkers(surface, strip);
}

void CChartPainter::RegisterStripBox(const Surface& surface, const Strip& strip)
{
    const Point o = surface.GetOrigin();
    m_mouse.RegisterStrip(Rect{o.x, o.y, o.x + strip.L, o.y - strip.H}, strip.a, strip.e);
}

void CChartPainter::DrawMarkedRange(Surface& surface, const Strip& strip) const
{
    const CFifo& picked = m_doc.PickedStations();
    const std::string newest = picked.Get(0);
    if (newest.empty())
        return;
    const std::string previous = picked.Get(1);
    const int32_t s0 = ToInt(newest);
    const int32_t s1 = previous.empty() ? s0 : ToInt(previous);
    const int32_t lo = std::min(s0, s1);
    const int32_t hi = std::max(s0, s1);
    const bool touches = InHalfOpen(lo, strip.lo, strip.hi) || InHalfOpen(hi, strip.lo, strip.hi) ||
                         (lo <= strip.lo && hi >= strip.hi);
    if (!touches)
        return;
    const int x1 = strip.X(std::clamp(lo, strip.lo, strip.hi));
    int x2 = strip.X(std::clamp(hi, strip.lo, strip.hi));
    if (x1 == x2)
        x2 = x1 + 10;
    surface.FillRect(Rect{x1, strip.Y(kValueAxisTopMm + 0.2), x2, strip.Y(kValueAxisBottomMm - 0.2)},
                     Brush{BrushStyle::Solid, kMarkedRangeYellow});
}

void CChartPainter::DrawSectionMarks(Surface& surface, Strip& strip) const
{
    const CBearbeitungsstand& state = m_doc.State();
    int k = 0;
    int32_t previousBoundary = 0;
    for (const std::string& record : MarkRecords(state.SectionMarks(strip.a, strip.e))) {
        const std::string kind = GetField(record, ';', 0);
        const auto field = [&record](int n) { return ToInt(GetField(record, ';', n)); };
        if (kind == "w") {
            const int32_t t = field(1);
            const auto captionAt = [&](int64_t station) {
                const auto hit = state.SectionAt(ClampToInt32(static_cast<double>(station)));
                return hit ? SectionCaption(m_labels, hit->section.grenzwert, hit->section.breite, hit->section.auswerten)
                           : std::string();
            };
            const std::string before = captionAt(int64_t{t} - 1);
            const std::string after = captionAt(int64_t{t} + 1);
            int y = 500;
            if (strip.twoStripLayout) {
                // Boundaries close together step their captions down, six rows at most.
                if (int64_t{t} - previousBoundary > 70 || k >= 6)
                    k = 0;
                y = 500 + 450 * k;
                ++k;
            }
            previousBoundary = t;
            if (strip.ascending)
                DrawSectionSeparator(surface, strip, t, y, before, after);
            else
                DrawSectionSeparator(surface, strip, t, y, after, before);
        } else if (kind == "g") {
            strip.limitLines.push_back(GRENZWERTLINIE{field(1), field(2), field(3)});
        } else if (kind == "r") {
            if (m_view.twoMetreGrid)
                DrawTwoMetreGrid(surface, strip, field(1), field(2), field(3), field(4));
        }
    }
}

void CChartPainter::DrawSectionSeparator(Surface& surface, const Strip& strip, int32_t t, int captionY,
                                         const std::string& leftCaption, const std::string& rightCaption) const
{
    const SeparatorStyle style = SeparatorStyleFor(m_view.zoomLevel);
    const int y1 = std::min(captionY * style.n / 500, SectionCaptionCeiling(strip));
    const int y2 = y1 - style.d;
    const int x = strip.X(t);
    const int bottom = -strip.H - 100;

    const SurfaceStateGuard guard(surface);
    surface.SetPen(SolidPen(50, kSeparatorMagenta));
    surface.SetTextColor(kSeparatorMagenta);
    surface.SetFont(ArialFont(style.fontHeight, kFontWeightNormal));
    surface.MoveTo(x, y1);
    surface.LineTo(x, bottom);
    surface.MoveTo(x - 150, y1);
    surface.LineTo(x + 150, y1);
    surface.MoveTo(x - 150, bottom);
    surface.LineTo(x + 150, bottom);

    const auto caption = [&](const std::string& text, HAlign align, int cx) {
        surface.SetTextAlign(TextAlign{align, VAlign::Top});
        Text(surface, cx, y1, GetField(text, '|', 0));
        Text(surface, cx, y2, GetField(text, '|', 1));
    };
    if (!leftCaption.empty())
        caption(leftCaption, HAlign::Right, x - 100);
    if (!rightCaption.empty())
        caption(rightCaption, HAlign::Left, x + 100);
}

// Captions above a strip below another would lay their opaque cells over the
// lower edge of the station labels of the strip above (on paper the strips of
// three are only 14 mm apart); such a caption, and its separator with it, moves
// down by the least that clears those labels. Above the first strip lies the page.
int CChartPainter::SectionCaptionCeiling(const Strip& strip) const
{
    if (strip.firstStrip)
        return std::numeric_limits<int>::max();
    const int pitch = StripPitch(strip.twoStripLayout ? 2 : 3, ZoomFactor(m_view.zoomLevel));
    return pitch + strip.StationLabelTop() - GridFont(m_view.zoomLevel).height;
}

// Grey 2-m bands every 4 m, laid from the section's grid offset and phase.
void CChartPainter::DrawTwoMetreGrid(Surface& surface, const Strip& strip, int32_t from, int32_t to, int32_t offset,
                                     int32_t phase) const
{
    const Brush band{BrushStyle::Solid, kTwoMetreBandGrey};
    const int top = strip.Y(kValueAxisTopMm);
    const int bottom = strip.Y(kValueAxisBottomMm);
    if (strip.ascending) {
        for (int64_t s = int64_t{from} - offset + int64_t{phase} * 20; s <= to; s += 40)
            surface.FillRect(Rect{strip.X(std::max<int64_t>(s, from)), top, strip.X(std::min<int64_t>(s + 20, to)), bottom},
                             band);
    } else {
        for (int64_t s = int64_t{to} + offset - int64_t{phase} * 20; s >= from; s -= 40)
            surface.FillRect(Rect{strip.X(std::min<int64_t>(s, to)), top, strip.X(std::max<int64_t>(s - 20, from)), bottom},
                             band);
    }
}

void CChartPainter::DrawExcludedRanges(Surface& surface, const Strip& strip) const
{
    const Brush hatch{BrushStyle::Hatch45, kExcludedHatch};
    for (const BEREICH_OHNE_ERKENNUNG_DATEN& range : m_doc.ExcludedRanges()) {
        const int32_t from = std::clamp(range.von, strip.lo, strip.hi);
        const int32_t to = std::clamp(range.bis, strip.lo, strip.hi);
        if (from == to)
            continue;
        surface.FillRect(Rect{strip.X(from), strip.Y(kValueAxisTopMm + 0.2), strip.X(to), strip.Y(kValueAxisBottomMm - 0.2)},
                         hatch);
    }
}

void CChartPainter::DrawValueGrid(Surface& surface, const Strip& strip) const
{
    const SurfaceStateGuard guard(surface);
    surface.SetPen(SettingsPen(kGridPen));
    surface.SetFont(GridFont(m_view.zoomLevel));
    surface.SetTextAlign(TextAlign{HAlign::Right, VAlign::Top});
    for (int step = 0; step <= 6; ++step) {
        const double v = kValueAxisTopMm + 5.0 * step;
        const int y = strip.Y(v);
        surface.MoveTo(-strip.u, y);
        surface.LineTo(strip.L, y);
        surface.SetTextColor(kBlack);
        Text(surface, -2 * strip.u, y + 150, FormatFixed(v, 1));
        if (strip.speedLayer && step > 0) {
            // The speed scale shares the grid lines: 10 km/h on the second line down to 0 on the last.
            surface.SetTextColor(SettingsColour(kSpeedPen));
            Text(surface, strip.L + 6 * strip.u, y + 150, FormatFixed(12.0 - 2.0 * (v + 5.0) / 5.0, 1));
        }
    }
}

void CChartPainter::DrawZeroLine(Surface& surface, const Strip& strip) const
{
    const SurfaceStateGuard guard(surface);
    surface.SetPen(SettingsPen(kZeroLinePen));
    surface.MoveTo(-strip.u, strip.Y(0.0));
    surface.LineTo(strip.L, strip.Y(0.0));
}

void CChartPainter::DrawStationAxis(Surface& surface, const Strip& strip) const
{
    // PreparePaint settled an unknown scale; an unprepared painter draws at 1:400 as well.
    const int s = EffectiveLengthScale(m_doc.State().LengthScale());
    const int step = StationLabelStepMetres(s) * (strip.ascending ? 1 : -1);
    const int k = StationLabelSpacing(strip.L, s);

    const SurfaceStateGuard guard(surface);
    surface.SetPen(SettingsPen(kGridPen));
    surface.SetFont(GridFont(m_view.zoomLevel));
    surface.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
    Text(surface, kStationCaptionX, strip.StationCaptionTop(), kStationCaption);
    surface.SetTextAlign(TextAlign{HAlign::Center, VAlign::Top});
    for (int i = 0; k > 0 && i * k <= strip.L; ++i) {
        const int xs = i * k;
        surface.MoveTo(xs, 0);
        surface.LineTo(xs, -strip.H - strip.u);
        Text(surface, xs, strip.StationLabelTop(), StationLabel((strip.a / 10.0 + i * step) / 1000.0));
    }
}

void CChartPainter::DrawLimitLines(Surface& surface, const Strip& strip) const
{
    const SurfaceStateGuard guard(surface);
    surface.SetPen(SettingsPen(kLimitPen));
    for (const GRENZWERTLINIE& line : strip.limitLines) {
        if (line.grenzwert == 0)
            continue;
        const int y = strip.Y(line.grenzwert / 10.0);
        surface.MoveTo(strip.X(line.von), y);
        surface.LineTo(strip.X(line.bis), y);
    }
}

// Beside the first printed strip, reading upward. The speed caption stands at
// nearly the same place and, drawn later on its opaque cell, would hide the
// note; with speeds shown the note moves right until its glyphs, which rise at
// most one cell height from the baseline, clear the caption's cell.
Point CChartPainter::ProductNoteAnchor(const Strip& strip) const
{
    const Point beside{strip.L + 1200, -strip.H - 400};
    if (!strip.speedLayer)
        return beside;
    const int captionRight = strip.L + Scaled(1000) + kAxisCaptionFontHeight;
    return Point{std::max(beside.x, captionRight + kProductNoteFontHeight + kProductNoteShiftX), beside.y};
}

void CChartPainter::DrawAxisCaptions(Surface& surface, const Strip& strip) const
{
    const SurfaceStateGuard guard(surface);
    surface.SetFont(ArialFont(kAxisCaptionFontHeight, kFontWeightBold, 900));
    // The value caption stands left of its anchor, between the page edge and
    // the value labels: with its cell to the right it would cover "10.0" to "20.0".
    surface.SetTextAlign(TextAlign{HAlign::Center, VAlign::Bottom});
    Text(surface, 380 - Scaled(1100), -strip.H / 2, m_labels.LookupLabel(kLabelYAxis));
    surface.SetTextAlign(TextAlign{HAlign::Center, VAlign::Top});
    if (strip.speedLayer) {
        surface.SetTextColor(SettingsColour(kSpeedPen));
        Text(surface, strip.L + Scaled(1000), -strip.H / 2, kSpeedCaption);
    }
}

// --- Range texts and free texts --------------------------------------------------

void CChartPainter::DrawRangeTexts(Surface& surface, const Strip& strip) const
{
    for (const BEREICHSTEXTDATEN& text : m_doc.RangeTexts())
        DrawRangeText(surface, strip, text);
}

void CChartPainter::DrawRangeText(Surface& surface, const Strip& strip, const BEREICHSTEXTDATEN& text) const
{
    const bool fromInside = InHalfOpen(text.start, strip.lo, strip.hi);
    const bool toInside = InHalfOpen(text.end, strip.lo, strip.hi);
    if (!((fromInside && !text.text.empty()) || toInside))
        return;
    const Color colour = TextColourOf(text.placement);
    const int y0 = strip.Y(-3.1);
    const int y1 = strip.Y(0.0);
    const int xa = strip.X(strip.a);
    const int xe = strip.X(strip.e);
    const int x1 = strip.X(text.start);
    const int x2 = strip.X(text.end);
    const int tip = Scaled(80);

    const SurfaceStateGuard guard(surface);
    surface.SetPen(SolidPen(10, colour));
    surface.SetBrush(Brush{BrushStyle::Solid, colour});
    bool caption = true;
    int xm = 0;
    if (fromInside)
        surface.Polygon({{x1, y0}, {x1, y1}, {x1 + tip, y0}});
    if (toInside)
        surface.Polygon({{x2, y0}, {x2, y1}, {x2 - tip, y0}});
    const auto line = [&surface](int xf, int yf, int xt, int yt) {
        surface.MoveTo(xf, yf);
        surface.LineTo(xt, yt);
    };
    if (fromInside && !toInside) {
        // Goes on past the strip end: an arrow at the right.
        xm = (xe + x1) / 2;
        line(x1, y0, xe + 200, y0);
        line(xe + 200, y0, xe + 100, y0 + 100);
        line(xe + 200, y0, xe + 100, y0 - 100);
        line(xm, y0, xm, strip.Y(-5.1));
    } else if (toInside && !fromInside) {
        // Began before the strip: an arrow at the left, the caption stays with the start.
        line(x2, y0, xa - 200, y0);
        line(xa - 200, y0, xa - 100, y0 + 100);
        line(xa - 200, y0, xa - 100, y0 - 100);
        caption = false;
    } else {
        xm = (x1 + x2) / 2;
        line(x2, y0, x1, y0);
        line(xm, y0, xm, strip.Y(-5.1));
    }
    if (caption) {
        // The box selects its own pen, brush and text colour.
        surface.SetFont(TextBoxFont(m_view.zoomLevel));
        DrawRangeTextBox(surface, text.text, colour, xm, strip.Y(-3.6), xe + 300);
    }
}

void CChartPainter::DrawRangeTextBox(Surface& surface, const std::string& text, Color colour, int xm, int yb,
                                     int rightLimit) const
{
    const std::string utf8 = Cp1252ToUtf8(text);
    const Size extent = surface.GetTextExtent(utf8);
    const int w = extent.cx + Scaled(160);
    const int h = extent.cy + Scaled(50);
    Rect box{xm - w / 2, yb + h, xm + w / 2, yb};
    if (box.right > rightLimit) {
        box.right = rightLimit;
        box.left = rightLimit - w;
    }
    const SurfaceStateGuard guard(surface);
    surface.SetPen(SolidPen(10, colour));
    surface.SetBrush(Brush{BrushStyle::Solid, kWhite});
    surface.SetTextColor(colour);
    surface.Rectangle(box);
    surface.DrawText(box, utf8, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

void CChartPainter::DrawFreeTexts(Surface& surface, const Strip& strip)
{
    std::vector<const TEXTDATEN*> boxes;
    const auto collect = [&](const std::vector<TEXTDATEN>& texts) {
        for (const TEXTDATEN& text : texts)
            if (!text.text.empty() && InHalfOpen(text.station, strip.lo, strip.hi))
                boxes.push_back(&text);
    };
    collect(m_doc.StarTexts());
    collect(m_doc.FreeTexts());
    // In drawing order; stable, so equal stations keep their order.
    std::stable_sort(boxes.begin(), boxes.end(), [&strip](const TEXTDATEN* x, const TEXTDATEN* y) {
        return strip.ascending ? x->station < y->station : x->station > y->station;
    });

    const SurfaceStateGuard guard(surface);
    surface.SetBrush(Brush{BrushStyle::Solid, kWhite});
    surface.SetPen(SolidPen(5, kBlack));
    surface.SetFont(TextBoxFont(m_view.zoomLevel));
    m_textboxes.ResetRows(strip.X(strip.a) - 50, strip.X(strip.e) + 200, ZoomFactor(m_view.zoomLevel));
    for (const TEXTDATEN* text : boxes)
        DrawTextBubble(surface, strip, *text);
}

void CChartPainter::DrawTextBubble(Surface& surface, const Strip& strip, const TEXTDATEN& text)
{
    const std::string utf8 = Cp1252ToUtf8(text.text);
    const Size extent = surface.GetTextExtent(utf8);
    const int w = extent.cx + Scaled(160);
    const int h = extent.cy + Scaled(50);
    const int x = strip.X(text.station);
    const Point corner = m_textboxes.PlaceTextBox(w, x);
    if (corner == Point{0, 0})
        return;
    const int left = corner.x;
    const int top = corner.y;
    const int right = left + w;
    const int bottom = top - h;
    const int ya = strip.Y(0.0);
    const int half = Scaled(100);
    const int reach = Scaled(200);

    // The pointer sits on the edge that faces the zero line.
    std::vector<Point> outline;
    if (ya < top)
        outline = {{x - half, bottom}, {x, bottom - reach}, {x + half, bottom}, {right, bottom},
                   {right, top},       {left, top},         {left, bottom}};
    else
        outline = {{x - half, top}, {x, top + reach}, {x + half, top}, {right, top},
                   {right, bottom}, {left, bottom},   {left, top}};
    outline[0].x = std::max(outline[0].x, left);
    outline[2].x = std::min(outline[2].x, right);

    const Color colour = TextColourOf(text.placement);
    const SurfaceStateGuard guard(surface);
    surface.SetPen(SolidPen(10, colour));
    surface.SetTextColor(colour);
    surface.Polygon(outline);
    surface.DrawText(Rect{left, top, right, bottom}, utf8, kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
}

// --- Curves ----------------------------------------------------------------------

void CChartPainter::DrawCurves(Surface& surface, const Strip& strip) const
{
    const SurfaceStateGuard guard(surface);
    surface.SetPen(SettingsPen(kRunPen));
    DrawCurve(surface, strip, m_doc.Run(), false);
    for (int slot = 1; slot <= kComparisonSlots; ++slot) {
        const CMessFahrtDaten& comparison = m_doc.ComparisonRun(slot);
        if (!comparison.IsLoaded())
            continue;
        surface.SetPen(SettingsPen(kFirstComparisonPen + slot - 1));
        DrawCurve(surface, strip, comparison, false);
    }
    if (strip.speedLayer) {
        surface.SetPen(SettingsPen(kSpeedPen));
        DrawCurve(surface, strip, m_doc.Run(), true);
    }
}

void CChartPainter::DrawCurve(Surface& surface, const Strip& strip, const CMessFahrtDaten& run, bool speed) const
{
    const int32_t shift = StationShiftOf(run);
    const int first = FindFirstCurvePoint(run, strip.a, shift, strip.ascending);
    if (first < 0)
        return;
    if (speed && run.GetSpeed(first) < 0.0)
        return;
    const bool negativeAsZero = m_doc.State().NegativeValuesAsZero();
    const auto yOf = [&](int i) {
        if (speed) {
            const double kmh = run.GetSpeed(i);
            // A point without speed is drawn half a millimetre below the box.
            return kmh < 0.0 ? -(strip.speed.Map(0.0) + 50) : -strip.speed.Map(kmh);
        }
        int32_t value = run.GetValue(i);
        if (negativeAsZero && value < 0)
            value = 0;
        return -strip.value.Map(value / 10.0);
    };
    // The curve starts with a move to the first point at or past the strip start,
    // then runs through every point up to the strip end. The device may pause, and
    // a comparison run may be shifted, so that this first point lies beyond the
    // strip end already: the strip then holds no point and gets the move only.
    const Point start{strip.X(static_cast<double>(Shifted(run, first, shift))), yOf(first)};
    std::vector<Point> points;
    const int count = run.GetCount();
    for (int i = first; i < count; ++i) {
        const int64_t t = Shifted(run, i, shift);
        if (strip.ascending ? t > strip.e : t < strip.e)
            break;
        points.push_back(Point{strip.X(static_cast<double>(t)), yOf(i)});
    }
    surface.MoveTo(start.x, start.y);
    if (points.size() >= 2)
        surface.Polyline(points);
}

// --- Exceedance markers --------------------------------------------------------

void CChartPainter::DrawExceedanceMarkers(Surface& surface, const Strip& strip)
{
    CUeberschreitungsDaten& exceedances = m_doc.Exceedances();
    if (exceedances.ExceedanceCount() == 0)
        return;
    const auto [begin, end] = ExceedancesBetween(exceedances, strip.lo, strip.hi);
    UEBERSCHREITUNG record;

    const Rect stationCaption = StationCaptionCell(surface, strip);
    const SurfaceStateGuard guard(surface);
    surface.SetFont(ArialFont(300, kFontWeightLight));
    int previousX = 50000;
    int level = 0;
    for (int i = end - 1; i >= begin; --i) {
        exceedances.ExceedanceCopy(i, record);
        if (record.station < strip.lo || record.station > strip.hi)
            continue;  // only when the container is not in order after all
        const int x = strip.X(record.station);
        const std::string remark = exceedances.ChartRemarkFor(record.station);
        const std::string text = ExceedanceLabelText(record, remark);
        if (record.beruecksichtigt) {
            surface.SetPen(SettingsPen(kLimitPen));
            surface.SetTextColor(SettingsColour(kLimitPen));
        } else {
            surface.SetPen(SolidPen(10, kNotConsideredGrey));
            surface.SetTextColor(kNotConsideredGrey);
        }
        const bool leftAligned = !remark.empty();
        surface.SetTextAlign(TextAlign{leftAligned ? HAlign::Left : HAlign::Center, VAlign::Top});

        level = NextExceedanceRow(level, previousX, x, static_cast<int>(text.size()) * 200);
        previousX = x;
        const int textX = leftAligned ? x - 80 : x;
        const Size extent = surface.GetTextExtent(Cp1252ToUtf8(text));
        const int labelLeft = leftAligned ? textX : textX - extent.cx / 2;
        const int ytop = ExceedanceLabelTop(strip.Y(20.0) - Scaled(550), level, labelLeft, extent, stationCaption);
        const int lineStart = strip.Y(record.messwert / 10.0 + 1.0);
        surface.MoveTo(x, lineStart);
        surface.LineTo(x, ytop);
        Text(surface, textX, ytop, text);
        RegisterMarker(surface, i, x, lineStart, ytop, labelLeft, extent);
    }
}

void CChartPainter::RegisterMarker(const Surface& surface, int exceedance, int x, int y0, int y1, int labelLeft,
                                   Size labelExtent)
{
    // A value far outside the axis puts the marker far off the page: the
    // device coordinates saturate instead of wrapping round.
    const Point o = surface.GetOrigin();
    const auto at = [](int64_t origin, int64_t a, int64_t b = 0) {
        return static_cast<int>(std::clamp<int64_t>(origin + a + b, INT32_MIN, INT32_MAX));
    };
    const Rect label{at(o.x, labelLeft), at(o.y, y1), at(o.x, labelLeft, labelExtent.cx), at(o.y, y1, -labelExtent.cy)};
    m_markers.Register(ExceedanceMarkerBox{exceedance, at(o.x, x), at(o.y, y0), at(o.y, y1), label});
}

// The cell of the caption "Station [km]" under the strip's start.
Rect CChartPainter::StationCaptionCell(Surface& surface, const Strip& strip) const
{
    const SurfaceStateGuard guard(surface);
    surface.SetFont(GridFont(m_view.zoomLevel));
    const Size extent = surface.GetTextExtent(kStationCaption);
    const int top = strip.StationCaptionTop();
    return Rect{kStationCaptionX, top, kStationCaptionX + extent.cx, top - extent.cy};
}

// --- Settings ----------------------------------------------------------------------

Pen CChartPainter::SettingsPen(int index) const { return SolidPen(m_doc.State().Settings().LineWidth(index), SettingsColour(index)); }

Color CChartPainter::SettingsColour(int index) const
{
    return Color::FromColorRef(static_cast<uint32_t>(m_doc.State().Settings().Colour(index)));
}

Color CChartPainter::TextColourOf(int colourIndex) const
{
    const int index = (colourIndex >= 0 && colourIndex < kTextColourCount) ? colourIndex : 0;
    return Color::FromColorRef(static_cast<uint32_t>(m_doc.State().Settings().TextColour(index)));
}

}  // namespace kurvex
