#include "support_users.h"

#include "state/program_state.h"

#include <QDir>
#include <QFile>

namespace usertest {

DataFolder::DataFolder(const QStringList &themes)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("gebruikers"));
    QDir(m_dir.path()).mkpath(QStringLiteral("themas"));
    for (const QString &theme : themes)
        writeBytes(m_dir.filePath(QStringLiteral("themas/") + theme + QStringLiteral(".llt")), "20240101120000\r\n");
}

void DataFolder::attach(tovalin::ProgramState &state) const
{
    state.DataFolder = m_dir.path();
}

QString DataFolder::usersFile(const QString &fileName) const
{
    return m_dir.filePath(QStringLiteral("gebruikers/") + fileName);
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace usertest
