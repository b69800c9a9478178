#pragma once

#include "quotes/HttpRequest.h"

#include <QList>
#include <QObject>
#include <QPointer>

class QNetworkAccessManager;

// The program's one HTTP layer: GET with redirects, verified TLS, browser-like headers, a connect
// and a total time-out and a cap on the body. Runs on the caller's thread.
class HttpClient : public QObject
{
    Q_OBJECT

public:
    explicit HttpClient(QObject *parent = nullptr);
    ~HttpClient() override;

    void setConnectTimeout(int ms) { m_limits.connectTimeoutMs = ms; }
    void setTotalTimeout(int ms) { m_limits.totalTimeoutMs = ms; }
    void setMaxBodySize(qint64 bytes) { m_limits.maxBodySize = bytes; }
    HttpLimits limits() const { return m_limits; }

    // Connect to the request's finished() before returning to the event loop.
    HttpRequest *start(const QUrl &url);
    // Waits in a local event loop, so the window keeps painting and its buttons keep working.
    HttpResult get(const QUrl &url);
    // Ends every request in flight; each finishes with ok = false.
    void abort();
    int requestsInFlight() const;

private:
    QNetworkAccessManager *m_manager;
    HttpLimits m_limits;
    QList<QPointer<HttpRequest>> m_requests;
};
