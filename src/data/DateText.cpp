#include "data/DateText.h"

namespace {

// The locale's long time format without its time-zone fields ("t", "tt", ...) and the blanks
// around them; quoted literals are kept as they are.
QString longTimeFormatWithoutZone(const QLocale &locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('t'))
            continue;
        out += c;
    }
    return out.simplified();
}

} // namespace

QString FlopDate(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return {};
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return QStringLiteral("%1%2%3%4%5%6")
            .arg(date.year())
            .arg(date.month(), 2, 10, QLatin1Char('0'))
            .arg(date.day(), 2, 10, QLatin1Char('0'))
            .arg(time.hour())
            .arg(time.minute())
            .arg(time.second());
}

QString regionalDateText(const QDateTime &dateTime, const QLocale &locale)
{
    if (!dateTime.isValid())
        return {};
    const QString text = locale.toString(dateTime.date(), QLocale::ShortFormat) + QLatin1Char(' ')
                         + locale.toString(dateTime.time(), longTimeFormatWithoutZone(locale));
    return text.left(20);
}
