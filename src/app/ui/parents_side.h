#pragma once
// The parents' controls, assembled and wired to the main window: the menu
// lock and its dialogs, the list commands and the accept window, the quick
// menu, the start-page command, and both clocks with the clocks dialog.

#include "parents/ui/quick_menu_window.h"

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace tovalin {

class AcceptListModel;
class AcceptWindow;
class BlockAccept;
class Browser;
class ClocksDialog;
class MainWindow;
class MenuLock;
class NavigationGuard;
class NavigationModel;
class ParentsMenu;
class ProgramState;
class QuickMenuModel;
class SiteCommands;
class SiteLists;
class SoundPlayer;
class SwitchClock;
class SwitchStripView;
class TickSource;
class TimeClock;
struct UserProfile;

class ParentsSide : public QObject {
    Q_OBJECT
public:
    struct Context {
        ProgramState &state;
        UserProfile &profile;
        SiteLists &lists;
        NavigationModel &nav;
        NavigationGuard &guard;
        Browser &browser;
        MainWindow &window;
        SoundPlayer &sound;
        /// The clocks' ticks; null: real timers.
        TickSource *timeClockTicks = nullptr;
        TickSource *switchClockTicks = nullptr;
    };

    explicit ParentsSide(Context context, QObject *parent = nullptr);
    ~ParentsSide() override;

    // User activation.
    void setMenuLocked(bool locked);
    void startTimeClock(const QString &minutes);
    void stopTimeClock();
    void startSwitchClock();
    void stopSwitchClock();
    /// After start-up: an open parents' menu enables the update timer.
    void startUpFinished();

    MenuLock &menuLock() { return *m_menuLock; }
    ParentsMenu &parentsMenu() { return *m_parentsMenu; }
    BlockAccept &blockAccept() { return *m_blockAccept; }
    AcceptWindow &acceptWindow() { return *m_acceptWindow; }
    SiteCommands &siteCommands() { return *m_siteCommands; }
    QuickMenuModel &quickMenuModel() { return *m_quickModel; }
    /// The quick menu, built the first time it is asked for.
    QuickMenuWindow &quickMenu();
    /// Shows a quick-menu entry that opens a window made elsewhere, now or once the menu is built.
    void setQuickMenuEntry(QuickMenuWindow::WindowEntry entry, std::function<void()> open);
    TimeClock &timeClock() { return *m_timeClock; }
    SwitchClock &switchClock() { return *m_switchClock; }
    /// Built the first time it is asked for.
    ClocksDialog &clocksDialog();
    SwitchStripView &switchStrip() { return *m_strip; }

private:
    class UpdateTimer;

    void wireMenu();
    void wireLists();
    void wireQuickMenu();
    void wireClocks();
    void showMessages(const QStringList &messages);

    Context m_ctx;
    std::unique_ptr<TickSource> m_ownTimeTicks;
    std::unique_ptr<TickSource> m_ownSwitchTicks;
    std::unique_ptr<UpdateTimer> m_updateTimer;
    std::unique_ptr<MenuLock> m_menuLock;
    std::unique_ptr<ParentsMenu> m_parentsMenu;
    std::unique_ptr<BlockAccept> m_blockAccept;
    std::unique_ptr<AcceptListModel> m_acceptList;
    std::unique_ptr<QuickMenuModel> m_quickModel;
    std::unique_ptr<TimeClock> m_timeClock;
    std::unique_ptr<SwitchClock> m_switchClock;
    // Windows: children of the main window, deleted with it.
    AcceptWindow *m_acceptWindow = nullptr;
    SiteCommands *m_siteCommands = nullptr;
    QuickMenuWindow *m_quickMenu = nullptr;
    ClocksDialog *m_clocksDialog = nullptr;
    SwitchStripView *m_strip = nullptr;
    std::vector<std::pair<QuickMenuWindow::WindowEntry, std::function<void()>>> m_quickMenuEntries;
};

} // namespace tovalin
