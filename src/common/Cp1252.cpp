#include "common/Cp1252.h"

#include <cstdint>
#include <iterator>
#include <utility>

namespace kurvex {

namespace {

// Code points of the bytes 0x80 to 0x9F. The five bytes Windows-1252 leaves
// undefined map to the C1 control of the same number, as Windows itself does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, uint32_t codePoint)
{
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// The code point of the UTF-8 sequence at text[i] and its length; length 0
// when no well-formed sequence starts there.
std::pair<uint32_t, size_t> DecodeUtf8(std::string_view text, size_t i)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    const size_t length = byte >= 0xF0 && byte < 0xF5 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC2 && byte < 0xE0 ? 2 : 0;
    if (length == 0 || byte >= 0xF5 || i + length > text.size())
        return {0, 0};
    uint32_t codePoint = byte & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const uint32_t smallest = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return {0, 0};
    return {codePoint, length};
}

char Cp1252Byte(uint32_t codePoint)
{
    if (codePoint >= 0xA0 && codePoint <= 0xFF)
        return static_cast<char>(codePoint);
    for (size_t k = 0; k < std::size(kHighControls); ++k) {
        if (kHighControls[k] == codePoint)
            return static_cast<char>(0x80 + k);
    }
    return '?';
}

}  // namespace

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            out += utf8[i++];
            continue;
        }
        const auto [codePoint, length] = DecodeUtf8(utf8, i);
        if (length == 0) {
            out += utf8[i++];
            continue;
        }
        out += Cp1252Byte(codePoint);
        i += length;
    }
    return out;
}

std::string Cp1252ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            out += c;
        else if (byte < 0xA0)
            AppendUtf8(out, kHighControls[byte - 0x80]);
        else
            AppendUtf8(out, byte);
    }
    return out;
}

}  // namespace kurvex
