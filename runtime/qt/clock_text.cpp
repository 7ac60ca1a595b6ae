// SPDX-License-Identifier: MIT
#include "runtime/qt/clock_text.h"

#include <QRegularExpression>

namespace runtime {
namespace {

// The locale's short time format with seconds added: "H:mm:ss" in Spanish.
QString timeFormat(const QLocale& locale) {
    QString format = locale.timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1Char('s'))) {
        // Short formats stop at the minutes; seconds follow them with the same separator.
        const qsizetype minutes = format.indexOf(QLatin1String("mm"));
        if (minutes > 0) {
            const QChar separator = format.at(minutes - 1);
            format.insert(minutes + 2, QString(separator) + QLatin1String("ss"));
        } else {
            format = QStringLiteral("HH:mm:ss");
        }
    }
    return format;
}

// The locale whose forms the clock panel writes: the given one, or Spanish (Spain) where the
// locale is C or POSIX, whose English month names would sit oddly in a Spanish window.
QLocale clockLocale(const QLocale& locale) {
    if (locale.language() == QLocale::C)
        return QLocale(QLocale::Spanish, QLocale::Spain);
    return locale;
}

} // namespace

ClockTexts::ClockTexts(const QLocale& locale)
    : m_locale(clockLocale(locale)), m_timeFormat(timeFormat(m_locale)) {}

QString ClockTexts::time(QTime time) const {
    return m_locale.toString(time, m_timeFormat);
}

QString ClockTexts::date(QDate date) const {
    QString format = m_locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression singleDay(QStringLiteral("(?<!d)d(?!d)"));
    static const QRegularExpression singleMonth(QStringLiteral("(?<!M)M(?!M)"));
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(singleDay, QStringLiteral("dd"));
    format.replace(singleMonth, QStringLiteral("MM"));
    format.replace(shortYear, QStringLiteral("yyyy"));
    return m_locale.toString(date, format);
}

} // namespace runtime
