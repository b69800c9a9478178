#pragma once

#include <QList>
#include <QPointF>
#include <QString>

// One history record as the value chart reads it.
struct ValuePoint
{
    QString symbol;
    double extension = 0;
};

// One line of the value chart: the records of one holding, numbered 1, 2, 3 ... in table order.
struct ValueLine
{
    QString symbol;
    QList<QPointF> points;
};

// Splits the records, in table order, into lines: a new line starts wherever the symbol changes.
QList<ValueLine> valueLines(const QList<ValuePoint> &records);
