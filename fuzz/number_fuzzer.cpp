// SPDX-License-Identifier: MIT
// number(t) on arbitrary bytes: it accepts or refuses with its own error, never anything else;
// what it accepts is the exact decimal, or the two of a fraction, the text writes, and survives
// the way back through the text a box shows.
#include "fuzz_support.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "textbook.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace {

bool isNegative(std::string_view part) {
    return part.find('-') != std::string_view::npos ||
           part.find(runtime::kTypographicMinus) != std::string_view::npos;
}

// The exact value of an accepted text, read again the plainest way: its digits in order, how
// many of them follow the separator, and the exponent.
runtime::Decimal plainReading(std::string_view text) {
    const std::size_t e = std::min(text.find('e'), text.find('E'));
    const std::string_view mantissa = text.substr(0, e);
    runtime::Decimal exact;
    long exponent = 0;
    bool afterSeparator = false;
    for (char c : mantissa) {
        if (c == '.' || c == ',')
            afterSeparator = true;
        if (c >= '0' && c <= '9') {
            exact.significand += c;
            exponent -= afterSeparator;
        }
    }
    if (e != std::string_view::npos) {
        long power = 0;
        for (char c : text.substr(e + 1))
            if (c >= '0' && c <= '9')
                power = std::min(power * 10 + (c - '0'), 1'000'000'000L);
        exponent += isNegative(text.substr(e + 1)) ? -power : power;
    }
    while (!exact.significand.empty() && exact.significand.front() == '0')
        exact.significand.erase(0, 1);
    while (!exact.significand.empty() && exact.significand.back() == '0') {
        exact.significand.pop_back();
        ++exponent;
    }
    if (!exact.significand.empty()) {
        exact.negative = isNegative(mantissa);
        exact.exponent = exponent;
    }
    return exact;
}

// A fraction's value from the doubles of its two numbers, where both are ordinary ones: close to
// the nearest double of the exact quotient.
void requireNearQuotient(const runtime::Number& number) {
    const auto plain = [](const runtime::Decimal& d) {
        return std::stod((d.negative ? "-" : "") + d.significand + "e" +
                         std::to_string(d.exponent));
    };
    if (number.exact.isZero() || number.exact.significand.size() > 15 ||
        number.denominator.significand.size() > 15 || std::abs(number.exact.exponent) > 250 ||
        std::abs(number.denominator.exponent) > 250)
        return;
    const double quotient = plain(number.exact) / plain(number.denominator);
    if (std::isnormal(quotient))
        fuzz::require(std::fabs(number.nearest - quotient) <= std::fabs(quotient) * 1e-15);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    try {
        const runtime::Number number = runtime::readNumber(text);
        const std::size_t bar = text.find('/');
        fuzz::require(number.typedAsFraction == (bar != std::string::npos));
        if (bar == std::string::npos) {
            fuzz::require(number.exact == plainReading(text));
        } else {
            fuzz::require(number.exact == plainReading(text.substr(0, bar)));
            fuzz::require(number.denominator == plainReading(text.substr(bar + 1)));
            requireNearQuotient(number);
        }
        value = number.nearest;
    } catch (const runtime::Error& error) {
        fuzz::require(error.kind() == runtime::ErrorKind::Conversion ||
                      error.kind() == runtime::ErrorKind::Overflow ||
                      error.kind() == runtime::ErrorKind::ZeroDenominator);
        fuzz::require(error.text() == text);
        fuzz::require(!runtime::describe(error).empty());
        return 0;
    }
    fuzz::require(std::isfinite(value));

    // The round-trip form reads back as the very same double.
    const std::string exact = runtime::roundTripText(value);
    fuzz::require(runtime::readNumber(exact).nearest == value ||
                  (value == 0 && runtime::readNumber(exact).nearest == 0));

    for (const char* separator : {".", ","}) {
        // The text a box shows is within half a unit of its 15th digit of the value, and reading
        // it back rounds once more, by at most half a unit in the last place of the result.
        // It then shows the same text again: display is a fixed point.
        const std::string shown = textbook::shown(value, separator);
        fuzz::require(shown != "-0" && shown.find("nan") == std::string::npos &&
                      shown.find("inf") == std::string::npos);
        const double back = runtime::readNumber(shown).nearest;
        const double magnitude = std::fabs(value);
        const double ulp = std::nextafter(magnitude, HUGE_VAL) - magnitude;
        fuzz::require(std::fabs(back - value) <= magnitude * 5e-15 + ulp);
        fuzz::require(textbook::shown(back, separator) == shown);
    }
    return 0;
}
