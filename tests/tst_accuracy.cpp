// SPDX-License-Identifier: MIT
// A fixed sample of every accuracy category, each text shown and the discriminant kept checked
// against the exact reference: the benchmark's check, small enough for every run of the tests.
#include "accuracy.h"
#include "runtime/number_text.h"
#include "textbook.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

Q_DECLARE_METATYPE(std::string)

namespace {
constexpr int kCasesPerCategory = 500;
constexpr unsigned kSeed = 2026;
} // namespace

class TestAccuracy : public QObject {
    Q_OBJECT

private slots:
    void everyTextIsExact_data();
    void everyTextIsExact();
    void textbookFormulasAreCaught();
    void exactFormsReadBack_data();
    void exactFormsReadBack();
    void resolutionReadsBack_data();
    void resolutionReadsBack();
    // The textbook formulas' results as a box would show them, which the comparison relies on.
    void textbookDisplay_data();
    void textbookDisplay();
    void textbookDisplayReadsBack();

private:
    std::vector<accuracy::Category> m_categories =
        accuracy::generateCategories(kCasesPerCategory, kSeed);
};

void TestAccuracy::everyTextIsExact_data() {
    QTest::addColumn<int>("index");
    for (std::size_t i = 0; i < m_categories.size(); ++i)
        QTest::newRow(m_categories[i].name.c_str()) << static_cast<int>(i);
}

void TestAccuracy::everyTextIsExact() {
    QFETCH(int, index);
    const accuracy::Tally ours =
        accuracy::check(m_categories[static_cast<std::size_t>(index)]).ours;
    QCOMPARE(ours.cases, static_cast<long>(kCasesPerCategory));
    QVERIFY2(ours.textsWrong == 0, ours.firstWrong.c_str());
    QCOMPARE(ours.kindsWrong, 0L);
    QCOMPARE(ours.storedWrong, 0L);
    QCOMPARE(ours.spuriousErrors, 0L);
    QCOMPARE(ours.missedErrors, 0L);
    QVERIFY(ours.worstError == 0); // not QCOMPARE: on doubles it would let 1e-13 pass
    QCOMPARE(ours.undecided, 0L);
}

void TestAccuracy::textbookFormulasAreCaught() {
    // The check itself must see the faults it exists to find: wrong texts, wrong kinds and
    // wrong stored values, in the categories typed as decimals too.
    long texts = 0, kinds = 0, stored = 0;
    for (const accuracy::Category& category : m_categories) {
        const accuracy::Tally textbook = accuracy::check(category).textbook;
        texts += textbook.textsWrong;
        kinds += textbook.kindsWrong;
        stored += textbook.storedWrong;
        if (category.name == "double roots from decimals")
            QVERIFY(textbook.kindsWrong > kCasesPerCategory / 10);
    }
    QVERIFY2(texts > kCasesPerCategory && kinds > 0 && stored > kCasesPerCategory,
             qPrintable(QStringLiteral("%1 %2 %3").arg(texts).arg(kinds).arg(stored)));
}

void TestAccuracy::exactFormsReadBack_data() {
    everyTextIsExact_data();
}

void TestAccuracy::exactFormsReadBack() {
    QFETCH(int, index);
    const accuracy::FormTally tally =
        accuracy::checkExactForms(m_categories[static_cast<std::size_t>(index)]);
    qInfo("%ld forms: %ld too long, %ld unread; %ld lines of working, %ld unread", tally.forms,
          tally.tooLong, tally.unread, tally.workings, tally.workingsUnread);
    QVERIFY2(tally.wrong == 0 && tally.workingsWrong == 0, tally.firstWrong.c_str());
    // Unread: a value on a decimal tie, which a binary approximation cannot round.
    QVERIFY(tally.unread <= tally.forms / 100);
    QVERIFY(tally.workingsUnread <= tally.workings / 100);
    // Each category has forms to read: at least the discriminants of its short equations.
    QVERIFY(tally.forms - tally.tooLong > 0);
}

void TestAccuracy::resolutionReadsBack_data() {
    everyTextIsExact_data();
}

void TestAccuracy::resolutionReadsBack() {
    QFETCH(int, index);
    const accuracy::ResolutionTally tally =
        accuracy::checkResolution(m_categories[static_cast<std::size_t>(index)]);
    qInfo("%ld lines read back, %ld unread; %ld values rounded, %ld left undecided", tally.lines,
          tally.unread, tally.approximations, tally.undecided);
    QVERIFY2(tally.wrong == 0, tally.firstWrong.c_str());
    QVERIFY2(tally.unread <= tally.lines / 100, tally.firstUnread.c_str());
    QVERIFY(tally.lines > 0);
}

void TestAccuracy::textbookDisplay_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<std::string>("separator");
    QTest::addColumn<std::string>("expected");

    const std::string point = ".";
    QTest::newRow("zero") << 0.0 << point << std::string("0");
    QTest::newRow("negative zero") << -0.0 << point << std::string("0");
    QTest::newRow("half") << 0.5 << point << std::string("0.5");
    QTest::newRow("half, comma") << 0.5 << std::string(",") << std::string("0,5");
    QTest::newRow("minus one") << -1.0 << point << std::string("-1");
    QTest::newRow("whole number") << 64.0 << point << std::string("64");
    QTest::newRow("fifteen digits") << 123456789012345.0 << point << std::string("123456789012345");
    QTest::newRow("1e15") << 1e15 << point << std::string("1E+15");
    QTest::newRow("rounds up into exponent form")
        << 999999999999999.9 << point << std::string("1E+15");
    QTest::newRow("smallest plain") << 0.0001 << point << std::string("0.0001");
    QTest::newRow("just below 1e-4") << 0.00009 << point << std::string("9E-05");
    QTest::newRow("exponent form") << 1.5e-7 << point << std::string("1.5E-07");
    QTest::newRow("exponent form, comma") << -1.5e-7 << std::string(",") << std::string("-1,5E-07");
    QTest::newRow("three-digit exponent") << 1e-100 << point << std::string("1E-100");
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << point << std::string("1.79769313486232E+308");
    QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min() << point
                               << std::string("4.94065645841247E-324");
    QTest::newRow("one third") << 1.0 / 3 << point << std::string("0.333333333333333");
    QTest::newRow("two thirds rounds") << 2.0 / 3 << point << std::string("0.666666666666667");
    QTest::newRow("0.1 is 0.1") << 0.1 << point << std::string("0.1");
    QTest::newRow("trailing zeros trimmed") << 1.25 << point << std::string("1.25");
    QTest::newRow("typed tie, stored just above it")
        << 101000000.1000005 << point << std::string("101000000.100001");
    QTest::newRow("zeros inside whole number") << 1000200.0 << point << std::string("1000200");
    QTest::newRow("multi-byte separator") << 2.5 << std::string("\xD9\xAB")
                                          << std::string("2\xD9\xAB"
                                                         "5");
}

void TestAccuracy::textbookDisplay() {
    QFETCH(double, value);
    QFETCH(std::string, separator);
    QFETCH(std::string, expected);
    QCOMPARE(textbook::shown(value, separator), expected);
}

void TestAccuracy::textbookDisplayReadsBack() {
    // Every text shown must be accepted back and land within half a unit of its 15th digit,
    // plus the half unit in the last place that reading it back rounds by; shown again, it is
    // the same text.
    const double samples[] = {1.0 / 7, -2.0 / 3,           6.02214076e23,
                              1e-5,    -9.87654321e-300,   1.7e308,
                              3e-320,  12345.678901234567, 101000000.1000005};
    for (double value : samples) {
        for (const std::string separator : {".", ","}) {
            const std::string text = textbook::shown(value, separator);
            const double back = runtime::readNumber(text).nearest;
            const double magnitude = std::fabs(value);
            const double ulp = std::nextafter(magnitude, HUGE_VAL) - magnitude;
            QVERIFY2(std::fabs(back - value) <= magnitude * 5e-15 + ulp,
                     qPrintable(QString::fromStdString(text)));
            QCOMPARE(textbook::shown(back, separator), text);
        }
    }
}

QTEST_APPLESS_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
