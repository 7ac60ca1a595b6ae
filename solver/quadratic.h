// SPDX-License-Identifier: MIT
// The numbers of a x^2 + b x + c = 0: discriminant and roots, without cancellation and without
// spurious overflow or underflow of intermediate results.
#pragma once

namespace solver {

struct Discriminant {
    // b^2 - 4ac within 2 units in the last place; +-infinity when beyond the double range,
    // a subnormal or zero when below it.
    double value = 0;
    // The sign of b^2 - 4ac (-1, 0 or 1), right even when value underflowed to zero.
    int sign = 0;
};

// Valid for any finite a, b, c (a may be 0). Never throws.
Discriminant discriminant(double a, double b, double c);

struct Roots {
    bool complex = false;
    // Real solution: first = (-b + sqrt(D)) / 2a, second = (-b - sqrt(D)) / 2a.
    double first = 0;
    double second = 0;
    // Complex solution: re +- im i, re = -b / 2a, im = sqrt(-D) / 2a (negative when a < 0).
    double re = 0;
    double im = 0;
};

// Requires finite a, b, c with a != 0. Real or complex follows discriminant(a, b, c).sign. Each
// part is within a few units in the last place of the exact value. Throws runtime::Error{Overflow}
// attributed to the part (FirstRoot, SecondRoot, RealPart, ImaginaryPart) that is beyond the double
// range.
Roots roots(double a, double b, double c);

} // namespace solver
