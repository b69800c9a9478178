#pragma once

#include <QString>

class QChartView;
class QWidget;

// A chart view with its own chart, titled, smoothed and named for tests and screen readers.
QChartView *makeChartView(QWidget *parent, const char *objectName, const QString &title);
