// The Graphs tab: the value of holdings over their history, and the account's holdings by value.
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "data/TableStore.h"
#include "data/TextHelpers.h"
#include "ledger/ChartData.h"
#include "ledger/HistArch.h"
#include "ledger/SelectDate.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QPieSeries>
#include <QtCharts/QValueAxis>

#include <QAction>

#include <QMenu>
#include <algorithm>

namespace {
// The chart's value axes, made once and shared by all its series.
std::pair<QValueAxis *, QValueAxis *> valueAxes(QChart *chart)
{
    auto *x = qobject_cast<QValueAxis *>(chart->axes(Qt::Horizontal).value(0));
    auto *y = qobject_cast<QValueAxis *>(chart->axes(Qt::Vertical).value(0));
    if (!x) {
        x = new QValueAxis(chart);
        x->setLabelFormat(QStringLiteral("%d"));
        chart->addAxis(x, Qt::AlignBottom);
    }
    if (!y) {
        y = new QValueAxis(chart);
        y->setLabelFormat(QStringLiteral("%.2f"));
        chart->addAxis(y, Qt::AlignLeft);
    }
    return {x, y};
}

// Bounds of the axis that show every value, with a little room above and below.
std::pair<double, double> paddedRange(double low, double high, bool fromZero)
{
    if (fromZero) {
        low = std::min(low, 0.0);
        high = std::max(high, 0.0);
    }
    if (low == high) {
        low -= 1;
        high += 1;
    }
    const double pad = (high - low) * 0.05;
    return {low - (fromZero && low == 0 ? 0 : pad), high + (fromZero && high == 0 ? 0 : pad)};
}
} // namespace

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
    const auto [xAxis, yAxis] = valueAxes(values);
    double most = 1;
    double low = groups.isEmpty() ? 0 : groups.first().points.first().y();
    double high = low;
    for (int n = 0; n < groups.size(); ++n) {
        if (values->series().size() < n + 1)
            values->addSeries(new QLineSeries);
        auto *series = static_cast<QLineSeries *>(values->series().at(n));
        if (series->attachedAxes().isEmpty()) {
            series->attachAxis(xAxis);
            series->attachAxis(yAxis);
        }
        series->setName(groups[n].symbol);
        series->replace(groups[n].points);
        most = std::max(most, double(groups[n].points.size()));
        for (const QPointF &point : groups[n].points) {
            low = std::min(low, point.y());
            high = std::max(high, point.y());
        }
    }
    if (!groups.isEmpty())
        Series1->setName(QStringLiteral("Stock Value vs. Date for - ") + groups.last().symbol);
    xAxis->setRange(1, std::max(2.0, most));
    xAxis->setTickCount(std::min(11, int(std::max(2.0, most))));
    const auto [bottom, top] = paddedRange(low, high, false);
    yAxis->setRange(bottom, top);

    // The account's holdings by value, in the holdings table's order.
    TableStore &s = *ClientDataSet1;
    Series2->clear();
    Series3->clear();
    const int holdingSymbol = s.fieldIndex(u"Symbol");
    const int holdingExtension = s.fieldIndex(u"Extension");
    double smallest = 0;
    double largest = 0;
    for (int row = 0; row < s.rowsShown(); ++row) {
        const QString symbol = s.valueAt(row, holdingSymbol).toString();
        const double extension = s.valueAt(row, holdingExtension).toDouble();
        Series2->append(symbol, extension);
        // One set a holding, so each bar has its own colour.
        auto *bar = new QBarSet(symbol);
        bar->append(extension);
        Series3->append(bar);
        smallest = std::min(smallest, extension);
        largest = std::max(largest, extension);
    }
    QChart *amounts = Chart3->chart();
    auto *amountAxis = qobject_cast<QValueAxis *>(amounts->axes(Qt::Vertical).value(0));
    if (!amountAxis) {
        amountAxis = new QValueAxis(amounts);
        amountAxis->setLabelFormat(QStringLiteral("%.0f"));
        amounts->addAxis(amountAxis, Qt::AlignLeft);
        Series3->attachAxis(amountAxis);
        // The bars stand side by side in one group.
        auto *group = new QBarCategoryAxis(amounts);
        group->append(QStringLiteral(" "));
        amounts->addAxis(group, Qt::AlignBottom);
        Series3->attachAxis(group);
    }
    const auto [floor, ceiling] = paddedRange(smallest, largest, true);
    amountAxis->setRange(floor, ceiling);
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
