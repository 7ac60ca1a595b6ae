// SPDX-License-Identifier: MIT
#include "runtime/texts.h"

namespace runtime::texts {
namespace {

std::string_view notANumber(Subject subject) {
    switch (subject) {
    case Subject::CoefficientA:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente a no es un número válido: «%1».");
    case Subject::CoefficientB:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente b no es un número válido: «%1».");
    case Subject::CoefficientC:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente c no es un número válido: «%1».");
    case Subject::Text:
    case Subject::Discriminant:
    case Subject::FirstRoot:
    case Subject::SecondRoot:
    case Subject::RealPart:
    case Subject::ImaginaryPart:
        break; // only a text converts
    }
    return QT_TRANSLATE_NOOP("Brimel", "«%1» no es un número válido.");
}

std::string_view tooLarge(Subject subject) {
    switch (subject) {
    case Subject::Text:
        return QT_TRANSLATE_NOOP("Brimel", "El texto es demasiado grande: «%1».");
    case Subject::CoefficientA:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente a es demasiado grande: «%1».");
    case Subject::CoefficientB:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente b es demasiado grande: «%1».");
    case Subject::CoefficientC:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente c es demasiado grande: «%1».");
    case Subject::Discriminant:
        return QT_TRANSLATE_NOOP("Brimel", "El valor del discriminante es demasiado grande: "
                                           "supera el mayor número que se puede representar.");
    case Subject::FirstRoot:
        return QT_TRANSLATE_NOOP("Brimel", "El valor de la primera raíz es demasiado grande: "
                                           "supera el mayor número que se puede representar.");
    case Subject::SecondRoot:
        return QT_TRANSLATE_NOOP("Brimel", "El valor de la segunda raíz es demasiado grande: "
                                           "supera el mayor número que se puede representar.");
    case Subject::RealPart:
        return QT_TRANSLATE_NOOP("Brimel",
                                 "El valor de la parte real de las raíces es demasiado grande: "
                                 "supera el mayor número que se puede representar.");
    case Subject::ImaginaryPart:
        return QT_TRANSLATE_NOOP("Brimel",
                                 "El valor de la parte imaginaria de las raíces es demasiado "
                                 "grande: supera el mayor número que se puede representar.");
    }
    return {};
}

std::string_view overZero(Subject subject) {
    switch (subject) {
    case Subject::CoefficientA:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente a divide por cero: «%1».");
    case Subject::CoefficientB:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente b divide por cero: «%1».");
    case Subject::CoefficientC:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente c divide por cero: «%1».");
    case Subject::Text:
    case Subject::Discriminant:
    case Subject::FirstRoot:
    case Subject::SecondRoot:
    case Subject::RealPart:
    case Subject::ImaginaryPart:
        break; // only a text is a fraction
    }
    return QT_TRANSLATE_NOOP("Brimel", "«%1» divide por cero.");
}

} // namespace

std::string_view errorSentence(ErrorKind kind, Subject subject) {
    switch (kind) {
    case ErrorKind::Conversion:
        return notANumber(subject);
    case ErrorKind::Overflow:
        return tooLarge(subject);
    case ErrorKind::ZeroDenominator:
        return overZero(subject);
    case ErrorKind::InvalidOperation:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente a no puede ser 0: la ecuación no es "
                                           "de segundo grado (operación no válida, 0/0).");
    case ErrorKind::DivisionByZero:
        return QT_TRANSLATE_NOOP("Brimel", "El coeficiente a no puede ser 0: la ecuación no es "
                                           "de segundo grado (división por cero).");
    }
    return {};
}

std::string filled(std::string_view text, std::string_view argument) {
    return filled(text, {argument});
}

std::string filled(std::string_view text, std::initializer_list<std::string_view> arguments) {
    return filled(text, std::span(arguments.begin(), arguments.size()));
}

std::string filled(std::string_view text, std::span<const std::string_view> arguments) {
    std::string result;
    for (std::size_t marker; (marker = text.find('%')) != std::string_view::npos;) {
        result.append(text.substr(0, marker));
        const std::size_t number =
            marker + 1 < text.size() ? text[marker + 1] - '1' : arguments.size();
        if (number < arguments.size())
            result.append(arguments[number]);
        else
            result.append(text.substr(marker, 2));
        text.remove_prefix(std::min(marker + 2, text.size()));
    }
    return result.append(text);
}

} // namespace runtime::texts
