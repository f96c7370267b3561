#include "measurement/ExportLine.h"

#include "common/Numbers.h"

namespace kurvex {

namespace {

void AppendExportNumber(std::string& out, double x)
{
    std::string number;
    AppendFixed(number, x, 6);
    const size_t point = number.find('.');
    if (point == std::string::npos) {
        out += number;  // nan, inf
    } else {
        out.append(number, 0, point);
        out += kExportDecimalPlaceholder;
        out.append(number, point + 1, std::string::npos);
    }
    out += kExportSeparatorPlaceholder;
}

// n / 10^scaleDigits printed with `decimals` decimals, decimals >= scaleDigits,
// written backwards ending at `end`; returns where the text begins. The double
// nearest that quotient lies within far less than a unit of the printed last
// place from it, so printf shows exactly its decimal digits and zeros after
// them; here they come from the integer directly.
constexpr size_t kScaledText = 24;  // "-214748364.7000" and more fit

char* WriteScaled(char* end, int32_t n, int scaleDigits, int decimals)
{
    uint64_t magnitude = n < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(n)) : static_cast<uint64_t>(n);
    char* p = end;
    for (int i = 0; i < decimals - scaleDigits; ++i)
        *--p = '0';
    for (int i = 0; i < scaleDigits; ++i, magnitude /= 10)
        *--p = static_cast<char>('0' + magnitude % 10);
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (n < 0)
        *--p = '-';
    return p;
}

void AppendScaled(std::string& out, int32_t n, int scaleDigits, int decimals)
{
    char text[kScaledText];
    char* end = text + sizeof text;
    const char* begin = WriteScaled(end, n, scaleDigits, decimals);
    out.append(begin, static_cast<size_t>(end - begin));
}

bool PrintsAsScaled(std::string_view text, int32_t n, int scaleDigits, int decimals)
{
    char buffer[kScaledText];
    char* end = buffer + sizeof buffer;
    const char* begin = WriteScaled(end, n, scaleDigits, decimals);
    if (text.size() != static_cast<size_t>(end - begin))
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != begin[i])
            return false;
    }
    return true;
}

}  // namespace

void AppendExportLine(std::string& out, double valueMm, double stationKm, double widthM, std::string_view comment)
{
    AppendExportNumber(out, valueMm);
    AppendExportNumber(out, stationKm);
    AppendExportNumber(out, widthM);
    out += comment;
}

void AppendViewerLine(std::string& out, const MESSUNG& point)
{
    AppendViewerLine(out, point.value, point.station, point.width, point.comment);
}

void AppendViewerLine(std::string& out, int32_t value, int32_t station, int32_t width, std::string_view comment,
                      char separator)
{
    AppendViewerValue(out, value);
    out += separator;
    AppendViewerStation(out, station);
    out += separator;
    AppendViewerWidth(out, width);
    out += separator;
    out += comment;
}

void AppendViewerValue(std::string& out, int32_t value)
{
    AppendScaled(out, value, 1, 2);
}

void AppendViewerStation(std::string& out, int32_t station)
{
    AppendScaled(out, station, 4, 4);
}

void AppendViewerWidth(std::string& out, int32_t width)
{
    AppendScaled(out, width, 2, 2);
}

bool PrintsAsViewerValue(std::string_view text, int32_t value)
{
    return PrintsAsScaled(text, value, 1, 2);
}

bool PrintsAsViewerStation(std::string_view text, int32_t station)
{
    return PrintsAsScaled(text, station, 4, 4);
}

bool PrintsAsViewerWidth(std::string_view text, int32_t width)
{
    return PrintsAsScaled(text, width, 2, 2);
}

}  // namespace kurvex
