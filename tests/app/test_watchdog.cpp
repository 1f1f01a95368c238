// The restart watchdog: its rules with a fake clock and fake processes (a
// restart after an end, at most five a minute, nothing after a stop), its
// messages, the real `tovalin-watchdog` with a real process that is killed, and
// the Tovalin session's launcher with real processes that end in every way.

#include "watchdog/process_watch.h"
#include "watchdog/session_launcher.h"
#include "watchdog/watchdog.h"
#include "watchdog/watchdog_client.h"
#include "watchdog/watchdog_protocol.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace tovalin;
using namespace tovalin::watchdog;

namespace {

class FakeLauncher final : public ProcessLauncher {
public:
    QList<WatchRequest> launched;
    qint64 nextPid = 1000;
    bool fail = false;
    std::optional<qint64> launch(const WatchRequest &request) override
    {
        launched << request;
        if (fail)
            return std::nullopt;
        return nextPid++;
    }
};

class FakeWatcher final : public ProcessWatcher {
public:
    qint64 watched = 0;
    void watch(qint64 pid) override { watched = pid; }
    void clear() override { watched = 0; }
    void end(qint64 pid) { emit ended(pid); }
};

WatchRequest request(qint64 pid)
{
    WatchRequest r;
    r.windowClass = QStringLiteral("tovalin::MainWindow");
    r.caption = QStringLiteral("Tovalin - De Varnebrowser");
    r.executable = QStringLiteral("/opt/tovalin/tovalin");
    r.pid = pid;
    r.arguments = {QStringLiteral("Piet#&#$#Jansen")};
    r.workingDirectory = QStringLiteral("/home/kim");
    return r;
}

struct Rig {
    FakeLauncher launcher;
    FakeWatcher watcher;
    qint64 now = 0;
    Watchdog dog{launcher, watcher, [this] { return now; }};
    Rig() { dog.setRestartDelay(0); }
    /// The watched process ends; the restart follows from the event loop.
    void endWatched()
    {
        watcher.end(watcher.watched);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
};

QString watchdogProgram()
{
    return QStringLiteral(TOVALIN_BIN_DIR "/") + QLatin1String(kProgramName);
}

/// The pids a target script wrote, one per start.
QList<qint64> startedPids(const QString &file)
{
    QList<qint64> pids;
    QFile f(file);
    if (f.open(QIODevice::ReadOnly))
        for (const QByteArray &line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                pids << line.trimmed().toLongLong();
    return pids;
}

} // namespace

class TestWatchdog : public QObject {
    Q_OBJECT

    QTemporaryDir m_runtime;

private slots:
    void initTestCase()
    {
        // A session of its own: the watchdog is single per runtime folder.
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toUtf8());
    }

    void restartsAfterAnEndWithTheSameRequest()
    {
        Rig rig;
        QSignalSpy restarted(&rig.dog, &Watchdog::restarted);
        rig.dog.watch(request(77));
        QCOMPARE(rig.watcher.watched, qint64(77));
        // Another process's end is none of its business.
        rig.watcher.end(78);
        QCoreApplication::processEvents();
        QCOMPARE(rig.launcher.launched.size(), 0);

        rig.endWatched();
        QCOMPARE(rig.launcher.launched.size(), 1);
        QCOMPARE(rig.launcher.launched.at(0).executable, QStringLiteral("/opt/tovalin/tovalin"));
        QCOMPARE(rig.launcher.launched.at(0).arguments, QStringList{QStringLiteral("Piet#&#$#Jansen")});
        QCOMPARE(rig.launcher.launched.at(0).workingDirectory, QStringLiteral("/home/kim"));
        // The new process is watched at once.
        QCOMPARE(rig.watcher.watched, qint64(1000));
        QCOMPARE(restarted.size(), 1);
    }

    void atMostFiveRestartsAMinuteThenGivesUp()
    {
        Rig rig;
        QSignalSpy finished(&rig.dog, &Watchdog::finished);
        rig.dog.watch(request(77));
        for (int i = 0; i < 5; ++i) {
            rig.now += 5000;
            rig.endWatched();
        }
        QCOMPARE(rig.launcher.launched.size(), 5);
        QVERIFY(finished.isEmpty());
        // A sixth end within the minute: it gives up instead of looping.
        rig.now += 5000;
        rig.endWatched();
        QCOMPARE(rig.launcher.launched.size(), 5);
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 1);
    }

    void restartsSpreadOverMinutesGoOn()
    {
        Rig rig;
        rig.dog.watch(request(77));
        for (int i = 0; i < 12; ++i) {
            rig.now += 13000; // fewer than five in any minute
            rig.endWatched();
        }
        QCOMPARE(rig.launcher.launched.size(), 12);
        QVERIFY(!rig.dog.isStopped());
    }

    void aStartThatFailsCountsAndIsTriedAgain()
    {
        Rig rig;
        QSignalSpy finished(&rig.dog, &Watchdog::finished);
        rig.launcher.fail = true;
        rig.dog.watch(request(77));
        rig.watcher.end(77);
        QTRY_COMPARE(finished.size(), 1);
        QCOMPARE(rig.launcher.launched.size(), 5);
    }

    void nothingRestartsAfterAStop()
    {
        Rig rig;
        QSignalSpy finished(&rig.dog, &Watchdog::finished);
        rig.dog.watch(request(77));
        rig.dog.stop();
        QCOMPARE(finished.size(), 1);
        QCOMPARE(finished.at(0).at(0).toInt(), 0);
        rig.watcher.end(77);
        QCoreApplication::processEvents();
        QCOMPARE(rig.launcher.launched.size(), 0);
        // A late watch request does not wake it.
        rig.dog.watch(request(79));
        QCOMPARE(rig.watcher.watched, qint64(0));
    }

    void aNewProcessCancelsAPendingRestart()
    {
        Rig rig;
        rig.dog.setRestartDelay(10000);
        rig.dog.watch(request(77));
        rig.watcher.end(77);
        // The program was started by hand meanwhile and reports itself.
        rig.dog.watch(request(90));
        QTest::qWait(20);
        QCOMPARE(rig.launcher.launched.size(), 0);
        QCOMPARE(rig.watcher.watched, qint64(90));
    }

    void messagesSurviveTheSocketAndRejectJunk()
    {
        const std::optional<Message> watch = decode(encodeWatch(request(77)));
        QVERIFY(watch);
        QCOMPARE(int(watch->kind), int(Message::Kind::Watch));
        QCOMPARE(watch->watch.arguments, request(77).arguments);
        QCOMPARE(watch->watch.caption, request(77).caption);
        QCOMPARE(watch->watch.pid, qint64(77));
        QCOMPARE(int(decode(encodeStop())->kind), int(Message::Kind::Stop));
        QVERIFY(!decode("stop\n"));
        QVERIFY(!decode("{\"command\":\"watch\",\"pid\":0,\"executable\":\"/x\"}"));
        QVERIFY(!decode("{\"command\":\"watch\",\"pid\":5,\"executable\":\"/x\",\"arguments\":[1]}"));
        QVERIFY(!decode("{\"command\":\"reboot\"}"));

        const std::optional<WatchRequest> line = fromCommandLine(toCommandLine(request(77)), QStringLiteral("/w"));
        QVERIFY(line);
        QCOMPARE(line->arguments, request(77).arguments);
        QCOMPARE(line->workingDirectory, QStringLiteral("/w"));
        QVERIFY(!fromCommandLine({QStringLiteral("c"), QStringLiteral("t"), QStringLiteral("/x")}, {}));
        QVERIFY(!fromCommandLine({QStringLiteral("c"), QStringLiteral("t"), QStringLiteral("/x"), QStringLiteral("-3")}, {}));
    }

    void realWatchdogRestartsAKilledProcessAndStops()
    {
        QVERIFY2(QFileInfo::exists(watchdogProgram()), qPrintable(watchdogProgram()));
        QTemporaryDir dir;
        const QString pids = dir.filePath(QStringLiteral("pids"));
        // The "program": writes its pid at every start, then waits.
        const QStringList targetArgs{QStringLiteral("-c"), QStringLiteral("echo $$ >> '%1'; exec sleep 60").arg(pids)};
        qint64 first = 0;
        QVERIFY(QProcess::startDetached(QStringLiteral("/bin/sh"), targetArgs, dir.path(), &first));
        QTRY_COMPARE(startedPids(pids).size(), 1);

        WatchRequest r;
        r.windowClass = QStringLiteral("test");
        r.caption = QStringLiteral("test");
        r.executable = QStringLiteral("/bin/sh");
        r.arguments = targetArgs;
        r.pid = first;
        r.workingDirectory = dir.path();
        WatchdogClient client(watchdogProgram());
        QCOMPARE(int(client.watch(r)), int(RestartWatchdog::StartResult::Watching));
        QTRY_VERIFY(QFile::exists(socketPath()));
        QTRY_VERIFY(WatchdogClient::send(encodeWatch(r), 500));

        // Only one per session: a second watchdog hands the process to the first and ends.
        QProcess second;
        second.start(watchdogProgram(), toCommandLine(r));
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);

        // Killed: back within two seconds, with the same arguments.
        ::kill(pid_t(first), SIGKILL);
        QTRY_COMPARE_WITH_TIMEOUT(startedPids(pids).size(), 2, 2000);
        const qint64 restartedPid = startedPids(pids).at(1);
        QVERIFY(PidWatcher::isAlive(restartedPid));

        // Stopped: it ends, and the next kill brings nothing.
        client.stop();
        QTRY_VERIFY(!QFile::exists(socketPath()));
        ::kill(pid_t(restartedPid), SIGKILL);
        QTest::qWait(1500);
        QCOMPARE(startedPids(pids).size(), 2);
        QVERIFY(!WatchdogClient::send(encodeStop(), 200));
    }

    void sessionKeepsTovalinUntilItEndsInOrder_data()
    {
        // "Tovalin" is a shell that notes each start and then does `script`; `then` is what the
        // running Tovalin tells the launcher before it is killed.
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("then");
        QTest::addColumn<int>("starts");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("orderlyEndEndsTheSession") << "exit 0" << "" << 1 << 0;
        QTest::newRow("killedComesBackUntilTheSixthEndInAMinute") << "kill -9 $$" << "" << 6 << 1;
        QTest::newRow("failureStatusIsAnAbnormalEnd") << "exit 3" << "" << 6 << 1;
        QTest::newRow("afterTheExitCommandAKillEndsTheSession") << "exec sleep 30" << "stop" << 1 << 0;
        QTest::newRow("comesBackWithTheUserActiveNow") << "exec sleep 30" << "watch" << 2 << 0;
    }

    void sessionKeepsTovalinUntilItEndsInOrder()
    {
        QFETCH(QString, script);
        QFETCH(QString, then);
        QFETCH(int, starts);
        QFETCH(int, exitCode);
        QTemporaryDir dir;
        const QString pids = dir.filePath(QStringLiteral("pids"));
        const auto shell = [&pids](const QString &rest) {
            return QStringList{QStringLiteral("-c"), QStringLiteral("echo $$ >> '%1'; ").arg(pids) + rest};
        };
        SessionLauncher launcher(QStringLiteral("/bin/sh"), shell(script), [] { return qint64(1000); });
        launcher.setRestartDelay(0);
        QSignalSpy finished(&launcher, &SessionLauncher::finished);
        launcher.start();
        if (!then.isEmpty()) {
            QTRY_COMPARE(startedPids(pids).size(), 1);
            WatchRequest r = request(launcher.pid());
            r.arguments = shell(QStringLiteral("exit 0"));
            if (then == QLatin1String("stop")) {
                launcher.stop();
            } else {
                // Another process's word counts for nothing; Tovalin's own does.
                WatchRequest stranger = request(launcher.pid() + 1);
                stranger.arguments = shell(QStringLiteral("kill -9 $$"));
                launcher.watch(stranger);
                launcher.watch(r);
            }
            ::kill(pid_t(launcher.pid()), SIGKILL);
        }
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 10000);
        QCOMPARE(finished.at(0).at(0).toInt(), exitCode);
        QCOMPARE(startedPids(pids).size(), starts);
        QCOMPARE(launcher.pid(), qint64(0));
    }

    void missingProgramIsReported()
    {
        WatchdogClient client(QStringLiteral("/nonexistent/tovalin-watchdog"));
        QCOMPARE(int(client.watch(request(QCoreApplication::applicationPid()))),
                 int(RestartWatchdog::StartResult::ProgramMissing));
        client.stop(); // nothing runs: returns at once
    }
};

QTEST_GUILESS_MAIN(TestWatchdog)
#include "test_watchdog.moc"
