#include "binding/FieldText.h"

#include "data/NumberFormat.h"
#include "data/TextHelpers.h"

#include <QDateTime>
#include <QLocale>

#include <cmath>
#include <limits>

namespace {
QString fullYear(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

QString withSeconds(QString format)
{
    if (format.contains(QLatin1Char('s')))
        return format;
    const qsizetype minutes = format.indexOf(QLatin1String("mm"));
    if (minutes >= 0)
        format.insert(minutes + 2, QLatin1String(":ss"));
    return format;
}

// Two-digit years read as 1900 to 1999; a user typing "24" means 2024.
QDateTime fixCentury(QDateTime dt, const QString &format)
{
    if (!format.contains(QLatin1String("yyyy")) && dt.date().year() < 1950)
        dt = dt.addYears(100);
    return dt;
}

QDateTime readDateTime(const QString &text)
{
    const QLocale locale = QLocale::system();
    const QString shortDate = locale.dateFormat(QLocale::ShortFormat);
    const QString shortTime = locale.timeFormat(QLocale::ShortFormat);
    const QStringList dateTimeFormats = {FieldText::dateTimeEditFormat(),
                                         fullYear(shortDate) + QLatin1Char(' ') + shortTime,
                                         locale.dateTimeFormat(QLocale::ShortFormat),
                                         locale.dateTimeFormat(QLocale::LongFormat)};
    for (const QString &format : dateTimeFormats) {
        const QDateTime dt = locale.toDateTime(text, format);
        if (dt.isValid())
            return fixCentury(dt, format);
    }
    for (const QString &format : {fullYear(shortDate), shortDate}) {
        const QDate date = locale.toDate(text, format);
        if (date.isValid())
            return fixCentury(date.startOfDay(), format);
    }
    const QDateTime iso = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (iso.isValid())
        return iso;
    const QDate isoDate = QDate::fromString(text, Qt::ISODate);
    return isoDate.isValid() ? isoDate.startOfDay() : QDateTime();
}
} // namespace

QString FieldText::dateTimeEditFormat()
{
    const QLocale locale = QLocale::system();
    return fullYear(locale.dateFormat(QLocale::ShortFormat)) + QLatin1Char(' ')
           + withSeconds(locale.timeFormat(QLocale::ShortFormat));
}

QString FieldText::display(const QVariant &value, FieldType type, const QString &pattern)
{
    if (value.isNull())
        return {};
    switch (type) {
    case FieldType::Number:
        return pattern.isEmpty() ? formatGeneral(value.toDouble()) : formatNumber(value.toDouble(), pattern);
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::LargeInt:
        return QString::number(value.toLongLong());
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::DateTime:
        return QLocale::system().toString(value.toDateTime(), QLocale::ShortFormat);
    case FieldType::Text:
        break;
    }
    return value.toString();
}

QString FieldText::edit(const QVariant &value, FieldType type, const QString &pattern)
{
    if (type == FieldType::DateTime && !value.isNull())
        return QLocale::system().toString(value.toDateTime(), dateTimeEditFormat());
    return display(value, type, pattern);
}

bool FieldText::read(
        const QString &text, FieldType type, const QString &columnName, QVariant *value, QString *error)
{
    const QString trimmed = text.trimmed();
    switch (type) {
    case FieldType::Text:
        *value = text;
        return true;
    case FieldType::Number: {
        const QString plain = RemoveCommas(trimmed);
        bool ok = plain.isEmpty();
        const double number = ok ? 0.0 : plain.toDouble(&ok);
        if (ok && std::isfinite(number)) {
            *value = number;
            return true;
        }
        *error = tr("\"%1\" is not a valid number for %2.").arg(text, columnName);
        return false;
    }
    case FieldType::AutoInc:
    case FieldType::Integer:
    case FieldType::LargeInt: {
        const QString plain = RemoveCommas(trimmed);
        bool ok = plain.isEmpty();
        const qlonglong number = ok ? 0 : plain.toLongLong(&ok);
        if (ok && type != FieldType::LargeInt)
            ok = number >= std::numeric_limits<qint32>::min() && number <= std::numeric_limits<qint32>::max();
        if (ok) {
            *value = number;
            return true;
        }
        *error = tr("\"%1\" is not a valid whole number for %2.").arg(text, columnName);
        return false;
    }
    case FieldType::Boolean:
        if (trimmed.isEmpty()) {
            *value = QVariant();
            return true;
        }
        if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
            || trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
            *value = trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
            return true;
        }
        *error = tr("\"%1\" is not a valid value for %2: type True or False.").arg(text, columnName);
        return false;
    case FieldType::DateTime: {
        if (trimmed.isEmpty()) {
            *value = QVariant();
            return true;
        }
        const QDateTime dt = readDateTime(trimmed);
        if (dt.isValid()) {
            *value = dt;
            return true;
        }
        *error = tr("\"%1\" is not a valid date and time for %2.").arg(text, columnName);
        return false;
    }
    }
    return false;
}
