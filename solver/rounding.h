// SPDX-License-Identifier: MIT
// The one kind of number the calculation shows, (u + v sqrt(w)) / z x 10^exponent, rounded once.
// Inside solver/ only.
#pragma once

#include "solver/quadratic.h"

#include <gmpxx.h>

#include <array>

namespace solver {

// (u + v sqrt(w)) / z x 10^exponent, with w >= 0 and z != 0: the discriminant (v = 0), a real
// root (-b +- sqrt(D)) / 2a, and the real and imaginary parts of a complex one.
struct Surd {
    mpz_class u;
    mpz_class v = 0;
    mpz_class w = 0;
    mpz_class z = 1;
    long exponent = 0;
};

// The exact value of x rounded to 15 significant digits and to the nearest double, each once
// and to nearest with ties to even; a double beyond the range is infinite, one below it is a
// subnormal or a zero of x's sign.
Rounded rounded(Surd x);

struct IntegerEquation;

// The roots of equation (a != 0) as surds: (−b + √D')/2a·10^s and (−b − √D')/2a·10^s, or for
// D' < 0 the real part −b/2a·10^s and the imaginary part √(−D')/2a·10^s.
std::array<Surd, 2> rootSurds(const IntegerEquation& equation);

// x rounded to a number of decimal places, a half away from zero, as school rounds:
// (−1)^negative · units · 10^−places; exact when x is that very number.
struct Fixed {
    bool negative = false;
    mpz_class units;
    bool exact = false;
};
Fixed toDecimals(const Surd& x, int places);

} // namespace solver
