#include "quotes/Rename.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpWin.h"

#include <QPushButton>

TReName1::TReName1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("ReName1"));
    setWindowTitle(QStringLiteral(" Retrieve Names for Stocks and Funds"));
    resize(420, 200);

    HelpBtn = new QPushButton(QStringLiteral("Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->adjustSize();
    HelpBtn->move(width() - HelpBtn->width() - 12, height() - HelpBtn->height() - 12);
    connect(HelpBtn, &QPushButton::clicked, this, &TReName1::HelpBtnClick);
}

void TReName1::HelpBtnClick()
{
    Tillwick1->FRMRENM_FLG = true;
    THelpWin1::showHelp(Tillwick1);
}
