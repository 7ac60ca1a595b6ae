// SPDX-License-Identifier: MIT
// The failures a command can raise: one kind per situation, with what the user needs to know.
#pragma once

#include <cstddef>
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
    Overflow, // a value beyond the range of a double
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

// One Spanish sentence for the user: what went wrong and where, with the offending text quoted,
// shortened to kQuotedTextLength characters and with control and direction marks made visible.
std::string describe(const Error& error);

inline constexpr std::size_t kQuotedTextLength = 40;

// text (UTF-8) made safe to quote: at most maxCharacters characters, the last an ellipsis when
// shortened; control characters, NUL, direction marks and broken UTF-8 become U+FFFD.
std::string quotable(std::string_view text, std::size_t maxCharacters);

} // namespace runtime
