// SPDX-License-Identifier: MIT
#include "runtime/qt/shown_text.h"

#include "runtime/texts.h"

#include <QCoreApplication>

#include <vector>

namespace runtime {
namespace {

bool showsSafely(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

} // namespace

QString translated(std::string_view text) {
    // The sentences are literals: their views end where the literal does.
    return QCoreApplication::translate(texts::kContext, std::string(text).c_str());
}

QString translated(std::string_view text, const QString& argument) {
    return QString::fromStdString(
        texts::filled(translated(text).toStdString(), argument.toStdString()));
}

QString translated(std::string_view text, std::initializer_list<QString> arguments) {
    std::vector<std::string> utf8;
    for (const QString& argument : arguments)
        utf8.push_back(argument.toStdString());
    const std::vector<std::string_view> views(utf8.begin(), utf8.end());
    return QString::fromStdString(texts::filled(translated(text).toStdString(), views));
}

QString quotable(const QString& text, qsizetype maxCharacters) {
    const QList<uint> characters = text.toUcs4(); // a lone surrogate becomes U+FFFD
    QString safe;
    for (qsizetype i = 0; i < characters.size(); ++i) {
        if (i + 1 == maxCharacters && characters.size() > maxCharacters)
            return safe + QChar(0x2026); // …
        const char32_t c = characters[i];
        safe += QString::fromUcs4(showsSafely(c) ? &c : U"\uFFFD", 1);
    }
    return safe;
}

} // namespace runtime
