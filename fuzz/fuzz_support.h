// SPDX-License-Identifier: MIT
// What the fuzz targets share: a window made of strings and the checks on what it shows.
#pragma once

#include "solver/boxes.h"

#include <array>
#include <cstdlib>
#include <string>

namespace fuzz {

// Aborts, so the fuzzer records the input, when a property does not hold.
inline void require(bool holds) {
    if (!holds)
        std::abort();
}

class StringBoxes : public solver::Boxes {
public:
    StringBoxes(std::array<std::string, 3> inputs, std::string separator)
        : m_inputs(std::move(inputs)), m_separator(std::move(separator)) {}

    std::string text(solver::InputBox box) const override {
        return m_inputs[static_cast<std::size_t>(box)];
    }
    void setText(solver::ResultBox box, const std::string& text) override {
        results[static_cast<std::size_t>(box)] = text;
    }
    void setKind(const std::string& caption) override { kind = caption; }
    void showMessage(const std::string& text) override { message = text; }
    void focusFirstInput() override {}
    std::string decimalSeparator() const override { return m_separator; }

    std::array<std::string, 3> results; // Text5, Text6, Text7
    std::string kind;
    std::string message;

private:
    std::array<std::string, 3> m_inputs;
    std::string m_separator;
};

} // namespace fuzz
