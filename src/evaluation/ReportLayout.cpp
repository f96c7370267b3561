#include "evaluation/ReportLayout.h"

#include "common/Cp1252.h"
#include "common/Numbers.h"
#include "document/KurvexDoc.h"
#include "document/SideFileKeys.h"
#include "evaluation/ReportTags.h"
#include "evaluation/UeberschreitungsProtokoll.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kurvex {

namespace {

// Windows-1252 texts of the page (\xE4 ä, \xF6 ö, \xFC ü, \xDC Ü, \xDF ß, \xB2 ², \x96 –, \xAF ¯).
constexpr const char* kTitle = "Ebenheitspr\xFC" "fung mit dem Planografen";
constexpr const char* kAttachmentLabel = "Anlage";
constexpr const char* kClientLabel = "Auftraggeber:";
constexpr const char* kContractorLabel = "Auftragnehmer:";
constexpr const char* kOrderNumberLabel = "Auftragsnummer:";
constexpr const char* kProjectLabel = "Bauma\xDFnahme:";
constexpr const char* kMeasuredByLabel = "Messung durchgef\xFChrt:";
constexpr const char* kDeviceLabel = "Ger\xE4t:";
constexpr const char* kDateLabel = "am:";
constexpr const char* kCalibrationLabel = "Kalibrierung g\xFCltig bis:";
constexpr const char* kWeatherLabel = "Temperatur/Witterung:";
constexpr const char* kLengthScaleLabel = "Ma\xDF" "stab der L\xE4nge:";
constexpr const char* kHeightScaleLabel = "Ma\xDF" "stab der H\xF6he:";
constexpr const char* kPresentLabel = "Anwesend bei Messung:";
constexpr const char* kSectionLabel = "Messstrecke:";
constexpr const char* kLinePositionLabel = "Lage der Messlinie:";
constexpr const char* kLaneLabel = "Fahrstreifen Richtung:";
constexpr const char* kLineNumberLabel = "Messlinie-Nr.:";
constexpr const char* kWholeRouteLabel = "Gesamtstrecke";
constexpr const char* kPartLabel = "Teilabschnitt";
constexpr const char* kStartLabel = "Beginn:";
constexpr const char* kEndLabel = "Ende:";
constexpr const char* kLengthLabel = "L\xE4nge [km]:";
constexpr const char* kWidthLabel = "Fahrspurbreite [m]:";
constexpr const char* kSurfaceLabel = "Fahrbahnoberfl.:";
constexpr const char* kSpeedLabel = "Mittlere Geschw. v [km/h]:";
constexpr int kSpeedLabelCharsBeforeV = 17;
constexpr const char* kVarKLabel = "VarK [%]:";
constexpr const char* kLimitLabel = "Grenzwert f\xFCr die Pr\xFC" "fung der Ebenheit:";
constexpr const char* kFactorLabel = "Faktor k:";
constexpr const char* kPriceLabel = "Einheitspreis [WE/m\xB2]:";
constexpr const char* kExceedanceHead = "\xDC" "berschreitung";
constexpr const char* kCarryLabel = "\xDC" "bertrag p\xB2:";
constexpr const char* kNotEvaluatedText = "Es erfolgt keine Auswertung f\xFCr diesen Abschnitt.";
constexpr const char* kNoExceedancesText =
    "Die  Messung  ergab  keine  \xDC" "berschreitungen f\xFCr diesen Abschnitt.";
constexpr const char* kSectionSumLabel = "Teilstrecke Summe p\xB2:";
constexpr const char* kPageSumLabel = "Zwischensumme p\xB2:";
constexpr const char* kTotalsLabel = "Gesamtstrecke:";
constexpr const char* kCheckedByLabel = "Pr\xFC" "fung durchgef\xFChrt, Institution:";
constexpr const char* kForContractorLabel = "F\xFCr den Auftragnehmer:";
constexpr const char* kForClientLabel = "F\xFCr den Auftraggeber:";
constexpr const char* kSignatureDateLabel = "Datum:";
constexpr const char* kNoFigure = "-";
constexpr const char* kRangeFigure = "----";
constexpr const char* kBar = "\xAF";
constexpr const char* kRemarkLineBreak = "{{CRLF}}";
// UTF-8: the totals row is the one text with a character outside Windows-1252.
constexpr const char* kSumSignUtf8 = "\xE2\x88\x91";

struct TagDefault {
    const char* key;
    const char* value;
};
constexpr TagDefault kTagDefaults[] = {
    {kTagWidth, "0"},          {kTagSurface, ""},          {kTagSpeed, ""},
    {kTagPrice, "0"},          {kTagFactor, "0"},          {kTagLimit, "0"},
    {kTagSum, "-1"},           {kTagSumTotal, "-1"},       {kTagCarry, "-1"},
    {kTagDeduction, ""},       {kTagDeductionTotal, ""},   {kTagSignatures, "0"},
    {kTagNotEvaluated, "0"},   {kTagNoTableLines, "0"},    {kTagSectionNumber, "-1"},
    {kTagOneSection, "0"},     {kTagPageInSection, "-1"},  {kTagOnePageInSection, "0"},
    {kTagVon, "0"},            {kTagBis, "0"},             {kTagLength, "0"},
    {kTagVarK, "-"},
};

std::string TagDefaultOf(const std::string& key)
{
    for (const TagDefault& entry : kTagDefaults)
        if (key == entry.key)
            return entry.value;
    return {};
}

// Fonts of the page. They are level: the form's fonts were once given an
// escapement of a tenth of a degree only to force outline rendering on the
// printer, and a rasteriser draws such a tilt as a visible kink in every line.
constexpr int kFontHeight = 350;
constexpr int kFontEscapement = 0;
constexpr int kWeightTitle = 800;
constexpr int kWeightText = 500;
constexpr int kWeightEmphasis = 900;

Font MakeFont(const char* face, int weight, bool italic)
{
    Font font;
    font.face = face;
    font.height = kFontHeight;
    font.weight = weight;
    font.italic = italic;
    font.escapement = kFontEscapement;
    return font;
}
const Font kTitleFont = MakeFont("Times New Roman", kWeightTitle, false);
const Font kLabelFont = MakeFont("Times New Roman", kWeightText, false);
const Font kValueFont = MakeFont("Arial", kWeightText, true);
const Font kEmphasisFont = MakeFont("Arial", kWeightEmphasis, true);

// Geometry of the page, relative to the content frame (X0, Y0).
constexpr int kRow = 500;
constexpr int kTextDrop = 51;        // form texts below their row's top line
constexpr int kBodyTextDrop = 50;    // table texts below their row's top
constexpr int kCentredDrop = (kRow - kFontHeight) / 2;
constexpr int kFrameHeight = 25500;
constexpr int kBoldBand = 50;
constexpr int kPenWidth = 10;
constexpr int kFitMargin = 100;      // space kept between a fitted text and the next thing
// A text too wide for its place is drawn smaller, down to this share of its
// height; beyond that a text of several words may take two lines of the row
// at the second share, and only what still does not fit is cut with an ellipsis.
constexpr int kMinFitPercent = 65;
constexpr int kTwoLinePercent = 57;
constexpr const char* kEllipsisUtf8 = "\xE2\x80\xA6";

// The fields of a table line's two "<<<…>>>" blocks.
struct TableLine {
    std::string first;
    std::string second;
    bool range = false;

    std::string Field(int n) const { return GetField(first, '|', n); }
    std::string SecondField(int n) const { return GetField(second, '|', n); }
};

TableLine ParseTableLine(const std::string& line)
{
    TableLine parsed;
    parsed.first = GetBracketed(line, "<<<", ">>>", 0);
    parsed.second = GetBracketed(line, "<<<", ">>>", 1);
    parsed.range = Contains(line, kRangeLineMarker);
    return parsed;
}

std::vector<std::string> RemarkLines(const std::string& remarkEntry)
{
    const std::string remark = GetField(remarkEntry, kFieldSeparator, 0);
    std::vector<std::string> lines;
    const int count = CountFields(remark, kRemarkLineBreak);
    for (int i = 0; i < count && i < kPrintedRemarkLines; ++i)
        lines.push_back(GetField(remark, kRemarkLineBreak, i));
    return lines;
}

std::string StationKm(int32_t station) { return FormatDecimalComma(station / 10000.0, 4); }
std::string LengthKm(int32_t a, int32_t b)
{
    return FormatDecimalComma(static_cast<double>(std::llabs(static_cast<long long>(b) - a)) / 10000.0, 4);
}

// Drops the last UTF-8 code point of a text.
void DropLastCodePoint(std::string& utf8)
{
    while (!utf8.empty()) {
        const unsigned char c = static_cast<unsigned char>(utf8.back());
        utf8.pop_back();
        if ((c & 0xC0) != 0x80)
            break;
    }
}

// The text, cut with an ellipsis where it is wider than maxWidth in the current font.
std::string CutToWidth(const Surface& surface, std::string text, int maxWidth)
{
    if (surface.GetTextExtent(text).cx <= maxWidth)
        return text;
    while (!text.empty() && surface.GetTextExtent(text + kEllipsisUtf8).cx > maxWidth)
        DropLastCodePoint(text);
    return text + kEllipsisUtf8;
}

// Two lines of a text split at the space that leaves the longer line shortest; none without a space.
std::optional<std::pair<std::string, std::string>> SplitInTwo(const Surface& surface, const std::string& text)
{
    std::optional<std::pair<std::string, std::string>> best;
    int bestWidth = 0;
    for (size_t pos = text.find(' '); pos != std::string::npos; pos = text.find(' ', pos + 1)) {
        std::pair<std::string, std::string> lines{text.substr(0, pos), Trim(text.substr(pos + 1))};
        if (Trim(lines.first).empty() || lines.second.empty())
            continue;
        const int width = std::max(surface.GetTextExtent(lines.first).cx, surface.GetTextExtent(lines.second).cx);
        if (!best || width < bestWidth) {
            best = std::move(lines);
            bestWidth = width;
        }
    }
    return best;
}

// One text at the point in the current font and alignment; a text wider than
// maxWidth (when given) is drawn smaller, in two lines (twoLines, left-aligned
// texts only) or cut, so that it stays in its place. Answers the font it was drawn in.
Font FitTextOut(Surface& surface, int x, int y, const std::string& utf8, int maxWidth, bool twoLines = false)
{
    const Font font = surface.GetFont();
    const int width = surface.GetTextExtent(utf8).cx;
    if (maxWidth <= 0 || width <= maxWidth) {
        surface.TextOut(x, y, utf8);
        return font;
    }
    // Glyph widths do not scale exactly with the height on a device, so the
    // estimate is stepped down until the text fits.
    const int minHeight = font.height * kMinFitPercent / 100;
    Font smaller = font;
    smaller.height = std::max(minHeight, static_cast<int>(static_cast<long long>(font.height) * maxWidth / width));
    surface.SetFont(smaller);
    while (smaller.height > minHeight && surface.GetTextExtent(utf8).cx > maxWidth) {
        smaller.height = std::max(minHeight, smaller.height - std::max(1, smaller.height / 30));
        surface.SetFont(smaller);
    }
    if (twoLines && surface.GetTextAlign().horizontal == HAlign::Left &&
        surface.GetTextExtent(utf8).cx > maxWidth) {
        Font twoLineFont = font;
        twoLineFont.height = font.height * kTwoLinePercent / 100;
        surface.SetFont(twoLineFont);
        if (const auto lines = SplitInTwo(surface, utf8)) {
            surface.TextOut(x, y, CutToWidth(surface, lines->first, maxWidth));
            surface.TextOut(x, y - twoLineFont.height, CutToWidth(surface, lines->second, maxWidth));
            surface.SetFont(font);
            return twoLineFont;
        }
        surface.SetFont(smaller);
    }
    surface.TextOut(x, y, CutToWidth(surface, utf8, maxWidth));
    surface.SetFont(font);
    return smaller;
}

class ReportPageLayout {
public:
    ReportPageLayout(Surface& surface, const ReportInputs& inputs, const ReportPage& page, const Rect& printable)
        : m_surface(surface), m_in(inputs), m_page(page), m_tags(page.tags)
    {
        const ReportGeometry g = ReportGeometryOf(printable);
        X0 = g.x0;
        XR = g.xr;
        Y0 = g.y0;
        Y1 = g.y1;
        xL = X0 + 300;
        xM = X0 + 8700;
        xR = X0 + 9000;
        vL = X0 + 3600;
        vR = X0 + 12300;
        xS = X0 + (m_in.numbering ? 800 : 400);
        xP = X0 + (m_in.numbering ? 3800 : 3400);
        xQ = xP + 1500;
        xV = xP + 3000;
        xB = xP + 4500;
        Yb = Y0 - 11900;
        Ys = Yb - kTableHeight;
        m_notEvaluated = m_tags.Flag(kTagNotEvaluated);
        m_sectionEnd = m_tags.Flag(kTagSignatures);
    }

    void Draw()
    {
        m_surface.SaveState();
        m_surface.SetPen(Pen{PenStyle::Solid, kPenWidth, kBlack});
        m_surface.SetBrush(Brush{BrushStyle::Null, kWhite});
        m_surface.SetTextColor(kBlack);
        m_surface.SetBackgroundColor(kWhite);
        m_surface.SetBackgroundMode(BackgroundMode::Transparent);
        m_surface.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});

        DrawContentFrame();
        DrawFormHead();
        DrawNumberBox();
        DrawStandardTitle();
        DrawSectionBlock();
        DrawTableHead();
        DrawCarryRow();
        DrawBody();
        DrawSumRow();
        if (m_page.lastOfJob)
            DrawTotals();
        if (m_sectionEnd)
            DrawSignatures();
        m_surface.RestoreState();
    }

private:
    // --- drawing helpers --------------------------------------------------------
    void HLine(int y, int from, int to)
    {
        m_surface.MoveTo(from, y);
        m_surface.LineTo(to, y);
    }
    void HLine(int y) { HLine(y, X0, XR); }
    void VLine(int x, int top, int bottom)
    {
        m_surface.MoveTo(x, top);
        m_surface.LineTo(x, bottom);
    }
    // A bold frame: black bands along the inside of the rectangle's four sides.
    void BoldFrame(int top, int bottom)
    {
        const Brush black{BrushStyle::Solid, kBlack};
        m_surface.FillRect(Rect{X0, top, XR, top - kBoldBand}, black);
        m_surface.FillRect(Rect{X0, bottom + kBoldBand, XR, bottom}, black);
        m_surface.FillRect(Rect{X0, top, X0 + kBoldBand, bottom}, black);
        m_surface.FillRect(Rect{XR - kBoldBand, top, XR, bottom}, black);
    }
    Font Put(const Font& font, int x, int y, const std::string& cp1252, int limit = 0,
             HAlign align = HAlign::Left, bool twoLines = false)
    {
        return PutUtf8(font, x, y, Cp1252ToUtf8(cp1252), limit, align, twoLines);
    }
    // limit: for a left-aligned text the x where it has to end, for centred and
    // right-aligned texts the width it may take; 0 for no limit.
    Font PutUtf8(const Font& font, int x, int y, const std::string& utf8, int limit = 0,
                 HAlign align = HAlign::Left, bool twoLines = false)
    {
        if (utf8.empty())
            return font;
        m_surface.SetFont(font);
        m_surface.SetTextAlign(TextAlign{align, VAlign::Top});
        int maxWidth = 0;
        if (limit > 0)
            maxWidth = align == HAlign::Left ? std::max(limit - x, 1) : limit;
        const Font used = FitTextOut(m_surface, x, y, utf8, maxWidth, twoLines);
        m_surface.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
        return used;
    }
    // A form label or value in the row whose top line is at rowTop.
    void Label(int x, int rowTop, const char* text, const Font& font = kLabelFont)
    {
        Put(font, x, rowTop - kTextDrop, text);
    }
    // A header or footer field; a value beginning with "!" stands out in weight 900.
    void HeaderValue(int x, int rowTop, int field, int right)
    {
        std::string text = m_in.HeaderField(field);
        const bool emphasis = !text.empty() && text.front() == '!';
        if (emphasis)
            text.erase(0, 1);
        Put(emphasis ? kEmphasisFont : kValueFont, x, rowTop - kTextDrop, text, right, HAlign::Left, true);
    }
    // Fields drawn in the plain value font whatever their first character.
    void PlainValue(int x, int rowTop, int field, int right)
    {
        Put(kValueFont, x, rowTop - kTextDrop, m_in.HeaderField(field), right, HAlign::Left, true);
    }
    void Value(int x, int rowTop, const std::string& text, int right)
    {
        Put(kValueFont, x, rowTop - kTextDrop, text, right, HAlign::Left, true);
    }
    int LabelWidth(const char* text)
    {
        m_surface.SetFont(kLabelFont);
        return m_surface.GetTextExtent(Cp1252ToUtf8(text)).cx;
    }
    // The left edge of a label right-aligned at x, less a gap: where a value before it must end.
    int BeforeRightLabel(int x, const char* label) { return x - LabelWidth(label) - kFitMargin; }

    // --- steps ------------------------------------------------------------------
    void DrawContentFrame() { m_surface.Rectangle(Rect{X0, Y0, XR, Y1}); }

    void DrawFormHead()
    {
        const int box = XR - 2000;
        Label(xL, Y0, kTitle, kTitleFont);
        m_surface.SetFont(kLabelFont);
        m_surface.DrawText(Rect{box, Y0, XR, Y0 - kRow}, Cp1252ToUtf8(kAttachmentLabel),
                           kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
        VLine(box, Y0, Y0 - 1000);
        HLine(Y0 - 1000);

        Label(xL, Y0 - 1000, kClientLabel);
        Label(xR, Y0 - 1000, kContractorLabel);
        for (int row = 0; row < 3; ++row) {
            HeaderValue(X0 + 2500, Y0 - 1000 - row * kRow, row, xM - kFitMargin);
            HeaderValue(X0 + 11400, Y0 - 1000 - row * kRow, 3 + row, XR - kFitMargin);
        }
        VLine(xM, Y0 - 1000, Y0 - 2500);
        HLine(Y0 - 2500);

        Label(xL, Y0 - 2500, kOrderNumberLabel);
        HeaderValue(vL, Y0 - 2500, 6, XR - kFitMargin);
        Label(xL, Y0 - 3000, kProjectLabel);
        HeaderValue(vL, Y0 - 3000, 7, XR - kFitMargin);
        HeaderValue(vL, Y0 - 3500, 8, XR - kFitMargin);
        HLine(Y0 - 4000);

        Label(xL, Y0 - 4000, kMeasuredByLabel);
        Label(xR, Y0 - 4000, kDeviceLabel);
        HeaderValue(vL, Y0 - 4000, 9, xM - kFitMargin);
        HeaderValue(vR, Y0 - 4000, 23, XR - kFitMargin);
        Label(xL, Y0 - 4500, kDateLabel);
        Label(xR, Y0 - 4500, kCalibrationLabel);
        PlainValue(vL, Y0 - 4500, 10, xM - kFitMargin);
        PlainValue(vR, Y0 - 4500, 24, XR - kFitMargin);
        HLine(Y0 - 5000, xM, XR);
        Label(xL, Y0 - 5000, kWeatherLabel);
        Label(xR, Y0 - 5000, kLengthScaleLabel);
        HeaderValue(vL, Y0 - 5000, 22, xM - kFitMargin);
        Value(vR, Y0 - 5000, "1 : " + FormatInt(m_in.lengthScale), XR - kFitMargin);
        Label(xR, Y0 - 5500, kHeightScaleLabel);
        Value(vR, Y0 - 5500, "1 : 1", XR - kFitMargin);
        // The divider closes the "Maßstab der Höhe" row as well, like every two-column row.
        VLine(xM, Y0 - 4000, Y0 - 6000);
        HLine(Y0 - 6000);

        Label(xL, Y0 - 6000, kPresentLabel);
        HeaderValue(vL, Y0 - 6000, 15, XR - kFitMargin);
        HeaderValue(vL, Y0 - 6400, 26, XR - kFitMargin);
        HLine(Y0 - 6900);

        Label(xL, Y0 - 6900, kSectionLabel);
        Label(xR, Y0 - 6900, kLinePositionLabel);
        HeaderValue(vL, Y0 - 6900, 11, xM - kFitMargin);
        HeaderValue(vR, Y0 - 6900, 13, XR - kFitMargin);
        HLine(Y0 - 7400);
        Label(xL, Y0 - 7400, kLaneLabel);
        Label(xR, Y0 - 7400, kLineNumberLabel);
        PlainValue(vL, Y0 - 7400, 12, xM - kFitMargin);
        HeaderValue(vR, Y0 - 7400, 14, XR - kFitMargin);
        VLine(xM, Y0 - 6900, Y0 - 7900);
        HLine(Y0 - 7900);
    }

    void DrawNumberBox()
    {
        m_surface.SetFont(kTitleFont);
        m_surface.DrawText(Rect{XR - 2000, Y0 - kRow, XR, Y0 - 1000},
                           Cp1252ToUtf8(EvaluationNumberText(m_in.evaluationNumber, m_tags)),
                           kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix);
    }

    void DrawStandardTitle()
    {
        Put(kTitleFont, xL, Y0 - kRow, EvaluationStandardTitle(m_in.evaluationStandard), XR - 2000 - kFitMargin);
    }

    void DrawSectionBlock()
    {
        const int lengthRight = BeforeRightLabel(XR - 2200, kLengthLabel);
        auto stationRow = [&](int rowTop, const char* title, int32_t start, int32_t end) {
            Label(xL, rowTop, title, kTitleFont);
            Label(vL, rowTop, kStartLabel);
            Label(xR, rowTop, kEndLabel);
            Put(kLabelFont, XR - 2200, rowTop - kTextDrop, kLengthLabel, 0, HAlign::Right);
            Value(X0 + 4800, rowTop, "Station " + StationKm(start) + " km", xR - kFitMargin);
            Value(X0 + 9900, rowTop, "Station " + StationKm(end) + " km", lengthRight);
            Value(XR - 2050, rowTop, LengthKm(start, end), XR - kFitMargin);
        };
        stationRow(Y0 - 7900, kWholeRouteLabel, m_in.rangeStart, m_in.rangeEnd);
        HLine(Y0 - 8400);
        stationRow(Y0 - 8400, kPartLabel, m_tags.Int(kTagVon), m_tags.Int(kTagBis));
        HLine(Y0 - 8900);
        DrawWidthRow(Y0 - 8900);
        HLine(Y0 - 9400);
        DrawLimitRow(Y0 - 9400);
        HLine(Y0 - 9900);

        BoldFrame(Y0 - 6900, Y0 - 9900);
        m_surface.FillRect(Rect{X0, Y0 - 8400 + kBoldBand / 2, XR, Y0 - 8400 - kBoldBand / 2},
                           Brush{BrushStyle::Solid, kBlack});
    }

    void DrawWidthRow(int rowTop)
    {
        Label(xL, rowTop, kWidthLabel);
        Label(X0 + 4850, rowTop, kSurfaceLabel);
        Label(xR, rowTop, kSpeedLabel);
        // The bar over the "v" marks the mean.
        m_surface.SetFont(kLabelFont);
        const std::string beforeV = std::string(kSpeedLabel, kSpeedLabelCharsBeforeV);
        Label(xR + m_surface.GetTextExtent(Cp1252ToUtf8(beforeV)).cx, rowTop, kBar);
        if (m_in.showVarK)
            Put(kLabelFont, XR - 2200, rowTop - kTextDrop, kVarKLabel, 0, HAlign::Right);

        const int width = m_tags.Int(kTagWidth);
        if (m_notEvaluated)
            Value(vL, rowTop, kNoFigure, 0);
        else if (width > 0)
            Value(vL, rowTop, FormatDecimalComma(width / 100.0, 2), X0 + 4850 - kFitMargin);
        Value(X0 + 7050, rowTop, m_tags.Text(kTagSurface), xR - kFitMargin);
        const std::string speed = m_notEvaluated        ? std::string(kNoFigure)
                                  : m_in.speedCount > 5 ? m_tags.Text(kTagSpeed)
                                                        : m_in.HeaderField(25);
        Value(X0 + 12600, rowTop, speed,
              m_in.showVarK ? BeforeRightLabel(XR - 2200, kVarKLabel) : XR - kFitMargin);
        if (m_in.showVarK)
            Value(XR - 2050, rowTop, m_notEvaluated ? std::string(kNoFigure) : m_tags.Text(kTagVarK),
                  XR - kFitMargin);
    }

    void DrawLimitRow(int rowTop)
    {
        Label(xL, rowTop, kLimitLabel);
        Label(X0 + 6550, rowTop, m_in.evaluationStandard == 1 ? "mm/2m" : "mm/4m");
        Label(xR, rowTop, kFactorLabel);
        Put(kLabelFont, XR - 2200, rowTop - kTextDrop, kPriceLabel, 0, HAlign::Right);

        const bool rates = !m_notEvaluated && m_tags.HasDeductionRates();
        Value(X0 + 5900, rowTop,
              m_notEvaluated ? std::string(kNoFigure) : FormatDecimalComma(m_tags.Number(kTagLimit) / 10.0, 1),
              X0 + 6550 - kFitMargin / 2);
        Value(X0 + 10500, rowTop, rates ? FormatFixed(m_tags.Number(kTagFactor), 2) : std::string(kNoFigure),
              BeforeRightLabel(XR - 2200, kPriceLabel));
        Value(XR - 2050, rowTop,
              rates ? FormatFixed(m_tags.Number(kTagPrice), 2) + " " + m_in.currency + "/m\xB2"
                    : std::string(kNoFigure),
              XR - kFitMargin);
    }

    void DrawTableHead()
    {
        const int top = Y0 - 9900;
        const int row2 = top - kRow;
        const int row3 = top - 2 * kRow;
        const int bottom = Y0 - 11400;
        Put(kLabelFont, (xP + xB) / 2, top - kTextDrop, kExceedanceHead, 0, HAlign::Center);
        if (m_in.numbering) {
            Label(X0 + 200, row2, "lfd.");
            Label(X0 + 200, row3, "Nr.");
            VLine(xS - 100, top, bottom);
        }
        Label(xS, row2, "Station");
        Label(xS, row3, "[km]");
        const auto centred = [&](int left, int right, int rowTop, const char* text) {
            Put(kLabelFont, (left + right) / 2, rowTop - kTextDrop, text, 0, HAlign::Center);
        };
        centred(xP, xQ, row2, "p");
        centred(xP, xQ, row3, "[mm]");
        centred(xQ, xV, row2, "p\xB2");
        centred(xQ, xV, row3, "[mm]");
        centred(xV, xB, row2, "v");
        centred(xV, xB, row3, "[km/h]");
        centred(xB, XR, row2, "Bemerkungen");
        VLine(xP, top, bottom);
        VLine(xB, top, bottom);
        VLine(xQ, row2, bottom);
        VLine(xV, row2, bottom);
        HLine(row2);
        HLine(row3);
        HLine(bottom);
    }

    void DrawCarryRow()
    {
        const int carry = m_tags.Int(kTagCarry);
        if (carry < 0)
            return;
        const int top = Y0 - 11400;
        Put(kLabelFont, xL, top - kCentredDrop, kCarryLabel);
        Put(kValueFont, xQ + 300, top - kCentredDrop, FormatInt(carry), xV - kFitMargin);
    }

    void DrawBody()
    {
        const int bottom = Yb - kTableHeight;
        if (m_in.numbering)
            VLine(xS - 100, Yb, bottom);
        for (int x : {xP, xQ, xV, xB})
            VLine(x, Yb, bottom);
        HLine(Yb);
        if (m_notEvaluated)
            Message(X0 + 5000, kNotEvaluatedText);
        else if (m_tags.Flag(kTagNoTableLines))
            Message(X0 + 3400, m_in.evaluated ? kNoExceedancesText : kNoEvaluationText);
        else
            DrawTableRows(bottom);
    }

    void Message(int x, const char* text)
    {
        m_surface.SetBackgroundMode(BackgroundMode::Opaque);
        Put(kLabelFont, x, Yb - 1500, text, XR - kFitMargin);
        m_surface.SetBackgroundMode(BackgroundMode::Transparent);
    }

    void DrawTableRows(int bottom)
    {
        int y = Yb;
        for (const std::string& line : m_page.tableLines) {
            const int height = protokoll::TableLineHeight(line);
            if (y - height < bottom)
                break;  // the builder never fills more than a page; a foreign list could
            DrawTableRow(ParseTableLine(line), y);
            y -= height;
        }
    }

    void DrawTableRow(const TableLine& row, int y)
    {
        const int textY = y - kBodyTextDrop;
        const auto centred = [&](int left, int right, const std::string& text) {
            Put(kValueFont, (left + right) / 2, textY, text, right - left - kFitMargin, HAlign::Center);
        };
        if (row.range) {
            Put(kValueFont, xS, textY, StationKm(ToInt(row.Field(0))), xS + 1300);
            Put(kValueFont, xS + 1300, textY, " - " + StationKm(ToInt(row.Field(5))), xP - kFitMargin / 2);
            centred(xP, xQ, kRangeFigure);
            centred(xQ, xV, kRangeFigure);
            centred(xV, xB, kRangeFigure);
        } else {
            if (m_in.numbering)
                Put(kValueFont, X0 + 600, textY, row.SecondField(2), 600 - kFitMargin, HAlign::Right);
            Put(kValueFont, xS, textY, StationKm(ToInt(row.Field(0))), xP - kFitMargin);
            centred(xP, xQ, row.Field(1));
            centred(xQ, xV, row.Field(2));
            const std::string speed = row.Field(6);
            centred(xV, xB, !speed.empty() && ToDouble(speed) >= 0 ? speed : std::string());
        }
        const std::vector<std::string> remark = RemarkLines(row.Field(3));
        for (size_t i = 0; i < remark.size(); ++i)
            Put(kValueFont, xB + 300, y - kBodyTextDrop - 400 * static_cast<int>(i), remark[i], XR - kFitMargin);
        if (row.Field(4) == "0") {
            m_surface.MoveTo(X0 + 200, y - 250);
            m_surface.LineTo(xB - 200, y - 250);
        }
    }

    void DrawSumRow()
    {
        HLine(Ys);
        VLine(xQ, Ys, Ys - kRow);
        VLine(xV, Ys, Ys - kRow);
        Label(xL, Ys, m_sectionEnd ? kSectionSumLabel : kPageSumLabel);
        const int sum = m_tags.Int(kTagSum);
        if (!m_notEvaluated && sum >= 0)
            Put(kValueFont, (xQ + xV) / 2, Ys - kTextDrop, FormatInt(sum), xV - xQ - kFitMargin, HAlign::Center);
        if (m_sectionEnd && !m_notEvaluated && m_tags.HasDeductionRates()) {
            Put(kLabelFont, xV + 300, Ys - kTextDrop, "Abzug [" + m_in.currency + "]: ", xV + 2600);
            Value(xV + 2600, Ys, m_tags.Text(kTagDeduction), XR - kFitMargin);
        }
        HLine(Ys - kRow);
    }

    void DrawTotals()
    {
        const int top = Ys - kRow;
        Label(xL, top, kTotalsLabel, kTitleFont);
        const std::string sumSign = kSumSignUtf8;
        const int sumTotal = m_tags.Int(kTagSumTotal);
        const std::string figures = sumSign + " p\xC2\xB2 [mm]: " + (sumTotal >= 0 ? FormatInt(sumTotal) : "") +
                                    "       " + sumSign + " Abz\xC3\xBCge [" + Cp1252ToUtf8(m_in.currency) +
                                    "]: " + Cp1252ToUtf8(m_tags.Text(kTagDeductionTotal)) + "       ";
        PutUtf8(kValueFont, xP + 100, top - kTextDrop, TrimRight(figures), xP + 8010 - kFitMargin);
        std::string speed = "v [km/h]: " + Cp1252ToUtf8(GetField(m_in.runStatistics, '|', 0));
        if (m_in.showVarK)
            speed += "       VarK [%]: " + Cp1252ToUtf8(GetField(m_in.runStatistics, '|', 2));
        const Font used = PutUtf8(kValueFont, xP + 8010, top - kTextDrop, speed, XR - kFitMargin);
        PutUtf8(used, xP + 8010, top - kTextDrop, Cp1252ToUtf8(kBar));
        BoldFrame(top, top - kRow);
    }

    void DrawSignatures()
    {
        const int first = m_page.lastOfJob ? Ys - 2 * kRow : Ys - kRow;
        const int dateX = X0 + 14200;
        struct Block {
            const char* label;
            int nameField;
        };
        const Block blocks[] = {{kCheckedByLabel, 16}, {kForContractorLabel, 18}, {kForClientLabel, 20}};
        int top = first;
        for (const Block& block : blocks) {
            Label(xL, top, block.label);
            Label(dateX, top, kSignatureDateLabel);
            PlainValue(xL, top - kRow, block.nameField, dateX - kFitMargin);
            PlainValue(dateX, top - kRow, block.nameField + 1, XR - kFitMargin);
            top -= kRow + 750;
        }
    }

    Surface& m_surface;
    const ReportInputs& m_in;
    const ReportPage& m_page;
    const MapSeite& m_tags;
    bool m_notEvaluated = false;
    bool m_sectionEnd = false;
    // Frame, form columns and table columns; the names of the page's drawing.
    int X0 = 0, XR = 0, Y0 = 0, Y1 = 0;
    int xL = 0, xM = 0, xR = 0, vL = 0, vR = 0;
    int xS = 0, xP = 0, xQ = 0, xV = 0, xB = 0;
    int Yb = 0, Ys = 0;
};

}  // namespace

// --- MapSeite -----------------------------------------------------------------

MapSeite MapSeite::Parse(std::string_view pageEndLine)
{
    MapSeite page;
    const auto bar = pageEndLine.find('|');
    if (bar == std::string_view::npos)
        return page;
    std::string_view rest = pageEndLine.substr(bar + 1);
    while (!rest.empty()) {
        const auto end = rest.find(kFieldSeparator);
        const std::string_view item = rest.substr(0, end);
        if (item.empty())
            break;
        const auto equals = item.find('=');
        const std::string key(item.substr(0, equals));
        page.m_tags[key] = equals == std::string_view::npos ? std::string() : std::string(item.substr(equals + 1));
        if (end == std::string_view::npos)
            break;
        rest = rest.substr(end + 1);
    }
    return page;
}

std::string MapSeite::Lookup(const std::string& key, const std::string& defaultValue) const
{
    return LookupOrDefault(m_tags, key, defaultValue);
}

std::string MapSeite::Text(const std::string& key) const { return Lookup(key, TagDefaultOf(key)); }
int MapSeite::Int(const std::string& key) const { return ToInt(Text(key)); }
double MapSeite::Number(const std::string& key) const { return ToDouble(Text(key)); }
bool MapSeite::Flag(const std::string& key) const { return Text(key) == "1"; }

bool MapSeite::HasDeductionRates() const
{
    return Number(kTagPrice) > 0.0001 && Number(kTagFactor) > 0.0001;
}

// --- Pages --------------------------------------------------------------------

int ReportPageCount(const std::vector<std::string>& lines)
{
    int count = 0;
    for (const std::string& line : lines) {
        if (line == kReportEndLine)
            break;
        if (StartsWith(line, kPageEndPrefix))
            ++count;
    }
    return count;
}

std::optional<ReportPage> LocateReportPage(const std::vector<std::string>& lines, int page)
{
    if (page < 1)
        return std::nullopt;
    size_t pageStart = 0;
    int count = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == kReportEndLine)
            break;
        if (!StartsWith(lines[i], kPageEndPrefix))
            continue;
        if (++count == page) {
            ReportPage found;
            found.tableLines.assign(lines.begin() + static_cast<std::ptrdiff_t>(pageStart),
                                    lines.begin() + static_cast<std::ptrdiff_t>(i));
            found.tags = MapSeite::Parse(lines[i]);
            found.lastOfJob = page == ReportPageCount(lines);
            return found;
        }
        pageStart = i + 1;
    }
    return std::nullopt;
}

// --- Inputs -------------------------------------------------------------------

std::string ReportInputs::HeaderField(int i) const
{
    return i >= 0 && i < static_cast<int>(headerFooterFields.size()) ? headerFooterFields[static_cast<size_t>(i)]
                                                                      : std::string();
}

std::vector<std::string> HeaderFooterFields(std::string_view kopffussdaten)
{
    const std::string block = GetBracketed(kopffussdaten, "[", "]", 1);
    std::vector<std::string> fields;
    if (block.empty())
        return fields;
    const int count = CountFields(block, kFieldSeparator);
    for (int i = 0; i < count; ++i)
        fields.push_back(GetField(block, kFieldSeparator, i));
    return fields;
}

ReportInputs ReportInputsOf(const CKurvexDoc& doc)
{
    const CBearbeitungsstand& state = doc.State();
    ReportInputs inputs;
    inputs.lines = doc.ReportLines();
    inputs.headerFooterFields = HeaderFooterFields(state.HeaderFooterData());
    inputs.showVarK = state.Settings().PrintVarK();
    inputs.numbering = state.Settings().PageNumbering();
    inputs.evaluationNumber = state.EvaluationAttachment();
    inputs.lengthScale = state.LengthScale();
    inputs.evaluationStandard = state.EvaluationStandard();
    inputs.rangeStart = state.RangeStart();
    inputs.rangeEnd = state.RangeEnd();
    inputs.runStatistics = state.GetText(kKeyRunStatistics, "-||-");
    inputs.currency = doc.Exceedances().Currency();
    inputs.speedCount = doc.Run().SpeedCount();
    inputs.evaluated = state.HasStoredEvaluation();
    return inputs;
}

// --- Texts --------------------------------------------------------------------

std::string EvaluationStandardTitle(int standard)
{
    switch (standard) {
    case 0: return "Diagrammauswertung nach TP Eben \x96 Ber\xFChrende Messungen (Ausgabe 2007)";
    case 2: return "Diagrammauswertung nach RVS 11.06.62 \x96 Ebenheitsmessung (Ausgabe 2012)";
    default: return "Diagrammauswertung nach TP Eben \x96 Ber\xFChrende Messungen (Ausgabe 2017)";
    }
}

std::string EvaluationNumberText(const std::string& evaluationNumber, const MapSeite& tags)
{
    std::string text = evaluationNumber;
    const auto append = [&text](const std::string& part) {
        if (!text.empty())
            text += '.';
        text += part;
    };
    if (!tags.Flag(kTagOneSection))
        append(tags.Text(kTagSectionNumber));
    if (!tags.Flag(kTagOnePageInSection))
        append(tags.Text(kTagPageInSection));
    return text;
}

std::string FormatDecimalComma(double x, int decimals)
{
    std::string text = FormatFixed(x, decimals);
    ReplaceChar(text, '.', ',');
    return text;
}

// --- Geometry and page --------------------------------------------------------

ReportGeometry ReportGeometryOf(const Rect& printable)
{
    ReportGeometry g;
    g.x0 = printable.left + 2000;
    g.xr = printable.right - 1000;
    g.y0 = printable.top - 3000;
    g.y1 = g.y0 - kFrameHeight;
    return g;
}

Rect ReportSupplierNoticeRect(const Rect& printable)
{
    const int top = printable.top - 300;
    return Rect{printable.left + 800, top, printable.right - 1400, top - (printable.right - printable.left) / 6};
}

void DrawReportPage(Surface& surface, const ReportInputs& inputs, int page, const Rect& printable)
{
    const std::optional<ReportPage> found = LocateReportPage(inputs.lines, page);
    if (!found)
        return;
    ReportPageLayout(surface, inputs, *found, printable).Draw();
}

}  // namespace kurvex
