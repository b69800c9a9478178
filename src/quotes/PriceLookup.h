#pragma once

#include "quotes/HttpClient.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>
#include <optional>

struct QuoteLookupResult
{
    bool found = false;
    QString priceText; // what the page gave; may be empty even when found
    int requests = 0;
    QByteArray lastBody; // the last page received, kept by the caller
    HttpResult last;
};

// The price on a quote page for this symbol and exchange: the text after the last-price marker when
// the page has the marker, else the price of its data array; nullopt when the page has neither.
std::optional<QString>
readPriceFromPage(const QString &page, const QString &symbolLower, const QString &exchange);

// Walks one symbol's quote pages through the exchange suffixes until a page settles it. A transport
// failure or a 404 ends the walk "not found" at once; a page the reader finds nothing in moves on.
class PriceLookup : public QObject
{
    Q_OBJECT

public:
    // The text a page settles the lookup with, or nullopt to try the next suffix.
    using PageReader = std::function<std::optional<QString>(const QString &page, const QString &exchange)>;

    PriceLookup(HttpClient *http, const QUrl &base, const QString &symbolLower, QObject *parent = nullptr);

    // Reads something other than the price, such as the name, from the same pages.
    void setPageReader(PageReader reader) { m_reader = std::move(reader); }
    void start();
    // Starts the walk and waits for its end in a local event loop.
    QuoteLookupResult exec();
    // Stops the walk; finished() is not emitted.
    void cancel();
    bool isRunning() const { return m_running; }
    QString symbol() const { return m_symbol; }

signals:
    void finished(const QuoteLookupResult &result);

private:
    void requestPage();
    void pageArrived(const HttpResult &answer);
    void finish(bool found, const QString &text);

    QPointer<HttpClient> m_http;
    QUrl m_base;
    QString m_symbol;
    PageReader m_reader;
    QPointer<HttpRequest> m_request;
    QuoteLookupResult m_result;
    int m_suffix = 0;
    bool m_running = false;
};

// One holding's lookup, waiting in a local event loop.
QuoteLookupResult lookupPrice(HttpClient &http, const QUrl &base, const QString &symbolLower);
