// SPDX-License-Identifier: MIT
// The exact values of the results, written as a person would: "(3 + √5)/2", "1/3", "0.3",
// "−1/2 + (√3/2) i"; and beside each, the working that leads to it, as a student writes it.
#pragma once

#include "runtime/number_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace solver {

class Quadratic;

// Longer forms, which coefficients typed with hundreds of digits make, are not written; nor are
// longer lines of working.
inline constexpr std::size_t kLongestExactForm = 200;

// What is said in place of a form longer than kLongestExactForm characters.
std::string tooLongNote();

// A coefficient as typed into its box, and its value.
struct Coefficient {
    std::string text;
    runtime::Number number;
};

struct ExactForms {
    // The first and second roots and the discriminant, as the boxes Text5, Text6 and Text7 show
    // them rounded; nothing where the form would be longer than kLongestExactForm characters.
    std::optional<std::string> first;
    std::optional<std::string> second;
    std::optional<std::string> discriminant;
    // For each, one line of working: the formula, the coefficients put into it as typed (their
    // own digits, with decimalSeparator; negative ones in brackets), the exact values it comes to:
    // "D = b² − 4ac = (−3)² − 4·1·1 = 9 − 4 = 5", "x₁ = (−b + √D)/(2a) = (3 + √5)/(2·1)". Empty
    // where the line would be longer than kLongestExactForm characters, or there is no form.
    std::string firstWorking;
    std::string secondWorking;
    std::string discriminantWorking;
    // The real roots are written as the formula gives them, (−b ± √D)/(2a), over 2a.
    bool rootsOverTwoA = false;
};

// The exact forms for an equation with a != 0 whose coefficients are a, b, c. When every
// coefficient was typed as an integer, rationals are integers or fractions in lowest terms:
// (p ± q√r)/s, 1/3, −1/2 + (√3/2) i. Otherwise a rational part that is a terminating decimal of
// at most 15 significant digits is written as that decimal, with decimalSeparator, and any other
// rational as a fraction. A radicand is an integer without the square factors of the primes
// below 10^6 (trial division), nor a square; signs are the typographic minus U+2212; complex
// roots keep the boxes' order (the first is re + im i with im of the sign of a).
ExactForms exactForms(const Quadratic& equation, const std::array<Coefficient, 3>& coefficients,
                      std::string_view decimalSeparator);

} // namespace solver
