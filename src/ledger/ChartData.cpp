#include "ledger/ChartData.h"

QList<ValueLine> valueLines(const QList<ValuePoint> &records)
{
    QList<ValueLine> lines;
    for (const ValuePoint &record : records) {
        if (lines.isEmpty() || lines.last().symbol != record.symbol)
            lines.append({record.symbol, {}});
        ValueLine &line = lines.last();
        line.points.append(QPointF(line.points.size() + 1, record.extension));
    }
    return lines;
}
