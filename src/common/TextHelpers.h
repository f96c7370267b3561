#pragma once
// Byte-string helpers shared by every reader and by the side-file code.
// Texts are Windows-1252 bytes; positions are 0-based; "not found" is -1.
// The search functions treat a zero byte as the end of the text.

#include <map>
#include <string>
#include <string_view>

namespace kurvex {

// The byte that separates fields in header texts, remark entries and report tags ("¿").
inline constexpr char kFieldSeparator = '\xBF';

bool IsWhiteSpace(char c);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string Trim(std::string_view text);
bool StartsWith(std::string_view text, std::string_view prefix);
bool Contains(std::string_view text, std::string_view pattern);

int Find(std::string_view text, std::string_view pattern, int start = 0);
int ReverseFindNoCase(std::string_view text, std::string_view pattern, int start = -1);
int Replace(std::string& text, std::string_view oldText, std::string_view newText, bool all = true);
int ReplaceChar(std::string& text, char oldChar, char newChar);
std::string ReplacedAll(std::string text, std::string_view oldText, std::string_view newText);

std::string GetField(std::string_view text, std::string_view separator, int n);
std::string GetField(std::string_view text, char separator, int n);
int CountFields(std::string_view text, std::string_view separator);
int CountFields(std::string_view text, char separator);
std::string GetBracketed(std::string_view text, std::string_view open, std::string_view close, int n);

std::string EscapeText(std::string_view text);
std::string UnescapeText(std::string_view text);
std::string RepairUmlauts(std::string_view text);

using CMapString2String = std::map<std::string, std::string>;
std::string LookupOrDefault(const CMapString2String& map, const std::string& key,
                            const std::string& defaultValue);

}  // namespace kurvex
