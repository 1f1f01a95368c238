#include "app/desktop_lock.h"

#include "app/lock_log.h"
#include "platform/key_lock.h"
#include "platform/tick_source.h"

#include <QCoreApplication>

Q_LOGGING_CATEGORY(tovalin::lcLock, "tovalin.lock", QtInfoMsg)

namespace tovalin {

LockHolder lockHolderFor(const LockSituation &situation)
{
    // The variable alone proves nothing: it must come with windows on Wayland, as cage shows them.
    if (situation.sessionVariable && situation.platform.startsWith(QLatin1String("wayland")))
        return LockHolder::TovalinSession;
    return situation.x11Connected ? LockHolder::X11Lock : LockHolder::None;
}

bool parentToBeToldFor(const LockSituation &situation)
{
    if (lockHolderFor(situation) != LockHolder::None)
        return false;
    return !situation.platform.isEmpty() && !situation.platform.startsWith(QLatin1String("offscreen")) &&
           !situation.platform.startsWith(QLatin1String("minimal"));
}

QString DesktopLock::noLockText()
{
    return QCoreApplication::translate("DesktopLock",
                                       "Tovalin cannot keep the child inside on this desktop. Log in to the \"Tovalin "
                                       "for children\" session, or to an X11 session, to lock the desktop.");
}

QString DesktopLock::inForceText(LockHolder holder)
{
    switch (holder) {
    case LockHolder::X11Lock:
        return QCoreApplication::translate("DesktopLock", "Lock in force on this desktop: the X11 lock.");
    case LockHolder::TovalinSession:
        return QCoreApplication::translate("DesktopLock", "Lock in force on this desktop: the Tovalin session.");
    case LockHolder::None:
        break;
    }
    return QCoreApplication::translate("DesktopLock",
                                       "Lock in force on this desktop: none. Log in to the \"Tovalin for children\" "
                                       "session, or to an X11 session, to lock the desktop.");
}

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

void DesktopLock::setHolder(LockHolder holder, bool tellParent)
{
    m_holder = holder;
    m_tellParent = tellParent && holder == LockHolder::None;
}

void DesktopLock::userActivated(bool nieteruit)
{
    // Never silent: a parent who asked for the lock learns that nothing here can hold it.
    if (nieteruit && m_tellParent && !m_told) {
        m_told = true;
        qCInfo(lcLock).noquote() << noLockText();
        emit parentToBeTold(noLockText());
    }
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
