// SPDX-License-Identifier: MIT
// Conversions between box texts and doubles, and the sentences of the error report.
#include "runtime/errors.h"
#include "runtime/fp_check.h"
#include "runtime/number_text.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <string>

using runtime::ErrorKind;
using runtime::Subject;

Q_DECLARE_METATYPE(ErrorKind)
Q_DECLARE_METATYPE(Subject)
Q_DECLARE_METATYPE(std::string)

namespace {

// The kind of error toNumber() raises for text, or nullopt-like -1 when it accepts it.
int refusal(const std::string& text) {
    try {
        runtime::toNumber(text);
        return -1;
    } catch (const runtime::Error& error) {
        return static_cast<int>(error.kind());
    }
}

bool sameDouble(double x, double y) {
    return x == y && std::signbit(x) == std::signbit(y);
}

} // namespace

class TestRuntime : public QObject {
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void refusalKeepsTheText();
    void roundsCorrectly();
    void shown_data();
    void shown();
    void shownRoundTripsThroughParsing();
    void nonFiniteIsNotShown();
    void quotedTexts_data();
    void quotedTexts();
    void sentences_data();
    void sentences();
    void quotientChecks_data();
    void quotientChecks();
};

void TestRuntime::accepted_data() {
    QTest::addColumn<std::string>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("integer") << std::string("42") << 42.0;
    QTest::newRow("negative") << std::string("-3") << -3.0;
    QTest::newRow("plus sign") << std::string("+7") << 7.0;
    QTest::newRow("typographic minus") << std::string("\xE2\x88\x92"
                                                      "2.5")
                                       << -2.5;
    QTest::newRow("point") << std::string("0.5") << 0.5;
    QTest::newRow("comma") << std::string("0,5") << 0.5;
    QTest::newRow("leading separator") << std::string(",25") << 0.25;
    QTest::newRow("trailing separator") << std::string("3.") << 3.0;
    QTest::newRow("exponent") << std::string("1e3") << 1000.0;
    QTest::newRow("capital exponent with sign") << std::string("2.5E-2") << 0.025;
    QTest::newRow("exponent with plus") << std::string("1e+2") << 100.0;
    QTest::newRow("comma and exponent") << std::string("-1,5e1") << -15.0;
    QTest::newRow("blanks around") << std::string("  \t8 \t") << 8.0;
    QTest::newRow("no-break spaces") << std::string("\xC2\xA0"
                                                    "9"
                                                    "\xC2\xA0")
                                     << 9.0;
    QTest::newRow("negative zero") << std::string("-0") << -0.0;
    QTest::newRow("leading zeros") << std::string("000012") << 12.0;
    QTest::newRow("largest double")
        << std::string("1.7976931348623157e308") << std::numeric_limits<double>::max();
    QTest::newRow("subnormal") << std::string("4.9406564584124654e-324")
                               << std::numeric_limits<double>::denorm_min();
    QTest::newRow("below the smallest subnormal") << std::string("1e-400") << 0.0;
    QTest::newRow("negative below the smallest") << std::string("-1e-400") << -0.0;
    QTest::newRow("many digits below range") << std::string("0.0000000001e-330") << 0.0;
    QTest::newRow("huge negative exponent") << std::string("5e-99999999999999999999") << 0.0;
    QTest::newRow("zero with huge exponent") << std::string("0e99999999999") << 0.0;
    QTest::newRow("long but plausible")
        << std::string("3.14159265358979323846264338327950288419716939937510") << M_PI;
}

void TestRuntime::accepted() {
    QFETCH(std::string, text);
    QFETCH(double, expected);
    const double value = runtime::toNumber(text);
    QVERIFY2(sameDouble(value, expected), qPrintable(QStringLiteral("%1 parsed as %2, expected %3")
                                                         .arg(QString::fromStdString(text))
                                                         .arg(value, 0, 'g', 17)
                                                         .arg(expected, 0, 'g', 17)));
}

void TestRuntime::refused_data() {
    QTest::addColumn<std::string>("text");
    QTest::addColumn<ErrorKind>("kind");

    const auto conversion = ErrorKind::Conversion;
    QTest::newRow("empty") << std::string() << conversion;
    QTest::newRow("blanks") << std::string("   ") << conversion;
    QTest::newRow("letters") << std::string("abc") << conversion;
    QTest::newRow("inner blank") << std::string("1 2") << conversion;
    QTest::newRow("two separators") << std::string("1.2.3") << conversion;
    QTest::newRow("thousands and decimals") << std::string("1,000.5") << conversion;
    QTest::newRow("inf") << std::string("inf") << conversion;
    QTest::newRow("infinity") << std::string("-Infinity") << conversion;
    QTest::newRow("nan") << std::string("nan") << conversion;
    QTest::newRow("hexadecimal") << std::string("0x10") << conversion;
    QTest::newRow("exponent without digits") << std::string("1e") << conversion;
    QTest::newRow("exponent sign only") << std::string("1e-") << conversion;
    QTest::newRow("exponent alone") << std::string("e5") << conversion;
    QTest::newRow("double sign") << std::string("--1") << conversion;
    QTest::newRow("sign alone") << std::string("-") << conversion;
    QTest::newRow("separator alone") << std::string(".") << conversion;
    QTest::newRow("trailing letter") << std::string("12a") << conversion;
    QTest::newRow("sign after blank inside") << std::string("- 1") << conversion;
    QTest::newRow("NUL inside") << std::string("1\0"
                                               "2",
                                               3)
                                << conversion;
    QTest::newRow("fullwidth digit") << std::string("\xEF\xBC\x91") << conversion;
    QTest::newRow("broken UTF-8") << std::string("1\xC3") << conversion;
    QTest::newRow("long paste") << std::string(30000, '1') << conversion;
    QTest::newRow("beyond the double range") << std::string("1e400") << ErrorKind::Overflow;
    QTest::newRow("negative beyond the range") << std::string("-2e308") << ErrorKind::Overflow;
    QTest::newRow("huge exponent") << std::string("1e99999999999999999999") << ErrorKind::Overflow;
    QTest::newRow("many digits beyond range") << std::string(400, '9') << ErrorKind::Overflow;
}

void TestRuntime::refused() {
    QFETCH(std::string, text);
    QFETCH(ErrorKind, kind);
    QCOMPARE(refusal(text), static_cast<int>(kind));
}

void TestRuntime::refusalKeepsTheText() {
    try {
        runtime::toNumber(" 1,2,3 ");
        QFAIL("accepted");
    } catch (const runtime::Error& error) {
        QCOMPARE(error.text(), std::string(" 1,2,3 "));
        QCOMPARE(error.subject(), Subject::Text);
        const runtime::Error attributed = error.at(Subject::CoefficientB);
        QCOMPARE(attributed.subject(), Subject::CoefficientB);
        QCOMPARE(attributed.text(), error.text());
    }
}

void TestRuntime::roundsCorrectly() {
    // Halfway between 1 and the next double, plus a little: must round up, which a digit-by-digit
    // loop in doubles gets wrong.
    QCOMPARE(runtime::toNumber("1.00000000000000011102230246251565404236316680908203125001"),
             std::nextafter(1.0, 2.0));
    QCOMPARE(runtime::toNumber("1.00000000000000011102230246251565404236316680908203125"), 1.0);
    QCOMPARE(runtime::toNumber("0,1"), 0.1);
    QCOMPARE(runtime::toNumber("2.2250738585072011e-308"), 2.2250738585072009e-308);
}

void TestRuntime::shown_data() {
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

void TestRuntime::shown() {
    QFETCH(double, value);
    QFETCH(std::string, separator);
    QFETCH(std::string, expected);
    QCOMPARE(runtime::toText(value, separator), expected);
}

void TestRuntime::shownRoundTripsThroughParsing() {
    // Every text shown must be accepted back and land within half a unit of its 15th digit,
    // plus the half unit in the last place that reading it back rounds by; shown again, it is
    // the same text.
    const double samples[] = {1.0 / 7, -2.0 / 3,           6.02214076e23,
                              1e-5,    -9.87654321e-300,   1.7e308,
                              3e-320,  12345.678901234567, 101000000.1000005};
    for (double value : samples) {
        for (const std::string separator : {".", ","}) {
            const std::string text = runtime::toText(value, separator);
            const double back = runtime::toNumber(text);
            const double magnitude = std::fabs(value);
            const double ulp = std::nextafter(magnitude, HUGE_VAL) - magnitude;
            QVERIFY2(std::fabs(back - value) <= magnitude * 5e-15 + ulp,
                     qPrintable(QString::fromStdString(text)));
            QCOMPARE(runtime::toText(back, separator), text);
        }
    }
}

void TestRuntime::nonFiniteIsNotShown() {
    QCOMPARE(refusal(std::string()), static_cast<int>(ErrorKind::Conversion));
    try {
        runtime::toText(std::numeric_limits<double>::infinity());
        QFAIL("infinity shown");
    } catch (const runtime::Error& error) {
        QCOMPARE(error.kind(), ErrorKind::Overflow);
    }
    try {
        runtime::toText(std::numeric_limits<double>::quiet_NaN());
        QFAIL("NaN shown");
    } catch (const runtime::Error& error) {
        QCOMPARE(error.kind(), ErrorKind::InvalidOperation);
    }
}

void TestRuntime::quotedTexts_data() {
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("short") << std::string("abc") << std::string("abc");
    QTest::newRow("exactly forty") << std::string(40, 'x') << std::string(40, 'x');
    QTest::newRow("forty-one") << std::string(41, 'x') << std::string(39, 'x') + "\xE2\x80\xA6";
    QTest::newRow("long paste") << std::string(32767, '7') << std::string(39, '7') + "\xE2\x80\xA6";
    QTest::newRow("multi-byte characters are not cut") <<
        [] {
            std::string s;
            for (int i = 0; i < 45; ++i)
                s += "\xC3\xB1"; // ñ
            return s;
        }()
                                                       << [] {
                                                              std::string s;
                                                              for (int i = 0; i < 39; ++i)
                                                                  s += "\xC3\xB1";
                                                              return s + "\xE2\x80\xA6";
                                                          }();
    QTest::newRow("control characters") << std::string("1\n2\t3")
                                        << std::string("1\xEF\xBF\xBD"
                                                       "2\xEF\xBF\xBD"
                                                       "3");
    QTest::newRow("NUL") << std::string("a\0b", 3)
                         << std::string("a\xEF\xBF\xBD"
                                        "b");
    QTest::newRow("right-to-left override") << std::string("\xE2\x80\xAE"
                                                           "12")
                                            << std::string("\xEF\xBF\xBD"
                                                           "12");
    QTest::newRow("broken UTF-8") << std::string("9\xFF") << std::string("9\xEF\xBF\xBD");
    QTest::newRow("emoji kept") << std::string("\xF0\x9F\x98\x80")
                                << std::string("\xF0\x9F\x98\x80");
}

void TestRuntime::quotedTexts() {
    QFETCH(std::string, text);
    QFETCH(std::string, expected);
    QCOMPARE(runtime::quotable(text, runtime::kQuotedTextLength), expected);
}

void TestRuntime::sentences_data() {
    QTest::addColumn<ErrorKind>("kind");
    QTest::addColumn<Subject>("subject");
    QTest::addColumn<std::string>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("bad coefficient")
        << ErrorKind::Conversion << Subject::CoefficientB << std::string("abc")
        << QStringLiteral("El coeficiente b no es un número válido: «abc».");
    QTest::newRow("coefficient too large")
        << ErrorKind::Overflow << Subject::CoefficientA << std::string("1e400")
        << QStringLiteral("El coeficiente a es demasiado grande: «1e400».");
    QTest::newRow("discriminant too large")
        << ErrorKind::Overflow << Subject::Discriminant << std::string()
        << QStringLiteral("El valor del discriminante es demasiado grande: supera el mayor "
                          "número que se puede representar.");
    QTest::newRow("root too large")
        << ErrorKind::Overflow << Subject::SecondRoot << std::string()
        << QStringLiteral("El valor de la segunda raíz es demasiado grande: supera el mayor "
                          "número que se puede representar.");
    QTest::newRow("a is zero, b >= 0")
        << ErrorKind::InvalidOperation << Subject::FirstRoot << std::string()
        << QStringLiteral("El coeficiente a no puede ser 0: la ecuación no es de segundo grado "
                          "(operación no válida, 0/0).");
    QTest::newRow("a is zero, b < 0")
        << ErrorKind::DivisionByZero << Subject::FirstRoot << std::string()
        << QStringLiteral("El coeficiente a no puede ser 0: la ecuación no es de segundo grado "
                          "(división por cero).");
    QTest::newRow("long text shortened")
        << ErrorKind::Conversion << Subject::CoefficientC << std::string(100, 'z')
        << QStringLiteral("El coeficiente c no es un número válido: «%1…».")
               .arg(QString(39, QLatin1Char('z')));
}

void TestRuntime::sentences() {
    QFETCH(ErrorKind, kind);
    QFETCH(Subject, subject);
    QFETCH(std::string, text);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(runtime::describe(runtime::Error(kind, subject, text))),
             expected);
}

void TestRuntime::quotientChecks_data() {
    QTest::addColumn<double>("numerator");
    QTest::addColumn<double>("denominator");
    QTest::addColumn<int>("kind");

    QTest::newRow("0/0") << 0.0 << 0.0 << static_cast<int>(ErrorKind::InvalidOperation);
    QTest::newRow("x/0") << 2.0 << 0.0 << static_cast<int>(ErrorKind::DivisionByZero);
    QTest::newRow("x/-0") << -2.0 << -0.0 << static_cast<int>(ErrorKind::DivisionByZero);
    QTest::newRow("overflowing quotient")
        << 1e300 << 1e-300 << static_cast<int>(ErrorKind::Overflow);
    QTest::newRow("ordinary") << 1.0 << 4.0 << -1;
}

void TestRuntime::quotientChecks() {
    QFETCH(double, numerator);
    QFETCH(double, denominator);
    QFETCH(int, kind);
    try {
        const double q = runtime::checkedQuotient(numerator, denominator, Subject::FirstRoot);
        QCOMPARE(kind, -1);
        QCOMPARE(q, numerator / denominator);
    } catch (const runtime::Error& error) {
        QCOMPARE(static_cast<int>(error.kind()), kind);
        QCOMPARE(error.subject(), Subject::FirstRoot);
    }
}

QTEST_APPLESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
