// The readers of category lists, on what a server or a mirror may send: archives (read as a
// stream, entry by entry), list lines, global_usage, and index files that are not what they
// claim. The first byte picks the reader.
//
// Checks: an archive read never writes anything; every host a list line gives is in the
// canonical form (small ASCII letters, digits, "-", "_" and dots, no empty label) and, built
// into an index, is refused by it, as is every host below it; a urls entry refuses its own
// address; an index file of any bytes opens or is refused, and look-ups in it stay inside it.

#include "support.h"

#include "guard/category_archive.h"
#include "guard/category_index.h"
#include "guard/category_text.h"

#include <QUrl>

using namespace tovalin;

namespace {

void checkCanonical(std::string_view host)
{
    if (host.find(':') != std::string_view::npos)
        return; // an IPv6 address keeps its own form
    FUZZ_CHECK(!host.empty() && host.size() <= 253);
    FUZZ_CHECK(host.front() != '.' && host.back() != '.');
    char before = '.';
    for (const char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.';
        if (!ok)
            fuzz::fail("a canonical host holds only host characters", __FILE__, __LINE__,
                       fuzz::show(QByteArray(host.data(), qsizetype(host.size()))));
        FUZZ_CHECK(!(c == '.' && before == '.'));
        before = c;
    }
}

void readArchive(const QByteArray &bytes)
{
    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset();
    const QString path = box.work() + QStringLiteral("/in.tar.gz");
    if (!fuzz::writeRaw(path, bytes))
        fuzz::fail("write the archive", __FILE__, __LINE__);
    TarGzReader reader(path);
    if (reader.open()) {
        if (reader.looksLikeTar()) {
            TarGzReader::Entry entry;
            int entries = 0;
            while (reader.next(entry) == TarGzReader::Step::Entry && ++entries < 1000) {
                FUZZ_CHECK(entry.size >= 0 && entry.size <= TarGzReader::kMaxEntryBytes);
                LineReader lines([&reader](char *data, qint64 max) { return reader.read(data, max); });
                QByteArrayView line;
                while (lines.next(line))
                    FUZZ_CHECK(line.size() <= LineReader::kMaxLineBytes);
            }
        } else {
            char buffer[4096];
            while (reader.readPlain(buffer, sizeof buffer) > 0) {
            }
        }
        FUZZ_CHECK(reader.progress() >= 0 && reader.progress() <= 1);
    }
    FUZZ_CHECK_EQ(box.tree(), (QStringList{QStringLiteral("outside.txt"), QStringLiteral("work"),
                                           QStringLiteral("work/in.tar.gz")}));
}

void readLines(const QByteArray &bytes)
{
    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset();
    CategoryIndexBuilder builder;
    builder.beginCategory(QStringLiteral("adult"), {});
    std::vector<std::string> hosts;
    std::vector<UrlEntryForm> urls;
    for (const QByteArray &line : bytes.split('\n')) {
        forEachListHost(line, [&](std::string_view host) {
            checkCanonical(host);
            hosts.emplace_back(host);
            builder.addHost(host);
        });
        UrlEntryForm url;
        if (parseUrlLine(line, url)) {
            builder.addUrl(url.hostKey.view(), url.path);
            urls.push_back(url);
        }
    }
    parseGlobalUsage(bytes);
    const QString path = box.work() + QStringLiteral("/lijsten.idx");
    FUZZ_CHECK(builder.write(path).ok);
    QString why;
    const auto index = CategoryIndex::open(path, &why);
    if (!index)
        fuzz::fail("a built index opens", __FILE__, __LINE__, why);
    CategorySet all;
    all.set();
    for (const std::string &host : hosts) {
        FUZZ_CHECK_EQ(index->matchHost(host, all), 0);
        // An address (IPv4 or IPv6) is matched whole: nothing lies below it.
        if (!isAddressLiteral(host))
            FUZZ_CHECK_EQ(index->matchHost("below." + host, all), 0);
    }
    for (const UrlEntryForm &url : urls)
        FUZZ_CHECK_EQ(index->matchUrl(url.hostKey.view(), url.path + "/more", all), 0);
}

void openIndex(const QByteArray &bytes)
{
    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset();
    const QString path = box.work() + QStringLiteral("/lijsten.idx");
    if (!fuzz::writeRaw(path, bytes))
        fuzz::fail("write the index", __FILE__, __LINE__);
    const auto index = CategoryIndex::open(path);
    if (!index)
        return;
    CategorySet all;
    all.set();
    for (const char *host : {"a.example", "www.bad.example", "10.1.2.3", "x"}) {
        const int c = index->matchHost(host, all);
        FUZZ_CHECK(c >= -1 && c < 256);
        index->hasUrlsFor(host);
        index->matchUrl(host, "/a/b?c", all);
    }
    index->forEachUrl([](std::uint64_t, int, std::string_view) {});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    switch (data[0] % 3) {
    case 0: readArchive(bytes); break;
    case 1: readLines(bytes); break;
    default: openIndex(bytes); break;
    }
    return 0;
}
