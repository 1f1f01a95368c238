// Start-up before any window: folders, the first-run marker, the single instance.

#include "state/program_state.h"
#include "state/startup.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void dataFolderFromTheEnvironment()
    {
        qputenv("TOVALIN_DATA_DIR", "/srv/kids//tovalin/");
        QCOMPARE(resolveDataFolder(), QStringLiteral("/srv/kids/tovalin"));
        qunsetenv("TOVALIN_DATA_DIR");
        qputenv("XDG_DATA_HOME", "/home/x/.data");
        QCOMPARE(resolveDataFolder(), QStringLiteral("/home/x/.data/tovalin2"));
        qunsetenv("XDG_DATA_HOME");
        QVERIFY(resolveDataFolder().endsWith(QStringLiteral("/.local/share/tovalin2")));
        qputenv("TOVALIN_PROGRAM_DIR", "/opt/tovalin");
        QCOMPARE(resolveProgramFolder(), QStringLiteral("/opt/tovalin/"));
        qunsetenv("TOVALIN_PROGRAM_DIR");
    }

    void programFolderOfABuildAndOfAnInstall()
    {
        QTemporaryDir root;
        const QString prefix = root.path() + "/usr";
        QVERIFY(QDir().mkpath(prefix + "/bin"));
        // Nothing anywhere: the executable's folder, as before.
        QCOMPARE(programFolderFor(prefix + "/bin"), prefix + "/bin/");
        // Installed: the resources lie in share/tovalin under the same prefix.
        QVERIFY(QDir().mkpath(prefix + "/share/tovalin/resources"));
        QCOMPARE(programFolderFor(prefix + "/bin"), prefix + "/share/tovalin/");
        QCOMPARE(programFolderFor(prefix + "/bin/"), prefix + "/share/tovalin/");
        // A build folder's own resources win over an installed copy.
        QVERIFY(QDir().mkpath(prefix + "/bin/resources"));
        QCOMPARE(programFolderFor(prefix + "/bin"), prefix + "/bin/");
    }

    void foldersAndFirstRunMarker()
    {
        QTemporaryDir dir;
        ProgramState state;
        state.DataFolder = dir.filePath(QStringLiteral("deep/tovalin2"));
        QVERIFY(createDataFolders(state).ok());
        for (const QString &f : {state.usersFolder(), state.downloadsFolder(), state.themesFolder(), state.videoFolder()})
            QVERIFY(QFileInfo(f).isDir());
        QVERIFY(checkFirstRun(state));
        QFile marker(state.firstRunMarker());
        QVERIFY(marker.open(QIODevice::ReadOnly));
        QCOMPARE(marker.readAll(), QByteArray("gestart\r\n"));
        QVERIFY(!checkFirstRun(state));
    }

    void unusableDataFolderIsReported()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        ProgramState state;
        state.DataFolder = blocker.fileName() + QStringLiteral("/tovalin2");
        const FolderSetup setup = createDataFolders(state);
        QCOMPARE(setup.failed.size(), 4);
        // No marker can be written: the next start is a first run again, nothing crashes.
        QVERIFY(checkFirstRun(state));
    }

    void oneInstancePerExecutableName()
    {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        SingleInstance first(QStringLiteral("tovalin"));
        QVERIFY(first.isFirst());
        QVERIFY(first.lockPath().endsWith(QStringLiteral("/TOVALIN.lock")));
        SingleInstance second(QStringLiteral("tovalin"));
        QVERIFY(!second.isFirst());
        SingleInstance other(QStringLiteral("tovalin-copy"));
        QVERIFY(other.isFirst());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "test_startup.moc"
