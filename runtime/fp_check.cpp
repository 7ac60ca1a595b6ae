// SPDX-License-Identifier: MIT
#include "runtime/fp_check.h"

#include <cmath>

namespace runtime {

void checkFinite(double nearest, Subject subject) {
    if (std::isinf(nearest))
        throw Error(ErrorKind::Overflow, subject);
}

} // namespace runtime
