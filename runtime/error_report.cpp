// SPDX-License-Identifier: MIT
#include "runtime/error_report.h"

#include "runtime/message.h"
#include "runtime/shown_text.h"
#include "runtime/texts.h"

namespace runtime {

QString reportText(const Error& error) {
    return translated(texts::errorSentence(error.kind(), error.subject()),
                      quotable(QString::fromStdString(error.text())));
}

void reportError(QWidget* parent, const QString& text) {
    showMessage(parent, text, QMessageBox::Warning);
}

} // namespace runtime
