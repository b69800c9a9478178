#include "quotes/PriceLookup.h"

#include "quotes/PriceText.h"
#include "quotes/ServiceUrls.h"

#include <QEventLoop>

std::optional<QString>
readPriceFromPage(const QString &page, const QString &symbolLower, const QString &exchange)
{
    bool markerFound = false;
    const QString text = priceTextAfterMarker(page, lastPriceMarker(), &markerFound);
    if (markerFound)
        return text;
    return priceFromDataArray(page, symbolLower, exchange);
}

PriceLookup::PriceLookup(HttpClient *http, const QUrl &base, const QString &symbolLower, QObject *parent)
    : QObject(parent)
    , m_http(http)
    , m_base(base)
    , m_symbol(symbolLower)
{
    m_reader = [symbol = m_symbol](const QString &page, const QString &exchange) {
        return readPriceFromPage(page, symbol, exchange);
    };
}

void PriceLookup::start()
{
    if (m_running)
        return;
    m_running = true;
    m_suffix = 0;
    m_result = {};
    requestPage();
}

void PriceLookup::cancel()
{
    m_running = false;
    if (m_request) {
        m_request->disconnect(this);
        m_request->abort();
    }
}

void PriceLookup::requestPage()
{
    if (!m_http) {
        finish(false, {});
        return;
    }
    const QString suffix = exchangeSuffixes().at(m_suffix);
    ++m_result.requests;
    m_request = m_http->start(quotePageUrl(m_base, m_symbol, suffix));
    connect(m_request, &HttpRequest::finished, this, &PriceLookup::pageArrived);
}

void PriceLookup::pageArrived(const HttpResult &answer)
{
    m_request = nullptr;
    if (!m_running)
        return;
    m_result.last = answer;
    m_result.lastBody = answer.body;
    if (!answer.ok || answer.status == 404) {
        finish(false, {});
        return;
    }
    const QString exchange = exchangeOfSuffix(exchangeSuffixes().at(m_suffix));
    if (const std::optional<QString> text = m_reader(QString::fromUtf8(answer.body), exchange)) {
        finish(true, *text);
        return;
    }
    if (++m_suffix < exchangeSuffixes().size())
        requestPage();
    else
        finish(false, {});
}

void PriceLookup::finish(bool found, const QString &text)
{
    m_running = false;
    m_result.found = found;
    m_result.priceText = text;
    emit finished(m_result);
}

QuoteLookupResult PriceLookup::exec()
{
    QuoteLookupResult result;
    QEventLoop loop;
    const QMetaObject::Connection done
            = connect(this, &PriceLookup::finished, &loop, [&](const QuoteLookupResult &r) {
                  result = r;
                  loop.quit();
              });
    start();
    if (m_running)
        loop.exec();
    disconnect(done);
    return result;
}

QuoteLookupResult lookupPrice(HttpClient &http, const QUrl &base, const QString &symbolLower)
{
    PriceLookup lookup(&http, base, symbolLower);
    return lookup.exec();
}
