#include "themes/support_theme_fixtures.h"
#include "themes/support_zip.h"
#include "themes/theme_archive.h"

#include "core/text_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <zip.h>

using namespace tovalin;
using namespace tovalin::testing;

class TestThemeArchive : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_themes;
    QString m_target;
    int m_run = 0;

    QStringList folderFiles(const QString &folder) const
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        const QString base = m_dir.filePath(QStringLiteral("run%1").arg(++m_run));
        m_themes = base + QStringLiteral("/themas");
        m_target = base + QStringLiteral("/target");
        QVERIFY(QDir().mkpath(m_themes));
        QVERIFY(QDir().mkpath(m_target));
    }

    void entriesFollowTheLinkOrderThenListAndSiteListsAllDeflated()
    {
        // Link 2 has no picture, link "gone" has no files at all, link 1 is listed twice.
        writeLink(m_themes, QStringLiteral("20240101000002"), QStringLiteral("http://two.example/"), false);
        writeLink(m_themes, QStringLiteral("20240101000001"), QStringLiteral("http://one.example/"), true);
        writeLinkList(m_themes, QStringLiteral("Dieren"),
                      {QStringLiteral("20240101000002"), QStringLiteral("gone"), QStringLiteral("20240101000001"),
                       QStringLiteral("../etc/passwd"), QStringLiteral("20240101000001")});
        writeRaw(m_themes + QStringLiteral("/Dieren.kou"), "bad.example\r\n");
        writeRaw(m_themes + QStringLiteral("/Dieren.kvu"), "one.example\r\ntwo.example\r\n");
        writeLink(m_themes, QStringLiteral("20240101000009"), QStringLiteral("http://other.example/"), true);

        const QString archive = m_dir.filePath(QStringLiteral("Dieren.tvz"));
        const ArchiveResult result = writeThemeArchive(m_themes, QStringLiteral("Dieren"), archive);
        QVERIFY2(result.ok(), qPrintable(result.message));

        const QList<ZipReadEntry> entries = readZip(archive);
        QStringList names;
        for (const ZipReadEntry &entry : entries) {
            names << entry.name;
            QCOMPARE(entry.method, quint16(ZIP_CM_DEFLATE));
            QCOMPARE(entry.data, readRaw(m_themes + u'/' + entry.name));
        }
        QCOMPARE(names, QStringList({QStringLiteral("20240101000002.kld"), QStringLiteral("20240101000001.bmp"),
                                     QStringLiteral("20240101000001.kld"), QStringLiteral("Dieren.llt"),
                                     QStringLiteral("Dieren.kou"), QStringLiteral("Dieren.kvu")}));
        // Level 9 on a uniform thumbnail: a 19 kB bitmap shrinks to well under a kilobyte.
        zip_t *za = zip_open(QFile::encodeName(archive).constData(), ZIP_RDONLY, nullptr);
        QVERIFY(za);
        zip_stat_t st;
        QCOMPARE(zip_stat(za, "20240101000001.bmp", 0, &st), 0);
        QVERIFY(st.comp_size < 1000);
        zip_discard(za);
    }

    void alreadyCompressedKindsAreStored_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("stored");
        QTest::newRow("gif") << QStringLiteral("a.gif") << true;
        QTest::newRow("PNG capitals") << QStringLiteral("a.PNG") << true;
        QTest::newRow("zip") << QStringLiteral("a.zip") << true;
        QTest::newRow("gz") << QStringLiteral("a.tar.gz") << true;
        QTest::newRow("jpeg") << QStringLiteral("a.jpeg") << true;
        QTest::newRow("bmp") << QStringLiteral("a.bmp") << false;
        QTest::newRow("kld") << QStringLiteral("a.kld") << false;
        QTest::newRow("gz inside name") << QStringLiteral("a.gz.llt") << false;
    }
    void alreadyCompressedKindsAreStored()
    {
        QFETCH(QString, name);
        QFETCH(bool, stored);
        QCOMPARE(isAlreadyCompressedKind(name), stored);
    }

    void aMissingThemeOrUnwritablePlaceFailsAndKeepsTheOldArchive()
    {
        const QString archive = m_dir.filePath(QStringLiteral("Keep.tvz"));
        QVERIFY(writeRaw(archive, "old archive"));
        QCOMPARE(writeThemeArchive(m_themes, QStringLiteral("Nothing"), archive).failure, ArchiveFailure::CannotRead);
        QCOMPARE(writeThemeArchive(m_themes, QStringLiteral("../themas/x"), archive).failure, ArchiveFailure::CannotRead);
        QCOMPARE(readRaw(archive), QByteArray("old archive"));

        writeLinkList(m_themes, QStringLiteral("Empty"), {});
        QCOMPARE(writeThemeArchive(m_themes, QStringLiteral("Empty"), m_dir.filePath(QStringLiteral("no/such/folder/E.tvz"))).failure,
                 ArchiveFailure::CannotWrite);
        // A theme without links still makes a valid archive of its one .llt.
        QVERIFY(writeThemeArchive(m_themes, QStringLiteral("Empty"), archive).ok());
        QCOMPARE(archiveEntryNames(archive), QStringList{QStringLiteral("Empty.llt")});
    }

    void writtenArchiveExtractsToTheSameFiles()
    {
        writeLink(m_themes, QStringLiteral("20240101000001"), QStringLiteral("http://one.example/"), true, 0xFF112233);
        writeLinkList(m_themes, QStringLiteral("Mijn thema é"), {QStringLiteral("20240101000001")});
        writeRaw(m_themes + QStringLiteral("/Mijn thema é.kpu"), "pop.example\r\n");
        const QString archive = m_dir.filePath(QStringLiteral("Mijn thema é.tvz"));
        QVERIFY(writeThemeArchive(m_themes, QStringLiteral("Mijn thema é"), archive).ok());
        QCOMPARE(themeNameFromArchivePath(archive), QStringLiteral("Mijn thema é"));

        const ArchiveExtraction extraction = extractThemeArchive(archive, m_target);
        QVERIFY2(extraction.result.ok(), qPrintable(extraction.result.message));
        QVERIFY(extraction.skipped.isEmpty());
        QCOMPARE(extraction.written.size(), 4);
        for (const QString &name : extraction.written)
            QCOMPARE(readRaw(m_target + u'/' + name), readRaw(m_themes + u'/' + name));
    }

    void hostileNamesAreSkippedAndNeverWritten()
    {
        const QString archive = m_dir.filePath(QStringLiteral("Evil.tvz"));
        QVERIFY(writeZip(archive, {{"../escape.kld", "x"},
                                   {"/tmp/absolute.kld", "x"},
                                   {"sub/inside.kld", "x"},
                                   {"back\\slash.kld", "x"},
                                   {"..", "x"},
                                   {".kld", "x"},
                                   {"run.sh", "#!/bin/sh"},
                                   {"Evil.llt.exe", "x"},
                                   {"folder.kld/", ""},
                                   {"link.kld", "/etc/passwd", S_IFLNK | 0777},
                                   {"line\nbreak.kld", "x"},
                                   {"Evil.llt", "20240101000001\r\n"},
                                   {"20240101000001.KLD", "[LinkProp]\r\n"}}));
        const ArchiveExtraction extraction = extractThemeArchive(archive, m_target);
        QVERIFY2(extraction.result.ok(), qPrintable(extraction.result.message));
        QCOMPARE(extraction.written, QStringList({QStringLiteral("Evil.llt"), QStringLiteral("20240101000001.KLD")}));
        QCOMPARE(extraction.skipped.size(), 11);
        QCOMPARE(folderFiles(m_target), QStringList({QStringLiteral("20240101000001.KLD"), QStringLiteral("Evil.llt")}));
        QVERIFY(!QFileInfo::exists(m_target + QStringLiteral("/../escape.kld")));
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/absolute.kld")));
    }

    void oversizedOrBrokenArchivesAreRefusedWhole()
    {
        const QByteArray fifteen(15 * 1024 * 1024, '\0');
        const QString big = m_dir.filePath(QStringLiteral("Big.tvz"));
        QVERIFY(writeZip(big, {{"a.kld", "x"}, {"huge.bmp", QByteArray(16 * 1024 * 1024 + 1, '\0')}}));
        QCOMPARE(extractThemeArchive(big, m_target).result.failure, ArchiveFailure::TooLarge);

        // A skipped kind still counts towards the total: nothing of it is written either.
        const QString many = m_dir.filePath(QStringLiteral("Many.tvz"));
        QVERIFY(writeZip(many, {{"a.kld", "x"}, {"1.bmp", fifteen}, {"2.bmp", fifteen}, {"3.bmp", fifteen},
                                {"4.bmp", fifteen}, {"5.dat", fifteen}}));
        QCOMPARE(extractThemeArchive(many, m_target).result.failure, ArchiveFailure::TooLarge);

        const QString junk = m_dir.filePath(QStringLiteral("Junk.tvz"));
        QVERIFY(writeRaw(junk, QByteArray(5000, 'z')));
        QCOMPARE(extractThemeArchive(junk, m_target).result.failure, ArchiveFailure::NotAnArchive);

        // Cut off before the central directory: no valid archive.
        const QString whole = m_dir.filePath(QStringLiteral("Whole.tvz"));
        QByteArray noise(20000, '\0');
        quint32 seed = 12345;
        for (char &c : noise) {
            seed = seed * 1103515245 + 12345;
            c = char(seed >> 24);
        }
        QVERIFY(writeZip(whole, {{"a.kld", noise}, {"b.kld", "b"}}));
        const QString cut = m_dir.filePath(QStringLiteral("Cut.tvz"));
        QVERIFY(writeRaw(cut, readRaw(whole).left(10000)));
        QVERIFY(!extractThemeArchive(cut, m_target).result.ok());

        // A flipped byte in the compressed data: the checksum catches it.
        QByteArray flipped = readRaw(whole);
        flipped[5000] = char(flipped[5000] ^ 0x55);
        const QString bad = m_dir.filePath(QStringLiteral("Bad.tvz"));
        QVERIFY(writeRaw(bad, flipped));
        QVERIFY(!extractThemeArchive(bad, m_target).result.ok());

        QCOMPARE(extractThemeArchive(m_dir.filePath(QStringLiteral("Missing.tvz")), m_target).result.failure,
                 ArchiveFailure::CannotRead);
        QCOMPARE(folderFiles(m_target), QStringList());
    }

    void aRaisedCancelFlagEndsTheWork()
    {
        const QString archive = m_dir.filePath(QStringLiteral("C.tvz"));
        QVERIFY(writeZip(archive, {{"a.kld", "x"}, {"b.kld", "y"}}));
        const std::atomic<bool> cancel{true};
        QCOMPARE(extractThemeArchive(archive, m_target, &cancel).result.failure, ArchiveFailure::Cancelled);
        QCOMPARE(folderFiles(m_target), QStringList());
    }

    void archiveNameGivesTheThemeName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("theme");
        QTest::newRow("plain") << QStringLiteral("/home/p/Dieren.tvz") << QStringLiteral("Dieren");
        QTest::newRow("capitals") << QStringLiteral("My theme.TVZ") << QStringLiteral("My theme");
        QTest::newRow("first tvz") << QStringLiteral("/x/a.tvz.tvz") << QStringLiteral("a");
    }
    void archiveNameGivesTheThemeName()
    {
        QFETCH(QString, path);
        QFETCH(QString, theme);
        QCOMPARE(themeNameFromArchivePath(path), theme);
    }
};

QTEST_GUILESS_MAIN(TestThemeArchive)
#include "test_theme_archive.moc"
