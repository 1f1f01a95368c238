#include "watchdog/watchdog_client.h"

#include "watchdog/process_watch.h"
#include "watchdog/watchdog_protocol.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QThread>

#include <csignal>

namespace tovalin::watchdog {

WatchdogClient::WatchdogClient(QString programPath) : m_program(std::move(programPath)) {}

bool WatchdogClient::send(const QByteArray &message, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    socket.write(message);
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return false;
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.readLine().contains("\"ok\":true");
}

RestartWatchdog::StartResult WatchdogClient::watch(const WatchRequest &request)
{
    const QFileInfo program(m_program);
    if (!program.isFile() || !program.isExecutable())
        return StartResult::ProgramMissing;
    // One watchdog per session: the one that runs takes over this process.
    if (send(encodeWatch(request), 1000))
        return StartResult::Watching;
    qint64 pid = 0;
    if (!QProcess::startDetached(m_program, toCommandLine(request), request.workingDirectory, &pid))
        return StartResult::StartFailed;
    m_startedPid = pid;
    return StartResult::Watching;
}

void WatchdogClient::stop()
{
    if (send(encodeStop(), 1000)) {
        m_startedPid = 0;
        return;
    }
    // A watchdog started a moment ago may not listen yet; it must not outlive a stop.
    if (m_startedPid > 0 && PidWatcher::isAlive(m_startedPid)) {
        QDeadlineTimer deadline(1000);
        while (!deadline.hasExpired() && PidWatcher::isAlive(m_startedPid)) {
            if (send(encodeStop(), 200)) {
                m_startedPid = 0;
                return;
            }
            QThread::msleep(50);
        }
        if (PidWatcher::isAlive(m_startedPid))
            ::kill(static_cast<pid_t>(m_startedPid), SIGTERM);
    }
    m_startedPid = 0;
}

} // namespace tovalin::watchdog
