// SPDX-License-Identifier: MIT
#include "solver/plot_view.h"

#include "runtime/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace solver {
namespace {

constexpr double kLargest = std::numeric_limits<double>::max();
// No narrower than this part of the coordinates (a pixel is then still some 50 doubles wide),
// nor than a normal double.
constexpr double kNarrowest = 1e-12;
constexpr double kSmallestSpan = 1e-300;
// The y axis and the y-intercept are taken in unless that widens the view more than this.
constexpr double kWidening = 10;
constexpr int kSamples = 128;

// A range kept as its centre and half its width, which never overflow where the ends would.
struct Span {
    double centre = 0;
    double half = 0;

    static Span of(double low, double high) { return {low / 2 + high / 2, high / 2 - low / 2}; }
    // Wide enough to place a pixel, at least the narrowest, and within the doubles.
    Span readable() const {
        Span span = *this;
        span.half = std::max({span.half, kNarrowest * std::fabs(centre), kSmallestSpan});
        span.half = std::min(span.half, kLargest - std::fabs(span.centre));
        return span;
    }
    Span widened(double fraction) const {
        Span span = *this;
        const double room = kLargest - std::fabs(centre);
        span.half = std::min(half * (1 + 2 * fraction), std::max(room, half));
        return span;
    }
    Range range() const { return {centre - half, centre + half}; }
};

// The width at which y = a x² rises as much as it runs: 1/|a|, within the doubles.
double naturalHalfWidth(const Curve& curve) {
    const double half = std::exp(-curve.logMagnitude / 2);
    return std::clamp(half, 1e-150, 1e150);
}

} // namespace

double Curve::at(double x) const {
    double logarithm = 0;
    int side = sign;
    if (real) {
        logarithm = std::log(std::fabs(x - first)) + std::log(std::fabs(x - second));
        // Between the roots the product of x − x₁ and x − x₂ is negative.
        if ((x < first) != (x < second) && x != first && x != second)
            side = -side;
    } else {
        logarithm = 2 * std::log(std::hypot(x - first, second));
    }
    return side * std::exp(logMagnitude + logarithm);
}

ChosenView chooseView(const Curve& curve, double vertexX, std::span<const PlotPoint> points) {
    // The parabola's own neighbourhood.
    Span own;
    if (curve.real && curve.first != curve.second) {
        own = Span::of(std::min(curve.first, curve.second), std::max(curve.first, curve.second));
    } else {
        own.centre = vertexX;
        own.half = curve.real ? 0 : 2 * std::fabs(curve.second);
        if (own.half == 0 || !std::isfinite(own.half))
            own.half = vertexX != 0 ? std::fabs(vertexX) : naturalHalfWidth(curve);
    }
    // With the y axis, where it stays readable.
    const Range ownRange = own.range();
    const Span withAxis = Span::of(std::min(ownRange.low, 0.0), std::max(ownRange.high, 0.0));
    Span x = withAxis.half <= kWidening * own.half ? withAxis : own;
    x = x.widened(kMargin).readable();

    // Vertically: the curve over that width, the x axis, and the points that fit in it.
    const Range xRange = x.range();
    double low = 0, high = 0;
    const auto take = [&](double y) {
        if (std::isfinite(y)) {
            low = std::min(low, y);
            high = std::max(high, y);
        }
    };
    for (int i = 0; i <= kSamples; ++i)
        take(curve.at(xRange.low + (xRange.high - xRange.low) / kSamples * i));
    if (xRange.contains(vertexX))
        take(curve.at(vertexX));
    for (const PlotPoint& point : points)
        if (std::isfinite(point.x) && xRange.contains(point.x))
            take(point.y);
    Span y = Span::of(low, high);
    if (y.half == 0)
        y.half = x.half;
    y = y.widened(kMargin).readable();

    ChosenView chosen{{xRange, y.range()}, {}};
    for (std::size_t i = 0; i < points.size(); ++i)
        if (!chosen.view.x.contains(points[i].x) || !chosen.view.y.contains(points[i].y))
            chosen.outside.push_back(i);
    return chosen;
}

Ticks ticks(Range range, std::string_view decimalSeparator) {
    // The largest step of 1, 2 or 5 × 10^k that the range holds at least four times: the next
    // larger one is at most 2.5 times as large, so the range holds this one fewer than ten
    // times. The ticks are counted as they are made, so that rounding cannot cheat the count.
    Ticks result;
    const double quarter = (range.high / 2 - range.low / 2) / 2;
    if (!(quarter > 0) || !std::isfinite(quarter))
        return result;
    const int top = static_cast<int>(std::floor(std::log10(quarter))) + 1;
    std::int64_t first = 0, last = -1;
    for (int exponent = top; exponent >= top - 2 && last - first + 1 < 4; --exponent) {
        for (const int mantissa : {5, 2, 1}) {
            const double step = mantissa * std::pow(10.0, exponent);
            const double from = std::ceil(range.low / step), to = std::floor(range.high / step);
            // Beyond this the ticks would not be told apart in doubles.
            if (std::fabs(from) > 1e15 || std::fabs(to) > 1e15)
                return result;
            first = static_cast<std::int64_t>(from);
            last = static_cast<std::int64_t>(to);
            result.mantissa = mantissa;
            result.exponent = exponent;
            if (last - first + 1 >= 4)
                break;
        }
    }
    for (std::int64_t k = first; k <= last; ++k) {
        // k × mantissa × 10^exponent, placed and labelled from its exact digits.
        const std::int64_t units = k * result.mantissa;
        const std::string digits = std::to_string(units < 0 ? -units : units);
        const std::string written = std::to_string(units) + "e" + std::to_string(result.exponent);
        double at = 0;
        std::from_chars(written.data(), written.data() + written.size(), at);
        result.at.push_back(at);
        result.labels.push_back(runtime::typographic(runtime::formatDecimal(
            units < 0, digits, result.exponent + static_cast<long>(digits.size()) - 1,
            decimalSeparator)));
    }
    return result;
}

} // namespace solver
