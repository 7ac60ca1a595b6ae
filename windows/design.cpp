// SPDX-License-Identifier: MIT
#include "windows/design.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QHash>
#include <QKeyEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOption>
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

class ReadableToolTips : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void polish(QWidget* widget) override {
        QProxyStyle::polish(widget);
        // Qt's tooltip, a private class: the base style may have just given it colours of its
        // own.
        if (widget->inherits("QTipLabel")) {
            QPalette palette = widget->palette();
            palette.setColor(QPalette::ToolTipText, QColor(kToolTipText));
            palette.setColor(QPalette::ToolTipBase, QColor(kToolTipBase));
            palette.setColor(QPalette::WindowText, QColor(kToolTipText));
            widget->setPalette(palette);
        }
    }
    using QProxyStyle::polish;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_PanelTipLabel) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->fillRect(option->rect, QColor(kToolTipBase));
        painter->setPen(QColor(kToolTipText));
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
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

void drawReadableToolTips() {
    if (dynamic_cast<ReadableToolTips*>(QApplication::style()))
        return;
    QApplication::setStyle(new ReadableToolTips(QApplication::style()->name()));
}

void closeOnEscape(QWidget* window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
}

} // namespace windows
