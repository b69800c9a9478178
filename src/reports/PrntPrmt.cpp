#include "reports/PrntPrmt.h"

#include "app/Tillwick.h"
#include "app/Windows.h"
#include "help/HelpWin.h"

#include <QPushButton>

TPrntPrmt1::TPrntPrmt1(TTillwick1 *main)
    : QDialog(main)
{
    setObjectName(QStringLiteral("PrntPrmt1"));
    setWindowTitle(QStringLiteral("Print Stock Reports"));
    resize(320, 227);
    setWindowFlag(Qt::Tool);

    HelpBtn = new QPushButton(QStringLiteral("Help"), this);
    HelpBtn->setObjectName(QStringLiteral("HelpBtn"));
    HelpBtn->adjustSize();
    HelpBtn->move(width() - HelpBtn->width() - 12, height() - HelpBtn->height() - 12);
    connect(HelpBtn, &QPushButton::clicked, this, &TPrntPrmt1::HelpBtnClick);
}

void TPrntPrmt1::HelpBtnClick()
{
    Tillwick1->FRMPRNT_FLG = true;
    THelpWin1::showHelp(Tillwick1);
}
