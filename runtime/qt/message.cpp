// SPDX-License-Identifier: MIT
#include "runtime/qt/message.h"

namespace runtime {

void showMessage(QWidget* parent, const QString& text, QMessageBox::Icon icon) {
    QMessageBox box(icon, QString::fromUtf8(kApplicationTitle), text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText); // a quoted coefficient is shown as typed, never as markup
    box.exec();
}

} // namespace runtime
