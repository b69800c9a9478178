#pragma once

#include <QChar>
#include <QString>

// Every "," removed; numbers read back from grid cells and pages pass through this first.
QString RemoveCommas(const QString &text);

// 1-based position of sub in text at or after the 1-based position start, 0 when absent.
// A start below 1 searches from the beginning; a start past the end, or an empty sub, gives 0.
int InStr(int start, const QString &text, const QString &sub);

// 1-based position of the last c in text, -1 when absent (also for an empty text).
int LastCharPos(const QString &text, QChar c);

// value between apostrophes with every apostrophe inside doubled: O'Hara -> 'O''Hara'.
QString quotedFilterValue(const QString &value);

// The filters the program sets, with their exact blanks.
QString accountFilter(const QString &account);                        // [AccountNo] = 'a'
QString holdingFilter(const QString &account, const QString &symbol); // ... AND [Symbol] = 's'
// ... AND [DateCreated] >= 'from' AND [DateCreated] <= 'to'; the callers pass as bounds the first
// eight characters of compact date texts.
QString
holdingRangeFilter(const QString &account, const QString &symbol, const QString &from, const QString &to);
