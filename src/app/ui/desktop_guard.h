#pragma once
// The desktop lock, the foreign-window guard and the restart watchdog,
// assembled on the platform's layers and wired to the main window: activation
// switches them, the parents' menu suspends the lock while it is open, and an
// orderly end of the program undoes all of it. In the Tovalin session the
// session holds the desktop and its launcher restarts Tovalin; where nothing
// can hold it, the parent is told.

#include "app/desktop_lock.h"
#include "app/media_players.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>

namespace tovalin {

class AutoRestart;
class DesktopLock;
class DesktopWindows;
class ForeignWindowGuard;
class KeyLock;
class MainWindow;
class ProgramState;
class RestartWatchdog;
class TickSource;
class X11Connection;
struct UserProfile;

class DesktopGuard : public QObject {
    Q_OBJECT
public:
    /// The real layers: the Tovalin session where tovalin-session started Tovalin on Wayland, X11
    /// where the windows show on X11 (else the lock reports itself unavailable once in the log),
    /// and `tovalin-watchdog` from the program folder (in the session: the session's launcher).
    /// playersDelayMs: how long after the start the desktop's default players are asked for.
    DesktopGuard(ProgramState &state, UserProfile &profile, MainWindow &window, int playersDelayMs,
                 QObject *parent = nullptr);
    ~DesktopGuard() override;

    /// ActivateUser's key lock step: `Nieteruit` on locks, off releases.
    void setKeyLock(bool on);
    /// SetAutoRestart: shows "Automatic restart not available!" when there is no watchdog program.
    /// In the Tovalin session Tovalin always comes back: the session has nothing else to show.
    void setAutoRestart(bool on);
    /// The account's administrator groups: the first time the parents' menu opens, the parent is
    /// told that a child with these rights can switch Tovalin off. Empty: nothing is said.
    void setAdministratorGroups(const QStringList &groups);
    /// The program ends in an orderly way: the watchdog is stopped, the lock released. Once only.
    void programEnding();

    DesktopLock &lock() { return *m_lock; }
    LockHolder holder() const { return m_holder; }
    ForeignWindowGuard &guard() { return *m_guard; }
    AutoRestart &autoRestart() { return *m_restart; }

private:
    /// A warning box over the main window that leaves the window usable.
    void tellParent(const QString &objectName, const QString &text);
    void queryDesktopPlayers();
    void queryNextDesktopPlayer();

    UserProfile &m_profile;
    MainWindow &m_window;
    std::shared_ptr<X11Connection> m_x11;
    std::unique_ptr<TickSource> m_ticks;
    std::unique_ptr<KeyLock> m_keys;
    std::unique_ptr<DesktopWindows> m_windows;
    std::unique_ptr<RestartWatchdog> m_watchdog;
    std::unique_ptr<DesktopLock> m_lock;
    std::unique_ptr<ForeignWindowGuard> m_guard;
    std::unique_ptr<AutoRestart> m_restart;
    bool m_ended = false;
    LockHolder m_holder = LockHolder::None;
    QStringList m_adminGroups;
    QString m_xdgMime;
    /// The MIME types still to ask the desktop about, with the kind of player each names.
    QList<std::pair<PlayerKind, QString>> m_playerQueries;
};

} // namespace tovalin
