// SPDX-License-Identifier: MIT
// An exact reference for what the window must show for a x^2 + b x + c = 0 with the coefficients
// as typed: GMP rationals for everything rational, and the textbook formulas in MPFR interval
// arithmetic at rising precision for what contains a square root. It shares no code with the
// program's calculation, so that the two can check each other.
#pragma once

#include <string>

namespace reference {

// One number as a box shows it.
struct Part {
    bool decided = true;      // false: no precision tried narrowed it to one rounding
    bool negative = false;    // meaningless for zero
    std::string digits = "0"; // 15 significant digits, correctly rounded, ties to even
    long exponent = 0;        // the decimal exponent of the first digit
    double nearest = 0;       // the nearest double, +-infinity beyond the double range
};

struct Solution {
    int sign = 0; // of the discriminant
    Part discriminant;
    Part first, second; // the real case: (-b + sqrt(D)) / 2a, (-b - sqrt(D)) / 2a
    Part re, im;        // the complex case: -b / 2a, sqrt(-D) / 2a
};

// a, b, c are texts of the forms the accuracy cases write: an optional "-", digits with an
// optional ".", and an optional exponent "e" with an optional sign; or two of them, the second
// without a sign, with "/" between them. Requires a != 0.
Solution solve(const std::string& a, const std::string& b, const std::string& c);

// A root, or a part of a complex one, rounded to a number of decimal places (0 to 15), a half
// away from zero: "−2.62", with "." and all its places.
struct Fixed {
    bool decided = true; // false: no precision tried told which way it rounds
    bool exact = false;  // the value is that number exactly
    std::string text;
};
enum class Which {
    FirstOrReal,       // the first root, (−b + sqrt(D)) / 2a, or the real part −b / 2a
    SecondOrImaginary, // the second root, or the imaginary part sqrt(−D) / 2a
};
Fixed rounded(const std::string& a, const std::string& b, const std::string& c, Which which,
              int places);

} // namespace reference
