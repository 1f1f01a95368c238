#pragma once
// The desktop lock that keeps a child inside Tovalin, and when it holds.
//
// Lock: Alt+Tab, the accessibility shortcuts, the Windows keys and Ctrl+Esc
// blocked (in that order) and the foreign-window guard's timer `Timer1`
// running. Release: every block lifted and the timer stopped.
//
// The lock follows the active user's `Nieteruit` at each activation, is
// released while the parents' menu is open (opening or unlocking it), and
// follows `Nieteruit` again when the menu closes.
//
// What holds the desktop depends on the session: Tovalin's own X11 lock, the
// Tovalin session (nothing else on the screen), or nothing at all (a Wayland
// desktop), in which case the parent is told once when a locked user becomes
// active.

#include <QObject>
#include <QSet>

namespace tovalin {

class KeyLock;
class TickSource;

/// What keeps the child inside on this desktop.
enum class LockHolder {
    X11Lock,        ///< Tovalin's key grabs and foreign-window guard: an X11 session
    TovalinSession, ///< the Tovalin session: cage shows Tovalin and nothing else
    None,           ///< nothing can: a Wayland desktop, or no desktop at all
};

/// Where this Tovalin shows its windows.
struct LockSituation {
    QString platform;            ///< Qt's platform: "xcb", "wayland", "offscreen", ...
    bool sessionVariable = false; ///< tovalin-session started this process
    bool x11Connected = false;   ///< the lock's own X11 connection opened
};

/// The session holds the desktop only where the windows show on Wayland; the X11 lock where its
/// connection opened (never under Wayland, where X11 reaches only the X programs).
LockHolder lockHolderFor(const LockSituation &situation);
/// A parent is told when nothing holds a desktop that a person sees (not the offscreen platform).
bool parentToBeToldFor(const LockSituation &situation);

class DesktopLock : public QObject {
    Q_OBJECT
public:
    /// guardTimer is `Timer1`; it runs at 1000 ms while the lock holds.
    DesktopLock(KeyLock &keys, TickSource &guardTimer, QObject *parent = nullptr);

    /// The key lock on: noAltTab, noAccessibilityShortcuts, noWinkeys, noCtrlEsc, then `Timer1`.
    void Lock();
    /// The key lock off: release all, then `Timer1` stopped.
    void Release();

    /// A user became active: locks when `nieteruit` is on and the parents' menu is closed
    /// (with the menu open the lock waits for it to close), releases otherwise.
    void userActivated(bool nieteruit);
    /// The parents' menu has opened, or unlocking opened it: released.
    void parentsMenuOpened();
    /// The parents' menu has closed: locked again when `nieteruit` is on, released otherwise.
    void parentsMenuClosed(bool nieteruit);
    /// The program ends in an orderly way: nothing of the lock may outlive it.
    void programEnding();

    /// What holds the desktop here; tellParent: the parent is told, once per run, when a user
    /// with `Nieteruit` on becomes active and nothing holds it.
    void setHolder(LockHolder holder, bool tellParent);
    LockHolder holder() const { return m_holder; }

    /// The Security page's line: which lock is in force on this desktop.
    static QString inForceText(LockHolder holder);
    /// What the parent is told where nothing holds the desktop.
    static QString noLockText();

    bool locked() const { return m_locked; }
    bool parentsMenuOpen() const { return m_menuOpen; }

    static constexpr int kGuardIntervalMs = 1000;

signals:
    void lockChanged(bool locked);
    /// A user with `Nieteruit` on became active where nothing holds the desktop (once per run).
    void parentToBeTold(const QString &text);

private:
    void logNotTaken(const QStringList &combinations);

    KeyLock &m_keys;
    TickSource &m_timer;
    bool m_locked = false;
    bool m_menuOpen = false;
    QSet<QString> m_loggedNotTaken;
    LockHolder m_holder = LockHolder::X11Lock;
    bool m_tellParent = false;
    bool m_told = false;
};

} // namespace tovalin
