// SPDX-License-Identifier: MIT
#include "solver/quadratic.h"

#include "solver/gmp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>

// How each number is made exact, then rounded once.
//
// Each coefficient is an integer times a power of ten, k x 10^e, exactly as typed. Powers of ten
// are kept apart from the integers, so that 1e-90000 costs no more than 1.
//
// - Near terms. Where b^2 and 4ac are within 10^W of each other (W below), the substitution
//   x = 10^s y and one common power of ten turn the equation into A y^2 + B y + C = 0 with
//   integers of at most W + a few thousand digits, whose D' = B^2 - 4AC is exact, and
//   D = D' x 10^(2e - 2s). When D' (or -D') is a perfect square, every root part is a quotient
//   of integers times 10^s, rounded exactly with integer arithmetic. Otherwise each part that
//   contains sqrt(D') is a quadratic irrational x = (u + v sqrt(w)) / z x 10^s.
// - Irrational x. It is enclosed in an interval computed with directed rounding (lower ends
//   down, upper ends up), by formulas that add only numbers of one sign, so the interval narrows
//   in proportion to the working precision. Rounding to nearest is monotonic: when both ends
//   round to the same 15 digits and the same double, so does x. When they round to neighbours,
//   the rational boundary m between the two decides, and the sign of x - m is exact in integers
//   (compare v^2 w with a square). x is never m, so this ends as soon as the interval is
//   narrower than the rounding's units, whatever the input.
// - Far terms. Where one of b^2 and 4ac exceeds the other by more than 10^W, exact integers
//   would need as many digits as the gap. Each value is then a leading term L, exact and short
//   (b^2, -4ac, -b/a, -c/b, +-sqrt(+-c/a)), plus a remainder whose sign is known and whose size
//   is below 10^(-W/2) of L. The boundaries that 15-digit and double rounding compare with are
//   decimals of 16 digits and binary fractions of 54 bits, and a rational or quadratic
//   irrational L made of numbers of d digits lies either on one or at least 10^-(2d + 800) of L
//   away from every one; W = 4d + 2000 keeps the remainder below that. So the value rounds as
//   L does, except that on a boundary the remainder's sign breaks the tie (the "nudge").

namespace solver {
namespace {

constexpr int kShownDigits = 15;
constexpr mpfr_prec_t kFirstWorkingBits = 64;
constexpr double kLog2Of10 = 3.32192809488736234787;

bool isOdd(mpz_srcptr z) {
    return mpz_odd_p(z);
}

long floorHalf(long x) {
    return x >= 0 ? x / 2 : -((1 - x) / 2);
}

// --- Rounding an exact value ----------------------------------------------------------------

// Whether a magnitude truncated to quotient, with this remainder of a division by divisor,
// rounds up: past the half it does, before it not, and at the half it goes the way the nudge
// points (the exact value lies that little above or below), or to the even neighbour.
bool roundsUp(mpz_srcptr remainder, mpz_srcptr divisor, mpz_srcptr quotient, int nudge) {
    Integer twice;
    mpz_mul_2exp(twice, remainder, 1);
    const int half = mpz_cmp(twice, divisor);
    if (half != 0)
        return half > 0;
    return nudge != 0 ? nudge > 0 : isOdd(quotient);
}

// numerator / denominator (both positive) rounded to 15 significant digits; returns the
// decimal exponent of the first one.
long roundDigits(mpz_srcptr numerator, mpz_srcptr denominator, int nudge, std::string& digits) {
    static const Integer low = [] {
        Integer power;
        mpz_ui_pow_ui(power, 10, kShownDigits - 1);
        return power;
    }();
    static const Integer high = [] {
        Integer power;
        mpz_ui_pow_ui(power, 10, kShownDigits);
        return power;
    }();
    Integer top, bottom, quotient, remainder;
    // log10 of the quotient, give or take one.
    long exponent =
        std::lround(static_cast<double>(static_cast<long>(mpz_sizeinbase(numerator, 2)) -
                                        static_cast<long>(mpz_sizeinbase(denominator, 2))) /
                    kLog2Of10);
    for (;;) {
        const long shift = kShownDigits - 1 - exponent; // quotient x 10^shift has 15 digits
        mpz_set(top, numerator);
        mpz_set(bottom, denominator);
        multiplyByPowerOfTen(top, shift);
        multiplyByPowerOfTen(bottom, -shift);
        mpz_tdiv_qr(quotient, remainder, top, bottom);
        if (mpz_cmp(quotient, high) >= 0)
            ++exponent;
        else if (mpz_cmp(quotient, low) < 0)
            --exponent;
        else
            break;
    }
    if (roundsUp(remainder, bottom, quotient, nudge))
        mpz_add_ui(quotient, quotient, 1);
    if (mpz_cmp(quotient, high) == 0) {
        mpz_set(quotient, low);
        ++exponent;
    }
    digits.assign(mpz_sizeinbase(quotient, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, quotient);
    digits.resize(std::char_traits<char>::length(digits.c_str()));
    return exponent;
}

// numerator / denominator x 10^exponent10 (numerator and denominator positive) rounded to the
// nearest double, subnormals included.
double roundToDouble(mpz_srcptr numerator, mpz_srcptr denominator, long exponent10, int nudge) {
    const double log2Value =
        static_cast<double>(static_cast<long>(mpz_sizeinbase(numerator, 2)) -
                            static_cast<long>(mpz_sizeinbase(denominator, 2))) +
        static_cast<double>(exponent10) * kLog2Of10;
    if (log2Value > 1026) // at least 2^1025: beyond the largest double by far
        return HUGE_VAL;
    if (log2Value < -1077) // below 2^-1076: nearer to 0 than to the smallest subnormal
        return 0;
    Integer top(0), bottom(0);
    mpz_set(top, numerator);
    mpz_set(bottom, denominator);
    multiplyByPowerOfTen(top, exponent10);
    multiplyByPowerOfTen(bottom, -exponent10);
    // 2^shift x top / bottom in [2^52, 2^53), with at most 1074 fractional bits (subnormals).
    long shift = 53 - (static_cast<long>(mpz_sizeinbase(top, 2)) -
                       static_cast<long>(mpz_sizeinbase(bottom, 2)));
    Integer scaledTop, scaledBottom, quotient, remainder;
    for (;;) {
        shift = std::min(shift, 1074L);
        mpz_mul_2exp(scaledTop, top, static_cast<mp_bitcnt_t>(std::max(shift, 0L)));
        mpz_mul_2exp(scaledBottom, bottom, static_cast<mp_bitcnt_t>(std::max(-shift, 0L)));
        mpz_tdiv_qr(quotient, remainder, scaledTop, scaledBottom);
        if (mpz_sizeinbase(quotient, 2) > 53)
            --shift;
        else if (mpz_sizeinbase(quotient, 2) < 53 && shift < 1074)
            ++shift;
        else
            break;
    }
    if (roundsUp(remainder, scaledBottom, quotient, nudge))
        mpz_add_ui(quotient, quotient, 1);
    return std::ldexp(mpz_get_d(quotient), static_cast<int>(-shift)); // exact, or infinite
}

// numerator / denominator x 10^exponent10, exact, rounded once; denominator not zero. A nonzero
// nudge says that the value lies an infinitesimal above (+1) or below (-1) that exact value.
Rounded roundExact(mpz_srcptr numerator, mpz_srcptr denominator, long exponent10, int nudge = 0) {
    Rounded rounded;
    if (signOf(numerator) == 0)
        return rounded;
    rounded.negative = (signOf(numerator) < 0) != (signOf(denominator) < 0);
    Integer top, bottom;
    mpz_abs(top, numerator);
    mpz_abs(bottom, denominator);
    const int magnitudeNudge = rounded.negative ? -nudge : nudge;
    rounded.exponent = roundDigits(top, bottom, magnitudeNudge, rounded.digits) + exponent10;
    const double magnitude = roundToDouble(top, bottom, exponent10, magnitudeNudge);
    rounded.nearest = rounded.negative ? -magnitude : magnitude;
    return rounded;
}

Rounded roundExact(mpz_srcptr value, long exponent10, int nudge = 0) {
    static const Integer one(1);
    return roundExact(value, one, exponent10, nudge);
}

// --- The coefficients and other exact numbers --------------------------------------------------

// A coefficient as typed: value x 10^exponent, with digits the length of value.
struct Coefficient {
    explicit Coefficient(const runtime::Decimal& typed) : exponent(typed.exponent) {
        if (typed.isZero())
            return;
        mpz_set_str(value, typed.significand.c_str(), 10);
        if (typed.negative)
            mpz_neg(value, value);
        digits = static_cast<long>(typed.significand.size());
    }
    bool isZero() const { return signOf(value) == 0; }
    int sign() const { return signOf(value); }
    // The decimal exponent just above |value x 10^exponent|: it lies in [10^(top - 1), 10^top).
    long top() const { return exponent + digits; }

    Integer value;
    long exponent = 0;
    long digits = 0;
};

// numerator / denominator x 10^exponent, with denominator > 0.
struct Scaled {
    Integer numerator;
    Integer denominator{1};
    long exponent = 0;
};

// sqrt(x) for x > 0 as numerator / denominator x 10^exponent with both square roots integers
// when it is rational; nothing otherwise. ratio gets x / 10^exponent as a fraction in lowest
// terms whose square root is taken, with the exponent made even.
std::optional<Scaled> exactSquareRoot(const Scaled& x, Scaled& ratio) {
    mpz_set(ratio.numerator, x.numerator);
    mpz_set(ratio.denominator, x.denominator);
    ratio.exponent = x.exponent;
    if (ratio.exponent % 2 != 0) { // make it even: one more factor of ten on the fraction
        mpz_mul_ui(ratio.numerator, ratio.numerator, 10);
        --ratio.exponent;
    }
    Integer common;
    mpz_gcd(common, ratio.numerator, ratio.denominator);
    mpz_divexact(ratio.numerator, ratio.numerator, common);
    mpz_divexact(ratio.denominator, ratio.denominator, common);
    std::optional<Scaled> root;
    if (mpz_perfect_square_p(ratio.numerator) && mpz_perfect_square_p(ratio.denominator)) {
        root.emplace();
        mpz_sqrt(root->numerator, ratio.numerator);
        mpz_sqrt(root->denominator, ratio.denominator);
        root->exponent = ratio.exponent / 2;
    }
    return root;
}

// --- Rounding an irrational value -----------------------------------------------------------

constexpr std::uint64_t kLowest15 = 100'000'000'000'000; // 10^14
constexpr std::uint64_t kPowersOfTen[] = {1,
                                          10,
                                          100,
                                          1'000,
                                          10'000,
                                          100'000,
                                          1'000'000,
                                          10'000'000,
                                          100'000'000,
                                          1'000'000'000,
                                          10'000'000'000,
                                          100'000'000'000,
                                          1'000'000'000'000,
                                          10'000'000'000'000,
                                          100'000'000'000'000,
                                          1'000'000'000'000'000,
                                          10'000'000'000'000'000,
                                          100'000'000'000'000'000,
                                          1'000'000'000'000'000'000,
                                          10'000'000'000'000'000'000u};

// x x 10^shift, rounded in the direction given.
void timesPowerOfTen(mpfr_ptr result, mpfr_srcptr x, long shift, mpfr_rnd_t direction) {
    const auto count = static_cast<unsigned long>(shift < 0 ? -shift : shift);
    // The table's powers as far as an unsigned long holds them: 10^19 with 64 bits, 10^9 with
    // the 32 bits it has on Windows.
    if (count < std::size(kPowersOfTen) &&
        kPowersOfTen[count] <= std::numeric_limits<unsigned long>::max()) {
        if (shift >= 0)
            mpfr_mul_ui(result, x, static_cast<unsigned long>(kPowersOfTen[count]), direction);
        else
            mpfr_div_ui(result, x, static_cast<unsigned long>(kPowersOfTen[count]), direction);
        return;
    }
    Integer power;
    mpz_ui_pow_ui(power, 10, count);
    if (shift >= 0)
        mpfr_mul_z(result, x, power, direction);
    else
        mpfr_div_z(result, x, power, direction);
}

// (u + v sqrt(w)) / z x 10^exponent, with w > 0 not a square and v, z not 0: every irrational
// part of a root has this form.
struct Surd {
    Integer u, v, w, z;
    long exponent = 0;
};

// An interval [low, high] around an irrational value, at some working precision.
struct Interval {
    explicit Interval(mpfr_prec_t bits) : low(bits), high(bits) {}
    Real low;
    Real high;
};

void negate(Interval& x) {
    mpfr_swap(x.low, x.high);
    mpfr_neg(x.low, x.low, MPFR_RNDN);
    mpfr_neg(x.high, x.high, MPFR_RNDN);
}

// x / y for intervals of one sign each; result is neither.
void divide(Interval& result, const Interval& x, const Interval& y) {
    // For a positive y, the smallest quotient takes the smallest x over the y that shrinks it
    // most: the largest y when x >= 0, the smallest when x <= 0; a negative y turns both round.
    const bool xPositive = signOf(x.low) >= 0;
    const bool yPositive = signOf(y.low) > 0;
    const Real& lowTop = yPositive ? x.low : x.high;
    const Real& highTop = yPositive ? x.high : x.low;
    const Real& lowBottom = (xPositive == yPositive) ? y.high : y.low;
    const Real& highBottom = (xPositive == yPositive) ? y.low : y.high;
    mpfr_div(result.low, lowTop, lowBottom, MPFR_RNDD);
    mpfr_div(result.high, highTop, highBottom, MPFR_RNDU);
}

// [x] at this precision, by formulas that add only numbers of one sign: where u and v sqrt(w)
// would cancel, through the conjugate, (u^2 - v^2 w) / (u - v sqrt(w)).
void enclose(const Surd& x, Interval& result) {
    const mpfr_prec_t bits = mpfr_get_prec(result.low);
    Interval root(bits);
    mpfr_set_z(root.low, x.w, MPFR_RNDD);
    mpfr_set_z(root.high, x.w, MPFR_RNDU);
    mpfr_sqrt(root.low, root.low, MPFR_RNDD);
    mpfr_sqrt(root.high, root.high, MPFR_RNDU);
    Integer magnitude;
    mpz_abs(magnitude, x.v);
    mpfr_mul_z(root.low, root.low, magnitude, MPFR_RNDD); // |v| sqrt(w)
    mpfr_mul_z(root.high, root.high, magnitude, MPFR_RNDU);
    const bool cancels = signOf(x.u) * signOf(x.v) < 0;
    if ((signOf(x.v) < 0) != cancels)
        negate(root); // the term as it is added: v sqrt(w), or -v sqrt(w) in the conjugate
    Interval sum(bits);
    mpfr_add_z(sum.low, root.low, x.u, MPFR_RNDD);
    mpfr_add_z(sum.high, root.high, x.u, MPFR_RNDU);
    if (cancels) {
        Integer product, difference; // u^2 - v^2 w, exact
        mpz_mul(difference, x.u, x.u);
        mpz_mul(product, x.v, x.v);
        mpz_mul(product, product, x.w);
        mpz_sub(difference, difference, product);
        Interval top(bits);
        mpfr_set_z(top.low, difference, MPFR_RNDD);
        mpfr_set_z(top.high, difference, MPFR_RNDU);
        divide(result, top, sum);
    } else {
        mpfr_set(result.low, sum.low, MPFR_RNDD);
        mpfr_set(result.high, sum.high, MPFR_RNDU);
    }
    Interval divisor(bits);
    mpfr_set_z(divisor.low, x.z, MPFR_RNDD);
    mpfr_set_z(divisor.high, x.z, MPFR_RNDU);
    Interval quotient(bits);
    divide(quotient, result, divisor);
    mpfr_swap(result.low, quotient.low);
    mpfr_swap(result.high, quotient.high);
    timesPowerOfTen(result.low, result.low, x.exponent, MPFR_RNDD);
    timesPowerOfTen(result.high, result.high, x.exponent, MPFR_RNDU);
}

// The sign of x - m, exactly.
int compare(const Surd& x, const Scaled& m) {
    // x - m has the sign of z times that of v sqrt(w) - t, t = m z 10^-exponent - u; both sides
    // are multiplied by m's denominator and a power of ten to stay integers.
    Integer v, u, t;
    mpz_mul(v, x.v, m.denominator);
    mpz_mul(u, x.u, m.denominator);
    mpz_mul(t, m.numerator, x.z);
    const long shift = m.exponent - x.exponent;
    multiplyByPowerOfTen(t, shift);
    multiplyByPowerOfTen(v, -shift);
    multiplyByPowerOfTen(u, -shift);
    mpz_sub(t, t, u);
    int sign = 0; // of v sqrt(w) - t
    if (signOf(v) > 0 && signOf(t) <= 0) {
        sign = 1;
    } else if (signOf(v) < 0 && signOf(t) >= 0) {
        sign = -1;
    } else { // v and t of one sign: compare the squares
        Integer left, right;
        mpz_mul(left, v, v);
        mpz_mul(left, left, x.w);
        mpz_mul(right, t, t);
        sign = mpz_cmp(left, right) > 0 ? 1 : -1; // never equal: sqrt(w) is irrational
        if (signOf(v) < 0)
            sign = -sign;
    }
    return signOf(x.z) < 0 ? -sign : sign;
}

// A positive number rounded to 15 digits: digits x 10^(exponent - 14), digits in
// [10^14, 10^15).
struct Decimal15 {
    std::uint64_t digits = 0;
    long exponent = 0;
};

// The 15-digit rounding of a number not above (direction down) or not below (up) x > 0.
Decimal15 roundDecimal(mpfr_srcptr x, mpfr_rnd_t direction) {
    // 10^e <= x < 10^(e + 1), give or take one, from the binary exponent.
    long exponent = std::lround(std::floor(static_cast<double>(mpfr_get_exp(x) - 1) / kLog2Of10));
    Real scaled(mpfr_get_prec(x) + 64);
    for (;;) {
        timesPowerOfTen(scaled, x, kShownDigits - 1 - exponent, direction);
        // 10^14 and 10^15 are exact doubles.
        if (mpfr_cmp_d(scaled, static_cast<double>(kLowest15 * 10)) >= 0)
            ++exponent;
        else if (mpfr_cmp_d(scaled, static_cast<double>(kLowest15)) < 0)
            --exponent;
        else
            break;
    }
    // Below 2^50 with 64 bits or more, scaled + 1/2 is exact; its floor is the rounding, a half
    // going up: the number rounded lies on the near side of it anyway.
    mpfr_add_d(scaled, scaled, 0.5, MPFR_RNDN);
    mpfr_floor(scaled, scaled);
    // An integer below 2^50: its double is exact.
    Decimal15 rounded{static_cast<std::uint64_t>(mpfr_get_d(scaled, MPFR_RNDN)), exponent};
    if (rounded.digits == kLowest15 * 10)
        rounded = {kLowest15, exponent + 1};
    return rounded;
}

// The number halfway between two 15-digit decimals that are neighbours, with the sign given;
// false when they are not neighbours.
bool decimalMidpoint(const Decimal15& below, const Decimal15& above, bool negative,
                     Scaled& midpoint) {
    // Neighbours are one unit of the last digit of the smaller one apart.
    const bool sameExponent = below.exponent == above.exponent && above.digits == below.digits + 1;
    const bool acrossPower = above.exponent == below.exponent + 1 &&
                             below.digits == kLowest15 * 10 - 1 && above.digits == kLowest15;
    if (!sameExponent && !acrossPower)
        return false;
    setUnsigned64(midpoint.numerator, below.digits);
    Integer upper;
    setUnsigned64(upper, above.digits);
    multiplyByPowerOfTen(upper, above.exponent - below.exponent);
    mpz_add(midpoint.numerator, midpoint.numerator, upper);
    if (negative)
        mpz_neg(midpoint.numerator, midpoint.numerator);
    mpz_set_ui(midpoint.denominator, 2);
    midpoint.exponent = below.exponent - (kShownDigits - 1);
    return true;
}

// The value between two neighbouring doubles (infinity counting as 2^1024), exactly.
void doubleMidpoint(double low, double high, Scaled& midpoint) {
    Integer sum;
    long common = 0;
    bool first = true;
    for (double value : {low, high}) {
        int binaryExponent = 0;
        const double fraction =
            std::isinf(value) ? std::copysign(0.5, value) : std::frexp(value, &binaryExponent);
        if (std::isinf(value))
            binaryExponent = 1025;
        Integer mantissa; // value = mantissa x 2^(binaryExponent - 53)
        mpz_set_d(mantissa, std::ldexp(fraction, 53));
        const long exponent = binaryExponent - 53;
        if (first || exponent >= common) {
            if (!first)
                mpz_mul_2exp(mantissa, mantissa, static_cast<mp_bitcnt_t>(exponent - common));
            else
                common = exponent;
        } else {
            mpz_mul_2exp(sum, sum, static_cast<mp_bitcnt_t>(common - exponent));
            common = exponent;
        }
        mpz_add(sum, sum, mantissa);
        first = false;
    }
    --common; // halved
    mpz_set(midpoint.numerator, sum);
    mpz_set_ui(midpoint.denominator, 1);
    if (common >= 0)
        mpz_mul_2exp(midpoint.numerator, midpoint.numerator, static_cast<mp_bitcnt_t>(common));
    else
        mpz_mul_2exp(midpoint.denominator, midpoint.denominator, static_cast<mp_bitcnt_t>(-common));
    midpoint.exponent = 0;
}

// An irrational value rounded once: enclosed at rising precision until the ends of its interval
// round alike, or to neighbours; then the exact sign of x - m for the rational m between those
// neighbours decides. An irrational x is never such an m, so this ends, at a precision that
// depends only on how well the enclosure narrows, not on how close x comes to m.
Rounded roundIrrational(const Surd& x) {
    for (mpfr_prec_t bits = kFirstWorkingBits;; bits *= 2) {
        Interval interval(bits);
        enclose(x, interval);
        const bool negative = signOf(interval.high) < 0;
        if (signOf(interval.low) < 0 && !negative)
            continue;             // not yet of one sign
        Interval magnitude(bits); // of |x|
        mpfr_abs(magnitude.low, negative ? interval.high : interval.low, MPFR_RNDN);
        mpfr_abs(magnitude.high, negative ? interval.low : interval.high, MPFR_RNDN);
        const Decimal15 below = roundDecimal(magnitude.low, MPFR_RNDD);
        const Decimal15 above = roundDecimal(magnitude.high, MPFR_RNDU);
        Decimal15 decimal = below;
        Scaled midpoint;
        if (below.digits != above.digits || below.exponent != above.exponent) {
            if (!decimalMidpoint(below, above, negative, midpoint))
                continue;
            if ((compare(x, midpoint) > 0) != negative)
                decimal = above;
        }
        Rounded rounded;
        rounded.negative = negative;
        rounded.exponent = decimal.exponent;
        rounded.digits = std::to_string(decimal.digits);
        // The nearest doubles, one rounding each: subnormals and infinity included.
        const double low = mpfr_get_d(interval.low, MPFR_RNDN);
        const double high = mpfr_get_d(interval.high, MPFR_RNDN);
        rounded.nearest = low;
        if (low != high) {
            if (std::nextafter(low, high) != high)
                continue;
            doubleMidpoint(low, high, midpoint);
            if (compare(x, midpoint) > 0)
                rounded.nearest = high;
        }
        return rounded;
    }
}

// (u + v sqrt(w)) / z x 10^exponent rounded once, for w >= 0: exactly when w is a square.
Rounded roundRootPart(mpz_srcptr u, long v, mpz_srcptr w, mpz_srcptr z, long exponent) {
    if (mpz_perfect_square_p(w)) {
        Integer numerator;
        mpz_sqrt(numerator, w);
        mpz_mul_si(numerator, numerator, v);
        mpz_add(numerator, numerator, u);
        return roundExact(numerator, z, exponent);
    }
    Surd x;
    mpz_set(x.u, u);
    mpz_set_si(x.v, v);
    mpz_set(x.w, w);
    mpz_set(x.z, z);
    x.exponent = exponent;
    return roundIrrational(x);
}

} // namespace

// --- The equation -----------------------------------------------------------------------------

class Quadratic::Exact {
public:
    // Sorts the equation into its regime, and in the near one works out its integer equation.
    Exact(const runtime::Decimal& a, const runtime::Decimal& b, const runtime::Decimal& c)
        : m_a(a), m_b(b), m_c(c) {
        if (m_a.isZero())
            return;
        if (!m_b.isZero() && !m_c.isZero())
            m_gap = 2 * m_b.top() - (m_a.top() + m_c.top());
        if (regime() == Regime::Near)
            reduce();
    }

    Rounded discriminant() const;
    Roots roots() const;
    // The near regime's integer equation; nothing in the far regimes, or for a = 0.
    const IntegerEquation* integerEquation() const {
        return !m_a.isZero() && regime() == Regime::Near ? &m_integer : nullptr;
    }

private:
    enum class Regime {
        Near,       // b^2 and 4ac within 10^W of each other, or one of them 0
        SquareFar,  // b^2 exceeds |4ac| by more than 10^W
        ProductFar, // |4ac| exceeds b^2 by more than 10^W
    };

    Regime regime() const;
    void reduce();
    Roots nearRoots() const;
    Roots squareFarRoots() const;
    Roots productFarRoots() const;

    Coefficient m_a, m_b, m_c;
    IntegerEquation m_integer; // the near regime's
    long m_gap = 0;            // the decimal exponent of b^2 / |4ac|, give or take two
};

Quadratic::Exact::Regime Quadratic::Exact::regime() const {
    if (m_a.isZero() || m_b.isZero() || m_c.isZero())
        return Regime::Near;
    const long width = 4 * (m_a.digits + m_b.digits + m_c.digits) + 2000;
    if (m_gap > width + 3)
        return Regime::SquareFar;
    if (m_gap < -width - 3)
        return Regime::ProductFar;
    return Regime::Near;
}

void Quadratic::Exact::reduce() {
    // x = 10^s y brings the exponents of a 10^2s, b 10^s and c close together.
    if (!m_c.isZero())
        m_integer.scale = floorHalf(m_c.exponent - m_a.exponent);
    else if (!m_b.isZero())
        m_integer.scale = m_b.exponent - m_a.exponent;
    const long exponents[] = {m_a.exponent + 2 * m_integer.scale, m_b.exponent + m_integer.scale,
                              m_c.exponent};
    const Coefficient* coefficients[] = {&m_a, &m_b, &m_c};
    Integer* integers[] = {&m_integer.a, &m_integer.b, &m_integer.c};
    long common = exponents[0];
    for (int i = 1; i < 3; ++i)
        if (!coefficients[i]->isZero())
            common = std::min(common, exponents[i]);
    for (int i = 0; i < 3; ++i) {
        mpz_set(*integers[i], coefficients[i]->value);
        if (!coefficients[i]->isZero())
            multiplyByPowerOfTen(*integers[i], exponents[i] - common);
    }
    // With D' = B^2 - 4AC of the integer equation, D = D' x 10^(2 common - 2s).
    Integer product;
    mpz_mul(m_integer.discriminant, m_integer.b, m_integer.b);
    mpz_mul(product, m_integer.a, m_integer.c);
    mpz_submul_ui(m_integer.discriminant, product, 4);
    m_integer.discriminantExponent = 2 * common - 2 * m_integer.scale;
}

Rounded Quadratic::Exact::discriminant() const {
    if (m_a.isZero()) {
        // D = b^2, and there are no roots to find.
        Integer square;
        mpz_mul(square, m_b.value, m_b.value);
        return roundExact(square, 2 * m_b.exponent);
    }
    switch (regime()) {
    case Regime::Near:
        return roundExact(m_integer.discriminant, m_integer.discriminantExponent);
    case Regime::SquareFar: {
        // D = b^2 - 4ac: the nudge is the sign of -4ac.
        Integer square;
        mpz_mul(square, m_b.value, m_b.value);
        return roundExact(square, 2 * m_b.exponent, -m_a.sign() * m_c.sign());
    }
    case Regime::ProductFar: {
        // D = -4ac + b^2: the nudge is up.
        Integer product;
        mpz_mul(product, m_a.value, m_c.value);
        mpz_mul_si(product, product, -4);
        return roundExact(product, m_a.exponent + m_c.exponent, 1);
    }
    }
    return {};
}

Roots Quadratic::Exact::roots() const {
    switch (regime()) {
    case Regime::Near:
        return nearRoots();
    case Regime::SquareFar:
        return squareFarRoots();
    case Regime::ProductFar:
        return productFarRoots();
    }
    return {};
}

Roots Quadratic::Exact::nearRoots() const {
    Roots roots;
    Integer twoA, negatedB, zero(0);
    mpz_mul_2exp(twoA, m_integer.a, 1);
    mpz_neg(negatedB, m_integer.b);
    if (signOf(m_integer.discriminant) >= 0) {
        roots.first = roundRootPart(negatedB, 1, m_integer.discriminant, twoA, m_integer.scale);
        roots.second = roundRootPart(negatedB, -1, m_integer.discriminant, twoA, m_integer.scale);
        return roots;
    }
    roots.complex = true;
    roots.re = roundExact(negatedB, twoA, m_integer.scale);
    Integer negatedD;
    mpz_neg(negatedD, m_integer.discriminant);
    roots.im = roundRootPart(zero, 1, negatedD, twoA, m_integer.scale);
    return roots;
}

Roots Quadratic::Exact::squareFarRoots() const {
    // With t = ac/b^2 below 10^-W: the far root is -b/a (1 - t - t^2 - ...), nudged by the sign
    // of bc; the near one is -c/b (1 + t + 2t^2 + ...), nudged by the sign of -ab.
    Integer numerator;
    mpz_neg(numerator, m_b.value);
    const Rounded far =
        roundExact(numerator, m_a.value, m_b.exponent - m_a.exponent, m_b.sign() * m_c.sign());
    mpz_neg(numerator, m_c.value);
    const Rounded near =
        roundExact(numerator, m_b.value, m_c.exponent - m_b.exponent, -m_a.sign() * m_b.sign());
    Roots roots;
    roots.first = m_b.sign() < 0 ? far : near;
    roots.second = m_b.sign() < 0 ? near : far;
    return roots;
}

Roots Quadratic::Exact::productFarRoots() const {
    // |b^2 / 4ac| is below 10^-W. With R = sqrt(|c/a|), the roots are sign(a) R sqrt(1 + s) -
    // b/2a and its mirror when ac < 0, s = b^2 / -4ac, where -b/2a decides the sign of what is
    // added to +-R; the imaginary part is sign(a) R sqrt(1 - s) when ac > 0, pulled towards 0.
    Roots roots;
    roots.complex = m_a.sign() == m_c.sign();
    Scaled square, ratio; // R^2
    mpz_abs(square.numerator, m_c.value);
    mpz_abs(square.denominator, m_a.value);
    square.exponent = m_c.exponent - m_a.exponent;
    const std::optional<Scaled> root = exactSquareRoot(square, ratio);
    const auto rounded = [&](int sign, int nudge) {
        if (root) {
            Integer numerator;
            mpz_mul_si(numerator, root->numerator, sign);
            return roundExact(numerator, root->denominator, root->exponent, nudge);
        }
        // R = sqrt(n d) / d x 10^(e/2) for R^2 = n / d x 10^e: irrational, so R itself lies
        // off every boundary by more than what is added to it.
        Surd x;
        mpz_set_si(x.v, sign);
        mpz_mul(x.w, ratio.numerator, ratio.denominator);
        mpz_set(x.z, ratio.denominator);
        x.exponent = ratio.exponent / 2;
        return roundIrrational(x);
    };
    if (roots.complex) {
        Integer numerator, twoA;
        mpz_neg(numerator, m_b.value);
        mpz_mul_2exp(twoA, m_a.value, 1);
        roots.re = roundExact(numerator, twoA, m_b.exponent - m_a.exponent);
        roots.im = rounded(m_a.sign(), -m_a.sign());
        return roots;
    }
    const int nudge = -m_a.sign() * m_b.sign(); // the sign of -b/2a
    roots.first = rounded(m_a.sign(), nudge);
    roots.second = rounded(-m_a.sign(), nudge);
    return roots;
}

// --- Public ---------------------------------------------------------------------------------

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

Quadratic::Quadratic(const runtime::Decimal& a, const runtime::Decimal& b,
                     const runtime::Decimal& c)
    : m_exact(std::make_unique<Exact>(a, b, c)), m_discriminant(m_exact->discriminant()) {}

Quadratic::~Quadratic() = default;

Roots Quadratic::roots() const {
    return m_exact->roots();
}

const IntegerEquation* Quadratic::integerEquation() const {
    return m_exact->integerEquation();
}

} // namespace solver
