// SPDX-License-Identifier: MIT
// What the Qt-free conversions need to know of the user's locale.
#pragma once

#include <QLocale>

#include <string>

namespace runtime {

// The decimal separator as UTF-8, "," under a Spanish locale and "." under C or English.
std::string decimalSeparator(const QLocale& locale = QLocale());

} // namespace runtime
