#include "support/LoopbackHttpServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSslSocket>
#include <QTimer>

#include <algorithm>

namespace {

constexpr qint64 kChunk = 64 * 1024;
constexpr qint64 kMaxQueued = 256 * 1024;
constexpr qsizetype kMaxHead = 64 * 1024;

QByteArray readBeside(const char *name)
{
    // The certificate lives beside this source file, wherever the checkout is.
    const QDir here = QFileInfo(QString::fromUtf8(__FILE__)).absoluteDir();
    QFile file(here.filePath(QString::fromLatin1(name)));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("LoopbackHttpServer: cannot read %s", qPrintable(file.fileName()));
    return file.readAll();
}

QByteArray phrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

QByteArray head(const LoopbackHttpServer::Route &route, qint64 length, bool keepAlive)
{
    QByteArray out = "HTTP/1.1 " + QByteArray::number(route.status) + ' ' + phrase(route.status) + "\r\n";
    bool typed = false;
    for (const auto &[name, value] : route.headers) {
        out += name + ": " + value + "\r\n";
        typed = typed || name.compare("content-type", Qt::CaseInsensitive) == 0;
    }
    if (!typed)
        out += "Content-Type: text/html; charset=utf-8\r\n";
    if (length >= 0)
        out += "Content-Length: " + QByteArray::number(length) + "\r\n";
    out += keepAlive ? "Connection: keep-alive\r\n\r\n" : "Connection: close\r\n\r\n";
    return out;
}

} // namespace

// One client connection: requests one after another, each answered as its route says.
class LoopbackConnection : public QObject
{
public:
    LoopbackConnection(LoopbackHttpServer *server, QTcpSocket *socket)
        : QObject(server)
        , m_server(server)
        , m_socket(socket)
    {
        socket->setParent(this);
        connect(socket, &QTcpSocket::readyRead, this, &LoopbackConnection::readRequests);
        connect(socket, &QTcpSocket::bytesWritten, this, &LoopbackConnection::stream);
        connect(socket, &QTcpSocket::disconnected, this, &LoopbackConnection::close);
        connect(&m_drip, &QTimer::timeout, this, &LoopbackConnection::dripOne);
    }

private:
    void readRequests()
    {
        m_buffer += m_socket->readAll();
        while (!m_busy && m_socket->isOpen()) {
            const qsizetype end = m_buffer.indexOf("\r\n\r\n");
            if (end < 0) {
                if (m_buffer.size() > kMaxHead)
                    m_socket->abort();
                return;
            }
            const QList<QByteArray> lines = m_buffer.left(end).split('\n');
            m_buffer.remove(0, end + 4);
            LoopbackHttpServer::Request request;
            const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
            request.method = first.value(0);
            request.target = first.value(1);
            request.path = request.target.left(request.target.indexOf('?') < 0 ? request.target.size()
                                                                               : request.target.indexOf('?'));
            for (qsizetype i = 1; i < lines.size(); ++i) {
                const qsizetype colon = lines.at(i).indexOf(':');
                if (colon > 0)
                    request.headers.insert(lines.at(i).left(colon).trimmed().toLower(),
                                           lines.at(i).mid(colon + 1).trimmed());
            }
            m_busy = true;
            m_server->requestArrived(request);
            const LoopbackHttpServer::Route route = m_server->routeFor(request);
            if (route.delayMs > 0)
                QTimer::singleShot(route.delayMs, this, [this, route] { respond(route); });
            else
                respond(route);
        }
    }

    void respond(const LoopbackHttpServer::Route &route)
    {
        using Behaviour = LoopbackHttpServer::Behaviour;
        switch (route.behaviour) {
        case Behaviour::Answer:
            m_socket->write(head(route, route.body.size(), true) + route.body);
            answered();
            readRequests();
            break;
        case Behaviour::Garbage: {
            static const char garbage[] = "\x00\x13\x37\xff\xfe not a status line\r\n\r\n\x01\x02";
            m_socket->write(garbage, sizeof garbage - 1);
            answered();
            m_socket->disconnectFromHost();
            break;
        }
        case Behaviour::HugeBody:
            m_closeAfterStream = !route.announceLength;
            m_socket->write(head(route, route.announceLength ? route.hugeSize : -1, route.announceLength));
            m_hugeLeft = route.hugeSize;
            stream();
            break;
        case Behaviour::Silent:
            break;
        case Behaviour::Drip:
            m_dripping = head(route, route.body.size(), false) + route.body;
            m_drip.start(1000);
            break;
        }
    }

    // Writes more of a huge body only as the client takes it, so nothing large sits in memory.
    void stream()
    {
        while (m_hugeLeft > 0 && m_socket->bytesToWrite() < kMaxQueued) {
            const qint64 size = std::min(kChunk, m_hugeLeft);
            m_socket->write(QByteArray(size, 'x'));
            m_hugeLeft -= size;
            m_server->m_streamed += size;
            if (m_hugeLeft == 0) {
                answered();
                if (m_closeAfterStream)
                    m_socket->disconnectFromHost();
            }
        }
    }

    void dripOne()
    {
        if (m_dripping.isEmpty()) {
            m_drip.stop();
            answered();
            m_socket->disconnectFromHost();
            return;
        }
        m_socket->write(m_dripping.left(1));
        m_dripping.remove(0, 1);
    }

    void answered()
    {
        if (m_busy)
            m_server->requestEnded();
        m_busy = false;
    }

    void close()
    {
        answered();
        m_drip.stop();
        m_hugeLeft = 0;
        deleteLater();
    }

    LoopbackHttpServer *m_server;
    QTcpSocket *m_socket;
    QByteArray m_buffer;
    bool m_busy = false;
    qint64 m_hugeLeft = 0;
    bool m_closeAfterStream = false;
    QByteArray m_dripping;
    QTimer m_drip;
};

LoopbackHttpServer::LoopbackHttpServer(Transport transport, QObject *parent)
    : QTcpServer(parent)
    , m_transport(transport)
{
    if (transport == Transport::Tls) {
        m_certificate = QSslCertificate(readBeside("LoopbackHttpServer.cert.pem"), QSsl::Pem);
        m_key = QSslKey(readBeside("LoopbackHttpServer.key.pem"), QSsl::Rsa, QSsl::Pem);
    }
    listen(QHostAddress::LocalHost, 0);
}

QUrl LoopbackHttpServer::baseUrl() const
{
    const QString scheme = m_transport == Transport::Tls ? QStringLiteral("https") : QStringLiteral("http");
    return QUrl(scheme + QStringLiteral("://127.0.0.1:") + QString::number(serverPort()));
}

QUrl LoopbackHttpServer::url(const QByteArray &target) const
{
    return QUrl::fromEncoded(baseUrl().toEncoded() + target);
}

void LoopbackHttpServer::setRoute(const QByteArray &target, const Route &route)
{
    m_routes.insert(target, route);
}

void LoopbackHttpServer::answer(const QByteArray &target,
                                int status,
                                const QByteArray &body,
                                const QByteArray &contentType)
{
    Route route;
    route.status = status;
    route.body = body;
    route.headers = {{"Content-Type", contentType}};
    setRoute(target, route);
}

void LoopbackHttpServer::redirect(const QByteArray &from, const QByteArray &to, int status)
{
    Route route;
    route.status = status;
    route.headers = {{"Location", to}};
    setRoute(from, route);
}

void LoopbackHttpServer::misbehave(const QByteArray &target, Behaviour behaviour)
{
    Route route = m_routes.value(target);
    route.behaviour = behaviour;
    setRoute(target, route);
}

QList<QByteArray> LoopbackHttpServer::requestedTargets() const
{
    QList<QByteArray> targets;
    for (const Request &request : m_requests)
        targets << request.target;
    return targets;
}

void LoopbackHttpServer::clearRecord()
{
    m_requests.clear();
    m_maxActive = m_active;
    m_streamed = 0;
}

void LoopbackHttpServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket = nullptr;
    if (m_transport == Transport::Tls) {
        auto *tls = new QSslSocket;
        tls->setLocalCertificate(m_certificate);
        tls->setPrivateKey(m_key);
        tls->setPeerVerifyMode(QSslSocket::VerifyNone);
        socket = tls;
    } else {
        socket = new QTcpSocket;
    }
    if (!socket->setSocketDescriptor(descriptor)) {
        delete socket;
        return;
    }
    new LoopbackConnection(this, socket);
    if (auto *tls = qobject_cast<QSslSocket *>(socket))
        tls->startServerEncryption();
}

LoopbackHttpServer::Route LoopbackHttpServer::routeFor(const Request &request) const
{
    if (const auto it = m_routes.constFind(request.target); it != m_routes.cend())
        return *it;
    if (const auto it = m_routes.constFind(request.path); it != m_routes.cend())
        return *it;
    Route missing;
    missing.status = 404;
    missing.body = "<html><body>Not Found</body></html>";
    return missing;
}

void LoopbackHttpServer::requestArrived(const Request &request)
{
    m_requests << request;
    m_maxActive = std::max(m_maxActive, ++m_active);
}

void LoopbackHttpServer::requestEnded()
{
    --m_active;
}
