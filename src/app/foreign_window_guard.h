#pragma once
// The foreign-window guard `Timer1Timer`: once a second while the desktop
// lock holds, a window of another program that has come to the front loses
// the foreground to Tovalin's main window. Tovalin's own windows, dialog boxes
// and the media players the user may use stay in front.

#include "app/media_players.h"

#include <QObject>

namespace tovalin {

class DesktopWindows;
class TickSource;
struct ForegroundWindow;
struct UserProfile;

enum class ForegroundVerdict {
    OwnWindow,     ///< one of Tovalin's windows: nothing to do
    Dialog,        ///< a dialog box of another program: it may stay
    AllowedPlayer, ///< a media player the user's settings allow: it may stay
    TakeBack,      ///< anything else, an unreadable window and no window at all
};

/// The guard's decision for the window in front, with the active user's settings.
ForegroundVerdict judgeForeground(const ForegroundWindow &window, const UserProfile &profile,
                                  const MediaPlayers &players);

class ForeignWindowGuard : public QObject {
    Q_OBJECT
public:
    /// Ticks of `timer` (Timer1) run the guard; the profile is read at each tick.
    ForeignWindowGuard(DesktopWindows &windows, const UserProfile &profile, MediaPlayers players, TickSource &timer,
                       QObject *parent = nullptr);

    /// One pass of the guard: judges the window in front and takes the foreground back when it
    /// must. Returns the verdict.
    ForegroundVerdict Timer1Timer();

    MediaPlayers &players() { return m_players; }

signals:
    /// The foreground has just been taken back from another program's window.
    void foregroundTakenBack(const QString &windowClass);

private:
    DesktopWindows &m_windows;
    const UserProfile &m_profile;
    MediaPlayers m_players;
};

} // namespace tovalin
