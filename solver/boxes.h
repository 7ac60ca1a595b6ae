// SPDX-License-Identifier: MIT
// The few operations on the main window that the calculation needs, so it stays free of widgets.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace solver {

class Resolution;

enum class InputBox { Text1, Text2, Text3 };  // a, b, c
enum class ResultBox { Text5, Text6, Text7 }; // first root, second root, discriminant

class Boxes {
public:
    virtual ~Boxes() = default;

    virtual std::string text(InputBox box) const = 0;
    virtual void setText(ResultBox box, const std::string& text) = 0;
    // The exact value of what the box shows, as a form ("(3 + √5)/2"), or nothing where it is
    // too long to write; and the working that leads to it, empty where there is none.
    virtual void setExactValue(ResultBox box, const std::optional<std::string>& form,
                               const std::string& working) = 0;
    // The equation just solved, for writing out its whole resolution on demand.
    virtual void setResolution(std::shared_ptr<const Resolution> resolution) = 0;
    // The caption of Label1, the kind of solution.
    virtual void setKind(const std::string& caption) = 0;
    // A plain message with an OK button; returns when the user has dismissed it.
    virtual void showMessage(const std::string& message) = 0;
    virtual void focusFirstInput() = 0;
    // The separator the window's locale writes between whole and fractional digits.
    virtual std::string decimalSeparator() const = 0;
};

} // namespace solver
