#include "platform/x11_desktop_windows.h"

#include "platform/x11_connection.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

namespace tovalin {

X11DesktopWindows::X11DesktopWindows(std::shared_ptr<X11Connection> x11, QWidget *mainWindow)
    : m_x11(std::move(x11))
    , m_main(mainWindow)
{
}

bool X11DesktopWindows::windowManagerActive()
{
    // An EWMH window manager names its check window on the root and keeps _NET_ACTIVE_WINDOW.
    const auto check = m_x11->property32(m_x11->root(), m_x11->atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW);
    return check && !check->isEmpty() && check->constFirst() != XCB_WINDOW_NONE;
}

xcb_window_t X11DesktopWindows::activeWindow()
{
    if (windowManagerActive()) {
        const auto active = m_x11->property32(m_x11->root(), m_x11->atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW);
        if (active)
            return active->isEmpty() ? xcb_window_t(XCB_WINDOW_NONE) : active->constFirst();
    }
    // No window manager: the top-level window that holds the input focus.
    xcb_connection_t *c = m_x11->connection();
    xcb_get_input_focus_reply_t *focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    xcb_window_t window = focus ? focus->focus : xcb_window_t(XCB_WINDOW_NONE);
    std::free(focus);
    if (window == XCB_WINDOW_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == m_x11->root())
        return XCB_WINDOW_NONE;
    for (int depth = 0; depth < 64; ++depth) {
        xcb_query_tree_reply_t *tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr);
        if (!tree)
            return window;
        const xcb_window_t parent = tree->parent;
        std::free(tree);
        if (parent == m_x11->root() || parent == XCB_WINDOW_NONE)
            return window;
        window = parent;
    }
    return window;
}

bool X11DesktopWindows::isOwnWindow(xcb_window_t window)
{
    const QWindowList windows = QGuiApplication::allWindows();
    for (const QWindow *w : windows) {
        if (w->handle() && w->winId() == window)
            return true;
    }
    const auto pid = m_x11->property32(window, m_x11->atom("_NET_WM_PID"), XCB_ATOM_CARDINAL);
    return pid && !pid->isEmpty() && qint64(pid->constFirst()) == QCoreApplication::applicationPid();
}

ForegroundWindow X11DesktopWindows::foregroundWindow()
{
    ForegroundWindow front;
    const xcb_window_t window = activeWindow();
    if (window == XCB_WINDOW_NONE)
        return front;
    front.exists = true;
    if (isOwnWindow(window)) {
        front.ownProcess = true;
        return front;
    }
    if (const auto types = m_x11->property32(window, m_x11->atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM))
        front.dialogType = types->contains(m_x11->atom("_NET_WM_WINDOW_TYPE_DIALOG"));
    if (const auto owner = m_x11->property32(window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW)) {
        // Transient for the root (or for nothing) is the old way of saying "for the whole group".
        front.transientForOwnWindow = !owner->isEmpty() && owner->constFirst() != XCB_WINDOW_NONE
            && owner->constFirst() != m_x11->root() && owner->constFirst() != window && isOwnWindow(owner->constFirst());
    }
    if (const auto cls = m_x11->property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 1024)) {
        // "instance\0class\0"
        QList<QByteArray> parts = cls->split('\0');
        while (!parts.isEmpty() && parts.constLast().isEmpty())
            parts.removeLast();
        QStringList names;
        for (const QByteArray &p : std::as_const(parts))
            names << QString::fromLocal8Bit(p);
        front.windowClass = names.join(u' ');
    }
    return front;
}

void X11DesktopWindows::sendToRoot(xcb_window_t window, const char *message, std::initializer_list<uint32_t> data)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = m_x11->atom(message);
    int i = 0;
    for (uint32_t value : data)
        event.data.data32[i++] = value;
    xcb_send_event(m_x11->connection(), 0, m_x11->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
}

void X11DesktopWindows::takeForeground()
{
    if (!m_main || !m_main->isVisible() || !m_main->windowHandle())
        return;
    QWidget *main = m_main;
    if (main->isMinimized())
        main->setWindowState((main->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    const xcb_window_t ours = xcb_window_t(main->windowHandle()->winId());
    xcb_connection_t *c = m_x11->connection();
    if (windowManagerActive()) {
        // On another virtual desktop the window manager would only mark Tovalin as wanting
        // attention: the desktop it lies on comes back first.
        const auto current = m_x11->property32(m_x11->root(), m_x11->atom("_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL);
        const auto desktop = m_x11->property32(ours, m_x11->atom("_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL);
        constexpr uint32_t kAllDesktops = 0xFFFFFFFF;
        if (current && desktop && !current->isEmpty() && !desktop->isEmpty() && desktop->constFirst() != kAllDesktops
            && desktop->constFirst() != current->constFirst())
            sendToRoot(m_x11->root(), "_NET_CURRENT_DESKTOP", {desktop->constFirst(), XCB_CURRENT_TIME});
        // Source indication 2: a pager, on the user's behalf.
        sendToRoot(ours, "_NET_ACTIVE_WINDOW", {2, XCB_CURRENT_TIME, activeWindow()});
    } else {
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(c, ours, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, ours, XCB_CURRENT_TIME);
    }
    m_x11->flush();
    main->raise();
}

} // namespace tovalin
