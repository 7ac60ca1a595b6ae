// SPDX-License-Identifier: MIT
// A window made of strings: the calculation's boxes for tools, benchmarks, fuzzing and tests,
// which run the very code the main window runs without any widget.
#pragma once

#include "solver/boxes.h"
#include "solver/exact_form.h"

#include <array>
#include <string>

namespace windowless {

class TextBoxes : public solver::Boxes {
public:
    TextBoxes(std::array<std::string, 3> inputs, std::string separator = ".")
        : m_inputs(std::move(inputs)), m_separator(std::move(separator)) {}

    std::string text(solver::InputBox box) const override {
        return m_inputs[static_cast<std::size_t>(box)];
    }
    void setText(solver::ResultBox box, const std::string& text) override {
        results[static_cast<std::size_t>(box)] = text;
    }
    void setExactValue(solver::ResultBox box, const std::optional<std::string>& form,
                       const std::string& working) override {
        exactForms[static_cast<std::size_t>(box)] = form.value_or(solver::tooLongNote());
        workings[static_cast<std::size_t>(box)] = working;
    }
    void setResolution(std::shared_ptr<const solver::Resolution> solved) override {
        resolution = std::move(solved);
    }
    void setKind(const std::string& caption) override { kind = caption; }
    void showMessage(const std::string& text) override { message = text; }
    void focusFirstInput() override {}
    std::string decimalSeparator() const override { return m_separator; }

    std::array<std::string, 3> results;    // Text5, Text6, Text7
    std::array<std::string, 3> exactForms; // of the same, or the note that one is too long
    std::array<std::string, 3> workings;   // of the same
    std::shared_ptr<const solver::Resolution> resolution; // of the last equation solved
    std::string kind;                                     // Label1
    std::string message;                                  // the last message shown

private:
    std::array<std::string, 3> m_inputs;
    std::string m_separator;
};

} // namespace windowless
