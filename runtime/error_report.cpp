// SPDX-License-Identifier: MIT
#include "runtime/error_report.h"

#include "runtime/message.h"

namespace runtime {

QString reportText(const Error& error) {
    return QString::fromStdString(describe(error));
}

void reportError(QWidget* parent, const QString& text) {
    showMessage(parent, text, QMessageBox::Warning);
}

} // namespace runtime
