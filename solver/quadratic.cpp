// SPDX-License-Identifier: MIT
#include "solver/quadratic.h"

#include "runtime/number_text.h"

#include <gmp.h>
#include <mpfr.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

// How each number is made exact, then rounded once:
//
// - Every double is an integer times 2^-1074 below 2^1024, so b^2 and 4ac are exact in 106 bits
//   and D = b^2 - 4ac is exact in the bits from the top of the larger to the bottom of the
//   smaller, at most 2 x (1024 + 1074) + 2 (kExactBits bounds them all). D is thus known
//   exactly, and so is its sign.
// - When D (or -D) is the square of a dyadic number, every root part is a quotient of two exact
//   dyadic numbers: it is rounded exactly with integer arithmetic, ties to even.
// - Otherwise sqrt(D) is irrational and so is every root part that contains it. Such a value is
//   enclosed in an interval computed with directed rounding (lower ends rounded down, upper ends
//   up), with formulas that add only numbers of one sign, so the interval narrows in proportion
//   to the working precision. Rounding to nearest is monotonic, so when both ends round to the
//   same 15 digits and to the same double, so does every number between them, the exact value
//   among them. An irrational value is never a rounding boundary (those are rational), so
//   doubling the precision until the ends agree always ends.

namespace solver {
namespace {

constexpr mpfr_prec_t kExactBits = 2 * (1024 + 1074) + 128;
constexpr mpfr_prec_t kFirstWorkingBits = 64;
constexpr int kShownDigits = 15;

class Real {
public:
    explicit Real(mpfr_prec_t bits) { mpfr_init2(m_value, bits); }
    Real(double x, mpfr_prec_t bits) : Real(bits) { mpfr_set_d(m_value, x, MPFR_RNDN); }
    ~Real() { mpfr_clear(m_value); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;

    operator mpfr_ptr() { return m_value; }
    operator mpfr_srcptr() const { return m_value; }

private:
    mpfr_t m_value;
};

class Integer {
public:
    Integer() { mpz_init(m_value); }
    ~Integer() { mpz_clear(m_value); }
    Integer(const Integer&) = delete;
    Integer& operator=(const Integer&) = delete;

    operator mpz_ptr() { return m_value; }
    operator mpz_srcptr() const { return m_value; }

private:
    mpz_t m_value;
};

// The GMP and MPFR macros want raw pointers.
bool isOdd(mpz_srcptr z) {
    return mpz_odd_p(z);
}
int signOf(mpz_srcptr z) {
    return mpz_sgn(z);
}
int signOf(mpfr_srcptr x) {
    return mpfr_sgn(x);
}

// The nearest double to x, ties to even, subnormals included.
double nearestDouble(mpfr_srcptr x) {
    if (mpfr_zero_p(x) || mpfr_get_exp(x) > -1021)
        return mpfr_get_d(x, MPFR_RNDN); // one rounding to 53 bits, or to infinity
    // Below 2^-1022 the doubles are the multiples of 2^-1074.
    Real scaled(mpfr_get_prec(x));
    mpfr_mul_2si(scaled, x, 1074, MPFR_RNDN); // exact
    Real whole(64);
    mpfr_rint(whole, scaled, MPFR_RNDN);
    return std::ldexp(mpfr_get_d(whole, MPFR_RNDN), -1074);
}

// 15 digits of x rounded to nearest; x is not zero.
Shown decimalOf(mpfr_srcptr x) {
    mpfr_exp_t exponent = 0;
    std::unique_ptr<char, decltype(&mpfr_free_str)> text(
        mpfr_get_str(nullptr, &exponent, 10, kShownDigits, x, MPFR_RNDN), &mpfr_free_str);
    Shown shown;
    shown.negative = text.get()[0] == '-';
    shown.digits = text.get() + (shown.negative ? 1 : 0);
    shown.exponent = static_cast<int>(exponent) - 1;
    return shown;
}

bool sameRounding(const Shown& x, const Shown& y) {
    return x.negative == y.negative && x.digits == y.digits && x.exponent == y.exponent &&
           x.nearest == y.nearest;
}

// numerator / denominator (positive integers) rounded to 15 digits, ties to even.
void roundQuotient(mpz_srcptr numerator, mpz_srcptr denominator, Shown& shown) {
    Integer low, high, top, bottom, quotient, remainder, power;
    mpz_ui_pow_ui(low, 10, kShownDigits - 1);
    mpz_ui_pow_ui(high, 10, kShownDigits);
    // log10 of the quotient, give or take one.
    long exponent = std::lround((static_cast<double>(mpz_sizeinbase(numerator, 2)) -
                                 static_cast<double>(mpz_sizeinbase(denominator, 2))) *
                                0.30102999566398120);
    for (;;) {
        const long shift = kShownDigits - 1 - exponent; // quotient x 10^shift has 15 digits
        mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(std::labs(shift)));
        mpz_set(top, numerator);
        mpz_set(bottom, denominator);
        mpz_mul(shift >= 0 ? static_cast<mpz_ptr>(top) : static_cast<mpz_ptr>(bottom),
                shift >= 0 ? static_cast<mpz_srcptr>(top) : static_cast<mpz_srcptr>(bottom), power);
        mpz_tdiv_qr(quotient, remainder, top, bottom);
        if (mpz_cmp(quotient, high) >= 0)
            ++exponent;
        else if (mpz_cmp(quotient, low) < 0)
            --exponent;
        else
            break;
    }
    mpz_mul_2exp(remainder, remainder, 1);
    const int half = mpz_cmp(remainder, bottom);
    if (half > 0 || (half == 0 && isOdd(quotient)))
        mpz_add_ui(quotient, quotient, 1);
    if (mpz_cmp(quotient, high) == 0) {
        mpz_set(quotient, low);
        ++exponent;
    }
    shown.digits.assign(mpz_sizeinbase(quotient, 10) + 2, '\0');
    mpz_get_str(shown.digits.data(), 10, quotient);
    shown.digits.resize(std::char_traits<char>::length(shown.digits.c_str()));
    shown.exponent = static_cast<int>(exponent);
}

// numerator / denominator (positive integers) rounded to the nearest double.
double quotientToDouble(mpz_srcptr numerator, mpz_srcptr denominator) {
    mpq_t ratio;
    mpq_init(ratio);
    mpq_set_num(ratio, numerator);
    mpq_set_den(ratio, denominator);
    mpq_canonicalize(ratio);
    Real rounded(53);
    mpfr_set_q(rounded, ratio, MPFR_RNDN);
    mpq_clear(ratio);
    if (mpfr_get_exp(rounded) > -1021)
        return mpfr_get_d(rounded, MPFR_RNDN);
    // Subnormal: round numerator x 2^1074 / denominator to an integer, ties to even.
    Integer top, quotient, remainder;
    mpz_mul_2exp(top, numerator, 1074);
    mpz_tdiv_qr(quotient, remainder, top, denominator);
    mpz_mul_2exp(remainder, remainder, 1);
    const int half = mpz_cmp(remainder, denominator);
    if (half > 0 || (half == 0 && isOdd(quotient)))
        mpz_add_ui(quotient, quotient, 1);
    return std::ldexp(mpz_get_d(quotient), -1074);
}

// numerator / denominator, both exact dyadic numbers, denominator not zero: rounded exactly.
Shown exactQuotient(mpfr_srcptr numerator, mpfr_srcptr denominator) {
    Shown shown;
    if (mpfr_zero_p(numerator))
        return shown;
    Integer top, bottom;
    const mpfr_exp_t topExponent = mpfr_get_z_2exp(top, numerator);
    const mpfr_exp_t bottomExponent = mpfr_get_z_2exp(bottom, denominator);
    shown.negative = (signOf(top) < 0) != (signOf(bottom) < 0);
    mpz_abs(top, top);
    mpz_abs(bottom, bottom);
    const mpfr_exp_t shift = topExponent - bottomExponent;
    if (shift >= 0)
        mpz_mul_2exp(top, top, static_cast<mp_bitcnt_t>(shift));
    else
        mpz_mul_2exp(bottom, bottom, static_cast<mp_bitcnt_t>(-shift));
    roundQuotient(top, bottom, shown);
    const double magnitude = quotientToDouble(top, bottom);
    shown.nearest = shown.negative ? -magnitude : magnitude;
    return shown;
}

// An exact dyadic number rounded exactly.
Shown exactValue(mpfr_srcptr x) {
    Real one(1.0, 2);
    return exactQuotient(x, one);
}

// The square root of x >= 0 when it is a dyadic number, exactly; false when it is irrational.
bool exactSquareRoot(mpfr_srcptr x, mpfr_ptr root) {
    if (mpfr_zero_p(x)) {
        mpfr_set_zero(root, 1);
        return true;
    }
    Integer mantissa;
    mpfr_exp_t exponent = mpfr_get_z_2exp(mantissa, x);
    const mp_bitcnt_t zeros = mpz_scan1(mantissa, 0);
    mpz_tdiv_q_2exp(mantissa, mantissa, zeros);
    exponent += static_cast<mpfr_exp_t>(zeros);
    if (exponent % 2 != 0) { // make it even: one more bit on the mantissa
        mpz_mul_2exp(mantissa, mantissa, 1);
        --exponent;
    }
    if (!mpz_perfect_square_p(mantissa))
        return false;
    mpz_sqrt(mantissa, mantissa);
    mpfr_set_z_2exp(root, mantissa, exponent / 2, MPFR_RNDN); // exact: root has kExactBits
    return true;
}

// An interval [low, high] around an irrational value, at some working precision.
struct Interval {
    explicit Interval(mpfr_prec_t bits) : low(bits), high(bits) {}
    Real low;
    Real high;
};

// x / y for an exact y != 0.
void divide(Interval& result, const Interval& x, mpfr_srcptr y) {
    const bool flip = signOf(y) < 0;
    mpfr_div(result.low, flip ? x.high : x.low, y, MPFR_RNDD);
    mpfr_div(result.high, flip ? x.low : x.high, y, MPFR_RNDU);
}

// k / y for an exact k and an interval y of one sign.
void divideInto(Interval& result, mpfr_srcptr k, const Interval& y) {
    Real other(mpfr_get_prec(result.low));
    mpfr_div(result.low, k, y.low, MPFR_RNDD);
    mpfr_div(other, k, y.high, MPFR_RNDD);
    mpfr_min(result.low, result.low, other, MPFR_RNDD);
    mpfr_div(result.high, k, y.low, MPFR_RNDU);
    mpfr_div(other, k, y.high, MPFR_RNDU);
    mpfr_max(result.high, result.high, other, MPFR_RNDU);
}

// Rounds the irrational value that enclose(bits, interval) brackets, raising the precision until
// both ends of the interval round alike.
template <typename Enclose> Shown roundIrrational(Enclose enclose) {
    for (mpfr_prec_t bits = kFirstWorkingBits;; bits *= 2) {
        Interval interval(bits);
        enclose(bits, interval);
        Shown low = decimalOf(interval.low);
        Shown high = decimalOf(interval.high);
        low.nearest = nearestDouble(interval.low);
        high.nearest = nearestDouble(interval.high);
        if (sameRounding(low, high))
            return low;
    }
}

// The bits D = b^2 - 4ac needs to be exact: from the top of the larger term to the lowest set
// bit of either, each product being exact in 106 bits.
mpfr_prec_t exactBits(mpfr_srcptr square, mpfr_srcptr product) {
    if (mpfr_zero_p(square) || mpfr_zero_p(product))
        return 106;
    const mpfr_exp_t top = std::max(mpfr_get_exp(square), mpfr_get_exp(product));
    const mpfr_exp_t bottom = std::min(mpfr_get_exp(square), mpfr_get_exp(product)) - 106;
    return static_cast<mpfr_prec_t>(top - bottom + 1); // + 1 for the carry
}

struct Coefficients {
    explicit Coefficients(double a, double b, double c)
        : a(a, 53), b(b, 53), c(c, 53), twoA(53), twoC(53), square(106), fourAC(106),
          discriminant(2) {
        mpfr_sqr(square, this->b, MPFR_RNDN); // exact in 106 bits
        mpfr_mul(fourAC, this->a, this->c, MPFR_RNDN);
        mpfr_mul_2ui(fourAC, fourAC, 2, MPFR_RNDN);
        mpfr_set_prec(discriminant, exactBits(square, fourAC));
        mpfr_sub(discriminant, square, fourAC, MPFR_RNDN); // exact
        // Exact, even where 2a or 2c would overflow a double.
        mpfr_mul_2ui(twoA, this->a, 1, MPFR_RNDN);
        mpfr_mul_2ui(twoC, this->c, 1, MPFR_RNDN);
    }
    Real a, b, c, twoA, twoC, square, fourAC, discriminant;
};

} // namespace

std::string Shown::text(std::string_view decimalSeparator) const {
    return runtime::formatDecimal(negative, digits, exponent, decimalSeparator);
}

Shown Shown::negated() const {
    Shown opposite = *this;
    opposite.negative = !negative;
    opposite.nearest = -nearest;
    return opposite;
}

Discriminant discriminant(double a, double b, double c) {
    const Coefficients k(a, b, c);
    return {signOf(k.discriminant), exactValue(k.discriminant)};
}

Roots roots(double a, double b, double c) {
    const Coefficients k(a, b, c);
    Roots r;
    Real root(kExactBits);
    Real numerator(kExactBits);
    if (signOf(k.discriminant) >= 0) {
        if (exactSquareRoot(k.discriminant, root)) {
            mpfr_sub(numerator, root, k.b, MPFR_RNDN); // exact: both fit in kExactBits
            r.first = exactQuotient(numerator, k.twoA);
            mpfr_add(numerator, root, k.b, MPFR_RNDN);
            mpfr_neg(numerator, numerator, MPFR_RNDN);
            r.second = exactQuotient(numerator, k.twoA);
            return r;
        }
        // The root away from zero adds -b and -sign(b) sqrt(D), two numbers of one sign; the
        // other is the product of the roots, c/a, over it: 2c / (-b -+ sqrt(D)).
        const bool bNegative = signOf(k.b) < 0;
        const auto farSum = [&](mpfr_prec_t bits, Interval& sum) {
            Interval s(bits);
            mpfr_sqrt(s.low, k.discriminant, MPFR_RNDD);
            mpfr_sqrt(s.high, k.discriminant, MPFR_RNDU);
            if (bNegative) { // -b + sqrt(D), both positive
                mpfr_sub(sum.low, s.low, k.b, MPFR_RNDD);
                mpfr_sub(sum.high, s.high, k.b, MPFR_RNDU);
            } else { // -b - sqrt(D) = -(b + sqrt(D)), both non-negative
                mpfr_add(sum.low, k.b, s.high, MPFR_RNDU);
                mpfr_add(sum.high, k.b, s.low, MPFR_RNDD);
                mpfr_neg(sum.low, sum.low, MPFR_RNDN);
                mpfr_neg(sum.high, sum.high, MPFR_RNDN);
            }
        };
        const Shown far = roundIrrational([&](mpfr_prec_t bits, Interval& x) {
            Interval sum(bits);
            farSum(bits, sum);
            divide(x, sum, k.twoA);
        });
        const Shown near = roundIrrational([&](mpfr_prec_t bits, Interval& x) {
            Interval sum(bits);
            farSum(bits, sum);
            divideInto(x, k.twoC, sum);
        });
        r.first = bNegative ? far : near;
        r.second = bNegative ? near : far;
        return r;
    }

    r.complex = true;
    mpfr_neg(numerator, k.b, MPFR_RNDN);
    r.re = exactQuotient(numerator, k.twoA);
    Real negated(kExactBits);
    mpfr_neg(negated, k.discriminant, MPFR_RNDN);
    if (exactSquareRoot(negated, root)) {
        r.im = exactQuotient(root, k.twoA);
    } else {
        r.im = roundIrrational([&](mpfr_prec_t bits, Interval& x) {
            Interval s(bits);
            mpfr_sqrt(s.low, negated, MPFR_RNDD);
            mpfr_sqrt(s.high, negated, MPFR_RNDU);
            divide(x, s, k.twoA);
        });
    }
    return r;
}

} // namespace solver
