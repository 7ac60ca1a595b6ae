// SPDX-License-Identifier: MIT
#include "windows/design.h"

#include <QFont>
#include <QWidget>

namespace windows {

void installFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

void applyDesignPointSize(QWidget* form) {
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    for (QWidget* widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetFont) || widget->font().pointSizeF() != 8.0)
            continue;
        QFont font = widget->font();
        font.setPointSizeF(8.25);
        widget->setFont(font);
    }
}

void removeSizeButtons(QWidget* window) {
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
}

} // namespace windows
