#include "support_http_server.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace tovalin::test {

namespace {

// A request head larger than this is answered 431 instead of being buffered forever.
constexpr qsizetype kMaxHeadBytes = 64 * 1024;

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200: return "OK";
    case 204: return "No Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 307: return "Temporary Redirect";
    case 308: return "Permanent Redirect";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    default: return "Status";
    }
}

} // namespace

TestHttpServer::TestHttpServer(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &TestHttpServer::onNewConnection);
    m_server.listen(QHostAddress::LocalHost, 0);
}

void TestHttpServer::addRoute(const QString &path, const QByteArray &body, const QByteArray &contentType,
                              int status, const HttpHeaders &extraHeaders)
{
    Route route;
    route.status = status;
    route.body = body;
    route.headers.append({"Content-Type", contentType});
    route.headers.append(extraHeaders);
    m_routes.insert(path, route);
}

void TestHttpServer::addStalledRoute(const QString &path, const QByteArray &firstBytes, qint64 declaredLength,
                                     const QByteArray &contentType)
{
    Route route;
    route.body = firstBytes;
    route.headers.append({"Content-Type", contentType});
    route.stallAfterBody = declaredLength;
    m_routes.insert(path, route);
}

void TestHttpServer::addRedirect(const QString &from, const QString &to, int code)
{
    const QString target = to.startsWith(u'/') ? address(to) : to;
    addRoute(from, QByteArray(), "text/html", code, {{"Location", target.toUtf8()}});
}

QUrl TestHttpServer::url(const QString &path) const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(port()).arg(path));
}

void TestHttpServer::onNewConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void TestHttpServer::onReadyRead(QTcpSocket *socket)
{
    // The head is buffered in the socket itself until it is whole; a request
    // body (POST) is not needed by any route and is simply left unread.
    if (socket->property("answered").toBool()) {
        socket->readAll();
        return;
    }
    const QByteArray pending = socket->peek(kMaxHeadBytes + 4);
    const qsizetype end = pending.indexOf("\r\n\r\n");
    if (end < 0) {
        if (pending.size() > kMaxHeadBytes) {
            socket->setProperty("answered", true);
            socket->write("HTTP/1.1 431 Request Header Fields Too Large\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
        }
        return;
    }
    const QByteArray head = socket->read(end + 4);
    const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
    socket->setProperty("answered", true);
    if (requestLine.size() < 2) {
        socket->write("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    answer(socket, requestLine.at(0), QString::fromUtf8(requestLine.at(1)), head);
}

QByteArray TestHttpServer::requestHeader(const QString &path, const QByteArray &name) const
{
    const QList<QByteArray> lines = m_heads.value(path.section(u'?', 0, 0)).split('\n');
    for (const QByteArray &line : lines) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().compare(name, Qt::CaseInsensitive) == 0)
            return line.mid(colon + 1).trimmed();
    }
    return {};
}

void TestHttpServer::answer(QTcpSocket *socket, const QByteArray &method, const QString &target, const QByteArray &head)
{
    // One head per path (the query left out), so a long run does not grow with every request.
    m_heads.insert(target.section(u'?', 0, 0), head);
    m_requests.append(target);
    m_requestLines.append(QString::fromLatin1(method) + u' ' + target);
    emit requested(target);

    auto route = m_routes.constFind(QString::fromLatin1(method) + u' ' + target);
    if (route == m_routes.cend())
        route = m_routes.constFind(target);
    if (route == m_routes.cend())
        route = m_routes.constFind(target.section(u'?', 0, 0));
    Route notFound;
    notFound.status = 404;
    notFound.body = "<html><body>not found</body></html>";
    notFound.headers.append({QByteArrayLiteral("Content-Type"), QByteArrayLiteral("text/html")});
    const Route &r = route == m_routes.cend() ? notFound : *route;

    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + ' ' + reasonPhrase(r.status) + "\r\n";
    for (const auto &[name, value] : r.headers)
        out += name + ": " + value + "\r\n";
    const bool stall = r.stallAfterBody >= 0;
    out += "Content-Length: " + QByteArray::number(stall ? r.stallAfterBody : r.body.size()) + "\r\n";
    out += "Cache-Control: no-store\r\nConnection: close\r\n\r\n";
    if (method != "HEAD")
        out += r.body;
    const QString line = QString::fromLatin1(method) + u' ' + target;
    const auto send = [this, socket, out, stall, line] {
        m_answered.append(line);
        socket->write(out);
        if (!stall)
            socket->disconnectFromHost();
    };
    if (const int delay = m_delays.value(line); delay > 0)
        QTimer::singleShot(delay, socket, send);
    else
        send();
}

} // namespace tovalin::test
