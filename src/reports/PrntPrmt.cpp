#include "reports/PrntPrmt.h"

#include "app/Tillwick.h"

TPrntPrmt1::TPrntPrmt1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("PrntPrmt1"));
    setWindowTitle(QStringLiteral("Print Stock Reports"));
    resize(320, 227);
    setWindowFlag(Qt::Tool);
}
