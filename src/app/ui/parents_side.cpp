#include "app/ui/parents_side.h"

#include "app/ui/help_page.h"

#include "state/language.h"
#include "state/program_state.h"
#include "app/ui/main_window.h"
#include "clocks/switch_clock.h"
#include "clocks/time_clock.h"
#include "clocks/ui/clock_views.h"
#include "clocks/ui/clocks_dialog.h"
#include "guard/block_accept.h"
#include "guard/navigation_guard.h"
#include "guard/ui/accept_window.h"
#include "guard/ui/site_commands.h"
#include "parents/menu_lock.h"
#include "parents/quick_menu.h"
#include "parents/ui/parents_menu.h"
#include "parents/ui/password_dialogs.h"
#include "parents/ui/quick_menu_window.h"
#include "parents/update_timer.h"
#include "platform/browser.h"
#include "platform/tick_source.h"
#include "users/user_profile.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QProgressBar>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

namespace tovalin {

/// Enables the main window's `updatetimer`; the version check attaches to its timeout.
class ParentsSide::UpdateTimer : public UpdateTimerStarter {
public:
    explicit UpdateTimer(MainWindow &window) : m_window(window) {}
    void enableUpdateTimer() override { m_window.updateTimer()->start(); }

private:
    MainWindow &m_window;
};

ParentsSide::ParentsSide(Context context, QObject *parent) : QObject(parent), m_ctx(context)
{
    TickSource *timeTicks = m_ctx.timeClockTicks;
    if (!timeTicks) {
        m_ownTimeTicks = std::make_unique<QtTickSource>();
        timeTicks = m_ownTimeTicks.get();
    }
    TickSource *switchTicks = m_ctx.switchClockTicks;
    if (!switchTicks) {
        m_ownSwitchTicks = std::make_unique<QtTickSource>();
        switchTicks = m_ownSwitchTicks.get();
    }
    m_timeClock = std::make_unique<TimeClock>(*timeTicks);
    m_switchClock = std::make_unique<SwitchClock>(*switchTicks, m_ctx.sound,
                                                  m_ctx.state.soundPath(QStringLiteral("fluit.wav")));

    m_updateTimer = std::make_unique<UpdateTimer>(m_ctx.window);
    m_menuLock = std::make_unique<MenuLock>(PasswordStore(m_ctx.state.passwordFile()));
    MainWindow *window = &m_ctx.window;
    Browser *browser = &m_ctx.browser;
    ParentsMenuHost host;
    host.setMenuOpen = [window](bool open) { window->setParentsMenuOpen(open); };
    host.setLockLinkText = [window](const QString &text) {
        if (LinkLabel *link = window->menuBarLink(QStringLiteral("Label47")))
            link->setText(text);
    };
    // The desktop lock itself is released here too once it exists; the guard's timer stops now.
    host.releaseDesktop = [window] { window->foreignWindowTimer()->stop(); };
    host.location = [browser] { return browser->location(); };
    m_parentsMenu = std::make_unique<ParentsMenu>(*m_menuLock, m_ctx.state, m_ctx.profile, std::move(host),
                                                  m_updateTimer.get(), window);

    QLineEdit *edit1 = window->childAddressEdit();
    m_blockAccept = std::make_unique<BlockAccept>(m_ctx.lists, m_ctx.nav,
                                                  BrowserActions::of(m_ctx.browser, [edit1] { return edit1->text(); }));
    m_acceptList = std::make_unique<AcceptListModel>(*m_blockAccept);
    m_quickModel = std::make_unique<QuickMenuModel>(*m_blockAccept, m_ctx.state, m_ctx.profile);

    wireMenu();
    wireLists();
    wireQuickMenu();
    wireClocks();
}

ParentsSide::~ParentsSide() = default;

void ParentsSide::showMessages(const QStringList &messages)
{
    for (const QString &message : messages)
        showParentsMessage(&m_ctx.window, message);
}

void ParentsSide::wireMenu()
{
    MainWindow &w = m_ctx.window;
    connect(&w, &MainWindow::parentsButtonClicked, m_parentsMenu.get(), &ParentsMenu::menuButtonClicked);
    if (LinkLabel *lock = w.menuBarLink(QStringLiteral("Label47")))
        connect(lock, &LinkLabel::clicked, m_parentsMenu.get(), &ParentsMenu::lockLinkClicked);
    if (LinkLabel *homepage = w.menuBarLink(QStringLiteral("Label51")))
        connect(homepage, &LinkLabel::clicked, m_parentsMenu.get(), &ParentsMenu::createHomepage);
    // The bar hides itself first (the window's own connection); the warning follows.
    connect(w.menuBarCloseButton(), &QToolButton::clicked, m_parentsMenu.get(), &ParentsMenu::menuClosed);
}

void ParentsSide::wireLists()
{
    MainWindow &w = m_ctx.window;
    m_acceptWindow = new AcceptWindow(*m_acceptList, &w);
    connect(m_blockAccept.get(), &BlockAccept::acceptWindowRequested, m_acceptWindow, &AcceptWindow::showCentred);

    m_siteCommands = new SiteCommands(*m_blockAccept, w.parentsAddressEdit());
    w.addToParentsAddressRow(m_siteCommands);
    connect(w.acceptBlockLink(), &LinkLabel::clicked, m_siteCommands, &SiteCommands::acceptOrBlock);
    connect(&m_ctx.guard, &NavigationGuard::addCommandsHidden, m_siteCommands, &SiteCommands::hideAddCommands);
}

void ParentsSide::wireQuickMenu()
{
    MainWindow &w = m_ctx.window;
    // The window itself is built the first time it shows: the model keeps what it will show.
    connect(&w, &MainWindow::quickMenuRequested, this, [this] { quickMenu().showMenu(); });
    connect(&m_ctx.guard, &NavigationGuard::activeSiteChanged, m_quickModel.get(), &QuickMenuModel::setActiveSite);
    // Back and forward inside one page complete no document; the command state changes with every move.
    Browser *browser = &m_ctx.browser;
    connect(browser, &Browser::commandStateChanged, m_quickModel.get(),
            [this, browser] { m_quickModel->setActiveSite(browser->location()); });
    // After each completed document the newest address is the selected one.
    connect(&m_ctx.guard, &NavigationGuard::popupPageCompleted, m_quickModel.get(), &QuickMenuModel::selectFirst);
}

QuickMenuWindow &ParentsSide::quickMenu()
{
    if (m_quickMenu)
        return *m_quickMenu;
    MainWindow &w = m_ctx.window;
    m_quickMenu = new QuickMenuWindow(*m_quickModel, &w, &w);
    const QString help = helpPagePath(m_ctx.state.ProgramFolder, activeLanguage());
    m_quickMenu->setHelpOpener([help, this] {
        if (!QFileInfo::exists(help)) {
            showParentsMessage(m_quickMenu, tr("The help file cannot be found:\n%1").arg(help));
            return;
        }
        openHelp(&m_ctx.window, help);
    });
    m_quickMenu->setClocksOpener([this] { clocksDialog().open(); });
    for (auto &[entry, open] : m_quickMenuEntries)
        m_quickMenu->setWindowEntry(entry, open);
    return *m_quickMenu;
}

void ParentsSide::setQuickMenuEntry(QuickMenuWindow::WindowEntry entry, std::function<void()> open)
{
    m_quickMenuEntries.emplace_back(entry, open);
    if (m_quickMenu)
        m_quickMenu->setWindowEntry(entry, std::move(open));
}

void ParentsSide::wireClocks()
{
    MainWindow &w = m_ctx.window;
    bindTimeClock(*m_timeClock, w.timeClockGauge(), w.browserPages(), w.browserPage(), w.timeUpPage());
    // After a stop, the next navigation that passes brings the browser page back.
    connect(&m_ctx.browser, &Browser::navigateComplete, this, [this] {
        MainWindow &win = m_ctx.window;
        if (win.browserPages()->currentWidget() == win.timeUpPage() && !m_timeClock->timeIsUp())
            win.browserPages()->setCurrentWidget(win.browserPage());
    });

    UserProfile *profile = &m_ctx.profile;
    // The user manager shows the active user's values: its minutes count while its box is ticked.
    m_switchClock->setUserManagerMinutes(
        [profile] { return profile->StartWisselKlok ? profile->MinWisselKlok : QString(); });
    m_strip = new SwitchStripView(*m_switchClock, w.switchClockStrip());

    // The clocks' window is built the first time a parent opens it; it reads the clocks then.
    if (LinkLabel *clocks = w.menuBarLink(QStringLiteral("Label48")))
        connect(clocks, &LinkLabel::clicked, this, [this] { clocksDialog().open(); });
}

ClocksDialog &ParentsSide::clocksDialog()
{
    if (!m_clocksDialog)
        m_clocksDialog = new ClocksDialog(*m_timeClock, *m_switchClock, &m_ctx.window);
    return *m_clocksDialog;
}

void ParentsSide::setMenuLocked(bool locked)
{
    m_parentsMenu->setLockedFromProfile(locked);
}

void ParentsSide::startTimeClock(const QString &minutes)
{
    const TimeClock::StartResult result = m_timeClock->activateForUser(true, minutes);
    if (!result.message.isEmpty())
        showMessages({result.message});
}

void ParentsSide::stopTimeClock()
{
    m_timeClock->stop();
}

void ParentsSide::startSwitchClock()
{
    m_switchClock->activateForUser(true);
}

void ParentsSide::stopSwitchClock()
{
    m_switchClock->activateForUser(false);
}

void ParentsSide::startUpFinished()
{
    if (m_ctx.window.parentsMenuOpen())
        m_parentsMenu->menuOpened();
}

} // namespace tovalin
