#pragma once

// The number conventions of the program's texts and files.

#include <string>
#include <string_view>

namespace qn {

// A whole number with one blank before a non-negative value and a minus sign
// before a negative one: 64 -> " 64", -3 -> "-3".
std::string numberText(long long value);

// The leading-number reading of a text: leading blanks are skipped, then an
// optional sign, digits and one decimal point are read up to the first other
// character. A text without a leading number reads as 0.
double leadingNumber(std::string_view text);

// Rounds to the nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4).
// Values beyond +-1e15 (and NaN) are saturated so callers can range-check safely.
long long roundHalfEven(double value);

// a / b rounded to nearest, halves to even, for b > 0; exact on integers.
long long divideRoundHalfEven(long long a, long long b);

}  // namespace qn
