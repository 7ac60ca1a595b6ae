// SPDX-License-Identifier: MIT
// The exact values of the results, written as a person would: "(3 + √5)/2", "1/3", "0.3",
// "−1/2 + (√3/2) i".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace solver {

class Quadratic;

// Longer forms, which coefficients typed with hundreds of digits make, are not written.
inline constexpr std::size_t kLongestExactForm = 200;

struct ExactForms {
    // The first and second roots and the discriminant, as the boxes Text5, Text6 and Text7 show
    // them rounded; nothing where the form would be longer than kLongestExactForm characters.
    std::optional<std::string> first;
    std::optional<std::string> second;
    std::optional<std::string> discriminant;
};

// The exact forms for an equation with a != 0. When integersTyped (every coefficient was written
// as an integer), rationals are integers or fractions in lowest terms: (p ± q√r)/s, 1/3,
// −1/2 + (√3/2) i. Otherwise a rational part that is a terminating decimal of at most 15
// significant digits is written as that decimal, with decimalSeparator, and any other rational as
// a fraction. A radicand is an integer without square factors up to 10^12 (trial division by the
// primes below 10^6, then a cofactor that is a square); signs are the typographic minus U+2212;
// complex roots keep the boxes' order (the first is re + im i with im of the sign of a).
ExactForms exactForms(const Quadratic& equation, bool integersTyped,
                      std::string_view decimalSeparator);

} // namespace solver
