// SPDX-License-Identifier: MIT
#include "solver/quadratic.h"

#include "runtime/errors.h"
#include "solver/integer_equation.h"
#include "solver/rounding.h"

// Every value comes from the integer equation a y^2 + b y + c = 0 with x = 10^s y, whose
// discriminant D' = b^2 - 4ac is exact: D = D' x 10^k, and the roots are the surds
// (-b +- sqrt(D')) / 2a x 10^s, or -b / 2a x 10^s and sqrt(-D') / 2a x 10^s when D' < 0. Each is
// rounded once by rounded().

namespace solver {

std::string Rounded::text(std::string_view decimalSeparator) const {
    return runtime::formatDecimal(negative, digits, exponent, decimalSeparator);
}

int Rounded::sign() const {
    if (digits == "0")
        return 0;
    return negative ? -1 : 1;
}

Rounded Rounded::negated() const {
    Rounded opposite = *this;
    opposite.negative = !negative;
    opposite.nearest = -nearest;
    return opposite;
}

Quadratic::Quadratic(const runtime::Number& a, const runtime::Number& b, const runtime::Number& c)
    : m_equation(std::make_unique<const IntegerEquation>(a, b, c)),
      m_discriminant(rounded({.u = m_equation->discriminant,
                              .z = m_equation->denominator * m_equation->denominator,
                              .exponent = m_equation->discriminantExponent})) {}

Quadratic::~Quadratic() = default;

Roots Quadratic::roots() const {
    const IntegerEquation& equation = *m_equation;
    if (equation.a == 0)
        throw runtime::Error(equation.b < 0 ? runtime::ErrorKind::DivisionByZero
                                            : runtime::ErrorKind::InvalidOperation,
                             runtime::Subject::FirstRoot);
    const auto [first, second] = rootSurds(equation);
    Roots roots;
    roots.complex = equation.discriminant < 0;
    (roots.complex ? roots.re : roots.first) = rounded(first);
    (roots.complex ? roots.im : roots.second) = rounded(second);
    return roots;
}

} // namespace solver
