// Prices and names read from quote pages and name-service answers.
#include "quotes/PriceText.h"

#include <QFile>
#include <QTest>

namespace {

QString fixture(const char *name)
{
    QFile file(QStringLiteral(TILLWICK_FIXTURES_DIR "/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", name);
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestPriceText : public QObject
{
    Q_OBJECT

private slots:
    void markerWindow_data();
    void markerWindow();
    void fixturePages_data();
    void fixturePages();
    void dataArray_data();
    void dataArray();
    void truncatedPagesNeverGiveAWrongPrice();
    void titleName_data();
    void titleName();
    void jsonName_data();
    void jsonName();
    void number_data();
    void number();
};

void TestPriceText::markerWindow_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("text");

    QTest::newRow("grouped") << R"(<div data-last-price="2,345.67" data-tz="0">)" << true << "2,345.67";
    QTest::newRow("whole") << R"(<div data-last-price="42">)" << true << "42";
    QTest::newRow("ten characters fit") << R"(data-last-price="1234567.89">)" << true << "1234567.89";
    QTest::newRow("eleven do not") << R"(data-last-price="12345678.90">)" << true << "";
    QTest::newRow("eleven digits and a point") << R"(data-last-price="1234567890.5">)" << true << "";
    QTest::newRow("empty quotes") << R"(data-last-price="" x)" << true << "";
    QTest::newRow("short window at the end") << R"(<i data-last-price="5")" << true << "5";
    QTest::newRow("marker at the very end") << "<i data-last-price=" << true << "";
    QTest::newRow("no quotes") << "<i data-last-price=47.37 data-x=1>" << true << "";
    QTest::newRow("single quotes do not count") << "<i data-last-price='47.37'>" << true << "";
    QTest::newRow("first marker wins") << R"(data-last-price="1" data-last-price="2")" << true << "1";
    QTest::newRow("no marker") << R"(<div class="YMlKec">49.167,79</div>)" << false << "";
}

void TestPriceText::markerWindow()
{
    QFETCH(QString, page);
    QFETCH(bool, found);
    QFETCH(QString, text);
    bool markerFound = !found;
    QCOMPARE(priceTextAfterMarker(page, lastPriceMarker(), &markerFound), text);
    QCOMPARE(markerFound, found);
}

void TestPriceText::fixturePages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("exchange");
    QTest::addColumn<bool>("hasMarker");
    QTest::addColumn<QString>("price"); // empty: no array price
    QTest::addColumn<QString>("name");

    const QString fragments = QStringLiteral("gf_quote_2026_fragments.html");
    const QString petr4 = QStringLiteral("gf_quote_PETR4.html");
    QTest::newRow("AAPL on NASDAQ") << fragments << "aapl"
                                    << "NASDAQ" << false << "311.23"
                                    << "Apple Inc";
    QTest::newRow("AAPL not on NYSE") << fragments << "aapl"
                                      << "NYSE" << false << ""
                                      << "";
    QTest::newRow("JPM, exchange wrapped") << fragments << "jpm"
                                           << "NYSE" << false << "310.89"
                                           << "JPMorgan Chase & Co";
    QTest::newRow("JPM not on NASDAQ") << fragments << "jpm"
                                       << "NASDAQ" << false << ""
                                       << "";
    QTest::newRow("PETR4 on BVMF") << petr4 << "petr4"
                                   << "BVMF" << true << "47.37"
                                   << "Petrobras";
    // Only the title is left for another exchange; it carries more than the name on this page.
    QTest::newRow("PETR4 on NYSE") << petr4 << "petr4"
                                   << "NYSE" << true << ""
                                   << "Preços e notícias sobre as ações Petrobras";
}

void TestPriceText::fixturePages()
{
    QFETCH(QString, file);
    QFETCH(QString, symbol);
    QFETCH(QString, exchange);
    QFETCH(bool, hasMarker);
    QFETCH(QString, price);
    QFETCH(QString, name);
    const QString page = fixture(file.toLatin1().constData());

    bool markerFound = false;
    const QString markerText = priceTextAfterMarker(page, lastPriceMarker(), &markerFound);
    QCOMPARE(markerFound, hasMarker);
    if (hasMarker)
        QCOMPARE(markerText, QStringLiteral("47.37"));
    QCOMPARE(priceFromDataArray(page, symbol, exchange).value_or(QString()), price);
    QCOMPARE(nameFromQuotePage(page, symbol, exchange), name);
}

void TestPriceText::dataArray_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("price"); // empty: nullopt

    QTest::newRow("spaced") << R"([ "AAPL" , [ "NASDAQ" ] ] , "Apple Inc" , 0 , "USD" , [ 311.23 , 1 ] ])"
                            << "311.23";
    QTest::newRow("lines") << "[\"AAPL\",\n \"NASDAQ\"],\n\"Apple\",\n0,\n\"USD\",\n[311.23,\n1]"
                           << "311.23";
    QTest::newRow("inside a string literal")
            << R"(data:'[[\"AAPL\",\"NASDAQ\"],\"Apple Inc\",0,\"USD\",[311.23,0.97]]')"
            << "311.23";
    QTest::newRow("hex escapes") << R"('[\x22AAPL\x22,\x22NASDAQ\x22],\x22Apple\x22,0,\x22USD\x22,[311.23]')"
                                 << "311.23";
    QTest::newRow("html entities")
            << "data-q=\"[&quot;AAPL&quot;,&quot;NASDAQ&quot;],&quot;Apple&quot;,0,&quot;USD&quot;,[311.23]\""
            << "311.23";
    QTest::newRow("symbol case") << R"(["Aapl","nasdaq"],"Apple",0,"USD",[1.5])"
                                 << "1.5";
    QTest::newRow("longer symbol first")
            << R"(["AAPLX","NASDAQ"],"X",0,"USD",[9.99] ["AAPL","NASDAQ"],"Apple",0,"USD",[2.5])"
            << "2.5";
    QTest::newRow("null price skipped")
            << R"(["AAPL","NASDAQ"],"Apple",0,"USD",[null,1] ["AAPL","NASDAQ"],"Apple",0,"USD",[3.25,1])"
            << "3.25";
    QTest::newRow("null name") << R"(["AAPL","NASDAQ"],null,0,"USD",[4])"
                               << "4";
    QTest::newRow("exponent") << R"(["AAPL","NASDAQ"],"Apple",0,"USD",[1.5e-05,0])"
                              << "1.5e-05";
    QTest::newRow("price not a number") << R"(["AAPL","NASDAQ"],"Apple",0,"USD",["311.23"])"
                                        << "";
    QTest::newRow("currency missing") << R"(["AAPL","NASDAQ"],"Apple",0,[311.23])"
                                      << "";
    QTest::newRow("garbage") << "[[[[\"\\\\\\\"[\"AAPL\",[[[\"\",\"]]]\\u00"
                             << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestPriceText::dataArray()
{
    QFETCH(QString, page);
    QFETCH(QString, price);
    QCOMPARE(priceFromDataArray(page, QStringLiteral("aapl"), QStringLiteral("NASDAQ")).value_or(QString()),
             price);
}

void TestPriceText::truncatedPagesNeverGiveAWrongPrice()
{
    const QString page = fixture("gf_quote_2026_fragments.html");
    for (qsizetype size = 0; size <= page.size(); ++size) {
        const QString cut = page.left(size);
        const std::optional<QString> price
                = priceFromDataArray(cut, QStringLiteral("AAPL"), QStringLiteral("NASDAQ"));
        if (price)
            QCOMPARE(*price, QStringLiteral("311.23"));
        nameFromQuotePage(cut, QStringLiteral("jpm"), QStringLiteral("NYSE"));
    }
}

void TestPriceText::titleName_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("name");

    QTest::newRow("english title")
            << "<title>Apple Inc (AAPL) Stock Price &amp; News - Google Finance</title>"
            << "aapl"
            << "Apple Inc";
    QTest::newRow("entities and attributes") << "<TITLE lang=en>AT&amp;T Inc (T) Stock</TITLE>"
                                             << "t"
                                             << "AT&T Inc";
    QTest::newRow("parenthesis in the name")
            << "<title>Vanguard 500 Index Fund (Admiral) (VFIAX) Quote</title>"
            << "vfiax"
            << "Vanguard 500 Index Fund (Admiral)";
    QTest::newRow("no parenthesis") << "<title>Google Finance</title>"
                                    << "aapl"
                                    << "";
    QTest::newRow("no title") << "<html><body>(AAPL)</body></html>"
                              << "aapl"
                              << "";
    QTest::newRow("array name wins")
            << R"(<title>Other (AAPL)</title> ["AAPL","NASDAQ"],"Apple Inc",0,"USD",[1])"
            << "aapl"
            << "Apple Inc";
}

void TestPriceText::titleName()
{
    QFETCH(QString, page);
    QFETCH(QString, symbol);
    QFETCH(QString, name);
    QCOMPARE(nameFromQuotePage(page, symbol, QStringLiteral("NASDAQ")), name);
}

void TestPriceText::jsonName_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("hasName");
    QTest::addColumn<QString>("name");

    QFile serviceAnswer(QStringLiteral(TILLWICK_FIXTURES_DIR "/iex_quote_AAPL.json"));
    QVERIFY(serviceAnswer.open(QIODevice::ReadOnly));
    QTest::newRow("service answer") << serviceAnswer.readAll() << true << "Apple Inc";
    QTest::newRow("no blanks") << QByteArray(R"({"companyName":"Apple Inc"})") << true << "Apple Inc";
    QTest::newRow("blank after colon")
            << QByteArray(R"({"companyName": "Apple Inc"})") << true << "Apple Inc";
    QTest::newRow("blanks everywhere")
            << QByteArray("{ \"companyName\" :\n \"  Apple Inc \" }") << true << "Apple Inc";
    QTest::newRow("escapes") << QByteArray(R"({"companyName":"Johnson \u0026 \"J\""})") << true
                             << "Johnson & \"J\"";
    QTest::newRow("empty name") << QByteArray(R"({"companyName":""})") << true << "";
    QTest::newRow("no member") << QByteArray(R"({"symbol":"AAPL","latestPrice":1})") << false << "";
    QTest::newRow("null member") << QByteArray(R"({"companyName":null})") << false << "";
    QTest::newRow("not an object") << QByteArray(R"(["companyName","Apple"])") << false << "";
    QTest::newRow("not JSON") << QByteArray("<html>Unknown symbol</html>") << false << "";
    QTest::newRow("cut off") << QByteArray(R"({"companyName":"Apple)") << false << "";
}

void TestPriceText::jsonName()
{
    QFETCH(QByteArray, body);
    QFETCH(bool, hasName);
    QFETCH(QString, name);
    const std::optional<QString> read = companyNameFromJson(body);
    QCOMPARE(read.has_value(), hasName);
    QCOMPARE(read.value_or(QString()), name);
}

void TestPriceText::number_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");

    QTest::newRow("grouped") << "2,345.67" << true << 2345.67;
    QTest::newRow("whole") << "42" << true << 42.0;
    QTest::newRow("millions") << "1,234,567.891" << true << 1234567.891;
    QTest::newRow("negative") << "-3.5" << true << -3.5;
    QTest::newRow("blanks around") << " 12.5 " << true << 12.5;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("comma is no point") << "12,5x" << false << 0.0;
    QTest::newRow("currency sign") << "R$ 47,37" << false << 0.0;
    QTest::newRow("infinity") << "inf" << false << 0.0;
    QTest::newRow("not a number") << "nan" << false << 0.0;
}

void TestPriceText::number()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> read = priceNumber(text);
    QCOMPARE(read.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*read, value);
}

QTEST_GUILESS_MAIN(TestPriceText)
#include "tst_pricetext.moc"
