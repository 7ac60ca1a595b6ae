// SPDX-License-Identifier: MIT
#include "solver/notation.h"

#include "runtime/number_text.h"
#include "solver/integer_equation.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace solver::notation {
namespace {

constexpr std::uint32_t kTrialDivisionLimit = 1'000'000;
// Beyond these digits a radicand is not factored: its root term q√r, with q^2 r the radicand,
// would itself be longer than a form may be, unless 2a cancelled most of it.
constexpr std::size_t kLongestRadicandTried = 2000;

// The primes below kTrialDivisionLimit, sieved the first time a radicand needs them.
const std::vector<std::uint32_t>& primes() {
    static const std::vector<std::uint32_t> found = [] {
        std::vector<bool> composite(kTrialDivisionLimit);
        std::vector<std::uint32_t> list;
        for (std::uint32_t n = 2; n < kTrialDivisionLimit; ++n) {
            if (composite[n])
                continue;
            list.push_back(n);
            for (std::uint64_t multiple = std::uint64_t{n} * n; multiple < kTrialDivisionLimit;
                 multiple += n)
                composite[multiple] = true;
        }
        return list;
    }();
    return found;
}

// value = n / (2^twos 5^fives) a terminating decimal of places places: n times factor() over
// 10^places; nothing where the denominator has another prime.
struct DecimalScale {
    long twos = 0;
    long fives = 0;
    long places = 0;
    mpz_class factor() const { return power(2, places - twos) * power(5, places - fives); }
};

std::optional<DecimalScale> decimalScale(const mpq_class& value) {
    mpz_class rest = value.get_den();
    DecimalScale scale;
    scale.twos = removeFactor(rest, 2);
    scale.fives = removeFactor(rest, 5);
    if (rest != 1)
        return std::nullopt;
    scale.places = std::max(scale.twos, scale.fives);
    return scale;
}

} // namespace

std::string minusSign(bool minus) {
    return minus ? std::string(runtime::kTypographicMinus) : std::string();
}

std::string integerText(const mpz_class& value) {
    if (mpz_sizeinbase(value.get_mpz_t(), 10) > kLongestExactForm + 1)
        throw TooLong{};
    return runtime::typographic(value.get_str());
}

Writer::Writer(bool fractions, std::string_view decimalSeparator)
    : m_decimals(!fractions), m_separator(decimalSeparator) {}

bool writesFractions(const std::array<Coefficient, 3>& coefficients) {
    bool integers = true, fraction = false;
    for (const Coefficient& coefficient : coefficients) {
        integers = integers && coefficient.number.typedAsInteger;
        fraction = fraction || coefficient.number.typedAsFraction;
    }
    return integers || fraction;
}

std::string Writer::rational(const mpq_class& value) const {
    if (value == 0)
        return "0";
    return minusSign(value < 0) + magnitude(abs(value));
}

bool Writer::isFraction(const mpq_class& value) const {
    return value.get_den() != 1 && !decimal(abs(value));
}

std::string Writer::rootTerm(const mpq_class& coefficient, const mpz_class& radicand) const {
    const std::string root = std::string(kRoot) + integerText(radicand);
    if (coefficient == 1)
        return root;
    // A whole or decimal coefficient stands before the root, a fraction's numerator too.
    if (const std::optional<std::string> text = decimal(coefficient))
        return *text + root;
    const std::string numerator =
        coefficient.get_num() == 1 ? std::string() : integerText(coefficient.get_num());
    if (coefficient.get_den() == 1)
        return numerator + root;
    return numerator + root + "/" + integerText(coefficient.get_den());
}

std::string Writer::surd(const mpq_class& a, const mpq_class& c, const mpz_class& radicand) const {
    const bool minus = c < 0;
    if (m_decimals) {
        const std::string term = rootTerm(abs(c), radicand);
        if (a == 0)
            return minusSign(minus) + term;
        return joined(rational(a), minus, term);
    }
    // Over one common denominator: (p + q√r)/s.
    const mpz_class denominator = lcm(a.get_den(), c.get_den());
    const mpz_class p = denominator / a.get_den() * a.get_num();
    const mpz_class q = denominator / c.get_den() * abs(c.get_num());
    const std::string term =
        (q == 1 ? std::string() : integerText(q)) + std::string(kRoot) + integerText(radicand);
    std::string over; // "/s", or nothing for s = 1
    if (denominator != 1)
        over.append("/").append(integerText(denominator));
    if (p == 0)
        return minusSign(minus) + term + over;
    const std::string sum = joined(rational(p), minus, term);
    return denominator == 1 ? sum : inBrackets(sum) + over;
}

std::string Writer::imaginary(const mpq_class& coefficient, const mpz_class& radicand) const {
    if (radicand == 1 && coefficient == 1)
        return "i";
    const bool rational = radicand == 1;
    const std::string term = rational ? magnitude(coefficient) : rootTerm(coefficient, radicand);
    if (!rational || isFraction(coefficient))
        return inBrackets(term) + " i";
    return term + " i";
}

std::string Writer::joined(const std::string& a, bool minus, const std::string& b) {
    return a + " " + (minus ? std::string(runtime::kTypographicMinus) : std::string("+")) + " " + b;
}

std::string Writer::positional(const mpq_class& value) const {
    const std::optional<DecimalScale> scale = decimalScale(value);
    if (!scale || scale->places > static_cast<long>(kLongestExactForm))
        throw TooLong{};
    std::string digits = integerText(abs(value.get_num()) * scale->factor());
    const auto whole = static_cast<std::size_t>(scale->places);
    if (digits.size() <= whole)
        digits.insert(0, whole + 1 - digits.size(), '0');
    if (whole > 0)
        digits.insert(digits.size() - whole, m_separator);
    return minusSign(value < 0) + digits;
}

// value > 0 as a decimal of at most 15 significant digits, written the way the boxes write
// numbers; nothing where it is not one (a denominator with other primes than 2 and 5, or more
// digits), or where integers are written as integers.
std::optional<std::string> Writer::decimal(const mpq_class& value) const {
    if (!m_decimals)
        return std::nullopt;
    const std::optional<DecimalScale> scale = decimalScale(value);
    if (!scale)
        return std::nullopt;
    // 2^50 and 5^22 have 16 digits: more would not fit in 15.
    if (scale->places - scale->twos >= 50 || scale->places - scale->fives >= 22)
        return std::nullopt;
    mpz_class significand = value.get_num();
    // Only an integer can end in zeros: a fraction's numerator has no factor its denominator has.
    const long zeros = scale->places == 0 ? removeFactor(significand, 10) : 0;
    if (mpz_sizeinbase(significand.get_mpz_t(), 10) > 16)
        return std::nullopt;
    significand *= scale->factor();
    const std::string digits = significand.get_str();
    if (digits.size() > 15)
        return std::nullopt;
    const long exponent = static_cast<long>(digits.size()) - 1 + zeros - scale->places;
    return runtime::typographic(runtime::formatDecimal(false, digits, exponent, m_separator));
}

// A rational number > 0: a decimal, an integer or a fraction.
std::string Writer::magnitude(const mpq_class& value) const {
    if (const std::optional<std::string> text = decimal(value))
        return *text;
    if (value.get_den() == 1)
        return integerText(value.get_num());
    return integerText(value.get_num()) + "/" + integerText(value.get_den());
}

std::array<std::string, 2> conjugates(std::string_view re, std::string_view im, bool imNegative,
                                      Signs signs) {
    const auto root = [&](bool minus) {
        std::string text(re);
        if (re.empty())
            text = minusSign(minus);
        else
            text += minus ? signs.minus : signs.plus;
        return text.append(im);
    };
    return {root(imNegative), root(!imNegative)};
}

bool takeOutSquares(mpz_class& radicand, mpz_class& factor) {
    if (mpz_sizeinbase(radicand.get_mpz_t(), 10) > kLongestRadicandTried)
        return false;
    // The largest prime whose square may still divide the radicand.
    const auto largestWorthTrying = [&]() -> std::uint32_t {
        if (radicand >= static_cast<double>(kTrialDivisionLimit) * kTrialDivisionLimit)
            return kTrialDivisionLimit;
        return static_cast<std::uint32_t>(mpz_class(sqrt(radicand)).get_ui());
    };
    std::uint32_t largest = largestWorthTrying();
    for (const std::uint32_t prime : primes()) {
        if (prime > largest)
            break;
        const long times = removeFactor(radicand, prime);
        if (times == 0)
            continue;
        factor *= power(prime, times / 2);
        if (times % 2 == 1)
            radicand *= prime;
        largest = largestWorthTrying();
    }
    if (radicand != 1 && mpz_perfect_square_p(radicand.get_mpz_t())) {
        factor *= sqrt(radicand);
        radicand = 1;
    }
    return mpz_sizeinbase(radicand.get_mpz_t(), 10) <= kLongestExactForm;
}

mpq_class valueOf(const Coefficient& coefficient) {
    const runtime::Decimal& exact = coefficient.number.exact;
    const runtime::Decimal& denominator = coefficient.number.denominator;
    mpq_class value(significandOf(exact), significandOf(denominator));
    value.canonicalize();
    return scaled(value, exact.exponent - denominator.exponent);
}

Typed::Typed(const Coefficient& coefficient, std::string_view separator)
    : zero(coefficient.number.exact.isZero()), fraction(coefficient.number.typedAsFraction),
      value(valueOf(coefficient)) {
    std::string_view text = runtime::withoutBlanks(coefficient.text);
    negative = runtime::takeSign(text) && !zero;
    // A number read has one separator at most, or one each side of a fraction's bar, "." or ","
    // unless it is the window's own; the bar has no blanks around it.
    std::string written;
    const std::size_t bar = text.find('/');
    if (bar == std::string_view::npos)
        written = text;
    else
        written.append(runtime::withoutBlanks(text.substr(0, bar)))
            .append("/")
            .append(runtime::withoutBlanks(text.substr(bar + 1)));
    std::string shownDigits;
    for (const char c : written) {
        if (c == '.' || c == ',')
            shownDigits.append(separator);
        else
            shownDigits += c;
    }
    digits = runtime::typographic(shownDigits);
}

std::string Typed::shown() const {
    return minusSign(negative) + digits;
}

std::string Typed::factor() const {
    return negative || fraction ? inBrackets(shown()) : shown();
}

std::string Typed::base() const {
    return negative || fraction || hasExponent() ? inBrackets(shown()) : shown();
}

std::string Typed::negated() const {
    return zero || negative ? digits : minusSign(true) + digits;
}

bool Typed::hasExponent() const {
    return digits.find_first_of("eE") != std::string::npos;
}

std::string bracketed(const std::string& text) {
    const bool plain = text.find_first_of(" /()E") == std::string::npos &&
                       !text.starts_with(runtime::kTypographicMinus);
    return plain ? text : inBrackets(text);
}

std::optional<RootParts> rootParts(const IntegerEquation& equation) {
    // x = 10^s (−b ± √D')/2a = re ± c√r, with √|D'| = root·√r.
    RootParts parts;
    parts.sign = sgn(equation.discriminant);
    parts.radicand = abs(equation.discriminant);
    parts.root = parts.sign == 0 ? 0 : 1;
    if (parts.sign != 0 && !takeOutSquares(parts.radicand, parts.root))
        return std::nullopt;
    if (parts.sign == 0)
        parts.radicand = 1;
    const mpq_class twoA = 2 * equation.a;
    parts.re = scaled(-equation.b / twoA, equation.scale);
    parts.coefficient = scaled(parts.root / twoA, equation.scale);
    return parts;
}

std::string inBrackets(std::string_view text) {
    std::string bracketed;
    bracketed.reserve(text.size() + 2);
    return bracketed.append("(").append(text).append(")");
}

std::size_t characters(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace solver::notation
