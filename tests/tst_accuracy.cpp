// SPDX-License-Identifier: MIT
// A fixed sample of hard equations, every text shown checked against MPFR: the benchmark's
// check, small enough for every run of the tests.
#include "accuracy.h"

#include <QTest>

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
    QCOMPARE(ours.spuriousErrors, 0L);
    QCOMPARE(ours.missedErrors, 0L);
    QCOMPARE(ours.worstError, 0.0);
    QVERIFY(ours.undecided < kCasesPerCategory / 100);
}

void TestAccuracy::textbookFormulasAreCaught() {
    // The check itself must see the faults it exists to find.
    long wrong = 0;
    for (const accuracy::Category& category : m_categories)
        wrong += accuracy::check(category).textbook.textsWrong;
    QVERIFY2(wrong > kCasesPerCategory, qPrintable(QString::number(wrong)));
}

QTEST_APPLESS_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
