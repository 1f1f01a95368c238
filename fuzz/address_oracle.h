#pragma once
// The three address tests read plainly: one obvious loop per rule, no caches, no early
// exits, nothing shared with the guard's fast code but the text helpers. The fuzz target
// checks that the guard answers exactly as these do. When the guard's rules change, change
// them here, rule for rule, and nowhere else.

#include "core/text.h"

#include <QString>
#include <QStringList>

namespace oracle {

struct Setup {
    bool Kindvriendelijk = false;
    bool Kindonvriendelijk = false;
    QString StartURL;
    QString webHost;
    QString secondHost;
    QString shortenerHost;
    QString localHomePage;
    QStringList white;
    QStringList black;
    QStringList popup;
};

inline bool alwaysPasses(const Setup &s, const QString &address)
{
    const QString texts[] = {s.webHost, s.secondHost, QStringLiteral("about:blank"), QStringLiteral("javascript"),
                             s.localHomePage};
    bool passes = false;
    for (const QString &t : texts)
        if (tovalin::ContainsText(address, t))
            passes = true;
    return passes;
}

// The start page's site: after "://" (or after the first seven characters when there is
// none) up to the next "/".
inline QString startSite(const QString &startUrl)
{
    const qsizetype scheme = startUrl.indexOf(QStringLiteral("://"));
    QString rest = scheme >= 0 ? startUrl.mid(scheme + 3) : startUrl.mid(7);
    const qsizetype slash = rest.indexOf(u'/');
    return slash >= 0 ? rest.left(slash) : rest;
}

inline bool isNotWhitelisted(const Setup &s, const QString &address)
{
    if (!s.Kindvriendelijk)
        return false;
    bool missing = true;
    for (const QString &entry : s.white)
        if (tovalin::ContainsText(address, entry))
            missing = false;
    if (tovalin::ContainsText(address, startSite(s.StartURL)))
        missing = false;
    if (alwaysPasses(s, address))
        missing = false;
    if (tovalin::ContainsText(address, s.shortenerHost))
        missing = true;
    return missing;
}

inline bool onExactList(const Setup &s, const QStringList &list, const QString &address)
{
    if (!s.Kindonvriendelijk)
        return false;
    bool found = false;
    for (const QString &entry : list)
        if (!entry.isEmpty() && (address == entry || address == entry + u'/'))
            found = true;
    if (alwaysPasses(s, address))
        found = false;
    return found;
}

inline bool isBlacklisted(const Setup &s, const QString &address) { return onExactList(s, s.black, address); }
inline bool isPopupListed(const Setup &s, const QString &address) { return onExactList(s, s.popup, address); }

} // namespace oracle
