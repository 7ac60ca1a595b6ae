// SPDX-License-Identifier: MIT
// The program's icons, compiled into the program.
#pragma once

#include <QIcon>

namespace windows {

// The design's four images alone: 16x16 and 32x32, each in 16 and 256 colours.
QIcon designIcon();

// The main window's icon: the design's four images (16x16 and 32x32, each in 16 and 256
// colours, as in the program file), then 48 to 256 pixels, so that high-density taskbars need
// not enlarge a small image; a dock that wants more takes the desktop entry's drawing from the
// icon theme. It builds on images, designIcon() as the window holds it already, so that its
// four images are not read again.
QIcon programIcon(QIcon images);

// The about window's single 32x32, 16-colour image.
QIcon aboutIcon();

} // namespace windows
