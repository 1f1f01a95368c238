#include "watchdog/process_watch.h"

#include <QFile>
#include <QLoggingCategory>
#include <QProcess>

#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

Q_DECLARE_LOGGING_CATEGORY(lcWatchdog)

namespace tovalin::watchdog {

std::optional<qint64> DetachedLauncher::launch(const WatchRequest &request)
{
    qint64 pid = 0;
    if (!QProcess::startDetached(request.executable, request.arguments, request.workingDirectory, &pid) || pid <= 0)
        return std::nullopt;
    return pid;
}

PidWatcher::PidWatcher(QObject *parent) : ProcessWatcher(parent)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, [this] {
        if (!isAlive(m_pid))
            report();
    });
}

PidWatcher::~PidWatcher()
{
    clear();
}

bool PidWatcher::isAlive(qint64 pid)
{
    if (pid <= 0)
        return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
        return false;
    // A zombie has ended; only its parent has not collected it yet.
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.open(QIODevice::ReadOnly)) {
        const QByteArray text = stat.readAll();
        const qsizetype close = text.lastIndexOf(')');
        if (close >= 0 && close + 2 < text.size() && text.at(close + 2) == 'Z')
            return false;
    }
    return true;
}

void PidWatcher::clear()
{
    m_poll.stop();
    m_notifier.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_pid = 0;
}

void PidWatcher::watch(qint64 pid)
{
    clear();
    m_pid = pid;
#ifdef SYS_pidfd_open
    m_fd = static_cast<int>(::syscall(SYS_pidfd_open, static_cast<pid_t>(pid), 0));
#endif
    if (m_fd >= 0) {
        // A pidfd turns readable once the process has ended completely, however it ended: its
        // files are closed then, its single-instance lock free for the next start. (Its main
        // thread may be a zombie earlier, while the last thread still frees the memory.)
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        connect(m_notifier.get(), &QSocketNotifier::activated, this, &PidWatcher::report);
        return;
    }
    if (!isAlive(pid)) {
        QMetaObject::invokeMethod(this, &PidWatcher::report, Qt::QueuedConnection);
        return;
    }
    m_poll.start();
}

void PidWatcher::report()
{
    const qint64 pid = m_pid;
    if (pid <= 0)
        return;
    qCDebug(lcWatchdog) << "end of" << pid << "seen";
    clear();
    emit ended(pid);
}

} // namespace tovalin::watchdog
