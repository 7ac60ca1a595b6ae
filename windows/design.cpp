// SPDX-License-Identifier: MIT
#include "windows/design.h"

#include <QFont>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QWidget>

namespace windows {
namespace {

class ReturnPresses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            modifiers != Qt::NoModifier || key->isAutoRepeat())
            return false;
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

} // namespace

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

void pressOnReturn(QPushButton* button) {
    button->installEventFilter(new ReturnPresses(button));
}

void closeOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace windows
