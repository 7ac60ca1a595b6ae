// SPDX-License-Identifier: MIT
// The whole solution of an equation, as a student writes it out: every step, the vertex, the
// axis of symmetry, the minimum or maximum, the factored and canonical forms and their check,
// the roots rounded to the decimals asked for; and what its graph shows.
#pragma once

#include "solver/exact_form.h"
#include "solver/plot_view.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace solver {

class Quadratic;

// A point the graph marks, with its short value: "x₁ ≈ 2,62", "V = (1,5; −1,25)", "(0; 1)".
struct MarkedPoint {
    enum class Kind { Root, Vertex, YIntercept };
    Kind kind = Kind::Root;
    PlotPoint at;
    std::string label;
};

struct Graph {
    std::string function; // "y = x² − 3x + 1"
    Curve curve;
    double axis = 0; // of symmetry, x = −b/2a
    std::vector<MarkedPoint> points;
    ChosenView chosen;
    std::string outside;    // the sentence naming the points outside the view, or nothing
    std::string noCrossing; // "no corta el eje x" for complex roots, or nothing
};

// The decimals the "≈" values may be rounded to.
inline constexpr int kMostPlaces = 15;

class Resolution {
public:
    // For an equation that "Calcular" solved (a != 0, every shown value within the doubles),
    // with its coefficients as typed, the window's decimal separator and the exact forms.
    Resolution(std::shared_ptr<const Quadratic> equation, std::array<Coefficient, 3> coefficients,
               std::string decimalSeparator, ExactForms forms);
    ~Resolution();
    Resolution(const Resolution&) = delete;
    Resolution& operator=(const Resolution&) = delete;

    // The lines, each at most kLongestExactForm characters (a longer one says so instead), with
    // the "≈" values of the roots rounded to places decimals (0 to kMostPlaces), a half away
    // from zero; a value too large, or too small to show a digit at that many places, is
    // written as the result boxes write it. Coordinates are separated by "; " where the decimal
    // separator is not ".", by ", " where it is.
    std::vector<std::string> lines(int places) const;

    Graph graph() const;

private:
    struct Worked;
    std::unique_ptr<const Worked> m_worked;
};

} // namespace solver
