// SPDX-License-Identifier: MIT
// Brimel: solves a x^2 + b x + c = 0 in a small window.
#include "windows/application.h"
#include "windows/main_window.h"

#include <QApplication>

#include <iostream>

int main(int argc, char* argv[]) {
    if (const auto exitCode =
            windows::answerInformationOptions({argv, static_cast<std::size_t>(argc)}, std::cout))
        return *exitCode;
    windows::prepareApplication();
    QApplication application(argc, argv);
    if (const auto exitCode = windows::refuseOtherArguments(QApplication::arguments(), std::cerr))
        return *exitCode;
    windows::setUpApplication(application);
    windows::MainWindow window;
    window.show();
    return QApplication::exec();
}
