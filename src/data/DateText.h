#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

// Compact date text: year, two-digit month and day, then hour, minute and second
// without leading zeros, no separators; 29 April 2024 09:05:03 -> "20240429953". Only the first
// eight characters order as dates. The date-time is taken as given (no time-zone conversion).
// An invalid (null) date-time gives an empty text: callers treat that as the step failing.
QString FlopDate(const QDateTime &dateTime);

// The account's DateCreated: the locale's short date, a blank and its long time, cut to 20
// characters. The long time is taken without its time-zone part, which would only be cut off.
// An invalid date-time gives an empty text.
QString regionalDateText(const QDateTime &dateTime, const QLocale &locale = QLocale::system());
