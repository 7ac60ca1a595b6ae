// SPDX-License-Identifier: MIT
// The numbers of a x^2 + b x + c = 0, each exactly as the window shows it: the exact
// discriminant and roots of the equation with these coefficients, rounded once.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

namespace solver {

// An exact real number rounded once to each form the program needs.
struct Shown {
    bool negative = false;
    std::string digits = "0"; // its 15 significant digits, correctly rounded (ties to even)
    int exponent = 0;         // the decimal exponent of the first digit
    double nearest = 0;       // the nearest double; +-infinity beyond the double range

    bool overflows() const { return std::isinf(nearest); }
    // The text a box shows, with the locale's decimal separator; zero is "0", never "-0".
    std::string text(std::string_view decimalSeparator) const;
    Shown negated() const;
};

struct Discriminant {
    int sign = 0; // of the exact b^2 - 4ac, even when it lies below every double
    Shown value;
};

// b^2 - 4ac for any finite a, b, c (a may be 0). Never throws.
Discriminant discriminant(double a, double b, double c);

struct Roots {
    bool complex = false; // the exact discriminant is negative
    // Real solution: first = (-b + sqrt(D)) / 2a, second = (-b - sqrt(D)) / 2a.
    Shown first;
    Shown second;
    // Complex solution: re +- im i, re = -b / 2a, im = sqrt(-D) / 2a (negative when a < 0).
    Shown re;
    Shown im;
};

// Requires finite a, b, c with a != 0. Never throws: a part beyond the double range says so
// through Shown::overflows().
Roots roots(double a, double b, double c);

} // namespace solver
