#pragma once
// The tags of a report's page-end line, "KEY=value¿": written by the report
// builder, read by the printed layout and by the batch summary.

namespace kurvex {

inline constexpr const char* kTagSum = "SUMMEPQ";
inline constexpr const char* kTagSumTotal = "SUMMEPQGES";
inline constexpr const char* kTagCarry = "SUMMEPQ_UEBERTRAG";
inline constexpr const char* kTagVon = "VON";
inline constexpr const char* kTagBis = "BIS";
inline constexpr const char* kTagPrice = "PREIS";
inline constexpr const char* kTagFactor = "FAKTORK";
inline constexpr const char* kTagLimit = "GRENZWERT";
inline constexpr const char* kTagLength = "LAENGE";
inline constexpr const char* kTagWidth = "BREITE";
inline constexpr const char* kTagSurface = "FAHRBAHNOB";
inline constexpr const char* kTagSpeed = "MGESCHW";
inline constexpr const char* kTagVarK = "VARK";
inline constexpr const char* kTagNoTableLines = "KEINE_UEBERSCHREITUNGSZEILEN";
inline constexpr const char* kTagNotEvaluated = "KEINE_AUSWERTUNG";
inline constexpr const char* kTagSectionNumber = "LFDNR_ABSCHNITT";
inline constexpr const char* kTagOneSection = "NUR_EIN_ABSCHNITT";
inline constexpr const char* kTagPageInSection = "LFDNR_SEITE_IM_ABSCHNITT";
inline constexpr const char* kTagOnePageInSection = "NUR_EINE_SEITE_IM_ABSCHNITT";
inline constexpr const char* kTagDeduction = "ABZUG";
inline constexpr const char* kTagDeductionTotal = "ABZUGGES";
inline constexpr const char* kTagSignatures = "UNTERSCHRIFT";

}  // namespace kurvex
