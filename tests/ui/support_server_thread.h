#pragma once
// The local HTTP server on a thread of its own, for tests whose code under test
// waits on the network on the main thread (the guard's HEAD request): the
// server keeps answering while the main thread is blocked.

#include "ui/support_http_server.h"

#include <QThread>

namespace tovalin::test {

class ServerThread {
public:
    ServerThread();
    ~ServerThread();
    ServerThread(const ServerThread &) = delete;
    ServerThread &operator=(const ServerThread &) = delete;

    bool isListening() const;
    /// As TestHttpServer::addRoute; returns once the route is in place.
    void addRoute(const QString &path, const QByteArray &body, const QByteArray &contentType = "text/html",
                  int status = 200, const HttpHeaders &extraHeaders = {});
    void addRedirect(const QString &from, const QString &to, int code = 302);
    QString address(const QString &path) const;
    QStringList requests() const;
    int requestCount(const QString &path) const;
    int requestCount(const QString &path, const QByteArray &method) const;
    void clearRequests();
    void setAnswerDelay(const QString &path, const QByteArray &method, int ms);
    QStringList answered() const;

private:
    template <typename F>
    auto call(F &&f) const;

    QThread m_thread;
    TestHttpServer *m_server = nullptr;
};

} // namespace tovalin::test
