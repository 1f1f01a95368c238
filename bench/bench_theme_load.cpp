// A theme of 200 picture links chosen: from the choice to the strip painted with every
// picture in place (the theme's files read, the thumbnails decoded, the 200 slots filled
// and the visible part of the strip painted).

#include "platform/fake_browser.h"
#include "platform/sound.h"
#include "state/program_state.h"
#include "themes/bmp_codec.h"
#include "themes/theme_model.h"
#include "themes/ui/link_panel.h"
#include "users/user_profile.h"
#include "core/text_file.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWidget>
#include <benchmark/benchmark.h>

#include <chrono>

using namespace tovalin;

namespace {

void BM_ChooseTheme(benchmark::State &st)
{
    const int links = int(st.range(0));
    QTemporaryDir dir;
    ProgramState state;
    state.DataFolder = dir.path();
    state.ProgramFolder = dir.path() + u'/';
    const QString themes = state.themesFolder();
    QDir().mkpath(themes);
    QStringList ids;
    for (int i = 0; i < links; ++i) {
        const QString id = QStringLiteral("link%1").arg(i);
        ids.append(id);
        writeLines(themes + u'/' + id + QStringLiteral(".kld"),
                   {QStringLiteral("[LinkProp]"), QStringLiteral("URL=http://site%1.example/").arg(i),
                    QStringLiteral("ID=") + id, QStringLiteral("Hint=Site %1").arg(i), QStringLiteral("Beschrijving=d"),
                    QStringLiteral("hoogte=-1"), QStringLiteral("breedte=-1")});
        writeBmpFile(themes + u'/' + id + QStringLiteral(".bmp"), Bitmap::filled(70, 70, 0xFF000000u | quint32(i * 9973)));
    }
    writeLines(themes + QStringLiteral("/Many.llt"), ids);
    writeLines(themes + QStringLiteral("/Few.llt"), {ids.first()});

    UserProfile profile;
    SilentSoundPlayer sound;
    FakeBrowser browser;
    ThemeModel model(state);
    QWidget window;
    window.resize(200, 800);
    QWidget panel(&window);
    panel.setObjectName(QStringLiteral("Panel6"));
    panel.setGeometry(0, 0, 200, 800);
    LinkPanel linkPanel(model, state, profile, sound, browser, &panel);
    window.show();
    model.activateTheme(QStringLiteral("Few"));
    QCoreApplication::processEvents();

    for (auto _ : st) {
        const auto t0 = std::chrono::steady_clock::now();
        model.activateTheme(QStringLiteral("Many"));
        const QPixmap shown = window.grab(); // paints the strip as the screen would
        benchmark::DoNotOptimize(shown);
        const auto t1 = std::chrono::steady_clock::now();
        st.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        model.activateTheme(QStringLiteral("Few"));
        QCoreApplication::processEvents();
    }
    if (model.LinkCount() != 1)
        st.SkipWithError("the theme did not load");
    model.activateTheme(QStringLiteral("Many"));
    st.counters["links"] = model.LinkCount();
}

BENCHMARK(BM_ChooseTheme)->Arg(200)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
