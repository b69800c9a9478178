#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;
class TTillwick1;

// The date-range window: the history of the chosen holding between two dates, drawn again.
class TSelectDate1 : public QDialog
{
    Q_OBJECT

public:
    explicit TSelectDate1(TTillwick1 *main);

    QLabel *Label1 = nullptr;
    QCalendarWidget *Calendar1 = nullptr;
    QLabel *Label2 = nullptr;
    QCalendarWidget *Calendar2 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CloseBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

public slots:
    void FormCreate();
    void FormShow();
    void OKBtnClick();
    void CloseBtnClick();
    void HelpBtnClick();

private:
    TTillwick1 *m_main;
};
