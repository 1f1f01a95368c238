#pragma once
// The whole program, assembled once: the state, the models, the platform
// layers and the windows, wired together. main() and the real-window tests
// build it the same way.

#include "state/program_state.h"
#include "users/user_activation.h"
#include "users/user_profile.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

namespace tovalin {

class ActivitySide;
class CurlHeadProbe;
class DataFolderUse;
class DesktopGuard;
class ThemeDownload;
class ThemeManagerWindows;
class MainWindow;
class MediaSide;
class NavigationGuard;
class NavigationModel;
class ParentsSide;
class PopupGuard;
class ThemeModel;
class ThemeWindows;
class SiteLists;
class SoundPlayer;
class UserSession;
class UserStore;
class UsersSide;
class DesktopShell;
class WebEngineBrowser;
class HeadProbe;
class TickSource;
class VideoFetch;
class SubresourceGuard;
class WebEngineRequestFilter;
class CategoryFilter;
class CategoryUpdates;

class Application : public QObject, private UserActivationHooks {
    Q_OBJECT
public:
    struct Options {
        QStringList arguments;            ///< the command line, the program first
        SoundPlayer *sound = nullptr;     ///< null: the real player
        HeadProbe *headProbe = nullptr;   ///< null: libcurl
        TickSource *timeClockTicks = nullptr;   ///< null: a real timer for the time clock
        TickSource *switchClockTicks = nullptr; ///< null: a real timer for the switch clock
        TickSource *surfTimeTicks = nullptr;    ///< null: a real timer for the surfing-time counter
        DesktopShell *desktop = nullptr;        ///< null: desktop launchers go to the real desktop
        /// When the desktop's default players are asked for: once the start page is on screen.
        int desktopPlayersDelayMs = 15000;
        /// The administrator groups of the account Tovalin runs under, told to the parents once;
        /// null: not asked (main() asks for the account's own).
        std::function<QStringList()> administratorGroups;
    };

    explicit Application(Options options, QObject *parent = nullptr);
    ~Application() override;

    /// Runs start-up up to the shown window: folders, first-run marker, start user,
    /// windows, activation, site lists. Reports a data folder that cannot be used.
    void start();

    ProgramState &state() { return m_state; }
    UserProfile &profile() { return m_profile; }
    SiteLists &lists() { return *m_lists; }
    NavigationModel &navigation() { return *m_nav; }
    NavigationGuard &guard() { return *m_guard; }
    UserStore &users() { return *m_users; }
    UserSession &session() { return *m_session; }
    MainWindow &mainWindow() { return *m_window; }
    WebEngineBrowser &browser() { return *m_browser; }
    /// The active theme's link slots.
    ThemeModel &themes() { return *m_themes; }
    /// The pop-up decision of the visible browser and its hidden browser `EmbeddedWB2`.
    PopupGuard &popups() { return *m_popups; }
    /// The theme manager, the theme download's windows and the theme tab's start page.
    ThemeManagerWindows &themeManagerWindows() { return *m_themeManagerWindows; }
    ThemeDownload &themeDownload() { return *m_themeDownload; }
    /// The parents' controls: menu lock, list commands, quick menu, clocks.
    ParentsSide &parents() { return *m_parents; }
    /// The add-link wizard, the link editor and the active theme editor.
    ThemeWindows &themeWindows() { return *m_themeWindows; }
    /// The user manager and the new-user wizard.
    UsersSide &usersSide() { return *m_usersSide; }
    /// Videos, downloads and the update: the video page, the download request, the update offer.
    MediaSide &media() { return *m_mediaSide; }
    VideoFetch &videoFetch() { return *m_media; }
    /// The desktop lock, the foreign-window guard and the restart watchdog.
    DesktopGuard &desktop() { return *m_desktop; }
    /// The child's requests to a parent and the activity report.
    ActivitySide &activity() { return *m_activity; }
    /// The blacklist for pictures, scripts and frames that pages load.
    SubresourceGuard &loadGuard() { return *m_loadGuard; }
    /// The user's category lists, and their updates.
    CategoryFilter &categories() { return *m_categories; }
    CategoryUpdates &categoryUpdates() { return *m_categoryUpdates; }

private:
    // What activating a user asks of the windows.
    void applyWindowSettings(const UserProfile &profile) override;
    void setBrowserSilent() override;
    void userLabelsChanged(const QString &user, const QString &theme) override;
    void loadTheme(const QString &theme) override;
    void loadSiteLists() override;
    void themeChooserChanged(const QStringList &themes, bool arrowVisible) override;
    /// Destroys the hidden browser and makes a fresh one in `HiddenEmbedded` for the next pop-up.
    WebEngineBrowser *makeHiddenBrowser();
    void setMenuLocked(bool locked) override;
    void applyMenuLockState() override;
    void setKeyLock(bool on) override;
    void setAutoRestart(bool on) override;
    void startTimeClock(const QString &minutes) override;
    void stopTimeClock() override;
    void startSwitchClock() override;
    void stopSwitchClock() override;
    /// With the start-up marks asked for: marks the start page loaded and painted.
    void reportStartPageShown();

    Options m_options;
    ProgramState m_state;
    UserProfile m_profile;
    std::unique_ptr<DataFolderUse> m_dataUse;
    std::unique_ptr<SoundPlayer> m_ownSound;
    SoundPlayer *m_sound = nullptr;
    std::unique_ptr<HeadProbe> m_ownHead;
    std::unique_ptr<VideoFetch> m_media;
    std::unique_ptr<ThemeManagerWindows> m_themeManagerWindows; // the theme manager and the download's windows
    std::unique_ptr<ThemeDownload> m_themeDownload;
    std::unique_ptr<CategoryFilter> m_categories; // outlives the lists that ask it
    std::unique_ptr<CategoryUpdates> m_categoryUpdates;
    std::unique_ptr<SiteLists> m_lists;
    std::unique_ptr<NavigationModel> m_nav;
    std::unique_ptr<NavigationGuard> m_guard;
    std::unique_ptr<UserStore> m_users;
    std::unique_ptr<UserSession> m_session;
    std::unique_ptr<WebEngineBrowser> m_browser;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<ThemeModel> m_themes;
    std::unique_ptr<PopupGuard> m_popups;
    std::unique_ptr<WebEngineBrowser> m_hiddenBrowser; // EmbeddedWB2
    std::unique_ptr<ParentsSide> m_parents;
    std::unique_ptr<ThemeWindows> m_themeWindows;
    std::unique_ptr<UsersSide> m_usersSide;
    std::unique_ptr<MediaSide> m_mediaSide;
    std::unique_ptr<DesktopGuard> m_desktop;
    std::unique_ptr<ActivitySide> m_activity;
    // The blacklist for what pages load; destroyed first, so the engine never asks a guard that is gone.
    std::unique_ptr<SubresourceGuard> m_loadGuard;
    std::unique_ptr<WebEngineRequestFilter> m_requestFilter;
};

} // namespace tovalin
