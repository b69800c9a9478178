// The history archive window: its first query, the query builder, charts and deleting for good.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "ledger/HistArch.h"
#include "support/AppSession.h"
#include "support/Records.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QtCharts/QBarSeries>
#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>

namespace {
QVariantMap archived(const QString &account, const QString &symbol, double extension)
{
    return historyRecord(account, symbol, 1, extension);
}

// An archive of two accounts; the last record written is one of A1's.
void startWithArchive(AppSession &app)
{
    app.stop();
    seedTable(app.dataPath(QStringLiteral("HistoryArcv.cds")),
              QStringLiteral("HistoryArcv.cds"),
              {archived(QStringLiteral("B2"), QStringLiteral("T"), 5),
               archived(QStringLiteral("A1"), QStringLiteral("AAPL"), 10),
               archived(QStringLiteral("A1"), QStringLiteral("AAPL"), 11),
               archived(QStringLiteral("A1"), QStringLiteral("IBM"), 20)});
    app.start();
}

QLineSeries *line(int n)
{
    return static_cast<QLineSeries *>(HistArch1->Chart1->chart()->series().value(n));
}

int archiveRowsOnDisk(AppSession &app)
{
    return int(readTable(app.dataPath(QStringLiteral("HistoryArcv.cds")), QStringLiteral("HistoryArcv.cds"))
                       .size());
}

void query(const QString &field, const QString &op, const QString &value, const QString &logic)
{
    HistArch1->CMBFIELDFLT->setCurrentText(field);
    HistArch1->CMBOPR->setCurrentText(op);
    HistArch1->Edit1->setText(value);
    HistArch1->CMBLGOP->setCurrentText(logic);
    QTest::mouseClick(HistArch1->TQueryBtn, Qt::LeftButton);
}
} // namespace

class TestHistArch : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void emptyArchive();
    void firstShowingSelectsTheAccount();
    void queryLinesJoin();
    void everyShowingStartsAFreshQuery();
    void deletingForGood();
};

void TestHistArch::emptyArchive()
{
    AppSession app;
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    QVERIFY(HistArch1->isVisible());
    QCOMPARE(HistArch1->Edit1->text(), QString());
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 0);
    QVERIFY(HistArch1->Memo1->toPlainText().isEmpty() || HistArch1->ClientDataSet8->filter().isEmpty());
    QTest::mouseClick(HistArch1->TDelAllBtn, Qt::LeftButton); // nothing to ask about
    QTest::mouseClick(HistArch1->TCloseBtn, Qt::LeftButton);
    QVERIFY(!HistArch1->isVisible());
}

void TestHistArch::firstShowingSelectsTheAccount()
{
    AppSession app;
    startWithArchive(app);
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    QCOMPARE(HistArch1->CMBFIELDFLT->currentText(), QStringLiteral("AccountNo"));
    QCOMPARE(HistArch1->Edit1->text(), QStringLiteral("A1"));
    QCOMPARE(HistArch1->Memo1->toPlainText(), QStringLiteral("[AccountNo]  =  'A1'\nOR [AccountNo] = 'A1'"));
    QCOMPARE(HistArch1->ClientDataSet8->filter(),
             QStringLiteral("[AccountNo]  =  'A1'OR [AccountNo] = 'A1'"));
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 3);
    QVERIFY(HistArch1->StringGrid1->isColumnHidden(0));

    QCOMPARE(HistArch1->Chart1->chart()->title(), QStringLiteral("Stock Value vs. Date - A1"));
    QCOMPARE(line(0)->name(), QStringLiteral("Stock Value vs. Date for - IBM"));
    QCOMPARE(line(0)->count(), 0);
    QCOMPARE(line(1)->name(), QStringLiteral("AAPL"));
    QCOMPARE(line(1)->count(), 2);
    QCOMPARE(line(1)->color().rgba(), 0xFF00FFFFu);
    QCOMPARE(line(2)->color().rgba(), 0xFFFF0000u);
    auto *bars = static_cast<QBarSeries *>(HistArch1->Chart3->chart()->series().value(0));
    QCOMPARE(bars->count(), 3);
}

void TestHistArch::queryLinesJoin()
{
    AppSession app;
    startWithArchive(app);
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    query(QStringLiteral("Symbol"), QStringLiteral(">="), QStringLiteral("M"), QStringLiteral("AND"));
    QVERIFY(HistArch1->Memo1->toPlainText().endsWith(QStringLiteral("\nAND [Symbol] >= 'M'")));
    QCOMPARE(HistArch1->ClientDataSet8->filter().count(QLatin1Char('[')), 3);
    QTest::mouseClick(HistArch1->CleQrySelBtn, Qt::LeftButton);
    query(QStringLiteral("Symbol"), QStringLiteral("="), QStringLiteral("aapl"), QStringLiteral("AND"));
    QCOMPARE(HistArch1->Memo1->toPlainText(), QStringLiteral("[Symbol] = 'aapl'"));
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 2); // lower case matches
    // An empty value shows everything and leaves the query as it was.
    const QString lines = HistArch1->Memo1->toPlainText();
    query(QStringLiteral("Symbol"), QStringLiteral("="), QString(), QStringLiteral("AND"));
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 4);
    QCOMPARE(HistArch1->Memo1->toPlainText(), lines);
    QTest::mouseClick(HistArch1->CleQrySelBtn, Qt::LeftButton);
    QVERIFY(HistArch1->Memo1->toPlainText().isEmpty());
}

void TestHistArch::everyShowingStartsAFreshQuery()
{
    AppSession app;
    startWithArchive(app);
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    QTest::mouseClick(HistArch1->TCloseBtn, Qt::LeftButton);
    MessageBox::setNextAnswer(QMessageBox::Ok); // would tell a filter it cannot read
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    QCOMPARE(HistArch1->Memo1->toPlainText().count(QLatin1Char('\n')), 1);
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 3);
}

void TestHistArch::deletingForGood()
{
    AppSession app;
    startWithArchive(app);
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    HistArch1->ClientDataSet8->first(); // the first row shown, which used to be out of reach
    MessageBox::setNextAnswer(QMessageBox::No);
    QTest::mouseClick(HistArch1->TDelBtn, Qt::LeftButton);
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 3);
    MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(HistArch1->TDelBtn, Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Do You want to Delete Record ?"));
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 2);
    QCOMPARE(archiveRowsOnDisk(app), 3); // written at once

    MessageBox::setNextAnswer(QMessageBox::Yes);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(HistArch1->TDelAllBtn, Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("History File Cleared."));
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 0);
    QCOMPARE(archiveRowsOnDisk(app), 1); // the other account's record stays

    QTest::mouseClick(HistArch1->TCloseBtn, Qt::LeftButton);
    QTest::mouseClick(Tillwick1->TArchiveBtn, Qt::LeftButton);
    QCOMPARE(HistArch1->Edit1->text(), QStringLiteral("B2"));
    QCOMPARE(HistArch1->StringGrid1->model()->rowCount(), 1);
}

QTEST_MAIN(TestHistArch)
#include "tst_histarch.moc"
