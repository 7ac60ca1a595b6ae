// SPDX-License-Identifier: MIT
// The failures a command can raise: one kind per situation, with what the user needs to know.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace runtime {

enum class ErrorKind {
    Conversion, // a text that is not a number
    // a = 0, where the equation is not of second degree: the first root's division by 2a is
    // 0/0 when b >= 0 (an invalid operation) and x/0 when b < 0 (a division by zero).
    InvalidOperation,
    DivisionByZero,
    Overflow,        // a value beyond the range of a double
    ZeroDenominator, // a fraction over 0
};

// What the failing step was working on.
enum class Subject {
    Text, // a bare conversion, not yet tied to a box
    CoefficientA,
    CoefficientB,
    CoefficientC,
    Discriminant,
    FirstRoot,
    SecondRoot,
    RealPart,
    ImaginaryPart,
};

class Error : public std::exception {
public:
    Error(ErrorKind kind, Subject subject, std::string text = {})
        : m_kind(kind), m_subject(subject), m_text(std::move(text)) {}

    ErrorKind kind() const noexcept { return m_kind; }
    Subject subject() const noexcept { return m_subject; }
    // The offending text, for conversion errors and overflowing inputs; empty otherwise.
    const std::string& text() const noexcept { return m_text; }

    // The same failure, attributed to the step that met it.
    Error at(Subject subject) const {
        Error error = *this;
        error.m_subject = subject;
        return error;
    }

    // A short English summary for logs and debuggers; users see the report's sentence.
    const char* what() const noexcept override;

private:
    ErrorKind m_kind;
    Subject m_subject;
    std::string m_text;
};

// The Spanish sentence that reports error, with its offending text (if any) quoted as it is. The
// windows quote it shortened, with invisible characters made visible (runtime::reportText()).
std::string describe(const Error& error);

} // namespace runtime
