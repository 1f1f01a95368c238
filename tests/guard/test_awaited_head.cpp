// The HEAD request of a video address asked in the background: the navigation waits,
// the window does not, and the decision taken when the answer comes is the one an
// answer at once would have given.

#include "guard/support_guard.h"

#include <QPointer>
#include <QtTest>

using namespace tovalin;
using namespace tovalin::test;

namespace {

// Answers only when the test says so.
class LateHeadProbe final : public HeadProbe {
public:
    HeadAnswer head(const QString &) override
    {
        ++waitedFor;
        return {};
    }
    std::unique_ptr<QObject> startHead(const QString &address, std::function<void(const HeadAnswer &)> done) override
    {
        auto request = std::make_unique<QObject>();
        asked.append({address, std::move(done), request.get()});
        return request;
    }
    /// Delivers the answer to request i, as the real probe does: only while its request lives.
    void answer(int i, const HeadAnswer &a)
    {
        if (asked.at(i).request)
            asked.at(i).done(a);
    }
    struct Request {
        QString address;
        std::function<void(const HeadAnswer &)> done;
        QPointer<QObject> request;
    };
    QList<Request> asked;
    int waitedFor = 0;
};

// A world whose guard asks in the background.
struct LateWorld : GuardWorld {
    LateWorld()
    {
        NavigationGuard::Services services;
        services.head = &late;
        services.media = &media;
        services.themes = &themes;
        services.headInBackground = true;
        late_guard = std::make_unique<NavigationGuard>(state, *lists, profile, *model, services);
        late_guard->attachTo(browser);
    }
    LateHeadProbe late;
    std::unique_ptr<NavigationGuard> late_guard;
};

void allowVideos(GuardWorld &w)
{
    w.profile.Toonmpg = true;
    w.profile.ToonWindowsMedia = true;
    w.lists->whitelist().add(QStringLiteral("video.example"));
}

HeadAnswer answerOf(qint64 length, const QString &type)
{
    HeadAnswer a;
    a.ok = length >= 0;
    a.contentLength = length;
    a.contentType = type;
    return a;
}

} // namespace

class TestAwaitedHead : public QObject {
    Q_OBJECT
private slots:
    void lateAnswerDecidesAsAnAnswerAtOnce_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<qint64>("length");
        QTest::addColumn<QString>("type");
        QTest::newRow("videoIsFetched") << "http://video.example/clip.mpg" << qint64(50000) << "video/mpeg";
        QTest::newRow("failedRequestStillFetchesByExtension") << "http://video.example/clip.mpg" << qint64(-1) << "";
        QTest::newRow("smallDescriptionGoesToTheReferenceFetch")
            << "http://video.example/list.asx" << qint64(120) << "video/x-ms-asx";
        QTest::newRow("largeDescriptionIsShownByTheBrowser")
            << "http://video.example/list.asx" << qint64(5000) << "video/x-ms-asx";
        QTest::newRow("videoKindNotAllowedIsRefused") << "http://video.example/clip.wmv" << qint64(50000) << "video/x-ms-wmv";
        QTest::newRow("refusedSiteIsNeverAsked") << "http://elsewhere.example/clip.mpg" << qint64(50000) << "video/mpeg";
    }
    void lateAnswerDecidesAsAnAnswerAtOnce()
    {
        QFETCH(QString, address);
        QFETCH(qint64, length);
        QFETCH(QString, type);

        GuardWorld atOnce;
        allowVideos(atOnce);
        atOnce.head.answers.insert(address, answerOf(length, type));
        atOnce.browser.load(QStringLiteral("http://video.example/"));
        atOnce.state.openPageClick();
        atOnce.browser.load(address);

        LateWorld late;
        allowVideos(late);
        late.browser.load(QStringLiteral("http://video.example/"));
        late.state.openPageClick();
        QSignalSpy used(late.late_guard.get(), &NavigationGuard::awaitedAnswerUsed);
        const bool shownAtFirst = late.browser.load(address);
        QVERIFY(!shownAtFirst);
        QCOMPARE(late.late.waitedFor, 0);
        if (!late.late.asked.isEmpty()) {
            QCOMPARE(late.late_guard->awaitedAddress(), address);
            QVERIFY(late.media.calls.isEmpty()); // nothing is handed over before the answer
            late.late.answer(0, answerOf(length, type));
            QCOMPARE(late.browser.navigated, QStringList{address});
            QCOMPARE(used.size(), 1);
        }
        QCOMPARE(late.late.asked.size(), atOnce.head.asked.size());
        QCOMPARE(late.media.calls, atOnce.media.calls);
        QCOMPARE(late.browser.location(), atOnce.browser.location());
        QCOMPARE(late.model->refusedList(), atOnce.model->refusedList());
        QCOMPARE(late.model->navState(), atOnce.model->navState());
        QCOMPARE(late.forbiddenSounds(), atOnce.forbiddenSounds());
        QCOMPARE(late.model->addressHistory(), atOnce.model->addressHistory());
        QVERIFY(late.late_guard->awaitedAddress().isEmpty());
    }

    void anotherNavigationSupersedesTheAwaitedOne()
    {
        LateWorld w;
        allowVideos(w);
        w.browser.load(QStringLiteral("http://video.example/"));
        QVERIFY(!w.browser.load(QStringLiteral("http://video.example/one.mpg")));
        // A frame of the page shown does not: the child's click still stands.
        w.browser.load(QStringLiteral("http://video.example/ad.html"), 7);
        QCOMPARE(w.late_guard->awaitedAddress(), QStringLiteral("http://video.example/one.mpg"));
        QVERIFY(w.browser.load(QStringLiteral("http://video.example/page.html")));
        QVERIFY(w.late_guard->awaitedAddress().isEmpty());
        QVERIFY(!w.late.asked.at(0).request); // the request was ended
        w.late.answer(0, answerOf(50000, QStringLiteral("video/mpeg")));
        QVERIFY(w.browser.navigated.isEmpty());
        QVERIFY(w.media.calls.isEmpty());
        QCOMPARE(w.browser.location(), QStringLiteral("http://video.example/page.html"));
    }

    void videoInAFrameIsHandedOverWhenTheAnswerComes()
    {
        LateWorld w;
        allowVideos(w);
        w.browser.load(QStringLiteral("http://video.example/"));
        QVERIFY(!w.browser.load(QStringLiteral("http://video.example/clip.mpg"), 3));
        w.late.answer(0, answerOf(50000, QStringLiteral("video/mpeg")));
        QVERIFY(w.browser.navigated.isEmpty()); // a frame is not sent anywhere again
        QCOMPARE(w.media.calls, QStringList{"video:mpg:http://video.example/clip.mpg"});
        QCOMPARE(w.browser.location(), QStringLiteral("http://video.example/"));
    }
};

QTEST_GUILESS_MAIN(TestAwaitedHead)
#include "test_awaited_head.moc"
