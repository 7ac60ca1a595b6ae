// SPDX-License-Identifier: MIT
#include "runtime/number_text.h"

#include "runtime/errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

namespace runtime {
namespace {

constexpr std::string_view kTypographicMinus = "\xE2\x88\x92";   // U+2212
constexpr std::string_view kNoBreakSpace = "\xC2\xA0";           // U+00A0
constexpr std::string_view kNarrowNoBreakSpace = "\xE2\x80\xAF"; // U+202F

// A cap far beyond any exponent that can still matter: the mantissa has at most
// kMaxNumberTextLength digits, so clamping here never changes the result.
constexpr long kExponentClamp = 100000;

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

// Consumes an optional sign; returns true for a minus.
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

std::string_view takeDigits(std::string_view& text) {
    const auto end = std::find_if_not(text.begin(), text.end(), isDigit);
    const std::string_view digits(text.begin(), end);
    text.remove_prefix(digits.size());
    return digits;
}

[[noreturn]] void notANumber(std::string_view original) {
    throw Error(ErrorKind::Conversion, Subject::Text, std::string(original));
}

} // namespace

double toNumber(std::string_view text) {
    const std::string_view original = text;
    if (text.size() > kMaxNumberTextLength)
        notANumber(original);
    while (dropBlank(text, true)) {
    }
    while (dropBlank(text, false)) {
    }

    const bool negative = takeSign(text);
    const std::string_view integerDigits = takeDigits(text);
    std::string_view fractionDigits;
    if (text.starts_with('.') || text.starts_with(',')) {
        text.remove_prefix(1);
        fractionDigits = takeDigits(text);
    }
    if (integerDigits.empty() && fractionDigits.empty())
        notANumber(original);

    long exponent = 0;
    if (text.starts_with('e') || text.starts_with('E')) {
        text.remove_prefix(1);
        const bool negativeExponent = takeSign(text);
        const std::string_view exponentDigits = takeDigits(text);
        if (exponentDigits.empty())
            notANumber(original);
        for (char digit : exponentDigits)
            exponent = std::min(exponent * 10 + (digit - '0'), kExponentClamp);
        if (negativeExponent)
            exponent = -exponent;
    }
    if (!text.empty())
        notANumber(original);

    // Rebuild the number in the one form std::from_chars reads, then let it round.
    std::string plain;
    plain.reserve(integerDigits.size() + fractionDigits.size() + 12);
    if (negative)
        plain += '-';
    plain += integerDigits.empty() ? std::string_view("0") : integerDigits;
    if (!fractionDigits.empty()) {
        plain += '.';
        plain += fractionDigits;
    }
    plain += 'e';
    plain += std::to_string(exponent);

    double value = 0;
    const auto [end, status] = std::from_chars(plain.data(), plain.data() + plain.size(), value,
                                               std::chars_format::general);
    if (status == std::errc() && end == plain.data() + plain.size())
        return value;
    if (status != std::errc::result_out_of_range)
        notANumber(original);

    // Out of range: too large, or too small for even a subnormal. The decimal exponent of the
    // leading digit tells which.
    long leadingExponent = exponent;
    const auto firstNonZero =
        std::find_if(integerDigits.begin(), integerDigits.end(), [](char c) { return c != '0'; });
    if (firstNonZero != integerDigits.end()) {
        leadingExponent += static_cast<long>(integerDigits.end() - firstNonZero) - 1;
    } else {
        const auto firstFraction = std::find_if(fractionDigits.begin(), fractionDigits.end(),
                                                [](char c) { return c != '0'; });
        leadingExponent -= static_cast<long>(firstFraction - fractionDigits.begin()) + 1;
    }
    if (leadingExponent > 0)
        throw Error(ErrorKind::Overflow, Subject::Text, std::string(original));
    return negative ? -0.0 : 0.0;
}

std::string formatDecimal(bool negative, std::string_view digits, int exponent,
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
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+',
                      exponent < 0 ? -exponent : exponent);
        text += buffer;
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

std::string toText(double value, std::string_view decimalSeparator) {
    if (std::isnan(value))
        throw Error(ErrorKind::InvalidOperation, Subject::Text);
    if (std::isinf(value))
        throw Error(ErrorKind::Overflow, Subject::Text);
    if (value == 0)
        return "0";

    // printf rounds correctly to the 15 digits asked for: "d.dddddddddddddde+XXX".
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string_view printed(buffer);
    const auto e = printed.find('e');
    std::string digits;
    digits += printed.front();
    digits += printed.substr(2, e - 2);
    int exponent = 0;
    std::from_chars(printed.data() + e + 1 + (printed[e + 1] == '+'),
                    printed.data() + printed.size(), exponent);
    return formatDecimal(std::signbit(value), digits, exponent, decimalSeparator);
}

} // namespace runtime
