#pragma once
// The three address tests read plainly: one obvious loop over the entries per test, built
// from the slow-but-obvious rules of guard/address_match.h (which say how an address is read
// and where an entry is looked for), with no caches, no pre-folded entries, no early exits.
// The fuzz target checks that the guard's fast lists answer exactly as these do. When the
// guard's rules change, change them here, rule for rule, and nowhere else. Addresses are read by
// the general reading alone (the parser), never by the quick reading of the common form.

#include "core/text.h"
#include "guard/address_match.h"

#include <QString>
#include <QStringList>

namespace oracle {

struct Setup {
    bool Kindvriendelijk = false;
    bool Kindonvriendelijk = false;
    bool WitSites = false;
    QString StartURL;
    QString webHost;
    QString secondHost;
    QString shortenerHost;
    QString localHomePage;
    QStringList white;
    QStringList black;
    QStringList popup;
};

inline bool alwaysPasses(const Setup &s, const QString &normal)
{
    return tovalin::isAlwaysPassing(normal, {s.webHost, s.secondHost, s.localHomePage});
}

inline bool isNotWhitelisted(const Setup &s, const QString &address)
{
    if (!s.Kindvriendelijk)
        return false;
    const QString normal = tovalin::generalNormalizedAddress(address);
    // Entries are fragments, or sites when the user says so.
    const auto allows = [&](const QString &entry) {
        return s.WitSites ? tovalin::siteEntryMatches(entry, normal) : tovalin::whitelistEntryMatches(entry, normal);
    };
    bool missing = true;
    for (const QString &entry : s.white)
        if (allows(entry))
            missing = false;
    // The start page's site is one more entry.
    if (allows(tovalin::siteOf(tovalin::generalNormalizedAddress(s.StartURL))))
        missing = false;
    if (alwaysPasses(s, normal))
        missing = false;
    if (tovalin::containsFolded(normal, s.shortenerHost))
        missing = true;
    return missing;
}

inline bool onExactList(const Setup &s, const QStringList &list, const QString &address)
{
    if (!s.Kindonvriendelijk)
        return false;
    const QString normal = tovalin::generalNormalizedAddress(address);
    bool found = false;
    for (const QString &entry : list)
        for (const QString &candidate : tovalin::exactCandidates(normal))
            if (!entry.isEmpty() && !tovalin::exactKey(entry).isEmpty()
                && tovalin::exactKey(entry) == tovalin::webSchemeKey(candidate))
                found = true;
    if (alwaysPasses(s, normal))
        found = false;
    return found;
}

inline bool isBlacklisted(const Setup &s, const QString &address) { return onExactList(s, s.black, address); }
inline bool isPopupListed(const Setup &s, const QString &address) { return onExactList(s, s.popup, address); }

} // namespace oracle
