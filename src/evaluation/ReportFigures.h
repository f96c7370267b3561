#pragma once
// The figures of a run's evaluation report as the printed pages state them,
// read back from the report builder's lines and the report's inputs: per
// section its range, width, limit, listed and counted exceedances, p² sum and
// deduction; for the run its totals row. Nothing is computed a second time, so
// a summary of many runs says exactly what their printed reports say.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "evaluation/ReportLayout.h"

namespace kurvex {

struct ReportSectionFigures {
    int number = 0;
    int32_t von = 0;             // stations in dm
    int32_t bis = 0;
    bool evaluated = true;
    int widthCm = 0;
    double limitMm = 0.0;
    int exceedances = 0;         // exceedance rows of the section's table (no excluded ranges)
    int counted = 0;             // of those, the rows that count (not struck through)
    int64_t sumP2 = 0;           // the section's sum on its last page
    std::optional<std::string> deduction;  // as printed ("%.2f"), none where the report prints none
};

struct ReportFigures {
    std::vector<ReportSectionFigures> sections;
    int pages = 0;
    // The totals row of the last page; none where the report has no page or leaves the figure blank.
    std::optional<int64_t> sumP2;
    std::optional<std::string> deduction;
    std::optional<std::string> meanSpeed;
    std::optional<std::string> varK;  // also none while the report does not print VarK
};

// Texts stay Windows-1252.
ReportFigures ReportFiguresOf(const ReportInputs& inputs);

}  // namespace kurvex
