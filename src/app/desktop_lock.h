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

#include <QObject>
#include <QSet>

namespace tovalin {

class KeyLock;
class TickSource;

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

    bool locked() const { return m_locked; }
    bool parentsMenuOpen() const { return m_menuOpen; }

    static constexpr int kGuardIntervalMs = 1000;

signals:
    void lockChanged(bool locked);

private:
    void logNotTaken(const QStringList &combinations);

    KeyLock &m_keys;
    TickSource &m_timer;
    bool m_locked = false;
    bool m_menuOpen = false;
    QSet<QString> m_loggedNotTaken;
};

} // namespace tovalin
