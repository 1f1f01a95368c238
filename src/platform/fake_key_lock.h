#pragma once
// A desktop lock that records the operations it is asked for, for logic tests.

#include "platform/key_lock.h"

#include <QStringList>

namespace tovalin {

class FakeKeyLock final : public KeyLock {
public:
    /// Every operation in order: "noAltTab 1", "noCtrlEsc 0", ..., "releaseAll".
    QStringList calls;
    /// Combinations that "another program" holds: reported as not taken when blocked.
    QStringList heldElsewhere;
    bool isAvailable = true;

    KeyLockResult setNoAltTab(bool on) override { return record(QStringLiteral("noAltTab"), on, QStringLiteral("Alt+Tab")); }
    KeyLockResult setNoCtrlEsc(bool on) override { return record(QStringLiteral("noCtrlEsc"), on, QStringLiteral("Ctrl+Esc")); }
    KeyLockResult setNoWinkeys(bool on) override { return record(QStringLiteral("noWinkeys"), on, QStringLiteral("Super")); }
    KeyLockResult setNoAccessibilityShortcuts(bool on) override
    {
        return record(QStringLiteral("noAccessibilityShortcuts"), on, QStringLiteral("AccessX"));
    }
    void releaseAll() override { calls << QStringLiteral("releaseAll"); }
    bool available() const override { return isAvailable; }

private:
    KeyLockResult record(const QString &op, bool on, const QString &combination)
    {
        calls << op + (on ? QStringLiteral(" 1") : QStringLiteral(" 0"));
        KeyLockResult r;
        r.available = isAvailable;
        if (on && heldElsewhere.contains(combination))
            r.notTaken << combination;
        return r;
    }
};

} // namespace tovalin
