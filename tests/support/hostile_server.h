#pragma once
// A local HTTP server that misbehaves on purpose, for the transfer tests of every network
// client. It serves on 127.0.0.1 from a thread of its own, so a client that blocks the
// test's thread (the guard's HEAD request) still meets it. The first path segment names the
// misbehaviour, the rest is free: any client is tested by handing it
// address(Hostility::Trickle, "clip.wmv").
//
// A client's test is small: for each hostility, run the client on its address and check
// the outcome its Part names (see tests/platform/test_hostile_servers.cpp).

#include <QList>
#include <QMutex>
#include <QString>
#include <QThread>

namespace tovalin::test {

enum class Hostility {
    Silent,              ///< accepts, reads the request, sends nothing, keeps the connection open
    HeadersThenSilent,   ///< sends the headers (announcing kAnnouncedBytes) and then nothing
    HalfThenClose,       ///< announces kAnnouncedBytes, sends half of them and closes
    LongerThanAnnounced, ///< announces kAnnouncedBytes and sends four times as many
    RedirectForever,     ///< every answer redirects to a new address of the same kind
    Gigabytes,           ///< 200 OK announcing kGigabytes, then bytes as fast as the client reads
    GigabytesUnannounced,///< 200 OK without a length, then bytes as fast as the client reads
    Trickle,             ///< announces kAnnouncedBytes and sends one byte a second
    Drip,                ///< announces kAnnouncedBytes and sends ten bytes a second: never silent, never done
    TrickleHeaders,      ///< sends its status line and headers one byte a second
    Garbage,             ///< answers with bytes that are no HTTP at all, then closes
};

/// Every hostility, for data-driven tests.
QList<Hostility> allHostilities();
/// The path segment of a hostility ("silent", "trickle", ...).
QString hostilityName(Hostility hostility);

class HostileServer {
public:
    static constexpr qint64 kAnnouncedBytes = 100000;
    static constexpr qint64 kGigabytes = qint64(4) << 30;

    HostileServer();
    ~HostileServer();
    HostileServer(const HostileServer &) = delete;
    HostileServer &operator=(const HostileServer &) = delete;

    bool isListening() const;
    quint16 port() const;
    /// "http://127.0.0.1:<port>/<hostility>/<file>".
    QString address(Hostility hostility, const QString &file) const;
    /// How many requests the server has taken since the start (redirect hops included).
    int requestCount() const;
    /// Body bytes the server has sent in all.
    qint64 bytesSent() const;

private:
    class Worker;
    QThread m_thread;
    Worker *m_worker = nullptr;
    quint16 m_port = 0;
};

} // namespace tovalin::test
