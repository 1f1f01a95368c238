#pragma once
// A server on 127.0.0.1 that answers every request with fixed raw bytes, for
// servers that misbehave on purpose: lying about the length, going silent, or
// stopping halfway and keeping the connection open.

#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

namespace tovalin::test {

class RawServer : public QObject {
public:
    enum class After { Close, StayOpen };
    RawServer(QByteArray answer, After after) : m_answer(std::move(answer)), m_after(after)
    {
        QObject::connect(&m_server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    if (!socket->peek(64 * 1024).contains("\r\n\r\n") || socket->property("done").toBool())
                        return;
                    socket->setProperty("done", true);
                    ++m_requests;
                    socket->write(m_answer);
                    if (m_after == After::Close)
                        socket->disconnectFromHost();
                });
            }
        });
        m_server.listen(QHostAddress::LocalHost, 0);
    }
    QString address(const QString &path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(m_server.serverPort()).arg(path);
    }
    int requests() const { return m_requests; }

private:
    QTcpServer m_server;
    QByteArray m_answer;
    After m_after;
    int m_requests = 0;
};

} // namespace tovalin::test
