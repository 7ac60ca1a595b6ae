// SPDX-License-Identifier: MIT
// Reads an exact form as a person would ("(3 + √5)/2", "−1/2 + (√3/2) i", "0.04√62"), and the
// working beside it, and evaluates them with MPFR, on its own: it shares no code with the
// program that writes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace formreader {

// The value of a form, re + im i, each rounded to 15 significant digits and written the way the
// boxes write numbers (with "." as separator); nothing when the form is not one this reader
// knows, or when its value lies too near a rounding boundary to round at the precision used.
struct Value {
    std::string re;
    std::string im;
};
std::optional<Value> evaluate(const std::string& form);

// Reads a line of working ("D = b² − 4ac = (−3)² − 4·1·1 = 9 − 4 = 5"): the value of each
// expression in numbers that it sets equal, in order (the formula in letters is not read);
// nothing when one cannot be read.
std::optional<std::vector<Value>> evaluateWorking(const std::string& line);

} // namespace formreader
