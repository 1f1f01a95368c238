// tovalin-watchdog: starts Tovalin again when it ends abnormally.
//
//   tovalin-watchdog CLASS CAPTION EXECUTABLE PID [ARGUMENT...]
//
// Watches process PID; when it ends without the watchdog having been stopped
// (through its socket in the runtime folder), starts EXECUTABLE ARGUMENT...
// again in the watchdog's working directory, at most 5 times a minute. One
// watchdog runs per user session: a second one hands its process to the first
// and ends.

#include "watchdog/process_watch.h"
#include "watchdog/watchdog.h"
#include "watchdog/watchdog_client.h"
#include "watchdog/watchdog_protocol.h"
#include "watchdog/watchdog_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QThread>

#include <cstdio>
#include <unistd.h>

using namespace tovalin::watchdog;

int main(int argc, char **argv)
{
    // Its own session: a terminal that closes, or Ctrl+C there, ends Tovalin but not its watchdog.
    ::setsid();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovalin-watchdog"));

    const std::optional<tovalin::WatchRequest> request =
        fromCommandLine(QCoreApplication::arguments().mid(1), QDir::currentPath());
    if (!request) {
        std::fprintf(stderr, "usage: tovalin-watchdog CLASS CAPTION EXECUTABLE PID [ARGUMENT...]\n");
        return 2;
    }

    QLockFile lock(lockPath());
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) {
        // Another watchdog runs in this session: it watches this process from now on. It may
        // be starting up itself, so it gets a moment to listen.
        QDeadlineTimer deadline(3000);
        while (!deadline.hasExpired()) {
            if (WatchdogClient::send(encodeWatch(*request), 500))
                return 0;
            QThread::msleep(100);
        }
        std::fprintf(stderr, "tovalin-watchdog: another watchdog holds %s but does not answer\n",
                     qPrintable(lockPath()));
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    DetachedLauncher launcher;
    PidWatcher watcher;
    Watchdog watchdog(launcher, watcher, [&clock] { return clock.elapsed(); });
    WatchdogServer server(watchdog);
    if (!server.listen(socketPath())) {
        std::fprintf(stderr, "tovalin-watchdog: cannot listen on %s: %s\n", qPrintable(socketPath()),
                     qPrintable(server.errorString()));
        return 1;
    }
    QObject::connect(&watchdog, &Watchdog::finished, &app, [](int code) { QCoreApplication::exit(code); },
                     Qt::QueuedConnection);
    watchdog.watch(*request);
    const int code = QCoreApplication::exec();
    return code;
}
