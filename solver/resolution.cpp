// SPDX-License-Identifier: MIT
#include "solver/resolution.h"

#include "runtime/texts.h"
#include "solver/integer_equation.h"
#include "solver/notation.h"
#include "solver/quadratic.h"
#include "solver/rounding.h"

#include <mpfr.h>

#include <cmath>
#include <functional>
#include <optional>

namespace solver {
namespace {

namespace texts = runtime::texts;
using notation::bracketed;
using notation::characters;
using notation::fitting;
using notation::RootParts;
using notation::Typed;
using notation::Writer;

const std::string kMinus(runtime::kTypographicMinus);

std::string filled(std::string_view sentence, std::string_view argument) {
    return texts::filled(sentence, argument);
}

Surd surdOf(const mpq_class& value) {
    return Surd{.u = value.get_num(), .z = value.get_den()};
}

// A value rounded to places decimals, "2,62", "−0,38"; where that shows no digit, or more
// than 15 before the separator, as the boxes write numbers. trimmed: without the zeros that
// end it. exact: it is the value itself.
struct Approximation {
    std::string text;
    bool exact = false;
};

Approximation approximately(const Surd& x, int places, std::string_view separator,
                            bool trimmed = false) {
    const Fixed fixed = toDecimals(x, places);
    const auto unitsPlaces = static_cast<std::size_t>(places);
    if ((fixed.units == 0 && !fixed.exact) || fixed.units >= power(10, 15 + places))
        return {runtime::typographic(rounded(x).text(separator)), false};
    std::string digits = fixed.units.get_str();
    if (digits.size() <= unitsPlaces)
        digits.insert(0, unitsPlaces + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - unitsPlaces);
    std::string fraction = digits.substr(digits.size() - unitsPlaces);
    if (trimmed)
        fraction.erase(fraction.find_last_not_of('0') + 1);
    std::string text = notation::minusSign(fixed.negative && fixed.units != 0) + whole;
    if (!fraction.empty())
        text.append(separator).append(fraction);
    return {text, fixed.exact};
}

double nearestOf(const mpq_class& value) {
    return rounded(surdOf(value)).nearest;
}

// ln |value|, for any value a box accepts.
double logMagnitude(const mpq_class& value) {
    mpfr_t x;
    mpfr_init2(x, 64);
    mpfr_set_q(x, value.get_mpq_t(), MPFR_RNDN);
    mpfr_abs(x, x, MPFR_RNDN);
    mpfr_log(x, x, MPFR_RNDN);
    const double logarithm = mpfr_get_d(x, MPFR_RNDN);
    mpfr_clear(x);
    return logarithm;
}

// The equation as a student works it out: the coefficients as typed, the vertex, and how each
// part of the resolution is written.
class Student {
public:
    Student(const std::array<Coefficient, 3>& coefficients, std::string_view separator)
        : typed{Typed(coefficients[0], separator), Typed(coefficients[1], separator),
                Typed(coefficients[2], separator)},
          a(typed[0].value), b(typed[1].value), c(typed[2].value), vertexX(-b / (2 * a)),
          vertexY((4 * a * c - b * b) / (4 * a)),
          m_writer(notation::writesFractions(coefficients), separator),
          m_between(separator == "." ? ", " : "; ") {}

    const std::array<Typed, 3> typed;
    const mpq_class &a, &b, &c;
    const mpq_class vertexX, vertexY; // −b/2a, −D/4a
    const Writer& writer() const { return m_writer; }

    std::string number(const mpq_class& value) const { return m_writer.rational(value); }

    // (x; y), or (x, y) where the decimal separator is a point.
    std::string point(const std::string& x, const std::string& y) const {
        return "(" + x + m_between + y + ")";
    }

    // A factor that stands before brackets or x: nothing for 1, "−" for −1, "2", "(1/2)".
    std::string leading(const mpq_class& value) const {
        if (abs(value) == 1)
            return notation::minusSign(value < 0);
        const std::string magnitude = number(abs(value));
        const bool plain = magnitude.find_first_of("/E") == std::string::npos;
        return notation::minusSign(value < 0) +
               (plain ? magnitude : notation::inBrackets(magnitude));
    }

    // x − h: "x", "x − 3/2", "x + 1".
    std::string shifted(const mpq_class& h) const {
        if (h == 0)
            return "x";
        return Writer::joined("x", h > 0, number(abs(h)));
    }

private:
    Writer m_writer;
    std::string m_between;
};

// a x² + b x + c with the coefficients as typed: "x² − 3x + 1", "0,5x² − 1,2x + 0,3",
// "x² − (1/2)x + 1/3". A coefficient 1 or −1 is not written before x, nor a term that is 0; a
// coefficient typed as a fraction or with an exponent is bracketed before x.
std::string polynomial(const std::array<Typed, 3>& typed) {
    std::string text;
    const char* powers[] = {"x²", "x", ""};
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const Typed& term = typed[i];
        if (term.zero)
            continue;
        const bool ofX = *powers[i] != '\0';
        std::string magnitude = ofX && abs(term.value) == 1 ? std::string() : term.digits;
        if (ofX && !magnitude.empty() && (term.hasExponent() || term.fraction))
            magnitude = notation::inBrackets(magnitude);
        if (text.empty())
            text = notation::minusSign(term.negative) + magnitude + powers[i];
        else
            text = Writer::joined(text, term.negative, magnitude + powers[i]);
    }
    return text;
}

} // namespace

struct Resolution::Worked {
    std::shared_ptr<const Quadratic> equation;
    std::array<Coefficient, 3> coefficients;
    std::string separator;
    ExactForms forms;
    // Worked out the first time they are asked for.
    mutable std::optional<std::optional<RootParts>> parts;

    const std::optional<RootParts>& rootParts() const {
        if (!parts)
            parts = notation::rootParts(equation->integerEquation());
        return *parts;
    }
};

Resolution::Resolution(std::shared_ptr<const Quadratic> equation,
                       std::array<Coefficient, 3> coefficients, std::string decimalSeparator,
                       ExactForms forms)
    : m_worked(std::make_unique<const Worked>(Worked{std::move(equation), std::move(coefficients),
                                                     std::move(decimalSeparator), std::move(forms),
                                                     std::nullopt})) {}

Resolution::~Resolution() = default;

std::vector<std::string> Resolution::lines(int places) const {
    const Worked& worked = *m_worked;
    const std::string& separator = worked.separator;
    const Student student(worked.coefficients, separator);
    const Writer& writer = student.writer();
    const std::array<Typed, 3>& typed = student.typed;
    const mpq_class &a = student.a, &b = student.b, &c = student.c;
    const mpq_class &vertexX = student.vertexX, &vertexY = student.vertexY;
    const ExactForms& forms = worked.forms;
    const IntegerEquation& integers = worked.equation->integerEquation();
    const std::string tooLong = tooLongNote();
    const auto fitted = [&](std::string_view label, const std::function<std::string()>& write) {
        return fitting(write).value_or(texts::filled(texts::kLineTooLong, {label, tooLong}));
    };

    std::vector<std::string> lines;
    lines.push_back(fitted(
        "Ecuación", [&] { return filled(texts::kEquationLine, polynomial(typed) + " = 0"); }));
    lines.push_back(fitted("Discriminante", [&] {
        if (!forms.discriminantWorking.empty())
            return filled(texts::kDiscriminantLine, forms.discriminantWorking);
        if (forms.discriminant)
            return filled(texts::kDiscriminantLine,
                          "D = b² " + kMinus + " 4ac = " + *forms.discriminant);
        throw notation::TooLong{};
    }));
    const int sign = sgn(integers.discriminant);
    lines.emplace_back(sign > 0    ? texts::kTwoRealRoots
                       : sign == 0 ? texts::kDoubleRoot
                                   : texts::kComplexRoots);

    // x₁ = (−b + √D)/(2a) = … = (3 + √5)/2 ≈ 2,62.
    const std::array<Surd, 2> surds = rootSurds(integers);
    for (const bool first : {true, false}) {
        const std::string name = first ? "x₁" : "x₂";
        const std::optional<std::string>& form = first ? forms.first : forms.second;
        const std::string& working = first ? forms.firstWorking : forms.secondWorking;
        std::string approximation;
        bool exact = true;
        if (sign >= 0) {
            const Approximation root = approximately(surds[first ? 0 : 1], places, separator);
            approximation = root.text;
            exact = root.exact;
        } else {
            const Approximation re = approximately(surds[0], places, separator);
            Surd im = surds[1];
            if (!first)
                im.v = -im.v;
            const Approximation imaginary = approximately(im, places, separator);
            const bool imNegative = imaginary.text.starts_with(kMinus);
            const std::string magnitude = imaginary.text.substr(imNegative ? kMinus.size() : 0);
            approximation =
                notation::conjugates(surds[0].u == 0 ? std::string() : re.text, magnitude + " i",
                                     imNegative, notation::kFormSigns)[0];
            exact = re.exact && imaginary.exact;
        }
        const std::string approximate =
            exact || (form && *form == approximation) ? std::string() : " ≈ " + approximation;
        std::optional<std::string> text;
        if (form) {
            std::string full = working.empty() ? name + " = " + *form : working;
            if (!full.ends_with(" = " + *form))
                full += " = " + *form;
            text = fitting([&] { return full + approximate; });
            if (!text)
                text = fitting([&] { return name + " = " + *form + approximate; });
        }
        lines.push_back(
            text.value_or(texts::filled(texts::kLineTooLong, {name + approximate, tooLong})));
    }

    const std::string h = fitting([&] { return student.number(vertexX); }).value_or("");
    const std::string k = fitting([&] { return student.number(vertexY); }).value_or("");
    lines.push_back(fitted("Vértice", [&] {
        if (h.empty() || k.empty())
            throw notation::TooLong{};
        return filled(texts::kVertexLine,
                      "V = " + student.point(kMinus + "b/(2a)", kMinus + "D/(4a)") + " = " +
                          student.point(h, k));
    }));
    lines.push_back(fitted("Eje de simetría", [&] {
        if (h.empty())
            throw notation::TooLong{};
        return filled(texts::kAxisLine, "x = " + h);
    }));
    lines.push_back(fitted(a > 0 ? "Mínimo" : "Máximo", [&] {
        if (h.empty() || k.empty())
            throw notation::TooLong{};
        return texts::filled(a > 0 ? texts::kMinimumLine : texts::kMaximumLine, {k, h});
    }));
    lines.push_back(fitted("Corte con el eje y", [&] {
        return filled(texts::kYInterceptLine, student.point("0", student.number(c)));
    }));
    lines.push_back(fitted("Forma factorizada", [&] {
        const std::optional<RootParts>& parts = worked.rootParts();
        if (!parts)
            throw notation::TooLong{};
        // x − x₁ and x − x₂: a sum written whole is taken apart, "x + 1 − 2 i"; a quotient
        // stays whole, "x − (3 + √5)/2".
        const auto factor = [&](bool first) -> std::string {
            const mpq_class term = first ? parts->coefficient : mpq_class(-parts->coefficient);
            if (parts->sign >= 0 && parts->radicand == 1)
                return student.shifted(parts->re + term);
            const std::optional<std::string>& form = first ? forms.first : forms.second;
            const bool quotient =
                parts->sign > 0 &&
                (forms.rootsOverTwoA ||
                 (!writer.writesDecimals() && (parts->re.get_den() != 1 || term.get_den() != 1)));
            if (quotient) {
                if (!form)
                    throw notation::TooLong{};
                const bool negative = form->starts_with(kMinus);
                return Writer::joined("x", !negative, form->substr(negative ? kMinus.size() : 0));
            }
            std::string text = student.shifted(parts->re);
            const std::string magnitude = parts->sign > 0
                                              ? writer.rootTerm(abs(term), parts->radicand)
                                              : writer.imaginary(abs(term), parts->radicand);
            return Writer::joined(text, term > 0, magnitude);
        };
        const std::string lead = student.leading(a);
        const std::string first = factor(true);
        if (sign == 0)
            return filled(texts::kFactoredLine,
                          lead + (first == "x" ? "x²" : notation::inBrackets(first) + "²"));
        const std::string second = factor(false);
        const auto inBrackets = [](const std::string& factorText) {
            return factorText == "x" ? factorText : notation::inBrackets(factorText);
        };
        return filled(texts::kFactoredLine, lead + inBrackets(first) + inBrackets(second));
    }));
    lines.push_back(fitted("Forma canónica", [&] {
        if (h.empty() || k.empty())
            throw notation::TooLong{};
        const std::string square =
            vertexX == 0 ? std::string("x²") : notation::inBrackets(student.shifted(vertexX)) + "²";
        const std::string shifted = student.leading(a) + square;
        return filled(texts::kCanonicalLine,
                      vertexY == 0
                          ? shifted
                          : Writer::joined(shifted, vertexY < 0, student.number(abs(vertexY))));
    }));
    lines.push_back(fitted("Comprobación", [&] {
        return filled(texts::kCheckLine, "x₁ + x₂ = " + kMinus + "b/a = " + student.number(-b / a) +
                                             "; x₁·x₂ = c/a = " + student.number(c / a));
    }));
    return lines;
}

Graph Resolution::graph() const {
    const Worked& worked = *m_worked;
    const std::string& separator = worked.separator;
    const Student student(worked.coefficients, separator);
    const mpq_class &a = student.a, &c = student.c;
    const mpq_class &vertexX = student.vertexX, &vertexY = student.vertexY;
    const IntegerEquation& integers = worked.equation->integerEquation();
    const Roots roots = worked.equation->roots();

    Graph graph;
    graph.function = "y = " + polynomial(student.typed);
    graph.curve.real = !roots.complex;
    graph.curve.sign = sgn(a);
    graph.curve.logMagnitude = logMagnitude(a);
    graph.curve.first = roots.complex ? roots.re.nearest : roots.first.nearest;
    graph.curve.second = roots.complex ? std::fabs(roots.im.nearest) : roots.second.nearest;
    graph.axis = nearestOf(vertexX);

    // Short values: two decimals at most, without the zeros that end them.
    const auto shortly = [&](const Surd& x) { return approximately(x, 2, separator, true); };
    const auto pointLabel = [&](const std::string& name, const mpq_class& x, const mpq_class& y) {
        const Approximation across = shortly(surdOf(x)), up = shortly(surdOf(y));
        const std::string point = student.point(across.text, up.text);
        const std::string equals = across.exact && up.exact ? " = " : " ≈ ";
        return name.empty() ? point : name + equals + point;
    };
    if (!roots.complex) {
        const std::array<Surd, 2> surds = rootSurds(integers);
        const bool twice = integers.discriminant == 0;
        for (const bool first : {true, false}) {
            if (twice && !first)
                break;
            const Approximation root = shortly(surds[first ? 0 : 1]);
            const std::string name = twice ? "x₁ = x₂" : first ? "x₁" : "x₂";
            graph.points.push_back({MarkedPoint::Kind::Root,
                                    {first ? roots.first.nearest : roots.second.nearest, 0},
                                    name + (root.exact ? " = " : " ≈ ") + root.text});
        }
    } else {
        graph.noCrossing = std::string(texts::kNoCrossing);
    }
    graph.points.push_back({MarkedPoint::Kind::Vertex,
                            {graph.axis, nearestOf(vertexY)},
                            pointLabel("V", vertexX, vertexY)});
    graph.points.push_back(
        {MarkedPoint::Kind::YIntercept, {0, nearestOf(c)}, pointLabel("", 0, c)});

    std::vector<PlotPoint> at;
    for (const MarkedPoint& point : graph.points)
        at.push_back(point.at);
    graph.chosen = chooseView(graph.curve, graph.axis, at);
    std::string outside;
    for (const std::size_t index : graph.chosen.outside)
        outside += (outside.empty() ? "" : "; ") + graph.points[index].label;
    if (!outside.empty())
        graph.outside = filled(texts::kOutsideView, outside);
    return graph;
}

} // namespace solver
