#include "app/foreign_window_guard.h"

#include "app/lock_log.h"
#include "platform/desktop_windows.h"
#include "platform/tick_source.h"
#include "users/user_profile.h"

namespace tovalin {

ForegroundVerdict judgeForeground(const ForegroundWindow &window, const UserProfile &profile,
                                  const MediaPlayers &players)
{
    if (window.exists && window.ownProcess)
        return ForegroundVerdict::OwnWindow;
    // No window in front (the bare desktop has the focus) counts like a window nobody may keep.
    if (!window.exists)
        return ForegroundVerdict::TakeBack;
    // A window typed as a dialog, or one over Tovalin's own window, is a dialog box; one that is
    // only transient for another program's window is that program's, and gives way like it.
    if (window.dialogType || window.transientForOwnWindow)
        return ForegroundVerdict::Dialog;
    // A class that cannot be read is empty: no player's name is in it.
    if (window.windowClass && players.allowedFor(profile, *window.windowClass))
        return ForegroundVerdict::AllowedPlayer;
    return ForegroundVerdict::TakeBack;
}

ForeignWindowGuard::ForeignWindowGuard(DesktopWindows &windows, const UserProfile &profile, MediaPlayers players,
                                       TickSource &timer, QObject *parent)
    : QObject(parent)
    , m_windows(windows)
    , m_profile(profile)
    , m_players(std::move(players))
{
    connect(&timer, &TickSource::ticked, this, &ForeignWindowGuard::Timer1Timer);
}

ForegroundVerdict ForeignWindowGuard::Timer1Timer()
{
    const ForegroundWindow front = m_windows.foregroundWindow();
    const ForegroundVerdict verdict = judgeForeground(front, m_profile, m_players);
    if (verdict == ForegroundVerdict::TakeBack) {
        const QString cls = front.windowClass.value_or(QString());
        qCDebug(lcLock) << "taking the foreground back from" << (front.exists ? cls : QStringLiteral("(no window)"));
        m_windows.takeForeground();
        emit foregroundTakenBack(cls);
    }
    return verdict;
}

} // namespace tovalin
