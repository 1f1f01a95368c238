// Category lists at the scale of millions. A generated source in UT1 layout (one archive of
// category folders, `domains` and `urls` lists, TOVALIN_BENCH_CATEGORY_ENTRIES entries in all,
// 5 000 000 unless the variable says otherwise) is built into the index as the program does
// it; then each request's decision is timed with that index, a 100 000-entry whitelist and a
// 1 000 000-entry blacklist, SafeSearch on: a navigation (the before-navigate decision and
// the engine's request filter for the page) and a load of a page (the request filter alone).
//
// BM_CategoryBuild reports: build_s (fetch from a local file, unpack, parse, hash, sort,
// write), entries, bytes_per_entry (the index file over its entries: what mapping it costs)
// and peak_mb (what the process grew by at most while building).
// BM_NavigationRequest and BM_LoadRequest report p50_us and p99_us over 10 000 addresses;
// BM_CategoryLookup, BM_LoadBlacklistOnly and BM_NavigationWithoutCategories the parts.
//
// bench_categories --write-index FILE N writes the index of an N-entry source to FILE (for
// the start-up run of bench/startup.py) and exits; --write-source FILE N writes the source
// itself (a UT1-layout blacklists.tar.gz, for tovalinctl categories update --source FILE).

#include "bench_support.h"
#include "guard/category_filter.h"
#include "guard/category_text.h"
#include "guard/category_update.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "guard/subresource_guard.h"
#include "media/media_fetch.h"
#include "platform/fake_browser.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "state/program_state.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

using namespace tovalin;

namespace {

qint64 sourceEntries()
{
    bool ok = false;
    const qint64 n = qEnvironmentVariableIntValue("TOVALIN_BENCH_CATEGORY_ENTRIES", &ok);
    return ok && n > 0 ? n : 5'000'000;
}

const char *const kWords[] = {"hot", "cam", "bet", "pill", "date", "girl", "spin", "win", "dark", "fast",
                              "club", "star", "play", "love", "live", "free"};
const char *const kTlds[] = {"com", "net", "org", "info", "fr", "de", "nl", "ru", "xyz", "biz"};

// The categories of the source and their share of its entries, in thousandths.
struct Share {
    const char *name;
    int domains;
    int urls;
};
const Share kShares[] = {
    {"adult", 881, 20}, {"mixed_adult", 10, 2}, {"lingerie", 2, 0}, {"dating", 5, 0}, {"gambling", 8, 1},
    {"drogue", 3, 0},   {"agressif", 5, 1},     {"malware", 30, 5}, {"phishing", 20, 3}, {"redirector", 2, 0},
    {"vpn", 1, 0},      {"doh", 1, 0},
};

QByteArray hostOf(qint64 i)
{
    // Some entries are subdomains, as real lists hold them.
    QByteArray host = QByteArray(kWords[i % 16]) + '-' + QByteArray::number(i) + kWords[(i / 16) % 16] + '.'
        + kTlds[(i / 7) % 10];
    if (i % 9 == 0)
        host.prepend("www.");
    else if (i % 13 == 0)
        host.prepend("cdn" + QByteArray::number(i % 5) + '.');
    return host;
}

QByteArray urlOf(qint64 i)
{
    return "site-" + QByteArray::number(i) + ".example/" + kWords[i % 16] + "/page-" + QByteArray::number(i % 1000)
        + ".html";
}

void octal(char *field, int width, qint64 value)
{
    const QByteArray digits = QByteArray::number(value, 8).rightJustified(width - 1, '0');
    std::memcpy(field, digits.constData(), size_t(width - 1));
}

void tarEntry(gzFile out, const QByteArray &name, const QByteArray &data)
{
    char h[512] = {};
    std::memcpy(h, name.constData(), size_t(std::min<qsizetype>(name.size(), 99)));
    octal(h + 100, 8, 0644);
    octal(h + 108, 8, 0);
    octal(h + 116, 8, 0);
    octal(h + 124, 12, data.size());
    octal(h + 136, 12, 0);
    h[156] = '0';
    std::memcpy(h + 257, "ustar", 6);
    std::memcpy(h + 263, "00", 2);
    std::memset(h + 148, ' ', 8);
    int sum = 0;
    for (unsigned char c : h)
        sum += c;
    octal(h + 148, 7, sum);
    gzwrite(out, h, 512);
    for (qsizetype at = 0; at < data.size(); at += 1 << 20)
        gzwrite(out, data.constData() + at, unsigned(std::min<qsizetype>(1 << 20, data.size() - at)));
    static const char zeros[512] = {};
    if (const qsizetype pad = (512 - data.size() % 512) % 512)
        gzwrite(out, zeros, unsigned(pad));
}

// Writes the source archive; returns the entries it holds.
qint64 writeSource(const QString &path, qint64 entries)
{
    gzFile out = gzopen(QFile::encodeName(path).constData(), "wb1");
    if (!out)
        qFatal("cannot write %s", qPrintable(path));
    qint64 next = 0;
    qint64 written = 0;
    for (const Share &share : kShares) {
        QByteArray domains;
        QByteArray urls;
        const qint64 d = entries * share.domains / 1000;
        const qint64 u = entries * share.urls / 1000;
        for (qint64 k = 0; k < d; ++k)
            domains += hostOf(next++) + '\n';
        for (qint64 k = 0; k < u; ++k)
            urls += urlOf(next++) + '\n';
        tarEntry(out, QByteArray("blacklists/") + share.name + "/domains", domains);
        tarEntry(out, QByteArray("blacklists/") + share.name + "/urls", urls);
        written += d + u;
    }
    static const char end[1024] = {};
    gzwrite(out, end, sizeof end);
    gzclose(out);
    return written;
}

QString allCategories()
{
    QStringList names;
    for (const Share &share : kShares)
        names.append(QLatin1String(share.name));
    return names.join(u',');
}

// The whole world a decision sees: lists of a theme, the index, the profile of a 13-year-old.
struct World {
    QTemporaryDir dir;
    ProgramState state;
    UserProfile profile;
    SilentSoundPlayer sound;
    NoNetworkHeadProbe head;
    NoMediaFetcher media;
    FakeBrowser browser;
    std::unique_ptr<CategoryFilter> categories;
    std::unique_ptr<SiteLists> lists;
    std::unique_ptr<NavigationModel> model;
    std::unique_ptr<NavigationGuard> guard;
    std::unique_ptr<SubresourceGuard> loads;
    QList<QUrl> addresses;
    QStringList texts;
    qint64 entries = 0;

    World()
    {
        state.DataFolder = dir.path();
        state.ProgramFolder = dir.path() + u'/';
        QDir().mkpath(state.themesFolder());
        state.setActiveTheme(QStringLiteral("Bench"));
        profile = UserProfile::fileDefaults();
        profile.Kindvriendelijk = false; // from 12: everything but the lists
        profile.Categorieen = allCategories();
        profile.StartURL = QStringLiteral("http://start.example/");

        const QString source = dir.filePath(QStringLiteral("blacklists.tar.gz"));
        entries = writeSource(source, sourceEntries());
        CategoryUpdateRequest request;
        request.dataFolder = dir.path();
        request.source = source;
        const CategoryUpdateResult built = runCategoryUpdate(request);
        if (!built.ok())
            qFatal("the index was not built: %s", qPrintable(built.message));
        QFile::remove(source);

        writeList(state.themesFolder() + QStringLiteral("/Bench.kvu"), 100000, [](int i) {
            return QStringLiteral("www.kids-%1.example").arg(i);
        });
        writeList(state.themesFolder() + QStringLiteral("/Bench.kou"), 1000000, [](int i) {
            return QStringLiteral("http://www.bad-%1.example/section/page-%2.html").arg(i).arg(i % 977);
        });
        categories = std::make_unique<CategoryFilter>(state, profile);
        categories->reload();
        lists = std::make_unique<SiteLists>(state, profile, VendorSettings{});
        lists->setCategoryFilter(categories.get());
        lists->LoadSiteLists();
        model = std::make_unique<NavigationModel>(state, sound);
        NavigationGuard::Services services;
        services.head = &head;
        services.media = &media;
        services.clockPosition = [] { return 0; };
        services.parentsPageOpen = [] { return false; };
        guard = std::make_unique<NavigationGuard>(state, *lists, profile, *model, services);
        guard->attachTo(browser);
        loads = std::make_unique<SubresourceGuard>(state, *lists, profile);

        // 10 000 addresses: listed hosts and their subdomains, urls entries, the theme's lists,
        // search engines and YouTube, and sites on no list at all.
        QRandomGenerator rng(21);
        for (int k = 0; k < 10000; ++k) {
            const qint64 i = qint64(rng.bounded(quint64(std::max<qint64>(1, entries))));
            QString a;
            switch (k % 10) {
            case 0: a = QStringLiteral("https://") + QString::fromLatin1(hostOf(i)) + QStringLiteral("/index.html"); break;
            case 1: a = QStringLiteral("http://img.") + QString::fromLatin1(hostOf(i)) + QStringLiteral("/a.jpg"); break;
            case 2: a = QStringLiteral("http://") + QString::fromLatin1(urlOf(i)); break;
            case 3: a = QStringLiteral("https://www.google.com/search?q=word%1&safe=off").arg(k); break;
            case 4: a = QStringLiteral("https://www.youtube.com/watch?v=%1").arg(k); break;
            case 5: a = QStringLiteral("http://www.bad-%1.example/section/page-%2.html").arg(k * 97).arg((k * 97) % 977); break;
            case 6: a = QStringLiteral("https://www.kids-%1.example/games/").arg(k * 7); break;
            default: a = QStringLiteral("https://cdn%1.elsewhere.example/lib/script-%2.js?v=%3").arg(k % 50).arg(k).arg(k % 7); break;
            }
            texts.append(a);
            addresses.append(QUrl(a));
        }
    }

    template <typename Make>
    static void writeList(const QString &path, int count, Make make)
    {
        QStringList entries;
        entries.reserve(count);
        for (int i = 0; i < count; ++i)
            entries.append(make(i));
        std::sort(entries.begin(), entries.end(), &SortedList::lessThan);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        QByteArray chunk;
        for (const QString &e : entries) {
            chunk += e.toUtf8() + "\r\n";
            if (chunk.size() > (1 << 20)) {
                f.write(chunk);
                chunk.clear();
            }
        }
        f.write(chunk);
    }
};

World &world()
{
    static World w;
    return w;
}

template <typename F>
void timeEach(benchmark::State &st, World &w, F f)
{
    std::vector<double> times;
    times.reserve(100000);
    qsizetype k = 0;
    for (auto _ : st) {
        if (k % 20 == 0)
            w.model->beginSequence();
        const qsizetype at = k++ % w.addresses.size();
        const auto t0 = std::chrono::steady_clock::now();
        f(at);
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    bench::reportPercentiles(st, std::move(times));
}

void BM_CategoryBuild(benchmark::State &st)
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("blacklists.tar.gz"));
    const qint64 entries = writeSource(source, sourceEntries());
    double seconds = 0;
    double peakMb = 0;
    qint64 indexBytes = 0;
    for (auto _ : st) {
        const long before = bench::statusKb("VmRSS:");
        CategoryUpdateRequest request;
        request.dataFolder = dir.path();
        request.source = source;
        const auto t0 = std::chrono::steady_clock::now();
        const CategoryUpdateResult r = runCategoryUpdate(request);
        const auto t1 = std::chrono::steady_clock::now();
        if (!r.ok()) {
            st.SkipWithError(qPrintable(r.message));
            return;
        }
        seconds = std::chrono::duration<double>(t1 - t0).count();
        st.SetIterationTime(seconds);
        peakMb = double(bench::statusKb("VmHWM:") - before) / 1024.0;
        indexBytes = QFileInfo(CategoryFiles(dir.path()).index).size();
    }
    st.counters["build_s"] = seconds;
    st.counters["entries"] = double(entries);
    st.counters["bytes_per_entry"] = double(indexBytes) / double(std::max<qint64>(1, entries));
    st.counters["index_mb"] = double(indexBytes) / (1024.0 * 1024.0);
    st.counters["peak_mb"] = peakMb;
}

// A navigation: the before-navigate decision, then the engine's request filter for the page
// (SafeSearch may send it elsewhere). Besides the percentiles of all, p50_allowed_us and
// p50_refused_us: a refusal also shows the forbidden sign (its timer, caption and sound).
void BM_NavigationRequest(benchmark::State &st)
{
    World &w = world();
    const QUrl none;
    std::vector<double> allowed;
    std::vector<double> refused;
    bool cancelled = false;
    timeEach(st, w, [&](qsizetype at) {
        const auto t0 = std::chrono::steady_clock::now();
        cancelled = w.guard->beforeNavigate(w.texts.at(at), {true, NavigationKind::LinkClick}).cancel;
        benchmark::DoNotOptimize(w.loads->answer(w.addresses.at(at), none, true));
        const auto t1 = std::chrono::steady_clock::now();
        (cancelled ? refused : allowed).push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    });
    const auto median = [](std::vector<double> &v) {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    st.counters["p50_allowed_us"] = median(allowed);
    st.counters["p50_refused_us"] = median(refused);
    st.counters["refused_share"] = double(refused.size()) / double(std::max<std::size_t>(1, allowed.size() + refused.size()));
}

// A load of a page (picture, script, frame): the engine's request filter.
void BM_LoadRequest(benchmark::State &st)
{
    World &w = world();
    const QUrl page(QStringLiteral("https://www.kids-1.example/"));
    timeEach(st, w, [&](qsizetype at) { benchmark::DoNotOptimize(w.loads->answer(w.addresses.at(at), page, false)); });
}

// The category look-up alone, as the request filter makes it.
void BM_CategoryLookup(benchmark::State &st)
{
    World &w = world();
    timeEach(st, w, [&](qsizetype at) { benchmark::DoNotOptimize(w.categories->refusingCategory(w.addresses.at(at))); });
}

// The theme's blacklist alone for a load (the address and its site), SafeSearch off.
void BM_LoadBlacklistOnly(benchmark::State &st)
{
    World &w = world();
    const CategoryFilter *none = nullptr;
    w.lists->setCategoryFilter(none);
    const bool safe = w.profile.VeiligZoeken;
    w.profile.VeiligZoeken = false;
    const QUrl page(QStringLiteral("https://www.kids-1.example/"));
    timeEach(st, w, [&](qsizetype at) { benchmark::DoNotOptimize(w.loads->answer(w.addresses.at(at), page, false)); });
    w.profile.VeiligZoeken = safe;
    w.lists->setCategoryFilter(w.categories.get());
}

// The same navigations with no category chosen and SafeSearch off: what the lists of the
// theme cost by themselves.
void BM_NavigationWithoutCategories(benchmark::State &st)
{
    World &w = world();
    w.lists->setCategoryFilter(nullptr);
    w.profile.VeiligZoeken = false;
    const QUrl none;
    timeEach(st, w, [&](qsizetype at) {
        benchmark::DoNotOptimize(w.guard->beforeNavigate(w.texts.at(at), {true, NavigationKind::LinkClick}));
        benchmark::DoNotOptimize(w.loads->answer(w.addresses.at(at), none, true));
    });
    w.profile.VeiligZoeken = true;
    w.lists->setCategoryFilter(w.categories.get());
}

BENCHMARK(BM_CategoryBuild)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NavigationRequest)->Iterations(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadRequest)->Iterations(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CategoryLookup)->Iterations(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBlacklistOnly)->Iterations(40000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_NavigationWithoutCategories)->Iterations(40000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--write-source") == 0)
        return writeSource(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong()) > 0 ? 0 : 1;
    if (argc == 4 && qstrcmp(argv[1], "--write-index") == 0) {
        QTemporaryDir dir;
        const QString source = dir.filePath(QStringLiteral("blacklists.tar.gz"));
        writeSource(source, QByteArray(argv[3]).toLongLong());
        CategoryUpdateRequest request;
        request.dataFolder = dir.path();
        request.source = source;
        const CategoryUpdateResult r = runCategoryUpdate(request);
        if (!r.ok())
            qFatal("%s", qPrintable(r.message));
        const QString target = QString::fromLocal8Bit(argv[2]);
        QFile::remove(target);
        return QFile::copy(CategoryFiles(dir.path()).index, target) ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
