// SPDX-License-Identifier: MIT
// The floating-point check after each result: the error its IEEE status would raise.
#pragma once

#include "runtime/errors.h"

namespace runtime {

// Returns when nearest, the double nearest to an exact result, is finite; throws
// Error{Overflow, subject} for an infinity: the result is beyond the double range. (The nearest
// double of an exact value is never a NaN.)
void checkFinite(double nearest, Subject subject);

} // namespace runtime
