// SPDX-License-Identifier: MIT
#include "textbook.h"

#include "runtime/number_text.h"

#include <charconv>

namespace textbook {

std::string shown(double value, std::string_view decimalSeparator) {
    if (value == 0)
        return "0";
    // std::to_chars rounds correctly to the 15 digits asked for, "d.dddddddddddddde+XXX", and
    // unlike printf it follows no locale.
    char buffer[40];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(printed.ptr - buffer));
    const auto e = text.find('e');
    std::string digits;
    digits += text.front();
    digits += text.substr(2, e - 2);
    long exponent = 0;
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    return runtime::formatDecimal(std::signbit(value), digits, exponent, decimalSeparator);
}

} // namespace textbook
