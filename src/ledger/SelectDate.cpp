#include "ledger/SelectDate.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpWin.h"

#include <QPushButton>

TSelectDate1::TSelectDate1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("SelectDate1"));
    setWindowTitle(QStringLiteral("Select To and From Date"));
    resize(422, 246);

    HelpBtn = new QPushButton(QStringLiteral("Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->adjustSize();
    HelpBtn->move(width() - HelpBtn->width() - 12, height() - HelpBtn->height() - 12);
    connect(HelpBtn, &QPushButton::clicked, this, &TSelectDate1::HelpBtnClick);
}

void TSelectDate1::HelpBtnClick()
{
    THelpWin1::showHelp(Tillwick1);
}
