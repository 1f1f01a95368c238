#pragma once
// The guard of every request the engine makes: what a page loads, and SafeSearch on pages too.
//
// The navigation guard judges the documents the browser navigates to; pictures, scripts,
// style sheets and frames inside a page are loaded without a navigation of their own. With
// `Kindonvriendelijk` on, every such load whose address the blacklist refuses is blocked
// before it leaves the program. For a load, the blacklist refuses the address itself (the
// same exact test as for a page) and also its site: an entry that is a site's root
// ("http://ads.example/") blocks everything loaded from that site, as a parent who listed
// the site expects. The whitelist is not applied here: it would break every page that
// loads its pictures from a content network. The user's category lists refuse loads as they
// refuse pages (a site the parent allowed excepted). While a list file cannot be read the
// guard fails closed for loads as for pages: only the start page's site and the vendor's serve them.
//
// With `VeiligZoeken` on, every request to a search engine's pages, the page itself included,
// goes to the address with the engine's safe mode forced (safe_search.h), and every request to
// YouTube carries its restricted-mode header; the filter switch does not change that.

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <optional>

namespace tovalin {

class ProgramState;
class SiteLists;
struct UserProfile;

/// What the engine is to do with one request.
struct LoadAnswer {
    bool block = false;
    std::optional<QUrl> redirect; ///< load this address instead (SafeSearch)
    QByteArray youTubeRestrict;   ///< the YouTube-Restrict header's value; empty: none
};

class SubresourceGuard {
public:
    SubresourceGuard(const ProgramState &state, const SiteLists &lists, const UserProfile &profile);

    /// The answer for a request of the engine; a page's own request (mainFrame) is never
    /// blocked here, the navigation guard has judged it.
    LoadAnswer answer(const QUrl &address, const QUrl &page, bool mainFrame) const;

    /// True when a load of the address by a page must be blocked. Each block is logged in
    /// `tovalin.guard` (info) with the page that asked for it.
    bool refuses(const QString &address, const QString &pageAddress = QString()) const;
    bool refuses(const QUrl &address, const QUrl &page) const;

    /// The site root of an address as the engine loads it ("http://host:port/"), empty when it has no host.
    static QString siteRootOf(const QString &address);

    /// How many loads were blocked since the program started.
    qint64 blockedCount() const { return m_blocked; }

private:
    void logBlock(const char *why, const QUrl &address, const QUrl &page) const;

    const ProgramState &m_state;
    const SiteLists &m_lists;
    const UserProfile &m_profile;
    mutable qint64 m_blocked = 0;
};

} // namespace tovalin
