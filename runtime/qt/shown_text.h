// SPDX-License-Identifier: MIT
// The program's sentences as the windows show them: translated where a translation is
// installed, with quoted texts made safe to show.
#pragma once

#include <QString>

#include <initializer_list>
#include <string_view>

namespace runtime {

inline constexpr qsizetype kQuotedTextLength = 40;

// A sentence of runtime/texts.h, through QCoreApplication::translate() in its context; with
// argument in place of its "%1".
QString translated(std::string_view text);
QString translated(std::string_view text, const QString& argument);
QString translated(std::string_view text, std::initializer_list<QString> arguments);

// text made safe to quote in a sentence: at most maxCharacters characters, the last an ellipsis
// when shortened; a character that shows nothing or would rearrange the sentence around it
// becomes U+FFFD. Which ones is decided by Unicode category: controls, formats (direction
// marks, the soft hyphen, tags), unassigned code points, private use, surrogates, and line and
// paragraph separators.
QString quotable(const QString& text, qsizetype maxCharacters = kQuotedTextLength);

} // namespace runtime
