#pragma once

#include <QString>
#include <QStringView>

// Number texts as the program shows them: always "," for thousands and "." for the decimal point,
// whatever the system locale. Rounding is half away from zero on the shortest decimal text of the
// double (so 1.005 rounds to 1.01, as a user reading "1.005" expects).

// A display or edit format such as "#,###,###,###.####". '#' is a digit shown only
// when significant, so there is no "0" before the point (0.5 -> ".5"); '0' is a digit always shown;
// a ',' in the integer part turns on grouping; the '#' and '0' after the '.' give the most decimals
// (trailing zeros dropped, down to the number of '0's). A value that rounds to zero is an empty text
// when the pattern has no '0'. Other pattern characters are ignored. NaN, infinities and values of
// 1e18 or more, which no pattern of the program can hold, fall back to formatGeneral.
QString formatNumber(double value, QStringView pattern);

// General number form: up to 15 significant digits, no grouping, "." point, trailing zeros dropped;
// scientific ("1.5E20", "1E-5") when there are more than 15 integer digits or the value is below
// 0.0001. NaN is "NAN", infinities "INF" and "-INF".
QString formatGeneral(double value);

// The status bar's "%4n": grouping and exactly four decimals (1234.5 -> "1,234.5000").
QString formatAmount4n(double value);
