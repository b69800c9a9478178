#pragma once

#include <QStringList>

// The lines of one help section, both ends included, counted from 0.
struct HelpSectionRange
{
    int first = 0;
    int last = -1;
};

// The whole help text, one entry a line (121 lines).
QStringList helpTextLines();

// The lines of section 1 to 9; an empty range for any other number.
HelpSectionRange helpSectionRange(int section);

// The two pages the "About" entry opens.
QStringList helpAboutPages();
