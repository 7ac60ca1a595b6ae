// SPDX-License-Identifier: MIT
#include "solver/integer_equation.h"

#include <algorithm>

namespace solver {
namespace {

long floorHalf(long x) {
    return x >= 0 ? x / 2 : -((1 - x) / 2);
}

} // namespace

mpz_class powerOfTen(long exponent) {
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return power;
}

mpz_class significandOf(const runtime::Decimal& value) {
    if (value.isZero())
        return 0;
    mpz_class integer(value.significand, 10);
    return value.negative ? mpz_class(-integer) : integer;
}

IntegerEquation::IntegerEquation(const runtime::Decimal& typedA, const runtime::Decimal& typedB,
                                 const runtime::Decimal& typedC) {
    // x = 10^s y brings the exponents of a 10^2s, b 10^s and c close together, so that the
    // integers stay as short as the digits typed allow.
    if (!typedC.isZero())
        scale = floorHalf(typedC.exponent - typedA.exponent);
    else if (!typedB.isZero())
        scale = typedB.exponent - typedA.exponent;
    const runtime::Decimal* typed[] = {&typedA, &typedB, &typedC};
    const long exponents[] = {typedA.exponent + 2 * scale, typedB.exponent + scale,
                              typedC.exponent};
    long common = 0;
    bool first = true;
    for (int i = 0; i < 3; ++i) {
        if (!typed[i]->isZero()) {
            common = first ? exponents[i] : std::min(common, exponents[i]);
            first = false;
        }
    }
    mpz_class* integers[] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i)
        if (!typed[i]->isZero())
            *integers[i] = significandOf(*typed[i]) * powerOfTen(exponents[i] - common);
    discriminant = b * b - 4 * a * c;
    discriminantExponent = 2 * common - 2 * scale;
}

} // namespace solver
