#include "watchdog/watchdog_protocol.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

namespace tovalin::watchdog {

QString runtimeFolder()
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    QDir().mkpath(runtime);
    return runtime;
}

QString socketPath()
{
    return runtimeFolder() + QStringLiteral("/tovalin-watchdog.socket");
}

QString lockPath()
{
    return runtimeFolder() + QStringLiteral("/tovalin-watchdog.lock");
}

QStringList toCommandLine(const WatchRequest &request)
{
    QStringList args{request.windowClass, request.caption, request.executable, QString::number(request.pid)};
    args << request.arguments;
    return args;
}

std::optional<WatchRequest> fromCommandLine(const QStringList &arguments, const QString &workingDirectory)
{
    if (arguments.size() < 4)
        return std::nullopt;
    bool ok = false;
    const qint64 pid = arguments.at(3).toLongLong(&ok);
    if (!ok || pid <= 0 || arguments.at(2).isEmpty())
        return std::nullopt;
    WatchRequest r;
    r.windowClass = arguments.at(0);
    r.caption = arguments.at(1);
    r.executable = arguments.at(2);
    r.pid = pid;
    r.arguments = arguments.mid(4);
    r.workingDirectory = workingDirectory;
    return r;
}

namespace {

QByteArray line(const QJsonObject &o)
{
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace

QByteArray encodeWatch(const WatchRequest &r)
{
    QJsonObject o;
    o.insert(QStringLiteral("command"), QStringLiteral("watch"));
    o.insert(QStringLiteral("class"), r.windowClass);
    o.insert(QStringLiteral("caption"), r.caption);
    o.insert(QStringLiteral("executable"), r.executable);
    o.insert(QStringLiteral("pid"), r.pid);
    o.insert(QStringLiteral("arguments"), QJsonArray::fromStringList(r.arguments));
    o.insert(QStringLiteral("cwd"), r.workingDirectory);
    return line(o);
}

QByteArray encodeStop()
{
    return line(QJsonObject{{QStringLiteral("command"), QStringLiteral("stop")}});
}

QByteArray encodeOk()
{
    return line(QJsonObject{{QStringLiteral("ok"), true}});
}

std::optional<Message> decode(const QByteArray &bytes)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(bytes.trimmed(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonObject o = doc.object();
    const QString command = o.value(QStringLiteral("command")).toString();
    Message m;
    if (command == QLatin1String("stop")) {
        m.kind = Message::Kind::Stop;
        return m;
    }
    if (command != QLatin1String("watch"))
        return std::nullopt;
    m.kind = Message::Kind::Watch;
    WatchRequest &r = m.watch;
    r.windowClass = o.value(QStringLiteral("class")).toString();
    r.caption = o.value(QStringLiteral("caption")).toString();
    r.executable = o.value(QStringLiteral("executable")).toString();
    r.pid = o.value(QStringLiteral("pid")).toInteger();
    r.workingDirectory = o.value(QStringLiteral("cwd")).toString();
    const QJsonArray args = o.value(QStringLiteral("arguments")).toArray();
    for (const QJsonValue &a : args) {
        if (!a.isString())
            return std::nullopt;
        r.arguments << a.toString();
    }
    if (r.pid <= 0 || r.executable.isEmpty())
        return std::nullopt;
    return m;
}

} // namespace tovalin::watchdog
