#pragma once

#include "ledger/ChartData.h"

#include <QString>

class QBarSeries;
class QChart;
class QChartView;
class QWidget;

// A chart view with its own chart, titled, smoothed and named for tests and screen readers.
QChartView *makeChartView(QWidget *parent, const char *objectName, const QString &title);

// Fits the value axes of a line chart to the lines: x from 1 to the longest line, y over every
// value with a little room. The axes are made on first use and every series gets them.
void fitLineAxes(QChart *chart, const QList<ValueLine> &lines);

// A bar a value, side by side in one group, each bar its own colour; the value axis keeps 0 in view.
void showBars(QChart *chart, QBarSeries *bars, const QList<ValuePoint> &values);
