// SPDX-License-Identifier: MIT
#include "solver/exact_form.h"

#include "solver/integer_equation.h"
#include "solver/notation.h"
#include "solver/quadratic.h"

#include "runtime/texts.h"

namespace solver {
namespace {

using notation::bracketed;
using notation::fitting;
using notation::RootParts;
using notation::Typed;
using notation::valueOf;
using notation::Writer;

const std::string kMinus(runtime::kTypographicMinus);

std::string discriminantWorking(const Writer& writer, const std::array<Typed, 3>& typed,
                                const std::string& discriminant) {
    const auto& [a, b, c] = typed;
    const mpq_class square = b.value * b.value;
    const mpq_class product = 4 * a.value * c.value;
    return "D = b² " + kMinus + " 4ac = " + b.base() + "² " + kMinus + " 4·" + a.factor() + "·" +
           c.factor() + " = " +
           Writer::joined(writer.rational(square), product >= 0, writer.rational(abs(product))) +
           " = " + discriminant;
}

// x₁ = (−b + √D)/(2a) = (3 + √5)/(2·1), with root the √D written there; and where √D comes out
// simpler (squareRoot), the same with it and 2a worked out, then the form: = (−2 + 4 i)/2 =
// −1 + 2 i. A division by 1 is not written, nor a step that repeats the one before.
std::string rootWorking(bool first, const Writer& writer, const std::array<Typed, 3>& typed,
                        const std::string& root, const std::string& squareRoot,
                        const std::string& form) {
    const auto& [a, b, c] = typed;
    const std::string plusMinus = first ? "+" : kMinus;
    std::string line = first ? "x₁" : "x₂";
    line += " = (" + kMinus + "b " + plusMinus + " √D)/(2a) = (" + b.negated() + " " + plusMinus +
            " " + root + ")/(2·" + a.factor() + ")";
    if (squareRoot == root)
        return line;
    const mpq_class twoA = 2 * a.value;
    if (twoA != 1) {
        const std::string worked =
            notation::inBrackets(writer.rational(-b.value) + " " + plusMinus + " " + squareRoot) +
            "/" + bracketed(writer.rational(twoA));
        line += " = " + worked;
        if (form == worked)
            return line;
    }
    return line + " = " + form;
}

// A real root as (−b ± √D)/(2a) with the numbers in full and no exponent, 2a made positive:
// "(−1,23456789 + √1,1241578750190521)/2"; nothing for a = 1/2 with b = 0 aside, "/1" is
// not written.
std::string overTwoA(bool first, const Writer& writer, const mpq_class& a, const mpq_class& b,
                     const std::string& root) {
    const int sign = sgn(a);
    const bool minus = first ? sign < 0 : sign > 0;
    const mpq_class numerator = -sign * b;
    const std::string sum = numerator == 0
                                ? (minus ? kMinus : std::string()) + root
                                : Writer::joined(writer.positional(numerator), minus, root);
    const mpq_class denominator = 2 * abs(a);
    if (denominator == 1)
        return sum;
    return (numerator == 0 ? sum : notation::inBrackets(sum)) + "/" +
           bracketed(writer.positional(denominator));
}

bool writesExponent(const std::optional<std::string>& form) {
    return form && form->find('E') != std::string::npos;
}

} // namespace

std::string tooLongNote() {
    return runtime::texts::filled(runtime::texts::kExactFormTooLong,
                                  std::to_string(kLongestExactForm));
}

ExactForms exactForms(const Quadratic& equation, const std::array<Coefficient, 3>& coefficients,
                      std::string_view decimalSeparator) {
    const IntegerEquation& integers = equation.integerEquation();
    const Writer writer(notation::writesFractions(coefficients), decimalSeparator);
    ExactForms forms;
    forms.discriminant = fitting([&] { return writer.rational(integers.discriminantValue()); });

    const std::optional<RootParts> parts = notation::rootParts(integers);
    if (!parts)
        return forms;
    const RootParts& roots = *parts;
    const mpz_class& root = roots.root;

    for (const bool first : {true, false}) {
        std::optional<std::string>& form = first ? forms.first : forms.second;
        if (roots.sign >= 0) {
            const mpq_class term = first ? roots.coefficient : mpq_class(-roots.coefficient);
            form = fitting([&] {
                return roots.radicand == 1 ? writer.rational(roots.re + term)
                                           : writer.surd(roots.re, term, roots.radicand);
            });
            continue;
        }
        // Complex: re ± im i, im = c√r of the sign of a.
        form = fitting([&] {
            return notation::conjugates(roots.re == 0 ? std::string() : writer.rational(roots.re),
                                        writer.imaginary(abs(roots.coefficient), roots.radicand),
                                        roots.coefficient < 0, notation::kFormSigns)[first ? 0 : 1];
        });
    }

    // Where what is left under the root after its squares came out needs a power of ten with E
    // in front of it, "−0,617283945 + 5E−09√11241578750190521", the roots are written as the
    // formula gives them, D in full with its square factors but the powers of ten taken out:
    // "(−1,23456789 + √1,1241578750190521)/2", "(−75 − 5√254689)/64000"; when that needs no E
    // and is no longer. The working then puts D in full into the formula too.
    std::optional<std::string> rootInFull;   // √D
    std::optional<std::string> rootTakenOut; // m√(D/m²)
    if (writer.writesDecimals() && roots.sign > 0 && roots.radicand != 1 &&
        writesExponent(forms.first)) {
        const mpq_class a = valueOf(coefficients[0]);
        const mpq_class b = valueOf(coefficients[1]);
        const mpq_class discriminant = integers.discriminantValue();
        mpz_class squares = root;
        removeFactor(squares, 10);
        const auto rootOf = [&](const mpz_class& factor) {
            return fitting([&] {
                return (factor == 1 ? std::string() : notation::integerText(factor)) +
                       std::string(notation::kRoot) +
                       bracketed(writer.positional(discriminant / (factor * factor)));
            });
        };
        const std::optional<std::string> inFull = rootOf(1);
        const std::optional<std::string> takenOut = rootOf(squares);
        const std::optional<std::string> over =
            inFull && takenOut ? fitting([&] { return overTwoA(true, writer, a, b, *takenOut); })
                               : std::nullopt;
        if (over && !writesExponent(over) &&
            notation::characters(*over) <= notation::characters(*forms.first)) {
            rootInFull = inFull;
            rootTakenOut = takenOut;
            forms.rootsOverTwoA = true;
            forms.first = over;
            forms.second = overTwoA(false, writer, a, b, *takenOut);
        }
    }

    // The working, from the coefficients as typed: none where they alone would fill a line.
    for (const Coefficient& coefficient : coefficients)
        if (notation::characters(coefficient.text) > kLongestExactForm)
            return forms;
    if (!forms.discriminant)
        return forms;
    const std::array<Typed, 3> typed = {Typed(coefficients[0], decimalSeparator),
                                        Typed(coefficients[1], decimalSeparator),
                                        Typed(coefficients[2], decimalSeparator)};
    forms.discriminantWorking = fitting([&] {
                                    return discriminantWorking(writer, typed, *forms.discriminant);
                                }).value_or("");
    // √D = c√r 10^(k/2) (k, the power of ten of D, is even), or that times i for D < 0.
    const std::optional<std::string> squareRoot = fitting([&] {
        mpq_class magnitude(root, integers.denominator);
        magnitude.canonicalize();
        magnitude = scaled(magnitude, integers.discriminantExponent / 2);
        if (roots.sign < 0)
            return writer.imaginary(magnitude, roots.radicand);
        return roots.radicand == 1 ? writer.rational(magnitude)
                                   : writer.rootTerm(magnitude, roots.radicand);
    });
    const std::string rootOfD =
        rootInFull.value_or(std::string(notation::kRoot) + bracketed(*forms.discriminant));
    for (const bool first : {true, false}) {
        const std::optional<std::string>& form = first ? forms.first : forms.second;
        if (!form || !squareRoot)
            continue;
        (first ? forms.firstWorking : forms.secondWorking) =
            fitting([&] {
                return rootWorking(first, writer, typed, rootOfD,
                                   rootTakenOut.value_or(*squareRoot), *form);
            }).value_or("");
    }
    return forms;
}

} // namespace solver
