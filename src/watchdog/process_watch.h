#pragma once
// The watchdog's real process operations: a detached start, and the end of a
// process (not necessarily a child) seen through a pidfd, or by polling where
// the kernel has none.

#include "watchdog/watchdog.h"

#include <QSocketNotifier>
#include <QTimer>
#include <memory>

namespace tovalin::watchdog {

class DetachedLauncher final : public ProcessLauncher {
public:
    std::optional<qint64> launch(const WatchRequest &request) override;
};

class PidWatcher final : public ProcessWatcher {
    Q_OBJECT
public:
    explicit PidWatcher(QObject *parent = nullptr);
    ~PidWatcher() override;

    void watch(qint64 pid) override;
    void clear() override;

    /// True while pid names a live process (a zombie counts as ended).
    static bool isAlive(qint64 pid);

    /// How often a process is looked at where there is no pidfd.
    static constexpr int kPollMs = 50;

private:
    void report();

    qint64 m_pid = 0;
    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_poll;
};

} // namespace tovalin::watchdog
