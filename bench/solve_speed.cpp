// SPDX-License-Identifier: MIT
// Nanoseconds per calculation: ours (exact, correctly rounded) against the textbook formulas.
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "solver/calculation.h"
#include "text_boxes.h"
#include "textbook.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct Inputs {
    std::string name;
    std::string a, b, c;
};

// digits pseudo-random digits, the first not 0: the same on every run.
std::string digits(std::size_t count, unsigned seed) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += static_cast<char>('0' + (seed >> 16) % (i == 0 ? 9 : 10) + (i == 0));
    }
    return text;
}

// d.ddd... x 10^exponent with count pseudo-random significant digits.
std::string scientific(std::size_t count, unsigned seed, int exponent) {
    const std::string all = digits(count, seed);
    return all.substr(0, 1) + "." + all.substr(1) + "e" + std::to_string(exponent);
}

// Easy: small integers and decimals as typed. Hard: a near-double root, a nearly real complex
// pair, cancellation across 300 decimal orders, a double root where b^2 overflows. Long: texts
// of up to 1000 characters; the worst inputs found, 1000-character texts at the two ends of the
// accepted range (10^-100000 and 10^307), whose integer equation has numbers of 50,000 digits,
// and 980-digit coefficients with a root on a tie, c far below them.
std::vector<Inputs> cases() {
    const std::string one = "1." + std::string(977, '0') + "1";
    // -2.000000000000015 x one
    const std::string tied = "-2.000000000000015" + std::string(962, '0') + "2000000000000015";
    return {
        {"1, -3, 2", "1", "-3", "2"},
        {"1, -0.6, 0.09", "1", "-0.6", "0.09"},
        {"2, 0.5, -0.3", "2", "0.5", "-0.3"},
        {"near-double root", "7778742049", "-25172538050", "20365011074"},
        {"nearly real complex", "1", "-2", "1.0000000000000004"},
        {"cancellation", "1e-150", "3e150", "1e-150"},
        {"b^2 overflows", "1e200", "-2e200", "1e200"},
        {"1000-char texts", digits(990, 1) + "e-985", "-0." + digits(997, 2),
         digits(990, 3) + "e-980"},
        {"1000-char texts, 1997-digit radicand", "0." + digits(998, 4), "-0." + digits(997, 5),
         "0." + digits(998, 6)},
        {"10^50000 apart, tie", "1", "-2.000000000000015", "1e-50000"},
        {"10^2070 apart, tie", "1", "-2.000000000000015", "1e-2070"},
        {"980 digits, tie, c = 1e-9880", one, tied, "1e-9880"},
        {"980 digits, tie, c = 1e-99000", one, tied, "1e-99000"},
        {"widest range, b small", scientific(994, 1, 307), scientific(991, 2, -100000),
         scientific(991, 3, -100000)},
        {"widest range, a small", scientific(991, 1, -100000), scientific(994, 2, -307),
         scientific(994, 3, 307)},
        {"widest range, c small", scientific(994, 1, 307), scientific(994, 2, 307),
         scientific(991, 3, -100000)},
        // Fractions: as homework writes them, and 1000-character ones whose denominators have no
        // factor in common, across the range too.
        {"1, -1/2, 1/3", "1", "-1/2", "1/3"},
        {"2/3, 1, -3/4", "2/3", "1", "-3/4"},
        {"1000-char fractions", digits(499, 7) + "/" + digits(500, 8),
         "-" + digits(499, 9) + "/" + digits(499, 10), digits(499, 11) + "/" + digits(500, 12)},
        {"1000-char fractions, widest range",
         scientific(490, 13, 150) + "/" + scientific(490, 14, -150),
         scientific(490, 15, -49990) + "/" + scientific(490, 16, 50000),
         scientific(490, 17, -49990) + "/" + scientific(490, 18, 50000)},
    };
}

const std::vector<Inputs> kCases = cases();

void ours(benchmark::State& state) {
    const Inputs& inputs = kCases[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(inputs.name);
    windowless::TextBoxes boxes({inputs.a, inputs.b, inputs.c});
    solver::WindowValues values;
    for (auto _ : state) {
        try {
            solver::calculate(boxes, values);
        } catch (const runtime::Error&) {
            // A value beyond the double range: the work up to it is what is timed.
        }
        benchmark::DoNotOptimize(values);
    }
}

// The same work for the textbook formulas: convert the texts, compute, write the texts (where
// they overflow to infinity or NaN, a short error text instead).
void textbookFormulas(benchmark::State& state) {
    const Inputs& inputs = kCases[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(inputs.name);
    const auto show = [](double x) {
        return std::isfinite(x) ? textbook::shown(x) : std::string("error");
    };
    for (auto _ : state) {
        const textbook::Solution solution = textbook::solve(runtime::readNumber(inputs.a).nearest,
                                                            runtime::readNumber(inputs.b).nearest,
                                                            runtime::readNumber(inputs.c).nearest);
        std::string first, second;
        if (solution.complex) {
            const std::string re = show(solution.re);
            const std::string im = show(solution.im);
            first = re + "+" + im + " i";
            second = re + "-" + im + " i";
        } else {
            first = show(solution.first);
            second = show(solution.second);
        }
        std::string shown = show(solution.discriminant);
        benchmark::DoNotOptimize(first);
        benchmark::DoNotOptimize(second);
        benchmark::DoNotOptimize(shown);
    }
}

void names(benchmark::internal::Benchmark* b) {
    for (int i = 0; i < static_cast<int>(kCases.size()); ++i)
        b->Arg(i);
    b->ArgName("case");
}

} // namespace

BENCHMARK(textbookFormulas)->Apply(names);
BENCHMARK(ours)->Apply(names);
BENCHMARK_MAIN();
