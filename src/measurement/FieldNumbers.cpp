#include "measurement/FieldNumbers.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <system_error>
#include <string>

#include "common/Numbers.h"
#include "common/TextHelpers.h"

namespace kurvex {

namespace {

// Up to 15 digits fit a double exactly, and so do the powers of ten up to 1e22:
// their quotient is then the correctly rounded value of the decimal, the same
// double any exact reader gives.
constexpr int kExactDigits = 15;
// Longer plain decimals go to the general readers.
constexpr size_t kLongDecimalBytes = 64;
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// IsWhiteSpace, here where it is inlined into the readers of every number.
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// A plain decimal of more digits than a double holds exactly, such as the
// shortest text of 2.1504 km ("2.1504000000000003"): read by from_chars, as the
// general readers do, but without their copy of the text. number: the digits
// with their decimal sign, no sign of its own.
bool ReadLongDecimal(std::string_view number, bool negative, double& value)
{
    char buffer[kLongDecimalBytes];
    if (number.size() + 1 > sizeof buffer)
        return false;
    size_t length = 0;
    if (negative)
        buffer[length++] = '-';
    for (const char c : number)
        buffer[length++] = c == ',' ? '.' : c;
    // Without an exponent and this short, the number can neither overflow nor underflow.
    return std::from_chars(buffer, buffer + length, value).ec == std::errc();
}

// A number of the plain form: white space, a sign, digits, "." or "," and
// digits, nothing of an exponent after them.
struct PlainDecimal {
    bool negative = false;
    uint64_t mantissa = 0;  // the digits without their decimal sign (valid up to kExactDigits of them)
    int digits = 0;
    int decimals = 0;
    std::string_view number;  // the digits with their decimal sign
};

// Anything after the number is ignored. Returns false when the text is not of the plain form.
bool ParsePlainDecimal(std::string_view text, PlainDecimal& decimal)
{
    // Counted in locals: a store through the reference could alias the text.
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t numberStart = i;
    uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
        mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, ++decimals)
            mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    if (digits == 0)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
        return false;
    decimal.negative = negative;
    decimal.mantissa = mantissa;
    decimal.digits = digits;
    decimal.decimals = decimals;
    decimal.number = text.substr(numberStart, i - numberStart);
    return true;
}

bool ReadPlainDecimal(std::string_view text, double& value)
{
    PlainDecimal decimal;
    if (!ParsePlainDecimal(text, decimal))
        return false;
    if (decimal.digits > kExactDigits)
        return ReadLongDecimal(decimal.number, decimal.negative, value);
    const double magnitude = static_cast<double>(decimal.mantissa) / kPowersOfTen[decimal.decimals];
    value = decimal.negative ? -magnitude : magnitude;
    return true;
}

// Results below this are decided from the digits (see ReadScaledDeviceNumber).
constexpr uint64_t kMaxScaledMagnitude = 100000000;
// The fraction of the scaled number is looked at to this many digits.
constexpr int kFractionDigits = 6;
constexpr uint64_t kFractionUnit = 1000000;
constexpr uint64_t kPowersOfTenInt[] = {1, 10, 100, 1000, 10000, 100000, 1000000};

}  // namespace

double ReadExchangeNumber(std::string_view field)
{
    double value = 0.0;
    if (ReadPlainDecimal(field, value))
        return value;
    return ToDouble(CommaToPoint(field));
}

double ReadDeviceNumber(std::string_view field)
{
    // ParseNumber reads a decimal comma only before the first TAB.
    double value = 0.0;
    if (field.find('\t') == std::string_view::npos && ReadPlainDecimal(field, value))
        return value;
    return ParseNumber(field);
}

bool ReadScaledDeviceNumber(std::string_view field, int scaleDigits, int viewerDecimals, ScaledNumber& number)
{
    // The double path rounds the decimal to a double and multiplies it by
    // powers of ten, each step within some 1e-16 of the exact number: below
    // 1e8 the product the double path rounds lies within 1e-7 of the exact
    // scaled number. Unless the exact fraction lies within 1e-6 of one half,
    // which its first six digits tell, both round alike.
    if (scaleDigits < 0 || scaleDigits > 4 || viewerDecimals < scaleDigits)
        return false;
    const char* p = field.data();
    const char* const end = p + field.size();
    while (p < end && static_cast<unsigned char>(*p) <= ' ' && IsBlank(*p)) {
        // The general reader takes no decimal comma after a TAB.
        if (*p == '\t')
            return false;
        ++p;
    }
    const bool blanks = p != field.data();
    bool negative = false;
    bool plus = false;
    if (p < end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        plus = !negative;
        ++p;
    }
    // The whole part: more than eight digits (leading zeros counted) is left to the double.
    const char* const wholeStart = p;
    uint64_t whole = 0;
    while (p < end && IsDigit(*p))
        whole = whole * 10 + static_cast<uint64_t>(*p++ - '0');
    const auto wholeDigits = static_cast<size_t>(p - wholeStart);
    if (wholeDigits > 8)
        return false;
    // The decimals: the first scaleDigits join the whole part, the next six make
    // the fraction, the rest only count as zero or not.
    char decimalSign = 0;
    const char* decimalsStart = p;
    uint64_t fraction = 0;
    bool restNonZero = false;
    if (p < end && (*p == '.' || *p == ',')) {
        decimalSign = *p++;
        decimalsStart = p;
        const char* const scaledEnd = p + std::min<ptrdiff_t>(scaleDigits, end - p);
        while (p < scaledEnd && IsDigit(*p))
            whole = whole * 10 + static_cast<uint64_t>(*p++ - '0');
        const char* const fractionEnd = p + std::min<ptrdiff_t>(kFractionDigits, end - p);
        while (p < fractionEnd && IsDigit(*p))
            fraction = fraction * 10 + static_cast<uint64_t>(*p++ - '0');
        for (; p < end && IsDigit(*p); ++p)
            restNonZero = restNonZero || *p != '0';
    }
    const auto decimals = static_cast<int>(decimalSign != 0 ? p - decimalsStart : 0);
    if (wholeDigits == 0 && decimals == 0)
        return false;
    if (p < end && (*p == 'e' || *p == 'E'))
        return false;
    if (decimals < scaleDigits)
        whole *= kPowersOfTenInt[scaleDigits - decimals];
    if (decimals < scaleDigits + kFractionDigits)
        fraction *= kPowersOfTenInt[scaleDigits + kFractionDigits - std::max(decimals, scaleDigits)];
    // Too near one half to tell: the double decides.
    if (fraction == kFractionUnit / 2 - 1 || fraction == kFractionUnit / 2)
        return false;
    const uint64_t magnitude = whole + (fraction > kFractionUnit / 2 ? 1 : 0);
    if (magnitude >= kMaxScaledMagnitude)
        return false;
    const auto rounded = static_cast<int32_t>(magnitude);
    number.scaled = negative ? -rounded : rounded;
    // The viewer prints the sign of a number below zero, the whole part without
    // leading zeros, a point and viewerDecimals decimals, the last ones zeros.
    const bool exact = fraction == 0 && !restNonZero;
    const bool leadingZero = wholeDigits > 1 && *wholeStart == '0';
    number.printsAsViewer = exact && !blanks && !plus && (!negative || rounded != 0) && wholeDigits > 0 &&
                            !leadingZero && decimalSign == '.' && decimals == viewerDecimals && p == end;
    return true;
}

}  // namespace kurvex
