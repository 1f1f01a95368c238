// The guard's cost per navigation with lists of 10 to 1 000 000 entries, and the cost
// of loading a list of a million lines.
//
// Decisions are timed one by one over 10 000 realistic addresses (a mix of allowed,
// refused by either list, with queries, secure and plain), and reported as p50 and
// p99 per decision (counters p50_us, p99_us). The lists are read from files, as the
// program reads them.
//
// BM_LoadBlacklist reports the load time and what the process grew by (rss_mb: resident
// memory after the load; peak_mb: the peak during it); run it in a process of its own
// (bench/run.sh does) so that the peak is the load's own.

#include "bench_support.h"
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
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <vector>

using namespace tovalin;

namespace {

const char *const kWords[] = {"kids", "zoo", "games", "learn", "animals", "space", "music", "draw", "read", "math",
                              "story", "farm", "ocean", "planet", "robot", "puzzle"};

QString hostFor(int i)
{
    return QStringLiteral("www.%1-%2%3.example").arg(QLatin1StringView(kWords[i % 16])).arg(i).arg(QLatin1StringView(kWords[(i / 16) % 16]));
}

// A whitelist entry: a host, now and then a whole address.
QString whiteEntry(int i)
{
    return i % 5 == 0 ? QStringLiteral("http://") + hostFor(i) + QStringLiteral("/") : hostFor(i);
}

// A blacklist entry: a whole address, as public lists hold them (about 55 bytes).
QString blackEntry(int i)
{
    return QStringLiteral("http://%1/section/page-%2.html").arg(hostFor(i + 7000000)).arg(i % 977);
}

// Writes a list file sorted as the program saves it.
void writeList(const QString &path, QStringList entries)
{
    std::sort(entries.begin(), entries.end(), &SortedList::lessThan);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    QByteArray chunk;
    for (const QString &e : entries) {
        chunk += e.toUtf8();
        chunk += "\r\n";
        if (chunk.size() > (1 << 20)) {
            f.write(chunk);
            chunk.clear();
        }
    }
    f.write(chunk);
}

struct World {
    World(int whiteCount, int blackCount)
    {
        state.DataFolder = dir.path();
        state.ProgramFolder = dir.path() + u'/';
        QDir().mkpath(state.themesFolder());
        state.setActiveTheme(QStringLiteral("Bench"));
        profile.Kindvriendelijk = true;
        profile.Kindonvriendelijk = true;
        profile.Geendialoog = true;
        profile.Blokdoc = profile.Blokpdf = profile.Blokxls = profile.Bloktxt = profile.Blokppt = true;
        profile.StartURL = QStringLiteral("http://start.example/");
        lists = std::make_unique<SiteLists>(state, profile, VendorSettings{});
        {
            QStringList white, black;
            for (int i = 0; i < whiteCount; ++i)
                white.append(whiteEntry(i));
            for (int i = 0; i < blackCount; ++i)
                black.append(blackEntry(i));
            writeList(lists->fileOf(SiteList::White), white);
            writeList(lists->fileOf(SiteList::Black), black);
            writeList(lists->fileOf(SiteList::Popup), {});
        }
        lists->LoadSiteLists();
        model = std::make_unique<NavigationModel>(state, sound);
        NavigationGuard::Services services;
        services.head = &head;
        services.media = &media;
        services.clockPosition = [] { return 0; };
        services.parentsPageOpen = [] { return false; };
        guard = std::make_unique<NavigationGuard>(state, *lists, profile, *model, services);
        guard->attachTo(browser);

        // 10 000 addresses: allowed pages (some with queries, some secure), pages of blacklisted
        // sites, and sites on neither list.
        QRandomGenerator rng(42);
        for (int k = 0; k < 10000; ++k) {
            const int i = int(rng.bounded(std::max(1, std::max(whiteCount, blackCount))));
            switch (k % 5) {
            case 0: addresses.append(QStringLiteral("http://") + hostFor(i % std::max(1, whiteCount)) + QStringLiteral("/games/index.html")); break;
            case 1: addresses.append(QStringLiteral("https://") + hostFor(i % std::max(1, whiteCount)) + QStringLiteral("/play?level=%1&sound=on").arg(k)); break;
            case 2: addresses.append(blackEntry(i % std::max(1, blackCount))); break;
            case 3: addresses.append(QStringLiteral("http://cdn%1.elsewhere.example/lib/script-%2.js").arg(k % 50).arg(k)); break;
            default: addresses.append(QStringLiteral("http://") + hostFor(i % std::max(1, whiteCount)) + QStringLiteral("/images/pic%1.png").arg(k)); break;
            }
        }
    }

    QTemporaryDir dir;
    ProgramState state;
    UserProfile profile;
    SilentSoundPlayer sound;
    NoNetworkHeadProbe head;
    NoMediaFetcher media;
    std::unique_ptr<SiteLists> lists;
    std::unique_ptr<NavigationModel> model;
    std::unique_ptr<NavigationGuard> guard;
    FakeBrowser browser;
    QStringList addresses;
};

// One world per list size, built once: building the lists is not what is measured here.
World &world(int entries)
{
    static std::map<int, std::unique_ptr<World>> worlds;
    auto &w = worlds[entries];
    if (!w) {
        worlds.clear(); // one large world at a time
        auto &fresh = worlds[entries];
        fresh = std::make_unique<World>(entries, entries);
        return *fresh;
    }
    return *w;
}

World &mixedWorld()
{
    static World w(100000, 1000000);
    return w;
}

// Times each call of f over the world's addresses; reports p50 and p99 in microseconds.
template <typename F>
void timeEach(benchmark::State &st, World &w, F f)
{
    std::vector<double> times;
    times.reserve(100000);
    qsizetype k = 0;
    for (auto _ : st) {
        // A click opens a new sequence now and then, as the child does: the navigation list and
        // the refused list are per click, not per run.
        if (k % 20 == 0)
            w.model->beginSequence();
        const QString &address = w.addresses.at(k++ % w.addresses.size());
        const auto t0 = std::chrono::steady_clock::now();
        f(address);
        const auto t1 = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    }
    bench::reportPercentiles(st, std::move(times));
}

// The whole before-navigate decision of a frame or redirect (no new sequence).
void BM_Decision(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    timeEach(st, w, [&](const QString &a) { benchmark::DoNotOptimize(w.guard->beforeNavigate(a, {false, NavigationKind::Other})); });
}

// 100 000 whitelist and 1 000 000 blacklist entries at once.
void BM_DecisionMixed(benchmark::State &st)
{
    World &w = mixedWorld();
    timeEach(st, w, [&](const QString &a) { benchmark::DoNotOptimize(w.guard->beforeNavigate(a, {false, NavigationKind::Other})); });
}

// A child's own short whitelist (10 entries) beside a blacklist of 1 000 000.
void BM_DecisionSmallWhite(benchmark::State &st)
{
    static World w(10, 1000000);
    timeEach(st, w, [&](const QString &a) { benchmark::DoNotOptimize(w.guard->beforeNavigate(a, {false, NavigationKind::Other})); });
}

// The blacklist test of one load of a page (a picture, a script), on the same addresses.
void BM_PageLoad(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    const SubresourceGuard loads(w.state, *w.lists, w.profile);
    timeEach(st, w, [&](const QString &a) { benchmark::DoNotOptimize(loads.refuses(a)); });
}

// One link click: the pre-test (translate-URL) and the decision, as the browser runs them.
void BM_ClickMixed(benchmark::State &st)
{
    World &w = mixedWorld();
    timeEach(st, w, [&](const QString &a) {
        w.guard->translateUrl(a);
        benchmark::DoNotOptimize(w.guard->beforeNavigate(a, {true, NavigationKind::LinkClick}));
    });
}

// A 1 000 000-line blacklist (about 55 MB) loaded from its file.
void BM_LoadBlacklist(benchmark::State &st)
{
    const int lines = int(st.range(0));
    QTemporaryDir dir;
    ProgramState state;
    state.DataFolder = dir.path();
    state.ProgramFolder = dir.path() + u'/';
    QDir().mkpath(state.themesFolder());
    state.setActiveTheme(QStringLiteral("Bench"));
    UserProfile profile;
    profile.Kindonvriendelijk = true;
    const QString file = state.themesFolder() + QStringLiteral("/Bench.kou");
    // Written by a process of its own: the memory that making the list takes here would be
    // reused by the load and hide what the load costs.
    if (QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--write-blacklist"), file, QString::number(lines)}) != 0) {
        st.SkipWithError("could not write the list file");
        return;
    }
    const qint64 fileBytes = QFileInfo(file).size();
    double rssMb = 0, peakMb = 0, listMb = 0;
    bool found = false;
    for (auto _ : st) {
        const long rssBefore = bench::statusKb("VmRSS:");
        const long peakBefore = bench::statusKb("VmHWM:");
        const QString probe = blackEntry(lines / 2);
        const auto t0 = std::chrono::steady_clock::now();
        auto lists = std::make_unique<SiteLists>(state, profile, VendorSettings{});
        lists->LoadSiteLists();
        found = lists->IsBlacklisted(probe); // the first test after a load
        const auto t1 = std::chrono::steady_clock::now();
        st.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        rssMb = double(bench::statusKb("VmRSS:") - rssBefore) / 1024.0;
        // A new high-water mark was reached during the load: the peak it added is that mark
        // less where the process stood before; otherwise the load stayed below the old mark.
        const long peakAfter = bench::statusKb("VmHWM:");
        peakMb = peakAfter > peakBefore ? double(peakAfter - rssBefore) / 1024.0 : rssMb;
        listMb = double(lists->blacklist().memoryBytes()) / (1024.0 * 1024.0);
    }
    if (!found)
        st.SkipWithError("the blacklist did not hold its own entry");
    st.counters["file_mb"] = double(fileBytes) / (1024.0 * 1024.0);
    st.counters["rss_mb"] = rssMb;
    st.counters["peak_mb"] = peakMb;
    st.counters["list_mb"] = listMb;
}

BENCHMARK(BM_Decision)->Arg(10)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageLoad)->Arg(10)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecisionMixed)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecisionSmallWhite)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickMixed)->Iterations(20000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBlacklist)->Arg(1000000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    // The indicator's blink timer needs an application object to exist.
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--write-blacklist") == 0) {
        QStringList black;
        const int lines = QByteArray(argv[3]).toInt();
        black.reserve(lines);
        for (int i = 0; i < lines; ++i)
            black.append(blackEntry(i));
        writeList(QString::fromLocal8Bit(argv[2]), black);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
