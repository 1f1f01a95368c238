#pragma once
// A small HTTP/1.1 server on 127.0.0.1 for real-window tests: fixed routes with
// status, headers and body, redirects, and a log of what was asked. Every answer
// closes its connection, so no keep-alive state lives between requests.

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTcpServer>
#include <QUrl>

class QTcpSocket;

namespace tovalin::test {

using HttpHeaders = QList<QPair<QByteArray, QByteArray>>;

class TestHttpServer : public QObject {
    Q_OBJECT
public:
    /// Starts listening on 127.0.0.1 at a free port; isListening() tells whether it worked.
    explicit TestHttpServer(QObject *parent = nullptr);

    bool isListening() const { return m_server.isListening(); }
    quint16 port() const { return m_server.serverPort(); }

    /// Answers GET/HEAD/POST of `path` (with its query when the route has one, else any query).
    /// A path written with its method in front ("GET /v.avi") answers that method only, before
    /// the route of the bare path.
    void addRoute(const QString &path, const QByteArray &body, const QByteArray &contentType = "text/html",
                  int status = 200, const HttpHeaders &extraHeaders = {});
    /// Answers `path` with a head announcing `declaredLength` bytes, sends `firstBytes` of them and
    /// then stays silent with the connection open: a server that hangs in the middle of a transfer.
    void addStalledRoute(const QString &path, const QByteArray &firstBytes, qint64 declaredLength,
                         const QByteArray &contentType = "application/octet-stream");
    /// Holds every answer to `method` requests of `path` back for `ms` milliseconds (a slow server).
    void setAnswerDelay(const QString &path, const QByteArray &method, int ms)
    {
        m_delays.insert(QString::fromLatin1(method) + u' ' + path, ms);
    }
    /// Answers sent so far, as "HEAD /path", in order.
    QStringList answered() const { return m_answered; }

    /// Answers `from` with a redirect to `to` (a path on this server or a whole address).
    void addRedirect(const QString &from, const QString &to, int code = 302);

    /// The whole address of a path on this server ("http://127.0.0.1:<port>/path").
    QUrl url(const QString &path) const;
    QString address(const QString &path) const { return url(path).toString(); }

    /// Paths (with query) in the order they were asked; unknown paths included (they get 404).
    QStringList requests() const { return m_requests; }
    int requestCount(const QString &path) const { return int(m_requests.count(path)); }
    /// The value of a request header of the last request of `path` (any query); empty when none.
    QByteArray requestHeader(const QString &path, const QByteArray &name) const;
    /// How often `path` was asked with `method` ("GET", "HEAD").
    int requestCount(const QString &path, const QByteArray &method) const
    {
        return int(m_requestLines.count(QString::fromLatin1(method) + u' ' + path));
    }
    void clearRequests()
    {
        m_requests.clear();
        m_requestLines.clear();
        m_answered.clear();
        m_heads.clear();
    }

signals:
    void requested(const QString &path);

private:
    struct Route {
        int status = 200;
        QByteArray body;
        HttpHeaders headers;
        qint64 stallAfterBody = -1; ///< when ≥ 0: the announced length; the connection stays open
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QByteArray &method, const QString &target, const QByteArray &head);

    QTcpServer m_server;
    QHash<QString, Route> m_routes;
    QStringList m_requests;
    QStringList m_requestLines; // "GET /path", in order
    QHash<QString, int> m_delays; // "HEAD /path" -> ms
    QStringList m_answered;       // "HEAD /path", in order of answering
    QHash<QString, QByteArray> m_heads; // the last request head per path, query left out
};

} // namespace tovalin::test
