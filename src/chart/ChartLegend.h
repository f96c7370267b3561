#pragma once
// The legend the chart window shows in its top-right corner (on screen only,
// never on paper): the run and each loaded comparison run with the colour of
// its curve and its station offset, and the comparison runs the side file
// names but that were not found.

#include "common/Surface.h"

#include <string>
#include <vector>

namespace kurvex {

class CKurvexDoc;

struct LegendLine {
    std::string text;    // UTF-8, like every text drawn
    bool curve = false;  // shown with a short stroke in the curve's pen
    Color colour;        // of the stroke, or of the text for a line without one
    int lineWidth = 0;   // the curve's pen width in logical units
};

// Nothing for a document without a file.
std::vector<LegendLine> ChartLegendLines(const CKurvexDoc& doc);

}  // namespace kurvex
