// Listing users, the allowed themes a profile names, the active-theme rule, and
// saves that must fail without losing anything.

#include "support_users.h"

#include "state/program_state.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <unistd.h>

using namespace tovalin;
using usertest::readBytes;
using usertest::writeBytes;

class TestUserStore : public QObject {
    Q_OBJECT
private slots:
    void listsProfileFilesOnly()
    {
        usertest::DataFolder data;
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);
        for (const char *name : {"Piet.usr", ".Verborgen.usr", " Anna .usr", "my.usrfile.usr", "notes.txt", "Oud.USR", ".usr"})
            writeBytes(data.usersFile(QString::fromLatin1(name)), "");
        QDir(data.usersFile(QString())).mkdir("Map.usr");

        QCOMPARE(store.ListUsers(), (QStringList{"Anna", "", ".Verborgen", "my.usrfile", "Piet"}));
        QVERIFY(store.UserExists("piet"));
        QVERIFY(store.UserExists("PIET"));
        QVERIFY(store.UserExists(".verborgen"));
        QVERIFY(!store.UserExists("Map"));
        QVERIFY(!store.UserExists("Pie"));

        // Another spelling of an existing user reaches that user's file, never a twin of it.
        QCOMPARE(store.profilePath("piet"), data.usersFile("Piet.usr"));
        QCOMPARE(store.profilePath("Anna"), data.usersFile(" Anna .usr"));
        QCOMPARE(store.profilePath("Nieuw"), data.usersFile("Nieuw.usr"));
        profile = UserProfile::fileDefaults();
        QVERIFY(store.SaveUserProfile("PIET", {}).ok);
        QVERIFY(readBytes(data.usersFile("Piet.usr")).startsWith("[Beveiliging]\r\n"));
        QVERIFY(!QFile::exists(data.usersFile("PIET.usr")));
    }

    void allowedThemesFromGebruikfav_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("allowed");
        QTest::newRow("emptyListMarker") << "None selected" << QStringList{};
        QTest::newRow("emptyValue") << "" << QStringList{};
        QTest::newRow("textAfterLastStarIgnored") << "A*B" << QStringList{"A"};
        QTest::newRow("namesAreCaseSensitive") << "a*" << QStringList{};
        QTest::newRow("orderOfTheValueKept") << "C*A*B*" << QStringList{"C", "A", "B"};
        QTest::newRow("missingThemesDropped") << "Weg*B*Ook weg*" << QStringList{"B"};
        QTest::newRow("emptyNamesDropped") << "**A**" << QStringList{"A"};
        QTest::newRow("noPathsOutOfThemesFolder") << "../themas/A*" << QStringList{};
    }
    void allowedThemesFromGebruikfav()
    {
        QFETCH(QString, value);
        QFETCH(QStringList, allowed);
        usertest::DataFolder data({"A", "B", "C"});
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);
        writeBytes(data.usersFile("Kind.usr"), "[Favorieten]\r\ngebruikfav=" + value.toUtf8() + "\r\n");

        QCOMPARE(store.LoadUserProfile("Kind"), ProfileLoad::Loaded);
        QCOMPARE(store.AllowedThemes(), allowed);
    }

    void activeThemeFollowsTheAllowedList()
    {
        usertest::DataFolder data({"X", "Y", "Z"});
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);
        QSignalSpy display(&store, &UserStore::displayChanged);
        writeBytes(data.usersFile("Kind.usr"), "[Favorieten]\r\ngebruikfav=X*Y*\r\n");
        writeBytes(data.usersFile("Leeg.usr"), "[Favorieten]\r\ngebruikfav=None selected\r\n");

        state.setActiveTheme("Y");
        store.LoadUserProfile("Kind");
        QCOMPARE(state.activeTheme(), QStringLiteral("Y"));

        state.setActiveTheme("Z");
        store.LoadUserProfile("Kind");
        QCOMPARE(state.activeTheme(), QStringLiteral("X"));
        QVERIFY(store.chooserArrowVisible());

        // With no allowed theme the theme on show stays.
        store.LoadUserProfile("Leeg");
        QCOMPARE(state.activeTheme(), QStringLiteral("X"));
        QVERIFY(!store.chooserArrowVisible());
        QCOMPARE(display.count(), 3);
    }

    void missingProfileKeepsTheSettingsInForce()
    {
        usertest::DataFolder data({"A"});
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);
        store.setAllowedThemes({"A"});
        profile.Kindvriendelijk = true;
        profile.MinTijdKlok = QStringLiteral("12");

        QCOMPARE(store.LoadUserProfile("Niemand"), ProfileLoad::Missing);
        QCOMPARE(store.LoadUserProfile(""), ProfileLoad::Missing);
        QVERIFY(profile.Kindvriendelijk && !profile.Nieteruit);
        QCOMPARE(profile.MinTijdKlok, QStringLiteral("12"));
        QVERIFY(store.AllowedThemes().isEmpty());
        QCOMPARE(store.userLabelText(), QStringLiteral("No user available"));
        QCOMPARE(store.themeLabelText(), QStringLiteral("None selected"));
        state.setActiveUser("Jan");
        state.setActiveTheme("A");
        QCOMPARE(store.userLabelText(), QStringLiteral("Jan"));
        QCOMPARE(store.themeLabelText(), QStringLiteral("A"));

        // A name with a slash never reaches a file outside the users folder.
        writeBytes(data.path() + "/Buiten.usr", "[Beveiliging]\r\nNieteruit=0\r\n");
        QCOMPARE(store.LoadUserProfile("../Buiten"), ProfileLoad::Missing);
        QVERIFY(!store.SaveUserProfile("../Buiten", {}).ok);
        QCOMPARE(readBytes(data.path() + "/Buiten.usr"), QByteArray("[Beveiliging]\r\nNieteruit=0\r\n"));
    }

    void unreadableProfileFallsBackToTheSafeDefaultsAndIsNeverOverwritten()
    {
        usertest::DataFolder data({"A"});
        ProgramState state;
        data.attach(state);
        UserProfile profile; // every block off
        UserStore store(state, profile);
        const QString path = data.usersFile("Reus.usr");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[Favorieten]\r\nStartURL=http://keep/\r\n");
            QVERIFY(f.resize(kMaxTextFileBytes + 1)); // sparse: cheap to make
        }
        QCOMPARE(store.LoadUserProfile("Reus"), ProfileLoad::Unreadable);
        QVERIFY(profile.Kindvriendelijk && profile.Nieteruit && profile.Blokmenu);

        const WriteResult saved = store.SaveUserProfile("Reus", {"A"});
        QVERIFY(!saved.ok);
        QVERIFY(!saved.error.isEmpty());
        QCOMPARE(QFileInfo(path).size(), kMaxTextFileBytes + 1);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.read(20), QByteArray("[Favorieten]\r\nStartU"));
    }

    void unwritableUsersFolderFailsTheSave()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath("data");
        writeBytes(blocker, "a regular file where the data folder should be");
        ProgramState state;
        state.DataFolder = blocker;
        UserProfile profile;
        UserStore store(state, profile);

        const WriteResult saved = store.SaveUserProfile("Piet", {});
        QVERIFY(!saved.ok);
        QVERIFY(!saved.error.isEmpty());
        QCOMPARE(readBytes(blocker), QByteArray("a regular file where the data folder should be"));
        QVERIFY(store.ListUsers().isEmpty());
        QCOMPARE(store.LoadUserProfile("Piet"), ProfileLoad::Missing);
    }

    void missingUsersFolderIsCreatedOnSave()
    {
        QTemporaryDir dir;
        ProgramState state;
        state.DataFolder = dir.filePath("nieuw");
        UserProfile profile;
        UserStore store(state, profile);
        QVERIFY(store.SaveUserProfile("Piet", {}).ok);
        QCOMPARE(store.ListUsers(), QStringList{"Piet"});
    }

    void readOnlyFolderKeepsTheOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only folders");
        usertest::DataFolder data;
        ProgramState state;
        data.attach(state);
        UserProfile profile;
        UserStore store(state, profile);
        writeBytes(data.usersFile("Piet.usr"), "[Extra]\r\nOwn=1\r\n");
        QFile::setPermissions(data.usersFile(QString()), QFile::ReadOwner | QFile::ExeOwner);
        const WriteResult saved = store.SaveUserProfile("Piet", {});
        QFile::setPermissions(data.usersFile(QString()), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!saved.ok);
        QCOMPARE(readBytes(data.usersFile("Piet.usr")), QByteArray("[Extra]\r\nOwn=1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestUserStore)
#include "test_user_store.moc"
