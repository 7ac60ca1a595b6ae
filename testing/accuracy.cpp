// SPDX-License-Identifier: MIT
#include "accuracy.h"

#include "form_reader.h"
#include "mp_handles.h"
#include "reference.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "runtime/texts.h"
#include "solver/calculation.h"
#include "solver/resolution.h"
#include "text_boxes.h"
#include "textbook.h"

#include <gmpxx.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <optional>
#include <random>

namespace accuracy {
namespace {

// --- Generating the cases ----------------------------------------------------------------------

class Random {
public:
    explicit Random(unsigned seed) : m_engine(seed) {}

    double uniform(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_engine);
    }
    std::int64_t integer(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(m_engine);
    }
    double sign() { return integer(0, 1) ? 1.0 : -1.0; }
    // A random 53-bit mantissa in [1, 2) times 2^exponent, with a random sign.
    double scaled(int exponent) { return sign() * std::ldexp(uniform(1.0, 2.0), exponent); }
    // Any finite double, its exponent uniform over the whole range, subnormals included.
    double anyDouble() {
        const int exponent = static_cast<int>(integer(-1074, 1023));
        return exponent < -1022
                   ? sign() *
                         std::ldexp(static_cast<double>(integer(1, std::int64_t{1} << 52)), -1074)
                   : scaled(exponent);
    }

private:
    std::mt19937_64 m_engine;
};

double fibonacci(int n) {
    double previous = 0, current = 1;
    for (int i = 1; i < n; ++i) {
        const double next = previous + current;
        previous = current;
        current = next;
    }
    return current;
}

// value / 10^decimals written out in full, as a person types it: "-0.05", "12.5", "300".
std::string decimalText(std::int64_t value, int decimals) {
    std::string digits = std::to_string(value < 0 ? -value : value);
    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
    std::string text = value < 0 ? "-" : "";
    text += digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string fraction = digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

// A double in the 17 significant digits that read back as that very double.
Case typed(double a, double b, double c) {
    return {runtime::roundTripText(a), runtime::roundTripText(b), runtime::roundTripText(c)};
}

// The leading coefficients people use, in hundredths: 1, 2, 3, 4, 5, 10, 0.5, 0.1, 0.25, 1.5.
constexpr std::int64_t kLeading[] = {100, 200, 300, 400, 500, 1000, 50, 10, 25, 150};

std::int64_t leading(Random& random) {
    const auto last = static_cast<std::int64_t>(std::size(kLeading)) - 1;
    const auto pick = static_cast<std::size_t>(random.integer(0, last));
    return static_cast<std::int64_t>(random.sign()) * kLeading[pick];
}

// A number with 1 to 3 decimals up to 100, in thousandths.
std::int64_t shortDecimal(Random& random) {
    const int decimals = static_cast<int>(random.integer(1, 3));
    std::int64_t unit = 1;
    for (int i = decimals; i < 3; ++i)
        unit *= 10;
    const std::int64_t range = 100 * 1000 / unit;
    return random.integer(-range, range) * unit;
}

// a (x - r1)(x - r2) with a in hundredths and the roots in thousandths.
Case fromRoots(std::int64_t a, std::int64_t r1, std::int64_t r2) {
    return {decimalText(a, 2), decimalText(-a * (r1 + r2), 5), decimalText(a * r1 * r2, 8)};
}

} // namespace

std::vector<Category> generateCategories(int count, unsigned seed) {
    Random random(seed);
    std::vector<Category> categories;
    const auto add = [&](const char* name, const std::function<Case()>& make) {
        Category category{name, {}};
        category.cases.reserve(static_cast<std::size_t>(count));
        while (static_cast<int>(category.cases.size()) < count)
            category.cases.push_back(make());
        categories.push_back(std::move(category));
    };
    // Hard cases for any arithmetic on doubles, typed as the doubles' 17-digit texts.
    const auto addDoubles = [&](const char* name,
                                const std::function<std::array<double, 3>()>& make) {
        add(name, [&] {
            for (;;) {
                const auto [a, b, c] = make();
                if (a != 0 && std::isfinite(a) && std::isfinite(b) && std::isfinite(c))
                    return typed(a, b, c);
            }
        });
    };

    addDoubles("small integers", [&] {
        return std::array<double, 3>{static_cast<double>(random.integer(-20, 20)),
                                     static_cast<double>(random.integer(-20, 20)),
                                     static_cast<double>(random.integer(-20, 20))};
    });
    addDoubles("|b| >> |ac|", [&] {
        const int eb = static_cast<int>(random.integer(-500, 500));
        const int gap = static_cast<int>(random.integer(20, 400)); // b^2 over |4ac|, in bits
        const int ea = static_cast<int>(random.integer(-400, 400));
        return std::array<double, 3>{random.scaled(ea), random.scaled(eb),
                                     random.scaled(2 * eb - gap - ea)};
    });
    addDoubles("near-double roots", [&] {
        switch (random.integer(0, 2)) {
        case 0: { // Cassini: F(n+1)^2 - F(n) F(n+2) = (-1)^n, scaled by a power of two
            const int n = 2 * static_cast<int>(random.integer(5, 37));
            const int scale = static_cast<int>(random.integer(-600, 510));
            return std::array<double, 3>{std::ldexp(fibonacci(n), scale),
                                         std::ldexp(-2 * fibonacci(n + 1), scale),
                                         std::ldexp(fibonacci(n + 2), scale)};
        }
        case 1: { // x^2 + (1 + i 2^-52) x + (1/4 + j 2^-53), after the published example
            const double i = static_cast<double>(random.integer(1, 64));
            const double j = static_cast<double>(random.integer(0, 64));
            return std::array<double, 3>{1, 1 + i * 0x1p-52, 0.25 + j * 0x1p-53};
        }
        default: { // (x - r)^2 with r^2 rounded: a root pair split by the rounding alone
            const double r = random.scaled(static_cast<int>(random.integer(-300, 300)));
            return std::array<double, 3>{1, -2 * r, r * r};
        }
        }
    });
    addDoubles("complex, nearly real", [&] {
        if (random.integer(0, 1)) {
            const int n = 2 * static_cast<int>(random.integer(5, 37)) + 1; // odd: D = -4
            return std::array<double, 3>{fibonacci(n), -2 * fibonacci(n + 1), fibonacci(n + 2)};
        }
        const double r = random.scaled(static_cast<int>(random.integer(-300, 300)));
        const double square = r * r;
        return std::array<double, 3>{
            1, -2 * r, std::nextafter(square, HUGE_VAL) * (1 + random.uniform(0, 0x1p-50))};
    });
    addDoubles("near the ends of the range", [&] {
        // Each coefficient near the top, near the bottom (subnormals included) or ordinary.
        const auto pick = [&] {
            switch (random.integer(0, 2)) {
            case 0:
                return random.scaled(static_cast<int>(random.integer(900, 1023)));
            case 1:
                return std::ldexp(random.anyDouble(), -static_cast<int>(random.integer(900, 1100)));
            default:
                return random.scaled(static_cast<int>(random.integer(-60, 60)));
            }
        };
        return std::array<double, 3>{pick(), pick(), pick()};
    });
    addDoubles("random doubles", [&] {
        return std::array<double, 3>{random.anyDouble(), random.anyDouble(), random.anyDouble()};
    });
    addDoubles("b = 0 or c = 0", [&] {
        const double a =
            random.anyDouble() * std::ldexp(1.0, -static_cast<int>(random.integer(0, 60)));
        const double other = random.scaled(static_cast<int>(random.integer(-600, 600)));
        return random.integer(0, 1) ? std::array<double, 3>{a, 0, other}
                                    : std::array<double, 3>{a, other, 0};
    });

    // Equations as people type them.
    add("decimal roots",
        [&] { return fromRoots(leading(random), shortDecimal(random), shortDecimal(random)); });
    add("double roots from decimals", [&] {
        const std::int64_t root = shortDecimal(random);
        return fromRoots(leading(random), root, root);
    });
    add("complex with decimal parts", [&] {
        // a (x - p - qi)(x - p + qi) = a x^2 - 2ap x + a (p^2 + q^2)
        const std::int64_t a = leading(random);
        const std::int64_t p = shortDecimal(random);
        std::int64_t q = 0;
        while (q == 0)
            q = shortDecimal(random);
        return Case{decimalText(a, 2), decimalText(-2 * a * p, 5),
                    decimalText(a * (p * p + q * q), 8)};
    });
    add("1 to 4 digits, 10^-3 to 10^3", [&] {
        const auto coefficient = [&](bool nonzero) {
            const int digits = static_cast<int>(random.integer(1, 4));
            std::int64_t low = 1;
            for (int i = 1; i < digits; ++i)
                low *= 10;
            std::int64_t value = random.integer(nonzero ? low : 0, 10 * low - 1);
            value *= static_cast<std::int64_t>(random.sign());
            const int exponent = static_cast<int>(random.integer(-3, 3));
            for (int i = 0; i < exponent; ++i)
                value *= 10;
            return decimalText(value, exponent < 0 ? -exponent : 0);
        };
        return Case{coefficient(true), coefficient(false), coefficient(false)};
    });
    add("money, two decimals", [&] {
        const auto amount = [&](bool nonzero) {
            std::int64_t cents = 0;
            do
                cents = random.integer(-999999, 999999);
            while (nonzero && cents == 0);
            // Written with both decimals, as amounts are: "12.50".
            std::string text = decimalText(cents, 2);
            const std::size_t point = text.find('.');
            if (point == std::string::npos)
                text += ".00";
            else if (text.size() - point == 2)
                text += '0';
            return text;
        };
        return Case{amount(true), amount(false), amount(false)};
    });
    // Fractions as homework writes them, and harder ones: large numerators and denominators,
    // fractions beside decimals, double and complex roots.
    add("fractions", [&] {
        const auto between = [&](std::int64_t low, std::int64_t high) {
            return mpz_class(std::to_string(random.integer(low, high)));
        };
        const auto fraction = [&](std::int64_t largest, std::int64_t denominator) {
            mpq_class value(between(-largest, largest), between(1, denominator));
            value.canonicalize();
            return value;
        };
        const auto nonzero = [&](std::int64_t largest, std::int64_t denominator) {
            mpq_class value = 0;
            while (value == 0)
                value = fraction(largest, denominator);
            return value;
        };
        const auto text = [](const mpq_class& value) { return value.get_str(); };
        switch (random.integer(0, 4)) {
        case 0: // x² − (1/2)x + 1/3
            return Case{text(nonzero(12, 12)), text(fraction(20, 12)), text(fraction(20, 12))};
        case 1: { // numerators and denominators up to 10^15
            constexpr std::int64_t kLarge = 1'000'000'000'000'000;
            return Case{text(nonzero(kLarge, kLarge)), text(fraction(kLarge, kLarge)),
                        text(fraction(kLarge, kLarge))};
        }
        case 2: // beside decimals: 1.25x² + (3/7)x − 0.5
            return Case{decimalText(leading(random), 2), text(fraction(50, 30)),
                        decimalText(shortDecimal(random), 3)};
        case 3: { // a (x − r)² + e, e tiny or 0: a double root, or two a hair apart
            const mpq_class a = nonzero(9, 9), r = fraction(99, 97);
            mpz_class tiny;
            mpz_ui_pow_ui(tiny.get_mpz_t(), 10, static_cast<unsigned long>(random.integer(12, 30)));
            mpq_class e(between(-3, 3), tiny);
            e.canonicalize();
            return Case{text(a), text(-2 * a * r), text(a * r * r + e)};
        }
        default: { // a ((x − p)² + q²)
            const mpq_class a = nonzero(9, 9), p = fraction(99, 97), q = nonzero(99, 97);
            return Case{text(a), text(-2 * a * p), text(a * (p * p + q * q))};
        }
        }
    });
    return categories;
}

namespace {

// --- What a window shows -----------------------------------------------------------------------

struct Display {
    std::optional<runtime::ErrorKind> error;
    std::array<std::string, 4> texts;   // Text5, Text6, Text7, Label1
    std::array<std::string, 3> numbers; // D, then x1 and x2 or re and im
    double stored = 0;                  // the window-level D
};

bool isNegative(const std::string& text) {
    return text.starts_with('-');
}

// The design's rule for the root texts, written again here as part of the oracle.
void compose(Display& display, bool complex, bool aNegative) {
    const auto& [d, first, second] = display.numbers;
    if (!complex) {
        display.texts[0] = first;
        display.texts[1] = second;
    } else {
        const std::string& re = first;
        const std::string& im = second;
        const std::string magnitude = isNegative(im) ? im.substr(1) : im;
        if (aNegative) { // im < 0: its own minus sign joins the parts
            display.texts[0] = re + im + " i";
            display.texts[1] = re + "+" + magnitude + " i";
        } else {
            display.texts[0] = re + "+" + im + " i";
            display.texts[1] = re + "-" + im + " i";
        }
    }
    display.texts[2] = d;
    display.texts[3] =
        std::string(complex ? runtime::texts::kComplexCaption : runtime::texts::kRealCaption);
}

Display ours(const Case& equation) {
    windowless::TextBoxes boxes({equation.a, equation.b, equation.c});
    solver::WindowValues values;
    Display display;
    try {
        const std::optional<solver::Roots> roots = solver::calculate(boxes, values);
        display.texts = {boxes.results[0], boxes.results[1], boxes.results[2], boxes.kind};
        display.numbers = {boxes.results[2], (roots->complex ? roots->re : roots->first).text("."),
                           (roots->complex ? roots->im : roots->second).text(".")};
    } catch (const runtime::Error& error) {
        display.error = error.kind();
    }
    display.stored = values.discriminant;
    return display;
}

std::string textOf(const reference::Part& part) {
    return runtime::formatDecimal(part.negative, part.digits, part.exponent, ".");
}

Display expected(const Case& equation, const reference::Solution& exact, bool& undecided) {
    Display display;
    display.stored = exact.discriminant.nearest;
    const bool complex = exact.sign < 0;
    const std::array<const reference::Part*, 3> parts = {&exact.discriminant,
                                                         complex ? &exact.re : &exact.first,
                                                         complex ? &exact.im : &exact.second};
    for (const reference::Part* part : parts) {
        undecided = undecided || !part->decided;
        if (std::isinf(part->nearest))
            display.error = runtime::ErrorKind::Overflow;
    }
    if (display.error)
        return display;
    for (std::size_t i = 0; i < 3; ++i)
        display.numbers[i] = textOf(*parts[i]);
    compose(display, complex, isNegative(equation.a));
    return display;
}

// The textbook formulas on the doubles nearest to the texts, shown the way the window shows a
// double.
Display textbookDisplay(const Case& equation) {
    const textbook::Solution solution = textbook::solve(runtime::readNumber(equation.a).nearest,
                                                        runtime::readNumber(equation.b).nearest,
                                                        runtime::readNumber(equation.c).nearest);
    Display display;
    display.stored = solution.discriminant;
    const std::array<double, 3> values = {solution.discriminant,
                                          solution.complex ? solution.re : solution.first,
                                          solution.complex ? solution.im : solution.second};
    for (double value : values) {
        if (std::isnan(value))
            display.error = runtime::ErrorKind::InvalidOperation;
        else if (std::isinf(value) && !display.error)
            display.error = runtime::ErrorKind::Overflow;
    }
    if (display.error)
        return display;
    for (std::size_t i = 0; i < 3; ++i)
        display.numbers[i] = textbook::shown(values[i]);
    compose(display, solution.complex, isNegative(equation.a));
    return display;
}

// |shown - right| in units of the 15th significant digit of right, the exact value correctly
// rounded to 15 digits: 0 for a right text, 0.5 or more for a wrong one.
double digitError(const std::string& shownText, const reference::Part& exact) {
    if (exact.digits == "0")
        return shownText == "0" ? 0 : HUGE_VAL;
    // Ample precision for a distance measured in units of the 15th digit.
    mp::Float shown(4000), truth(4000), unit(4000);
    mpfr_set_str(shown, shownText.c_str(), 10, MPFR_RNDN);
    const std::string exactText =
        (exact.negative ? "-" : "") + exact.digits + "e" + std::to_string(exact.exponent - 14);
    mpfr_set_str(truth, exactText.c_str(), 10, MPFR_RNDN);
    mpfr_sub(shown, shown, truth, MPFR_RNDN);
    mpfr_set_str(unit, ("1e" + std::to_string(exact.exponent - 14)).c_str(), 10, MPFR_RNDN);
    mpfr_div(shown, shown, unit, MPFR_RNDN);
    return std::fabs(mpfr_get_d(shown, MPFR_RNDN));
}

std::string caseText(const Case& equation) {
    return "a=" + equation.a + " b=" + equation.b + " c=" + equation.c;
}

void count(Tally& tally, const Case& equation, const Display& want, const Display& got,
           const reference::Solution& exact) {
    const bool exactFails = want.error.has_value();
    const bool shownFails = got.error.has_value();
    if (shownFails && !exactFails)
        ++tally.spuriousErrors;
    if (!shownFails && exactFails)
        ++tally.missedErrors;
    if (std::bit_cast<std::uint64_t>(got.stored) != std::bit_cast<std::uint64_t>(want.stored))
        ++tally.storedWrong;
    if (shownFails != exactFails || (!exactFails && got.texts != want.texts)) {
        ++tally.textsWrong;
        if (tally.firstWrong.empty())
            tally.firstWrong = caseText(equation) + ": shows \"" + got.texts[0] + "\" \"" +
                               got.texts[1] + "\" \"" + got.texts[2] + "\", exact \"" +
                               want.texts[0] + "\" \"" + want.texts[1] + "\" \"" + want.texts[2] +
                               "\"";
    }
    if (exactFails || shownFails)
        return;
    if (got.texts[3] != want.texts[3]) {
        ++tally.kindsWrong;
        return; // digits are compared only between numbers of the same kind of solution
    }
    const bool complex = exact.sign < 0;
    const std::array<const reference::Part*, 3> parts = {&exact.discriminant,
                                                         complex ? &exact.re : &exact.first,
                                                         complex ? &exact.im : &exact.second};
    for (std::size_t i = 0; i < 3; ++i)
        tally.worstError = std::fmax(tally.worstError, digitError(got.numbers[i], *parts[i]));
}

} // namespace

Comparison check(const Category& category) {
    Comparison result;
    for (const Case& equation : category.cases) {
        ++result.ours.cases;
        ++result.textbook.cases;
        const reference::Solution exact = reference::solve(equation.a, equation.b, equation.c);
        bool undecided = false;
        const Display want = expected(equation, exact, undecided);
        if (undecided) {
            ++result.ours.undecided;
            ++result.textbook.undecided;
            continue;
        }
        count(result.ours, equation, want, ours(equation), exact);
        count(result.textbook, equation, want, textbookDisplay(equation), exact);
    }
    return result;
}

FormTally checkExactForms(const Category& category) {
    FormTally tally;
    for (const Case& equation : category.cases) {
        windowless::TextBoxes boxes({equation.a, equation.b, equation.c});
        solver::WindowValues values;
        std::optional<solver::Roots> roots;
        try {
            roots = solver::calculate(boxes, values);
        } catch (const runtime::Error&) {
            continue;
        }
        // What each box's form must read back as: the real number shown, or re and im.
        std::array<formreader::Value, 3> shown;
        if (roots->complex) {
            const std::string re = roots->re.text(".");
            shown[0] = {re, roots->im.text(".")};
            shown[1] = {re, roots->im.negated().text(".")};
        } else {
            shown[0] = {boxes.results[0], "0"};
            shown[1] = {boxes.results[1], "0"};
        }
        shown[2] = {boxes.results[2], "0"};
        for (std::size_t i = 0; i < 3; ++i) {
            const std::string& form = boxes.exactForms[i];
            ++tally.forms;
            if (form == solver::tooLongNote()) {
                ++tally.tooLong;
                continue;
            }
            const std::optional<formreader::Value> value = formreader::evaluate(form);
            if (!value) {
                ++tally.unread;
                continue;
            }
            if (value->re != shown[i].re || value->im != shown[i].im) {
                ++tally.wrong;
                if (tally.firstWrong.empty())
                    tally.firstWrong = caseText(equation) + ": \"" + form + "\" reads " +
                                       value->re + " + " + value->im + " i, the box shows " +
                                       shown[i].re + " + " + shown[i].im + " i";
            }
            const std::string& working = boxes.workings[i];
            if (working.empty())
                continue;
            ++tally.workings;
            const std::optional<std::vector<formreader::Value>> steps =
                formreader::evaluateWorking(working);
            if (!steps || steps->empty()) {
                ++tally.workingsUnread;
                continue;
            }
            for (const formreader::Value& step : *steps) {
                if (step.re == shown[i].re && step.im == shown[i].im)
                    continue;
                ++tally.workingsWrong;
                if (tally.firstWrong.empty())
                    tally.firstWrong = caseText(equation) + ": \"" + working + "\" has a step " +
                                       step.re + " + " + step.im + " i, the box shows " +
                                       shown[i].re + " + " + shown[i].im + " i";
                break;
            }
        }
    }
    return tally;
}

namespace {

// The typographic minus as "-", for the reference's texts.
std::string plainMinus(const std::string& text) {
    constexpr std::string_view kMinus = "\xE2\x88\x92";
    std::string plain;
    for (std::size_t at = 0; at < text.size();) {
        const bool minus = std::string_view(text).substr(at).starts_with(kMinus);
        plain += minus ? '-' : text[at];
        at += minus ? kMinus.size() : 1;
    }
    return plain;
}

// What follows prefix in line, up to stop (or the end); nothing where line does not start so.
std::optional<std::string> after(const std::string& line, const std::string& prefix,
                                 const std::string& stop = {}) {
    if (!line.starts_with(prefix))
        return std::nullopt;
    std::string rest = line.substr(prefix.size());
    if (!stop.empty()) {
        const std::size_t at = rest.find(stop);
        if (at == std::string::npos)
            return std::nullopt;
        rest.resize(at);
    }
    return rest;
}

// Whether an expression read comes to 0 exactly: the reader zeroes what cancels to far below
// its precision.
std::optional<bool> isZero(const std::string& expression) {
    const std::optional<formreader::Value> value = formreader::evaluate(expression);
    if (!value)
        return std::nullopt;
    return value->re == "0" && value->im == "0";
}

std::string with(const std::string& polynomial, const char* x) {
    std::string text;
    for (char c : polynomial)
        text += c == 'x' ? std::string("(") + x + ")" : std::string(1, c);
    return text;
}

} // namespace

ResolutionTally checkResolution(const Category& category) {
    ResolutionTally tally;
    int turn = 0;
    for (const Case& equation : category.cases) {
        windowless::TextBoxes boxes({equation.a, equation.b, equation.c});
        solver::WindowValues values;
        try {
            if (!solver::calculate(boxes, values))
                continue;
        } catch (const runtime::Error&) {
            continue;
        }
        const int places = turn++ % (solver::kMostPlaces + 1);
        const std::vector<std::string> lines = boxes.resolution->lines(places);
        const std::string a = "(" + equation.a + ")", b = "(" + equation.b + ")",
                          c = "(" + equation.c + ")";
        const auto check = [&](const std::string& line, const std::optional<bool>& zero) {
            ++tally.lines;
            if (!zero) {
                ++tally.unread;
                if (tally.firstUnread.empty())
                    tally.firstUnread = caseText(equation) + ": \"" + line + "\"";
            } else if (!*zero) {
                ++tally.wrong;
                if (tally.firstWrong.empty())
                    tally.firstWrong = caseText(equation) + ": \"" + line + "\"";
            }
        };
        // A polynomial against a x² + b x + c at four points: the same polynomial of degree 2.
        const auto samePolynomial = [&](const std::optional<std::string>& text) {
            if (!text)
                return std::optional<bool>();
            for (const char* x : {"0", "1", "-1", "2"}) {
                const std::string at = std::string("(") + x + ")";
                const std::optional<bool> zero = isZero(with(*text, x) + " - (" + a + "·" + at +
                                                        "² + " + b + "·" + at + " + " + c + ")");
                if (!zero || !*zero)
                    return zero;
            }
            return std::optional<bool>(true);
        };
        const auto equal = [&](const std::optional<std::string>& text, const std::string& exact) {
            return text ? isZero(*text + " - (" + exact + ")") : std::optional<bool>();
        };
        for (const std::string& line : lines) {
            if (line.find(solver::tooLongNote()) != std::string::npos)
                continue; // left out, and said so
            if (line.starts_with("Ecuación: ")) {
                check(line, samePolynomial(after(line, "Ecuación: ", " = 0")));
            } else if (line.starts_with("Forma factorizada: ")) {
                check(line, samePolynomial(after(line, "Forma factorizada: ")));
            } else if (line.starts_with("Forma canónica: ")) {
                check(line, samePolynomial(after(line, "Forma canónica: ")));
            } else if (line.starts_with("Vértice: ")) {
                const std::optional<std::string> point =
                    after(line, "Vértice: V = (−b/(2a), −D/(4a)) = (", ")");
                const std::size_t comma = point ? point->find(", ") : std::string::npos;
                if (comma == std::string::npos) {
                    check(line, std::nullopt);
                    continue;
                }
                check(line, equal(point->substr(0, comma), "-" + b + "/(2·" + a + ")"));
                check(line, equal(point->substr(comma + 2),
                                  "-(" + b + "² - 4·" + a + "·" + c + ")/(4·" + a + ")"));
            } else if (line.starts_with("Comprobación: ")) {
                check(line, equal(after(line, "Comprobación: x₁ + x₂ = −b/a = ", ";"),
                                  "-" + b + "/" + a));
                check(line, equal(after(line.substr(line.find("; ") + 2), "x₁·x₂ = c/a = "),
                                  c + "/" + a));
            }
        }
        // The "≈" values of the roots, on the lines of x₁ and x₂: each root, or re ± im i.
        std::array<reference::Fixed, 2> parts;
        for (const reference::Which which :
             {reference::Which::FirstOrReal, reference::Which::SecondOrImaginary})
            parts[which == reference::Which::FirstOrReal ? 0 : 1] =
                reference::rounded(equation.a, equation.b, equation.c, which, places);
        if (!parts[0].decided || !parts[1].decided) {
            ++tally.undecided;
            continue;
        }
        // Where the rounding shows no digit, or more than 15 before the point, the boxes'
        // notation stands instead: those values are the boxes' own, checked elsewhere.
        const auto boxNotation = [](const reference::Fixed& part) {
            const std::string digits = part.text.substr(part.text.starts_with('-'));
            const bool noDigit = digits.find_first_not_of("0.") == std::string::npos;
            return (noDigit && !part.exact) || digits.find('.') > 15 ||
                   (digits.find('.') == std::string::npos && digits.size() > 15);
        };
        const bool complex = boxes.kind == runtime::texts::kComplexCaption;
        for (std::size_t root = 0; root < 2; ++root) {
            const std::string& line = lines[3 + root];
            const std::size_t at = line.find(" ≈ ");
            // "x₁ = … ≈ 2.62", or "x₁ ≈ 2.62: " and the note where the line is too long.
            std::string shown = at == std::string::npos ? "" : plainMinus(line.substr(at + 5));
            shown = shown.substr(0, shown.find(": "));
            std::string want;
            if (!complex) {
                if (boxNotation(parts[root]))
                    continue;
                want = parts[root].exact ? "" : parts[root].text;
            } else {
                if (boxNotation(parts[0]) || boxNotation(parts[1]))
                    continue;
                std::string im = parts[1].text;
                const bool negative = im.starts_with('-') != (root == 1);
                if (im.starts_with('-'))
                    im.erase(0, 1);
                const bool reZero =
                    parts[0].exact && parts[0].text.find_first_not_of("-0.") == std::string::npos;
                want = (reZero ? std::string(negative ? "-" : "")
                               : parts[0].text + (negative ? " - " : " + ")) +
                       im + " i";
                if (parts[0].exact && parts[1].exact)
                    want.clear();
            }
            ++tally.approximations;
            if (shown != want) {
                ++tally.wrong;
                if (tally.firstWrong.empty())
                    tally.firstWrong = caseText(equation) + " at " + std::to_string(places) +
                                       " places: \"" + line + "\", reference " +
                                       (want.empty() ? "exact" : want);
            }
        }
    }
    return tally;
}

} // namespace accuracy
