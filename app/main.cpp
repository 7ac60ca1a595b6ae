// SPDX-License-Identifier: MIT
// Brimel: solves a x^2 + b x + c = 0 in a small window.
#include "windows/main_window.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brimel"));
    QApplication::setApplicationVersion(QStringLiteral(BRIMEL_VERSION));
    windows::MainWindow window;
    window.show();
    return QApplication::exec();
}
