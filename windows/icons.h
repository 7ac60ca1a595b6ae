// SPDX-License-Identifier: MIT
// The program's icons, compiled into the program.
#pragma once

#include <QIcon>

namespace windows {

// The four images of the main window (and the program file): 16x16 and 32x32, each in 16 and
// 256 colours.
QIcon programIcon();

// The about window's single 32x32, 16-colour image.
QIcon aboutIcon();

} // namespace windows
