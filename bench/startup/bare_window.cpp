// SPDX-License-Identifier: MIT
// The baseline for the start-up benchmark: a bare Qt Widgets window of Brimel's size, with as
// many widgets of the same kinds, a menu bar and a one-second timer that updates one label, and
// nothing else (no forms, no fonts of its own, no calculation).
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTime>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    auto* client = new QWidget;
    client->setFixedSize(399, 199);
    window.setCentralWidget(client);
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("Archivo"));
    file->addAction(QStringLiteral("Cerrar"), &window, &QWidget::close);
    QMenu* about = window.menuBar()->addMenu(QStringLiteral("Acerca de.."));
    about->addAction(QStringLiteral("del Autor"));
    about->addAction(QStringLiteral("¿Cómo funciona?"));

    QLabel* clock = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* frame = new QGroupBox(QStringLiteral("Frame"), client);
        frame->setGeometry(16 + 120 * i, 56, 110, 105);
        for (int j = 0; j < 3; ++j)
            clock = new QLabel(QStringLiteral("x="), frame);
    }
    for (int i = 0; i < 2; ++i)
        new QLabel(QStringLiteral("Texto"), client);
    for (int i = 0; i < 6; ++i)
        (new QLineEdit(client))->setGeometry(40 + 60 * i, 170, 50, 19);
    for (int i = 0; i < 2; ++i)
        (new QPushButton(QStringLiteral("Botón"), client))->setGeometry(10 + 80 * i, 5, 73, 25);
    clock->setGeometry(8, 16, 65, 17);

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, clock,
                     [clock] { clock->setText(QTime::currentTime().toString()); });
    timer.start(1000);
    window.setFixedSize(window.sizeHint());
    window.show();
    return QApplication::exec();
}
