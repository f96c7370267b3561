#include "common/TextHelpers.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace kurvex {

namespace {

// The searchable part of a text: everything before its first zero byte.
std::string_view UpToZero(std::string_view text)
{
    const auto zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string TrimLeft(std::string_view text)
{
    size_t begin = 0;
    while (begin < text.size() && IsWhiteSpace(text[begin]))
        ++begin;
    return std::string(text.substr(begin));
}

std::string TrimRight(std::string_view text)
{
    size_t end = text.size();
    while (end > 0 && IsWhiteSpace(text[end - 1]))
        --end;
    return std::string(text.substr(0, end));
}

std::string Trim(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsWhiteSpace(text[begin]))
        ++begin;
    while (end > begin && IsWhiteSpace(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool Contains(std::string_view text, std::string_view pattern)
{
    return Find(text, pattern) >= 0;
}

int Find(std::string_view text, std::string_view pattern, int start)
{
    const std::string_view searchable = UpToZero(text);
    if (start < 0)
        start = 0;
    if (static_cast<size_t>(start) > searchable.size())
        return -1;
    const auto pos = searchable.find(pattern, static_cast<size_t>(start));
    return pos == std::string_view::npos ? -1 : static_cast<int>(pos);
}

int ReverseFindNoCase(std::string_view text, std::string_view pattern, int start)
{
    const std::string_view searchable = UpToZero(text);
    if (searchable.empty() || pattern.empty() || pattern.size() > searchable.size())
        return -1;
    const int lastPossible = static_cast<int>(searchable.size() - pattern.size());
    int pos = (start < 0 || start > lastPossible) ? lastPossible : start;
    for (; pos >= 0; --pos) {
        bool same = true;
        for (size_t i = 0; i < pattern.size() && same; ++i)
            same = LowerAscii(searchable[pos + i]) == LowerAscii(pattern[i]);
        if (same)
            return pos;
    }
    return -1;
}

int Replace(std::string& text, std::string_view oldText, std::string_view newText, bool all)
{
    if (oldText.empty())
        return 0;
    int count = 0;
    size_t pos = 0;
    while ((pos = text.find(oldText, pos)) != std::string::npos) {
        text.replace(pos, oldText.size(), newText);
        pos += newText.size();
        ++count;
        if (!all)
            break;
    }
    return count;
}

std::string ReplacedAll(std::string text, std::string_view oldText, std::string_view newText)
{
    Replace(text, oldText, newText, true);
    return text;
}

int ReplaceChar(std::string& text, char oldChar, char newChar)
{
    if (oldChar == newChar)
        return 0;
    int count = 0;
    for (char& c : text) {
        if (c == oldChar) {
            c = newChar;
            ++count;
        }
    }
    return count;
}

std::string GetField(std::string_view text, std::string_view separator, int n)
{
    if (n < 0)
        return {};
    if (separator.empty())
        return n == 0 ? std::string(text) : std::string();
    size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        const auto next = text.find(separator, pos);
        if (next == std::string_view::npos)
            return {};
        pos = next + separator.size();
    }
    const auto end = text.find(separator, pos);
    return std::string(text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
}

std::string GetField(std::string_view text, char separator, int n)
{
    return GetField(text, std::string_view(&separator, 1), n);
}

int CountFields(std::string_view text, std::string_view separator)
{
    if (separator.empty())
        return 1;
    int count = 1;
    size_t pos = 0;
    while ((pos = text.find(separator, pos)) != std::string_view::npos) {
        ++count;
        pos += separator.size();
    }
    return count;
}

int CountFields(std::string_view text, char separator)
{
    return CountFields(text, std::string_view(&separator, 1));
}

std::string GetBracketed(std::string_view text, std::string_view open, std::string_view close, int n)
{
    if (n < 0 || open.empty() || close.empty())
        return {};
    size_t searchFrom = 0;
    size_t fieldStart = 0;
    size_t fieldEnd = 0;
    for (int i = 0; i <= n; ++i) {
        const auto openPos = text.find(open, searchFrom);
        if (openPos == std::string_view::npos)
            return {};
        fieldStart = openPos + open.size();
        const auto closePos = text.find(close, fieldStart);
        if (closePos == std::string_view::npos)
            return {};
        fieldEnd = closePos;
        searchFrom = openPos + close.size();
    }
    return std::string(text.substr(fieldStart, fieldEnd - fieldStart));
}

std::string EscapeText(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '#': break;
        case '_': result += "#underscore#"; break;
        case '<': result += "#lo#"; break;
        case '>': result += "#gt#"; break;
        default: result += c; break;
        }
    }
    return result;
}

std::string UnescapeText(std::string_view text)
{
    std::string result(text);
    Replace(result, "#underscore#", "_");
    Replace(result, "#lo#", "<");
    Replace(result, "#gt#", ">");
    return result;
}

std::string RepairUmlauts(std::string_view text)
{
    static constexpr struct {
        const char* utf8;
        char cp1252;
    } kTable[] = {
        {"\xC3\xA4", '\xE4'}, {"\xC3\xB6", '\xF6'}, {"\xC3\xBC", '\xFC'}, {"\xC3\x9F", '\xDF'},
        {"\xC3\x84", '\xC4'}, {"\xC3\x96", '\xD6'}, {"\xC3\x9C", '\xDC'},
    };
    std::string result(text);
    if (result.find('\xC3') == std::string::npos)
        return result;
    for (const auto& entry : kTable)
        Replace(result, entry.utf8, std::string_view(&entry.cp1252, 1));
    return result;
}

std::string LookupOrDefault(const CMapString2String& map, const std::string& key,
                            const std::string& defaultValue)
{
    const auto it = map.find(key);
    return it == map.end() ? defaultValue : it->second;
}

}  // namespace kurvex
