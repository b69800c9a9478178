// The walk through the exchange suffixes, the prefetching of a run and the name lookups.
#include "quotes/NameLookup.h"
#include "quotes/PriceLookup.h"
#include "quotes/QuotePrefetcher.h"
#include "quotes/ServiceUrls.h"
#include "support/LoopbackHttpServer.h"

#include <QFile>
#include <QNetworkProxy>
#include <QTest>

#include <algorithm>

using Behaviour = LoopbackHttpServer::Behaviour;

namespace {

QByteArray fixture(const char *name)
{
    QFile file(QStringLiteral(TILLWICK_FIXTURES_DIR "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return file.readAll();
}

const QByteArray kNoQuote = "<html><title>Google Finance</title><body>No quote here</body></html>";

QByteArray markerPage(const QByteArray &price)
{
    return "<div data-exchange=\"X\" data-last-price=\"" + price + "\" data-tz=0></div>";
}

QByteArray quotePath(const QByteArray &symbol, const QByteArray &suffix)
{
    return "/finance/quote/" + symbol + suffix;
}

// One holding's pages, by suffix; a suffix without a page answers 404.
struct Pages
{
    QByteArray symbol;
    QList<std::pair<QByteArray, LoopbackHttpServer::Route>> routes;
};

LoopbackHttpServer::Route page(const QByteArray &body, int status = 200)
{
    LoopbackHttpServer::Route route;
    route.status = status;
    route.body = body;
    return route;
}

LoopbackHttpServer::Route hostile(Behaviour behaviour)
{
    LoopbackHttpServer::Route route;
    route.behaviour = behaviour;
    return route;
}

QList<Pages> holdings()
{
    const QByteArray fragments = fixture("gf_quote_2026_fragments.html");
    return {
            {"msft", {{":NYSE", page(kNoQuote)}, {":NASDAQ", page(markerPage("412.50"))}}},
            {"gone", {}},
            {"ge", {{":NYSE", page(markerPage("2,345.67"))}}},
            {"broken", {{":NYSE", hostile(Behaviour::Garbage)}, {":NASDAQ", page(markerPage("1"))}}},
            {"oops", {{":NYSE", page("<html>Internal</html>", 500)}, {":NASDAQ", page(markerPage("7"))}}},
            {"vfiax",
             {{":NYSE", page(kNoQuote)},
              {":NASDAQ", page(kNoQuote)},
              {":MUTF", page(markerPage("1234567890.5"))}}},
            {"none",
             {{":NYSE", page(kNoQuote)},
              {":NASDAQ", page(kNoQuote)},
              {":MUTF", page(kNoQuote)},
              {":NYSEARCA", page(kNoQuote)},
              {":NYSEAMERICAN", page(kNoQuote)}}},
            {"spy",
             {{":NYSE", page(kNoQuote)},
              {":NASDAQ", page(kNoQuote)},
              {":MUTF", page(kNoQuote)},
              {":NYSEARCA", page(markerPage("512.3"))}}},
            {"aapl", {{":NYSE", page(fragments)}, {":NASDAQ", page(fragments)}}},
            {"jpm", {{":NYSE", page(fragments)}}},
            {"petr4", {{":NYSE", page(fixture("gf_quote_PETR4.html"))}}},
    };
}

void serve(LoopbackHttpServer &server, const QList<Pages> &all, int delayMs = 0)
{
    for (const Pages &pages : all) {
        for (auto [suffix, route] : pages.routes) {
            route.delayMs = delayMs;
            server.setRoute(quotePath(pages.symbol, suffix), route);
        }
    }
}

// Qt itself resends a request whose connection broke; for the walk that is still one request.
QByteArrayList distinctInOrder(QByteArrayList targets)
{
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return targets;
}

} // namespace

class TestPriceLookup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void walk_data();
    void walk();
    void redirectedPage();
    void symbolIsOnePathSegment();
    void prefetcherMatchesSingleLookups();
    void cancelDropsEverything();
    void nameFromService_data();
    void nameFromService();
    void nameFromQuotePages_data();
    void nameFromQuotePages();
    void garbledAddressSendsNothing();
};

void TestPriceLookup::initTestCase()
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestPriceLookup::walk_data()
{
    QTest::addColumn<QByteArray>("symbol");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("priceText");
    QTest::addColumn<QByteArrayList>("suffixes");

    QTest::newRow("on NASDAQ") << QByteArray("msft") << true << "412.50"
                               << QByteArrayList{":NYSE", ":NASDAQ"};
    QTest::newRow("404 ends the walk") << QByteArray("gone") << false << "" << QByteArrayList{":NYSE"};
    QTest::newRow("first page") << QByteArray("ge") << true << "2,345.67" << QByteArrayList{":NYSE"};
    QTest::newRow("transport failure ends the walk")
            << QByteArray("broken") << false << "" << QByteArrayList{":NYSE"};
    QTest::newRow("error page is searched, then moved past")
            << QByteArray("oops") << true << "7" << QByteArrayList{":NYSE", ":NASDAQ"};
    QTest::newRow("marker with a price too long")
            << QByteArray("vfiax") << true << "" << QByteArrayList{":NYSE", ":NASDAQ", ":MUTF"};
    QTest::newRow("fourth suffix") << QByteArray("spy") << true << "512.3"
                                   << QByteArrayList{":NYSE", ":NASDAQ", ":MUTF", ":NYSEARCA"};
    QTest::newRow("nowhere") << QByteArray("none") << false << ""
                             << QByteArrayList{":NYSE", ":NASDAQ", ":MUTF", ":NYSEARCA", ":NYSEAMERICAN"};
    QTest::newRow("data array, exchange of the suffix")
            << QByteArray("aapl") << true << "311.23" << QByteArrayList{":NYSE", ":NASDAQ"};
    QTest::newRow("data array, wrapped exchange")
            << QByteArray("jpm") << true << "310.89" << QByteArrayList{":NYSE"};
    QTest::newRow("marker before data array")
            << QByteArray("petr4") << true << "47.37" << QByteArrayList{":NYSE"};
}

void TestPriceLookup::walk()
{
    QFETCH(QByteArray, symbol);
    QFETCH(bool, found);
    QFETCH(QString, priceText);
    QFETCH(QByteArrayList, suffixes);
    LoopbackHttpServer server;
    QVERIFY(server.isListening());
    serve(server, holdings());
    HttpClient http;
    http.setTotalTimeout(5000);

    const QuoteLookupResult result = lookupPrice(http, server.baseUrl(), QString::fromLatin1(symbol));
    QCOMPARE(result.found, found);
    QCOMPARE(result.priceText, priceText);
    QCOMPARE(result.requests, suffixes.size());
    QByteArrayList expected;
    for (const QByteArray &suffix : suffixes)
        expected << quotePath(symbol, suffix);
    QCOMPARE(distinctInOrder(server.requestedTargets()), expected);
    QCOMPARE(result.lastBody, result.last.body);
    if (result.last.ok)
        QVERIFY(!result.lastBody.isEmpty());
}

void TestPriceLookup::redirectedPage()
{
    LoopbackHttpServer server;
    server.redirect("/finance/quote/msft:NYSE", "/finance/beta/msft:NYSE");
    server.answer("/finance/beta/msft:NYSE", 200, markerPage("99.5"));
    HttpClient http;
    const QuoteLookupResult result = lookupPrice(http, server.baseUrl(), QStringLiteral("msft"));
    QVERIFY(result.found);
    QCOMPARE(result.priceText, QStringLiteral("99.5"));
    QCOMPARE(result.requests, 1);
    QCOMPARE(result.last.finalUrl.path(), QStringLiteral("/finance/beta/msft:NYSE"));
}

void TestPriceLookup::symbolIsOnePathSegment()
{
    LoopbackHttpServer server;
    HttpClient http;
    lookupPrice(http, server.baseUrl(), QStringLiteral("bf/b ^x?"));
    QCOMPARE(server.requestedTargets().value(0), QByteArray("/finance/quote/bf%2Fb%20%5Ex%3F:NYSE"));

    const QUrl prefixed(QStringLiteral("http://127.0.0.1:9/mirror/"));
    QCOMPARE(quotePageUrl(prefixed, QStringLiteral("aapl"), QStringLiteral(":NASDAQ")).toString(),
             QStringLiteral("http://127.0.0.1:9/mirror/finance/quote/aapl:NASDAQ"));
    QCOMPARE(nameRequestUrl(prefixed, QStringLiteral("BRK.B"), QStringLiteral("pk_a&b")).toEncoded(),
             QByteArray("http://127.0.0.1:9/mirror/beta/stock/BRK.B/quote?token=pk_a%26b"));
}

void TestPriceLookup::prefetcherMatchesSingleLookups()
{
    const QList<Pages> all = holdings();
    QStringList symbols;
    for (const Pages &pages : all)
        symbols << QString::fromLatin1(pages.symbol);
    symbols << symbols; // the same symbol twice in a run is fine too

    LoopbackHttpServer server;
    serve(server, all);
    HttpClient http;
    http.setTotalTimeout(10000);
    QList<QuoteLookupResult> single;
    for (const QString &symbol : symbols)
        single << lookupPrice(http, server.baseUrl(), symbol);
    const QByteArrayList singleTargets = server.requestedTargets();
    server.clearRecord();
    serve(server, all, 100); // slow answers, so lookups overlap

    constexpr int kLookups = 3;
    QuotePrefetcher prefetcher(&http, server.baseUrl());
    prefetcher.setMaxLookups(kLookups);
    prefetcher.start(symbols);
    for (int i = 0; i < symbols.size(); ++i) {
        const QuoteLookupResult result = prefetcher.take(i);
        QCOMPARE(result.found, single.at(i).found);
        QCOMPARE(result.priceText, single.at(i).priceText);
        QCOMPARE(result.requests, single.at(i).requests);
        QCOMPARE(result.lastBody, single.at(i).lastBody);
        QVERIFY(prefetcher.lookupsInFlight() <= kLookups);
    }
    QCOMPARE(prefetcher.take(0).requests, 0); // handed out once
    QByteArrayList sortedSingle = singleTargets;
    QByteArrayList sortedPrefetched = server.requestedTargets();
    std::sort(sortedSingle.begin(), sortedSingle.end());
    std::sort(sortedPrefetched.begin(), sortedPrefetched.end());
    QCOMPARE(distinctInOrder(sortedPrefetched), distinctInOrder(sortedSingle));
    QVERIFY(server.maxConcurrent() <= kLookups);
    QVERIFY(server.maxConcurrent() > 1);
}

void TestPriceLookup::cancelDropsEverything()
{
    LoopbackHttpServer server;
    server.misbehave(quotePath("a", ":NYSE"), Behaviour::Silent);
    server.misbehave(quotePath("b", ":NYSE"), Behaviour::Silent);
    server.misbehave(quotePath("c", ":NYSE"), Behaviour::Silent);
    HttpClient http;
    http.setTotalTimeout(60000);
    QuotePrefetcher prefetcher(&http, server.baseUrl());
    prefetcher.start({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    QCOMPARE(prefetcher.lookupsInFlight(), 3);
    QTRY_COMPARE(server.requests().size(), 3);

    // STOP pressed while the run waits for its first holding.
    QTimer::singleShot(50, &prefetcher, &QuotePrefetcher::cancel);
    const QuoteLookupResult first = prefetcher.take(0);
    QVERIFY(!first.found);
    QCOMPARE(first.requests, 0);
    QCOMPARE(prefetcher.lookupsInFlight(), 0);
    QCOMPARE(http.requestsInFlight(), 0);
    QCOMPARE(prefetcher.take(1).requests, 0);
    QCOMPARE(server.requests().size(), 3);
}

void TestPriceLookup::nameFromService_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<bool>("hasName");
    QTest::addColumn<QString>("name");

    QTest::newRow("answer") << 200 << fixture("iex_quote_AAPL.json") << false << true << "Apple Inc";
    QTest::newRow("no companyName") << 200 << QByteArray(R"({"symbol":"AAPL"})") << false << false << "";
    QTest::newRow("not found") << 404 << QByteArray("Unknown symbol") << true << false << "";
    QTest::newRow("server error") << 500 << QByteArray(R"({"companyName":"Error Inc"})") << true << false
                                  << "";
}

void TestPriceLookup::nameFromService()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, failed);
    QFETCH(bool, hasName);
    QFETCH(QString, name);
    LoopbackHttpServer server;
    server.answer("/beta/stock/AAPL/quote", status, body, "application/json");
    HttpClient http;
    const NameSource source{
            server.baseUrl(), QStringLiteral("pk_0123"), QUrl(QStringLiteral("http://127.0.0.1:9"))};

    const NameLookupResult result = lookupName(http, QStringLiteral("  AAPL "), source);
    QCOMPARE(result.failed, failed);
    QCOMPARE(result.name.has_value(), hasName);
    QCOMPARE(result.name.value_or(QString()), name);
    QCOMPARE(result.requests, 1);
    QCOMPARE(server.requestedTargets(), QByteArrayList{"/beta/stock/AAPL/quote?token=pk_0123"});
}

void TestPriceLookup::nameFromQuotePages_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<bool>("failed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("requests");

    QTest::newRow("data array") << "JPM" << false << "JPMorgan Chase & Co" << 1;
    QTest::newRow("next exchange") << "AAPL" << false << "Apple Inc" << 2;
    QTest::newRow("404 ends it") << "gone" << false << "" << 1;
    QTest::newRow("failure ends it") << "broken" << true << "" << 1;
}

void TestPriceLookup::nameFromQuotePages()
{
    QFETCH(QString, symbol);
    QFETCH(bool, failed);
    QFETCH(QString, name);
    QFETCH(int, requests);
    LoopbackHttpServer server;
    serve(server, holdings());
    HttpClient http;
    const NameSource source{QUrl(), QString(), server.baseUrl()};

    const NameLookupResult result = lookupName(http, symbol, source);
    QCOMPARE(result.failed, failed);
    QCOMPARE(result.name.value_or(QString()), name);
    QCOMPARE(result.requests, requests);
}

void TestPriceLookup::garbledAddressSendsNothing()
{
    // A mistyped address must not fall back to the public host.
    qputenv("TILLWICK_QUOTE_URL", "127.0.0.1:9");
    QVERIFY(quoteBaseUrl().isEmpty());
    qputenv("TILLWICK_MARKER_URL", "::not a url");
    QVERIFY(markerUrl().isEmpty());
    qputenv("TILLWICK_QUOTE_URL", "http://127.0.0.1:9");
    QCOMPARE(quoteBaseUrl(), QUrl(QStringLiteral("http://127.0.0.1:9")));
    qunsetenv("TILLWICK_MARKER_URL");
    QVERIFY(markerUrl().isEmpty());
    HttpClient http;
    QVERIFY(!lookupPrice(http, QUrl(), QStringLiteral("aapl")).found);
}

QTEST_GUILESS_MAIN(TestPriceLookup)
#include "tst_pricelookup.moc"
