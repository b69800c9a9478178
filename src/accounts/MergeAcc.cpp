#include "accounts/MergeAcc.h"

#include "app/Tillwick.h"

TMergeAcc1::TMergeAcc1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("MergeAcc1"));
    setWindowTitle(QStringLiteral("Merge Accounts"));
    resize(453, 236);
    setWindowFlag(Qt::Tool);
}
