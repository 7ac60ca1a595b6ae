// SPDX-License-Identifier: MIT
// The texts of the clock panel, in the locale's own order and separators.
#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

namespace runtime {

// The locale's short time format with seconds added: "H:mm:ss" in Spanish.
QString clockFormat(const QLocale& locale = QLocale());

// The locale's short time with seconds: "14:05:09" in Spanish, "2:05:09 PM" in US English.
QString clockText(QTime time, const QLocale& locale = QLocale());

// The locale's short date with two-digit day and month and a four-digit year: "08/12/2026" in
// Spanish, "12/08/2026" in US English.
QString dateText(QDate date, const QLocale& locale = QLocale());

} // namespace runtime
