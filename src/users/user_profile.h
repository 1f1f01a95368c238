#pragma once
// The active user's settings: one field per key of the profile file.

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tovalin {

class IniDocument;

/// The in-class values are those the user manager's controls start with (every box off,
/// clock minutes "30" and "5"): the profile in force before any profile file is loaded.
/// One key of the profile file, as the admin command lists and sets it.
struct ProfileKey {
    QString section;
    QString name;
    bool boolean = false;
};

struct UserProfile {
    // [Beveiliging]
    bool Kindonvriendelijk = false;
    bool Kindvriendelijk = false;
    /// "Whitelist entries are sites": an entry is a site (and the sites below it), not a
    /// fragment found anywhere in an address. A profile without the key keeps the fragments.
    bool WitSites = false;
    bool Nieteruit = false;
    bool Geendialoog = false;
    bool Blokmenu = false;
    bool Restart = false;
    bool Blokdoc = false;
    bool Blokpdf = false;
    bool Blokxls = false;
    bool Bloktxt = false;
    bool Blokppt = false;
    bool Toonmpg = false;
    bool Toonmpeg = false;
    bool Toonasf = false;
    bool Toonwmv = false;
    bool Toonmov = false;
    bool Toonavi = false;
    bool Toonrealmedia = false;
    bool ToonWindowsMedia = false;
    bool ToonQuickTime = false;
    QString Categorieen;        ///< the category lists in force, "adult,gambling" (names as in the archive)
    bool VeiligZoeken = false;  ///< force the search engines' safe modes (SafeSearch)
    bool YouTubeMatig = false;  ///< YouTube's restricted mode Moderate instead of Strict
    // [Extra]
    bool Hidenavigatieknoppen = false;
    bool Hidethema = false;
    bool Hideuser = false;
    bool Hidenavbalk = false;
    bool Toonsluit = false;
    bool Hideadres = false;
    bool Hideprint = false;
    bool StartTijdKlok = false;
    bool StartWisselKlok = false;
    bool ToonHint = false;
    QString MinTijdKlok = QStringLiteral("30");
    QString MinWisselKlok = QStringLiteral("5");
    // [Favorieten]
    QString StartURL;
    // gebruikfav is not a field: it is read into and written from the allowed-themes list.

    /// The values a profile file with no keys reads as (each key's default).
    static UserProfile fileDefaults();
    /// The profile in force while no user is active: that of a profile file with no keys (the
    /// lists on, documents blocked, the menu locked), with key combinations blocked only while
    /// a parents' password exists: without one nobody has set the program up to keep a child
    /// in, and the parents' menu (and its exit) opens to whoever creates the password.
    static UserProfile noUserDefaults(bool passwordExists);

    /// Reads every key into this profile, each missing or malformed key taking its default
    /// (a boolean is on when its value is a non-zero integer).
    void readFrom(const IniDocument &ini);
    /// Writes every key but `gebruikfav` in table order ([Beveiliging], [Extra], [Favorieten]);
    /// existing keys keep their place. Line breaks inside string values become blanks.
    void writeTo(IniDocument &ini) const;

    /// Every key of the profile but `gebruikfav`, in table order.
    static QList<ProfileKey> keys();
    /// The key of that name, letter case ignored; nullopt for a name the profile does not have.
    static std::optional<ProfileKey> findKey(const QString &name);
    /// The text this profile's value of a key is written as ("1"/"0" for a boolean).
    QString valueText(const ProfileKey &key) const;
};

} // namespace tovalin
