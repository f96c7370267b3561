#pragma once
// One exceedance of the limit value, as the side file stores it.

#include <cstdint>

namespace kurvex {

// The page an exceedance has before the chart has laid out its pages.
inline constexpr int32_t kPageNotYetDrawn = -999;

struct UEBERSCHREITUNG {
    int32_t seite = 0;     // chart page, kPageNotYetDrawn until paged
    int32_t station = 0;   // dm; the key of the record
    int32_t messwert = 0;  // 0.1 mm
    int32_t p = 0;         // mm
    int32_t lfdNr = 0;     // running number in run direction, from 1
    int32_t p2 = 0;        // mm²
    bool beruecksichtigt = false;  // counts in sums and deductions
    double geschwindigkeit = 0.0;  // km/h; negative: none
};

}  // namespace kurvex
