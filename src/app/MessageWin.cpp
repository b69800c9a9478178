#include "app/MessageWin.h"

#include "app/Tillwick.h"

#include <QLabel>
#include <QPushButton>

TMessageWin1::TMessageWin1(TTillwick1 *main)
    : QDialog(main)
    , m_main(main)
{
    setObjectName(QStringLiteral("MessageWin1"));
    setWindowTitle(QStringLiteral("Message Window"));
    setModal(true);
    setFixedSize(328, 173);

    Label1 = new QLabel(QStringLiteral("Are You sure You want to Delete the Current Record ?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    QFont labelFont = Label1->font();
    labelFont.setPointSize(14);
    Label1->setFont(labelFont);
    Label1->setGeometry(41, 16, 245, 71);

    QFont buttonFont = font();
    buttonFont.setPointSize(13);
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setFont(buttonFont);
    OKBtn->setGeometry(24, 131, 80, 22);
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    CancelBtn->setFont(buttonFont);
    CancelBtn->setGeometry(224, 131, 80, 22);

    connect(OKBtn, &QPushButton::clicked, this, &TMessageWin1::OKBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &TMessageWin1::CancelBtnClick);
}

void TMessageWin1::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TMessageWin1::FormShow()
{
    Label1->setText(m_main->MESSAGEWIN_MSG);
    move(m_main->pos());
    // Any way out but "OK" answers as Cancel.
    m_main->CANCEL_FLG = true;
}

void TMessageWin1::OKBtnClick()
{
    m_main->CANCEL_FLG = false;
    accept();
}

void TMessageWin1::CancelBtnClick()
{
    m_main->CANCEL_FLG = true;
    reject();
}
