// The admin command: verdicts, exit codes and its defaults, run as a user would.

#include "core/text_file.h"
#include "guard/entry_store.h"
#include "support/tar_gz.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run tovalinctl(const QStringList &args, const QString &dataDir = QString())
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TOVALIN_DATA_DIR"));
    if (!dataDir.isEmpty())
        env.insert(QStringLiteral("TOVALIN_DATA_DIR"), dataDir);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOVALIN_BIN_DIR "/tovalinctl"), args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

bool put(const QString &path, const QStringList &lines)
{
    QDir().mkpath(QFileInfo(path).path());
    return tovalin::writeLines(path, lines).ok;
}

} // namespace

class TestTovalinctl : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString data() const { return m_dir.path(); }

private slots:
    void initTestCase()
    {
        QVERIFY(put(data() + "/start.tvr", {"Piet Jansen"}));
        QVERIFY(put(data() + "/gebruikers/Piet Jansen.usr",
                    {"[Beveiliging]", "Kindonvriendelijk=1", "Kindvriendelijk=1", "Toonwmv=1", "Toonavi=0",
                     "[Favorieten]", "StartURL=https://start.example/home", "gebruikfav=Dieren*Spelletjes*"}));
        QVERIFY(put(data() + "/gebruikers/Open.usr", {"[Beveiliging]", "Kindvriendelijk=0", "Blokpdf=0"}));
        QVERIFY(put(data() + "/themas/Dieren.llt", {}));
        {
            // Made on Windows: the international name in Windows-1252.
            QFile white(data() + "/themas/Dieren.kvu");
            QVERIFY(white.open(QIODevice::WriteOnly));
            QVERIFY(white.write("zoo.example\r\ncaf\xe9.example\r\n") > 0);
        }
        QVERIFY(put(data() + "/themas/Dieren.kou", {"http://zoo.example/scary"}));
        QVERIFY(put(data() + "/themas/Spelletjes.llt", {}));
        QVERIFY(put(data() + "/themas/Spelletjes.kvu", {"games.example"}));
    }

    void verdictsOfTheStartUserAndFirstTheme_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("verdict");
        QTest::newRow("whitelisted") << "http://zoo.example/lions" << "allowed";
        QTest::newRow("startPageSiteOverHttps") << "https://start.example/other" << "allowed";
        QTest::newRow("notWhitelisted") << "http://games.example/" << "refused:whitelist";
        QTest::newRow("blacklisted") << "http://zoo.example/scary" << "refused:blacklist";
        QTest::newRow("blacklistedWithSlash") << "http://zoo.example/scary/" << "refused:blacklist";
        QTest::newRow("document") << "http://zoo.example/map.PDF" << "refused:document";
        QTest::newRow("realMedia") << "http://zoo.example/roar.ram" << "refused:realmedia";
        QTest::newRow("allowedVideo") << "http://zoo.example/cubs.wmv" << "video";
        QTest::newRow("videoNotAllowed") << "http://zoo.example/cubs.avi" << "refused:video";
        QTest::newRow("refusedVideoIsRefusedByTheList") << "http://other.example/cubs.wmv" << "refused:whitelist";
        // One site in every spelling; a look-alike in another script is another site.
        QTest::newRow("internationalNameAsWritten") << QString::fromUtf8("http://café.example/") << "allowed";
        QTest::newRow("internationalNameInCapitals") << QString::fromUtf8("http://CAFÉ.example/") << "allowed";
        QTest::newRow("internationalNameInAscii") << "http://xn--caf-dma.example/" << "allowed";
        QTest::newRow("lookAlikeInAnotherScript") << QString::fromUtf8("http://\u0441af\u00e9.example/") << "refused:whitelist";
    }
    void verdictsOfTheStartUserAndFirstTheme()
    {
        QFETCH(QString, address);
        QFETCH(QString, verdict);
        const Run r = tovalinctl({"check", "--data", data(), address});
        QCOMPARE(r.out, verdict + '\t' + address + '\n');
        QCOMPARE(r.exitCode, verdict == "allowed" ? 0 : 1);
    }

    void onePerLineInOrderAndTheWorstExitCode()
    {
        const Run r = tovalinctl({"check", "http://zoo.example/a", "http://games.example/b"}, data());
        QCOMPARE(r.out, QString("allowed\thttp://zoo.example/a\nrefused:whitelist\thttp://games.example/b\n"));
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(tovalinctl({"check", "http://zoo.example/a", "http://zoo.example/b"}, data()).exitCode, 0);
    }

    void userAndThemeOptions()
    {
        Run r = tovalinctl({"check", "--data", data(), "--theme", "Spelletjes", "http://games.example/b"});
        QCOMPARE(r.out, QString("allowed\thttp://games.example/b\n"));
        r = tovalinctl({"check", "--data", data(), "--user", "Open", "http://anything.example/x.pdf"});
        QCOMPARE(r.out, QString("allowed\thttp://anything.example/x.pdf\n"));
        QCOMPARE(r.exitCode, 0);
    }

    void usageAndDataErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("noCommand") << QStringList{};
        QTest::newRow("unknownCommand") << QStringList{"judge", "http://a/"};
        QTest::newRow("noAddress") << QStringList{"check"};
        QTest::newRow("unknownOption") << QStringList{"check", "--colour", "http://a/"};
        QTest::newRow("missingDataFolder") << QStringList{"check", "--data", "/nonexistent/tovalin", "http://a/"};
        QTest::newRow("unknownUser") << QStringList{"check", "--user", "Nobody", "http://a/"};
        QTest::newRow("unknownTheme") << QStringList{"check", "--theme", "Nothing", "http://a/"};
    }
    void usageAndDataErrors()
    {
        QFETCH(QStringList, args);
        if (args.contains("--user") || args.contains("--theme"))
            args.insert(1, data()), args.insert(1, "--data");
        const Run r = tovalinctl(args);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }

    void unreadableListGivesTheBrowsersFailClosedVerdicts()
    {
        QTemporaryDir dir;
        QVERIFY(put(dir.path() + "/start.tvr", {"Piet"}));
        QVERIFY(put(dir.path() + "/gebruikers/Piet.usr",
                    {"[Beveiliging]", "Kindvriendelijk=0", "[Favorieten]", "StartURL=https://start.example/", "gebruikfav=Dieren*"}));
        QVERIFY(put(dir.path() + "/themas/Dieren.llt", {}));
        QVERIFY(put(dir.path() + "/themas/Dieren.kvu", {"zoo.example"}));
        QFile black(dir.path() + "/themas/Dieren.kou");
        QVERIFY(black.open(QIODevice::WriteOnly));
        QVERIFY(black.resize(tovalin::kMaxListFileBytes + 1));
        black.close();
        // Read as empty, the blacklist would let "http://zoo.example/scary" pass; with the
        // whitelist off, so would everything else.
        const Run r = tovalinctl({"check", "--data", dir.path(), "http://zoo.example/scary", "http://other.example/",
                                  "https://start.example/page"});
        QCOMPARE(r.out, QString("refused:fail-closed\thttp://zoo.example/scary\nrefused:fail-closed\thttp://other.example/\n"
                                "allowed\thttps://start.example/page\n"));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("Dieren.kou") && r.err.contains("fails closed"), qPrintable(r.err));
    }

    void categoryListsUpdatedListedAndCheckedWithSafeSearch()
    {
        QTemporaryDir dir;
        QVERIFY(put(dir.path() + "/start.tvr", {"Tim"}));
        QVERIFY(put(dir.path() + "/gebruikers/Tim.usr",
                    {"[Beveiliging]", "Kindvriendelijk=0", "Categorieen=adult,gambling", "[Favorieten]", "gebruikfav=Dieren*"}));
        QVERIFY(put(dir.path() + "/themas/Dieren.llt", {}));
        QVERIFY(put(dir.path() + "/themas/Dieren.kvu", {"zoo.example"}));
        const QStringList addresses{"http://www.bad.example/", "https://www.google.com/search?q=x", "http://bet.example/"};

        // Not fetched yet: the whitelist is in force, and stderr says why.
        Run r = tovalinctl(QStringList{"check", "--data", dir.path()} + addresses);
        QCOMPARE(r.out, QString("refused:fail-closed\thttp://www.bad.example/\n"
                                "refused:fail-closed\thttps://www.google.com/search?q=x\thttps://www.google.com/search?q=x&safe=active&ssui=on\n"
                                "refused:fail-closed\thttp://bet.example/\n"));
        QVERIFY2(r.err.contains("adult, gambling") && r.err.contains("categories update"), qPrintable(r.err));
        r = tovalinctl({"categories", "list", "--data", dir.path()});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.isEmpty());

        // A local folder stands for the server.
        QTemporaryDir source;
        const auto file = [&](const QString &name, const QByteArray &bytes) {
            QFile f(source.filePath(name));
            return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
        };
        QVERIFY(file("adult.tar.gz", tovalin::test::categoryArchive("adult", "bad.example\nworse.example\n")));
        QVERIFY(file("gambling.tar.gz", tovalin::test::categoryArchive("gambling", "bet.example\n")));
        r = tovalinctl({"categories", "update", "--data", dir.path(), "--source", source.path() + "/"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out, QString("updated\tadult\t2\nupdated\tgambling\t1\n"));
        QVERIFY2(r.err.contains("not at the source: mixed_adult"), qPrintable(r.err)); // the templates' others
        r = tovalinctl({"categories", "list", "--data", dir.path()});
        QCOMPARE(r.out.section('\n', 0, 0).section('\t', 0, 1), QString("adult\t2"));
        QVERIFY(QDateTime::fromString(r.out.section('\n', 0, 0).section('\t', 2), Qt::ISODate).isValid());

        r = tovalinctl(QStringList{"check", "--data", dir.path()} + addresses);
        QCOMPARE(r.out, QString("refused:category:adult\thttp://www.bad.example/\n"
                                "allowed\thttps://www.google.com/search?q=x\thttps://www.google.com/search?q=x&safe=active&ssui=on\n"
                                "refused:category:gambling\thttp://bet.example/\n"));
        QCOMPARE(r.exitCode, 1);

        // A failed update keeps the lists in force and says why.
        r = tovalinctl({"categories", "update", "--data", dir.path(), "--source", source.path() + "/none.tar.gz"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains("the lists in force stay"), qPrintable(r.err));
        QCOMPARE(tovalinctl({"check", "--data", dir.path(), addresses.at(0)}).out.section('\t', 0, 0),
                 QString("refused:category:adult"));
    }

    void noStartUserIsADataError()
    {
        QTemporaryDir empty;
        QVERIFY(put(empty.path() + "/gebruikers/x.usr", {}));
        const Run r = tovalinctl({"check", "--data", empty.path(), "http://a/"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("start.tvr"));
    }
};

QTEST_GUILESS_MAIN(TestTovalinctl)
#include "test_tovalinctl.moc"
