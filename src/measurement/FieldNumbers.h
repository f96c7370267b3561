#pragma once
// The numbers of the text formats' data fields, read fast. A file of a million
// points holds three million of them; most are plain decimals such as "1,500000"
// or "2.1500", which are read here directly and exactly. Anything else (an
// exponent, many digits, no number at all) goes to the general readers of
// common/Numbers.h, so the result is always theirs.

#include <cstdint>
#include <string_view>

namespace kurvex {

// ToDouble of the field with every "," read as ".": the exchange format's numbers.
double ReadExchangeNumber(std::string_view field);
// ParseNumber of the field: the device text formats' numbers.
double ReadDeviceNumber(std::string_view field);
// A device number scaled to the integer unit of a point.
struct ScaledNumber {
    int32_t scaled = 0;
    // Whether the field is exactly the text the file viewer prints for the
    // number: scaled / 10^scaleDigits with viewerDecimals decimals.
    bool printsAsViewer = false;
};
// RoundHalfAway of ReadDeviceNumber(field) times 10^scaleDigits (0 to 4), found
// from the digits without a double; false when the digits cannot tell, as for
// an exponent, a large number or a product within a millionth of one half: the
// caller then computes its product of the double. Where it answers, the answer
// is the one any order of multiplying by the powers of ten rounds to.
bool ReadScaledDeviceNumber(std::string_view field, int scaleDigits, int viewerDecimals, ScaledNumber& number);

}  // namespace kurvex
