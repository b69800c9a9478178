#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>
#include <QUrl>

#include <utility>

class LoopbackConnection;

// An HTTP/1.1 server on 127.0.0.1 at a port the system chooses, for tests: a route table, a record
// of what was asked, and answers that misbehave the way real servers do. Paths not in the table
// answer 404. The TLS variant presents a self-signed certificate no client trusts.
class LoopbackHttpServer : public QTcpServer
{
    Q_OBJECT

public:
    enum class Transport { Plain, Tls };

    enum class Behaviour {
        Answer,   // status, headers and body, after the route's delay
        Garbage,  // bytes that are not HTTP, then the connection closes
        HugeBody, // 200 with a body of hugeSize bytes, streamed as the client reads it
        Silent,   // reads the request and never answers
        Drip,     // the answer, one byte a second
    };

    struct Route
    {
        int status = 200;
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers;
        int delayMs = 0;
        Behaviour behaviour = Behaviour::Answer;
        qint64 hugeSize = 50 * 1024 * 1024;
        bool announceLength = true; // HugeBody without it ends at the close, as old servers do
    };

    struct Request
    {
        QByteArray method;
        QByteArray target;                     // as sent: path and query, still percent-encoded
        QByteArray path;                       // target without its query
        QHash<QByteArray, QByteArray> headers; // names in lower case
    };

    explicit LoopbackHttpServer(Transport transport = Transport::Plain, QObject *parent = nullptr);

    QUrl baseUrl() const;
    QUrl url(const QByteArray &target) const;
    QSslCertificate certificate() const { return m_certificate; }

    // A route matches the whole target first, else the path without its query.
    void setRoute(const QByteArray &target, const Route &route);
    void answer(const QByteArray &target,
                int status,
                const QByteArray &body,
                const QByteArray &contentType = "text/html; charset=utf-8");
    void redirect(const QByteArray &from, const QByteArray &to, int status = 302);
    void misbehave(const QByteArray &target, Behaviour behaviour);

    QList<Request> requests() const { return m_requests; }
    QList<QByteArray> requestedTargets() const;
    // The most requests that were waiting for their answer at one time.
    int maxConcurrent() const { return m_maxActive; }
    // Body bytes handed to the sockets by HugeBody routes.
    qint64 streamedBytes() const { return m_streamed; }
    void clearRecord();

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    friend class LoopbackConnection;
    Route routeFor(const Request &request) const;
    void requestArrived(const Request &request);
    void requestEnded();

    Transport m_transport;
    QSslCertificate m_certificate;
    QSslKey m_key;
    QHash<QByteArray, Route> m_routes;
    QList<Request> m_requests;
    int m_active = 0;
    int m_maxActive = 0;
    qint64 m_streamed = 0;
};
