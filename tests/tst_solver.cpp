// SPDX-License-Identifier: MIT
// The "Calcular" command against a fake window, and the numbers against the exact reference.
#include "compare_bits.h"
#include "reference.h"
#include "runtime/errors.h"
#include "runtime/texts.h"
#include "solver/calculation.h"
#include "solver/exact_form.h"
#include "solver/plot_view.h"
#include "solver/quadratic.h"
#include "solver/resolution.h"

#include <QStringList>
#include <QTest>
#include <gmpxx.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

using runtime::ErrorKind;
using runtime::Subject;

namespace {

constexpr int kNoError = -1;
constexpr double kUntouched = 7; // what the window-level values hold before each run

// A window that remembers every change made to it, in order.
class FakeBoxes : public solver::Boxes {
public:
    FakeBoxes(std::string a, std::string b, std::string c, std::string separator = ".")
        : m_inputs{std::move(a), std::move(b), std::move(c)}, m_separator(std::move(separator)) {}

    std::string text(solver::InputBox box) const override {
        return m_inputs[static_cast<std::size_t>(box)];
    }
    void setText(solver::ResultBox box, const std::string& text) override {
        static const char* const names[] = {"Text5", "Text6", "Text7"};
        record(QStringLiteral("%1=%2").arg(QLatin1String(names[static_cast<int>(box)]),
                                           QString::fromStdString(text)));
    }
    void setExactValue(solver::ResultBox box, const std::optional<std::string>& form,
                       const std::string& working) override {
        const std::string shown = form.value_or(solver::tooLongNote());
        exactForms[static_cast<std::size_t>(box)] = QString::fromStdString(shown);
        workings[static_cast<std::size_t>(box)] = QString::fromStdString(working);
    }
    void setResolution(std::shared_ptr<const solver::Resolution> solved) override {
        resolution = std::move(solved);
    }
    void setKind(const std::string& caption) override {
        record(QStringLiteral("Label1=") + QString::fromStdString(caption));
    }
    void showMessage(const std::string& message) override {
        record(QStringLiteral("message:") + QString::fromStdString(message));
    }
    void focusFirstInput() override { record(QStringLiteral("focus")); }
    std::string decimalSeparator() const override { return m_separator; }

    QString log() const { return m_log.join(QLatin1Char('|')); }

    std::array<QString, 3> exactForms; // of Text5, Text6, Text7, kept apart from the log
    std::array<QString, 3> workings;   // of the same
    std::shared_ptr<const solver::Resolution> resolution;

private:
    void record(const QString& entry) { m_log << entry; }

    std::array<std::string, 3> m_inputs;
    std::string m_separator;
    QStringList m_log;
};

struct Run {
    QString log;
    std::array<QString, 3> exactForms;
    std::array<QString, 3> workings;
    int kind = kNoError;
    int subject = kNoError;
    solver::WindowValues values{kUntouched, kUntouched, kUntouched, kUntouched};
};

Run run(const std::string& a, const std::string& b, const std::string& c,
        const std::string& separator = ".") {
    FakeBoxes boxes(a, b, c, separator);
    Run result;
    try {
        solver::calculate(boxes, result.values);
    } catch (const runtime::Error& error) {
        result.kind = static_cast<int>(error.kind());
        result.subject = static_cast<int>(error.subject());
    }
    result.log = boxes.log();
    result.exactForms = boxes.exactForms;
    result.workings = boxes.workings;
    return result;
}

QString shows(const char* first, const char* second, const char* kind, const char* discriminant) {
    return QStringLiteral("Text5=%1|Text6=%2|Label1=%3|Text7=%4|focus")
        .arg(QString::fromUtf8(first), QString::fromUtf8(second), QString::fromUtf8(kind),
             QString::fromUtf8(discriminant));
}

runtime::Number exactly(const char* text) {
    return runtime::readNumber(text);
}

} // namespace

Q_DECLARE_METATYPE(std::string)

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void separatorFollowsTheWindow();
    void exactForms_data();
    void exactForms();
    void working_data();
    void working();
    void againstTheReference_data();
    void againstTheReference();
    void discriminantSignSurvivesUnderflow();
    void subnormalBoundary_data();
    void subnormalBoundary();
    void resolution_data();
    void resolution();
    void approximateRoots_data();
    void approximateRoots();
    void chosenView_data();
    void chosenView();
    void viewBeyondTheDoubles();
};

void TestSolver::command_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");
    QTest::addColumn<QString>("log"); // every change to the window, in order
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("subject");
    // The window-level values afterwards, compared bit for bit: each is the double nearest to
    // the exact value, which a decimal literal here gives too.
    QTest::addColumn<double>("storedA");
    QTest::addColumn<double>("storedB");
    QTest::addColumn<double>("storedC");
    QTest::addColumn<double>("storedD");

    const char* real = "Solución real";
    const char* complex = "Solución compleja";
    const double inf = std::numeric_limits<double>::infinity();
    const int none = kNoError;
    const double u = kUntouched;
    const auto kind = [](ErrorKind k) { return static_cast<int>(k); };
    const auto at = [](Subject s) { return static_cast<int>(s); };
    const QString nothing;
    const QString message =
        QStringLiteral("message:Por favor, introduza los valores de a,b,c|focus");
    const auto row = [](const char* name, const char* a, const char* b, const char* c) -> auto& {
        return QTest::newRow(name) << std::string(a) << std::string(b) << std::string(c);
    };

    // The design's table.
    row("two real roots", "1", "-3", "2")
        << shows("2", "1", real, "1") << none << none << 1.0 << -3.0 << 2.0 << 1.0;
    row("double root", "1", "2", "1")
        << shows("-1", "-1", real, "0") << none << none << 1.0 << 2.0 << 1.0 << 0.0;
    row("divided by 2a", "2", "0", "-8")
        << shows("2", "-2", real, "64") << none << none << 2.0 << 0.0 << -8.0 << 64.0;
    row("complex", "1", "2", "5") << shows("-1+2 i", "-1-2 i", complex, "-16") << none << none
                                  << 1.0 << 2.0 << 5.0 << -16.0;
    row("complex, a < 0", "-1", "2", "-5")
        << shows("1-2 i", "1+2 i", complex, "-16") << none << none << -1.0 << 2.0 << -5.0 << -16.0;
    // Its edge cases.
    row("a < 0, real", "-1", "5", "-1") << shows("0.20871215252208", "4.79128784747792", real, "21")
                                        << none << none << -1.0 << 5.0 << -1.0 << 21.0;
    row("a < 0, double root", "-1", "2", "-1")
        << shows("1", "1", real, "0") << none << none << -1.0 << 2.0 << -1.0 << 0.0;
    row("a empty", "", "2", "3") << message << none << none << u << u << u << u;
    row("c empty", "1", "2", "") << message << none << none << u << u << u << u;
    row("all empty", "", "", "") << message << none << none << u << u << u << u;
    row("blanks are not empty", " ", "2", "3")
        << nothing << kind(ErrorKind::Conversion) << at(Subject::CoefficientA) << u << u << u << u;
    row("a = 0, b > 0", "0", "1", "1") << nothing << kind(ErrorKind::InvalidOperation)
                                       << at(Subject::FirstRoot) << 0.0 << 1.0 << 1.0 << 1.0;
    row("a = 0, b = 0", "0", "0", "5") << nothing << kind(ErrorKind::InvalidOperation)
                                       << at(Subject::FirstRoot) << 0.0 << 0.0 << 5.0 << 0.0;
    row("a = 0, b < 0", "0", "-2", "5") << nothing << kind(ErrorKind::DivisionByZero)
                                        << at(Subject::FirstRoot) << 0.0 << -2.0 << 5.0 << 4.0;
    row("a = -0, b = -0", "-0,00", "-0", "5")
        << nothing << kind(ErrorKind::InvalidOperation) << at(Subject::FirstRoot) << -0.0 << -0.0
        << 5.0 << 0.0;
    // Each coefficient is kept from the moment it converts; the rest stays as it was.
    row("bad b", "1", "x", "2") << nothing << kind(ErrorKind::Conversion)
                                << at(Subject::CoefficientB) << 1.0 << u << u << u;
    row("c beyond range", "1", "2", "1e400") << nothing << kind(ErrorKind::Overflow)
                                             << at(Subject::CoefficientC) << 1.0 << 2.0 << u << u;
    row("c below 1e-100000", "1", "2", "1e-100001")
        << nothing << kind(ErrorKind::Conversion) << at(Subject::CoefficientC) << 1.0 << 2.0 << u
        << u;
    row("discriminant beyond range", "1e200", "1e200", "1")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::Discriminant) << 1e200 << 1e200
        << 1.0 << inf;
    row("a = 0 with an overflowing discriminant", "0", "-1e300", "1")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::Discriminant) << 0.0 << -1e300 << 1.0
        << inf;
    row("root beyond range", "1e-300", "1e10", "1")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::SecondRoot) << 1e-300 << 1e10 << 1.0
        << 1e20;
    row("imaginary part beyond range", "4.9406564584124654e-324", "0", "1e308")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::ImaginaryPart)
        << 4.9406564584124654e-324 << 0.0 << 1e308 << -1.97626258336498616e-15;
    row("real part beyond range", "4.9406564584124654e-324", "1e-8", "1e308")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::RealPart) << 4.9406564584124654e-324
        << 1e-8 << 1e308 << -1.87626258336498616e-15;
    // A nonzero a below the doubles is not 0: the far root is what overflows.
    row("a below the doubles", "1e-400", "1", "1")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::SecondRoot) << 0.0 << 1.0 << 1.0
        << 1.0;
    // The imaginary part's own sign decides the boxes' order, not a's nearest double (-0 here).
    row("complex, a < 0 below the doubles", "-1e-400", "0", "-1e-400")
        << shows("0-1 i", "0+1 i", complex, "-4E-800") << none << none << -0.0 << 0.0 << -0.0
        << -0.0;
    // No spurious failure where the textbook formulas overflow in b*b and 4ac.
    row("huge coefficients, double root", "1e154", "2e154", "1e154")
        << shows("-1", "-1", real, "0") << none << none << 1e154 << 2e154 << 1e154 << 0.0;
    row("negative discriminant beyond range", "1e300", "1e300", "1e300")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::Discriminant) << 1e300 << 1e300
        << 1e300 << -inf;
    // Where b^2 dwarfs 4ac the textbook small root loses every digit (about -7.45E-09).
    row("cancellation", "1", "1e8", "1") << shows("-1E-08", "-100000000", real, "1E+16") << none
                                         << none << 1.0 << 1e8 << 1.0 << 9999999999999996.0;
    row("comma separator typed", "0,5", "-1,5", "1")
        << shows("2", "1", real, "0.25") << none << none << 0.5 << -1.5 << 1.0 << 0.25;
    row("c = 0", "2", "-4", "0") << shows("2", "0", real, "16") << none << none << 2.0 << -4.0
                                 << 0.0 << 16.0;
    row("b = c = 0, no negative zero", "-3", "-0", "0")
        << shows("0", "0", real, "0") << none << none << -3.0 << -0.0 << 0.0 << 0.0;

    // The equation as typed, not as the nearest doubles would have it.
    row("(x - 0.3)^2", "1", "-0.6", "0.09")
        << shows("0.3", "0.3", real, "0") << none << none << 1.0 << -0.6 << 0.09 << 0.0;
    row("(x - 0.6)(x - 0.5)", "1", "-1.1", "0.3")
        << shows("0.6", "0.5", real, "0.01") << none << none << 1.0 << -1.1 << 0.3 << 0.01;
    row("(x + 0.9)(x + 1.52)", "1", "2.42", "1.368")
        << shows("-0.9", "-1.52", real, "0.3844") << none << none << 1.0 << 2.42 << 1.368 << 0.3844;
    row("(x + 0.15)^2", "1", "0.3", "0.0225")
        << shows("-0.15", "-0.15", real, "0") << none << none << 1.0 << 0.3 << 0.0225 << 0.0;
    row("(x - 0.1 - 0.2i)(x - 0.1 + 0.2i)", "1", "-0,2", "0,05")
        << shows("0.1+0.2 i", "0.1-0.2 i", complex, "-0.16") << none << none << 1.0 << -0.2 << 0.05
        << -0.16;
    row("a < 0, complex in decimals", "-0.5", "0.1", "-0.025")
        << shows("0.1-0.2 i", "0.1+0.2 i", complex, "-0.04") << none << none << -0.5 << 0.1
        << -0.025 << -0.04;
    row("17 digits are 17 digits", "1", "1.0000000000000002", "0.25000000000000011")
        << shows("-0.5+3.16227766016838E-09 i", "-0.5-3.16227766016838E-09 i", complex, "-4E-17")
        << none << none << 1.0 << 1.0000000000000002 << 0.25000000000000011
        << -3.999999999999996e-17;

    // Fractions, exactly: the discriminant is −13/12, not that of the nearest doubles.
    row("fractions", "1", "-1/2", "1/3")
        << shows("0.25+0.520416499866533 i", "0.25-0.520416499866533 i", complex,
                 "-1.08333333333333")
        << none << none << 1.0 << -0.5 << 1.0 / 3 << -13.0 / 12;
    row("a fraction over 0", "1", "2", "1/0") << nothing << kind(ErrorKind::ZeroDenominator)
                                              << at(Subject::CoefficientC) << 1.0 << 2.0 << u << u;
    row("0/5 for a is a = 0", "0/5", "1", "1")
        << nothing << kind(ErrorKind::InvalidOperation) << at(Subject::FirstRoot) << 0.0 << 1.0
        << 1.0 << 1.0;
    // b^2 and 4ac 10^50000 apart: the far part's sign breaks the exact ties.
    row("far c, tie broken down", "1", "-2.000000000000015", "1e-50000")
        << shows("2.00000000000001", "4.99999999999996E-50001", real, "4.00000000000006") << none
        << none << 1.0 << -2.000000000000015 << 0.0 << 4.00000000000006;
    row("far c, tie broken up", "1", "-2.000000000000015", "-1e-50000")
        << shows("2.00000000000002", "-4.99999999999996E-50001", real, "4.00000000000006") << none
        << none << 1.0 << -2.000000000000015 << -0.0 << 4.00000000000006;
    row("far c, discriminant tie down", "1", "3.1622785", "1e-50000")
        << shows("-3.16227682033698E-50001", "-3.1622785", real, "10.0000053115622") << none << none
        << 1.0 << 3.1622785 << 0.0 << 10.00000531156225;
    row("far c, discriminant tie up", "1", "3.1622785", "-1e-50000")
        << shows("3.16227682033698E-50001", "-3.1622785", real, "10.0000053115623") << none << none
        << 1.0 << 3.1622785 << -0.0 << 10.00000531156225;
    // The root near 0 is -c/b (1 + ac/b^2 + ...): on a tie, above it in magnitude when ac > 0
    // and below it when ac < 0, whatever the signs of a and b.
    row("near root on a tie, a > 0, ac > 0: up", "1", "-1", "1.000000000000005e-50000")
        << shows("1", "1.00000000000001E-50000", real, "1") << none << none << 1.0 << -1.0 << 0.0
        << 1.0;
    row("near root on a tie, a > 0, ac < 0: down", "1", "-1", "-1.000000000000005e-50000")
        << shows("1", "-1E-50000", real, "1") << none << none << 1.0 << -1.0 << -0.0 << 1.0;
    row("near root on a tie, a < 0, ac > 0: up", "-1", "-1", "-1.000000000000005e-50000")
        << shows("-1", "-1.00000000000001E-50000", real, "1") << none << none << -1.0 << -1.0
        << -0.0 << 1.0;
    row("near root on a tie, a < 0, ac < 0: down", "-1", "-1", "1.000000000000005e-50000")
        << shows("-1", "1E-50000", real, "1") << none << none << -1.0 << -1.0 << 0.0 << 1.0;
    // A negative irrational root 10^-1000 from a tie: its sign must not turn the decision round.
    row("negative irrational root just inside a tie", "1", "2.000000000000015", "1e-1000")
        << shows("-4.99999999999996E-1001", "-2.00000000000001", real, "4.00000000000006") << none
        << none << 1.0 << 2.000000000000015 << 0.0 << 4.00000000000006;
    row("negative irrational root just outside a tie", "1", "2.000000000000015", "-1e-1000")
        << shows("4.99999999999996E-1001", "-2.00000000000002", real, "4.00000000000006") << none
        << none << 1.0 << 2.000000000000015 << -0.0 << 4.00000000000006;
    row("near c = 0, discriminant tie to even", "1", "3.1622785", "0")
        << shows("0", "-3.1622785", real, "10.0000053115622") << none << none << 1.0 << 3.1622785
        << 0.0 << 10.00000531156225;
    row("far b, rational roots, tie down", "1", "1e-50000", "-1.000000000000030000000000000225")
        << shows("1.00000000000001", "-1.00000000000002", real, "4.00000000000012") << none << none
        << 1.0 << 0.0 << -1.000000000000030000000000000225 << 4.000000000000120000000000000900;
    row("far b, rational roots, tie up", "1", "-1e-50000", "-1.000000000000030000000000000225")
        << shows("1.00000000000002", "-1.00000000000001", real, "4.00000000000012") << none << none
        << 1.0 << -0.0 << -1.000000000000030000000000000225 << 4.000000000000120000000000000900;
    row("far b, irrational roots", "1", "1e-50000", "-2")
        << shows("1.4142135623731", "-1.4142135623731", real, "8") << none << none << 1.0 << 0.0
        << -2.0 << 8.0;
    row("far b, complex, rational", "1", "1e-50000", "1.000000000000030000000000000225")
        << shows("-5E-50001+1.00000000000001 i", "-5E-50001-1.00000000000001 i", complex,
                 "-4.00000000000012")
        << none << none << 1.0 << 0.0 << 1.000000000000030000000000000225
        << -4.000000000000120000000000000900;
    row("far b, complex, a < 0", "-2", "1e-50000", "-4")
        << shows("2.5E-50001-1.4142135623731 i", "2.5E-50001+1.4142135623731 i", complex, "-32")
        << none << none << -2.0 << 0.0 << -4.0 << -32.0;
}

void TestSolver::command() {
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(std::string, c);
    QFETCH(QString, log);
    QFETCH(int, kind);
    QFETCH(int, subject);
    QFETCH(double, storedA);
    QFETCH(double, storedB);
    QFETCH(double, storedC);
    QFETCH(double, storedD);

    const Run result = run(a, b, c);
    QCOMPARE(result.kind, kind);
    if (kind != kNoError) {
        QCOMPARE(result.subject, subject);
        QCOMPARE(result.log, QString()); // a failure changes no box and leaves the focus alone
        // Only a text whose value is exactly 0 fails as a = 0 does.
        const bool aIsZero = kind == static_cast<int>(ErrorKind::InvalidOperation) ||
                             kind == static_cast<int>(ErrorKind::DivisionByZero);
        QCOMPARE(aIsZero, storedA == 0 && subject == static_cast<int>(Subject::FirstRoot));
    } else {
        QCOMPARE(result.log, log);
    }
    COMPARE_BITS(result.values.a, storedA);
    COMPARE_BITS(result.values.b, storedB);
    COMPARE_BITS(result.values.c, storedC);
    COMPARE_BITS(result.values.discriminant, storedD);
}

void TestSolver::separatorFollowsTheWindow() {
    QCOMPARE(run("2", "-1", "-1", ",").log, shows("1", "-0,5", "Solución real", "9"));
    QCOMPARE(run("4", "2", "1", ",").log,
             shows("-0,25+0,433012701892219 i", "-0,25-0,433012701892219 i", "Solución compleja",
                   "-12"));
    // The window's own separator is read too: the Arabic one here.
    QCOMPARE(run("2",
                 "-1\xD9\xAB"
                 "5",
                 "0", "\xD9\xAB")
                 .log,
             shows("0\xD9\xAB"
                   "75",
                   "0", "Solución real",
                   "2\xD9\xAB"
                   "25"));
}

void TestSolver::exactForms_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("discriminant");

    const auto row = [](const char* a, const char* b, const char* c) -> auto& {
        return QTest::newRow(
                   qPrintable(QStringLiteral("%1, %2, %3")
                                  .arg(QLatin1String(a), QLatin1String(b), QLatin1String(c))))
               << std::string(a) << std::string(b) << std::string(c);
    };
    // Typed as integers: integers and fractions in lowest terms.
    row("1", "-3", "1") << "(3 + √5)/2"
                        << "(3 − √5)/2"
                        << "5";
    row("1", "0", "-2") << "√2"
                        << "−√2"
                        << "8";
    row("3", "2", "-1") << "1/3"
                        << "−1"
                        << "16";
    row("1", "1", "1") << "−1/2 + (√3/2) i"
                       << "−1/2 − (√3/2) i"
                       << "−3";
    row("2", "1", "-1") << "1/2"
                        << "−1"
                        << "9";
    row("1", "-2", "-1") << "1 + √2"
                         << "1 − √2"
                         << "8";
    row("-1", "5", "-1") << "(5 − √21)/2"
                         << "(5 + √21)/2"
                         << "21";
    row("-1", "2", "-5") << "1 − 2 i" // the boxes' order: a < 0 puts the minus first
                         << "1 + 2 i"
                         << "−16";
    row("2", "0", "1") << "(√2/2) i"
                       << "−(√2/2) i"
                       << "−8";
    row("1", "0", "1") << "i"
                       << "−i"
                       << "−4";
    row("12", "-12", "1") << "(3 + √6)/6"
                          << "(3 − √6)/6"
                          << "96";
    row("300", "-1", "-2") << "1/12"
                           << "−2/25"
                           << "2401";
    // Typed with decimals: terminating decimals as decimals, other rationals as fractions.
    row("1", "-0.6", "0.09") << "0.3"
                             << "0.3"
                             << "0";
    row("0.5", "1", "-1") << "−1 + √3"
                          << "−1 − √3"
                          << "3";
    row("1", "0.3", "-0.0767") << "−0.15 + 0.04√62"
                               << "−0.15 − 0.04√62"
                               << "0.3968";
    row("0.3", "0.2", "-1") << "−1/3 + √31/3"
                            << "−1/3 − √31/3"
                            << "1.24";
    row("1e0", "2", "5") << "−1 + 2 i"
                         << "−1 − 2 i"
                         << "−16";
    // An exponent makes a coefficient typed as a decimal, not as an integer.
    row("2e0", "1", "-1") << "0.5"
                          << "−1"
                          << "9";
    // 15 significant digits are written as a decimal, 16 and 17 as a fraction.
    row("1", "-0.123456789012345", "0") << "0.123456789012345"
                                        << "0"
                                        << "609663150129546764822495961/"
                                           "40000000000000000000000000000";
    row("1", "-0.1234567890123456", "0") << "19290123283179/156250000000000"
                                         << "0"
                                         << "372108856280244562224346041/"
                                            "24414062500000000000000000000";
    row("1", "-0.12345678901234567", "0") << "12345678901234567/100000000000000000"
                                          << "0"
                                          << "152415787532388345526596755677489/"
                                             "10000000000000000000000000000000000";
    // Where the simplified form needs E, the formula's (−b ± √D)/(2a) with the numbers in full,
    // 2a made positive, if it needs none and is no longer; otherwise the simplified one stays.
    row("1", "1.23456789", "0.1") << "(−1.23456789 + √1.1241578750190521)/2"
                                  << "(−1.23456789 − √1.1241578750190521)/2"
                                  << "11241578750190521/10000000000000000";
    row("-2", "1.23456789", "0.1") << "(1.23456789 − √2.3241578750190521)/4"
                                   << "(1.23456789 + √2.3241578750190521)/4"
                                   << "23241578750190521/10000000000000000";
    row("1", "1e-10", "-1") << "−5E−11 + 5E−11√400000000000000000001"
                            << "−5E−11 − 5E−11√400000000000000000001"
                            << "400000000000000000001/100000000000000000000";
    // With a fraction typed, rational parts are fractions in lowest terms, never decimals.
    row("1", "-1/2", "1/3") << "1/4 + (√39/12) i"
                            << "1/4 − (√39/12) i"
                            << "−13/12";
    row("2/3", "1", "-0.75") << "(−3 + 3√3)/4"
                             << "(−3 − 3√3)/4"
                             << "3";
    // An imaginary part in parentheses where it has a root or a fraction bar, not otherwise.
    row("4", "0", "1") << "(1/2) i"
                       << "−(1/2) i"
                       << "−16";
    row("4.0", "0", "1") << "0.5 i"
                         << "−0.5 i"
                         << "−16";
    row("1", "0", "0.75") << "(0.5√3) i"
                          << "−(0.5√3) i"
                          << "−3";
    // Square factors found by trial division, and a cofactor that is a square: 2 x 999983^2.
    row("1", "0", "-1999932000578") << "999983√2"
                                    << "−999983√2"
                                    << "7999728002312";
    // 1009^2 x 524287 x 999983: trial division finds all three primes, the largest just below
    // 10^6; only the square comes out.
    row("1", "0", "-533757559214234801") << "1009√524278087121"
                                         << "−1009√524278087121"
                                         << "2135030236856939204";
    // A cofactor that is the square of a prime beyond 10^6 is taken out whole; one that is not a
    // square keeps such a factor, as the trial division stops at 10^6.
    row("1", "0", "-1000006000009") << "1000003"
                                    << "−1000003"
                                    << "4000024000036";
    row("1", "0", "-2000012000018") << "√2000012000018"
                                    << "−√2000012000018"
                                    << "8000048000072";
    row("1", "0", "-2000000000000000000000000000000000000000000002")
        << "√2000000000000000000000000000000000000000000002"
        << "−√2000000000000000000000000000000000000000000002"
        << "8000000000000000000000000000000000000000000008";
    // A form of 200 characters is written, one of 201 is not: D = -10^198, then -10^199.
    const QString tooLong =
        QStringLiteral("demasiado largo para escribirlo (más de 200 caracteres)");
    QTest::newRow("form of 200 characters")
        << std::string("1") << std::string("0") << "25" + std::string(196, '0')
        << "5" + QString(98, QLatin1Char('0')) + " i"
        << "−5" + QString(98, QLatin1Char('0')) + " i"
        << "−1" + QString(198, QLatin1Char('0'));
    QTest::newRow("form of 201 characters")
        << std::string("1") << std::string("0") << "25" + std::string(197, '0')
        << "(5" + QString(98, QLatin1Char('0')) + "√10) i"
        << "−(5" + QString(98, QLatin1Char('0')) + "√10) i" << tooLong;
    // b^2 and 4ac 10^50000 apart: far longer than a form may be.
    row("1", "-2.000000000000015", "1e-50000") << tooLong << tooLong << tooLong;
}

void TestSolver::exactForms() {
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(std::string, c);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, discriminant);
    const Run result = run(a, b, c);
    QCOMPARE(result.kind, kNoError);
    QCOMPARE(result.exactForms[0], first);
    QCOMPARE(result.exactForms[1], second);
    QCOMPARE(result.exactForms[2], discriminant);
}

void TestSolver::working_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");
    QTest::addColumn<QStringList>("lines"); // of Text5, Text6 and Text7, in a window writing ","

    const auto row = [](const char* name, const char* a, const char* b, const char* c,
                        std::initializer_list<const char*> lines) {
        QStringList texts;
        for (const char* line : lines)
            texts << QString::fromUtf8(line);
        QTest::newRow(name) << std::string(a) << std::string(b) << std::string(c) << texts;
    };
    row("integers", "1", "-3", "1",
        {"x₁ = (−b + √D)/(2a) = (3 + √5)/(2·1)", "x₂ = (−b − √D)/(2a) = (3 − √5)/(2·1)",
         "D = b² − 4ac = (−3)² − 4·1·1 = 9 − 4 = 5"});
    row("the last step not repeated", "1", "1", "-11",
        {"x₁ = (−b + √D)/(2a) = (−1 + √45)/(2·1) = (−1 + 3√5)/2",
         "x₂ = (−b − √D)/(2a) = (−1 − √45)/(2·1) = (−1 − 3√5)/2",
         "D = b² − 4ac = 1² − 4·1·(−11) = 1 + 44 = 45"});
    row("a base typed with an exponent, squared", "1", "2e0", "1",
        {"x₁ = (−b + √D)/(2a) = (−2e0 + √0)/(2·1) = (−2 + 0)/2 = −1",
         "x₂ = (−b − √D)/(2a) = (−2e0 − √0)/(2·1) = (−2 − 0)/2 = −1",
         "D = b² − 4ac = (2e0)² − 4·1·1 = 4 − 4 = 0"});
    row("typed with points, written with the window's comma", "0.5", "-1.2", "0.3",
        {"x₁ = (−b + √D)/(2a) = (1,2 + √0,84)/(2·0,5) = 1,2 + 0,2√21",
         "x₂ = (−b − √D)/(2a) = (1,2 − √0,84)/(2·0,5) = 1,2 − 0,2√21",
         "D = b² − 4ac = (−1,2)² − 4·0,5·0,3 = 1,44 − 0,6 = 0,84"});
    row("no division by 1, b = 0", "0,5", "0", "-4",
        {"x₁ = (−b + √D)/(2a) = (0 + √8)/(2·0,5) = 2√2",
         "x₂ = (−b − √D)/(2a) = (0 − √8)/(2·0,5) = −2√2",
         "D = b² − 4ac = 0² − 4·0,5·(−4) = 0 + 8 = 8"});
    row("a division by −1 is written", "-0,5", "0", "2",
        {"x₁ = (−b + √D)/(2a) = (0 + √4)/(2·(−0,5)) = (0 + 2)/(−1) = −2",
         "x₂ = (−b − √D)/(2a) = (0 − √4)/(2·(−0,5)) = (0 − 2)/(−1) = 2",
         "D = b² − 4ac = 0² − 4·(−0,5)·2 = 0 + 4 = 4"});
    row("the formula's form where the simplified one needs E", "1", "1.23456789", "0.1",
        {"x₁ = (−b + √D)/(2a) = (−1,23456789 + √1,1241578750190521)/(2·1)",
         "x₂ = (−b − √D)/(2a) = (−1,23456789 − √1,1241578750190521)/(2·1)",
         "D = b² − 4ac = 1,23456789² − 4·1·0,1 = 15241578750190521/10000000000000000 − 0,4 = "
         "11241578750190521/10000000000000000"});
    row("the formula's form, a square factor taken out", "-32000", "-75", "49,7",
        {"x₁ = (−b + √D)/(2a) = (75 + √6367225)/(2·(−32000)) = (75 + 5√254689)/(−64000) = "
         "(−75 − 5√254689)/64000",
         "x₂ = (−b − √D)/(2a) = (75 − √6367225)/(2·(−32000)) = (75 − 5√254689)/(−64000) = "
         "(−75 + 5√254689)/64000",
         "D = b² − 4ac = (−75)² − 4·(−32000)·49,7 = 5625 + 6361600 = 6367225"});
    row("fractions in brackets where squared or multiplied", "1", "-1/2", "1/3",
        {"x₁ = (−b + √D)/(2a) = (1/2 + √(−13/12))/(2·1) = (1/2 + (√39/6) i)/2 = 1/4 + (√39/12) i",
         "x₂ = (−b − √D)/(2a) = (1/2 − √(−13/12))/(2·1) = (1/2 − (√39/6) i)/2 = 1/4 − (√39/12) i",
         "D = b² − 4ac = (−1/2)² − 4·1·(1/3) = 1/4 − 4/3 = −13/12"});
    row("a fraction for a, typed with commas and blanks", "2 / 3", "1", "-0,75",
        {"x₁ = (−b + √D)/(2a) = (−1 + √3)/(2·(2/3))", "x₂ = (−b − √D)/(2a) = (−1 − √3)/(2·(2/3))",
         "D = b² − 4ac = 1² − 4·(2/3)·(−0,75) = 1 + 2 = 3"});
    row("a < 0, complex: the boxes' order", "-1", "2", "-5",
        {"x₁ = (−b + √D)/(2a) = (−2 + √(−16))/(2·(−1)) = (−2 + 4 i)/(−2) = 1 − 2 i",
         "x₂ = (−b − √D)/(2a) = (−2 − √(−16))/(2·(−1)) = (−2 − 4 i)/(−2) = 1 + 2 i",
         "D = b² − 4ac = 2² − 4·(−1)·(−5) = 4 − 20 = −16"});
}

void TestSolver::working() {
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(std::string, c);
    QFETCH(QStringList, lines);
    const Run result = run(a, b, c, ",");
    QCOMPARE(result.kind, kNoError);
    QCOMPARE(QStringList(result.workings.begin(), result.workings.end()), lines);
}

void TestSolver::againstTheReference_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");

    const auto row = [](const char* name, const char* a, const char* b, const char* c) {
        QTest::newRow(name) << std::string(a) << std::string(b) << std::string(c);
    };
    row("b^2 dwarfs 4ac", "1", "1e8", "1");
    row("b^2 dwarfs 4ac, b < 0", "3", "-7e15", "0.1");
    row("two roots 2^-53 apart", "1", "1.0000000000000002220446049250313080847263336181640625",
        "0.2500000000000001110223024625156540423631668090820312");
    row("Fibonacci near-double root", "317811", "-1028458", "832040");
    row("Fibonacci, complex", "514229", "-1664080", "1346269");
    row("nearly real complex", "1", "2", "1.00000000000000088817841970012523");
    row("huge, real", "3e307", "1.5e308", "-1e308");
    row("huge, b^2 overflows", "1e200", "1.7e300", "1e100");
    row("tiny, complex", "1e-300", "1e-300", "1e-300");
    row("tiny a, huge c", "1e-300", "1", "-1e290");
    row("below the doubles", "1", "1e-320", "-1e-330");
    row("wide exponents", "3.7e-200", "-5.1e100", "2.9e150");
    row("negative a, wide", "-2.5e-150", "3.3e-10", "7.1e120");
    row("long decimals", "0.7390851332151607", "-1.4142135623730951", "0.5772156649015329");
    row("physical constants", "-6.02214076e23", "1.380649e-23", "6.62607015e-34");
    row("subnormal roots", "1e300", "3e-10", "1e-320");
    row("perfect square, rational roots", "3", "-10", "3");
    row("decimal double root", "2.5", "-1.5", "0.225");
    row("decimal roots, a = 0.1", "0.1", "-0.037", "0.0033");
    row("money", "1200.50", "-3.75", "-999.99");
    row("largest coefficients", "1.7976931348623157e308", "-1.7976931348623157e308",
        "-1.7976931348623157e308");
    // Irrational roots within 10^-1000 of a rounding boundary: a 15-digit tie, then the
    // midpoint between 1 and the next double.
    row("tie, root just below", "1", "-2.000000000000015", "1e-1000");
    row("tie, root just above", "1", "-2.000000000000015", "-1e-1000");
    row("double midpoint, root just below", "1",
        "-1.00000000000000011102230246251565404236316680908203125", "1e-1000");
    row("double midpoint, root just above", "1",
        "-1.00000000000000011102230246251565404236316680908203125", "-1e-1000");
    // The first root's double 1.2e-20 of a unit above the midpoint between two doubles.
    row("root's double just above a midpoint", "17", "17", "-11");
    row("root's double just above a midpoint, decimals", "3153.16", "180.49", "-260.55");
    row("near root on a tie, up", "1", "-1", "1.000000000000005e-50000");
    row("near root on a tie, down", "-1", "-1", "1.000000000000005e-50000");
    row("many digits", "1.000000000000000000000000000000000000001",
        "-2.000000000000000000000000000000000000003", "0.999999999999999999999999999999999999");
}

void TestSolver::againstTheReference() {
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(std::string, c);

    // Every part must be the exact value rounded once: the same 15 digits and the same double
    // as the reference, not merely close to them.
    const reference::Solution exact = reference::solve(a, b, c);
    const auto check = [](const char* what, const solver::Rounded& value,
                          const reference::Part& expected) {
        QVERIFY2(expected.decided, what);
        const QString message = QStringLiteral("%1: %2%3E%4, reference %5%6E%7")
                                    .arg(QLatin1String(what))
                                    .arg(QLatin1String(value.negative ? "-" : ""))
                                    .arg(QString::fromStdString(value.digits))
                                    .arg(value.exponent)
                                    .arg(QLatin1String(expected.negative ? "-" : ""))
                                    .arg(QString::fromStdString(expected.digits))
                                    .arg(expected.exponent);
        QVERIFY2(value.digits == expected.digits && value.exponent == expected.exponent &&
                     (value.negative == expected.negative || expected.digits == "0"),
                 qPrintable(message));
        COMPARE_BITS(std::fabs(value.nearest), std::fabs(expected.nearest));
    };
    const solver::Quadratic equation(exactly(a.c_str()), exactly(b.c_str()), exactly(c.c_str()));
    QCOMPARE(equation.discriminant().sign(), exact.sign);
    check("D", equation.discriminant(), exact.discriminant);
    const solver::Roots roots = equation.roots();
    QCOMPARE(roots.complex, exact.sign < 0);
    if (roots.complex) {
        check("re", roots.re, exact.re);
        check("im", roots.im, exact.im);
    } else {
        check("first", roots.first, exact.first);
        check("second", roots.second, exact.second);
    }
}

void TestSolver::discriminantSignSurvivesUnderflow() {
    // b^2 - 4ac = -3e-400: below every double, yet the roots are complex and D is shown as it is,
    // while the window keeps the nearest double, -0.
    const solver::Quadratic equation(exactly("1e-200"), exactly("1e-200"), exactly("1e-200"));
    QCOMPARE(equation.discriminant().sign(), -1);
    QCOMPARE(equation.discriminant().text("."), std::string("-3E-400"));
    COMPARE_BITS(equation.discriminant().nearest, -0.0);
    const solver::Roots roots = equation.roots();
    QVERIFY(roots.complex);
    QCOMPARE(roots.re.text("."), std::string("-0.5"));
    QCOMPARE(roots.im.text("."), std::string("0.866025403784439"));
}

void TestSolver::subnormalBoundary_data() {
    QTest::addColumn<int>("halves");     // the root is halves x 2^-1075, half the smallest double
    QTest::addColumn<double>("nearest"); // in units of the smallest double, 2^-1074

    // Halfway cases go to the even neighbour, 0 included.
    QTest::newRow("half the smallest: to 0") << 1 << 0.0;
    QTest::newRow("the smallest") << 2 << 1.0;
    QTest::newRow("one and a half: to 2") << 3 << 2.0;
    QTest::newRow("two and a half: to 2") << 5 << 2.0;
    QTest::newRow("three and a half: to 4") << 7 << 4.0;
}

void TestSolver::subnormalBoundary() {
    QFETCH(int, halves);
    QFETCH(double, nearest);
    // x^2 - r x = 0 has the roots r and 0; r = halves x 2^-1075 = halves x 5^1075 x 10^-1075,
    // typed out in full (about 760 digits).
    mpz_class digits;
    mpz_ui_pow_ui(digits.get_mpz_t(), 5, 1075);
    digits *= halves;
    const std::string r = digits.get_str() + "e-1075";
    const solver::Quadratic equation(exactly("1"), exactly(("-" + r).c_str()), exactly("0"));
    const solver::Roots roots = equation.roots();
    COMPARE_BITS(roots.first.nearest, nearest * std::numeric_limits<double>::denorm_min());
    COMPARE_BITS(roots.second.nearest, 0.0);
}

void TestSolver::resolution_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");
    QTest::addColumn<QStringList>("lines"); // in a window writing ",", "≈" at 2 decimals

    const auto row = [](const char* a, const char* b, const char* c,
                        std::initializer_list<const char*> lines) {
        QStringList texts;
        for (const char* line : lines)
            texts << QString::fromUtf8(line);
        QTest::newRow(qPrintable(QStringLiteral("%1; %2; %3").arg(a, b, c)))
            << std::string(a) << std::string(b) << std::string(c) << texts;
    };
    row("1", "-3", "1",
        {"Ecuación: x² − 3x + 1 = 0", "Discriminante: D = b² − 4ac = (−3)² − 4·1·1 = 9 − 4 = 5",
         "D > 0: dos soluciones reales distintas.",
         "x₁ = (−b + √D)/(2a) = (3 + √5)/(2·1) = (3 + √5)/2 ≈ 2,62",
         "x₂ = (−b − √D)/(2a) = (3 − √5)/(2·1) = (3 − √5)/2 ≈ 0,38",
         "Vértice: V = (−b/(2a); −D/(4a)) = (3/2; −5/4)", "Eje de simetría: x = 3/2",
         "Mínimo: −5/4, en x = 3/2", "Corte con el eje y: (0; 1)",
         "Forma factorizada: (x − (3 + √5)/2)(x − (3 − √5)/2)", "Forma canónica: (x − 3/2)² − 5/4",
         "Comprobación: x₁ + x₂ = −b/a = 3; x₁·x₂ = c/a = 1"});
    row("2", "3", "-2",
        {"Ecuación: 2x² + 3x − 2 = 0", "Discriminante: D = b² − 4ac = 3² − 4·2·(−2) = 9 + 16 = 25",
         "D > 0: dos soluciones reales distintas.",
         "x₁ = (−b + √D)/(2a) = (−3 + √25)/(2·2) = (−3 + 5)/4 = 1/2",
         "x₂ = (−b − √D)/(2a) = (−3 − √25)/(2·2) = (−3 − 5)/4 = −2",
         "Vértice: V = (−b/(2a); −D/(4a)) = (−3/4; −25/8)", "Eje de simetría: x = −3/4",
         "Mínimo: −25/8, en x = −3/4", "Corte con el eje y: (0; −2)",
         "Forma factorizada: 2(x − 1/2)(x + 2)", "Forma canónica: 2(x + 3/4)² − 25/8",
         "Comprobación: x₁ + x₂ = −b/a = −3/2; x₁·x₂ = c/a = −1"});
    row("-1", "5", "-6",
        {"Ecuación: −x² + 5x − 6 = 0",
         "Discriminante: D = b² − 4ac = 5² − 4·(−1)·(−6) = 25 − 24 = 1",
         "D > 0: dos soluciones reales distintas.",
         "x₁ = (−b + √D)/(2a) = (−5 + √1)/(2·(−1)) = (−5 + 1)/(−2) = 2",
         "x₂ = (−b − √D)/(2a) = (−5 − √1)/(2·(−1)) = (−5 − 1)/(−2) = 3",
         "Vértice: V = (−b/(2a); −D/(4a)) = (5/2; 1/4)", "Eje de simetría: x = 5/2",
         "Máximo: 1/4, en x = 5/2", "Corte con el eje y: (0; −6)",
         "Forma factorizada: −(x − 2)(x − 3)", "Forma canónica: −(x − 5/2)² + 1/4",
         "Comprobación: x₁ + x₂ = −b/a = 5; x₁·x₂ = c/a = 6"});
    row("4", "-4", "1",
        {"Ecuación: 4x² − 4x + 1 = 0", "Discriminante: D = b² − 4ac = (−4)² − 4·4·1 = 16 − 16 = 0",
         "D = 0: una solución doble.", "x₁ = (−b + √D)/(2a) = (4 + √0)/(2·4) = (4 + 0)/8 = 1/2",
         "x₂ = (−b − √D)/(2a) = (4 − √0)/(2·4) = (4 − 0)/8 = 1/2",
         "Vértice: V = (−b/(2a); −D/(4a)) = (1/2; 0)", "Eje de simetría: x = 1/2",
         "Mínimo: 0, en x = 1/2", "Corte con el eje y: (0; 1)", "Forma factorizada: 4(x − 1/2)²",
         "Forma canónica: 4(x − 1/2)²", "Comprobación: x₁ + x₂ = −b/a = 1; x₁·x₂ = c/a = 1/4"});
    row("1", "2", "5",
        {"Ecuación: x² + 2x + 5 = 0", "Discriminante: D = b² − 4ac = 2² − 4·1·5 = 4 − 20 = −16",
         "D < 0: dos soluciones complejas conjugadas; la parábola no corta el eje x.",
         "x₁ = (−b + √D)/(2a) = (−2 + √(−16))/(2·1) = (−2 + 4 i)/2 = −1 + 2 i",
         "x₂ = (−b − √D)/(2a) = (−2 − √(−16))/(2·1) = (−2 − 4 i)/2 = −1 − 2 i",
         "Vértice: V = (−b/(2a); −D/(4a)) = (−1; 4)", "Eje de simetría: x = −1",
         "Mínimo: 4, en x = −1", "Corte con el eje y: (0; 5)",
         "Forma factorizada: (x + 1 − 2 i)(x + 1 + 2 i)", "Forma canónica: (x + 1)² + 4",
         "Comprobación: x₁ + x₂ = −b/a = −2; x₁·x₂ = c/a = 5"});
    row("1", "-1/2", "1/3",
        {"Ecuación: x² − (1/2)x + 1/3 = 0",
         "Discriminante: D = b² − 4ac = (−1/2)² − 4·1·(1/3) = 1/4 − 4/3 = −13/12",
         "D < 0: dos soluciones complejas conjugadas; la parábola no corta el eje x.",
         "x₁ = (−b + √D)/(2a) = (1/2 + √(−13/12))/(2·1) = (1/2 + (√39/6) i)/2 = 1/4 + (√39/12) i "
         "≈ 0,25 + 0,52 i",
         "x₂ = (−b − √D)/(2a) = (1/2 − √(−13/12))/(2·1) = (1/2 − (√39/6) i)/2 = 1/4 − (√39/12) i "
         "≈ 0,25 − 0,52 i",
         "Vértice: V = (−b/(2a); −D/(4a)) = (1/4; 13/48)", "Eje de simetría: x = 1/4",
         "Mínimo: 13/48, en x = 1/4", "Corte con el eje y: (0; 1/3)",
         "Forma factorizada: (x − 1/4 − (√39/12) i)(x − 1/4 + (√39/12) i)",
         "Forma canónica: (x − 1/4)² + 13/48",
         "Comprobación: x₁ + x₂ = −b/a = 1/2; x₁·x₂ = c/a = 1/3"});
    row("0,5", "-1,2", "0,3",
        {"Ecuación: 0,5x² − 1,2x + 0,3 = 0",
         "Discriminante: D = b² − 4ac = (−1,2)² − 4·0,5·0,3 = 1,44 − 0,6 = 0,84",
         "D > 0: dos soluciones reales distintas.",
         "x₁ = (−b + √D)/(2a) = (1,2 + √0,84)/(2·0,5) = 1,2 + 0,2√21 ≈ 2,12",
         "x₂ = (−b − √D)/(2a) = (1,2 − √0,84)/(2·0,5) = 1,2 − 0,2√21 ≈ 0,28",
         "Vértice: V = (−b/(2a); −D/(4a)) = (1,2; −0,42)", "Eje de simetría: x = 1,2",
         "Mínimo: −0,42, en x = 1,2", "Corte con el eje y: (0; 0,3)",
         "Forma factorizada: 0,5(x − 1,2 − 0,2√21)(x − 1,2 + 0,2√21)",
         "Forma canónica: 0,5(x − 1,2)² − 0,42",
         "Comprobación: x₁ + x₂ = −b/a = 2,4; x₁·x₂ = c/a = 0,6"});
}

void TestSolver::resolution() {
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(std::string, c);
    QFETCH(QStringList, lines);
    FakeBoxes boxes(a, b, c, ",");
    solver::WindowValues values;
    solver::calculate(boxes, values);
    QVERIFY(boxes.resolution);
    QStringList shown;
    for (const std::string& line : boxes.resolution->lines(2))
        shown << QString::fromStdString(line);
    QCOMPARE(shown, lines);
}

void TestSolver::approximateRoots_data() {
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");
    QTest::addColumn<int>("places");
    QTest::addColumn<QString>("first"); // what follows "≈ " on the line of x₁ (a = 1)
    QTest::addColumn<QString>("second");

    // x² + b x + 1 = 0 has the roots −b/2 ± √(b²/4 − 1); x² + b x = 0, −b and 0.
    QTest::newRow("school rounding") << std::string("-3") << std::string("1") << 2 << "2,62"
                                     << "0,38";
    QTest::newRow("to units") << std::string("-3") << std::string("1") << 0 << "3"
                              << "0,381966011250105"; // 0 would show no digit of it
    QTest::newRow("15 decimals") << std::string("-3") << std::string("1") << 15
                                 << "2,618033988749895"
                                 << "0,381966011250105";
    // (x − 2)(x − 0,5): exact at one place, no "≈".
    QTest::newRow("exact at these places") << std::string("-2,5") << std::string("1") << 1 << ""
                                           << "";
    // (x − 1,6)(x − 0,625) at 2 places: 1,6 is exact; a half goes away from zero, 0,63.
    QTest::newRow("a half away from zero") << std::string("-2,225") << std::string("1") << 2 << ""
                                           << "0,63";
    QTest::newRow("a half away from zero, negative")
        << std::string("2,225") << std::string("1") << 2 << "−0,63"
        << "";
    QTest::newRow("zeros kept") << std::string("-2,0000001") << std::string("1") << 3 << "1,000"
                                << "1,000";
    // A tie that 64 bits cannot hold (29 digits): the exact midpoint decides, away from zero.
    QTest::newRow("a half away from zero, 29 digits")
        << std::string("-1234567890123,1234567890123455") << std::string("0") << 15
        << "1234567890123,123456789012346"
        << "";
    QTest::newRow("beyond 15 digits") << std::string("-1e20") << std::string("1") << 2 << "1E+20"
                                      << "1E−20";
}

void TestSolver::approximateRoots() {
    QFETCH(std::string, b);
    QFETCH(std::string, c);
    QFETCH(int, places);
    QFETCH(QString, first);
    QFETCH(QString, second);
    FakeBoxes boxes("1", b, c, ",");
    solver::WindowValues values;
    solver::calculate(boxes, values);
    QVERIFY(boxes.resolution);
    const std::vector<std::string> lines = boxes.resolution->lines(places);
    const auto after = [](const std::string& line) {
        const QString text = QString::fromStdString(line);
        const qsizetype at = text.indexOf(QStringLiteral(" ≈ "));
        return at < 0 ? QString() : text.mid(at + 3);
    };
    QCOMPARE(after(lines[3]), first);
    QCOMPARE(after(lines[4]), second);
}

void TestSolver::chosenView_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");

    // Every small equation, and the far ones.
    for (int a = -4; a <= 4; ++a)
        for (int b = -4; b <= 4; ++b)
            for (int c = -4; c <= 4; ++c)
                if (a != 0)
                    QTest::addRow("%d, %d, %d", a, b, c)
                        << std::to_string(a) << std::to_string(b) << std::to_string(c);
    const auto row = [](const char* a, const char* b, const char* c) {
        QTest::addRow("%s, %s, %s", a, b, c) << std::string(a) << std::string(b) << std::string(c);
    };
    row("1e-300", "1", "1");
    row("1", "-1", "1e-50000");   // roots 10^50000 apart
    row("1e-307", "10", "0");     // the vertex beyond the doubles
    row("1", "-2000000", "1e12"); // the y-intercept far from the vertex
    row("1e150", "0", "-1e150");
    row("1e-400", "0", "-1e-400"); // a below the doubles: the curve is flat in them
    row("1", "1e8", "1");
    row("1", "-2.000000000000015", "1e-1000");
    row("-3", "1e-200", "1e-200");
    row("1e-100", "1.3e154", "0"); // D near the largest double
}

void TestSolver::chosenView() {
    QFETCH(std::string, a);
    QFETCH(std::string, b);
    QFETCH(std::string, c);
    FakeBoxes boxes(a, b, c);
    solver::WindowValues values;
    solver::calculate(boxes, values);
    QVERIFY(boxes.resolution);
    const solver::Graph graph = boxes.resolution->graph();
    const solver::View& view = graph.chosen.view;
    const std::vector<std::size_t>& outside = graph.chosen.outside;
    for (const solver::Range& range : {view.x, view.y}) {
        QVERIFY(std::isfinite(range.low) && std::isfinite(range.high) && range.low < range.high);
        // 4 to 10 ticks, a step of 1, 2 or 5 × 10^k apart, on multiples of it.
        const solver::Ticks ticks = solver::ticks(range, ",");
        QVERIFY2(ticks.at.size() >= 4 && ticks.at.size() <= 10,
                 qPrintable(QString::number(ticks.at.size())));
        QVERIFY(ticks.mantissa == 1 || ticks.mantissa == 2 || ticks.mantissa == 5);
        const double step = ticks.mantissa * std::pow(10.0, ticks.exponent);
        for (std::size_t i = 0; i < ticks.at.size(); ++i) {
            QVERIFY(range.contains(ticks.at[i]));
            const double units = ticks.at[i] / step;
            QVERIFY(std::fabs(units - std::round(units)) < 1e-6);
            if (i > 0)
                QVERIFY(std::fabs(ticks.at[i] - ticks.at[i - 1] - step) <= step * 1e-9);
        }
    }
    // Every point inside, with a margin of 6% of the view from each side, or said to be out.
    for (std::size_t i = 0; i < graph.points.size(); ++i) {
        const solver::PlotPoint& point = graph.points[i].at;
        const bool out = std::find(outside.begin(), outside.end(), i) != outside.end();
        const bool in = view.x.contains(point.x) && view.y.contains(point.y);
        QVERIFY2(out != in, graph.points[i].label.c_str());
        if (out)
            continue;
        for (const auto& [range, value] : {std::pair{view.x, point.x}, {view.y, point.y}}) {
            const double margin = 0.12 * (range.high / 2 - range.low / 2);
            QVERIFY2(value - range.low >= margin && range.high - value >= margin,
                     graph.points[i].label.c_str());
        }
    }
    // The curve has a value, or an infinity beyond the doubles, everywhere in view.
    for (int i = 0; i <= 100; ++i)
        QVERIFY(!std::isnan(graph.curve.at(view.x.low + (view.x.high - view.x.low) * i / 100)));
}

void TestSolver::viewBeyondTheDoubles() {
    // 1, 1e200, 1 (which "Calcular" refuses: its discriminant is beyond the doubles): the vertex
    // at y = −2.5E+399 cannot be drawn, and is said to be outside a view that can.
    solver::Curve curve;
    curve.logMagnitude = 0;
    curve.first = -1e-200;
    curve.second = -1e200;
    const std::vector<solver::PlotPoint> points = {
        {-1e-200, 0}, {-1e200, 0}, {-5e199, -HUGE_VAL}, {0, 1}};
    const solver::ChosenView chosen = solver::chooseView(curve, -5e199, points);
    for (const solver::Range& range : {chosen.view.x, chosen.view.y})
        QVERIFY(std::isfinite(range.low) && std::isfinite(range.high) && range.low < range.high);
    QCOMPARE(chosen.outside, std::vector<std::size_t>({2}));
    for (int i = 0; i <= 100; ++i)
        QVERIFY(!std::isnan(
            curve.at(chosen.view.x.low + (chosen.view.x.high - chosen.view.x.low) * i / 100)));
}

QTEST_APPLESS_MAIN(TestSolver)
#include "tst_solver.moc"
