// SPDX-License-Identifier: MIT
// What the program sets up around its windows: the one look the design fixes, its identity on
// the desktop, Qt's own texts in Spanish, and a clean end when the session asks for one.
#pragma once

class QCoreApplication;

namespace windows {

// Before the application object is made: Qt's own style, palette and fonts instead of the
// desktop's theme, and a one-line report instead of Qt's when the display cannot be opened.
void prepareApplication();

// Once it is made: names, version, desktop identity, Qt's Spanish texts, and SIGTERM, SIGINT
// and SIGHUP ending the run as closing the windows would.
void setUpApplication(QCoreApplication& application);

// Loads Qt's own Spanish texts ("Aceptar", "Deshacer", "Copiar"...), whatever the locale;
// false when Qt's translations are not installed, and Qt's English texts stay.
bool installSpanishQtTexts(QCoreApplication& application);

} // namespace windows
