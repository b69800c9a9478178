#include "quotes/HttpClient.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace {

// Quote pages answer a plain client differently from a browser.
constexpr char kUserAgent[] = "Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
                              "Chrome/124.0.0.0 Safari/537.36";
constexpr char kAccept[] = "text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8";
constexpr char kAcceptLanguage[] = "en-US,en;q=0.9";
constexpr int kMaxRedirects = 10;

} // namespace

HttpClient::HttpClient(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
{}

HttpClient::~HttpClient()
{
    // Anyone waiting in get() must get an answer before the requests go away with us.
    abort();
}

HttpRequest *HttpClient::start(const QUrl &url)
{
    m_requests.removeIf([](const QPointer<HttpRequest> &request) { return request.isNull(); });
    const QString scheme = url.scheme();
    HttpRequest *request = nullptr;
    if (!url.isValid() || url.host().isEmpty()
        || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        request = new HttpRequest(url, tr("Invalid address \"%1\"").arg(url.toString()), this);
    } else {
        QNetworkRequest networkRequest(url);
        networkRequest.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                    QNetworkRequest::NoLessSafeRedirectPolicy);
        networkRequest.setMaximumRedirectsAllowed(kMaxRedirects);
        networkRequest.setHeader(QNetworkRequest::UserAgentHeader, QByteArray(kUserAgent));
        networkRequest.setRawHeader("Accept", kAccept);
        networkRequest.setRawHeader("Accept-Language", kAcceptLanguage);
        request = new HttpRequest(m_manager->get(networkRequest), m_limits, this);
    }
    m_requests.append(request);
    return request;
}

HttpResult HttpClient::get(const QUrl &url)
{
    HttpResult result;
    QEventLoop loop;
    HttpRequest *request = start(url);
    connect(request, &HttpRequest::finished, &loop, [&](const HttpResult &answer) {
        result = answer;
        loop.quit();
    });
    loop.exec();
    return result;
}

void HttpClient::abort()
{
    const QList<QPointer<HttpRequest>> requests = m_requests;
    for (const QPointer<HttpRequest> &request : requests) {
        if (request)
            request->abort();
    }
}

int HttpClient::requestsInFlight() const
{
    int count = 0;
    for (const QPointer<HttpRequest> &request : m_requests) {
        if (request && !request->isFinished())
            ++count;
    }
    return count;
}
