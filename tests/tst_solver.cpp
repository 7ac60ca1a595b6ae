// SPDX-License-Identifier: MIT
// The "Calcular" command against a fake window, and the numbers against an MPFR reference.
#include "reference.h"
#include "runtime/errors.h"
#include "solver/calculation.h"
#include "solver/quadratic.h"

#include <QStringList>
#include <QTest>

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
    void setKind(const std::string& caption) override {
        record(QStringLiteral("Label1=") + QString::fromStdString(caption));
    }
    void showMessage(const std::string& message) override {
        record(QStringLiteral("message:") + QString::fromStdString(message));
    }
    void focusFirstInput() override { record(QStringLiteral("focus")); }
    std::string decimalSeparator() const override { return m_separator; }

    QString log() const { return m_log.join(QLatin1Char('|')); }

private:
    void record(const QString& entry) { m_log << entry; }

    std::array<std::string, 3> m_inputs;
    std::string m_separator;
    QStringList m_log;
};

struct Run {
    QString log;
    int kind = kNoError;
    int subject = kNoError;
    solver::Coefficients values{kUntouched, kUntouched, kUntouched, kUntouched};
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
    return result;
}

QString shows(const char* first, const char* second, const char* kind, const char* discriminant) {
    return QStringLiteral("Text5=%1|Text6=%2|Label1=%3|Text7=%4|focus")
        .arg(QString::fromUtf8(first), QString::fromUtf8(second), QString::fromUtf8(kind),
             QString::fromUtf8(discriminant));
}

bool sameValue(double x, double y) {
    return x == y || (std::isnan(x) && std::isnan(y));
}

} // namespace

Q_DECLARE_METATYPE(std::string)

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void command_data();
    void command();
    void separatorFollowsTheWindow();
    void accuracy_data();
    void accuracy();
    void discriminantSignSurvivesUnderflow();
};

void TestSolver::command_data() {
    QTest::addColumn<std::string>("a");
    QTest::addColumn<std::string>("b");
    QTest::addColumn<std::string>("c");
    QTest::addColumn<QString>("log"); // every change to the window, in order
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("subject");
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

    // The design's table.
    QTest::newRow("two real roots")
        << std::string("1") << std::string("-3") << std::string("2") << shows("2", "1", real, "1")
        << none << none << 1.0 << -3.0 << 2.0 << 1.0;
    QTest::newRow("double root") << std::string("1") << std::string("2") << std::string("1")
                                 << shows("-1", "-1", real, "0") << none << none << 1.0 << 2.0
                                 << 1.0 << 0.0;
    QTest::newRow("divided by 2a")
        << std::string("2") << std::string("0") << std::string("-8") << shows("2", "-2", real, "64")
        << none << none << 2.0 << 0.0 << -8.0 << 64.0;
    QTest::newRow("complex") << std::string("1") << std::string("2") << std::string("5")
                             << shows("-1+2 i", "-1-2 i", complex, "-16") << none << none << 1.0
                             << 2.0 << 5.0 << -16.0;
    QTest::newRow("complex, a < 0")
        << std::string("-1") << std::string("2") << std::string("-5")
        << shows("1-2 i", "1+2 i", complex, "-16") << none << none << -1.0 << 2.0 << -5.0 << -16.0;
    // Its edge cases.
    QTest::newRow("a < 0, real") << std::string("-1") << std::string("5") << std::string("-1")
                                 << shows("0.20871215252208", "4.79128784747792", real, "21")
                                 << none << none << -1.0 << 5.0 << -1.0 << 21.0;
    QTest::newRow("a < 0, double root")
        << std::string("-1") << std::string("2") << std::string("-1") << shows("1", "1", real, "0")
        << none << none << -1.0 << 2.0 << -1.0 << 0.0;
    QTest::newRow("a empty") << std::string() << std::string("2") << std::string("3") << message
                             << none << none << u << u << u << u;
    QTest::newRow("c empty") << std::string("1") << std::string("2") << std::string() << message
                             << none << none << u << u << u << u;
    QTest::newRow("all empty") << std::string() << std::string() << std::string() << message << none
                               << none << u << u << u << u;
    QTest::newRow("blanks are not empty")
        << std::string(" ") << std::string("2") << std::string("3") << nothing
        << kind(ErrorKind::Conversion) << at(Subject::CoefficientA) << u << u << u << u;
    QTest::newRow("a = 0, b > 0") << std::string("0") << std::string("1") << std::string("1")
                                  << nothing << kind(ErrorKind::InvalidOperation)
                                  << at(Subject::FirstRoot) << 0.0 << 1.0 << 1.0 << 1.0;
    QTest::newRow("a = 0, b = 0") << std::string("0") << std::string("0") << std::string("5")
                                  << nothing << kind(ErrorKind::InvalidOperation)
                                  << at(Subject::FirstRoot) << 0.0 << 0.0 << 5.0 << 0.0;
    QTest::newRow("a = 0, b < 0") << std::string("0") << std::string("-2") << std::string("5")
                                  << nothing << kind(ErrorKind::DivisionByZero)
                                  << at(Subject::FirstRoot) << 0.0 << -2.0 << 5.0 << 4.0;
    // Each coefficient is kept from the moment it converts; the rest stays as it was.
    QTest::newRow("bad b") << std::string("1") << std::string("x") << std::string("2") << nothing
                           << kind(ErrorKind::Conversion) << at(Subject::CoefficientB) << 1.0 << u
                           << u << u;
    QTest::newRow("c beyond range")
        << std::string("1") << std::string("2") << std::string("1e400") << nothing
        << kind(ErrorKind::Overflow) << at(Subject::CoefficientC) << 1.0 << 2.0 << u << u;
    QTest::newRow("discriminant beyond range")
        << std::string("1e200") << std::string("1e200") << std::string("1") << nothing
        << kind(ErrorKind::Overflow) << at(Subject::Discriminant) << 1e200 << 1e200 << 1.0 << inf;
    QTest::newRow("a = 0 with an overflowing discriminant")
        << std::string("0") << std::string("-1e300") << std::string("1") << nothing
        << kind(ErrorKind::Overflow) << at(Subject::Discriminant) << 0.0 << -1e300 << 1.0 << inf;
    QTest::newRow("root beyond range")
        << std::string("1e-300") << std::string("1e10") << std::string("1") << nothing
        << kind(ErrorKind::Overflow) << at(Subject::SecondRoot) << 1e-300 << 1e10 << 1.0 << 1e20;
    QTest::newRow("imaginary part beyond range")
        << std::string("4.9406564584124654e-324") << std::string("0") << std::string("1e308")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::ImaginaryPart)
        << 4.9406564584124654e-324 << 0.0 << 1e308 << -4 * 4.9406564584124654e-324 * 1e308;
    QTest::newRow("real part beyond range")
        << std::string("4.9406564584124654e-324") << std::string("1e-8") << std::string("1e308")
        << nothing << kind(ErrorKind::Overflow) << at(Subject::RealPart) << 4.9406564584124654e-324
        << 1e-8 << 1e308 << std::fma(1e-8, 1e-8, -4 * 4.9406564584124654e-324 * 1e308);
    // No spurious failure where the textbook formulas overflow in b*b and 4ac.
    QTest::newRow("huge coefficients, double root")
        << std::string("1e154") << std::string("2e154") << std::string("1e154")
        << shows("-1", "-1", real, "0") << none << none << 1e154 << 2e154 << 1e154 << 0.0;
    QTest::newRow("negative discriminant beyond range")
        << std::string("1e300") << std::string("1e300") << std::string("1e300") << nothing
        << kind(ErrorKind::Overflow) << at(Subject::Discriminant) << 1e300 << 1e300 << 1e300
        << -inf;
    // Where b^2 dwarfs 4ac the textbook small root loses every digit (about -7.45E-09).
    QTest::newRow("cancellation") << std::string("1") << std::string("1e8") << std::string("1")
                                  << shows("-1E-08", "-100000000", real, "1E+16") << none << none
                                  << 1.0 << 1e8 << 1.0 << 9999999999999996.0;
    QTest::newRow("comma separator typed")
        << std::string("0,5") << std::string("-1,5") << std::string("1")
        << shows("2", "1", real, "0.25") << none << none << 0.5 << -1.5 << 1.0 << 0.25;
    QTest::newRow("c = 0") << std::string("2") << std::string("-4") << std::string("0")
                           << shows("2", "0", real, "16") << none << none << 2.0 << -4.0 << 0.0
                           << 16.0;
    QTest::newRow("b = c = 0, no negative zero")
        << std::string("-3") << std::string("-0") << std::string("0") << shows("0", "0", real, "0")
        << none << none << -3.0 << -0.0 << 0.0 << 0.0;
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
    } else {
        QCOMPARE(result.log, log);
    }
    QVERIFY(sameValue(result.values.a, storedA));
    QVERIFY(sameValue(result.values.b, storedB));
    QVERIFY(sameValue(result.values.c, storedC));
    // D is within 2 ulp of the exact value; the rows' values are exact or the nearest double.
    QVERIFY2(reference::ulpsApart(result.values.discriminant, storedD) <= 2,
             qPrintable(QStringLiteral("stored D %1, expected %2")
                            .arg(result.values.discriminant, 0, 'g', 17)
                            .arg(storedD, 0, 'g', 17)));
}

void TestSolver::separatorFollowsTheWindow() {
    QCOMPARE(run("2", "-1", "-1", ",").log, shows("1", "-0,5", "Solución real", "9"));
    QCOMPARE(run("4", "2", "1", ",").log,
             shows("-0,25+0,433012701892219 i", "-0,25-0,433012701892219 i", "Solución compleja",
                   "-12"));
}

void TestSolver::accuracy_data() {
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");

    QTest::newRow("b^2 dwarfs 4ac") << 1.0 << 1e8 << 1.0;
    QTest::newRow("b^2 dwarfs 4ac, b < 0") << 3.0 << -7e15 << 0.1;
    QTest::newRow("two roots 2^-53 apart") << 1.0 << 1 + 0x1p-52 << 0.25 + 0x1p-53;
    QTest::newRow("Fibonacci near-double root") << 317811.0 << -1028458.0 << 832040.0;
    QTest::newRow("Fibonacci, complex") << 514229.0 << -1664080.0 << 1346269.0;
    QTest::newRow("nearly real complex") << 1.0 << 2.0 << 1 + 0x1p-50;
    QTest::newRow("huge, real") << 3e307 << 1.5e308 << -1e308;
    QTest::newRow("huge, b^2 overflows") << 1e200 << 1.7e300 << 1e100;
    QTest::newRow("tiny, complex") << 1e-300 << 1e-300 << 1e-300;
    QTest::newRow("tiny a, huge c") << 1e-300 << 1.0 << -1e290;
    QTest::newRow("subnormal b") << 1.0 << 1e-320 << -1e-310;
    QTest::newRow("wide exponents") << 3.7e-200 << -5.1e100 << 2.9e150;
    QTest::newRow("negative a, wide") << -2.5e-150 << 3.3e-10 << 7.1e120;
    QTest::newRow("random 1") << 0.7390851332151607 << -1.4142135623730951 << 0.5772156649015329;
    QTest::newRow("random 2") << -6.02214076e23 << 1.380649e-23 << 6.62607015e-34;
    QTest::newRow("subnormal roots") << 1e300 << 3e-10 << 1e-320;
    QTest::newRow("perfect square, rational roots") << 3.0 << -10.0 << 3.0;
    QTest::newRow("largest coefficients")
        << 1.7976931348623157e308 << -1.7976931348623157e308 << -1.7976931348623157e308;
}

void TestSolver::accuracy() {
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);

    // Every part must be the exact value rounded once: the same 15 digits and the same double
    // as the reference, not merely close to them.
    const reference::Solution ref = reference::solve(a, b, c);
    const auto check = [](const char* what, const solver::Shown& value,
                          const reference::Part& expected) {
        QVERIFY2(expected.decided, what);
        const QString message = QStringLiteral("%1: %2%3E%4 (%5), reference %6%7E%8 (%9)")
                                    .arg(QLatin1String(what))
                                    .arg(QLatin1String(value.negative ? "-" : ""))
                                    .arg(QString::fromStdString(value.digits))
                                    .arg(value.exponent)
                                    .arg(value.nearest, 0, 'g', 17)
                                    .arg(QLatin1String(expected.negative ? "-" : ""))
                                    .arg(QString::fromStdString(expected.digits))
                                    .arg(expected.exponent)
                                    .arg(expected.nearest, 0, 'g', 17);
        QVERIFY2(value.digits == expected.digits && value.exponent == expected.exponent &&
                     (value.negative == expected.negative || expected.digits == "0") &&
                     value.nearest == expected.nearest,
                 qPrintable(message));
    };
    const solver::Discriminant d = solver::discriminant(a, b, c);
    QCOMPARE(d.sign, ref.sign);
    check("D", d.value, ref.discriminant);
    const solver::Roots r = solver::roots(a, b, c);
    QCOMPARE(r.complex, ref.sign < 0);
    if (r.complex) {
        check("re", r.re, ref.re);
        check("im", r.im, ref.im);
    } else {
        check("first", r.first, ref.first);
        check("second", r.second, ref.second);
    }
}

void TestSolver::discriminantSignSurvivesUnderflow() {
    // b^2 - 4ac = -3e-400: below every double, yet the roots are complex and D is shown as it is.
    const solver::Discriminant d = solver::discriminant(1e-200, 1e-200, 1e-200);
    QCOMPARE(d.sign, -1);
    QCOMPARE(d.value.text("."), std::string("-3E-400"));
    QCOMPARE(d.value.nearest, -0.0);
    const solver::Roots r = solver::roots(1e-200, 1e-200, 1e-200);
    QVERIFY(r.complex);
    QCOMPARE(r.re.text("."), std::string("-0.5"));
    QCOMPARE(r.im.text("."), std::string("0.866025403784439"));
}

QTEST_APPLESS_MAIN(TestSolver)
#include "tst_solver.moc"
