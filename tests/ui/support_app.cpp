#include "support_app.h"

#include "core/text_file.h"

#include <QDir>

namespace tovalin::test {

bool prepareDataFolder(const QString &dataDir, const QString &user, const QStringList &profileLines)
{
    qputenv("TOVALIN_DATA_DIR", dataDir.toUtf8());
    return QDir().mkpath(dataDir + QStringLiteral("/gebruikers")) && QDir().mkpath(dataDir + QStringLiteral("/themas"))
           && writeLines(dataDir + QStringLiteral("/gestart.tvr"), {QStringLiteral("gestart")}).ok
           && writeLines(dataDir + QStringLiteral("/start.tvr"), {user}).ok
           && writeLines(dataDir + QStringLiteral("/gebruikers/") + user + QStringLiteral(".usr"), profileLines).ok;
}

bool writeThemeLists(const QString &dataDir, const QString &theme, const QStringList &links,
                     const QStringList &whitelist, const QStringList &blacklist, const QStringList &popupList)
{
    const QString stem = dataDir + QStringLiteral("/themas/") + theme;
    return writeLines(stem + QStringLiteral(".llt"), links).ok && writeLines(stem + QStringLiteral(".kvu"), whitelist).ok
           && writeLines(stem + QStringLiteral(".kou"), blacklist).ok && writeLines(stem + QStringLiteral(".kpu"), popupList).ok;
}

} // namespace tovalin::test
