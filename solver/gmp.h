// SPDX-License-Identifier: MIT
// The calculation's handles on GMP and MPFR numbers: each owns its number and frees it. Inside
// solver/ only.
#pragma once

#include <gmp.h>
#include <mpfr.h>

#include <cstdint>

namespace solver {

class Integer {
public:
    Integer() { mpz_init(m_value); }
    explicit Integer(long value) { mpz_init_set_si(m_value, value); }
    Integer(const Integer& other) { mpz_init_set(m_value, other.m_value); }
    Integer& operator=(const Integer& other) {
        mpz_set(m_value, other.m_value);
        return *this;
    }
    ~Integer() { mpz_clear(m_value); }

    operator mpz_ptr() { return m_value; }
    operator mpz_srcptr() const { return m_value; }

private:
    mpz_t m_value;
};

class Fraction {
public:
    Fraction() { mpq_init(m_value); }
    ~Fraction() { mpq_clear(m_value); }
    Fraction(const Fraction&) = delete;
    Fraction& operator=(const Fraction&) = delete;

    operator mpq_ptr() { return m_value; }
    operator mpq_srcptr() const { return m_value; }

private:
    mpq_t m_value;
};

class Real {
public:
    explicit Real(mpfr_prec_t bits) { mpfr_init2(m_value, bits); }
    ~Real() { mpfr_clear(m_value); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;

    operator mpfr_ptr() { return m_value; }
    operator mpfr_srcptr() const { return m_value; }

private:
    mpfr_t m_value;
};

// The GMP and MPFR macros want raw pointers.
inline int signOf(mpz_srcptr z) {
    return mpz_sgn(z);
}
inline int signOf(mpq_srcptr q) {
    return mpq_sgn(q);
}
inline int signOf(mpfr_srcptr x) {
    return mpfr_sgn(x);
}
inline mpz_srcptr numeratorOf(mpq_srcptr q) {
    return mpq_numref(q);
}
inline mpz_srcptr denominatorOf(mpq_srcptr q) {
    return mpq_denref(q);
}
inline bool equals(mpz_srcptr z, unsigned long value) {
    return mpz_cmp_ui(z, value) == 0;
}

// GMP's "_ui" functions take an unsigned long, which has 32 bits on Windows: a 64-bit value
// goes through here.
inline void setUnsigned64(mpz_ptr z, std::uint64_t value) {
    mpz_import(z, 1, 1, sizeof value, 0, 0, &value);
}

// z times 10^exponent, for exponent >= 0; z as it is otherwise.
inline void multiplyByPowerOfTen(mpz_ptr z, long exponent) {
    if (exponent <= 0)
        return;
    Integer power;
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(exponent));
    mpz_mul(z, z, power);
}

// The equation with x = 10^scale y and integer coefficients, a y^2 + b y + c = 0, whose
// discriminant D' = b^2 - 4ac gives the equation's as D' x 10^discriminantExponent.
struct IntegerEquation {
    Integer a, b, c, discriminant;
    long scale = 0;
    long discriminantExponent = 0;
};

} // namespace solver
