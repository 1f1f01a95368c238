#include "guard/site_matcher.h"

namespace tovalin {

void SiteMatcher::clear()
{
    m_sites.clear();
    m_paths.clear();
}

void SiteMatcher::addEntry(QStringView entry)
{
    if (entry.isEmpty())
        return;
    SiteEntry site = siteEntryOf(entry);
    if (site.host.isEmpty())
        return;
    if (site.path.isEmpty())
        m_sites.insert(site.host, site.port);
    else
        m_paths.insert(site.host, PathEntry{site.port, std::move(site.path)});
}

bool SiteMatcher::matches(const QString &normalAddress) const
{
    if (m_sites.isEmpty() && m_paths.isEmpty())
        return false;
    const AddressSite address = addressSiteOf(normalAddress);
    if (address.host.isEmpty())
        return false;
    const auto portFits = [&](int port) { return port < 0 || port == address.port; };
    // The host itself, then each host above it at a label boundary (a numeric address has none).
    QStringView host(address.host);
    for (;;) {
        for (auto it = m_sites.constFind(host.toString()); it != m_sites.cend() && it.key() == host; ++it) {
            if (portFits(it.value()))
                return true;
        }
        if (address.ipHost)
            break;
        const qsizetype dot = host.indexOf(u'.');
        if (dot < 0)
            break;
        host = host.mid(dot + 1);
    }
    for (auto it = m_paths.constFind(address.host); it != m_paths.cend() && it.key() == address.host; ++it) {
        const PathEntry &entry = it.value();
        if (portFits(entry.port) && whitelistSearchPart(address.path, entry.path).startsWith(entry.path))
            return true;
    }
    return false;
}

} // namespace tovalin
