// SPDX-License-Identifier: MIT
// How exact values are written, as a person would write them: integers, fractions in lowest
// terms or short decimals, surds with their square factors taken out, imaginary parts. Shared
// by the exact forms and the working; inside solver/ only.
#pragma once

#include "solver/exact_form.h"
#include "solver/integer_equation.h"

#include <gmpxx.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace solver::notation {

inline constexpr std::string_view kRoot = "\xE2\x88\x9A"; // U+221A

// Thrown where a number is too long for anything written with it to fit in kLongestExactForm.
struct TooLong {};

// The typographic minus, or nothing.
std::string minusSign(bool minus);

// An integer's digits, with "-" for a negative one; throws TooLong for more than a form holds.
std::string integerText(const mpz_class& value);

class Writer {
public:
    // fractions: rationals are written as integers or fractions (see writesFractions());
    // otherwise a rational that is a decimal of at most 15 significant digits is written as one,
    // with decimalSeparator.
    Writer(bool fractions, std::string_view decimalSeparator);

    // A rational number with its sign (the typographic minus).
    std::string rational(const mpq_class& value) const;
    // c√r for c > 0 and r > 1: "√5", "3√5", "√3/2", "0.5√3".
    std::string rootTerm(const mpq_class& coefficient, const mpz_class& radicand) const;
    // a + c√r for rationals a and c != 0, and r > 1: "(3 + √5)/2", "−1 + √3", "−0.15 + 0.04√62".
    std::string surd(const mpq_class& a, const mpq_class& c, const mpz_class& radicand) const;
    // c√r i for c > 0 and r >= 1 (r = 1: c i), in brackets where it has a root or a fraction
    // bar: "i", "2 i", "(1/2) i", "(√3/2) i".
    std::string imaginary(const mpq_class& coefficient, const mpz_class& radicand) const;

    // A terminating decimal with its sign, written out in full with the separator, never with an
    // exponent: "−1,23456789", "0,0004", "120". Throws TooLong where value does not terminate
    // or has more digits than a form holds.
    std::string positional(const mpq_class& value) const;

    // Whether rationals may be written as decimals: some coefficient was typed as one.
    bool writesDecimals() const { return m_decimals; }

    // "a + b" or "a − b".
    static std::string joined(const std::string& a, bool minus, const std::string& b);

private:
    // Whether rational(value) writes a fraction bar.
    bool isFraction(const mpq_class& value) const;
    std::optional<std::string> decimal(const mpq_class& value) const;
    std::string magnitude(const mpq_class& value) const;

    bool m_decimals;
    std::string m_separator;
};

// How the two complex roots are joined: the boxes' "-1+2 i", the forms' "−1 + 2 i".
struct Signs {
    std::string_view plus;
    std::string_view minus;
};
inline constexpr Signs kBoxSigns{"+", "-"};
inline constexpr Signs kFormSigns{" + ", " \xE2\x88\x92 "};

// The complex roots re + im i and re − im i, in the boxes' order: the first takes the imaginary
// part's own sign, which is the sign of a. im is the imaginary part's magnitude with its "i";
// an empty re is left out, the sign standing alone ("−(1/2) i").
std::array<std::string, 2> conjugates(std::string_view re, std::string_view im, bool imNegative,
                                      Signs signs);

// Takes the square factors of the primes below 10^6 out of radicand > 0, multiplying factor by
// their roots, then a cofactor that is a square; false when what remains is too long to write.
bool takeOutSquares(mpz_class& radicand, mpz_class& factor);

// Whether the values worked out from coefficients are written as fractions: every one of them
// was typed as an integer, or one of them as a fraction. Otherwise they were typed as decimals,
// and are written as decimals where they can be.
bool writesFractions(const std::array<Coefficient, 3>& coefficients);

// A coefficient's exact value.
mpq_class valueOf(const Coefficient& coefficient);

// A coefficient as the working writes it: its digits as typed, with the window's decimal
// separator, without blanks or a plus sign, its minus typographic and kept apart; and its exact
// value.
struct Typed {
    Typed(const Coefficient& coefficient, std::string_view separator);

    std::string shown() const;
    // In a product: negative numbers and fractions in brackets. Raised to a power: exponents
    // typed too.
    std::string factor() const;
    std::string base() const;
    // −(the coefficient), as it is put into −b.
    std::string negated() const;
    bool hasExponent() const;

    bool zero;
    bool fraction; // typed as p/q
    bool negative = false;
    std::string digits;
    mpq_class value;
};

// A value written inside a larger expression: in brackets unless it is a plain number.
std::string bracketed(const std::string& text);

// x = (−b ± √D)/2a = re ± c√r, with √|D| = c√r: the parts every root is written from.
struct RootParts {
    mpq_class re;
    mpq_class coefficient; // c, of the sign of a
    mpz_class radicand;    // r, 1 where √|D| is rational
    mpz_class root;        // √|D'| = root·√r for the integer equation's D'
    int sign = 0;          // of D
};

// The parts of the roots of equation (a != 0); nothing where the radicand is too long to
// write.
std::optional<RootParts> rootParts(const IntegerEquation& equation);

// "(text)". (Written out, not as "(" + text + ")": GCC 12 warns, wrongly, that the string
// operator that puts a literal before a temporary may overlap itself.)
std::string inBrackets(std::string_view text);

// UTF-8 text's length in characters.
std::size_t characters(std::string_view text);

// The text that write() gives, or nothing where it throws TooLong or is longer than
// kLongestExactForm characters.
template <typename Write> std::optional<std::string> fitting(Write write) {
    std::string text;
    try {
        text = write();
    } catch (const TooLong&) {
        return std::nullopt;
    }
    if (characters(text) > kLongestExactForm)
        return std::nullopt;
    return text;
}

} // namespace solver::notation
