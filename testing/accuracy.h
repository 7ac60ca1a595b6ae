// SPDX-License-Identifier: MIT
// Checks what the window shows for sets of equations against the exact reference, for the
// program's calculation and for the textbook formulas, case by case and per named category.
#pragma once

#include <string>
#include <vector>

namespace accuracy {

// An equation as typed: the texts of a, b and c.
struct Case {
    std::string a, b, c;
};

struct Category {
    std::string name;
    std::vector<Case> cases;
};

// The categories, each with count cases from a fixed seed (the same on every machine): hard
// equations written as 17-digit decimal texts of doubles, and equations as people type them.
std::vector<Category> generateCategories(int count, unsigned seed);

struct Tally {
    long cases = 0;
    long textsWrong = 0;     // cases where any text shown differs from the exact one
    long kindsWrong = 0;     // "Solución real" where it is complex, or the other way round
    long storedWrong = 0;    // the window-level D is not the double nearest to the exact one
    double worstError = 0;   // distance from the right text, in units of its 15th digit
    long spuriousErrors = 0; // an error raised where the exact results fit
    long missedErrors = 0;   // a result shown where an exact one is beyond the double range
    long undecided = 0;      // cases the reference could not round, left out
    std::string firstWrong;
    std::string firstUnread; // a description of the first wrong case, if any
};

struct Comparison {
    Tally ours;
    Tally textbook;
};

struct FormTally {
    long forms = 0;         // exact forms written (three a case, where the calculation succeeds)
    long wrong = 0;         // read back, a form's value does not round to its box's number
    long tooLong = 0;       // forms said to be too long to write
    long unread = 0;        // forms the reader could not evaluate
    long workings = 0;      // lines of working written beside them
    long workingsWrong = 0; // an expression in one does not come to its box's number
    long workingsUnread = 0;
    std::string firstWrong; // a description of the first wrong form or working, if any
};

// Every exact form the boxes carry for the category's cases, and every expression of the
// working beside it, read back by an independent reader (MPFR) and rounded to 15 digits,
// against the number its box shows.
FormTally checkExactForms(const Category& category);

struct ResolutionTally {
    long lines = 0;          // lines of the whole resolution read back
    long wrong = 0;          // one whose value is not the exact one
    long unread = 0;         // one the reader could not read
    long approximations = 0; // "≈" values checked against the reference
    long undecided = 0;      // left out where the reference could not round
    std::string firstWrong;
    std::string firstUnread;
};

// The whole resolution of each case, read back on its own: the equation, the factored and the
// canonical forms as polynomials (their values at x = 0, 1, −1 and 2 against a x² + b x + c,
// exactly), the vertex against (−b/2a, −D/4a), the check against −b/a and c/a; and the roots'
// "≈" values, at 0 to 15 decimals in turn, against the reference's own rounding.
ResolutionTally checkResolution(const Category& category);

// Runs every case of the category through the program's calculation (the window's own code
// path, from the coefficients' texts to the texts shown), the textbook formulas and the
// reference.
Comparison check(const Category& category);

} // namespace accuracy
