// Saves survive kill -9: a writer process saves a profile, the three list files and a
// link list in a loop through the program's own save code and is killed with SIGKILL at
// random moments; after every kill each file is whole (exactly what one round wrote, the
// last round or the one before it), never empty, never missing, and the folders list
// exactly one user and one theme.
//
// The writer is this executable started with "--writer <data folder> <rounds>"; a round
// number of 0 writes until killed. TOVALIN_KILL_COUNT sets how often it is killed
// (20 by default; the try-out runs 1000). A count that takes longer than five minutes needs
// QTEST_FUNCTION_TIMEOUT (milliseconds) raised above QtTest's limit.

#include "core/text_file.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "state/startup.h"
#include "themes/theme_files.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstdio>

using namespace tovalin;

namespace {

const QString kUser = QStringLiteral("Kind");
const QString kTheme = QStringLiteral("Dieren");

// What round k saves: sizes and contents change from round to round, so a file that mixed
// two rounds, or was cut short, matches neither.
struct Round {
    UserProfile profile;
    QStringList themes;
    QStringList white, black, popup;
    QStringList links;
};

Round roundOf(qint64 k)
{
    Round r;
    r.profile.Kindvriendelijk = k % 2 == 0;
    r.profile.Kindonvriendelijk = k % 3 != 0;
    r.profile.ToonHint = k % 5 == 0;
    r.profile.MinTijdKlok = QString::number(k);
    r.profile.StartURL = QStringLiteral("http://v%1.example/").arg(k) + QString(int(k % 97), u'x');
    for (qint64 i = 0; i <= k % 4; ++i)
        r.themes << (i == 0 ? kTheme : QStringLiteral("Extra%1").arg(i));
    for (qint64 i = 0; i < 20 + k % 50; ++i)
        r.white << QStringLiteral("http://site%1.v%2.example/").arg(i).arg(k);
    for (qint64 i = 0; i < 1 + k % 7; ++i)
        r.black << QStringLiteral("http://bad%1.v%2.example/").arg(i).arg(k);
    r.popup << QStringLiteral("http://popup.v%1.example/").arg(k);
    for (qint64 i = 0; i < 5 + k % 30; ++i)
        r.links << QStringLiteral("2024%1%2").arg(k, 6, 10, QLatin1Char('0')).arg(i, 4, 10, QLatin1Char('0'));
    return r;
}

// The writer's state: the program's own objects over one data folder.
struct Saver {
    ProgramState state;
    UserProfile profile;
    UserStore users{state, profile};
    SiteLists lists{state, profile, VendorSettings{}};

    explicit Saver(const QString &dataFolder)
    {
        state.DataFolder = dataFolder;
        QDir().mkpath(state.usersFolder());
        QDir().mkpath(state.themesFolder());
        state.setActiveUser(kUser);
        state.setActiveTheme(kTheme);
    }

    bool save(qint64 k)
    {
        const Round r = roundOf(k);
        profile = r.profile;
        bool ok = users.SaveUserProfile(kUser, r.themes).ok;
        lists.whitelist().setItems(r.white);
        lists.blacklist().setItems(r.black);
        lists.popuplist().setItems(r.popup);
        ok = lists.SaveSiteLists().ok && ok;
        ok = writeLines(themefiles::filePath(state.themesFolder(), kTheme, themefiles::kLinkListExt), r.links).ok && ok;
        return ok;
    }
};

QByteArray readRaw(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The round a data folder's profile says it last saved; 0 when there is none.
qint64 profileRound(const QString &dataFolder)
{
    ProgramState state;
    state.DataFolder = dataFolder;
    UserProfile profile;
    UserStore users(state, profile);
    if (users.LoadUserProfile(kUser) != ProfileLoad::Loaded)
        return 0;
    return profile.MinTijdKlok.toLongLong();
}

int runWriter(const QString &dataFolder, qint64 rounds)
{
    Saver saver(dataFolder);
    qint64 k = profileRound(dataFolder);
    std::printf("ready\n");
    std::fflush(stdout);
    for (qint64 done = 0; rounds == 0 || done < rounds; ++done) {
        if (!saver.save(++k)) {
            std::fprintf(stderr, "round %lld could not be saved\n", static_cast<long long>(k));
            return 1;
        }
    }
    return 0;
}

// Every file as round k writes it from scratch, made once per round in a folder of its own.
class Expected {
public:
    QByteArray file(const QString &relative, qint64 k)
    {
        const QString key = relative + u'#' + QString::number(k);
        if (!m_cache.contains(key)) {
            QTemporaryDir dir;
            Saver saver(dir.path());
            saver.save(k);
            for (const QString &name : names())
                m_cache.insert(name + u'#' + QString::number(k), readRaw(dir.path() + u'/' + name));
        }
        return m_cache.value(key);
    }

    static QStringList names()
    {
        return {QStringLiteral("gebruikers/Kind.usr"), QStringLiteral("themas/Dieren.kvu"), QStringLiteral("themas/Dieren.kou"),
                QStringLiteral("themas/Dieren.kpu"), QStringLiteral("themas/Dieren.llt")};
    }

private:
    QHash<QString, QByteArray> m_cache;
};

} // namespace

class TestKillSafeSaves : public QObject {
    Q_OBJECT

private slots:
    void everyFileIsWholeAfterEachKill()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString data = dir.path();
        const int kills = qEnvironmentVariableIsSet("TOVALIN_KILL_COUNT") ? qEnvironmentVariableIntValue("TOVALIN_KILL_COUNT") : 20;

        // Three whole rounds first, so every file exists before the first kill; their length
        // sets how long a writer may run before it is killed (up to four rounds).
        QProcess first;
        QElapsedTimer clock;
        first.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), data, QStringLiteral("3")});
        QVERIFY(first.waitForReadyRead(30000));
        clock.start();
        QVERIFY(first.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        const qint64 roundMicroseconds = std::max<qint64>(clock.nsecsElapsed() / 3000, 1000);

        Expected expected;
        qint64 lastProfile = 3;
        qint64 roundsSeen = 0;
        QHash<QString, qint64> lastRound; // per file, the round it held after the last kill
        for (int kill = 0; kill < kills; ++kill) {
            QProcess writer;
            writer.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--writer"), data, QStringLiteral("0")});
            QVERIFY(writer.waitForStarted(30000));
            QVERIFY2(writer.waitForReadyRead(30000), "the writer did not start");
            // Anywhere in the first rounds: mostly inside a save, since saving is all it does.
            QThread::usleep(QRandomGenerator::global()->bounded(4 * roundMicroseconds));
            writer.kill(); // SIGKILL
            QVERIFY(writer.waitForFinished(30000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

            // Each file holds exactly one round's bytes: the round it held before this writer ran
            // (the old version) or one the writer saved since (a new one), never a mix of two.
            // The files are saved in a fixed order, so none is newer than the profile.
            const qint64 profile = profileRound(data);
            QList<qint64> rounds;
            for (const QString &name : Expected::names()) {
                const QByteArray bytes = readRaw(data + u'/' + name);
                QVERIFY2(!bytes.isEmpty(), qPrintable(name + QStringLiteral(" is empty or missing after kill %1").arg(kill)));
                const qint64 old = lastRound.value(name, 3);
                qint64 found = -1;
                for (qint64 k = profile; k >= old && found < 0; --k)
                    if (bytes == expected.file(name, k))
                        found = k;
                QVERIFY2(found >= 0, qPrintable(name + QStringLiteral(" is not whole after kill %1 (it held round %2, the profile %3)")
                                                           .arg(kill).arg(old).arg(profile)));
                lastRound[name] = found;
                rounds << found;
            }
            for (qsizetype i = 1; i < rounds.size(); ++i)
                QVERIFY2(rounds.at(i) <= rounds.at(i - 1), qPrintable(QStringLiteral("files out of order after kill %1").arg(kill)));
            roundsSeen += rounds.first() - lastProfile;
            lastProfile = rounds.first();

            // Leftovers of a killed save never pass for a user or a theme.
            ProgramState state;
            state.DataFolder = data;
            UserProfile scratch;
            UserStore users(state, scratch);
            QCOMPARE(users.ListUsers(), QStringList{kUser});
            QCOMPARE(users.AvailableThemes(), QStringList{kTheme});
        }

        // A start clears what killed saves leave, and nothing else. A kill seldom lands
        // between a save's temporary link and its rename, so names of the kinds saves,
        // fetches and imports use are planted too; files that only look alike stay.
        const auto plant = [&](const QString &relative) {
            QDir().mkpath(QFileInfo(data + u'/' + relative).path());
            QFile f(data + u'/' + relative);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("half");
        };
        for (const QString &name : {QStringLiteral("gebruikers/Kind.usr.tNhDAZ"), QStringLiteral("themas/Dieren.kvu.a1B2c3"),
                                    QStringLiteral("start.tvr.Zz9Yy8"), QStringLiteral("video/clip.avi.0aZ9bY"),
                                    QStringLiteral("themas/.tovalin-import-Ab12Cd/files/x.kld")})
            plant(name);
        const QStringList strangers{QStringLiteral("themas/notes.txt.backup"), QStringLiteral("gebruikers/Kind.usr.bak"),
                                    QStringLiteral("themas/Dieren.kvu.toolong1"), QStringLiteral("README.abcdef")};
        for (const QString &name : strangers)
            plant(name);
        DataFolderUse other(data);
        QVERIFY(other.isOnly());
        {
            // While another Tovalin works in the folder, a start leaves its files alone.
            DataFolderUse second(data);
            QVERIFY(!second.isOnly());
        }
        removeStaleTemporaryFiles(data);
        QStringList left;
        QDirIterator it(data, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = QDir(data).relativeFilePath(it.next());
            if (!Expected::names().contains(relative))
                left << relative;
        }
        left.sort();
        QStringList expectedLeft = strangers;
        expectedLeft.sort();
        QCOMPARE(left, expectedLeft);
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/themas/.tovalin-import-Ab12Cd")));
        qInfo("%d kills, %lld rounds saved between them", kills, roundsSeen);
        // A kill at the wrong moment costs at most the round under way; a writer that never
        // completes a round between kills would show nothing, so some kills must follow saves.
        QVERIFY(roundsSeen > 0);
    }
};

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--writer") == 0) {
        QCoreApplication app(argc, argv);
        return runWriter(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    }
    QCoreApplication app(argc, argv);
    TestKillSafeSaves test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kill_safe_saves.moc"
