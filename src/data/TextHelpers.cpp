#include "data/TextHelpers.h"

QString RemoveCommas(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char(','));
    return out;
}

int InStr(int start, const QString &text, const QString &sub)
{
    if (sub.isEmpty() || start > text.size())
        return 0;
    const qsizetype at = text.indexOf(sub, start < 1 ? 0 : start - 1);
    return at < 0 ? 0 : int(at) + 1;
}

int LastCharPos(const QString &text, QChar c)
{
    const qsizetype at = text.lastIndexOf(c);
    return at < 0 ? -1 : int(at) + 1;
}

QString quotedFilterValue(const QString &value)
{
    QString doubled = value;
    doubled.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + doubled + QLatin1Char('\'');
}

QString accountFilter(const QString &account)
{
    return QStringLiteral("[AccountNo] = ") + quotedFilterValue(account);
}

QString holdingFilter(const QString &account, const QString &symbol)
{
    return accountFilter(account) + QStringLiteral(" AND [Symbol] = ") + quotedFilterValue(symbol);
}

QString
holdingRangeFilter(const QString &account, const QString &symbol, const QString &from, const QString &to)
{
    return holdingFilter(account, symbol) + QStringLiteral(" AND [DateCreated] >= ") + quotedFilterValue(from)
           + QStringLiteral(" AND [DateCreated] <= ") + quotedFilterValue(to);
}
