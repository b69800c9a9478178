#include "quotes/Rename.h"

#include "app/Tillwick.h"

TReName1::TReName1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("ReName1"));
    setWindowTitle(QStringLiteral(" Retrieve Names for Stocks and Funds"));
    resize(420, 200);
}
