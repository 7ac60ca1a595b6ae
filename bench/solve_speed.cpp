// SPDX-License-Identifier: MIT
// Nanoseconds per calculation: ours (exact, correctly rounded) against the textbook formulas.
#include "runtime/number_text.h"
#include "solver/calculation.h"
#include "solver/text_boxes.h"
#include "textbook.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <string>

namespace {

struct Inputs {
    const char* a;
    const char* b;
    const char* c;
};

// Easy: small integers. Hard: a near-double root, a nearly real complex pair, cancellation
// across 600 binary orders, the published two-roots-one-ulp-apart example, a double root where b^2
// overflows.
constexpr std::array<Inputs, 6> kCases = {{
    {"1", "-3", "2"},
    {"7778742049", "-25172538050", "20365011074"},
    {"1", "-2", "1.0000000000000004"},
    {"1e-150", "3e150", "1e-150"},
    {"1", "1.0000000000000002", "0.25000000000000011"},
    {"1e200", "-2e200", "1e200"},
}};

void ours(benchmark::State& state) {
    const Inputs& inputs = kCases[static_cast<std::size_t>(state.range(0))];
    solver::TextBoxes boxes({inputs.a, inputs.b, inputs.c});
    solver::WindowValues values;
    for (auto _ : state) {
        solver::calculate(boxes, values);
        benchmark::DoNotOptimize(values);
    }
}

// The same work for the textbook formulas: convert the texts, compute, write the texts (where
// they overflow to infinity or NaN, a short error text instead).
void textbookFormulas(benchmark::State& state) {
    const Inputs& inputs = kCases[static_cast<std::size_t>(state.range(0))];
    const auto show = [](double x) {
        return std::isfinite(x) ? runtime::toText(x) : std::string("error");
    };
    for (auto _ : state) {
        const textbook::Solution s = textbook::solve(
            runtime::toNumber(inputs.a), runtime::toNumber(inputs.b), runtime::toNumber(inputs.c));
        std::string first, second;
        if (s.complex) {
            const std::string re = show(s.re);
            const std::string im = show(s.im);
            first = re + "+" + im + " i";
            second = re + "-" + im + " i";
        } else {
            first = show(s.first);
            second = show(s.second);
        }
        std::string shown = show(s.discriminant);
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
