#pragma once
// A connection of the desktop lock's own to the X display that Qt shows its
// windows on. Key grabs and keyboard controls belong to the connection that
// made them, so they end with it: when the program ends in any way, the X
// server drops them.

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <memory>
#include <optional>

#include <xcb/xcb.h>

class QSocketNotifier;

namespace tovalin {

class X11Connection : public QObject {
    Q_OBJECT
public:
    /// Opens the connection; nullptr where the program does not show on an X11 desktop (a Wayland
    /// session, the offscreen platform, no display). whyNot then says why.
    static std::shared_ptr<X11Connection> open(QString *whyNot = nullptr);
    ~X11Connection() override;

    xcb_connection_t *connection() const { return m_c; }
    xcb_window_t root() const { return m_root; }

    /// The atom of a name (interned once).
    xcb_atom_t atom(const char *name);
    /// A window's property as raw bytes; nullopt when the window or the property is missing.
    std::optional<QByteArray> property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                       uint32_t maxBytes = 4096);
    /// A property of 32-bit values (WINDOW, CARDINAL, ATOM lists).
    std::optional<QList<uint32_t>> property32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type);

    void flush();

private:
    X11Connection(xcb_connection_t *c, xcb_window_t root);
    void drainEvents();

    xcb_connection_t *m_c = nullptr;
    xcb_window_t m_root = 0;
    QHash<QByteArray, xcb_atom_t> m_atoms;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tovalin
