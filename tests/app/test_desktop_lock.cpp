// The desktop lock's states (activation, the parents' menu, the end of the
// program), the foreign-window guard's decision for the window in front, the
// allowed media players, SetAutoRestart's requests to the watchdog, and what
// holds the desktop in each kind of session.

#include "app/auto_restart.h"
#include "app/desktop_lock.h"
#include "app/foreign_window_guard.h"
#include "app/media_players.h"
#include "platform/fake_desktop_windows.h"
#include "platform/fake_key_lock.h"
#include "platform/fake_restart_watchdog.h"
#include "platform/tick_source.h"
#include "state/program_state.h"
#include "users/user_profile.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;

namespace {

const QStringList kLockCalls{QStringLiteral("noAltTab 1"), QStringLiteral("noAccessibilityShortcuts 1"),
                             QStringLiteral("noWinkeys 1"), QStringLiteral("noCtrlEsc 1")};
const QStringList kReleaseCalls{QStringLiteral("releaseAll")};

ForegroundWindow foreign(const QString &cls)
{
    ForegroundWindow w;
    w.exists = true;
    w.windowClass = cls;
    return w;
}

} // namespace

Q_DECLARE_METATYPE(ForegroundWindow)

class TestDesktopLock : public QObject {
    Q_OBJECT
private slots:
    void lockFollowsUserAndMenu_data()
    {
        // Events: "activate 1/0" (a user with Nieteruit on/off), "open" (menu opened or unlocked),
        // "close 1/0" (menu closed with Nieteruit on/off), "end" (orderly end of the program).
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<bool>("locked");
        QTest::newRow("activationWithNieteruitLocksInOrder") << QStringList{"activate 1"} << kLockCalls << true;
        QTest::newRow("activationWithoutNieteruitReleases") << QStringList{"activate 0"} << kReleaseCalls << false;
        QTest::newRow("menuOpenReleases") << QStringList{"activate 1", "open"} << kLockCalls + kReleaseCalls << false;
        QTest::newRow("menuCloseWithNieteruitLocksAgain")
            << QStringList{"activate 1", "open", "close 1"} << kLockCalls + kReleaseCalls + kLockCalls << true;
        QTest::newRow("menuCloseWithoutNieteruitStaysReleased")
            << QStringList{"activate 1", "open", "close 0"} << kLockCalls + kReleaseCalls + kReleaseCalls << false;
        QTest::newRow("activationFromTheOpenMenuWaitsForTheClose")
            << QStringList{"open", "activate 1"} << kReleaseCalls + kReleaseCalls << false;
        QTest::newRow("thenTheCloseLocks")
            << QStringList{"open", "activate 1", "close 1"} << kReleaseCalls + kReleaseCalls + kLockCalls << true;
        QTest::newRow("endReleasesEverything") << QStringList{"activate 1", "end"} << kLockCalls + kReleaseCalls << false;
    }

    void lockFollowsUserAndMenu()
    {
        QFETCH(QStringList, events);
        QFETCH(QStringList, calls);
        QFETCH(bool, locked);
        FakeKeyLock keys;
        FakeTickSource timer1;
        DesktopLock lock(keys, timer1);
        for (const QString &e : events) {
            if (e.startsWith(QLatin1String("activate")))
                lock.userActivated(e.endsWith(u'1'));
            else if (e == QLatin1String("open"))
                lock.parentsMenuOpened();
            else if (e.startsWith(QLatin1String("close")))
                lock.parentsMenuClosed(e.endsWith(u'1'));
            else if (e == QLatin1String("end"))
                lock.programEnding();
        }
        QCOMPARE(keys.calls, calls);
        QCOMPARE(lock.locked(), locked);
        // The guard's timer runs exactly while the lock holds, once a second.
        QCOMPARE(timer1.isActive(), locked);
        if (locked)
            QCOMPARE(timer1.interval(), 1000);
    }

    void whatHoldsTheDesktopAndWhenTheParentIsTold_data()
    {
        QTest::addColumn<QString>("platform");
        QTest::addColumn<bool>("sessionVariable");
        QTest::addColumn<bool>("x11Connected");
        QTest::addColumn<int>("holder");
        QTest::addColumn<bool>("told");
        const int x11 = int(LockHolder::X11Lock), session = int(LockHolder::TovalinSession), none = int(LockHolder::None);
        QTest::newRow("x11Session") << "xcb" << false << true << x11 << false;
        QTest::newRow("tovalinSession") << "wayland" << true << false << session << false;
        QTest::newRow("tovalinSessionOnWaylandEgl") << "wayland-egl" << true << false << session << false;
        QTest::newRow("waylandDesktopWithoutTheSession") << "wayland" << false << false << none << true;
        // An X client on a Wayland desktop: its X connection reaches no other program.
        QTest::newRow("xwaylandWithoutTheSession") << "xcb" << false << false << none << true;
        // The variable alone holds nothing: on X11 the X11 lock does the work.
        QTest::newRow("sessionVariableOnX11") << "xcb" << true << true << x11 << false;
        QTest::newRow("noScreenNobodyToTell") << "offscreen" << false << false << none << false;
    }

    void whatHoldsTheDesktopAndWhenTheParentIsTold()
    {
        QFETCH(QString, platform);
        QFETCH(bool, sessionVariable);
        QFETCH(bool, x11Connected);
        QFETCH(int, holder);
        QFETCH(bool, told);
        const LockSituation situation{platform, sessionVariable, x11Connected};
        QCOMPARE(int(lockHolderFor(situation)), holder);

        // Told once per run, when a locked user becomes active; the lock log gets the same line.
        FakeKeyLock keys;
        FakeTickSource timer1;
        DesktopLock lock(keys, timer1);
        lock.setHolder(lockHolderFor(situation), parentToBeToldFor(situation));
        QSignalSpy tell(&lock, &DesktopLock::parentToBeTold);
        if (told)
            QTest::ignoreMessage(QtInfoMsg, qPrintable(DesktopLock::noLockText()));
        lock.userActivated(false);
        lock.userActivated(true);
        lock.parentsMenuOpened();
        lock.parentsMenuClosed(true);
        lock.userActivated(true);
        QCOMPARE(tell.size(), told ? 1 : 0);
        if (told)
            QVERIFY(tell.at(0).at(0).toString().contains(QStringLiteral("\"Tovalin for children\"")));
    }

    void aCombinationHeldElsewhereLeavesTheRestOfTheLock()
    {
        FakeKeyLock keys;
        keys.heldElsewhere = {QStringLiteral("Alt+Tab")};
        FakeTickSource timer1;
        DesktopLock lock(keys, timer1);
        QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("Alt\\+Tab.*held by another program")));
        lock.userActivated(true);
        QCOMPARE(keys.calls, kLockCalls);
        QVERIFY(lock.locked());
        QVERIFY(timer1.isActive());
    }

    void judgeForeground_data()
    {
        QTest::addColumn<ForegroundWindow>("window");
        QTest::addColumn<QString>("settings"); // which of R(ealmedia), W(indowsMedia), Q(uickTime) are on
        QTest::addColumn<int>("verdict");

        ForegroundWindow own;
        own.exists = true;
        own.ownProcess = true;
        own.windowClass = QStringLiteral("vlc vlc"); // never judged as a player
        ForegroundWindow dialog = foreign(QStringLiteral("gtk-dialog Zenity"));
        dialog.dialogType = true;
        ForegroundWindow overTovalin = foreign(QStringLiteral("xdg-email Zenity"));
        overTovalin.transientForOwnWindow = true;
        ForegroundWindow unreadable;
        unreadable.exists = true;
        ForegroundWindow unreadableDialog = unreadable;
        unreadableDialog.dialogType = true;

        const int own_ = int(ForegroundVerdict::OwnWindow), dlg = int(ForegroundVerdict::Dialog),
                  ok = int(ForegroundVerdict::AllowedPlayer), back = int(ForegroundVerdict::TakeBack);
        QTest::newRow("ownWindowStays") << own << "" << own_;
        QTest::newRow("dialogTypeStays") << dialog << "" << dlg;
        QTest::newRow("windowOverTovalinStays") << overTovalin << "" << dlg;
        QTest::newRow("otherProgramIsTakenBack") << foreign(QStringLiteral("xterm XTerm")) << "RWQ" << back;
        QTest::newRow("noWindowInFrontIsTakenBack") << ForegroundWindow{} << "RWQ" << back;
        QTest::newRow("unreadableClassIsTakenBack") << unreadable << "RWQ" << back;
        QTest::newRow("unreadableDialogStillADialog") << unreadableDialog << "" << dlg;
        QTest::newRow("emptyClassIsTakenBack") << foreign(QString()) << "RWQ" << back;
        QTest::newRow("windowsMediaPlayerWithSettingOn") << foreign(QStringLiteral("vlc VLC")) << "W" << ok;
        QTest::newRow("windowsMediaPlayerWithSettingOff") << foreign(QStringLiteral("vlc VLC")) << "" << back;
        QTest::newRow("quickTimePlayerWithSettingOn") << foreign(QStringLiteral("totem Totem")) << "Q" << ok;
        QTest::newRow("playerWithEverySettingOffIsTakenBack") << foreign(QStringLiteral("totem Totem")) << "" << back;
        QTest::newRow("realMediaPlayerWithSettingOn") << foreign(QStringLiteral("smplayer smplayer")) << "R" << ok;
        QTest::newRow("classComparedWithoutCase") << foreign(QStringLiteral("MPV MPV")) << "Q" << ok;
        QTest::newRow("playerOfAnotherKindIsTakenBack") << foreign(QStringLiteral("parole Parole")) << "R" << back;
        QTest::newRow("browserIsNoPlayer") << foreign(QStringLiteral("Navigator firefox-esr")) << "RWQ" << back;
    }

    void judgeForeground()
    {
        QFETCH(ForegroundWindow, window);
        QFETCH(QString, settings);
        QFETCH(int, verdict);
        UserProfile profile;
        profile.Toonrealmedia = settings.contains(u'R');
        profile.ToonWindowsMedia = settings.contains(u'W');
        profile.ToonQuickTime = settings.contains(u'Q');
        QCOMPARE(int(tovalin::judgeForeground(window, profile, MediaPlayers::defaults())), verdict);
    }

    void playersFromTheVendorFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vendor.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        // RealMedia names one player, WindowsMedia none at all (an empty value must not allow every
        // window), QuickTime keeps the defaults.
        f.write("[Vendor]\r\nWebHost=x\r\n[Players]\r\nRealMedia= RealPlay , \r\nWindowsMedia=\r\n");
        f.close();
        const MediaPlayers players = MediaPlayers::fromVendorFile(path);
        QCOMPARE(players.names(PlayerKind::RealMedia), QStringList{QStringLiteral("RealPlay")});
        QVERIFY(players.names(PlayerKind::WindowsMedia).isEmpty());
        QCOMPARE(players.names(PlayerKind::QuickTime), MediaPlayers::defaults().names(PlayerKind::QuickTime));
        QVERIFY(players.matches(PlayerKind::RealMedia, QStringLiteral("realplay.bin RealPlayer")));
        QVERIFY(!players.matches(PlayerKind::WindowsMedia, QStringLiteral("anything")));
        // A missing file keeps every default.
        QCOMPARE(MediaPlayers::fromVendorFile(dir.filePath(QStringLiteral("none.ini"))).names(PlayerKind::RealMedia),
                 MediaPlayers::defaults().names(PlayerKind::RealMedia));
    }

    void desktopDefaultPlayerCounts()
    {
        QCOMPARE(MediaPlayers::fragmentFromDesktopId(QStringLiteral("vlc.desktop")), QStringLiteral("vlc"));
        QCOMPARE(MediaPlayers::fragmentFromDesktopId(QStringLiteral("org.gnome.Totem.desktop")), QStringLiteral("Totem"));
        MediaPlayers players;
        players.addDesktopDefault(PlayerKind::QuickTime, QStringLiteral("io.github.celluloid_player.Celluloid.desktop\n"));
        players.addDesktopDefault(PlayerKind::QuickTime, QStringLiteral(".desktop"));
        QCOMPARE(players.names(PlayerKind::QuickTime), QStringList{QStringLiteral("Celluloid")});
        UserProfile profile;
        profile.ToonQuickTime = true;
        QVERIFY(players.allowedFor(profile, QStringLiteral("io.github.celluloid_player.Celluloid celluloid")));

        // A default application that also shows web pages is a browser, never a player; one whose
        // desktop file cannot be found is unknown, and not kept either.
        QTemporaryDir dir;
        const auto desktopFile = [&](const QString &name, const QByteArray &text) {
            QFile f(dir.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(text) == text.size() ? f.fileName() : QString();
        };
        const QString player = desktopFile(QStringLiteral("moviebox.desktop"),
                                           "[Desktop Entry]\nName=Moviebox\nMimeType=video/quicktime;video/x-ms-asf;\n"
                                           "[Desktop Action Web]\nMimeType=text/html;\n");
        const QString browser = desktopFile(QStringLiteral("surfer.desktop"),
                                            "[Desktop Entry]\r\nMimeType = video/quicktime;x-scheme-handler/https;\r\n");
        QCOMPARE(MediaPlayers::handledTypesInFile(player), (QStringList{"video/quicktime", "video/x-ms-asf"}));
        QVERIFY(players.addDesktopDefaultPlayer(PlayerKind::WindowsMedia, QStringLiteral("moviebox.desktop"),
                                                MediaPlayers::handledTypesInFile(player)));
        QVERIFY(!players.addDesktopDefaultPlayer(PlayerKind::WindowsMedia, QStringLiteral("org.example.Surfer.desktop"),
                                                 MediaPlayers::handledTypesInFile(browser)));
        QVERIFY(!players.addDesktopDefaultPlayer(PlayerKind::WindowsMedia, QStringLiteral("gone.desktop"),
                                                 MediaPlayers::handledTypesOf(QStringLiteral("no-such-app-here.desktop"))));
        QCOMPARE(players.names(PlayerKind::WindowsMedia), QStringList{QStringLiteral("moviebox")});
        QVERIFY(MediaPlayers::isWebBrowser({QStringLiteral("TEXT/HTML")}));
    }

    void guardTicksOnlyWhileLocked()
    {
        FakeKeyLock keys;
        FakeTickSource timer1;
        FakeDesktopWindows desktop;
        UserProfile profile;
        DesktopLock lock(keys, timer1);
        ForeignWindowGuard guard(desktop, profile, MediaPlayers::defaults(), timer1);
        QSignalSpy taken(&guard, &ForeignWindowGuard::foregroundTakenBack);

        desktop.front = foreign(QStringLiteral("xterm XTerm"));
        lock.userActivated(true);
        timer1.tick();
        QCOMPARE(desktop.takeBacks, 1);
        QCOMPARE(taken.size(), 1);
        QCOMPARE(taken.at(0).at(0).toString(), QStringLiteral("xterm XTerm"));
        // Ours again: nothing to do.
        timer1.tick();
        QCOMPARE(desktop.takeBacks, 1);

        // The parents' menu is open: the guard rests.
        lock.parentsMenuOpened();
        desktop.front = foreign(QStringLiteral("xterm XTerm"));
        QCOMPARE(timer1.tick(), 0);
        QCOMPARE(desktop.takeBacks, 1);
        lock.parentsMenuClosed(true);
        timer1.tick();
        QCOMPARE(desktop.takeBacks, 2);

        // The profile is read at each tick: a player allowed since is left alone.
        desktop.front = foreign(QStringLiteral("vlc vlc"));
        profile.ToonWindowsMedia = true;
        timer1.tick();
        QCOMPARE(desktop.takeBacks, 2);
    }

    void autoRestartTellsTheWatchdog()
    {
        FakeRestartWatchdog watchdog;
        ProgramState state;
        AutoRestart::Program self;
        self.pid = 4242;
        self.executable = QStringLiteral("/opt/tovalin/tovalin");
        self.arguments = {QStringLiteral("Start#&#$#User")};
        self.workingDirectory = QStringLiteral("/home/kim");
        self.windowClass = QStringLiteral("tovalin::MainWindow");
        self.caption = QStringLiteral("Tovalin");
        AutoRestart restart(watchdog, state, self);

        // No active user: the program's own start arguments.
        QCOMPARE(restart.SetAutoRestart(true), QString());
        QCOMPARE(watchdog.requests.size(), 1);
        QCOMPARE(watchdog.requests.at(0).arguments, self.arguments);
        QCOMPARE(watchdog.requests.at(0).pid, qint64(4242));
        QCOMPARE(watchdog.requests.at(0).executable, self.executable);
        QCOMPARE(watchdog.requests.at(0).workingDirectory, self.workingDirectory);

        // The user active now comes back, written as a launcher writes it.
        state.setActiveUser(QStringLiteral("Piet Jansen"));
        restart.SetAutoRestart(true);
        QCOMPARE(watchdog.requests.at(1).arguments, QStringList{QStringLiteral("Piet#&#$#Jansen")});

        QCOMPARE(restart.SetAutoRestart(false), QString());
        QCOMPARE(watchdog.stops, 1);
        restart.programEnding();
        QCOMPARE(watchdog.stops, 2);

        watchdog.answer = RestartWatchdog::StartResult::ProgramMissing;
        QCOMPARE(restart.SetAutoRestart(true), QStringLiteral("Automatic restart not available!"));
    }
};

QTEST_GUILESS_MAIN(TestDesktopLock)
#include "test_desktop_lock.moc"
