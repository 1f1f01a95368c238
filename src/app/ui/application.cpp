#include "app/ui/application.h"

#include "state/startup.h"
#include "state/startup_marks.h"
#include "core/text_file.h"
#include "app/ui/activity_side.h"
#include "app/ui/desktop_guard.h"
#include "app/ui/main_window.h"
#include "app/ui/media_side.h"
#include "app/ui/parents_side.h"
#include "app/ui/theme_windows.h"
#include "app/ui/theme_manager_windows.h"
#include "app/ui/users_side.h"
#include "users/ui/user_manager_dialog.h"
#include "parents/ui/parents_menu.h"
#include "guard/category_filter.h"
#include "guard/category_schedule.h"
#include "guard/safe_search.h"
#include "parents/ui/quick_menu_window.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/popup_guard.h"
#include "guard/ui/site_commands.h"
#include "guard/site_lists.h"
#include "guard/subresource_guard.h"
#include "media/media_fetch.h"
#include "media/ui/video_players.h"
#include "media/video_fetch.h"
#include "platform/curl_head_probe.h"
#include "platform/qt_sound.h"
#include "platform/webengine_browser.h"
#include "platform/webengine_request_filter.h"
#include "themes/theme_download.h"
#include "themes/ui/active_theme_editor.h"
#include "themes/ui/theme_manager_dialog.h"
#include "themes/theme_files.h"
#include "themes/theme_model.h"
#include "themes/ui/theme_chooser.h"
#include "users/start_user.h"
#include "users/ui/category_settings.h"
#include "users/user_manager.h"
#include "users/ui/user_manager_dialog.h"
#include "users/user_store.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QVBoxLayout>
#include <QScreen>
#include <QProgressBar>

namespace tovalin {

Application::Application(Options options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
{
}

Application::~Application()
{
    m_requestFilter.reset();
    m_categoryUpdates.reset();
    // Its windows live in the main window; the minute being surfed is written first.
    m_activity.reset();
    // The window holds the browser's view; it goes first. A download still running ends first.
    m_mediaSide.reset();
    m_themeDownload.reset();
    m_themeManagerWindows.reset();
    m_themeWindows.reset();
    // The lock and the watchdog end before the window whose timer they use.
    m_desktop.reset();
    m_popups.reset();
    m_hiddenBrowser.reset();
    m_window.reset();
    m_usersSide.reset();
    m_parents.reset();
    m_browser.reset();
}

namespace {

/// The theme the active user will start with (their first allowed theme), read without
/// touching the program's own state; empty without a usable user.
QString startThemeOf(const ProgramState &state)
{
    ProgramState peek;
    peek.DataFolder = state.DataFolder;
    peek.ProgramFolder = state.ProgramFolder;
    UserProfile profile;
    UserStore store(peek, profile);
    store.LoadUserProfile(state.activeUser());
    return peek.activeTheme();
}

} // namespace

void Application::start()
{
    chooseMediaBackend();
    m_state.ProgramFolder = resolveProgramFolder();
    m_state.DataFolder = resolveDataFolder();

    const FolderSetup folders = createDataFolders(m_state);
    if (!folders.ok()) {
        QMessageBox::warning(nullptr, tr("Tovalin"),
                             tr("The data folder cannot be used:\n%1\n\nTovalin starts, but nothing can be saved "
                                "until the folder is writable.")
                                 .arg(folders.failed.join(u'\n')));
    }
    // Another Tovalin working in the same folder may be in the middle of a save.
    m_dataUse = std::make_unique<DataFolderUse>(m_state.DataFolder);
    if (m_dataUse->isOnly())
        removeStaleTemporaryFiles(m_state.DataFolder);
    m_state.FirstRun = checkFirstRun(m_state);
    if (m_state.FirstRun) {
        // A new installation gets the starter themes, so a child can surf at
        // once; a themes folder that already holds a theme is left alone.
        installStarterThemes(m_state.starterThemesFolder(), m_state.themesFolder());
    }
    m_state.setActiveUser(startUserFromArguments(m_options.arguments, m_state.startUserFile()));

    if (m_options.sound) {
        m_sound = m_options.sound;
    } else {
        m_ownSound = std::make_unique<QtSoundPlayer>();
        m_sound = m_ownSound.get();
    }
    HeadProbe *head = m_options.headProbe;
    CurlHeadProbe *curlHead = nullptr;
    if (!head) {
        auto own = std::make_unique<CurlHeadProbe>();
        curlHead = own.get();
        m_ownHead = std::move(own);
        head = m_ownHead.get();
    }
    m_media = std::make_unique<VideoFetch>(m_state);
    m_themeManagerWindows = std::make_unique<ThemeManagerWindows>(m_state);
    m_themeDownload = std::make_unique<ThemeDownload>(m_state, *m_themeManagerWindows);

    const VendorSettings vendor = VendorSettings::load(VendorSettings::defaultPath(m_state.ProgramFolder));
    // The category index is mapped, not read: it adds nothing to the start-up but opening a file.
    m_categories = std::make_unique<CategoryFilter>(m_state, m_profile);
    m_categories->reload();
    m_categoryUpdates = std::make_unique<CategoryUpdates>(m_state, *m_categories, vendor.CategorySource);
    m_lists = std::make_unique<SiteLists>(m_state, m_profile, vendor);
    m_lists->setCategoryFilter(m_categories.get());
    auto warn = [](const QString &message) { QMessageBox::warning(nullptr, tr("Tovalin"), message); };
    connect(m_lists.get(), &SiteLists::saveFailed, this, warn);
    connect(m_lists.get(), &SiteLists::loadFailed, this, warn);
    // The start user's lists are read while the web engine starts: a list of a million lines
    // takes most of a second to read.
    m_lists->readAhead(startThemeOf(m_state));
    m_nav = std::make_unique<NavigationModel>(m_state, *m_sound);

    NavigationGuard::Services services;
    services.head = head;
    services.headInBackground = true;
    services.media = m_media.get();
    services.themes = m_themeDownload.get();
    services.clockPosition = [this] { return m_window ? m_window->timeClockGauge()->value() : 0; };
    services.parentsPageOpen = [this] { return m_window && m_window->parentsPageShown(); };
    m_guard = std::make_unique<NavigationGuard>(m_state, *m_lists, m_profile, *m_nav, services);
    // The program's own fetches for the child go only where a navigation may go.
    const auto judge = [this](const QString &address) { return m_guard && m_guard->mayFollowRedirect(address); };
    m_media->setRedirectJudge(judge);
    if (curlHead)
        curlHead->setRedirectJudge(judge);

    startup::mark("state, lists and guard made");
    m_browser = std::make_unique<WebEngineBrowser>();
    startup::mark("web engine and browser made");
    m_guard->attachTo(*m_browser);
    m_loadGuard = std::make_unique<SubresourceGuard>(m_state, *m_lists, m_profile);
    // The video fetch asks YouTube as the browser does.
    m_media->setHeaderSource([this](const QString &address) {
        const LoadAnswer a = m_loadGuard->answer(QUrl(address, QUrl::TolerantMode), QUrl(), true);
        QList<QByteArray> headers;
        if (!a.youTubeRestrict.isEmpty())
            headers.append(QByteArray(kYouTubeRestrictHeader) + ": " + a.youTubeRestrict);
        return headers;
    });
    m_requestFilter = std::make_unique<WebEngineRequestFilter>([this](const QUrl &address, const QUrl &page, bool mainFrame) {
        const LoadAnswer a = m_loadGuard->answer(address, page, mainFrame);
        WebEngineRequestFilter::Answer out;
        out.block = a.block;
        if (a.redirect)
            out.redirect = *a.redirect;
        if (!a.youTubeRestrict.isEmpty()) {
            out.headerName = QByteArray(kYouTubeRestrictHeader);
            out.headerValue = a.youTubeRestrict;
        }
        return out;
    });

    MainWindowContext ctx{m_state, m_profile, *m_lists, *m_nav, *m_guard, *m_sound};
    m_window = std::make_unique<MainWindow>(ctx, *m_browser, m_browser->widget());
    startup::mark("main window built");
    m_desktop = std::make_unique<DesktopGuard>(m_state, m_profile, *m_window, m_options.desktopPlayersDelayMs);
    if (m_options.administratorGroups)
        m_desktop->setAdministratorGroups(m_options.administratorGroups());

    ParentsSide::Context parentsCtx{m_state, m_profile, *m_lists, *m_nav, *m_guard, *m_browser, *m_window, *m_sound,
                                    m_options.timeClockTicks, m_options.switchClockTicks};
    m_parents = std::make_unique<ParentsSide>(parentsCtx);
    m_mediaSide = std::make_unique<MediaSide>(
        MediaSide::Context{m_state, m_profile, *m_lists, *m_nav, *m_guard, *m_browser, *m_window, head, *m_media});

    m_themes = std::make_unique<ThemeModel>(m_state);
    m_themes->setSiteListLoader([this] { m_lists->LoadSiteLists(); });
    m_window->setUpThemes(*m_themes, [this] { return m_users ? m_users->AllowedThemes() : QStringList(); });
    m_themeWindows = std::make_unique<ThemeWindows>(
        ThemeWindows::Context{m_state, *m_lists, *m_themes, *m_sound, *m_browser, *m_window});
    m_parents->siteCommands().setUrlManagerOpener([this] { m_themeWindows->openUrlManager(); });
    m_themeManagerWindows->attach({*m_window, *m_themes, *m_browser, m_lists->vendor().ThemePage}, *m_themeDownload);
    // The camera with no theme active opens the theme manager, as "Edit theme's" does.
    m_themeWindows->setThemeManagerOpener([this] { m_themeManagerWindows->manager()->runModal(); });
    // The quick menu's "Theme" opens the theme manager, "Theme manager" the active theme's editor,
    // as the parents' menu does.
    // The quick menu's window is built when a parent first opens it; the entries wait for it.
    m_parents->setQuickMenuEntry(QuickMenuWindow::WindowEntry::Theme,
                                 [this] { m_themeManagerWindows->manager()->runModal(); });
    m_parents->setQuickMenuEntry(QuickMenuWindow::WindowEntry::ThemeManager,
                                 [this] { m_themeWindows->editor().openOn(ActiveThemeEditor::Page::SaveAs); });

    // Pop-ups: the visible browser's window requests go to the pop-up guard,
    // whose hidden browser lives on the never-shown page `HiddenEmbedded`.
    m_popups = std::make_unique<PopupGuard>(m_state, *m_lists, *m_nav, *m_guard, *m_browser,
                                            [this]() -> Browser * { return makeHiddenBrowser(); });
    m_browser->setNewWindowTargetHandler([this](const QString &) { return m_popups->newWindowRequested(); });
    connect(m_popups.get(), &PopupGuard::panelSizeRequested, m_window.get(), &MainWindow::resizeBrowserPanel);
    m_window->attachPopupGuard(*m_popups);

    // A first start has no user: the new-user wizard offers itself five seconds after the window shows.
    m_users = std::make_unique<UserStore>(m_state, m_profile);
    m_session = std::make_unique<UserSession>(m_state, m_profile, *m_users, static_cast<UserActivationHooks &>(*this));
    UsersSide::Context usersCtx{m_state, m_profile, *m_users, *m_session, *m_window, *m_parents,
                                QCoreApplication::applicationFilePath(), m_options.desktop};
    m_usersSide = std::make_unique<UsersSide>(std::move(usersCtx));
    // Before the activation: yesterday's allows for today only are taken off the files it reads.
    m_activity = std::make_unique<ActivitySide>(ActivitySide::Context{m_state, *m_lists, *m_guard, *m_browser, *m_window,
                                                                      *m_parents, *m_themeWindows, *m_users,
                                                                      m_options.surfTimeTicks});
    connect(m_window.get(), &MainWindow::userWindowSettingsDue, m_session.get(), &UserSession::ApplyWindowSettings);
    connect(&m_usersSide->manager(), &UserManager::profileReloaded, this, [this] { m_categories->refresh(); });
    // The manager's window is built when a parent first opens it; what it shows of this desktop
    // and the Security page's column (SafeSearch and the category lists) join it then.
    m_usersSide->whenManagerDialogBuilt([this](UserManagerDialog &dialog) {
        dialog.setLockInForce(DesktopLock::inForceText(m_desktop->holder()));
        auto *categorySettings = new CategorySettings(m_profile, *m_categories, *m_categoryUpdates);
        dialog.addSecurityColumn(categorySettings);
        connect(categorySettings, &CategorySettings::profileEdited, &m_usersSide->manager(), &UserManager::markChanged);
        connect(&m_usersSide->manager(), &UserManager::profileReloaded, categorySettings,
                [categorySettings] { categorySettings->showProfile(); });
    });
    startup::mark("parents' side, media, themes and users made");
    m_session->activateAtStartUp(m_state.activeUser());
    m_lists->LoadSiteLists();
    startup::mark("start user activated");

    // One window over the whole screen; without a window manager maximizing does nothing, so size it too.
    // In the Tovalin session it has no frame at all: the kiosk compositor gives its one window the
    // whole screen. (A full-screen request there leaves the window unpainted with Qt 6.4.)
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_window->setGeometry(screen->availableGeometry());
    if (m_desktop->holder() == LockHolder::TovalinSession)
        m_window->setWindowFlag(Qt::FramelessWindowHint);
    m_window->showMaximized();
    m_window->raise();
    m_window->activateWindow();
    m_parents->startUpFinished();
    m_categoryUpdates->start();
    startup::mark("window shown");
    reportStartPageShown();
}

void Application::reportStartPageShown()
{
    if (!startup::marksWanted())
        return;
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(m_browser.get(), &Browser::documentComplete, this, [this, once] {
        disconnect(*once);
        startup::mark("start page loaded");
        m_browser->whenPainted([] { startup::mark("start page painted"); });
    });
}

void Application::applyWindowSettings(const UserProfile &profile)
{
    if (m_window)
        m_window->applyWindowSettings(profile);
}

void Application::setBrowserSilent()
{
    if (m_browser)
        m_browser->setSilent(true);
}

void Application::setMenuLocked(bool locked)
{
    if (m_parents)
        m_parents->setMenuLocked(locked);
}

void Application::applyMenuLockState()
{
    if (m_parents)
        m_parents->parentsMenu().applyCurrentLockState();
}

void Application::setKeyLock(bool on)
{
    if (m_desktop)
        m_desktop->setKeyLock(on);
}

void Application::setAutoRestart(bool on)
{
    if (m_desktop)
        m_desktop->setAutoRestart(on);
}

void Application::startTimeClock(const QString &minutes)
{
    if (m_parents)
        m_parents->startTimeClock(minutes);
}

void Application::stopTimeClock()
{
    if (m_parents)
        m_parents->stopTimeClock();
}

void Application::startSwitchClock()
{
    if (m_parents)
        m_parents->startSwitchClock();
}

void Application::stopSwitchClock()
{
    if (m_parents)
        m_parents->stopSwitchClock();
}

WebEngineBrowser *Application::makeHiddenBrowser()
{
    QWidget *page = m_window->hiddenBrowserPage();
    // The old hidden browser may still be the sender of the signal that led
    // here; it goes once the event loop is back.
    if (m_hiddenBrowser)
        m_hiddenBrowser.release()->deleteLater();
    m_hiddenBrowser = std::make_unique<WebEngineBrowser>(page);
    QWidget *view = m_hiddenBrowser->widget();
    view->setObjectName(QStringLiteral("EmbeddedWB2"));
    if (!page->layout()) {
        auto *lay = new QVBoxLayout(page);
        lay->setContentsMargins(0, 0, 0, 0);
    }
    page->layout()->addWidget(view);
    view->show();
    return m_hiddenBrowser.get();
}

void Application::loadTheme(const QString &theme)
{
    if (m_themes)
        m_themes->LoadTheme(theme, Scroll::ToTop);
}

void Application::loadSiteLists()
{
    if (m_lists)
        m_lists->LoadSiteLists();
    // Another user may choose other categories.
    if (m_categories)
        m_categories->refresh();
}

void Application::themeChooserChanged(const QStringList &, bool)
{
    if (m_window)
        m_window->fillThemeChooser();
}

void Application::userLabelsChanged(const QString &user, const QString &theme)
{
    if (m_window)
        m_window->setUserLabels(user, theme);
}

} // namespace tovalin
