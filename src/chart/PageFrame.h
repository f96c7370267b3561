#pragma once
// The frame of a printed chart page: supplier notice (upper left), headline
// (upper right), header block (foot), enclosure number (lower right), and the
// product note beside the first strip. The supplier notice and the product
// note serve the printed evaluation report too.
//
// Rectangles are in the printable area's logical units: top = 0, bottom negative.

#include "chart/LabelTable.h"
#include "common/Surface.h"
#include "evaluation/Abschnitt.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kurvex {

class CKurvexDoc;
class CChartPainter;

// Product note alignment: beside the chart's first strip (reads upward) and in the report (reads downward).
inline constexpr int kProductNoteChart = 1;
inline constexpr int kProductNoteReport = 3;
// The note is set in Courier New of this cell height, 60 units left of the point it is given.
inline constexpr int kProductNoteFontHeight = 200;
inline constexpr int kProductNoteShiftX = 60;

void DrawSupplierNotice(Surface& surface, const Rect& rect);
// versionText: the program version (Windows-1252), printed after "Kurvex ".
void DrawProductNote(Surface& surface, int x, int y, int alignmentCode, const std::string& versionText);

// Line 1 is the headline label, lines 2 to 4 the three stored headings (Windows-1252).
void DrawHeadline(Surface& surface, const Rect& rect, const std::string& headline,
                  const std::array<std::string, 3>& headings);

enum class HeaderBlockVariant {
    FixedLabels,  // listing format
    HeaderText,   // older tables 3 and 7
    FullLabels,   // device formats
    ShortLabels,  // limit-value table 5
};

// The variant a file format prints, none for the other formats.
std::optional<HeaderBlockVariant> HeaderBlockVariantFor(int formatCode);
// Top of the first row for a printable rectangle.
Point HeaderBlockOrigin(HeaderBlockVariant variant, const Rect& printable);

// What the header block shows, Windows-1252 texts but for the file name.
struct HeaderBlockData {
    std::array<std::string, 7> headerFields;  // listing format
    std::string headerText;                  // the run's header text (formats 3 and 7)
    std::string kopfdaten;                   // "KOPFDATEN" of the side file (device formats)
    std::string limitList;                   // "4;-;4.5"
    int sectionCount = 0;
    int lengthScale = 400;
    std::string editingDate;  // "dd.mm.yyyy"
    std::string fileName;     // UTF-8, the measurement file's name as the file system has it
};

// Limit values of the sections in list order ("%.1f" without ".0"), "-" for a
// section that is not evaluated, joined with ";".
std::string LimitList(const std::vector<ABSCHNITT>& sections);
// "%d.%m.%Y" of a date.
std::string FormatEditingDate(int day, int month, int year);
HeaderBlockData HeaderBlockDataOf(const CKurvexDoc& doc, const std::string& editingDate);

void DrawHeaderBlock(Surface& surface, HeaderBlockVariant variant, Point origin, const HeaderBlockData& data,
                     const CLabelTable& labels);

// "Anlage 2" for a one-page print, "Anlage 2.3" for page 3 of a longer one.
std::string EnclosureText(const CLabelTable& labels, const std::string& number, int page, int lastPage);
void DrawEnclosureLabel(Surface& surface, const CLabelTable& labels, const std::string& number, int page,
                        int lastPage, const Rect& rect);

// One printed chart page p of a print ending at lastPage: the frame, then the
// chart page at its paper origin. The painter's view should be at print zoom
// with its printing flag set.
void PrintChartPage(Surface& surface, CChartPainter& painter, int page, int lastPage, const Rect& printable,
                    const std::string& editingDate);

}  // namespace kurvex
