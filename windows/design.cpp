// SPDX-License-Identifier: MIT
#include "windows/design.h"

#include <QFont>
#include <QFontDatabase>
#include <QHash>
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

QString shownFace(const QString& face) {
    // The face is picked here, not through Qt's font substitutions: a font with substitutes
    // makes Qt ask fontconfig for its whole fallback list at once, which costs milliseconds
    // on a desktop with many fonts. Whether the design's face itself is installed is asked
    // once per face, and by its name alone: QFontDatabase::hasFamily() would first have
    // fontconfig resolve the name as an alias, a full substitution on every call.
    static const QHash<QString, QString> lookAlikes = {
        {QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")},
        {QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")},
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
    };
    static QHash<QString, QString> picked;
    const auto lookAlike = lookAlikes.constFind(face);
    if (lookAlike == lookAlikes.constEnd())
        return face;
    auto known = picked.constFind(face);
    if (known == picked.constEnd()) {
        const bool installed = QFontDatabase::families().contains(face, Qt::CaseInsensitive);
        known = picked.insert(face, installed ? face : *lookAlike);
    }
    return *known;
}

void applyDesignFonts(QWidget* form) {
    QList<QWidget*> widgets = form->findChildren<QWidget*>();
    widgets.prepend(form);
    for (QWidget* widget : widgets) {
        if (!widget->testAttribute(Qt::WA_SetFont))
            continue;
        QFont font = widget->font();
        const QString face = shownFace(font.family());
        const bool designSize = font.pointSizeF() == 8.0;
        if (face == font.family() && !designSize)
            continue;
        font.setFamily(face);
        if (designSize)
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
