#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <optional>

// The 36 style names, in the order of the style list.
QStringList styleNames();

// Grid text colour that choosing the style at position pos sets; nullopt keeps the colour there
// was. No chosen style (pos < 0) counts as the first ones: white.
std::optional<QColor> styleTextColor(int pos);

// The entries of the quote interval list, in order.
QStringList quoteIntervalEntries();
// Seconds stored for the entry at pos, and the stored value that chooses it when loaded.
int intervalSavedSeconds(int pos);
int intervalLoadedSeconds(int pos);
// Position of the first entry chosen by seconds, or -1.
int intervalPositionFor(int seconds);

// The name part of an account line: the text between its first and second " - ", trimmed.
QString accountLineName(const QString &line);

// The file dialog filter for audio files.
QString audioFileFilter();

// A filter of "Description|mask;mask|..." pairs in the file dialog's own form.
QString dialogFilter(const QString &pairs);
