#include "chart/PageFrame.h"

#include "chart/ChartPainter.h"
#include "chart/Supplier.h"
#include "common/Cp1252.h"
#include "common/Numbers.h"
#include "common/TextHelpers.h"
#include "document/KurvexDoc.h"

namespace kurvex {

namespace {

inline constexpr int kRowPitch = 370;
inline constexpr const char* kHeightScale = "1:1";
inline constexpr const char* kSideFileSuffix = ".zi4";

Font MakeFont(const char* face, int height, int weight = kFontWeightNormal, bool italic = false, int escapement = 0)
{
    Font font;
    font.face = face;
    font.height = height;
    font.weight = weight;
    font.italic = italic;
    font.escapement = escapement;
    return font;
}

void Text(Surface& surface, int x, int y, const std::string& cp1252) { surface.TextOut(x, y, Cp1252ToUtf8(cp1252)); }

// Every block of the frame keeps the surface state it found and writes on a transparent background.
class FrameBlock {
public:
    explicit FrameBlock(Surface& surface) : m_guard(surface)
    {
        surface.SetBackgroundMode(BackgroundMode::Transparent);
        surface.SetTextColor(kBlack);
    }

private:
    SurfaceStateGuard m_guard;
};

// Labels in Arial, values in Courier New italic, both 350 high with their tops at the row.
class HeaderRows {
public:
    HeaderRows(Surface& surface, Point origin) : m_surface(surface), m_origin(origin)
    {
        m_surface.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
    }
    void Label(int dx, int row, const std::string& text) { Put(MakeFont("Arial", 350), dx, row, text); }
    void Value(int dx, int row, const std::string& text) { Utf8Value(dx, row, Cp1252ToUtf8(text)); }
    // A file name keeps letters outside Windows-1252 ("Łódź").
    void Utf8Value(int dx, int row, const std::string& utf8)
    {
        if (utf8.empty())
            return;
        m_surface.SetFont(MakeFont("Courier New", 350, kFontWeightNormal, true));
        m_surface.TextOut(m_origin.x + dx, m_origin.y - kRowPitch * row, utf8);
    }

private:
    void Put(const Font& font, int dx, int row, const std::string& text)
    {
        if (text.empty())
            return;
        m_surface.SetFont(font);
        Text(m_surface, m_origin.x + dx, m_origin.y - kRowPitch * row, text);
    }

    Surface& m_surface;
    Point m_origin;
};

std::string LengthScaleText(int denominator) { return "1:" + FormatInt(denominator); }

void DrawFixedLabelBlock(HeaderRows& rows, const HeaderBlockData& data)
{
    static const char* const kLeftLabels[] = {"Messungs-Nr. :", "Messung vom :", "Dienststelle :", "Abteilung :",
                                              "Pr\xFC" "fer :"};
    for (int row = 0; row < 5; ++row) {
        rows.Label(0, row, kLeftLabels[row]);
        rows.Value(2400, row, data.headerFields[static_cast<size_t>(row)]);
    }
    rows.Label(6200, 0, "Str.-Typ :");
    rows.Value(8800, 0, data.headerFields[5]);
    rows.Label(6200, 1, "Str.-Nr. :");
    rows.Value(8800, 1, data.headerFields[6]);
    rows.Label(6200, 2, data.sectionCount < 2 ? "Grenzwert :" : "Grenzwerte :");
    rows.Value(8800, 2, data.limitList);
    rows.Label(6200, 3, "Ma\xDF" "stab H\xF6he :");
    rows.Value(8800, 3, kHeightScale);
    rows.Label(6200, 4, "Ma\xDF" "stab L\xE4nge :");
    rows.Value(8800, 4, LengthScaleText(data.lengthScale));
    rows.Label(12600, 0, "Bearbeitungsstand :");
    rows.Value(15600, 0, data.editingDate);
    rows.Label(12600, 1, "Dateien :");
    rows.Utf8Value(15600, 1, data.fileName);
    rows.Utf8Value(15600, 2, data.fileName + kSideFileSuffix);
}

void DrawHeaderTextBlock(HeaderRows& rows, const HeaderBlockData& data)
{
    rows.Label(0, 0, "Kopfdaten:");
    rows.Value(2400, 0, data.headerText);
    rows.Label(0, 3, data.sectionCount < 2 ? "Grenzwert:" : "Grenzwerte:");
    // The limit list stands where the other variants put values, beside its label.
    rows.Value(2400, 3, data.limitList);
    rows.Label(6200, 3, "Ma\xDF" "stab H\xF6he:");
    rows.Value(8800, 3, kHeightScale);
    rows.Label(12600, 3, "Dateien:");
    rows.Utf8Value(15600, 3, data.fileName);
    rows.Label(6200, 4, "Ma\xDF" "stab L\xE4nge:");
    rows.Value(8800, 4, LengthScaleText(data.lengthScale));
    rows.Utf8Value(15600, 4, data.fileName + kSideFileSuffix);
}

void DrawFullLabelBlock(HeaderRows& rows, const HeaderBlockData& data, const CLabelTable& labels)
{
    // Pairs 0..3 in the first column pair, 4 and 5 in the second.
    static const Point kPairPlaces[] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {10600, 0}, {10600, 1}};
    static const char* const kPairLabels[] = {kLabelDate, kLabelClient, kLabelDepartment, kLabelTestedBy,
                                              kLabelProject, kLabelProjectNo};
    HeaderTextIterator pairs(data.kopfdaten);
    for (int i = 0; i < 6; ++i) {
        std::string label;
        std::string value;
        pairs.Next(label, value);
        if (!pairs.IsLabelled())
            label = labels.LookupLabel(kPairLabels[i], true);
        const Point place = kPairPlaces[i];
        rows.Label(place.x, place.y, label);
        rows.Value(place.x + 2600, place.y, value);
    }
    rows.Label(10600, 2, labels.LookupLabel(data.sectionCount < 2 ? kLabelRequirement : kLabelRequirements, true));
    rows.Value(13200, 2, data.limitList);
    rows.Label(10600, 3, labels.LookupLabel(kLabelScaleLevel, true));
    rows.Value(13200, 3, kHeightScale);
    rows.Label(10600, 4, labels.LookupLabel(kLabelScaleLength, true));
    rows.Value(13200, 4, LengthScaleText(data.lengthScale));
    rows.Label(17400, 0, labels.LookupLabel(kLabelDocumentation, true));
    rows.Label(17400, 1, labels.LookupLabel(kLabelFiles, true));
    rows.Value(20400, 0, data.editingDate);
    rows.Utf8Value(20400, 1, data.fileName);
    rows.Utf8Value(20400, 2, data.fileName + kSideFileSuffix);
}

void DrawShortLabelBlock(HeaderRows& rows, const HeaderBlockData& data, const CLabelTable& labels)
{
    rows.Label(4000, 0, labels.LookupLabel(data.sectionCount < 2 ? kLabelRequirement : kLabelRequirements, true));
    rows.Label(4000, 1, labels.LookupLabel(kLabelScaleLevel, true));
    rows.Label(4000, 2, labels.LookupLabel(kLabelScaleLength, true));
    rows.Value(7400, 0, data.limitList);
    rows.Value(7400, 1, kHeightScale);
    rows.Value(7400, 2, LengthScaleText(data.lengthScale));
    rows.Label(12900, 0, labels.LookupLabel(kLabelDocumentation, true));
    rows.Label(12900, 1, labels.LookupLabel(kLabelFiles, true));
    rows.Value(16500, 0, data.editingDate);
    rows.Utf8Value(16500, 1, data.fileName);
    rows.Utf8Value(16500, 2, data.fileName + kSideFileSuffix);
}

}  // namespace

void DrawSupplierNotice(Surface& surface, const Rect& rect)
{
    FrameBlock block(surface);
    surface.SetTextAlign(TextAlign{HAlign::Left, VAlign::Top});
    const int x = rect.left + 1500;
    const int y1 = rect.top;
    const int y2 = y1 - 500;
    const int y3 = y2 - 600;
    const int y4 = y3 - 380;
    const int y5 = y4 - 380;
    surface.SetFont(MakeFont("Arial", 350, kFontWeightNormal, true));
    Text(surface, x, y1, kSupplierNoticeIntro);
    surface.SetFont(MakeFont("Arial", 450));
    Text(surface, x, y2, kSupplierName);
    surface.SetFont(MakeFont("Arial", 350));
    Text(surface, x, y3, kSupplierPhoneFax);
    Text(surface, x, y4, kSupplierMail);
    Text(surface, x, y5, kSupplierWebLine);
}

void DrawProductNote(Surface& surface, int x, int y, int alignmentCode, const std::string& versionText)
{
    FrameBlock block(surface);
    const bool report = alignmentCode == kProductNoteReport;
    surface.SetFont(MakeFont("Courier New", kProductNoteFontHeight, kFontWeightNormal, false, report ? 2700 : 900));
    surface.SetTextAlign(TextAlign{report ? HAlign::Left : HAlign::Center, VAlign::Baseline});
    Text(surface, x - kProductNoteShiftX, y, std::string("Kurvex ") + versionText + kSupplierProductLine);
}

void DrawHeadline(Surface& surface, const Rect& rect, const std::string& headline,
                  const std::array<std::string, 3>& headings)
{
    FrameBlock block(surface);
    surface.SetTextAlign(TextAlign{HAlign::Center, VAlign::Top});
    const int x = rect.left + (rect.right - rect.left) / 2;
    surface.SetFont(MakeFont("Arial", 520));
    Text(surface, x, rect.top, headline);
    surface.SetFont(MakeFont("Arial", 420));
    static const int kDrops[] = {700, 1100, 1500};
    for (size_t i = 0; i < headings.size(); ++i)
        if (!headings[i].empty())
            Text(surface, x, rect.top - kDrops[i], headings[i]);
}

std::optional<HeaderBlockVariant> HeaderBlockVariantFor(int formatCode)
{
    switch (formatCode) {
    case 1: return HeaderBlockVariant::FixedLabels;
    case 3:
    case 7: return HeaderBlockVariant::HeaderText;
    case 1001:
    case 1002:
    case 1003: return HeaderBlockVariant::FullLabels;
    case 5: return HeaderBlockVariant::ShortLabels;
    default: return std::nullopt;
    }
}

// 19 mm above the bottom of the printable area: on an A4 page with 5 mm margins
// the first row would otherwise touch the station labels of the third strip,
// and the last row still stays inside the printable area.
constexpr int32_t kHeaderBlockAboveBottom = 1900;

Point HeaderBlockOrigin(HeaderBlockVariant variant, const Rect& printable)
{
    const bool wide = variant == HeaderBlockVariant::FullLabels || variant == HeaderBlockVariant::ShortLabels;
    return Point{printable.left + (wide ? 400 : 5000), printable.bottom + kHeaderBlockAboveBottom};
}

std::string LimitList(const std::vector<ABSCHNITT>& sections)
{
    std::string list;
    for (const ABSCHNITT& section : sections) {
        if (section.auswerten)
            list += ReplacedAll(FormatFixed(section.grenzwert / 10.0, 1), ".0", "");
        else
            list += "-";
        list += ";";
    }
    if (!list.empty())
        list.pop_back();
    return list;
}

std::string FormatEditingDate(int day, int month, int year)
{
    const auto two = [](int n) { return (n < 10 && n >= 0 ? "0" : "") + FormatInt(n); };
    return two(day) + "." + two(month) + "." + FormatInt(year);
}

HeaderBlockData HeaderBlockDataOf(const CKurvexDoc& doc, const std::string& editingDate)
{
    const CBearbeitungsstand& state = doc.State();
    HeaderBlockData data;
    data.headerFields = doc.Run().ListingFields();
    data.headerText = doc.Run().HeaderText();
    data.kopfdaten = state.HeaderData();
    std::vector<ABSCHNITT> sections;
    for (int i = 0; i < state.SectionCount(); ++i)
        sections.push_back(state.Section(i));
    data.limitList = LimitList(sections);
    data.sectionCount = state.SectionCount();
    data.lengthScale = state.LengthScale();
    data.editingDate = editingDate;
    data.fileName = doc.FileName();
    return data;
}

void DrawHeaderBlock(Surface& surface, HeaderBlockVariant variant, Point origin, const HeaderBlockData& data,
                     const CLabelTable& labels)
{
    FrameBlock block(surface);
    HeaderRows rows(surface, origin);
    switch (variant) {
    case HeaderBlockVariant::FixedLabels: DrawFixedLabelBlock(rows, data); break;
    case HeaderBlockVariant::HeaderText: DrawHeaderTextBlock(rows, data); break;
    case HeaderBlockVariant::FullLabels: DrawFullLabelBlock(rows, data, labels); break;
    case HeaderBlockVariant::ShortLabels: DrawShortLabelBlock(rows, data, labels); break;
    }
}

std::string EnclosureText(const CLabelTable& labels, const std::string& number, int page, int lastPage)
{
    std::string text = labels.LookupLabel(kLabelEnclosure) + " " + number;
    if (lastPage > 1)
        text += "." + FormatInt(page);
    return text;
}

void DrawEnclosureLabel(Surface& surface, const CLabelTable& labels, const std::string& number, int page,
                        int lastPage, const Rect& rect)
{
    FrameBlock block(surface);
    surface.SetFont(MakeFont("Arial", 400, kFontWeightNormal, false, 900));
    surface.SetTextAlign(TextAlign{HAlign::Right, VAlign::Bottom});
    Text(surface, rect.right - 500, rect.bottom + 2800, EnclosureText(labels, number, page, lastPage));
}

void PrintChartPage(Surface& surface, CChartPainter& painter, int page, int lastPage, const Rect& printable,
                    const std::string& editingDate)
{
    const CKurvexDoc& doc = painter.Document();
    const CBearbeitungsstand& state = doc.State();
    const Rect& p = printable;
    DrawSupplierNotice(surface, Rect{p.left, p.top - 1600, p.right - 14000, p.top - 3600});
    DrawHeadline(surface, Rect{p.right - 14000, p.top - 1600, p.right, p.top - 3600},
                 painter.Labels().LookupLabel(kLabelHeadline), {state.Heading(1), state.Heading(2), state.Heading(3)});
    if (page == 1 || state.Settings().HeaderOnFollowingPages()) {
        if (const auto variant = HeaderBlockVariantFor(doc.Run().FormatCode()))
            DrawHeaderBlock(surface, *variant, HeaderBlockOrigin(*variant, p), HeaderBlockDataOf(doc, editingDate),
                            painter.Labels());
    }
    DrawEnclosureLabel(surface, painter.Labels(), state.ChartAttachment(), page, lastPage,
                       Rect{p.left, p.bottom + 3000, p.right, p.bottom});
    painter.DrawChartPage(surface, page, PrintPageOriginX(p.left, p.right, state.Settings().LeftMargin()),
                          kPrintPageOriginY);
}

}  // namespace kurvex
