#include "guard/safe_search.h"

#include "guard/category_text.h"

#include <QStringList>

#include <string_view>

namespace tovalin {

namespace {

using namespace std::string_view_literals;

struct Forced {
    QLatin1StringView key;
    QLatin1StringView value;
};

bool isLetters(std::string_view label, std::size_t length)
{
    if (label.size() != length)
        return false;
    for (const char c : label)
        if (c < 'a' || c > 'z')
            return false;
    return true;
}

// google.com, google.nl, google.co.uk, google.com.au: Google's own country domains.
bool isGoogleSearchHost(std::string_view host)
{
    if (host.substr(0, 4) == "www."sv)
        host.remove_prefix(4);
    if (host.substr(0, 7) != "google."sv)
        return false;
    std::string_view rest = host.substr(7);
    if (rest == "com"sv || isLetters(rest, 2))
        return true;
    const std::size_t dot = rest.find('.');
    if (dot == std::string_view::npos)
        return false;
    const std::string_view second = rest.substr(0, dot);
    return (second == "co"sv || second == "com"sv) && isLetters(rest.substr(dot + 1), 2);
}

bool isBingHost(std::string_view host)
{
    return host == "bing.com"sv || host == "www.bing.com"sv;
}

bool isDuckDuckGoHost(std::string_view host)
{
    return host == "duckduckgo.com"sv || host == "www.duckduckgo.com"sv || host == "html.duckduckgo.com"sv
        || host == "lite.duckduckgo.com"sv || host == "start.duckduckgo.com"sv || host == "links.duckduckgo.com"sv;
}

// The forced values for the address's engine and page; none for other pages.
QList<Forced> forcedFor(std::string_view host, const QString &path)
{
    const QString p = path.isEmpty() ? QStringLiteral("/") : path;
    if (isGoogleSearchHost(host)) {
        if (p == u"/" || p == u"/search" || p == u"/webhp" || p == u"/imghp")
            return {{QLatin1StringView("safe"), QLatin1StringView("active")}, {QLatin1StringView("ssui"), QLatin1StringView("on")}};
        return {};
    }
    if (isBingHost(host)) {
        if (p == u"/" || p.endsWith(u"/search") || p.endsWith(u"/async"))
            return {{QLatin1StringView("adlt"), QLatin1StringView("strict")}};
        return {};
    }
    if (isDuckDuckGoHost(host)) {
        if (p == u"/" || p == u"/html" || p == u"/html/" || p == u"/lite" || p == u"/lite/" || p == u"/d.js"
            || p == u"/i.js" || p == u"/v.js" || p == u"/news.js")
            return {{QLatin1StringView("kp"), QLatin1StringView("1")}};
        return {};
    }
    return {};
}

bool isHttp(const QUrl &url)
{
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https";
}

// A quick look at the host before any text is made: most requests go elsewhere.
bool mayBeSearchHost(std::string_view host)
{
    return host.find("google."sv) != std::string_view::npos || host.find("bing.com"sv) != std::string_view::npos
        || host.find("duckduckgo.com"sv) != std::string_view::npos;
}

} // namespace

std::optional<QUrl> safeSearchAddress(const QUrl &url)
{
    if (!isHttp(url))
        return std::nullopt;
    HostBuffer host;
    if (!hostOf(url, host) || !mayBeSearchHost(host.view()))
        return std::nullopt;
    const QList<Forced> forced = forcedFor(host.view(), url.path(QUrl::FullyEncoded));
    if (forced.isEmpty())
        return std::nullopt;

    const QString query = url.query(QUrl::FullyEncoded);
    QStringList kept;
    if (url.hasQuery()) {
        const QStringList items = query.split(u'&');
        for (const QString &item : items) {
            const QString key = item.section(u'=', 0, 0);
            bool isForcedKey = false;
            for (const Forced &f : forced)
                isForcedKey = isForcedKey || key.compare(f.key, Qt::CaseInsensitive) == 0;
            if (!isForcedKey && !item.isEmpty())
                kept.append(item);
        }
    }
    for (const Forced &f : forced)
        kept.append(f.key + u'=' + f.value);
    const QString rewritten = kept.join(u'&');
    if (url.hasQuery() && rewritten == query)
        return std::nullopt;
    QUrl out = url;
    out.setQuery(rewritten, QUrl::StrictMode);
    if (!out.isValid())
        return std::nullopt;
    return out;
}

bool isYouTubeAddress(const QUrl &url)
{
    if (!isHttp(url))
        return false;
    HostBuffer host;
    if (!hostOf(url, host))
        return false;
    const std::string_view h = host.view();
    return h == "www.youtube.com"sv || h == "m.youtube.com"sv || h == "youtubei.googleapis.com"sv
        || h == "youtube.googleapis.com"sv || h == "www.youtube-nocookie.com"sv;
}

QByteArray youTubeRestrictValue(YouTubeRestriction restriction)
{
    return restriction == YouTubeRestriction::Moderate ? QByteArrayLiteral("Moderate") : QByteArrayLiteral("Strict");
}

} // namespace tovalin
