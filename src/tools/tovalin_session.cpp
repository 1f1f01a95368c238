// tovalin-session: a login session that is Tovalin and nothing else.
//
//   tovalin-session [USER]
//
// Starts the kiosk compositor cage (never with -s: no switching to a text
// console) with this same program inside it as cage's one application; inside,
// it starts Tovalin with the arguments given, again after an abnormal end, and
// ends (ending cage, back to the login screen) when Tovalin ends in order.

#include "state/startup.h"
#include "watchdog/session_launcher.h"
#include "watchdog/watchdog_protocol.h"
#include "watchdog/watchdog_server.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

using namespace tovalin::watchdog;

namespace {

constexpr char kInside[] = "--in-cage";

void usage(FILE *to)
{
    std::fprintf(to, "usage: tovalin-session [USER]\n"
                     "Starts Tovalin alone on the screen inside the kiosk compositor cage, for a login of\n"
                     "the child's own; USER is the user Tovalin starts with, written as Tovalin takes it\n"
                     "(every blank as #&#$#). Without it Tovalin starts its start user.\n");
}

/// Outside cage: the session's settings, then cage with this program inside.
int startCage(const QStringList &arguments)
{
    const QString cage = QStandardPaths::findExecutable(QStringLiteral("cage"));
    if (cage.isEmpty()) {
        std::fprintf(stderr, "tovalin-session: the kiosk compositor cage is not installed (Debian package "
                             "\"cage\")\n");
        return 1;
    }
    const QString tovalin = QCoreApplication::applicationDirPath() + QStringLiteral("/tovalin");
    if (!QFileInfo(tovalin).isExecutable()) {
        std::fprintf(stderr, "tovalin-session: %s is missing\n", qPrintable(tovalin));
        return 1;
    }
    // Tovalin knows it holds the desktop by itself, and shows as a Wayland client; every other
    // setting of the environment reaches it as it is.
    ::setenv(tovalin::kSessionVariable, "1", 1);
    ::setenv("XDG_SESSION_TYPE", "wayland", 1);
    ::setenv("QT_QPA_PLATFORM", "wayland", 1);

    // -d: no window decorations, where a client lets the compositor decide.
    QList<QByteArray> argv{QFile::encodeName(cage), "-d", "--", QFile::encodeName(QCoreApplication::applicationFilePath()),
                           kInside};
    for (const QString &a : arguments)
        argv << a.toLocal8Bit();
    std::vector<char *> raw;
    for (QByteArray &a : argv)
        raw.push_back(a.data());
    raw.push_back(nullptr);
    ::execv(raw.front(), raw.data());
    std::fprintf(stderr, "tovalin-session: cannot start %s: %s\n", qPrintable(cage), std::strerror(errno));
    return 1;
}

/// Inside cage: Tovalin, kept running until it ends in order.
int runTovalin(QCoreApplication &app, const QStringList &arguments)
{
    QElapsedTimer clock;
    clock.start();
    SessionLauncher launcher(QCoreApplication::applicationDirPath() + QStringLiteral("/tovalin"), arguments,
                             [&clock] { return clock.elapsed(); });

    // The session is its account's restart watchdog: Tovalin reports its active user and its
    // orderly end here, and no other watchdog starts a second Tovalin beside this one.
    QLockFile lock(lockPath());
    lock.setStaleLockTime(0);
    WatchdogServer server(launcher);
    if (!lock.tryLock(0))
        std::fprintf(stderr, "tovalin-session: a restart watchdog already runs for this account (%s); Tovalin "
                             "starts again with the session's own user\n", qPrintable(lockPath()));
    else if (!server.listen(socketPath()))
        std::fprintf(stderr, "tovalin-session: cannot listen on %s: %s\n", qPrintable(socketPath()),
                     qPrintable(server.errorString()));

    QObject::connect(&launcher, &SessionLauncher::finished, &app, [](int code) { QCoreApplication::exit(code); },
                     Qt::QueuedConnection);
    launcher.start();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovalin-session"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments.constFirst() == QLatin1String(kInside))
        return runTovalin(app, arguments.mid(1));
    if (!arguments.isEmpty() && (arguments.constFirst() == QLatin1String("--help") ||
                                 arguments.constFirst() == QLatin1String("-h"))) {
        usage(stdout);
        return 0;
    }
    if (!arguments.isEmpty() && arguments.constFirst() == QLatin1String("--version")) {
        std::printf("tovalin-session %s\n", TOVALIN_VERSION);
        return 0;
    }
    return startCage(arguments);
}
