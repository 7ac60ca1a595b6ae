// SPDX-License-Identifier: MIT
// The "Calcular" command: read a, b, c, then show the discriminant, the roots and their kind.
#pragma once

#include "solver/boxes.h"
#include "solver/quadratic.h"

#include <optional>

namespace solver {

// The window-level values, the doubles nearest to the exact a, b, c and discriminant: zero at
// start, changed only by calculate().
struct WindowValues {
    double a = 0;
    double b = 0;
    double c = 0;
    double discriminant = 0;
};

// Runs the command against boxes, keeping values up to date.
//
// The equation solved is the one typed: each text's exact decimal value. An empty box shows
// runtime::texts::kEmptyBoxMessage and changes nothing. Otherwise each coefficient is stored right
// after its conversion and the discriminant right after it is computed; then either every result
// box and the label are written with the exact forms of the boxes' numbers, or none is. Throws
// runtime::Error: Conversion or Overflow for a coefficient (attributed to it), Overflow for a
// discriminant or root part beyond the double range, InvalidOperation or DivisionByZero (see
// Quadratic::roots()) for a text whose value is exactly 0 in the box for a. The focus returns to
// the box for a unless an error was thrown. Returns the roots shown, or nothing after the message.
std::optional<Roots> calculate(Boxes& boxes, WindowValues& values);

} // namespace solver
