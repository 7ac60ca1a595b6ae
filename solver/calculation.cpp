// SPDX-License-Identifier: MIT
#include "solver/calculation.h"

#include "runtime/errors.h"
#include "runtime/fp_check.h"
#include "runtime/number_text.h"
#include "runtime/texts.h"
#include "solver/exact_form.h"
#include "solver/notation.h"
#include "solver/resolution.h"

namespace solver {
namespace {

namespace texts = runtime::texts;

using runtime::Subject;

runtime::Number coefficient(const std::string& text, Subject subject,
                            const std::string& separator) {
    try {
        return runtime::readNumber(text, separator);
    } catch (const runtime::Error& error) {
        throw error.at(subject);
    }
}

// A part of the result as the box shows it, after the floating-point check of its value.
std::string shown(const Rounded& part, Subject subject, const std::string& separator) {
    runtime::checkFinite(part.nearest, subject);
    return part.text(separator);
}

} // namespace

std::optional<Roots> calculate(Boxes& boxes, WindowValues& values) {
    const std::string textA = boxes.text(InputBox::Text1);
    const std::string textB = boxes.text(InputBox::Text2);
    const std::string textC = boxes.text(InputBox::Text3);
    if (textA.empty() || textB.empty() || textC.empty()) {
        boxes.showMessage(std::string(texts::kEmptyBoxMessage));
        boxes.focusFirstInput();
        return std::nullopt;
    }

    const std::string separator = boxes.decimalSeparator();
    const runtime::Number a = coefficient(textA, Subject::CoefficientA, separator);
    values.a = a.nearest;
    const runtime::Number b = coefficient(textB, Subject::CoefficientB, separator);
    values.b = b.nearest;
    const runtime::Number c = coefficient(textC, Subject::CoefficientC, separator);
    values.c = c.nearest;

    const auto solved = std::make_shared<const Quadratic>(a, b, c);
    const Quadratic& equation = *solved;
    const Rounded& discriminant = equation.discriminant();
    values.discriminant = discriminant.nearest;
    const std::string discriminantText = shown(discriminant, Subject::Discriminant, separator);

    // Everything is computed and turned into text before the first box changes, so a failure
    // never leaves the roots of one equation beside those of another. For a = 0 this throws.
    const Roots roots = equation.roots();
    std::string first;
    std::string second;
    if (roots.complex) {
        // D < 0 makes ac > 0, so the rule "a < 0 and c < 0" is the sign of a alone, which the
        // imaginary part has: its own minus sign stands between the parts.
        const std::string re = shown(roots.re, Subject::RealPart, separator);
        shown(roots.im, Subject::ImaginaryPart, separator);
        const Rounded& im = roots.im;
        const std::array<std::string, 2> both =
            notation::conjugates(re, (im.negative ? im.negated() : im).text(separator) + " i",
                                 im.negative, notation::kBoxSigns);
        first = both[0];
        second = both[1];
    } else {
        first = shown(roots.first, Subject::FirstRoot, separator);
        second = shown(roots.second, Subject::SecondRoot, separator);
    }
    const std::array<Coefficient, 3> coefficients = {Coefficient{textA, a}, {textB, b}, {textC, c}};
    ExactForms forms = exactForms(equation, coefficients, separator);
    boxes.setText(ResultBox::Text5, first);
    boxes.setExactValue(ResultBox::Text5, forms.first, forms.firstWorking);
    boxes.setText(ResultBox::Text6, second);
    boxes.setExactValue(ResultBox::Text6, forms.second, forms.secondWorking);
    boxes.setKind(std::string(roots.complex ? texts::kComplexCaption : texts::kRealCaption));
    boxes.setText(ResultBox::Text7, discriminantText);
    boxes.setExactValue(ResultBox::Text7, forms.discriminant, forms.discriminantWorking);
    boxes.setResolution(
        std::make_shared<const Resolution>(solved, coefficients, separator, std::move(forms)));
    boxes.focusFirstInput();
    return roots;
}

} // namespace solver
