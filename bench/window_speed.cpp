// SPDX-License-Identifier: MIT
// window_speed: the program's own time for "Calcular", from the click to the results written
// into the boxes, in the real main window (offscreen), easy and hard inputs. The cases take
// turns over several rounds, so that a busy moment of the machine falls on all of them; each
// line gives the median over every click and the lowest median of a round. Then the window
// "Resolución": opening it the first time and later, a Calcular while it is open, and one
// repaint of its graph at 1920×1080.
#include "windows/main_window.h"
#include "windows/parabola_view.h"
#include "windows/resolution_window.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

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
        {"decimals, double root", "1", "-0,6", "0,09"},
        {"decimals, irrational", "2", "0,5", "-0,3"},
        {"near-double root", "7778742049", "-25172538050", "20365011074"},
        {"17 digits, nearly real", "1", "1.0000000000000002", "0.25000000000000011"},
        {"cancellation", "1e-150", "3e150", "1e-150"},
    };
    constexpr int kRounds = 5;
    constexpr int kClicks = 500;
    auto* button = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    std::vector<std::vector<double>> all(std::size(cases));
    std::vector<std::vector<double>> roundMedians(std::size(cases));
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            window.findChild<QLineEdit*>(QStringLiteral("Text1"))
                ->setText(QString::fromLatin1(cases[i].a));
            window.findChild<QLineEdit*>(QStringLiteral("Text2"))
                ->setText(QString::fromLatin1(cases[i].b));
            window.findChild<QLineEdit*>(QStringLiteral("Text3"))
                ->setText(QString::fromLatin1(cases[i].c));
            std::vector<double> times;
            for (int click = 0; click < kClicks; ++click) {
                QElapsedTimer timer;
                timer.start();
                button->click();
                times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1000.0);
            }
            roundMedians[i].push_back(median(times));
            all[i].insert(all[i].end(), times.begin(), times.end());
        }
    }
    std::printf("%-24s %12s %12s %12s\n", "case", "median us", "best round", "max us");
    for (std::size_t i = 0; i < std::size(cases); ++i)
        std::printf("%-24s %12.1f %12.1f %12.1f\n", cases[i].name, median(all[i]),
                    *std::min_element(roundMedians[i].begin(), roundMedians[i].end()),
                    *std::max_element(all[i].begin(), all[i].end()));

    // The window "Resolución", for 1, -3, 1.
    const auto microseconds = [](const QElapsedTimer& timer) {
        return static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    };
    window.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("1"));
    window.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("-3"));
    window.findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("1"));
    button->click();
    auto* open = window.findChild<QAction*>(QStringLiteral("showResolution"));
    QElapsedTimer first;
    first.start();
    open->trigger();
    window.resolutionWindow()->repaint(); // drawn, not only asked to be
    const double firstOpen = microseconds(first);
    std::vector<double> opens, clicks, repaints;
    for (int i = 0; i < 50; ++i) {
        window.resolutionWindow()->close();
        QElapsedTimer timer;
        timer.start();
        open->trigger();
        window.resolutionWindow()->repaint();
        opens.push_back(microseconds(timer));
    }
    for (int i = 0; i < kClicks; ++i) {
        QElapsedTimer timer;
        timer.start();
        button->click();
        clicks.push_back(microseconds(timer));
    }
    QImage screen(1920, 1080, QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer timer;
        timer.start();
        QPainter painter(&screen);
        window.resolutionWindow()->graph()->paint(painter, QRectF(0, 0, 1920, 1080));
        painter.end();
        repaints.push_back(microseconds(timer));
    }
    std::printf("\nResolución, 1, -3, 1:\n");
    std::printf("%-40s %12.1f\n", "open the first time, us", firstOpen);
    std::printf("%-40s %12.1f\n", "open again, median us", median(opens));
    std::printf("%-40s %12.1f\n", "Calcular while open, median us", median(clicks));
    std::printf("%-40s %12.1f\n", "repaint the graph at 1920x1080, median us", median(repaints));
    return 0;
}
