#pragma once
// SafeSearch: the search engines' safe modes, forced on every request the browser makes
// (pages and what they load), so that no settings page of a search engine can switch them off.
//
// - Google's search and home pages ("/", "/search", "/webhp", "/imghp" on google.<country>)
//   carry safe=active&ssui=on;
// - Bing's search pages carry adlt=strict;
// - DuckDuckGo's search pages and result scripts carry kp=1;
// - YouTube's hosts get the header "YouTube-Restrict: Strict" (or Moderate).
// A value the address carried for these keys is replaced, never doubled, and an address that
// carries exactly the forced values is left as it is, so a rewritten address is not rewritten
// again.

#include <QByteArray>
#include <QStringView>
#include <QUrl>

#include <optional>

namespace tovalin {

enum class YouTubeRestriction { Strict, Moderate };

/// The header YouTube reads its restricted mode from.
inline constexpr char kYouTubeRestrictHeader[] = "YouTube-Restrict";

/// The address to load instead of url with the safe mode of its search engine forced;
/// nullopt when url is no search engine's page, or carries the forced values already.
std::optional<QUrl> safeSearchAddress(const QUrl &url);

/// True when the address's host is one of YouTube's that honour YouTube-Restrict
/// (www.youtube.com, m.youtube.com, youtubei.googleapis.com, youtube.googleapis.com,
/// www.youtube-nocookie.com).
bool isYouTubeAddress(const QUrl &url);

/// The header's value: "Strict" or "Moderate".
QByteArray youTubeRestrictValue(YouTubeRestriction restriction);

} // namespace tovalin
