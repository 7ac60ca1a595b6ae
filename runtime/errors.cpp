// SPDX-License-Identifier: MIT
#include "runtime/errors.h"

#include "runtime/texts.h"

namespace runtime {

const char* Error::what() const noexcept {
    switch (m_kind) {
    case ErrorKind::Conversion:
        return "text is not a number";
    case ErrorKind::InvalidOperation:
        return "invalid floating-point operation";
    case ErrorKind::DivisionByZero:
        return "floating-point division by zero";
    case ErrorKind::Overflow:
        return "floating-point overflow";
    case ErrorKind::ZeroDenominator:
        return "a fraction over zero";
    }
    return "error";
}

std::string describe(const Error& error) {
    return texts::filled(texts::errorSentence(error.kind(), error.subject()), error.text());
}

} // namespace runtime
