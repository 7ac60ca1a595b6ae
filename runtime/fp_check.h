// SPDX-License-Identifier: MIT
// Floating-point checks on a division, raising the error the IEEE status would show.
#pragma once

#include "runtime/errors.h"

namespace runtime {

// numerator / denominator with the division's own failures: a zero denominator raises
// Error{InvalidOperation} when the numerator is zero or NaN (0/0) and Error{DivisionByZero}
// otherwise; a quotient beyond the double range raises Error{Overflow}.
double checkedQuotient(double numerator, double denominator, Subject subject);

} // namespace runtime
