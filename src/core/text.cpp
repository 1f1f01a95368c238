#include "core/text.h"

namespace tovalin {

bool ContainsText(const QString &text, const QString &fragment)
{
    if (fragment.isEmpty())
        return false;
    // Upper-casing may change lengths (ß → SS), so compare the upper-cased forms
    // rather than using a case-insensitive search.
    return text.toUpper().contains(fragment.toUpper());
}

bool isWebAddress(const QString &address)
{
    return address.startsWith(u"http://") || address.startsWith(u"https://");
}

QString siteOf(const QString &address)
{
    const qsizetype scheme = address.indexOf(u"://");
    QString rest = scheme >= 0 ? address.mid(scheme + 3) : address.mid(7);
    const qsizetype slash = rest.indexOf(u'/');
    if (slash >= 0)
        rest.truncate(slash);
    return rest;
}

} // namespace tovalin
