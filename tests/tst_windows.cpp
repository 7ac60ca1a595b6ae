// SPDX-License-Identifier: MIT
// The three windows as a person meets them: what they show and where, typing, buttons, menu,
// keys, the clock, the exact values; and the start-up's command line.
#include "compare_bits.h"
#include "windows/about_window.h"
#include "windows/application.h"
#include "windows/help_window.h"
#include "windows/main_window.h"
#include "windows/parabola_view.h"
#include "windows/resolution_window.h"

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
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>
#include <memory>
#include <sstream>
#include <vector>

namespace {

const QDateTime kStart(QDate(2026, 12, 8), QTime(14, 5, 9, 250));

// A main window whose messages and clock are under the test's control.
struct Harness {
    explicit Harness(QDateTime start = kStart) : now(start), window([this] { return now; }) {
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
    QTimer* timer() { return window.findChild<QTimer*>(QStringLiteral("Timer1")); }
    void tick() { QMetaObject::invokeMethod(timer(), "timeout"); }

    QDateTime now;
    windows::MainWindow window;
    QStringList messages;
    QStringList errors;
};

// Any of the program's three windows, made as the program makes it, by the tests' name for it.
struct AnyWindow {
    explicit AnyWindow(const QString& name) {
        if (name == QLatin1String("main")) {
            main = std::make_unique<Harness>();
            window = &main->window;
            client = main->window.centralWidget();
        } else if (name == QLatin1String("about")) {
            about = std::make_unique<windows::AboutWindow>();
            window = client = about.get();
        } else {
            help = std::make_unique<windows::HelpWindow>();
            window = client = help.get();
        }
    }
    // The window's controls, frames included, as they lie in its client area.
    QList<QWidget*> controls() const {
        QList<QWidget*> found;
        for (QWidget* widget : client->findChildren<QWidget*>())
            if (qobject_cast<QLabel*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                qobject_cast<QPushButton*>(widget) || qobject_cast<QGroupBox*>(widget))
                found << widget;
        return found;
    }
    // The main window's label of the kind of solution at its longest, "Solución compleja".
    void showLongestKind() const {
        if (main) {
            main->type("1", "2", "5");
            main->press("Command1");
        }
    }
    QRect inClient(QWidget* widget) const {
        return {widget->mapTo(client, QPoint(0, 0)), widget->size()};
    }

    std::unique_ptr<Harness> main;
    std::unique_ptr<windows::AboutWindow> about;
    std::unique_ptr<windows::HelpWindow> help;
    QWidget* window = nullptr;
    QWidget* client = nullptr;
};

void windowRows() {
    QTest::addColumn<QString>("window");
    for (const char* name : {"main", "about", "help"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

QString accessible(QWidget* widget, QAccessible::Text what) {
    return QAccessible::queryAccessibleInterface(widget)->text(what);
}

// The text a control shows: a label's or button's, a frame's title, a window's caption.
QString shownText(QWidget* widget) {
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        return frame->title();
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return button->text();
    return widget->windowTitle();
}

// Where a control draws: a label its text, from where its alignment puts it (on as many lines as
// it wraps onto); anything else its whole rectangle.
QRect drawnIn(const AnyWindow& w, QWidget* widget) {
    QRect rect = w.inClient(widget);
    auto* label = qobject_cast<QLabel*>(widget);
    if (!label)
        return rect;
    if (label->wordWrap()) {
        rect.setHeight(std::min(rect.height(), label->heightForWidth(rect.width())));
        return rect;
    }
    const int width = std::min(rect.width(), label->fontMetrics().horizontalAdvance(label->text()));
    if (label->alignment() & Qt::AlignRight)
        rect.setLeft(rect.right() - width + 1);
    else if (label->alignment() & Qt::AlignHCenter)
        rect.adjust((rect.width() - width) / 2, 0, 0, 0);
    rect.setWidth(width);
    return rect;
}

// The design's free look-alikes of its faces, where the faces themselves are not installed
// (on Windows they all are; Microsoft Sans Serif is MS Sans Serif's own outline version).
bool drawnAs(const QString& family, const QString& face) {
    static const QMultiHash<QString, QString> lookAlikes = {
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")},
        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif")},
    };
    return family == face || lookAlikes.values(face).contains(family);
}

} // namespace

Q_DECLARE_METATYPE(std::string)

class TestWindows : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void designTexts_data();
    void designTexts();
    void menuTexts();
    void windowFrames_data();
    void windowFrames();
    void controlsLieApart_data();
    void controlsLieApart();
    void textsFit_data();
    void textsFit();
    void fontsDrawn_data();
    void fontsDrawn();
    void everyControlIsNamed_data();
    void everyControlIsNamed();
    void textColours_data();
    void textColours();
    void tabOrder();
    void resultBoxesAreReadOnly();
    void addressIsPlainText();

    void calculateTheTable_data();
    void calculateTheTable();
    void longResultsShowTheirStart_data();
    void longResultsShowTheirStart();
    void returnCalculates();
    void emptyBoxShowsTheMessage();
    void errorIsReportedAndWindowGoesOn();
    void hostileInput_data();
    void hostileInput();
    void clearEmptiesTheBoxesOnly();
    void clearOnEmptyWindow();
    void noSecondCommandBehindAMessageBox();
    void localeSeparatorReadsBack();

    void clockStartsWithTheDateOnly();
    void clockNeverSkipsOrRepeats();
    void clockAcrossMidnight();
    void clockTickRepaintsTheTimeAlone();
    void clockTextsFitTheirLabels_data();
    void clockTextsFitTheirLabels();
    void cLocaleWritesTheDateInSpanish();

    void menuFromTheKeyboard();
    void secondaryWindowsKeepOneInstance_data();
    void secondaryWindowsKeepOneInstance();
    void shortcutsFromInsideATextBox_data();
    void shortcutsFromInsideATextBox();
    void copyWithSelectionKeepsTheWindow();
    void ctrlCWithoutSelectionCloses();
    void closingMainLeavesSecondaryOpen();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();
    void escapeClosesSecondaryWindows_data();
    void escapeClosesSecondaryWindows();

    void iconImages_data();
    void iconImages();
    void windowIcons();
    void windowsIconFile();
    void qtTextsInSpanish();

    void exactValuesGoWithTheirNumbers();
    void exactValueOnFocus();
    void exactValueOnFocusFromTheProgram();
    void toolTipsAreReadable();
    void exactValueContextMenu();
    void workingInTheTooltips_data();
    void workingInTheTooltips();

    void informationOptions_data();
    void informationOptions();
    void otherArguments_data();
    void otherArguments();

    void resolutionFollowsTheBoxes();
    void resolutionFromTheContextMenu();
    void doubleClickSelectsAWord();
    void graphCrossesTheAxisAtTheRoots_data();
    void graphCrossesTheAxisAtTheRoots();
    void resolutionSaved();
    void graphZoomsMovesAndFits();
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

void TestWindows::designTexts_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object"); // empty: the window's own caption
    QTest::addColumn<QString>("text");

    // The design's texts, as they stand (its typos and blanks included).
    const auto row = [](const char* window, const char* object, const char* text) {
        QTest::newRow(
            qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(window), QLatin1String(object))))
            << QString::fromLatin1(window) << QString::fromLatin1(object)
            << QString::fromUtf8(text);
    };
    row("main", "", "Brimel 1.0   por Vorno");
    row("main", "Label9", "Programa que calcula los resultados de una brimel de 2º grado");
    row("main", "Label5", "Introduce los valores de a,b,c");
    row("main", "Frame1", "Datos");
    row("main", "Label2", "a=");
    row("main", "Label3", "b=");
    row("main", "Label4", "c=");
    row("main", "Frame2", "Resultados");
    row("main", "Label7", "x=");
    row("main", "Label6", "x=");
    row("main", "Label8", "Discrimin.");
    row("main", "Frame3", "Hora:");
    row("main", "Command1", "Calcular");
    row("main", "Command2", "Borrar");
    row("main", "Label1", "");
    row("main", "Label10", ""); // until the first tick
    row("about", "", "Acerca de..");
    row("about", "Label1", "Programa realizado por Vorno");
    row("about", "Label3", "Descargate mas programas!");
    row("about", "Command1", "Cerrar");
    row("help", "", "Ayuda");
    row("help", "Label4", "¿Cómo funciona?");
    row("help", "Label1", "a es el termino de x^2");
    row("help", "Label2", "b es el termino de x");
    row("help", "Label3", "c es el término independiente");
    row("help", "Command1", "Volver");
}

void TestWindows::designTexts() {
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(QString, text);
    const AnyWindow w(window);
    QWidget* widget = object.isEmpty() ? w.window : w.window->findChild<QWidget*>(object);
    QVERIFY2(widget, qPrintable(object));
    QCOMPARE(shownText(widget), text);
}

void TestWindows::menuTexts() {
    // The design's menu, in the order it is shown: name, caption, shortcut.
    Harness h;
    QStringList shown;
    for (QAction* top : h.window.menuBar()->actions()) {
        shown << top->menu()->objectName() + QLatin1Char(' ') + top->text();
        for (QAction* item : top->menu()->actions())
            shown << QStringLiteral("  %1 %2 %3")
                         .arg(item->objectName(), item->text(), item->shortcut().toString());
    }
    QCOMPARE(shown, QStringList({"arc Archivo", "  cc Cerrar Ctrl+C", "acer Acerca de..",
                                 "  aut del Autor Ctrl+A", "  como ¿Cómo funciona? Ctrl+F"}));
}

void TestWindows::windowFrames_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("fixed");       // no resizing, no maximize or minimize button
    QTest::addColumn<QPoint>("placement"); // the client area's corner on the screen, in twips

    QTest::newRow("main") << "main" << true << QPoint(2925, 2325);
    QTest::newRow("about") << "about" << true << QPoint(525, 2025);
    QTest::newRow("help") << "help" << false << QPoint(); // the platform places it
}

void TestWindows::windowFrames() {
    QFETCH(QString, window);
    QFETCH(bool, fixed);
    QFETCH(QPoint, placement);
    const AnyWindow w(window);
    w.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.window));
    // The client area is the form's, whole: a menu bar above it takes none of it away.
    QCOMPARE(w.client->size(), w.client->minimumSize());
    QVERIFY(
        w.window->rect().contains(QRect(w.client->mapTo(w.window, QPoint()), w.client->size())));
    if (!placement.isNull())
        QTRY_COMPARE(w.client->mapToGlobal(QPoint(0, 0)), placement / 15);
    const Qt::WindowFlags flags = w.window->windowFlags();
    if (fixed) {
        QCOMPARE(w.window->minimumSize(), w.window->maximumSize());
        QVERIFY(!(flags & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QVERIFY(flags & Qt::WindowCloseButtonHint);
    } else {
        QVERIFY(!(flags & Qt::CustomizeWindowHint)); // the platform's own caption buttons
    }
    QCOMPARE(w.client->palette().color(QPalette::Window), QColor(64, 64, 64));
}

void TestWindows::controlsLieApart_data() {
    windowRows();
}

void TestWindows::controlsLieApart() {
    // Every control lies inside its window and its frame, and draws over no other: a box may lie
    // over a frame (the design puts the boxes over theirs), wholly inside it.
    QFETCH(QString, window);
    const AnyWindow w(window);
    w.showLongestKind();
    const QList<QWidget*> controls = w.controls();
    QVERIFY(controls.size() >= 4);
    for (QWidget* control : controls) {
        const QString name = control->objectName();
        QVERIFY2(w.client->rect().contains(drawnIn(w, control)), qPrintable(name));
        if (auto* frame = qobject_cast<QGroupBox*>(control->parentWidget()))
            QVERIFY2(w.inClient(frame).contains(w.inClient(control)), qPrintable(name));
        for (QWidget* other : controls) {
            if (other == control || !drawnIn(w, control).intersects(drawnIn(w, other)))
                continue;
            const bool overFrame = qobject_cast<QGroupBox*>(other) &&
                                   !qobject_cast<QGroupBox*>(control) &&
                                   w.inClient(other).contains(w.inClient(control));
            const bool underControl = qobject_cast<QGroupBox*>(control) &&
                                      !qobject_cast<QGroupBox*>(other) &&
                                      w.inClient(control).contains(w.inClient(other));
            QVERIFY2(overFrame || underControl,
                     qPrintable(QStringLiteral("%1 and %2").arg(name, other->objectName())));
        }
    }
}

void TestWindows::textsFit_data() {
    windowRows();
}

void TestWindows::textsFit() {
    // Every text fits its control in the faces that draw it: a label's on its line (or on the
    // lines it wraps onto), a button's between its margins, a frame's title across the frame.
    QFETCH(QString, window);
    const AnyWindow w(window);
    w.showLongestKind();
    for (QWidget* control : w.controls()) {
        const QString text = shownText(control);
        const QFontMetrics metrics = control->fontMetrics();
        int room = control->width();
        if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap()) {
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(text));
            continue;
        }
        if (qobject_cast<QPushButton*>(control))
            room -= 2 * control->style()->pixelMetric(QStyle::PM_ButtonMargin);
        if (qobject_cast<QLineEdit*>(control))
            continue; // a box's text scrolls, as the design's boxes are narrower than results
        QVERIFY2(metrics.horizontalAdvance(text) <= room,
                 qPrintable(QStringLiteral("%1: %2 px of text in %3 px")
                                .arg(control->objectName())
                                .arg(metrics.horizontalAdvance(text))
                                .arg(room)));
    }
}

void TestWindows::fontsDrawn_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("bold");

    // The design's faces, each at 8.25 points; controls without one take the window's.
    const auto row = [](const char* window, const char* object, const char* face, bool bold) {
        QTest::newRow(
            qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(window), QLatin1String(object))))
            << QString::fromLatin1(window) << QString::fromLatin1(object)
            << QString::fromLatin1(face) << bold;
    };
    for (const char* object : {"Label9", "Label5", "Frame1", "Frame2", "Command1"})
        row("main", object, "Comic Sans MS", false);
    for (const char* object : {"Label2", "Text1", "Label10", "Command2"})
        row("main", object, "MS Sans Serif", false); // inside a frame, the window's, not its
    for (const char* object : {"Label1", "Label2", "Label3"})
        row("about", object, "Comic Sans MS", false);
    row("about", "Command1", "Verdana", true);
    row("help", "Label4", "Comic Sans MS", true);
    row("help", "Label1", "Comic Sans MS", false);
}

void TestWindows::fontsDrawn() {
    QFETCH(QString, window);
    QFETCH(QString, object);
    QFETCH(QString, face);
    QFETCH(bool, bold);
    const AnyWindow w(window);
    QWidget* widget = w.window->findChild<QWidget*>(object);
    QVERIFY(widget);
    const QFontInfo drawn(widget->font());
    QVERIFY2(drawnAs(drawn.family(), face), qPrintable(drawn.family()));
    QCOMPARE(widget->font().pointSizeF(), 8.25);
    QCOMPARE(drawn.bold(), bold);
}

void TestWindows::everyControlIsNamed_data() {
    windowRows();
}

void TestWindows::everyControlIsNamed() {
    // Every control a user reaches, and the labels that give results, has a name for a screen
    // reader of its own, in words: not its designer name, and no two alike.
    QFETCH(QString, window);
    const AnyWindow w(window);
    QStringList names;
    for (QWidget* control : w.controls()) {
        const bool reached = control->focusPolicy() & Qt::TabFocus;
        if (!reached && accessible(control, QAccessible::Description).isEmpty())
            continue;
        const QString name = accessible(control, QAccessible::Name);
        const QString described = reached ? name : accessible(control, QAccessible::Description);
        QVERIFY2(!described.isEmpty() && described != control->objectName(),
                 qPrintable(control->objectName()));
        QVERIFY2(!names.contains(described), qPrintable(described));
        names << described;
    }
    QVERIFY(!names.isEmpty());
    if (w.main) { // the results' labels and boxes read out what they show
        w.main->type("1", "-3", "2");
        w.main->press("Command1");
        QCOMPARE(accessible(w.main->box("Text5"), QAccessible::Value), QStringLiteral("2"));
        QCOMPARE(accessible(w.main->find("Label1"), QAccessible::Name),
                 QStringLiteral("Solución real"));
    }
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
}

void TestWindows::tabOrder() {
    // Tab from the first control the window focuses: the design's order, and round again.
    Harness h;
    QVERIFY(h.showAndActivate());
    QStringList order;
    for (int i = 0; i < 8; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, QStringList({"Command1", "Text1", "Text2", "Text3", "Text5", "Text6", "Text7",
                                 "Command2"}));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command2"));
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

void TestWindows::addressIsPlainText() {
    // The author's address is one line of plain text: clicking it does nothing.
    windows::AboutWindow about;
    auto* address = about.findChild<QLabel*>(QStringLiteral("Label2"));
    QVERIFY(address->text().startsWith(QLatin1String("https://")));
    QVERIFY(!address->text().contains(QLatin1Char('\n')));
    QCOMPARE(address->textFormat(), Qt::PlainText);
    QCOMPARE(address->textInteractionFlags(), Qt::NoTextInteraction);
    QVERIFY(!address->openExternalLinks());
}

void TestWindows::calculateTheTable_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QStringList>("shown"); // Text5, Text6, Text7, Label1

    const auto row = [](const char* name, const char* a, const char* b, const char* c,
                        const char* first, const char* second, const char* discriminant,
                        const char* kind) {
        QTest::newRow(name) << QString::fromUtf8(a) << QString::fromUtf8(b) << QString::fromUtf8(c)
                            << QStringList({QString::fromUtf8(first), QString::fromUtf8(second),
                                            QString::fromUtf8(discriminant),
                                            QString::fromUtf8(kind)});
    };
    const char* real = "Solución real";
    const char* complex = "Solución compleja";
    row("real", "1", "-3", "2", "2", "1", "1", real);
    row("double", "1", "2", "1", "-1", "-1", "0", real);
    row("2a", "2", "0", "-8", "2", "-2", "64", real);
    row("complex", "1", "2", "5", "-1+2 i", "-1-2 i", "-16", complex);
    row("complex, a < 0", "-1", "2", "-5", "1-2 i", "1+2 i", "-16", complex);
    // The Spanish window writes decimal commas, and takes either separator.
    row("decimals", "0,5", "-1.5", "1", "2", "1", "0,25", real);
    row("typographic minus", "1", "\u22123", "2", "2", "1", "1", real);
}

void TestWindows::calculateTheTable() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QStringList, shown);

    Harness h;
    QVERIFY(h.showAndActivate());
    h.type(qPrintable(a), qPrintable(b), qPrintable(c));
    h.press("Command1");
    QCOMPARE(QStringList({h.box("Text5")->text(), h.box("Text6")->text(), h.box("Text7")->text(),
                          h.label("Label1")}),
             shown);
    QCOMPARE(QApplication::focusWidget(), h.box("Text1"));
    QVERIFY(h.messages.isEmpty() && h.errors.isEmpty());
    // Label1 wraps its caption onto its second line instead of cutting it.
    auto* label = h.find<QLabel>("Label1");
    QVERIFY(label->heightForWidth(label->width()) <= label->height());
}

void TestWindows::longResultsShowTheirStart_data() {
    QTest::addColumn<QString>("c");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::newRow("discriminant") << "0,5"
                                  << "Text7"
                                  << "15241383934";
    QTest::newRow("first complex root") << "1"
                                        << "Text5"
                                        << "-0,166666666666667+0,552770798392567 i";
    QTest::newRow("second complex root") << "1"
                                         << "Text6"
                                         << "-0,166666666666667-0,552770798392567 i";
}

void TestWindows::longResultsShowTheirStart() {
    // A result longer than its box shows from its first digit, where a student starts copying
    // it; the box for a keeps the cursor where the user left it.
    QFETCH(QString, c);
    QFETCH(QString, box);
    QFETCH(QString, text);
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type(text.startsWith(QLatin1Char('-')) ? "3,0" : "1,0",
           text.startsWith(QLatin1Char('-')) ? "1" : "-123456", qPrintable(c));
    QTest::keyClick(h.box("Text1"), Qt::Key_Home);
    QTest::keyClick(h.box("Text1"), Qt::Key_Right);
    h.box("Text3")->setFocus();
    h.press("Command1");
    QLineEdit* shown = h.box(qPrintable(box));
    QCOMPARE(shown->text(), text);
    QVERIFY(shown->fontMetrics().horizontalAdvance(text) > shown->contentsRect().width());
    QCOMPARE(shown->cursorPosition(), 0);
    QCOMPARE(h.box("Text1")->cursorPosition(), 1);
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

void TestWindows::clockStartsWithTheDateOnly() {
    Harness h;
    QVERIFY(h.showAndActivate());
    QCOMPARE(h.label("Label11"), QStringLiteral("08/12/2026"));
    QCOMPARE(h.label("Label10"), QString());
    // The time comes with the first tick, and the real timer does tick on its own.
    h.now = QDateTime(QDate(2026, 12, 8), QTime(15, 0, 0, 500));
    QTRY_COMPARE_WITH_TIMEOUT(h.label("Label10"), QStringLiteral("15:00:00"), 3000);
}

void TestWindows::clockNeverSkipsOrRepeats() {
    // Ten seconds of ticks, each arriving when the clock asked for it give or take a timer's
    // jitter: the time shown goes up one second at every tick, none skipped or shown twice.
    Harness h(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9, 870)));
    const int jitter[] = {0, 180, -120, 260, 40, -200, 300, -90, 150, -60, 220};
    QStringList shown;
    for (int late : jitter) {
        h.now = h.now.addMSecs(h.timer()->interval() + late);
        h.tick();
        shown << h.label("Label10");
    }
    QStringList expected;
    for (int second = 10; second <= 20; ++second)
        expected << QStringLiteral("14:05:%1").arg(second);
    QCOMPARE(shown, expected);
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

void TestWindows::cLocaleWritesTheDateInSpanish() {
    QLocale::setDefault(QLocale::c());
    Harness h;
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QCOMPARE(h.label("Label11"), QStringLiteral("08/12/2026")); // not "08 Dec 2026"
    h.tick();
    QCOMPARE(h.label("Label10"), QStringLiteral("14:05:09"));
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

void TestWindows::exactValuesGoWithTheirNumbers() {
    Harness h;
    QVERIFY(h.showAndActivate());
    // The tooltip shows the value and its working; a screen reader reads the value alone.
    const auto value = [&h](const char* name) {
        return accessible(h.box(name), QAccessible::Description);
    };
    QCOMPARE(value("Text5"), QString());
    h.type("1", "-3", "1");
    h.press("Command1");
    QCOMPARE(value("Text5"), QStringLiteral("Valor exacto: (3 + √5)/2"));
    QCOMPARE(value("Text6"), QStringLiteral("Valor exacto: (3 − √5)/2"));
    QCOMPARE(value("Text7"), QStringLiteral("Valor exacto: 5"));
    QVERIFY(h.box("Text5")->toolTip().startsWith(value("Text5") + QLatin1Char('\n')));
    QCOMPARE(h.box("Text5")->text(), QStringLiteral("2,61803398874989"));
    // A failed calculation changes no box: its exact value stays with it.
    h.type("0", "1", "1");
    h.press("Command1");
    QCOMPARE(h.errors.size(), 1);
    QCOMPARE(value("Text5"), QStringLiteral("Valor exacto: (3 + √5)/2"));
    // In the window's notation: decimals typed, decimals shown, with its separator.
    h.type("1", "-0,6", "0,09");
    h.press("Command1");
    QCOMPARE(value("Text6"), QStringLiteral("Valor exacto: 0,3"));
    // Borrar empties the boxes, and their exact values go with them.
    h.press("Command2");
    for (const char* name : {"Text5", "Text6", "Text7"}) {
        QCOMPARE(value(name), QString());
        QCOMPARE(h.box(name)->toolTip(), QString());
    }
}

void TestWindows::exactValueOnFocus() {
    // A keyboard user meets the exact value as the mouse does: Tab into a result box shows its
    // tooltip, leaving it hides it. A box without a result shows nothing.
    Harness h;
    QVERIFY(h.showAndActivate());
    // As a keyboard does it: the key goes down where the focus is, and up where it went.
    const auto tab = [](Qt::Key key = Qt::Key_Tab) {
        QTest::keyPress(QApplication::focusWidget(), key);
        QTest::keyRelease(QApplication::focusWidget(), key);
    };
    h.box("Text5")->setFocus();
    QVERIFY(!QToolTip::isVisible());
    h.type("1", "2", "5");
    h.press("Command1"); // the focus goes back to the box for a
    tab();
    tab();
    for (const char* name : {"Text5", "Text6", "Text7"}) {
        tab();
        QCOMPARE(QApplication::focusWidget(), h.box(name));
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), h.box(name)->toolTip());
        QVERIFY(QToolTip::text().startsWith(QStringLiteral("Valor exacto: ")));
    }
    tab(); // to Borrar
    QTRY_VERIFY(!QToolTip::isVisible());
    tab(Qt::Key_Backtab); // and back
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), h.box("Text7")->toolTip());
}

void TestWindows::exactValueOnFocusFromTheProgram() {
    // Focus that comes with no key or click, as when the program gives it or a context menu
    // closes, shows the exact value too.
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "2", "5");
    h.press("Command1");
    QVERIFY(!QToolTip::isVisible());
    h.box("Text6")->setFocus();
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), h.box("Text6")->toolTip());
}

void TestWindows::toolTipsAreReadable() {
    // The shown tooltip, as drawn: its most common colour is its background, and its ink stands
    // out from it by at least 7:1 (WCAG's enhanced contrast), on every platform.
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "1");
    h.press("Command1");
    h.box("Text5")->setFocus();
    QTRY_VERIFY(QToolTip::isVisible());
    QWidget* tip = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->inherits("QTipLabel") && widget->isVisible())
            tip = widget;
    QVERIFY(tip);
    const QImage image = tip->grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background =
        std::max_element(counts.keyValueBegin(), counts.keyValueEnd(), [](auto a, auto b) {
            return a.second < b.second;
        })->first;
    const auto luminance = [](QRgb rgb) {
        const auto linear = [](int c) {
            const double v = c / 255.0;
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) +
               0.0722 * linear(qBlue(rgb));
    };
    double contrast = 1;
    const int margin = 3; // inside the border
    for (int y = margin; y < image.height() - margin; ++y) {
        for (int x = margin; x < image.width() - margin; ++x) {
            const double a = luminance(image.pixel(x, y)), b = luminance(background);
            contrast = std::max(contrast, (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05));
        }
    }
    QVERIFY2(
        contrast >= 7,
        qPrintable(
            QStringLiteral("%1:1, background %2").arg(contrast).arg(QColor(background).name())));
}

void TestWindows::exactValueContextMenu() {
    // A result box's context menu keeps Qt's entries and adds "Copiar valor exacto", enabled
    // while the box has an exact value; it puts the form on the clipboard as shown.
    Harness h;
    QVERIFY(h.showAndActivate());
    QStringList texts;
    bool enabled = false;
    const auto open = [&](const char* name, bool copy) {
        texts.clear();
        enabled = false;
        QTimer::singleShot(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction* action : menu->actions())
                if (!action->isSeparator())
                    texts
                        << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
            QAction* copyAction = menu->findChild<QAction*>(QStringLiteral("copyExactValue"));
            enabled = copyAction && copyAction->isEnabled();
            if (copy && enabled)
                copyAction->trigger();
            menu->close();
        });
        QLineEdit* box = h.box(name);
        box->setFocus();
        // Shift+F10 opens it from the keyboard, as the Menu key does.
        QTest::keyClick(box, Qt::Key_F10, Qt::ShiftModifier);
    };
    open("Text5", false);
    QCOMPARE(texts, QStringList({"Copiar", "Seleccionar todo", "Copiar valor exacto",
                                 "Ver la resolución"}));
    QVERIFY(!enabled);
    h.type("-1", "2", "-5");
    h.press("Command1");
    QApplication::clipboard()->clear();
    open("Text5", true);
    QVERIFY(enabled);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1 − 2 i"));
    open("Text7", true);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("−16"));
    h.press("Command2");
    open("Text5", false);
    QVERIFY(!enabled);
    QVERIFY(h.window.isVisible());
}

void TestWindows::workingInTheTooltips_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::addColumn<QStringList>("tooltips"); // of Text5, Text6 and Text7

    const auto row = [](const char* name, const char* a, const char* b, const char* c,
                        std::initializer_list<const char*> tips) {
        QStringList texts;
        for (const char* tip : tips)
            texts << QString::fromUtf8(tip);
        QTest::newRow(name) << QString::fromUtf8(a) << QString::fromUtf8(b) << QString::fromUtf8(c)
                            << texts;
    };
    row("integers", "1", "-3", "1",
        {"Valor exacto: (3 + √5)/2\nx₁ = (−b + √D)/(2a) = (3 + √5)/(2·1)",
         "Valor exacto: (3 − √5)/2\nx₂ = (−b − √D)/(2a) = (3 − √5)/(2·1)",
         "Valor exacto: 5\nD = b² − 4ac = (−3)² − 4·1·1 = 9 − 4 = 5"});
    row("complex", "1", "2", "5",
        {"Valor exacto: −1 + 2 i\nx₁ = (−b + √D)/(2a) = (−2 + √(−16))/(2·1) = (−2 + 4 i)/2 = "
         "−1 + 2 i",
         "Valor exacto: −1 − 2 i\nx₂ = (−b − √D)/(2a) = (−2 − √(−16))/(2·1) = (−2 − 4 i)/2 = "
         "−1 − 2 i",
         "Valor exacto: −16\nD = b² − 4ac = 2² − 4·1·5 = 4 − 20 = −16"});
    // The coefficients' digits as typed, every number with the window's separator.
    row("decimals with commas, double root", "1", "-0,6", "0,09",
        {"Valor exacto: 0,3\nx₁ = (−b + √D)/(2a) = (0,6 + √0)/(2·1) = (0,6 + 0)/2 = 0,3",
         "Valor exacto: 0,3\nx₂ = (−b − √D)/(2a) = (0,6 − √0)/(2·1) = (0,6 − 0)/2 = 0,3",
         "Valor exacto: 0\nD = b² − 4ac = (−0,6)² − 4·1·0,09 = 0,36 − 0,36 = 0"});
    row("decimals with points", "0.5", "1", "-1",
        {"Valor exacto: −1 + √3\nx₁ = (−b + √D)/(2a) = (−1 + √3)/(2·0,5)",
         "Valor exacto: −1 − √3\nx₂ = (−b − √D)/(2a) = (−1 − √3)/(2·0,5)",
         "Valor exacto: 3\nD = b² − 4ac = 1² − 4·0,5·(−1) = 1 + 2 = 3"});
    // The first box holds the "+√D" root, a < 0 too.
    row("a < 0, complex", "-1", "2", "-5",
        {"Valor exacto: 1 − 2 i\nx₁ = (−b + √D)/(2a) = (−2 + √(−16))/(2·(−1)) = (−2 + 4 i)/(−2) "
         "= 1 − 2 i",
         "Valor exacto: 1 + 2 i\nx₂ = (−b − √D)/(2a) = (−2 − √(−16))/(2·(−1)) = (−2 − 4 i)/(−2) "
         "= 1 + 2 i",
         "Valor exacto: −16\nD = b² − 4ac = 2² − 4·(−1)·(−5) = 4 − 20 = −16"});
    row("a square root that comes out simpler", "1", "0", "-8",
        {"Valor exacto: 2√2\nx₁ = (−b + √D)/(2a) = (0 + √32)/(2·1) = (0 + 4√2)/2 = 2√2",
         "Valor exacto: −2√2\nx₂ = (−b − √D)/(2a) = (0 − √32)/(2·1) = (0 − 4√2)/2 = −2√2",
         "Valor exacto: 32\nD = b² − 4ac = 0² − 4·1·(−8) = 0 + 32 = 32"});
    row("an exponent typed", "1e0", "-3", "2",
        {"Valor exacto: 2\nx₁ = (−b + √D)/(2a) = (3 + √1)/(2·1e0) = (3 + 1)/2 = 2",
         "Valor exacto: 1\nx₂ = (−b − √D)/(2a) = (3 − √1)/(2·1e0) = (3 − 1)/2 = 1",
         "Valor exacto: 1\nD = b² − 4ac = (−3)² − 4·1e0·2 = 9 − 8 = 1"});
    // 60-digit coefficients: the forms fit, a line of working with them would not.
    const std::string digits(59, '0');
    static const std::string longA = "1" + digits, longC = "-1" + digits;
    row("too long to work out", longA.c_str(), "0", longC.c_str(),
        {"Valor exacto: 1", "Valor exacto: −1", ""});
}

void TestWindows::workingInTheTooltips() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    QFETCH(QStringList, tooltips);
    Harness h;
    h.type(qPrintable(a), qPrintable(b), qPrintable(c));
    h.press("Command1");
    QVERIFY2(h.errors.isEmpty(), qPrintable(h.errors.value(0)));
    const QStringList boxes = {"Text5", "Text6", "Text7"};
    // Each ends with the way to the whole resolution.
    const QString hint = QStringLiteral("\nCtrl+R: la resolución completa, con la gráfica");
    for (int i = 0; i < 3; ++i) {
        const QString tooltip = h.box(qPrintable(boxes[i]))->toolTip();
        QVERIFY2(tooltip.endsWith(hint), qPrintable(tooltip));
        if (tooltips[i].isEmpty()) // left out: the value alone
            QCOMPARE(tooltip.count(QLatin1Char('\n')), 1);
        else
            QCOMPARE(tooltip, tooltips[i] + hint);
    }
}

void TestWindows::informationOptions_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode"); // -1: go on
    QTest::addColumn<QString>("out");  // what it starts with

    const QString usage = QStringLiteral("Uso: brimel [opciones]\n");
    QTest::newRow("nothing") << QStringList() << -1 << QString();
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage;
    QTest::newRow("-h after Qt's options") << QStringList{"-style", "fusion", "-h"} << 0 << usage;
    QTest::newRow("--version") << QStringList{"--version"} << 0 << QStringLiteral("Brimel 1.00\n");
    QTest::newRow("Qt's own") << QStringList{"-geometry", "300x200"} << -1 << QString();
}

void TestWindows::informationOptions() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    std::vector<std::string> texts{"brimel"};
    for (const QString& argument : arguments)
        texts.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    std::ostringstream output;
    QCOMPARE(windows::answerInformationOptions(argv, output).value_or(-1), exitCode);
    QVERIFY2(QString::fromStdString(output.str()).startsWith(out), output.str().c_str());
    QCOMPARE(output.str().empty(), out.isEmpty());
}

void TestWindows::otherArguments_data() {
    QTest::addColumn<QStringList>("left"); // what the application object left of the arguments
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");

    QTest::newRow("nothing left") << QStringList{"brimel"} << -1 << QString();
    QTest::newRow("an option")
        << QStringList{"brimel", "--bogus", "x"} << windows::kExitUsage
        << QStringLiteral("brimel: opción desconocida: --bogus\n\nUso: brimel [opciones]\n");
    QTest::newRow("an argument")
        << QStringList{"brimel", "ecuacion.txt"} << windows::kExitUsage
        << QStringLiteral("brimel: argumento de más: ecuacion.txt\n\nUso: brimel [opciones]\n");
}

void TestWindows::otherArguments() {
    QFETCH(QStringList, left);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    std::ostringstream errors;
    QCOMPARE(windows::refuseOtherArguments(left, errors).value_or(-1), exitCode);
    QVERIFY2(QString::fromStdString(errors.str()).startsWith(err), errors.str().c_str());
    QCOMPARE(errors.str().empty(), err.isEmpty());
}

namespace {

// The window "Resolución" of h's main window, opened with Ctrl+R from the box for a.
windows::ResolutionWindow* openResolution(Harness& h) {
    QTest::keyClick(h.box("Text1"), Qt::Key_R, Qt::ControlModifier);
    return h.window.resolutionWindow();
}

} // namespace

void TestWindows::resolutionFollowsTheBoxes() {
    Harness h;
    QVERIFY(h.showAndActivate());
    QVERIFY(!h.window.resolutionWindow()); // nothing of it is made before it is asked for
    h.type("1", "-3", "1");
    h.press("Command1");
    windows::ResolutionWindow* resolution = openResolution(h);
    QVERIFY(resolution && resolution->isVisible());
    QCOMPARE(resolution->objectName(), QStringLiteral("Form4"));
    QCOMPARE(resolution->windowTitle(), QStringLiteral("Resolución"));
    QVERIFY(resolution->text().contains(
        QStringLiteral("\nx₁ = (−b + √D)/(2a) = (3 + √5)/(2·1) = (3 + √5)/2 ≈ 2,62\n")));
    resolution->findChild<QSpinBox*>(QStringLiteral("decimals"))->setValue(4);
    QVERIFY(resolution->text().contains(QStringLiteral("≈ 2,6180\n")));
    // Every Calcular that succeeds; a failed one leaves it on the last equation solved.
    h.type("2", "3", "-2");
    h.press("Command1");
    QVERIFY(resolution->text().contains(QStringLiteral("Forma factorizada: 2(x − 1/2)(x + 2)")));
    const QString solved = resolution->text();
    h.type("0", "1", "1");
    h.press("Command1");
    QCOMPARE(h.errors.size(), 1);
    QCOMPARE(resolution->text(), solved);
    h.press("Command2");
    QCOMPARE(resolution->text(), QStringLiteral("Escribe a, b y c y pulsa Calcular."));
    // Escape closes it; the next Ctrl+R shows the same one again.
    QVERIFY(QTest::qWaitForWindowExposed(resolution));
    resolution->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(resolution));
    QTest::keyClick(resolution, Qt::Key_Escape);
    QVERIFY(!resolution->isVisible());
    QVERIFY(h.window.isVisible());
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QCOMPARE(openResolution(h), resolution);
    QVERIFY(resolution->isVisible());
}

void TestWindows::resolutionFromTheContextMenu() {
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "2", "5");
    h.press("Command1");
    windows::ResolutionWindow* first = openResolution(h);
    QVERIFY(first);
    h.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&h.window));
    QString shortcut;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        QAction* action = menu->findChild<QAction*>(QStringLiteral("showResolution"));
        if (!action)
            return;
        shortcut = action->shortcut().toString();
        menu->close();
        action->trigger();
    });
    h.box("Text5")->setFocus();
    QTest::keyClick(h.box("Text5"), Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(shortcut, QStringLiteral("Ctrl+R"));
    QCOMPARE(h.window.resolutionWindow(), first);
    QVERIFY(first->text().startsWith(QStringLiteral("Ecuación: x² + 2x + 5 = 0\n")));
}

void TestWindows::doubleClickSelectsAWord() {
    // As in every text box: students copy a number that way.
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "2");
    h.press("Command1");
    QTest::mouseDClick(h.box("Text7"), Qt::LeftButton, {}, QPoint(8, h.box("Text7")->height() / 2));
    QCOMPARE(h.box("Text7")->selectedText(), QStringLiteral("1"));
    QVERIFY(!h.window.resolutionWindow());
}

void TestWindows::graphCrossesTheAxisAtTheRoots_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QString>("c");
    QTest::newRow("1, −3, 1") << "1"
                              << "-3"
                              << "1";
    QTest::newRow("2, 3, −2") << "2"
                              << "3"
                              << "-2";
    QTest::newRow("1, 2, 5: never") << "1"
                                    << "2"
                                    << "5";
}

void TestWindows::graphCrossesTheAxisAtTheRoots() {
    // Drawn as a person sees it: the curve's colour, column by column, above or below the row
    // of the x axis; it changes side within a pixel of each marked root, and nowhere else.
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QString, c);
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type(qPrintable(a), qPrintable(b), qPrintable(c));
    h.press("Command1");
    windows::ParabolaView* graph = openResolution(h)->graph();
    const QRectF area(0, 0, 600, 400);
    QImage image(area.size().toSize(), QImage::Format_RGB32);
    {
        QPainter painter(&image);
        graph->paint(painter, area);
    }
    const int axis = qRound(graph->pixelOf({0, 0}, area).y());
    const auto isCurve = [](QRgb rgb) {
        return qBlue(rgb) > 150 && qRed(rgb) < 90 && qGreen(rgb) < 140;
    };
    // The curve's side of the axis in a column: below it positive, above it negative.
    const auto side = [&](int x) {
        double rows = 0;
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            if (isCurve(image.pixel(std::clamp(x, 0, image.width() - 1), y))) {
                rows += y;
                ++count;
            }
        return count == 0 ? 0.0 : rows / count - axis;
    };
    // Where the curve's colour lies on the axis's row or next to it: a run of columns, where it
    // must go from one side to the other.
    std::vector<double> crossings;
    int curveColumns = 0;
    int runStart = -10, runEnd = -10;
    for (int x = 0; x < image.width(); ++x) {
        bool onTheAxis = false, anywhere = false;
        for (int y = 0; y < image.height(); ++y) {
            if (!isCurve(image.pixel(x, y)))
                continue;
            anywhere = true;
            onTheAxis = onTheAxis || std::abs(y - axis) <= 1;
        }
        curveColumns += anywhere;
        if (!onTheAxis)
            continue;
        if (x > runEnd + 3) {
            if (runEnd >= 0)
                crossings.push_back((runStart + runEnd) / 2.0);
            runStart = x;
        }
        runEnd = x;
    }
    if (runEnd >= 0)
        crossings.push_back((runStart + runEnd) / 2.0);
    QVERIFY(curveColumns > image.width() / 2);
    std::vector<double> roots;
    for (const solver::MarkedPoint& point : graph->graph()->points)
        if (point.kind == solver::MarkedPoint::Kind::Root)
            roots.push_back(graph->pixelOf({point.at.x, point.at.y}, area).x());
    std::sort(roots.begin(), roots.end());
    QCOMPARE(crossings.size(), roots.size());
    for (const double crossing : crossings)
        QVERIFY2(side(qRound(crossing) - 8) * side(qRound(crossing) + 8) < 0,
                 qPrintable(QStringLiteral("touches at %1 without crossing").arg(crossing)));
    for (std::size_t i = 0; i < roots.size(); ++i)
        QVERIFY2(std::fabs(crossings[i] - roots[i]) <= 1,
                 qPrintable(
                     QStringLiteral("crosses at %1, root at %2").arg(crossings[i]).arg(roots[i])));
}

void TestWindows::resolutionSaved() {
    // A one-page PDF whose text reads back, a PNG of the graph; a file that cannot be written is
    // said to be so, in Spanish, and nothing is left of it.
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "1");
    h.press("Command1");
    windows::ResolutionWindow* resolution = openResolution(h);
    QStringList errors;
    resolution->setErrorReporter([&errors](const QString& text) { errors << text; });
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("resolucion.pdf"));
    QVERIFY(resolution->savePdf(pdf));
    // Under Wine the check keeps a copy where BRIMEL_KEEP_PDF says, for pdftotext to read.
    if (const QString kept = qEnvironmentVariable("BRIMEL_KEEP_PDF"); !kept.isEmpty())
        QVERIFY(QFile::copy(pdf, kept));
    QFile written(pdf);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess reader;
        reader.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        for (const QString& line : resolution->text().split(QLatin1Char('\n')))
            QVERIFY2(text.contains(line), qPrintable(line));
    }
    const QString png = folder.filePath(QStringLiteral("parabola.png"));
    QVERIFY(resolution->saveImage(png));
    QCOMPARE(QImage(png).width(), resolution->graph()->width() * 2);
    QVERIFY(errors.isEmpty());

    const QString nowhere = folder.filePath(QStringLiteral("no/such/folder/resolucion.pdf"));
    QVERIFY(!resolution->savePdf(nowhere));
    QVERIFY(!resolution->saveImage(folder.filePath(QStringLiteral("no/such/folder/a.png"))));
    QCOMPARE(errors.size(), 2);
    QVERIFY2(errors[0].startsWith(QStringLiteral("No se pudo guardar «")), qPrintable(errors[0]));
    QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList({"parabola.png", "resolucion.pdf"}));
}

void TestWindows::graphZoomsMovesAndFits() {
    // A notch of the wheel shows four fifths of the view, about the pointer; the keys zoom and
    // move too, and Home goes back to the view the solver chose.
    Harness h;
    QVERIFY(h.showAndActivate());
    h.type("1", "-3", "1");
    h.press("Command1");
    windows::ParabolaView* graph = openResolution(h)->graph();
    const solver::View chosen = graph->view();
    const auto width = [&] { return graph->view().x.high - graph->view().x.low; };
    const QPointF pointer(graph->width() * 0.3, graph->height() * 0.6);
    QWheelEvent wheel(pointer, graph->mapToGlobal(pointer), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(graph, &wheel);
    QVERIFY(std::fabs(width() / (chosen.x.high - chosen.x.low) - 0.8) < 1e-9);
    // Left of the middle, where the pointer was, the view's left side moved less than its right.
    QVERIFY(graph->view().x.low - chosen.x.low < chosen.x.high - graph->view().x.high);
    graph->setFocus();
    const double left = graph->view().x.low;
    QTest::keyClick(graph, Qt::Key_Right);
    QVERIFY(std::fabs(graph->view().x.low - left - width() / 10) < width() * 1e-9);
    QTest::keyClick(graph, Qt::Key_Minus);
    QVERIFY(width() > (chosen.x.high - chosen.x.low) * 0.99);
    QTest::keyClick(graph, Qt::Key_Home);
    COMPARE_BITS(graph->view().x.low, chosen.x.low);
    COMPARE_BITS(graph->view().y.high, chosen.y.high);
}

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
