#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;
class TableStore;
class TTillwick1;

// The merge window: copies every holding, transaction and history row of one account into
// another; the source keeps its rows.
class TMergeAcc1 : public QDialog
{
    Q_OBJECT

public:
    explicit TMergeAcc1(TTillwick1 *main);

    QLabel *Label4 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QComboBox *CMBFRACC = nullptr;
    QComboBox *CMBTOACC = nullptr;
    QPushButton *OKBtn = nullptr;
    QPushButton *CloseBtn = nullptr;
    QPushButton *HelpBtn = nullptr;

    // The window's own stores on Purchases.cds and History.cds.
    TableStore *ClientDataSet1 = nullptr;
    TableStore *ClientDataSet2 = nullptr;

    QString WKFRST_ACCOUNT;
    QString WKACCOUNTNO;

    void FillAccountLists();
    bool CopyAccount(const QString &from, const QString &to);
    bool OpenMergePurchases();
    bool OpenMergeHistory();

public slots:
    void FormShow();
    void CMBFRACCClick();
    void CMBTOACCChange();
    void OKBtnClick();
    void CloseBtnClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool copyRows(TableStore &source, TableStore &target);
    bool copyAccountRows(TableStore &mainStore,
                         const QString &from,
                         TableStore &mine,
                         bool (TMergeAcc1::*openMine)());

    TTillwick1 *m_main;
};
