// SPDX-License-Identifier: MIT
#include "reference.h"

#include "mp_handles.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>

namespace reference {
namespace {

// Square roots are enclosed at 128 bits first, then at twice as many, up to this; beyond it a
// part is left undecided rather than wrong. Doubles as decimal texts need at most about 4400
// bits for the textbook formulas' cancellation.
constexpr mpfr_prec_t kFirstPrecision = 128;
constexpr mpfr_prec_t kLastPrecision = 1 << 19;

using mp::Float;
using mp::Integer;
using mp::Rational;

void parseDecimal(const std::string& text, mpq_ptr value);

// The text as a rational: digits, a point and an exponent, read here on their own; or two such
// numbers with a "/" between them, a fraction.
void parse(const std::string& text, mpq_ptr value) {
    const std::size_t bar = text.find('/');
    if (bar == std::string::npos) {
        parseDecimal(text, value);
        return;
    }
    Rational denominator;
    parseDecimal(text.substr(0, bar), value);
    parseDecimal(text.substr(bar + 1), denominator);
    if (mpq_sgn(static_cast<mpq_srcptr>(denominator)) == 0)
        throw std::invalid_argument("a fraction over 0: " + text);
    mpq_div(value, value, denominator);
}

void parseDecimal(const std::string& text, mpq_ptr value) {
    std::size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    i += negative;
    std::string digits;
    long exponent = 0;
    bool point = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            point = true;
        } else if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
            exponent -= point;
        } else {
            throw std::invalid_argument("not a case text: " + text);
        }
    }
    if (i < text.size())
        exponent += std::strtol(text.c_str() + i + 1, nullptr, 10);
    if (digits.empty())
        throw std::invalid_argument("not a case text: " + text);
    Integer power;
    mpz_set_str(mpq_numref(value), digits.c_str(), 10);
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(std::labs(exponent)));
    if (exponent >= 0) {
        mpz_mul(mpq_numref(value), mpq_numref(value), power);
        mpz_set_ui(mpq_denref(value), 1);
    } else {
        mpz_set(mpq_denref(value), power);
    }
    mpq_canonicalize(value);
    if (negative)
        mpq_neg(value, value);
}

// The nearest double of a value that set(x) writes into x: rounded to 53 bits first, then into
// the exponent range of a double, subnormals included, the way the MPFR manual emulates IEEE
// arithmetic (the ternary value carried along keeps the second rounding from being a double
// rounding).
template <typename Set> double nearestDouble(Set set) {
    Float x(53);
    int inexact = set(x);
    const mpfr_exp_t emin = mpfr_get_emin();
    const mpfr_exp_t emax = mpfr_get_emax();
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    inexact = mpfr_check_range(x, inexact, MPFR_RNDN);
    mpfr_subnormalize(x, inexact, MPFR_RNDN);
    const double value = mpfr_get_d(x, MPFR_RNDN);
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return value;
}

// An exact rational rounded once.
Part roundRational(mpq_srcptr value) {
    Part part;
    part.nearest = nearestDouble([&](mpfr_ptr x) { return mpfr_set_q(x, value, MPFR_RNDN); });
    if (mpq_sgn(value) == 0) // value is a raw pointer here
        return part;
    part.negative = mpq_sgn(value) < 0;
    Integer numerator, denominator, scaled, power, quotient, remainder, low, high;
    mpz_abs(numerator, mpq_numref(value));
    mpz_set(denominator, mpq_denref(value));
    mpz_ui_pow_ui(low, 10, 14);
    mpz_ui_pow_ui(high, 10, 15);
    // The exponent E with 10^14 <= |value| x 10^(14 - E) < 10^15, from a guess.
    long exponent = static_cast<long>(mpz_sizeinbase(numerator, 10)) -
                    static_cast<long>(mpz_sizeinbase(denominator, 10));
    for (;;) {
        const long shift = 14 - exponent;
        mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(std::labs(shift)));
        if (shift >= 0) {
            mpz_mul(scaled, numerator, power);
            mpz_tdiv_qr(quotient, remainder, scaled, denominator);
            mpz_set(scaled, denominator);
        } else {
            mpz_mul(scaled, denominator, power);
            mpz_tdiv_qr(quotient, remainder, numerator, scaled);
        }
        if (mpz_cmp(quotient, high) >= 0)
            ++exponent;
        else if (mpz_cmp(quotient, low) < 0)
            --exponent;
        else
            break;
    }
    // Half-way or beyond rounds up; exactly half-way only from an odd quotient.
    mpz_mul_2exp(remainder, remainder, 1);
    const int half = mpz_cmp(remainder, scaled);
    if (half > 0 || (half == 0 && mpz_odd_p(static_cast<mpz_srcptr>(quotient))))
        mpz_add_ui(quotient, quotient, 1);
    if (mpz_cmp(quotient, high) == 0) {
        mpz_set(quotient, low);
        ++exponent;
    }
    part.digits.assign(mpz_sizeinbase(quotient, 10) + 2, '\0');
    mpz_get_str(part.digits.data(), 10, quotient);
    part.digits.resize(std::char_traits<char>::length(part.digits.c_str()));
    part.exponent = exponent;
    return part;
}

// The value an interval encloses, rounded, if both of its ends round alike.
bool roundInterval(mpfr_srcptr low, mpfr_srcptr high, Part& part) {
    const auto end = [](mpfr_srcptr x) {
        Part rounded;
        rounded.nearest = nearestDouble([&](mpfr_ptr y) { return mpfr_set(y, x, MPFR_RNDN); });
        mpfr_exp_t exponent = 0;
        std::unique_ptr<char, decltype(&mpfr_free_str)> text(
            mpfr_get_str(nullptr, &exponent, 10, 15, x, MPFR_RNDN), &mpfr_free_str);
        rounded.negative = text.get()[0] == '-';
        rounded.digits = text.get() + (rounded.negative ? 1 : 0);
        rounded.exponent = exponent - 1;
        return rounded;
    };
    const Part lowPart = end(low);
    const Part highPart = end(high);
    if (mpfr_zero_p(low) || mpfr_zero_p(high) || lowPart.negative != highPart.negative ||
        lowPart.digits != highPart.digits || lowPart.exponent != highPart.exponent ||
        lowPart.nearest != highPart.nearest)
        return false;
    part = lowPart;
    return true;
}

// [x, y] / [d, e] for a divisor interval of one sign.
void divide(mpfr_ptr low, mpfr_ptr high, mpfr_srcptr x, mpfr_srcptr y, mpfr_srcptr d,
            mpfr_srcptr e) {
    const mpfr_prec_t bits = mpfr_get_prec(low);
    Float candidate(bits), smallest(bits), largest(bits);
    mpfr_set_inf(smallest, 1);
    mpfr_set_inf(largest, -1);
    for (mpfr_srcptr numerator : {x, y}) {
        for (mpfr_srcptr denominator : {d, e}) {
            mpfr_div(candidate, numerator, denominator, MPFR_RNDD);
            mpfr_min(smallest, smallest, candidate, MPFR_RNDD);
            mpfr_div(candidate, numerator, denominator, MPFR_RNDU);
            mpfr_max(largest, largest, candidate, MPFR_RNDU);
        }
    }
    mpfr_set(low, smallest, MPFR_RNDD);
    mpfr_set(high, largest, MPFR_RNDU);
}

// A part containing sqrt(|D|): enclose(bits, low, high) at rising precision until it rounds.
Part refine(const std::function<void(mpfr_prec_t, mpfr_ptr, mpfr_ptr)>& enclose) {
    for (mpfr_prec_t bits = kFirstPrecision; bits <= kLastPrecision; bits *= 2) {
        Float low(bits), high(bits);
        enclose(bits, low, high);
        Part part;
        if (roundInterval(low, high, part))
            return part;
    }
    Part undecided;
    undecided.decided = false;
    return undecided;
}

// sqrt(x) for a rational x >= 0 when it is rational.
bool exactRoot(mpq_srcptr x, mpq_ptr root) {
    if (!mpz_perfect_square_p(mpq_numref(x)) || !mpz_perfect_square_p(mpq_denref(x)))
        return false;
    mpz_sqrt(mpq_numref(root), mpq_numref(x));
    mpz_sqrt(mpq_denref(root), mpq_denref(x));
    return true;
}

// a x^2 + b x + c = 0 for the texts of a case, and the enclosures of the parts of its roots.
class Equation {
public:
    Equation(const std::string& textA, const std::string& textB, const std::string& textC) {
        parse(textA, m_a);
        parse(textB, m_b);
        parse(textC, m_c);
        Rational term, four;
        mpq_mul(m_d, m_b, m_b);
        mpq_mul(term, m_a, m_c);
        mpq_set_ui(four, 4, 1);
        mpq_mul(term, term, four);
        mpq_sub(m_d, m_d, term);
        mpq_add(m_twoA, m_a, m_a);
        mpq_abs(m_magnitude, m_d);
        m_rationalRoot = exactRoot(m_magnitude, m_root);
    }

    int sign() const { return mpq_sgn(static_cast<mpq_srcptr>(m_d)); }
    mpq_srcptr discriminant() const { return m_d; }
    bool rationalRoot() const { return m_rationalRoot; }

    // (−b ± sqrt(|D|)) / 2a, or ± sqrt(|D|) / 2a when withB is false, when sqrt(|D|) is rational.
    void exact(int rootSign, bool withB, mpq_ptr value) const {
        mpq_set(value, m_root);
        if (rootSign < 0)
            mpq_neg(value, value);
        if (withB)
            mpq_sub(value, value, m_b);
        mpq_div(value, value, m_twoA);
    }
    // −b / 2a.
    void realPart(mpq_ptr value) const {
        mpq_neg(value, m_b);
        mpq_div(value, value, m_twoA);
    }
    // The same part enclosed at bits of precision.
    void enclose(int rootSign, bool withB, mpfr_prec_t bits, mpfr_ptr low, mpfr_ptr high) const {
        Float lowRoot(bits), highRoot(bits), bAbove(bits), bBelow(bits), lowA(bits), highA(bits);
        mpfr_set_q(lowRoot, m_magnitude, MPFR_RNDD);
        mpfr_set_q(highRoot, m_magnitude, MPFR_RNDU);
        mpfr_sqrt(lowRoot, lowRoot, MPFR_RNDD);
        mpfr_sqrt(highRoot, highRoot, MPFR_RNDU);
        if (rootSign < 0) {
            mpfr_swap(lowRoot, highRoot);
            mpfr_neg(lowRoot, lowRoot, MPFR_RNDN);
            mpfr_neg(highRoot, highRoot, MPFR_RNDN);
        }
        if (withB) { // minus b
            mpfr_set_q(bAbove, m_b, MPFR_RNDU);
            mpfr_set_q(bBelow, m_b, MPFR_RNDD);
            mpfr_sub(lowRoot, lowRoot, bAbove, MPFR_RNDD);
            mpfr_sub(highRoot, highRoot, bBelow, MPFR_RNDU);
        }
        mpfr_set_q(lowA, m_twoA, MPFR_RNDD);
        mpfr_set_q(highA, m_twoA, MPFR_RNDU);
        divide(low, high, lowRoot, highRoot, lowA, highA);
    }

private:
    Rational m_a, m_b, m_c, m_d, m_twoA, m_magnitude, m_root;
    bool m_rationalRoot = false;
};

// floor(|x| 10^places + 1/2) for a rational x: a half rounds up, away from zero.
void roundHalfUp(mpq_srcptr x, int places, mpz_ptr units) {
    Integer power, numerator, denominator;
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(places));
    mpz_abs(numerator, mpq_numref(x));
    mpz_mul(numerator, numerator, power);
    mpz_mul_2exp(numerator, numerator, 1);
    mpz_add(numerator, numerator, mpq_denref(x));
    mpz_mul_2exp(denominator, mpq_denref(x), 1);
    mpz_fdiv_q(units, numerator, denominator);
}

Fixed fixedText(int sign, mpz_srcptr units, int places, bool exact) {
    Fixed fixed;
    fixed.exact = exact;
    std::string digits(mpz_sizeinbase(units, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, units);
    digits.resize(std::char_traits<char>::length(digits.c_str()));
    const auto count = static_cast<std::size_t>(places);
    if (digits.size() <= count)
        digits.insert(0, count + 1 - digits.size(), '0');
    if (count > 0)
        digits =
            digits.substr(0, digits.size() - count) + '.' + digits.substr(digits.size() - count);
    fixed.text = (sign < 0 && mpz_sgn(units) != 0 ? "-" : "") + digits;
    return fixed;
}

// A rational rounded to places decimals.
Fixed fixedOf(mpq_srcptr value, int places) {
    Integer units;
    roundHalfUp(value, places, units);
    // Exact when units / 10^places is the value's magnitude.
    Rational back, power, magnitude;
    mpz_ui_pow_ui(mpq_numref(static_cast<mpq_ptr>(power)), 10, static_cast<unsigned long>(places));
    mpq_set_z(back, units);
    mpq_div(back, back, power);
    mpq_abs(magnitude, value);
    return fixedText(mpq_sgn(value), units, places, mpq_equal(back, magnitude) != 0);
}

} // namespace

Solution solve(const std::string& textA, const std::string& textB, const std::string& textC) {
    const Equation equation(textA, textB, textC);
    Solution solution;
    solution.sign = equation.sign();
    solution.discriminant = roundRational(equation.discriminant());
    const auto part = [&](int rootSign, bool withB) {
        if (equation.rationalRoot()) {
            Rational value;
            equation.exact(rootSign, withB, value);
            return roundRational(value);
        }
        return refine([&](mpfr_prec_t bits, mpfr_ptr low, mpfr_ptr high) {
            equation.enclose(rootSign, withB, bits, low, high);
        });
    };
    if (solution.sign >= 0) {
        solution.first = part(1, true);
        solution.second = part(-1, true);
    } else {
        Rational value;
        equation.realPart(value);
        solution.re = roundRational(value);
        solution.im = part(1, false);
    }
    return solution;
}

Fixed rounded(const std::string& textA, const std::string& textB, const std::string& textC,
              Which which, int places) {
    const Equation equation(textA, textB, textC);
    const bool complex = equation.sign() < 0;
    const bool second = which == Which::SecondOrImaginary;
    const int rootSign = second && !complex ? -1 : 1;
    const bool withB = !complex;
    if (complex && !second) {
        Rational value;
        equation.realPart(value);
        return fixedOf(value, places);
    }
    if (equation.rationalRoot()) {
        Rational value;
        equation.exact(rootSign, withB, value);
        return fixedOf(value, places);
    }
    // An irrational part is never exactly on a half: the interval's ends decide, at last.
    for (mpfr_prec_t bits = kFirstPrecision; bits <= kLastPrecision; bits *= 2) {
        Float low(bits), high(bits), scale(bits);
        equation.enclose(rootSign, withB, bits, low, high);
        if (mpfr_sgn(static_cast<mpfr_srcptr>(low)) != mpfr_sgn(static_cast<mpfr_srcptr>(high)))
            continue;
        const int sign = mpfr_sgn(static_cast<mpfr_srcptr>(low));
        mpfr_ui_pow_ui(scale, 10, static_cast<unsigned long>(places), MPFR_RNDN);
        Integer lowUnits, highUnits;
        for (auto [end, into] :
             {std::pair{static_cast<mpfr_ptr>(low), static_cast<mpz_ptr>(lowUnits)},
              std::pair{static_cast<mpfr_ptr>(high), static_cast<mpz_ptr>(highUnits)}}) {
            mpfr_abs(end, end, MPFR_RNDN);
            mpfr_mul(end, end, scale, MPFR_RNDN);
            mpfr_add_d(end, end, 0.5, MPFR_RNDN);
            mpfr_get_z(into, end, MPFR_RNDD);
        }
        if (mpz_cmp(lowUnits, highUnits) == 0)
            return fixedText(sign, lowUnits, places, false);
    }
    Fixed undecided;
    undecided.decided = false;
    return undecided;
}

} // namespace reference
