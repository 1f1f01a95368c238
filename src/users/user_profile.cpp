#include "users/user_profile.h"

#include "core/ini.h"

#include <array>

namespace tovalin {

namespace {

const QString kBeveiliging = QStringLiteral("Beveiliging");
const QString kExtra = QStringLiteral("Extra");
const QString kFavorieten = QStringLiteral("Favorieten");

// One row per profile key. The rows are in the order a file written from
// scratch lists its keys, so reading and writing cannot drift apart.
struct KeyRow {
    const QString &section;
    const char *key;
    bool UserProfile::*flag;      // set for boolean keys
    QString UserProfile::*text;   // set for string keys
    bool defaultOn;               // the default of a boolean key
};

const std::array<KeyRow, 37> &keyTable()
{
    static const std::array<KeyRow, 37> rows = {{
        {kBeveiliging, "Kindonvriendelijk", &UserProfile::Kindonvriendelijk, nullptr, true},
        {kBeveiliging, "Kindvriendelijk", &UserProfile::Kindvriendelijk, nullptr, true},
        {kBeveiliging, "WitSites", &UserProfile::WitSites, nullptr, false},
        {kBeveiliging, "Nieteruit", &UserProfile::Nieteruit, nullptr, true},
        {kBeveiliging, "Geendialoog", &UserProfile::Geendialoog, nullptr, true},
        {kBeveiliging, "Blokmenu", &UserProfile::Blokmenu, nullptr, true},
        {kBeveiliging, "Restart", &UserProfile::Restart, nullptr, false},
        {kBeveiliging, "Blokdoc", &UserProfile::Blokdoc, nullptr, true},
        {kBeveiliging, "Blokpdf", &UserProfile::Blokpdf, nullptr, true},
        {kBeveiliging, "Blokxls", &UserProfile::Blokxls, nullptr, true},
        {kBeveiliging, "Bloktxt", &UserProfile::Bloktxt, nullptr, true},
        {kBeveiliging, "Blokppt", &UserProfile::Blokppt, nullptr, true},
        {kBeveiliging, "Toonmpg", &UserProfile::Toonmpg, nullptr, false},
        {kBeveiliging, "Toonmpeg", &UserProfile::Toonmpeg, nullptr, false},
        {kBeveiliging, "Toonasf", &UserProfile::Toonasf, nullptr, false},
        {kBeveiliging, "Toonwmv", &UserProfile::Toonwmv, nullptr, false},
        {kBeveiliging, "Toonmov", &UserProfile::Toonmov, nullptr, false},
        {kBeveiliging, "Toonavi", &UserProfile::Toonavi, nullptr, false},
        {kBeveiliging, "Toonrealmedia", &UserProfile::Toonrealmedia, nullptr, false},
        {kBeveiliging, "ToonWindowsMedia", &UserProfile::ToonWindowsMedia, nullptr, false},
        {kBeveiliging, "ToonQuickTime", &UserProfile::ToonQuickTime, nullptr, false},
        {kBeveiliging, "Categorieen", nullptr, &UserProfile::Categorieen, false},
        {kBeveiliging, "VeiligZoeken", &UserProfile::VeiligZoeken, nullptr, true},
        {kBeveiliging, "YouTubeMatig", &UserProfile::YouTubeMatig, nullptr, false},
        {kExtra, "Hidenavigatieknoppen", &UserProfile::Hidenavigatieknoppen, nullptr, false},
        {kExtra, "Hidethema", &UserProfile::Hidethema, nullptr, false},
        {kExtra, "Hideuser", &UserProfile::Hideuser, nullptr, false},
        {kExtra, "Hidenavbalk", &UserProfile::Hidenavbalk, nullptr, false},
        {kExtra, "Toonsluit", &UserProfile::Toonsluit, nullptr, false},
        {kExtra, "Hideadres", &UserProfile::Hideadres, nullptr, false},
        {kExtra, "Hideprint", &UserProfile::Hideprint, nullptr, false},
        {kExtra, "StartTijdKlok", &UserProfile::StartTijdKlok, nullptr, false},
        {kExtra, "StartWisselKlok", &UserProfile::StartWisselKlok, nullptr, false},
        {kExtra, "ToonHint", &UserProfile::ToonHint, nullptr, true},
        {kExtra, "MinTijdKlok", nullptr, &UserProfile::MinTijdKlok, false},
        {kExtra, "MinWisselKlok", nullptr, &UserProfile::MinWisselKlok, false},
        {kFavorieten, "StartURL", nullptr, &UserProfile::StartURL, false},
    }};
    return rows;
}

// A line break inside a value would end the key line early and let the rest
// of the text pass as keys of its own (a start page could switch filters off).
QString singleLine(const QString &value)
{
    QString out = value;
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

} // namespace

UserProfile UserProfile::fileDefaults()
{
    UserProfile p;
    for (const KeyRow &row : keyTable()) {
        if (row.flag)
            p.*row.flag = row.defaultOn;
        else
            (p.*row.text).clear();
    }
    return p;
}

UserProfile UserProfile::noUserDefaults(bool passwordExists)
{
    UserProfile p = fileDefaults();
    p.Nieteruit = passwordExists;
    return p;
}

void UserProfile::readFrom(const IniDocument &ini)
{
    for (const KeyRow &row : keyTable()) {
        const QString key = QLatin1String(row.key);
        if (row.flag)
            this->*row.flag = ini.boolValue(row.section, key, row.defaultOn);
        else
            this->*row.text = ini.stringValue(row.section, key);
    }
}

void UserProfile::writeTo(IniDocument &ini) const
{
    for (const KeyRow &row : keyTable()) {
        const QString key = QLatin1String(row.key);
        if (row.flag)
            ini.setBool(row.section, key, this->*row.flag);
        else
            ini.setValue(row.section, key, singleLine(this->*row.text));
    }
}

QList<ProfileKey> UserProfile::keys()
{
    QList<ProfileKey> out;
    for (const KeyRow &row : keyTable())
        out.append({row.section, QLatin1String(row.key), row.flag != nullptr});
    return out;
}

std::optional<ProfileKey> UserProfile::findKey(const QString &name)
{
    for (const KeyRow &row : keyTable())
        if (name.compare(QLatin1String(row.key), Qt::CaseInsensitive) == 0)
            return ProfileKey{row.section, QLatin1String(row.key), row.flag != nullptr};
    return std::nullopt;
}

QString UserProfile::valueText(const ProfileKey &key) const
{
    for (const KeyRow &row : keyTable()) {
        if (key.name != QLatin1String(row.key))
            continue;
        if (row.flag)
            return this->*row.flag ? QStringLiteral("1") : QStringLiteral("0");
        return this->*row.text;
    }
    return {};
}

} // namespace tovalin
