// SPDX-License-Identifier: MIT
#include "runtime/command_line.h"

#include "runtime/program_identity.h"

#include <algorithm>
#include <array>
#include <string>

namespace runtime {
namespace {

constexpr std::string_view kUsage =
    "Uso: brimel [opciones]\n"
    "Resuelve ecuaciones de segundo grado a·x² + b·x + c = 0 en una ventana.\n"
    "\n"
    "Opciones:\n"
    "  -h, --help     muestra esta ayuda y termina\n"
    "  --version      muestra la versión y termina\n"
    "\n"
    "Acepta también las opciones de Qt para ventanas, como -platform NOMBRE,\n"
    "-display PANTALLA, -style ESTILO o -reverse.\n";

// The window system's options that take a value, and those that do not; Qt reads them, with
// one dash or two, from the command line it is given.
using namespace std::string_view_literals;
constexpr std::array kQtOptionsWithValue = {
    "-platform"sv,        "-platformpluginpath"sv,
    "-platformtheme"sv,   "-plugin"sv,
    "-qwindowgeometry"sv, "-qwindowtitle"sv,
    "-qwindowicon"sv,     "-session"sv,
    "-display"sv,         "-name"sv,
    "-visual"sv,          "-style"sv,
    "-stylesheet"sv,      "-qmljsdebugger"sv,
};
constexpr std::array kQtFlags = {"-reverse"sv, "-nograb"sv, "-dograb"sv, "-sync"sv,
                                 "-widgetcount"sv};

bool isOneOf(std::string_view option, const auto& names) {
    return std::find(names.begin(), names.end(), option) != names.end();
}

#if defined(__unix__) && !defined(__APPLE__)
// The value given to a window system option (-platform NAME), if any.
std::optional<std::string_view> optionValue(std::span<char* const> arguments,
                                            std::string_view name) {
    for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == name || (option.starts_with("--") && option.substr(1) == name))
            return arguments[i + 1];
    }
    return std::nullopt;
}

bool isSet(const Environment& environment, const char* name) {
    const char* value = environment(name);
    return value && *value;
}
#endif

// X11 and Wayland need a display to talk to; without one the window system would abort. The
// other platforms' window systems are always there.
bool displayMissing([[maybe_unused]] std::span<char* const> arguments,
                    [[maybe_unused]] const Environment& environment) {
#if defined(__unix__) && !defined(__APPLE__)
    const char* variable = environment("QT_QPA_PLATFORM");
    const std::string_view platform =
        optionValue(arguments, "-platform").value_or(variable ? variable : "");
    const bool needsDisplay =
        platform.empty() || platform.starts_with("xcb") || platform.starts_with("wayland");
    const bool hasDisplay = isSet(environment, "DISPLAY") ||
                            isSet(environment, "WAYLAND_DISPLAY") ||
                            optionValue(arguments, "-display").has_value();
    return needsDisplay && !hasDisplay;
#else
    return false;
#endif
}

} // namespace

std::optional<int> handleCommandLine(std::span<char* const> arguments,
                                     const Environment& environment, std::ostream& out,
                                     std::ostream& err) {
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "-h" || argument == "--help") {
            out << kUsage;
            return 0;
        }
        if (argument == "--version") {
            out << "Brimel " << kVersionText << '\n';
            return 0;
        }
        // Qt takes "--platform" as "-platform".
        const std::string_view option = argument.starts_with("--") ? argument.substr(1) : argument;
        const std::string_view name = option.substr(0, option.find('='));
        if (isOneOf(name, kQtOptionsWithValue)) {
            if (name == option) // the value is the next argument
                ++i;
            continue;
        }
        if (isOneOf(option, kQtFlags))
            continue;
        err << "brimel: "
            << (argument.starts_with('-') ? "opción desconocida: " : "argumento de más: ")
            << argument << "\n\n"
            << kUsage;
        return kExitUsage;
    }

    if (displayMissing(arguments, environment)) {
        err << "brimel: no se encontró ninguna pantalla gráfica (ni DISPLAY ni WAYLAND_DISPLAY "
               "están definidas).\n";
        return kExitNoDisplay;
    }
    return std::nullopt;
}

} // namespace runtime
