#pragma once
// The whitelist's site test ("Whitelist entries are sites") over all entries at once.
//
// An entry is a site (siteEntryOf): its host and the hosts below it, or a path on
// its host. Walking the list for every navigation costs time in proportion to the
// list; here whole sites sit in a hash table by host, so an address costs one
// look-up per label of its host, and entries with a path sit by their host too.
//
// The answer is, for every input, the one of
//     any_of(entries, [&](e) { return siteEntryMatches(e, address); })

#include "guard/address_match.h"

#include <QHash>
#include <QMultiHash>
#include <QString>
#include <QStringView>

namespace tovalin {

class SiteMatcher {
public:
    /// Adds one entry (as written); an entry that names no site is skipped.
    void addEntry(QStringView entry);
    /// Forgets every entry.
    void clear();
    /// Makes room for this many entries at once (a large list is built without growing).
    void reserve(qsizetype entries) { m_sites.reserve(entries); }
    /// True when some entry allows the (normalised) address.
    bool matches(const QString &normalAddress) const;

private:
    struct PathEntry {
        int port = -1;
        QString path;
    };
    QMultiHash<QString, int> m_sites;         // host -> port (-1: any)
    QMultiHash<QString, PathEntry> m_paths;   // host -> path entries on it
};

} // namespace tovalin
