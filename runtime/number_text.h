// SPDX-License-Identifier: MIT
// Conversions between what a box holds and the double the calculation works with.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Longest text (in bytes) that toNumber() looks at; anything longer is not a number a person
// typed but a paste gone wrong.
inline constexpr std::size_t kMaxNumberTextLength = 1000;

// The double nearest to the number written in text (UTF-8), correctly rounded.
//
// Accepted: blanks (space, tab, no-break space) around; an optional sign "+", "-" or the
// typographic minus U+2212; digits with at most one decimal separator, "." or "," whatever the
// locale, and at least one digit; an optional exponent: "e" or "E", an optional sign, digits.
// A value below the smallest double becomes a subnormal or a signed zero.
//
// Throws Error{Conversion, Subject::Text, text} for anything else (empty or blank text,
// "1 2", "1,000.5", "inf", "0x10", "1e", longer than kMaxNumberTextLength) and
// Error{Overflow, Subject::Text, text} for a value beyond the double range.
double toNumber(std::string_view text);

// The text a box shows for a finite value: at most 15 significant digits, correctly rounded,
// trailing zeros trimmed; plain form when 1e-4 <= |x| < 1e15 after rounding ("0.5", "-1",
// "123456789012345"), exponent form otherwise ("1E+15", "1.5E-07"); zero of either sign is "0".
// decimalSeparator is the locale's, "." or "," mostly.
//
// Throws Error{Overflow} for an infinity and Error{InvalidOperation} for a NaN.
std::string toText(double value, std::string_view decimalSeparator = ".");

// The same display rules for a value already rounded to decimal: digits are its significant
// digits (1 to 15 of them, the first non-zero), and the value is 0.d1d2d3... x 10^(exponent+1),
// that is d1.d2d3... x 10^exponent.
std::string formatDecimal(bool negative, std::string_view digits, int exponent,
                          std::string_view decimalSeparator);

} // namespace runtime
