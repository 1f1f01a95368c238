#include "state/startup.h"

#include "core/text_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tovalin {

QString resolveProgramFolder()
{
    QString dir = qEnvironmentVariable("TOVALIN_PROGRAM_DIR");
    if (dir.isEmpty())
        return programFolderFor(QCoreApplication::applicationDirPath());
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

QString programFolderFor(const QString &executableFolder)
{
    const QString own = QDir::cleanPath(executableFolder);
    QString dir = own;
    if (!QFileInfo(own + QStringLiteral("/resources")).isDir()) {
        const QString installed = QDir::cleanPath(own + QStringLiteral("/../share/tovalin"));
        if (QFileInfo(installed + QStringLiteral("/resources")).isDir())
            dir = installed;
    }
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

bool inTovalinSession()
{
    return qEnvironmentVariable(kSessionVariable) == QLatin1String("1");
}

QString helperProgramPath(const QString &programFolder, const QString &name)
{
    const QString beside = QCoreApplication::applicationDirPath() + u'/' + name;
    if (QFileInfo(beside).isExecutable())
        return beside;
    return programFolder + name;
}

QString resolveDataFolder()
{
    const QString explicitDir = qEnvironmentVariable("TOVALIN_DATA_DIR");
    if (!explicitDir.isEmpty())
        return QDir::cleanPath(explicitDir);
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/tovalin2"));
}

FolderSetup createDataFolders(const ProgramState &state)
{
    FolderSetup setup;
    const QStringList folders{state.usersFolder(), state.downloadsFolder(), state.themesFolder(), state.videoFolder()};
    for (const QString &folder : folders) {
        if (QFileInfo(folder).isDir())
            continue;
        if (!QDir().mkpath(folder))
            setup.failed.append(folder);
    }
    return setup;
}

bool checkFirstRun(const ProgramState &state)
{
    if (QFileInfo::exists(state.firstRunMarker()))
        return false;
    // A marker that cannot be written means the wizard offers itself again next
    // time; that is better than refusing to start.
    writeLines(state.firstRunMarker(), {QStringLiteral("gestart")});
    return true;
}

SingleInstance::SingleInstance(const QString &executableName)
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    QDir().mkpath(runtime);
    m_lock = std::make_unique<QLockFile>(runtime + u'/' + executableName.toUpper() + QStringLiteral(".lock"));
    // A lock left by a crashed instance is taken over at once.
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
}

QString SingleInstance::lockPath() const
{
    return m_lock ? m_lock->fileName() : QString();
}

} // namespace tovalin
