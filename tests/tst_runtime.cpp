// SPDX-License-Identifier: MIT
// Conversions between box texts and doubles, and the sentences of the error report.
#include "compare_bits.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"

#include <QTest>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

using runtime::ErrorKind;
using runtime::Subject;

Q_DECLARE_METATYPE(ErrorKind)
Q_DECLARE_METATYPE(runtime::Error)
Q_DECLARE_METATYPE(std::string)

namespace {

double nearest(const std::string& text) {
    return runtime::readNumber(text).nearest;
}

// The kind of error readNumber() raises for text, or nullopt-like -1 when it accepts it.
int refusal(const std::string& text) {
    try {
        nearest(text);
        return -1;
    } catch (const runtime::Error& error) {
        return static_cast<int>(error.kind());
    }
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
    void sentences_data();
    void sentences();
    void exactDecimal_data();
    void exactDecimal();
    void fractions_data();
    void fractions();
    void localeSeparator();
    void roundTripText_data();
    void roundTripText();
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
    QTest::newRow("smallest accepted") << std::string("1e-100000") << 0.0;
    QTest::newRow("1000 characters, the longest read") << "1." + std::string(998, '0') << 1.0;
    QTest::newRow("smallest accepted, many digits") << std::string("0.99e-99999") << 0.0;
    QTest::newRow("zero with huge exponent") << std::string("0e99999999999") << 0.0;
    QTest::newRow("zero with an exponent past 2^64")
        << std::string("-0.000e18446744073709551621") << -0.0;
    QTest::newRow("long but plausible")
        << std::string("3.14159265358979323846264338327950288419716939937510") << M_PI;
}

void TestRuntime::accepted() {
    QFETCH(std::string, text);
    QFETCH(double, expected);
    COMPARE_BITS(nearest(text), expected);
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
    QTest::newRow("huge negative exponent") << std::string("5e-99999999999999999999") << conversion;
    // An exponent beyond every integer type: nothing may wrap it round into the range (2^64 + 5
    // would wrap to 5), above it or below it.
    QTest::newRow("exponent past 2^64")
        << std::string("1e18446744073709551621") << ErrorKind::Overflow;
    QTest::newRow("negative exponent past 2^64")
        << std::string("1e-18446744073709551621") << conversion;
    QTest::newRow("exponent at the int's end, digits after it")
        << std::string("10.5e2147483647") << ErrorKind::Overflow;
    QTest::newRow("exponent at the int's other end, digits before it")
        << std::string("0.00001e-2147483647") << conversion;
    QTest::newRow("just below 1e-100000") << std::string("9.99e-100001") << conversion;
    QTest::newRow("1001 characters") << "1." + std::string(999, '0') << conversion;
    QTest::newRow("below 1e-100000, many zeros")
        << std::string("0." + std::string(900, '0') + "1e-99100") << conversion;
    QTest::newRow("many digits beyond range") << std::string(400, '9') << ErrorKind::Overflow;
}

void TestRuntime::refused() {
    QFETCH(std::string, text);
    QFETCH(ErrorKind, kind);
    QCOMPARE(refusal(text), static_cast<int>(kind));
}

void TestRuntime::refusalKeepsTheText() {
    try {
        nearest(" 1,2,3 ");
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
    // Bit for bit: a conversion that rounds twice (through a long double, say) is one double off
    // on these, which a fuzzy comparison would let through.
    // Halfway between 1 and the next double, plus a little: rounds up.
    COMPARE_BITS(nearest("1.00000000000000011102230246251565404236316680908203125001"),
                 std::nextafter(1.0, 2.0));
    // Exactly halfway: to even.
    COMPARE_BITS(nearest("1.00000000000000011102230246251565404236316680908203125"), 1.0);
    // Halfway between two doubles, minus a little that an 80-bit long double drops.
    COMPARE_BITS(nearest("9007199254740993.0000000000000001"), 9007199254740994.0);
    COMPARE_BITS(nearest("9007199254740992.9999999999999999"), 9007199254740992.0);
    COMPARE_BITS(nearest("0,1"), 0.1);
    COMPARE_BITS(nearest("2.2250738585072011e-308"), 2.2250738585072009e-308);
    // Halfway between 0 and the smallest subnormal, plus a little.
    COMPARE_BITS(nearest("2.4703282292062328e-324"), std::numeric_limits<double>::denorm_min());
    COMPARE_BITS(nearest("-2.4703282292062327e-324"), -0.0);
}

void TestRuntime::sentences_data() {
    QTest::addColumn<runtime::Error>("error");
    QTest::addColumn<QString>("expected");

    using runtime::Error;
    QTest::newRow("bad coefficient")
        << Error(ErrorKind::Conversion, Subject::CoefficientB, "abc")
        << QStringLiteral("El coeficiente b no es un número válido: «abc».");
    QTest::newRow("coefficient too large")
        << Error(ErrorKind::Overflow, Subject::CoefficientA, "1e400")
        << QStringLiteral("El coeficiente a es demasiado grande: «1e400».");
    QTest::newRow("discriminant too large")
        << Error(ErrorKind::Overflow, Subject::Discriminant)
        << QStringLiteral("El valor del discriminante es demasiado grande: supera el mayor "
                          "número que se puede representar.");
    QTest::newRow("root too large")
        << Error(ErrorKind::Overflow, Subject::SecondRoot)
        << QStringLiteral("El valor de la segunda raíz es demasiado grande: supera el mayor "
                          "número que se puede representar.");
    QTest::newRow("a is zero, b >= 0")
        << Error(ErrorKind::InvalidOperation, Subject::FirstRoot)
        << QStringLiteral("El coeficiente a no puede ser 0: la ecuación no es de segundo grado "
                          "(operación no válida, 0/0).");
    QTest::newRow("a is zero, b < 0")
        << Error(ErrorKind::DivisionByZero, Subject::FirstRoot)
        << QStringLiteral("El coeficiente a no puede ser 0: la ecuación no es de segundo grado "
                          "(división por cero).");
}

void TestRuntime::sentences() {
    QFETCH(runtime::Error, error);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(runtime::describe(error)), expected);
}

void TestRuntime::exactDecimal_data() {
    QTest::addColumn<std::string>("text");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<std::string>("significand");
    QTest::addColumn<long>("exponent");

    QTest::newRow("comma") << std::string("1,1") << false << std::string("11") << -1L;
    QTest::newRow("exponent") << std::string("2.5e-3") << false << std::string("25") << -4L;
    QTest::newRow("typographic minus") << std::string("\xE2\x88\x92"
                                                      "0,6")
                                       << true << std::string("6") << -1L;
    QTest::newRow("trailing zeros")
        << std::string("1200.500") << false << std::string("12005") << -1L;
    QTest::newRow("leading zeros") << std::string("-000.00120") << true << std::string("12") << -4L;
    QTest::newRow("whole with zeros") << std::string("3000") << false << std::string("3") << 3L;
    QTest::newRow("zero has no sign") << std::string("-0.000e5") << false << std::string() << 0L;
    QTest::newRow("below the doubles")
        << std::string("1e-400") << false << std::string("1") << -400L;
    QTest::newRow("long") << std::string("0.7390851332151607") << false
                          << std::string("7390851332151607") << -16L;
    QTest::newRow("smallest accepted")
        << std::string("1e-100000") << false << std::string("1") << -100000L;
}

void TestRuntime::exactDecimal() {
    QFETCH(std::string, text);
    QFETCH(bool, negative);
    QFETCH(std::string, significand);
    QFETCH(long, exponent);
    const runtime::Decimal exact = runtime::readNumber(text).exact;
    QCOMPARE(exact.negative, negative);
    QCOMPARE(exact.significand, significand);
    QCOMPARE(exact.exponent, exponent);
}

void TestRuntime::fractions_data() {
    QTest::addColumn<std::string>("text");
    QTest::addColumn<double>("expected"); // the nearest double, where it is accepted
    QTest::addColumn<QString>("message"); // typed into the box for b, where it is refused

    const QString accepted;
    const auto row = [](const char* name, const std::string& text) -> auto& {
        return QTest::newRow(name) << text;
    };
    row("a half", "1/2") << 0.5 << accepted;
    row("typographic minus in front", "\xE2\x88\x92"
                                      "3/4")
        << -0.75 << accepted;
    row("plus in front", "+5/6") << 5.0 / 6 << accepted;
    row("a decimal over an integer", "0,5/3") << 0.5 / 3 << accepted;
    row("an exponent", "1e3/7") << 1000.0 / 7 << accepted;
    row("over a decimal", "2/0,25") << 8.0 << accepted;
    row("blanks around the bar and the whole", " 1 / 2 ") << 0.5 << accepted;
    row("zero over five", "0/5") << 0.0 << accepted;
    row("minus zero over five", "-0/5") << -0.0 << accepted;
    row("a subnormal quotient", "1e-320/1") << 1e-320 << accepted;
    row("1000 characters, 9E-997: 0 in doubles", "1/" + std::string(997, '1')) << 0.0 << accepted;

    row("over zero", "1/0") << 0.0 << QStringLiteral("El coeficiente b divide por cero: «1/0».");
    row("zero over zero", "0/0") << 0.0
                                 << QStringLiteral("El coeficiente b divide por cero: «0/0».");
    for (const char* text : {"1//2", "/2", "2/", "1/2/3", "- 1/2", "1/-2", "1/+2", "1/2e"})
        row(text, text) << 0.0
                        << QStringLiteral("El coeficiente b no es un número válido: «%1».")
                               .arg(QLatin1String(text));
    row("1001 characters", "1/" + std::string(999, '1'))
        << 0.0
        << QStringLiteral("El coeficiente b no es un número válido: «1/%1…».")
               .arg(QString(37, QLatin1Char('1')));
    // Only the value has to be within the doubles.
    row("sides beyond the doubles", "1e400/1e399") << 10.0 << accepted;
    row("a side beyond 10^100000", "1e100001/1e100000")
        << 0.0 << QStringLiteral("El coeficiente b es demasiado grande: «1e100001/1e100000».");
    row("a quotient beyond the doubles", "1/1e-400")
        << 0.0 << QStringLiteral("El coeficiente b es demasiado grande: «1/1e-400».");
    row("a quotient below 10^-100000", "1e-99999/1e2")
        << 0.0 << QStringLiteral("El coeficiente b no es un número válido: «1e-99999/1e2».");
}

void TestRuntime::fractions() {
    QFETCH(std::string, text);
    QFETCH(double, expected);
    QFETCH(QString, message);
    try {
        const runtime::Number number = runtime::readNumber(text);
        QVERIFY2(message.isEmpty(), "accepted");
        COMPARE_BITS(number.nearest, expected);
        QVERIFY(number.typedAsFraction && !number.typedAsInteger);
    } catch (const runtime::Error& error) {
        // As the report quotes it: at most 40 characters, the last an ellipsis.
        QString quoted = QString::fromStdString(error.text());
        if (quoted.size() > 40)
            quoted = quoted.left(39) + QChar(0x2026);
        const runtime::Error inBox(error.kind(), runtime::Subject::CoefficientB,
                                   quoted.toStdString());
        QCOMPARE(QString::fromStdString(runtime::describe(inBox)), message);
    }
}

void TestRuntime::localeSeparator() {
    const std::string arabic = "\xD9\xAB"; // U+066B, what an Arabic locale writes
    COMPARE_BITS(runtime::readNumber("2" + arabic + "5", arabic).nearest, 2.5);
    COMPARE_BITS(runtime::readNumber("2,5", arabic).nearest, 2.5); // "." and "," still work
    QCOMPARE(refusal("2" + arabic + "5"), static_cast<int>(ErrorKind::Conversion));
    QCOMPARE(refusal("2" + arabic + "5" + arabic + "1"), static_cast<int>(ErrorKind::Conversion));
}

void TestRuntime::roundTripText_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("0.1") << 0.1 << QStringLiteral("0.10000000000000001");
    QTest::newRow("-0") << -0.0 << QStringLiteral("-0"); // the sign survives
    QTest::newRow("1e300") << 1e300 << QStringLiteral("1.0000000000000001e+300");
    QTest::newRow("smallest subnormal") << 5e-324 << QStringLiteral("4.9406564584124654e-324");
    QTest::newRow("largest double")
        << std::numeric_limits<double>::max() << QStringLiteral("1.7976931348623157e+308");
    QTest::newRow("2") << 2.0 << QStringLiteral("2");
}

void TestRuntime::roundTripText() {
    // printf's "%.17g", whatever the locale: compared as text, and read back (std::from_chars
    // knows no locale either) as the very same double, bit for bit.
    QFETCH(double, value);
    QFETCH(QString, expected);
    const std::string text = runtime::roundTripText(value);
    QCOMPARE(QString::fromStdString(text), expected);
    double readBack = std::nan("");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), readBack);
    QVERIFY(error == std::errc() && end == text.data() + text.size());
    COMPARE_BITS(readBack, value);
}

QTEST_APPLESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
