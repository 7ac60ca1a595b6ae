// SPDX-License-Identifier: MIT
// What every form of the program shares beyond its .ui file: fonts, window buttons and keys.
#pragma once

class QPushButton;
class QString;
class QWidget;

namespace windows {

// The face a design's face is drawn with: the face itself where it is installed, otherwise a
// free look-alike: "Comic Sans MS" Comic Neue, "Verdana" DejaVu Sans, "MS Sans Serif"
// Liberation Sans (Arial's widths). Any other face is itself.
QString shownFace(const QString& face);

// Gives every widget of form whose own font names a design's face the face shownFace() picks,
// and the design's 8.25 points where the form says 8 (Designer stores whole points).
void applyDesignFonts(QWidget* form);

// A window with a title, a system menu and a close button, but no maximize or minimize button.
void removeSizeButtons(QWidget* window);

// Return and the keypad's Enter press the button when it has the focus, as Space does; outside
// dialogs Qt leaves them to the window.
void pressOnReturn(QPushButton* button);

// Escape closes the window, as its own closing button does.
void closeOnEscape(QWidget* window);

// The colours every tooltip is drawn in, on every platform: black on the classic light yellow.
inline constexpr unsigned kToolTipText = 0x000000;
inline constexpr unsigned kToolTipBase = 0xFFFFE1;

// Draws the application's tooltips in those colours whatever its style would draw them in:
// Windows' own style takes them from the desktop's theme (grey on white under Wine). The style
// itself stays the one chosen (-style NAME included). Once for the application; later calls do
// nothing.
void drawReadableToolTips();

} // namespace windows
