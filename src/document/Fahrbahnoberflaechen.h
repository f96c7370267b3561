#pragma once
// The road surfaces a section or a run can name. FAHRBAHN_OB2 stores the name;
// the position in this table is the surface index.

#include <array>
#include <string_view>

namespace kurvex {

inline constexpr std::array<std::string_view, 41> Fahrbahnoberflaechen = {
    "-",          "AC 16 D S",    "AC 11 D S",    "AC 11 D N", "AC 11 D L",  "AC 8 D S",   "AC 8 D N",
    "AC 8 D L",   "AC 5 D L",     "AC 5 D LOA",   "SMA 22 B S", "SMA 16 B S", "SMA 16 DTS", "SMA 11 S",
    "SMA 8 S",    "SMA 8 N",      "SMA 5 N",      "SMA 8 LA",  "SMA 5 LA",   "MA 11 S",    "MA 11 N",
    "MA 8 S",     "MA 8 N",       "MA 5 S",       "MA 5 N",    "PA 16",      "PA 11",      "PA 8",
    "PMA 8",      "PMA 5",        "AC 16 T D",    "DSH - V 8", "DSH - V 5",  "AC 22 B S",  "AC 16 B S",
    "AC 16 B N",  "AC 11 B N",    "AC 22 B S SG", "AC 16 B S SG", "Beton",   "C 30/37",
};

}  // namespace kurvex
