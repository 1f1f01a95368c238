// The download request: what happens to every download the browser would start.

#include "guard/download_request.h"
#include "guard/support_guard.h"

#include <QtTest>

using namespace tovalin;
using namespace tovalin::test;

namespace {

const QString kAllowedSite = QStringLiteral("kids.example");

bool UserProfile::*settingNamed(const QString &name)
{
    static const QHash<QString, bool UserProfile::*> settings{
        {"Toonwmv", &UserProfile::Toonwmv},   {"Toonmov", &UserProfile::Toonmov},
        {"Toonasf", &UserProfile::Toonasf},   {"Toonmpeg", &UserProfile::Toonmpeg},
        {"Toonmpg", &UserProfile::Toonmpg},   {"Toonavi", &UserProfile::Toonavi},
        {"ToonWindowsMedia", &UserProfile::ToonWindowsMedia}, {"ToonQuickTime", &UserProfile::ToonQuickTime},
    };
    return settings.value(name);
}

} // namespace

Q_DECLARE_METATYPE(tovalin::NavState)

class TestDownloadRequest : public QObject {
    Q_OBJECT
private slots:
    void table_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QStringList>("settings"); // switched on
        QTest::addColumn<qint64>("length");        // of the HEAD answer; -2: the HEAD request fails
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("handover");     // what the fetcher was asked, "" for nothing
        QTest::addColumn<NavState>("state");       // a hand-over leaves "loading": the fetch takes the indicator over

        const QString site = QStringLiteral("http://kids.example/");
        struct Kind { const char *ext; const char *setting; };
        const Kind kinds[] = {{"wmv", "Toonwmv"}, {"mov", "Toonmov"}, {"asf", "Toonasf"},
                              {"mpeg", "Toonmpeg"}, {"mpg", "Toonmpg"}, {"avi", "Toonavi"}};
        for (const Kind &k : kinds) {
            const QString address = site + QStringLiteral("clip.") + QLatin1String(k.ext);
            QTest::addRow("%sAllowed", k.ext) << address << QStringList{QLatin1String(k.setting)} << qint64(50000)
                                              << "video/x" << QStringLiteral("video:%1:%2").arg(QLatin1String(k.ext), address)
                                              << NavState::Loading;
            QTest::addRow("%sNotAllowed", k.ext) << address << QStringList{} << qint64(50000) << "video/x" << ""
                                                 << NavState::Forbidden2;
        }
        QTest::newRow("capitalsAreTheSameKind") << site + "CLIP.MPG" << QStringList{"Toonmpg"} << qint64(50000) << "video/mpeg"
                                                << "video:mpg:" + site + "CLIP.MPG" << NavState::Loading;
        QTest::newRow("answerWithoutLengthIsAVideo") << site + "clip.avi" << QStringList{"Toonavi"} << qint64(-1) << ""
                                                     << "video:avi:" + site + "clip.avi" << NavState::Loading;
        QTest::newRow("smallAnswerIsNoVideo") << site + "clip.wmv" << QStringList{"Toonwmv"} << qint64(200) << "video/x-ms-wmv"
                                              << "" << NavState::Forbidden2;
        QTest::newRow("zipIsDropped") << site + "files.zip" << QStringList{"Toonwmv", "ToonWindowsMedia", "ToonQuickTime"}
                                      << qint64(5000) << "application/zip" << "" << NavState::Forbidden2;
        QTest::newRow("failedHeadDropsTheRequest") << site + "clip.mpg" << QStringList{"Toonmpg"} << qint64(-2) << ""
                                                   << "" << NavState::Broken;
        const struct { const char *type; const char *kind; } windowsMedia[] = {
            {"video/x-ms-asf", "asx"}, {"video/x-ms-asx", "asx"}, {"video/x-ms-wmv", "wmx"},
            {"video/x-ms-wvx", "wvx"}, {"video/x-ms-wm", "wmx"},  {"video/x-ms-wmx", "wmx"}};
        for (const auto &wm : windowsMedia) {
            QTest::addRow("smallAnswer %s", wm.type) << site + "play" << QStringList{"ToonWindowsMedia"} << qint64(120)
                                                     << QString::fromLatin1(wm.type)
                                                     << QStringLiteral("reference:%1:%2play").arg(QLatin1String(wm.kind), site)
                                                     << NavState::Loading;
            QTest::addRow("smallAnswer %s not allowed", wm.type) << site + "play" << QStringList{"ToonQuickTime"} << qint64(120)
                                                                 << QString::fromLatin1(wm.type) << "" << NavState::Forbidden2;
        }
        QTest::newRow("quickTimeByName") << site + "m.qtl" << QStringList{"ToonQuickTime"} << qint64(100) << "text/plain"
                                         << "reference:qtl:" + site + "m.qtl" << NavState::Loading;
        QTest::newRow("quickTimeByType") << site + "m" << QStringList{"ToonQuickTime"} << qint64(100) << "video/quicktime"
                                         << "reference:qt:" + site + "m" << NavState::Loading;
        QTest::newRow("largeQuickTimeAnswerIsNoReference") << site + "m.qtl" << QStringList{"ToonQuickTime"} << qint64(201)
                                                           << "video/quicktime" << "" << NavState::Forbidden2;
    }

    void table()
    {
        QFETCH(QString, address);
        QFETCH(QStringList, settings);
        QFETCH(qint64, length);
        QFETCH(QString, type);
        QFETCH(QString, handover);
        QFETCH(NavState, state);
        GuardWorld w;
        w.lists->whitelist().add(kAllowedSite);
        for (const QString &name : settings)
            w.profile.*settingNamed(name) = true;
        if (length != -2)
            w.head.answers.insert(address, HeadAnswer{true, type, length});
        DownloadRequest request(*w.lists, *w.model, w.profile, &w.head, &w.media);

        request.TovalinDownloadMgr1URLstring(address);
        // Nothing the user allows could come of an answer: the server is not asked again.
        QCOMPARE(w.head.asked, settings.isEmpty() ? QStringList{} : QStringList{address});
        QCOMPARE(w.media.calls, handover.isEmpty() ? QStringList{} : QStringList{handover});
        QCOMPARE(w.model->navState(), state);
        QVERIFY(w.model->refusedList().isEmpty());
        QCOMPARE(w.forbiddenSounds(), state == NavState::Forbidden2 ? 1 : 0);
    }

    void listsRefuseBeforeAnythingIsAsked()
    {
        GuardWorld w;
        w.lists->whitelist().add(kAllowedSite);
        w.profile.Toonmpg = true;
        DownloadRequest request(*w.lists, *w.model, w.profile, &w.head, &w.media);
        const QString address = QStringLiteral("http://elsewhere.example/clip.mpg");
        QCOMPARE(request.TovalinDownloadMgr1URLstring(address), DownloadOutcome::Refused);
        QCOMPARE(request.TovalinDownloadMgr1URLstring(address), DownloadOutcome::Refused);
        QCOMPARE(w.model->refusedList(), QStringList{address}); // once, however often it is asked
        QCOMPARE(w.model->navState(), NavState::Forbidden);
        QCOMPARE(w.model->acceptBlockCaption(), QStringLiteral("Allow blocked site"));
        QVERIFY(w.head.asked.isEmpty());
        QVERIFY(w.media.calls.isEmpty());
    }

    void guardsOwnHandOverIsDroppedOnce()
    {
        GuardWorld w;
        w.lists->whitelist().add(kAllowedSite);
        w.profile.Toonmpg = true;
        const QString address = QStringLiteral("http://kids.example/clip.mpg");
        w.head.answers.insert(address, HeadAnswer{true, QStringLiteral("video/mpeg"), 50000});
        DownloadRequest request(*w.lists, *w.model, w.profile, &w.head, &w.media);
        request.attachTo(w.browser);
        w.media.suppressed = true;
        emit w.browser.fileDownloadRequested(address);
        QVERIFY(!w.media.suppressed);
        QVERIFY(w.head.asked.isEmpty());
        QVERIFY(w.media.calls.isEmpty());
        emit w.browser.fileDownloadRequested(address);
        QCOMPARE(w.media.calls, QStringList{"video:mpg:" + address});
    }
};

QTEST_GUILESS_MAIN(TestDownloadRequest)
#include "test_download_request.moc"
