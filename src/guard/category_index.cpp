#include "guard/category_index.h"

#include "guard/category_text.h"

#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <queue>

namespace tovalin {

namespace {

constexpr char kMagic[8] = {'T', 'V', 'C', 'A', 'T', 'I', 'D', 'X'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kByteOrder = 0x01020304u;

struct FileHeader {
    char magic[8];
    std::uint32_t version;
    std::uint32_t byteOrder;
    std::uint64_t fileSize;
    std::uint64_t catOffset;
    std::uint64_t catSize;
    std::uint32_t catCount;
    std::uint32_t domainBits;
    std::uint64_t domainCount;
    std::uint64_t domainDir;
    std::uint64_t domainHashes;
    std::uint64_t domainCats;
    std::uint32_t urlBits;
    std::uint32_t reserved;
    std::uint64_t urlCount;
    std::uint64_t urlDir;
    std::uint64_t urlHashes;
    std::uint64_t urlCats;
    std::uint64_t urlPathOffsets;
    std::uint64_t blob;
    std::uint64_t blobSize;
    std::uint64_t check; // categoryHash of every byte before it
};
static_assert(sizeof(FileHeader) % 8 == 0);

std::uint64_t headerCheck(const FileHeader &h)
{
    return categoryHash(std::string_view(reinterpret_cast<const char *>(&h), offsetof(FileHeader, check)));
}

// About three entries a bucket: one directory slot and a cache line or two of hashes a look-up.
int bucketBits(std::uint64_t count)
{
    int bits = 1;
    while (bits < 30 && (std::uint64_t(1) << bits) * 3 < count)
        ++bits;
    return bits;
}

std::uint64_t bucketOf(std::uint64_t hash, int bits)
{
    return hash >> (64 - bits);
}

std::uint64_t aligned(std::uint64_t n)
{
    return (n + 7) & ~std::uint64_t(7);
}

// Writes to the save file, remembering the first failure.
class Out {
public:
    explicit Out(QSaveFile &file) : m_file(file) {}
    void write(const void *data, std::uint64_t bytes)
    {
        if (!m_ok || bytes == 0)
            return;
        const char *p = static_cast<const char *>(data);
        while (bytes > 0) {
            const qint64 chunk = qint64(std::min<std::uint64_t>(bytes, 1u << 26));
            if (m_file.write(p, chunk) != chunk) {
                m_ok = false;
                return;
            }
            p += chunk;
            bytes -= std::uint64_t(chunk);
            m_pos += std::uint64_t(chunk);
        }
    }
    void pad()
    {
        static const char zeros[8] = {};
        write(zeros, aligned(m_pos) - m_pos);
    }
    std::uint64_t pos() const { return m_pos; }
    bool ok() const { return m_ok; }

private:
    QSaveFile &m_file;
    std::uint64_t m_pos = 0;
    bool m_ok = true;
};

// The bucket directory of a sorted hash array: dir[b] is the first entry of bucket b.
std::vector<std::uint32_t> directoryOf(const std::vector<std::uint64_t> &hashes, int bits)
{
    const std::uint64_t buckets = std::uint64_t(1) << bits;
    std::vector<std::uint32_t> dir(buckets + 1, 0);
    std::uint64_t i = 0;
    for (std::uint64_t b = 0; b < buckets; ++b) {
        dir[b] = std::uint32_t(i);
        while (i < hashes.size() && bucketOf(hashes[i], bits) == b)
            ++i;
    }
    dir[buckets] = std::uint32_t(hashes.size());
    return dir;
}

} // namespace

// ---------------------------------------------------------------- reading

CategoryIndex::~CategoryIndex()
{
    if (m_map)
        m_file.unmap(const_cast<uchar *>(m_map));
}

std::shared_ptr<const CategoryIndex> CategoryIndex::open(const QString &path, QString *error)
{
    const auto failed = [error](const QString &why) {
        if (error)
            *error = why;
        return std::shared_ptr<const CategoryIndex>();
    };
    std::shared_ptr<CategoryIndex> index(new CategoryIndex);
    index->m_file.setFileName(path);
    if (!index->m_file.exists())
        return failed(QStringLiteral("missing"));
    if (!index->m_file.open(QIODevice::ReadOnly))
        return failed(index->m_file.errorString());
    const qint64 size = index->m_file.size();
    if (size < qint64(sizeof(FileHeader)))
        return failed(QStringLiteral("not a whole index"));
    index->m_map = index->m_file.map(0, size);
    if (!index->m_map)
        return failed(index->m_file.errorString());
    index->m_size = size;

    FileHeader h;
    std::memcpy(&h, index->m_map, sizeof h);
    if (std::memcmp(h.magic, kMagic, sizeof kMagic) != 0)
        return failed(QStringLiteral("not an index of category lists"));
    if (h.version != kVersion || h.byteOrder != kByteOrder)
        return failed(QStringLiteral("an index of another version"));
    if (h.check != headerCheck(h) || h.fileSize != std::uint64_t(size))
        return failed(QStringLiteral("a damaged or truncated index"));
    const auto fits = [&](std::uint64_t offset, std::uint64_t count, std::uint64_t width) {
        return offset % 8 == 0 && offset <= std::uint64_t(size) && count <= (std::uint64_t(size) - offset) / width;
    };
    if (h.domainBits < 1 || h.domainBits > 30 || h.urlBits < 1 || h.urlBits > 30 || h.catCount > kMaxCategories
        || !fits(h.catOffset, h.catSize, 1) || !fits(h.domainDir, (std::uint64_t(1) << h.domainBits) + 1, 4)
        || !fits(h.domainHashes, h.domainCount, 8) || !fits(h.domainCats, h.domainCount, 1)
        || !fits(h.urlDir, (std::uint64_t(1) << h.urlBits) + 1, 4) || !fits(h.urlHashes, h.urlCount, 8)
        || !fits(h.urlCats, h.urlCount, 1) || !fits(h.urlPathOffsets, h.urlCount + 1, 4)
        || !fits(h.blob, h.blobSize, 1) || h.domainCount > 0xFFFFFFFFull || h.urlCount > 0xFFFFFFFFull)
        return failed(QStringLiteral("a damaged index"));

    // The category table is small: read into names once.
    const uchar *p = index->m_map + h.catOffset;
    const uchar *end = p + h.catSize;
    for (std::uint32_t c = 0; c < h.catCount; ++c) {
        std::uint32_t nameLength = 0;
        if (end - p < 4)
            return failed(QStringLiteral("a damaged category table"));
        std::memcpy(&nameLength, p, 4);
        const std::uint64_t record = aligned(4 + std::uint64_t(nameLength)) + 24;
        if (std::uint64_t(end - p) < record || nameLength > 64)
            return failed(QStringLiteral("a damaged category table"));
        CategoryInfo info;
        info.name = QString::fromUtf8(reinterpret_cast<const char *>(p + 4), qsizetype(nameLength));
        const uchar *numbers = p + aligned(4 + std::uint64_t(nameLength));
        qint64 msecs = 0;
        std::memcpy(&msecs, numbers, 8);
        std::memcpy(&info.domains, numbers + 8, 8);
        std::memcpy(&info.urls, numbers + 16, 8);
        info.updated = msecs > 0 ? QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC) : QDateTime();
        index->m_categories.push_back(std::move(info));
        p += record;
    }

    const auto table = [&](std::uint64_t count, std::uint32_t bits, std::uint64_t dir, std::uint64_t hashes,
                           std::uint64_t cats) {
        Table t;
        t.count = count;
        t.bits = int(bits);
        t.dir = reinterpret_cast<const std::uint32_t *>(index->m_map + dir);
        t.hashes = reinterpret_cast<const std::uint64_t *>(index->m_map + hashes);
        t.cats = index->m_map + cats;
        return t;
    };
    index->m_domains = table(h.domainCount, h.domainBits, h.domainDir, h.domainHashes, h.domainCats);
    index->m_urls = table(h.urlCount, h.urlBits, h.urlDir, h.urlHashes, h.urlCats);
    index->m_pathOffsets = reinterpret_cast<const std::uint32_t *>(index->m_map + h.urlPathOffsets);
    index->m_blob = reinterpret_cast<const char *>(index->m_map + h.blob);
    index->m_blobSize = h.blobSize;
    return index;
}

int CategoryIndex::categoryNumber(QStringView name) const
{
    for (std::size_t i = 0; i < m_categories.size(); ++i)
        if (m_categories[i].name == name)
            return int(i);
    return -1;
}

std::pair<std::uint64_t, std::uint64_t> CategoryIndex::Table::range(std::uint64_t hash) const
{
    if (count == 0)
        return {0, 0};
    const std::uint64_t b = bucketOf(hash, bits);
    // A damaged directory can give odd ranges; they are clamped, never followed out of the array.
    std::uint64_t first = std::min<std::uint64_t>(dir[b], count);
    const std::uint64_t last = std::min<std::uint64_t>(std::max(dir[b + 1], dir[b]), count);
    while (first < last && hashes[first] < hash)
        ++first;
    std::uint64_t end = first;
    while (end < last && hashes[end] == hash)
        ++end;
    return {first, end};
}

int CategoryIndex::matchHost(std::string_view host, const CategorySet &chosen) const
{
    if (host.empty() || m_domains.count == 0)
        return -1;
    const bool literal = isAddressLiteral(host);
    std::size_t from = 0;
    for (;;) {
        const auto [first, last] = m_domains.range(categoryHash(host.substr(from)));
        for (std::uint64_t i = first; i < last; ++i)
            if (chosen.test(m_domains.cats[i]))
                return m_domains.cats[i];
        if (literal)
            return -1;
        const std::size_t dot = host.find('.', from);
        if (dot == std::string_view::npos)
            return -1;
        from = dot + 1;
    }
}

std::string_view CategoryIndex::urlPath(std::uint64_t i) const
{
    const std::uint64_t from = std::min<std::uint64_t>(m_pathOffsets[i], m_blobSize);
    const std::uint64_t to = std::min<std::uint64_t>(std::max(m_pathOffsets[i + 1], m_pathOffsets[i]), m_blobSize);
    return {m_blob + from, std::size_t(to - from)};
}

bool CategoryIndex::hasUrlsFor(std::string_view hostKey) const
{
    if (m_urls.count == 0)
        return false;
    const auto [first, last] = m_urls.range(categoryHash(hostKey));
    return first < last;
}

int CategoryIndex::matchUrl(std::string_view hostKey, std::string_view path, const CategorySet &chosen) const
{
    if (m_urls.count == 0)
        return -1;
    const auto [first, last] = m_urls.range(categoryHash(hostKey));
    if (first == last)
        return -1;
    // Entries of one host are sorted by path. The largest entry not above the path either
    // begins it, or shares a beginning with it that every shorter entry that begins the path
    // must fit in; so each round either finds one or cuts the path shorter.
    std::string_view wanted = path;
    for (;;) {
        std::uint64_t lo = first;
        std::uint64_t hi = last;
        while (lo < hi) {
            const std::uint64_t mid = lo + (hi - lo) / 2;
            if (urlPath(mid) <= wanted)
                lo = mid + 1;
            else
                hi = mid;
        }
        if (lo == first)
            return -1;
        const std::uint64_t at = lo - 1;
        const std::string_view entry = urlPath(at);
        std::size_t common = 0;
        while (common < entry.size() && common < wanted.size() && entry[common] == wanted[common])
            ++common;
        if (common == entry.size()) {
            for (std::uint64_t j = at + 1; j-- > first && urlPath(j) == entry;)
                if (chosen.test(m_urls.cats[j]))
                    return m_urls.cats[j];
            if (entry.empty())
                return -1;
            wanted = wanted.substr(0, entry.size() - 1);
        } else {
            wanted = wanted.substr(0, common);
        }
    }
}

// ---------------------------------------------------------------- building

bool CategoryIndexBuilder::beginCategory(const QString &name, const QDateTime &updated)
{
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        if (m_categories[i].name == name) {
            m_categories[i].updated = updated;
            m_categories[i].finished = false;
            m_current = int(i);
            return true;
        }
    }
    if (int(m_categories.size()) >= kMaxCategories)
        return false;
    m_categories.push_back({name, updated, {}, false});
    m_current = int(m_categories.size()) - 1;
    return true;
}

QString CategoryIndexBuilder::currentCategory() const
{
    return m_current >= 0 ? m_categories[std::size_t(m_current)].name : QString();
}

void CategoryIndexBuilder::addHost(std::string_view host)
{
    if (m_current < 0 || host.empty())
        return;
    Category &c = m_categories[std::size_t(m_current)];
    c.hosts.push_back(categoryHash(host));
    c.finished = false;
}

void CategoryIndexBuilder::addUrl(std::string_view hostKey, std::string_view path)
{
    if (m_current < 0 || hostKey.empty() || path.size() > 4096 || m_paths.size() + path.size() > 0xFFFFFFF0u)
        return;
    m_urls.push_back({categoryHash(hostKey), std::uint32_t(m_paths.size()), std::uint32_t(path.size()),
                      std::uint8_t(m_current)});
    m_paths.append(path);
}

bool CategoryIndexBuilder::keepFrom(const CategoryIndex &index, const QString &name)
{
    const int number = index.categoryNumber(name);
    if (number < 0)
        return false;
    const CategoryInfo &info = index.categories()[std::size_t(number)];
    dropCategory(name);
    if (!beginCategory(name, info.updated))
        return false;
    Category &c = m_categories[std::size_t(m_current)];
    c.hosts.reserve(std::size_t(info.domains));
    index.forEachDomain([&](std::uint64_t hash, int cat) {
        if (cat == number)
            c.hosts.push_back(hash);
    });
    const std::uint8_t self = std::uint8_t(m_current);
    index.forEachUrl([&](std::uint64_t hash, int cat, std::string_view path) {
        if (cat == number && m_paths.size() + path.size() <= 0xFFFFFFF0u) {
            m_urls.push_back({hash, std::uint32_t(m_paths.size()), std::uint32_t(path.size()), self});
            m_paths.append(path);
        }
    });
    return true;
}

void CategoryIndexBuilder::dropCategory(const QString &name)
{
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        if (m_categories[i].name != name)
            continue;
        const auto gone = std::uint8_t(i);
        m_urls.erase(std::remove_if(m_urls.begin(), m_urls.end(), [gone](const Url &u) { return u.cat == gone; }),
                     m_urls.end());
        for (Url &u : m_urls)
            if (u.cat > gone)
                --u.cat;
        m_categories.erase(m_categories.begin() + qsizetype(i));
        m_current = m_categories.empty() ? -1 : int(m_categories.size()) - 1;
        return;
    }
}

QStringList CategoryIndexBuilder::categoryNames() const
{
    QStringList names;
    for (const Category &c : m_categories)
        names.append(c.name);
    return names;
}

qint64 CategoryIndexBuilder::entryCount() const
{
    qint64 n = qint64(m_urls.size());
    for (const Category &c : m_categories)
        n += qint64(c.hosts.size());
    return n;
}

qint64 CategoryIndexBuilder::entryCountOf(const QString &name) const
{
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        if (m_categories[i].name != name)
            continue;
        qint64 n = qint64(m_categories[i].hosts.size());
        for (const Url &u : m_urls)
            n += u.cat == i ? 1 : 0;
        return n;
    }
    return 0;
}

void CategoryIndexBuilder::finish(Category &c)
{
    if (c.finished)
        return;
    std::sort(c.hosts.begin(), c.hosts.end());
    c.hosts.erase(std::unique(c.hosts.begin(), c.hosts.end()), c.hosts.end());
    c.hosts.shrink_to_fit();
    c.finished = true;
}

WriteResult CategoryIndexBuilder::write(const QString &path)
{
    for (Category &c : m_categories)
        finish(c);
    const auto pathOf = [this](const Url &u) { return std::string_view(m_paths).substr(u.offset, u.length); };
    std::sort(m_urls.begin(), m_urls.end(), [&](const Url &a, const Url &b) {
        if (a.hash != b.hash)
            return a.hash < b.hash;
        const int byPath = pathOf(a).compare(pathOf(b));
        if (byPath != 0)
            return byPath < 0;
        return a.cat < b.cat;
    });
    m_urls.erase(std::unique(m_urls.begin(), m_urls.end(),
                             [&](const Url &a, const Url &b) {
                                 return a.hash == b.hash && a.cat == b.cat && pathOf(a) == pathOf(b);
                             }),
                 m_urls.end());
    std::vector<qint64> urlCounts(m_categories.size(), 0);
    for (const Url &u : m_urls)
        ++urlCounts[u.cat];

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    Out out(file);
    FileHeader h{};
    std::memcpy(h.magic, kMagic, sizeof kMagic);
    h.version = kVersion;
    h.byteOrder = kByteOrder;
    out.write(&h, sizeof h);

    h.catOffset = out.pos();
    h.catCount = std::uint32_t(m_categories.size());
    for (std::size_t i = 0; i < m_categories.size(); ++i) {
        const Category &c = m_categories[i];
        const QByteArray name = c.name.toUtf8().left(64);
        const std::uint32_t length = std::uint32_t(name.size());
        out.write(&length, 4);
        out.write(name.constData(), length);
        out.pad();
        const qint64 msecs = c.updated.isValid() ? c.updated.toMSecsSinceEpoch() : 0;
        const qint64 domains = qint64(c.hosts.size());
        out.write(&msecs, 8);
        out.write(&domains, 8);
        out.write(&urlCounts[i], 8);
    }
    h.catSize = out.pos() - h.catOffset;

    // The domains of every category, merged into one sorted array.
    std::uint64_t total = 0;
    for (const Category &c : m_categories)
        total += c.hosts.size();
    if (total > 0xFFFFFFF0ull)
        return {false, QStringLiteral("too many entries")};
    h.domainCount = total;
    h.domainBits = std::uint32_t(bucketBits(total));
    const std::uint64_t buckets = std::uint64_t(1) << h.domainBits;
    std::vector<std::uint32_t> dir(buckets + 1, 0);
    std::vector<std::uint8_t> cats;
    cats.reserve(total);
    h.domainHashes = out.pos();
    {
        using Head = std::pair<std::uint64_t, std::uint32_t>; // hash, category
        std::priority_queue<Head, std::vector<Head>, std::greater<>> heap;
        std::vector<std::size_t> next(m_categories.size(), 0);
        for (std::size_t i = 0; i < m_categories.size(); ++i)
            if (!m_categories[i].hosts.empty())
                heap.push({m_categories[i].hosts[0], std::uint32_t(i)});
        std::vector<std::uint64_t> chunk;
        chunk.reserve(1 << 16);
        std::uint64_t written = 0;
        std::uint64_t bucket = 0;
        while (!heap.empty()) {
            const auto [hash, cat] = heap.top();
            heap.pop();
            const std::uint64_t b = bucketOf(hash, int(h.domainBits));
            while (bucket <= b)
                dir[bucket++] = std::uint32_t(written);
            chunk.push_back(hash);
            cats.push_back(std::uint8_t(cat));
            ++written;
            if (chunk.size() == chunk.capacity()) {
                out.write(chunk.data(), chunk.size() * 8);
                chunk.clear();
            }
            const std::vector<std::uint64_t> &hosts = m_categories[cat].hosts;
            if (++next[cat] < hosts.size())
                heap.push({hosts[next[cat]], cat});
        }
        out.write(chunk.data(), chunk.size() * 8);
        while (bucket <= buckets)
            dir[bucket++] = std::uint32_t(written);
    }
    h.domainCats = out.pos();
    out.write(cats.data(), cats.size());
    out.pad();
    std::vector<std::uint8_t>().swap(cats);
    h.domainDir = out.pos();
    out.write(dir.data(), dir.size() * 4);
    out.pad();

    // The urls, sorted by host key and path.
    h.urlCount = m_urls.size();
    h.urlBits = std::uint32_t(bucketBits(m_urls.size()));
    std::vector<std::uint64_t> hashes;
    hashes.reserve(m_urls.size());
    for (const Url &u : m_urls)
        hashes.push_back(u.hash);
    const std::vector<std::uint32_t> urlDir = directoryOf(hashes, int(h.urlBits));
    h.urlHashes = out.pos();
    out.write(hashes.data(), hashes.size() * 8);
    std::vector<std::uint64_t>().swap(hashes);
    h.urlCats = out.pos();
    for (const Url &u : m_urls)
        out.write(&u.cat, 1);
    out.pad();
    h.urlDir = out.pos();
    out.write(urlDir.data(), urlDir.size() * 4);
    out.pad();
    h.urlPathOffsets = out.pos();
    std::uint32_t offset = 0;
    for (const Url &u : m_urls) {
        out.write(&offset, 4);
        offset += u.length;
    }
    out.write(&offset, 4);
    out.pad();
    h.blob = out.pos();
    for (const Url &u : m_urls)
        out.write(m_paths.data() + u.offset, u.length);
    h.blobSize = offset;
    out.pad();

    h.fileSize = out.pos();
    h.check = headerCheck(h);
    if (!out.ok() || !file.seek(0) || file.write(reinterpret_cast<const char *>(&h), sizeof h) != qint64(sizeof h))
        return {false, file.errorString()};
    if (!file.commit())
        return {false, file.errorString()};
    return {};
}

} // namespace tovalin
