#pragma once
// Ranges excluded from the evaluation of exceedances, and their side-file
// list BEREICHOHNEERKENNUNGDATEN: "von_bis_remark" per range, joined by "_",
// the remark escaped so that "_", "<" and ">" survive ("#" does not).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kurvex {

struct BEREICH_OHNE_ERKENNUNG_DATEN {
    int32_t von = 0;  // dm, one end
    int32_t bis = 0;  // dm, the other end; both ends belong to the range
    std::string bemerkung;  // line breaks as "{{CRLF}}"
};

std::string EncodeExcludedRanges(const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges);
std::vector<BEREICH_OHNE_ERKENNUNG_DATEN> DecodeExcludedRanges(std::string_view text);

// Index of the first range, in stored order, whose closed interval holds the station.
std::optional<size_t> ExcludedRangeAt(const std::vector<BEREICH_OHNE_ERKENNUNG_DATEN>& ranges, int32_t station);

}  // namespace kurvex
