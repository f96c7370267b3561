#pragma once
// The one place where the core's Windows-1252 texts become Qt strings and back.

#include <QString>

#include <string>

namespace kurvex {

// A text of the windows, written in the source as UTF-8 (German with its
// umlauts), as a Qt string. Short, as the command table and the messages use
// it on nearly every line.
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }

// A Windows-1252 text of the core as a Qt string.
QString ToQString(const std::string& cp1252);
// A Qt string as Windows-1252; characters the code page lacks become "?".
std::string ToCp1252(const QString& text);

}  // namespace kurvex
