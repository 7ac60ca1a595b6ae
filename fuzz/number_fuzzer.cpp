// SPDX-License-Identifier: MIT
// number(t) on arbitrary bytes: it accepts or refuses with its own error, never anything else,
// and what it accepts survives the way back through the text a box shows.
#include "fuzz_support.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    double value = 0;
    try {
        value = runtime::toNumber(text);
    } catch (const runtime::Error& error) {
        fuzz::require(error.kind() == runtime::ErrorKind::Conversion ||
                      error.kind() == runtime::ErrorKind::Overflow);
        fuzz::require(error.text() == text);
        fuzz::require(!runtime::describe(error).empty());
        return 0;
    }
    fuzz::require(std::isfinite(value));

    // The round-trip form reads back as the very same double.
    char exact[40];
    std::snprintf(exact, sizeof exact, "%.17g", value);
    fuzz::require(runtime::toNumber(exact) == value ||
                  (value == 0 && runtime::toNumber(exact) == 0));

    for (const char* separator : {".", ","}) {
        // The text a box shows is within half a unit of its 15th digit of the value, and reading
        // it back rounds once more, by at most half a unit in the last place of the result.
        // It then shows the same text again: display is a fixed point.
        const std::string shown = runtime::toText(value, separator);
        fuzz::require(shown != "-0" && shown.find("nan") == std::string::npos &&
                      shown.find("inf") == std::string::npos);
        const double back = runtime::toNumber(shown);
        const double magnitude = std::fabs(value);
        const double ulp = std::nextafter(magnitude, HUGE_VAL) - magnitude;
        fuzz::require(std::fabs(back - value) <= magnitude * 5e-15 + ulp);
        fuzz::require(runtime::toText(back, separator) == shown);
    }
    return 0;
}
