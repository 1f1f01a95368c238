#pragma once
// The foreign-window guard's desktop on X11: the window in front is
// _NET_ACTIVE_WINDOW (the input focus where no window manager keeps it), and
// the foreground is taken back with a _NET_ACTIVE_WINDOW request for the main
// window (source indication 2, as a pager asks, which window managers honour
// without focus-stealing checks) and a raise. The pointer is never moved.

#include "platform/desktop_windows.h"

#include <QPointer>
#include <initializer_list>
#include <memory>

#include <xcb/xcb.h>

class QWidget;

namespace tovalin {

class X11Connection;

class X11DesktopWindows final : public DesktopWindows {
public:
    X11DesktopWindows(std::shared_ptr<X11Connection> x11, QWidget *mainWindow);

    ForegroundWindow foregroundWindow() override;
    void takeForeground() override;

    /// The window in front: the active window, or the top-level window with the input focus.
    /// XCB_WINDOW_NONE when there is none.
    xcb_window_t activeWindow();

private:
    bool isOwnWindow(xcb_window_t window);
    bool windowManagerActive();
    /// A client message of the window manager's protocol about window, sent to the root window.
    void sendToRoot(xcb_window_t window, const char *message, std::initializer_list<uint32_t> data);

    std::shared_ptr<X11Connection> m_x11;
    QPointer<QWidget> m_main;
};

} // namespace tovalin
