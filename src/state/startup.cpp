#include "state/startup.h"

#include "core/text_file.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRegularExpression>
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

namespace {

Q_LOGGING_CATEGORY(lcStartup, "tovalin.startup", QtWarningMsg)

QString runtimeFolder()
{
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    QDir().mkpath(runtime);
    return runtime;
}

// The endings of the files Tovalin writes into its data folder outside the video and
// download folders, whose files are named after what was fetched. A file kind added to the
// data folder adds its ending here, so that a save of it killed half-way is cleared too.
const QStringList kDataFileEndings{
    QStringLiteral("usr"), QStringLiteral("kvu"), QStringLiteral("kou"), QStringLiteral("kpu"),
    QStringLiteral("llt"), QStringLiteral("kld"), QStringLiteral("bmp"), QStringLiteral("tvr"),
    QStringLiteral("tvw"), QStringLiteral("tmp"), QStringLiteral("tvz"), QStringLiteral("json"),
    QStringLiteral("ini"),
};

} // namespace

DataFolderUse::DataFolderUse(const QString &dataFolder)
{
    const QByteArray key = QCryptographicHash::hash(QDir(dataFolder).absolutePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_lock = std::make_unique<QLockFile>(runtimeFolder() + QStringLiteral("/tovalin-data-") + QString::fromLatin1(key) + QStringLiteral(".lock"));
    // The lock of a Tovalin that was killed is taken over at once, as the instance lock is.
    m_lock->setStaleLockTime(0);
    m_only = m_lock->tryLock(0);
}

bool isStaleTemporaryName(const QString &folder, const QString &name, bool isFolder)
{
    // QSaveFile writes "FINAL.XXXXXX" and renames it over FINAL; QTemporaryDir makes the
    // import's staging folder.
    static const QRegularExpression staging(QStringLiteral("^\\.tovalin-import-[A-Za-z0-9]{6}$"));
    static const QRegularExpression saving(QStringLiteral("^.+\\.([A-Za-z0-9]{1,8})\\.[A-Za-z0-9]{6}$"));
    if (isFolder)
        return folder == u"themas" && staging.match(name).hasMatch();
    const QRegularExpressionMatch m = saving.match(name);
    if (!m.hasMatch())
        return false;
    if (folder == u"video" || folder == u"downloads")
        return true;
    return kDataFileEndings.contains(m.captured(1), Qt::CaseInsensitive);
}

QStringList removeStaleTemporaryFiles(const QString &dataFolder)
{
    QStringList removed;
    const QDir data(dataFolder);
    const auto sweep = [&](const QString &relative) {
        const QDir dir(relative.isEmpty() ? dataFolder : data.filePath(relative));
        const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QFileInfo &entry : entries) {
            // A link is never followed or removed: it is not what a save leaves.
            if (entry.isSymLink())
                continue;
            if (!isStaleTemporaryName(relative, entry.fileName(), entry.isDir()))
                continue;
            const bool gone = entry.isDir() ? QDir(entry.filePath()).removeRecursively() : QFile::remove(entry.filePath());
            if (gone) {
                qCDebug(lcStartup) << "removed what a killed save left:" << entry.filePath();
                removed << entry.filePath();
            }
        }
    };
    sweep(QString());
    for (const QFileInfo &sub : data.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (!sub.isSymLink())
            sweep(sub.fileName());
    return removed;
}

SingleInstance::SingleInstance(const QString &executableName)
{
    const QString runtime = runtimeFolder();
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
