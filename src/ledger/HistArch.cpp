#include "ledger/HistArch.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpWin.h"

#include <QPushButton>

THistArch1::THistArch1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("HistArch1"));
    setWindowTitle(QStringLiteral("History Archive"));
    resize(1145, 633);

    THelpBtn = new QPushButton(QStringLiteral("Help"), this);
    THelpBtn->setObjectName(QStringLiteral("THelpBtn"));
    THelpBtn->adjustSize();
    THelpBtn->move(width() - THelpBtn->width() - 12, 8);
    connect(THelpBtn, &QPushButton::clicked, this, &THistArch1::THelpBtnClick);
}

void THistArch1::THelpBtnClick()
{
    THelpWin1::showHelp(Tillwick1);
}
