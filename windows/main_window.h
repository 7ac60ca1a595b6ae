// SPDX-License-Identifier: MIT
// The program's main window: the coefficient boxes, "Calcular" and "Borrar", the results, the
// clock panel and the menu bar.
#pragma once

#include "runtime/clock_text.h"
#include "solver/boxes.h"
#include "solver/calculation.h"

#include <QDateTime>
#include <QMainWindow>

#include <functional>
#include <memory>

class QLineEdit;
class QTimer;

namespace Ui {
class MainWindow;
}

namespace windows {

class AboutWindow;
class HelpWindow;

class MainWindow : public QMainWindow, private solver::Boxes {
    Q_OBJECT

public:
    // Shows a text to the user and returns once it has been read; tests replace it.
    using Reporter = std::function<void(const QString&)>;
    // Where the clock panel reads the date and time; tests replace it.
    using Clock = std::function<QDateTime()>;

    explicit MainWindow(QWidget* parent = nullptr);
    explicit MainWindow(Clock clock, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setMessageReporter(Reporter reporter);
    void setErrorReporter(Reporter reporter);

    // The window-level a, b, c and discriminant of the last calculation.
    const solver::WindowValues& windowValues() const { return m_values; }

    // The secondary windows, or nullptr before their menu command was first used.
    AboutWindow* aboutWindow() const { return m_about.get(); }
    HelpWindow* helpWindow() const { return m_help.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void calculate();
    void clear();
    void tick();
    void showAbout();
    void showHelp();
    // Runs a command; a failure is reported and the window goes on working. While one runs,
    // and so while its message box is open, no other is started: an accessibility "press" on
    // a button behind the box reaches the button all the same.
    void guarded(const std::function<void()>& command);
    QLineEdit* resultBox(solver::ResultBox box) const;

    // solver::Boxes
    std::string text(solver::InputBox box) const override;
    void setText(solver::ResultBox box, const std::string& text) override;
    void setExactForm(solver::ResultBox box, const std::string& form) override;
    void setKind(const std::string& caption) override;
    void showMessage(const std::string& message) override;
    void focusFirstInput() override;
    std::string decimalSeparator() const override;

    std::unique_ptr<Ui::MainWindow> m_ui;
    Clock m_clock;
    Reporter m_messageReporter;
    Reporter m_errorReporter;
    QTimer* m_timer = nullptr;
    runtime::ClockTexts m_clockTexts;
    bool m_commandRunning = false;
    solver::WindowValues m_values;
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<HelpWindow> m_help;
};

} // namespace windows
