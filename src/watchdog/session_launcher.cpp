#include "watchdog/session_launcher.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcWatchdog)

namespace tovalin::watchdog {

SessionLauncher::SessionLauncher(QString executable, QStringList arguments, std::function<qint64()> clockMs,
                                 QObject *parent)
    : QObject(parent)
    , m_executable(std::move(executable))
    , m_arguments(std::move(arguments))
    , m_clock(std::move(clockMs))
{
    // Tovalin writes where the session writes: the display manager's session log.
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    connect(&m_process, &QProcess::finished, this, &SessionLauncher::ended);
    connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        // A start that fails reports no end of its own; it counts as one that ends at once.
        if (error == QProcess::FailedToStart) {
            qCWarning(lcWatchdog) << "could not start" << m_executable << ":" << m_process.errorString();
            ended(-1, QProcess::CrashExit);
        }
    });
    m_restartTimer.setSingleShot(true);
    m_restartTimer.setInterval(Watchdog::kDefaultRestartDelayMs);
    connect(&m_restartTimer, &QTimer::timeout, this, &SessionLauncher::launch);
}

SessionLauncher::~SessionLauncher()
{
    m_process.disconnect(this);
}

void SessionLauncher::start()
{
    launch();
}

qint64 SessionLauncher::pid() const
{
    return m_process.state() == QProcess::NotRunning ? 0 : m_process.processId();
}

void SessionLauncher::launch()
{
    if (m_done)
        return;
    m_orderly = false;
    m_process.start(m_executable, m_arguments);
    if (m_process.waitForStarted(10000))
        emit restarted(m_process.processId());
}

void SessionLauncher::watch(const WatchRequest &request)
{
    if (m_done || request.pid != pid())
        return;
    m_arguments = request.arguments;
}

void SessionLauncher::stop()
{
    m_orderly = true;
}

void SessionLauncher::ended(int exitCode, QProcess::ExitStatus status)
{
    if (m_done)
        return;
    // The exit command reports itself first; an end with status 0 is orderly too (a second
    // start that found Tovalin running, a close the user's settings allow).
    if (m_orderly || (status == QProcess::NormalExit && exitCode == 0)) {
        qCInfo(lcWatchdog) << "Tovalin has ended in order; the session ends";
        m_done = true;
        emit finished(0);
        return;
    }
    qCInfo(lcWatchdog) << "Tovalin has ended abnormally" << (status == QProcess::CrashExit ? "(killed or crashed)" : "")
                       << "with status" << exitCode;
    if (!m_limit.tryTake(m_clock())) {
        qCWarning(lcWatchdog) << "Tovalin ended" << Watchdog::kMaxRestarts + 1
                              << "times within a minute; the session ends";
        m_done = true;
        emit finished(1);
        return;
    }
    m_restartTimer.start();
}

} // namespace tovalin::watchdog
