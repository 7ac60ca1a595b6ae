// SPDX-License-Identifier: MIT
// Reference values of a quadratic's discriminant and roots, from the textbook formulas evaluated
// in MPFR at a precision where nothing the doubles can hold is lost.
#pragma once

#include <mpfr.h>

#include <cmath>

namespace reference {

// Every double is an integer times 2^-1074 below 2^1024, so b^2 and 4ac are exact in 2 x 53 bits
// and their difference in 2 x (1024 + 1074) + 106 bits; 4400 bits leaves room to spare for the
// cancellation in the roots.
inline constexpr mpfr_prec_t kPrecision = 4400;

class Number {
public:
    Number() { mpfr_init2(m_value, kPrecision); }
    explicit Number(double x) : Number() { mpfr_set_d(m_value, x, MPFR_RNDN); }
    ~Number() { mpfr_clear(m_value); }
    Number(const Number&) = delete;
    Number& operator=(const Number&) = delete;

    mpfr_ptr get() { return m_value; }
    mpfr_srcptr get() const { return m_value; }
    double toDouble() const { return mpfr_get_d(m_value, MPFR_RNDN); }

private:
    mpfr_t m_value;
};

struct Solution {
    int sign = 0; // of the discriminant
    double discriminant = 0;
    double first = 0, second = 0; // real case
    double re = 0, im = 0;        // complex case
};

// Requires a != 0.
inline Solution solve(double a, double b, double c) {
    Number A(a), B(b), C(c), d, t, root, twoA;
    mpfr_sqr(d.get(), B.get(), MPFR_RNDN);
    mpfr_mul(t.get(), A.get(), C.get(), MPFR_RNDN);
    mpfr_mul_2ui(t.get(), t.get(), 2, MPFR_RNDN);
    mpfr_sub(d.get(), d.get(), t.get(), MPFR_RNDN); // exact at this precision
    mpfr_mul_2ui(twoA.get(), A.get(), 1, MPFR_RNDN);

    Solution s;
    s.sign = mpfr_sgn(d.get());
    s.discriminant = d.toDouble();
    if (s.sign >= 0) {
        mpfr_sqrt(root.get(), d.get(), MPFR_RNDN);
        Number x;
        mpfr_sub(x.get(), root.get(), B.get(), MPFR_RNDN);
        mpfr_div(x.get(), x.get(), twoA.get(), MPFR_RNDN);
        s.first = x.toDouble();
        mpfr_neg(x.get(), B.get(), MPFR_RNDN);
        mpfr_sub(x.get(), x.get(), root.get(), MPFR_RNDN);
        mpfr_div(x.get(), x.get(), twoA.get(), MPFR_RNDN);
        s.second = x.toDouble();
    } else {
        Number x;
        mpfr_div(x.get(), B.get(), twoA.get(), MPFR_RNDN);
        mpfr_neg(x.get(), x.get(), MPFR_RNDN);
        s.re = x.toDouble();
        mpfr_neg(root.get(), d.get(), MPFR_RNDN);
        mpfr_sqrt(root.get(), root.get(), MPFR_RNDN);
        mpfr_div(x.get(), root.get(), twoA.get(), MPFR_RNDN);
        s.im = x.toDouble();
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
