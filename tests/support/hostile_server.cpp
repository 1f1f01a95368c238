#include "support/hostile_server.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <atomic>
#include <memory>

namespace tovalin::test {

namespace {

struct Named {
    Hostility hostility;
    const char *name;
};

constexpr Named kNames[] = {
    {Hostility::Silent, "silent"},
    {Hostility::HeadersThenSilent, "headers_then_silent"},
    {Hostility::HalfThenClose, "half_then_close"},
    {Hostility::LongerThanAnnounced, "longer_than_announced"},
    {Hostility::RedirectForever, "redirect_forever"},
    {Hostility::Gigabytes, "gigabytes"},
    {Hostility::GigabytesUnannounced, "gigabytes_unannounced"},
    {Hostility::Trickle, "trickle"},
    {Hostility::Drip, "drip"},
    {Hostility::TrickleHeaders, "trickle_headers"},
    {Hostility::Garbage, "garbage"},
};

constexpr qint64 kChunk = 64 * 1024;
constexpr qint64 kWriteAhead = 256 * 1024; // what may wait in the socket's buffer

QByteArray headers(qint64 length, const QByteArray &status = "200 OK")
{
    QByteArray h = "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
    if (length >= 0)
        h += "Content-Length: " + QByteArray::number(length) + "\r\n";
    return h + "\r\n";
}

} // namespace

QList<Hostility> allHostilities()
{
    QList<Hostility> out;
    for (const Named &n : kNames)
        out << n.hostility;
    return out;
}

QString hostilityName(Hostility hostility)
{
    for (const Named &n : kNames)
        if (n.hostility == hostility)
            return QString::fromLatin1(n.name);
    return {};
}

class HostileServer::Worker : public QObject {
public:
    Worker()
    {
        connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                take(socket);
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }

    QTcpServer m_server;
    std::atomic<int> requests{0};
    std::atomic<qint64> sent{0};

private:
    void take(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            if (socket->property("answered").toBool()) {
                socket->readAll();
                return;
            }
            if (!socket->peek(64 * 1024).contains("\r\n\r\n"))
                return;
            socket->setProperty("answered", true);
            const QByteArray requestLine = socket->readLine().trimmed();
            socket->readAll();
            const QList<QByteArray> parts = requestLine.split(' ');
            const QByteArray method = parts.value(0);
            const QString path = QString::fromLatin1(parts.value(1));
            ++requests;
            answer(socket, method == "HEAD", path);
        });
    }

    void send(QTcpSocket *socket, const QByteArray &bytes, bool body)
    {
        if (socket->state() != QAbstractSocket::ConnectedState)
            return;
        socket->write(bytes);
        if (body)
            sent += bytes.size();
    }

    void answer(QTcpSocket *socket, bool head, const QString &path)
    {
        const QString kind = path.section(u'/', 1, 1);
        Hostility hostility = Hostility::Garbage;
        bool known = false;
        for (const Named &n : kNames) {
            if (kind == QLatin1String(n.name)) {
                hostility = n.hostility;
                known = true;
            }
        }
        if (!known) {
            send(socket, headers(0, "404 Not Found"), false);
            socket->disconnectFromHost();
            return;
        }
        switch (hostility) {
        case Hostility::Silent:
            break;
        case Hostility::HeadersThenSilent:
            send(socket, headers(kAnnouncedBytes), false);
            break;
        case Hostility::HalfThenClose:
            send(socket, headers(kAnnouncedBytes), false);
            if (!head)
                send(socket, QByteArray(kAnnouncedBytes / 2, 'h'), true);
            socket->disconnectFromHost();
            break;
        case Hostility::LongerThanAnnounced:
            send(socket, headers(kAnnouncedBytes), false);
            if (!head)
                send(socket, QByteArray(4 * kAnnouncedBytes, 'l'), true);
            socket->disconnectFromHost();
            break;
        case Hostility::RedirectForever: {
            // /redirect_forever/<n>/<file> leads to /redirect_forever/<n+1>/<file>.
            const int hop = path.section(u'/', 2, 2).toInt();
            const QString file = path.section(u'/', hop > 0 ? 3 : 2);
            const QString next = QStringLiteral("/redirect_forever/%1/%2").arg(hop + 1).arg(file);
            send(socket, "HTTP/1.1 302 Found\r\nLocation: " + next.toLatin1() + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n", false);
            socket->disconnectFromHost();
            break;
        }
        case Hostility::Gigabytes:
        case Hostility::GigabytesUnannounced:
            send(socket, headers(hostility == Hostility::Gigabytes ? kGigabytes : -1), false);
            if (head) {
                socket->disconnectFromHost();
                break;
            }
            stream(socket);
            break;
        case Hostility::Trickle:
        case Hostility::Drip:
            send(socket, headers(kAnnouncedBytes), false);
            if (head) {
                socket->disconnectFromHost();
                break;
            }
            trickle(socket, QByteArray(kAnnouncedBytes, 't'), true, hostility == Hostility::Drip ? 100 : 1000);
            break;
        case Hostility::TrickleHeaders:
            trickle(socket, headers(10) + (head ? QByteArray() : QByteArray("0123456789")), false, 1000);
            break;
        case Hostility::Garbage:
            send(socket, QByteArray("\x00\xff\xfeNOT HTTP AT ALL\r\n\r\n", 21) + QByteArray(5000, '\x9c'), false);
            socket->disconnectFromHost();
            break;
        }
    }

    // As fast as the client reads: never more than kWriteAhead waits in the buffer, so the
    // server's own memory stays flat however long it runs.
    void stream(QTcpSocket *socket)
    {
        auto streamed = std::make_shared<qint64>(0);
        const auto topUp = [this, socket, streamed] {
            while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < kWriteAhead
                   && *streamed < kGigabytes) {
                const qint64 n = std::min(kChunk, kGigabytes - *streamed);
                send(socket, QByteArray(n, 'g'), true);
                *streamed += n;
            }
            if (*streamed >= kGigabytes && socket->bytesToWrite() == 0)
                socket->disconnectFromHost();
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, topUp);
        topUp();
    }

    // One byte every intervalMs.
    void trickle(QTcpSocket *socket, const QByteArray &bytes, bool body, int intervalMs)
    {
        auto *timer = new QTimer(socket);
        auto at = std::make_shared<qsizetype>(0);
        connect(timer, &QTimer::timeout, socket, [this, socket, bytes, body, timer, at] {
            if (*at >= bytes.size()) {
                timer->stop();
                socket->disconnectFromHost();
                return;
            }
            send(socket, bytes.mid(*at, 1), body);
            ++*at;
        });
        timer->start(intervalMs);
    }
};

HostileServer::HostileServer()
{
    m_thread.setObjectName(QStringLiteral("hostile http server"));
    m_thread.start();
    // The server and its sockets live on the thread that serves them.
    auto *maker = new QObject;
    maker->moveToThread(&m_thread);
    QMetaObject::invokeMethod(maker, [this] {
        m_worker = new Worker;
        m_port = m_worker->m_server.serverPort();
    }, Qt::BlockingQueuedConnection);
    maker->deleteLater();
}

HostileServer::~HostileServer()
{
    QMetaObject::invokeMethod(m_worker, [this] { delete m_worker; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool HostileServer::isListening() const
{
    return m_port != 0;
}

quint16 HostileServer::port() const
{
    return m_port;
}

QString HostileServer::address(Hostility hostility, const QString &file) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2/%3").arg(m_port).arg(hostilityName(hostility), file);
}

int HostileServer::requestCount() const
{
    return m_worker->requests.load();
}

qint64 HostileServer::bytesSent() const
{
    return m_worker->sent.load();
}

} // namespace tovalin::test
