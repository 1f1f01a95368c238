#include "ui/support_server_thread.h"

namespace tovalin::test {

template <typename F>
auto ServerThread::call(F &&f) const
{
    using R = decltype(f());
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(m_server, std::forward<F>(f), Qt::BlockingQueuedConnection);
    } else {
        R value{};
        QMetaObject::invokeMethod(m_server, [&] { value = f(); }, Qt::BlockingQueuedConnection);
        return value;
    }
}

ServerThread::ServerThread()
{
    m_thread.setObjectName(QStringLiteral("test http server"));
    m_thread.start();
    // The server and its sockets must be made on the thread that serves them.
    auto *maker = new QObject;
    maker->moveToThread(&m_thread);
    QMetaObject::invokeMethod(maker, [this] { m_server = new TestHttpServer; }, Qt::BlockingQueuedConnection);
    maker->deleteLater();
}

ServerThread::~ServerThread()
{
    QMetaObject::invokeMethod(m_server, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

bool ServerThread::isListening() const
{
    return call([this] { return m_server->isListening(); });
}

void ServerThread::addRoute(const QString &path, const QByteArray &body, const QByteArray &contentType, int status,
                            const HttpHeaders &extraHeaders)
{
    call([=, this] { m_server->addRoute(path, body, contentType, status, extraHeaders); });
}

void ServerThread::addRedirect(const QString &from, const QString &to, int code)
{
    call([=, this] { m_server->addRedirect(from, to, code); });
}

QString ServerThread::address(const QString &path) const
{
    return call([&, this] { return m_server->address(path); });
}

QStringList ServerThread::requests() const
{
    return call([this] { return m_server->requests(); });
}

int ServerThread::requestCount(const QString &path) const
{
    return call([&, this] { return m_server->requestCount(path); });
}

int ServerThread::requestCount(const QString &path, const QByteArray &method) const
{
    return call([&, this] { return m_server->requestCount(path, method); });
}

void ServerThread::setAnswerDelay(const QString &path, const QByteArray &method, int ms)
{
    call([=, this] { m_server->setAnswerDelay(path, method, ms); });
}

QStringList ServerThread::answered() const
{
    return call([this] { return m_server->answered(); });
}

void ServerThread::clearRequests()
{
    call([this] { m_server->clearRequests(); });
}

} // namespace tovalin::test
