#include "guard/address_match.h"

#include <array>

#include <QUrl>

#include <algorithm>
#include <utility>

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

// Byte classes of a web address, one table look-up per byte on the lists' hot paths.
enum : unsigned char { kHostByte = 1, kKeptByte = 2 };

constexpr std::array<unsigned char, 256> kByteClass = [] {
    std::array<unsigned char, 256> t{};
    for (int c = 'a'; c <= 'z'; ++c)
        t[size_t(c)] = kHostByte | kKeptByte;
    for (int c = '0'; c <= '9'; ++c)
        t[size_t(c)] = kHostByte | kKeptByte;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[size_t(c)] = kKeptByte;
    for (const char c : {'-', '.', '_', '~', '!', '$', '&', '(', ')', '*', '+', ',', ';', '=', ':', '@', '/', '?'})
        t[size_t(static_cast<unsigned char>(c))] |= kKeptByte;
    return t;
}();

// True when the engine keeps this character of a path, query or fragment as written: ASCII
// letters and digits, the marks of kKeptByte, and one "#" (fragment says whether it came already).
bool keptAsWritten(char16_t c, bool &fragment)
{
    if (c < 0x80 && (kByteClass[c] & kKeptByte))
        return true;
    return c == u'#' && !std::exchange(fragment, true);
}

bool startsWithFolded(QStringView text, QLatin1StringView prefix)
{
    return text.size() >= prefix.size() && foldCase(text.left(prefix.size())) == foldCase(QString(prefix));
}

bool isLocalPage(const QString &address, const QString &localPage)
{
    if (localPage.isEmpty())
        return false;
    if (address == localPage)
        return true;
    // The page's own address is a "file:" address: no other address needs it made.
    if (!address.startsWith(u"file:"))
        return false;
    return beforeQuery(address) == QUrl::fromLocalFile(localPage).toString();
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

QString canonicalHost(QStringView host)
{
    QString name = host.toString();
    while (name.endsWith(u'.'))
        name.chop(1);
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    if (name.isEmpty())
        return {};
    // An ASCII name (an IPv6 address too) is read as it stands, in small letters: the engine hands
    // every name over in this form. Only a name with other letters goes through the IDNA rules.
    if (std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return lowerAscii(name);
    // The IDNA rules, ignoring the list of domains Qt shows in Unicode: one form for every name,
    // whatever its top-level domain.
    QByteArray ace = QUrl::toAce(name, QUrl::IgnoreIDNWhitelist);
    while (ace.endsWith('.'))
        ace.chop(1);
    return lowerAscii(QString::fromLatin1(ace));
}

QString schemeOf(const QString &address)
{
    const qsizetype n = schemeLength(address);
    return n > 0 ? lowerAscii(QStringView(address).left(n)) : QString();
}

bool readWebAddress(QStringView address, WebAddressView &out)
{
    const auto folded = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c; };
    // The scheme, in any letter case.
    qsizetype i = 0;
    bool schemeAsWritten = true;
    for (const char16_t c : {u'h', u't', u't', u'p'}) {
        if (i >= address.size() || folded(address[i].unicode()) != c)
            return false;
        schemeAsWritten = schemeAsWritten && address[i].unicode() == c;
        ++i;
    }
    out.secure = i < address.size() && folded(address[i].unicode()) == u's';
    if (out.secure) {
        schemeAsWritten = schemeAsWritten && address[i].unicode() == u's';
        ++i;
    }
    if (address.mid(i, 3) != u"://")
        return false;
    i += 3;

    // The host: labels of letters, digits and dashes, folded into the buffer as they are read.
    bool hostAsWritten = true;
    out.hostSize = 0;
    qsizetype labelStart = 0;
    char16_t before = u'.';
    for (; i < address.size(); ++i) {
        const char16_t c = address[i].unicode();
        if (c == u'/' || c == u'?' || c == u'#' || c == u':')
            break;
        const char16_t small = folded(c);
        const bool letterOrDigit = (small >= u'a' && small <= u'z') || (c >= u'0' && c <= u'9');
        if (c == u'.') {
            if (before == u'.' || before == u'-' || out.hostSize - labelStart > 63) // empty, dash-ended or long label
                return false;
            labelStart = out.hostSize + 1;
        } else if (c == u'-') {
            if (before == u'.') // a label beginning with a dash
                return false;
        } else if (!letterOrDigit) {
            return false; // user-info, brackets, "%", "_", other letters: the general reading
        }
        if (out.hostSize == WebAddressView::kMaxHost)
            return false;
        hostAsWritten = hostAsWritten && small == c;
        out.hostBuffer[out.hostSize++] = small;
        before = c;
    }
    const QStringView host = out.host();
    // A trailing dot or dash, a host that may be a number (an IPv4 address in any of its forms)
    // and international names in their ASCII form are the general reading's.
    if (host.isEmpty() || before == u'.' || before == u'-' || out.hostSize - labelStart > 63
        || (host[0] >= u'0' && host[0] <= u'9') || host.contains(u"xn--"))
        return false;

    // The port: 1 to 5 digits, no leading zero, at most 65535.
    out.port = -1;
    out.portText = {};
    bool portAsWritten = true;
    if (i < address.size() && address[i] == u':') {
        const qsizetype from = ++i;
        int port = 0;
        for (; i < address.size() && address[i] >= u'0' && address[i] <= u'9'; ++i) {
            if (i - from == 5)
                return false;
            port = port * 10 + (address[i].unicode() - u'0');
        }
        if (i == from || address[from] == u'0' || port > 65535)
            return false;
        if (i < address.size() && address[i] != u'/' && address[i] != u'?' && address[i] != u'#')
            return false;
        out.port = port;
        out.portText = address.sliced(from, i - from);
        portAsWritten = port != (out.secure ? 443 : 80);
    }

    // Path, query and fragment: only characters the engine keeps as written.
    out.rest = address.sliced(i);
    bool fragment = false;
    for (; i < address.size(); ++i) {
        if (!keptAsWritten(address[i].unicode(), fragment))
            return false;
    }
    out.unchanged = schemeAsWritten && hostAsWritten && portAsWritten;
    return true;
}

QString normalizedAddress(const QString &address)
{
    WebAddressView web;
    if (!readWebAddress(address, web))
        return generalNormalizedAddress(address);
    if (web.unchanged)
        return address;
    const bool showPort = web.port >= 0 && web.port != (web.secure ? 443 : 80);
    QString out;
    out.reserve(8 + web.hostSize + (showPort ? 1 + web.portText.size() : 0) + web.rest.size());
    out += web.secure ? kHttps : kHttp;
    out += web.host();
    if (showPort) {
        out += u':';
        out += web.portText;
    }
    out += web.rest;
    return out;
}

QString generalNormalizedAddress(const QString &address)
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
    // The host in its canonical form. QUrl would show some international names (those of the
    // domains on its list) in Unicode and others in ASCII; the address is put together here so
    // every name reads one way, while path, query and fragment read as QUrl shows them.
    const QString host = canonicalHost(url.host());
    if (host.isEmpty())
        return {};
    QString out = scheme + QStringLiteral("://") + (host.contains(u':') ? u'[' + host + u']' : host);
    const int port = url.port();
    if (port >= 0 && port != defaultPort(scheme))
        out += u':' + QString::number(port);
    return out + url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority);
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
    const qsizetype size = utf8.size();
    const char *bytes = utf8.data();
    char before = '.';
    for (; i < size; ++i) {
        const char c = bytes[i];
        if (kByteClass[static_cast<unsigned char>(c)] & kHostByte) { // a letter or a digit
            before = c;
            continue;
        }
        if (c == '/' || c == '?' || c == '#')
            break;
        if (c == '.') {
            if (before == '.' || before == '-') // empty label, or a label ending in a dash
                return false;
        } else if (c == '-') {
            if (before == '.') // a label beginning with a dash
                return false;
        } else {
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
    for (; i < size; ++i) {
        if (!keptAsWritten(char16_t(static_cast<unsigned char>(bytes[i])), fragment))
            return false;
    }
    return true;
}

QString hostOf(const QString &address)
{
    WebAddressView web;
    if (readWebAddress(address, web))
        return web.host().toString();
    return generalHostOf(address);
}

QString generalHostOf(const QString &address)
{
    if (!QStringView(address).mid(schemeLength(address)).startsWith(u"://"))
        return {};
    const QUrl url(address, QUrl::TolerantMode);
    return url.isValid() ? canonicalHost(url.host()) : QString();
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

namespace {

// Where the host of an entry (or an address) lies: after "scheme://", or from the start, up
// to the first "/", "?" or "#".
struct HostSpan {
    qsizetype begin = 0;
    qsizetype end = 0;
};

HostSpan authorityOf(QStringView text)
{
    HostSpan span;
    const qsizetype n = schemeLength(text);
    if (n > 0 && text.mid(n).startsWith(u"://"))
        span.begin = n + 3;
    span.end = span.begin;
    while (span.end < text.size()) {
        const QChar c = text.at(span.end);
        if (c == u'/' || c == u'?' || c == u'#')
            break;
        ++span.end;
    }
    return span;
}

bool isAsciiText(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// The host part of an authority: user-info and port left out, IPv6 brackets kept.
QStringView hostPartOf(QStringView authority, QStringView *portPart = nullptr)
{
    const qsizetype at = authority.lastIndexOf(u'@');
    if (at >= 0)
        authority = authority.mid(at + 1);
    qsizetype colon = -1;
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        if (close > 0 && close + 1 < authority.size() && authority.at(close + 1) == u':')
            colon = close + 1;
    } else {
        colon = authority.indexOf(u':');
    }
    if (colon < 0)
        return authority;
    if (portPart)
        *portPart = authority.mid(colon + 1);
    return authority.left(colon);
}

bool isNumericHost(QStringView host)
{
    return host.contains(u':')
        || std::all_of(host.cbegin(), host.cend(), [](QChar c) { return c == u'.' || (c >= u'0' && c <= u'9'); });
}

} // namespace

QString entryWithCanonicalHost(QStringView entry)
{
    const HostSpan span = authorityOf(entry);
    QStringView host = entry.mid(span.begin, span.end - span.begin);
    const qsizetype colon = host.indexOf(u':');
    if (colon >= 0)
        host = host.left(colon);
    if (isAsciiText(host))
        return {};
    // A fragment such as ".café.example" keeps its dots: it still means "below café.example".
    qsizetype first = 0;
    qsizetype last = host.size();
    while (first < last && host.at(first) == u'.')
        ++first;
    while (last > first && host.at(last - 1) == u'.')
        --last;
    const QString canonical = canonicalHost(host.mid(first, last - first));
    if (canonical.isEmpty())
        return {};
    return entry.left(span.begin).toString() + host.left(first) + canonical + host.mid(last)
        + entry.mid(span.begin + host.size());
}

QStringList whitelistEntryForms(const QString &entry)
{
    QStringList forms;
    if (entry.isEmpty())
        return forms;
    const auto add = [&forms](const QString &form) {
        if (form.isEmpty() || forms.contains(form))
            return;
        forms.append(form);
        const QString twin = otherWebScheme(form);
        if (!twin.isEmpty() && !forms.contains(twin))
            forms.append(twin);
    };
    add(entry);
    add(entryWithCanonicalHost(entry));
    return forms;
}

bool whitelistEntryMatches(const QString &entry, const QString &address)
{
    const QStringView part = whitelistSearchPart(address, entry);
    const QStringList forms = whitelistEntryForms(entry);
    return std::any_of(forms.cbegin(), forms.cend(), [&](const QString &form) { return containsFolded(part, form); });
}

SiteEntry siteEntryOf(QStringView entry)
{
    SiteEntry site;
    const HostSpan span = authorityOf(entry);
    QStringView portPart;
    const QStringView host = hostPartOf(entry.mid(span.begin, span.end - span.begin), &portPart);
    if (!portPart.isNull()) {
        bool ok = false;
        const int port = portPart.toInt(&ok);
        if (!ok || port < 0 || port > 65535)
            return {};
        site.port = port;
    }
    site.host = canonicalHost(host);
    const QStringView path = entry.mid(span.end);
    if (!path.isEmpty() && path != u"/")
        site.path = foldCase(path);
    return site;
}

AddressSite addressSiteOf(const QString &normalAddress)
{
    AddressSite site;
    const HostSpan span = authorityOf(normalAddress);
    if (span.begin == 0)
        return site;
    QStringView portPart;
    const QStringView host = hostPartOf(QStringView(normalAddress).mid(span.begin, span.end - span.begin), &portPart);
    site.host = canonicalHost(host);
    site.ipHost = isNumericHost(site.host);
    site.port = portPart.isNull() ? defaultPort(schemeOf(normalAddress)) : portPart.toInt();
    site.path = foldCase(QStringView(normalAddress).mid(span.end));
    return site;
}

bool siteEntryMatches(const SiteEntry &entry, const AddressSite &address)
{
    if (entry.host.isEmpty() || address.host.isEmpty())
        return false;
    if (entry.port >= 0 && entry.port != address.port)
        return false;
    if (entry.path.isEmpty()) {
        return address.host == entry.host
            || (!address.ipHost && address.host.endsWith(entry.host) && address.host.size() > entry.host.size()
                && address.host.at(address.host.size() - entry.host.size() - 1) == u'.');
    }
    if (address.host != entry.host)
        return false;
    const QStringView path = whitelistSearchPart(address.path, entry.path);
    return path.startsWith(entry.path);
}

bool siteEntryMatches(const QString &entry, const QString &normalAddress)
{
    return siteEntryMatches(siteEntryOf(entry), addressSiteOf(normalAddress));
}

bool entryMatchesMoreThanASite(QStringView entry)
{
    const HostSpan span = authorityOf(entry);
    const QStringView host = hostPartOf(entry.mid(span.begin, span.end - span.begin));
    return !host.contains(u'.') || host.startsWith(u'.') || host.endsWith(u'.');
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
    wantedHost = canonicalHost(wantedHost);
    if (wantedHost.isEmpty())
        return false;
    // The address's host, read without a copy when the address has the common form.
    WebAddressView web;
    QString parsedHost;
    QStringView have;
    if (readWebAddress(address, web)) {
        have = web.host();
    } else {
        parsedHost = generalHostOf(address);
        have = parsedHost;
    }
    if (have.isEmpty())
        return false;
    const bool below = have.size() > wantedHost.size() && have.endsWith(wantedHost)
        && have.at(have.size() - wantedHost.size() - 1) == u'.';
    if (have != wantedHost && !below)
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
