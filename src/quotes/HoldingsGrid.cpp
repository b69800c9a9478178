// The holdings grid of the Quotes tab: hooks of the holdings table, adding, editing, moving,
// sorting and deleting holdings.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "binding/FieldBinder.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"

#include <QDateTime>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {
// A number from a cell as shown: commas removed, "." as the point, an empty cell as 0.
double cellNumber(const StringGrid *grid, int row, int column)
{
    const QString text = RemoveCommas(grid->model()->index(row, column).data(Qt::DisplayRole).toString());
    return text.trimmed().isEmpty() ? 0.0 : text.toDouble();
}
} // namespace

void TTillwick1::ClientDataSet1NewRecord()
{
    TableStore &s = *ClientDataSet1;
    s.setValue(QStringLiteral("FrstAccountNo"), FIRST_ACCOUNT);
    s.setValue(QStringLiteral("AccountNo"), CURRENT_ACCOUNT);
    s.setValue(QStringLiteral("Symbol"), QString(QLatin1String("")));
    s.setValue(QStringLiteral("Name"), QString(QLatin1String("")));
    for (const char *field : {"Quantity", "Price", "Extension", "AveCost", "Difference", "PercentDiff"})
        s.setValue(QLatin1String(field), 0.0);
    s.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
    ADD_FLG = true;
}

void TTillwick1::ClientDataSet1BeforePost()
{
    TableStore &s = *ClientDataSet1;
    for (const char *field : {"Quantity", "Price", "Extension"}) {
        if (s.value(QLatin1String(field)).isNull())
            s.setValue(QLatin1String(field), 0.0);
    }
    const double quantity = s.value(QStringLiteral("Quantity")).toDouble();
    const double extension = quantity * s.value(QStringLiteral("Price")).toDouble();
    s.setValue(QStringLiteral("Extension"), extension);
    // A holding without an average cost, or without a cost at all, keeps its percent and date.
    const QVariant aveCost = s.value(QStringLiteral("AveCost"));
    if (aveCost.isNull())
        return;
    const double cost = quantity * aveCost.toDouble();
    const double difference = extension - cost;
    s.setValue(QStringLiteral("Difference"), difference);
    if (cost == 0)
        return;
    s.setValue(QStringLiteral("PercentDiff"), difference / cost * 100);
    s.setValue(QStringLiteral("LastUpdated"), QDateTime::currentDateTime());
}

void TTillwick1::StringGrid1Click()
{
    if (!FIRSTTIME_FLG && TQuoteBtn->isEnabled() && !SKIP_FLG && StringGrid1->currentIndex().row() >= 0)
        FOCUSEDCONTROL = QStringLiteral("StringGrid1");
}

void TTillwick1::StringGrid1CellClick(int Column)
{
    if (Column == 6)
        WKTOTAL1 = cellNumber(StringGrid1, StringGrid1->currentIndex().row(), 7);
}

void TTillwick1::StringGrid1EditingDone(int ACol, int ARow)
{
    if (ACol == 5 || ACol == 6) {
        const double quantity = cellNumber(StringGrid1, ARow, 5);
        if (ACol == 6)
            WKTOTAL2 = quantity * cellNumber(StringGrid1, ARow, 6);
        CalcAccountTotals(CURRENT_ACCOUNT);
        if (RDHIST2->isChecked())
            AddHistoryRecord();
    }
    SAVETOFILE_FLG = true;
}

void TTillwick1::StringGrid1DragDrop(QWidget *panel, const QPoint &at)
{
    const QPoint topLeft = StringGrid1->viewport()->mapTo(panel->parentWidget(), at);
    panel->move(topLeft);
}

void TTillwick1::TAddRowBtnClick()
{
    if (refusedDuringQuoteRun())
        return;
    if (TabControl1->currentWidget() == TabItem2) {
        startTransaction();
        return;
    }
    if (TabControl1->currentWidget() != TabItem1)
        return;
    if (!ClientDataSet1->append()) {
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet1->lastError());
        return;
    }
    if (!MAC2_FLG) {
        Panel6->show();
        Panel6->raise();
        Panel6->setProperty("tag", 1);
        Edit8->setFocus();
    }
}

void TTillwick1::QuoteInputExitBtnClick()
{
    // What is typed in a box counts even if the box still has the focus.
    for (FieldBinder *binder : {m_edit8Binder, m_edit9Binder, m_edit10Binder})
        binder->commit();
    Panel6->hide();
    Panel6->setProperty("tag", 0);
    const auto state = ClientDataSet1->state();
    if (state != TableStore::State::Edit && state != TableStore::State::Insert)
        return;
    ClientDataSet1->post();
    if (!ClientDataSet1->write())
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet1->lastError());
    ClientDataSet6->close();
    OpenDataFile();
}

void TTillwick1::TUpBtnClick()
{
    if (ClientDataSet1->recNo() > 0)
        ClientDataSet1->prior();
}

void TTillwick1::TDwnBtnClick()
{
    if (!ClientDataSet1->eof())
        ClientDataSet1->next();
}

void TTillwick1::sortHoldings(const QString &order)
{
    if (refusedDuringQuoteRun())
        return;
    ClientDataSet1->close();
    ClientDataSet1->setIndexFieldNames(order);
    ClientDataSet1->open();
    SetupGrid1();
}

void TTillwick1::pmnuSymbolClick()
{
    sortHoldings(QStringLiteral("AccountNo;Symbol"));
}

void TTillwick1::pmnuSortNameClick()
{
    sortHoldings(QStringLiteral("AccountNo;Name"));
}

void TTillwick1::pmnuSortPriceClick()
{
    sortHoldings(QStringLiteral("AccountNo;Price"));
}

void TTillwick1::pmnuSortCostClick()
{
    sortHoldings(QStringLiteral("AccountNo;AveCost"));
}

void TTillwick1::pmnuSortAmtClick()
{
    sortHoldings(QStringLiteral("AccountNo;Extension"));
}

void TTillwick1::pmnuprchDateClick()
{
    sortHoldings(QStringLiteral("AccountNo;LastUpdated"));
}

void TTillwick1::TSortBtnClick()
{
    const QString order = ClientDataSet1->indexFieldNames() == QLatin1String("AccountNo;Name")
                                  ? QStringLiteral("AccountNo;Symbol")
                                  : QStringLiteral("AccountNo;Name");
    ClientDataSet1->setIndexFieldNames(order);
    ClientDataSet6->setIndexFieldNames(order);
    SetupAllGrids();
}

void TTillwick1::TDelBtnClick()
{
    if (refusedDuringQuoteRun())
        return;
    if (TabControl1->currentWidget() == TabItem2) {
        deleteTransaction();
        return;
    }
    if (TabControl1->currentWidget() == TabItem4) {
        deleteHistory();
        return;
    }
    if (TabControl1->currentWidget() != TabItem1)
        return;
    if (ClientDataSet1->recordCount() == 0) {
        pmnuDeleteClick();
        return;
    }
    const QVariant symbol = ClientDataSet1->value(QStringLiteral("Symbol"));
    const QVariant name = ClientDataSet1->value(QStringLiteral("Name"));
    const QString holding = symbol.isNull() || name.isNull()
                                    ? QString()
                                    : symbol.toString() + QStringLiteral(" - ") + name.toString();
    if (!confirm(QStringLiteral("Do You want to Delete: ") + holding
                 + QStringLiteral(" from the Stock List ?")))
        return;
    ClientDataSet1->remove();
    if (!ClientDataSet1->write())
        MessageBox::warning(this, tr("Tillwick"), ClientDataSet1->lastError());
}

void TTillwick1::pmnuDeleteAll1Click()
{
    if (refusedDuringQuoteRun())
        return;
    const QString first = ClientDataSet1->recordCount() > 0
                                  ? ClientDataSet1->value(QStringLiteral("FrstAccountNo")).toString()
                                  : QString();
    if (!confirm(QStringLiteral("Do You want to Delete All Stocks from: ") + first
                 + QStringLiteral(" in the Account ?")))
        return;
    ClientDataSet1->first();
    ClientDataSet1->removeShown();
}
