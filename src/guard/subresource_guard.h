#pragma once
// The blacklist for everything a page loads.
//
// The navigation guard judges the documents the browser navigates to; pictures, scripts,
// style sheets and frames inside a page are loaded without a navigation of their own. With
// `Kindonvriendelijk` on, every such load whose address the blacklist refuses is blocked
// before it leaves the program. For a load, the blacklist refuses the address itself (the
// same exact test as for a page) and also its site: an entry that is a site's root
// ("http://ads.example/") blocks everything loaded from that site, as a parent who listed
// the site expects. The whitelist is not applied here: it would break every page that
// loads its pictures from a content network. While a list file cannot be read the guard
// fails closed for loads as for pages: only the start page's site and the vendor's serve them.

#include <QString>

namespace tovalin {

class ProgramState;
class SiteLists;

class SubresourceGuard {
public:
    SubresourceGuard(const ProgramState &state, const SiteLists &lists);

    /// True when a load of the address by a page must be blocked. Each block is logged in
    /// `tovalin.guard` (info) with the page that asked for it.
    bool refuses(const QString &address, const QString &pageAddress = QString()) const;

    /// The site root of an address as the engine loads it ("http://host:port/"), empty when it has no host.
    static QString siteRootOf(const QString &address);

    /// How many loads were blocked since the program started.
    qint64 blockedCount() const { return m_blocked; }

private:
    const ProgramState &m_state;
    const SiteLists &m_lists;
    mutable qint64 m_blocked = 0;
};

} // namespace tovalin
