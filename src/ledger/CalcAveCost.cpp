// Quantity and average cost of holdings from their transactions, one holding or a whole account.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "data/NumberFormat.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "ledger/AverageCost.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>

namespace {
const QString kAveCostPattern = QStringLiteral("#,###,###,###.##");

// Writes the figures into the holding's row of one summary store and posts it.
bool updateHolding(TableStore &store, int row, const AverageCostResult &result)
{
    if (!store.setRecNo(row) || !store.edit())
        return false;
    const double quantity = result.quantity;
    const double extension = quantity * store.value(QStringLiteral("Price")).toDouble();
    const double difference = extension - quantity * result.average;
    store.setValue(QStringLiteral("Quantity"), quantity);
    store.setValue(QStringLiteral("Extension"), extension);
    store.setValue(QStringLiteral("AveCost"), result.average);
    store.setValue(QStringLiteral("Difference"), difference);
    const double cost = result.average * quantity;
    if (cost == 0)
        store.setValue(QStringLiteral("PercentDiff"), 0.0); // everything sold, or nothing paid
    else if (extension != 0 && difference != 0)
        store.setValue(QStringLiteral("PercentDiff"), difference / cost * 100);
    return store.post();
}
} // namespace

bool TTillwick1::CalcAveCost()
{
    TableStore &t = *ClientDataSet2;
    if (!t.isOpen() || t.rowsShown() == 0)
        return true;
    if (t.state() != TableStore::State::Browse)
        t.post();
    const int transactionField = t.fieldIndex(u"Transaction");
    const int quantityField = t.fieldIndex(u"Quantity");
    const int priceField = t.fieldIndex(u"Price");
    QList<TransactionLine> lines;
    lines.reserve(t.rowsShown());
    for (int row = 0; row < t.rowsShown(); ++row) {
        lines.append({t.valueAt(row, transactionField).toString(),
                      t.valueAt(row, quantityField).toDouble(),
                      t.valueAt(row, priceField).toDouble()});
    }
    const AverageCostResult result = averageCost(lines);
    t.first();
    SetupGrid2();

    // The holding is the one these transactions belong to.
    const QString account = t.value(QStringLiteral("AccountNo")).toString();
    const QString symbol = t.value(QStringLiteral("Symbol")).toString();
    const QString name = t.value(QStringLiteral("Name")).toString();
    if (ClientDataSet6->rowsShown() == 0)
        return true;
    bool ok = true;
    const int viewRow = findHolding(ClientDataSet6, account, symbol);
    if (viewRow >= 0)
        ok = updateHolding(*ClientDataSet6, viewRow, result) && ok;
    const int holdingRow = findHolding(ClientDataSet1, account, symbol);
    if (holdingRow >= 0)
        ok = updateHolding(*ClientDataSet1, holdingRow, result) && ok;

    const double viewDifference = ClientDataSet6->value(QStringLiteral("Extension")).toDouble()
                                  - ClientDataSet6->value(QStringLiteral("Quantity")).toDouble()
                                            * ClientDataSet6->value(QStringLiteral("AveCost")).toDouble();
    Label5->setText(name + QStringLiteral(" - ") + symbol);
    Label10->setText(QStringLiteral("Ave Cost: ") + formatNumber(result.average, kAveCostPattern));
    Label11->setText(QStringLiteral("Difference: ") + formatNumber(viewDifference, kAveCostPattern));
    for (QLabel *label : {Label5, Label10, Label11}) {
        label->show();
        label->repaint();
    }
    // Paint, but run no other command in the middle of a batch.
    QGuiApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    if (!SKIP_FLG && !ClientDataSet6->write())
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet6->lastError());
    return ok;
}

bool TTillwick1::CalcAccountAveCosts()
{
    // The holdings are taken first: recalculating may reorder them (sorted by average cost).
    QList<std::pair<QString, QString>> holdings;
    const int accountField = ClientDataSet1->fieldIndex(u"AccountNo");
    const int symbolField = ClientDataSet1->fieldIndex(u"Symbol");
    for (int row = 0; row < ClientDataSet1->rowsShown(); ++row) {
        holdings.append({ClientDataSet1->valueAt(row, accountField).toString(),
                         ClientDataSet1->valueAt(row, symbolField).toString()});
    }
    if (!ClientDataSet2->isOpen())
        OpenDataFile2();
    const QScopedValueRollback skip(SKIP_FLG, true);
    for (const auto &[account, symbol] : std::as_const(holdings)) {
        const int row = findHolding(ClientDataSet1, account, symbol);
        if (row < 0 || !ClientDataSet1->setRecNo(row))
            return false;
        ClientDataSet2->setFilter(holdingFilter(account, symbol));
        ClientDataSet2->first();
        const QVariant firstQuantity = ClientDataSet2->value(QStringLiteral("Quantity"));
        if (ClientDataSet1->value(QStringLiteral("Quantity")).toDouble() != 0
            && (firstQuantity.isNull() || firstQuantity.toDouble() != 0)) {
            if (!CalcAveCost())
                return false;
        }
    }
    return true;
}

void TTillwick1::TClcAveCstClick()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ClientDataSet1->setFilter(accountFilter(CURRENT_ACCOUNT));
    ClientDataSet1->first();
    if (CalcAccountAveCosts() && !ClientDataSet1->write())
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet1->lastError());
    SKIP_FLG = false;
    QGuiApplication::restoreOverrideCursor();
}
