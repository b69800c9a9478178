#include "accounts/AccountLine.h"

#include "data/NumberFormat.h"
#include "data/TableStore.h"

#include <QLocale>

namespace {
const QString kSeparator = QStringLiteral(" - ");

QString generalNumber(const QVariant &value)
{
    if (value.isNull())
        return {};
    QString text = formatGeneral(value.toDouble());
    text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
    return text;
}
} // namespace

QString accountLineText(const TableStore &accounts)
{
    return accounts.value(QStringLiteral("AccountNo")).toString() + kSeparator
           + accounts.value(QStringLiteral("AccountName")).toString() + kSeparator
           + accounts.value(QStringLiteral("AccountDesc")).toString();
}

QString holdingLineText(const TableStore &holdings)
{
    return holdings.value(QStringLiteral("Symbol")).toString() + kSeparator
           + holdings.value(QStringLiteral("Name")).toString() + kSeparator
           + generalNumber(holdings.value(QStringLiteral("Quantity"))) + QStringLiteral(" x ")
           + generalNumber(holdings.value(QStringLiteral("Price"))) + QStringLiteral(" = ")
           + generalNumber(holdings.value(QStringLiteral("Extension")));
}

QString accountLineNumber(const QString &line)
{
    const qsizetype dash = line.indexOf(QStringLiteral("- "));
    if (dash < 0)
        return line;
    return line.left(std::max<qsizetype>(0, dash - 1));
}

AccountLineParts splitAccountLine(const QString &line)
{
    AccountLineParts parts;
    const qsizetype first = line.indexOf(kSeparator);
    if (first < 0)
        return parts;
    parts.hasNumber = true;
    parts.number = line.left(first).trimmed();
    const QString rest = line.mid(first + kSeparator.size());
    const qsizetype second = rest.indexOf(kSeparator);
    if (second >= 0) {
        parts.hasNameAndDescription = true;
        parts.name = rest.left(second);
        parts.description = rest.mid(second + kSeparator.size());
    }
    return parts;
}
