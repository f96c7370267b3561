#include "measurement/FieldNumbers.h"

#include <cstdint>
#include <string>

#include "common/Numbers.h"
#include "common/TextHelpers.h"

namespace kurvex {

namespace {

// Up to 15 digits fit a double exactly, and so do the powers of ten up to 1e22:
// their quotient is then the correctly rounded value of the decimal, the same
// double any exact reader gives.
constexpr int kExactDigits = 15;
constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads white space, a sign, digits, "." or "," and digits; anything after the
// number is ignored. Returns false when the text is not of that plain form.
bool ReadPlainDecimal(std::string_view text, double& value)
{
    size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    uint64_t mantissa = 0;
    int digits = 0;
    int decimals = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++digits)
        mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        for (++i; i < text.size() && IsDigit(text[i]); ++i, ++digits, ++decimals)
            mantissa = mantissa * 10 + static_cast<uint64_t>(text[i] - '0');
    }
    if (digits == 0 || digits > kExactDigits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
        return false;
    const double magnitude = static_cast<double>(mantissa) / kPowersOfTen[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

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

}  // namespace kurvex
