// SPDX-License-Identifier: MIT
// window_speed: the program's own time for "Calcular", from the click to the results written
// into the boxes, in the real main window (offscreen), easy and hard inputs.
#include "windows/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    windows::MainWindow window;
    window.show();
    const struct {
        const char* name;
        const char* a;
        const char* b;
        const char* c;
    } cases[] = {
        {"small integers", "1", "-3", "2"},
        {"complex", "1", "2", "5"},
        {"near-double root", "7778742049", "-25172538050", "20365011074"},
        {"two roots 1 ulp apart", "1", "1.0000000000000002", "0.25000000000000011"},
        {"cancellation", "1e-150", "3e150", "1e-150"},
    };
    constexpr int kRuns = 2000;
    std::printf("%-24s %12s %12s\n", "case", "median us", "max us");
    for (const auto& c : cases) {
        window.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QString::fromLatin1(c.a));
        window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::fromLatin1(c.b));
        window.findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QString::fromLatin1(c.c));
        auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1"));
        std::vector<double> times;
        for (int i = 0; i < kRuns; ++i) {
            QElapsedTimer timer;
            timer.start();
            button->click();
            times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
        }
        std::sort(times.begin(), times.end());
        std::printf("%-24s %12.1f %12.1f\n", c.name, times[times.size() / 2], times.back());
    }
    return 0;
}
