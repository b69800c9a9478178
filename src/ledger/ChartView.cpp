#include "ledger/ChartView.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>

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
