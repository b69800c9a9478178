#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkReply;

// The outcome of one GET. ok is false for every transport failure (no connection, time-out, TLS,
// too many redirects, body too large, aborted); any answer the server completed is ok, whatever
// its status.
struct HttpResult
{
    bool ok = false;
    int status = 0;
    QByteArray body;
    QString reason; // for the log: the status line, or what went wrong
    QUrl finalUrl;  // after redirects
};

struct HttpLimits
{
    int connectTimeoutMs = 15000;
    int totalTimeoutMs = 15000;
    qint64 maxBodySize = 4 * 1024 * 1024;
};

// One request in flight, made by HttpClient::start(). It emits finished() exactly once, never
// from inside start(), and deletes itself afterwards.
class HttpRequest : public QObject
{
    Q_OBJECT

public:
    HttpRequest(QNetworkReply *reply, const HttpLimits &limits, QObject *parent);
    // A request that cannot be sent, failing with reason on the next turn of the event loop.
    HttpRequest(const QUrl &url, const QString &reason, QObject *parent);

    QUrl url() const { return m_url; }
    bool isFinished() const { return m_finished; }
    // Ends the request at once with ok = false; nothing happens when it has finished.
    void abort();

signals:
    void finished(const HttpResult &result);

private:
    void readBody();
    void checkAnnouncedSize();
    void fail(const QString &reason);
    void complete();
    void emitFinished();

    QUrl m_url;
    QPointer<QNetworkReply> m_reply;
    HttpLimits m_limits;
    QTimer m_connectTimer;
    QTimer m_totalTimer;
    QByteArray m_body;
    QString m_failure; // set when we end the request ourselves
    HttpResult m_result;
    bool m_finished = false;
};
