#pragma once
// The foreign-window guard's view of the desktop: which window has the
// foreground, what kind of window it is, and taking the foreground back for
// Tovalin's main window. On X11: _NET_ACTIVE_WINDOW, _NET_WM_PID, WM_CLASS,
// _NET_WM_WINDOW_TYPE and WM_TRANSIENT_FOR.

#include <QString>
#include <optional>

namespace tovalin {

/// The window in front, as far as it could be read.
struct ForegroundWindow {
    bool exists = false;          ///< false: no window has the focus (the desktop itself, or it vanished)
    bool ownProcess = false;      ///< one of Tovalin's own windows (main window, dialogs, message boxes)
    bool dialogType = false;      ///< typed as a dialog box (_NET_WM_WINDOW_TYPE_DIALOG)
    bool transientForOwnWindow = false; ///< transient for one of Tovalin's windows (a dialog over Tovalin)
    /// WM_CLASS: the instance and the class name separated by a blank; nullopt when unreadable.
    std::optional<QString> windowClass;
};

class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;

    /// The window that has the foreground now.
    virtual ForegroundWindow foregroundWindow() = 0;
    /// Activates and raises Tovalin's main window, without moving the mouse pointer.
    virtual void takeForeground() = 0;
};

} // namespace tovalin
