#pragma once
// The desktop lock on X11: passive key grabs on the root window for the
// switching combinations (each with the Num Lock and Caps Lock variants of its
// modifiers), and the XKB control AccessXKeys (the Shift-key shortcuts that
// toggle sticky and slow keys) switched off.
//
// A combination the window manager already grabbed cannot be taken (the X
// server answers BadAccess); it is reported, the rest of the lock holds. The
// keyboard control is set to come back by itself when the connection ends, so
// even a crash does not leave the keyboard changed.

#include "platform/key_lock.h"

#include <QList>
#include <memory>

#include <xcb/xcb.h>

namespace tovalin {

class X11Connection;

class X11KeyLock final : public KeyLock {
public:
    explicit X11KeyLock(std::shared_ptr<X11Connection> x11);
    ~X11KeyLock() override;

    KeyLockResult setNoAltTab(bool on) override;
    KeyLockResult setNoCtrlEsc(bool on) override;
    KeyLockResult setNoWinkeys(bool on) override;
    KeyLockResult setNoAccessibilityShortcuts(bool on) override;
    void releaseAll() override;
    bool available() const override { return true; }

private:
    enum Group { AltTab, CtrlEsc, Winkeys, GroupCount };
    struct Grab {
        xcb_keycode_t key;
        uint16_t modifiers;
    };
    /// One combination: a key by its keysym with one modifier set (named for the log).
    struct Combination {
        uint32_t keysym;
        uint16_t modifiers; ///< XCB_MOD_MASK_ANY: with any modifiers
        const char *name;
    };

    KeyLockResult setGroup(Group group, bool on);
    QList<Combination> combinations(Group group) const;
    void ungroup(Group group);
    void readKeyboard();
    QList<xcb_keycode_t> keycodes(uint32_t keysym) const;
    bool useXkb();

    std::shared_ptr<X11Connection> m_x11;
    QList<Grab> m_held[GroupCount];
    // The keyboard as read at the last lock.
    xcb_keycode_t m_minKeycode = 0;
    int m_symsPerCode = 0;
    QList<uint32_t> m_keysyms;
    uint16_t m_altMask = XCB_MOD_MASK_1;
    uint16_t m_numLockMask = XCB_MOD_MASK_2;
    // AccessXKeys as found before the lock switched it off.
    bool m_accessXChanged = false;
    bool m_accessXWasOn = false;
    int m_xkb = -1; ///< -1 not asked, 0 missing, 1 usable
};

} // namespace tovalin
