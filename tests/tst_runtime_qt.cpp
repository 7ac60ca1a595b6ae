// SPDX-License-Identifier: MIT
// The locale-dependent texts: clock, date, decimal separator; the report's sentence and what it
// quotes.
#include "runtime/qt/clock_text.h"
#include "runtime/qt/error_report.h"
#include "runtime/qt/locale_text.h"
#include "runtime/qt/shown_text.h"

#include <QTest>

class TestRuntimeQt : public QObject {
    Q_OBJECT

private slots:
    void clockTexts_data();
    void clockTexts();
    void decimalSeparator_data();
    void decimalSeparator();
    void reportIsTheSentence();
    void quotedTexts_data();
    void quotedTexts();
};

void TestRuntimeQt::clockTexts_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QTime>("time");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("day");

    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("Spanish afternoon")
        << spanish << QTime(14, 5, 9) << QDate(2026, 12, 8) << QStringLiteral("14:05:09")
        << QStringLiteral("08/12/2026");
    QTest::newRow("Spanish midnight") << spanish << QTime(0, 0, 0) << QDate(2027, 1, 1)
                                      << QStringLiteral("0:00:00") << QStringLiteral("01/01/2027");
    QTest::newRow("US English") << english << QTime(14, 5, 9) << QDate(2026, 12, 8)
                                << QStringLiteral("2:05:09\u202fPM")
                                << QStringLiteral("12/08/2026");
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << QTime(9, 30, 1)
                            << QDate(2026, 3, 4) << QStringLiteral("09:30:01")
                            << QStringLiteral("04.03.2026");
    // C and POSIX write the date in English; the Spanish window writes it as Spanish does.
    QTest::newRow("C") << QLocale::c() << QTime(14, 5, 9) << QDate(2026, 12, 8)
                       << QStringLiteral("14:05:09") << QStringLiteral("08/12/2026");
    QTest::newRow("POSIX") << QLocale(QStringLiteral("POSIX")) << QTime(0, 0, 0)
                           << QDate(2027, 1, 1) << QStringLiteral("0:00:00")
                           << QStringLiteral("01/01/2027");
    QTest::newRow("Finnish dots") << QLocale(QLocale::Finnish, QLocale::Finland) << QTime(9, 30, 1)
                                  << QDate(2026, 3, 4) << QStringLiteral("9.30.01")
                                  << QStringLiteral("04.03.2026");
}

void TestRuntimeQt::clockTexts() {
    QFETCH(QLocale, locale);
    QFETCH(QTime, time);
    QFETCH(QDate, date);
    QFETCH(QString, clock);
    QFETCH(QString, day);
    // Some CLDR versions write a plain space before AM/PM, others a narrow no-break space.
    const runtime::ClockTexts texts(locale);
    QString shown = texts.time(time);
    shown.replace(QLatin1Char(' '), QChar(0x202f));
    QCOMPARE(shown, clock);
    QCOMPARE(texts.date(date), day);
}

void TestRuntimeQt::decimalSeparator_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("separator");

    QTest::newRow("C") << QLocale::c() << QStringLiteral(".");
    QTest::newRow("Spanish") << QLocale(QLocale::Spanish, QLocale::Spain) << QStringLiteral(",");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                             << QStringLiteral(".");
    QTest::newRow("Arabic") << QLocale(QLocale::Arabic, QLocale::Egypt) << QStringLiteral("\u066b");
}

void TestRuntimeQt::decimalSeparator() {
    QFETCH(QLocale, locale);
    QFETCH(QString, separator);
    QCOMPARE(QString::fromStdString(runtime::decimalSeparator(locale)), separator);
}

void TestRuntimeQt::reportIsTheSentence() {
    const runtime::Error error(runtime::ErrorKind::Conversion, runtime::Subject::CoefficientA,
                               "ñ<b>");
    QCOMPARE(runtime::reportText(error),
             QStringLiteral("El coeficiente a no es un número válido: «ñ<b>»."));
    // The text the window quotes is shortened, and what cannot be seen made visible.
    const runtime::Error paste(runtime::ErrorKind::Conversion, runtime::Subject::CoefficientC,
                               std::string(100, 'z') + "\n");
    QCOMPARE(runtime::reportText(paste),
             QStringLiteral("El coeficiente c no es un número válido: «%1…».")
                 .arg(QString(39, QLatin1Char('z'))));
}

void TestRuntimeQt::quotedTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString replaced(QChar(0xFFFD));
    const QString ellipsis(QChar(0x2026));
    QTest::newRow("short") << QStringLiteral("abc") << QStringLiteral("abc");
    QTest::newRow("exactly forty")
        << QString(40, QLatin1Char('x')) << QString(40, QLatin1Char('x'));
    QTest::newRow("forty-one") << QString(41, QLatin1Char('x'))
                               << QString(39, QLatin1Char('x')) + ellipsis;
    QTest::newRow("long paste") << QString(32767, QLatin1Char('7'))
                                << QString(39, QLatin1Char('7')) + ellipsis;
    QTest::newRow("multi-byte characters count as one")
        << QString(45, QChar(0xF1)) << QString(39, QChar(0xF1)) + ellipsis;
    QTest::newRow("characters beyond 16 bits count as one")
        << QString::fromUtf8("\xF0\x9F\x98\x80").repeated(45)
        << QString::fromUtf8("\xF0\x9F\x98\x80").repeated(39) + ellipsis;
    QTest::newRow("emoji kept") << QStringLiteral("\U0001F600") << QStringLiteral("\U0001F600");
    // One row per Unicode category that shows nothing or moves the text around it.
    QTest::newRow("control: tab and newline")
        << QStringLiteral("1\n2\t3") << "1" + replaced + "2" + replaced + "3";
    QTest::newRow("control: NUL") << QString(QChar(0)) + "b" << replaced + "b";
    QTest::newRow("format: right-to-left override")
        << QStringLiteral("\u202E12") << replaced + "12";
    QTest::newRow("format: soft hyphen") << QStringLiteral("1\u00AD2") << "1" + replaced + "2";
    QTest::newRow("format: Mongolian vowel separator")
        << QStringLiteral("1\u180E2") << "1" + replaced + "2";
    QTest::newRow("format: tag character") << QStringLiteral("1\U000E0041") << "1" + replaced;
    QTest::newRow("unassigned") << QStringLiteral("1\u0378") << "1" + replaced;
    QTest::newRow("private use") << QStringLiteral("\uE000x") << replaced + "x";
    QTest::newRow("line separator") << QStringLiteral("1\u20282") << "1" + replaced + "2";
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + "9" << replaced + "9";
}

void TestRuntimeQt::quotedTexts() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(runtime::quotable(text), expected);
}

QTEST_APPLESS_MAIN(TestRuntimeQt)
#include "tst_runtime_qt.moc"
