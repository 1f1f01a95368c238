#include "core/ini.h"
#include "core/on_demand_library.h"
#include "core/sodium_library.h"
#include "core/text.h"
#include "core/text_file.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>

using namespace tovalin;

class TestTextFile : public QObject {
    Q_OBJECT
private slots:
    void linesEndAtCrLfOrCrLf()
    {
        QCOMPARE(splitLines(QStringLiteral("a\r\nb\rc\nd")), (QStringList{"a", "b", "c", "d"}));
        QCOMPARE(splitLines(QStringLiteral("a\r\n\r\n")), (QStringList{"a", ""}));
        QCOMPARE(splitLines(QString()), QStringList());
    }
    void cp1252FallbackWhenNotUtf8()
    {
        const QByteArray cp = "caf\xe9 \x80 \x93x\x94";
        QCOMPARE(decodeText(cp), QString::fromUtf8("café € “x”"));
        QCOMPARE(decodeText(QByteArray("\xef\xbb\xbf") + "caf\xc3\xa9"), QString::fromUtf8("café"));
        // Byte-order marks a tool put in front at each save: none of them is text.
        QCOMPARE(decodeText(QByteArray("\xef\xbb\xbf\xef\xbb\xbf\xef\xbb\xbf") + "a\r\n"), QStringLiteral("a\r\n"));
    }
    void writtenFilesAreUtf8CrLfAndAtomic()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("l.txt");
        QVERIFY(writeLines(path, {QString::fromUtf8("é"), "", "b"}).ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("\xc3\xa9\r\n\r\nb\r\n"));
        QCOMPARE(*readLines(path), (QStringList{QString::fromUtf8("é"), "", "b"}));
        QVERIFY(!writeLines(dir.filePath("missing/x.txt"), {"a"}).ok);
        QVERIFY(!readLines(dir.filePath("nothing.txt")));
    }
    void aPipeUnderAFileNameIsUnreadableNotAHang()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Dieren.kvu");
        if (QProcess::execute("mkfifo", {path}) != 0)
            QSKIP("mkfifo is not available");
        QCOMPARE(readFileBytes(path).error, ReadError::Unreadable); // opening it would wait for a writer
        QVERIFY(!readLines(path));
        QVERIFY(!IniDocument::load(path));
    }
    void fullDiskKeepsTheOldFileAndSaysWhy()
    {
        QTemporaryDir dir;
        const QString mountPoint = dir.filePath("small");
        QDir().mkpath(mountPoint);
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=32k", "tmpfs", mountPoint}) != 0)
            QSKIP("cannot mount a small file system here");
        const QString path = mountPoint + "/list.kvu";
        QVERIFY(writeLines(path, {"old entry"}).ok);
        QStringList big;
        for (int i = 0; i < 5000; ++i)
            big << QString("http://entry-%1.example/").arg(i);
        const WriteResult r = writeLines(path, big);
        const auto back = readLines(path);
        const QStringList leftOver = QDir(mountPoint).entryList(QDir::Files);
        QProcess::execute("umount", {mountPoint});
        QVERIFY(!r.ok);
        QCOMPARE(r.error, QString("No space left on device"));
        QCOMPARE(*back, QStringList{"old entry"});
        QCOMPARE(leftOver, QStringList{"list.kvu"});
    }
    void iniKeepsUnknownKeysAndOrder()
    {
        const QByteArray in = "; note\r\n[B]\r\nz=1\r\nUnknown=keep me\r\n\r\n[Other]\r\nx=y\r\n";
        IniDocument doc = IniDocument::parse(in);
        QCOMPARE(doc.value("b", "Z"), std::optional<QString>("1"));
        doc.setValue("B", "z", "0");
        doc.setValue("B", "new", "n");
        doc.setValue("C", "k", "v");
        QCOMPARE(doc.serialize(),
                 QByteArray("; note\r\n[B]\r\nz=0\r\nUnknown=keep me\r\nnew=n\r\n\r\n[Other]\r\nx=y\r\n\r\n[C]\r\nk=v\r\n"));
    }
    void iniBooleansFollowTheProfileRules()
    {
        IniDocument doc = IniDocument::parse("[S]\r\na=1\r\nb=0\r\nc=yes\r\nd=-3\r\ne=\r\n");
        QCOMPARE(doc.boolValue("S", "a", false), true);
        QCOMPARE(doc.boolValue("S", "b", true), false);
        QCOMPARE(doc.boolValue("S", "c", true), true);
        QCOMPARE(doc.boolValue("S", "c", false), false);
        QCOMPARE(doc.boolValue("S", "d", false), true);
        QCOMPARE(doc.boolValue("S", "e", true), true);
        QCOMPARE(doc.boolValue("S", "missing", true), true);
    }
    void iniSavesTheSameBytesEveryTime_data()
    {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("firstSave");
        QTest::newRow("markAfterAFormFeed")
            << QByteArray::fromBase64("DO+7v1tMaW5rdGU9LTENCmJyZWVkdApob3RlPS0xDVthW11lZHRlPTgwMA0K")
            << QByteArray("[Linkte=-1\r\nbreedt\r\nhote=-1\r\n[a[]edte=800\r\n");
        QTest::newRow("markAfterBlanksInFrontOfAHeader")
            << QByteArray(" \t\xEF\xBB\xBF[LinkProp]\r\nURL=http://a.example/\r\n")
            << QByteArray("[LinkProp]\r\nURL=http://a.example/\r\n");
        QTest::newRow("markInFrontOfALaterKeyStaysItsOwn")
            << QByteArray("[S]\r\n\xEF\xBB\xBFk=v\r\n")
            << QByteArray("[S]\r\n\xEF\xBB\xBFk=v\r\n");
    }
    void iniSavesTheSameBytesEveryTime()
    {
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, firstSave);
        const QByteArray written = IniDocument::parse(in).serialize();
        QCOMPARE(written, firstSave);
        QCOMPARE(IniDocument::parse(written).serialize(), written);
    }
    void iniSurvivesGarbage()
    {
        QByteArray junk(4096, '\0');
        for (int i = 0; i < junk.size(); ++i)
            junk[i] = char((i * 7919) % 256);
        junk += QByteArray(1 << 20, 'x'); // a 1 MB line
        IniDocument doc = IniDocument::parse(junk);
        doc.setValue("S", "k", "v");
        QCOMPARE(doc.value("S", "k"), std::optional<QString>("v"));
    }
    void containsTextIgnoresCaseAndEmptyFragments()
    {
        QVERIFY(ContainsText("http://WWW.Example.org/x", "example.ORG"));
        QVERIFY(!ContainsText("abc", ""));
        QVERIFY(!ContainsText("abc", "abd"));
    }
    // The libraries the program opens when first needed: a library or a function that is not
    // there is a clear "no", never a crash; one that is gives the library's own functions.
    void librariesOpenedOnDemand()
    {
        struct {
            decltype(&::strlen) strlen;
        } table{};
        const char *const present[] = {"strlen", nullptr};
        OnDemandLibrary libc("libc.so.6", present, &table);
        QVERIFY(libc.load());
        QCOMPARE(table.strlen("seven ch"), size_t(8));

        const char *const lacking[] = {"strlen", "tovalin_no_such_function", nullptr};
        struct {
            void *a, *b;
        } unused{};
        QVERIFY(!OnDemandLibrary("libc.so.6", lacking, &unused).load());
        QVERIFY(!OnDemandLibrary("libtovalin-no-such-library.so.1", present, &unused).load());

        // The password hashing's library, as the password store reaches it.
        QVERIFY(sodium_init() >= 0);
        QVERIFY(sodium_library::load());
    }

    void siteOfAnAddress()
    {
        QCOMPARE(siteOf("http://kids.example/start"), QString("kids.example"));
        QCOMPARE(siteOf("https://kids.example/start"), QString("kids.example"));
        QCOMPARE(siteOf("https://kids.example"), QString("kids.example"));
        QCOMPARE(siteOf("abcdefgkids.example/x"), QString("kids.example"));
        QCOMPARE(siteOf(""), QString());
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "test_text_file.moc"
