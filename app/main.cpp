// SPDX-License-Identifier: MIT
// Brimel: solves a x^2 + b x + c = 0 in a small window.
#include "runtime/command_line.h"
#include "windows/application.h"
#include "windows/main_window.h"

#include <QApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char* argv[]) {
    if (const auto exitCode = runtime::handleCommandLine({argv, static_cast<std::size_t>(argc)},
                                                         std::getenv, std::cout, std::cerr))
        return *exitCode;
    windows::prepareApplication();
    QApplication application(argc, argv);
    windows::setUpApplication(application);
    windows::MainWindow window;
    window.show();
    return QApplication::exec();
}
