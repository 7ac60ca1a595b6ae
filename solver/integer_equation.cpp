// SPDX-License-Identifier: MIT
#include "solver/integer_equation.h"

#include <algorithm>
#include <cstdlib>

namespace solver {
namespace {

long floorHalf(long x) {
    return x >= 0 ? x / 2 : -((1 - x) / 2);
}

} // namespace

mpz_class power(unsigned long base, long exponent) {
    mpz_class result;
    mpz_ui_pow_ui(result.get_mpz_t(), base, static_cast<unsigned long>(exponent));
    return result;
}

long removeFactor(mpz_class& value, unsigned long factor) {
    // Most values have none to give: that is asked first, without making a number of the factor.
    if (value == 0 || !mpz_divisible_ui_p(value.get_mpz_t(), factor))
        return 0;
    return static_cast<long>(
        mpz_remove(value.get_mpz_t(), value.get_mpz_t(), mpz_class(factor).get_mpz_t()));
}

mpq_class scaled(mpq_class value, long exponent) {
    // Only twos and fives can cancel against the power of ten, so no greatest common divisor
    // of long numbers is needed.
    if (value == 0)
        return value;
    const auto count = static_cast<unsigned long>(std::labs(exponent));
    mpz_class& gains = exponent >= 0 ? value.get_num() : value.get_den();
    mpz_class& loses = exponent >= 0 ? value.get_den() : value.get_num();
    const unsigned long twos = std::min(count, mpz_scan1(loses.get_mpz_t(), 0));
    mpz_tdiv_q_2exp(loses.get_mpz_t(), loses.get_mpz_t(), twos);
    auto fives = static_cast<unsigned long>(removeFactor(loses, 5));
    if (fives > count) { // more taken out than the power of ten can take: put the rest back
        loses *= power(5, static_cast<long>(fives - count));
        fives = count;
    }
    gains *= power(5, static_cast<long>(count - fives));
    gains <<= count - twos;
    return value;
}

mpz_class significandOf(const runtime::Decimal& value) {
    if (value.isZero())
        return 0;
    mpz_class integer(value.significand, 10);
    return value.negative ? mpz_class(-integer) : integer;
}

IntegerEquation::IntegerEquation(const runtime::Number& typedA, const runtime::Number& typedB,
                                 const runtime::Number& typedC) {
    // Each value is n / q x 10^e with integers n and q > 0.
    const runtime::Number* typed[] = {&typedA, &typedB, &typedC};
    long exponentOf[3];
    for (int i = 0; i < 3; ++i)
        exponentOf[i] = typed[i]->exact.exponent - typed[i]->denominator.exponent;
    const auto zero = [&](int i) { return typed[i]->exact.isZero(); };
    // x = 10^s y brings the exponents of a 10^2s, b 10^s and c close together, so that the
    // integers stay as short as the digits typed allow.
    if (!zero(2))
        scale = floorHalf(exponentOf[2] - exponentOf[0]);
    else if (!zero(1))
        scale = exponentOf[1] - exponentOf[0];
    const long exponents[] = {exponentOf[0] + 2 * scale, exponentOf[1] + scale, exponentOf[2]};
    long common = 0;
    bool first = true;
    for (int i = 0; i < 3; ++i) {
        if (!zero(i)) {
            common = first ? exponents[i] : std::min(common, exponents[i]);
            first = false;
            denominator = lcm(denominator, mpz_class(typed[i]->denominator.significand));
        }
    }
    mpz_class* integers[] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i)
        if (!zero(i))
            *integers[i] = significandOf(typed[i]->exact) *
                           (denominator / mpz_class(typed[i]->denominator.significand)) *
                           power(10, exponents[i] - common);
    discriminant = b * b - 4 * a * c;
    discriminantExponent = 2 * common - 2 * scale;
}

mpq_class IntegerEquation::discriminantValue() const {
    mpq_class value(discriminant, denominator * denominator);
    value.canonicalize();
    return scaled(value, discriminantExponent);
}

} // namespace solver
