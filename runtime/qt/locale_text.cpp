// SPDX-License-Identifier: MIT
#include "runtime/qt/locale_text.h"

namespace runtime {

std::string decimalSeparator(const QLocale& locale) {
    return locale.decimalPoint().toStdString();
}

} // namespace runtime
