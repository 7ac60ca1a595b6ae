// SPDX-License-Identifier: MIT
// The program's start-up: its command line, the one look the design fixes, its identity on the
// desktop, Qt's own texts in Spanish, and a clean end when the session asks for one.
#pragma once

#include <QStringList>

#include <optional>
#include <ostream>
#include <span>

class QCoreApplication;

namespace windows {

// Exit codes: 0 after --help or --version (and a normal run), 1 when the window system cannot be
// opened, 2 for a command line the program does not understand.
inline constexpr int kExitNoDisplay = 1;
inline constexpr int kExitUsage = 2;

// Before the application object is made, so that no display is needed: -h and --help write the
// usage on out, --version the version ("Brimel 1.00"), and the run ends with 0. Nothing
// otherwise: the window system's options are left for Qt to take.
std::optional<int> answerInformationOptions(std::span<char* const> arguments, std::ostream& out);

// Once the application object has taken the window system's options out of arguments (the
// program's name first), whatever is left is not the program's: the first one is named on err
// with the usage, and the run ends with kExitUsage.
std::optional<int> refuseOtherArguments(const QStringList& arguments, std::ostream& err);

// Before the application object is made: Qt's own style, palette and fonts instead of the
// desktop's theme; and, should the window system fail to open, our one line on standard error
// before Qt's own account of it, and kExitNoDisplay.
void prepareApplication();

// Once it is made: names, version, desktop identity, Qt's Spanish texts, and SIGTERM, SIGINT
// and SIGHUP ending the run as closing the windows would.
void setUpApplication(QCoreApplication& application);

// Loads Qt's own Spanish texts ("Aceptar", "Deshacer", "Copiar"...), whatever the locale;
// false when Qt's translations are not installed, and Qt's English texts stay.
bool installSpanishQtTexts(QCoreApplication& application);

} // namespace windows
