#pragma once
// A printed page of the evaluation report: the report page inside its content
// frame, with the supplier notice above it and the product note along it.

#include "common/Surface.h"
#include "evaluation/ReportLayout.h"

#include <string>

namespace kurvex {

// Page n (1-based) of the report; versionText is the program version for the product note.
void PrintReportPage(Surface& surface, const ReportInputs& inputs, int page, const Rect& printable,
                     const std::string& versionText);

}  // namespace kurvex
