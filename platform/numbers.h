// Number services: conversions between GBK text and numbers, and rounding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qimubox {

// Full-width digits and signs read as half-width; then leading blanks, an
// optional sign and decimal digits up to the first other character. 0 when
// there are no digits; saturates at the 64-bit limits.
std::int64_t textToInteger(std::string_view text);

// Whole values plainly ("12", "-3"); other values in at most 13 significant
// digits without trailing zeros ("0.1", "1.234567890123").
std::string numberToText(double value);

// Rounds to `decimals` places, halves away from zero.
double roundHalfAway(double value, int decimals = 0);

// Integer division that cuts the fraction (towards zero); 0 for a zero divisor.
std::int64_t divideWhole(std::int64_t dividend, std::int64_t divisor);

}  // namespace qimubox
