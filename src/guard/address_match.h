#pragma once
// How the guard reads an address and where it looks for a list entry.
//
// These are the plain, slow-but-obvious rules of the address tests. SiteLists
// applies them to the active theme's lists; a faster matcher must give exactly
// the answers that these functions give.
//
// The rules, in the order a test applies them:
// 1. The address is judged as the engine will load it (normalizedAddress).
// 2. Letter case is folded for ASCII letters only (foldCase): no other letter
//    ever becomes an ASCII one ("ı" and "ſ" stay what they are).
// 3. The whitelist is a fragment test: an entry is looked for in the part of the
//    address whitelistSearchPart gives (before the first "?" or "#", unless the
//    entry itself holds a "?"), as written and in its http/https twin
//    (otherWebScheme).
// 4. The blacklist and the pop-up list are exact tests: an entry, normalised as
//    an address (normalizedAddress) and in its http/https twin, equals one of the
//    forms exactCandidates gives.
// 5. A few addresses always pass (isAlwaysPassing), each only where it means
//    what it says.
// 6. The engine shows only a few schemes (engineShowsAddress); every other
//    address is refused whatever the lists say, so it never leaves the program.
// 7. Host names meet in one form (canonicalHost): the ASCII form international
//    names take by the IDNA rules. An address is read in it; a whitelist entry is
//    looked for as written and with its host in that form.
// 8. With the user's "Whitelist entries are sites" on, a whitelist entry is a site
//    (siteEntryMatches) instead of a fragment: its host and the hosts below it,
//    or, with a path, that path's beginning on that host.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace tovalin {

/// ASCII-only upper-casing: "a" to "z" become "A" to "Z"; every other character stays as it is.
QString foldCase(QStringView text);

/// True when the fragment occurs in the text with ASCII letter case folded. An empty fragment never occurs.
bool containsFolded(QStringView text, QStringView fragment);

/// The canonical form of a host name: its ASCII form by the IDNA rules ("xn--..." for an
/// international name), in small letters, without trailing dots; an IPv6 address in small
/// letters without its brackets. An ASCII name is taken as it stands (in small letters); empty
/// for nothing but dots, or a name whose other letters break the IDNA rules. "café.example",
/// "CAFÉ.example" and "xn--caf-dma.example" give the same; a name in another script that only
/// looks like one of them gives another (no look-alike folding, only the IDNA mapping).
QString canonicalHost(QStringView host);

/// The common form of a web address, "http(s)://host[:port]/path?query#fragment", read in one
/// pass without allocation: views into the address and the host in small letters in a buffer of
/// its own. What the quick reading is not sure of is left to the general one (QUrl).
struct WebAddressView {
    static constexpr qsizetype kMaxHost = 253;
    bool secure = false;      ///< "https"
    bool unchanged = false;   ///< the address is already as the engine loads it (normalizedAddress)
    int port = -1;            ///< the port written, -1 when none is (a default one is dropped)
    QStringView portText;     ///< its digits as written
    QStringView rest;         ///< path, query and fragment as written; may be empty
    qsizetype hostSize = 0;
    char16_t hostBuffer[kMaxHost];
    QStringView host() const { return QStringView(hostBuffer, hostSize); }
};

/// Reads the common form of a web address: "http://" or "https://" in any letter case, a host of
/// ASCII letters, digits, dots and dashes (labels of 1 to 63 characters that neither begin nor end
/// with a dash, not beginning with a digit, no international form, no trailing dot), a port of 1
/// to 5 digits without a leading zero, then only characters an address keeps as written (no "%",
/// no space, no other letters than ASCII, at most one "#"). False for every other form, which
/// the general reading (QUrl) then reads; never a guess.
bool readWebAddress(QStringView address, WebAddressView &out);

/// normalizedAddress by the general reading alone (QUrl), whatever the form. normalizedAddress
/// gives exactly the same: it reads the common form (readWebAddress) itself.
QString generalNormalizedAddress(const QString &address);

/// The address as the engine will load it. For an address with a host: the scheme in small
/// letters, the host in its canonical form (canonicalHost), the user-info ("name:password@") dropped, a host's trailing dots
/// dropped and a default port (http 80, https 443, ftp 21) dropped; path, query and fragment
/// stay as written. An address without a host ("about:blank", "javascript:...", "data:...")
/// gets only its scheme in small letters. Text that is no address (no scheme) comes back as it is;
/// a "scheme://" text that does not parse comes back empty, which matches nothing and passes nothing.
QString normalizedAddress(const QString &address);

/// True when the UTF-8 text is a plain web address that normalizedAddress gives back unchanged:
/// "http://" or "https://", a host of small letters, digits, dots and dashes (no port, no
/// user-info, not a number, no international form), then only characters an address keeps as
/// written. A quick test without parsing; false means "not known", never "not normal".
bool isNormalWebAddress(QByteArrayView utf8);

/// The scheme of an address in small letters ("http", "javascript"), empty when it has none.
QString schemeOf(const QString &address);

/// The host of a normalised address (small letters, no trailing dot), empty when it has none.
QString hostOf(const QString &address);
/// hostOf by the general reading alone (QUrl); hostOf gives exactly the same.
QString generalHostOf(const QString &address);

/// Where a whitelist entry is looked for in an address: the whole address when the entry holds
/// a "?" (a parent who allowed one page with its query), else the part before the address's
/// first "?" or "#", so an entry found only in a query or a fragment lets nothing through.
QStringView whitelistSearchPart(QStringView address, QStringView entry);

/// The http/https twin of a text: a leading "http://" (any letter case) becomes "https://" and
/// the other way round; empty when the text begins with neither. A site is one site over both.
QString otherWebScheme(const QString &text);

/// A whitelist entry with its host in the canonical form: the part after "scheme://" (or from
/// the start) up to the first "/", "?", "#" or ":" goes through canonicalHost, dots at its ends
/// kept. Empty when that part is all ASCII (letter case is folded anyway) or no valid name.
QString entryWithCanonicalHost(QStringView entry);

/// The forms a whitelist entry is looked for in: as written, with its host in the canonical
/// form (entryWithCanonicalHost) and the http/https twin of each; duplicates removed.
QStringList whitelistEntryForms(const QString &entry);

/// True when a whitelist entry allows the (normalised) address: one of its forms
/// (whitelistEntryForms) occurs in the entry's search part of the address, ASCII case folded.
/// An empty entry allows nothing.
bool whitelistEntryMatches(const QString &entry, const QString &address);

/// A whitelist entry read as a site ("Whitelist entries are sites").
struct SiteEntry {
    QString host;  ///< canonical (canonicalHost); empty: the entry names no site and allows nothing
    int port = -1; ///< -1: any port
    /// Empty for a whole site (no path, or "/" alone): the host and every host below it. Else the
    /// path (and query) the address's path must begin with, on that host only, ASCII case folded.
    QString path;
};

/// The site a whitelist entry names: a scheme ("http://") and user-info are passed over; the
/// host (and port) end at the first "/", "?" or "#"; what follows is the path.
SiteEntry siteEntryOf(QStringView entry);

/// The parts of a (normalised) address a site entry is compared with.
struct AddressSite {
    QString host;       ///< canonical; empty when the address has none
    int port = -1;      ///< the port asked for, the scheme's own when none is written
    bool ipHost = false; ///< a numeric address: no host lies below it
    QString path;       ///< path, query and fragment, ASCII case folded
};
AddressSite addressSiteOf(const QString &normalAddress);

/// True when a site entry allows the address: a whole site when the address's host is its host
/// or lies below it at a label boundary ("kids.example" allows "www.kids.example", never
/// "kids.example.other.example" or "other.example/kids.example"); an entry with a path when the
/// host is its host and the address's path begins with the entry's (before the query, unless the
/// entry holds a "?"). A port named in the entry must be the address's.
bool siteEntryMatches(const SiteEntry &entry, const AddressSite &address);
bool siteEntryMatches(const QString &entry, const QString &normalAddress);

/// True when a whitelist entry reaches beyond one site: the host it names has no dot, or
/// begins or ends with one ("kids", ".example", "kids.").
bool entryMatchesMoreThanASite(QStringView entry);

/// The forms of a (normalised) address an exact-list entry is compared with: the address, the
/// address less one final "/", and when the address has a query or a fragment, the same two for
/// its part before the first "?" or "#" (so a blocked page stays blocked with "?x=1" added; an
/// entry that holds a query matches only that query). Duplicates removed, order kept.
QStringList exactCandidates(const QString &address);

/// A normalised address with an "https://" beginning written "http://": the form in which the
/// http and https forms of one address meet in the exact tests.
QString webSchemeKey(const QString &normalAddress);

/// The key an exact-list entry is stored under: webSchemeKey(normalizedAddress(entry)). An address
/// matches the entry when webSchemeKey of one of its exactCandidates equals it.
QString exactKey(const QString &entry);

/// The texts that always pass the whitelist and never match the blacklist or the pop-up list.
struct AlwaysPassing {
    QString webHost;    ///< the vendor's web host ("www.tovalin.example", may carry ":port")
    QString secondHost; ///< the vendor's second host
    QString localPage;  ///< the data folder's own page, a file path (DataFolder + "/tovalin.htm")
};

/// True when the (normalised) address always passes: "javascript:" as its scheme, "about:blank"
/// as the whole address, the data folder's page as that file's own address (its path or its
/// "file://" address), or a vendor host as the address's host or a subdomain of it.
bool isAlwaysPassing(const QString &address, const AlwaysPassing &texts);

/// True when the (normalised) address's host is host or a subdomain of it. A host given with a
/// port ("127.0.0.1:8080") matches only that port; one given with a scheme ("http://x") is read
/// as an address.
bool hostIsOrIsBelow(const QString &address, const QString &host);

/// True when the engine may show the (normalised) address: http and https, "about:blank", data
/// and blob addresses, "javascript:" (it runs in the page already shown) and the data folder's
/// own page. Any other scheme (mailto, ftp, file, an unknown one) is refused, so no address is
/// ever handed to another program of the desktop.
bool engineShowsAddress(const QString &address, const QString &localPage);

} // namespace tovalin
