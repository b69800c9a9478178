#include "quotes/HttpRequest.h"

#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

// Connection, TLS, proxy and protocol errors mean no answer; content and server errors come with a
// status the caller reads.
bool isTransportError(QNetworkReply::NetworkError error)
{
    const int code = int(error);
    return code != 0 && (code < 200 || (code >= 300 && code < 400));
}

QString seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 3);
}

} // namespace

HttpRequest::HttpRequest(QNetworkReply *reply, const HttpLimits &limits, QObject *parent)
    : QObject(parent)
    , m_url(reply->url())
    , m_reply(reply)
    , m_limits(limits)
{
    reply->setParent(this);
    // Small reads keep a huge answer from piling up inside the reply before it is refused.
    reply->setReadBufferSize(64 * 1024);

    m_connectTimer.setSingleShot(true);
    m_totalTimer.setSingleShot(true);
    connect(&m_connectTimer, &QTimer::timeout, this, [this] {
        fail(tr("No connection within %1 s").arg(seconds(m_limits.connectTimeoutMs)));
    });
    connect(&m_totalTimer, &QTimer::timeout, this, [this] {
        fail(tr("No complete answer within %1 s").arg(seconds(m_limits.totalTimeoutMs)));
    });
    const auto connected = [this] {
        m_connectTimer.stop();
    };
    connect(reply, &QNetworkReply::requestSent, this, connected);
    connect(reply, &QNetworkReply::encrypted, this, connected);
    connect(reply, &QNetworkReply::redirected, this, [this] { m_body.clear(); });
    connect(reply, &QNetworkReply::metaDataChanged, this, &HttpRequest::checkAnnouncedSize);
    connect(reply, &QNetworkReply::readyRead, this, &HttpRequest::readBody);
    connect(reply, &QNetworkReply::finished, this, &HttpRequest::complete);
    m_connectTimer.start(m_limits.connectTimeoutMs);
    m_totalTimer.start(m_limits.totalTimeoutMs);
}

HttpRequest::HttpRequest(const QUrl &url, const QString &reason, QObject *parent)
    : QObject(parent)
    , m_url(url)
    , m_failure(reason)
{
    QTimer::singleShot(0, this, &HttpRequest::complete);
}

void HttpRequest::abort()
{
    fail(tr("Aborted"));
}

void HttpRequest::checkAnnouncedSize()
{
    m_connectTimer.stop();
    if (!m_reply)
        return;
    bool known = false;
    const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
    if (known && length > m_limits.maxBodySize)
        fail(tr("Answer too large (%1 bytes, at most %2)").arg(length).arg(m_limits.maxBodySize));
}

void HttpRequest::readBody()
{
    if (!m_reply || !m_failure.isEmpty())
        return;
    m_connectTimer.stop();
    m_body += m_reply->readAll();
    if (m_body.size() > m_limits.maxBodySize) {
        m_body.clear();
        fail(tr("Answer too large (over %1 bytes)").arg(m_limits.maxBodySize));
    }
}

void HttpRequest::fail(const QString &reason)
{
    if (m_finished)
        return;
    if (m_failure.isEmpty())
        m_failure = reason;
    if (m_reply && m_reply->isRunning())
        m_reply->abort(); // emits the reply's finished(), which completes us
    complete();
}

void HttpRequest::complete()
{
    if (m_finished)
        return;
    if (m_reply && m_failure.isEmpty())
        readBody();
    if (m_finished) // readBody() failed us
        return;
    m_finished = true;
    m_connectTimer.stop();
    m_totalTimer.stop();

    m_result.finalUrl = m_url;
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    QString errorText;
    if (m_reply) {
        m_result.finalUrl = m_reply->url();
        m_result.status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        error = m_reply->error();
        errorText = m_reply->errorString();
        m_reply->disconnect(this);
    }
    if (!m_failure.isEmpty()) {
        m_result.reason = m_failure;
    } else if (isTransportError(error) || m_result.status <= 0) {
        m_result.reason = errorText;
    } else {
        m_result.ok = true;
        m_result.body = m_body;
        const QString phrase = m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        m_result.reason = QString::number(m_result.status) + QLatin1Char(' ') + phrase;
    }
    m_body.clear();
    emit finished(m_result);
    deleteLater();
}
