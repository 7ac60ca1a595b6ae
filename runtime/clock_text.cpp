// SPDX-License-Identifier: MIT
#include "runtime/clock_text.h"

#include <QRegularExpression>

namespace runtime {

QString clockFormat(const QLocale& locale) {
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

QString clockText(QTime time, const QLocale& locale) {
    return locale.toString(time, clockFormat(locale));
}

QString dateText(QDate date, const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression singleDay(QStringLiteral("(?<!d)d(?!d)"));
    static const QRegularExpression singleMonth(QStringLiteral("(?<!M)M(?!M)"));
    static const QRegularExpression shortYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(singleDay, QStringLiteral("dd"));
    format.replace(singleMonth, QStringLiteral("MM"));
    format.replace(shortYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

} // namespace runtime
