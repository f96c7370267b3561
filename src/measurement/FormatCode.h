#pragma once
// Format codes of the measurement files, as stored in the run and used to pick
// the chart's header block and to enable the export.

namespace kurvex {

enum FormatCode : int {
    kFormatNone = 0,
    kFormatListing = 1,
    kFormatDatedTable4 = 3,      // date line, rows of four ";" fields
    kFormatPlanograph = 4,       // "PLANOGRAPH: Meßdatensätze;"
    kFormatLimitTable = 5,       // "Grenzwert" line, with a .PGC comment file
    kFormatRoadTable = 6,        // "Strasse:" and "Start-Km:"
    kFormatDatedTable5 = 7,      // date line, rows of five ";" fields
    kFormatPm01bs01 = 1001,
    kFormatPm01bs02 = 1002,      // also IMEXPORT001
    kFormatDatedColumnTable = 1003,
};

}  // namespace kurvex
