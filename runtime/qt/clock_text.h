// SPDX-License-Identifier: MIT
// The texts of the clock panel, in the locale's own order and separators.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace runtime {

// Formats the time and the date for one locale; the time's format is worked out once, as the
// clock writes the time every second.
class ClockTexts {
public:
    explicit ClockTexts(const QLocale& locale = QLocale());

    // The locale's short time with seconds: "14:05:09" in Spanish, "2:05:09 PM" in US English.
    QString time(QTime time) const;
    // The locale's short date with two-digit day and month and a four-digit year:
    // "08/12/2026" in Spanish, "12/08/2026" in US English, "08.12.2026" in German.
    QString date(QDate date) const;

private:
    QLocale m_locale;
    QString m_timeFormat;
};

} // namespace runtime
