// SPDX-License-Identifier: MIT
// quadratic-table: runs the window's own calculation on lines of "a<TAB>b<TAB>c" from standard
// input and prints, per line, what the window would show, for audits and benchmarks.
//
//   OK <Text5> <Text6> <Text7> <Label1> <D> <x1_re> <x1_im> <x2_re> <x2_im> <exact5> <exact6>
//      <exact7>
//   EMPTY <message>
//   ERROR <kind> <message>
//
// Fields are TAB-separated; the OK fields from <D> to <x2_im> are doubles in round-trip form,
// the last three the exact values of the three boxes ("(3 + √5)/2").
//
// quadratic-table --resolution [--decimals N] prints instead, for each equation solved, the
// lines of its whole resolution as the window "Resolución" shows them, TAB-separated, with the
// decimal separator of the locale (LC_NUMERIC) and the "≈" values at N decimals (2 unless
// given); EMPTY and ERROR lines as above.
#include "runtime/errors.h"
#include "runtime/number_text.h"
#include "solver/calculation.h"
#include "text_boxes.h"

#include "solver/resolution.h"

#include <array>
#include <clocale>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char* kindName(runtime::ErrorKind kind) {
    switch (kind) {
    case runtime::ErrorKind::Conversion:
        return "conversion";
    case runtime::ErrorKind::Overflow:
        return "overflow";
    case runtime::ErrorKind::DivisionByZero:
        return "division-by-zero";
    case runtime::ErrorKind::InvalidOperation:
        return "invalid-operation";
    case runtime::ErrorKind::ZeroDenominator:
        return "zero-denominator";
    }
    return "unknown";
}

std::array<std::string, 3> splitFields(const std::string& line) {
    std::array<std::string, 3> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t tab = i + 1 < fields.size() ? line.find('\t', start) : std::string::npos;
        fields[i] = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return fields;
}

} // namespace

int main(int argc, char* argv[]) {
    bool resolution = false;
    int places = 2;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--resolution") {
            resolution = true;
        } else if (argument == "--decimals" && i + 1 < argc) {
            places = std::atoi(argv[++i]);
            if (places < 0 || places > solver::kMostPlaces) {
                std::cerr << "quadratic-table: --decimals takes 0 to " << solver::kMostPlaces
                          << '\n';
                return 2;
            }
        } else {
            std::cerr << "usage: quadratic-table [--resolution [--decimals N]] < TABLE\n";
            return 2;
        }
    }
    std::string separator = ".";
    if (resolution) {
        std::setlocale(LC_NUMERIC, "");
        separator = std::localeconv()->decimal_point;
    }
#ifdef _WIN32
    // Lines end in "\n" on every system: the table is compared byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        windowless::TextBoxes boxes(splitFields(line), separator);
        solver::WindowValues values;
        try {
            const auto roots = solver::calculate(boxes, values);
            if (!roots) {
                std::cout << "EMPTY\t" << boxes.message << '\n';
                continue;
            }
            if (resolution) {
                const std::vector<std::string> lines = boxes.resolution->lines(places);
                for (std::size_t i = 0; i < lines.size(); ++i)
                    std::cout << (i == 0 ? "" : "\t") << lines[i];
                std::cout << '\n';
                continue;
            }
            const double x1Re = roots->complex ? roots->re.nearest : roots->first.nearest;
            const double x2Re = roots->complex ? roots->re.nearest : roots->second.nearest;
            const double x1Im = roots->complex ? roots->im.nearest : 0.0;
            const double x2Im = roots->complex ? -roots->im.nearest : 0.0;
            std::cout << "OK\t" << boxes.results[0] << '\t' << boxes.results[1] << '\t'
                      << boxes.results[2] << '\t' << boxes.kind << '\t'
                      << runtime::roundTripText(values.discriminant) << '\t'
                      << runtime::roundTripText(x1Re) << '\t' << runtime::roundTripText(x1Im)
                      << '\t' << runtime::roundTripText(x2Re) << '\t'
                      << runtime::roundTripText(x2Im) << '\t' << boxes.exactForms[0] << '\t'
                      << boxes.exactForms[1] << '\t' << boxes.exactForms[2] << '\n';
        } catch (const runtime::Error& error) {
            std::cout << "ERROR\t" << kindName(error.kind()) << '\t' << runtime::describe(error)
                      << '\n';
        }
    }
    return 0;
}
