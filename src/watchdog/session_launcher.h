#pragma once
// The Tovalin session's launcher: the one program the kiosk compositor runs.
// It starts Tovalin as its child and starts it again after an abnormal end
// (killed, crashed) within 2 s, at most 5 times a minute; when Tovalin ends in
// order (its exit command) the launcher ends, and the compositor with it, so
// the display manager shows its login screen again. Over the watchdog's socket
// Tovalin tells it the active user, for the next start, and its orderly end.

#include "watchdog/watchdog.h"

#include <QObject>
#include <QProcess>
#include <QTimer>
#include <functional>

namespace tovalin::watchdog {

class SessionLauncher : public QObject, public WatchTarget {
    Q_OBJECT
public:
    /// executable: Tovalin; arguments: the session's own (the user, as Tovalin takes it).
    /// clockMs gives a monotonic time in milliseconds (for the restart limit).
    SessionLauncher(QString executable, QStringList arguments, std::function<qint64()> clockMs,
                    QObject *parent = nullptr);
    ~SessionLauncher() override;

    /// Starts Tovalin the first time.
    void start();

    /// Tovalin reports itself; from its own child the arguments (the active user) are kept for
    /// the next start. Requests from any other process are ignored.
    void watch(const WatchRequest &request) override;
    /// Tovalin's orderly end is coming: when it has ended, the session ends.
    void stop() override;

    void setRestartDelay(int ms) { m_restartTimer.setInterval(ms); }
    /// The running Tovalin's process id; 0 while none runs.
    qint64 pid() const;
    QStringList arguments() const { return m_arguments; }

signals:
    /// Tovalin has been started again as process pid.
    void restarted(qint64 pid);
    /// The session is over: 0 when Tovalin ended in order, 1 when it would not stay up.
    void finished(int exitCode);

private:
    void launch();
    void ended(int exitCode, QProcess::ExitStatus status);

    QString m_executable;
    QStringList m_arguments;
    std::function<qint64()> m_clock;
    RestartLimit m_limit{Watchdog::kMaxRestarts, Watchdog::kRestartWindowMs};
    QProcess m_process;
    QTimer m_restartTimer;
    bool m_orderly = false;
    bool m_done = false;
};

} // namespace tovalin::watchdog
