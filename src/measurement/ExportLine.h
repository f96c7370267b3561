#pragma once
// The separator-neutral export lines of a run and the readable form of a data
// line shown in the file viewer.

#include <cstdint>
#include <string>
#include <string_view>

#include "measurement/Messung.h"

namespace kurvex {

// Stand-ins in the export lines for the field separator and the decimal sign.
inline constexpr std::string_view kExportSeparatorPlaceholder = "_S_";
inline constexpr std::string_view kExportDecimalPlaceholder = "_D_";

// value, station and width printed with six decimals, the decimal point as "_D_",
// each followed by "_S_", then the comment: "1_D_500000_S_0_D_012300_S_3_D_500000_S_Fuge".
void AppendExportLine(std::string& out, double valueMm, double stationKm, double widthM, std::string_view comment);
// "%.2f %.4f %.2f %s" of value in mm, station in km, width in m and the comment.
void AppendViewerLine(std::string& out, const MESSUNG& point);
// The same with another separator (a PM01BS01 data line: TAB).
void AppendViewerLine(std::string& out, int32_t value, int32_t station, int32_t width, std::string_view comment,
                      char separator = ' ');
// The numbers of a viewer line: value (0.1 mm) as "%.2f" mm, station (dm) as
// "%.4f" km, width (cm) as "%.2f" m. Made from the integers, digit by digit:
// the text is the one printf gives for the quotient.
void AppendViewerValue(std::string& out, int32_t value);
void AppendViewerStation(std::string& out, int32_t station);
void AppendViewerWidth(std::string& out, int32_t width);
// Whether the text is exactly what the Append function above writes.
bool PrintsAsViewerValue(std::string_view text, int32_t value);
bool PrintsAsViewerStation(std::string_view text, int32_t station);
bool PrintsAsViewerWidth(std::string_view text, int32_t width);

}  // namespace kurvex
