#include "ledger/SelectDate.h"

#include "app/Tillwick.h"

TSelectDate1::TSelectDate1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("SelectDate1"));
    setWindowTitle(QStringLiteral("Select To and From Date"));
    resize(422, 246);
}
