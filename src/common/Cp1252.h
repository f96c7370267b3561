#pragma once
// The core keeps all text in Windows-1252; this is the one way out to UTF-8
// (surfaces, JSON, Qt strings).

#include <string>
#include <string_view>

namespace kurvex {

std::string Cp1252ToUtf8(std::string_view text);

}  // namespace kurvex
