#include "guard/subresource_guard.h"

#include "guard/address_match.h"
#include "guard/category_filter.h"
#include "guard/guard_log.h"
#include "guard/safe_search.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "users/user_profile.h"

namespace tovalin {

SubresourceGuard::SubresourceGuard(const ProgramState &state, const SiteLists &lists, const UserProfile &profile)
    : m_state(state), m_lists(lists), m_profile(profile)
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

void SubresourceGuard::logBlock(const char *why, const QUrl &address, const QUrl &page) const
{
    ++m_blocked;
    qCInfo(lcGuard) << why << address.toString() << "asked by" << page.toString();
}

bool SubresourceGuard::refuses(const QString &address, const QString &pageAddress) const
{
    return refuses(QUrl(address, QUrl::TolerantMode), QUrl(pageAddress, QUrl::TolerantMode));
}

bool SubresourceGuard::refuses(const QUrl &url, const QUrl &page) const
{
    // The filter switch overrules the lists for loads as it does for pages; IsBlacklisted
    // itself answers false while `Kindonvriendelijk` is off.
    if (!m_state.FilterOn)
        return false;
    if (m_lists.failingClosed()) {
        // A list that cannot be read might have refused any site: a page loads only from the
        // sites a navigation may go to (the start page's, the vendor's), as long as the problem
        // lasts. What a page makes itself (data:, blob:) has no site and stays its own.
        const QString address = url.toString();
        if (!siteRootOf(address).isEmpty() && m_lists.IsNotWhitelisted(address)) {
            logBlock("load blocked, a list cannot be read:", url, page);
            return true;
        }
        return false;
    }
    // The text of the address is made only when a list could refuse it: most pages load from
    // sites no list names, and the engine asks for every picture.
    if (m_profile.Kindonvriendelijk && m_lists.list(SiteList::Black).size() > 0
        && m_lists.IsBlacklistedLoad(url.toString())) {
        logBlock("load blocked by the blacklist:", url, page);
        return true;
    }
    if (const CategoryFilter *categories = m_lists.categoryFilter()) {
        const int category = categories->refusingCategory(url);
        if (category >= 0 && !m_lists.parentAllows(url.toString())) {
            ++m_blocked;
            qCInfo(lcGuard) << "load blocked by the category list" << categories->categoryName(category) << ":"
                            << url.toString() << "asked by" << page.toString();
            return true;
        }
    }
    return false;
}

LoadAnswer SubresourceGuard::answer(const QUrl &address, const QUrl &page, bool mainFrame) const
{
    LoadAnswer a;
    if (m_profile.VeiligZoeken) {
        a.redirect = safeSearchAddress(address);
        if (isYouTubeAddress(address))
            a.youTubeRestrict = youTubeRestrictValue(m_profile.YouTubeMatig ? YouTubeRestriction::Moderate
                                                                            : YouTubeRestriction::Strict);
    }
    if (!mainFrame)
        a.block = refuses(address, page);
    return a;
}

} // namespace tovalin
