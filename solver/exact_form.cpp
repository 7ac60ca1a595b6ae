// SPDX-License-Identifier: MIT
#include "solver/exact_form.h"

#include "runtime/number_text.h"
#include "solver/gmp.h"
#include "solver/quadratic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

namespace solver {
namespace {

constexpr std::string_view kMinus = "\xE2\x88\x92"; // U+2212
constexpr std::string_view kRoot = "\xE2\x88\x9A";  // U+221A
constexpr unsigned kTrialDivisionLimit = 1'000'000;

// The primes below kTrialDivisionLimit, sieved the first time a radicand needs them.
const std::vector<std::uint32_t>& smallPrimes() {
    static const std::vector<std::uint32_t> primes = [] {
        std::vector<char> composite(kTrialDivisionLimit, 0);
        std::vector<std::uint32_t> found;
        for (std::uint32_t n = 2; n < kTrialDivisionLimit; ++n) {
            if (composite[n])
                continue;
            found.push_back(n);
            for (std::uint64_t multiple = std::uint64_t{n} * n; multiple < kTrialDivisionLimit;
                 multiple += n)
                composite[multiple] = 1;
        }
        return found;
    }();
    return primes;
}

// Thrown where a number is too long for any form to be written with it.
struct TooLong {};

std::string integerText(mpz_srcptr value) {
    if (mpz_sizeinbase(value, 10) > kLongestExactForm + 1)
        throw TooLong{};
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
        // A whole or decimal coefficient stands before the root: "√5", "3√5", "0.5√3".
        if (mpq_cmp_ui(coefficient, 1, 1) == 0)
            return root;
        if (const std::optional<std::string> text = decimal(coefficient))
            return *text + root;
        if (equals(denominatorOf(coefficient), 1))
            return integerText(numeratorOf(coefficient)) + root;
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
            if (signOf(p) == 0) {
                std::string form = std::string(sign) + term;
                if (!whole) {
                    form += '/';
                    form += integerText(denominator);
                }
                return form;
            }
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
        std::string sum = a;
        sum += ' ';
        sum += minus ? kMinus : std::string_view("+");
        sum += ' ';
        return sum += b;
    }

private:
    // value > 0 as a decimal of at most 15 significant digits, written the way the boxes write
    // numbers; nothing where it is not one (a fraction whose denominator has other primes than
    // 2 and 5, or a decimal of more digits), or where integers are written as integers.
    std::optional<std::string> decimal(mpq_srcptr value) const {
        if (!m_decimals)
            return std::nullopt;
        // value = significand x 10^exponent: first the denominator's powers of 2 and 5.
        Integer rest, significand;
        mpz_set(rest, denominatorOf(value));
        const auto twos = static_cast<long>(mpz_scan1(rest, 0));
        mpz_tdiv_q_2exp(rest, rest, static_cast<mp_bitcnt_t>(twos));
        const auto fives = static_cast<long>(mpz_remove(rest, rest, Integer(5)));
        if (!equals(rest, 1))
            return std::nullopt;
        const long places = std::max(twos, fives);
        // The significand num x 2^(places - twos) x 5^(places - fives) ends in as many zeros as
        // its fewer factors of 2 or 5 say: its digits are known before it is worked out.
        const auto numeratorTwos = static_cast<long>(mpz_scan1(numeratorOf(value), 0));
        const auto numeratorFives =
            static_cast<long>(mpz_remove(rest, numeratorOf(value), Integer(5)));
        const long zeros = std::min(numeratorTwos + places - twos, numeratorFives + places - fives);
        const double digitsEstimate =
            static_cast<double>(mpz_sizeinbase(numeratorOf(value), 2)) * 0.30103 +
            static_cast<double>(places - twos) * 0.30103 +
            static_cast<double>(places - fives) * 0.69897 - static_cast<double>(zeros);
        if (digitsEstimate > 17)
            return std::nullopt;
        mpz_set(significand, numeratorOf(value));
        multiplyByPowerOfTen(significand, places);
        mpz_divexact(significand, significand, denominatorOf(value));
        Integer power;
        mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(zeros));
        mpz_divexact(significand, significand, power);
        const std::string digits = integerText(significand);
        if (digits.size() > 15)
            return std::nullopt;
        const long exponent = static_cast<long>(digits.size()) - 1 + zeros - places;
        return typographic(runtime::formatDecimal(false, digits, exponent, m_separator));
    }

    // A rational number > 0 (in lowest terms): a decimal, an integer or a fraction.
    std::string unsigned_(mpq_srcptr value) const {
        if (const std::optional<std::string> text = decimal(value))
            return *text;
        if (equals(denominatorOf(value), 1))
            return integerText(numeratorOf(value));
        return integerText(numeratorOf(value)) + "/" + integerText(denominatorOf(value));
    }

    bool m_decimals;
    std::string m_separator;
};

constexpr std::uint32_t kSmallPrime = 1000;

// The product of values, multiplied in halves, so that the numbers multiplied are of a size.
void multiplyTogether(mpz_ptr product, std::span<const std::uint32_t> values) {
    if (values.size() <= 16) {
        mpz_set_ui(product, 1);
        for (std::uint32_t value : values)
            mpz_mul_ui(product, product, value);
        return;
    }
    Integer second;
    multiplyTogether(product, values.first(values.size() / 2));
    multiplyTogether(second, values.subspan(values.size() / 2));
    mpz_mul(product, product, second);
}

// The primes from kSmallPrime to kTrialDivisionLimit, 1024 at a time, multiplied together
// (about 20,000 bits each), the first time a radicand needs them.
struct PrimeBlock {
    std::uint32_t first = 0;
    Integer product;
};

const std::vector<PrimeBlock>& largePrimeBlocks() {
    static const std::vector<PrimeBlock> blocks = [] {
        constexpr std::size_t kPrimesPerBlock = 1024;
        const std::vector<std::uint32_t>& primes = smallPrimes();
        const auto large = std::upper_bound(primes.begin(), primes.end(), kSmallPrime);
        const std::span<const std::uint32_t> all(large, primes.end());
        std::vector<PrimeBlock> made((all.size() + kPrimesPerBlock - 1) / kPrimesPerBlock);
        for (std::size_t i = 0; i < made.size(); ++i) {
            const auto block = all.subspan(
                i * kPrimesPerBlock, std::min(kPrimesPerBlock, all.size() - i * kPrimesPerBlock));
            made[i].first = block.front();
            multiplyTogether(made[i].product, block);
        }
        return made;
    }();
    return blocks;
}

// Takes the square factors out of radicand > 0, multiplying factor by their roots; false when
// what remains is too long to write. Every prime below 10^6 is tried: those below 1000 one by
// one, the others all at once, through the greatest common divisor of the radicand and their
// product (taken modulo the radicand block by block), whose prime factors are then found
// among them. The work is bounded: a division per block, and at most one divisibility test
// per prime of a number no longer than the radicand.
bool takeOutSquares(mpz_ptr radicand, mpz_ptr factor) {
    // Beyond these digits the root alone would not fit in a form.
    constexpr std::size_t kLongestRadicand = kLongestExactForm;
    // prime divides radicand: takes out its square factors. (prime^2 may not fit an unsigned
    // long, which has 32 bits on Windows: the division is by prime itself, the one left over
    // from an odd power is put back.)
    const auto takeOut = [&](std::uint32_t prime) {
        unsigned power = 0;
        do {
            mpz_divexact_ui(radicand, radicand, prime);
            ++power;
        } while (mpz_divisible_ui_p(radicand, prime));
        for (unsigned i = 0; i < power / 2; ++i)
            mpz_mul_ui(factor, factor, prime);
        if (power % 2 == 1)
            mpz_mul_ui(radicand, radicand, prime);
    };
    // Whether a prime's square may still divide the radicand.
    const auto worthTrying = [&](std::uint32_t prime) {
        return mpz_cmp_d(radicand, static_cast<double>(prime) * prime) >= 0;
    };
    for (std::uint32_t prime : smallPrimes()) {
        if (prime > kSmallPrime || !worthTrying(prime))
            break;
        if (mpz_divisible_ui_p(radicand, prime))
            takeOut(prime);
    }
    if (worthTrying(kSmallPrime)) {
        // A radicand this long stays too long to write.
        if (mpz_sizeinbase(radicand, 10) > kLongestRadicand + 50)
            return false;
        Integer common(1), remainder;
        for (const PrimeBlock& block : largePrimeBlocks()) {
            if (!worthTrying(block.first))
                break;
            mpz_tdiv_r(remainder, block.product, radicand);
            mpz_mul(common, common, remainder);
            mpz_tdiv_r(common, common, radicand);
        }
        mpz_gcd(common, common, radicand);
        for (std::uint32_t prime : smallPrimes()) {
            if (equals(common, 1))
                break;
            if (prime <= kSmallPrime)
                continue;
            // No factor below prime is left: what is left below prime^2 is a prime itself.
            if (mpz_cmp_d(common, static_cast<double>(prime) * prime) < 0) {
                takeOut(static_cast<std::uint32_t>(mpz_get_ui(common)));
                break;
            }
            if (mpz_divisible_ui_p(common, prime)) {
                mpz_divexact_ui(common, common, prime);
                takeOut(prime);
            }
        }
    }
    Integer root;
    if (!equals(radicand, 1) && mpz_perfect_square_p(radicand)) {
        mpz_sqrt(root, radicand);
        mpz_mul(factor, factor, root);
        mpz_set_ui(radicand, 1);
    }
    return mpz_sizeinbase(radicand, 10) <= kLongestRadicand;
}

// numerator / denominator x 10^exponent in lowest terms, given power = 10^|exponent|.
void setScaled(mpq_ptr value, mpz_srcptr numerator, mpz_srcptr denominator, long exponent,
               mpz_srcptr power) {
    mpz_set(mpq_numref(value), numerator);
    mpz_set(mpq_denref(value), denominator);
    mpz_mul(exponent >= 0 ? mpq_numref(value) : mpq_denref(value),
            exponent >= 0 ? mpq_numref(value) : mpq_denref(value), power);
    mpq_canonicalize(value);
}

// n x 10^exponent in lowest terms, for an integer n: only twos and fives can cancel.
void setScaled(mpq_ptr value, mpz_srcptr n, long exponent) {
    mpz_set(mpq_numref(value), n);
    mpz_set_ui(mpq_denref(value), 1);
    if (exponent >= 0) {
        multiplyByPowerOfTen(mpq_numref(value), exponent);
        return;
    }
    if (signOf(n) == 0)
        return;
    // n / 2^e 5^e: take out of n the twos and fives the denominator can lose.
    Integer rest;
    mpz_abs(rest, n);
    const long twos = std::min(static_cast<long>(mpz_scan1(rest, 0)), -exponent);
    mpz_tdiv_q_2exp(mpq_numref(value), mpq_numref(value), static_cast<mp_bitcnt_t>(twos));
    long fives = 0;
    while (fives < -exponent && mpz_divisible_ui_p(mpq_numref(value), 5)) {
        mpz_divexact_ui(mpq_numref(value), mpq_numref(value), 5);
        ++fives;
    }
    Integer power;
    mpz_ui_pow_ui(power, 5, static_cast<unsigned long>(-exponent - fives));
    mpz_mul_2exp(mpq_denref(value), power, static_cast<mp_bitcnt_t>(-exponent - twos));
}

// The form that write() gives, or nothing where it is too long.
template <typename Write> std::optional<std::string> fitting(Write write) {
    std::string form;
    try {
        form = write();
    } catch (const TooLong&) {
        return std::nullopt;
    }
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

    Fraction discriminant;
    setScaled(discriminant, integers->discriminant, integers->discriminantExponent);
    forms.discriminant = fitting([&] { return writer.rational(discriminant); });

    // x = 10^s (-B ± sqrt(D')) / 2A = re ± c sqrt(r), sqrt(|D'|) = k sqrt(r).
    Integer twoA, negatedB, radicand, root(signOf(integers->discriminant) == 0 ? 0 : 1);
    mpz_mul_2exp(twoA, integers->a, 1);
    mpz_neg(negatedB, integers->b);
    mpz_abs(radicand, integers->discriminant);
    if (signOf(radicand) != 0 && !takeOutSquares(radicand, root))
        return forms;
    Fraction re, coefficient;
    Integer power;
    mpz_ui_pow_ui(power, 10, static_cast<unsigned long>(std::labs(integers->scale)));
    setScaled(re, negatedB, twoA, integers->scale, power);
    setScaled(coefficient, root, twoA, integers->scale, power);
    const bool rational = equals(radicand, 1) || signOf(integers->discriminant) == 0;

    if (signOf(integers->discriminant) >= 0) {
        for (int sign : {1, -1}) {
            (sign > 0 ? forms.first : forms.second) = fitting([&] {
                Fraction term;
                mpq_set(term, coefficient);
                if (sign < 0)
                    mpq_neg(term, term);
                if (!rational)
                    return writer.surd(re, term, radicand);
                mpq_add(term, term, re);
                return writer.rational(term);
            });
        }
        return forms;
    }

    // Complex: re + im i and re - im i, im = c sqrt(r) of the sign of a.
    for (int sign : {1, -1}) {
        (sign > 0 ? forms.first : forms.second) = fitting([&] {
            Fraction magnitude;
            mpq_abs(magnitude, coefficient);
            std::string imaginary =
                rational ? writer.rational(magnitude) : writer.rootTerm(magnitude, radicand);
            if (imaginary.find('/') != std::string::npos ||
                imaginary.find(kRoot) != std::string::npos)
                imaginary = "(" + imaginary + ")";
            imaginary = imaginary == "1" ? "i" : imaginary + " i";
            const bool minus = (signOf(coefficient) < 0) == (sign > 0);
            if (signOf(re) == 0)
                return (minus ? std::string(kMinus) : std::string()) + imaginary;
            return Writer::joined(writer.rational(re), minus, imaginary);
        });
    }
    return forms;
}

} // namespace solver
