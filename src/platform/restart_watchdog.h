#pragma once
// The restart watchdog: a separate program (`tovalin-watchdog`, beside the
// executable) that watches one Tovalin process and starts the program again
// when that process ends abnormally. One watchdog runs per user session; it is
// reached through a local socket in the runtime folder.

#include <QString>
#include <QStringList>

namespace tovalin {

/// What the watchdog needs to watch a process and start the program again.
struct WatchRequest {
    QString windowClass;      ///< the main window's class name
    QString caption;          ///< the main window's caption
    QString executable;       ///< full path of the program to start again
    qint64 pid = 0;           ///< the process to watch
    QStringList arguments;    ///< the arguments for the new start (the active user)
    QString workingDirectory; ///< where the new start runs
};

class RestartWatchdog {
public:
    enum class StartResult {
        Watching,       ///< a watchdog watches the process now
        ProgramMissing, ///< there is no watchdog program to start
        StartFailed,    ///< the program exists but would not start
    };

    virtual ~RestartWatchdog() = default;

    /// Hands the request to the running watchdog, or starts one with it.
    virtual StartResult watch(const WatchRequest &request) = 0;
    /// Stops the running watchdog, if any, and waits briefly for its answer; after it returns no
    /// watchdog will start the program again.
    virtual void stop() = 0;
};

} // namespace tovalin
