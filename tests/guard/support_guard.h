#pragma once
// Fakes and a ready-made world for the guard's tests: a data folder of its own,
// the state, the profile, the lists, the model and the guard around a FakeBrowser.

#include "state/program_state.h"
#include "guard/category_filter.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "platform/fake_browser.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "users/user_profile.h"

#include <QHash>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

namespace tovalin::test {

class RecordingSound final : public SoundPlayer {
public:
    void play(const QString &path) override { played.append(path); }
    QStringList played;
};

class ScriptedHeadProbe final : public HeadProbe {
public:
    HeadAnswer head(const QString &address) override
    {
        asked.append(address);
        return answers.value(address); // unknown addresses fail, as an unreachable server does
    }
    QHash<QString, HeadAnswer> answers;
    QStringList asked;
};

class RecordingMediaFetcher final : public MediaFetcher {
public:
    void fetchVideo(const QString &address, const QString &kind) override { calls.append("video:" + kind + ":" + address); }
    void fetchReference(const QString &address, const QString &kind) override { calls.append("reference:" + kind + ":" + address); }
    void stopPlayback() override { ++stops; }
    QStringList calls;
    int stops = 0;
};

class RecordingThemeDownloader final : public ThemeDownloader {
public:
    void DownloadTheme(const QString &address) override { calls.append(address); }
    QStringList calls;
};

/// Every setting that switches a guard rule on, so a test turns off what it wants gone.
UserProfile strictProfile();

struct GuardWorld {
    GuardWorld();

    QTemporaryDir dir;
    ProgramState state;
    UserProfile profile = strictProfile();
    VendorSettings vendor;
    std::unique_ptr<SiteLists> lists;
    RecordingSound sound;
    ScriptedHeadProbe head;
    RecordingMediaFetcher media;
    RecordingThemeDownloader themes;
    int clock = 0;
    bool parentsPageOpen = false;
    std::unique_ptr<NavigationModel> model;
    std::unique_ptr<NavigationGuard> guard;
    FakeBrowser browser;
    /// The user's category lists, asked by the lists (none chosen until a test chooses some).
    std::unique_ptr<CategoryFilter> categories;

    /// Writes a category index into the data folder and maps it: per category, its domains
    /// lines and (after a "urls:" line) its urls lines.
    void writeCategories(const QHash<QString, QStringList> &lines);

    /// Runs the decision as the browser would and returns its name.
    QString verdictOf(const QString &address) { return verdictName(guard->beforeNavigate(address).verdict); }
    int forbiddenSounds() const;
};

} // namespace tovalin::test
