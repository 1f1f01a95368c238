#pragma once
// How category lists read: the lines of a `domains` list (a host a line, or the hosts-file
// form "0.0.0.0 host"), the lines of a `urls` list (host plus path, no scheme), the
// `global_usage` file with each category's names in several languages, and the one form in
// which hosts and paths of lists and of addresses meet.
//
// Hosts compare in their canonical form (canonicalHost): ASCII, international names as ACE,
// small letters, no trailing dot. A `urls` entry and an address compare as host key plus path:
// the host without one leading "www.", ":port" only when the port is not the scheme's
// default, then the path and query in their encoded form with ASCII letters made small, so
// letter case never slips an address past a list.

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <string>
#include <string_view>

class QUrl;

namespace tovalin {

/// A host (or a host key) in canonical form, kept on the stack: the request filter makes no
/// allocation for the common, plain ASCII host.
struct HostBuffer {
    static constexpr int kCapacity = 262; // 253 for the name, ":" and a port
    char data[kCapacity];
    int size = 0;
    std::string_view view() const { return {data, std::size_t(size)}; }
};

/// Writes the canonical form of a host into out; false when it is no valid host. Plain ASCII
/// names are folded in place; other names go through canonicalHost.
bool canonicalHostInto(QStringView host, HostBuffer &out);

/// Same, for the UTF-8 bytes of a list line.
bool canonicalHostInto(QByteArrayView host, HostBuffer &out);

/// True when the canonical host is an IPv4 address (four numbers) or an IPv6 one (it holds a ":"):
/// such a host is matched whole, never by its last labels.
bool isAddressLiteral(std::string_view host);

/// Calls each with every host a `domains` line names: a host a line, or the hosts-file form
/// ("0.0.0.0 host", "127.0.0.1 a b", comments after "#"). A leading "*." or "." is dropped;
/// blank lines, comments and names that are no valid host give nothing; the hosts file's own
/// names ("localhost", "broadcasthost", ...) are left out. Returns how many hosts it gave.
int forEachListHost(QByteArrayView line, const std::function<void(std::string_view host)> &each);

/// A `urls` entry in the form addresses are compared in.
struct UrlEntryForm {
    HostBuffer hostKey;
    std::string path; ///< from the first "/" (with the query), ASCII letters small; empty: the whole site
};

/// Reads one `urls` line ("example.com/dir/page", an "http://" in front tolerated); false for a
/// blank line, a comment or a line whose host is no valid host.
bool parseUrlLine(QByteArrayView line, UrlEntryForm &out);

/// The host key of an address: its canonical host less one leading "www.", with ":port" when
/// the port is not the scheme's default. False when the address has no valid host.
bool hostKeyOf(const QUrl &url, HostBuffer &out);

/// The canonical host of an address (no port, "www." kept). False when it has no valid host.
bool hostOf(const QUrl &url, HostBuffer &out);

/// The host key of an address whose canonical host is already known.
void hostKeyFrom(const HostBuffer &host, const QUrl &url, HostBuffer &out);

/// The path and query of an address as a `urls` entry is compared with it ("/" at least).
std::string pathKeyOf(const QUrl &url);

/// True for a name a category may have: 1 to 64 ASCII letters, digits, "_" and "-".
bool isCategoryName(QStringView name);

/// Splits a `Categorieen` value ("adult,gambling") into names: trimmed, empty parts and
/// repeats dropped, order kept. Names that are no category name are returned in invalid.
QStringList splitCategoryNames(const QString &value, QStringList *invalid = nullptr);

/// The names of one category in several languages ("en" -> "Adult", "nl" -> ...), from
/// global_usage; a language code is small letters.
using CategoryTitles = QHash<QString, QString>;

/// Reads a global_usage file: blocks that begin with "NAME: category", with lines
/// "NAME XX: title" giving the title in language XX. Unknown lines are skipped; the text may be
/// UTF-8 or Latin-1. Returns category name -> titles.
QHash<QString, CategoryTitles> parseGlobalUsage(const QByteArray &text);

/// The categories the lists of the Université Toulouse 1 Capitole are known to hold; an archive's
/// folders of other names are not unpacked unless its global_usage names them.
const QStringList &knownCategoryNames();

/// The 64-bit hash the index stores for a host or host key (stable across runs and builds).
quint64 categoryHash(std::string_view text);

} // namespace tovalin
