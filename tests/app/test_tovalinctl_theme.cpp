// `tovalinctl theme export|import`: a theme carried from one data folder to another, as a
// teacher's script would, with the same exit codes as `check`.

#include "core/text_file.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdlib>
#include <zip.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run tovalinctl(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("TOVALIN_DATA_DIR"));
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

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), tovalin::readFileBytes(path).bytes);
    }
    return files;
}

} // namespace

class TestTovalinctlTheme : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString school() const { return m_dir.filePath(QStringLiteral("school")); }
    QString room() const { return m_dir.filePath(QStringLiteral("room")); }
    QString archive() const { return m_dir.filePath(QStringLiteral("Dieren.tvz")); }

private slots:
    void initTestCase()
    {
        QVERIFY(put(school() + "/themas/Dieren.llt", {"20240101000001"}));
        QVERIFY(put(school() + "/themas/20240101000001.kld", {"[LinkProp]", "URL=https://zoo.example/", "ID=20240101000001"}));
        QVERIFY(put(school() + "/themas/20240101000001.bmp", {"BM not really"}));
        QVERIFY(put(school() + "/themas/Dieren.kvu", {"zoo.example"}));
        QVERIFY(put(room() + "/themas/Spelletjes.llt", {}));
        QVERIFY(put(room() + "/gebruikers/Piet.usr", {"[Favorieten]", "gebruikfav=Spelletjes*", "StartURL=https://games.example/"}));
    }

    void exportThenImportOnAnotherMachine()
    {
        Run r = tovalinctl({"theme", "export", "--data", school(), "dieren", archive()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        r = tovalinctl({"theme", "import", "--data", room(), archive()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(r.out, QStringLiteral("imported\tDieren\n"));
        for (const char *file : {"Dieren.llt", "Dieren.kvu", "20240101000001.kld", "20240101000001.bmp"})
            QCOMPARE(tovalin::readFileBytes(room() + "/themas/" + file).bytes,
                     tovalin::readFileBytes(school() + "/themas/" + file).bytes);

        // The name is taken: refused, unless another name or --replace is given.
        r = tovalinctl({"theme", "import", "--data", room(), archive()});
        QCOMPARE(r.exitCode, 1);
        QVERIFY(r.err.contains(QStringLiteral("already exists")));
        r = tovalinctl({"theme", "import", "--data", room(), "--replace", archive()});
        QCOMPARE(r.exitCode, 0);

        // Under a new name, and allowed for a user: the profile keeps its other keys.
        r = tovalinctl({"theme", "import", "--data", room(), "--as", "Zoo", "--allow-for", "Piet", archive()});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        QCOMPARE(tovalin::readFileBytes(room() + "/themas/Zoo.llt").bytes,
                 tovalin::readFileBytes(school() + "/themas/Dieren.llt").bytes);
        const QStringList profile = tovalin::readLines(room() + "/gebruikers/Piet.usr").value_or(QStringList());
        QVERIFY2(profile.contains(QStringLiteral("gebruikfav=Spelletjes*Zoo*")), qPrintable(profile.join(u'|')));
        QVERIFY(profile.contains(QStringLiteral("StartURL=https://games.example/")));
    }

    void refusalsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("no such theme to export") << QStringList{"theme", "export", "--data", "SCHOOL", "Nothing", "ARCHIVE"} << 2;
        QTest::newRow("export usage") << QStringList{"theme", "export", "--data", "SCHOOL", "Dieren"} << 2;
        QTest::newRow("unknown user") << QStringList{"theme", "import", "--data", "ROOM", "--as", "A", "--allow-for", "Nobody", "ARCHIVE"} << 2;
        QTest::newRow("name leaving the folder") << QStringList{"theme", "import", "--data", "ROOM", "--as", "../A", "ARCHIVE"} << 2;
        QTest::newRow("archive without its theme") << QStringList{"theme", "import", "--data", "ROOM", "OTHER"} << 2;
        QTest::newRow("oversized archive") << QStringList{"theme", "import", "--data", "ROOM", "HUGE"} << 2;
        QTest::newRow("missing archive") << QStringList{"theme", "import", "--data", "ROOM", "MISSING"} << 2;
        QTest::newRow("no sub-command") << QStringList{"theme", "--data", "ROOM"} << 2;
    }
    void refusalsChangeNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        if (!QFileInfo::exists(archive()))
            QVERIFY(tovalinctl({"theme", "export", "--data", school(), "Dieren", archive()}).exitCode == 0);
        const QString other = m_dir.filePath(QStringLiteral("Other.tvz"));
        QFile::copy(archive(), other);
        const QString huge = m_dir.filePath(QStringLiteral("Huge.tvz"));
        if (!QFileInfo::exists(huge)) {
            // One entry of 20 MB: refused before a byte is written.
            zip_t *za = zip_open(QFile::encodeName(huge).constData(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
            QVERIFY(za);
            const size_t size = 20 * 1024 * 1024;
            zip_source_t *zeros = zip_source_buffer(za, std::calloc(size, 1), size, 1);
            QVERIFY(zip_file_add(za, "Huge.llt", zeros, 0) >= 0);
            QCOMPARE(zip_close(za), 0);
        }
        for (QString &arg : args) {
            arg.replace(QStringLiteral("SCHOOL"), school()).replace(QStringLiteral("ROOM"), room());
            arg.replace(QStringLiteral("ARCHIVE"), archive()).replace(QStringLiteral("OTHER"), other);
            arg.replace(QStringLiteral("HUGE"), huge).replace(QStringLiteral("MISSING"), m_dir.filePath(QStringLiteral("none.tvz")));
        }
        const auto before = snapshot(room());
        const Run r = tovalinctl(args);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY(!r.err.isEmpty());
        QCOMPARE(snapshot(room()), before);
    }
};

QTEST_GUILESS_MAIN(TestTovalinctlTheme)
#include "test_tovalinctl_theme.moc"
