// The order in which activating a user reaches the rest of the program, at
// start-up and through "Open" / "Finish".

#include "support_users.h"

#include "state/program_state.h"
#include "users/user_activation.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QSignalSpy>
#include <QtTest>

using namespace tovalin;
using usertest::writeBytes;

namespace {

class RecordingHooks : public UserActivationHooks {
public:
    QStringList calls;

    void applyWindowSettings(const UserProfile &p) override
    {
        calls << QStringLiteral("window print=%1 exit=%2").arg(!p.Hideprint).arg(p.Toonsluit);
    }
    void setKeyLock(bool on) override { calls << QStringLiteral("keyLock %1").arg(on); }
    void setAutoRestart(bool on) override { calls << QStringLiteral("autoRestart %1").arg(on); }
    void startTimeClock(const QString &minutes) override { calls << "startTimeClock " + minutes; }
    void stopTimeClock() override { calls << "stopTimeClock"; }
    void startSwitchClock() override { calls << "startSwitchClock"; }
    void stopSwitchClock() override { calls << "stopSwitchClock"; }
    void setBrowserSilent() override { calls << "browserSilent"; }
    void enlargeBrowserPanel() override { calls << "enlargeBrowserPanel"; }
    void loadTheme(const QString &theme) override { calls << "loadTheme " + theme; }
    void loadSiteLists() override { calls << "loadSiteLists"; }
    void setMenuLocked(bool locked) override { calls << QStringLiteral("menuLocked %1").arg(locked); }
    void themeChooserChanged(const QStringList &themes, bool arrow) override
    {
        calls << QStringLiteral("chooser %1 arrow=%2").arg(themes.join(u'|')).arg(arrow);
    }
    void userLabelsChanged(const QString &user, const QString &theme) override
    {
        calls << QStringLiteral("labels %1 / %2").arg(user, theme);
    }
};

const QByteArray kLockedChild =
    "[Beveiliging]\r\nNieteruit=1\r\nRestart=0\r\nBlokmenu=1\r\n"
    "[Extra]\r\nStartTijdKlok=1\r\nMinTijdKlok=20\r\nStartWisselKlok=0\r\nToonsluit=1\r\n"
    "[Favorieten]\r\ngebruikfav=X*Y*\r\n";

const QByteArray kFreeChild =
    "[Beveiliging]\r\nNieteruit=0\r\nRestart=1\r\nBlokmenu=0\r\n"
    "[Extra]\r\nStartTijdKlok=0\r\nStartWisselKlok=1\r\nHideprint=1\r\n"
    "[Favorieten]\r\ngebruikfav=Y*\r\n";

struct Fixture {
    usertest::DataFolder data{{"X", "Y"}};
    ProgramState state;
    UserProfile profile;
    UserStore store{state, profile};
    RecordingHooks hooks;
    UserSession session{state, profile, store, hooks};

    Fixture()
    {
        data.attach(state);
        writeBytes(data.usersFile("Kind.usr"), kLockedChild);
        writeBytes(data.usersFile("Vrij.usr"), kFreeChild);
    }
};

} // namespace

class TestUserActivation : public QObject {
    Q_OBJECT
private slots:
    void openActivatesInItsOrder()
    {
        Fixture f;
        QSignalSpy activated(&f.session, &UserSession::userActivated);
        f.session.ActivateUser("Kind");
        QCOMPARE(f.hooks.calls, (QStringList{
                                    "labels Kind / X",
                                    "autoRestart 0",
                                    "keyLock 1",
                                    "window print=1 exit=1",
                                    "stopSwitchClock",
                                    "startTimeClock 20",
                                    "chooser X|Y arrow=1",
                                    "loadTheme X",
                                    "loadSiteLists",
                                }));
        QCOMPARE(f.state.activeUser(), QStringLiteral("Kind"));
        QCOMPARE(f.state.activeTheme(), QStringLiteral("X"));
        QCOMPARE(activated.count(), 1);

        // The next user: one theme, the one now on show, so no arrow; clocks swap.
        f.hooks.calls.clear();
        f.session.ActivateUser("Vrij");
        QCOMPARE(f.hooks.calls, (QStringList{
                                    "labels Vrij / Y",
                                    "autoRestart 1",
                                    "keyLock 0",
                                    "window print=0 exit=0",
                                    "startSwitchClock",
                                    "stopTimeClock",
                                    "chooser Y arrow=0",
                                    "loadTheme Y",
                                    "loadSiteLists",
                                }));
    }

    void startUpActivatesInItsOwnOrder()
    {
        Fixture f;
        f.session.activateAtStartUp("Kind");
        QCOMPARE(f.hooks.calls, (QStringList{
                                    "chooser X|Y arrow=1",
                                    "labels Kind / X",
                                    "loadTheme X",
                                    "window print=1 exit=1",
                                    "stopSwitchClock",
                                    "startTimeClock 20",
                                    "browserSilent",
                                    "autoRestart 0",
                                    "keyLock 1",
                                    "enlargeBrowserPanel",
                                    "menuLocked 1",
                                }));

        Fixture g;
        g.session.activateAtStartUp("Vrij");
        QVERIFY(!g.hooks.calls.contains("enlargeBrowserPanel"));
        QVERIFY(!g.hooks.calls.contains("loadSiteLists"));
        QVERIFY(g.hooks.calls.contains("keyLock 0"));
        QCOMPARE(g.hooks.calls.constLast(), QStringLiteral("menuLocked 0"));
    }

    void noUserMeansTheSafeSettings_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("password");
        QTest::newRow("noStartUser") << QString() << false;
        QTest::newRow("startUserWithoutProfile") << QStringLiteral("Ghost") << false;
        QTest::newRow("startUserWithoutProfileAndAPassword") << QStringLiteral("Ghost") << true;
    }
    void noUserMeansTheSafeSettings()
    {
        QFETCH(QString, name);
        QFETCH(bool, password);
        Fixture f;
        if (password)
            writeBytes(f.state.passwordFile(), "secret\r\n");
        // Whatever was in force before (the manager's unticked boxes) lets nothing through now.
        f.session.activateAtStartUp(name);
        QCOMPARE(f.state.activeUser(), QString());
        QCOMPARE(f.hooks.calls, (QStringList{
                                    "chooser  arrow=0",
                                    "labels No user available / None selected",
                                    "loadTheme ",
                                    "window print=1 exit=0",
                                    "stopSwitchClock",
                                    "stopTimeClock",
                                    "browserSilent",
                                    "autoRestart 0",
                                    QStringLiteral("keyLock %1").arg(password),
                                }
                                + QStringList(password ? QStringList{"enlargeBrowserPanel"} : QStringList{})
                                + QStringList{"menuLocked 1"}));
        QVERIFY(f.profile.Kindvriendelijk);
        QVERIFY(f.profile.Kindonvriendelijk);
        QVERIFY(f.profile.Blokdoc && f.profile.Blokpdf && f.profile.Blokxls && f.profile.Bloktxt && f.profile.Blokppt);
        QVERIFY(f.profile.Blokmenu);
        QCOMPARE(f.profile.Nieteruit, password);

        // "Open" of a user whose file went since: no user, the same safe settings.
        f.session.ActivateUser("Vrij");
        f.profile.Kindvriendelijk = false; // as a parent may have set it for Vrij
        f.profile.Kindonvriendelijk = false;
        f.session.ActivateUser("Gone");
        QCOMPARE(f.state.activeUser(), QString());
        QVERIFY(f.profile.Kindvriendelijk && f.profile.Kindonvriendelijk);
    }
};

QTEST_GUILESS_MAIN(TestUserActivation)
#include "test_user_activation.moc"
