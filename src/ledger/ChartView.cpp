#include "ledger/ChartView.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <algorithm>

namespace {
QValueAxis *valueAxis(QChart *chart, Qt::Orientation orientation, const QString &format)
{
    if (auto *axis = qobject_cast<QValueAxis *>(chart->axes(orientation).value(0)))
        return axis;
    auto *axis = new QValueAxis(chart);
    axis->setLabelFormat(format);
    chart->addAxis(axis, orientation == Qt::Horizontal ? Qt::AlignBottom : Qt::AlignLeft);
    return axis;
}

// Bounds that show every value with a little room above and below; with fromZero, 0 too.
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

QChartView *makeChartView(QWidget *parent, const char *objectName, const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(objectName));
    view->setRenderHint(QPainter::Antialiasing);
    view->setAccessibleName(title);
    return view;
}

void fitLineAxes(QChart *chart, const QList<ValueLine> &lines)
{
    QValueAxis *x = valueAxis(chart, Qt::Horizontal, QStringLiteral("%d"));
    QValueAxis *y = valueAxis(chart, Qt::Vertical, QStringLiteral("%.2f"));
    for (QAbstractSeries *series : chart->series()) {
        if (series->attachedAxes().isEmpty()) {
            series->attachAxis(x);
            series->attachAxis(y);
        }
    }
    double longest = 2;
    double low = 0;
    double high = 0;
    bool any = false;
    for (const ValueLine &line : lines) {
        longest = std::max(longest, double(line.points.size()));
        for (const QPointF &point : line.points) {
            low = any ? std::min(low, point.y()) : point.y();
            high = any ? std::max(high, point.y()) : point.y();
            any = true;
        }
    }
    x->setRange(1, longest);
    x->setTickCount(std::min(11, int(longest)));
    const auto [bottom, top] = paddedRange(low, high, false);
    y->setRange(bottom, top);
}

void showBars(QChart *chart, QBarSeries *bars, const QList<ValuePoint> &values)
{
    bars->clear();
    double low = 0;
    double high = 0;
    for (const ValuePoint &value : values) {
        auto *set = new QBarSet(value.symbol);
        set->append(value.extension);
        bars->append(set);
        low = std::min(low, value.extension);
        high = std::max(high, value.extension);
    }
    QValueAxis *amounts = valueAxis(chart, Qt::Vertical, QStringLiteral("%.0f"));
    if (bars->attachedAxes().isEmpty()) {
        auto *group = qobject_cast<QBarCategoryAxis *>(chart->axes(Qt::Horizontal).value(0));
        if (!group) {
            group = new QBarCategoryAxis(chart);
            group->append(QStringLiteral(" "));
            chart->addAxis(group, Qt::AlignBottom);
        }
        bars->attachAxis(group);
        bars->attachAxis(amounts);
    }
    const auto [bottom, top] = paddedRange(low, high, true);
    amounts->setRange(bottom, top);
}
