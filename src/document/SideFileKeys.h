#pragma once
// Keys of the ".zi4" side file.

#include <string>

#include "common/Numbers.h"

namespace kurvex {

inline constexpr const char* kSideFileExtension = ".zi4";

inline constexpr const char* kKeyProgramVersion = "INITIIERT_MIT_PROGRAMMVERSION";
inline constexpr const char* kKeyChecksum = "KENNUNG";
inline constexpr const char* kKeyHeading1 = "UBERSCHRIFT_ZEILE_1";
inline constexpr const char* kKeyHeading2 = "UBERSCHRIFT_ZEILE_2";
inline constexpr const char* kKeyHeading3 = "UBERSCHRIFT_ZEILE_3";
inline constexpr const char* kKeyHeaderData = "KOPFDATEN";
inline constexpr const char* kKeyHeaderFooterData = "KOPFFUSSDATEN";
inline constexpr const char* kKeyRange = "MANUVONBIS";
inline constexpr const char* kKeyDecimetreOffset = "DEZIMETER_OFFSET";
inline constexpr const char* kKeyCalibration = "KALIBRIERWERT";
inline constexpr const char* kKeyMirrored = "BOOL_SPIEGELN";
inline constexpr const char* kKeyKilometreAdjustment = "KILOMETRIERUNG_ANGEPASST";
inline constexpr const char* kKeySections = "ABSCHNITTE";
inline constexpr const char* kKeyRunStatistics = "STATGES";
inline constexpr const char* kKeyExceedances = "UEBERSCHREITUNGSDATEN_1";
inline constexpr const char* kKeyEvaluationParameters = "UEBERSCHREITUNGSDATEN_2";
inline constexpr const char* kKeyRemarks = "UEBERSCHREITUNGSDATEN_4";
inline constexpr const char* kKeyStarTexts = "STERNTEXTE";
inline constexpr const char* kKeyFreeTexts = "FREIETEXTE";
inline constexpr const char* kKeyRangeTexts = "BEREICHSTEXTE";
inline constexpr const char* kKeyExcludedRanges = "BEREICHOHNEERKENNUNGDATEN";
inline constexpr const char* kKeyLengthScale = "MASSSTAB_DER_LAENGE";
inline constexpr const char* kKeySurface = "FAHRBAHN_OB2";
inline constexpr const char* kKeyStandardMaximum = "TPEBENE2017MAX";

inline constexpr const char* kDefaultRange = "-1;-1";
inline constexpr const char* kDefaultStandardMaximum = "0.5";
inline constexpr int kDefaultLengthScale = 400;

// Comparison run n (1..4): its file, its station offset in metres, its mirror flag.
inline std::string ComparisonPathKey(int n) { return "VGL_PATH_" + FormatInt(n); }
inline std::string ComparisonOffsetKey(int n) { return "VGL_OFF_" + FormatInt(n); }
inline std::string ComparisonMirrorKey(int n) { return "VGL_MIRROR_" + FormatInt(n); }

}  // namespace kurvex
