#pragma once
// The category index: every entry of every category list in one file that the program maps
// at start (QFile::map) instead of reading text.
//
// Layout (all numbers little-endian, every section 8-byte aligned):
//  - a header with the offsets and sizes of the sections and a check of itself;
//  - the category table: name, update time, and how many domains and urls entries each has;
//  - the domains: a sorted array of 64-bit hashes of canonical hosts, a parallel array of
//    category numbers (one byte each), and a bucket directory of 2^k offsets that the top k
//    bits of a hash index, so that a look-up reads one directory slot and a few neighbouring
//    hashes: 10 to 12 bytes an entry, by how full the directory is;
//  - the urls: the same for the hashes of their host keys, plus the offset of each path in a
//    blob of paths, sorted by host and path so that the entries that begin an address's path
//    are found by a few binary searches within its host.
// A host is refused when it, or a host it lies below at a label boundary, is listed; an
// address when a urls entry of its host key begins its path. Look-ups take no lock and
// allocate nothing: the file does not change while mapped (a new index is written beside it
// and renamed over it; the old mapping stays valid until dropped).

#include "core/text_file.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tovalin {

/// The most categories one index holds (a category number is one byte).
inline constexpr int kMaxCategories = 255;

/// A set of category numbers of one index.
using CategorySet = std::bitset<256>;

struct CategoryInfo {
    QString name;           ///< as in the archive ("adult")
    QDateTime updated;      ///< when its lists were fetched (UTC)
    qint64 domains = 0;     ///< entries of its domains list
    qint64 urls = 0;        ///< entries of its urls list
    qint64 entries() const { return domains + urls; }
};

class CategoryIndex {
public:
    CategoryIndex(const CategoryIndex &) = delete;
    CategoryIndex &operator=(const CategoryIndex &) = delete;
    ~CategoryIndex();

    /// Maps the index file. Null with a reason in error when it is missing, cannot be read,
    /// or is not a whole index of this version.
    static std::shared_ptr<const CategoryIndex> open(const QString &path, QString *error = nullptr);

    const std::vector<CategoryInfo> &categories() const { return m_categories; }
    /// The category number of a name (as in the archive, exact), -1 when the index has none.
    int categoryNumber(QStringView name) const;

    /// The category of the first entry that refuses the canonical host (the host itself, or a
    /// host it lies below at a label boundary) and is in `chosen`; -1 when none.
    int matchHost(std::string_view host, const CategorySet &chosen) const;
    /// True when some urls entry has this host key; only then is the path worth making.
    bool hasUrlsFor(std::string_view hostKey) const;
    /// The category of a urls entry of the host key whose path begins `path` and is in
    /// `chosen`; -1 when none.
    int matchUrl(std::string_view hostKey, std::string_view path, const CategorySet &chosen) const;

    qint64 domainCount() const { return qint64(m_domains.count); }
    qint64 urlCount() const { return qint64(m_urls.count); }
    qint64 fileBytes() const { return m_size; }

    /// Calls each with the hash and category number of every domains entry, in hash order.
    template <typename F>
    void forEachDomain(F &&each) const
    {
        for (std::uint64_t i = 0; i < m_domains.count; ++i)
            each(m_domains.hashes[i], int(m_domains.cats[i]));
    }
    /// Calls each with the host-key hash, category number and path of every urls entry.
    template <typename F>
    void forEachUrl(F &&each) const
    {
        for (std::uint64_t i = 0; i < m_urls.count; ++i)
            each(m_urls.hashes[i], int(m_urls.cats[i]), urlPath(i));
    }

private:
    CategoryIndex() = default;

    // A sorted hash array with its bucket directory.
    struct Table {
        std::uint64_t count = 0;
        int bits = 0;
        const std::uint32_t *dir = nullptr; // 2^bits + 1 offsets
        const std::uint64_t *hashes = nullptr;
        const std::uint8_t *cats = nullptr;
        /// The range of entries with this hash, [first, last).
        std::pair<std::uint64_t, std::uint64_t> range(std::uint64_t hash) const;
    };
    std::string_view urlPath(std::uint64_t i) const;

    QFile m_file;
    const uchar *m_map = nullptr;
    qint64 m_size = 0;
    std::vector<CategoryInfo> m_categories;
    Table m_domains;
    Table m_urls;
    const std::uint32_t *m_pathOffsets = nullptr; // count + 1
    const char *m_blob = nullptr;
    std::uint64_t m_blobSize = 0;
};

/// Collects the entries of categories and writes them as an index. Each category's domains
/// are kept as sorted hashes, so the largest build holds 8 bytes an entry in memory.
class CategoryIndexBuilder {
public:
    /// Starts (or restarts) a category; later entries go to it. Returns false when the builder
    /// holds kMaxCategories already.
    bool beginCategory(const QString &name, const QDateTime &updated);
    /// The category begun last, with its entries so far.
    QString currentCategory() const;
    /// Adds a canonical host to the category begun last.
    void addHost(std::string_view host);
    /// Adds a urls entry to the category begun last.
    void addUrl(std::string_view hostKey, std::string_view path);
    /// Takes over, from an index in force, the entries of the category of that name (with its
    /// update time); false when that index has no such category.
    bool keepFrom(const CategoryIndex &index, const QString &name);
    /// Drops a category begun earlier, with its entries.
    void dropCategory(const QString &name);

    /// The categories so far, in the order begun.
    QStringList categoryNames() const;
    /// The entries so far (before duplicates are merged).
    qint64 entryCount() const;
    /// The entries of one category so far.
    qint64 entryCountOf(const QString &name) const;

    /// Writes the index atomically (a temporary file renamed over path).
    WriteResult write(const QString &path);

private:
    struct Url {
        std::uint64_t hash;
        std::uint32_t offset; // into m_paths
        std::uint32_t length;
        std::uint8_t cat;
    };
    struct Category {
        QString name;
        QDateTime updated;
        std::vector<std::uint64_t> hosts; // sorted and unique once finished
        bool finished = false;
    };
    int current() const { return m_current; }
    void finish(Category &c);

    std::vector<Category> m_categories;
    int m_current = -1;
    std::vector<Url> m_urls;
    std::string m_paths;
};

} // namespace tovalin
