// SPDX-License-Identifier: MIT
#include "runtime/errors.h"

#include <algorithm>

namespace runtime {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";    // U+2026

// Decodes one UTF-8 character at the front of text; returns its length, or 0 when the bytes
// there are not well-formed UTF-8.
std::size_t decode(std::string_view text, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    char32_t value = 0;
    if (lead < 0x80) {
        codePoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    codePoint = value;
    return length;
}

// Characters that would be invisible or would rearrange the sentence they are quoted in.
bool unsafe(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x061C || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF;
}

bool isCoefficient(Subject subject) {
    return subject == Subject::CoefficientA || subject == Subject::CoefficientB ||
           subject == Subject::CoefficientC;
}

// The subject as it stands in a sentence, with its article.
std::string_view noun(Subject subject) {
    switch (subject) {
    case Subject::Text:
        return "el texto";
    case Subject::CoefficientA:
        return "el coeficiente a";
    case Subject::CoefficientB:
        return "el coeficiente b";
    case Subject::CoefficientC:
        return "el coeficiente c";
    case Subject::Discriminant:
        return "el discriminante";
    case Subject::FirstRoot:
        return "la primera raíz";
    case Subject::SecondRoot:
        return "la segunda raíz";
    case Subject::RealPart:
        return "la parte real de las raíces";
    case Subject::ImaginaryPart:
        return "la parte imaginaria de las raíces";
    }
    return "el resultado";
}

// "de" joined to the subject's article: "del discriminante", "de la primera raíz".
std::string ofNoun(Subject subject) {
    const std::string_view phrase = noun(subject);
    if (phrase.starts_with("el "))
        return "del " + std::string(phrase.substr(3));
    return "de " + std::string(phrase);
}

std::string capitalized(std::string_view phrase) {
    std::string text(phrase);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string quoted(const Error& error) {
    return "«" + quotable(error.text(), kQuotedTextLength) + "»";
}

} // namespace

std::string quotable(std::string_view text, std::size_t maxCharacters) {
    std::string safe;
    std::size_t count = 0;
    std::size_t cut = 0; // size of safe after maxCharacters - 1 characters
    while (!text.empty()) {
        if (count == maxCharacters) {
            safe.resize(cut);
            safe += kEllipsis;
            return safe;
        }
        if (count + 1 == maxCharacters)
            cut = safe.size();
        char32_t c = 0;
        std::size_t length = decode(text, c);
        if (length == 0 || unsafe(c))
            safe += kReplacement;
        else
            safe += text.substr(0, length);
        text.remove_prefix(std::max<std::size_t>(length, 1));
        ++count;
    }
    return safe;
}

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
    }
    return "error";
}

std::string describe(const Error& error) {
    const Subject subject = error.subject();
    switch (error.kind()) {
    case ErrorKind::Conversion:
        if (subject == Subject::Text)
            return quoted(error) + " no es un número válido.";
        return capitalized(noun(subject)) + " no es un número válido: " + quoted(error) + ".";
    case ErrorKind::Overflow:
        if (isCoefficient(subject) || subject == Subject::Text)
            return capitalized(noun(subject)) + " es demasiado grande: " + quoted(error) + ".";
        return "El valor " + ofNoun(subject) +
               " es demasiado grande: supera el mayor número que se puede representar.";
    case ErrorKind::InvalidOperation:
        return "El coeficiente a no puede ser 0: la ecuación no es de segundo grado "
               "(operación no válida, 0/0).";
    case ErrorKind::DivisionByZero:
        return "El coeficiente a no puede ser 0: la ecuación no es de segundo grado "
               "(división por cero).";
    }
    return "Error desconocido.";
}

} // namespace runtime
