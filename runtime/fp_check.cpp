// SPDX-License-Identifier: MIT
#include "runtime/fp_check.h"

#include <cmath>

namespace runtime {
namespace {

// value when it is finite; Error{Overflow} for an infinity, Error{InvalidOperation} for a NaN.
double checked(double value, Subject subject) {
    if (std::isnan(value))
        throw Error(ErrorKind::InvalidOperation, subject);
    if (std::isinf(value))
        throw Error(ErrorKind::Overflow, subject);
    return value;
}

} // namespace

double checkedQuotient(double numerator, double denominator, Subject subject) {
    if (denominator == 0) {
        const bool indeterminate = numerator == 0 || std::isnan(numerator);
        throw Error(indeterminate ? ErrorKind::InvalidOperation : ErrorKind::DivisionByZero,
                    subject);
    }
    return checked(numerator / denominator, subject);
}

} // namespace runtime
