#pragma once
// The users folder: listing, loading and saving profiles, and the allowed themes
// of the active user.
//
// A user named N is the file "N.usr" in the users folder; there is no other list
// of users. The store fills the one in-memory UserProfile it is given and keeps
// AllowedThemes, the list the main window's theme chooser shows.

#include "core/text_file.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace tovalin {

class ProgramState;
struct UserProfile;

/// How LoadUserProfile found the profile file.
enum class ProfileLoad {
    Loaded,     ///< the file was read
    Missing,    ///< no such file: the profile in force stays as it was
    Unreadable, ///< the file exists but could not be read (too large, no access): every key took its default
};

/// The profile file of a user in a users folder: the existing file whose user name equals name
/// (exactly, else ignoring case), else usersFolder/name.usr. The one way every writer finds a
/// user's file, so a name typed in other letter case never makes a second file beside it.
QString profilePathIn(const QString &usersFolder, const QString &name);

class UserStore : public QObject {
    Q_OBJECT
public:
    UserStore(ProgramState &state, UserProfile &profile, QObject *parent = nullptr);

    /// Every user: one name per "*.usr" file of the users folder (hidden files included;
    /// folders, pipes, sockets and devices excluded), the name being the file name less its ".usr" ending, trimmed.
    /// Sorted ignoring case; names that trim to empty are included (lists shown to parents skip them).
    QStringList ListUsers() const;

    /// True when name equals one of ListUsers() ignoring case.
    bool UserExists(const QString &name) const;

    /// The profile file of a user: the existing file whose user name equals name (exactly,
    /// else ignoring case), else usersFolder/name.usr.
    QString profilePath(const QString &name) const;

    /// Empties AllowedThemes; when the user's file exists reads every key into the profile
    /// and rebuilds AllowedThemes from `gebruikfav`; makes ActiveTheme the first allowed theme
    /// when it is not allowed; refreshes the display texts and emits displayChanged().
    /// A missing file leaves the profile unchanged. Also called with an empty name.
    ProfileLoad LoadUserProfile(const QString &name);

    /// Writes every profile key in table order into the user's file and `gebruikfav` from themes
    /// ("None selected" for none). Unknown sections and keys and the order of existing keys
    /// survive; the file is replaced atomically. A file that exists but cannot be read is left alone
    /// and the save fails, so nothing the file holds is lost.
    WriteResult SaveUserProfile(const QString &name, const QStringList &themes);

    /// The active user's allowed themes, in order; the first is the one the user starts with.
    const QStringList &AllowedThemes() const { return m_allowedThemes; }
    /// Replaces the allowed themes (the user manager edits them in place; nothing is saved).
    void setAllowedThemes(const QStringList &themes) { m_allowedThemes = themes; }

    /// Every theme: each "*.llt" file of the themes folder less ".llt", sorted ignoring case.
    QStringList AvailableThemes() const;

    /// The `gebruikfav` text for a list of themes: each name followed by "*", or "None selected".
    static QString encodeAllowedThemes(const QStringList &themes);
    /// The names a `gebruikfav` text lists: the text cut at each "*", the part after the last "*"
    /// ignored. Not yet checked against the theme files.
    static QStringList decodeAllowedThemes(const QString &value);

    /// True when the theme chooser's arrow shows for these themes: always with more than one,
    /// with exactly one only when it differs from the active theme, never with none.
    static bool chooserArrowVisible(const QStringList &themes, const QString &activeTheme);

    /// False for a name no profile file can carry: one holding "/", "\\", "..", a line break or
    /// another control character (it would name a file outside the users folder, or break the
    /// one-name-per-line start-user file).
    static bool isUsableName(const QString &name);

    /// Writes a profile file from scratch: every key of the profile in table order and
    /// `gebruikfav` from themes, replacing whatever the file held (New user, Save as).
    WriteResult createUserProfile(const QString &name, const QStringList &themes);

    /// Removes the user's profile file; false when there is none or it cannot be removed.
    bool deleteUserProfile(const QString &name);

    // What the main window shows, from the active user and theme and AllowedThemes.
    /// The active user, or "No user available".
    QString userLabelText() const;
    /// The active theme, or "None selected".
    QString themeLabelText() const;
    /// Whether the theme chooser's arrow shows.
    bool chooserArrowVisible() const;

signals:
    /// AllowedThemes, the labels or the arrow may have changed: the main window refills its
    /// theme chooser, closes the chooser's drop-down panel and shows the labels again.
    void displayChanged();

private:
    QStringList filesIn(const QString &folder, const QString &suffix) const;

    ProgramState &m_state;
    UserProfile &m_profile;
    QStringList m_allowedThemes;
};

} // namespace tovalin
