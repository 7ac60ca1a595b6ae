// SPDX-License-Identifier: MIT
// What every form of the program shares beyond its .ui file: fonts and window buttons.
#pragma once

class QWidget;

namespace windows {

// Maps the design's faces to free look-alikes where the originals are not installed:
// "Comic Sans MS" to Comic Neue, "Verdana" to DejaVu Sans, "MS Sans Serif" to Liberation Sans
// (Arial's widths). Idempotent.
void installFontSubstitutes();

// Designer stores whole points, so the forms say 8 where the design's captions are 8.25 points;
// this sets 8.25 on every widget of form whose own font is 8 points.
void applyDesignPointSize(QWidget* form);

// A window with a title, a system menu and a close button, but no maximize or minimize button.
void removeSizeButtons(QWidget* window);

} // namespace windows
