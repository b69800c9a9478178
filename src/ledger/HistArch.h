#pragma once

#include <QDialog>

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;
class StringGrid;
class TableStore;
class TTillwick1;

// The history archive: browse the archived history with a small query builder, chart it, and
// delete it for good.
class THistArch1 : public QDialog
{
    Q_OBJECT

public:
    explicit THistArch1(TTillwick1 *main);
    ~THistArch1() override;

    QWidget *BindNavigator1 = nullptr;
    QComboBox *CMBFIELDFLT = nullptr;
    QComboBox *CMBOPR = nullptr;
    QLineEdit *Edit1 = nullptr;
    QComboBox *CMBLGOP = nullptr;
    QPushButton *TQueryBtn = nullptr;
    QPushButton *TDelBtn = nullptr;
    QPushButton *TDelAllBtn = nullptr;
    QPushButton *THelpBtn = nullptr;
    QPushButton *TCloseBtn = nullptr;
    StringGrid *StringGrid1 = nullptr;
    QLabel *Label3 = nullptr;
    QPushButton *CleQrySelBtn = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QChartView *Chart1 = nullptr;
    QChartView *Chart3 = nullptr;

    TableStore *ClientDataSet8 = nullptr; // the window's own store on HistoryArcv.cds

    bool OpenArchive();
    void ArchChartSetup();

public slots:
    void FormCreate();
    void FormShow();
    void FormClose();
    void TQueryBtnClick();
    void CleQrySelBtnClick();
    void TDelBtnClick();
    void TDelAllBtnClick();
    void THelpBtnClick();
    void TCloseBtnClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createToolBar(QWidget *bar);
    void addQueryLine(bool withOperator, const QString &op);
    void writeArchive();

    TTillwick1 *m_main;
};
