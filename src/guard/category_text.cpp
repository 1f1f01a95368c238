#include "guard/category_text.h"

#include "guard/address_match.h"

#include <QSet>
#include <QUrl>

#include <cstring>

namespace tovalin {

namespace {

bool isHostByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}

char lowerByte(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// Folds a plain ASCII host into out. Returns 1 when done, 0 when the name is invalid, -1 when
// it holds something only canonicalHost can judge (letters beyond ASCII, brackets, ...).
template <typename Char>
int foldAsciiHost(const Char *text, qsizetype n, HostBuffer &out)
{
    while (n > 0 && text[n - 1] == Char('.'))
        --n;
    if (n == 0)
        return 0;
    if (n > 253)
        return 0;
    bool labelStart = true;
    for (qsizetype i = 0; i < n; ++i) {
        const auto u = static_cast<unsigned>(text[i]);
        if (u >= 0x80)
            return -1;
        const char c = lowerByte(char(u));
        if (!isHostByte(c))
            return -1;
        if (c == '.' && labelStart)
            return 0; // an empty label: ".x", "a..b"
        labelStart = c == '.';
        out.data[i] = c;
    }
    out.size = int(n);
    return 1;
}

// Takes a name canonicalHost gave: a host name of host characters, or an IPv6 address.
bool fromCanonical(const QString &canonical, HostBuffer &out)
{
    if (canonical.isEmpty() || canonical.size() > 253)
        return false;
    const bool ipv6 = canonical.contains(u':');
    for (qsizetype i = 0; i < canonical.size(); ++i) {
        const char16_t u = canonical.at(i).unicode();
        const bool ok = u < 0x80
            && (ipv6 ? ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || u == ':' || u == '.')
                     : isHostByte(char(u)));
        if (!ok)
            return false;
        out.data[i] = char(u);
    }
    out.size = int(canonical.size());
    // No empty label: none in front, none between dots, none behind (what the parser makes of
    // a bracketed name may end in a dot).
    return !(out.data[0] == '.' || out.data[out.size - 1] == '.'
             || std::string_view(out.data, std::size_t(out.size)).find("..") != std::string_view::npos);
}

QByteArrayView trimmed(QByteArrayView line)
{
    qsizetype b = 0;
    qsizetype e = line.size();
    while (b < e && (line[b] == ' ' || line[b] == '\t' || line[b] == '\r' || line[b] == '\n'))
        ++b;
    while (e > b && (line[e - 1] == ' ' || line[e - 1] == '\t' || line[e - 1] == '\r' || line[e - 1] == '\n'))
        --e;
    return line.sliced(b, e - b);
}

bool isSeparator(char c)
{
    return c == ' ' || c == '\t';
}

// The first address of a hosts-file line: the ones that send a name nowhere.
bool isSinkAddress(QByteArrayView token)
{
    return token == "0.0.0.0" || token == "127.0.0.1" || token == "::" || token == "::1" || token == "0:0:0:0:0:0:0:0"
        || token == "0:0:0:0:0:0:0:1" || token == "::0" || token == "127.0.1.1";
}

// Names every hosts file carries for the machine itself; they are no sites to refuse.
bool isHostsFileOwnName(std::string_view host)
{
    static const std::string_view own[] = {"localhost", "localhost.localdomain", "local", "broadcasthost",
                                           "ip6-localhost", "ip6-loopback", "ip6-localnet", "ip6-mcastprefix",
                                           "ip6-allnodes", "ip6-allrouters", "ip6-allhosts", "0.0.0.0"};
    for (const std::string_view name : own)
        if (host == name)
            return true;
    return false;
}

bool foldPathInto(QByteArrayView path, std::string &out)
{
    out.clear();
    bool plain = true;
    for (const char c : path) {
        const auto u = static_cast<unsigned char>(c);
        // What an address carries percent-encoded must be compared encoded.
        if (u >= 0x80 || u <= 0x20 || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`'
            || c == '{' || c == '|' || c == '}' || c == '#') {
            plain = false;
            break;
        }
    }
    if (!plain) {
        const QUrl url(QStringLiteral("http://h") + QString::fromUtf8(path), QUrl::TolerantMode);
        if (!url.isValid())
            return false;
        QByteArray encoded = url.path(QUrl::FullyEncoded).toUtf8();
        if (url.hasQuery())
            encoded += '?' + url.query(QUrl::FullyEncoded).toUtf8();
        out.assign(encoded.constData(), std::size_t(encoded.size()));
    } else {
        out.assign(path.data(), std::size_t(path.size()));
    }
    for (char &c : out)
        c = lowerByte(c);
    return true;
}

int defaultPortOf(const QUrl &url)
{
    const QString scheme = url.scheme();
    if (scheme == u"http" || scheme == u"ws")
        return 80;
    if (scheme == u"https" || scheme == u"wss")
        return 443;
    if (scheme == u"ftp")
        return 21;
    return -1;
}

void dropWww(HostBuffer &key)
{
    // "www." alone before a single label ("www.com") is the site itself, not a prefix.
    if (key.size > 4 && std::memcmp(key.data, "www.", 4) == 0) {
        std::memmove(key.data, key.data + 4, std::size_t(key.size - 4));
        key.size -= 4;
    }
}

void appendPort(HostBuffer &key, int port)
{
    char digits[8];
    int n = 0;
    do {
        digits[n++] = char('0' + port % 10);
        port /= 10;
    } while (port > 0 && n < 7);
    if (key.size + 1 + n > HostBuffer::kCapacity)
        return;
    key.data[key.size++] = ':';
    while (n > 0)
        key.data[key.size++] = digits[--n];
}

} // namespace

bool canonicalHostInto(QStringView host, HostBuffer &out)
{
    const int fast = foldAsciiHost(host.utf16(), host.size(), out);
    if (fast >= 0)
        return fast == 1;
    return fromCanonical(canonicalHost(host), out);
}

bool canonicalHostInto(QByteArrayView host, HostBuffer &out)
{
    const int fast = foldAsciiHost(reinterpret_cast<const signed char *>(host.data()), host.size(), out);
    if (fast == 1)
        return true;
    if (fast == 0)
        return false;
    // Bytes at or above 0x80 came through signed chars: read the name as UTF-8 text.
    return fromCanonical(canonicalHost(QString::fromUtf8(host)), out);
}

bool isAddressLiteral(std::string_view host)
{
    if (host.find(':') != std::string_view::npos || (!host.empty() && host.front() == '['))
        return true; // IPv6
    int dots = 0;
    int digits = 0;
    for (const char c : host) {
        if (c == '.') {
            if (digits == 0)
                return false;
            ++dots;
            digits = 0;
        } else if (c >= '0' && c <= '9') {
            if (++digits > 3)
                return false;
        } else {
            return false;
        }
    }
    return dots == 3 && digits > 0;
}

int forEachListHost(QByteArrayView line, const std::function<void(std::string_view host)> &each)
{
    const qsizetype hash = line.indexOf('#');
    QByteArrayView text = trimmed(hash >= 0 ? line.first(hash) : line);
    if (text.isEmpty())
        return 0;
    // Split into at most a handful of words.
    QByteArrayView words[16];
    int count = 0;
    qsizetype i = 0;
    while (i < text.size() && count < 16) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        const qsizetype start = i;
        while (i < text.size() && !isSeparator(text[i]))
            ++i;
        if (i > start)
            words[count++] = text.sliced(start, i - start);
    }
    int first = 0;
    if (count >= 2 && isSinkAddress(words[0]))
        first = 1; // hosts-file form
    else if (count != 1)
        return 0; // neither a host a line nor the hosts-file form
    int given = 0;
    HostBuffer host;
    for (int w = first; w < count; ++w) {
        QByteArrayView word = words[w];
        if (word.startsWith("*."))
            word = word.sliced(2);
        else if (word.startsWith('.'))
            word = word.sliced(1);
        if (!canonicalHostInto(word, host))
            continue;
        if (first == 1 && isHostsFileOwnName(host.view()))
            continue;
        each(host.view());
        ++given;
    }
    return given;
}

bool parseUrlLine(QByteArrayView line, UrlEntryForm &out)
{
    QByteArrayView text = trimmed(line);
    if (text.isEmpty() || text.startsWith('#'))
        return false;
    if (const qsizetype scheme = text.indexOf("://"); scheme >= 0 && scheme < 10)
        text = text.sliced(scheme + 3);
    const qsizetype slash = text.indexOf('/');
    QByteArrayView authority = slash >= 0 ? text.first(slash) : text;
    const QByteArrayView path = slash >= 0 ? text.sliced(slash) : QByteArrayView();
    int port = -1;
    if (const qsizetype colon = authority.lastIndexOf(':'); colon >= 0 && !authority.startsWith('[')) {
        bool ok = false;
        port = QByteArray(authority.sliced(colon + 1).data(), authority.size() - colon - 1).toInt(&ok);
        if (!ok || port <= 0 || port > 65535)
            return false;
        authority = authority.first(colon);
        // A list has no scheme: either web port is its default.
        if (port == 80 || port == 443)
            port = -1;
    }
    if (!canonicalHostInto(authority, out.hostKey))
        return false;
    dropWww(out.hostKey);
    if (port > 0)
        appendPort(out.hostKey, port);
    return foldPathInto(path, out.path);
}

bool hostOf(const QUrl &url, HostBuffer &out)
{
    const QString host = url.host();
    if (host.isEmpty())
        return false;
    return canonicalHostInto(QStringView(host), out);
}

void hostKeyFrom(const HostBuffer &host, const QUrl &url, HostBuffer &out)
{
    std::memcpy(out.data, host.data, std::size_t(host.size));
    out.size = host.size;
    dropWww(out);
    const int port = url.port();
    if (port > 0 && port != defaultPortOf(url))
        appendPort(out, port);
}

bool hostKeyOf(const QUrl &url, HostBuffer &out)
{
    HostBuffer host;
    if (!hostOf(url, host))
        return false;
    hostKeyFrom(host, url, out);
    return true;
}

std::string pathKeyOf(const QUrl &url)
{
    QByteArray encoded = url.path(QUrl::FullyEncoded).toUtf8();
    if (encoded.isEmpty())
        encoded = "/";
    if (url.hasQuery())
        encoded += '?' + url.query(QUrl::FullyEncoded).toUtf8();
    std::string out(encoded.constData(), std::size_t(encoded.size()));
    for (char &c : out)
        c = lowerByte(c);
    return out;
}

bool isCategoryName(QStringView name)
{
    if (name.isEmpty() || name.size() > 64)
        return false;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool ok = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-';
        if (!ok)
            return false;
    }
    return true;
}

QStringList splitCategoryNames(const QString &value, QStringList *invalid)
{
    QStringList names;
    const QStringList parts = value.split(u',');
    for (const QString &part : parts) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        if (!isCategoryName(name)) {
            if (invalid)
                invalid->append(name);
            continue;
        }
        if (!names.contains(name))
            names.append(name);
    }
    return names;
}

QHash<QString, CategoryTitles> parseGlobalUsage(const QByteArray &text)
{
    QHash<QString, CategoryTitles> out;
    QString decoded = QString::fromUtf8(text);
    if (decoded.contains(QChar::ReplacementCharacter))
        decoded = QString::fromLatin1(text);
    QString current;
    const QStringList lines = decoded.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        const qsizetype colon = line.indexOf(u':');
        if (colon <= 0)
            continue;
        const QStringList key = line.left(colon).simplified().split(u' ');
        const QString value = line.mid(colon + 1).trimmed();
        if (key.value(0).compare(QLatin1String("NAME"), Qt::CaseInsensitive) != 0)
            continue;
        if (key.size() == 1) {
            current = isCategoryName(value) ? value : QString();
            if (!current.isEmpty())
                out[current];
        } else if (!current.isEmpty() && key.size() == 2 && !value.isEmpty()) {
            out[current].insert(key.at(1).toLower(), value);
        }
    }
    return out;
}

const QStringList &knownCategoryNames()
{
    static const QStringList names{
        QStringLiteral("adult"), QStringLiteral("agressif"), QStringLiteral("arjel"),
        QStringLiteral("associations_religieuses"), QStringLiteral("astrology"), QStringLiteral("audio-video"),
        QStringLiteral("bank"), QStringLiteral("bitcoin"), QStringLiteral("blog"), QStringLiteral("celebrity"),
        QStringLiteral("chat"), QStringLiteral("child"), QStringLiteral("cleaning"), QStringLiteral("cooking"),
        QStringLiteral("cryptojacking"), QStringLiteral("dangerous_material"), QStringLiteral("dating"),
        QStringLiteral("ddos"), QStringLiteral("dialer"), QStringLiteral("doh"), QStringLiteral("download"),
        QStringLiteral("drogue"), QStringLiteral("educational_games"), QStringLiteral("filehosting"),
        QStringLiteral("financial"), QStringLiteral("forums"), QStringLiteral("gambling"), QStringLiteral("games"),
        QStringLiteral("hacking"), QStringLiteral("jobsearch"), QStringLiteral("lingerie"), QStringLiteral("malware"),
        QStringLiteral("manga"), QStringLiteral("marketingware"), QStringLiteral("mixed_adult"),
        QStringLiteral("mobile-phone"), QStringLiteral("phishing"), QStringLiteral("press"), QStringLiteral("publicite"),
        QStringLiteral("radio"), QStringLiteral("reaffected"), QStringLiteral("redirector"),
        QStringLiteral("remote-control"), QStringLiteral("sect"), QStringLiteral("sexual_education"),
        QStringLiteral("shopping"), QStringLiteral("shortener"), QStringLiteral("social_networks"),
        QStringLiteral("special"), QStringLiteral("sports"), QStringLiteral("stalkerware"),
        QStringLiteral("strict_redirector"), QStringLiteral("strong_redirector"), QStringLiteral("translation"),
        QStringLiteral("tricheur"), QStringLiteral("update"), QStringLiteral("vpn"), QStringLiteral("warez"),
        QStringLiteral("webmail"),
    };
    return names;
}

quint64 categoryHash(std::string_view text)
{
    // MurmurHash64A: quick on short names and with well-mixed high bits, which pick the bucket.
    constexpr quint64 m = 0xc6a4a7935bd1e995ULL;
    constexpr int r = 47;
    const auto *data = reinterpret_cast<const unsigned char *>(text.data());
    std::size_t len = text.size();
    quint64 h = 0x7476616c696e3231ULL ^ (quint64(len) * m);
    while (len >= 8) {
        quint64 k = 0;
        for (int b = 7; b >= 0; --b)
            k = (k << 8) | data[b];
        k *= m;
        k ^= k >> r;
        k *= m;
        h ^= k;
        h *= m;
        data += 8;
        len -= 8;
    }
    if (len > 0) {
        quint64 tail = 0;
        for (std::size_t b = len; b > 0; --b)
            tail = (tail << 8) | data[b - 1];
        h ^= tail;
        h *= m;
    }
    h ^= h >> r;
    h *= m;
    h ^= h >> r;
    return h;
}

} // namespace tovalin
