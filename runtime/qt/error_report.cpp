// SPDX-License-Identifier: MIT
#include "runtime/qt/error_report.h"

#include "runtime/qt/message.h"
#include "runtime/qt/shown_text.h"
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
