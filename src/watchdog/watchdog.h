#pragma once
// The restart watchdog's rules: it watches one process and, when that process
// ends while the watchdog has not been stopped, starts the program again
// shortly after (within 2 s), at most 5 times a minute; one more end within the
// minute and it gives up, so a program that cannot start does not loop.

#include "platform/restart_watchdog.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>

namespace tovalin::watchdog {

/// At most `max` restarts within any `windowMs`.
class RestartLimit {
public:
    explicit RestartLimit(int max = 5, qint64 windowMs = 60 * 1000) : m_max(max), m_windowMs(windowMs) {}
    /// True when one more restart at nowMs keeps within the limit; it is then counted.
    bool tryTake(qint64 nowMs);

private:
    int m_max;
    qint64 m_windowMs;
    QList<qint64> m_times;
};

/// Starts the program again.
class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    /// Starts request.executable with request.arguments in request.workingDirectory, detached;
    /// the new process id, or nullopt when it could not be started.
    virtual std::optional<qint64> launch(const WatchRequest &request) = 0;
};

/// What the watchdog's socket speaks to: the restart watchdog, or the Tovalin session's launcher.
class WatchTarget {
public:
    virtual ~WatchTarget() = default;
    /// The running Tovalin reports itself (again at every activation, with the active user).
    virtual void watch(const WatchRequest &request) = 0;
    /// Tovalin ends in order: nothing is started again.
    virtual void stop() = 0;
};

/// Reports the end of one process.
class ProcessWatcher : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    /// Watches pid from now on (instead of any process watched before). A process that has
    /// already ended is reported at once (from the event loop).
    virtual void watch(qint64 pid) = 0;
    /// Watches nothing.
    virtual void clear() = 0;

signals:
    void ended(qint64 pid);
};

class Watchdog : public QObject, public WatchTarget {
    Q_OBJECT
public:
    static constexpr int kMaxRestarts = 5;
    static constexpr qint64 kRestartWindowMs = 60 * 1000;
    static constexpr int kDefaultRestartDelayMs = 100;

    /// clockMs gives a monotonic time in milliseconds (for the restart limit).
    Watchdog(ProcessLauncher &launcher, ProcessWatcher &watcher, std::function<qint64()> clockMs,
             QObject *parent = nullptr);

    /// The pause between an end and the new start (well under the 2 s the program must be back in).
    void setRestartDelay(int ms) { m_restartTimer.setInterval(ms); }

    /// Watches the request's process from now on; its arguments are used for the next start. A
    /// pending restart is cancelled: the program runs again.
    void watch(const WatchRequest &request) override;
    /// The exit command or SetAutoRestart(off): nothing is started again; finished(0) follows.
    void stop() override;

    const WatchRequest &current() const { return m_request; }
    bool isStopped() const { return m_stopped; }

signals:
    /// The program has been started again as process pid.
    void restarted(qint64 pid);
    /// The watchdog is done: 0 after stop(), 1 when it gave up.
    void finished(int exitCode);

private:
    void processEnded(qint64 pid);
    void restart();

    ProcessLauncher &m_launcher;
    ProcessWatcher &m_watcher;
    std::function<qint64()> m_clock;
    RestartLimit m_limit{kMaxRestarts, kRestartWindowMs};
    QTimer m_restartTimer;
    WatchRequest m_request;
    bool m_stopped = false;
};

} // namespace tovalin::watchdog
