#pragma once
// Number conversions and formats. All of them use the "C" convention (decimal
// point) whatever locale the process runs in, and every conversion of a file
// value to an integer is defined for any input: NaN gives 0, values beyond the
// 32-bit range are clamped to it.

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace kurvex {

// Truncates toward zero into the int32 range; NaN gives 0. Inline: the
// readers call both for every number of a file.
inline int32_t ClampToInt32(double x)
{
    if (std::isnan(x))
        return 0;
    if (x <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (x >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(x);
}

// Rounds half away from zero into the int32 range (2.5 -> 3, -2.5 -> -3).
inline int32_t RoundHalfAway(double x)
{
    if (std::isnan(x))
        return 0;
    return ClampToInt32(x >= 0.0 ? x + 0.5 : x - 0.5);
}

// The leading decimal number of a text as the C library's atof reads it
// (leading white space, sign, digits, point, exponent); 0 when there is none.
double ToDouble(std::string_view text);
// The leading integer of a text (leading white space, sign, digits), clamped to int32; 0 if none.
int32_t ToInt(std::string_view text);

// "." and "," before the first TAB or letter become the decimal point, then the leading number.
double ParseNumber(std::string_view text);
std::string CommaToPoint(std::string_view text);

std::string FormatFixed(double x, int decimals);
std::string FormatInt(long long n);
std::string FormatTenths(int32_t n);
std::string TenthsText(std::string_view text);
std::string NormalizeNumber(std::string_view text, int decimals);

// Appends x printed like printf("%.<decimals>f") to out.
void AppendFixed(std::string& out, double x, int decimals);

// A small, bounded replacement for sscanf over a byte text, in the "C" convention.
// Directives: "%d" and "%Nd" (integer, width N, clamped to int32), "%lf" (decimal
// number), "%%"; white space in the pattern skips any white space in the text;
// every other character must match exactly. Like sscanf, "%d" and "%lf" skip
// leading white space. Returns the number of values stored (at most maxValues).
int ScanValues(std::string_view text, std::string_view pattern, double* values, int maxValues);

}  // namespace kurvex
