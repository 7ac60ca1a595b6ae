// SPDX-License-Identifier: MIT
#include "solver/exact_form.h"

#include "runtime/number_text.h"
#include "solver/gmp.h"
#include "solver/quadratic.h"

#include <cstdint>
#include <vector>

namespace solver {
namespace {

constexpr std::string_view kMinus = "\xE2\x88\x92"; // U+2212
constexpr std::string_view kRoot = "\xE2\x88\x9A";  // U+221A
constexpr unsigned kTrialDivisionLimit = 1'000'000;

// The primes below kTrialDivisionLimit, sieved the first time a radicand needs them.
const std::vector<std::uint32_t>& smallPrimes() {
    static const std::vector<std::uint32_t> primes = [] {
        std::vector<bool> composite(kTrialDivisionLimit, false);
        std::vector<std::uint32_t> found;
        for (std::uint32_t n = 2; n < kTrialDivisionLimit; ++n) {
            if (composite[n])
                continue;
            found.push_back(n);
            for (std::uint64_t multiple = std::uint64_t{n} * n; multiple < kTrialDivisionLimit;
                 multiple += n)
                composite[multiple] = true;
        }
        return found;
    }();
    return primes;
}

std::string integerText(mpz_srcptr value) {
    std::string text(mpz_sizeinbase(value, 10) + 2, '\0');
    mpz_get_str(text.data(), 10, value);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

// Writes an ASCII "-" as the typographic minus.
std::string typographic(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c == '-')
            result += kMinus;
        else
            result += c;
    }
    return result;
}

class Writer {
public:
    Writer(bool integersTyped, std::string_view separator)
        : m_decimals(!integersTyped), m_separator(separator) {}

    // A rational number (in lowest terms), with its sign.
    std::string rational(mpq_srcptr value) const {
        if (signOf(value) == 0)
            return "0";
        Fraction magnitude;
        mpq_abs(magnitude, value);
        return (signOf(value) < 0 ? std::string(kMinus) : std::string()) + unsigned_(magnitude);
    }

    // c sqrt(r) for c > 0 (in lowest terms) and r > 1: "√5", "3√5", "√3/2", "0.5√3".
    std::string rootTerm(mpq_srcptr coefficient, mpz_srcptr radicand) const {
        const std::string root = std::string(kRoot) + integerText(radicand);
        if (equals(denominatorOf(coefficient), 1) || decimal(coefficient)) {
            if (mpq_cmp_ui(coefficient, 1, 1) == 0)
                return root;
            return unsigned_(coefficient) + root;
        }
        const bool one = equals(numeratorOf(coefficient), 1);
        return (one ? std::string() : integerText(numeratorOf(coefficient))) + root + "/" +
               integerText(denominatorOf(coefficient));
    }

    // a + c sqrt(r) for rationals a and c != 0 and r > 1.
    std::string surd(mpq_srcptr a, mpq_srcptr c, mpz_srcptr radicand) const {
        const std::string_view sign = signOf(c) < 0 ? kMinus : "";
        Fraction magnitude;
        mpq_abs(magnitude, c);
        if (!m_decimals) {
            // Over one common denominator: (p + q√r)/s.
            Integer denominator, p, q;
            mpz_lcm(denominator, denominatorOf(a), denominatorOf(c));
            mpz_divexact(p, denominator, denominatorOf(a));
            mpz_mul(p, p, numeratorOf(a));
            mpz_divexact(q, denominator, denominatorOf(c));
            mpz_mul(q, q, numeratorOf(magnitude));
            std::string term = equals(q, 1) ? std::string() : integerText(q);
            term += std::string(kRoot) + integerText(radicand);
            const bool whole = equals(denominator, 1);
            if (signOf(p) == 0)
                return std::string(sign) + term + (whole ? "" : "/" + integerText(denominator));
            Fraction integral;
            mpq_set_z(integral, p);
            const std::string sum = joined(rational(integral), signOf(c) < 0, term);
            return whole ? sum : "(" + sum + ")/" + integerText(denominator);
        }
        const std::string term = rootTerm(magnitude, radicand);
        if (signOf(a) == 0)
            return std::string(sign) + term;
        return joined(rational(a), signOf(c) < 0, term);
    }

    // "a + b" or "a − b".
    static std::string joined(const std::string& a, bool minus, const std::string& b) {
        return a + (minus ? " " + std::string(kMinus) + " " : " + ") + b;
    }

private:
    // A terminating decimal of at most 15 significant digits.
    bool decimal(mpq_srcptr value) const {
        if (!m_decimals)
            return false;
        Integer rest;
        mpz_set(rest, denominatorOf(value));
        const mp_bitcnt_t twos = mpz_scan1(rest, 0);
        mpz_tdiv_q_2exp(rest, rest, twos);
        const mp_bitcnt_t fives = mpz_remove(rest, rest, Integer(5));
        if (!equals(rest, 1))
            return false;
        Integer digits;
        mpz_set(digits, numeratorOf(value));
        const long places = static_cast<long>(std::max(twos, fives));
        Integer scale;
        mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(places));
        mpz_divexact(scale, scale, denominatorOf(value));
        mpz_mul(digits, digits, scale);
        mpz_abs(digits, digits);
        std::string text = integerText(digits);
        while (text.size() > 1 && text.back() == '0')
            text.pop_back();
        return text.size() <= 15;
    }

    // A rational number > 0 (in lowest terms): an integer, a decimal or a fraction.
    std::string unsigned_(mpq_srcptr value) const {
        if (equals(denominatorOf(value), 1))
            return integerText(numeratorOf(value));
        if (!decimal(value))
            return integerText(numeratorOf(value)) + "/" + integerText(denominatorOf(value));
        // value = digits / 10^places exactly.
        Integer rest, scale;
        mpz_set(rest, denominatorOf(value));
        const mp_bitcnt_t twos = mpz_scan1(rest, 0);
        mpz_tdiv_q_2exp(rest, rest, twos);
        const mp_bitcnt_t fives = mpz_remove(rest, rest, Integer(5));
        const long places = static_cast<long>(std::max(twos, fives));
        mpz_ui_pow_ui(scale, 10, static_cast<unsigned long>(places));
        mpz_divexact(scale, scale, denominatorOf(value));
        mpz_mul(scale, scale, numeratorOf(value));
        const std::string digits = integerText(scale);
        const long exponent = static_cast<long>(digits.size()) - 1 - places;
        return typographic(runtime::formatDecimal(false, digits, exponent, m_separator));
    }

    bool m_decimals;
    std::string m_separator;
};

// Takes the square factors out of radicand > 0, multiplying factor by their roots; false when
// what remains is too long to write.
bool takeOutSquares(mpz_ptr radicand, mpz_ptr factor) {
    // Beyond these digits the root alone would not fit in a form.
    constexpr std::size_t kLongestRadicand = kLongestExactForm;
    for (std::uint32_t prime : smallPrimes()) {
        if (mpz_cmp_ui(radicand, std::uint64_t{prime} * prime) < 0)
            break;
        // Past the small primes, a radicand that long stays too long.
        if (prime > 1000 && mpz_sizeinbase(radicand, 10) > kLongestRadicand + 50)
            return false;
        const unsigned long square = static_cast<unsigned long>(prime) * prime;
        while (mpz_divisible_ui_p(radicand, square)) {
            mpz_divexact_ui(radicand, radicand, square);
            mpz_mul_ui(factor, factor, prime);
        }
    }
    if (mpz_cmp_ui(radicand, 1) > 0 && mpz_perfect_square_p(radicand)) {
        Integer root;
        mpz_sqrt(root, radicand);
        mpz_mul(factor, factor, root);
        mpz_set_ui(radicand, 1);
    }
    return mpz_sizeinbase(radicand, 10) <= kLongestRadicand;
}

// numerator / denominator x 10^exponent, in lowest terms.
void setScaled(mpq_ptr value, mpz_srcptr numerator, mpz_srcptr denominator, long exponent) {
    mpz_set(mpq_numref(value), numerator);
    mpz_set(mpq_denref(value), denominator);
    multiplyByPowerOfTen(mpq_numref(value), exponent);
    multiplyByPowerOfTen(mpq_denref(value), -exponent);
    mpq_canonicalize(value);
}

std::optional<std::string> fitting(std::string form) {
    std::size_t characters = 0;
    for (char c : form)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters > kLongestExactForm)
        return std::nullopt;
    return form;
}

} // namespace

ExactForms exactForms(const Quadratic& equation, bool integersTyped,
                      std::string_view decimalSeparator) {
    ExactForms forms;
    const IntegerEquation* integers = equation.integerEquation();
    if (!integers) // b^2 and 4ac thousands of orders of magnitude apart: far too long
        return forms;
    const Writer writer(integersTyped, decimalSeparator);
    static const Integer one(1);

    Fraction discriminant;
    setScaled(discriminant, integers->discriminant, one, integers->discriminantExponent);
    forms.discriminant = fitting(writer.rational(discriminant));

    // x = 10^s (-B ± sqrt(D')) / 2A = re ± c sqrt(r), sqrt(|D'|) = k sqrt(r).
    Integer twoA, negatedB, radicand, root(signOf(integers->discriminant) == 0 ? 0 : 1);
    mpz_mul_2exp(twoA, integers->a, 1);
    mpz_neg(negatedB, integers->b);
    mpz_abs(radicand, integers->discriminant);
    if (signOf(radicand) != 0 && !takeOutSquares(radicand, root))
        return forms;
    Fraction re, coefficient, value;
    setScaled(re, negatedB, twoA, integers->scale);
    setScaled(coefficient, root, twoA, integers->scale);
    const bool rational = equals(radicand, 1) || signOf(integers->discriminant) == 0;

    if (signOf(integers->discriminant) >= 0) {
        for (int sign : {1, -1}) {
            std::string form;
            if (rational) {
                mpq_set(value, coefficient);
                if (sign < 0)
                    mpq_neg(value, value);
                mpq_add(value, value, re);
                form = writer.rational(value);
            } else {
                mpq_set(value, coefficient);
                if (sign < 0)
                    mpq_neg(value, value);
                form = writer.surd(re, value, radicand);
            }
            (sign > 0 ? forms.first : forms.second) = fitting(form);
        }
        return forms;
    }

    // Complex: re + im i and re - im i, im = c sqrt(r) of the sign of a.
    Fraction magnitude;
    mpq_abs(magnitude, coefficient);
    std::string imaginary =
        rational ? writer.rational(magnitude) : writer.rootTerm(magnitude, radicand);
    if (imaginary.find('/') != std::string::npos || imaginary.find(kRoot) != std::string::npos)
        imaginary = "(" + imaginary + ")";
    imaginary = imaginary == "1" ? "i" : imaginary + " i";
    const bool reZero = signOf(re) == 0;
    for (int sign : {1, -1}) {
        const bool minus = (signOf(coefficient) < 0) == (sign > 0);
        std::string form;
        if (reZero)
            form = (minus ? std::string(kMinus) : std::string()) + imaginary;
        else
            form = Writer::joined(writer.rational(re), minus, imaginary);
        (sign > 0 ? forms.first : forms.second) = fitting(form);
    }
    return forms;
}

} // namespace solver
