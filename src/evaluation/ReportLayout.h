#pragma once
// The printed evaluation report ("Überschreitungsprotokoll"), one page per
// page-end line of the report builder: form head with the order data, the
// section's figures, the table of its exceedances and excluded ranges, the
// page's sum of p² with the deduction, the run's totals on the last page and
// the signature fields on the last page of each section.
//
// Units are 0.01 mm with y upward; texts stand with their top-left corner at
// the given point unless an alignment is named. The supplier notice and the
// product note around the page belong to the page frame (chart/ReportPrint.h).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Surface.h"
#include "common/TextHelpers.h"

namespace kurvex {

class CKurvexDoc;

// Kurvex finds no exceedances itself: a run whose side file holds no evaluation
// is not free of exceedances, it was not evaluated. The report says so where it
// would say that none were found, and the viewer after the open. Windows-1252.
inline constexpr const char* kNoEvaluationText =
    "F\xFCr diese Messfahrt liegt keine \xDC" "berschreitungsauswertung vor.";

// The tags of one page-end line, "KEY=value¿KEY=value¿…" after its first "|".
class MapSeite {
public:
    static MapSeite Parse(std::string_view pageEndLine);

    // The tag's value, or defaultValue when the page has no such tag.
    std::string Lookup(const std::string& key, const std::string& defaultValue) const;
    // The value with the default the report uses for a missing tag.
    std::string Text(const std::string& key) const;
    int Int(const std::string& key) const;
    double Number(const std::string& key) const;
    // Flags are set when their value is exactly "1".
    bool Flag(const std::string& key) const;
    // A deduction is printed only for a section with a unit price and a factor k.
    bool HasDeductionRates() const;

    const CMapString2String& Tags() const { return m_tags; }

private:
    CMapString2String m_tags;
};

// The table lines of one page and its tags.
struct ReportPage {
    std::vector<std::string> tableLines;
    MapSeite tags;
    bool lastOfJob = false;
};

// The number of page-end lines before "ENDE".
int ReportPageCount(const std::vector<std::string>& lines);
// Page n (1-based) of the builder's lines; none when the report has no such page.
std::optional<ReportPage> LocateReportPage(const std::vector<std::string>& lines, int page);

// Everything a report page shows besides the builder's lines. Texts are Windows-1252.
struct ReportInputs {
    std::vector<std::string> lines;               // the builder's lines
    std::vector<std::string> headerFooterFields;  // second block of KOPFFUSSDATEN, split at "¿"
    bool showVarK = true;
    bool numbering = false;
    std::string evaluationNumber;                 // NrAusWertung
    int lengthScale = 400;
    int evaluationStandard = 1;                   // 0 TP Eben 2007, 1 TP Eben 2017, 2 RVS 11.06.62
    int32_t rangeStart = 0;                       // MANUVONBIS
    int32_t rangeEnd = 0;
    std::string runStatistics = "-||-";           // STATGES: mean speed, deviation, VarK
    std::string currency = "EUR";
    int speedCount = 0;                           // points of the run with a speed
    bool evaluated = true;                        // the side file holds an evaluation of the run

    // Field i of the header and footer texts, empty when absent.
    std::string HeaderField(int i) const;
};

// The inputs of the document's current report lines (build them first with RebuildDocumentReport).
ReportInputs ReportInputsOf(const CKurvexDoc& doc);
// The fields of the second bracketed block of a KOPFFUSSDATEN value.
std::vector<std::string> HeaderFooterFields(std::string_view kopffussdaten);

// The title line of an evaluation standard.
std::string EvaluationStandardTitle(int standard);
// The number box: evaluation number, ".section" unless the run has one
// section, ".page" unless the section has one page.
std::string EvaluationNumberText(const std::string& evaluationNumber, const MapSeite& tags);
// "%.<decimals>f" with a decimal comma.
std::string FormatDecimalComma(double x, int decimals);

// The content frame and its columns for a printable rectangle.
struct ReportGeometry {
    int x0 = 0;  // content frame, left
    int xr = 0;  // content frame, right
    int y0 = 0;  // content frame, top
    int y1 = 0;  // content frame, bottom
};
ReportGeometry ReportGeometryOf(const Rect& printable);
// Where the supplier notice stands above the content frame.
Rect ReportSupplierNoticeRect(const Rect& printable);

// Page n (1-based) inside its content frame; nothing for a page the report does not have.
void DrawReportPage(Surface& surface, const ReportInputs& inputs, int page, const Rect& printable);

}  // namespace kurvex
