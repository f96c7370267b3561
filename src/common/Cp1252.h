#pragma once
// The core keeps all text in Windows-1252; this is the one way out to UTF-8
// (surfaces, JSON, Qt strings). Paths are UTF-8 (common/FileAccess.h); where a
// path becomes part of a text it comes back in.

#include <string>
#include <string_view>

namespace kurvex {

std::string Cp1252ToUtf8(std::string_view text);
// A UTF-8 text (a path) in Windows-1252: characters the code page lacks become
// "?"; bytes that are no UTF-8 are kept, as they were Windows-1252 already.
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace kurvex
