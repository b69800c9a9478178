#include "support/Records.h"

#include "data/DateText.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "support/AppSession.h"

#include <QFile>

QVariantMap accountRecord(const QString &number, const QString &name, const QString &desc, double total)
{
    return {{QStringLiteral("FrstAccountNo"), number},
            {QStringLiteral("AccountNo"), number},
            {QStringLiteral("AccountName"), name},
            {QStringLiteral("AccountDesc"), desc},
            {QStringLiteral("Total"), total}};
}

namespace {
// The fields every record of a holding carries.
QVariantMap holdingFields(const QString &accountNo, const QString &symbol, double quantity, double price)
{
    return {{QStringLiteral("FrstAccountNo"), accountNo},
            {QStringLiteral("AccountNo"), accountNo},
            {QStringLiteral("Symbol"), symbol},
            {QStringLiteral("Name"), symbol + QStringLiteral(" Inc")},
            {QStringLiteral("Quantity"), quantity},
            {QStringLiteral("Price"), price},
            {QStringLiteral("Extension"), quantity * price}};
}
} // namespace

QVariantMap
holdingRecord(const QString &accountNo, const QString &symbol, double quantity, double price, double aveCost)
{
    QVariantMap row = holdingFields(accountNo, symbol, quantity, price);
    row.insert(QStringLiteral("AveCost"), aveCost);
    row.insert(QStringLiteral("Difference"), quantity * price - quantity * aveCost);
    return row;
}

QVariantMap transactionRecord(const QString &accountNo,
                              const QString &symbol,
                              const QString &type,
                              double quantity,
                              double price,
                              const QDateTime &date)
{
    QVariantMap row = holdingFields(accountNo, symbol, quantity, price);
    row.insert(QStringLiteral("Transaction"), type);
    row.insert(QStringLiteral("TransactionDate"), FlopDate(date));
    if (date.isValid())
        row.insert(QStringLiteral("TransDateDsp"), date);
    return row;
}

QVariantMap historyRecord(const QString &accountNo, const QString &symbol, double quantity, double price)
{
    QVariantMap row = holdingRecord(accountNo, symbol, quantity, price, price);
    row.insert(QStringLiteral("TranType"), QStringLiteral("Chart"));
    row.insert(QStringLiteral("DateCreated"), QStringLiteral("20240102101010"));
    return row;
}

void seedAndStart(AppSession &app, const Seed &seed)
{
    app.stop();
    const auto write = [&app](const char *file, const QList<QVariantMap> &rows) {
        if (!rows.isEmpty())
            seedTable(app.dataPath(QLatin1String(file)), QLatin1String(file), rows);
    };
    write("Accounts.cds", seed.accounts);
    write("Summary.cds", seed.holdings);
    write("Purchases.cds", seed.transactions);
    write("History.cds", seed.history);
    app.start();
}

QList<QVariantMap> readTable(const QString &path, const QString &layoutFileName)
{
    TableStore store(fieldsOfFile(layoutFileName));
    store.setFileName(path);
    store.setFiltered(false);
    QList<QVariantMap> rows;
    if (!QFile::exists(path) || !store.open())
        return rows;
    for (store.first(); !store.eof(); store.next()) {
        QVariantMap row;
        for (const FieldDef &field : store.fields())
            row.insert(field.name, store.value(field.name));
        rows << row;
    }
    return rows;
}
