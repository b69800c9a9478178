// Account totals in the status bar and in the account records.
#include "app/Tillwick.h"
#include "data/NumberFormat.h"
#include "data/TableStore.h"

#include <QLabel>

void TTillwick1::CalcAccountTotals(const QString &account)
{
    if (ClientDataSet1->recordCount() == 0)
        return;
    OpenAccountsFile();
    // Without an account record the totals still show; there is just nothing to keep them in.
    const bool hasRecord
            = ClientDataSet4->locate(QStringLiteral("AccountNo"), account) && ClientDataSet4->edit();

    // Read in place: the current holding stays where the user left it.
    TableStore &s = *ClientDataSet1;
    if (s.state() != TableStore::State::Browse)
        s.post();
    const int extensionField = s.fieldIndex(u"Extension");
    const int quantityField = s.fieldIndex(u"Quantity");
    const int aveCostField = s.fieldIndex(u"AveCost");
    double total = 0;
    double costDifference = 0;
    for (int row = 0; row < s.rowsShown(); ++row) {
        const double extension = s.valueAt(row, extensionField).toDouble();
        const double cost
                = s.valueAt(row, quantityField).toDouble() * s.valueAt(row, aveCostField).toDouble();
        total += extension;
        costDifference += extension - cost;
    }
    WKTOTAL3 = total;
    const double percent = total != 0 ? costDifference / total * 100 : 0;

    Label5->setText(QStringLiteral("Total: ") + formatAmount4n(total));
    Label10->setText(QStringLiteral("Cost Difference: ") + formatAmount4n(costDifference));
    Label11->setText(QStringLiteral("Percent: ") + formatAmount4n(percent)
                     + QStringLiteral("                 Difference from Last Quote:   ")
                     + formatAmount4n(WKTOTAL2 - WKTOTAL1));
    Label5->show();
    Label10->show();
    Label11->show();

    if (hasRecord) {
        ClientDataSet4->setValue(QStringLiteral("Total"), total);
        ClientDataSet4->setValue(QStringLiteral("NetAmt"), costDifference);
        ClientDataSet4->post();
    }
    ClientDataSet4->close();
}

void TTillwick1::TTotalBtnClick()
{
    Label5->show();
    Label10->show();
    Label11->show();
    OpenAccountsFile();
    double total = 0;
    double net = 0;
    for (ClientDataSet4->first(); !ClientDataSet4->eof(); ClientDataSet4->next()) {
        total += ClientDataSet4->value(QStringLiteral("Total")).toDouble();
        net += ClientDataSet4->value(QStringLiteral("NetAmt")).toDouble();
    }
    ClientDataSet4->close();
    Label5->setText(QStringLiteral("Total and Net Total:"));
    Label10->setText(QStringLiteral("Total: ") + formatAmount4n(total));
    Label11->setText(QStringLiteral("Difference: ") + formatAmount4n(net)
                     + QStringLiteral("                                       Difference Since App Start: ")
                     + formatAmount4n(total - WKACCNTOT));
}

void TTillwick1::TClcTotBtnClick()
{
    CalcAccountTotals(CURRENT_ACCOUNT);
}
