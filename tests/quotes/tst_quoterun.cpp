// Quote runs against a quote site on loopback: prices found or not, STOP, All Quotes, the
// automatic quote on a clock of the test's own, the single quote, hostile servers, names, markers.
#include "app/MessageBox.h"
#include "app/Tillwick.h"
#include "app/Windows.h"
#include "binding/StringGrid.h"
#include "data/TableStore.h"
#include "quotes/HttpClient.h"
#include "quotes/Rename.h"
#include "support/AppSession.h"
#include "support/LoopbackHttpServer.h"
#include "support/Records.h"
#include "support/WindowDriver.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

namespace {
const QString kBank = QStringLiteral("100");

QByteArray markerPage(const QByteArray &price)
{
    return "<html><body><div class=\"q\" data-last-price=\"" + price
           + "\" data-x=\"1\">quote</div></body></html>";
}

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TILLWICK_FIXTURES_DIR "/") + QLatin1String(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray page(const char *symbolAndSuffix)
{
    return QByteArray("/finance/quote/") + symbolAndSuffix;
}

QVariantMap holdingOf(TableStore *store, const QString &account, const QString &symbol)
{
    for (int row = 0; row < store->rowsShown(); ++row) {
        if (store->valueAt(row, store->fieldIndex(u"AccountNo")).toString() == account
            && store->valueAt(row, store->fieldIndex(u"Symbol")).toString() == symbol) {
            QVariantMap values;
            for (const char *field : {"Quantity", "Price", "Extension", "PercentDiff", "LastUpdated", "Name"})
                values.insert(QLatin1String(field),
                              store->valueAt(row, store->fieldIndex(QString::fromLatin1(field))));
            return values;
        }
    }
    return {};
}

double priceOf(const QString &symbol, const QString &account = kBank)
{
    return holdingOf(Tillwick1->ClientDataSet1, account, symbol).value(QStringLiteral("Price")).toDouble();
}

// Clicks the button when the server has been asked for target, from the event loop of the run.
// Runs action from the event loop of the program's run once the server has been asked for target,
// or for anything when target is empty.
void whenAsked(LoopbackHttpServer &server, const QByteArray &target, std::function<void()> action)
{
    auto *timer = new QTimer(&server);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [&server, target, action, timer] {
        const QList<QByteArray> asked = server.requestedTargets();
        if (target.isEmpty() ? asked.isEmpty() : !asked.contains(target))
            return;
        timer->stop();
        action();
    });
    timer->start();
}

int historyRows()
{
    TableStore *h = Tillwick1->ClientDataSet3;
    h->setFilter(QString());
    return h->recordCount();
}
} // namespace

class TestQuoteRun : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void walksTheSuffixes();
    void priceTexts_data();
    void priceTexts();
    void quantityAndPercentRules();
    void averageCostsFirstWhenChosen();
    void stopFinishesTheHoldingInHand();
    void maximizedWindowComesBackNormal();
    void allQuotesOverThreeAccounts();
    void automaticQuoteCountsFromTheEndOfTheLastRun();
    void singleQuote();
    void hostileServers_data();
    void hostileServers();
    void untrustedCertificate();
    void holdingsMenuRefusedDuringARun();
    void names_data();
    void names();
    void noQuotesWhileNamesAreFetched();
    void markersAtStart_data();
    void markersAtStart();

private:
    void startOn(AppSession &app, const QList<QVariantMap> &holdings);
    // Names come from the test's server, answering as the name service does.
    void useNameService();
    LoopbackHttpServer *m_server = nullptr;
};

void TestQuoteRun::init()
{
    MessageBox::setNextAnswer(QMessageBox::NoButton);
    m_server = new LoopbackHttpServer;
    qputenv("TILLWICK_QUOTE_URL", m_server->baseUrl().toString().toUtf8());
}

void TestQuoteRun::cleanup()
{
    qputenv("TILLWICK_QUOTE_URL", "http://127.0.0.1:9");
    qunsetenv("TILLWICK_NAME_URL");
    qunsetenv("TILLWICK_NAME_TOKEN");
    qunsetenv("TILLWICK_MARKER_URL");
    delete m_server;
    m_server = nullptr;
}

void TestQuoteRun::useNameService()
{
    qputenv("TILLWICK_NAME_URL", m_server->baseUrl().toString().toUtf8());
    qputenv("TILLWICK_NAME_TOKEN", "pk_0123456789abcdef0123456789abcdef");
}

void TestQuoteRun::startOn(AppSession &app, const QList<QVariantMap> &holdings)
{
    seedAndStart(app,
                 {{accountRecord(kBank, QStringLiteral("Bank"), QStringLiteral("A"))}, holdings, {}, {}});
    clickAccountLine(0);
    m_server->clearRecord();
}

void TestQuoteRun::walksTheSuffixes()
{
    AppSession app;
    startOn(app, {holdingRecord(kBank, QStringLiteral("MSFT"), 10, 300, 250)});
    m_server->answer(page("msft:NYSE"), 200, "<html>no quote here</html>");
    m_server->answer(page("msft:NASDAQ"), 200, markerPage("420.5"));
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);

    QCOMPARE(m_server->requestedTargets(), QList<QByteArray>({page("msft:NYSE"), page("msft:NASDAQ")}));
    QCOMPARE(priceOf(QStringLiteral("MSFT")), 420.5);
    QCOMPARE(Tillwick1->TQuoteBtn->text(), QStringLiteral("Quote"));
    QVERIFY(Tillwick1->TNewBtn->isEnabled());
    QVERIFY(!Tillwick1->Label20->isVisible());
    QVERIFY2(Tillwick1->Label11->text().endsWith(QStringLiteral("              Running Total:   4,205.0000")),
             qPrintable(Tillwick1->Label11->text()));
    QCOMPARE(Tillwick1->WKTOTAL1, 3000.0);
    QCOMPARE(Tillwick1->WKTOTAL2, 4205.0);
    QCOMPARE(Tillwick1->TreeView1->topLevelItem(0)->child(0)->text(0),
             QStringLiteral("MSFT - MSFT Inc - 10 x 420.5 = 4205"));
    QCOMPARE(historyRows(), 1);
    QCOMPARE(Tillwick1->ClientDataSet3->value(QStringLiteral("TranType")).toString(),
             QStringLiteral("Chart"));
    QCOMPARE(Tillwick1->ClientDataSet3->value(QStringLiteral("Price")).toDouble(), 420.5);

    app.restart(); // Summary.cds was written by the run
    QCOMPARE(priceOf(QStringLiteral("MSFT")), 420.5);
}

void TestQuoteRun::priceTexts_data()
{
    QTest::addColumn<QByteArray>("nyse"); // what the first suffix's page says; empty: 404
    QTest::addColumn<double>("price");    // the price afterwards
    QTest::addColumn<int>("requests");

    QTest::newRow("grouped") << markerPage("2,345.67") << 2345.67 << 1;
    QTest::newRow("whole number") << markerPage("42") << 42.0 << 1;
    QTest::newRow("too long for the window") << markerPage("12345678901.") << 150.0 << 1;
    QTest::newRow("zero keeps the price") << markerPage("0") << 150.0 << 1;
    QTest::newRow("no number keeps the price") << markerPage("n/a") << 150.0 << 1;
    QTest::newRow("404 ends the lookup") << QByteArray() << 150.0 << 1;
    QTest::newRow("2026 data array") << fixture("gf_quote_2026_fragments.html") << 310.89 << 1;
}

void TestQuoteRun::priceTexts()
{
    QFETCH(QByteArray, nyse);
    QFETCH(double, price);
    QFETCH(int, requests);
    AppSession app;
    startOn(app, {holdingRecord(kBank, QStringLiteral("JPM"), 2, 150, 100)});
    if (!nyse.isEmpty())
        m_server->answer(page("jpm:NYSE"), 200, nyse);
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);
    QCOMPARE(m_server->requestedTargets().size(), requests);
    QCOMPARE(priceOf(QStringLiteral("JPM")), price);
}

void TestQuoteRun::quantityAndPercentRules()
{
    AppSession app;
    QVariantMap blank = holdingRecord(kBank, QStringLiteral("AAPL"), 0, 100, 90);
    blank.remove(QStringLiteral("Quantity"));
    QVariantMap noCost = holdingRecord(kBank, QStringLiteral("PETR4"), 5, 40, 0);
    noCost.insert(QStringLiteral("PercentDiff"), 12.5);
    const QDateTime stamp(QDate(2024, 1, 2), QTime(3, 4, 5));
    noCost.insert(QStringLiteral("LastUpdated"), stamp);
    startOn(app, {blank, noCost});
    // Today's page needs the second suffix; the old page carries the marker.
    const QByteArray today = fixture("gf_quote_2026_fragments.html");
    m_server->answer(page("aapl:NYSE"), 200, today);
    m_server->answer(page("aapl:NASDAQ"), 200, today);
    m_server->answer(page("petr4:NYSE"), 200, fixture("gf_quote_PETR4.html"));
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);

    const QVariantMap apple = holdingOf(Tillwick1->ClientDataSet1, kBank, QStringLiteral("AAPL"));
    QCOMPARE(apple.value(QStringLiteral("Price")).toDouble(), 311.23);
    QCOMPARE(apple.value(QStringLiteral("Quantity")), QVariant(0.0));
    QCOMPARE(apple.value(QStringLiteral("Extension")).toDouble(), 0.0);
    QCOMPARE(apple.value(QStringLiteral("PercentDiff")).toDouble(), 0.0);
    const QVariantMap petro = holdingOf(Tillwick1->ClientDataSet1, kBank, QStringLiteral("PETR4"));
    QCOMPARE(petro.value(QStringLiteral("Price")).toDouble(), 47.37);
    QCOMPARE(petro.value(QStringLiteral("PercentDiff")).toDouble(), 0.0);
    QCOMPARE(petro.value(QStringLiteral("LastUpdated")).toDateTime(), stamp);
}

void TestQuoteRun::averageCostsFirstWhenChosen()
{
    AppSession app;
    seedAndStart(app,
                 {{accountRecord(kBank, QStringLiteral("Bank"), QStringLiteral("A"))},
                  {holdingRecord(kBank, QStringLiteral("IBM"), 5, 10, 1)},
                  {transactionRecord(kBank, QStringLiteral("IBM"), QStringLiteral("Purchase"), 10, 10),
                   transactionRecord(kBank, QStringLiteral("IBM"), QStringLiteral("Purchase"), 10, 20)},
                  {}});
    clickAccountLine(0);
    m_server->answer(page("ibm:NYSE"), 200, markerPage("30"));
    Tillwick1->CHKAVCST->setChecked(true);
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);
    const QVariantMap ibm = holdingOf(Tillwick1->ClientDataSet1, kBank, QStringLiteral("IBM"));
    QCOMPARE(ibm.value(QStringLiteral("Quantity")).toDouble(), 20.0); // from the transactions
    QCOMPARE(ibm.value(QStringLiteral("Price")).toDouble(), 30.0);
    QCOMPARE(ibm.value(QStringLiteral("Extension")).toDouble(), 600.0);
    QCOMPARE(Tillwick1->SKIP_FLG, false);
    TableStore *h = Tillwick1->ClientDataSet3;
    h->last();
    QCOMPARE(h->value(QStringLiteral("AveCost")).toDouble(), 15.0);
}

void TestQuoteRun::stopFinishesTheHoldingInHand()
{
    AppSession app;
    QList<QVariantMap> holdings;
    const QStringList symbols{"A", "B", "C", "D", "E"};
    for (const QString &symbol : symbols) {
        holdings << holdingRecord(kBank, symbol, 1, 10, 10);
        LoopbackHttpServer::Route route;
        route.body = markerPage("20");
        route.delayMs = 100;
        m_server->setRoute(page(symbol.toLower().toLatin1() + ":NYSE"), route);
    }
    startOn(app, holdings);
    Tillwick1->setQuoteConcurrency(1); // so "the third holding" is the third page asked for
    whenAsked(*m_server, page("c:NYSE"), [] { Tillwick1->TQuoteBtn->click(); });
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);

    for (const char *done : {"A", "B", "C"})
        QCOMPARE(priceOf(QLatin1String(done)), 20.0);
    for (const char *left : {"D", "E"})
        QCOMPARE(priceOf(QLatin1String(left)), 10.0);
    QVERIFY(!m_server->requestedTargets().contains(page("d:NYSE")));
    QCOMPARE(Tillwick1->CANCEL_FLG, false);
    QCOMPARE(Tillwick1->TQuoteBtn->text(), QStringLiteral("Quote"));
    app.restart(); // the stopped run still wrote what it had
    QCOMPARE(priceOf(QStringLiteral("C")), 20.0);
}

void TestQuoteRun::maximizedWindowComesBackNormal()
{
    AppSession app;
    startOn(app, {holdingRecord(kBank, QStringLiteral("IBM"), 1, 10, 10)});
    Tillwick1->showMaximized();
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);
    QVERIFY(!Tillwick1->isMaximized());
}

void TestQuoteRun::allQuotesOverThreeAccounts()
{
    AppSession app;
    const QStringList accounts{"100", "200", "300"};
    QList<QVariantMap> accountRows;
    QList<QVariantMap> holdings;
    for (int i = 0; i < accounts.size(); ++i) {
        accountRows << accountRecord(accounts[i], QStringLiteral("Account"), QString::number(i));
        const QString symbol = QStringLiteral("S") + QString::number(i);
        holdings << holdingRecord(accounts[i], symbol, 10, 1, 1);
        LoopbackHttpServer::Route route;
        route.body = markerPage(QByteArray::number(i + 2));
        route.delayMs = i == 2 ? 200 : 0;
        m_server->setRoute(page(symbol.toLower().toLatin1() + ":NYSE"), route);
    }
    seedAndStart(app, {accountRows, holdings, {}, {}});
    // While the last account is quoted, the first two runs' history is still unwritten.
    int historyOnDiskDuringLastRun = -1;
    whenAsked(*m_server, page("s2:NYSE"), [&app, &historyOnDiskDuringLastRun] {
        historyOnDiskDuringLastRun = int(
                readTable(app.dataPath(QStringLiteral("History.cds")), QStringLiteral("History.cds")).size());
    });
    QTest::mouseClick(Tillwick1->TAllQtBtn, Qt::LeftButton);

    QCOMPARE(historyOnDiskDuringLastRun, 0);
    QCOMPARE(Tillwick1->CURRENT_ACCOUNT, QStringLiteral("300"));
    Tillwick1->ClientDataSet1->setFilter(QString());
    for (int i = 0; i < accounts.size(); ++i)
        QCOMPARE(priceOf(QStringLiteral("S") + QString::number(i), accounts[i]), double(i + 2));
    QVERIFY2(Tillwick1->Label11->text().endsWith(QStringLiteral("Running Total:   90.0000")),
             qPrintable(Tillwick1->Label11->text()));
    QCOMPARE(Tillwick1->ALLQUOTES_FLG, false);
    app.restart();
    QCOMPARE(historyRows(), 3);
}

void TestQuoteRun::automaticQuoteCountsFromTheEndOfTheLastRun()
{
    AppSession app;
    startOn(app, {holdingRecord(kBank, QStringLiteral("IBM"), 1, 10, 10)});
    m_server->answer(page("ibm:NYSE"), 200, markerPage("11"));
    QDateTime now(QDate(2026, 1, 5), QTime(10, 0, 0));
    Tillwick1->setClock([&now] { return now; });
    Tillwick1->USE_TIMER_FLG = true;
    Tillwick1->TIMER_INTERVAL = 60;
    const auto tickAt = [&now](int second) {
        now = QDateTime(QDate(2026, 1, 5), QTime(10, 0, 0)).addSecs(second);
        Tillwick1->Timer1Timer();
    };

    tickAt(0); // arms
    tickAt(60);
    QCOMPARE(m_server->requestedTargets().size(), 0);
    tickAt(61);
    QCOMPARE(m_server->requestedTargets().size(), 1);
    tickAt(70); // arms again after the run
    tickAt(130);
    QCOMPARE(m_server->requestedTargets().size(), 1);
    Tillwick1->setRetrievingNames(true); // no run while names are fetched
    tickAt(131);
    QCOMPARE(m_server->requestedTargets().size(), 1);
    Tillwick1->setRetrievingNames(false);
    tickAt(132);
    QCOMPARE(m_server->requestedTargets().size(), 2);
    QCOMPARE(priceOf(QStringLiteral("IBM")), 11.0);
}

void TestQuoteRun::singleQuote()
{
    AppSession app;
    startOn(app,
            {holdingRecord(kBank, QStringLiteral("IBM"), 2, 10, 10),
             holdingRecord(kBank, QStringLiteral("T"), 3, 20, 10)});
    m_server->answer(page("ibm:NYSE"), 200, markerPage("0"));
    m_server->answer(page("t:NYSE"), 200, markerPage("25"));

    Tillwick1->StringGrid1->setCurrentIndex({});
    QTest::mouseClick(Tillwick1->TSinglQtBtn, Qt::LeftButton);
    QCOMPARE(m_server->requestedTargets().size(), 0);

    clickGridRow(Tillwick1->StringGrid1, 0);
    QTest::mouseClick(Tillwick1->TSinglQtBtn, Qt::LeftButton);
    QCOMPARE(priceOf(QStringLiteral("IBM")), 10.0);

    clickGridRow(Tillwick1->StringGrid1, 1);
    QTest::mouseClick(Tillwick1->TSinglQtBtn, Qt::LeftButton);
    QCOMPARE(priceOf(QStringLiteral("T")), 25.0);
    QCOMPARE(Tillwick1->WKTOTAL1, 60.0);
    QCOMPARE(Tillwick1->WKTOTAL2, 75.0);
    QCOMPARE(historyRows(), 2);
}

void TestQuoteRun::hostileServers_data()
{
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<int>("status");
    QTest::newRow("500 on every suffix") << int(LoopbackHttpServer::Behaviour::Answer) << 500;
    QTest::newRow("garbage bytes") << int(LoopbackHttpServer::Behaviour::Garbage) << 200;
    QTest::newRow("50 MB body") << int(LoopbackHttpServer::Behaviour::HugeBody) << 200;
    QTest::newRow("never answers") << int(LoopbackHttpServer::Behaviour::Silent) << 200;
    QTest::newRow("a byte a second") << int(LoopbackHttpServer::Behaviour::Drip) << 200;
    QTest::newRow("redirect loop") << -1 << 302;
}

void TestQuoteRun::hostileServers()
{
    QFETCH(int, behaviour);
    QFETCH(int, status);
    AppSession app;
    startOn(app, {holdingRecord(kBank, QStringLiteral("IBM"), 2, 10, 10)});
    Tillwick1->NetHTTP1->setConnectTimeout(1000);
    Tillwick1->NetHTTP1->setTotalTimeout(1500);
    for (const char *suffix : {"NYSE", "NASDAQ", "MUTF", "NYSEARCA", "NYSEAMERICAN"}) {
        const QByteArray target = page("ibm:") + suffix;
        if (behaviour < 0) {
            m_server->redirect(target, target);
            continue;
        }
        LoopbackHttpServer::Route route;
        route.status = status;
        route.body = markerPage("99");
        route.behaviour = LoopbackHttpServer::Behaviour(behaviour);
        if (status == 500)
            route.body = "<html>Internal Server Error</html>";
        m_server->setRoute(target, route);
    }
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, &ticker, [&ticks] { ++ticks; });
    ticker.start(20);
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);

    QCOMPARE(priceOf(QStringLiteral("IBM")), 10.0);
    QCOMPARE(Tillwick1->TQuoteBtn->text(), QStringLiteral("Quote"));
    QVERIFY(Tillwick1->TreeView1->isEnabled());
    if (behaviour == int(LoopbackHttpServer::Behaviour::Silent)
        || behaviour == int(LoopbackHttpServer::Behaviour::Drip))
        QVERIFY2(ticks > 0, "the window waited without handling its events");
}

void TestQuoteRun::untrustedCertificate()
{
    LoopbackHttpServer tls(LoopbackHttpServer::Transport::Tls);
    tls.answer(page("ibm:NYSE"), 200, markerPage("99"));
    qputenv("TILLWICK_QUOTE_URL", tls.baseUrl().toString().toUtf8());
    AppSession app;
    startOn(app, {holdingRecord(kBank, QStringLiteral("IBM"), 2, 10, 10)});
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);
    QCOMPARE(priceOf(QStringLiteral("IBM")), 10.0);
    QVERIFY(Tillwick1->LRESPONSE.ok == false);
}

void TestQuoteRun::holdingsMenuRefusedDuringARun()
{
    AppSession app;
    startOn(app,
            {holdingRecord(kBank, QStringLiteral("IBM"), 2, 10, 10),
             holdingRecord(kBank, QStringLiteral("T"), 3, 20, 10)});
    LoopbackHttpServer::Route slow;
    slow.body = markerPage("11");
    slow.delayMs = 150;
    m_server->setRoute(page("ibm:NYSE"), slow);
    whenAsked(*m_server, {}, [] {
        Tillwick1->pmnuDeleteAll1->trigger();
        Tillwick1->pmnuDelete1->trigger();
        Tillwick1->pmnuSortPrice->trigger();
        Tillwick1->pmnuAddRow->trigger();
    });
    QTest::mouseClick(Tillwick1->TQuoteBtn, Qt::LeftButton);
    QCOMPARE(Tillwick1->ClientDataSet1->recordCount(), 2);
    QCOMPARE(Tillwick1->ClientDataSet1->indexFieldNames(), QStringLiteral("AccountNo;Symbol"));
    QCOMPARE(priceOf(QStringLiteral("IBM")), 11.0);
}

void TestQuoteRun::names_data()
{
    QTest::addColumn<bool>("service");
    QTest::addColumn<bool>("allNames");
    QTest::addColumn<QStringList>("names"); // of AAPL, JPM (named "Old") afterwards
    QTest::addColumn<int>("requests");

    QTest::newRow("service, blank names only") << true << false << QStringList{"Apple Inc", "Old"} << 1;
    QTest::newRow("service, all names") << true << true << QStringList{"Apple Inc", "Old"} << 3;
    QTest::newRow("quote pages, all names")
            << false << true << QStringList{"Apple Inc", "JPMorgan Chase & Co"} << 3;
}

void TestQuoteRun::names()
{
    QFETCH(bool, service);
    QFETCH(bool, allNames);
    QFETCH(QStringList, names);
    QFETCH(int, requests);
    if (service) {
        useNameService();
    }
    QVariantMap apple = holdingRecord(kBank, QStringLiteral("AAPL"), 1, 1, 1);
    apple.insert(QStringLiteral("Name"), QString());
    QVariantMap chase = holdingRecord(kBank, QStringLiteral("JPM"), 1, 1, 1);
    chase.insert(QStringLiteral("Name"), QStringLiteral("Old"));
    AppSession app;
    startOn(app, {chase, apple});
    m_server->answer("/beta/stock/AAPL/quote", 200, fixture("iex_quote_AAPL.json"), "application/json");
    m_server->answer("/beta/stock/JPM/quote", 500, "{}", "application/json"); // fails twice
    const QByteArray today = fixture("gf_quote_2026_fragments.html");
    for (const char *target : {"aapl:NYSE", "aapl:NASDAQ", "jpm:NYSE"})
        m_server->answer(page(target), 200, today);

    Tillwick1->TRenameBtnClick();
    QVERIFY(ReName1->isVisible());
    (allNames ? ReName1->RDName2 : ReName1->RDName1)->setChecked(true);
    QTest::mouseClick(ReName1->OKBtn, Qt::LeftButton);

    TableStore *s = Tillwick1->ClientDataSet1;
    QCOMPARE(holdingOf(s, kBank, QStringLiteral("AAPL")).value(QStringLiteral("Name")).toString(), names[0]);
    QCOMPARE(holdingOf(s, kBank, QStringLiteral("JPM")).value(QStringLiteral("Name")).toString(), names[1]);
    QCOMPARE(m_server->requestedTargets().size(), requests);
    QCOMPARE(s->indexFieldNames(), QStringLiteral("ID"));
    QVERIFY(Tillwick1->TQuoteBtn->isEnabled());
    QTest::mouseClick(ReName1->CloseBtn, Qt::LeftButton);
    QVERIFY(!ReName1->isVisible());
}

void TestQuoteRun::noQuotesWhileNamesAreFetched()
{
    useNameService();
    QVariantMap apple = holdingRecord(kBank, QStringLiteral("AAPL"), 1, 1, 1);
    apple.insert(QStringLiteral("Name"), QString());
    AppSession app;
    startOn(app, {apple});
    LoopbackHttpServer::Route slow;
    slow.body = fixture("iex_quote_AAPL.json");
    slow.delayMs = 150;
    m_server->setRoute("/beta/stock/AAPL/quote", slow);
    whenAsked(*m_server, {}, [] {
        clickGridRow(Tillwick1->StringGrid1, 0);
        Tillwick1->TAllQtBtn->click();
        Tillwick1->TSinglQtBtn->click();
    });
    Tillwick1->TRenameBtnClick();
    QTest::mouseClick(ReName1->OKBtn, Qt::LeftButton);
    QCOMPARE(m_server->requestedTargets().size(), 1); // the name only, no quote page
    QCOMPARE(
            holdingOf(Tillwick1->ClientDataSet1, kBank, QStringLiteral("AAPL")).value(QStringLiteral("Name")),
            QVariant(QStringLiteral("Apple Inc")));
}

void TestQuoteRun::markersAtStart_data()
{
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<QStringList>("markers");
    QTest::newRow("from the marker file") << true << QStringList{"before", "\"", "fund ", "<"};
    QTest::newRow("unreachable: defaults")
            << false << QStringList{"range-current", "\"", "data-pricehint=\"2\" value=", "\""};
}

void TestQuoteRun::markersAtStart()
{
    QFETCH(bool, reachable);
    QFETCH(QStringList, markers);
    m_server->answer("/download/SrchCode.ini", 200, "before@#\"@#fund @#<@#\r\n", "text/plain");
    qputenv("TILLWICK_MARKER_URL",
            reachable ? m_server->url("/download/SrchCode.ini").toString().toUtf8()
                      : QByteArray("http://127.0.0.1:9/download/SrchCode.ini"));
    AppSession app;
    QCOMPARE(QStringList({Tillwick1->SRCHSTCK1,
                          Tillwick1->SRCHSTCK2,
                          Tillwick1->SRCHMUTFD1,
                          Tillwick1->SRCHMUTFD2}),
             markers);
}

QTEST_MAIN(TestQuoteRun)
#include "tst_quoterun.moc"
