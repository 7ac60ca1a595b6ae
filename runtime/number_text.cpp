// SPDX-License-Identifier: MIT
#include "runtime/number_text.h"

#include "runtime/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

#include <gmpxx.h>
#include <mpfr.h>

namespace runtime {
namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";           // U+00A0
constexpr std::string_view kNarrowNoBreakSpace = "\xE2\x80\xAF"; // U+202F

// Past this leading exponent every value overflows a double (its largest is about 1.8e308).
constexpr long kLargestLeadingExponent = 400;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Removes one blank from the front (or back) of text, if there is one.
bool dropBlank(std::string_view& text, bool front) {
    for (std::string_view blank :
         {std::string_view(" "), std::string_view("\t"), kNoBreakSpace, kNarrowNoBreakSpace}) {
        if (front ? text.starts_with(blank) : text.ends_with(blank)) {
            front ? text.remove_prefix(blank.size()) : text.remove_suffix(blank.size());
            return true;
        }
    }
    return false;
}

// text without the blanks at its front (or back).
std::string_view withoutBlanksAt(std::string_view text, bool front) {
    while (dropBlank(text, front)) {
    }
    return text;
}

std::string_view takeDigits(std::string_view& text) {
    const auto end = std::find_if_not(text.begin(), text.end(), isDigit);
    const std::string_view digits(text.begin(), end);
    text.remove_prefix(digits.size());
    return digits;
}

[[noreturn]] void notANumber(std::string_view original) {
    throw Error(ErrorKind::Conversion, Subject::Text, std::string(original));
}

// Consumes a decimal separator: ".", "," or the locale's own.
bool takeSeparator(std::string_view& text, std::string_view localeSeparator) {
    for (std::string_view separator :
         {std::string_view("."), std::string_view(","), localeSeparator}) {
        if (!separator.empty() && text.starts_with(separator)) {
            text.remove_prefix(separator.size());
            return true;
        }
    }
    return false;
}

} // namespace

std::string_view withoutBlanks(std::string_view text) {
    return withoutBlanksAt(withoutBlanksAt(text, true), false);
}

bool takeSign(std::string_view& text) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        return false;
    }
    if (text.starts_with('-')) {
        text.remove_prefix(1);
        return true;
    }
    if (text.starts_with(kTypographicMinus)) {
        text.remove_prefix(kTypographicMinus.size());
        return true;
    }
    return false;
}

namespace {

// A number of the form readNumber() reads, without a sign: its exact decimal (positive or zero)
// and its nearest double; whether it was written as an integer. Throws as readNumber() does,
// quoting original. A side of a fraction may go as far above 1 as a number may go below it: only
// the fraction's value has to be within the doubles, and it has no nearest double of its own.
struct Unsigned {
    Decimal exact;
    double nearest = 0;
    bool integer = false;
};

enum class Part { Whole, SideOfFraction };

Unsigned readUnsigned(std::string_view text, std::string_view localeSeparator,
                      std::string_view original, Part part = Part::Whole) {
    const std::string_view integerDigits = takeDigits(text);
    std::string_view fractionDigits;
    const bool separator = takeSeparator(text, localeSeparator);
    if (separator)
        fractionDigits = takeDigits(text);
    if (integerDigits.empty() && fractionDigits.empty())
        notANumber(original);

    // The exponent as written, as an int: one beyond its range puts any significand of at most
    // kMaxNumberTextLength digits beyond the accepted range, above it or below it. What follows
    // is worked out in 64 bits, where the digits' counts cannot overflow it.
    std::int64_t exponent = 0;
    bool exponentOutOfRange = false;
    bool negativeExponent = false;
    const bool exponentWritten = text.starts_with('e') || text.starts_with('E');
    if (exponentWritten) {
        text.remove_prefix(1);
        negativeExponent = takeSign(text);
        const std::string_view exponentDigits = takeDigits(text);
        if (exponentDigits.empty())
            notANumber(original);
        int written = 0;
        const auto [end, status] = std::from_chars(
            exponentDigits.data(), exponentDigits.data() + exponentDigits.size(), written);
        exponentOutOfRange = status == std::errc::result_out_of_range;
        exponent = negativeExponent ? -std::int64_t{written} : written;
    }
    if (!text.empty())
        notANumber(original);

    Unsigned number;
    number.integer = !separator && !exponentWritten;
    std::string& significand = number.exact.significand;
    significand.reserve(integerDigits.size() + fractionDigits.size());
    significand += integerDigits;
    significand += fractionDigits;
    exponent -= static_cast<std::int64_t>(fractionDigits.size());
    significand.erase(0, std::min(significand.find_first_not_of('0'), significand.size()));
    if (significand.empty())
        return number;
    if (exponentOutOfRange && negativeExponent)
        notANumber(original); // below 10^kSmallestExponent
    if (exponentOutOfRange)
        throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
    const std::size_t last = significand.find_last_not_of('0');
    exponent += static_cast<std::int64_t>(significand.size() - 1 - last);
    significand.resize(last + 1);

    // The decimal exponent of the leading digit decides the range.
    const std::int64_t leadingExponent =
        exponent + static_cast<std::int64_t>(significand.size()) - 1;
    if (leadingExponent < kSmallestExponent)
        notANumber(original);
    if (leadingExponent > (part == Part::Whole ? kLargestLeadingExponent : -kSmallestExponent))
        throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
    number.exact.exponent = static_cast<long>(exponent); // within the range just checked
    if (part == Part::SideOfFraction)
        return number;

    // std::from_chars rounds correctly; it reads the one plain form built here.
    std::string plain;
    plain.reserve(significand.size() + 12);
    plain += significand;
    plain += 'e';
    plain += std::to_string(exponent);
    const auto [end, status] = std::from_chars(plain.data(), plain.data() + plain.size(),
                                               number.nearest, std::chars_format::general);
    if (status == std::errc::result_out_of_range) {
        // Too large for a double, or so small that its nearest double is zero.
        if (leadingExponent > 0)
            throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
        number.nearest = 0;
    } else if (status != std::errc() || end != plain.data() + plain.size()) {
        notANumber(original);
    }
    return number;
}

// numerator / denominator for a nonzero numerator and a positive denominator, rounded once to
// the nearest double as IEEE arithmetic rounds (subnormals, and ±infinity beyond the largest);
// nothing for a value below 10^kSmallestExponent.
std::optional<double> nearestQuotient(const Decimal& numerator, const Decimal& denominator) {
    mpq_class value(mpz_class(numerator.significand), mpz_class(denominator.significand));
    value.canonicalize();
    const long exponent = numerator.exponent - denominator.exponent;
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(exponent)));
    if (exponent >= 0)
        value *= power;
    else
        value /= power;
    // Below the smallest accepted magnitude: decided by the leading exponents where they are
    // far apart, exactly where they are not.
    const auto leading = [](const Decimal& d) {
        return d.exponent + static_cast<long>(d.significand.size()) - 1;
    };
    const long lead = leading(numerator) - leading(denominator);
    if (lead < kSmallestExponent - 1)
        return std::nullopt;
    if (lead <= kSmallestExponent) {
        mpz_class smallest;
        mpz_ui_pow_ui(smallest.get_mpz_t(), 10, static_cast<unsigned long>(-kSmallestExponent));
        if (value * smallest < 1)
            return std::nullopt;
    }
    // Rounded to 53 bits and then into the doubles' exponent range, carrying the first
    // rounding's direction so that the second is not a double rounding (MPFR's manual).
    const mpfr_exp_t emin = mpfr_get_emin(), emax = mpfr_get_emax();
    mpfr_set_emin(-1073);
    mpfr_set_emax(1024);
    mpfr_t x;
    mpfr_init2(x, 53);
    int inexact = mpfr_set_q(x, value.get_mpq_t(), MPFR_RNDN);
    inexact = mpfr_check_range(x, inexact, MPFR_RNDN);
    mpfr_subnormalize(x, inexact, MPFR_RNDN);
    const double nearest = mpfr_get_d(x, MPFR_RNDN);
    mpfr_clear(x);
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return numerator.negative ? -nearest : nearest;
}

} // namespace

Number readNumber(std::string_view text, std::string_view localeSeparator) {
    const std::string_view original = text;
    if (text.size() > kMaxNumberTextLength)
        notANumber(original);
    text = withoutBlanks(text);
    const bool negative = takeSign(text);

    Number number;
    const std::size_t bar = text.find('/');
    if (bar == std::string_view::npos) {
        const Unsigned read = readUnsigned(text, localeSeparator, original);
        number.exact = read.exact;
        number.exact.negative = negative && !read.exact.isZero();
        number.nearest = negative ? -read.nearest : read.nearest;
        number.typedAsInteger = read.integer;
        return number;
    }

    // A fraction: two numbers with blanks around the bar, the sign in front of them both.
    const Unsigned numerator = readUnsigned(withoutBlanksAt(text.substr(0, bar), false),
                                            localeSeparator, original, Part::SideOfFraction);
    const Unsigned denominator = readUnsigned(withoutBlanksAt(text.substr(bar + 1), true),
                                              localeSeparator, original, Part::SideOfFraction);
    if (denominator.exact.isZero())
        throw Error(ErrorKind::ZeroDenominator, Subject::Text, std::string(original));
    number.exact = numerator.exact;
    number.exact.negative = negative && !numerator.exact.isZero();
    number.denominator = denominator.exact;
    number.typedAsFraction = true;
    if (numerator.exact.isZero()) {
        number.nearest = negative ? -0.0 : 0.0;
        return number;
    }
    const std::optional<double> nearest = nearestQuotient(number.exact, number.denominator);
    if (!nearest)
        notANumber(original); // below 10^kSmallestExponent
    if (std::isinf(*nearest))
        throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
    number.nearest = *nearest;
    return number;
}

std::string formatDecimal(bool negative, std::string_view digits, long exponent,
                          std::string_view decimalSeparator) {
    while (digits.size() > 1 && digits.back() == '0')
        digits.remove_suffix(1);
    if (digits == "0")
        return "0";

    std::string text;
    if (negative)
        text += '-';
    if (exponent < -4 || exponent >= 15) {
        text += digits.front();
        if (digits.size() > 1) {
            text += decimalSeparator;
            text += digits.substr(1);
        }
        const std::string magnitude = std::to_string(exponent < 0 ? -exponent : exponent);
        text += exponent < 0 ? "E-" : "E+";
        if (magnitude.size() < 2)
            text += '0';
        text += magnitude;
    } else if (exponent >= 0) {
        const auto integerCount = static_cast<std::size_t>(exponent) + 1;
        text += digits.substr(0, integerCount);
        if (digits.size() < integerCount)
            text.append(integerCount - digits.size(), '0');
        if (digits.size() > integerCount) {
            text += decimalSeparator;
            text += digits.substr(integerCount);
        }
    } else {
        text += '0';
        text += decimalSeparator;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

std::string typographic(std::string_view text) {
    std::string result;
    for (char c : text) {
        if (c == '-')
            result += kTypographicMinus;
        else
            result += c;
    }
    return result;
}

std::string roundTripText(double value) {
    char buffer[32];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 17);
    return std::string(buffer, printed.ptr);
}

} // namespace runtime
