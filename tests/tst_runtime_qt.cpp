// SPDX-License-Identifier: MIT
// The locale-dependent texts: clock, date, decimal separator, and the report's sentence.
#include "runtime/clock_text.h"
#include "runtime/error_report.h"
#include "runtime/locale_text.h"

#include <QTest>

class TestRuntimeQt : public QObject {
    Q_OBJECT

private slots:
    void clockTexts_data();
    void clockTexts();
    void decimalSeparator_data();
    void decimalSeparator();
    void reportIsTheSentence();
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
}

QTEST_APPLESS_MAIN(TestRuntimeQt)
#include "tst_runtime_qt.moc"
