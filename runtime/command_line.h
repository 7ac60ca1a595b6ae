// SPDX-License-Identifier: MIT
// What the command line asks for, answered before any window system is touched.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string_view>

namespace runtime {

// Exit codes: 0 after --help or --version (and a normal run), 1 when no graphical display can
// be opened, 2 for a command line the program does not understand.
inline constexpr int kExitNoDisplay = 1;
inline constexpr int kExitUsage = 2;

// Reads an environment variable: nullptr when it is not set.
using Environment = std::function<const char*(const char*)>;

// Answers -h and --help (a short Spanish usage on out), --version ("Brimel 1.00" on out), any
// other option or argument (the usage on err), and the want of a graphical display on a system
// whose windows need one (one line on err). Returns the exit code when the program should stop
// there, and nothing when it should go on to open its window. The window system's own options
// (-platform NAME, -display NAME, -style NAME, -reverse...) are left for it.
std::optional<int> handleCommandLine(std::span<char* const> arguments,
                                     const Environment& environment, std::ostream& out,
                                     std::ostream& err);

} // namespace runtime
