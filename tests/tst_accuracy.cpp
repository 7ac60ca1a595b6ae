// SPDX-License-Identifier: MIT
// A fixed sample of every accuracy category, each text shown and the discriminant kept checked
// against the exact reference: the benchmark's check, small enough for every run of the tests.
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
    void exactFormsReadBack_data();
    void exactFormsReadBack();

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
    qInfo("%ld forms: %ld too long, %ld unread", tally.forms, tally.tooLong, tally.unread);
    QVERIFY2(tally.wrong == 0, tally.firstWrong.c_str());
    // Unread: a value on a decimal tie, which a binary approximation cannot round.
    QVERIFY(tally.unread <= tally.forms / 100);
    // Each category has forms to read: at least the discriminants of its short equations.
    QVERIFY(tally.forms - tally.tooLong > 0);
}

QTEST_APPLESS_MAIN(TestAccuracy)
#include "tst_accuracy.moc"
