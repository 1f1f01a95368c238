// The start user: from the command line, else line 1 of start.tvr, and
// rewriting line 1 without touching the other lines.

#include "support_users.h"

#include "users/start_user.h"

#include <QFile>
#include <QtTest>

using namespace tovalin;
using usertest::readBytes;
using usertest::writeBytes;

namespace {
const QString kNoRights = QStringLiteral("You don't have administator rights. Use another account!");
}

class TestStartUser : public QObject {
    Q_OBJECT
private slots:
    void parameterOneOverridesStartTvr_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("user");
        QTest::newRow("threeWordNameRestored") << QStringList{"tovalin", "Groep#&#$#drie#&#$#b"} << "Groep drie b";
        QTest::newRow("everyMarkerReplaced") << QStringList{"tovalin", "#&#$#A#&#$##&#$#B#&#$#"} << " A  B ";
        QTest::newRow("onlyParameterOneCounts") << QStringList{"tovalin", "Jan", "Piet"} << "Jan";
        QTest::newRow("emptyParameterStillWins") << QStringList{"tovalin", ""} << "";
        QTest::newRow("noParameterReadsStartTvr") << QStringList{"tovalin"} << "Uit bestand";
        QTest::newRow("noArgumentsAtAll") << QStringList{} << "Uit bestand";
    }
    void parameterOneOverridesStartTvr()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, user);
        QTemporaryDir dir;
        const QString startTvr = dir.filePath("start.tvr");
        writeBytes(startTvr, "Uit bestand\r\nandere regel\r\n");
        QCOMPARE(startUserFromArguments(args, startTvr), user);
    }

    void launcherArgumentRoundTrips()
    {
        const QString name = QStringLiteral("Groep  drie b");
        const QString arg = encodeStartUserArgument(name);
        QVERIFY(!arg.contains(u' '));
        QCOMPARE(startUserFromArguments({"tovalin", arg}, QString()), name);
    }

    void readsLineOne()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("start.tvr");
        QCOMPARE(readStartUser(path), QString());
        writeBytes(path, "");
        QCOMPARE(readStartUser(path), QString());
        writeBytes(path, "Piet");
        QCOMPARE(readStartUser(path), QStringLiteral("Piet"));
        writeBytes(path, "Zo\xeb\nJan\n"); // made on Windows
        QCOMPARE(readStartUser(path), QString::fromUtf8("Zoë"));
    }

    void rewritingLineOneKeepsTheOthers()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("start.tvr");
        writeBytes(path, "Oud\r\ntweede\r\n\r\nderde\r\n");
        QVERIFY(setStartUser(path, "Nieuw", StartUserWrite::ReplaceOnly).ok);
        QCOMPARE(readBytes(path), QByteArray("Nieuw\r\ntweede\r\n\r\nderde\r\n"));
        QVERIFY(setStartUser(path, QString::fromUtf8("Zoë"), StartUserWrite::ReplaceOrAppend).ok);
        QCOMPARE(readBytes(path), QByteArray("Zo\xc3\xab\r\ntweede\r\n\r\nderde\r\n"));
    }

    void missingOrEmptyFileDependsOnTheMode()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("start.tvr");
        WriteResult r = setStartUser(path, "Piet", StartUserWrite::ReplaceOnly);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, kNoRights);
        QVERIFY(!QFile::exists(path));
        QVERIFY(setStartUser(path, "Piet", StartUserWrite::ReplaceOrAppend).ok);
        QCOMPARE(readBytes(path), QByteArray("Piet\r\n"));

        writeBytes(path, "");
        QVERIFY(!setStartUser(path, "Jan", StartUserWrite::ReplaceOnly).ok);
        QCOMPARE(readBytes(path), QByteArray());
        QVERIFY(setStartUser(path, "Jan", StartUserWrite::ReplaceOrAppend).ok);
        QCOMPARE(readBytes(path), QByteArray("Jan\r\n"));
    }

    void unwritableTargetChangesNothing()
    {
        QTemporaryDir dir;
        writeBytes(dir.filePath("data"), "a file, not a folder");
        const WriteResult r = setStartUser(dir.filePath("data/start.tvr"), "Piet", StartUserWrite::ReplaceOrAppend);
        QVERIFY(!r.ok);
        QCOMPARE(r.error, kNoRights);
        QCOMPARE(readBytes(dir.filePath("data")), QByteArray("a file, not a folder"));

        // A file too large to read is never replaced by a one-line file.
        const QString big = dir.filePath("start.tvr");
        {
            QFile f(big);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Oud\r\n");
            QVERIFY(f.resize(kMaxTextFileBytes + 1));
        }
        QCOMPARE(setStartUser(big, "Piet", StartUserWrite::ReplaceOrAppend).error, kNoRights);
        QCOMPARE(QFileInfo(big).size(), kMaxTextFileBytes + 1);
        QCOMPARE(readStartUser(big), QString());
    }
};

QTEST_GUILESS_MAIN(TestStartUser)
#include "test_start_user.moc"
