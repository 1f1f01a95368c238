#include "state/program_state.h"
#include "core/text_file.h"
#include "parents/menu_lock.h"
#include "parents/password_store.h"
#include "parents/start_page.h"
#include "users/user_profile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

const QString kWrongLock = QStringLiteral("      Wrong password!      ");
const QString kWrongChange = QStringLiteral("     Wrong password!     ");
const QString kIncomplete = QStringLiteral("You did not complete all fields");
const QString kDifferent = QStringLiteral("You entered two different new passwords");

} // namespace

class TestPassword : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString pwFile() const { return m_dir.filePath("temp0201.tvw"); }

private slots:
    void init() { QFile::remove(pwFile()); }

    void createDialogMessages()
    {
        MenuLock lock{PasswordStore(pwFile())};
        QCOMPARE(lock.menuButtonAction(), MenuLock::MenuButtonAction::ShowCreateDialog);
        QCOMPARE(lock.createPassword("", "x").messages, QStringList{kIncomplete});
        QCOMPARE(lock.createPassword("x", "").messages, QStringList{kIncomplete});
        QCOMPARE(lock.createPassword("abc", "abC").messages, QStringList{kDifferent});
        QVERIFY(!QFile::exists(pwFile()));
        QVERIFY(lock.locked());

        const MenuLock::Confirmation ok = lock.createPassword(" Pa ss ", " Pa ss ");
        QVERIFY(ok.accepted);
        QVERIFY(ok.messages.isEmpty());
        QVERIFY(!lock.locked()); // created from the locked state: the menu opens
        const QByteArray bytes = fileBytes(pwFile());
        QVERIFY(bytes.startsWith("$argon2id$"));
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(bytes.count("\r\n"), 1);
        QVERIFY(!bytes.contains("Pa ss"));
        QCOMPARE(lock.menuButtonAction(), MenuLock::MenuButtonAction::OpenMenu);
    }

    void exactComparisonAndLockFlipsOncePerConfirmation()
    {
        MenuLock lock{PasswordStore(pwFile())};
        QVERIFY(lock.createPassword(" Pa ss ", " Pa ss ").accepted);
        QSignalSpy applied(&lock, &MenuLock::lockStateApplied);
        QCOMPARE(lock.lockDialogCaption(), QStringLiteral("Lock menu?"));

        for (const QString &wrong : {QStringLiteral("Pa ss"), QStringLiteral(" pa ss "), QStringLiteral(" Pa ss  "), QString()}) {
            const MenuLock::Confirmation c = lock.lockOrUnlock(wrong);
            QVERIFY(!c.accepted);
            QCOMPARE(c.messages, QStringList{kWrongLock});
        }
        QCOMPARE(applied.count(), 0);
        QVERIFY(!lock.locked());

        QVERIFY(lock.lockOrUnlock(" Pa ss ").accepted);
        QVERIFY(lock.locked());
        QCOMPARE(lock.lockDialogCaption(), QStringLiteral("Unlock menu?"));
        QCOMPARE(lock.menuButtonAction(), MenuLock::MenuButtonAction::ShowLockDialog);
        QVERIFY(lock.lockOrUnlock(" Pa ss ").accepted);
        QVERIFY(!lock.locked());
        QCOMPARE(applied.count(), 2);
        QCOMPARE(applied.at(0).at(0).toBool(), true);
        QCOMPARE(applied.at(1).at(0).toBool(), false);

        // The profile sets the flag but applies nothing.
        lock.setLockedFromProfile(true);
        QVERIFY(lock.locked());
        QCOMPARE(applied.count(), 2);
    }

    void changeDialogMessagesInOrder()
    {
        MenuLock lock{PasswordStore(pwFile())};
        QVERIFY(lock.createPassword("old", "old").accepted);
        const QByteArray before = fileBytes(pwFile());

        QCOMPARE(lock.changePassword("old", "", "").messages, QStringList{kIncomplete});
        QCOMPARE(lock.changePassword("wrong", "a", "b").messages, (QStringList{kWrongChange, kDifferent}));
        QCOMPARE(lock.changePassword("wrong", "a", "a").messages, QStringList{kWrongChange});
        QCOMPARE(lock.changePassword("old", "a", "").messages, QStringList{kDifferent});
        QCOMPARE(fileBytes(pwFile()), before);
        QVERIFY(!lock.locked());

        const MenuLock::Confirmation c = lock.changePassword("old", "new", "new");
        QVERIFY(c.accepted);
        QVERIFY(lock.locked()); // while unlocked, a change locks
        QVERIFY(fileBytes(pwFile()) != before);
        QCOMPARE(lock.lockOrUnlock("old").messages, QStringList{kWrongLock});
        QVERIFY(lock.lockOrUnlock("new").accepted);
    }

    void legacyPlainFileUnlocksAndIsRewrittenHashed()
    {
        writeBytes(pwFile(), "Geheim 1\r\nsecond line ignored\r\n");
        MenuLock lock{PasswordStore(pwFile())};
        QCOMPARE(lock.lockOrUnlock("geheim 1").messages, QStringList{kWrongLock});
        QCOMPARE(fileBytes(pwFile()), QByteArray("Geheim 1\r\nsecond line ignored\r\n"));

        QVERIFY(lock.lockOrUnlock("Geheim 1").accepted);
        const QByteArray rewritten = fileBytes(pwFile());
        QVERIFY(rewritten.startsWith("$argon2id$"));
        QCOMPARE(rewritten.count("\r\n"), 1);
        QVERIFY(lock.lockOrUnlock("Geheim 1").accepted);
        QCOMPARE(fileBytes(pwFile()), rewritten); // already hashed: not written again
    }

    void legacyWindowsFileStillUnlocks()
    {
        writeBytes(pwFile(), "caf\xe9\r\n"); // Windows-1252, as old versions wrote it
        PasswordStore store(pwFile());
        QVERIFY(!store.verify(QString::fromUtf8("cafe")).matched());
        QVERIFY(store.verify(QString::fromUtf8("café")).matched());
        QVERIFY(store.verify(QString::fromUtf8("café")).matched()); // now hashed from UTF-8
    }

    void damagedFilesAreReportedNotUnlocked_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("emptyFile") << QByteArray();
        QTest::newRow("emptyFirstLine") << QByteArray("\r\nsecret\r\n");
        QTest::newRow("truncatedHash") << QByteArray("$argon2id$v=19$m=65536,t=2,p=1$abc\r\n");
        QTest::newRow("garbageAfterMarker") << QByteArray("$argon2id$\x01\x02\r\n");
    }
    void damagedFilesAreReportedNotUnlocked()
    {
        QFETCH(QByteArray, bytes);
        writeBytes(pwFile(), bytes);
        MenuLock lock{PasswordStore(pwFile())};
        QVERIFY(lock.store().exists());
        const MenuLock::Confirmation c = lock.lockOrUnlock(QString());
        QVERIFY(!c.accepted);
        QCOMPARE(c.messages.size(), 1);
        QVERIFY(c.messages.first().contains("damaged"));
        // The change dialog reports the file before looking at the fields.
        QCOMPARE(lock.changePassword("", "", "").messages, c.messages);
        QVERIFY(lock.locked());
        QCOMPARE(fileBytes(pwFile()), bytes);
    }

    void deletedFileIsReportedAndCreateOffered()
    {
        MenuLock lock{PasswordStore(pwFile())};
        QVERIFY(lock.createPassword("p", "p").accepted);
        QFile::remove(pwFile());
        const MenuLock::Confirmation c = lock.lockOrUnlock("p");
        QVERIFY(!c.accepted);
        QVERIFY(c.messages.first().contains("missing"));
        QCOMPARE(lock.lockLinkAction(), MenuLock::MenuButtonAction::ShowCreateDialog);
        QCOMPARE(lock.menuButtonAction(), MenuLock::MenuButtonAction::ShowCreateDialog);
    }

    void unwritableFolderChangesNothing()
    {
        MenuLock lock{PasswordStore(m_dir.filePath("no/such/folder/temp0201.tvw"))};
        const MenuLock::Confirmation c = lock.createPassword("p", "p");
        QVERIFY(!c.accepted);
        QCOMPARE(c.messages.size(), 1);
        QVERIFY(lock.locked());
    }

    void startPageWritesOnlyStartUrl()
    {
        ProgramState state;
        state.DataFolder = m_dir.filePath("data");
        QVERIFY(QDir().mkpath(state.usersFolder()));
        UserProfile profile;

        StartPageResult r = MakeStartPage(state, profile, "http://a.example/");
        QVERIFY(!r.ok);
        QCOMPARE(r.message, QStringLiteral("     You did not select a user!    "));
        QVERIFY(profile.StartURL.isEmpty());

        state.setActiveUser("Anna Maria");
        const QString usr = state.usersFolder() + "/Anna Maria.usr";
        writeBytes(usr, "[Beveiliging]\r\nBlokmenu=1\r\nOnbekend=x\r\n\r\n[Favorieten]\r\nStartURL=http://old/\r\ngebruikfav=Dieren\r\n");
        r = MakeStartPage(state, profile, "http://a.example/x");
        QVERIFY(r.ok);
        QCOMPARE(r.message, QStringLiteral("Homepage for Anna Maria created"));
        QCOMPARE(profile.StartURL, QStringLiteral("http://a.example/x"));
        QCOMPARE(fileBytes(usr), QByteArray("[Beveiliging]\r\nBlokmenu=1\r\nOnbekend=x\r\n\r\n[Favorieten]\r\n"
                                            "StartURL=http://a.example/x\r\ngebruikfav=Dieren\r\n"));

        QFile::remove(usr);
        QVERIFY(MakeStartPage(state, profile, "http://b/").ok);
        QCOMPARE(fileBytes(usr), QByteArray("[Favorieten]\r\nStartURL=http://b/\r\n"));

        // A user started under another letter case keeps one file: the start page goes into it.
        const QString kim = state.usersFolder() + "/Kim.usr";
        writeBytes(kim, "[Beveiliging]\r\nKindvriendelijk=0\r\n[Favorieten]\r\ngebruikfav=Dieren*\r\n");
        state.setActiveUser("kim");
        QVERIFY(MakeStartPage(state, profile, "http://kim.example/").ok);
        QCOMPARE(QDir(state.usersFolder()).entryList({"*.usr"}, QDir::Files, QDir::Name),
                 (QStringList{"Anna Maria.usr", "Kim.usr"}));
        QCOMPARE(fileBytes(kim), QByteArray("[Beveiliging]\r\nKindvriendelijk=0\r\n[Favorieten]\r\n"
                                            "gebruikfav=Dieren*\r\nStartURL=http://kim.example/\r\n"));
        state.setActiveUser("Anna Maria");

        state.DataFolder = m_dir.filePath("missing");
        r = MakeStartPage(state, profile, "http://c/");
        QVERIFY(!r.ok);
        QCOMPARE(r.message, QStringLiteral("   Creating a homepage failed!   "));
        QCOMPARE(profile.StartURL, QStringLiteral("http://c/"));
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "test_password.moc"
