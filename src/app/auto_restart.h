#pragma once
// `SetAutoRestart`: the restart watchdog started (on) or stopped (off) for
// the active user's `Restart` setting. The watchdog starts the program again
// with the active user after an abnormal end: killed, crashed, or ended by the
// session. The exit command and every orderly end of the program stop it first.

#include "platform/restart_watchdog.h"

#include <QString>

namespace tovalin {

class ProgramState;

class AutoRestart {
public:
    /// This process as the watchdog must know it; `arguments` are the start arguments without
    /// the program, used when no user is active.
    struct Program {
        qint64 pid = 0;
        QString executable;
        QStringList arguments;
        QString workingDirectory;
        QString windowClass;
        QString caption;
    };

    AutoRestart(RestartWatchdog &watchdog, const ProgramState &state, Program program);

    /// on: the watchdog watches this process (starting it when none runs); off: it is stopped.
    /// Returns the text the user must be shown, or an empty text.
    QString SetAutoRestart(bool on);
    /// The exit command or another orderly end: the watchdog is stopped so it restarts nothing.
    void programEnding();

    /// What the watchdog is told for the active user.
    WatchRequest request() const;

    /// "Automatic restart not available!"
    static QString notAvailableText();

private:
    RestartWatchdog &m_watchdog;
    const ProgramState &m_state;
    Program m_program;
};

} // namespace tovalin
