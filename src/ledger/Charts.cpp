// The Graphs tab: the value of holdings over their history, and the account's holdings by value.
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "ledger/ChartData.h"
#include "ledger/ChartView.h"
#include "ledger/HistArch.h"
#include "ledger/SelectDate.h"

#include <QtCharts/QBarSeries>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>

#include <QAction>

#include <QMenu>

void TTillwick1::ChartSetup()
{
    QChart *values = Chart1->chart();
    const QList<QAbstractSeries *> lines = values->series();
    for (QAbstractSeries *series : lines)
        static_cast<QLineSeries *>(series)->clear();
    TableStore &h = *ClientDataSet3;
    if (!h.isOpen() || h.rowsShown() == 0)
        return;
    if (GRPHALL_FLG) {
        values->setTitle(QStringLiteral("Stock Value vs. Date - ")
                         + h.value(QStringLiteral("AccountNo")).toString());
    } else {
        h.setFilter(holdingFilter(GRPHACCNT, GRPHSYMBL));
        h.first();
        values->setTitle(h.rowsShown() > 0 ? QStringLiteral("Stock Value vs. Date - ")
                                                     + h.value(QStringLiteral("Symbol")).toString()
                                           : QString());
    }
    QList<ValuePoint> records;
    const int symbolField = h.fieldIndex(u"Symbol");
    const int extensionField = h.fieldIndex(u"Extension");
    for (int row = 0; row < h.rowsShown(); ++row)
        records.append({h.valueAt(row, symbolField).toString(), h.valueAt(row, extensionField).toDouble()});
    const QList<ValueLine> groups = valueLines(records);
    for (int n = 0; n < groups.size(); ++n) {
        if (values->series().size() < n + 1)
            values->addSeries(new QLineSeries);
        auto *series = static_cast<QLineSeries *>(values->series().at(n));
        series->setName(groups[n].symbol);
        series->replace(groups[n].points);
    }
    if (!groups.isEmpty())
        Series1->setName(QStringLiteral("Stock Value vs. Date for - ") + groups.last().symbol);
    fitLineAxes(values, groups);

    // The account's holdings by value, in the holdings table's order.
    TableStore &s = *ClientDataSet1;
    QList<ValuePoint> holdings;
    const int holdingSymbol = s.fieldIndex(u"Symbol");
    const int holdingExtension = s.fieldIndex(u"Extension");
    for (int row = 0; row < s.rowsShown(); ++row)
        holdings.append(
                {s.valueAt(row, holdingSymbol).toString(), s.valueAt(row, holdingExtension).toDouble()});
    Series2->clear();
    for (const ValuePoint &holding : std::as_const(holdings))
        Series2->append(holding.symbol, holding.extension);
    showBars(Chart3->chart(), Series3, holdings);
}

void TTillwick1::pmnuAllClick()
{
    ClientDataSet3->setFilter(accountFilter(GRPHACCNT));
    ClientDataSet3->first();
    GRPHALL_FLG = true;
    ChartSetup();
}

void TTillwick1::pmnuCurrentClick()
{
    ClientDataSet3->setFilter(holdingFilter(GRPHACCNT, GRPHSYMBL));
    ClientDataSet3->first();
    GRPHALL_FLG = false;
    ChartSetup();
}

void TTillwick1::pmnuHistFilterClick()
{
    SelectDate1->show();
    SelectDate1->raise();
}

void TTillwick1::TArchiveBtnClick()
{
    HistArch1->show();
    HistArch1->raise();
}
