#include "activity/activity_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTimeZone>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovalin::activity {

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString requestsFile(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("/verzoeken.json");
}

QString reportsFolder(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("/verslagen");
}

QString reportFile(const QString &dataFolder, const QString &user, QDate day)
{
    return reportsFolder(dataFolder) + u'/' + user + u'/' + day.toString(Qt::ISODate) + QStringLiteral(".jsonl");
}

QString reportSettingsFile(const QString &dataFolder)
{
    return reportsFolder(dataFolder) + QStringLiteral("/bewaren.ini");
}

bool makePrivateFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    if (!QDir().mkpath(path))
        return false;
    QFile::setPermissions(path, kOwnerOnly | QFileDevice::ExeOwner);
    return true;
}

WriteResult writePrivateFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return {false, f.errorString()};
    // The temporary file takes the mode before any byte is in it; the rename keeps it.
    f.setPermissions(kOwnerOnly);
    if (f.write(bytes) != bytes.size()) {
        const QString error = f.errorString();
        f.cancelWriting();
        return {false, error};
    }
    if (!f.commit())
        return {false, f.errorString()};
    return {};
}

WriteResult appendPrivateLine(const QString &path, const QByteArray &line)
{
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return {false, systemError(errno)};
    QByteArray bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0) {
        char last = '\n';
        if (::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
            bytes = "\r\n";
    }
    bytes += line;
    bytes += "\r\n";
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return {false, systemError(error)};
        }
        done += n;
    }
    if (::close(fd) != 0)
        return {false, systemError(errno)};
    return {};
}

QString isoTime(const QDateTime &time)
{
    const QDateTime local = time.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QDateTime parseIsoTime(const QString &text)
{
    const QDateTime t = QDateTime::fromString(text, Qt::ISODate);
    return t.isValid() ? t.toLocalTime() : QDateTime();
}

} // namespace tovalin::activity
