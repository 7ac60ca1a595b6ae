// SPDX-License-Identifier: MIT
// accuracy [cases per category] [seed]: every text the window would show for hundreds of
// thousands of hard equations, checked against MPFR; ours beside the textbook formulas.
#include "accuracy_check.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    const int perCategory = argc > 1 ? std::atoi(argv[1]) : 30000;
    const unsigned seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    const auto start = std::chrono::steady_clock::now();

    std::printf("%-28s %8s | %-36s | %-36s\n", "", "", "textbook formulas", "ours");
    std::printf("%-28s %8s | %8s %9s %8s %8s | %8s %9s %8s %8s\n", "category", "cases", "wrong",
                "worst", "spurious", "missed", "wrong", "worst", "spurious", "missed");
    long total = 0, oursWrong = 0, undecided = 0;
    std::string firstWrong;
    for (const accuracy::Category& category : accuracy::generateCategories(perCategory, seed)) {
        const accuracy::Comparison c = accuracy::check(category);
        std::printf("%-28s %8ld | %8ld %9.3g %8ld %8ld | %8ld %9.3g %8ld %8ld\n",
                    category.name.c_str(), c.ours.cases, c.textbook.textsWrong,
                    c.textbook.worstError, c.textbook.spuriousErrors, c.textbook.missedErrors,
                    c.ours.textsWrong, c.ours.worstError, c.ours.spuriousErrors,
                    c.ours.missedErrors);
        total += c.ours.cases;
        undecided += c.ours.undecided;
        oursWrong += c.ours.textsWrong + c.ours.spuriousErrors + c.ours.missedErrors;
        if (firstWrong.empty())
            firstWrong = c.ours.firstWrong;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%ld cases (seed %u), %ld left out where the reference met an exact decimal "
                "tie, %.1f s.\n'worst' is the distance from the right text in units of its 15th "
                "digit.\n",
                total, seed, undecided, seconds);
    if (oursWrong != 0)
        std::printf("FIRST WRONG: %s\n", firstWrong.c_str());
    return oursWrong == 0 ? 0 : 1;
}
