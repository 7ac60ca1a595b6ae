// SPDX-License-Identifier: MIT
// The report of a failed command: one Spanish sentence in the program's message box.
#pragma once

#include "runtime/errors.h"

#include <QString>

class QWidget;

namespace runtime {

// The sentence that reports error, its offending text quoted with quotable().
QString reportText(const Error& error);

// Shows reportText(error) with a warning icon and waits for OK.
void reportError(QWidget* parent, const QString& text);

} // namespace runtime
