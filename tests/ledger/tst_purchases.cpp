// The Purchases tab as a user works it: transactions typed through the entry panel, the Save
// button's sale checks, deleting, and the "Ave Cost" button over an account.
#include "app/MessageBox.h"
#include "app/MessageWin.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "support/AppSession.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {
const QString kAccount = QStringLiteral("100");

QDateTime day(int n)
{
    return QDateTime(QDate(2024, 3, 1).addDays(n), QTime(0, 0));
}

void openPurchasesTab()
{
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem2);
}

void chooseDate(const QDateTime &date)
{
    QTest::mouseDClick(Tillwick1->Edit7, Qt::LeftButton);
    QVERIFY(Tillwick1->Panel3->isVisible());
    Tillwick1->Calendar1->setSelectedDate(date.date());
    emit Tillwick1->Calendar1->clicked(date.date());
}

// One transaction through Add Row and the entry panel: "Purchase 100 10", "Sell 30 12" or "Split".
// The type is chosen from the grid's pop-up menu; a null date leaves the transaction undated.
void typeTransaction(const QString &step, const QDateTime &date, bool close = true)
{
    const QStringList words = step.split(QLatin1Char(' '));
    QTest::mouseClick(Tillwick1->TAddRowBtn, Qt::LeftButton);
    QVERIFY(Tillwick1->Panel5->isVisible());
    QAction *type = words[0] == QLatin1String("Sell")    ? Tillwick1->pmnuSell
                    : words[0] == QLatin1String("Split") ? Tillwick1->pmnuSplit
                                                         : Tillwick1->pmnuPurchase;
    type->trigger();
    // The boxes show the new record's 0: typing replaces it.
    if (words.size() > 1) {
        Tillwick1->Edit5->selectAll();
        QTest::keyClicks(Tillwick1->Edit5, words[1]);
    }
    if (words.size() > 2) {
        Tillwick1->Edit6->selectAll();
        QTest::keyClicks(Tillwick1->Edit6, words[2]);
    }
    if (date.isValid())
        chooseDate(date);
    if (close)
        QTest::mouseClick(Tillwick1->CanPurBtn, Qt::LeftButton);
}

double holdingField(TableStore *store, const QString &symbol, const char *field)
{
    for (int row = 0; row < store->rowsShown(); ++row) {
        if (store->valueAt(row, store->fieldIndex(u"Symbol")).toString() == symbol)
            return store->valueAt(row, store->fieldIndex(QString::fromLatin1(field))).toDouble();
    }
    return qQNaN();
}

int historyCount()
{
    TableStore *h = Tillwick1->ClientDataSet3;
    h->setFilter(QString());
    return h->recordCount();
}

// Starts the program on one account whose IBM holding has the given price and transactions.
void startWithHolding(AppSession &app,
                      double price,
                      const QList<QVariantMap> &transactions = {},
                      double quantity = 0,
                      double aveCost = 0)
{
    seedAndStart(app,
                 {{accountRecord(kAccount, QStringLiteral("Bank"), QStringLiteral("A"))},
                  {holdingRecord(kAccount, QStringLiteral("IBM"), quantity, price, aveCost)},
                  transactions,
                  {}});
    clickAccountLine(0);
    openPurchasesTab();
}
// The IBM holding bought once: 100 at 10 on the first day, now priced at 20.
void startWithOnePurchase(AppSession &app)
{
    startWithHolding(
            app,
            20,
            {transactionRecord(kAccount, QStringLiteral("IBM"), QStringLiteral("Purchase"), 100, 10, day(0))},
            100,
            10);
}

// Clicks Save, answering the confirmation window if it shows; the text it showed, or empty.
QString saveAndTakeMessage()
{
    MessageWin1->Label1->setText(QString());
    QTimer *answer = answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    delete answer;
    return MessageWin1->Label1->text();
}
} // namespace

class TestPurchases : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void averageCostFollowsEveryPosting_data();
    void averageCostFollowsEveryPosting();
    void splitTakesTheHoldingsShares();
    void saleTypedPositiveIsStoredNegative_data();
    void saleTypedPositiveIsStoredNegative();
    void saveChecksTheSale_data();
    void saveChecksTheSale();
    void saleIsCheckedAgainstItsOwnHolding();
    void undatedTransactionSortsFirst();
    void saveLeavesHistoryWithTheNewFigures();
    void deleteAsksAndRecalculates();
    void refusedNumberKeepsTheRecord();
    void panelsFollowTheTab();
    void gridEditIsKeptAtQuit();
    void holdingChosenOnTheQuotesTabIsShown();
    void aveCostButtonOverTheAccount();
};

void TestPurchases::averageCostFollowsEveryPosting_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("aveCost");
    QTest::addColumn<QString>("label10");

    QTest::newRow("two purchases and a sale")
            << QStringList{"Purchase 100 10", "Purchase 50 16", "Sell 30 20"} << 120.0 << 12.5
            << "Ave Cost: 12.5";
    QTest::newRow("second sale has no purchase to price it")
            << QStringList{"Purchase 100 10", "Sell 30 20", "Sell 20 20"} << 50.0 << 14.0 << "Ave Cost: 14";
    QTest::newRow("split as the last record halves")
            << QStringList{"Purchase 100 10", "Split"} << 200.0 << 5.0 << "Ave Cost: 5";
    QTest::newRow("purchase after a split")
            << QStringList{"Purchase 100 10", "Split", "Purchase 50 6"} << 250.0 << 9.2 << "Ave Cost: 9.2";
    QTest::newRow("everything sold") << QStringList{"Purchase 100 10", "Sell 100 12"} << 0.0 << 0.0
                                     << "Ave Cost: ";
    QTest::newRow("purchases at no cost") << QStringList{"Purchase 100 0"} << 100.0 << 0.0 << "Ave Cost: ";
}

void TestPurchases::averageCostFollowsEveryPosting()
{
    QFETCH(QStringList, steps);
    QFETCH(double, quantity);
    QFETCH(double, aveCost);
    QFETCH(QString, label10);

    AppSession app;
    startWithHolding(app, 20);
    for (int i = 0; i < steps.size(); ++i)
        typeTransaction(steps[i], day(i));

    for (TableStore *store : {Tillwick1->ClientDataSet1, Tillwick1->ClientDataSet6}) {
        QCOMPARE(holdingField(store, QStringLiteral("IBM"), "Quantity"), quantity);
        QCOMPARE(holdingField(store, QStringLiteral("IBM"), "AveCost"), aveCost);
        QCOMPARE(holdingField(store, QStringLiteral("IBM"), "Extension"), quantity * 20);
        if (quantity * aveCost == 0) // no division by zero: nothing was paid, or nothing is left
            QCOMPARE(holdingField(store, QStringLiteral("IBM"), "PercentDiff"), 0.0);
    }
    QCOMPARE(Tillwick1->Label5->text(), QStringLiteral("IBM Inc - IBM"));
    QCOMPARE(Tillwick1->Label10->text(), label10);
    QCOMPARE(Tillwick1->ClientDataSet2->recordCount(), steps.size());

    app.restart(); // each recalculation is written at once
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), quantity);
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "AveCost"), aveCost);
}

void TestPurchases::splitTakesTheHoldingsShares()
{
    AppSession app;
    startWithHolding(app, 20);
    typeTransaction(QStringLiteral("Purchase 100 10"), day(0));
    typeTransaction(QStringLiteral("Split"), day(1), false);
    QCOMPARE(Tillwick1->CMBTRAN->currentText(), QStringLiteral("Split"));
    QVERIFY(!Tillwick1->Edit5->isVisible());
    QVERIFY(!Tillwick1->Edit6->isVisible());
    QVERIFY(Tillwick1->Edit7->isVisible());
    QTest::mouseClick(Tillwick1->CanPurBtn, Qt::LeftButton);

    TableStore *t = Tillwick1->ClientDataSet2;
    t->last();
    QCOMPARE(t->value(QStringLiteral("Transaction")).toString(), QStringLiteral("Split"));
    QCOMPARE(t->value(QStringLiteral("Quantity")).toDouble(), 100.0);
    QCOMPARE(t->value(QStringLiteral("Price")).toDouble(), 10.0);
    QCOMPARE(t->value(QStringLiteral("Extension")).toDouble(), 1000.0);
}

void TestPurchases::saleTypedPositiveIsStoredNegative_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("typed positive") << QStringLiteral("10");
    QTest::newRow("typed negative") << QStringLiteral("-10");
}

void TestPurchases::saleTypedPositiveIsStoredNegative()
{
    QFETCH(QString, typed);
    AppSession app;
    startWithHolding(app, 20);
    typeTransaction(QStringLiteral("Purchase 100 4"), day(0));
    typeTransaction(QStringLiteral("Sell ") + typed + QStringLiteral(" 5"), day(1));
    TableStore *t = Tillwick1->ClientDataSet2;
    t->last();
    QCOMPARE(t->value(QStringLiteral("Quantity")).toDouble(), -10.0);
    QCOMPARE(t->value(QStringLiteral("Extension")).toDouble(), -50.0);
    QCOMPARE(t->value(QStringLiteral("TransactionDate")).toString(), QStringLiteral("20240302000"));
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 90.0);
}

void TestPurchases::saveChecksTheSale_data()
{
    QTest::addColumn<QString>("sale");
    QTest::addColumn<int>("dayOfSale");
    QTest::addColumn<QString>("message");

    QTest::newRow("more than is held")
            << "Sell 150 5" << 5 << "The Sell Quantity cannot be Greater than Total Quantities Purchase.";
    QTest::newRow("before the first purchase")
            << "Sell 10 5" << -5 << "The Sell Date cannot be Earlier than the Purchase Date.";
    QTest::newRow("all that is held, later") << "Sell 100 5" << 5 << QString();
}

void TestPurchases::saveChecksTheSale()
{
    QFETCH(QString, sale);
    QFETCH(int, dayOfSale);
    QFETCH(QString, message);

    AppSession app;
    startWithOnePurchase(app);
    QCOMPARE(Tillwick1->WKFRSTTRANDATE, QStringLiteral("20240301000"));

    typeTransaction(sale, day(dayOfSale), false);
    QCOMPARE(saveAndTakeMessage(), message);
    if (!message.isEmpty()) {
        // The record waits, unchanged, for the user to mend it; no history is written.
        QCOMPARE(Tillwick1->ClientDataSet2->state(), TableStore::State::Insert);
        QCOMPARE(historyCount(), 0);
        QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 100.0);
        return;
    }
    QCOMPARE(Tillwick1->ClientDataSet2->state(), TableStore::State::Browse);
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 0.0);
    QCOMPARE(historyCount(), 1);
}

void TestPurchases::saleIsCheckedAgainstItsOwnHolding()
{
    AppSession app;
    seedAndStart(app,
                 {{accountRecord(kAccount, QStringLiteral("Bank"), QStringLiteral("A"))},
                  {holdingRecord(kAccount, QStringLiteral("IBM"), 100, 20, 10),
                   holdingRecord(kAccount, QStringLiteral("T"), 1000, 20, 10)},
                  {},
                  {}});
    clickAccountLine(0);
    // The History tab's grid stands on the big holding, the Purchases tab on the small one.
    QVERIFY(Tillwick1->ClientDataSet6->locate(QStringLiteral("Symbol"), QStringLiteral("T")));
    openPurchasesTab();
    clickGridRow(Tillwick1->StringGrid4, 0);
    QCOMPARE(Tillwick1->ClientDataSet1->value(QStringLiteral("Symbol")).toString(), QStringLiteral("IBM"));

    typeTransaction(QStringLiteral("Sell 150 5"), day(1), false);
    QCOMPARE(saveAndTakeMessage(),
             QStringLiteral("The Sell Quantity cannot be Greater than Total Quantities Purchase."));
    QCOMPARE(Tillwick1->ClientDataSet2->state(), TableStore::State::Insert);
}

void TestPurchases::undatedTransactionSortsFirst()
{
    AppSession app;
    startWithOnePurchase(app);
    typeTransaction(QStringLiteral("Purchase 10 12"), QDateTime());
    TableStore *t = Tillwick1->ClientDataSet2;
    t->first();
    QCOMPARE(t->value(QStringLiteral("Quantity")).toDouble(), 10.0);
    QCOMPARE(t->value(QStringLiteral("TransactionDate")).toString(), QString());
    QVERIFY(t->value(QStringLiteral("TransDateDsp")).isNull());

    Tillwick1->StringGrid4Click(); // the holding chosen again
    QCOMPARE(Tillwick1->WKFRSTTRANDATE, QString());
    // With no first date, a sale of any date passes.
    typeTransaction(QStringLiteral("Sell 5 12"), QDateTime(QDate(2001, 1, 1), QTime(0, 0)), false);
    QCOMPARE(saveAndTakeMessage(), QString());
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 105.0);
}

void TestPurchases::saveLeavesHistoryWithTheNewFigures()
{
    AppSession app;
    startWithOnePurchase(app);
    // The type chosen in the panel's list is the record's; the history keeps the menu's type.
    QTest::mouseClick(Tillwick1->TAddRowBtn, Qt::LeftButton);
    Tillwick1->CMBTRAN->setCurrentIndex(1);
    QCOMPARE(Tillwick1->ClientDataSet2->value(QStringLiteral("Transaction")).toString(),
             QStringLiteral("Sell"));
    QCOMPARE(Tillwick1->WKTRANSACTION, QStringLiteral("Purchase"));
    Tillwick1->Edit5->selectAll();
    QTest::keyClicks(Tillwick1->Edit5, QStringLiteral("10"));
    Tillwick1->Edit6->selectAll();
    QTest::keyClicks(Tillwick1->Edit6, QStringLiteral("5"));
    chooseDate(day(3));
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton); // the typed text counts without leaving the box

    TableStore *h = Tillwick1->ClientDataSet3;
    QCOMPARE(historyCount(), 1);
    h->first();
    QCOMPARE(h->value(QStringLiteral("TranType")).toString(), QStringLiteral("Purchase"));
    QCOMPARE(h->value(QStringLiteral("Quantity")).toDouble(), 90.0);
    QCOMPARE(h->value(QStringLiteral("AveCost")).toDouble(), 10.0);
    QCOMPARE(h->value(QStringLiteral("Extension")).toDouble(), 1800.0);

    // Nothing changed: the Purchases tab still leaves a record of the holding.
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    QCOMPARE(historyCount(), 2);
    h->last();
    QCOMPARE(h->value(QStringLiteral("TranType")).toString(), QStringLiteral("Purchase"));
    QCOMPARE(h->value(QStringLiteral("Quantity")).toDouble(), 90.0);

    app.restart();
    QCOMPARE(historyCount(), 2);
}

void TestPurchases::deleteAsksAndRecalculates()
{
    AppSession app;
    seedAndStart(
            app,
            {{accountRecord(kAccount, QStringLiteral("Bank"), QStringLiteral("A"))},
             {holdingRecord(kAccount, QStringLiteral("IBM"), 150, 20, 12),
              holdingRecord(kAccount, QStringLiteral("T"), 7, 20, 12)},
             {transactionRecord(kAccount, QStringLiteral("IBM"), QStringLiteral("Purchase"), 100, 10, day(0)),
              transactionRecord(kAccount, QStringLiteral("IBM"), QStringLiteral("Purchase"), 50, 16, day(1))},
             {}});
    clickAccountLine(0);
    openPurchasesTab();
    clickGridRow(Tillwick1->StringGrid4, 0);
    TableStore *t = Tillwick1->ClientDataSet2;
    QCOMPARE(t->recordCount(), 2);
    t->last();

    answerConfirmation(false);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(MessageWin1->Label1->text(),
             QStringLiteral("Do You want to Delete: IBM - IBM Inc from the Stock Purchase List ?"));
    QCOMPARE(t->recordCount(), 2);

    answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(t->recordCount(), 1);
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 100.0);
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "AveCost"), 10.0);

    // A holding without transactions: nothing to ask about, nothing deleted.
    clickGridRow(Tillwick1->StringGrid4, 1);
    QCOMPARE(t->recordCount(), 0);
    MessageWin1->Label1->setText(QString());
    QTimer *answer = answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QTest::qWait(50);
    delete answer;
    QCOMPARE(MessageWin1->Label1->text(), QString());
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("T"), "Quantity"), 7.0);

    app.restart();
    t = Tillwick1->ClientDataSet2;
    t->setFilter(QString());
    QCOMPARE(t->recordCount(), 1);
}

void TestPurchases::refusedNumberKeepsTheRecord()
{
    AppSession app;
    startWithHolding(app, 20);
    QTest::mouseClick(Tillwick1->TAddRowBtn, Qt::LeftButton);
    Tillwick1->Edit5->selectAll();
    QTest::keyClicks(Tillwick1->Edit5, QStringLiteral("12,5x"));
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(Tillwick1->CanPurBtn, Qt::LeftButton);
    QVERIFY2(MessageBox::lastText().contains(QStringLiteral("12,5x")), qPrintable(MessageBox::lastText()));
    TableStore *t = Tillwick1->ClientDataSet2;
    QCOMPARE(t->recordCount(), 1);
    QCOMPARE(t->value(QStringLiteral("Quantity")).toDouble(), 0.0);
}

void TestPurchases::panelsFollowTheTab()
{
    AppSession app;
    startWithHolding(app, 20);
    QTest::mouseClick(Tillwick1->TAddRowBtn, Qt::LeftButton);
    QVERIFY(Tillwick1->Panel5->isVisible());
    QCOMPARE(Tillwick1->WKTRANSACTION, QStringLiteral("Purchase"));
    QTest::mouseDClick(Tillwick1->Edit7, Qt::LeftButton);
    QVERIFY(Tillwick1->Panel3->isVisible());

    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem1);
    QVERIFY(!Tillwick1->Panel5->isVisible());
    QVERIFY(!Tillwick1->Panel3->isVisible());
    openPurchasesTab();
    QVERIFY(Tillwick1->Panel5->isVisible());
    QVERIFY(Tillwick1->Panel3->isVisible());

    QTest::mouseClick(Tillwick1->CanPurDteBtn, Qt::LeftButton);
    QVERIFY(!Tillwick1->Panel3->isVisible());
    Tillwick1->pmnuDate->trigger(); // shows the calendar without marking it open
    QVERIFY(Tillwick1->Panel3->isVisible());
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem1);
    openPurchasesTab();
    QVERIFY(!Tillwick1->Panel3->isVisible());

    Tillwick1->CMBTRAN->setCurrentIndex(2);
    QVERIFY(!Tillwick1->Label13->isVisible());
    Tillwick1->CMBTRAN->setCurrentIndex(0);
    QVERIFY(Tillwick1->Label13->isVisible());
    QTest::mouseClick(Tillwick1->CanPurBtn, Qt::LeftButton);
    QVERIFY(!Tillwick1->Panel5->isVisible());
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem1);
    openPurchasesTab();
    QVERIFY(!Tillwick1->Panel5->isVisible());
}

void TestPurchases::gridEditIsKeptAtQuit()
{
    AppSession app;
    startWithOnePurchase(app);
    editCell(Tillwick1->StringGrid2, 0, 5, QStringLiteral("120"));
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 100.0);
    app.restart();
    TableStore *t = Tillwick1->ClientDataSet2;
    t->setFilter(QString());
    t->first();
    QCOMPARE(t->value(QStringLiteral("Quantity")).toDouble(), 120.0);
    QCOMPARE(t->value(QStringLiteral("Extension")).toDouble(), 1200.0);
    QCOMPARE(holdingField(Tillwick1->ClientDataSet1, QStringLiteral("IBM"), "Quantity"), 120.0);
}

void TestPurchases::holdingChosenOnTheQuotesTabIsShown()
{
    AppSession app;
    seedAndStart(
            app,
            {{accountRecord(kAccount, QStringLiteral("Bank"), QStringLiteral("A"))},
             {holdingRecord(kAccount, QStringLiteral("IBM"), 100, 20, 10),
              holdingRecord(kAccount, QStringLiteral("T"), 5, 20, 10)},
             {transactionRecord(kAccount, QStringLiteral("IBM"), QStringLiteral("Purchase"), 100, 10, day(0)),
              transactionRecord(kAccount, QStringLiteral("T"), QStringLiteral("Purchase"), 5, 10, day(2))},
             {}});
    clickAccountLine(0);
    clickGridRow(Tillwick1->StringGrid1, 1);
    QCOMPARE(Tillwick1->ClientDataSet1->value(QStringLiteral("Symbol")).toString(), QStringLiteral("T"));
    openPurchasesTab();
    QCOMPARE(Tillwick1->StringGrid2->model()->rowCount(), 1);
    QCOMPARE(cell(Tillwick1->StringGrid2, 0, 3), QStringLiteral("T"));
    QCOMPARE(Tillwick1->WKFRSTTRANDATE, QStringLiteral("20240303000"));
}

void TestPurchases::aveCostButtonOverTheAccount()
{
    AppSession app;
    const QString other = QStringLiteral("200");
    seedAndStart(
            app,
            {{accountRecord(kAccount, QStringLiteral("Bank"), QStringLiteral("A")),
              accountRecord(other, QStringLiteral("Broker"), QStringLiteral("B"))},
             {holdingRecord(kAccount, QStringLiteral("IBM"), 5, 20, 1),
              holdingRecord(kAccount, QStringLiteral("SOLD"), 0, 20, 3),
              holdingRecord(kAccount, QStringLiteral("T"), 7, 20, 4),
              holdingRecord(other, QStringLiteral("IBM"), 9, 20, 2)},
             {transactionRecord(kAccount, QStringLiteral("IBM"), QStringLiteral("Purchase"), 10, 10, day(0)),
              transactionRecord(kAccount, QStringLiteral("IBM"), QStringLiteral("Purchase"), 10, 20, day(1)),
              transactionRecord(kAccount, QStringLiteral("SOLD"), QStringLiteral("Purchase"), 10, 10, day(0)),
              transactionRecord(other, QStringLiteral("IBM"), QStringLiteral("Purchase"), 1, 1, day(0))},
             {}});
    clickAccountLine(0);
    // Sorted by average cost, recalculating reorders the holdings under the batch.
    Tillwick1->pmnuSortCost->trigger();
    QTest::mouseClick(Tillwick1->TClcAveCst, Qt::LeftButton);

    TableStore *s = Tillwick1->ClientDataSet1;
    QCOMPARE(holdingField(s, QStringLiteral("IBM"), "Quantity"), 20.0);
    QCOMPARE(holdingField(s, QStringLiteral("IBM"), "AveCost"), 15.0);
    QCOMPARE(holdingField(s, QStringLiteral("SOLD"), "Quantity"), 0.0); // skipped: nothing held
    QCOMPARE(holdingField(s, QStringLiteral("SOLD"), "AveCost"), 3.0);
    QCOMPARE(holdingField(s, QStringLiteral("T"), "Quantity"), 7.0); // no transactions
    QCOMPARE(holdingField(s, QStringLiteral("T"), "AveCost"), 4.0);
    QCOMPARE(Tillwick1->SKIP_FLG, false);
    // The batch wrote the file once, through the holdings table, not once per holding.
    QVERIFY(!s->hasUnwrittenChanges());
    QVERIFY(Tillwick1->ClientDataSet6->hasUnwrittenChanges());

    app.restart();
    s = Tillwick1->ClientDataSet1;
    s->setFilter(QString());
    for (s->first(); !s->eof(); s->next()) {
        const bool mine = s->value(QStringLiteral("AccountNo")).toString() == kAccount;
        if (s->value(QStringLiteral("Symbol")).toString() == QLatin1String("IBM"))
            QCOMPARE(s->value(QStringLiteral("AveCost")).toDouble(), mine ? 15.0 : 2.0);
    }
}

QTEST_MAIN(TestPurchases)
#include "tst_purchases.moc"
