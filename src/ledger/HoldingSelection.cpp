// The holding chosen in the upper grids of the Purchases and History tabs, and the Save button.
#include "app/Tillwick.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"

#include <QTabWidget>

void TTillwick1::StringGrid4Click()
{
    if (FIRSTTIME_FLG)
        return;
    if (!ClientDataSet2->isOpen())
        OpenDataFile2();
    ClientDataSet2->setFilter(holdingFilter(ClientDataSet1->value(QStringLiteral("AccountNo")).toString(),
                                            ClientDataSet1->value(QStringLiteral("Symbol")).toString()));
    ClientDataSet2->first();
    WKFRSTTRANDATE = ClientDataSet2->value(QStringLiteral("TransactionDate")).toString();
    SetupAllGrids();
}

void TTillwick1::StringGrid5Click()
{
    if (FIRSTTIME_FLG)
        return;
    const QString account = ClientDataSet6->value(QStringLiteral("AccountNo")).toString();
    const QString symbol = ClientDataSet6->value(QStringLiteral("Symbol")).toString();
    ClientDataSet3->setFilter(holdingFilter(account, symbol));
    ClientDataSet3->first();
    GRPHACCNT = account;
    GRPHSYMBL = symbol;
}

void TTillwick1::TSaveBtnClick()
{
    if (TabControl1->currentWidget() == TabItem1) {
        WKTRANSACTION = QStringLiteral("Chart");
        const auto state = ClientDataSet1->state();
        if (state == TableStore::State::Edit || state == TableStore::State::Insert) {
            const QString symbol = ClientDataSet1->value(QStringLiteral("Symbol")).toString();
            if (symbol.isEmpty()) {
                confirm(QStringLiteral("You cannot Save a Stock Entry without a Valid Symbol."));
                return;
            }
            // A name the user typed is kept; the symbol only stands in for a missing one.
            if (ClientDataSet1->value(QStringLiteral("Name")).toString().isEmpty())
                ClientDataSet1->setValue(QStringLiteral("Name"), symbol);
            ClientDataSet1->post();
            ClientDataSet1->write();
            ClientDataSet1->close();
            ClientDataSet1->open();
            SetupGrid1();
        }
    }
    if (TabControl1->currentWidget() == TabItem5)
        SaveOptions();
}
