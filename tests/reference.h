// SPDX-License-Identifier: MIT
// Reference values of a quadratic's discriminant and roots: the textbook formulas evaluated in
// MPFR interval arithmetic at a precision where nothing the doubles can hold is lost.
#pragma once

#include <mpfr.h>

#include <cmath>
#include <memory>
#include <string>

namespace reference {

// Every double is an integer times 2^-1074 below 2^1024, so b^2 - 4ac is exact in
// 2 x (1024 + 1074) + 2 bits; the roots' cancellation costs at most as many again, and 8800
// bits leave hundreds to spare.
inline constexpr mpfr_prec_t kPrecision = 8800;

class Number {
public:
    Number() { mpfr_init2(m_value, kPrecision); }
    explicit Number(double x) : Number() { mpfr_set_d(m_value, x, MPFR_RNDN); }
    ~Number() { mpfr_clear(m_value); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;

    operator mpfr_ptr() { return m_value; }
    operator mpfr_srcptr() const { return m_value; }

private:
    mpfr_t m_value;
};

// One number as a box shows it, from an interval [low, high] around the exact value.
struct Part {
    bool decided = false; // both ends of the interval round alike
    std::string digits;   // 15 significant digits, "0" for zero
    long exponent = 0;    // decimal exponent of the first digit
    bool negative = false;
    double nearest = 0; // nearest double (+-inf beyond range)
};

inline Part roundedDigits(mpfr_srcptr x) {
    Part part;
    part.nearest = mpfr_get_d(x, MPFR_RNDN);
    if (mpfr_zero_p(x)) {
        part.digits = "0";
        return part;
    }
    mpfr_exp_t exponent = 0;
    std::unique_ptr<char, decltype(&mpfr_free_str)> text(
        mpfr_get_str(nullptr, &exponent, 10, 15, x, MPFR_RNDN), &mpfr_free_str);
    part.negative = text.get()[0] == '-';
    part.digits = text.get() + (part.negative ? 1 : 0);
    part.exponent = exponent - 1;
    return part;
}

inline Part fromInterval(mpfr_srcptr low, mpfr_srcptr high) {
    Part a = roundedDigits(low);
    const Part b = roundedDigits(high);
    a.decided = a.digits == b.digits && a.exponent == b.exponent && a.negative == b.negative &&
                a.nearest == b.nearest;
    return a;
}

struct Solution {
    int sign = 0; // of the discriminant
    Part discriminant;
    Part first, second; // real case
    Part re, im;        // complex case
};

// Requires a != 0.
inline Solution solve(double a, double b, double c) {
    Number A(a), B(b), C(c), d, t, twoA, lowRoot, highRoot, low, high;
    mpfr_sqr(d, B, MPFR_RNDN);
    mpfr_mul(t, A, C, MPFR_RNDN);
    mpfr_mul_2ui(t, t, 2, MPFR_RNDN);
    mpfr_sub(d, d, t, MPFR_RNDN); // exact at this precision
    mpfr_mul_2ui(twoA, A, 1, MPFR_RNDN);
    const bool flip = a < 0; // dividing by 2a swaps the ends

    Solution s;
    s.sign = mpfr_sgn(static_cast<mpfr_srcptr>(d));
    s.discriminant = fromInterval(d, d);
    const auto divided = [&](Part& part) {
        mpfr_div(low, low, twoA, flip ? MPFR_RNDU : MPFR_RNDD);
        mpfr_div(high, high, twoA, flip ? MPFR_RNDD : MPFR_RNDU);
        part = flip ? fromInterval(high, low) : fromInterval(low, high);
    };
    if (s.sign >= 0) {
        mpfr_sqrt(lowRoot, d, MPFR_RNDD);
        mpfr_sqrt(highRoot, d, MPFR_RNDU);
        mpfr_sub(low, lowRoot, B, MPFR_RNDD); // -b + sqrt(D)
        mpfr_sub(high, highRoot, B, MPFR_RNDU);
        divided(s.first);
        mpfr_add(low, B, highRoot, MPFR_RNDU); // -b - sqrt(D)
        mpfr_add(high, B, lowRoot, MPFR_RNDD);
        mpfr_neg(low, low, MPFR_RNDN);
        mpfr_neg(high, high, MPFR_RNDN);
        divided(s.second);
    } else {
        mpfr_neg(low, B, MPFR_RNDN);
        mpfr_neg(high, B, MPFR_RNDN);
        divided(s.re);
        mpfr_neg(d, d, MPFR_RNDN);
        mpfr_sqrt(low, d, MPFR_RNDD);
        mpfr_sqrt(high, d, MPFR_RNDU);
        divided(s.im);
    }
    return s;
}

// Distance between two doubles in units in the last place of the reference, counting the
// subnormal range in units of the smallest subnormal.
inline double ulpsApart(double value, double ref) {
    if (value == ref)
        return 0;
    const double unit = std::fmax(std::ldexp(std::fabs(ref), -52), 0x1p-1074);
    return std::fabs(value - ref) / unit;
}

} // namespace reference
