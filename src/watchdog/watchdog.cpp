#include "watchdog/watchdog.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcWatchdog, "tovalin.watchdog", QtInfoMsg)

namespace tovalin::watchdog {

bool RestartLimit::tryTake(qint64 nowMs)
{
    while (!m_times.isEmpty() && nowMs - m_times.constFirst() >= m_windowMs)
        m_times.removeFirst();
    if (m_times.size() >= m_max)
        return false;
    m_times.append(nowMs);
    return true;
}

Watchdog::Watchdog(ProcessLauncher &launcher, ProcessWatcher &watcher, std::function<qint64()> clockMs,
                   QObject *parent)
    : QObject(parent)
    , m_launcher(launcher)
    , m_watcher(watcher)
    , m_clock(std::move(clockMs))
{
    m_restartTimer.setSingleShot(true);
    m_restartTimer.setInterval(kDefaultRestartDelayMs);
    connect(&m_restartTimer, &QTimer::timeout, this, &Watchdog::restart);
    connect(&m_watcher, &ProcessWatcher::ended, this, &Watchdog::processEnded);
}

void Watchdog::watch(const WatchRequest &request)
{
    if (m_stopped)
        return;
    m_restartTimer.stop();
    const bool sameProcess = request.pid == m_request.pid;
    m_request = request;
    // The program reports itself again at every activation of a user: only the arguments change.
    if (sameProcess)
        return;
    qCInfo(lcWatchdog) << "watching" << request.executable << "process" << request.pid;
    m_watcher.watch(request.pid);
}

void Watchdog::stop()
{
    if (m_stopped)
        return;
    m_stopped = true;
    m_restartTimer.stop();
    m_watcher.clear();
    qCInfo(lcWatchdog) << "stopped";
    emit finished(0);
}

void Watchdog::processEnded(qint64 pid)
{
    if (m_stopped || pid != m_request.pid)
        return;
    qCInfo(lcWatchdog) << "process" << pid << "has ended";
    m_restartTimer.start();
}

void Watchdog::restart()
{
    if (m_stopped)
        return;
    if (!m_limit.tryTake(m_clock())) {
        qCWarning(lcWatchdog) << "the program ended" << kMaxRestarts + 1 << "times within a minute; giving up";
        m_stopped = true;
        m_watcher.clear();
        emit finished(1);
        return;
    }
    const std::optional<qint64> pid = m_launcher.launch(m_request);
    if (!pid) {
        // A start that fails counts like one that ends at once.
        qCWarning(lcWatchdog) << "could not start" << m_request.executable;
        m_restartTimer.start();
        return;
    }
    m_request.pid = *pid;
    m_watcher.watch(*pid);
    qCInfo(lcWatchdog) << "started again as process" << *pid;
    emit restarted(*pid);
}

} // namespace tovalin::watchdog
