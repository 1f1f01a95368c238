#include "platform/x11_connection.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>

namespace tovalin {

std::shared_ptr<X11Connection> X11Connection::open(QString *whyNot)
{
    auto fail = [whyNot](const QString &reason) {
        if (whyNot)
            *whyNot = reason;
        return std::shared_ptr<X11Connection>();
    };
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return fail(QStringLiteral("the windows are not shown on X11 (platform \"%1\")").arg(QGuiApplication::platformName()));
    // Under Wayland an X connection reaches only the X programs of the session, not the desktop.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        return fail(QStringLiteral("this is a Wayland session"));
    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (!c || xcb_connection_has_error(c)) {
        if (c)
            xcb_disconnect(c);
        return fail(QStringLiteral("the X display cannot be reached"));
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && it.rem; ++i)
        xcb_screen_next(&it);
    if (!it.rem) {
        xcb_disconnect(c);
        return fail(QStringLiteral("the X display has no screen"));
    }
    return std::shared_ptr<X11Connection>(new X11Connection(c, it.data->root));
}

X11Connection::X11Connection(xcb_connection_t *c, xcb_window_t root) : m_c(c), m_root(root)
{
    // Grabbed keys and errors of unchecked requests arrive as events; nobody needs them.
    m_notifier = new QSocketNotifier(xcb_get_file_descriptor(m_c), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &X11Connection::drainEvents);
}

X11Connection::~X11Connection()
{
    delete m_notifier;
    xcb_disconnect(m_c);
}

void X11Connection::drainEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_c))
        std::free(event);
}

void X11Connection::flush()
{
    xcb_flush(m_c);
}

xcb_atom_t X11Connection::atom(const char *name)
{
    const QByteArray key(name);
    const auto found = m_atoms.constFind(key);
    if (found != m_atoms.constEnd())
        return *found;
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(key.size()), key.constData()), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (a != XCB_ATOM_NONE)
        m_atoms.insert(key, a);
    return a;
}

std::optional<QByteArray> X11Connection::property(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                                                  uint32_t maxBytes)
{
    if (window == XCB_WINDOW_NONE || property == XCB_ATOM_NONE)
        return std::nullopt;
    xcb_generic_error_t *error = nullptr;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        m_c, xcb_get_property(m_c, 0, window, property, type, 0, (maxBytes + 3) / 4), &error);
    std::free(error);
    if (!reply)
        return std::nullopt;
    std::optional<QByteArray> value;
    if (reply->type != XCB_ATOM_NONE && (type == XCB_ATOM_ANY || reply->type == type)) {
        const int length = xcb_get_property_value_length(reply);
        value = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)), length);
    }
    std::free(reply);
    return value;
}

std::optional<QList<uint32_t>> X11Connection::property32(xcb_window_t window, xcb_atom_t prop, xcb_atom_t type)
{
    const std::optional<QByteArray> bytes = property(window, prop, type);
    if (!bytes)
        return std::nullopt;
    QList<uint32_t> values;
    const auto *data = reinterpret_cast<const uint32_t *>(bytes->constData());
    for (qsizetype i = 0; i < bytes->size() / qsizetype(sizeof(uint32_t)); ++i)
        values << data[i];
    return values;
}

} // namespace tovalin
