#include "ledger/HistArch.h"

#include "app/Tillwick.h"

THistArch1::THistArch1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("HistArch1"));
    setWindowTitle(QStringLiteral("History Archive"));
    resize(1145, 633);
}
