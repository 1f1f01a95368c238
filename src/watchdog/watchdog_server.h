#pragma once
// The watchdog's local socket: "watch" hands it a (new) process to watch,
// "stop" ends it. Every complete message is answered {"ok":true}. In the
// Tovalin session the session's launcher answers on the same socket.

#include <QObject>

class QLocalServer;
class QLocalSocket;

namespace tovalin::watchdog {

class WatchTarget;

class WatchdogServer : public QObject {
    Q_OBJECT
public:
    explicit WatchdogServer(WatchTarget &watchdog, QObject *parent = nullptr);
    ~WatchdogServer() override;

    /// Listens on path, replacing a socket file left by a watchdog that has ended.
    bool listen(const QString &path);
    QString errorString() const;

private:
    void accept();
    void readFrom(QLocalSocket *socket);

    WatchTarget &m_watchdog;
    QLocalServer *m_server = nullptr;
};

} // namespace tovalin::watchdog
