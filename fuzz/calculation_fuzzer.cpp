// SPDX-License-Identifier: MIT
// The whole "Calcular" command on three arbitrary texts, through the window's own code path.
// Beyond not crashing: every result text reads back as a number, the label agrees with the sign
// of the discriminant, and no text shows "-0", "nan" or "inf". Then every number shown, and the
// discriminant kept, is compared with the independent exact reference (testing/reference), digit
// for digit and bit for bit, and so is every failure.
#include "fuzz_support.h"
#include "reference.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "runtime/texts.h"
#include "solver/calculation.h"
#include "text_boxes.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

void requireNumber(std::string_view text) {
    fuzz::require(!text.empty() && text != "-0");
    fuzz::require(text.find("nan") == std::string_view::npos &&
                  text.find("inf") == std::string_view::npos);
    try {
        runtime::readNumber(text);
    } catch (const runtime::Error&) {
        // Values below the smallest double are shown as they are ("1E-400"). A box refuses
        // those below 1e-100000, which a discriminant b^2 or a quotient can reach; values beyond
        // the double range never reach a box.
        const std::size_t e = text.find("E-");
        fuzz::require(e != std::string_view::npos &&
                      std::stol(std::string(text.substr(e + 2))) > -runtime::kSmallestExponent);
    }
}

// "re+im i" or "re-im i" (re and im may carry their own signs and exponents).
void requireComplex(const std::string& text) {
    fuzz::require(text.size() > 2 && text.ends_with(" i"));
    const std::string_view body(text.data(), text.size() - 2);
    // The operator between the parts is the last sign not just after an exponent's "E".
    std::size_t split = std::string_view::npos;
    for (std::size_t i = 1; i < body.size(); ++i)
        if ((body[i] == '+' || body[i] == '-') && body[i - 1] != 'E')
            split = i;
    fuzz::require(split != std::string_view::npos);
    requireNumber(body.substr(0, split));
    requireNumber(body.substr(body[split] == '+' ? split + 1 : split));
}

// The exact value of an accepted text in the plain form the reference reads: a decimal, or a
// fraction of two.
std::string referenceText(const runtime::Decimal& value) {
    if (value.isZero())
        return "0";
    return (value.negative ? "-" : "") + value.significand + "e" + std::to_string(value.exponent);
}

std::string referenceText(const runtime::Number& number) {
    const std::string numerator = referenceText(number.exact);
    return number.typedAsFraction ? numerator + "/" + referenceText(number.denominator) : numerator;
}

bool sameBits(double x, double y) {
    return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y);
}

// A part the calculation worked out is the reference's: the same 15 digits, the same sign and
// the same nearest double. A part the reference could not narrow down is not compared.
void requireSame(const solver::Rounded& got, const reference::Part& want) {
    if (!want.decided)
        return;
    fuzz::require(got.digits == want.digits && got.exponent == want.exponent);
    fuzz::require(got.digits == "0" || got.negative == want.negative);
    fuzz::require(sameBits(std::fabs(got.nearest), std::fabs(want.nearest)));
}

// The command's outcome against the reference, for coefficients that converted and a != 0.
void compareWithReference(const std::array<runtime::Number, 3>& coefficients,
                          const windowless::TextBoxes& boxes, const solver::WindowValues& values,
                          const std::optional<solver::Roots>& roots,
                          const std::optional<runtime::ErrorKind>& failure) {
    const reference::Solution exact =
        reference::solve(referenceText(coefficients[0]), referenceText(coefficients[1]),
                         referenceText(coefficients[2]));
    const reference::Part& d = exact.discriminant;
    if (d.decided)
        fuzz::require(sameBits(values.discriminant, d.nearest));
    const bool complex = exact.sign < 0;
    const reference::Part& x = complex ? exact.re : exact.first;
    const reference::Part& y = complex ? exact.im : exact.second;
    if (!d.decided || !x.decided || !y.decided)
        return;
    // The one failure left is a value beyond the double range.
    const bool overflows = std::isinf(d.nearest) || std::isinf(x.nearest) || std::isinf(y.nearest);
    fuzz::require(failure.has_value() == overflows);
    if (failure) {
        fuzz::require(*failure == runtime::ErrorKind::Overflow);
        return;
    }
    fuzz::require(boxes.results[2] == runtime::formatDecimal(d.negative, d.digits, d.exponent,
                                                             boxes.decimalSeparator()));
    fuzz::require(roots->complex == complex);
    requireSame(complex ? roots->re : roots->first, x);
    requireSame(complex ? roots->im : roots->second, y);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const bool comma = provider.ConsumeBool();
    std::array<std::string, 3> inputs;
    // Each text, a quarter of the time over a second one: a fraction, where both are numbers.
    for (std::string& input : inputs) {
        input = provider.ConsumeRandomLengthString(64);
        if (provider.ConsumeIntegralInRange(0, 3) == 0)
            input += "/" + provider.ConsumeRandomLengthString(24);
    }
    windowless::TextBoxes boxes(inputs, comma ? "," : ".");
    solver::WindowValues values;
    std::optional<solver::Roots> roots;
    std::optional<runtime::ErrorKind> failure;
    try {
        roots = solver::calculate(boxes, values);
        if (!roots) {
            fuzz::require(boxes.message == runtime::texts::kEmptyBoxMessage);
            fuzz::require(inputs[0].empty() || inputs[1].empty() || inputs[2].empty());
            return 0;
        }
    } catch (const runtime::Error& error) {
        fuzz::require(boxes.results[0].empty() && boxes.kind.empty()); // nothing half-written
        fuzz::require(!runtime::describe(error).empty());
        failure = error.kind();
    }

    std::array<runtime::Number, 3> coefficients;
    try {
        for (std::size_t i = 0; i < 3; ++i)
            coefficients[i] = runtime::readNumber(inputs[i], comma ? "," : ".");
    } catch (const runtime::Error&) {
        fuzz::require(failure == runtime::ErrorKind::Conversion ||
                      failure == runtime::ErrorKind::Overflow ||
                      failure == runtime::ErrorKind::ZeroDenominator);
        return 0;
    }
    if (coefficients[0].exact.isZero()) {
        fuzz::require(failure == runtime::ErrorKind::InvalidOperation ||
                      failure == runtime::ErrorKind::DivisionByZero ||
                      failure == runtime::ErrorKind::Overflow);
        return 0;
    }
    compareWithReference(coefficients, boxes, values, roots, failure);
    if (failure)
        return 0;
    const std::string& discriminant = boxes.results[2];
    requireNumber(discriminant);
    const bool negative = discriminant.front() == '-';
    fuzz::require(boxes.kind ==
                  (negative ? runtime::texts::kComplexCaption : runtime::texts::kRealCaption));
    for (const std::string& root : {boxes.results[0], boxes.results[1]}) {
        if (negative)
            requireComplex(root);
        else
            requireNumber(root);
    }
    return 0;
}
