// Merging one account's holdings, transactions and history into another through the merge window.
#include "accounts/MergeAcc.h"
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "support/AppSession.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace {
QVariantMap accountWithFirst(const QString &number, const QString &first, const QString &name)
{
    QVariantMap row = accountRecord(number, name, QStringLiteral("desc"));
    row.insert(QStringLiteral("FrstAccountNo"), first);
    return row;
}

QList<QVariantMap> rowsOf(AppSession &app, const char *file, const QString &account)
{
    QList<QVariantMap> rows;
    for (const QVariantMap &row : readTable(app.dataPath(QLatin1String(file)), QLatin1String(file))) {
        if (row.value(QStringLiteral("AccountNo")).toString() == account)
            rows << row;
    }
    return rows;
}

// Opens the merge window and chooses the two accounts by their entries' positions.
void chooseAndMerge(int from, int to)
{
    QTest::mouseClick(Tillwick1->TMergeBtn, Qt::LeftButton);
    QVERIFY(MergeAcc1->isVisible());
    QCOMPARE(MergeAcc1->CMBFRACC->currentIndex(), -1);
    MergeAcc1->CMBFRACC->setCurrentIndex(from);
    MergeAcc1->CMBTOACC->setCurrentIndex(to);
    QTest::mouseClick(MergeAcc1->OKBtn, Qt::LeftButton);
}

const QString kFrom = QStringLiteral("100");
const QString kTo = QStringLiteral("200");

Seed twoAccounts()
{
    Seed seed;
    seed.accounts = {accountWithFirst(kFrom, kFrom, QStringLiteral("Bank")),
                     accountWithFirst(kTo, QStringLiteral("150"), QStringLiteral("Broker"))};
    for (const char *symbol : {"A", "B", "C"})
        seed.holdings << holdingRecord(kFrom, QLatin1String(symbol), 10, 20, 15);
    seed.holdings << holdingRecord(kTo, QStringLiteral("Z"), 1, 1, 1);
    const QDateTime day(QDate(2024, 5, 1), QTime(0, 0));
    for (int i = 0; i < 5; ++i)
        seed.transactions << transactionRecord(
                kFrom, QStringLiteral("A"), QStringLiteral("Purchase"), 2, 15, day.addDays(i));
    seed.history = {historyRecord(kFrom, QStringLiteral("A"), 10, 18),
                    historyRecord(kFrom, QStringLiteral("B"), 10, 19)};
    return seed;
}
} // namespace

class TestMerge : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void copiesEverythingUnderTheTarget();
    void unwrittenHoldingEditsAreKept();
    void accountWithoutHoldingsCopiesNothing();
    void sameAccountAndTwiceDouble();
    void accountNumbersWithHyphens();
    void vanishedTargetCopiesNothing();
};

void TestMerge::copiesEverythingUnderTheTarget()
{
    AppSession app;
    seedAndStart(app, twoAccounts());
    clickAccountLine(0);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);

    QTest::mouseClick(Tillwick1->TMergeBtn, Qt::LeftButton);
    QCOMPARE(MergeAcc1->CMBFRACC->count(), 2);
    QCOMPARE(MergeAcc1->CMBFRACC->itemText(1), QStringLiteral("200 - Broker"));
    MergeAcc1->CMBFRACC->setCurrentIndex(0);
    MergeAcc1->CMBTOACC->setCurrentIndex(1);
    QVERIFY(MergeAcc1->Label3->isVisible());
    QCOMPARE(MergeAcc1->Label3->text(),
             QStringLiteral("You are Copying Account: 100 - Bank into Account: 200 - Broker"));
    QTest::mouseClick(MergeAcc1->OKBtn, Qt::LeftButton);
    QVERIFY(MergeAcc1->isVisible()); // stays open for another merge

    // The window shows the account it showed, and the tree hangs the copies under the target.
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, kFrom);
    QCOMPARE(Tillwick1->StringGrid1->model()->rowCount(), 3);
    QCOMPARE(Tillwick1->TreeView1->topLevelItem(1)->childCount(), 4);

    app.stop();
    const QList<QVariantMap> holdings = rowsOf(app, "Summary.cds", kTo);
    QCOMPARE(holdings.size(), 4);
    for (const QVariantMap &h : holdings) {
        QCOMPARE(h.value(QStringLiteral("FrstAccountNo")).toString(),
                 h.value(QStringLiteral("Symbol")) == QLatin1String("Z") ? kTo : QStringLiteral("150"));
        if (h.value(QStringLiteral("Symbol")) != QLatin1String("Z")) {
            QCOMPARE(h.value(QStringLiteral("Quantity")).toDouble(), 10.0);
            QVERIFY(h.value(QStringLiteral("LastUpdated")).toDateTime() >= before);
        }
    }
    QCOMPARE(rowsOf(app, "Purchases.cds", kTo).size(), 5);
    const QList<QVariantMap> history = rowsOf(app, "History.cds", kTo);
    QCOMPARE(history.size(), 2);
    QCOMPARE(history.first().value(QStringLiteral("TranType")).toString(), QStringLiteral("Chart"));
    QCOMPARE(history.first().value(QStringLiteral("DateCreated")).toString(),
             QStringLiteral("20240102101010"));
    QCOMPARE(history.first().value(QStringLiteral("FrstAccountNo")).toString(), QStringLiteral("150"));
    // The source keeps every row.
    QCOMPARE(rowsOf(app, "Summary.cds", kFrom).size(), 3);
    QCOMPARE(rowsOf(app, "Purchases.cds", kFrom).size(), 5);
    QCOMPARE(rowsOf(app, "History.cds", kFrom).size(), 2);
}

void TestMerge::unwrittenHoldingEditsAreKept()
{
    AppSession app;
    seedAndStart(app, twoAccounts());
    clickAccountLine(0);
    editCell(Tillwick1->StringGrid1, 0, 6, QStringLiteral("33"));
    // A transaction edited in its grid is posted, not yet written, too.
    Tillwick1->TabControl1->setCurrentWidget(Tillwick1->TabItem2);
    editCell(Tillwick1->StringGrid2, 0, 5, QStringLiteral("7"));
    chooseAndMerge(0, 1);
    app.stop();
    for (const char *account : {"100", "200"}) {
        const QList<QVariantMap> rows = rowsOf(app, "Purchases.cds", QLatin1String(account));
        QCOMPARE(rows.size(), 5);
        QVERIFY(std::any_of(rows.cbegin(), rows.cend(), [](const QVariantMap &r) {
            return r.value(QStringLiteral("Quantity")).toDouble() == 7.0;
        }));
    }
    for (const char *account : {"100", "200"}) {
        const QList<QVariantMap> rows = rowsOf(app, "Summary.cds", QLatin1String(account));
        const auto a = std::find_if(rows.cbegin(), rows.cend(), [](const QVariantMap &r) {
            return r.value(QStringLiteral("Symbol")) == QLatin1String("A");
        });
        QVERIFY(a != rows.cend());
        QCOMPARE(a->value(QStringLiteral("Price")).toDouble(), 33.0);
    }
}

void TestMerge::accountWithoutHoldingsCopiesNothing()
{
    AppSession app;
    Seed seed = twoAccounts();
    seed.holdings = {holdingRecord(kTo, QStringLiteral("Z"), 1, 1, 1)};
    seedAndStart(app, seed);
    chooseAndMerge(0, 1);
    app.stop();
    QCOMPARE(rowsOf(app, "Summary.cds", kTo).size(), 1);
    QCOMPARE(rowsOf(app, "Purchases.cds", kTo).size(), 0);
    QCOMPARE(rowsOf(app, "History.cds", kTo).size(), 0);
}

void TestMerge::sameAccountAndTwiceDouble()
{
    AppSession app;
    seedAndStart(app, twoAccounts());
    chooseAndMerge(0, 0);
    QTest::mouseClick(MergeAcc1->OKBtn, Qt::LeftButton); // the same choice once more
    app.stop();
    QCOMPARE(rowsOf(app, "Summary.cds", kFrom).size(), 12);
    QCOMPARE(rowsOf(app, "Purchases.cds", kFrom).size(), 20);
}

void TestMerge::accountNumbersWithHyphens()
{
    AppSession app;
    const QString from = QStringLiteral("12-34");
    const QString to = QStringLiteral("56-78");
    seedAndStart(app,
                 {{accountRecord(from, QStringLiteral("Bank"), QString()),
                   accountRecord(to, QStringLiteral("Broker"), QString())},
                  {holdingRecord(from, QStringLiteral("A"), 1, 1, 1)},
                  {},
                  {}});
    chooseAndMerge(0, 1);
    app.stop();
    QCOMPARE(rowsOf(app, "Summary.cds", to).size(), 1);
    QCOMPARE(rowsOf(app, "Summary.cds", QStringLiteral("56")).size(), 0);
}

void TestMerge::vanishedTargetCopiesNothing()
{
    AppSession app;
    seedAndStart(app, twoAccounts());
    QTest::mouseClick(Tillwick1->TMergeBtn, Qt::LeftButton);
    MergeAcc1->CMBFRACC->setCurrentIndex(0);
    MergeAcc1->CMBTOACC->setCurrentIndex(1);
    // The target goes away while the window is open.
    TableStore *accounts = Tillwick1->ClientDataSet4;
    QVERIFY(Tillwick1->OpenAccountsFile());
    QVERIFY(accounts->locate(QStringLiteral("AccountNo"), kTo));
    QVERIFY(accounts->remove());
    QVERIFY(accounts->close());
    MessageBox::setNextAnswer(QMessageBox::Ok);
    QTest::mouseClick(MergeAcc1->OKBtn, Qt::LeftButton);
    QVERIFY2(MessageBox::lastText().contains(kTo), qPrintable(MessageBox::lastText()));
    app.stop();
    QCOMPARE(rowsOf(app, "Summary.cds", kTo).size(), 1);
    QCOMPARE(rowsOf(app, "Summary.cds", QString()).size(), 0);
}

QTEST_MAIN(TestMerge)
#include "tst_merge.moc"
