// SPDX-License-Identifier: MIT
// What the fuzz targets share.
#pragma once

#include <cstdlib>

namespace fuzz {

// Aborts, so the fuzzer records the input, when a property does not hold.
inline void require(bool holds) {
    if (!holds)
        std::abort();
}

} // namespace fuzz
