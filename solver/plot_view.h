// SPDX-License-Identifier: MIT
// The graph of y = a x² + b x + c in doubles: the curve, which part of the plane to show so
// that its marked points can be read, and the ticks of an axis. Pure functions, no drawing.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace solver {

// y = a (x − x₁)(x − x₂) for real roots, y = a ((x − h)² + m²) for complex ones h ± m i,
// evaluated through logarithms so that no product overflows on the way: a value beyond the
// doubles is ±infinity, never NaN.
struct Curve {
    bool real = true;
    int sign = 1;            // of a
    double logMagnitude = 0; // ln |a|, exact however far below the doubles a lies
    double first = 0;        // x₁, or h
    double second = 0;       // x₂, or m
    double at(double x) const;
};

struct Range {
    double low = 0;
    double high = 1;
    bool contains(double value) const { return value >= low && value <= high; }
};

struct View {
    Range x;
    Range y;
};

struct PlotPoint {
    double x = 0;
    double y = 0;
};

// The view chosen for a parabola: every point that fits, and which do not (by index).
struct ChosenView {
    View view;
    std::vector<std::size_t> outside;
};

// The part of the plane where the parabola's points can be read: its own neighbourhood (the
// real roots with the vertex between them, or for complex roots twice the imaginary part on
// either side of the vertex), widened to take in the y axis and the y-intercept unless that
// makes it more than ten times as wide; vertically, the curve over that width, the x axis and
// the points that fit, each side with a margin of kMargin of the span. points are the roots
// (real ones only), the vertex and the y-intercept; a point that is not a finite double or
// does not fit is listed outside. Coordinates stay within the doubles, and the span is never
// narrower than 10^-12 of the coordinates, so that a pixel still tells points apart.
ChosenView chooseView(const Curve& curve, double vertexX, std::span<const PlotPoint> points);

inline constexpr double kMargin = 0.08;

// Ticks on an axis: 4 to 10 of them, one step of 1, 2 or 5 × 10^k apart, each labelled exactly
// with decimalSeparator and the typographic minus ("−0,5", "2E+20").
struct Ticks {
    int mantissa = 1; // the step: mantissa × 10^exponent
    int exponent = 0;
    std::vector<double> at;
    std::vector<std::string> labels;
};
Ticks ticks(Range range, std::string_view decimalSeparator);

} // namespace solver
