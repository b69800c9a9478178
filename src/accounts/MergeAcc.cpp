#include "accounts/MergeAcc.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpWin.h"

#include <QPushButton>

TMergeAcc1::TMergeAcc1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("MergeAcc1"));
    setWindowTitle(QStringLiteral("Merge Accounts"));
    resize(453, 236);
    setWindowFlag(Qt::Tool);

    HelpBtn = new QPushButton(QStringLiteral("Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->adjustSize();
    HelpBtn->move(width() - HelpBtn->width() - 12, height() - HelpBtn->height() - 12);
    connect(HelpBtn, &QPushButton::clicked, this, &TMergeAcc1::HelpBtnClick);
}

void TMergeAcc1::HelpBtnClick()
{
    Tillwick1->FRMMRGE_FLG = true;
    THelpWin1::showHelp(Tillwick1);
}
