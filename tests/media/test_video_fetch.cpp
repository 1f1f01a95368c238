// Fetch video and fetch reference against a local server: what is stored where,
// what is reused, and what an abort or a failing server leaves behind.

#include "media/video_fetch.h"
#include "state/program_state.h"
#include "ui/support_http_server.h"
#include "ui/support_raw_server.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RawServer;
using tovalin::test::TestHttpServer;

Q_DECLARE_METATYPE(tovalin::FetchStatus)

namespace {

QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<FetchStatus> statuses(const QSignalSpy &spy)
{
    QList<FetchStatus> out;
    for (const QList<QVariant> &args : spy)
        out.append(args.at(0).value<FetchStatus>());
    return out;
}

} // namespace

class TestVideoFetch : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    ProgramState m_state;
    TestHttpServer m_http;
    QByteArray m_clip;

    QStringList storedVideos() const { return QDir(m_state.videoFolder()).entryList(QDir::Files); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_http.isListening());
        m_clip = QByteArray(150 * 1024, 'v');
        m_http.addRoute(QStringLiteral("/films/clip.mpg"), m_clip, "video/mpeg");
        m_http.addRoute(QStringLiteral("/films/Trailer.MOV"), m_clip, "video/quicktime");
        m_http.addRoute(QStringLiteral("/s.asx"), "<asx version=\"3.0\"/>", "video/x-ms-asf");
        m_http.addRedirect(QStringLiteral("/films/moved.mpg"), QStringLiteral("/films/clip.mpg"));
        m_http.addRedirect(QStringLiteral("/moved.asx"), QStringLiteral("/s.asx"));
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_state.DataFolder = m_dir->path();
        QVERIFY(QDir().mkpath(m_state.videoFolder()));
        m_http.clearRequests();
    }

    void fetchedVideoIsStoredThenOffered()
    {
        VideoFetch fetch(m_state);
        QSignalSpy status(&fetch, &VideoFetch::statusChanged);
        QSignalSpy page(&fetch, &VideoFetch::videoPageRequested);
        QSignalSpy title(&fetch, &VideoFetch::titleChanged);
        QSignalSpy gauge(&fetch, &VideoFetch::progressStarted);
        QSignalSpy gaugeEnd(&fetch, &VideoFetch::progressEnded);
        QSignalSpy ready(&fetch, &VideoFetch::videoReady);
        // The fetch asks as the browser would (YouTube's restricted mode).
        fetch.setHeaderSource([](const QString &) { return QList<QByteArray>{"YouTube-Restrict: Strict"}; });
        fetch.fetchVideo(m_http.address(QStringLiteral("/films/clip.mpg")), QStringLiteral("mpg"));
        QCOMPARE(page.count(), 1);
        QCOMPARE(title.last().first().toString(), QStringLiteral("clip.mpg"));
        QVERIFY(fetch.busy());
        QVERIFY(ready.wait(10000));
        const QString path = QDir(m_state.videoFolder()).filePath(QStringLiteral("clip.mpg"));
        QCOMPARE(ready.first().at(0).toString(), path);
        QCOMPARE(ready.first().at(1).toBool(), false);
        QCOMPARE(fileContents(path), m_clip);
        QCOMPARE(m_http.requestHeader(QStringLiteral("/films/clip.mpg"), "YouTube-Restrict"), QByteArray("Strict"));
        QCOMPARE(gauge.first().first().toLongLong(), qint64(m_clip.size()));
        QCOMPARE(gaugeEnd.count(), 1);
        QCOMPARE(statuses(status), (QList<FetchStatus>{FetchStatus::Ready, FetchStatus::Loading, FetchStatus::Ready}));
    }

    void storedVideoIsReplayedWithoutATransfer()
    {
        // Stored under other capitals: names are compared without regard to case.
        const QString stored = QDir(m_state.videoFolder()).filePath(QStringLiteral("CLIP.MPG"));
        QFile file(stored);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("stored");
        file.close();
        VideoFetch fetch(m_state);
        QSignalSpy ready(&fetch, &VideoFetch::videoReady);
        fetch.fetchVideo(m_http.address(QStringLiteral("/films/clip.mpg")), QStringLiteral("mpg"));
        QCOMPARE(ready.count(), 1); // at once
        QCOMPARE(ready.first().at(0).toString(), stored);
        QVERIFY(!fetch.busy());
        QTest::qWait(100);
        QVERIFY(m_http.requests().isEmpty());
        // Another kind of that name is not the same video.
        QCOMPARE(VideoFetch::findStoredVideo(m_state.videoFolder(), QStringLiteral("clip.mpg"), QStringLiteral("avi")), QString());
    }

    void movFlagChoosesThePlayer()
    {
        VideoFetch fetch(m_state);
        QSignalSpy ready(&fetch, &VideoFetch::videoReady);
        fetch.fetchVideo(m_http.address(QStringLiteral("/films/Trailer.MOV")), QStringLiteral("mov"));
        QVERIFY(fetch.movFlag());
        QVERIFY(ready.wait(10000));
        QCOMPARE(ready.first().at(1).toBool(), true);
        QCOMPARE(storedVideos(), QStringList{QStringLiteral("trailer.mov")});
    }

    void failuresEndBroken_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("judged"); // a judge that refuses every redirect
        QTest::newRow("noNameInTheAddress") << "/films/" << false;
        QTest::newRow("missingOnTheServer") << "/films/gone.mpg" << false;
        // A redirect nobody judged is not followed, nor one the judge refuses: where it leads is never asked.
        QTest::newRow("redirectNobodyJudged") << "/films/moved.mpg" << false;
        QTest::newRow("redirectTheJudgeRefuses") << "/films/moved.mpg" << true;
    }

    void failuresEndBroken()
    {
        QFETCH(QString, path);
        QFETCH(bool, judged);
        VideoFetch fetch(m_state);
        QStringList judgedTargets;
        if (judged) {
            fetch.setRedirectJudge([&](const QString &address) {
                judgedTargets << address;
                return false;
            });
        }
        QSignalSpy status(&fetch, &VideoFetch::statusChanged);
        QSignalSpy ready(&fetch, &VideoFetch::videoReady);
        fetch.fetchVideo(m_http.address(path), QStringLiteral("mpg"));
        QTRY_COMPARE_WITH_TIMEOUT(statuses(status).last(), FetchStatus::Broken, 10000);
        QVERIFY(ready.isEmpty());
        QVERIFY(storedVideos().isEmpty());
        QCOMPARE(m_http.requestCount(QStringLiteral("/films/clip.mpg")), 0);
        QCOMPARE(judgedTargets, judged ? QStringList{m_http.address(QStringLiteral("/films/clip.mpg"))} : QStringList{});
    }

    void videoAboveTwoGigabytesIsRefused()
    {
        RawServer huge("HTTP/1.1 200 OK\r\nContent-Type: video/mpeg\r\nContent-Length: 2147483649\r\n\r\n" + QByteArray(1000, 'x'),
                       RawServer::After::StayOpen);
        VideoFetch fetch(m_state);
        QSignalSpy status(&fetch, &VideoFetch::statusChanged);
        fetch.fetchVideo(huge.address(QStringLiteral("/huge.mpg")), QStringLiteral("mpg"));
        QTRY_COMPARE_WITH_TIMEOUT(statuses(status).last(), FetchStatus::Broken, 10000);
        QVERIFY(storedVideos().isEmpty());
    }

    void abortEndsTheTransferAndDeletesThePartialFile()
    {
        // Half a video, then the server goes quiet: only the abort ends it.
        RawServer stall("HTTP/1.1 200 OK\r\nContent-Type: video/mpeg\r\nContent-Length: 1000000\r\n\r\n" + QByteArray(20000, 'x'),
                        RawServer::After::StayOpen);
        VideoFetch fetch(m_state);
        QSignalSpy status(&fetch, &VideoFetch::statusChanged);
        QSignalSpy progress(&fetch, &VideoFetch::progressed);
        QSignalSpy ended(&fetch, &VideoFetch::progressEnded);
        QSignalSpy ready(&fetch, &VideoFetch::videoReady);
        fetch.fetchVideo(stall.address(QStringLiteral("/slow.mpg")), QStringLiteral("mpg"));
        QVERIFY(progress.wait(10000));
        fetch.abort();
        QVERIFY(fetch.aborted());
        QVERIFY(ended.wait(5000));
        QVERIFY(!fetch.busy());
        QVERIFY(ready.isEmpty());
        QVERIFY(storedVideos().isEmpty());
        QVERIFY(QDir(m_state.videoFolder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
        // The navigation that aborted owns the indicator: the fetch does not say "broken" after it.
        QCOMPARE(statuses(status).last(), FetchStatus::Loading);

        // The next fetch clears the flag and works again.
        QSignalSpy again(&fetch, &VideoFetch::videoReady);
        fetch.fetchVideo(m_http.address(QStringLiteral("/films/clip.mpg")), QStringLiteral("mpg"));
        QVERIFY(!fetch.aborted());
        QVERIFY(again.wait(10000));
    }

    void referenceIsStoredAsTempAndOffered()
    {
        VideoFetch fetch(m_state);
        QSignalSpy reference(&fetch, &VideoFetch::referenceReady);
        QSignalSpy page(&fetch, &VideoFetch::videoPageRequested);
        fetch.fetchReference(m_http.address(QStringLiteral("/s.asx")), QStringLiteral("asx"));
        QVERIFY(reference.wait(10000));
        const QString path = QDir(m_state.videoFolder()).filePath(QStringLiteral("temp.asx"));
        QCOMPARE(reference.first().first().toString(), path);
        QCOMPARE(fileContents(path), QByteArray("<asx version=\"3.0\"/>"));
        QCOMPARE(page.count(), 0);

        // A redirect its judge allows is followed, and stores what it leads to.
        QVERIFY(QFile::remove(path));
        fetch.setRedirectJudge([](const QString &) { return true; });
        fetch.fetchReference(m_http.address(QStringLiteral("/moved.asx")), QStringLiteral("asx"));
        QVERIFY(reference.wait(10000));
        QCOMPARE(fileContents(path), QByteArray("<asx version=\"3.0\"/>"));
    }
};

QTEST_GUILESS_MAIN(TestVideoFetch)
#include "test_video_fetch.moc"
