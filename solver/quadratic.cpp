// SPDX-License-Identifier: MIT
#include "solver/quadratic.h"

#include "runtime/fp_check.h"

#include <algorithm>
#include <cmath>

namespace solver {
namespace {

using runtime::Subject;

// p*q - r*s by Kahan's method with one FMA: the error of r*s is recovered exactly, so the result
// is within 2 units in the last place (Jeannerod, Louvet and Muller, 2013) unless an
// intermediate over- or underflows, which the scaling below rules out where it would matter.
double differenceOfProducts(double p, double q, double r, double s) {
    const double rs = r * s;
    const double rsError = std::fma(-r, s, rs); // rs - r*s, exactly
    return std::fma(p, q, -rs) + rsError;
}

// The equation rewritten with powers of two so that every product stays near 1:
//   b' = b 2^-k,  a' = a 2^-ea in [1, 2),  c' = c 2^-(2k-ea),  D' = b'^2 - 4a'c' = D 2^-2k.
// k is chosen from the larger of b^2 and 4ac, which bounds |b'| < 2, |4a'c'| < 8 and so
// -8 < D' < 4: no intermediate overflows. Whichever of b^2 and 4ac is smaller may underflow,
// but then it lies more than 2^1000 below D' and cannot change it.
struct Scaled {
    double b = 0;
    double a = 0;
    double c = 0;
    double discriminant = 0;
    int k = 0;
    int ea = 0;
};

int floorHalf(int e) {
    return e >= 0 ? e / 2 : -((1 - e) / 2);
}

Scaled scale(double a, double b, double c) {
    Scaled s;
    s.ea = a == 0 ? 0 : std::ilogb(a);
    s.a = std::scalbn(a, -s.ea);
    if (b == 0 && (a == 0 || c == 0))
        return s; // D = 0 exactly
    const bool hasProduct = a != 0 && c != 0;
    const int productExponent = hasProduct ? s.ea + std::ilogb(c) + 2 : 0;
    int e = b != 0 ? 2 * std::ilogb(b) : productExponent;
    if (hasProduct)
        e = std::max(e, productExponent);
    s.k = floorHalf(e);
    s.b = std::scalbn(b, -s.k);
    s.c = std::scalbn(c, -(2 * s.k - s.ea));
    s.discriminant = differenceOfProducts(s.b, s.b, 4 * s.a, s.c);
    return s;
}

int signOf(double x) {
    return (x > 0) - (x < 0);
}

} // namespace

Discriminant discriminant(double a, double b, double c) {
    const Scaled s = scale(a, b, c);
    return {std::scalbn(s.discriminant, 2 * s.k), signOf(s.discriminant)};
}

Roots roots(double a, double b, double c) {
    const Scaled s = scale(a, b, c);
    Roots r;
    if (s.discriminant >= 0) {
        // The root whose numerator adds two numbers of one sign comes from
        //   q = -(b' + sign(b') sqrt(D')) / 2,  root = q 2^k / a;
        // the other from the product of the roots, c / a, as c / (q 2^k), which cancels nothing.
        // |q| >= 1/4 whenever c != 0, so neither quotient below can underflow.
        const double q = -0.5 * (s.b + std::copysign(std::sqrt(s.discriminant), s.b));
        const double far = std::scalbn(q / s.a, s.k - s.ea);
        double near = 0;
        if (c != 0 && s.discriminant == 0) {
            near = far; // a double root: both formulas give the same exact value
        } else if (c != 0) {
            const int ec = std::ilogb(c);
            near = std::scalbn(std::scalbn(c, -ec) / q, ec - s.k);
        }
        // q carries the sign opposite to b, so q / a is (-b - sqrt(D)) / 2a when b is positive.
        const bool farIsFirst = std::signbit(s.b);
        r.first = runtime::checked(farIsFirst ? far : near, Subject::FirstRoot);
        r.second = runtime::checked(farIsFirst ? near : far, Subject::SecondRoot);
        return r;
    }
    r.complex = true;
    if (b != 0) {
        const int eb = std::ilogb(b);
        r.re = std::scalbn(-std::scalbn(b, -eb) / s.a, eb - s.ea - 1);
    }
    r.re = runtime::checked(r.re, Subject::RealPart);
    r.im = runtime::checked(std::scalbn(std::sqrt(-s.discriminant) / s.a, s.k - s.ea - 1),
                            Subject::ImaginaryPart);
    return r;
}

} // namespace solver
