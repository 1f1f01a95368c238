#pragma once
// Tovalin's side of the restart watchdog: hands a watch request to the
// watchdog that runs in this session, or starts `tovalin-watchdog` with it;
// stops it through its local socket.

#include "platform/restart_watchdog.h"

#include <QByteArray>

namespace tovalin::watchdog {

class WatchdogClient final : public RestartWatchdog {
public:
    /// programPath: the watchdog program (beside the executable).
    explicit WatchdogClient(QString programPath);

    StartResult watch(const WatchRequest &request) override;
    void stop() override;

    /// Sends one message to the running watchdog and waits up to timeoutMs for its answer;
    /// false when no watchdog answered.
    static bool send(const QByteArray &message, int timeoutMs);

private:
    QString m_program;
    qint64 m_startedPid = 0; ///< the watchdog this process started, while it may still be starting
};

} // namespace tovalin::watchdog
