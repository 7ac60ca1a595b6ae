// SPDX-License-Identifier: MIT
// a x^2 + b x + c = 0 for decimal coefficients, turned into an equation of integers: the one
// exact equation that the calculation rounds and the exact forms write; and the arithmetic of
// powers and factors both do on its numbers. Inside solver/ only.
#pragma once

#include "runtime/number_text.h"

#include <gmpxx.h>

namespace solver {

// With x = 10^scale y, multiplied by the denominators' least common multiple L and with one
// common power of ten taken out, the equation is a y^2 + b y + c = 0 with integer a, b, c; its
// discriminant b^2 - 4ac gives the equation's as discriminant / L^2 x 10^discriminantExponent.
// The roots are those of the integers (L cancels). Any of the coefficients may be 0.
struct IntegerEquation {
    IntegerEquation(const runtime::Number& a, const runtime::Number& b, const runtime::Number& c);

    // The equation's own discriminant, exactly.
    mpq_class discriminantValue() const;

    mpz_class a, b, c, discriminant;
    mpz_class denominator = 1; // L
    long scale = 0;
    long discriminantExponent = 0;
};

// base^exponent, for 0 <= exponent < 2^32 (GMP's unsigned long has 32 bits on Windows).
mpz_class power(unsigned long base, long exponent);

// How many times factor divides value, taking it out of value.
long removeFactor(mpz_class& value, unsigned long factor);

// value x 10^exponent in lowest terms, for value in lowest terms.
mpq_class scaled(mpq_class value, long exponent);

// The integer a decimal writes, without its power of ten: (-1)^negative x significand.
mpz_class significandOf(const runtime::Decimal& value);

} // namespace solver
