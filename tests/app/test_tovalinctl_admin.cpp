// The admin command's set-up subcommands, run as a school's script would run them against
// a data folder of its own: what they print, what they write, and that a refused command
// leaves every file as it was.

#include "activity/activity_files.h"
#include "activity/activity_report.h"
#include "activity/request_store.h"
#include "core/text_file.h"
#include "guard/entry_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run ctl(const QString &data, const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TOVALIN_DATA_DIR"), data);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TOVALIN_BIN_DIR "/tovalinctl"), args);
    p.write(input);
    p.closeWriteChannel();
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

QStringList linesOf(const QString &path)
{
    return tovalin::readLines(path).value_or(QStringList{QStringLiteral("<unreadable>")});
}

/// Every file of the folder with a hash of its bytes: equal snapshots mean nothing was written.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files.insert(path, QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256));
    }
    return files;
}

} // namespace

class TestTovalinctlAdmin : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString data() const { return m_dir.path(); }
    QString piet() const { return data() + "/gebruikers/Piet.usr"; }

private slots:
    void init()
    {
        QDir(data()).removeRecursively();
        QVERIFY(put(piet(), {"; set up by the school", "[Beveiliging]", "Kindvriendelijk=1", "Toonwmv=1", "[School]",
                             "Klas=3b", "[Favorieten]", "StartURL=https://start.example/", "gebruikfav=Dieren*Weg*"}));
        QVERIFY(put(data() + "/gebruikers/anna.usr", {}));
        QVERIFY(put(data() + "/themas/Dieren.llt", {}));
        QVERIFY(put(data() + "/themas/Dieren.kvu", {"http://zoo.example/", "http://zoo.example/lions"}));
        QVERIFY(put(data() + "/themas/Dieren.kou", {"http://zoo.example/scary"}));
        QVERIFY(put(data() + "/themas/aap.llt", {}));
    }

    void helpAndVersion()
    {
        Run r = ctl(data(), {"--help"});
        QCOMPARE(r.exitCode, 0);
        for (const char *command : {"users set", "themes list", "lists add", "password check", "theme import"})
            QVERIFY2(r.out.contains(command), command);
        r = ctl(data(), {"--version"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY(r.out.startsWith("tovalinctl 3."));
    }

    void usersListAndShowTheSettingsInForce()
    {
        Run r = ctl(data(), {"users", "list"});
        QCOMPARE(r.out, QString("anna\nPiet\n"));
        QCOMPARE(r.exitCode, 0);
        r = ctl(data(), {"users", "show", "piet"});
        QCOMPARE(r.exitCode, 0);
        const QStringList shown = r.out.split('\n', Qt::SkipEmptyParts);
        QVERIFY(shown.contains("Kindvriendelijk=1"));
        QVERIFY(shown.contains("Toonavi=0"));
        QVERIFY(shown.contains("Blokpdf=1"));          // missing keys show the value in force
        QVERIFY(shown.contains("StartURL=https://start.example/"));
        QVERIFY(shown.contains("gebruikfav=Dieren*")); // the theme that no longer exists is not in force
        QCOMPARE(shown.size(), 38);
    }

    void usersSetChangesOnlyTheNamedKeys()
    {
        const Run r = ctl(data(), {"users", "set", "Piet", "toonavi=on", "MinTijdKlok=45", "StartURL=www.school.example",
                                   "gebruikfav=aap*dieren*", "Kindvriendelijk=0", "categorieen= adult , gambling,adult"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QStringList file = linesOf(piet());
        QCOMPARE(file.first(), QString("; set up by the school"));
        QVERIFY(file.contains("Klas=3b"));
        QVERIFY(file.contains("Toonwmv=1"));
        QVERIFY(file.contains("Toonavi=1"));
        QVERIFY(file.contains("Kindvriendelijk=0"));
        QVERIFY(file.contains("MinTijdKlok=45"));
        QVERIFY(file.contains("StartURL=http://www.school.example"));
        QVERIFY(file.contains("gebruikfav=aap*Dieren*"));
        QCOMPARE(file.count("Kindvriendelijk=0"), 1);
        QVERIFY(file.contains("Categorieen=adult,gambling"));
        QVERIFY(ctl(data(), {"users", "show", "Piet"}).out.contains("Toonavi=1\n"));
    }

    void refusedCommandsWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("usersNoSubcommand") << QStringList{"users"} << QByteArray();
        QTest::newRow("showUnknownUser") << QStringList{"users", "show", "Nobody"} << QByteArray();
        QTest::newRow("setUnknownUser") << QStringList{"users", "set", "Nobody", "Toonavi=1"} << QByteArray();
        QTest::newRow("setNoAssignment") << QStringList{"users", "set", "Piet"} << QByteArray();
        QTest::newRow("setUnknownKey") << QStringList{"users", "set", "Piet", "Toonavi=1", "Colour=red"} << QByteArray();
        QTest::newRow("setNotAssignment") << QStringList{"users", "set", "Piet", "Toonavi=1", "Toonmov"} << QByteArray();
        QTest::newRow("setBadBoolean") << QStringList{"users", "set", "Piet", "Toonavi=1", "Blokpdf=maybe"} << QByteArray();
        QTest::newRow("setBadMinutes") << QStringList{"users", "set", "Piet", "MinTijdKlok=12345"} << QByteArray();
        QTest::newRow("setLineBreak") << QStringList{"users", "set", "Piet", "StartURL=http://a/\nKindvriendelijk=0"} << QByteArray();
        QTest::newRow("setUnknownTheme") << QStringList{"users", "set", "Piet", "gebruikfav=Dieren*Geen*"} << QByteArray();
        QTest::newRow("setBadCategoryName") << QStringList{"users", "set", "Piet", "Categorieen=adult,../etc"} << QByteArray();
        QTest::newRow("categoriesUnknown") << QStringList{"categories", "purge"} << QByteArray();
        QTest::newRow("categoriesBadName") << QStringList{"categories", "update", "--category", "a/b", "--source", "/x/"} << QByteArray();
        QTest::newRow("themesExtra") << QStringList{"themes", "list", "x"} << QByteArray();
        QTest::newRow("listsUnknownList") << QStringList{"lists", "add", "Dieren", "grey", "http://a/"} << QByteArray();
        QTest::newRow("listsUnknownTheme") << QStringList{"lists", "add", "Geen", "white", "http://a/"} << QByteArray();
        QTest::newRow("listsNoEntry") << QStringList{"lists", "add", "Dieren", "white"} << QByteArray();
        QTest::newRow("listsNotAnAddress") << QStringList{"lists", "add", "Dieren", "white", "http://a/", "b.example"} << QByteArray();
        QTest::newRow("passwordEmpty") << QStringList{"password", "set"} << QByteArray("\n");
        QTest::newRow("passwordCheckNoFile") << QStringList{"password", "check"} << QByteArray("geheim\n");
        QTest::newRow("passwordUnknown") << QStringList{"password", "reset"} << QByteArray("geheim\n");
        QTest::newRow("requestsNoSuchRequest") << QStringList{"requests", "allow", "7"} << QByteArray();
        QTest::newRow("requestsNotAnId") << QStringList{"requests", "refuse", "seven"} << QByteArray();
        QTest::newRow("requestsRefuseWithAllowChoices") << QStringList{"requests", "refuse", "1", "--site"} << QByteArray();
        QTest::newRow("reportUnknownUser") << QStringList{"report", "--user", "Nobody"} << QByteArray();
        QTest::newRow("reportNoSuchDay") << QStringList{"report", "--user", "Piet", "--day", "2024-13-01"} << QByteArray();
        QTest::newRow("reportNoDays") << QStringList{"report", "--user", "Piet", "--days", "0"} << QByteArray();
    }
    void refusedCommandsWriteNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const auto before = snapshot(data());
        const Run r = ctl(data(), args, input);
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.out.isEmpty());
        QVERIFY(r.err.startsWith("tovalinctl: "));
        QCOMPARE(snapshot(data()), before);
    }

    void requestsAreAnsweredAsTheRequestsPageAnswersThem()
    {
        QCOMPARE(ctl(data(), {"requests", "list", "--json"}).out.simplified(), QString("[ ]"));
        tovalin::RequestStore store(tovalin::activity::requestsFile(data()));
        tovalin::ActivityLog log(data());
        const QDateTime now = QDateTime::currentDateTime().addSecs(-60);
        for (const char *address : {"http://zoo.example/lions/cage", "http://far.example/"}) {
            tovalin::Request r;
            r.user = "Piet";
            r.theme = "Dieren";
            r.address = address;
            r.reason = "whitelist";
            r.asked = now;
            r.id = store.add(r).id;
            QVERIFY(log.requested(r).ok);
        }
        const QJsonArray listed = QJsonDocument::fromJson(ctl(data(), {"requests", "list", "--json"}).out.toUtf8()).array();
        QCOMPARE(listed.size(), 2);
        QCOMPARE(listed.at(0)["address"].toString(), QString("http://zoo.example/lions/cage"));
        QCOMPARE(listed.at(0)["status"].toString(), QString("open"));

        Run r = ctl(data(), {"requests", "allow", "1", "--site", "--all-themes", "--today"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out, QString("allowed\t1\thttp://zoo.example/\n"));
        // The site was listed already: nothing is added twice.
        QCOMPARE(linesOf(data() + "/themas/Dieren.kvu"), (QStringList{"http://zoo.example/", "http://zoo.example/lions"}));
        QCOMPARE(ctl(data(), {"requests", "refuse", "2"}).exitCode, 0);
        // Answered already: a negative answer, and nothing written.
        const auto before = snapshot(data());
        r = ctl(data(), {"requests", "allow", "2"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("refused already"));
        QCOMPARE(snapshot(data()), before);

        QCOMPARE(ctl(data(), {"requests", "list", "--user", "Piet"}).out.count("\tallowed\t"), 1);
        const QJsonObject report = QJsonDocument::fromJson(ctl(data(), {"report", "--user", "Piet", "--json"}).out.toUtf8()).object();
        const QJsonArray requests = report["days"].toArray().at(0)["requests"].toArray();
        QCOMPARE(requests.size(), 2);
        QCOMPARE(requests.at(0)["todayOnly"].toBool(), true);
        QCOMPARE(requests.at(1)["status"].toString(), QString("refused"));
    }

    void themesList()
    {
        const Run r = ctl(data(), {"themes", "list"});
        QCOMPARE(r.out, QString("aap\nDieren\n"));
        QCOMPARE(r.exitCode, 0);
    }

    void listsAreEditedAsTheListPagesEditThem()
    {
        // The whitelist is compacted: an entry inside a shorter one goes.
        Run r = ctl(data(), {"lists", "add", "dieren", "white", "http://apes.example/", "http://zoo.example/tigers"});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(linesOf(data() + "/themas/Dieren.kvu"), (QStringList{"http://apes.example/", "http://zoo.example/"}));
        r = ctl(data(), {"lists", "add", "Dieren", "popup", "https://pop.example/"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(linesOf(data() + "/themas/Dieren.kpu"), QStringList{"https://pop.example/"});

        r = ctl(data(), {"lists", "show", "Dieren", "black"});
        QCOMPARE(r.out, QString("http://zoo.example/scary\n"));

        // Removing what is listed works; what is not listed is told, and the exit status says so.
        r = ctl(data(), {"lists", "remove", "Dieren", "black", "http://zoo.example/scary", "http://never.example/"});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains("never.example"));
        QCOMPARE(linesOf(data() + "/themas/Dieren.kou"), QStringList{});
    }

    void unreadableListIsNeverReplaced()
    {
        QFile black(data() + "/themas/Dieren.kou");
        QVERIFY(black.open(QIODevice::WriteOnly));
        QVERIFY(black.resize(tovalin::kMaxListFileBytes + 1));
        black.close();
        const auto before = snapshot(data());
        const Run r = ctl(data(), {"lists", "add", "Dieren", "white", "http://apes.example/"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY(r.err.contains("Dieren.kou"));
        QCOMPARE(snapshot(data()), before);
    }

    void passwordSetAndCheck()
    {
        Run r = ctl(data(), {"password", "set"}, "Geheim 12\n");
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QStringList file = linesOf(data() + "/temp0201.tvw");
        QVERIFY(file.first().startsWith("$argon2id$"));
        QVERIFY(!file.join('\n').contains("Geheim"));
        QCOMPARE(ctl(data(), {"password", "check"}, "Geheim 12\n").exitCode, 0);
        QCOMPARE(ctl(data(), {"password", "check"}, "Geheim 12").exitCode, 0);
        QCOMPARE(ctl(data(), {"password", "check"}, "geheim 12\n").exitCode, 1);
        QCOMPARE(ctl(data(), {"password", "check"}, "Geheim 12 \n").exitCode, 1);
    }
};

QTEST_GUILESS_MAIN(TestTovalinctlAdmin)
#include "test_tovalinctl_admin.moc"
