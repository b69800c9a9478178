#pragma once

#include <QDialog>

class QGroupBox;
class QPushButton;
class QRadioButton;
class TTillwick1;

// The name window: fills the names of the current account's holdings, the blank ones or all.
class TReName1 : public QDialog
{
    Q_OBJECT

public:
    explicit TReName1(TTillwick1 *main);

    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *RDName1 = nullptr;
    QRadioButton *RDName2 = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CloseBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

    void RetrieveNames();

public slots:
    void FormCreate();
    void FormShow();
    void OKBtnClick();
    void CloseBtnClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    TTillwick1 *m_main;
};
