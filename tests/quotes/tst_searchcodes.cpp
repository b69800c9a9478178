// The quote page markers: defaults, the marker file's rules and its fetch.
#include "quotes/HttpClient.h"
#include "quotes/SearchCodes.h"
#include "support/LoopbackHttpServer.h"

#include <QTest>

class TestSearchCodes : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void parse_data();
    void parse();
    void fetch_data();
    void fetch();
    void noAddressSendsNothing();
};

void TestSearchCodes::defaults()
{
    const SearchCodes codes = defaultSearchCodes();
    QCOMPARE(codes.SRCHSTCK1, QStringLiteral("range-current"));
    QCOMPARE(codes.SRCHSTCK2, QStringLiteral("\""));
    QCOMPARE(codes.SRCHMUTFD1, QStringLiteral(R"(data-pricehint="2" value=)"));
    QCOMPARE(codes.SRCHMUTFD1.size(), 25);
    QCOMPARE(codes.SRCHMUTFD2, QStringLiteral("\""));
}

void TestSearchCodes::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("fields");

    QTest::newRow("the defaults") << R"(range-current@#"@#data-pricehint="2" value=@#"@#)"
                                  << QStringList{"range-current", "\"", R"(data-pricehint="2" value=)", "\""};
    QTest::newRow("blank before a separator stays")
            << "a @#b  @#c@#d @#" << QStringList{"a ", "b  ", "c", "d "};
    QTest::newRow("blanks and line ends after one go")
            << "a@#  \r\n b@#\tc@#\n\x01 d@#" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("leading blanks of the first field stay")
            << "  a@#b@#c@#d@#" << QStringList{"  a", "b", "c", "d"};
    QTest::newRow("fourth without separator") << "a@#b@#c@#d" << QStringList{"a", "b", "c", ""};
    QTest::newRow("line end after the fourth") << "a@#b@#c@#d@#\r\n" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("more after the fourth") << "a@#b@#c@#d@#e@#f" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("two fields") << "a@#b@#" << QStringList{"a", "b", "", ""};
    QTest::newRow("empty fields") << "@#@#@#@#" << QStringList{"", "", "", ""};
    QTest::newRow("lone @ and #") << "a@b#c@#d#@e@#f@#g@#" << QStringList{"a@b#c", "d#@e", "f", "g"};
    QTest::newRow("error page, no separator")
            << "<html><body>Not Found</body></html>" << QStringList{"", "", "", ""};
    QTest::newRow("empty") << "" << QStringList{"", "", "", ""};
}

void TestSearchCodes::parse()
{
    QFETCH(QString, text);
    QFETCH(QStringList, fields);
    const SearchCodes codes = parseSearchCodes(text);
    QCOMPARE((QStringList{codes.SRCHSTCK1, codes.SRCHSTCK2, codes.SRCHMUTFD1, codes.SRCHMUTFD2}), fields);
}

void TestSearchCodes::fetch_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("garbage");
    QTest::addColumn<bool>("fetched");

    QTest::newRow("200") << 200 << false << true;
    QTest::newRow("error page counts") << 500 << false << true;
    QTest::newRow("404 counts") << 404 << false << true;
    QTest::newRow("transport failure") << 200 << true << false;
}

void TestSearchCodes::fetch()
{
    QFETCH(int, status);
    QFETCH(bool, garbage);
    QFETCH(bool, fetched);
    LoopbackHttpServer server;
    QVERIFY(server.isListening());
    const QByteArray body = "café@#\"@#x@#\"@#\r\n";
    server.answer("/download/SrchCode.ini", status, body, "text/plain");
    if (garbage)
        server.misbehave("/download/SrchCode.ini", LoopbackHttpServer::Behaviour::Garbage);
    HttpClient http;
    http.setTotalTimeout(5000);

    const std::optional<QString> text = fetchSearchCodesText(http, server.url("/download/SrchCode.ini"));
    QCOMPARE(text.has_value(), fetched);
    if (fetched)
        QCOMPARE(*text, QString::fromUtf8(body));
    // Qt itself may resend a request whose connection broke; nothing else is asked for.
    QVERIFY(!server.requestedTargets().isEmpty());
    for (const QByteArray &target : server.requestedTargets())
        QCOMPARE(target, QByteArray("/download/SrchCode.ini"));
}

void TestSearchCodes::noAddressSendsNothing()
{
    HttpClient http;
    QCOMPARE(fetchSearchCodesText(http, QUrl()), std::nullopt);
    QCOMPARE(fetchSearchCodesText(http, QUrl(QStringLiteral("http://"))), std::nullopt);
}

QTEST_GUILESS_MAIN(TestSearchCodes)
#include "tst_searchcodes.moc"
