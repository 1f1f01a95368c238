#include "guard/subresource_guard.h"

#include "guard/address_match.h"
#include "guard/guard_log.h"
#include "guard/site_lists.h"
#include "state/program_state.h"

namespace tovalin {

SubresourceGuard::SubresourceGuard(const ProgramState &state, const SiteLists &lists) : m_state(state), m_lists(lists)
{
}

QString SubresourceGuard::siteRootOf(const QString &address)
{
    const QString normal = normalizedAddress(address);
    if (hostOf(normal).isEmpty())
        return {};
    const qsizetype scheme = normal.indexOf(u"://");
    if (scheme < 0)
        return {};
    qsizetype end = scheme + 3;
    while (end < normal.size() && normal.at(end) != u'/' && normal.at(end) != u'?' && normal.at(end) != u'#')
        ++end;
    return normal.left(end) + u'/';
}

bool SubresourceGuard::refuses(const QString &address, const QString &pageAddress) const
{
    // The filter switch overrules the lists for loads as it does for pages; IsBlacklisted
    // itself answers false while `Kindonvriendelijk` is off.
    if (!m_state.FilterOn)
        return false;
    const QString root = siteRootOf(address);
    bool refused;
    if (m_lists.failingClosed()) {
        // A list that cannot be read might have refused any site: a page loads only from the
        // sites a navigation may go to (the start page's, the vendor's), as long as the problem
        // lasts. What a page makes itself (data:, blob:) has no site and stays its own.
        refused = !root.isEmpty() && m_lists.IsNotWhitelisted(address);
    } else {
        refused = m_lists.IsBlacklisted(address) || (!root.isEmpty() && m_lists.IsBlacklisted(root));
    }
    if (refused) {
        ++m_blocked;
        qCInfo(lcGuard) << (m_lists.failingClosed() ? "load blocked, a list cannot be read:" : "load blocked by the blacklist:")
                        << address << "asked by" << pageAddress;
    }
    return refused;
}

} // namespace tovalin
