#pragma once
// Drawing of the strip chart: a page of two or three strips, and every layer
// of a strip (grid, section overlays, excluded ranges, texts, curves, exceedance
// markers). The same code draws the screen, the preview and the paper; only
// the marked range (screen) and the product note (print) differ by output.
//
// Strip coordinates: the strip box spans x 0..L and y 0..-H; a value v lies at
// y = -Map(v) (-5 mm on the upper edge, 25 mm on the lower), a station t at x = Map(t).

#include "chart/AxisScale.h"
#include "chart/ChartGeometry.h"
#include "chart/ChartReadout.h"
#include "chart/GetMouseDm.h"
#include "chart/LabelTable.h"
#include "chart/TextboxVerwaltung.h"
#include "common/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kurvex {

class CBearbeitungsstand;
class CKurvexDoc;
class CMessFahrtDaten;
struct TEXTDATEN;
struct BEREICHSTEXTDATEN;

// What the view knows about how it shows the run.
// How the user laid out a chart: one value for the screen, the print, the
// preview, the PDF files and kurvex-cli's pages.
struct ChartLayout {
    int zoomLevel = kDefaultZoomLevel;
    int currentPage = 1;  // the page shown on screen, also while other pages print
    int stripsPerPage = kDefaultStripsPerPage;
    bool twoMetreGrid = false;
};

// A chart's layout with what the painter derives from it and the run.
struct ChartView : ChartLayout {
    bool printing = false;  // between begin and end of a print or preview
    int stripLength = StripLengthForScale(kDefaultLengthScale);  // dm
    ChartPaging paging;
};

// Whether the next strip prepared at page 1 renumbers the pages of all
// exceedances. One per application, shared by all views; starts set.
struct ExceedancePageFlag {
    bool set = true;
};

// A section boundary limit: drawn after the grid, collected while the section marks are read.
struct GRENZWERTLINIE {
    int32_t von = 0;        // dm
    int32_t bis = 0;        // dm
    int32_t grenzwert = 0;  // 0.1 mm
};

// The records of a section mark list, "[g;1;2;40][w;5]" -> {"g;1;2;40", "w;5"}; ends at the first empty one.
std::vector<std::string> MarkRecords(const std::string& marks);

// The strip's first curve point: the first window point whose shifted station
// is >= a (ascending run) or <= a (descending run); -1 when there is none.
// Bisection where the window stations are ordered in the run's direction,
// otherwise the walk from the first point.
int FindFirstCurvePoint(const CMessFahrtDaten& run, int32_t a, int32_t shift, bool ascending);
int FindFirstCurvePointLinear(const CMessFahrtDaten& run, int32_t a, int32_t shift, bool ascending);

// The run as far as the paging needs it.
RunExtent RunExtentOf(const CMessFahrtDaten& run);

// What the first chart paint does to a length-scale denominator the chart does
// not know: the strips are drawn at 1:400 and 400 is stored, so the page frame
// and the evaluation report printed after that paint state the scale the
// strips have. True when the stored denominator changed.
bool SettleLengthScale(CBearbeitungsstand& state);

// Section caption "GW 4.0mm|FSB 350cm" (Windows-1252); empty for a section not evaluated.
std::string SectionCaption(const CLabelTable& labels, int32_t limit, int32_t laneWidth, bool evaluated);

// A station label in kilometres with four decimals and a decimal comma: 1200 dm -> "0,1200".
std::string StationLabel(double kilometres);

// The colour and width setting a curve is drawn with: slot 0 the run, 1..4 its comparison runs.
int CurvePen(int slot);

class CChartPainter {
public:
    CChartPainter(CKurvexDoc& doc, const CLabelTable& labels, ExceedancePageFlag& pageFlag);

    CKurvexDoc& Document() { return m_doc; }
    const CKurvexDoc& Document() const { return m_doc; }
    const CLabelTable& Labels() const { return m_labels; }
    ChartView& View() { return m_view; }
    const ChartView& View() const { return m_view; }
    const CGetMouseDm& Mouse() const { return m_mouse; }
    CGetMouseDm& Mouse() { return m_mouse; }
    // The exceedance markers of the last drawn page.
    const CExceedanceMarkers& Markers() const { return m_markers; }
    // "Kurvex <version>" of the product note beside the first printed strip.
    void SetVersionText(std::string version) { m_versionText = std::move(version); }
    const std::string& VersionText() const { return m_versionText; }

    // The layout part of the step before drawing: an unknown length scale
    // settled at 1:400, the strip length from it, then the paging.
    void PreparePaint();
    // The step screen, print, preview, PDF and kurvex-cli take before pages
    // first..last are drawn: PreparePaint, then the page numbers drawing those
    // pages gives the exceedances (PrepareStrip for each of their strips).
    // Drawing itself only reads the document.
    void PrepareForPages(int first, int last);
    // The page numbers one strip starting at a gives the exceedances while the
    // view shows its current page (see the exceedance page flag).
    void PrepareStrip(int32_t a);
    // Chart start, strip and page count for the current strip length and layout.
    void UpdatePaging();

    // Page p with its page origin at (originX, originY) of the current origin;
    // the origin is restored afterwards. Clears and refills the strip
    // registrations; the document is only read.
    void DrawChartPage(Surface& surface, int page, int originX, int originY);

    // One strip with the origin at its upper-left corner; e = a + strip length * direction.
    void DrawStrip(Surface& surface, int32_t a, int stripHeight, bool firstStrip, bool twoStripLayout);

private:
    struct Strip;

    Strip BeginStrip(Surface& surface, int32_t a, int stripHeight, bool firstStrip, bool twoStripLayout) const;
    int32_t StripEnd(int32_t a) const;
    void RegisterStripBox(const Surface& surface, const Strip& strip);
    void DrawMarkedRange(Surface& surface, const Strip& strip) const;
    void DrawSectionMarks(Surface& surface, Strip& strip) const;
    void DrawSectionSeparator(Surface& surface, const Strip& strip, int32_t t, int captionY,
                              const std::string& leftCaption, const std::string& rightCaption) const;
    void DrawTwoMetreGrid(Surface& surface, const Strip& strip, int32_t from, int32_t to, int32_t offset,
                          int32_t phase) const;
    void DrawExcludedRanges(Surface& surface, const Strip& strip) const;
    void DrawValueGrid(Surface& surface, const Strip& strip) const;
    void DrawZeroLine(Surface& surface, const Strip& strip) const;
    void DrawStationAxis(Surface& surface, const Strip& strip) const;
    void DrawLimitLines(Surface& surface, const Strip& strip) const;
    Point ProductNoteAnchor(const Strip& strip) const;
    void DrawAxisCaptions(Surface& surface, const Strip& strip) const;
    void DrawRangeTexts(Surface& surface, const Strip& strip) const;
    void DrawRangeText(Surface& surface, const Strip& strip, const BEREICHSTEXTDATEN& text) const;
    void DrawRangeTextBox(Surface& surface, const std::string& text, Color colour, int xm, int yb,
                          int rightLimit) const;
    void DrawFreeTexts(Surface& surface, const Strip& strip);
    void DrawTextBubble(Surface& surface, const Strip& strip, const TEXTDATEN& text);
    void DrawCurves(Surface& surface, const Strip& strip) const;
    void DrawCurve(Surface& surface, const Strip& strip, const CMessFahrtDaten& run, bool speed) const;
    void DrawExceedanceMarkers(Surface& surface, const Strip& strip);
    Rect StationCaptionCell(Surface& surface, const Strip& strip) const;
    void RegisterMarker(const Surface& surface, int exceedance, int x, int y0, int y1, int labelLeft, Size labelExtent);
    int SectionCaptionCeiling(const Strip& strip) const;

    Pen SettingsPen(int index) const;
    Color SettingsColour(int index) const;
    Color TextColourOf(int colourIndex) const;
    int Scaled(int length) const;

    CKurvexDoc& m_doc;
    const CLabelTable& m_labels;
    ExceedancePageFlag& m_pageFlag;
    ChartView m_view;
    CGetMouseDm m_mouse;
    CExceedanceMarkers m_markers;
    CTextboxVerwaltung m_textboxes;
    std::string m_versionText;
};

}  // namespace kurvex
