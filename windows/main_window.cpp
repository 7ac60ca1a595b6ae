// SPDX-License-Identifier: MIT
#include "windows/main_window.h"

#include "runtime/error_report.h"
#include "runtime/locale_text.h"
#include "runtime/message.h"
#include "runtime/program_identity.h"
#include "runtime/shown_text.h"
#include "runtime/texts.h"
#include "ui_main_window.h"
#include "windows/about_window.h"
#include "windows/design.h"
#include "windows/help_window.h"
#include "windows/icons.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QTimer>

#include <algorithm>

namespace windows {

namespace {

constexpr int kTickInterval = 1000; // ms
// The client area's corner on the screen, as designed: 2925, 2325 twips.
constexpr QPoint kClientOrigin(195, 155);

template <typename Window> void showKept(std::unique_ptr<Window>& window) {
    if (!window)
        window = std::make_unique<Window>(); // no parent: a top-level window of its own
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : MainWindow(&QDateTime::currentDateTime, parent) {}

MainWindow::MainWindow(Clock clock, QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::MainWindow), m_clock(std::move(clock)),
      m_clockTexts(locale()) {
    m_ui->setupUi(this);
    setWindowTitle(
        QStringLiteral("Brimel %1   por Vorno").arg(QString::fromUtf8(runtime::kShortVersionText)));
    applyDesignFonts(this);
    removeSizeButtons(this);
    // The design's images now, the larger ones once the window has drawn its first frame: on X11
    // every image is sent to the window system when it is set, and the largest take longer to
    // read than the rest of the window takes to draw.
    setWindowIcon(designIcon());
    m_ui->centralwidget->installEventFilter(this);

    for (QLabel* label : {m_ui->Label4, m_ui->Label10, m_ui->Label11}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, palette.color(QPalette::HighlightedText));
        label->setPalette(palette);
    }
    m_ui->Label6->adjustSize();
    m_ui->Label7->adjustSize();
    // Labels are opaque, the window's dark grey behind their text, as designed. One that
    // changes then repaints alone: the clock's every second would otherwise redraw the frame
    // behind it, its border and its title, which costs more than the time itself.
    for (QLabel* label : findChildren<QLabel*>())
        label->setAutoFillBackground(true);

    // The design's client area excludes the menu bar, so the window grows by its height: the
    // height the window's layout gives it, which for Windows' own style is its height for the
    // window's width, a pixel more than its size hint.
    const int menuHeight = std::max(menuBar()->sizeHint().height(),
                                    menuBar()->heightForWidth(m_ui->centralwidget->minimumWidth()));
    const QSize client = m_ui->centralwidget->minimumSize();
    setFixedSize(client.width(), client.height() + menuHeight);
    setGeometry(QRect(kClientOrigin - QPoint(0, menuHeight), size()));

    m_messageReporter = [this](const QString& text) { runtime::showMessage(this, text); };
    m_errorReporter = [this](const QString& text) { runtime::reportError(this, text); };

    connect(m_ui->Command1, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(m_ui->Command2, &QPushButton::clicked, this, &MainWindow::clear);
    pressOnReturn(m_ui->Command1);
    pressOnReturn(m_ui->Command2);
    for (QLineEdit* input : {m_ui->Text1, m_ui->Text2, m_ui->Text3})
        connect(input, &QLineEdit::returnPressed, this, &MainWindow::calculate);
    connect(m_ui->cc, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->aut, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_ui->como, &QAction::triggered, this, &MainWindow::showHelp);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    // F10 opens the menu bar from the keyboard, where the platform's style does not already.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_ui->arc->menuAction()); });

    m_ui->Label11->setText(m_clockTexts.date(m_clock().date()));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(kTickInterval);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
    m_timer->start();

    m_ui->Command1->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::setMessageReporter(Reporter reporter) {
    m_messageReporter = std::move(reporter);
}

void MainWindow::setErrorReporter(Reporter reporter) {
    m_errorReporter = std::move(reporter);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->centralwidget && event->type() == QEvent::Paint) {
        m_ui->centralwidget->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { setWindowIcon(programIcon(windowIcon())); });
        return false;
    }
    // A text box claims Ctrl+A (select all) and Ctrl+C (copy) before the menu sees them. The
    // menu's keys win here, except that Ctrl+C still copies a selection: closing the window on
    // the copy keystroke would throw away the results being copied.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        const auto* box = qobject_cast<QLineEdit*>(watched);
        const bool copying = pressed == m_ui->cc->shortcut() && box && box->hasSelectedText();
        const bool menuKey = pressed == m_ui->cc->shortcut() || pressed == m_ui->aut->shortcut() ||
                             pressed == m_ui->como->shortcut();
        if (menuKey && !copying) {
            event->ignore(); // not overridden: the shortcut goes to the menu
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::guarded(const std::function<void()>& command) {
    if (m_commandRunning)
        return;
    const QScopedValueRollback running(m_commandRunning, true);
    try {
        command();
    } catch (const runtime::Error& error) {
        m_errorReporter(runtime::reportText(error));
    } catch (const std::exception&) {
        m_errorReporter(runtime::translated(runtime::texts::kInternalError));
    }
}

void MainWindow::calculate() {
    guarded([this] { solver::calculate(*this, m_values); });
}

void MainWindow::clear() {
    guarded([this] {
        for (QLineEdit* box :
             {m_ui->Text1, m_ui->Text2, m_ui->Text3, m_ui->Text5, m_ui->Text6, m_ui->Text7})
            box->clear();
        // An exact value goes with the number it describes.
        for (solver::ResultBox box :
             {solver::ResultBox::Text5, solver::ResultBox::Text6, solver::ResultBox::Text7})
            setExactForm(box, {});
        focusFirstInput();
    });
}

void MainWindow::tick() {
    const QDateTime now = m_clock();
    m_ui->Label10->setText(m_clockTexts.time(now.time()));
    // Aim the next tick at the middle of the next second, so timer jitter never makes the
    // clock skip a second or show one twice. The first tick comes one full interval after load.
    m_timer->setInterval(kTickInterval + kTickInterval / 2 - now.time().msec());
}

void MainWindow::showAbout() {
    guarded([this] { showKept(m_about); });
}

void MainWindow::showHelp() {
    guarded([this] { showKept(m_help); });
}

std::string MainWindow::text(solver::InputBox box) const {
    switch (box) {
    case solver::InputBox::Text1:
        return m_ui->Text1->text().toStdString();
    case solver::InputBox::Text2:
        return m_ui->Text2->text().toStdString();
    case solver::InputBox::Text3:
        return m_ui->Text3->text().toStdString();
    }
    return {};
}

QLineEdit* MainWindow::resultBox(solver::ResultBox box) const {
    switch (box) {
    case solver::ResultBox::Text5:
        return m_ui->Text5;
    case solver::ResultBox::Text6:
        return m_ui->Text6;
    case solver::ResultBox::Text7:
        return m_ui->Text7;
    }
    return nullptr;
}

void MainWindow::setText(solver::ResultBox box, const std::string& text) {
    resultBox(box)->setText(QString::fromStdString(text));
}

void MainWindow::setExactForm(solver::ResultBox box, const std::string& form) {
    // Shown on hovering, and read by a screen reader as the box's description.
    const QString description =
        form.empty() ? QString()
                     : runtime::translated(runtime::texts::kExactValue, runtime::translated(form));
    QLineEdit* target = resultBox(box);
    target->setToolTip(description);
    target->setAccessibleDescription(description);
}

void MainWindow::setKind(const std::string& caption) {
    m_ui->Label1->setText(runtime::translated(caption));
}

void MainWindow::showMessage(const std::string& message) {
    m_messageReporter(runtime::translated(message));
}

void MainWindow::focusFirstInput() {
    m_ui->Text1->setFocus();
}

std::string MainWindow::decimalSeparator() const {
    return runtime::decimalSeparator(locale());
}

} // namespace windows
