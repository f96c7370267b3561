#include "common/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/TextHelpers.h"

namespace kurvex {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Length of the decimal number (sign, digits, point, exponent) at the start of text, 0 if none.
size_t DecimalNumberLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

size_t SkipWhiteSpace(std::string_view text, size_t pos)
{
    while (pos < text.size() && IsWhiteSpace(text[pos]))
        ++pos;
    return pos;
}

// Reads a decimal number at pos; returns the number of bytes used (0: none).
size_t ReadDouble(std::string_view text, size_t pos, double& value)
{
    const std::string_view rest = text.substr(pos);
    const size_t length = DecimalNumberLength(rest);
    if (length == 0)
        return 0;
    size_t start = 0;
    if (rest[0] == '+')
        start = 1;
    double parsed = 0.0;
    const auto result = std::from_chars(rest.data() + start, rest.data() + length, parsed);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value unset on overflow or underflow; decide by the exponent sign.
        const auto e = rest.substr(0, length).find_first_of("eE");
        const bool tiny = e != std::string_view::npos && e + 1 < length && rest[e + 1] == '-';
        const bool negative = rest[0] == '-';
        parsed = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (negative)
            parsed = -parsed;
    }
    value = parsed;
    return length;
}

// Reads an integer (sign and up to maxDigits digits, 0 = unbounded) at pos.
size_t ReadInteger(std::string_view text, size_t pos, size_t maxWidth, int32_t& value)
{
    size_t i = pos;
    const size_t limit = maxWidth == 0 ? text.size() : std::min(text.size(), pos + maxWidth);
    bool negative = false;
    if (i < limit && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t digitsStart = i;
    long long accumulated = 0;
    while (i < limit && IsDigit(text[i])) {
        if (accumulated < 10'000'000'000LL)
            accumulated = accumulated * 10 + (text[i] - '0');
        ++i;
    }
    if (i == digitsStart)
        return 0;
    if (negative)
        accumulated = -accumulated;
    value = ClampToInt32(static_cast<double>(accumulated));
    return i - pos;
}

}  // namespace

double ToDouble(std::string_view text)
{
    double value = 0.0;
    ReadDouble(text, SkipWhiteSpace(text, 0), value);
    return value;
}

int32_t ToInt(std::string_view text)
{
    int32_t value = 0;
    ReadInteger(text, SkipWhiteSpace(text, 0), 0, value);
    return value;
}

double ParseNumber(std::string_view text)
{
    std::string copy(text);
    for (char& c : copy) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || (byte >= 0x41 && byte <= 0x7F))
            break;
        if (c == ',')
            c = '.';
    }
    return ToDouble(copy);
}

std::string CommaToPoint(std::string_view text)
{
    std::string copy(text);
    ReplaceChar(copy, ',', '.');
    return copy;
}

void AppendFixed(std::string& out, double x, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (std::isnan(x)) {
        out += std::signbit(x) ? "-nan" : "nan";
        return;
    }
    if (std::isinf(x)) {
        out += x < 0 ? "-inf" : "inf";
        return;
    }
    // Large enough for any double in fixed notation (309 integer digits) and the decimals.
    char buffer[400];
    const int precision = std::min(decimals, 60);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, precision);
    out.append(buffer, result.ptr);
    for (int i = precision; i < decimals; ++i)
        out += '0';
}

std::string FormatFixed(double x, int decimals)
{
    std::string out;
    AppendFixed(out, x, decimals);
    return out;
}

std::string FormatInt(long long n)
{
    return std::to_string(n);
}

std::string FormatTenths(int32_t n)
{
    return FormatFixed(n / 10.0, 1);
}

std::string TenthsText(std::string_view text)
{
    return FormatFixed(ToDouble(text) / 10.0, 1);
}

std::string NormalizeNumber(std::string_view text, int decimals)
{
    const std::string trimmed = Trim(text);
    if (trimmed.empty())
        return trimmed;
    return FormatFixed(ToDouble(CommaToPoint(trimmed)), decimals);
}

int ScanValues(std::string_view text, std::string_view pattern, double* values, int maxValues)
{
    int stored = 0;
    size_t t = 0;
    size_t p = 0;
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (IsWhiteSpace(pc)) {
            t = SkipWhiteSpace(text, t);
            ++p;
            continue;
        }
        if (pc != '%') {
            if (t >= text.size() || text[t] != pc)
                return stored;
            ++t;
            ++p;
            continue;
        }
        ++p;
        if (p < pattern.size() && pattern[p] == '%') {
            if (t >= text.size() || text[t] != '%')
                return stored;
            ++t;
            ++p;
            continue;
        }
        size_t width = 0;
        while (p < pattern.size() && IsDigit(pattern[p]))
            width = width * 10 + static_cast<size_t>(pattern[p++] - '0');
        const bool isDouble = p + 1 < pattern.size() && pattern[p] == 'l' && pattern[p + 1] == 'f';
        const bool isInt = p < pattern.size() && pattern[p] == 'd';
        if (!isDouble && !isInt)
            return stored;
        p += isDouble ? 2 : 1;
        if (stored >= maxValues)
            return stored;
        t = SkipWhiteSpace(text, t);
        if (isDouble) {
            std::string_view field = text.substr(t);
            if (width > 0)
                field = field.substr(0, width);
            double value = 0.0;
            const size_t used = ReadDouble(field, 0, value);
            if (used == 0)
                return stored;
            values[stored++] = value;
            t += used;
        } else {
            int32_t value = 0;
            const size_t used = ReadInteger(text, t, width, value);
            if (used == 0)
                return stored;
            values[stored++] = value;
            t += used;
        }
    }
    return stored;
}

}  // namespace kurvex
