// SPDX-License-Identifier: MIT
#include "windows/main_window.h"

#include "runtime/program_identity.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/locale_text.h"
#include "runtime/qt/message.h"
#include "runtime/qt/shown_text.h"
#include "runtime/texts.h"
#include "solver/exact_form.h"
#include "ui_main_window.h"
#include "windows/about_window.h"
#include "windows/design.h"
#include "windows/help_window.h"
#include "windows/icons.h"
#include "windows/resolution_window.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>

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

// A text box claims Ctrl+A (select all) and Ctrl+C (copy) before the menu sees them. The menu's
// keys win here, except that Ctrl+C still copies a selection: closing the window on the copy
// keystroke would throw away the results being copied.
class MenuKeysFirst : public QObject {
public:
    MenuKeysFirst(QAction* close, QList<QAction*> others, QObject* parent)
        : QObject(parent), m_close(close), m_others(std::move(others)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        const auto* box = qobject_cast<QLineEdit*>(watched);
        const bool closing = pressed == m_close->shortcut();
        if (closing && box && box->hasSelectedText())
            return false; // a copy
        const bool menuKey = closing || std::any_of(m_others.begin(), m_others.end(), [&](auto* a) {
                                 return pressed == a->shortcut();
                             });
        if (!menuKey)
            return false;
        event->ignore(); // not overridden: the shortcut goes to the menu
        return true;
    }

private:
    QAction* m_close;
    QList<QAction*> m_others;
};

// A result box shows its exact value on taking the keyboard focus, as the mouse's tooltip, and
// hides it on losing it; Shift+F10 opens its context menu, as the Menu key does. Qt's tooltip
// hides itself on every key release and mouse button: the Tab or the click that brought the
// focus shows it again.
class ResultBoxKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = static_cast<QLineEdit*>(watched);
        switch (event->type()) {
        case QEvent::FocusIn:
            // Qt hands the focus event to the style as well, after the box, and the tooltip
            // hides itself on any focus event: it is shown once that is done.
            QTimer::singleShot(0, box, [box] { showExactValue(box); });
            return false;
        case QEvent::MouseButtonRelease:
            showExactValue(box);
            return false;
        case QEvent::KeyRelease: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
                showExactValue(box);
            return false;
        }
        case QEvent::FocusOut:
            QToolTip::hideText();
            return false;
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() != Qt::Key_F10 || key->modifiers() != Qt::ShiftModifier)
                return false;
            const QPoint at(box->width() / 2, box->height() / 2);
            QContextMenuEvent menu(QContextMenuEvent::Keyboard, at, box->mapToGlobal(at));
            QCoreApplication::sendEvent(box, &menu);
            return true;
        }
        default:
            return false;
        }
    }

private:
    static void showExactValue(QLineEdit* box) {
        if (box->hasFocus() && !box->toolTip().isEmpty())
            QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), box->toolTip(), box);
    }
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : MainWindow(&QDateTime::currentDateTime, parent) {}

MainWindow::MainWindow(Clock clock, QWidget* parent)
    : QMainWindow(parent), m_ui(new Ui::MainWindow), m_clock(std::move(clock)),
      m_clockTexts(locale()) {
    drawReadableToolTips(); // before the widgets, which would otherwise be polished twice
    m_ui->setupUi(this);
    m_inputs = {m_ui->Text1, m_ui->Text2, m_ui->Text3};
    m_results = {m_ui->Text5, m_ui->Text6, m_ui->Text7};
    applyDesign();
    connectCommands();
    startClock();
    m_ui->Command1->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::applyDesign() {
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
    const QSize client = m_ui->centralwidget->minimumSize();
    const int menuHeight =
        std::max(menuBar()->sizeHint().height(), menuBar()->heightForWidth(client.width()));
    setFixedSize(client.width(), client.height() + menuHeight);
    setGeometry(QRect(kClientOrigin - QPoint(0, menuHeight), size()));
}

void MainWindow::connectCommands() {
    m_messageReporter = [this](const QString& text) { runtime::showMessage(this, text); };
    m_errorReporter = [this](const QString& text) { runtime::reportError(this, text); };

    connect(m_ui->Command1, &QPushButton::clicked, this, &MainWindow::calculate);
    connect(m_ui->Command2, &QPushButton::clicked, this, &MainWindow::clear);
    pressOnReturn(m_ui->Command1);
    pressOnReturn(m_ui->Command2);
    for (QLineEdit* input : m_inputs)
        connect(input, &QLineEdit::returnPressed, this, &MainWindow::calculate);
    connect(m_ui->cc, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->aut, &QAction::triggered, this, &MainWindow::showAbout);
    connect(m_ui->como, &QAction::triggered, this, &MainWindow::showHelp);
    // The whole resolution: a key of the window's own, outside the design's menus.
    auto* resolution = new QAction(runtime::translated(runtime::texts::kShowResolution), this);
    resolution->setObjectName(QStringLiteral("showResolution"));
    resolution->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    addAction(resolution);
    connect(resolution, &QAction::triggered, this, &MainWindow::showResolution);
    auto* menuKeys = new MenuKeysFirst(m_ui->cc, {m_ui->aut, m_ui->como, resolution}, this);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(menuKeys);
    auto* resultKeys = new ResultBoxKeys(this);
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        QLineEdit* box = m_results[i];
        box->installEventFilter(resultKeys);
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this, i](const QPoint& at) {
            showResultMenu(static_cast<solver::ResultBox>(i), at);
        });
    }
    // F10 opens the menu bar from the keyboard, where the platform's style does not already.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_ui->arc->menuAction()); });
}

void MainWindow::startClock() {
    m_ui->Label11->setText(m_clockTexts.date(m_clock().date()));
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(kTickInterval);
    connect(m_timer, &QTimer::timeout, this, &MainWindow::tick);
    m_timer->start();
}

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
        for (QLineEdit* box : m_inputs)
            box->clear();
        for (std::size_t i = 0; i < m_results.size(); ++i) {
            m_results[i]->clear();
            // An exact value goes with the number it describes.
            m_exactForms[i].clear();
            m_results[i]->setToolTip({});
            m_results[i]->setAccessibleDescription({});
        }
        m_solved.reset();
        followInResolution();
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

void MainWindow::showResolution() {
    guarded([this] {
        if (!m_resolution) {
            m_resolution = std::make_unique<ResolutionWindow>();
            // Beside this window where the screen has room for it, so that neither hides the
            // other; elsewhere where the window system puts it.
            const QRect beside(frameGeometry().topRight() + QPoint(12, 0), m_resolution->size());
            if (screen() && screen()->availableGeometry().contains(beside))
                m_resolution->move(beside.topLeft());
        }
        m_resolution->describe(m_solved, QString::fromStdString(decimalSeparator()));
        showKept(m_resolution);
    });
}

void MainWindow::followInResolution() {
    if (m_resolution && m_resolution->isVisible())
        m_resolution->describe(m_solved, QString::fromStdString(decimalSeparator()));
}

void MainWindow::showResultMenu(solver::ResultBox box, const QPoint& position) {
    QLineEdit* target = m_results[static_cast<std::size_t>(box)];
    std::unique_ptr<QMenu> menu(target->createStandardContextMenu());
    menu->addSeparator();
    QAction* copy = menu->addAction(runtime::translated(runtime::texts::kCopyExactValue));
    copy->setObjectName(QStringLiteral("copyExactValue"));
    const QString form = m_exactForms[static_cast<std::size_t>(box)];
    copy->setEnabled(!form.isEmpty());
    connect(copy, &QAction::triggered, this,
            [form] { QGuiApplication::clipboard()->setText(form); });
    QAction* resolution = menu->addAction(runtime::translated(runtime::texts::kShowResolution));
    resolution->setObjectName(QStringLiteral("showResolution"));
    resolution->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    connect(resolution, &QAction::triggered, this, &MainWindow::showResolution);
    menu->exec(target->mapToGlobal(position));
}

std::string MainWindow::text(solver::InputBox box) const {
    return m_inputs[static_cast<std::size_t>(box)]->text().toStdString();
}

void MainWindow::setText(solver::ResultBox box, const std::string& text) {
    QLineEdit* target = m_results[static_cast<std::size_t>(box)];
    target->setText(QString::fromStdString(text));
    // From its first digit: setText() leaves the cursor at the end, and a text longer than the
    // box would show its tail.
    target->setCursorPosition(0);
}

void MainWindow::setExactValue(solver::ResultBox box, const std::optional<std::string>& form,
                               const std::string& working) {
    const auto index = static_cast<std::size_t>(box);
    m_exactForms[index] = form ? QString::fromStdString(*form) : QString();
    // The value, read by a screen reader as the box's description; shown on hovering or on
    // taking the focus with the working below it.
    const QString value =
        runtime::translated(runtime::texts::kExactValue,
                            form ? m_exactForms[index]
                                 : runtime::translated(runtime::texts::kExactFormTooLong,
                                                       QString::number(solver::kLongestExactForm)));
    QLineEdit* target = m_results[index];
    if (target->hasFocus())
        QToolTip::hideText(); // the value it showed is gone
    QString tip = value;
    if (!working.empty())
        tip += QLatin1Char('\n') + QString::fromStdString(working);
    target->setToolTip(tip + QLatin1Char('\n') +
                       runtime::translated(runtime::texts::kResolutionHint));
    target->setAccessibleDescription(value);
}

void MainWindow::setResolution(std::shared_ptr<const solver::Resolution> resolution) {
    m_solved = std::move(resolution);
    followInResolution();
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
