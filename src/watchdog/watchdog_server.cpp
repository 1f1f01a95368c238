#include "watchdog/watchdog_server.h"

#include "watchdog/watchdog.h"
#include "watchdog/watchdog_protocol.h"

#include <QLocalServer>
#include <QLocalSocket>

namespace tovalin::watchdog {

namespace {
// A line longer than this is not one of ours.
constexpr qint64 kMaxLine = 256 * 1024;
} // namespace

WatchdogServer::WatchdogServer(WatchTarget &watchdog, QObject *parent)
    : QObject(parent)
    , m_watchdog(watchdog)
    , m_server(new QLocalServer(this))
{
    // Only this user may talk to the watchdog.
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &WatchdogServer::accept);
}

WatchdogServer::~WatchdogServer() = default;

bool WatchdogServer::listen(const QString &path)
{
    // The caller holds the watchdog lock: a socket file that exists now is stale.
    QLocalServer::removeServer(path);
    return m_server->listen(path);
}

QString WatchdogServer::errorString() const
{
    return m_server->errorString();
}

void WatchdogServer::accept()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        readFrom(socket);
    }
}

void WatchdogServer::readFrom(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QByteArray line = socket->readLine(kMaxLine);
        const std::optional<Message> message = decode(line);
        if (!message)
            continue;
        if (message->kind == Message::Kind::Stop) {
            // The answer leaves before the watchdog ends: the sender may wait for it.
            socket->write(encodeOk());
            socket->flush();
            socket->waitForBytesWritten(500);
            m_watchdog.stop();
            return;
        }
        m_watchdog.watch(message->watch);
        socket->write(encodeOk());
        socket->flush();
    }
    if (socket->bytesAvailable() > kMaxLine)
        socket->abort();
}

} // namespace tovalin::watchdog
