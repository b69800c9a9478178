// History records: what triggers them, what they hold, the History tab, deleting and archiving.
#include "app/MessageBox.h"
#include "app/MessageWin.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/DateText.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "support/AppSession.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
const QString kBank = QStringLiteral("100");
const QString kBroker = QStringLiteral("200");

QList<QVariantMap> twoAccounts()
{
    return {accountRecord(kBank, QStringLiteral("Bank"), QStringLiteral("A")),
            accountRecord(kBroker, QStringLiteral("Broker"), QStringLiteral("B"))};
}

QList<QVariantMap> historyFile(AppSession &app)
{
    return readTable(app.dataPath(QStringLiteral("History.cds")), QStringLiteral("History.cds"));
}

void openTab(QWidget *tab)
{
    Tillwick1->TabControl1->setCurrentWidget(tab);
}
} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void saveOnQuotesTabWithTheSaveOption();
    void priceEditWithTheQuoteOption();
    void saveWithoutAHolding();
    void historyTabShowsTheChosenHolding();
    void deleteOneIsNotArchived();
    void noToDeleteAllOnAnEmptyListAsksNothingMore();
    void deleteAllArchivesEveryAccountAndCloses();
    void deleteAllWithoutAFileKeepsLaterRecords();
    void unreadableHistoryIsNeitherArchivedNorDeleted();
};

void TestHistory::saveOnQuotesTabWithTheSaveOption()
{
    AppSession app;
    seedAndStart(app, {twoAccounts(), {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100)}, {}, {}});
    clickAccountLine(0);
    Tillwick1->RDHIST1->click();
    const QDateTime before = QDateTime::currentDateTime();
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);

    const QList<QVariantMap> rows = historyFile(app); // written at once
    QCOMPARE(rows.size(), 1);
    const QVariantMap &r = rows.first();
    QCOMPARE(r.value(QStringLiteral("TranType")).toString(), QStringLiteral("Chart"));
    QCOMPARE(r.value(QStringLiteral("AccountNo")).toString(), kBank);
    QCOMPARE(r.value(QStringLiteral("Symbol")).toString(), QStringLiteral("IBM"));
    QCOMPARE(r.value(QStringLiteral("Name")).toString(), QStringLiteral("IBM Inc"));
    QCOMPARE(r.value(QStringLiteral("Quantity")).toDouble(), 3.0);
    QCOMPARE(r.value(QStringLiteral("Price")).toDouble(), 150.0);
    QCOMPARE(r.value(QStringLiteral("Extension")).toDouble(), 450.0);
    QCOMPARE(r.value(QStringLiteral("AveCost")).toDouble(), 100.0);
    QCOMPARE(r.value(QStringLiteral("Difference")).toDouble(), 150.0);
    QVERIFY(r.value(QStringLiteral("LastUpdated")).toDateTime() >= before.addMSecs(-1));
    QCOMPARE(r.value(QStringLiteral("DateCreated")).toString().left(8), FlopDate(before).left(8));
}

void TestHistory::priceEditWithTheQuoteOption()
{
    AppSession app;
    seedAndStart(app, {twoAccounts(), {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100)}, {}, {}});
    clickAccountLine(0);
    QVERIFY(Tillwick1->RDHIST2->isChecked());
    editCell(Tillwick1->StringGrid1, 0, 6, QStringLiteral("160"));
    QTRY_COMPARE(historyFile(app).size(), 1);
    const QVariantMap r = historyFile(app).first();
    QCOMPARE(r.value(QStringLiteral("TranType")).toString(), QStringLiteral("Purchase"));
    QCOMPARE(r.value(QStringLiteral("Price")).toDouble(), 160.0);
    QCOMPARE(r.value(QStringLiteral("Extension")).toDouble(), 480.0);

    // A name is no figure: it leaves no history.
    editCell(Tillwick1->StringGrid1, 0, 4, QStringLiteral("IBM Corp"));
    QCOMPARE(historyFile(app).size(), 1);
}

void TestHistory::saveWithoutAHolding()
{
    AppSession app;
    seedAndStart(app, {twoAccounts(), {}, {}, {}});
    clickAccountLine(0);
    Tillwick1->RDHIST1->setChecked(true);
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    const QList<QVariantMap> rows = historyFile(app);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(QStringLiteral("Symbol")).toString(), QString());
    QCOMPARE(rows.first().value(QStringLiteral("AccountNo")).toString(), QString());
    QCOMPARE(rows.first().value(QStringLiteral("Quantity")).toDouble(), 0.0);
    QCOMPARE(rows.first().value(QStringLiteral("Extension")).toDouble(), 0.0);
    QCOMPARE(rows.first().value(QStringLiteral("TranType")).toString(), QStringLiteral("Chart"));
}

void TestHistory::historyTabShowsTheChosenHolding()
{
    AppSession app;
    seedAndStart(app,
                 {twoAccounts(),
                  {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100),
                   holdingRecord(kBank, QStringLiteral("T"), 10, 20, 15)},
                  {},
                  {historyRecord(kBank, QStringLiteral("IBM"), 3, 140),
                   historyRecord(kBank, QStringLiteral("IBM"), 3, 150),
                   historyRecord(kBank, QStringLiteral("T"), 10, 20)}});
    clickAccountLine(0);
    openTab(Tillwick1->TabItem4);
    QCOMPARE(Tillwick1->StringGrid5->model()->rowCount(), 2);
    QCOMPARE(Tillwick1->StringGrid3->model()->rowCount(), 2);
    clickGridRow(Tillwick1->StringGrid5, 1);
    QCOMPARE(Tillwick1->StringGrid3->model()->rowCount(), 1);
    QCOMPARE(cell(Tillwick1->StringGrid3, 0, 3), QStringLiteral("T"));
    QCOMPARE(Tillwick1->GRPHACCNT, kBank);
    QCOMPARE(Tillwick1->GRPHSYMBL, QStringLiteral("T"));
}

void TestHistory::deleteOneIsNotArchived()
{
    AppSession app;
    seedAndStart(app,
                 {twoAccounts(),
                  {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100)},
                  {},
                  {historyRecord(kBank, QStringLiteral("IBM"), 3, 140),
                   historyRecord(kBank, QStringLiteral("IBM"), 3, 150)}});
    clickAccountLine(0);
    openTab(Tillwick1->TabItem4);

    MessageBox::setNextAnswer(QMessageBox::No);
    answerConfirmation(false);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(MessageWin1->Label1->text(),
             QStringLiteral("Do You want to Delete: IBM - IBM Inc from the Stock History List ?"));
    QCOMPARE(historyFile(app).size(), 2);

    MessageBox::setNextAnswer(QMessageBox::No);
    answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(),
             QStringLiteral("Do You want to Delete All History from the Stock History List ?"));
    QCOMPARE(historyFile(app).size(), 1);
    QVERIFY(!QFile::exists(app.dataPath(QStringLiteral("HistoryArcv.cds"))));
    QVERIFY(Tillwick1->isVisible());
}

void TestHistory::noToDeleteAllOnAnEmptyListAsksNothingMore()
{
    AppSession app;
    seedAndStart(app, {twoAccounts(), {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100)}, {}, {}});
    clickAccountLine(0);
    openTab(Tillwick1->TabItem4);
    MessageWin1->Label1->setText(QString());
    MessageBox::setNextAnswer(QMessageBox::No);
    QTimer *answer = answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QTest::qWait(50);
    delete answer;
    QCOMPARE(MessageWin1->Label1->text(), QString());
    QVERIFY(Tillwick1->isVisible());
}

void TestHistory::deleteAllArchivesEveryAccountAndCloses()
{
    AppSession app;
    seedAndStart(app,
                 {twoAccounts(),
                  {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100),
                   holdingRecord(kBroker, QStringLiteral("T"), 10, 20, 15)},
                  {},
                  {historyRecord(kBank, QStringLiteral("IBM"), 3, 140),
                   historyRecord(kBank, QStringLiteral("IBM"), 3, 150),
                   historyRecord(kBroker, QStringLiteral("T"), 10, 20)}});
    const QList<QVariantMap> before = historyFile(app);
    clickAccountLine(0);
    openTab(Tillwick1->TabItem4);

    MessageBox::setNextAnswer(QMessageBox::Yes);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(MessageBox::lastText(), QStringLiteral("Program closing due to lack of demand."));
    QVERIFY(!Tillwick1->isVisible());
    QVERIFY(!QFile::exists(app.dataPath(QStringLiteral("History.cds"))));

    QList<QVariantMap> archived
            = readTable(app.dataPath(QStringLiteral("HistoryArcv.cds")), QStringLiteral("HistoryArcv.cds"));
    QCOMPARE(archived.size(), before.size());
    for (int i = 0; i < before.size(); ++i) {
        for (const QString &field : {QStringLiteral("AccountNo"),
                                     QStringLiteral("Symbol"),
                                     QStringLiteral("Price"),
                                     QStringLiteral("LastUpdated"),
                                     QStringLiteral("DateCreated")})
            QCOMPARE(archived[i].value(field), before[i].value(field));
    }

    app.restart(); // starts again with an empty history
    QCOMPARE(Tillwick1->ClientDataSet3->recordCount(), 0);
    app.stop();
    QVERIFY(QFile::exists(app.dataPath(QStringLiteral("History.cds"))));
    QCOMPARE(historyFile(app).size(), 0);
}

void TestHistory::deleteAllWithoutAFileKeepsLaterRecords()
{
    AppSession app;
    seedAndStart(app,
                 {twoAccounts(),
                  {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100)},
                  {},
                  {historyRecord(kBank, QStringLiteral("IBM"), 3, 140)}});
    clickAccountLine(0);
    openTab(Tillwick1->TabItem4);
    QVERIFY(QFile::remove(app.dataPath(QStringLiteral("History.cds"))));

    MessageBox::setNextAnswer(QMessageBox::Yes);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QVERIFY(Tillwick1->isVisible());
    QCOMPARE(readTable(app.dataPath(QStringLiteral("HistoryArcv.cds")), QStringLiteral("HistoryArcv.cds"))
                     .size(),
             1);

    Tillwick1->RDHIST1->setChecked(true);
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    app.restart();
    QCOMPARE(historyFile(app).size(), 1);
}

void TestHistory::unreadableHistoryIsNeitherArchivedNorDeleted()
{
    AppSession app;
    seedAndStart(app, {twoAccounts(), {holdingRecord(kBank, QStringLiteral("IBM"), 3, 150, 100)}, {}, {}});
    app.stop();
    const QString path = app.dataPath(QStringLiteral("History.cds"));
    const QByteArray garbage("not a table at all, but someone's data");
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(garbage);
    }
    MessageBox::setNextAnswer(QMessageBox::Ok); // told at start
    app.start();
    clickAccountLine(0);
    openTab(Tillwick1->TabItem4);

    MessageBox::setNextAnswer(QMessageBox::Yes);
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QVERIFY2(MessageBox::lastText().contains(QStringLiteral("History.cds")),
             qPrintable(MessageBox::lastText()));
    QVERIFY(Tillwick1->isVisible());
    QVERIFY(!QFile::exists(app.dataPath(QStringLiteral("HistoryArcv.cds"))));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), garbage);
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
