// The desktop lock, the foreign-window guard and the restart watchdog on a
// real X server: an Xvfb with openbox that the test starts itself. Skipped
// only where Xvfb or openbox are not installed.

#include "app/auto_restart.h"
#include "app/desktop_lock.h"
#include "app/foreign_window_guard.h"
#include "app/ui/application.h"
#include "app/ui/desktop_guard.h"
#include "app/ui/main_window.h"
#include "app/ui/parents_side.h"
#include "app/ui/users_side.h"
#include "core/text_file.h"
#include "parents/ui/parents_menu.h"
#include "platform/head_probe.h"
#include "platform/x11_connection.h"
#include "platform/x11_desktop_windows.h"
#include "platform/x11_key_lock.h"
#include "support_app.h"
#include "watchdog/process_watch.h"
#include "watchdog/watchdog_client.h"
#include "watchdog/watchdog_protocol.h"
#include "users/ui/user_manager_dialog.h"

#include <QApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

#include <csignal>
#include <sys/socket.h>
#include <cstdlib>
#include <cstring>
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

using namespace tovalin;

namespace {

constexpr uint32_t kTab = 0xff09;
constexpr uint32_t kEscape = 0xff1b;
constexpr uint32_t kSuperL = 0xffeb;

/// Xvfb and openbox, started before the application connects.
struct XSession {
    qint64 xvfb = 0;
    qint64 wm = 0;
    QString display;
    QString why;
    bool installed = true;
    bool up = false;
    std::unique_ptr<QTemporaryDir> dir = std::make_unique<QTemporaryDir>();

    static bool waitFor(const std::function<bool()> &ready, int ms)
    {
        QDeadlineTimer deadline(ms);
        while (!ready()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    /// Starts command in the background, tied to this process: it ends when this process ends,
    /// however that happens, and never holds the test's output open.
    static qint64 startTied(const QString &command)
    {
        const QString script = QStringLiteral(
            "exec >/dev/null 2>&1 </dev/null; %1 & child=$!; trap 'kill $child; wait $child; exit 0' TERM; "
            "while kill -0 %2 && kill -0 $child; do sleep 0.2; done; kill $child")
                                   .arg(command)
                                   .arg(QCoreApplication::applicationPid());
        qint64 pid = 0;
        return QProcess::startDetached(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script}, QString(), &pid) ? pid : 0;
    }

    bool start()
    {
        const QString xvfbPath = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString openbox = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (xvfbPath.isEmpty() || openbox.isEmpty()) {
            why = QStringLiteral("Xvfb or openbox is not installed");
            installed = false;
            return false;
        }
        // Xvfb picks a free display itself and writes its number.
        const QString numberFile = dir->filePath(QStringLiteral("display"));
        xvfb = startTied(QStringLiteral("'%1' -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>'%2'").arg(xvfbPath, numberFile));
        if (!xvfb) {
            why = QStringLiteral("Xvfb would not start");
            return false;
        }
        QString number;
        waitFor([&] {
            QFile f(numberFile);
            number = f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()) : QString();
            return number.endsWith(u'\n');
        }, 15000);
        if (!number.endsWith(u'\n')) {
            why = QStringLiteral("Xvfb did not report its display");
            return false;
        }
        display = u':' + number.trimmed();
        qputenv("DISPLAY", display.toLatin1());
        // No key bindings: Alt+Tab and the rest are free for the lock to take.
        const QString rc = dir->filePath(QStringLiteral("rc.xml"));
        writeLines(rc, {QStringLiteral("<?xml version=\"1.0\"?>"),
                        QStringLiteral("<openbox_config xmlns=\"http://openbox.org/3.4/rc\">"),
                        QStringLiteral("<focus><focusNew>yes</focusNew></focus><keyboard></keyboard>"),
                        QStringLiteral("</openbox_config>")});
        const QString wmLog = dir->filePath(QStringLiteral("openbox.log"));
        auto managedNow = [this] {
            xcb_connection_t *c = xcb_connect(display.toLatin1().constData(), nullptr);
            bool ok = false;
            if (!xcb_connection_has_error(c)) {
                const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
                xcb_intern_atom_reply_t *a = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, 24, "_NET_SUPPORTING_WM_CHECK"), nullptr);
                if (a) {
                    xcb_get_property_reply_t *p =
                        xcb_get_property_reply(c, xcb_get_property(c, 0, root, a->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
                    ok = p && xcb_get_property_value_length(p) == 4;
                    std::free(p);
                }
                std::free(a);
            }
            xcb_disconnect(c);
            return ok;
        };
        // A display that Xvfb has just announced may refuse a first connection; openbox then ends
        // at once and is started again.
        bool managed = false;
        for (int attempt = 0; attempt < 5 && !managed; ++attempt) {
            wm = startTied(QStringLiteral("DISPLAY=%1 '%2' --config-file '%3' 2>'%4'").arg(display, openbox, rc, wmLog));
            if (!wm) {
                why = QStringLiteral("openbox would not start");
                return false;
            }
            const qint64 wrapper = wm;
            managed = waitFor([&] { return managedNow() || !watchdog::PidWatcher::isAlive(wrapper); }, 15000) && managedNow();
        }
        if (!managed)
            why = QStringLiteral("openbox did not take the display %1: %2").arg(display, [&] {
                QFile f(wmLog);
                return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
            }());
        up = managed;
        return managed;
    }

    /// Ends openbox and Xvfb and waits for them, so that the next run finds the display free.
    void stop()
    {
        for (qint64 pid : {wm, xvfb}) {
            if (pid <= 0)
                continue;
            ::kill(pid_t(pid), SIGTERM);
            waitFor([pid] { return !watchdog::PidWatcher::isAlive(pid); }, 5000);
        }
    }
};

XSession *g_x = nullptr;

} // namespace

class TestDesktopLockX11 : public QObject {
    Q_OBJECT

    QTemporaryDir m_data;
    QTemporaryDir m_fakeTools;
    qint64 m_startedAtMs = 0;
    static constexpr int kPlayersDelayMs = 3000;
    NoNetworkHeadProbe m_head;
    tovalin::test::RecordingSound m_sound;
    std::unique_ptr<Application> m_app;
    std::shared_ptr<X11Connection> m_x11;
    std::unique_ptr<X11DesktopWindows> m_probe;
    QList<QProcess *> m_clients;

    xcb_connection_t *c() const { return m_x11->connection(); }
    xcb_window_t ours() const { return xcb_window_t(m_app->mainWindow().windowHandle()->winId()); }
    xcb_window_t active() { return m_probe->activeWindow(); }

    /// Asks the window manager to activate a window, as a click on it would.
    void activate(xcb_window_t window)
    {
        xcb_client_message_event_t e;
        std::memset(&e, 0, sizeof e);
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = window;
        e.type = m_x11->atom("_NET_ACTIVE_WINDOW");
        e.data.data32[0] = 2;
        xcb_send_event(c(), 0, m_x11->root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&e));
        xcb_flush(c());
    }

    /// A managed window whose WM_CLASS instance is `instance`, or none.
    xcb_window_t findClient(const QByteArray &instance)
    {
        const auto list = m_x11->property32(m_x11->root(), m_x11->atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
        for (uint32_t w : list.value_or(QList<uint32_t>())) {
            const auto cls = m_x11->property(w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
            if (cls && cls->split('\0').value(0) == instance)
                return w;
        }
        return XCB_WINDOW_NONE;
    }

    /// A window of "another program" (this test's own connection, no _NET_WM_PID).
    xcb_window_t makeForeignWindow(const QByteArray &cls, bool dialog)
    {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c())).data;
        const xcb_window_t w = xcb_generate_id(c());
        xcb_create_window(c(), XCB_COPY_FROM_PARENT, w, screen->root, 100, 100, 300, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        const QByteArray wmClass = cls + '\0' + cls + '\0';
        xcb_change_property(c(), XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 8,
                            uint32_t(wmClass.size()), wmClass.constData());
        if (dialog) {
            const xcb_atom_t type = m_x11->atom("_NET_WM_WINDOW_TYPE_DIALOG");
            xcb_change_property(c(), XCB_PROP_MODE_REPLACE, w, m_x11->atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1,
                                &type);
        }
        xcb_map_window(c(), w);
        xcb_flush(c());
        return w;
    }

    /// Brings `window` to the front and waits until it is active.
    bool bringToFront(xcb_window_t window)
    {
        QDeadlineTimer deadline(5000);
        while (active() != window && !deadline.hasExpired()) {
            activate(window);
            QTest::qWait(50);
        }
        return active() == window;
    }

    /// True when another client cannot grab keysym with modifiers on the root window.
    bool grabRefused(uint32_t keysym, uint16_t modifiers)
    {
        xcb_connection_t *other = xcb_connect(g_x->display.toLatin1().constData(), nullptr);
        const xcb_setup_t *setup = xcb_get_setup(other);
        const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
        xcb_keycode_t code = 0;
        const int count = setup->max_keycode - setup->min_keycode + 1;
        xcb_get_keyboard_mapping_reply_t *map = xcb_get_keyboard_mapping_reply(
            other, xcb_get_keyboard_mapping(other, setup->min_keycode, uint8_t(count)), nullptr);
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(map);
        for (int i = 0; i < xcb_get_keyboard_mapping_keysyms_length(map) && !code; ++i)
            if (syms[i] == keysym)
                code = xcb_keycode_t(setup->min_keycode + i / map->keysyms_per_keycode);
        std::free(map);
        xcb_generic_error_t *error = xcb_request_check(
            other, xcb_grab_key_checked(other, 1, root, modifiers, code, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        const bool refused = error && error->error_code == 10; // BadAccess
        std::free(error);
        xcb_disconnect(other); // drops a grab it may have got
        return code != 0 && refused;
    }

    bool accessXKeysOn()
    {
        xcb_xkb_use_extension_reply_t *use =
            xcb_xkb_use_extension_reply(c(), xcb_xkb_use_extension(c(), XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr);
        std::free(use);
        xcb_xkb_get_controls_reply_t *r =
            xcb_xkb_get_controls_reply(c(), xcb_xkb_get_controls(c(), XCB_XKB_ID_USE_CORE_KBD), nullptr);
        const bool on = r && (r->enabledControls & XCB_XKB_BOOL_CTRL_ACCESS_X_KEYS);
        std::free(r);
        return on;
    }

    void switchOnAccessXKeys()
    {
        std::free(xcb_xkb_use_extension_reply(
            c(), xcb_xkb_use_extension(c(), XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
        const uint8_t perKeyRepeat[32] = {};
        const uint32_t bit = XCB_XKB_BOOL_CTRL_ACCESS_X_KEYS;
        xcb_xkb_set_controls(c(), XCB_XKB_ID_USE_CORE_KBD, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, bit, bit,
                             XCB_XKB_CONTROL_CONTROLS_ENABLED, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, perKeyRepeat);
        xcb_flush(c());
    }

    void openMenu() { m_app->parents().parentsMenu().menuButtonClicked(); }
    void closeMenu() { m_app->mainWindow().findChild<QToolButton *>(QStringLiteral("Image49"))->click(); }

    /// The process id a lock file names (first line), or 0.
    static qint64 lockOwner(const QString &path)
    {
        return readLines(path).value_or(QStringList()).value(0).toLongLong();
    }
    /// A running tovalin of this build whose command line names the user, or 0.
    static qint64 findTovalin(const QString &argument)
    {
        const QString exe = QFileInfo(QStringLiteral(TOVALIN_BIN_DIR "/tovalin")).canonicalFilePath();
        const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString &entry : entries) {
            bool numeric = false;
            const qint64 pid = entry.toLongLong(&numeric);
            if (!numeric || !watchdog::PidWatcher::isAlive(pid))
                continue;
            if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget() == exe
                && commandLine(pid).contains(argument))
                return pid;
        }
        return 0;
    }
    static QString commandLine(qint64 pid)
    {
        QFile f(QStringLiteral("/proc/%1/cmdline").arg(pid));
        return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().replace('\0', ' ')) : QString();
    }

private slots:
    void initTestCase()
    {
        if (!g_x->installed)
            QSKIP(qPrintable(g_x->why));
        QVERIFY2(g_x->up, qPrintable(g_x->why));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        // A locked child: key combinations blocked; the menu is not locked and has a password, so
        // the parents' button opens it at once.
        QVERIFY(tovalin::test::prepareDataFolder(m_data.path(), QStringLiteral("Kim"),
                                                 {QStringLiteral("[Beveiliging]"), QStringLiteral("Nieteruit=1"),
                                                  QStringLiteral("Blokmenu=0"), QStringLiteral("Restart=0")}));
        QVERIFY(writeLines(m_data.path() + QStringLiteral("/temp0201.tvw"), {QStringLiteral("geheim")}).ok);

        // The keyboard's shortcut keys are on, as on most desktops: the lock must switch them off.
        m_x11 = X11Connection::open();
        QVERIFY(m_x11);
        m_probe = std::make_unique<X11DesktopWindows>(m_x11, nullptr);
        switchOnAccessXKeys();
        QVERIFY(accessXKeysOn());

        // A stand-in xdg-mime that notes when each question begins and ends.
        const QString fakeMime = m_fakeTools.path() + QStringLiteral("/xdg-mime");
        {
            QFile script(fakeMime);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\n"
                                        "log=%1/asked.log\n"
                                        "echo \"start $3 $(date +%s%3N)\" >>\"$log\"\n"
                                        "sleep 0.2\n"
                                        "echo \"end $3\" >>\"$log\"\n"
                                        "[ \"$3\" = video/quicktime ] && echo org.example.Moviebox.desktop\n"
                                        "[ \"$3\" = video/x-ms-asf ] && echo org.example.Surfer.desktop\n"
                                        "exit 0\n")
                             .arg(m_fakeTools.path())
                             .toUtf8());
        }
        QVERIFY(QFile::setPermissions(fakeMime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // Their desktop files: a player, and a browser that also claims a video type.
        const QString apps = m_fakeTools.path() + QStringLiteral("/share/applications");
        QVERIFY(QDir().mkpath(apps));
        QVERIFY(writeLines(apps + QStringLiteral("/org.example.Moviebox.desktop"),
                           {QStringLiteral("[Desktop Entry]"), QStringLiteral("MimeType=video/quicktime;")}).ok);
        QVERIFY(writeLines(apps + QStringLiteral("/org.example.Surfer.desktop"),
                           {QStringLiteral("[Desktop Entry]"),
                            QStringLiteral("MimeType=text/html;x-scheme-handler/http;video/x-ms-asf;")}).ok);
        qputenv("XDG_DATA_DIRS", (m_fakeTools.path() + QStringLiteral("/share")).toLocal8Bit());
        qputenv("PATH", (m_fakeTools.path() + QStringLiteral(":") + qEnvironmentVariable("PATH")).toLocal8Bit());

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        options.desktopPlayersDelayMs = kPlayersDelayMs;
        m_app = std::make_unique<Application>(options);
        m_startedAtMs = QDateTime::currentMSecsSinceEpoch();
        m_app->start();
        m_app->parents().parentsMenu().setQuestion([](QWidget *, const QString &) { return false; });
        QVERIFY(QTest::qWaitForWindowExposed(&m_app->mainWindow()));
        QVERIFY(m_app->desktop().lock().locked());
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 5000);
        // An X11 session is locked by Tovalin itself: the parents' page says so, nobody is warned.
        QCOMPARE(m_app->usersSide().managerDialog().findChild<QLabel *>(QStringLiteral("lockInForce"))->text(),
                 QStringLiteral("Lock in force on this desktop: the X11 lock."));
        QVERIFY(!m_app->mainWindow().findChild<QMessageBox *>(QStringLiteral("noDesktopLockMessage")));
    }

    void cleanupTestCase()
    {
        for (QProcess *p : std::as_const(m_clients)) {
            p->kill();
            p->waitForFinished(2000);
            delete p;
        }
        m_app.reset();
    }

    void theDesktopsPlayersAreAskedAfterTheStartOneAtATime()
    {
        // Each xdg-mime runs dozens of small programs: asked during the start-up, six at once,
        // they doubled the time to the start page on two processors.
        const QString log = m_fakeTools.path() + QStringLiteral("/asked.log");
        const auto lines = [&log] {
            QFile f(log);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                               : QStringList();
        };
        QTRY_COMPARE_WITH_TIMEOUT(lines().filter(QStringLiteral("end ")).size(), 6, 20000);
        const QStringList asked = lines();
        QCOMPARE(asked.size(), 12);
        for (int i = 0; i < asked.size(); i += 2) {
            QVERIFY2(asked[i].startsWith(QStringLiteral("start ")), qPrintable(asked.join(u'|')));
            QCOMPARE(asked[i + 1], QStringLiteral("end ") + asked[i].section(u' ', 1, 1));
        }
        // A timer of seconds may fire up to 5 % early.
        const qint64 firstAskedAt = asked.first().section(u' ', 2, 2).toLongLong();
        QVERIFY2(firstAskedAt - m_startedAtMs >= kPlayersDelayMs * 9 / 10,
                 qPrintable(QStringLiteral("asked %1 ms after the start").arg(firstAskedAt - m_startedAtMs)));
        QTRY_VERIFY(m_app->desktop().guard().players().names(PlayerKind::QuickTime).contains(QStringLiteral("Moviebox")));
        // The browser that is the default for a video type is not kept in front.
        QVERIFY(!m_app->desktop().guard().players().names(PlayerKind::WindowsMedia).contains(QStringLiteral("Surfer")));
    }

    void anotherProgramLosesTheFocusWithinASecondAndAHalf()
    {
        const QString xmessage = QStandardPaths::findExecutable(QStringLiteral("xmessage"));
        QVERIFY2(!xmessage.isEmpty(), "xmessage (x11-utils) is missing");
        auto *game = new QProcess;
        m_clients << game;
        game->start(xmessage, {QStringLiteral("-name"), QStringLiteral("kidgame"), QStringLiteral("Play with me")});
        xcb_window_t window = XCB_WINDOW_NONE;
        QTRY_VERIFY_WITH_TIMEOUT((window = findClient("kidgame")) != XCB_WINDOW_NONE, 10000);
        QVERIFY(bringToFront(window));
        QElapsedTimer since;
        since.start();
        while (active() != ours() && since.elapsed() < 1500)
            QTest::qWait(20);
        QVERIFY2(active() == ours(), qPrintable(QStringLiteral("still away after %1 ms").arg(since.elapsed())));
        // The same window clicked again: taken back again.
        QVERIFY(bringToFront(window));
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 1500);
    }

    void dialogBoxesAndAnAllowedPlayerStayInFront()
    {
        const xcb_window_t dialog = makeForeignWindow("zenity", true);
        QVERIFY(bringToFront(dialog));
        QTest::qWait(2500); // two passes of the guard
        QCOMPARE(active(), dialog);
        xcb_destroy_window(c(), dialog);
        xcb_flush(c());
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 3000);

        // A window that is only transient for another program's window is that program's: it
        // gives way as the program would.
        const xcb_window_t owner = makeForeignWindow("kidgame2", false);
        const xcb_window_t transient = makeForeignWindow("kidgame2-save", false);
        xcb_change_property(c(), XCB_PROP_MODE_REPLACE, transient, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1,
                            &owner);
        xcb_flush(c());
        QVERIFY(bringToFront(transient));
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 1500);
        xcb_destroy_window(c(), transient);
        xcb_destroy_window(c(), owner);
        xcb_flush(c());

        const xcb_window_t player = makeForeignWindow("vlc", false);
        QVERIFY(bringToFront(player));
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 1500); // not allowed yet
        m_app->profile().ToonWindowsMedia = true;
        QVERIFY(bringToFront(player));
        QTest::qWait(2500);
        QCOMPARE(active(), player);
        m_app->profile().ToonWindowsMedia = false;
        xcb_destroy_window(c(), player);
        xcb_flush(c());
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 3000);
    }

    void anotherVirtualDesktopBringsTovalinBack()
    {
        const auto current = [this] {
            return m_x11->property32(m_x11->root(), m_x11->atom("_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL)
                .value_or(QList<uint32_t>{99})
                .value(0);
        };
        const uint32_t home = current();
        // Ctrl+Alt+Right, as the window manager does it: Tovalin is left behind on its desktop.
        xcb_client_message_event_t e;
        std::memset(&e, 0, sizeof e);
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = m_x11->root();
        e.type = m_x11->atom("_NET_CURRENT_DESKTOP");
        e.data.data32[0] = home + 1;
        xcb_send_event(c(), 0, m_x11->root(), XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&e));
        xcb_flush(c());
        QTRY_COMPARE_WITH_TIMEOUT(current(), home + 1, 2000);
        QTRY_COMPARE_WITH_TIMEOUT(current(), home, 1500);
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 1500);
    }

    void keysAreHeldWhileLockedAndFreeWhileTheMenuIsOpen()
    {
        QVERIFY(m_app->desktop().lock().locked());
        QVERIFY(grabRefused(kTab, XCB_MOD_MASK_1));
        QVERIFY(grabRefused(kTab, XCB_MOD_MASK_1 | XCB_MOD_MASK_SHIFT));
        QVERIFY(grabRefused(kTab, XCB_MOD_MASK_1 | XCB_MOD_MASK_2)); // with Num Lock on
        QVERIFY(grabRefused(kEscape, XCB_MOD_MASK_CONTROL));
        QVERIFY(grabRefused(kSuperL, 0));
        QVERIFY(!accessXKeysOn());

        openMenu();
        QVERIFY(m_app->mainWindow().parentsMenuOpen());
        QVERIFY(!m_app->desktop().lock().locked());
        QVERIFY(!grabRefused(kTab, XCB_MOD_MASK_1));
        QVERIFY(!grabRefused(kEscape, XCB_MOD_MASK_CONTROL));
        QVERIFY(!grabRefused(kSuperL, 0));
        QVERIFY(accessXKeysOn());

        // A Tovalin that dies while locked: the X server undoes its lock when the connection drops.
        {
            std::shared_ptr<X11Connection> connection = X11Connection::open();
            X11KeyLock dying(connection);
            QVERIFY(dying.setNoAltTab(true).ok());
            QVERIFY(dying.setNoAccessibilityShortcuts(true).ok());
            QVERIFY(grabRefused(kTab, XCB_MOD_MASK_1));
            QVERIFY(!accessXKeysOn());
            ::shutdown(xcb_get_file_descriptor(connection->connection()), SHUT_RDWR);
            QTRY_VERIFY(!grabRefused(kTab, XCB_MOD_MASK_1));
            QTRY_VERIFY(accessXKeysOn());
        }

        // With the menu open another program may stay in front.
        const xcb_window_t other = makeForeignWindow("xterm", false);
        QVERIFY(bringToFront(other));
        QTest::qWait(2500);
        QCOMPARE(active(), other);

        // Closing the menu locks again, and the guard takes the foreground back.
        closeMenu();
        QVERIFY(m_app->desktop().lock().locked());
        QVERIFY(grabRefused(kTab, XCB_MOD_MASK_1));
        QTRY_COMPARE_WITH_TIMEOUT(active(), ours(), 1500);
        xcb_destroy_window(c(), other);
        xcb_flush(c());
    }

    void aKilledTovalinComesBackWithTheSameUser()
    {
        // The real program, in a session and data folder of its own.
        QTemporaryDir data, runtime;
        const QString user = QStringLiteral("Piet Jansen");
        QVERIFY(QDir().mkpath(data.path() + QStringLiteral("/gebruikers")));
        QVERIFY(writeLines(data.path() + QStringLiteral("/gestart.tvr"), {QStringLiteral("gestart")}).ok);
        QVERIFY(writeLines(data.path() + QStringLiteral("/start.tvr"), {user}).ok);
        QVERIFY(writeLines(data.path() + QStringLiteral("/gebruikers/Piet Jansen.usr"),
                           {QStringLiteral("[Beveiliging]"), QStringLiteral("Nieteruit=0"), QStringLiteral("Restart=1"),
                            QStringLiteral("Blokmenu=1")}).ok);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TOVALIN_DATA_DIR"), data.path());
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), g_x->display);
        QProcess starter;
        starter.setProcessEnvironment(env);
        starter.setProgram(QStringLiteral(TOVALIN_BIN_DIR "/tovalin"));
        qint64 first = 0;
        QVERIFY(starter.startDetached(&first));
        const QString instanceLock = runtime.path() + QStringLiteral("/TOVALIN.lock");
        const QString watchdogLock = runtime.path() + QStringLiteral("/tovalin-watchdog.lock");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(runtime.path() + QStringLiteral("/tovalin-watchdog.socket")), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(lockOwner(instanceLock), first, 5000);
        const qint64 watchdogPid = lockOwner(watchdogLock);
        QVERIFY(watchdogPid > 0);

        // Another user is the default now: the restart still brings Piet Jansen back.
        QVERIFY(writeLines(data.path() + QStringLiteral("/start.tvr"), {QStringLiteral("Ander")}).ok);
        ::kill(pid_t(first), SIGKILL);
        // The first start named nobody (start.tvr did): the new one names the user it brings back.
        const QString userArgument = QStringLiteral("Piet#&#$#Jansen");
        QElapsedTimer since;
        since.start();
        qint64 second = 0;
        while (since.elapsed() < 3000 && !(second = findTovalin(userArgument)))
            QTest::qWait(20);
        const qint64 waited = since.elapsed();
        // And it is the running instance, not a second start that gave way.
        bool running = false;
        if (second) {
            QDeadlineTimer deadline(10000);
            while (!(running = lockOwner(instanceLock) == second) && !deadline.hasExpired()
                   && watchdog::PidWatcher::isAlive(second))
                QTest::qWait(20);
        }
        // Leave nothing running. The new one is frozen first (else, finding no watchdog, it would
        // start one), then the watchdog goes, then the new one.
        if (second)
            ::kill(pid_t(second), SIGSTOP);
        ::kill(pid_t(watchdogPid), SIGTERM);
        QTRY_VERIFY(!watchdog::PidWatcher::isAlive(watchdogPid));
        if (second)
            ::kill(pid_t(second), SIGKILL);
        QVERIFY2(second, qPrintable(QStringLiteral("no new tovalin after %1 ms; the killed one: %2").arg(waited).arg([first] {
                     QFile f(QStringLiteral("/proc/%1/stat").arg(first));
                     return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll().left(40)) : QStringLiteral("gone");
                 }())));
        QVERIFY(running);
    }

    void exitTovalinStopsTheWatchdogAndReleasesTheLock()
    {
        // This process is "Tovalin" now, watched by the real watchdog.
        m_app->profile().Restart = true;
        m_app->desktop().setAutoRestart(true);
        const QString socket = watchdog::socketPath();
        QTRY_VERIFY_WITH_TIMEOUT(watchdog::WatchdogClient::send(watchdog::encodeWatch(m_app->desktop().autoRestart().request()), 500),
                                 5000);
        const qint64 watchdogPid = lockOwner(watchdog::lockPath());
        QVERIFY(watchdog::PidWatcher::isAlive(watchdogPid));
        QVERIFY(m_app->desktop().lock().locked());

        // "Exit Tovalin" from the parents' menu.
        openMenu();
        auto *exit = m_app->mainWindow().menuBarLink(QStringLiteral("Label44"));
        QVERIFY(exit);
        emit exit->clicked();
        QVERIFY(m_app->state().QuitRequested);
        // The watchdog has gone before the program ends: nothing can start it again.
        QTRY_VERIFY_WITH_TIMEOUT(!watchdog::PidWatcher::isAlive(watchdogPid), 2000);
        QVERIFY(!QFile::exists(socket));
        QVERIFY(!m_app->desktop().lock().locked());
        QVERIFY(!grabRefused(kTab, XCB_MOD_MASK_1));
        QVERIFY(accessXKeysOn());
    }
};

int main(int argc, char **argv)
{
    // The whole run in a session of its own: the single-instance lock and the watchdog.
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
    XSession x;
    g_x = &x;
    if (x.start())
        qputenv("QT_QPA_PLATFORM", "xcb");
    int code = 0;
    {
        QApplication app(argc, argv);
        TestDesktopLockX11 test;
        code = QTest::qExec(&test, argc, argv);
    }
    x.stop();
    return code;
}

#include "test_desktop_lock_x11.moc"
