// SPDX-License-Identifier: MIT
#include "runtime/number_text.h"

#include "runtime/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

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
    while (dropBlank(text, true)) {
    }
    while (dropBlank(text, false)) {
    }
    return text;
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

Number readNumber(std::string_view text, std::string_view localeSeparator) {
    const std::string_view original = text;
    if (text.size() > kMaxNumberTextLength)
        notANumber(original);
    text = withoutBlanks(text);

    const bool negative = takeSign(text);
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

    Number number;
    number.typedAsInteger = !separator && !exponentWritten;
    std::string& significand = number.exact.significand;
    significand.reserve(integerDigits.size() + fractionDigits.size());
    significand += integerDigits;
    significand += fractionDigits;
    exponent -= static_cast<std::int64_t>(fractionDigits.size());
    significand.erase(0, std::min(significand.find_first_not_of('0'), significand.size()));
    if (significand.empty()) {
        number.nearest = negative ? -0.0 : 0.0;
        return number;
    }
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
    if (leadingExponent > kLargestLeadingExponent)
        throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
    number.exact.negative = negative;
    number.exact.exponent = static_cast<long>(exponent); // within the range just checked

    // std::from_chars rounds correctly; it reads the one plain form built here.
    std::string plain;
    plain.reserve(significand.size() + 12);
    if (negative)
        plain += '-';
    plain += significand;
    plain += 'e';
    plain += std::to_string(exponent);
    const auto [end, status] = std::from_chars(plain.data(), plain.data() + plain.size(),
                                               number.nearest, std::chars_format::general);
    if (status == std::errc::result_out_of_range) {
        // Too large for a double, or so small that its nearest double is zero.
        if (leadingExponent > 0)
            throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
        number.nearest = negative ? -0.0 : 0.0;
    } else if (status != std::errc() || end != plain.data() + plain.size()) {
        notANumber(original);
    }
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
