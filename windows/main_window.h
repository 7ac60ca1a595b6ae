// SPDX-License-Identifier: MIT
// The program's main window: the coefficient boxes, "Calcular" and "Borrar", the results with
// their exact values, the clock panel and the menu bar. The object names of the window, its
// controls and menu items (Form1, Text1 to Text3 and Text5 to Text7, Label1 to Label11, Command1,
// Command2, Frame1 to Frame3, Timer1; arc, cc, acer, aut, como) are the design's own, and the
// tests and the end-to-end checks find the controls by them: renaming one changes an interface.
#pragma once

#include "runtime/qt/clock_text.h"
#include "solver/boxes.h"
#include "solver/calculation.h"

#include <QDateTime>
#include <QMainWindow>

#include <array>
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
class ResolutionWindow;

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
    ResolutionWindow* resolutionWindow() const { return m_resolution.get(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The three steps of making the window.
    void applyDesign();
    void connectCommands();
    void startClock();

    void calculate();
    void clear();
    void tick();
    void showAbout();
    void showHelp();
    void showResolution();
    // The resolution window, where it is open, follows the equation the boxes show.
    void followInResolution();
    // Runs a command; a failure is reported and the window goes on working. While one runs,
    // and so while its message box is open, no other is started: an accessibility "press" on
    // a button behind the box reaches the button all the same.
    void guarded(const std::function<void()>& command);
    // A result box's context menu: Qt's own entries, and "Copiar valor exacto".
    void showResultMenu(solver::ResultBox box, const QPoint& position);

    // solver::Boxes
    std::string text(solver::InputBox box) const override;
    void setText(solver::ResultBox box, const std::string& text) override;
    void setExactValue(solver::ResultBox box, const std::optional<std::string>& form,
                       const std::string& working) override;
    void setResolution(std::shared_ptr<const solver::Resolution> resolution) override;
    void setKind(const std::string& caption) override;
    void showMessage(const std::string& message) override;
    void focusFirstInput() override;
    std::string decimalSeparator() const override;

    std::unique_ptr<Ui::MainWindow> m_ui;
    // The boxes by the calculation's names for them: Text1 to Text3, Text5 to Text7.
    std::array<QLineEdit*, 3> m_inputs{};
    std::array<QLineEdit*, 3> m_results{};
    std::array<QString, 3> m_exactForms; // each result's, empty where it has none
    Clock m_clock;
    Reporter m_messageReporter;
    Reporter m_errorReporter;
    QTimer* m_timer = nullptr;
    runtime::ClockTexts m_clockTexts;
    bool m_commandRunning = false;
    solver::WindowValues m_values;
    std::shared_ptr<const solver::Resolution> m_solved; // the equation the boxes show
    std::unique_ptr<AboutWindow> m_about;
    std::unique_ptr<HelpWindow> m_help;
    std::unique_ptr<ResolutionWindow> m_resolution;
};

} // namespace windows
