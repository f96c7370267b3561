#pragma once
// Checks of the export options shared by the export dialog and kurvex-cli.

#include <string>

namespace kurvex {

inline constexpr const char* kMsgSeparatorMissing = "Bitte Feldtrenner eingeben!\r\nLeerzeichen sind nicht zul\xE4ssig.";
inline constexpr const char* kMsgSeparatorIsDecimal = "Dezimalzeichen und Feldtrenner m\xFCssen sich unterscheiden.";

// The separator the user typed for "anderes Zeichen:", white space removed at both ends.
std::string NormalizeOtherSeparator(const std::string& typed);
// The message that refuses the separator, or an empty text when it may be used.
std::string CheckExportSeparator(bool decimalComma, const std::string& separator);
// The proposed name of the export file: the file name without folder, ".pbs" replaced by ".exp".
std::string ProposedExportFileName(const std::string& documentPath);

}  // namespace kurvex
