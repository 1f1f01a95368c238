#pragma once
// The media players a child may have in front of Tovalin: for each of the
// user's streaming-video settings (RealMedia, Windows Media, QuickTime), the
// WM_CLASS fragments of the players that show such streams. They come from
// `[Players]` of vendor.ini (comma-separated, per setting) and from the
// desktop's default application for that kind of reference file.

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tovalin {

struct UserProfile;

enum class PlayerKind { RealMedia, WindowsMedia, QuickTime };

class MediaPlayers {
public:
    /// The players Debian ships that play such streams.
    static MediaPlayers defaults();
    /// `[Players]` of the vendor file: `RealMedia=`, `WindowsMedia=`, `QuickTime=`. A missing file
    /// or key keeps the default of that kind; an empty value allows no player of that kind.
    static MediaPlayers fromVendorFile(const QString &path);

    /// Adds one WM_CLASS fragment for a kind (compared without regard to case; blanks trimmed).
    void add(PlayerKind kind, const QString &fragment);
    /// Adds the desktop's default application for a kind, given as its desktop-file id
    /// ("vlc.desktop", "org.gnome.Totem.desktop").
    void addDesktopDefault(PlayerKind kind, const QString &desktopFileId);
    /// Adds it only when it is a player: the types its desktop file says it handles are known
    /// (nullopt: the file was not found, and nothing is known) and it is no web browser. Returns
    /// whether it was added.
    bool addDesktopDefaultPlayer(PlayerKind kind, const QString &desktopFileId,
                                 const std::optional<QStringList> &handledTypes);
    QStringList names(PlayerKind kind) const { return m_names[index(kind)]; }

    /// True when the window class contains one of the kind's fragments (case-insensitive).
    bool matches(PlayerKind kind, const QString &windowClass) const;
    /// True when a setting of the user that is on allows a player of this window class.
    bool allowedFor(const UserProfile &profile, const QString &windowClass) const;

    /// The reference-file types whose default application counts as a player of the kind.
    static QStringList mimeTypes(PlayerKind kind);
    /// True for an application that handles web pages (`x-scheme-handler/http`, `.../https` or
    /// `text/html`): a browser, which a child could surf anywhere with, is never a player.
    static bool isWebBrowser(const QStringList &handledTypes);
    /// The `MimeType=` list of an application's desktop file, looked for by its id in the
    /// desktop's application folders; nullopt when no readable file has that id.
    static std::optional<QStringList> handledTypesOf(const QString &desktopFileId);
    /// The same for a desktop file named by its path.
    static std::optional<QStringList> handledTypesInFile(const QString &path);
    /// The part of a desktop-file id that shows up in the application's WM_CLASS:
    /// "org.gnome.Totem.desktop" gives "Totem", "vlc.desktop" gives "vlc".
    static QString fragmentFromDesktopId(const QString &desktopFileId);

private:
    static int index(PlayerKind kind) { return static_cast<int>(kind); }
    std::array<QStringList, 3> m_names;
};

} // namespace tovalin
