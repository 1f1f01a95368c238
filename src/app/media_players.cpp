#include "app/media_players.h"

#include "core/ini.h"
#include "core/text_file.h"
#include "users/user_profile.h"

#include <QStandardPaths>

namespace tovalin {

namespace {

const char *const kKeys[] = {"RealMedia", "WindowsMedia", "QuickTime"};

} // namespace

MediaPlayers MediaPlayers::defaults()
{
    MediaPlayers p;
    // RealMedia streams: the players that still read .rm and rtsp.
    for (const char *n : {"vlc", "mpv", "smplayer", "mplayer", "totem", "celluloid", "haruna", "xine"})
        p.add(PlayerKind::RealMedia, QLatin1String(n));
    // Windows Media (.asx) and QuickTime (.qtl) play in any of the common players.
    for (const char *n : {"vlc", "mpv", "totem", "smplayer", "celluloid", "parole", "dragon", "haruna", "mplayer",
                          "kaffeine", "xine"}) {
        p.add(PlayerKind::WindowsMedia, QLatin1String(n));
        p.add(PlayerKind::QuickTime, QLatin1String(n));
    }
    return p;
}

MediaPlayers MediaPlayers::fromVendorFile(const QString &path)
{
    MediaPlayers players = defaults();
    const std::optional<IniDocument> ini = IniDocument::load(path);
    if (!ini)
        return players;
    for (PlayerKind kind : {PlayerKind::RealMedia, PlayerKind::WindowsMedia, PlayerKind::QuickTime}) {
        const std::optional<QString> value = ini->value(QStringLiteral("Players"), QLatin1String(kKeys[index(kind)]));
        if (!value)
            continue;
        players.m_names[index(kind)].clear();
        for (const QString &name : value->split(u',', Qt::SkipEmptyParts))
            players.add(kind, name);
    }
    return players;
}

void MediaPlayers::add(PlayerKind kind, const QString &fragment)
{
    // An empty fragment would be contained in every class and let every window stay.
    const QString name = fragment.trimmed();
    QStringList &names = m_names[index(kind)];
    if (name.isEmpty() || names.contains(name, Qt::CaseInsensitive))
        return;
    names << name;
}

void MediaPlayers::addDesktopDefault(PlayerKind kind, const QString &desktopFileId)
{
    add(kind, fragmentFromDesktopId(desktopFileId));
}

bool MediaPlayers::addDesktopDefaultPlayer(PlayerKind kind, const QString &desktopFileId,
                                           const std::optional<QStringList> &handledTypes)
{
    // Not knowing what the application is, it is not kept in front: the guard fails closed.
    if (!handledTypes || isWebBrowser(*handledTypes))
        return false;
    addDesktopDefault(kind, desktopFileId);
    return true;
}

bool MediaPlayers::isWebBrowser(const QStringList &handledTypes)
{
    for (const char *type : {"x-scheme-handler/http", "x-scheme-handler/https", "text/html"}) {
        if (handledTypes.contains(QLatin1String(type), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

std::optional<QStringList> MediaPlayers::handledTypesOf(const QString &desktopFileId)
{
    const QString id = desktopFileId.trimmed();
    if (id.isEmpty() || id.contains(u'/'))
        return std::nullopt;
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    if (path.isEmpty())
        return std::nullopt;
    return handledTypesInFile(path);
}

std::optional<QStringList> MediaPlayers::handledTypesInFile(const QString &path)
{
    const std::optional<QStringList> lines = readLines(path);
    if (!lines)
        return std::nullopt;
    // Only the main group counts; actions have groups of their own.
    bool mainGroup = false;
    QStringList types;
    for (const QString &line : *lines) {
        const QString text = line.trimmed();
        if (text.startsWith(u'[')) {
            mainGroup = text == u"[Desktop Entry]";
            continue;
        }
        if (mainGroup && text.startsWith(u"MimeType") && text.mid(8).trimmed().startsWith(u'=')) {
            const QString value = text.mid(text.indexOf(u'=') + 1);
            for (const QString &type : value.split(u';', Qt::SkipEmptyParts))
                types << type.trimmed();
        }
    }
    return types;
}

QString MediaPlayers::fragmentFromDesktopId(const QString &desktopFileId)
{
    QString id = desktopFileId.trimmed();
    if (id.endsWith(QLatin1String(".desktop"), Qt::CaseInsensitive))
        id.chop(8);
    // Reverse-DNS ids name the application last; its WM_CLASS carries that part.
    const qsizetype dot = id.lastIndexOf(u'.');
    if (dot >= 0)
        id = id.mid(dot + 1);
    return id;
}

bool MediaPlayers::matches(PlayerKind kind, const QString &windowClass) const
{
    for (const QString &name : m_names[index(kind)]) {
        if (windowClass.contains(name, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool MediaPlayers::allowedFor(const UserProfile &profile, const QString &windowClass) const
{
    return (profile.Toonrealmedia && matches(PlayerKind::RealMedia, windowClass))
        || (profile.ToonWindowsMedia && matches(PlayerKind::WindowsMedia, windowClass))
        || (profile.ToonQuickTime && matches(PlayerKind::QuickTime, windowClass));
}

QStringList MediaPlayers::mimeTypes(PlayerKind kind)
{
    switch (kind) {
    case PlayerKind::RealMedia:
        return {QStringLiteral("audio/x-pn-realaudio"), QStringLiteral("application/vnd.rn-realmedia")};
    case PlayerKind::WindowsMedia:
        return {QStringLiteral("video/x-ms-asf"), QStringLiteral("audio/x-ms-asx")};
    case PlayerKind::QuickTime:
        return {QStringLiteral("video/quicktime"), QStringLiteral("application/x-quicktimeplayer")};
    }
    return {};
}

} // namespace tovalin
