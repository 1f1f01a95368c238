#include "app/ui/application.h"

#include "app/startup.h"
#include "app/ui/main_window.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "platform/curl_head_probe.h"
#include "platform/qt_sound.h"
#include "platform/webengine_browser.h"
#include "users/start_user.h"
#include "users/user_store.h"

#include <QGuiApplication>
#include <QMessageBox>
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
    // The window holds the browser's view; it goes first.
    m_window.reset();
    m_browser.reset();
}

void Application::start()
{
    m_state.ProgramFolder = resolveProgramFolder();
    m_state.DataFolder = resolveDataFolder();

    const FolderSetup folders = createDataFolders(m_state);
    if (!folders.ok()) {
        QMessageBox::warning(nullptr, tr("Tovalin"),
                             tr("The data folder cannot be used:\n%1\n\nTovalin starts, but nothing can be saved "
                                "until the folder is writable.")
                                 .arg(folders.failed.join(u'\n')));
    }
    m_state.FirstRun = checkFirstRun(m_state);
    m_state.setActiveUser(startUserFromArguments(m_options.arguments, m_state.startUserFile()));

    if (m_options.sound) {
        m_sound = m_options.sound;
    } else {
        m_ownSound = std::make_unique<QtSoundPlayer>();
        m_sound = m_ownSound.get();
    }
    HeadProbe *head = m_options.headProbe;
    if (!head) {
        m_ownHead = std::make_unique<CurlHeadProbe>();
        head = m_ownHead.get();
    }
    m_media = std::make_unique<LoggingMediaFetcher>();
    m_themeDownloader = std::make_unique<LoggingThemeDownloader>();

    m_lists = std::make_unique<SiteLists>(m_state, m_profile,
                                          VendorSettings::load(VendorSettings::defaultPath(m_state.ProgramFolder)));
    auto warn = [](const QString &message) { QMessageBox::warning(nullptr, tr("Tovalin"), message); };
    connect(m_lists.get(), &SiteLists::saveFailed, this, warn);
    connect(m_lists.get(), &SiteLists::loadFailed, this, warn);
    m_nav = std::make_unique<NavigationModel>(m_state, *m_sound);

    NavigationGuard::Services services;
    services.head = head;
    services.media = m_media.get();
    services.themes = m_themeDownloader.get();
    services.clockPosition = [this] { return m_window ? m_window->timeClockGauge()->value() : 0; };
    services.parentsPageOpen = [this] { return m_window && m_window->parentsPageShown(); };
    m_guard = std::make_unique<NavigationGuard>(m_state, *m_lists, m_profile, *m_nav, services);

    m_browser = std::make_unique<WebEngineBrowser>();
    m_nav->setBrowser(m_browser.get());
    m_guard->setBrowser(m_browser.get());
    m_browser->setBeforeNavigateHandler([this](const QString &address, FrameId) {
        return m_guard->beforeNavigate(address).cancel;
    });
    m_browser->setTranslateUrlHandler([this](const QString &address) { m_guard->translateUrl(address); });
    connect(m_browser.get(), &Browser::navigateComplete, m_guard.get(),
            [this](FrameId frame, const QString &) { m_guard->navigateComplete(frame); });
    connect(m_browser.get(), &Browser::documentComplete, m_guard.get(),
            [this](FrameId frame, const QString &) { m_guard->documentComplete(frame); });
    connect(m_browser.get(), &Browser::navigateError, m_guard.get(), [this] { m_guard->navigateError(); });
    connect(m_browser.get(), &Browser::downloadCompleted, m_guard.get(), [this] { m_guard->downloadComplete(); });

    MainWindowContext ctx{m_state, m_profile, *m_lists, *m_nav, *m_guard, *m_sound};
    m_window = std::make_unique<MainWindow>(ctx, *m_browser, m_browser->widget());

    m_users = std::make_unique<UserStore>(m_state, m_profile);
    m_session = std::make_unique<UserSession>(m_state, m_profile, *m_users, static_cast<UserActivationHooks &>(*this));
    m_session->activateAtStartUp(m_state.activeUser());
    m_lists->LoadSiteLists();

    // One window over the whole screen; without a window manager maximizing does nothing, so size it too.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_window->setGeometry(screen->availableGeometry());
    m_window->showMaximized();
    m_window->raise();
    m_window->activateWindow();
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

void Application::userLabelsChanged(const QString &user, const QString &theme)
{
    if (m_window)
        m_window->setUserLabels(user, theme);
}

} // namespace tovalin
