// SPDX-License-Identifier: MIT
// What every form of the program shares beyond its .ui file: fonts, window buttons and keys.
#pragma once

class QPushButton;
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

// Return and the keypad's Enter press the button when it has the focus, as Space does; outside
// dialogs Qt leaves them to the window.
void pressOnReturn(QPushButton* button);

// Escape closes the window, as its own closing button does.
void closeOnEscape(QWidget* window);

} // namespace windows
