#include "guard/canonical_host_standin.h"

#include <QUrl>

namespace tovalin {

QString canonicalHost(QStringView host)
{
    QStringView name = host;
    while (name.endsWith(u'.'))
        name.chop(1);
    if (name.isEmpty() || name.size() > 253)
        return {};
    // An IPv6 address keeps its brackets; it has no letters that differ but by case in meaning.
    if (name.startsWith(u'[')) {
        if (!name.endsWith(u']'))
            return {};
        return name.toString().toLower();
    }
    const QByteArray ace = QUrl::toAce(name.toString());
    if (ace.isEmpty())
        return {};
    QString out;
    out.reserve(ace.size());
    for (const char c : ace) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_'
            || (c >= 'A' && c <= 'Z');
        if (!ok)
            return {};
        out.append(QLatin1Char(c >= 'A' && c <= 'Z' ? char(c + 32) : c));
    }
    if (out.startsWith(u'.') || out.contains(QStringLiteral("..")))
        return {};
    return out;
}

} // namespace tovalin
