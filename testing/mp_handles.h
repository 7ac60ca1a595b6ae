// SPDX-License-Identifier: MIT
// Handles on GMP and MPFR numbers for the test oracles: each owns its number and frees it.
// They are the oracles' own, apart from the program's, so that a fault in the program's
// handles cannot hide in both.
#pragma once

#include <gmp.h>
#include <mpfr.h>

namespace mp {

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

class Rational {
public:
    Rational() { mpq_init(m_value); }
    ~Rational() { mpq_clear(m_value); }
    Rational(const Rational&) = delete;
    Rational& operator=(const Rational&) = delete;
    operator mpq_ptr() { return m_value; }
    operator mpq_srcptr() const { return m_value; }

private:
    mpq_t m_value;
};

// A copy keeps the precision of the number copied; an assignment rounds to the precision of
// the number assigned to.
class Float {
public:
    explicit Float(mpfr_prec_t bits) { mpfr_init2(m_value, bits); }
    Float(const Float& other) {
        mpfr_init2(m_value, mpfr_get_prec(other.m_value));
        mpfr_set(m_value, other.m_value, MPFR_RNDN);
    }
    Float& operator=(const Float& other) {
        mpfr_set(m_value, other.m_value, MPFR_RNDN);
        return *this;
    }
    ~Float() { mpfr_clear(m_value); }
    operator mpfr_ptr() { return m_value; }
    operator mpfr_srcptr() const { return m_value; }

private:
    mpfr_t m_value;
};

} // namespace mp
