// The blacklist for what a page loads: the address itself or its site root on the blacklist
// blocks the load; nothing else does, and the switches that turn the blacklist off for pages
// turn it off for loads too.

#include "guard/subresource_guard.h"
#include "support_guard.h"

#include <QDir>
#include <QUrl>
#include <QtTest>

using namespace tovalin;
using tovalin::test::GuardWorld;

class TestSubresourceGuard : public QObject {
    Q_OBJECT

private slots:
    void siteRoot_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("root");
        QTest::newRow("path") << "http://Ads.Example/a/b.png?x=1#f" << "http://ads.example/";
        QTest::newRow("port kept") << "https://ads.example:8443/x.js" << "https://ads.example:8443/";
        QTest::newRow("default port and user dropped") << "http://me:pw@ads.example:80" << "http://ads.example/";
        QTest::newRow("query right after host") << "http://ads.example?x" << "http://ads.example/";
        QTest::newRow("no host") << "data:image/png;base64,AAAA" << "";
        QTest::newRow("no address") << "ads.example/x.png" << "";
    }
    void siteRoot()
    {
        QFETCH(QString, address);
        QFETCH(QString, root);
        QCOMPARE(SubresourceGuard::siteRootOf(address), root);
    }

    void blocksWhatTheBlacklistRefuses()
    {
        GuardWorld w;
        w.profile.Kindvriendelijk = true;
        w.lists->list(SiteList::White).setItems({QStringLiteral("school.example")});
        w.lists->list(SiteList::Black).setItems({QStringLiteral("http://ads.example/"),
                                                 QStringLiteral("http://cdn.example/bad/face.png"),
                                                 QStringLiteral("http://www.tovalin.example/")});
        SubresourceGuard guard(w.state, *w.lists, w.profile);
        const QString page = QStringLiteral("http://school.example/");

        // A listed site root: everything from that site, in either web scheme.
        QVERIFY(guard.refuses(QStringLiteral("http://ads.example/banner.png"), page));
        QVERIFY(guard.refuses(QStringLiteral("https://ADS.example/deep/track.js?id=1"), page));
        QVERIFY(guard.refuses(QStringLiteral("http://ads.example"), page));
        // Not a subdomain, another port or a host that merely begins the same.
        QVERIFY(!guard.refuses(QStringLiteral("http://img.ads.example/x.png"), page));
        QVERIFY(!guard.refuses(QStringLiteral("http://ads.example:8080/x.png"), page));
        QVERIFY(!guard.refuses(QStringLiteral("http://ads.example.org/x.png"), page));
        // A listed address: that load only, also with a query.
        QVERIFY(guard.refuses(QStringLiteral("http://cdn.example/bad/face.png?v=2"), page));
        QVERIFY(!guard.refuses(QStringLiteral("http://cdn.example/good/face.png"), page));
        // The whitelist plays no part: a content network off the whitelist loads.
        QVERIFY(w.lists->IsNotWhitelisted(QStringLiteral("http://cdn.example/good/face.png")));
        // The vendor's own site is never blocked, as for pages.
        QVERIFY(!guard.refuses(QStringLiteral("http://www.tovalin.example/logo.png"), page));
        QCOMPARE(guard.blockedCount(), 4);
    }

    void blocksNothingWhenTheBlacklistIsOff()
    {
        GuardWorld w;
        w.lists->list(SiteList::Black).setItems({QStringLiteral("http://ads.example/")});
        SubresourceGuard guard(w.state, *w.lists, w.profile);
        QVERIFY(guard.refuses(QStringLiteral("http://ads.example/a.png")));

        w.state.FilterOn = false;
        QVERIFY(!guard.refuses(QStringLiteral("http://ads.example/a.png")));
        w.state.FilterOn = true;
        w.profile.Kindonvriendelijk = false;
        QVERIFY(!guard.refuses(QStringLiteral("http://ads.example/a.png")));
        QCOMPARE(guard.blockedCount(), 1);
    }

    void categoriesRefuseLoadsAndSafeSearchSendsElsewhere()
    {
        GuardWorld w;
        w.profile.Kindvriendelijk = false;
        w.profile.Categorieen = QStringLiteral("adult");
        w.profile.VeiligZoeken = true;
        w.writeCategories({{QStringLiteral("adult"), {QStringLiteral("bad.example")}}});
        w.lists->list(SiteList::White).setItems({QStringLiteral("pics.bad.example")});
        SubresourceGuard guard(w.state, *w.lists, w.profile);
        const QUrl page(QStringLiteral("http://school.example/"));
        const QUrl listed(QStringLiteral("http://cdn.bad.example/a.png"));
        QVERIFY(guard.answer(listed, page, false).block);
        // The parent's whitelist wins over a maintained list; a page's own request is judged
        // by the navigation guard; the filter switch lets everything through.
        QVERIFY(!guard.answer(QUrl(QStringLiteral("http://pics.bad.example/a.png")), page, false).block);
        QVERIFY(!guard.answer(QUrl(QStringLiteral("http://bad.example/")), page, true).block);
        w.state.FilterOn = false;
        QVERIFY(!guard.answer(listed, page, false).block);
        w.state.FilterOn = true;

        // SafeSearch for pages and loads alike, the filter switch or not; off with the setting.
        const QUrl search(QStringLiteral("https://www.google.com/search?q=x"));
        QCOMPARE(guard.answer(search, page, true).redirect.value_or(QUrl()).toString(),
                 QStringLiteral("https://www.google.com/search?q=x&safe=active&ssui=on"));
        const QUrl video(QStringLiteral("https://www.youtube.com/embed/1"));
        QCOMPARE(guard.answer(video, page, false).youTubeRestrict, QByteArray("Strict"));
        w.profile.YouTubeMatig = true;
        QCOMPARE(guard.answer(video, page, false).youTubeRestrict, QByteArray("Moderate"));
        w.profile.VeiligZoeken = false;
        QVERIFY(!guard.answer(search, page, true).redirect);
        QVERIFY(guard.answer(video, page, false).youTubeRestrict.isEmpty());
    }

    void failsClosedWhileAListCannotBeRead()
    {
        GuardWorld w;
        w.profile.StartURL = QStringLiteral("http://start.example/index.html");
        w.profile.Kindonvriendelijk = false; // the parent's settings do not reopen what cannot be judged
        QVERIFY(QDir().mkpath(w.lists->fileOf(SiteList::Black)));
        w.lists->LoadSiteLists();
        QVERIFY(w.lists->failingClosed());
        SubresourceGuard guard(w.state, *w.lists, w.profile);
        const QString page = QStringLiteral("http://start.example/index.html");

        QVERIFY(guard.refuses(QStringLiteral("http://ads.example/banner.png"), page));
        QVERIFY(guard.refuses(QStringLiteral("https://cdn.example/lib.js"), page));
        QVERIFY(!guard.refuses(QStringLiteral("http://start.example/pictures/sun.png"), page));
        QVERIFY(!guard.refuses(QStringLiteral("http://www.tovalin.example/logo.png"), page));
        QVERIFY(!guard.refuses(QStringLiteral("data:image/png;base64,AAAA"), page));
        // The filter switch is the parent's explicit override, for loads as for pages.
        w.state.FilterOn = false;
        QVERIFY(!guard.refuses(QStringLiteral("http://ads.example/banner.png"), page));
    }
};

QTEST_GUILESS_MAIN(TestSubresourceGuard)
#include "test_subresource_guard.moc"
