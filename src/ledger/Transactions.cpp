// The Purchases tab: purchases, sales and splits of the holding chosen in its upper grid.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "binding/FieldBinder.h"
#include "binding/StringGrid.h"
#include "data/DateText.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTime>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
bool isEditing(const TableStore &store)
{
    return store.state() == TableStore::State::Edit || store.state() == TableStore::State::Insert;
}

const QString kSplit = QStringLiteral("Split");
} // namespace

int TTillwick1::findHolding(const TableStore *store, const QString &account, const QString &symbol) const
{
    const int accountField = store->fieldIndex(u"AccountNo");
    const int symbolField = store->fieldIndex(u"Symbol");
    for (int row = 0; row < store->rowsShown(); ++row) {
        if (store->valueAt(row, accountField).toString() == account
            && store->valueAt(row, symbolField).toString() == symbol)
            return row;
    }
    return -1;
}

std::pair<const TableStore *, int> TTillwick1::transactionHolding() const
{
    const QString account = ClientDataSet2->value(QStringLiteral("AccountNo")).toString();
    const QString symbol = ClientDataSet2->value(QStringLiteral("Symbol")).toString();
    for (const TableStore *store : {ClientDataSet1, ClientDataSet6}) {
        const int row = findHolding(store, account, symbol);
        if (row >= 0)
            return {store, row};
    }
    return {nullptr, -1};
}

QVariant TTillwick1::transactionHoldingValue(const QString &field) const
{
    const auto [store, row] = transactionHolding();
    return store ? store->valueAt(row, store->fieldIndex(field)) : QVariant();
}

void TTillwick1::filterTransactionsToHolding()
{
    if (!ClientDataSet2->isOpen() && !OpenDataFile2())
        return;
    ClientDataSet2->setFilter(holdingFilter(ClientDataSet1->value(QStringLiteral("AccountNo")).toString(),
                                            ClientDataSet1->value(QStringLiteral("Symbol")).toString()));
    ClientDataSet2->first();
    WKFRSTTRANDATE = ClientDataSet2->value(QStringLiteral("TransactionDate")).toString();
}

void TTillwick1::StringGrid4Click()
{
    if (FIRSTTIME_FLG)
        return;
    filterTransactionsToHolding();
    SetupAllGrids();
}

void TTillwick1::StringGrid2Click()
{
    if (!FIRSTTIME_FLG)
        FOCUSEDCONTROL = QStringLiteral("StringGrid2");
}

void TTillwick1::ClientDataSet2NewRecord()
{
    TableStore &t = *ClientDataSet2;
    for (const char *field : {"FrstAccountNo", "AccountNo", "Symbol", "Name"})
        t.setValue(QLatin1String(field), ClientDataSet1->value(QLatin1String(field)));
    t.setValue(QStringLiteral("Quantity"), 0.0);
    t.setValue(QStringLiteral("Price"), 0.0);
    t.setValue(QStringLiteral("Transaction"), WKTRANSACTION);
    t.setValue(QStringLiteral("TransactionDate"), QString(QLatin1String("")));
    t.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
}

void TTillwick1::ClientDataSet2BeforePost()
{
    TableStore &t = *ClientDataSet2;
    for (const char *field : {"Quantity", "Price", "Extension"}) {
        if (t.value(QLatin1String(field)).isNull())
            t.setValue(QLatin1String(field), 0.0);
    }
    double quantity = t.value(QStringLiteral("Quantity")).toDouble();
    if (t.value(QStringLiteral("Transaction")).toString() == QLatin1String("Sell") && quantity > 0) {
        quantity = -quantity;
        t.setValue(QStringLiteral("Quantity"), quantity);
    }
    t.setValue(QStringLiteral("Extension"), quantity * t.value(QStringLiteral("Price")).toDouble());
    // Without a chosen date the record keeps its empty date text and its creation time.
    const QString date = FlopDate(t.value(QStringLiteral("TransDateDsp")).toDateTime());
    if (date.isEmpty())
        return;
    t.setValue(QStringLiteral("TransactionDate"), date);
    t.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
}

void TTillwick1::ClientDataSet2AfterPost()
{
    if (!SKIP_FLG)
        CalcAveCost();
}

void TTillwick1::startTransaction()
{
    if (ClientDataSet1->recNo() < 0)
        return; // no holding to add it to
    if (WKTRANSACTION == QLatin1String("Chart"))
        WKTRANSACTION = QStringLiteral("Purchase");
    if (!ClientDataSet2->isOpen())
        OpenDataFile2();
    if (!ClientDataSet2->append()) {
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet2->lastError());
        return;
    }
    Panel5->show();
    Panel5->raise();
    Panel5->setProperty("tag", 1);
    Edit5->setFocus();
}

void TTillwick1::setTransactionType(const QString &type)
{
    WKTRANSACTION = type;
    if (!isEditing(*ClientDataSet2) && !ClientDataSet2->edit())
        return;
    ClientDataSet2->setValue(QStringLiteral("Transaction"), type);
}

void TTillwick1::pmnuPurchaseClick()
{
    setTransactionType(QStringLiteral("Purchase"));
}

void TTillwick1::pmnuSellClick()
{
    setTransactionType(QStringLiteral("Sell"));
}

void TTillwick1::pmnuSplitClick()
{
    setTransactionType(kSplit);
}

void TTillwick1::pmnuDateClick()
{
    Panel3->show();
    Panel3->raise();
}

void TTillwick1::Edit7DblClick()
{
    Panel3->show();
    Panel3->raise();
    Panel3->setProperty("tag", 1);
}

void TTillwick1::takeCalendarDate()
{
    if (isEditing(*ClientDataSet2) || ClientDataSet2->edit()) {
        const QDateTime chosen(Calendar1->selectedDate(), QTime(0, 0));
        ClientDataSet2->setValue(QStringLiteral("TransDateDsp"), chosen);
        ClientDataSet2->setValue(QStringLiteral("TransactionDate"), FlopDate(chosen));
    }
    Panel3->hide();
    Panel3->setProperty("tag", 0);
}

void TTillwick1::Calendar1DateSelected()
{
    takeCalendarDate();
}

void TTillwick1::CalOKBtnClick()
{
    takeCalendarDate();
}

void TTillwick1::CanPurDteBtnClick()
{
    Panel3->hide();
    Panel3->setProperty("tag", 0);
}

void TTillwick1::CalCloseBtnClick()
{
    CanPurDteBtnClick();
}

void TTillwick1::CMBTRANChange()
{
    const bool split = CMBTRAN->currentIndex() == 2;
    for (QWidget *w : {static_cast<QWidget *>(Label13),
                       static_cast<QWidget *>(Label14),
                       static_cast<QWidget *>(Edit5),
                       static_cast<QWidget *>(Edit6)})
        w->setVisible(!split);
    Label15->show();
}

void TTillwick1::CanPurBtnClick()
{
    // What is typed in a box counts even if the box still has the focus.
    for (FieldBinder *binder : std::as_const(m_transactionBinders))
        binder->commit();
    Panel5->hide();
    Panel5->setProperty("tag", 0);
    TableStore &t = *ClientDataSet2;
    if (!isEditing(t))
        return;
    if (CMBTRAN->currentIndex() == 2) {
        // A split adds as many shares as the holding has, at half its price.
        const auto [store, row] = transactionHolding();
        const auto field = [store, row](const char *name) {
            return store->valueAt(row, store->fieldIndex(QString::fromLatin1(name)));
        };
        if (store && field("Quantity").isValid()) {
            t.setValue(QStringLiteral("Quantity"), field("Quantity").toDouble());
            t.setValue(QStringLiteral("Price"), field("Price").toDouble() / 2);
            t.setValue(QStringLiteral("Extension"), field("Extension").toDouble() / 2);
        }
    }
    t.post();
    if (!t.write())
        MessageBox::warning(this, tr("Tillwick"), t.lastError());
}

void TTillwick1::deleteTransaction()
{
    TableStore &t = *ClientDataSet2;
    if (!t.isOpen() || t.rowsShown() == 0 || t.recNo() < 0)
        return; // nothing of this holding to delete
    const QString symbol = t.value(QStringLiteral("Symbol")).toString();
    const QString name = t.value(QStringLiteral("Name")).toString();
    const QString holding
            = symbol.isEmpty() || name.isEmpty() ? QString() : symbol + QStringLiteral(" - ") + name;
    if (!confirm(QStringLiteral("Do You want to Delete: ") + holding
                 + QStringLiteral(" from the Stock Purchase List ?")))
        return;
    t.remove();
    if (!t.write())
        MessageBox::warning(this, tr("Tillwick"), t.lastError());
    CalcAveCost();
}
