// The guard's cost per navigation: the three address tests and the whole
// before-navigate decision, with lists of 10, 1000 and 100000 entries.

#include "state/program_state.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "platform/fake_browser.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "users/user_profile.h"

#include <QCoreApplication>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <map>
#include <memory>

using namespace tovalin;

namespace {

struct World {
    explicit World(int entries)
    {
        state.DataFolder = QStringLiteral("/nonexistent/tovalin2");
        state.ProgramFolder = QStringLiteral("/nonexistent/");
        profile.Kindvriendelijk = true;
        profile.Kindonvriendelijk = true;
        profile.Geendialoog = true;
        profile.Blokdoc = profile.Blokpdf = profile.Blokxls = profile.Bloktxt = profile.Blokppt = true;
        profile.StartURL = QStringLiteral("http://start.example/");
        QStringList white, black;
        white.reserve(entries);
        black.reserve(entries);
        for (int i = 0; i < entries; ++i) {
            white.append(QStringLiteral("site%1.example").arg(i));
            black.append(QStringLiteral("http://bad%1.example/page").arg(i));
        }
        lists = std::make_unique<SiteLists>(state, profile, VendorSettings{});
        lists->whitelist().setItems(white);
        lists->blacklist().setItems(black);
        lists->popuplist().setItems(black);
        model = std::make_unique<NavigationModel>(state, sound);
        NavigationGuard::Services services;
        services.head = &head;
        services.media = &media;
        services.clockPosition = [] { return 0; };
        services.parentsPageOpen = [] { return false; };
        guard = std::make_unique<NavigationGuard>(state, *lists, profile, *model, services);
        guard->attachTo(browser);
    }

    ProgramState state;
    UserProfile profile;
    SilentSoundPlayer sound;
    NoNetworkHeadProbe head;
    NoMediaFetcher media;
    std::unique_ptr<SiteLists> lists;
    std::unique_ptr<NavigationModel> model;
    std::unique_ptr<NavigationGuard> guard;
    FakeBrowser browser;
};

// One world per list size, built once: building 100000 entries is not what is measured.
World &world(int entries)
{
    static std::map<int, std::unique_ptr<World>> worlds;
    auto &w = worlds[entries];
    if (!w)
        w = std::make_unique<World>(entries);
    return *w;
}

const QString kListedAddress = QStringLiteral("http://www.site5.example/games/index.html");
const QString kUnlistedAddress = QStringLiteral("http://www.elsewhere.example/games/index.html");

void BM_IsNotWhitelisted_listed(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(w.lists->IsNotWhitelisted(kListedAddress));
}

void BM_IsNotWhitelisted_unlisted(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(w.lists->IsNotWhitelisted(kUnlistedAddress));
}

void BM_IsBlacklisted(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    const QString address = QStringLiteral("http://bad7.example/page/");
    for (auto _ : st)
        benchmark::DoNotOptimize(w.lists->IsBlacklisted(address));
}

void BM_IsPopupListed_unlisted(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(w.lists->IsPopupListed(kUnlistedAddress));
}

void BM_BeforeNavigate_allowed(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(w.guard->beforeNavigate(kListedAddress));
}

void BM_BeforeNavigate_refused(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    for (auto _ : st)
        benchmark::DoNotOptimize(w.guard->beforeNavigate(kUnlistedAddress));
}

void BM_BeforeNavigate_video(benchmark::State &st)
{
    World &w = world(int(st.range(0)));
    const QString address = QStringLiteral("http://www.site5.example/clip.wmv"); // probe fails at once
    for (auto _ : st)
        benchmark::DoNotOptimize(w.guard->beforeNavigate(address));
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(10)->Arg(1000)->Arg(100000);
}

BENCHMARK(BM_IsNotWhitelisted_listed)->Apply(sizes);
BENCHMARK(BM_IsNotWhitelisted_unlisted)->Apply(sizes);
BENCHMARK(BM_IsBlacklisted)->Apply(sizes);
BENCHMARK(BM_IsPopupListed_unlisted)->Apply(sizes);
BENCHMARK(BM_BeforeNavigate_allowed)->Apply(sizes);
BENCHMARK(BM_BeforeNavigate_refused)->Apply(sizes);
BENCHMARK(BM_BeforeNavigate_video)->Apply(sizes);

} // namespace

int main(int argc, char **argv)
{
    // The indicator's blink timer needs an application object to exist.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
