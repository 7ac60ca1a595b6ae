// SPDX-License-Identifier: MIT
// The three windows as a person meets them: layout, typing, buttons, menu, keys and clock.
#include "compare_bits.h"
#include "runtime/program_identity.h"
#include "windows/about_window.h"
#include "windows/application.h"
#include "windows/design.h"
#include "windows/help_window.h"
#include "windows/main_window.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// A main window whose messages and clock are under the test's control.
struct Harness {
    explicit Harness(QDateTime start = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9, 250)))
        : now(start), window([this] { return now; }) {
        window.setMessageReporter([this](const QString& text) { messages << text; });
        window.setErrorReporter([this](const QString& text) { errors << text; });
    }

    template <typename T = QWidget> T* find(const char* name) {
        T* widget = window.findChild<T*>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    QLineEdit* box(const char* name) { return find<QLineEdit>(name); }
    QString label(const char* name) { return find<QLabel>(name)->text(); }
    QAction* action(const char* name) { return find<QAction>(name); }

    void type(const char* a, const char* b, const char* c) {
        for (auto [name, text] : {std::pair{"Text1", a}, {"Text2", b}, {"Text3", c}}) {
            box(name)->clear();
            const QString typed = QString::fromUtf8(text);
            // Qt Test types ASCII only; anything else arrives as an input method would send it.
            if (std::all_of(typed.begin(), typed.end(),
                            [](QChar ch) { return ch.unicode() < 128; }))
                QTest::keyClicks(box(name), typed);
            else
                box(name)->insert(typed);
        }
    }
    void press(const char* button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    bool showAndActivate() {
        // Without a window manager nothing activates a window but the program itself.
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
    void tick() {
        QTimer* timer = window.findChild<QTimer*>(QStringLiteral("Timer1"));
        QMetaObject::invokeMethod(timer, "timeout");
    }

    QDateTime now;
    windows::MainWindow window;
    QStringList messages;
    QStringList errors;
};

QRect fromTwips(int left, int top, int width, int height) {
    return {left / 15, top / 15, width / 15, height / 15};
}

QString accessible(QWidget* widget, QAccessible::Text what) {
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void mainLayout_data();
    void mainLayout();
    void mainWindow();
    void textColours_data();
    void textColours();
    void fonts();
    void tabOrderAndStartFocus();
    void resultBoxesAreReadOnly();
    void accessibleNames_data();
    void accessibleNames();

    void calculateTheTable_data();
    void calculateTheTable();
    void returnCalculates();
    void emptyBoxShowsTheMessage();
    void errorIsReportedAndWindowGoesOn();
    void hostileInput_data();
    void hostileInput();
    void clearEmptiesTheBoxesOnly();
    void clearOnEmptyWindow();

    void clockStartsWithTheDateOnly();
    void clockTicksAndAimsAtMidSecond();
    void clockAcrossMidnight();
    void clockTickRepaintsTheTimeAlone();

    void clockTextsFitTheirLabels_data();
    void clockTextsFitTheirLabels();
    void menuTree();
    void menuFromTheKeyboard();
    void secondaryWindowsKeepOneInstance_data();
    void secondaryWindowsKeepOneInstance();
    void shortcutsFromInsideATextBox_data();
    void shortcutsFromInsideATextBox();
    void copyWithSelectionKeepsTheWindow();
    void ctrlCWithoutSelectionCloses();
    void closingMainLeavesSecondaryOpen();

    void aboutWindow();
    void helpWindow();

    void iconImages_data();
    void iconImages();
    void windowIcons();
    void windowsIconFile();

    void qtTextsInSpanish();
    void cLocaleWritesTheDateInSpanish();
    void localeSeparatorReadsBack();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();
    void escapeClosesSecondaryWindows_data();
    void escapeClosesSecondaryWindows();
    void noSecondCommandBehindAMessageBox();
    void exactValuesGoWithTheirNumbers();
};

void TestWindows::initTestCase() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QVERIFY2(windows::installSpanishQtTexts(*QCoreApplication::instance()),
             "Qt's Spanish translation (qtbase_es.qm, qt6-translations-l10n) is not installed");
}

void TestWindows::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
}

void TestWindows::mainLayout_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");

    const QString window = QStringLiteral("centralwidget");
    const auto row = [](const char* name, const QString& container, QRect geometry,
                        const char* caption) {
        QTest::newRow(name) << QString::fromLatin1(name) << container << geometry
                            << QString::fromUtf8(caption);
    };
    row("Label9", window, fromTwips(120, 120, 4935, 255),
        "Programa que calcula los resultados de una brimel de 2º grado");
    row("Label5", window, fromTwips(1080, 480, 2415, 255), "Introduce los valores de a,b,c");
    row("Frame1", window, fromTwips(240, 840, 1575, 1575), "Datos");
    row("Label2", QStringLiteral("Frame1"), fromTwips(120, 360, 255, 255), "a=");
    row("Label3", QStringLiteral("Frame1"), fromTwips(120, 720, 255, 255), "b=");
    row("Label4", QStringLiteral("Frame1"), fromTwips(120, 1200, 255, 255), "c=");
    row("Text1", window, fromTwips(600, 1200, 735, 285), "");
    row("Text2", window, fromTwips(600, 1560, 735, 285), "");
    row("Text3", window, fromTwips(600, 2040, 735, 285), "");
    row("Frame2", window, fromTwips(1920, 840, 2655, 1575), "Resultados");
    row("Label8", QStringLiteral("Frame2"), fromTwips(120, 1200, 735, 255), "Discrimin.");
    row("Text7", QStringLiteral("Frame2"), fromTwips(840, 1200, 735, 285), "");
    row("Text5", window, fromTwips(2280, 1200, 2175, 285), "");
    row("Text6", window, fromTwips(2280, 1680, 2175, 285), "");
    row("Frame3", window, fromTwips(4680, 840, 1215, 855), "Hora:");
    row("Label10", QStringLiteral("Frame3"), fromTwips(120, 240, 975, 255), "");
    row("Label11", QStringLiteral("Frame3"), fromTwips(120, 480, 975, 255), "08/12/2026");
    row("Command1", window, fromTwips(480, 2520, 1095, 375), "Calcular");
    row("Command2", window, fromTwips(1680, 2640, 1095, 255), "Borrar");
    row("Label1", window, fromTwips(3120, 2520, 735, 495), "");
}

void TestWindows::mainLayout() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);

    Harness h;
    QWidget* widget = h.find(qPrintable(name));
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), geometry);
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), caption);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(frame->title(), caption);
    else if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    else if (auto* box = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(box->text(), caption);
}

void TestWindows::mainWindow() {
    Harness h;
    QCOMPARE(h.window.objectName(), QStringLiteral("Form1"));
    QCOMPARE(
        h.window.windowTitle(),
        QStringLiteral("Brimel %1   por Vorno").arg(QString::fromUtf8(runtime::kShortVersionText)));
    QWidget* client = h.window.centralWidget();
    QCOMPARE(client->size(), QSize(399, 199));
    QCOMPARE(client->palette().color(QPalette::Window), QColor(64, 64, 64));
    QVERIFY(client->autoFillBackground());
    QCOMPARE(h.window.minimumSize(), h.window.maximumSize());
    const Qt::WindowFlags flags = h.window.windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(h.showAndActivate());
    // The client area, below the menu bar, starts where the design puts it.
    QTRY_COMPARE(client->mapToGlobal(QPoint(0, 0)), QPoint(195, 155));
    // Boxes are drawn above the frames they lie over.
    QVERIFY(h.window.childAt(client->mapTo(&h.window, h.box("Text5")->geometry().center())) ==
            h.box("Text5"));
}

void TestWindows::textColours_data() {
    QTest::addColumn<QString>("name");

    // The colours the forms fix are theirs; these three are the palette's highlighted-text
    // colour, which a desktop theme would set (near-black under some schemes, on the dark grey).
    QTest::newRow("Label4") << QStringLiteral("Label4");
    QTest::newRow("Label10") << QStringLiteral("Label10");
    QTest::newRow("Label11") << QStringLiteral("Label11");
}

void TestWindows::textColours() {
    QFETCH(QString, name);
    Harness h;
    // Qt's own palette, whatever the desktop: white, readable on the dark grey.
    QCOMPARE(h.find(qPrintable(name))->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(QApplication::palette().color(QPalette::HighlightedText), QColor(Qt::white));
}

void TestWindows::fonts() {
    Harness h;
    for (const char* name : {"Label9", "Label5", "Frame1", "Frame2", "Command1"}) {
        const QFont font = h.find(name)->font();
        QCOMPARE(font.family(), windows::shownFace(QStringLiteral("Comic Sans MS")));
        QCOMPARE(font.pointSizeF(), 8.25);
        QVERIFY(!font.bold());
    }
    // What is drawn is the design's face where it is installed, or its look-alike.
    const auto drawn = [&h](const char* name, const char* face, const char* lookAlike) {
        const QString family = QFontInfo(h.find(name)->font()).family();
        QVERIFY2(family == QLatin1String(face) || family == QLatin1String(lookAlike),
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(name), family)));
    };
    drawn("Label9", "Comic Sans MS", "Comic Neue");
    // Labels inside the frames use the window's font, not the frame's.
    drawn("Label2", "MS Sans Serif", "Liberation Sans");
    QVERIFY(h.find<QLabel>("Label1")->wordWrap());
}

void TestWindows::tabOrderAndStartFocus() {
    Harness h;
    QVERIFY(h.showAndActivate());
    QCOMPARE(QApplication::focusWidget(), h.find("Command1"));
    QStringList order;
    QWidget* widget = h.find("Command1");
    do {
        order << widget->objectName();
        widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisibleTo(&h.window))
            widget = widget->nextInFocusChain();
    } while (widget != h.find("Command1"));
    QCOMPARE(order, QStringList({"Command1", "Text1", "Text2", "Text3", "Text5", "Text6", "Text7",
                                 "Command2"}));
}

void TestWindows::resultBoxesAreReadOnly() {
    Harness h;
    for (const char* name : {"Text5", "Text6", "Text7"}) {
        QVERIFY(h.box(name)->isReadOnly());
        QVERIFY(h.box(name)->focusPolicy() & Qt::TabFocus);
    }
    for (const char* name : {"Text1", "Text2", "Text3"})
        QVERIFY(!h.box(name)->isReadOnly());
}

void TestWindows::accessibleNames_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("accessibleName");
    QTest::addColumn<QString>("description");

    QTest::newRow("Text1") << "Text1"
                           << "Coeficiente a"
                           << "";
    QTest::newRow("Text2") << "Text2"
                           << "Coeficiente b"
                           << "";
    QTest::newRow("Text3") << "Text3"
                           << "Coeficiente c"
                           << "";
    QTest::newRow("Text5") << "Text5"
                           << "Primera raíz"
                           << "";
    QTest::newRow("Text6") << "Text6"
                           << "Segunda raíz"
                           << "";
    QTest::newRow("Text7") << "Text7"
                           << "Discriminante"
                           << "";
    QTest::newRow("Command1") << "Command1"
                              << "Calcular"
                              << "";
    QTest::newRow("Command2") << "Command2"
                              << "Borrar"
                              << "";
    QTest::newRow("Label1") << "Label1"
                            << "Solución real"
                            << "Tipo de solución";
    QTest::newRow("Label10") << "Label10"
                             << "14:05:10"
                             << "Hora";
    QTest::newRow("Label11") << "Label11"
                             << "08/12/2026"
                             << "Fecha";
}

void TestWindows::accessibleNames() {
    QFETCH(QString, name);
    QFETCH(QString, accessibleName);
    QFETCH(QString, description);

    Harness h;
    h.type("1", "-3", "2");
    h.press("Command1");
    h.now = h.now.addSecs(1);
    h.tick();
    QWidget* widget = h.find(qPrintable(name));
    QCOMPARE(accessible(widget, QAccessible::Name), accessibleName);
    if (!description.isEmpty())
        QCOMPARE(accessible(widget, QAccessible::Description), description);
    // Result boxes read out what they show.
    if (name == QLatin1String("Text5"))
        QCOMPARE(accessible(widget, QAccessible::Value), QStringLiteral("2"));
}

void TestWindows::calculateTheTable_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("discriminant");
    QTest::addColumn<QString>("kind");

    QTest::newRow("real") << "1"
                          << "-3"
                          << "2"
                          << "2"
                          << "1"
                          << "1"
                          << "Solución real";
    QTest::newRow("double") << "1"
                            << "2"
                            << "1"
                            << "-1"
                            << "-1"
                            << "0"
                            << "Solución real";
    QTest::newRow("2a") << "2"
                        << "0"
                        << "-8"
                        << "2"
                        << "-2"
                        << "64"
                        << "Solución real";
    QTest::newRow("complex") << "1"
                             << "2"
                             << "5"
                             << "-1+2 i"
                             << "-1-2 i"
                             << "-16"
                             << "Solución compleja";
    QTest::newRow("complex, a < 0") << "-1"
                                    << "2"
                                    << "-5"
                                    << "1-2 i"
                                    << "1+2 i"
                                    << "-16"
                                    << "Solución compleja";
    // The Spanish window writes decimal commas, and takes either separator.
    QTest::newRow("decimals") << "0,5"
                              << "-1.5"
                              << "1"
                              << "2"
                              << "1"
                              << "0,25"
                              << "Solución real";
    QTest::newRow("typographic minus") << "1"
                                       << "\u22123"
                                       << "2"
                                       << "2"
                                       << "1"
                                       << "1"
                                       << "Solución real";
}

void TestWindows::calculateTheTable() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, discriminant);
    QFETCH(QString, kind);

    Harness h;
    QVERIFY(h.showAndActivate());
    h.type(qPrintable(a), qPrintable(b), qPrintable(c));
    h.press("Command1");
    QCOMPARE(h.box("Text5")->text(), first);
    QCOMPARE(h.box("Text6")->text(), second);
    QCOMPARE(h.box("Text7")->text(), discriminant);
    QCOMPARE(h.label("Label1"), kind);
    QCOMPARE(QApplication::focusWidget(), h.box("Text1"));
    QVERIFY(h.messages.isEmpty() && h.errors.isEmpty());
    // Label1 wraps its caption onto its second line instead of cutting it.
    auto* label = h.find<QLabel>("Label1");
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

void TestWindows::returnCalculates() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "2");
    for (const char* name : {"Text1", "Text2", "Text3"}) {
        h.box("Text5")->clear();
        QTest::keyClick(h.box(name), Qt::Key_Return);
        QCOMPARE(h.box("Text5")->text(), QStringLiteral("2"));
    }
}

void TestWindows::emptyBoxShowsTheMessage() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "2");
    h.press("Command1");
    h.box("Text2")->clear();
    h.box("Text3")->setFocus();
    h.press("Command1");
    QCOMPARE(h.messages, QStringList{QStringLiteral("Por favor, introduza los valores de a,b,c")});
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("2"));
    QCOMPARE(h.label("Label1"), QStringLiteral("Solución real"));
    COMPARE_BITS(h.window.windowValues().b, -3.0);
    QCOMPARE(QApplication::focusWidget(), h.box("Text1"));
}

void TestWindows::errorIsReportedAndWindowGoesOn() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "2", "5");
    h.press("Command1");
    h.type("0", "1", "1");
    h.press("Command1");
    QCOMPARE(h.errors.size(), 1);
    QVERIFY2(h.errors.first().contains(QStringLiteral("no puede ser 0")),
             qPrintable(h.errors.first()));
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("-1+2 i")); // the earlier results stay
    // The stored a and D are those of the failed equation: a is +0, the 0 typed, not -0.
    COMPARE_BITS(h.window.windowValues().a, 0.0);
    COMPARE_BITS(h.window.windowValues().discriminant, 1.0);

    h.type("abc", "1", "1");
    h.press("Command1");
    QCOMPARE(h.errors.size(), 2);
    QCOMPARE(h.errors.last(), QStringLiteral("El coeficiente a no es un número válido: «abc»."));

    h.type("1", "-3", "2");
    h.press("Command1");
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("2"));
    QCOMPARE(h.errors.size(), 2);
}

void TestWindows::hostileInput_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");

    QTest::newRow("32,767-character paste") << "Text1" << QString(32767, QLatin1Char('9'));
    QTest::newRow("digits paste with letters") << "Text2" << QString(32767, QLatin1Char('a'));
    QTest::newRow("control characters") << "Text3" << QStringLiteral("1\u0007\u001b[2J");
    QTest::newRow("NUL") << "Text1" << QString::fromUtf16(u"2\u00003", 3);
    QTest::newRow("right-to-left marks") << "Text2" << QStringLiteral("\u202e\u200f12\u202c");
    QTest::newRow("emoji") << "Text3" << QStringLiteral("\U0001F600\U0001F4A5");
    QTest::newRow("lone surrogate") << "Text1" << QString(QChar(0xD800));
}

void TestWindows::hostileInput() {
    QFETCH(QString, box);
    QFETCH(QString, text);

    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "2", "1");
    h.box(qPrintable(box))->setText(text);
    h.press("Command1");
    QCOMPARE(h.errors.size(), 1);
    const QString report = h.errors.first();
    QVERIFY2(report.size() < 120, qPrintable(report.left(200)));
    for (char32_t ch : report.toUcs4()) {
        QVERIFY2(QChar::isPrint(ch) && QChar::direction(ch) != QChar::DirRLO &&
                     QChar::direction(ch) != QChar::DirRLE,
                 qPrintable(QStringLiteral("U+%1").arg(uint(ch), 4, 16, QLatin1Char('0'))));
    }
    QCOMPARE(h.box("Text5")->text(), QString()); // nothing half-done

    h.type("1", "-3", "2");
    h.press("Command1");
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("2"));
}

void TestWindows::clearEmptiesTheBoxesOnly() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "2", "5");
    h.press("Command1");
    h.press("Command2");
    for (const char* name : {"Text1", "Text2", "Text3", "Text5", "Text6", "Text7"})
        QCOMPARE(h.box(name)->text(), QString());
    QCOMPARE(h.label("Label1"), QStringLiteral("Solución compleja"));
    COMPARE_BITS(h.window.windowValues().discriminant, -16.0);
    QCOMPARE(QApplication::focusWidget(), h.box("Text1"));
}

void TestWindows::clearOnEmptyWindow() {
    Harness h;
    QVERIFY(h.showAndActivate());
    const QString date = h.label("Label11");
    h.press("Command2");
    for (const char* name : {"Text1", "Text2", "Text3", "Text5", "Text6", "Text7"})
        QCOMPARE(h.box(name)->text(), QString());
    QCOMPARE(h.label("Label1"), QString());
    QCOMPARE(h.label("Label11"), date);
    QCOMPARE(QApplication::focusWidget(), h.box("Text1"));
}

void TestWindows::clockStartsWithTheDateOnly() {
    Harness h;
    QCOMPARE(h.label("Label11"), QStringLiteral("08/12/2026"));
    QCOMPARE(h.label("Label10"), QString());
    QTimer* timer = h.window.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 1000);
    QCOMPARE(timer->timerType(), Qt::PreciseTimer);
    QVERIFY(!timer->isSingleShot());
}

void TestWindows::clockTicksAndAimsAtMidSecond() {
    Harness h;
    QTimer* timer = h.window.findChild<QTimer*>(QStringLiteral("Timer1"));
    h.now = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 10, 250));
    h.tick();
    QCOMPARE(h.label("Label10"), QStringLiteral("14:05:10"));
    QCOMPARE(timer->interval(), 1250); // next tick at 14:05:11.500
    h.now = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 11, 980));
    h.tick();
    QCOMPARE(h.label("Label10"), QStringLiteral("14:05:11"));
    QCOMPARE(timer->interval(), 520);
    QVERIFY(timer->isActive());
    // And the real timer does tick on its own.
    h.now = QDateTime(QDate(2026, 12, 8), QTime(15, 0, 0, 500));
    QTRY_COMPARE_WITH_TIMEOUT(h.label("Label10"), QStringLiteral("15:00:00"), 3000);
}

void TestWindows::clockAcrossMidnight() {
    Harness h(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 500)));
    h.now = QDateTime(QDate(2027, 1, 1), QTime(0, 0, 0, 500));
    h.tick();
    QCOMPARE(h.label("Label10"), QStringLiteral("0:00:00"));
    QCOMPARE(h.label("Label11"), QStringLiteral("31/12/2026"));
}

void TestWindows::clockTickRepaintsTheTimeAlone() {
    // Once a second the time changes; only its label may repaint, not the frame behind it,
    // whose border and title cost more to draw than the time (the program's idle cost).
    struct PaintCounter : QObject {
        int frame = 0;
        int label = 0;
        QObject* frameWidget = nullptr;
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++(watched == frameWidget ? frame : label);
            return false;
        }
    } counter;
    Harness h;
    QVERIFY(h.showAndActivate());
    QTest::qWait(50); // the first frame and the icon that follows it
    counter.frameWidget = h.find("Frame3");
    h.find("Frame3")->installEventFilter(&counter);
    h.find("Label10")->installEventFilter(&counter);
    h.now = h.now.addSecs(1);
    h.tick();
    QTRY_VERIFY(counter.label > 0);
    QCOMPARE(counter.frame, 0);
}

void TestWindows::clockTextsFitTheirLabels_data() {
    QTest::addColumn<QLocale>("locale");

    QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain);
    QTest::newRow("US English") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    QTest::newRow("C") << QLocale::c();
}

void TestWindows::clockTextsFitTheirLabels() {
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    // The widest texts a day can bring: late in the afternoon of a two-digit December day.
    Harness h(QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58)));
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    h.now = QDateTime(QDate(2026, 12, 28), QTime(23, 58, 58));
    h.tick();
    for (const char* name : {"Label10", "Label11"}) {
        auto* label = h.find<QLabel>(name);
        QVERIFY2(!label->text().isEmpty(), name);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
    }
}

void TestWindows::menuTree() {
    Harness h;
    const QList<QAction*> top = h.window.menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->menu()->objectName(), QStringLiteral("arc"));
    QCOMPARE(top[0]->text(), QStringLiteral("Archivo"));
    QCOMPARE(top[1]->menu()->objectName(), QStringLiteral("acer"));
    QCOMPARE(top[1]->text(), QStringLiteral("Acerca de.."));

    const auto entries = [](QMenu* menu) {
        QStringList list;
        for (QAction* action : menu->actions())
            list << action->objectName() + QLatin1Char('|') + action->text() + QLatin1Char('|') +
                        action->shortcut().toString();
        return list;
    };
    QCOMPARE(entries(top[0]->menu()), QStringList{QStringLiteral("cc|Cerrar|Ctrl+C")});
    QCOMPARE(entries(top[1]->menu()), QStringList({QStringLiteral("aut|del Autor|Ctrl+A"),
                                                   QStringLiteral("como|¿Cómo funciona?|Ctrl+F")}));
}

void TestWindows::menuFromTheKeyboard() {
    Harness h;
    QVERIFY(h.showAndActivate());
    QTest::keyClick(h.box("Text1"), Qt::Key_F10);
    QTRY_COMPARE(QApplication::activePopupWidget(), h.find<QMenu>("arc"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Right);
    QTRY_COMPARE(QApplication::activePopupWidget(), h.find<QMenu>("acer"));
    // Opened from the keyboard, the menu highlights its first item.
    QTRY_COMPARE(h.find<QMenu>("acer")->activeAction(), h.action("aut"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
    QCOMPARE(h.find<QMenu>("acer")->activeAction(), h.action("como"));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY(h.window.helpWindow() && h.window.helpWindow()->isVisible());
}

void TestWindows::secondaryWindowsKeepOneInstance_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("windowName");
    QTest::addColumn<QString>("closeButton");

    QTest::newRow("about") << "aut"
                           << "Form2"
                           << "Command1";
    QTest::newRow("help") << "como"
                          << "Form3"
                          << "Command1";
}

void TestWindows::secondaryWindowsKeepOneInstance() {
    QFETCH(QString, action);
    QFETCH(QString, windowName);
    QFETCH(QString, closeButton);

    Harness h;
    QVERIFY(h.showAndActivate());
    QVERIFY(!h.window.aboutWindow() && !h.window.helpWindow()); // created on first use only
    const auto instances = [&] {
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets())
            count += widget->objectName() == windowName;
        return count;
    };
    h.action(qPrintable(action))->trigger();
    h.action(qPrintable(action))->trigger();
    QCOMPARE(instances(), 1);
    QWidget* secondary = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == windowName)
            secondary = widget;
    QVERIFY(secondary->isVisible());
    QVERIFY(!secondary->parentWidget()); // a window of its own, not owned by the main window
    QVERIFY(!secondary->isModal());

    QTest::mouseClick(secondary->findChild<QPushButton*>(closeButton), Qt::LeftButton);
    QVERIFY(!secondary->isVisible());
    QVERIFY(h.window.isVisible());
    h.action(qPrintable(action))->trigger();
    QCOMPARE(instances(), 1);
    QVERIFY(secondary->isVisible());
}

void TestWindows::shortcutsFromInsideATextBox_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("about");

    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << true;
    QTest::newRow("Ctrl+F") << int(Qt::Key_F) << false;
}

void TestWindows::shortcutsFromInsideATextBox() {
    QFETCH(int, key);
    QFETCH(bool, about);

    Harness h;
    QVERIFY(h.showAndActivate());
    QLineEdit* box = h.box("Text1");
    QTest::keyClicks(box, QStringLiteral("12"));
    box->setFocus();
    QTest::keyClick(box, Qt::Key(key), Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key(key), Qt::ControlModifier);
    QWidget* opened = about ? static_cast<QWidget*>(h.window.aboutWindow())
                            : static_cast<QWidget*>(h.window.helpWindow());
    QVERIFY(opened);
    QVERIFY(opened->isVisible());
    QVERIFY(!box->hasSelectedText()); // the menu took the key, not the box
    QVERIFY(h.window.isVisible());
}

void TestWindows::copyWithSelectionKeepsTheWindow() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "2", "5");
    h.press("Command1");
    QLineEdit* root = h.box("Text5");
    root->setFocus();
    root->selectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(root, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(h.window.isVisible());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("-1+2 i"));
}

void TestWindows::ctrlCWithoutSelectionCloses() {
    Harness h;
    QVERIFY(h.showAndActivate());
    QTest::keyClicks(h.box("Text1"), QStringLiteral("3"));
    QTest::keyClick(h.box("Text1"), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(!h.window.isVisible());
}

void TestWindows::closingMainLeavesSecondaryOpen() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.action("aut")->trigger();
    h.action("como")->trigger();
    h.action("cc")->trigger();
    QVERIFY(!h.window.isVisible());
    QVERIFY(h.window.aboutWindow()->isVisible());
    QVERIFY(h.window.helpWindow()->isVisible());
}

void TestWindows::aboutWindow() {
    windows::AboutWindow about;
    QCOMPARE(about.objectName(), QStringLiteral("Form2"));
    QCOMPARE(about.windowTitle(), QStringLiteral("Acerca de.."));
    QCOMPARE(about.size(), QSize(206, 170));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    QCOMPARE(about.palette().color(QPalette::Window), QColor(64, 64, 64));
    QVERIFY(!(about.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!(about.windowFlags() & Qt::WindowMinimizeButtonHint));
    const struct {
        const char* name;
        QRect geometry;
        const char* text;
    } labels[] = {
        {"Label1", fromTwips(240, 360, 2535, 255), "Programa realizado por Vorno"},
        {"Label2", fromTwips(120, 840, 2655, 375), "https://vorno.example.com/brimel"},
        {"Label3", fromTwips(480, 1440, 2415, 255), "Descargate mas programas!"},
    };
    for (const auto& expected : labels) {
        auto* label = about.findChild<QLabel*>(QLatin1String(expected.name));
        QCOMPARE(label->geometry(), expected.geometry);
        QCOMPARE(label->text(), QString::fromUtf8(expected.text));
    }
    // The web address is plain text: nothing happens when it is clicked.
    auto* address = about.findChild<QLabel*>(QStringLiteral("Label2"));
    QCOMPARE(address->text().size(), 32);
    QCOMPARE(address->textFormat(), Qt::PlainText);
    QCOMPARE(address->textInteractionFlags(), Qt::NoTextInteraction);
    QVERIFY(!address->openExternalLinks());
    auto* close = about.findChild<QPushButton*>(QStringLiteral("Command1"));
    QCOMPARE(close->text(), QStringLiteral("Cerrar"));
    QCOMPARE(close->geometry(), fromTwips(840, 2040, 1335, 375));
    QCOMPARE(close->font().family(), windows::shownFace(QStringLiteral("Verdana")));
    QCOMPARE(close->font().pointSizeF(), 8.25);
    about.show();
    QTRY_COMPARE(about.geometry().topLeft(), QPoint(35, 135));
}

void TestWindows::helpWindow() {
    windows::HelpWindow help;
    QCOMPARE(help.objectName(), QStringLiteral("Form3"));
    QCOMPARE(help.windowTitle(), QStringLiteral("Ayuda"));
    QCOMPARE(help.size(), QSize(214, 186));
    QCOMPARE(help.palette().color(QPalette::Window), QColor(64, 64, 64));
    const struct {
        const char* name;
        QPoint position;
        const char* text;
    } labels[] = {
        {"Label4", QPoint(48, 16), "¿Cómo funciona?"},
        {"Label1", QPoint(32, 48), "a es el termino de x^2"},
        {"Label2", QPoint(32, 80), "b es el termino de x"},
        {"Label3", QPoint(32, 112), "c es el término independiente"},
    };
    for (const auto& expected : labels) {
        auto* label = help.findChild<QLabel*>(QLatin1String(expected.name));
        QCOMPARE(label->pos(), expected.position);
        QCOMPARE(label->text(), QString::fromUtf8(expected.text));
        QCOMPARE(label->size(), label->sizeHint()); // sized to its text, whatever face draws it
    }
    auto* back = help.findChild<QPushButton*>(QStringLiteral("Command1"));
    QCOMPARE(back->text(), QStringLiteral("Volver"));
    QCOMPARE(back->geometry(), fromTwips(960, 2280, 1095, 375));
    // The platform's default caption buttons.
    QVERIFY(!(help.windowFlags() & Qt::CustomizeWindowHint));
}

void TestWindows::iconImages_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("colours");

    const QString data = QStringLiteral(BRIMEL_DATA_DIR "/icons/");
    QTest::newRow("16x16, 16 colours") << ":/icons/brimel-16-16c.png" << 16 << 16;
    QTest::newRow("16x16, 256 colours") << ":/icons/brimel-16-256c.png" << 16 << 256;
    QTest::newRow("32x32, 16 colours") << ":/icons/brimel-32-16c.png" << 32 << 16;
    QTest::newRow("32x32, 256 colours") << ":/icons/brimel-32-256c.png" << 32 << 256;
    for (int size : {48, 64, 128, 256})
        QTest::newRow(qPrintable(QStringLiteral("hicolor %1").arg(size)))
            << data + QStringLiteral("hicolor/%1x%1/brimel.png").arg(size) << size << 0;
}

void TestWindows::iconImages() {
    QFETCH(QString, file);
    QFETCH(int, size);
    QFETCH(int, colours);

    const QImage image(file);
    QVERIFY2(!image.isNull(), qPrintable(file));
    QCOMPARE(image.size(), QSize(size, size));
    if (colours == 0)
        return;
    QSet<QRgb> distinct;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            distinct.insert(image.pixel(x, y));
    QVERIFY2(distinct.size() <= colours, qPrintable(QString::number(distinct.size())));
    QVERIFY(distinct.size() > 4); // a drawing, not a blank
}

void TestWindows::windowIcons() {
    Harness h;
    // The design's four images from the start, the larger ones once the window has drawn.
    const QList<QSize> design = {QSize(16, 16), QSize(16, 16), QSize(32, 32), QSize(32, 32)};
    QCOMPARE(h.window.windowIcon().availableSizes(), design);
    QVERIFY(h.showAndActivate());
    QTRY_COMPARE(h.window.windowIcon().availableSizes().size(), 8);
    const QIcon icon = h.window.windowIcon();
    QCOMPARE(icon.availableSizes(), design + QList<QSize>({QSize(48, 48), QSize(64, 64),
                                                           QSize(128, 128), QSize(256, 256)}));
    // The design's images at their sizes; nothing larger than 256 pixels is drawn, a dock that
    // wants more takes the desktop entry's drawing from the icon theme.
    QCOMPARE(icon.pixmap(16).toImage(), QImage(QStringLiteral(":/icons/brimel-16-256c.png"))
                                            .convertToFormat(icon.pixmap(16).toImage().format()));
    QCOMPARE(icon.pixmap(QSize(512, 512)).size(), QSize(256, 256));
    windows::AboutWindow about;
    QCOMPARE(about.windowIcon().availableSizes(), QList<QSize>({QSize(32, 32)}));
    windows::HelpWindow help;
    QVERIFY(help.windowIcon().availableSizes().isEmpty()); // none of its own
}

void TestWindows::windowsIconFile() {
    // The program file's icon holds the same four images, at 4 and 8 bits a pixel.
    QImageReader reader(QStringLiteral(BRIMEL_DATA_DIR "/icons/brimel.ico"));
    QCOMPARE(reader.imageCount(), 4);
    QList<QSize> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        sizes << reader.read().size();
    }
    QCOMPARE(sizes, QList<QSize>({QSize(16, 16), QSize(16, 16), QSize(32, 32), QSize(32, 32)}));
}

void TestWindows::qtTextsInSpanish() {
    // Qt's own texts in the windows: the message box's button and a text box's context menu.
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Brimel"), QStringLiteral("x"),
                    QMessageBox::Ok);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("Aceptar"));
    Harness h;
    h.type("12", "", "");
    h.box("Text1")->selectAll();
    std::unique_ptr<QMenu> menu(h.box("Text1")->createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    QCOMPARE(texts, QStringList({"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Borrar",
                                 "Seleccionar todo"}));
}

void TestWindows::cLocaleWritesTheDateInSpanish() {
    QLocale::setDefault(QLocale::c());
    Harness h;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QCOMPARE(h.label("Label11"), QStringLiteral("08/12/2026")); // not "08 Dec 2026"
    h.tick();
    QCOMPARE(h.label("Label10"), QStringLiteral("14:05:09"));
}

void TestWindows::localeSeparatorReadsBack() {
    // An Arabic window writes U+066B between whole and fractional digits; a result pasted back
    // into a box is read as the number it shows.
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    Harness h;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    h.type("2", "-1.5", "0");
    h.press("Command1");
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("0\u066b75"));
    h.box("Text2")->setText(QStringLiteral("-") + h.box("Text5")->text());
    h.press("Command1");
    QVERIFY2(h.errors.isEmpty(), qPrintable(h.errors.value(0)));
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("0\u066b375"));
}

void TestWindows::returnPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("window"); // main, about or help
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");

    QTest::newRow("Calcular, Return") << "main"
                                      << "Command1" << int(Qt::Key_Return);
    QTest::newRow("Calcular, keypad Enter") << "main"
                                            << "Command1" << int(Qt::Key_Enter);
    QTest::newRow("Borrar, Return") << "main"
                                    << "Command2" << int(Qt::Key_Return);
    QTest::newRow("Cerrar, Return") << "about"
                                    << "Command1" << int(Qt::Key_Return);
    QTest::newRow("Volver, keypad Enter") << "help"
                                          << "Command1" << int(Qt::Key_Enter);
}

void TestWindows::returnPressesTheFocusedButton() {
    QFETCH(QString, window);
    QFETCH(QString, button);
    QFETCH(int, key);

    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "2");
    QWidget* target = &h.window;
    if (window != QLatin1String("main")) {
        h.action(window == QLatin1String("about") ? "aut" : "como")->trigger();
        target = window == QLatin1String("about") ? static_cast<QWidget*>(h.window.aboutWindow())
                                                  : h.window.helpWindow();
    }
    auto* pushButton = target->findChild<QPushButton*>(button);
    pushButton->setFocus();
    const Qt::KeyboardModifiers modifiers =
        key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(pushButton, Qt::Key(key), modifiers);
    if (window != QLatin1String("main"))
        QVERIFY(!target->isVisible());
    else if (button == QLatin1String("Command1"))
        QCOMPARE(h.box("Text5")->text(), QStringLiteral("2"));
    else
        QCOMPARE(h.box("Text1")->text(), QString());
}

void TestWindows::escapeClosesSecondaryWindows_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("about") << "aut";
    QTest::newRow("help") << "como";
}

void TestWindows::escapeClosesSecondaryWindows() {
    QFETCH(QString, action);
    Harness h;
    QVERIFY(h.showAndActivate());
    h.action(qPrintable(action))->trigger();
    QWidget* secondary = action == QLatin1String("aut")
                             ? static_cast<QWidget*>(h.window.aboutWindow())
                             : h.window.helpWindow();
    QVERIFY(QTest::qWaitForWindowExposed(secondary));
    secondary->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(secondary));
    QTest::keyClick(secondary, Qt::Key_Escape);
    QVERIFY(!secondary->isVisible());
    QVERIFY(h.window.isVisible());
}

void TestWindows::noSecondCommandBehindAMessageBox() {
    // A screen reader's "press" reaches the buttons behind an open message box; while the box
    // is open nothing may calculate again, stack a second box, or empty the boxes.
    Harness h;
    QVERIFY(h.showAndActivate());
    h.window.setErrorReporter([&h](const QString& text) {
        h.errors << text;
        if (h.errors.size() == 1) { // the box is open: press what lies behind it
            h.find<QPushButton>("Command1")->click();
            h.find<QPushButton>("Command2")->click();
        }
    });
    h.type("abc", "1", "1");
    h.press("Command1");
    QCOMPARE(h.errors.size(), 1);
    QCOMPARE(h.box("Text1")->text(), QStringLiteral("abc"));
    // Once the box is closed, the buttons work again.
    h.press("Command2");
    QCOMPARE(h.box("Text1")->text(), QString());
}

void TestWindows::exactValuesGoWithTheirNumbers() {
    Harness h;
    QVERIFY(h.showAndActivate());
    const auto exact = [&h](const char* name) {
        QLineEdit* box = h.box(name);
        // What a pointer hovering shows and what a screen reader reads are one text.
        if (box->toolTip() != accessible(box, QAccessible::Description))
            return QStringLiteral("tooltip %1, description %2")
                .arg(box->toolTip(), accessible(box, QAccessible::Description));
        return box->toolTip();
    };
    QCOMPARE(exact("Text5"), QString());
    h.type("1", "-3", "1");
    h.press("Command1");
    QCOMPARE(exact("Text5"), QStringLiteral("Valor exacto: (3 + √5)/2"));
    QCOMPARE(exact("Text6"), QStringLiteral("Valor exacto: (3 − √5)/2"));
    QCOMPARE(exact("Text7"), QStringLiteral("Valor exacto: 5"));
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("2,61803398874989"));
    // A failed calculation changes no box: its exact value stays with it.
    h.type("0", "1", "1");
    h.press("Command1");
    QCOMPARE(h.errors.size(), 1);
    QCOMPARE(exact("Text5"), QStringLiteral("Valor exacto: (3 + √5)/2"));
    // In the window's notation: decimals typed, decimals shown, with its separator.
    h.type("1", "-0,6", "0,09");
    h.press("Command1");
    QCOMPARE(exact("Text6"), QStringLiteral("Valor exacto: 0,3"));
    // Borrar empties the boxes, and their exact values go with them.
    h.press("Command2");
    for (const char* name : {"Text5", "Text6", "Text7"})
        QCOMPARE(exact(name), QString());
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
