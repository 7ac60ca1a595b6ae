// SPDX-License-Identifier: MIT
#include "solver/calculation.h"

#include "runtime/errors.h"
#include "runtime/fp_check.h"
#include "runtime/number_text.h"

#include <cmath>

namespace solver {
namespace {

using runtime::ErrorKind;
using runtime::Subject;

double coefficient(const std::string& text, Subject subject) {
    try {
        return runtime::toNumber(text);
    } catch (const runtime::Error& error) {
        throw error.at(subject);
    }
}

// A part of the result as the box shows it, or the overflow error when it is beyond the double
// range.
std::string shown(const Shown& part, Subject subject, const std::string& separator) {
    if (part.overflows())
        throw runtime::Error(ErrorKind::Overflow, subject);
    return part.text(separator);
}

} // namespace

std::optional<Roots> calculate(Boxes& boxes, Coefficients& values) {
    const std::string textA = boxes.text(InputBox::Text1);
    const std::string textB = boxes.text(InputBox::Text2);
    const std::string textC = boxes.text(InputBox::Text3);
    if (textA.empty() || textB.empty() || textC.empty()) {
        boxes.showMessage(std::string(kEmptyBoxMessage));
        boxes.focusFirstInput();
        return std::nullopt;
    }

    values.a = coefficient(textA, Subject::CoefficientA);
    values.b = coefficient(textB, Subject::CoefficientB);
    values.c = coefficient(textC, Subject::CoefficientC);
    const double a = values.a;
    const double b = values.b;
    const double c = values.c;

    const Discriminant d = discriminant(a, b, c);
    values.discriminant = d.value.nearest;
    const std::string separator = boxes.decimalSeparator();
    const std::string discriminantText = shown(d.value, Subject::Discriminant, separator);
    if (a == 0) {
        // The first root's numerator -b + sqrt(b^2) over 2a = 0: 0/0 when b >= 0, x/0 otherwise.
        runtime::checkedQuotient(-b + std::fabs(b), 2 * a, Subject::FirstRoot);
    }

    // Everything is computed and turned into text before the first box changes, so a failure
    // never leaves the roots of one equation beside those of another.
    const Roots r = roots(a, b, c);
    std::string first;
    std::string second;
    if (r.complex) {
        const std::string re = shown(r.re, Subject::RealPart, separator);
        const std::string im = shown(r.im, Subject::ImaginaryPart, separator);
        if (a < 0 && c < 0) {
            // im is negative here: its own minus sign stands between the parts.
            first = re + im + " i";
            second = re + "+" + shown(r.im.negated(), Subject::ImaginaryPart, separator) + " i";
        } else {
            first = re + "+" + im + " i";
            second = re + "-" + im + " i";
        }
    } else {
        first = shown(r.first, Subject::FirstRoot, separator);
        second = shown(r.second, Subject::SecondRoot, separator);
    }

    boxes.setText(ResultBox::Text5, first);
    boxes.setText(ResultBox::Text6, second);
    boxes.setKind(std::string(r.complex ? kComplexCaption : kRealCaption));
    boxes.setText(ResultBox::Text7, discriminantText);
    boxes.focusFirstInput();
    return r;
}

} // namespace solver
