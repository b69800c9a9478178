#include "ledger/AverageCost.h"

AverageCostResult averageCost(const QList<TransactionLine> &lines)
{
    QList<double> boughtQuantities;
    QList<double> boughtPrices;
    QList<double> soldQuantities;
    for (const TransactionLine &line : lines) {
        if (line.transaction == QLatin1String("Purchase") || line.transaction == QLatin1String("Split")) {
            boughtQuantities << line.quantity;
            boughtPrices << line.price;
        } else if (line.transaction == QLatin1String("Sell")) {
            soldQuantities << line.quantity;
        }
    }
    double sum = 0;
    double total = 0;
    for (qsizetype i = 0; i < boughtQuantities.size(); ++i) {
        sum += boughtQuantities.at(i);
        total += boughtQuantities.at(i) * boughtPrices.at(i);
    }
    for (qsizetype i = 0; i < soldQuantities.size(); ++i) {
        sum += soldQuantities.at(i);
        total += soldQuantities.at(i) * boughtPrices.value(i, 0.0);
    }
    AverageCostResult result;
    result.quantity = sum;
    result.average = sum != 0 ? total / sum : 0;
    if (!lines.isEmpty() && lines.last().transaction == QLatin1String("Split"))
        result.average /= 2;
    return result;
}
