#include "themes/support_theme_fixtures.h"
#include "themes/support_zip.h"
#include "themes/theme_archive.h"
#include "themes/theme_files.h"
#include "themes/theme_import.h"
#include "themes/theme_names.h"

#include <QDir>
#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::testing;

namespace {

/// Every file below a folder (hidden ones too) with its bytes.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), readRaw(path));
    }
    return files;
}

const QString kId1 = QStringLiteral("20240101000001");
const QString kId2 = QStringLiteral("20240101000002");

} // namespace

class TestThemeImport : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_source;  // the machine the theme comes from
    QString m_themes;  // the machine it goes to
    QString m_archive; // Dieren.tvz, made from m_source
    int m_run = 0;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        const QString base = m_dir.filePath(QStringLiteral("run%1").arg(++m_run));
        m_source = base + QStringLiteral("/source");
        m_themes = base + QStringLiteral("/themas");
        QVERIFY(QDir().mkpath(m_source));
        QVERIFY(QDir().mkpath(m_themes));
        writeLink(m_source, kId1, QStringLiteral("http://one.example/"), true, 0xFF0000FF);
        writeLink(m_source, kId2, QStringLiteral("https://two.example/"), true, 0xFF00FF00);
        writeLinkList(m_source, QStringLiteral("Dieren"), {kId1, kId2});
        writeRaw(m_source + QStringLiteral("/Dieren.kvu"), "one.example\r\ntwo.example\r\n");
        writeRaw(m_source + QStringLiteral("/Dieren.kou"), "bad.example\r\n");
        writeRaw(m_source + QStringLiteral("/Dieren.kpu"), "");
        m_archive = base + QStringLiteral("/Dieren.tvz");
        QVERIFY(writeThemeArchive(m_source, QStringLiteral("Dieren"), m_archive).ok());
    }

    void importUnderItsOwnNameThenUnderANewNameSharingLinkIds()
    {
        const ThemeImportResult first = importThemeArchive(m_archive, QStringLiteral("Dieren"), QStringLiteral("Dieren"), m_themes);
        QVERIFY2(first.result.ok(), qPrintable(first.result.message));
        QVERIFY(first.linkListFound);
        QCOMPARE(snapshot(m_themes), snapshot(m_source));

        // The same archive under a second name: the lists are the new theme's, the link files stay
        // the ones both themes now list.
        writeRaw(m_themes + u'/' + kId1 + QStringLiteral(".kld"), "[LinkProp]\r\nURL=http://changed.example/\r\n");
        const ThemeImportResult second = importThemeArchive(m_archive, QStringLiteral("Dieren"), QStringLiteral("Beesten"), m_themes);
        QVERIFY2(second.result.ok(), qPrintable(second.result.message));
        QCOMPARE(second.theme, QStringLiteral("Beesten"));
        for (const char *ext : {".llt", ".kvu", ".kou", ".kpu"})
            QCOMPARE(readRaw(m_themes + QStringLiteral("/Beesten") + QLatin1String(ext)),
                     readRaw(m_source + QStringLiteral("/Dieren") + QLatin1String(ext)));
        QVERIFY(ThemeExists(m_themes, QStringLiteral("Dieren")));
        // The archive's link files replace those of the same ID.
        QCOMPARE(readRaw(m_themes + u'/' + kId1 + QStringLiteral(".kld")), readRaw(m_source + u'/' + kId1 + QStringLiteral(".kld")));
        QStringList files = QDir(m_themes).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
        QCOMPARE(files.size(), 12); // two themes of four files, two links of two files: no staging left behind
    }

    void anArchiveNeverReplacesAThemeItIsNotNamedAfter()
    {
        writeLinkList(m_themes, QStringLiteral("Games"), {QStringLiteral("keep")});
        writeLinkList(m_themes, QStringLiteral("Dieren"), {QStringLiteral("old")});
        const QString archive = m_dir.filePath(QStringLiteral("dieren.tvz"));
        QVERIFY(writeZip(archive, {{"Games.llt", "evil\r\n"}, {"Games.kvu", "*\r\n"}, {"DIEREN.llt", "new\r\n"},
                                   {"Dieren.kvu", "zoo.example\r\n"}, {"x.kld", "[LinkProp]\r\n"}}));
        // "dieren" exists as "Dieren": the import replaces that theme, not a second one in small letters.
        const QString target = existingThemeSpelling(m_themes, themeNameFromArchivePath(archive));
        QCOMPARE(target, QStringLiteral("Dieren"));
        const ThemeImportResult result = importThemeArchive(archive, QStringLiteral("dieren"), target, m_themes);
        QVERIFY(result.result.ok());
        QCOMPARE(readRaw(m_themes + QStringLiteral("/Games.llt")), QByteArray("keep\r\n"));
        QVERIFY(!QFileInfo::exists(m_themes + QStringLiteral("/Games.kvu")));
        QCOMPARE(readRaw(m_themes + QStringLiteral("/Dieren.llt")), QByteArray("new\r\n"));
        QCOMPARE(readRaw(m_themes + QStringLiteral("/Dieren.kvu")), QByteArray("zoo.example\r\n"));
        QVERIFY(QFileInfo::exists(m_themes + QStringLiteral("/x.kld")));
        QCOMPARE(listThemeNames(m_themes).size(), 2);
    }

    void aNewNameTakesOnlyReadablePicturesAndListedLinks()
    {
        const QString archive = m_dir.filePath(QStringLiteral("Bad.tvz"));
        QVERIFY(writeZip(archive, {{"a.bmp", "not a bitmap"}, {"a.kld", "[LinkProp]\r\nURL=http://a/\r\n"},
                                   {"unlisted.kld", "x"}, {"Bad.llt", "a\r\n../up\r\n"}}));
        const ThemeImportResult result = importThemeArchive(archive, QStringLiteral("Bad"), QStringLiteral("Good"), m_themes);
        QVERIFY(result.result.ok());
        QCOMPARE(QDir(m_themes).entryList(QDir::Files | QDir::Hidden, QDir::Name),
                 QStringList({QStringLiteral("Good.llt"), QStringLiteral("a.kld")}));
    }

    void refusedImportsLeaveTheThemesFolderAsItWas_data()
    {
        QTest::addColumn<QList<ZipEntry>>("entries");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("cancelled");
        QTest::addColumn<int>("failure");
        const QList<ZipEntry> valid{{"Dieren.llt", "x\r\n"}, {"x.kld", "new"}};
        QTest::newRow("entry above 16 MB")
            << QList<ZipEntry>{{"Dieren.llt", "x\r\n"}, {"x.bmp", QByteArray(16 * 1024 * 1024 + 1, 'b')}}
            << QStringLiteral("Dieren") << false << int(ArchiveFailure::TooLarge);
        const QByteArray twenty(20 * 1024 * 1024 - 1, 'c');
        QTest::newRow("archive above 64 MB")
            << QList<ZipEntry>{{"x.kld", "new"}, {"1.bmp", twenty}, {"2.bmp", twenty}, {"3.bmp", twenty}, {"4.bmp", twenty}}
            << QStringLiteral("Dieren") << false << int(ArchiveFailure::TooLarge);
        QTest::newRow("name leaving the folder") << valid << QStringLiteral("../Dieren") << false
                                                 << int(ArchiveFailure::UnsafeEntry);
        QTest::newRow("cancelled") << valid << QStringLiteral("Dieren") << true << int(ArchiveFailure::Cancelled);
        QTest::newRow("new name cancelled") << valid << QStringLiteral("Other") << true << int(ArchiveFailure::Cancelled);
    }
    void refusedImportsLeaveTheThemesFolderAsItWas()
    {
        QFETCH(QList<ZipEntry>, entries);
        QFETCH(QString, target);
        QFETCH(bool, cancelled);
        QFETCH(int, failure);
        writeLinkList(m_themes, QStringLiteral("Dieren"), {QStringLiteral("x")});
        writeRaw(m_themes + QStringLiteral("/x.kld"), "old");
        const auto before = snapshot(m_themes);
        const QString archive = m_dir.filePath(QStringLiteral("Dieren.tvz"));
        QVERIFY(writeZip(archive, entries));
        const std::atomic<bool> cancel{cancelled};
        const ThemeImportResult result = importThemeArchive(archive, QStringLiteral("Dieren"), target, m_themes, &cancel);
        QCOMPARE(int(result.result.failure), failure);
        QCOMPARE(snapshot(m_themes), before);
    }

    void brokenFilesLeaveTheThemesFolderAsItWas()
    {
        writeLinkList(m_themes, QStringLiteral("Dieren"), {QStringLiteral("x")});
        const auto before = snapshot(m_themes);
        QByteArray bytes = readRaw(m_archive);
        const QString truncated = m_dir.filePath(QStringLiteral("t/Dieren.tvz"));
        QDir().mkpath(QFileInfo(truncated).path());
        writeRaw(truncated, bytes.left(bytes.size() / 2));
        QVERIFY(!importThemeArchive(truncated, QStringLiteral("Dieren"), QStringLiteral("Dieren"), m_themes).result.ok());
        // A byte flipped inside the first entry's deflated data fails its checksum.
        bytes[50] = char(bytes[50] ^ 0xff);
        writeRaw(truncated, bytes);
        QVERIFY(!importThemeArchive(truncated, QStringLiteral("Dieren"), QStringLiteral("Dieren"), m_themes).result.ok());
        QVERIFY(!importThemeArchive(m_dir.filePath(QStringLiteral("none.tvz")), QStringLiteral("none"), QStringLiteral("none"), m_themes).result.ok());
        QCOMPARE(snapshot(m_themes), before);
    }

    void hostileNamesNeverReachTheDisk()
    {
        const QString archive = m_dir.filePath(QStringLiteral("Evil.tvz"));
        QVERIFY(writeZip(archive, {{"../Evil.llt", "x"}, {"../../escape.kld", "x"}, {"/tmp/abs-tovalin.kld", "x"},
                                   {"link.bmp", "/etc/passwd", 0120777}, {"script.sh", "x"}, {"Evil.llt", "\r\n"}}));
        const auto parentBefore = snapshot(QFileInfo(m_themes).path());
        const ThemeImportResult result = importThemeArchive(archive, QStringLiteral("Evil"), QStringLiteral("Evil"), m_themes);
        QVERIFY(result.result.ok());
        QCOMPARE(result.placed, QStringList{QStringLiteral("Evil.llt")});
        auto parentAfter = snapshot(QFileInfo(m_themes).path());
        parentAfter.remove(QStringLiteral("themas/Evil.llt"));
        QCOMPARE(parentAfter, parentBefore);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/abs-tovalin.kld")));
    }

    void themeNamesThatCanBeFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << QStringLiteral("Dieren") << true;
        QTest::newRow("blanks and accents") << QStringLiteral("Mijn thema é") << true;
        QTest::newRow("dots inside") << QStringLiteral("v1.2") << true;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("blank") << QStringLiteral("   ") << false;
        QTest::newRow("slash") << QStringLiteral("a/b") << false;
        QTest::newRow("backslash") << QStringLiteral("a\\b") << false;
        QTest::newRow("dot dot") << QStringLiteral("..") << false;
        QTest::newRow("line break") << QStringLiteral("a\nb") << false;
        QTest::newRow("too long") << QString(252, u'x') << false;
        QTest::newRow("longest") << QString(251, u'x') << true;
    }
    void themeNamesThatCanBeFiles()
    {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QCOMPARE(isValidThemeName(name), valid);
    }

    void downloadAddressGivesTheThemeName_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("theme");
        QTest::newRow("vendor address") << QStringLiteral("http://www.tovalin.example/th/Dieren.tvz") << QStringLiteral("Dieren");
        QTest::newRow("%20 is a blank") << QStringLiteral("http://127.0.0.1:8080/themes/Mijn%20thema.tvz")
                                        << QStringLiteral("Mijn thema");
        QTest::newRow("capitals") << QStringLiteral("HTTPS://HOST/A/B/Zee.TVZ") << QStringLiteral("Zee");
        QTest::newRow("utf-8") << QStringLiteral("http://h/Caf%C3%A9.tvz") << QStringLiteral("Café");
        QTest::newRow("windows-1252") << QStringLiteral("http://h/Caf%E9.tvz") << QStringLiteral("Café");
        QTest::newRow("lone percent stays") << QStringLiteral("http://h/100%.tvz") << QStringLiteral("100%");
        QTest::newRow("not hex stays") << QStringLiteral("http://h/a%zzb.tvz") << QStringLiteral("a%zzb");
        QTest::newRow("first tvz") << QStringLiteral("http://h/a.tvz.tvz") << QStringLiteral("a");
        QTest::newRow("query value") << QStringLiteral("http://h/get.php?theme=Zoo.tvz") << QStringLiteral("Zoo");
        QTest::newRow("encoded slash refused") << QStringLiteral("http://h/..%2F..%2Fetc.tvz") << QString();
        QTest::newRow("encoded dot dot refused") << QStringLiteral("http://h/%2e%2e.tvz") << QString();
        QTest::newRow("nothing before tvz") << QStringLiteral("http://h/.tvz") << QString();
        QTest::newRow("encoded line break") << QStringLiteral("http://h/a%0Ab.tvz") << QString();
    }
    void downloadAddressGivesTheThemeName()
    {
        QFETCH(QString, address);
        QFETCH(QString, theme);
        QCOMPARE(themeNameFromDownloadAddress(address), theme);
    }
};

QTEST_GUILESS_MAIN(TestThemeImport)
#include "test_theme_import.moc"
