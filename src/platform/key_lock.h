#pragma once
// The desktop lock's key operations: the system's key combinations for
// switching away from Tovalin, blocked or allowed one group at a time. On X11
// they are key grabs on the root window and an XKB keyboard control; in the
// Tovalin session the compositor holds them all; where no such lock exists
// (Wayland, no display) every operation reports failure.

#include <QString>
#include <QStringList>

namespace tovalin {

/// What one lock operation achieved. A combination that another program already holds (the
/// window manager owns Alt+Tab) cannot be taken: it is named in `notTaken`, the rest holds.
struct KeyLockResult {
    bool available = true; ///< false: there is no desktop lock at all here
    QStringList notTaken;  ///< combinations that stay with another program, e.g. "Alt+Tab"
    bool ok() const { return available && notTaken.isEmpty(); }
};

class KeyLock {
public:
    virtual ~KeyLock() = default;

    /// Alt+Tab and Alt+Shift+Tab blocked (true) or allowed.
    virtual KeyLockResult setNoAltTab(bool on) = 0;
    /// Ctrl+Esc blocked or allowed.
    virtual KeyLockResult setNoCtrlEsc(bool on) = 0;
    /// Both Windows (Super) keys, alone and with any other key, blocked or allowed.
    virtual KeyLockResult setNoWinkeys(bool on) = 0;
    /// The keyboard shortcuts that switch on sticky and slow keys off (true), or back as they were.
    virtual KeyLockResult setNoAccessibilityShortcuts(bool on) = 0;
    /// Lifts every block this lock holds and restores every keyboard control it changed.
    virtual void releaseAll() = 0;
    /// False where the platform has no desktop lock (the operations then do nothing).
    virtual bool available() const = 0;
};

} // namespace tovalin

namespace tovalin {

/// The lock where the desktop has none (Wayland, no X display, the offscreen platform):
/// every operation reports itself unavailable and does nothing.
class UnavailableKeyLock final : public KeyLock {
public:
    KeyLockResult setNoAltTab(bool) override { return none(); }
    KeyLockResult setNoCtrlEsc(bool) override { return none(); }
    KeyLockResult setNoWinkeys(bool) override { return none(); }
    KeyLockResult setNoAccessibilityShortcuts(bool) override { return none(); }
    void releaseAll() override {}
    bool available() const override { return false; }

private:
    static KeyLockResult none()
    {
        KeyLockResult r;
        r.available = false;
        return r;
    }
};

/// The lock in the Tovalin session: the kiosk compositor shows nothing but Tovalin and switches
/// to no text console, so no combination leads anywhere; each counts as blocked, nothing to do.
class SessionKeyLock final : public KeyLock {
public:
    KeyLockResult setNoAltTab(bool) override { return {}; }
    KeyLockResult setNoCtrlEsc(bool) override { return {}; }
    KeyLockResult setNoWinkeys(bool) override { return {}; }
    KeyLockResult setNoAccessibilityShortcuts(bool) override { return {}; }
    void releaseAll() override {}
    bool available() const override { return true; }
};

} // namespace tovalin
