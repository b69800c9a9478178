#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

class AppSession;

// Rows for seeding the program's table files before it starts.
QVariantMap accountRecord(const QString &number, const QString &name, const QString &desc, double total = 0);
// A holding with its extension and difference worked out as the program would.
QVariantMap
holdingRecord(const QString &accountNo, const QString &symbol, double quantity, double price, double aveCost);
// A transaction of a holding; a null date leaves it undated.
QVariantMap transactionRecord(const QString &accountNo,
                              const QString &symbol,
                              const QString &type,
                              double quantity,
                              double price,
                              const QDateTime &date = {});
QVariantMap historyRecord(const QString &accountNo, const QString &symbol, double quantity, double price);

// Every row of a table file as the program would read it at start; empty when the file is missing.
QList<QVariantMap> readTable(const QString &path, const QString &layoutFileName);

// Stops the program, writes the given tables into its data folder and starts it again. Empty lists
// leave their files alone.
struct Seed
{
    QList<QVariantMap> accounts;
    QList<QVariantMap> holdings;
    QList<QVariantMap> transactions;
    QList<QVariantMap> history;
};
void seedAndStart(AppSession &app, const Seed &seed);
