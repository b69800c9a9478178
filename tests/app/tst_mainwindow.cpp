// The main window driven as a user does: start-up, accounts, holdings, totals, tabs and shutdown.
#include "app/MessageBox.h"
#include "app/MessageWin.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/Layouts.h"
#include "data/TableStore.h"
#include "support/AppSession.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
QVariantMap account(const QString &number, const QString &name, const QString &desc, double total = 0)
{
    return accountRecord(number, name, desc, total);
}

QVariantMap
holding(const QString &accountNo, const QString &symbol, double quantity, double price, double aveCost)
{
    return holdingRecord(accountNo, symbol, quantity, price, aveCost);
}

void seed(AppSession &app, const QList<QVariantMap> &accounts, const QList<QVariantMap> &holdings)
{
    seedAndStart(app, {accounts, holdings, {}, {}});
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { MessageBox::setNextAnswer(QMessageBox::NoButton); }
    void firstStartInAnEmptyFolder();
    void firstAccountIsSavedAndChosen();
    void startsOnTheLowestAccountWithHoldings();
    void editAccountFillsTheBoxes();
    void deletingAccounts();
    void holdingAddedThroughThePanel();
    void beforePostFigures_data();
    void beforePostFigures();
    void sortButtonToggles();
    void priceEditShowsDifferenceFromLastQuote();
    void accountTotals_data();
    void accountTotals();
    void totalsOverAllAccounts();
    void deleteHoldingAsksFirst();
    void saveOnQuotesTab();
    void refusedCellEditKeepsTheValue();
    void purchasesTabDisablesEditButtonsWithoutHoldings();
    void menuButtonOpensMenuAndPanel();
    void confirmationClosedByTitleBarIsCancel();
    void geometryIsKeptFromTheSecondRun();
    void unreadableAccountsFileIsToldAndKept();
};

void TestMainWindow::firstStartInAnEmptyFolder()
{
    AppSession app;
    QVERIFY(QFile::exists(app.dataPath(QStringLiteral("Summary.cds"))));
    QCOMPARE(topLines(), QStringList{QStringLiteral("New Account")});
    QVERIFY(Tillwick1->Panel1->isVisible());
    QCOMPARE(Tillwick1->windowTitle(), QStringLiteral("Tillwick - "));
    for (QPushButton *b :
         {Tillwick1->TAddRowBtn, Tillwick1->TQuoteBtn, Tillwick1->TDelBtn, Tillwick1->TSortBtn})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QCOMPARE(Tillwick1->TabControl1->tabPosition(), QTabWidget::South);
    QCOMPARE(Tillwick1->TabControl1->tabText(4), QStringLiteral("Options"));
    QVERIFY(!QFile::exists(app.dataPath(QStringLiteral("Purchases.cds"))));
    app.stop();
    // The end of the first run writes what is needed for the next.
    QVERIFY(QFile::exists(app.dataPath(QStringLiteral("Options.cds"))));
    QVERIFY(QFile::exists(app.dataPath(QStringLiteral("Accounts.cds"))));
}

void TestMainWindow::firstAccountIsSavedAndChosen()
{
    AppSession app;
    QTest::keyClicks(Tillwick1->Edit1, QStringLiteral("100"));
    QTest::keyClicks(Tillwick1->Edit2, QStringLiteral("Checking"));
    QTest::keyClicks(Tillwick1->Edit3, QStringLiteral("Main bank"));
    QTest::mouseClick(Tillwick1->PSaveBtn, Qt::LeftButton);
    QCOMPARE(topLines(), QStringList{QStringLiteral("100 - Checking - Main bank")});
    QVERIFY(Tillwick1->TreeView1->topLevelItem(0)->isSelected());
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
    QCOMPARE(Tillwick1->windowTitle(), QStringLiteral("Tillwick - 100 - Checking - Main bank"));
    QVERIFY(Tillwick1->TAddRowBtn->isEnabled());

    app.restart();
    QCOMPARE(topLines(), QStringList{QStringLiteral("100 - Checking - Main bank")});
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
    QVERIFY(!Tillwick1->Panel1->isVisible());
}

void TestMainWindow::startsOnTheLowestAccountWithHoldings()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("200"), QStringLiteral("Broker"), QStringLiteral("B")),
          account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))},
         {holding(QStringLiteral("200"), QStringLiteral("MSFT"), 1, 300, 250),
          holding(QStringLiteral("100"), QStringLiteral("IBM"), 2, 150, 160)});
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
    QCOMPARE(Tillwick1->windowTitle(), QStringLiteral("Tillwick - 100"));
    QCOMPARE(topLines(), QStringList({QStringLiteral("100 - Bank - A"), QStringLiteral("200 - Broker - B")}));
    QTreeWidgetItem *bank = Tillwick1->TreeView1->topLevelItem(0);
    QCOMPARE(bank->childCount(), 1);
    QCOMPARE(bank->child(0)->text(0), QStringLiteral("IBM - IBM Inc - 2 x 150 = 300"));
    QVERIFY(!bank->child(0)->icon(0).isNull()); // a loss still has its arrow
    QCOMPARE(Tillwick1->StringGrid1->model()->rowCount(), 1);
    QCOMPARE(cell(Tillwick1->StringGrid1, 0, 3), QStringLiteral("IBM"));

    clickAccountLine(1);
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("200"));
    QCOMPARE(Tillwick1->windowTitle(), QStringLiteral("Tillwick - 200 - Broker - B"));
    QCOMPARE(cell(Tillwick1->StringGrid1, 0, 3), QStringLiteral("MSFT"));
    QVERIFY(Tillwick1->StringGrid1->isColumnHidden(0));
    QCOMPARE(Tillwick1->StringGrid1->model()->headerData(8, Qt::Horizontal).toString(),
             QStringLiteral("Ave Cost"));

    // While a run keeps the Quote button disabled, a click changes nothing.
    Tillwick1->TQuoteBtn->setEnabled(false);
    clickAccountLine(0);
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("200"));
}

void TestMainWindow::editAccountFillsTheBoxes()
{
    AppSession app;
    seed(app, {account(QStringLiteral("100"), QStringLiteral("Checking"), QStringLiteral("Main bank"))}, {});
    clickAccountLine(0);
    Tillwick1->pmnuEdit->trigger();
    QCOMPARE(Tillwick1->Edit1->text(), QStringLiteral("100"));
    QCOMPARE(Tillwick1->Edit2->text(), QStringLiteral("Checking"));
    QCOMPARE(Tillwick1->Edit3->text(), QStringLiteral("Main bank"));
    QVERIFY(Tillwick1->Panel1->isVisible());
    QTest::mouseClick(Tillwick1->PSaveBtn, Qt::LeftButton);
    QCOMPARE(topLines(), QStringList{QStringLiteral("100 - Checking - Main bank")});
    QTest::mouseClick(Tillwick1->PCloseBtn, Qt::LeftButton);
    QVERIFY(!Tillwick1->Panel1->isVisible());
}

void TestMainWindow::deletingAccounts()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A")),
          account(QStringLiteral("200"), QStringLiteral("Broker"), QStringLiteral("B"))},
         {holding(QStringLiteral("100"), QStringLiteral("IBM"), 2, 150, 160)});

    answerConfirmation(true);
    Tillwick1->pmnuDelete->trigger();
    QCOMPARE(MessageWin1->Label1->text(),
             QStringLiteral("You cannot Delete an Account with Summary Records."));
    QCOMPARE(topLines().size(), 2);

    clickAccountLine(1);
    answerConfirmation(false);
    Tillwick1->pmnuDelete->trigger();
    QCOMPARE(MessageWin1->Label1->text(), QStringLiteral("Do You want to Delete: 200 ? "));
    QCOMPARE(topLines().size(), 2);

    answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton); // Delete on an account without holdings
    QCOMPARE(topLines(), QStringList{QStringLiteral("100 - Bank - A")});
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("100"));
    QCOMPARE(Tillwick1->TreeView1->topLevelItem(0)->childCount(), 1);
    app.restart();
    QCOMPARE(topLines(), QStringList{QStringLiteral("100 - Bank - A")});
}

void TestMainWindow::holdingAddedThroughThePanel()
{
    AppSession app;
    seed(app, {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))}, {});
    clickAccountLine(0);
    QVERIFY(Tillwick1->TAddRowBtn->isEnabled());
    QTest::mouseClick(Tillwick1->TAddRowBtn, Qt::LeftButton);
    QVERIFY(Tillwick1->Panel6->isVisible());
    QTest::keyClicks(Tillwick1->Edit8, QStringLiteral("AAPL"));
    QTest::keyClicks(Tillwick1->Edit9, QStringLiteral("Apple"));
    QTest::keyClicks(Tillwick1->Edit10, QStringLiteral("1,000"));
    QTest::mouseClick(Tillwick1->QuoteInputExitBtn, Qt::LeftButton);
    QVERIFY(!Tillwick1->Panel6->isVisible());
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 1);
    QCOMPARE(cell(Tillwick1->StringGrid1, 0, 3), QStringLiteral("AAPL"));
    QCOMPARE(cell(Tillwick1->StringGrid1, 0, 5), QStringLiteral("1,000"));
    // The new holding hangs at once under its account.
    QCOMPARE(Tillwick1->TreeView1->topLevelItem(0)->childCount(), 1);
    QCOMPARE(Tillwick1->TreeView1->topLevelItem(0)->child(0)->text(0),
             QStringLiteral("AAPL - Apple - 1000 x 0 = 0"));

    app.restart();
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 1);
    QCOMPARE(Tillwick1->ClientDataSet1->value(QStringLiteral("Name")).toString(), QStringLiteral("Apple"));
}

void TestMainWindow::beforePostFigures_data()
{
    QTest::addColumn<double>("quantity");
    QTest::addColumn<double>("price");
    QTest::addColumn<QVariant>("aveCost");
    QTest::addColumn<double>("extension");
    QTest::addColumn<double>("difference");
    QTest::addColumn<double>("percent");
    QTest::addColumn<bool>("dated");
    QTest::newRow("gain") << 10.0 << 12.5 << QVariant(10.0) << 125.0 << 25.0 << 25.0 << true;
    QTest::newRow("no cost yet") << 10.0 << 0.0 << QVariant(0.0) << 0.0 << 0.0 << 0.0 << false;
    QTest::newRow("loss") << 4.0 << 5.0 << QVariant(10.0) << 20.0 << -20.0 << -50.0 << true;
    QTest::newRow("no average cost") << 3.0 << 2.0 << QVariant() << 6.0 << 0.0 << 0.0 << false;
}

void TestMainWindow::beforePostFigures()
{
    QFETCH(double, quantity);
    QFETCH(double, price);
    QFETCH(QVariant, aveCost);
    QFETCH(double, extension);
    QFETCH(double, difference);
    QFETCH(double, percent);
    QFETCH(bool, dated);
    AppSession app;
    seed(app, {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))}, {});
    clickAccountLine(0);
    TableStore *s = Tillwick1->ClientDataSet1;
    QVERIFY(s->append());
    const QDateTime created = s->value(QStringLiteral("LastUpdated")).toDateTime();
    QTest::qWait(5);
    QVERIFY(s->setValue(QStringLiteral("Symbol"), QStringLiteral("X")));
    QVERIFY(s->setValue(QStringLiteral("Quantity"), quantity));
    QVERIFY(s->setValue(QStringLiteral("Price"), price));
    QVERIFY(s->setValue(QStringLiteral("AveCost"), aveCost));
    QVERIFY(s->post());
    QCOMPARE(s->value(QStringLiteral("Extension")).toDouble(), extension);
    QCOMPARE(s->value(QStringLiteral("Difference")).toDouble(), difference);
    QCOMPARE(s->value(QStringLiteral("PercentDiff")).toDouble(), percent);
    QCOMPARE(s->value(QStringLiteral("LastUpdated")).toDateTime() != created, dated);
}

void TestMainWindow::sortButtonToggles()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))},
         {holding(QStringLiteral("100"), QStringLiteral("ZZ"), 1, 5, 1),
          holding(QStringLiteral("100"), QStringLiteral("AA"), 1, 9, 1)});
    Tillwick1->pmnuSortPrice->trigger();
    QCOMPARE(Tillwick1->ClientDataSet1->indexFieldNames(), QStringLiteral("AccountNo;Price"));
    QCOMPARE(cell(Tillwick1->StringGrid1, 0, 3), QStringLiteral("ZZ"));
    const QStringList expected{QStringLiteral("AccountNo;Name"),
                               QStringLiteral("AccountNo;Symbol"),
                               QStringLiteral("AccountNo;Name")};
    for (const QString &order : expected) {
        QTest::mouseClick(Tillwick1->TSortBtn, Qt::LeftButton);
        QCOMPARE(Tillwick1->ClientDataSet1->indexFieldNames(), order);
        QCOMPARE(Tillwick1->ClientDataSet6->indexFieldNames(), order);
    }
    QCOMPARE(cell(Tillwick1->StringGrid1, 0, 3), QStringLiteral("AA"));

    // Up on the first row and Down past the last change nothing.
    Tillwick1->ClientDataSet1->first();
    QTest::mouseClick(Tillwick1->TUpBtn, Qt::LeftButton);
    QCOMPARE(Tillwick1->ClientDataSet1->recNo(), 0);
    QTest::mouseClick(Tillwick1->TDwnBtn, Qt::LeftButton);
    QTest::mouseClick(Tillwick1->TDwnBtn, Qt::LeftButton);
    QCOMPARE(Tillwick1->ClientDataSet1->recNo(), 1);
}

void TestMainWindow::priceEditShowsDifferenceFromLastQuote()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))},
         {holding(QStringLiteral("100"), QStringLiteral("IBM"), 5, 10, 8)});
    StringGrid *grid = Tillwick1->StringGrid1;
    editCell(grid, 0, 6, QStringLiteral("12"));
    QCOMPARE(Tillwick1->WKTOTAL1, 50.0);
    QCOMPARE(Tillwick1->WKTOTAL2, 60.0);
    QVERIFY2(Tillwick1->Label11->text().endsWith(QStringLiteral("Difference from Last Quote:   10.0000")),
             qPrintable(Tillwick1->Label11->text()));
    QCOMPARE(cell(grid, 0, 7), QStringLiteral("60"));
    QVERIFY(Tillwick1->SAVETOFILE_FLG);
    app.restart(); // the edited holding is written when the window closes
    QCOMPARE(Tillwick1->ClientDataSet1->value(QStringLiteral("Price")).toDouble(), 12.0);
}

void TestMainWindow::accountTotals_data()
{
    QTest::addColumn<QList<QVariantMap>>("holdings");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("two holdings")
            << QList<QVariantMap>{holding(QStringLiteral("100"), QStringLiteral("A"), 10, 100, 80),
                                  holding(QStringLiteral("100"), QStringLiteral("B"), 10, 50, 60)}
            << QStringList{QStringLiteral("Total: 1,500.0000"),
                           QStringLiteral("Cost Difference: 100.0000"),
                           QStringLiteral(
                                   "Percent: 6.6667                 Difference from Last Quote:   0.0000")};
    QTest::newRow("total of zero")
            << QList<QVariantMap>{holding(QStringLiteral("100"), QStringLiteral("A"), 10, 0, 5)}
            << QStringList{QStringLiteral("Total: 0.0000"),
                           QStringLiteral("Cost Difference: -50.0000"),
                           QStringLiteral(
                                   "Percent: 0.0000                 Difference from Last Quote:   0.0000")};
}

void TestMainWindow::accountTotals()
{
    QFETCH(QList<QVariantMap>, holdings);
    QFETCH(QStringList, labels);
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A")),
          account(QStringLiteral("200"), QStringLiteral("Empty"), QStringLiteral("B"))},
         holdings);
    clickAccountLine(0);
    QCOMPARE(QStringList({Tillwick1->Label5->text(), Tillwick1->Label10->text(), Tillwick1->Label11->text()}),
             labels);
    QVERIFY(Tillwick1->Label5->isVisible());
    // An account without holdings leaves the labels as they were.
    clickAccountLine(1);
    QCOMPARE(Tillwick1->Label5->text(), labels.first());
    app.stop();
    TableStore accounts(accountFields());
    accounts.setFileName(app.dataPath(QStringLiteral("Accounts.cds")));
    QVERIFY(accounts.open());
    QVERIFY(accounts.locate(QStringLiteral("AccountNo"), QStringLiteral("100")));
    QCOMPARE(QStringLiteral("Total: %1").arg(accounts.value(QStringLiteral("Total")).toDouble()),
             labels.first().remove(QLatin1Char(',')).remove(QStringLiteral(".0000")));
}

void TestMainWindow::totalsOverAllAccounts()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"), 1400),
          account(QStringLiteral("200"), QStringLiteral("Broker"), QStringLiteral("B"), 2500)},
         {holding(QStringLiteral("100"), QStringLiteral("A"), 10, 150, 100)});
    clickAccountLine(0); // its total becomes 1500
    QTest::mouseClick(Tillwick1->TTotalBtn, Qt::LeftButton);
    QCOMPARE(Tillwick1->Label5->text(), QStringLiteral("Total and Net Total:"));
    QCOMPARE(Tillwick1->Label10->text(), QStringLiteral("Total: 4,000.0000"));
    QCOMPARE(Tillwick1->Label11->text(),
             QStringLiteral("Difference: 500.0000                                       Difference Since App "
                            "Start: 100.0000"));
}

void TestMainWindow::deleteHoldingAsksFirst()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))},
         {holding(QStringLiteral("100"), QStringLiteral("IBM"), 2, 150, 160),
          holding(QStringLiteral("100"), QStringLiteral("T"), 2, 20, 16)});
    Tillwick1->ClientDataSet1->first();
    answerConfirmation(false);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(MessageWin1->Label1->text(),
             QStringLiteral("Do You want to Delete: IBM - IBM Inc from the Stock List ?"));
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 2);
    answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TDelBtn, Qt::LeftButton);
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 1);

    answerConfirmation(true);
    Tillwick1->pmnuDeleteAll1->trigger();
    QCOMPARE(MessageWin1->Label1->text(),
             QStringLiteral("Do You want to Delete All Stocks from: 100 in the Account ?"));
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 0);
    app.restart(); // deleting all is written with the table's next write, here at the end
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 0);
}

void TestMainWindow::saveOnQuotesTab()
{
    AppSession app;
    seed(app, {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))}, {});
    clickAccountLine(0);
    TableStore *s = Tillwick1->ClientDataSet1;
    QVERIFY(s->append());
    answerConfirmation(true);
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    QCOMPARE(MessageWin1->Label1->text(),
             QStringLiteral("You cannot Save a Stock Entry without a Valid Symbol."));
    QCOMPARE(s->state(), TableStore::State::Insert);

    QVERIFY(s->setValue(QStringLiteral("Symbol"), QStringLiteral("IBM")));
    QVERIFY(s->setValue(QStringLiteral("Name"), QStringLiteral("International Business Machines")));
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    QCOMPARE(s->state(), TableStore::State::Browse);
    QCOMPARE(s->value(QStringLiteral("Name")).toString(), QStringLiteral("International Business Machines"));

    QVERIFY(s->append());
    QVERIFY(s->setValue(QStringLiteral("Symbol"), QStringLiteral("T")));
    QTest::mouseClick(Tillwick1->TSaveBtn, Qt::LeftButton);
    QVERIFY(s->locate(QStringLiteral("Symbol"), QStringLiteral("T")));
    QCOMPARE(s->value(QStringLiteral("Name")).toString(), QStringLiteral("T"));
    QCOMPARE(Tillwick1->WKTRANSACTION, QStringLiteral("Chart"));
}

void TestMainWindow::refusedCellEditKeepsTheValue()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))},
         {holding(QStringLiteral("100"), QStringLiteral("IBM"), 5, 10, 8)});
    MessageBox::setNextAnswer(QMessageBox::Ok);
    editCell(Tillwick1->StringGrid1, 0, 5, QStringLiteral("12,5x"));
    QVERIFY(MessageBox::lastText().contains(QStringLiteral("125x"))
            || MessageBox::lastText().contains(QStringLiteral("12,5x")));
    QCOMPARE(Tillwick1->ClientDataSet1->value(QStringLiteral("Quantity")).toDouble(), 5.0);
}

void TestMainWindow::purchasesTabDisablesEditButtonsWithoutHoldings()
{
    AppSession app;
    seed(app,
         {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A")),
          account(QStringLiteral("200"), QStringLiteral("Broker"), QStringLiteral("B"))},
         {holding(QStringLiteral("100"), QStringLiteral("IBM"), 5, 10, 8)});
    clickAccountLine(1);
    Tillwick1->TabControl1->setCurrentIndex(1);
    for (QPushButton *b : {Tillwick1->TSaveBtn,
                           Tillwick1->TAddRowBtn,
                           Tillwick1->TDelBtn,
                           Tillwick1->TSortBtn,
                           Tillwick1->TSinglQtBtn,
                           Tillwick1->TAllQtBtn})
        QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
    QVERIFY(Tillwick1->TQuoteBtn->isEnabled());
    Tillwick1->TabControl1->setCurrentIndex(0);
    QVERIFY(Tillwick1->TSaveBtn->isEnabled());
    QVERIFY(Tillwick1->TAddRowBtn->isEnabled());
}

void TestMainWindow::menuButtonOpensMenuAndPanel()
{
    AppSession app;
    seed(app, {account(QStringLiteral("100"), QStringLiteral("Bank"), QStringLiteral("A"))}, {});
    clickAccountLine(0);
    QCOMPARE(Tillwick1->FOCUSEDCONTROL, QStringLiteral("TreeView1"));
    QTest::mouseClick(Tillwick1->TMenuBtn, Qt::LeftButton);
    QTRY_VERIFY(Tillwick1->PopupMenu1->isVisible());
    QCOMPARE(Tillwick1->PopupMenu1->pos(), QPoint(150, 150));
    Tillwick1->PopupMenu1->close();
    QVERIFY(Tillwick1->Panel6->isVisible());
    QCOMPARE(Tillwick1->Panel6->property("tag").toInt(), 1);
    // Leaving the tab hides the panel; coming back shows it again.
    Tillwick1->TabControl1->setCurrentIndex(3);
    Tillwick1->TabControl1->setCurrentIndex(0);
    QVERIFY(Tillwick1->Panel6->isVisible());
    // Dropped on the holdings grid, the panel moves there.
    StringGrid *grid = Tillwick1->StringGrid1;
    Tillwick1->StringGrid1DragDrop(Tillwick1->Panel6, QPoint(30, 40));
    QCOMPARE(Tillwick1->Panel6->pos(), grid->viewport()->mapTo(Tillwick1->TabItem1, QPoint(30, 40)));
}

void TestMainWindow::confirmationClosedByTitleBarIsCancel()
{
    AppSession app;
    QTimer::singleShot(50, MessageWin1, [] { MessageWin1->close(); });
    QVERIFY(!Tillwick1->confirm(QStringLiteral("Sure?")));
    QVERIFY(Tillwick1->CANCEL_FLG);
    answerConfirmation(true);
    QVERIFY(Tillwick1->confirm(QStringLiteral("Sure?")));
    QVERIFY(!Tillwick1->CANCEL_FLG);
    QCOMPARE(MessageWin1->pos(), Tillwick1->pos());
}

void TestMainWindow::geometryIsKeptFromTheSecondRun()
{
    AppSession app;
    app.restart(); // the first run wrote an empty options file
    Tillwick1->setGeometry(40, 60, 1100, 600);
    const QRect placed = Tillwick1->geometry();
    app.stop();
    TableStore options(optionsFields());
    options.setFileName(app.dataPath(QStringLiteral("Options.cds")));
    QVERIFY(options.open());
    QCOMPARE(options.recordCount(), 1);
    QCOMPARE(options.value(QStringLiteral("Width")).toInt(), placed.width());
    QCOMPARE(options.value(QStringLiteral("Height")).toInt(), placed.height());
    QVERIFY(options.value(QStringLiteral("Style")).isNull());
}

void TestMainWindow::unreadableAccountsFileIsToldAndKept()
{
    AppSession app;
    app.stop();
    QFile garbage(app.dataPath(QStringLiteral("Accounts.cds")));
    QVERIFY(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    MessageBox::setNextAnswer(QMessageBox::Ok); // a second box would wait for a person
    app.start();
    QVERIFY2(MessageBox::lastText().contains(QStringLiteral("Accounts.cds")),
             qPrintable(MessageBox::lastText()));
    QCOMPARE(topLines(), QStringList{QStringLiteral("New Account")});
    QTest::keyClicks(Tillwick1->Edit1, QStringLiteral("100"));
    QTest::mouseClick(Tillwick1->PSaveBtn, Qt::LeftButton);
    app.stop();
    QVERIFY(garbage.open(QIODevice::ReadOnly));
    QCOMPARE(garbage.readAll(), QByteArray(4096, 'x'));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
