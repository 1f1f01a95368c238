#pragma once
// The theme files on disk, all flat in the themes folder:
//   N.llt            the link list of theme N (one link ID per line); its presence makes N a theme
//   N.kvu/.kou/.kpu  the theme's whitelist, blacklist and pop-up list (read by the guard's SiteLists)
//   ID.kld           the properties of one link, INI section `LinkProp`
//   ID.bmp           the link's thumbnail
// Link files are shared by every theme that lists their ID; no theme operation deletes them.

#include "core/text_file.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace tovalin {

/// One picture link as a slot holds it.
struct ThemeLink {
    QString URL;
    QString Hint;
    QString Beschrijving;  ///< description: read and kept, shown nowhere
    int hoogte = -1;       ///< browser panel height in pixels; -1 = the full page
    int breedte = -1;      ///< browser panel width in pixels; -1 = the full page
    QString pictureFile;   ///< ID + ".bmp", file name only
    QString ID;            ///< the .llt line as it stands

    friend bool operator==(const ThemeLink &, const ThemeLink &) = default;
};

namespace themefiles {

inline constexpr QLatin1StringView kLinkListExt(".llt");
inline constexpr QLatin1StringView kWhitelistExt(".kvu");
inline constexpr QLatin1StringView kBlacklistExt(".kou");
inline constexpr QLatin1StringView kPopupListExt(".kpu");
inline constexpr QLatin1StringView kLinkPropsExt(".kld");
inline constexpr QLatin1StringView kPictureExt(".bmp");
inline constexpr QLatin1StringView kLinkPropSection("LinkProp");

/// themesFolder + "/" + stem + ext.
QString filePath(const QString &themesFolder, const QString &stem, QLatin1StringView ext);

} // namespace themefiles

/// The link ID for a moment: local time as "yyyymmddhhmmss" (14 digits, 24-hour clock).
QString makeLinkId(const QDateTime &localTime);

/// True when a link ID (or theme name) can name a file of the themes folder: not empty, no "/" or
/// "\\", not "." or "..". A .llt line that fails this is treated as a line without .kld file.
bool isSafeFileStem(const QString &stem);

/// Every entry matching a path mask ("folder/*.llt"; "*" and "?" wildcards, matched
/// case-sensitively), as the mask's folder + "/" + file name, in the file system's order;
/// "." and ".." left out. Empty when nothing matches or the folder is missing.
QStringList ListThemeFiles(const QString &mask);

/// The theme name of a .llt path: the file name less its ".llt" extension.
QString themeNameFromPath(const QString &path);

/// The names of all themes in the folder, in enumeration order.
QStringList listThemeNames(const QString &themesFolder);

/// True when a theme of that name (compared case-insensitively) has a .llt file.
bool ThemeExists(const QString &themesFolder, const QString &name);

/// Reads ID.kld into a link record (defaults for missing keys, pictureFile = ID + ".bmp");
/// nullopt when the file does not exist, cannot be read or the ID is not a safe file stem.
std::optional<ThemeLink> readLinkProperties(const QString &themesFolder, const QString &id);

/// Writes ID.kld for a new link: `URL`, `ID`, `Hint`, `Beschrijving` (empty), `hoogte`, `breedte`,
/// in that order for a new file; keys the program does not know survive in an existing file.
/// Line breaks inside values become blanks, so a value cannot start a key of its own.
WriteResult writeNewLinkProperties(const QString &themesFolder, const ThemeLink &link);

/// Rewrites `URL`, `Hint`, `Beschrijving` (empty), `hoogte` and `breedte` of an existing link in
/// place; `ID` stays as it is.
WriteResult updateLinkProperties(const QString &themesFolder, const ThemeLink &link);

/// True when the first line of a link list holds ".bmp=" (any letter case): the old form.
bool isOldFormLinkList(const QStringList &lines);

/// Converts an old-form name.llt ("picture.bmp=address" lines) in place: each line becomes the
/// picture name less its first ".bmp", and that ID's .kld gets the address, empty hint and
/// description and -1 sizes. Lines without "=" or with an unsafe name are kept as they stand
/// and get no .kld. False when the .llt cannot be read or written back.
bool MigrateLinkList(const QString &themesFolder, const QString &name);

/// Writes empty name.llt, name.kou, name.kvu, name.kpu (in that order, replacing existing ones).
/// Fails only when the .llt cannot be written; the list files are best effort.
WriteResult CreateThemeFiles(const QString &themesFolder, const QString &name);

/// Deletes name.llt, then name.kou, name.kvu, name.kpu where they exist; link files stay.
void DeleteThemeFiles(const QString &themesFolder, const QString &name);

struct StarterInstallResult {
    QStringList installedThemes; ///< names of the themes copied
    int filesCopied = 0;
    bool ok = true;              ///< false when a copy failed (the rest was still attempted)
};

/// Copies the starter themes of resourceThemesDir into themesFolder when themesFolder holds no
/// theme (.llt) yet; creates themesFolder when missing. An existing file is never overwritten.
StarterInstallResult installStarterThemes(const QString &resourceThemesDir, const QString &themesFolder);

/// Copies the named starter themes of resourceThemesDir, with their link files, into
/// themesFolder where it has no theme of that name (letter case ignored): a data folder made
/// before those themes shipped gets them for a new user whose template names them. Names that
/// are not starter themes, and files already there, are left alone.
StarterInstallResult installStarterThemes(const QString &resourceThemesDir, const QString &themesFolder,
                                          const QStringList &names);

} // namespace tovalin
