// The user manager's rules on a real users folder: names that become files,
// overwriting another spelling, deleting the active user, the allowed themes'
// order, Save without a user, the close checks and what closing puts in force.

#include "support_users.h"

#include "core/ini.h"
#include "core/text_file.h"
#include "state/program_state.h"
#include "users/desktop_launcher.h"
#include "users/start_user.h"
#include "users/user_activation.h"
#include "users/user_manager.h"
#include "users/user_names.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace tovalin;
using usertest::readBytes;
using usertest::writeBytes;

namespace {

class RecordingHooks : public UserActivationHooks {
public:
    QStringList calls;
    void setKeyLock(bool on) override { calls << QStringLiteral("keyLock %1").arg(on); }
    void setAutoRestart(bool on) override { calls << QStringLiteral("autoRestart %1").arg(on); }
    void applyWindowSettings(const UserProfile &) override { calls << "window"; }
    void loadTheme(const QString &theme) override { calls << "loadTheme " + theme; }
    void loadSiteLists() override { calls << "loadSiteLists"; }
    void themeChooserChanged(const QStringList &themes, bool) override { calls << "chooser " + themes.join(u'|'); }
    void userLabelsChanged(const QString &user, const QString &theme) override { calls << "labels " + user + " / " + theme; }
    void applyMenuLockState() override { calls << "menuLock"; }
};

class NoDesktop : public DesktopShell {
public:
    QString xdgUserDesktopDir() override { return {}; }
    QString environment(const char *) override { return {}; }
    void markTrusted(const QString &) override {}
};

const QByteArray kPiet = "[Beveiliging]\r\nKindvriendelijk=1\r\nNieteruit=0\r\n[Eigen]\r\nKleur=rood\r\n"
                         "[Favorieten]\r\ngebruikfav=X*\r\nStartURL=http://piet.example/\r\n";

struct Fixture {
    usertest::DataFolder data{{"X", "Y", "Z"}};
    ProgramState state;
    UserProfile profile;
    UserStore store{state, profile};
    RecordingHooks hooks;
    UserSession session{state, profile, store, hooks};
    NoDesktop desktop;
    UserManager manager{state, profile, store, session, desktop, QStringLiteral("/opt/tovalin/tovalin")};

    Fixture()
    {
        data.attach(state);
        QDir().mkpath(state.downloadsFolder());
        writeBytes(data.usersFile("Piet.usr"), kPiet);
    }
    QStringList downloads() const { return QDir(state.downloadsFolder()).entryList(QDir::Files | QDir::Hidden); }
};

} // namespace

class TestUserManager : public QObject {
    Q_OBJECT
private slots:
    void newUserOverAnotherSpellingRewritesThatFile()
    {
        Fixture f;
        f.session.ActivateUser("Piet");
        f.profile.Nieteruit = true; // the settings shown when "Create" is pressed
        QCOMPARE(f.manager.checkName("  piet "), UserManager::NameAnswer::Exists);
        QCOMPARE(UserManager::overwriteQuestion(" piet "), QStringLiteral("User piet already exists. Overwrite?"));

        const UserManager::Outcome outcome = f.manager.createUser(" piet ", UserManager::NewUserActivation::Activate);
        QVERIFY2(outcome.ok, qPrintable(outcome.message));
        // The same file, written from scratch: every key in order, no themes, nothing of the old file left.
        QCOMPARE(QDir(f.state.usersFolder()).entryList(QDir::Files), QStringList{"Piet.usr"});
        const QByteArray bytes = readBytes(f.data.usersFile("Piet.usr"));
        QVERIFY(bytes.startsWith("[Beveiliging]\r\nKindonvriendelijk="));
        QVERIFY(bytes.contains("Nieteruit=1\r\n"));
        QVERIFY(bytes.contains("WitSites=1\r\n")); // a new user's whitelist entries are sites
        QVERIFY(f.profile.WitSites);
        QVERIFY(!bytes.contains("Kleur"));
        QVERIFY(bytes.endsWith("gebruikfav=None selected\r\n"));
        // The new name is active; the themes in memory stay as they were.
        QCOMPARE(f.state.activeUser(), QStringLiteral("piet"));
        QCOMPARE(f.store.AllowedThemes(), QStringList{"X"});
        QVERIFY(f.downloads().isEmpty());
    }

    void namesThatWouldLeaveTheFolderAreRefusedEverywhere_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "../Piet";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("dotDot") << "Jan..";
        QTest::newRow("lineBreak") << "Jan\nKindvriendelijk=0";
        QTest::newRow("tooLongForTheFileSystem") << QString(300, u'a');
    }
    void namesThatWouldLeaveTheFolderAreRefusedEverywhere()
    {
        QFETCH(QString, name);
        Fixture f;
        f.session.ActivateUser("Piet");
        const QStringList before = QDir(f.data.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(f.manager.createUser(name, UserManager::NewUserActivation::Activate).message, invalidNameText());
        QCOMPARE(f.manager.saveAs(name).message, invalidNameText());
        QCOMPARE(checkUserName(name, f.state.downloadsFolder()), NameCheck::Invalid);
        QCOMPARE(QDir(f.state.usersFolder()).entryList(QDir::Files), QStringList{"Piet.usr"});
        QCOMPARE(QDir(f.data.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(f.downloads().isEmpty());
        QCOMPARE(f.state.activeUser(), QStringLiteral("Piet"));
        QCOMPARE(f.manager.createUser("   ", UserManager::NewUserActivation::Activate).message, noNameText());
    }

    void saveAsWritesTheThemesAndNamesAMissingUser()
    {
        Fixture f;
        QVERIFY(f.state.activeUser().isEmpty());
        f.store.setAllowedThemes({"Y", "X"});
        f.manager.markChanged();
        QVERIFY(f.manager.saveAs("Anna").ok);
        QVERIFY(!f.manager.ProfileChanged());
        QCOMPARE(f.state.activeUser(), QStringLiteral("Anna"));
        const auto ini = IniDocument::load(f.data.usersFile("Anna.usr"));
        QCOMPARE(ini->stringValue("Favorieten", "gebruikfav"), QStringLiteral("Y*X*"));
        // With a user active, Save as leaves the active user alone.
        QVERIFY(f.manager.saveAs("Bert").ok);
        QCOMPARE(f.state.activeUser(), QStringLiteral("Anna"));
    }

    void saveWithoutAUserWritesNothing()
    {
        Fixture f;
        f.manager.markChanged();
        QCOMPARE(f.manager.save(), UserManager::SaveOutcome::NoActiveUser);
        QVERIFY(!f.manager.ProfileChanged());
        QCOMPARE(QDir(f.state.usersFolder()).entryList(QDir::Files), QStringList{"Piet.usr"});
    }

    void themeListEditsAndTheirSavedOrder()
    {
        Fixture f;
        f.session.ActivateUser("Piet");
        QCOMPARE(f.manager.allowedThemes(), QStringList{"X"});
        QVERIFY(!f.manager.addTheme("X")); // already allowed: nothing happens
        QVERIFY(!f.manager.ProfileChanged());
        QVERIFY(f.manager.addTheme("Z"));
        QVERIFY(f.manager.addTheme("Y"));
        QVERIFY(f.manager.moveThemeUp(2));  // X Y Z
        QVERIFY(!f.manager.moveThemeUp(0)); // the top stays
        QVERIFY(f.manager.moveThemeDown(0)); // Y X Z
        QVERIFY(!f.manager.moveThemeDown(2));
        QVERIFY(!f.manager.removeTheme(7));
        QCOMPARE(f.manager.allowedThemes(), (QStringList{"Y", "X", "Z"}));
        QVERIFY(f.manager.ProfileChanged());

        QCOMPARE(f.manager.save(), UserManager::SaveOutcome::Saved);
        QVERIFY(!f.manager.ProfileChanged());
        const auto ini = IniDocument::load(f.data.usersFile("Piet.usr"));
        QCOMPARE(ini->stringValue("Favorieten", "gebruikfav"), QStringLiteral("Y*X*Z*"));
        // Save keeps what the manager does not know.
        QCOMPARE(ini->stringValue("Eigen", "Kleur"), QStringLiteral("rood"));
    }

    void unsavedChangesGiveWayToTheSavedOnesOnActivate()
    {
        Fixture f;
        f.manager.open("Piet");
        QVERIFY(f.profile.Kindvriendelijk);
        f.profile.Kindvriendelijk = false; // in force at once...
        f.store.setAllowedThemes({});
        f.manager.markChanged();
        // ... until the manager is shown again after No to the save question.
        f.manager.shown();
        f.manager.activated();
        QVERIFY(!f.manager.ProfileChanged());
        QVERIFY(f.profile.Kindvriendelijk);
        QCOMPARE(f.manager.allowedThemes(), QStringList{"X"});
    }

    void deletingTheActiveUserLeavesNoUserAndTheSafeSettings_data()
    {
        QTest::addColumn<QString>("opened");
        QTest::addColumn<QString>("deleted");
        QTest::newRow("sameSpelling") << "Piet" << "Piet";
        // The file decides which user is deleted, not how either name was typed.
        QTest::newRow("activeUnderAnotherSpelling") << "piet" << "Piet";
        QTest::newRow("deletedUnderAnotherSpelling") << "Piet" << "PIET";
    }
    void deletingTheActiveUserLeavesNoUserAndTheSafeSettings()
    {
        QFETCH(QString, opened);
        QFETCH(QString, deleted);
        Fixture f;
        QVERIFY(writeLines(f.state.startUserFile(), {"Piet", "kept"}).ok);
        f.manager.open(opened);
        QCOMPARE(f.state.activeTheme(), QStringLiteral("X"));
        QCOMPARE(UserManager::deleteQuestion("Piet"), QStringLiteral("Do you want to remove user Piet?"));
        f.profile.Kindonvriendelijk = false; // Piet's boxes, unticked before the delete
        f.profile.Blokpdf = false;
        QVERIFY(f.manager.deleteUser(deleted).ok);
        QVERIFY(!QFile::exists(f.data.usersFile("Piet.usr")));
        QVERIFY(f.state.activeUser().isEmpty());
        QVERIFY(f.state.activeTheme().isEmpty());
        QVERIFY(f.manager.allowedThemes().isEmpty());
        // No user: the protections of a profile without keys hold, not Piet's settings.
        QVERIFY(f.profile.Kindvriendelijk && f.profile.Kindonvriendelijk && f.profile.Blokpdf);
        QCOMPARE(f.store.userLabelText(), QStringLiteral("No user available"));
        QCOMPARE(readLines(f.state.startUserFile()).value(), (QStringList{"Piet", "kept"}));
        QVERIFY(!f.manager.deleteUser("Piet").ok); // gone: nothing more happens

        // The next start names the deleted user: no user, no settings of another one, and the
        // protections of a profile without keys in force.
        ProgramState next;
        f.data.attach(next);
        UserProfile fresh;
        UserStore store(next, fresh);
        RecordingHooks hooks;
        UserSession session(next, fresh, store, hooks);
        session.activateAtStartUp(readStartUser(next.startUserFile()));
        QVERIFY(next.activeUser().isEmpty());
        QVERIFY(hooks.calls.contains("labels No user available / None selected"));
        QVERIFY(fresh.Kindvriendelijk && fresh.Kindonvriendelijk && fresh.Blokpdf && fresh.Blokmenu);
    }

    void startUserBoxMakesAMissingStartFile()
    {
        Fixture f;
        QVERIFY(!f.manager.isStartUser("Piet"));
        const UserManager::Outcome outcome = f.manager.makeStartUser("Piet");
        QCOMPARE(outcome.message, QStringLiteral("The next time the Tovalin will start with Piet"));
        QCOMPARE(readLines(f.state.startUserFile()).value(), QStringList{"Piet"});
        QVERIFY(f.manager.isStartUser("Piet"));
        QVERIFY(!f.manager.isStartUser("piet")); // exact, as the file says it
    }

    void closeChecksAndWhatClosingPutsInForce()
    {
        Fixture f;
        f.manager.open("Piet");
        f.profile.StartTijdKlok = true;
        f.profile.MinTijdKlok = QStringLiteral("  ");
        QCOMPARE(f.manager.closeCheck(), UserManager::CloseCheck::TimeClockMinutesMissing);
        QCOMPARE(UserManager::closeCheckText(f.manager.closeCheck()),
                 QStringLiteral("You activated the clock, but did not enter a time span"));
        f.profile.MinTijdKlok = QStringLiteral("20");
        f.profile.StartWisselKlok = true;
        f.profile.MinWisselKlok.clear();
        QCOMPARE(f.manager.closeCheck(), UserManager::CloseCheck::SwitchClockMinutesMissing);
        f.profile.MinWisselKlok = QStringLiteral("5");
        QCOMPARE(f.manager.closeCheck(), UserManager::CloseCheck::Ok);

        // The parent took the shown theme off the list: the child moves to the first one left.
        QVERIFY(f.manager.removeTheme(0));
        QVERIFY(f.manager.addTheme("Z"));
        f.hooks.calls.clear();
        f.manager.closed();
        QCOMPARE(f.hooks.calls, (QStringList{"labels Piet / X", "autoRestart 0", "keyLock 0", "window", "chooser Z",
                                             "loadTheme Z", "loadSiteLists", "labels Piet / Z", "menuLock"}));
    }

    void shortcutNeedsAnActiveUser()
    {
        Fixture f;
        const UserManager::Outcome outcome = f.manager.createShortcut(ShortcutIcon::Blue);
        QVERIFY(!outcome.ok);
        QVERIFY(!outcome.message.isEmpty());
        QVERIFY(f.manager.ProfileChanged());
    }
};

QTEST_GUILESS_MAIN(TestUserManager)
#include "test_user_manager.moc"
