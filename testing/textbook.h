// SPDX-License-Identifier: MIT
// The textbook formulas in doubles, as most programs solve a quadratic: the baseline that the
// benchmarks hold the program's exact calculation against.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

namespace textbook {

struct Solution {
    double discriminant = 0;
    bool complex = false;
    double first = 0, second = 0; // real: (-b +- sqrt(D)) / 2a
    double re = 0, im = 0;        // complex: -b / 2a, sqrt(-D) / 2a
};

inline Solution solve(double a, double b, double c) {
    Solution solution;
    solution.discriminant = b * b - 4 * a * c;
    solution.complex = solution.discriminant < 0;
    if (solution.complex) {
        solution.re = -b / (2 * a);
        solution.im = std::sqrt(-solution.discriminant) / (2 * a);
    } else {
        solution.first = (-b + std::sqrt(solution.discriminant)) / (2 * a);
        solution.second = (-b - std::sqrt(solution.discriminant)) / (2 * a);
    }
    return solution;
}

// A finite double as a box shows a number, as most programs would write it: the double
// rounded once to 15 significant digits (ties to even), then the window's display rules
// (runtime::formatDecimal). Requires a finite value.
std::string shown(double value, std::string_view decimalSeparator = ".");

} // namespace textbook
