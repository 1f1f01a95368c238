// The names videos and installers are stored under, the video title, and where
// a movie sits on its screen.

#include "media/letterbox.h"
#include "media/video_names.h"

#include <QtTest>

using namespace tovalin;

class TestMediaRules : public QObject {
    Q_OBJECT
private slots:
    void videoFileName_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "http://kids.example/films/clip.mpg" << "clip.mpg";
        QTest::newRow("percentTwentyIsABlank") << "http://kids.example/my%20clip.mpg" << "my clip.mpg";
        QTest::newRow("literalBlankCutsTheAddress") << "http://kids.example/my clip.mpg" << "my";
        QTest::newRow("trailingSlashGivesNoName") << "http://kids.example/films/" << "";
        QTest::newRow("capitalsAreLowered") << "http://KIDS.example/Films/CLIP.MPG" << "clip.mpg";
        QTest::newRow("secureAddress") << "https://kids.example/clip.avi" << "clip.avi";
        QTest::newRow("ftpAddress") << "ftp://ftp.kids.example/pub/clip.mpeg" << "clip.mpeg";
        QTest::newRow("nameIsTrimmed") << "http://kids.example/%20clip.mpg" << "clip.mpg";
        QTest::newRow("nonHexDigitsCountAsZero") << "http://kids.example/a%4g.mpg" << "a@.mpg";
        QTest::newRow("percentAtTheEndStays") << "http://kids.example/a.mpg%4" << "a.mpg%4";
        QTest::newRow("blankInsideAnEscapeStillCuts") << "http://kids.example/ab%2 x.mpg" << "ab%2";
        QTest::newRow("utf8Bytes") << "http://kids.example/%c3%a9t%c3%a9.mpg" << QStringLiteral("\u00e9t\u00e9.mpg");
        QTest::newRow("windows1252Bytes") << "http://kids.example/%e9t%e9.mpg" << QStringLiteral("\u00e9t\u00e9.mpg");
        // The name never leaves the video folder.
        QTest::newRow("encodedSlashSplitsTheName") << "http://kids.example/a%2f..%2fb.mpg" << "b.mpg";
        QTest::newRow("dotDotIsNoName") << "http://kids.example/x/%2e%2e" << "";
        QTest::newRow("dotDotBeforeABlankIsNoName") << "http://kids.example/x/.. clip.mpg" << "";
        QTest::newRow("nulIsNoName") << "http://kids.example/a%00.mpg" << "";
        QTest::newRow("noSlashAfterTheHostPartIsNoName") << "http://x.mpg" << "";
    }

    void videoFileName()
    {
        QFETCH(QString, address);
        QFETCH(QString, name);
        QCOMPARE(videonames::videoFileName(address), name);
    }

    void extensionIsTheFirstOccurrenceAtTheEnd()
    {
        QVERIFY(videonames::endsWithExtension("http://kids.example/clip.mpg", ".mpg"));
        QVERIFY(videonames::endsWithExtension("http://kids.example/clip.mpeg", ".mpeg"));
        QVERIFY(!videonames::endsWithExtension("http://kids.example/clip.mpeg", ".mpg"));
        // ".mpeg" twice: the first occurrence does not end the address, so it is no ".mpeg".
        QVERIFY(!videonames::endsWithExtension("http://kids.example/a.mpeg/b.mpeg", ".mpeg"));
        QVERIFY(!videonames::endsWithExtension("http://kids.example/clip.mpg?x=1", ".mpg"));
    }

    void title()
    {
        const QString short27 = QString(27, u'a');
        const QString long28 = QString(26, u'b') + QStringLiteral("cd");
        QCOMPARE(videonames::videoTitle(short27), short27);
        QCOMPARE(videonames::videoTitle(long28), QString(26, u'b') + QStringLiteral("..."));
        QCOMPARE(videonames::videoTitle(QString()), QString());
    }

    void installerFileName()
    {
        QCOMPARE(videonames::installerFileName("https://www.tovalin.example/dl/Tovalin%20Setup-3.0.1.deb"),
                 QStringLiteral("Tovalin Setup-3.0.1.deb"));
        QCOMPARE(videonames::installerFileName("https://www.tovalin.example/dl/Setup.BIN"), QStringLiteral("Setup.BIN"));
        QCOMPARE(videonames::installerFileName("https://www.tovalin.example/dl/"), QString());
        QCOMPARE(videonames::installerFileName("https://www.tovalin.example/dl/%2e%2e"), QString());
        QCOMPARE(videonames::installerFileName("https://www.tovalin.example/dl/x%2f..%2f..%2fsetup"), QStringLiteral("setup"));
    }

    void letterBox_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("natural");
        QTest::addColumn<QRect>("box");
        QTest::newRow("fourThreeInTheScreen") << QSize(441, 344) << QSize(320, 240) << QRect(0, 7, 441, 330);
        QTest::newRow("wideMovieBarsAboveAndBelow") << QSize(441, 344) << QSize(320, 180) << QRect(0, 48, 441, 248);
        QTest::newRow("tallMovieBarsLeftAndRight") << QSize(441, 344) << QSize(240, 320) << QRect(92, 0, 258, 344);
        QTest::newRow("sameShapeFillsTheClient") << QSize(400, 300) << QSize(800, 600) << QRect(0, 0, 400, 300);
        QTest::newRow("soundOnlyGetsTheWholeClient") << QSize(442, 344) << QSize(0, 0) << QRect(0, 0, 442, 344);
    }

    void letterBox()
    {
        QFETCH(QSize, client);
        QFETCH(QSize, natural);
        QFETCH(QRect, box);
        QCOMPARE(letterbox::movieBox(client, natural), box);
    }

    void frameIsCentredOnThePage()
    {
        QCOMPARE(letterbox::centred(QSize(600, 441), QSize(505, 441)), QPoint(47, 0));
        QCOMPARE(letterbox::centred(QSize(1200, 700), QSize(505, 441)), QPoint(347, 129));
        // A page smaller than the frame: truncated towards zero, as Trunc does.
        QCOMPARE(letterbox::centred(QSize(500, 440), QSize(505, 441)), QPoint(-2, 0));
    }
};

QTEST_GUILESS_MAIN(TestMediaRules)
#include "test_media_rules.moc"
