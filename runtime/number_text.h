// SPDX-License-Identifier: MIT
// Conversions between what a box holds and the numbers the calculation works with.
#pragma once

#include <string>
#include <string_view>

namespace runtime {

// Longest text (in bytes) that readNumber() looks at; anything longer is not a number a person
// typed but a paste gone wrong.
inline constexpr std::size_t kMaxNumberTextLength = 1000;

// The smallest magnitude a nonzero number may have: 10^kSmallestExponent. Below it a text is
// refused, which bounds the work of exact arithmetic on what is typed.
inline constexpr long kSmallestExponent = -100000;

// A number exactly as a text writes it: (-1)^negative x significand x 10^exponent. The
// significand's digits have no leading or trailing zeros; zero is the empty significand with
// exponent 0 and no sign.
struct Decimal {
    bool negative = false;
    std::string significand;
    long exponent = 0;

    bool isZero() const { return significand.empty(); }
    friend bool operator==(const Decimal&, const Decimal&) = default;
};

// What a box's text means: the exact value it writes, exact / denominator, and the double
// nearest to that value (correctly rounded, ties to even; a value below the double range
// becomes a subnormal or a zero with the text's sign).
struct Number {
    Decimal exact;                      // the value, or a fraction's numerator, with the sign
    Decimal denominator{false, "1", 0}; // 1, or a fraction's denominator: positive, never 0
    double nearest = 0;
    bool typedAsInteger = false;  // written with neither a decimal separator nor an exponent
    bool typedAsFraction = false; // written as p/q
};

// text without the blanks readNumber() allows around a number: spaces, tabs, no-break spaces.
std::string_view withoutBlanks(std::string_view text);

// Takes the sign readNumber() allows off the front of text ("+", "-" or the typographic minus);
// true when it was a minus.
bool takeSign(std::string_view& text);

// Reads the number written in text (UTF-8).
//
// Accepted: blanks (space, tab, no-break spaces) around; an optional sign "+", "-" or the
// typographic minus U+2212; digits with at most one decimal separator and at least one digit;
// an optional exponent: "e" or "E", an optional sign, digits. The separator may be ".", "," or,
// when given, the locale's own (such as the Arabic U+066B), whatever the locale. Or a fraction:
// two such numbers without their signs, with "/" between them and blanks around it allowed,
// the optional sign in front of the whole ("−3/4", "0,5 / 3", "1e3/7"); its value obeys the
// ranges below, and each of its two numbers lies between 10^kSmallestExponent and its inverse.
//
// Throws Error{Conversion, Subject::Text, text} for anything else (empty or blank text, "1 2",
// "1,000.5", "inf", "0x10", "1e", "1/2/3", "1/-2", longer than kMaxNumberTextLength, a nonzero
// value below 10^kSmallestExponent), Error{ZeroDenominator, Subject::Text, text} for a fraction
// over 0, and Error{Overflow, Subject::Text, text} for a value whose nearest double would be
// infinite.
Number readNumber(std::string_view text, std::string_view localeSeparator = {});

// The 17 significant digits that read back as the very same double, as printf's "%.17g" writes
// them ("0.10000000000000001", "-0", "1e+300"), for tools and tests. No locale can change it.
std::string roundTripText(double value);

// The text a box shows for a value rounded to decimal: digits are its significant digits (1 to
// 15 of them, the first non-zero), and the value is d1.d2d3... x 10^exponent. Trailing zeros are
// trimmed; plain form when -4 <= exponent < 15 ("0.5", "-1", "123456789012345"), exponent form
// otherwise ("1E+15", "1.5E-07"); zero is "0". decimalSeparator is the locale's, "." or ","
// mostly. No process locale can change it.
std::string formatDecimal(bool negative, std::string_view digits, long exponent,
                          std::string_view decimalSeparator);

// The minus sign of typeset mathematics, U+2212, which readNumber() reads too.
inline constexpr std::string_view kTypographicMinus = "\xE2\x88\x92";

// text with each ASCII "-" written as kTypographicMinus.
std::string typographic(std::string_view text);

} // namespace runtime
