// SPDX-License-Identifier: MIT
// The program's message box: modal, titled with the application's title, an OK button only.
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace runtime {

inline constexpr char kApplicationTitle[] = "Brimel";

// Blocks until the user dismisses the box.
void showMessage(QWidget* parent, const QString& text,
                 QMessageBox::Icon icon = QMessageBox::NoIcon);

} // namespace runtime
