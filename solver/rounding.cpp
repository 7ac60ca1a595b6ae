// SPDX-License-Identifier: MIT
#include "solver/rounding.h"

#include "solver/integer_equation.h"

#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

// How x is rounded. MPFR encloses |x| in an interval [low, high] with directed rounding, by
// formulas that add only positive numbers, so the interval narrows with the working precision.
// Rounding to nearest is monotonic: when both ends round alike, so does x. When they round to
// neighbours, the exact sign of x - m for the midpoint m between them decides, in integers;
// x = m is a tie, which goes to the even neighbour. The interval is soon narrower than a unit
// of the 15th digit or of the double, whatever x is; until it is, the precision doubles.

namespace solver {
namespace {

constexpr int kShownDigits = 15;
constexpr mpfr_prec_t kFirstWorkingBits = 64;

// An MPFR number that frees itself; gmpxx has none.
class Real {
public:
    explicit Real(mpfr_prec_t bits) { mpfr_init2(m_value, bits); }
    ~Real() { mpfr_clear(m_value); }
    Real(const Real&) = delete;
    Real& operator=(const Real&) = delete;

    operator mpfr_ptr() { return m_value; }
    operator mpfr_srcptr() const { return m_value; }

private:
    mpfr_t m_value;
};

// |u| + |v| sqrt(w), rounded in the direction given.
void addMagnitudes(mpfr_ptr result, const mpz_class& u, const mpz_class& v, const mpz_class& w,
                   mpfr_rnd_t direction) {
    mpfr_set_z(result, w.get_mpz_t(), direction);
    mpfr_sqrt(result, result, direction);
    mpfr_mul_z(result, result, v.get_mpz_t(), direction);
    mpfr_add_z(result, result, u.get_mpz_t(), direction);
}

// [low, high] around |x|. Where u and v sqrt(w) have opposite signs they would cancel, so their
// sum is taken through the conjugate: |u + v sqrt(w)| = |u^2 - v^2 w| / (|u| + |v| sqrt(w)).
void encloseMagnitude(const Surd& x, mpfr_ptr low, mpfr_ptr high) {
    const mpfr_prec_t bits = mpfr_get_prec(low);
    const mpz_class u = abs(x.u), v = abs(x.v);
    if (sgn(x.u) * sgn(x.v) < 0) {
        const mpz_class difference = abs(x.u * x.u - x.v * x.v * x.w);
        Real sumLow(bits), sumHigh(bits);
        addMagnitudes(sumLow, u, v, x.w, MPFR_RNDD);
        addMagnitudes(sumHigh, u, v, x.w, MPFR_RNDU);
        mpfr_set_z(low, difference.get_mpz_t(), MPFR_RNDD);
        mpfr_set_z(high, difference.get_mpz_t(), MPFR_RNDU);
        mpfr_div(low, low, sumHigh, MPFR_RNDD);
        mpfr_div(high, high, sumLow, MPFR_RNDU);
    } else {
        addMagnitudes(low, u, v, x.w, MPFR_RNDD);
        addMagnitudes(high, u, v, x.w, MPFR_RNDU);
    }
    const mpz_class divisor = abs(x.z);
    mpfr_div_z(low, low, divisor.get_mpz_t(), MPFR_RNDD);
    mpfr_div_z(high, high, divisor.get_mpz_t(), MPFR_RNDU);
    if (x.exponent == 0)
        return;
    Real powerLow(bits), powerHigh(bits);
    const auto count = static_cast<unsigned long>(std::labs(x.exponent));
    mpfr_ui_pow_ui(powerLow, 10, count, MPFR_RNDD);
    mpfr_ui_pow_ui(powerHigh, 10, count, MPFR_RNDU);
    if (x.exponent >= 0) {
        mpfr_mul(low, low, powerLow, MPFR_RNDD);
        mpfr_mul(high, high, powerHigh, MPFR_RNDU);
    } else {
        mpfr_div(low, low, powerHigh, MPFR_RNDD);
        mpfr_div(high, high, powerLow, MPFR_RNDU);
    }
}

// The sign of x - m, exactly.
int compare(const Surd& x, const mpq_class& m) {
    // x - m = (v sqrt(w) - t) / z x 10^exponent, with t = m z 10^-exponent - u.
    const mpq_class t = scaled(m * x.z, -x.exponent) - x.u;
    int sign; // of v sqrt(w) - t
    if (x.v == 0 || x.w == 0)
        sign = -sgn(t);
    else if (sgn(x.v) != sgn(t))
        sign = sgn(x.v);
    else // of one sign: compare the squares
        sign = sgn(x.v) * sgn(x.v * x.v * x.w - t * t);
    return sgn(x.z) * sign;
}

// A positive number rounded to 15 digits: 0.digits x 10^exponent.
struct Decimal15 {
    std::string digits;
    mpfr_exp_t exponent = 0;
    friend bool operator==(const Decimal15&, const Decimal15&) = default;
};

Decimal15 toDecimal15(mpfr_srcptr x) {
    Decimal15 decimal;
    char buffer[kShownDigits + 2]; // the digits, a sign and the end
    mpfr_get_str(buffer, &decimal.exponent, 10, kShownDigits, x, MPFR_RNDN);
    decimal.digits = buffer;
    return decimal;
}

// The 15-digit decimal just above d.
Decimal15 next(Decimal15 d) {
    for (auto digit = d.digits.rbegin(); digit != d.digits.rend(); ++digit) {
        if (*digit != '9') {
            ++*digit;
            return d;
        }
        *digit = '0';
    }
    d.digits.front() = '1';
    ++d.exponent;
    return d;
}

// The rational halfway between d and next(d).
mpq_class midpoint(const Decimal15& d) {
    return scaled(mpq_class(mpz_class(d.digits) * 2 + 1, 2), d.exponent - kShownDigits);
}

bool isEven(const Decimal15& d) {
    return (d.digits.back() - '0') % 2 == 0;
}

// The double just above d, infinity after the largest.
double next(double d) {
    return std::nextafter(d, HUGE_VAL);
}

mpq_class midpoint(double d) {
    const double above = next(d);
    // Infinity stands for 2^1024, where the doubles would go on.
    const mpq_class high = std::isinf(above) ? mpq_class(mpz_class(1) << 1024) : mpq_class(above);
    return (mpq_class(d) + high) / 2;
}

bool isEven(double d) {
    return (std::bit_cast<std::uint64_t>(d) & 1) == 0;
}

// The rounding of |x| on one grid, from the roundings of the ends of an interval around it;
// nothing while they are not yet the same or neighbours.
template <typename Value, typename Round>
std::optional<Value> roundOnce(const Surd& x, int sign, mpfr_srcptr low, mpfr_srcptr high,
                               Round round) {
    const Value below = round(low);
    const Value above = round(high);
    if (below == above)
        return below;
    if (next(below) != above)
        return std::nullopt;
    // sign(|x| - m) = sign(x - sign m) x sign.
    const int side = sign * compare(x, sign * midpoint(below));
    if (side == 0)
        return isEven(below) ? below : above;
    return side > 0 ? above : below;
}

} // namespace

std::array<Surd, 2> rootSurds(const IntegerEquation& equation) {
    const mpz_class twoA = 2 * equation.a;
    const mpz_class negatedB = -equation.b;
    const mpz_class& discriminant = equation.discriminant;
    if (discriminant >= 0)
        return {Surd{negatedB, 1, discriminant, twoA, equation.scale},
                Surd{negatedB, -1, discriminant, twoA, equation.scale}};
    return {Surd{.u = negatedB, .z = twoA, .exponent = equation.scale},
            Surd{0, 1, -discriminant, twoA, equation.scale}};
}

Fixed toDecimals(const Surd& x, int places) {
    // |x|·10^places to the nearest integer n, ties up: the ends of an interval around it give n
    // when they agree; when they are neighbours, the exact side of the midpoint between them.
    Surd scaledX = x;
    scaledX.exponent += places;
    Fixed result;
    const int sign = compare(scaledX, 0);
    result.negative = sign < 0;
    if (sign == 0) {
        result.exact = true;
        return result;
    }
    for (mpfr_prec_t bits = kFirstWorkingBits;; bits *= 2) {
        Real low(bits), high(bits);
        encloseMagnitude(scaledX, low, high);
        mpfr_add_d(low, low, 0.5, MPFR_RNDD);
        mpfr_add_d(high, high, 0.5, MPFR_RNDU);
        mpz_class below, above;
        mpfr_get_z(below.get_mpz_t(), low, MPFR_RNDD);
        mpfr_get_z(above.get_mpz_t(), high, MPFR_RNDD);
        if (above - below > 1)
            continue;
        if (below == above) {
            result.units = below;
        } else { // |x| against below + 1/2, the midpoint: sign(|x| − m) = sign(x − sign m)·sign
            const mpq_class midpoint(2 * below + 1, 2);
            result.units = sign * compare(scaledX, sign * midpoint) >= 0 ? above : below;
        }
        result.exact = compare(scaledX, sign * mpq_class(result.units)) == 0;
        return result;
    }
}

Rounded rounded(Surd x) {
    if (x.v != 0 && mpz_perfect_square_p(x.w.get_mpz_t())) {
        x.u += x.v * sqrt(x.w);
        x.v = 0;
    }
    const int sign = compare(x, 0); // exactly, however close u and v sqrt(w) come
    Rounded result;
    if (sign == 0)
        return result;
    result.negative = sign < 0;

    std::optional<Decimal15> decimal;
    std::optional<double> nearest;
    for (mpfr_prec_t bits = kFirstWorkingBits; !decimal || !nearest; bits *= 2) {
        Real low(bits), high(bits);
        encloseMagnitude(x, low, high);
        if (!decimal)
            decimal = roundOnce<Decimal15>(x, sign, low, high, toDecimal15);
        // mpfr_get_d rounds to nearest even, into the subnormals and to infinity beyond the
        // largest double, as IEEE arithmetic does.
        if (!nearest)
            nearest = roundOnce<double>(x, sign, low, high,
                                        [](mpfr_srcptr end) { return mpfr_get_d(end, MPFR_RNDN); });
    }
    result.digits = decimal->digits;
    result.exponent = decimal->exponent - 1;
    result.nearest = result.negative ? -*nearest : *nearest;
    return result;
}

} // namespace solver
