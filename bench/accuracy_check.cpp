// SPDX-License-Identifier: MIT
#include "accuracy_check.h"

#include "reference.h"
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "solver/calculation.h"
#include "solver/quadratic.h"
#include "solver/text_boxes.h"

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdio>
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
    long integer(long low, long high) {
        return std::uniform_int_distribution<long>(low, high)(m_engine);
    }
    double sign() { return integer(0, 1) ? 1.0 : -1.0; }
    // A random 53-bit mantissa in [1, 2) times 2^exponent, with a random sign.
    double scaled(int exponent) { return sign() * std::ldexp(uniform(1.0, 2.0), exponent); }
    // Any finite double, its exponent uniform over the whole range, subnormals included.
    double anyDouble() {
        const int exponent = static_cast<int>(integer(-1074, 1023));
        return exponent < -1022
                   ? sign() * std::ldexp(static_cast<double>(integer(1, 1L << 52)), -1074)
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

// --- What a window shows -----------------------------------------------------------------------

struct Shown {
    std::optional<runtime::ErrorKind> error;
    std::array<std::string, 4> texts; // Text5, Text6, Text7, Label1
};

std::string compose(bool complex, double a, double c, const std::string& first,
                    const std::string& second, const std::string& re, const std::string& im,
                    const std::string& minusIm, std::array<std::string, 4>& texts) {
    if (!complex) {
        texts[0] = first;
        texts[1] = second;
    } else if (a < 0 && c < 0) {
        texts[0] = re + im + " i";
        texts[1] = re + "+" + minusIm + " i";
    } else {
        texts[0] = re + "+" + im + " i";
        texts[1] = re + "-" + im + " i";
    }
    return std::string(complex ? solver::kComplexCaption : solver::kRealCaption);
}

// The coefficients typed in round-trip form, so the window converts them to these very doubles.
std::string typed(double x) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

Shown ours(const Case& k) {
    solver::TextBoxes boxes({typed(k.a), typed(k.b), typed(k.c)});
    solver::Coefficients values;
    Shown shown;
    try {
        solver::calculate(boxes, values);
        shown.texts = {boxes.results[0], boxes.results[1], boxes.results[2], boxes.kind};
    } catch (const runtime::Error& error) {
        shown.error = error.kind();
    }
    return shown;
}

std::string textOf(const reference::Part& part) {
    return runtime::formatDecimal(part.negative, part.digits, static_cast<int>(part.exponent), ".");
}

Shown expected(const Case& k, const reference::Solution& ref, bool& undecided) {
    Shown shown;
    const bool complex = ref.sign < 0;
    const std::array<const reference::Part*, 3> parts = {
        &ref.discriminant, complex ? &ref.re : &ref.first, complex ? &ref.im : &ref.second};
    for (const reference::Part* part : parts) {
        undecided = undecided || !part->decided;
        if (std::isinf(part->nearest))
            shown.error = runtime::ErrorKind::Overflow;
    }
    if (shown.error)
        return shown;
    reference::Part minusIm = ref.im;
    minusIm.negative = !minusIm.negative;
    shown.texts[3] = compose(complex, k.a, k.c, textOf(ref.first), textOf(ref.second),
                             textOf(ref.re), textOf(ref.im), textOf(minusIm), shown.texts);
    shown.texts[2] = textOf(ref.discriminant);
    return shown;
}

// The textbook formulas in doubles, shown the way the window shows a double.
struct TextbookResult {
    Shown shown;
    std::array<double, 3> values{}; // D, then x1 and x2 or re and im
};

TextbookResult textbook(const Case& k) {
    TextbookResult result;
    const double d = k.b * k.b - 4 * k.a * k.c;
    const bool complex = d < 0;
    double first = 0, second = 0, re = 0, im = 0;
    if (!complex) {
        first = (-k.b + std::sqrt(d)) / (2 * k.a);
        second = (-k.b - std::sqrt(d)) / (2 * k.a);
    } else {
        re = -k.b / (2 * k.a);
        im = std::sqrt(-d) / (2 * k.a);
    }
    result.values = {d, complex ? re : first, complex ? im : second};
    for (double value : result.values) {
        if (std::isnan(value))
            result.shown.error = runtime::ErrorKind::InvalidOperation;
        else if (std::isinf(value) && !result.shown.error)
            result.shown.error = runtime::ErrorKind::Overflow;
    }
    if (result.shown.error)
        return result;
    const auto text = [](double x) { return runtime::toText(x, "."); };
    result.shown.texts[3] =
        compose(complex, k.a, k.c, complex ? "" : text(first), complex ? "" : text(second),
                complex ? text(re) : "", complex ? text(im) : "", complex ? text(-im) : "",
                result.shown.texts);
    result.shown.texts[2] = text(d);
    return result;
}

// |shown - right| in units of the 15th significant digit of right, the exact value correctly
// rounded to 15 digits: 0 for a right text, 0.5 or more for a wrong one.
double digitError(const std::string& shownText, const reference::Part& exact) {
    if (exact.digits == "0")
        return shownText == "0" ? 0 : HUGE_VAL;
    reference::Number shown, truth, unit;
    mpfr_set_str(shown, shownText.c_str(), 10, MPFR_RNDN);
    const std::string exactText =
        (exact.negative ? "-" : "") + exact.digits + "e" + std::to_string(exact.exponent - 14);
    mpfr_set_str(truth, exactText.c_str(), 10, MPFR_RNDN);
    mpfr_sub(shown, shown, truth, MPFR_RNDN);
    mpfr_set_str(unit, ("1e" + std::to_string(exact.exponent - 14)).c_str(), 10, MPFR_RNDN);
    mpfr_div(shown, shown, unit, MPFR_RNDN);
    return std::fabs(mpfr_get_d(shown, MPFR_RNDN));
}

std::string describe(const Case& k) {
    char buffer[120];
    std::snprintf(buffer, sizeof buffer, "a=%.17g b=%.17g c=%.17g", k.a, k.b, k.c);
    return buffer;
}

} // namespace

std::vector<Category> generateCategories(int count, unsigned seed) {
    Random random(seed);
    std::vector<Category> categories;
    const auto add = [&](const char* name, auto make) {
        Category category{name, {}};
        category.cases.reserve(static_cast<std::size_t>(count));
        while (static_cast<int>(category.cases.size()) < count) {
            const Case k = make();
            if (k.a != 0 && std::isfinite(k.a) && std::isfinite(k.b) && std::isfinite(k.c))
                category.cases.push_back(k);
        }
        categories.push_back(std::move(category));
    };

    add("small integers", [&] {
        return Case{static_cast<double>(random.integer(-20, 20)),
                    static_cast<double>(random.integer(-20, 20)),
                    static_cast<double>(random.integer(-20, 20))};
    });
    add("|b| >> |ac|", [&] {
        const int eb = static_cast<int>(random.integer(-500, 500));
        const int gap = static_cast<int>(random.integer(20, 400)); // b^2 over |4ac|, in bits
        const int ea = static_cast<int>(random.integer(-400, 400));
        return Case{random.scaled(ea), random.scaled(eb), random.scaled(2 * eb - gap - ea)};
    });
    add("near-double roots", [&] {
        switch (random.integer(0, 2)) {
        case 0: { // Cassini: F(n+1)^2 - F(n) F(n+2) = (-1)^n, scaled by a power of two
            const int n = 2 * static_cast<int>(random.integer(5, 37));
            // Up to where b^2 overflows though D = 4 x 4^scale fits, and down to where D
            // underflows.
            const int scale = static_cast<int>(random.integer(-600, 510));
            return Case{std::ldexp(fibonacci(n), scale), std::ldexp(-2 * fibonacci(n + 1), scale),
                        std::ldexp(fibonacci(n + 2), scale)};
        }
        case 1: { // x^2 + (1 + i 2^-52) x + (1/4 + j 2^-53), after the published example
            const double i = static_cast<double>(random.integer(1, 64));
            const double j = static_cast<double>(random.integer(0, 64));
            return Case{1, 1 + i * 0x1p-52, 0.25 + j * 0x1p-53};
        }
        default: { // (x - r)^2 with r^2 rounded: a root pair split by the rounding alone
            const double r = random.scaled(static_cast<int>(random.integer(-300, 300)));
            return Case{1, -2 * r, r * r};
        }
        }
    });
    add("complex, nearly real", [&] {
        if (random.integer(0, 1)) {
            const int n = 2 * static_cast<int>(random.integer(5, 37)) + 1; // odd: D = -4
            return Case{fibonacci(n), -2 * fibonacci(n + 1), fibonacci(n + 2)};
        }
        const double r = random.scaled(static_cast<int>(random.integer(-300, 300)));
        const double square = r * r;
        return Case{1, -2 * r, std::nextafter(square, HUGE_VAL) * (1 + random.uniform(0, 0x1p-50))};
    });
    add("near the ends of the range", [&] {
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
        return Case{pick(), pick(), pick()};
    });
    add("random doubles", [&] {
        return Case{random.anyDouble(), random.anyDouble(), random.anyDouble()};
    });
    add("b = 0 or c = 0", [&] {
        const double a =
            random.anyDouble() * std::ldexp(1.0, -static_cast<int>(random.integer(0, 60)));
        const double other = random.scaled(static_cast<int>(random.integer(-600, 600)));
        return random.integer(0, 1) ? Case{a, 0, other} : Case{a, other, 0};
    });
    return categories;
}

namespace {

void count(Tally& tally, const Case& k, const Shown& want, const Shown& got,
           const reference::Solution& ref, bool complex,
           const std::array<std::string, 3>& numbers) {
    const bool exactFails = want.error.has_value();
    const bool shownFails = got.error.has_value();
    if (shownFails && !exactFails)
        ++tally.spuriousErrors;
    if (!shownFails && exactFails)
        ++tally.missedErrors;
    if (shownFails != exactFails || (!exactFails && got.texts != want.texts)) {
        ++tally.textsWrong;
        if (tally.firstWrong.empty())
            tally.firstWrong = describe(k) + ": shows \"" + got.texts[0] + "\" \"" + got.texts[1] +
                               "\" \"" + got.texts[2] + "\", exact \"" + want.texts[0] + "\" \"" +
                               want.texts[1] + "\" \"" + want.texts[2] + "\"";
    }
    // Digits are compared only where both show numbers of the same kind of solution.
    if (exactFails || shownFails || complex != (ref.sign < 0))
        return;
    const std::array<const reference::Part*, 3> parts = {
        &ref.discriminant, complex ? &ref.re : &ref.first, complex ? &ref.im : &ref.second};
    for (std::size_t i = 0; i < 3; ++i)
        tally.worstError = std::fmax(tally.worstError, digitError(numbers[i], *parts[i]));
}

} // namespace

Comparison check(const Category& category) {
    Comparison result;
    for (const Case& k : category.cases) {
        ++result.ours.cases;
        ++result.textbook.cases;
        const reference::Solution ref = reference::solve(k.a, k.b, k.c);
        bool undecided = false;
        const Shown want = expected(k, ref, undecided);
        if (undecided) {
            ++result.ours.undecided;
            ++result.textbook.undecided;
            continue;
        }

        const solver::Discriminant d = solver::discriminant(k.a, k.b, k.c);
        const solver::Roots r = solver::roots(k.a, k.b, k.c);
        count(result.ours, k, want, ours(k), ref, r.complex,
              {d.value.text("."), (r.complex ? r.re : r.first).text("."),
               (r.complex ? r.im : r.second).text(".")});

        const TextbookResult t = textbook(k);
        std::array<std::string, 3> numbers;
        for (std::size_t i = 0; i < 3; ++i)
            numbers[i] = std::isfinite(t.values[i]) ? runtime::toText(t.values[i], ".") : "";
        count(result.textbook, k, want, t.shown, ref, t.values[0] < 0, numbers);
    }
    return result;
}

} // namespace accuracy
