// The HTTP layer against a loopback server that answers well, slowly, wrongly or not at all.
#include "quotes/HttpClient.h"
#include "support/LoopbackHttpServer.h"

#include <QNetworkProxy>
#include <QSignalSpy>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QTest>

#include <memory>

using Behaviour = LoopbackHttpServer::Behaviour;

class TestHttpClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void answers_data();
    void answers();
    void sendsBrowserHeaders();
    void refusedConnection();
    void connectTimeout();
    void untrustedCertificate();
    void windowEventsRunWhileWaiting();
    void abortEndsRequests();
    void invalidAddressFinishesLater();

private:
    std::unique_ptr<LoopbackHttpServer> m_server;
    std::unique_ptr<HttpClient> m_http;
};

void TestHttpClient::initTestCase()
{
    // Loopback only, whatever the machine's proxy settings say.
    QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
}

void TestHttpClient::init()
{
    m_server = std::make_unique<LoopbackHttpServer>();
    QVERIFY(m_server->isListening());
    LoopbackHttpServer &server = *m_server;
    server.answer("/ok", 200, "hello");
    server.answer("/error", 500, "<html>Internal</html>");
    server.redirect("/finance/quote/aapl:NASDAQ", "/finance/beta/aapl:NASDAQ");
    server.answer("/finance/beta/aapl:NASDAQ", 200, "beta page");
    server.redirect("/loop", "/loop");
    LoopbackHttpServer::Route slow;
    slow.body = "late";
    slow.delayMs = 800;
    server.setRoute("/slow", slow);
    server.misbehave("/garbage", Behaviour::Garbage);
    server.misbehave("/silent", Behaviour::Silent);
    server.answer("/drip", 200, "dripping");
    server.misbehave("/drip", Behaviour::Drip);
    LoopbackHttpServer::Route huge;
    huge.behaviour = Behaviour::HugeBody;
    server.setRoute("/huge", huge);
    huge.announceLength = false;
    server.setRoute("/huge-unannounced", huge);

    m_http = std::make_unique<HttpClient>();
    m_http->setConnectTimeout(500);
    m_http->setTotalTimeout(1500);
    m_http->setMaxBodySize(1024 * 1024);
}

void TestHttpClient::cleanup()
{
    m_http.reset();
    m_server.reset();
}

void TestHttpClient::answers_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("status"); // 0: any
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QByteArray>("finalPath");

    QTest::newRow("200") << QByteArray("/ok") << true << 200 << QByteArray("hello") << "200 OK"
                         << QByteArray("/ok");
    QTest::newRow("404 is an answer") << QByteArray("/nowhere") << true << 404 << QByteArray("Not Found")
                                      << "404" << QByteArray("/nowhere");
    QTest::newRow("500 is an answer")
            << QByteArray("/error") << true << 500 << QByteArray("Internal") << "500" << QByteArray("/error");
    QTest::newRow("redirect followed")
            << QByteArray("/finance/quote/aapl:NASDAQ") << true << 200 << QByteArray("beta page") << "200"
            << QByteArray("/finance/beta/aapl:NASDAQ");
    QTest::newRow("slow answer past the connect time-out")
            << QByteArray("/slow") << true << 200 << QByteArray("late") << "200" << QByteArray("/slow");
    QTest::newRow("redirect loop") << QByteArray("/loop") << false << 0 << QByteArray() << ""
                                   << QByteArray("/loop");
    QTest::newRow("garbage") << QByteArray("/garbage") << false << 0 << QByteArray() << ""
                             << QByteArray("/garbage");
    QTest::newRow("huge body announced")
            << QByteArray("/huge") << false << 0 << QByteArray() << "too large" << QByteArray("/huge");
    QTest::newRow("huge body streamed") << QByteArray("/huge-unannounced") << false << 0 << QByteArray()
                                        << "too large" << QByteArray("/huge-unannounced");
    QTest::newRow("never answers") << QByteArray("/silent") << false << 0 << QByteArray()
                                   << "No complete answer" << QByteArray("/silent");
    QTest::newRow("drips") << QByteArray("/drip") << false << 0 << QByteArray() << "No complete answer"
                           << QByteArray("/drip");
}

void TestHttpClient::answers()
{
    QFETCH(QByteArray, path);
    QFETCH(bool, ok);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, reason);
    QFETCH(QByteArray, finalPath);

    const HttpResult result = m_http->get(m_server->url(path));
    QCOMPARE(result.ok, ok);
    if (status)
        QCOMPARE(result.status, status);
    QVERIFY2(result.body.contains(body), result.body.left(200).constData());
    QVERIFY2(result.reason.contains(reason, Qt::CaseInsensitive), qPrintable(result.reason));
    QVERIFY(!result.reason.isEmpty());
    QCOMPARE(result.finalUrl.path(QUrl::FullyEncoded).toLatin1(), finalPath);
    if (!ok)
        QVERIFY(result.body.isEmpty());
    // A refused body is dropped while it streams, never read whole.
    QVERIFY(m_server->streamedBytes() < LoopbackHttpServer::Route().hugeSize);
}

void TestHttpClient::sendsBrowserHeaders()
{
    QVERIFY(m_http->get(m_server->url("/ok")).ok);
    const QList<LoopbackHttpServer::Request> requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().method, QByteArray("GET"));
    QCOMPARE(requests.first().headers.value("accept"),
             QByteArray("text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8"));
    QVERIFY(requests.first().headers.value("user-agent").startsWith("Mozilla/5.0 ("));
}

void TestHttpClient::refusedConnection()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
    const quint16 port = probe.serverPort();
    probe.close();
    const HttpResult result = m_http->get(QUrl(QStringLiteral("http://127.0.0.1:%1/ok").arg(port)));
    QVERIFY(!result.ok);
    QVERIFY(!result.reason.isEmpty());
}

void TestHttpClient::connectTimeout()
{
    // The kernel accepts the connection but nobody ever answers the TLS handshake.
    QTcpServer mute;
    QVERIFY(mute.listen(QHostAddress::LocalHost, 0));
    m_http->setConnectTimeout(300);
    m_http->setTotalTimeout(20000);
    const HttpResult result
            = m_http->get(QUrl(QStringLiteral("https://127.0.0.1:%1/ok").arg(mute.serverPort())));
    QVERIFY(!result.ok);
    QVERIFY2(result.reason.contains(QLatin1String("No connection")), qPrintable(result.reason));
}

void TestHttpClient::untrustedCertificate()
{
    LoopbackHttpServer tls(LoopbackHttpServer::Transport::Tls);
    QVERIFY(tls.isListening());
    tls.answer("/ok", 200, "secret");
    m_http->setTotalTimeout(5000);
    const HttpResult result = m_http->get(tls.url("/ok"));
    QVERIFY(!result.ok);
    QVERIFY(result.body.isEmpty());
    QVERIFY(tls.requests().isEmpty());

    // The same server answers a client that trusts its certificate: the refusal was about trust.
    QSslSocket trusting;
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setCaCertificates({tls.certificate()});
    trusting.setSslConfiguration(config);
    QByteArray answer;
    connect(&trusting, &QSslSocket::encrypted, &trusting, [&] {
        trusting.write("GET /ok HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    });
    connect(&trusting, &QSslSocket::readyRead, &trusting, [&] { answer += trusting.readAll(); });
    trusting.connectToHostEncrypted(QStringLiteral("127.0.0.1"), tls.serverPort());
    QTRY_VERIFY_WITH_TIMEOUT(answer.endsWith("secret"), 10000);
    QVERIFY(answer.startsWith("HTTP/1.1 200"));
}

void TestHttpClient::windowEventsRunWhileWaiting()
{
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] { ++ticks; });
    timer.start(20);
    QVERIFY(m_http->get(m_server->url("/slow")).ok);
    QVERIFY(ticks > 0);
}

void TestHttpClient::abortEndsRequests()
{
    m_http->setTotalTimeout(20000);
    HttpRequest *silent = m_http->start(m_server->url("/silent"));
    HttpRequest *slow = m_http->start(m_server->url("/slow"));
    QSignalSpy silentDone(silent, &HttpRequest::finished);
    QSignalSpy slowDone(slow, &HttpRequest::finished);
    QTRY_COMPARE(m_server->requests().size(), 2);

    silent->abort();
    QCOMPARE(silentDone.size(), 1);
    const auto aborted = silentDone.first().first().value<HttpResult>();
    QVERIFY(!aborted.ok);
    QCOMPARE(aborted.reason, QStringLiteral("Aborted"));
    QTRY_COMPARE(slowDone.size(), 1);
    QVERIFY(slowDone.first().first().value<HttpResult>().ok);

    HttpRequest *first = m_http->start(m_server->url("/silent"));
    HttpRequest *second = m_http->start(m_server->url("/drip"));
    QSignalSpy firstDone(first, &HttpRequest::finished);
    QSignalSpy secondDone(second, &HttpRequest::finished);
    QCOMPARE(m_http->requestsInFlight(), 2);
    m_http->abort();
    QCOMPARE(firstDone.size(), 1);
    QCOMPARE(secondDone.size(), 1);
    QVERIFY(!secondDone.first().first().value<HttpResult>().ok);
    QCOMPARE(m_http->requestsInFlight(), 0);
}

void TestHttpClient::invalidAddressFinishesLater()
{
    for (const QString &address :
         {QStringLiteral("ftp://127.0.0.1/x"), QStringLiteral("not a url"), QString()}) {
        HttpRequest *request = m_http->start(QUrl(address));
        QSignalSpy done(request, &HttpRequest::finished);
        QCOMPARE(done.size(), 0); // callers connect after start()
        QTRY_COMPARE(done.size(), 1);
        QVERIFY(!done.first().first().value<HttpResult>().ok);
    }
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_httpclient.moc"
