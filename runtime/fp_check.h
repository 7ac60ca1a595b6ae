// SPDX-License-Identifier: MIT
// Floating-point checks made after each result, raising the error the IEEE status would show.
#pragma once

#include "runtime/errors.h"

namespace runtime {

// Returns value when it is finite. Throws Error{Overflow} for an infinity and
// Error{InvalidOperation} for a NaN, attributed to subject.
double checked(double value, Subject subject);

// numerator / denominator with the division's own failures: a zero denominator raises
// Error{InvalidOperation} when the numerator is zero or NaN (0/0) and Error{DivisionByZero}
// otherwise; a quotient beyond the double range raises Error{Overflow}.
double checkedQuotient(double numerator, double denominator, Subject subject);

} // namespace runtime
