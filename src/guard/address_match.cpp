#include "guard/address_match.h"

#include <QUrl>

namespace tovalin {

namespace {

constexpr QLatin1StringView kHttp("http://");
constexpr QLatin1StringView kHttps("https://");

bool isSchemeChar(QChar c, bool first)
{
    const char16_t u = c.unicode();
    const bool letter = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
    if (first)
        return letter;
    return letter || (u >= u'0' && u <= u'9') || u == u'+' || u == u'-' || u == u'.';
}

// Length of the scheme at the start of the text (without the ":"), or 0 when there is none.
qsizetype schemeLength(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && isSchemeChar(text.at(i), i == 0))
        ++i;
    return (i > 0 && i < text.size() && text.at(i) == u':') ? i : 0;
}

int defaultPort(const QString &scheme)
{
    if (scheme == u"http")
        return 80;
    if (scheme == u"https")
        return 443;
    if (scheme == u"ftp")
        return 21;
    return -1;
}

QString lowerAscii(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out) {
        if (c.unicode() >= u'A' && c.unicode() <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return out;
}

// The part of an address before its first "?" or "#".
QStringView beforeQuery(QStringView address)
{
    const qsizetype q = address.indexOf(u'?');
    const qsizetype h = address.indexOf(u'#');
    qsizetype cut = -1;
    if (q >= 0 && h >= 0)
        cut = std::min(q, h);
    else
        cut = q >= 0 ? q : h;
    return cut >= 0 ? address.left(cut) : address;
}

bool startsWithFolded(QStringView text, QLatin1StringView prefix)
{
    return text.size() >= prefix.size() && foldCase(text.left(prefix.size())) == foldCase(QString(prefix));
}

bool isLocalPage(const QString &address, const QString &localPage)
{
    if (localPage.isEmpty())
        return false;
    const QStringView base = beforeQuery(address);
    return address == localPage || base == QUrl::fromLocalFile(localPage).toString();
}

} // namespace

QString foldCase(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return out;
}

bool containsFolded(QStringView text, QStringView fragment)
{
    if (fragment.isEmpty())
        return false;
    return foldCase(text).contains(foldCase(fragment));
}

QString schemeOf(const QString &address)
{
    const qsizetype n = schemeLength(address);
    return n > 0 ? lowerAscii(QStringView(address).left(n)) : QString();
}

QString normalizedAddress(const QString &address)
{
    const qsizetype n = schemeLength(address);
    if (n == 0)
        return address;
    const QString scheme = lowerAscii(QStringView(address).left(n));
    const QStringView rest = QStringView(address).mid(n); // from the ":"
    if (!rest.startsWith(u"://")) // no host: about:blank, javascript:, data:, mailto:
        return scheme + rest;
    QUrl url(address, QUrl::TolerantMode);
    // What does not parse cannot be judged by its parts: it matches no entry and passes nothing.
    if (!url.isValid())
        return {};
    if (url.host().isEmpty()) // "file:///path"
        return scheme + rest;
    url.setScheme(scheme);
    url.setUserInfo(QString());
    QString host = url.host();
    while (host.endsWith(u'.'))
        host.chop(1);
    url.setHost(lowerAscii(host));
    if (url.port() == defaultPort(scheme))
        url.setPort(-1);
    return url.toString();
}

bool isNormalWebAddress(QByteArrayView utf8)
{
    qsizetype i = 0;
    if (utf8.startsWith("http://"))
        i = 7;
    else if (utf8.startsWith("https://"))
        i = 8;
    else
        return false;
    const qsizetype hostStart = i;
    char before = '.';
    for (; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '/' || c == '?' || c == '#')
            break;
        const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (c == '.') {
            if (before == '.' || before == '-') // empty label, or a label ending in a dash
                return false;
        } else if (c == '-') {
            if (before == '.') // a label beginning with a dash
                return false;
        } else if (!letterOrDigit) {
            return false;
        }
        before = c;
    }
    const QByteArrayView host = utf8.sliced(hostStart, i - hostStart);
    // A trailing dot or dash, a host that may be a number (an IPv4 address in any of its forms),
    // and international names in their ASCII form are left to the parser.
    if (host.isEmpty() || before == '.' || before == '-' || (host[0] >= '0' && host[0] <= '9')
        || host.indexOf("xn--") >= 0)
        return false;
    bool fragment = false;
    for (; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            continue;
        switch (c) {
        case '-': case '.': case '_': case '~': case '!': case '$': case '&': case '(': case ')':
        case '*': case '+': case ',': case ';': case '=': case ':': case '@': case '/': case '?':
            continue;
        case '#':
            if (fragment)
                return false;
            fragment = true;
            continue;
        default:
            return false;
        }
    }
    return true;
}

QString hostOf(const QString &address)
{
    if (!QStringView(address).mid(schemeLength(address)).startsWith(u"://"))
        return {};
    const QUrl url(address, QUrl::TolerantMode);
    QString host = url.isValid() ? url.host() : QString();
    while (host.endsWith(u'.'))
        host.chop(1);
    return lowerAscii(host);
}

QStringView whitelistSearchPart(QStringView address, QStringView entry)
{
    if (entry.contains(u'?'))
        return address;
    return beforeQuery(address);
}

QString otherWebScheme(const QString &text)
{
    if (startsWithFolded(text, kHttps))
        return QString(kHttp) + QStringView(text).mid(kHttps.size());
    if (startsWithFolded(text, kHttp))
        return QString(kHttps) + QStringView(text).mid(kHttp.size());
    return {};
}

bool whitelistEntryMatches(const QString &entry, const QString &address)
{
    if (entry.isEmpty())
        return false;
    const QStringView part = whitelistSearchPart(address, entry);
    if (containsFolded(part, entry))
        return true;
    const QString twin = otherWebScheme(entry);
    return !twin.isEmpty() && containsFolded(part, twin);
}

QStringList exactCandidates(const QString &address)
{
    QStringList forms;
    const auto add = [&forms](QStringView form) {
        if (form.isEmpty())
            return;
        const QString text = form.toString();
        if (!forms.contains(text))
            forms.append(text);
        if (form.size() > 1 && form.endsWith(u'/')) {
            const QString less = form.chopped(1).toString();
            if (!forms.contains(less))
                forms.append(less);
        }
    };
    add(address);
    add(beforeQuery(address));
    return forms;
}

QString webSchemeKey(const QString &normalAddress)
{
    if (normalAddress.startsWith(kHttps))
        return QString(kHttp) + QStringView(normalAddress).mid(kHttps.size());
    return normalAddress;
}

QString exactKey(const QString &entry)
{
    return webSchemeKey(normalizedAddress(entry));
}

bool hostIsOrIsBelow(const QString &address, const QString &host)
{
    QString wantedHost;
    int wantedPort = -1;
    if (host.contains(u"://")) {
        const QUrl url(host, QUrl::TolerantMode);
        wantedHost = url.host();
        wantedPort = url.port();
    } else {
        wantedHost = host;
        const qsizetype colon = host.lastIndexOf(u':');
        // "name:8080" carries a port; an IPv6 address ("::1", "[::1]") does not end in one that way.
        if (colon > 0 && !host.left(colon).contains(u':')) {
            bool ok = false;
            const int port = host.mid(colon + 1).toInt(&ok);
            if (ok) {
                wantedHost = host.left(colon);
                wantedPort = port;
            }
        }
    }
    while (wantedHost.endsWith(u'.'))
        wantedHost.chop(1);
    wantedHost = lowerAscii(wantedHost);
    if (wantedHost.isEmpty())
        return false;
    const QString have = hostOf(address);
    if (have.isEmpty())
        return false;
    if (have != wantedHost && !have.endsWith(u'.' + wantedHost))
        return false;
    if (wantedPort < 0)
        return true;
    const QUrl url(address, QUrl::TolerantMode);
    return url.port(defaultPort(schemeOf(address))) == wantedPort;
}

bool isAlwaysPassing(const QString &address, const AlwaysPassing &texts)
{
    const QString scheme = schemeOf(address);
    if (scheme == u"javascript")
        return true;
    if (address == u"about:blank")
        return true;
    if (isLocalPage(address, texts.localPage))
        return true;
    return hostIsOrIsBelow(address, texts.webHost) || hostIsOrIsBelow(address, texts.secondHost);
}

bool engineShowsAddress(const QString &address, const QString &localPage)
{
    const QString scheme = schemeOf(address);
    if (scheme == u"http" || scheme == u"https" || scheme == u"data" || scheme == u"blob" || scheme == u"javascript")
        return true;
    if (address == u"about:blank")
        return true;
    return scheme == u"file" && isLocalPage(address, localPage);
}

} // namespace tovalin
