// SPDX-License-Identifier: MIT
// Every sentence the program says in its own words, in one place; the windows' captions and the
// design's other texts stay in the forms. Each is marked for Qt's lupdate in the context
// "Brimel", and the windows pass each through QCoreApplication::translate() before showing it.
// "%1" stands where a sentence quotes something.
#pragma once

#include "runtime/errors.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// Qt's own definition, word for word, so that the layers without Qt mark their texts the same way.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace runtime::texts {

inline constexpr char kContext[] = "Brimel";

// The calculation: the design's message for an empty box and its two kinds of solution.
inline constexpr std::string_view kEmptyBoxMessage =
    QT_TRANSLATE_NOOP("Brimel", "Por favor, introduza los valores de a,b,c");
inline constexpr std::string_view kRealCaption = QT_TRANSLATE_NOOP("Brimel", "Solución real");
inline constexpr std::string_view kComplexCaption =
    QT_TRANSLATE_NOOP("Brimel", "Solución compleja");

// A result box's exact value, and what is said in place of a form too long to write, with the
// longest a form may be as %1.
inline constexpr std::string_view kExactValue = QT_TRANSLATE_NOOP("Brimel", "Valor exacto: %1");
inline constexpr std::string_view kExactFormTooLong =
    QT_TRANSLATE_NOOP("Brimel", "demasiado largo para escribirlo (más de %1 caracteres)");

// The entry of a result box's context menu that copies its exact value.
inline constexpr std::string_view kCopyExactValue =
    QT_TRANSLATE_NOOP("Brimel", "Copiar valor exacto");

// The entry of a result box's context menu that opens the whole resolution, and the line its
// tooltip ends with.
inline constexpr std::string_view kShowResolution =
    QT_TRANSLATE_NOOP("Brimel", "Ver la resolución");
inline constexpr std::string_view kResolutionHint =
    QT_TRANSLATE_NOOP("Brimel", "Ctrl+R: la resolución completa, con la gráfica");

// The window of the whole resolution: its lines, and what it says before anything is solved.
inline constexpr std::string_view kResolutionTitle = QT_TRANSLATE_NOOP("Brimel", "Resolución");
inline constexpr std::string_view kNothingSolved =
    QT_TRANSLATE_NOOP("Brimel", "Escribe a, b y c y pulsa Calcular.");
inline constexpr std::string_view kEquationLine = QT_TRANSLATE_NOOP("Brimel", "Ecuación: %1");
inline constexpr std::string_view kDiscriminantLine =
    QT_TRANSLATE_NOOP("Brimel", "Discriminante: %1");
inline constexpr std::string_view kTwoRealRoots =
    QT_TRANSLATE_NOOP("Brimel", "D > 0: dos soluciones reales distintas.");
inline constexpr std::string_view kDoubleRoot =
    QT_TRANSLATE_NOOP("Brimel", "D = 0: una solución doble.");
inline constexpr std::string_view kComplexRoots = QT_TRANSLATE_NOOP(
    "Brimel", "D < 0: dos soluciones complejas conjugadas; la parábola no corta el eje x.");
inline constexpr std::string_view kVertexLine = QT_TRANSLATE_NOOP("Brimel", "Vértice: %1");
inline constexpr std::string_view kAxisLine = QT_TRANSLATE_NOOP("Brimel", "Eje de simetría: %1");
inline constexpr std::string_view kMinimumLine =
    QT_TRANSLATE_NOOP("Brimel", "Mínimo: %1, en x = %2");
inline constexpr std::string_view kMaximumLine =
    QT_TRANSLATE_NOOP("Brimel", "Máximo: %1, en x = %2");
inline constexpr std::string_view kYInterceptLine =
    QT_TRANSLATE_NOOP("Brimel", "Corte con el eje y: %1");
inline constexpr std::string_view kFactoredLine =
    QT_TRANSLATE_NOOP("Brimel", "Forma factorizada: %1");
inline constexpr std::string_view kCanonicalLine =
    QT_TRANSLATE_NOOP("Brimel", "Forma canónica: %1");
inline constexpr std::string_view kCheckLine = QT_TRANSLATE_NOOP("Brimel", "Comprobación: %1");
// A line too long to write: what it was, then the note (kExactFormTooLong).
inline constexpr std::string_view kLineTooLong = QT_TRANSLATE_NOOP("Brimel", "%1: %2");

// Under the graph: the points it leaves out, the parabola that does not meet the x axis, where
// the pointer is.
inline constexpr std::string_view kOutsideView =
    QT_TRANSLATE_NOOP("Brimel", "Fuera de la vista: %1.");
inline constexpr std::string_view kNoCrossing = QT_TRANSLATE_NOOP("Brimel", "no corta el eje x");
inline constexpr std::string_view kGraphName =
    QT_TRANSLATE_NOOP("Brimel", "Gráfica de la parábola");
inline constexpr std::string_view kGraphDescription =
    QT_TRANSLATE_NOOP("Brimel", "Gráfica de %1. Puntos marcados: %2.");

// Saving the resolution: the dialogs' captions, the kinds of file they offer, the names they
// start from, and the sentence for a file that could not be written (%1 the file, %2 why).
inline constexpr std::string_view kSavePdfCaption =
    QT_TRANSLATE_NOOP("Brimel", "Guardar la resolución como PDF");
inline constexpr std::string_view kSaveImageCaption =
    QT_TRANSLATE_NOOP("Brimel", "Guardar la gráfica como imagen");
inline constexpr std::string_view kPdfFiles = QT_TRANSLATE_NOOP("Brimel", "Documentos PDF (*.pdf)");
inline constexpr std::string_view kPngFiles = QT_TRANSLATE_NOOP("Brimel", "Imágenes PNG (*.png)");
inline constexpr std::string_view kPdfName = QT_TRANSLATE_NOOP("Brimel", "resolucion.pdf");
inline constexpr std::string_view kImageName = QT_TRANSLATE_NOOP("Brimel", "parabola.png");
inline constexpr std::string_view kCannotSave =
    QT_TRANSLATE_NOOP("Brimel", "No se pudo guardar «%1»: %2.");

// A command that failed for a reason of the program's own, not of the numbers.
inline constexpr std::string_view kInternalError =
    QT_TRANSLATE_NOOP("Brimel", "No se pudo completar la orden por un error interno.");

// The command line and the start-up, on the terminal.
inline constexpr std::string_view kUsage = QT_TRANSLATE_NOOP(
    "Brimel", "Uso: brimel [opciones]\n"
              "Resuelve ecuaciones de segundo grado a·x² + b·x + c = 0 en una ventana.\n"
              "\n"
              "Opciones:\n"
              "  -h, --help     muestra esta ayuda y termina\n"
              "  --version      muestra la versión y termina\n"
              "\n"
              "Acepta también las opciones de Qt para ventanas, como -platform NOMBRE,\n"
              "-display PANTALLA, -geometry ANCHOxALTO, -style ESTILO o -reverse.\n");
inline constexpr std::string_view kUnknownOption =
    QT_TRANSLATE_NOOP("Brimel", "brimel: opción desconocida: %1");
inline constexpr std::string_view kExtraArgument =
    QT_TRANSLATE_NOOP("Brimel", "brimel: argumento de más: %1");
inline constexpr std::string_view kNoDisplay =
    QT_TRANSLATE_NOOP("Brimel", "brimel: no se pudo abrir la pantalla gráfica.");

// The sentence that reports an error, with %1 where the offending text is quoted.
std::string_view errorSentence(ErrorKind kind, Subject subject);

// text with each "%1" replaced by argument; and with %1, %2... replaced by the arguments in turn.
std::string filled(std::string_view text, std::string_view argument);
std::string filled(std::string_view text, std::initializer_list<std::string_view> arguments);
std::string filled(std::string_view text, std::span<const std::string_view> arguments);

} // namespace runtime::texts
