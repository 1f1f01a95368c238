#include "platform/x11_key_lock.h"

#include "platform/x11_connection.h"

#include <cstdlib>
// xkb.h names a field "explicit", which C++ reserves.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace tovalin {

namespace {

constexpr uint32_t kTab = 0xff09;
constexpr uint32_t kEscape = 0xff1b;
constexpr uint32_t kSuperL = 0xffeb;
constexpr uint32_t kSuperR = 0xffec;
constexpr uint32_t kNumLock = 0xff7f;
constexpr uint32_t kAltL = 0xffe9;
constexpr uint32_t kAltR = 0xffea;
constexpr uint32_t kMetaL = 0xffe7;

} // namespace

X11KeyLock::X11KeyLock(std::shared_ptr<X11Connection> x11) : m_x11(std::move(x11)) {}

X11KeyLock::~X11KeyLock()
{
    releaseAll();
}

void X11KeyLock::readKeyboard()
{
    xcb_connection_t *c = m_x11->connection();
    const xcb_setup_t *setup = xcb_get_setup(c);
    m_minKeycode = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    m_keysyms.clear();
    m_symsPerCode = 0;
    if (xcb_get_keyboard_mapping_reply_t *map =
            xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, uint8_t(count)), nullptr)) {
        m_symsPerCode = map->keysyms_per_keycode;
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
        const int n = xcb_get_keyboard_mapping_keysyms_length(map);
        m_keysyms.reserve(n);
        for (int i = 0; i < n; ++i)
            m_keysyms << syms[i];
        std::free(map);
    }
    // Which modifier bits Alt and Num Lock sit on (usually Mod1 and Mod2).
    if (xcb_get_modifier_mapping_reply_t *mods =
            xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr)) {
        const xcb_keycode_t *codes = xcb_get_modifier_mapping_keycodes(mods);
        const int perMod = mods->keycodes_per_modifier;
        const QList<xcb_keycode_t> numLock = keycodes(kNumLock);
        const QList<xcb_keycode_t> alt = keycodes(kAltL) + keycodes(kAltR) + keycodes(kMetaL);
        for (int mod = 3; mod < 8; ++mod) { // Mod1 .. Mod5
            for (int i = 0; i < perMod; ++i) {
                const xcb_keycode_t code = codes[mod * perMod + i];
                if (code == 0)
                    continue;
                if (numLock.contains(code))
                    m_numLockMask = uint16_t(1u << mod);
                if (alt.contains(code))
                    m_altMask = uint16_t(1u << mod);
            }
        }
        std::free(mods);
    }
}

QList<xcb_keycode_t> X11KeyLock::keycodes(uint32_t keysym) const
{
    QList<xcb_keycode_t> codes;
    if (m_symsPerCode <= 0)
        return codes;
    for (qsizetype i = 0; i < m_keysyms.size(); ++i) {
        if (m_keysyms.at(i) == keysym) {
            const auto code = xcb_keycode_t(m_minKeycode + i / m_symsPerCode);
            if (!codes.contains(code))
                codes << code;
        }
    }
    return codes;
}

QList<X11KeyLock::Combination> X11KeyLock::combinations(Group group) const
{
    switch (group) {
    case AltTab:
        return {{kTab, m_altMask, "Alt+Tab"}, {kTab, uint16_t(m_altMask | XCB_MOD_MASK_SHIFT), "Alt+Shift+Tab"}};
    case CtrlEsc:
        return {{kEscape, XCB_MOD_MASK_CONTROL, "Ctrl+Esc"}};
    case Winkeys:
        // A pressed Super key holds the whole keyboard until it is released, so the keys
        // pressed with it reach Tovalin too, never the desktop's Super shortcuts.
        return {{kSuperL, XCB_MOD_MASK_ANY, "Super_L"}, {kSuperR, XCB_MOD_MASK_ANY, "Super_R"}};
    case GroupCount:
        break;
    }
    return {};
}

KeyLockResult X11KeyLock::setGroup(Group group, bool on)
{
    KeyLockResult result;
    if (!on) {
        ungroup(group);
        return result;
    }
    if (!m_held[group].isEmpty())
        return result; // held already
    readKeyboard();
    xcb_connection_t *c = m_x11->connection();
    const uint16_t lockVariants[] = {0, XCB_MOD_MASK_LOCK, m_numLockMask, uint16_t(XCB_MOD_MASK_LOCK | m_numLockMask)};
    for (const Combination &combo : combinations(group)) {
        bool taken = true;
        const QList<xcb_keycode_t> codes = keycodes(combo.keysym);
        for (xcb_keycode_t code : codes) {
            QList<uint16_t> variants;
            if (combo.modifiers == XCB_MOD_MASK_ANY)
                variants << XCB_MOD_MASK_ANY;
            else
                for (uint16_t v : lockVariants)
                    if (!variants.contains(uint16_t(combo.modifiers | v)))
                        variants << uint16_t(combo.modifiers | v);
            QList<xcb_void_cookie_t> cookies;
            for (uint16_t mods : variants)
                cookies << xcb_grab_key_checked(c, 1, m_x11->root(), mods, code, XCB_GRAB_MODE_ASYNC,
                                                XCB_GRAB_MODE_ASYNC);
            for (qsizetype i = 0; i < cookies.size(); ++i) {
                if (xcb_generic_error_t *error = xcb_request_check(c, cookies.at(i))) {
                    std::free(error);
                    taken = false;
                } else {
                    m_held[group] << Grab{code, variants.at(i)};
                }
            }
        }
        if (!taken || codes.isEmpty())
            result.notTaken << QLatin1String(combo.name);
    }
    m_x11->flush();
    return result;
}

void X11KeyLock::ungroup(Group group)
{
    if (m_held[group].isEmpty())
        return;
    xcb_connection_t *c = m_x11->connection();
    for (const Grab &g : std::as_const(m_held[group]))
        xcb_ungrab_key(c, g.key, m_x11->root(), g.modifiers);
    m_held[group].clear();
    m_x11->flush();
}

KeyLockResult X11KeyLock::setNoAltTab(bool on)
{
    return setGroup(AltTab, on);
}

KeyLockResult X11KeyLock::setNoCtrlEsc(bool on)
{
    return setGroup(CtrlEsc, on);
}

KeyLockResult X11KeyLock::setNoWinkeys(bool on)
{
    return setGroup(Winkeys, on);
}

bool X11KeyLock::useXkb()
{
    if (m_xkb < 0) {
        xcb_connection_t *c = m_x11->connection();
        xcb_xkb_use_extension_reply_t *reply = xcb_xkb_use_extension_reply(
            c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
        m_xkb = (reply && reply->supported) ? 1 : 0;
        std::free(reply);
    }
    return m_xkb == 1;
}

KeyLockResult X11KeyLock::setNoAccessibilityShortcuts(bool on)
{
    KeyLockResult result;
    if (!useXkb()) {
        if (on)
            result.notTaken << QStringLiteral("AccessX shortcuts (no XKB)");
        return result;
    }
    xcb_connection_t *c = m_x11->connection();
    const uint32_t bit = XCB_XKB_BOOL_CTRL_ACCESS_X_KEYS;
    auto setEnabled = [c, bit](bool enabled) {
        // Only the enabled controls change; the request still carries every field.
        const uint8_t perKeyRepeat[32] = {};
        xcb_xkb_set_controls(c, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, bit, enabled ? bit : 0,
                             XCB_XKB_CONTROL_CONTROLS_ENABLED, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, perKeyRepeat);
    };
    if (on) {
        if (m_accessXChanged)
            return result;
        xcb_xkb_get_controls_reply_t *controls =
            xcb_xkb_get_controls_reply(c, xcb_xkb_get_controls(c, XCB_XKB_ID_USE_CORE_KBD), nullptr);
        if (!controls) {
            result.notTaken << QStringLiteral("AccessX shortcuts");
            return result;
        }
        m_accessXWasOn = (controls->enabledControls & bit) != 0;
        std::free(controls);
        // Should Tovalin end without restoring it, the server puts it back when this
        // connection closes.
        std::free(xcb_xkb_per_client_flags_reply(
            c,
            xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_AUTO_RESET_CONTROLS,
                                     XCB_XKB_PER_CLIENT_FLAG_AUTO_RESET_CONTROLS, bit, bit,
                                     m_accessXWasOn ? bit : 0),
            nullptr));
        setEnabled(false);
        m_accessXChanged = true;
    } else {
        if (!m_accessXChanged)
            return result;
        setEnabled(m_accessXWasOn);
        std::free(xcb_xkb_per_client_flags_reply(
            c,
            xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_PER_CLIENT_FLAG_AUTO_RESET_CONTROLS,
                                     XCB_XKB_PER_CLIENT_FLAG_AUTO_RESET_CONTROLS, bit, 0, 0),
            nullptr));
        m_accessXChanged = false;
    }
    m_x11->flush();
    return result;
}

void X11KeyLock::releaseAll()
{
    for (int g = 0; g < GroupCount; ++g)
        ungroup(Group(g));
    setNoAccessibilityShortcuts(false);
}

} // namespace tovalin
