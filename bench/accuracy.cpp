// SPDX-License-Identifier: MIT
// accuracy [cases per category] [seed]: every text the window would show for hundreds of
// thousands of equations, checked against the exact reference; ours beside the textbook
// formulas. accuracy --cases [cases per category] [seed] prints the equations instead, one
// "a<TAB>b<TAB>c" line each, for tools/quadratic-table: two builds compared on the same input.
#include "accuracy.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

void print(const char* name, const accuracy::Tally& t) {
    std::printf(" | %-8s %7ld %6ld %7ld %9.3g %6ld %6ld", name, t.textsWrong, t.kindsWrong,
                t.storedWrong, t.worstError, t.spuriousErrors, t.missedErrors);
}

} // namespace

int main(int argc, char* argv[]) {
    const bool printCases = argc > 1 && std::string_view(argv[1]) == "--cases";
    if (printCases) {
        --argc;
        ++argv;
    }
    const int perCategory = argc > 1 ? std::atoi(argv[1]) : 30000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (printCases) {
        for (const accuracy::Category& category : accuracy::generateCategories(perCategory, seed))
            for (const accuracy::Case& equation : category.cases)
                std::printf("%s\t%s\t%s\n", equation.a.c_str(), equation.b.c_str(),
                            equation.c.c_str());
        return 0;
    }
    const auto start = std::chrono::steady_clock::now();

    std::printf("%-30s %7s | %-8s %7s %6s %7s %9s %6s %6s | ...ours\n", "category", "cases", "",
                "texts", "kinds", "D", "worst", "spur.", "missed");
    long total = 0, oursWrong = 0, undecided = 0;
    std::string firstWrong;
    for (const accuracy::Category& category : accuracy::generateCategories(perCategory, seed)) {
        const accuracy::Comparison comparison = accuracy::check(category);
        std::printf("%-30s %7ld", category.name.c_str(), comparison.ours.cases);
        print("textbook", comparison.textbook);
        print("ours", comparison.ours);
        std::printf("\n");
        total += comparison.ours.cases;
        undecided += comparison.ours.undecided;
        oursWrong += comparison.ours.textsWrong + comparison.ours.kindsWrong +
                     comparison.ours.storedWrong + comparison.ours.spuriousErrors +
                     comparison.ours.missedErrors;
        if (firstWrong.empty())
            firstWrong = comparison.ours.firstWrong;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%ld cases (seed %u), %ld left out where the reference could not round, "
                "%.1f s.\n"
                "texts: cases with a wrong text; kinds: real shown for complex or the other way "
                "round;\nD: the window-level discriminant is not the nearest double; worst: the "
                "distance from the\nright text in units of its 15th digit; spur./missed: errors "
                "raised wrongly or not raised.\n",
                total, seed, undecided, seconds);
    if (oursWrong != 0)
        std::printf("FIRST WRONG: %s\n", firstWrong.c_str());
    return oursWrong == 0 ? 0 : 1;
}
