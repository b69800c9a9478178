// The Save button: what it saves depends on the tab in front.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "binding/FieldBinder.h"
#include "data/TableStore.h"

#include <QRadioButton>
#include <QTabWidget>

namespace {
bool isEditing(const TableStore &store)
{
    return store.state() == TableStore::State::Edit || store.state() == TableStore::State::Insert;
}
} // namespace

void TTillwick1::TSaveBtnClick()
{
    QWidget *tab = TabControl1->currentWidget();
    // What is typed in an entry box counts even if the box still has the focus.
    for (FieldBinder *binder : std::as_const(m_entryBinders))
        binder->commit();
    if (tab == TabItem1) {
        WKTRANSACTION = QStringLiteral("Chart");
        if (isEditing(*ClientDataSet1)) {
            const QString symbol = ClientDataSet1->value(QStringLiteral("Symbol")).toString();
            if (symbol.isEmpty()) {
                confirm(QStringLiteral("You cannot Save a Stock Entry without a Valid Symbol."));
                return;
            }
            // A name the user typed is kept; the symbol only stands in for a missing one.
            if (ClientDataSet1->value(QStringLiteral("Name")).toString().isEmpty())
                ClientDataSet1->setValue(QStringLiteral("Name"), symbol);
            ClientDataSet1->post();
            if (!ClientDataSet1->write())
                MessageBox::warning(this, tr("Tillwick"), ClientDataSet1->lastError());
            ClientDataSet1->close();
            ClientDataSet1->open();
            SetupGrid1();
        }
    }
    if (tab == TabItem2) {
        TableStore &t = *ClientDataSet2;
        if (t.value(QStringLiteral("Transaction")).toString() == QLatin1String("Sell")) {
            // The sale is checked against its own holding, whatever the other grids show.
            if (t.value(QStringLiteral("Quantity")).toDouble()
                > transactionHoldingValue(QStringLiteral("Quantity")).toDouble()) {
                confirm(QStringLiteral(
                        "The Sell Quantity cannot be Greater than Total Quantities Purchase."));
                return;
            }
            if (t.value(QStringLiteral("TransactionDate")).toString() < WKFRSTTRANDATE) {
                confirm(QStringLiteral("The Sell Date cannot be Earlier than the Purchase Date."));
                return;
            }
        }
        if (isEditing(t)) {
            t.post();
            if (!t.write())
                MessageBox::warning(this, tr("Tillwick"), t.lastError());
            t.close();
            OpenDataFile2();
        }
    }
    if (RDHIST1->isChecked() || tab == TabItem2)
        AddHistoryRecord();
    if (tab == TabItem5)
        SaveOptions();
}
