#include "app/desktop_lock.h"

#include "app/lock_log.h"
#include "platform/key_lock.h"
#include "platform/tick_source.h"

Q_LOGGING_CATEGORY(tovalin::lcLock, "tovalin.lock", QtInfoMsg)

namespace tovalin {

DesktopLock::DesktopLock(KeyLock &keys, TickSource &guardTimer, QObject *parent)
    : QObject(parent)
    , m_keys(keys)
    , m_timer(guardTimer)
{
}

void DesktopLock::logNotTaken(const QStringList &combinations)
{
    for (const QString &c : combinations) {
        // Each combination once per run: the lock is applied again at every menu close.
        if (m_loggedNotTaken.contains(c))
            continue;
        m_loggedNotTaken.insert(c);
        qCInfo(lcLock) << c << "is held by another program (the window manager); it stays usable, and the"
                       << "foreign-window guard takes the foreground back from whatever it brings up";
    }
}

void DesktopLock::Lock()
{
    QStringList notTaken;
    notTaken << m_keys.setNoAltTab(true).notTaken;
    notTaken << m_keys.setNoAccessibilityShortcuts(true).notTaken;
    notTaken << m_keys.setNoWinkeys(true).notTaken;
    notTaken << m_keys.setNoCtrlEsc(true).notTaken;
    logNotTaken(notTaken);
    m_timer.start(kGuardIntervalMs);
    const bool was = m_locked;
    m_locked = true;
    if (!was)
        emit lockChanged(true);
}

void DesktopLock::Release()
{
    m_keys.releaseAll();
    m_timer.stop();
    const bool was = m_locked;
    m_locked = false;
    if (was)
        emit lockChanged(false);
}

void DesktopLock::userActivated(bool nieteruit)
{
    // A parent who activates a user from the open menu is still at work; the
    // child's lock follows when the menu closes.
    if (nieteruit && !m_menuOpen)
        Lock();
    else
        Release();
}

void DesktopLock::parentsMenuOpened()
{
    m_menuOpen = true;
    Release();
}

void DesktopLock::parentsMenuClosed(bool nieteruit)
{
    m_menuOpen = false;
    if (nieteruit)
        Lock();
    else
        Release();
}

void DesktopLock::programEnding()
{
    Release();
}

} // namespace tovalin
