#pragma once

#include <QList>
#include <QString>

// One transaction as the average-cost rule reads it.
struct TransactionLine
{
    QString transaction; // "Purchase", "Sell" or "Split"
    double quantity = 0; // negative for a sale
    double price = 0;
};

struct AverageCostResult
{
    double quantity = 0;
    double average = 0;
};

// Quantity and average cost of a holding from its transactions in table order: purchases and
// splits add quantity × price; the i-th sale is valued at the price of the i-th purchase or
// split (nothing when there is none); a split as the last record halves the average. When the
// quantities add up to 0 (everything sold) the average is 0 rather than a division by zero.
AverageCostResult averageCost(const QList<TransactionLine> &lines);
