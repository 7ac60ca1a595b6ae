// SPDX-License-Identifier: MIT
// The numbers of a x^2 + b x + c = 0 for the coefficients exactly as typed: the exact
// discriminant and roots, each rounded once to what the window shows.
#pragma once

#include "runtime/number_text.h"

#include <memory>
#include <string>
#include <string_view>

namespace solver {

struct IntegerEquation;

// An exact real number rounded once to each form the program needs.
struct Rounded {
    bool negative = false;
    std::string digits = "0"; // its 15 significant digits, correctly rounded (ties to even)
    long exponent = 0;        // the decimal exponent of the first digit
    double nearest = 0;       // the nearest double; +-infinity beyond the double range

    // The text a box shows, with the locale's decimal separator; zero is "0", never "-0".
    std::string text(std::string_view decimalSeparator) const;
    // The exact value's sign: -1, 0 or 1, however far below the doubles the value lies.
    int sign() const;
    Rounded negated() const;
};

struct Roots {
    bool complex = false; // the exact discriminant is negative
    // Real solution: first = (-b + sqrt(D)) / 2a, second = (-b - sqrt(D)) / 2a.
    Rounded first;
    Rounded second;
    // Complex solution: re +- im i, re = -b / 2a, im = sqrt(-D) / 2a (negative when a < 0).
    Rounded re;
    Rounded im;
};

// a x^2 + b x + c = 0 for exact coefficients, decimals or fractions, as readNumber() gives them.
// Their size is bounded by what readNumber() accepts, and so is the work.
class Quadratic {
public:
    // Works out the discriminant, for any a, b, c (a may be 0: D is then b^2). Never throws but
    // std::bad_alloc.
    Quadratic(const runtime::Number& a, const runtime::Number& b, const runtime::Number& c);
    ~Quadratic();
    Quadratic(const Quadratic&) = delete;
    Quadratic& operator=(const Quadratic&) = delete;

    const Rounded& discriminant() const { return m_discriminant; }

    // The roots. A part beyond the double range has an infinite nearest double. Throws
    // runtime::Error at the first root for a = 0, where the equation is not of second degree:
    // DivisionByZero when b < 0 (-b + sqrt(b^2) over 2a is x/0), InvalidOperation otherwise (0/0).
    Roots roots() const;

    // The equation in integers that every value above is worked out from.
    const IntegerEquation& integerEquation() const { return *m_equation; }

private:
    std::unique_ptr<const IntegerEquation> m_equation;
    Rounded m_discriminant;
};

} // namespace solver
