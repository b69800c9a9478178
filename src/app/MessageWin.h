#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TTillwick1;

// The confirmation window: shows the main window's MESSAGEWIN_MSG with "OK" and "Cancel" and
// leaves the answer in its CANCEL_FLG, which only "OK" clears.
class TMessageWin1 : public QDialog
{
    Q_OBJECT

public:
    explicit TMessageWin1(TTillwick1 *main);

    QLabel *Label1 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CancelBtn = nullptr;

public slots:
    void FormShow();
    void OKBtnClick();
    void CancelBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TTillwick1 *m_main;
};
