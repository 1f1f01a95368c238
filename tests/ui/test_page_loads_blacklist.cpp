// What a whitelisted page loads from a blacklisted site, in the whole program with the real
// engine: its pictures, scripts and the pictures of its frames are blocked before they leave
// the program (the server never sees them), while the page's own picture shows. With the
// blacklist switched off in the profile, the same page loads them all. The user's category
// lists and SafeSearch reach the server as the engine sends its requests: the search engine's
// names and a listed site's are mapped to the local server.

#include "app/ui/application.h"
#include "guard/category_filter.h"
#include "guard/category_index.h"
#include "guard/site_lists.h"
#include "app/ui/main_window.h"
#include "guard/subresource_guard.h"
#include "platform/head_probe.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_http_server.h"
#include "users/user_profile.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;

QByteArray png(QRgb colour)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

class TestPageLoadsBlacklist : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    std::unique_ptr<Application> m_app;

    /// The same test server under a second name: "localhost" is the blacklisted site.
    QString blacklisted(const char *path) const
    {
        return QStringLiteral("http://localhost:%1%2").arg(m_server.port()).arg(QLatin1String(path));
    }

    QString evaluate(const QString &script)
    {
        return tovalin::test::evaluateInPage(*m_app, script, kLoadTimeoutMs);
    }

    void showPage(const QString &path)
    {
        m_server.clearRequests();
        m_app->browser().navigate(m_server.address(path));
        QVERIFY(tovalin::test::waitUntilShown(*m_app, m_server.address(path), kLoadTimeoutMs));
        // The frame's own load event may come a moment after the page's.
        QTRY_VERIFY_WITH_TIMEOUT(evaluate(QStringLiteral("(function(){var f=document.getElementById('f');"
                                                         "return !!(f && f.contentDocument && "
                                                         "f.contentDocument.readyState=='complete');})()"))
                                     == QLatin1String("true"),
                                 kLoadTimeoutMs);
    }

    /// Widths of the own picture, the blacklisted one, the one in the frame; and whether the
    /// blacklisted script ran.
    QString shown()
    {
        return evaluate(QStringLiteral(
            "[document.getElementById('own').naturalWidth, document.getElementById('bad').naturalWidth,"
            " document.getElementById('f').contentDocument.getElementById('deep').naturalWidth,"
            " window.badScriptRan === true].join(',')"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        // The engine resolves these names to the local server; the addresses keep its port.
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                qgetenv("QTWEBENGINE_CHROMIUM_FLAGS")
                    + " --host-resolver-rules=\"MAP www.google.nl 127.0.0.1, MAP www.youtube-nocookie.com 127.0.0.1, "
                      "MAP adult.example 127.0.0.1\"");
        m_server.addRoute(QStringLiteral("/own.png"), png(qRgb(0x20, 0xA0, 0x40)), "image/png");
        m_server.addRoute(QStringLiteral("/bad.png"), png(qRgb(0xE0, 0x20, 0x20)), "image/png");
        m_server.addRoute(QStringLiteral("/deep.png"), png(qRgb(0xE0, 0x20, 0x20)), "image/png");
        m_server.addRoute(QStringLiteral("/bad.js"), "window.badScriptRan = true;", "text/javascript");
        m_server.addRoute(QStringLiteral("/frame"),
                          QStringLiteral("<html><body><img id='deep' src='%1'></body></html>")
                              .arg(blacklisted("/deep.png"))
                              .toUtf8());
        m_server.addRoute(QStringLiteral("/page"),
                          QStringLiteral("<html><head><title>page</title><script src='%1'></script></head><body>"
                                         "<img id='own' src='/own.png'> <img id='bad' src='%2'>"
                                         "<iframe id='f' src='/frame' width='200' height='100'></iframe>"
                                         "</body></html>")
                              .arg(blacklisted("/bad.js"), blacklisted("/bad.png"))
                              .toUtf8());

        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("Nieteruit=0"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=") + m_server.address(QStringLiteral("/page")),
             QStringLiteral("gebruikfav=Dieren*")}));
        // 127.0.0.1 is on the whitelist; the same server as "localhost" is a blacklisted site.
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Dieren"), {}, {QStringLiteral("127.0.0.1")},
                                               {blacklisted("/")}));

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&m_app->mainWindow()));
    }

    void cleanupTestCase() { m_app.reset(); }

    void blacklistedSiteLoadsNothingIntoAWhitelistedPage()
    {
        const qint64 before = m_app->loadGuard().blockedCount();
        showPage(QStringLiteral("/page?on"));
        QCOMPARE(shown(), QStringLiteral("40,0,0,false"));
        QCOMPARE(m_server.requestCount(QStringLiteral("/own.png")), 1);
        QCOMPARE(m_server.requestCount(QStringLiteral("/frame")), 1);
        for (const char *path : {"/bad.png", "/bad.js", "/deep.png"})
            QVERIFY2(m_server.requestCount(QLatin1String(path)) == 0, path);
        QCOMPARE(m_app->loadGuard().blockedCount() - before, 3);
    }

    void withTheBlacklistOffThePageLoadsEverything()
    {
        m_app->profile().Kindonvriendelijk = false;
        showPage(QStringLiteral("/page?off"));
        QCOMPARE(shown(), QStringLiteral("40,40,40,true"));
        for (const char *path : {"/bad.png", "/bad.js", "/deep.png"})
            QVERIFY2(m_server.requestCount(QLatin1String(path)) == 1, path);
        m_app->profile().Kindonvriendelijk = true;
    }

    void categoriesAndSafeSearchAsTheServerSeesThem()
    {
        const QString port = QString::number(m_server.port());
        CategoryIndexBuilder index;
        index.beginCategory(QStringLiteral("adult"), QDateTime::currentDateTimeUtc());
        index.addHost("adult.example");
        const CategoryFiles files(m_dir.path());
        QVERIFY(QDir().mkpath(files.folder));
        QVERIFY(index.write(files.index).ok);
        m_app->profile().Categorieen = QStringLiteral("adult");
        m_app->categories().reload();
        QCOMPARE(m_app->categories().state(), CategoryFilter::State::InForce);
        m_app->lists().whitelist().add(QStringLiteral("www.google.nl"));
        m_server.addRoute(QStringLiteral("/search"), "<html><head><title>results</title></head><body>results</body></html>");
        m_server.addRoute(QStringLiteral("/thumb.png"), png(qRgb(0x20, 0x20, 0xA0)), "image/png");
        m_server.addRoute(QStringLiteral("/cat.png"), png(qRgb(0xE0, 0x20, 0x20)), "image/png");
        m_server.addRoute(QStringLiteral("/safe"),
                          QStringLiteral("<html><body><img id='yt' src='http://www.youtube-nocookie.com:%1/thumb.png'>"
                                         "<img id='adult' src='http://adult.example:%1/cat.png'></body></html>")
                              .arg(port)
                              .toUtf8());

        // A search with the safe mode switched off reaches the engine's server switched on.
        m_server.clearRequests();
        const QString search = QStringLiteral("http://www.google.nl:%1/search?q=cats&safe=off").arg(port);
        const QString forced = QStringLiteral("/search?q=cats&safe=active&ssui=on");
        m_app->browser().navigate(search);
        QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(forced), 1, kLoadTimeoutMs);
        QCOMPARE(m_server.requestCount(QStringLiteral("/search?q=cats&safe=off")), 0);
        QVERIFY(tovalin::test::waitUntilShown(*m_app, QStringLiteral("http://www.google.nl:%1%2").arg(port, forced),
                                              kLoadTimeoutMs));

        // YouTube is asked with its restricted mode; a listed site is never asked at all.
        for (const bool moderate : {false, true}) {
            m_app->profile().YouTubeMatig = moderate;
            m_server.clearRequests();
            const QString page = moderate ? QStringLiteral("/safe?moderate") : QStringLiteral("/safe?strict");
            m_app->browser().navigate(m_server.address(page));
            QVERIFY(tovalin::test::waitUntilShown(*m_app, m_server.address(page), kLoadTimeoutMs));
            QTRY_COMPARE_WITH_TIMEOUT(m_server.requestCount(QStringLiteral("/thumb.png")), 1, kLoadTimeoutMs);
            QCOMPARE(m_server.requestHeader(QStringLiteral("/thumb.png"), "YouTube-Restrict"),
                     moderate ? QByteArray("Moderate") : QByteArray("Strict"));
            QCOMPARE(m_server.requestCount(QStringLiteral("/cat.png")), 0);
        }
        m_app->profile().YouTubeMatig = false;

        // A navigation to a listed site is refused like a blacklisted one: the browser stays.
        m_app->profile().Kindvriendelijk = false;
        const QString listed = QStringLiteral("http://adult.example:%1/cat.png").arg(port);
        m_app->browser().navigate(listed);
        QTRY_VERIFY_WITH_TIMEOUT(m_app->navigation().refusedList().contains(listed), kLoadTimeoutMs);
        QTest::qWait(500);
        QCOMPARE(m_server.requestCount(QStringLiteral("/cat.png")), 0);
        QCOMPARE(m_app->browser().location(), m_server.address(QStringLiteral("/safe?moderate")));
        m_app->profile().Kindvriendelijk = true;
        m_app->profile().Categorieen.clear();
    }
};

QTEST_MAIN(TestPageLoadsBlacklist)
#include "test_page_loads_blacklist.moc"
