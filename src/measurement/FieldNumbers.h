#pragma once
// The numbers of the text formats' data fields, read fast. A file of a million
// points holds three million of them; most are plain decimals such as "1,500000"
// or "2.1500", which are read here directly and exactly. Anything else (an
// exponent, many digits, no number at all) goes to the general readers of
// common/Numbers.h, so the result is always theirs.

#include <string_view>

namespace kurvex {

// ToDouble of the field with every "," read as ".": the exchange format's numbers.
double ReadExchangeNumber(std::string_view field);
// ParseNumber of the field: the device text formats' numbers.
double ReadDeviceNumber(std::string_view field);

}  // namespace kurvex
