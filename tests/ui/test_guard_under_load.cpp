// The guard on a busy machine and at its edges, in the whole program with the
// real engine and the real 250 ms click window: a click's own navigation opens
// its sequence however late the engine starts it, an address of another scheme
// never leaves the program, and a pop-up's redirect is judged before the hidden
// browser loads anything of it.

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "core/text_file.h"
#include "guard/navigation_model.h"
#include "platform/head_probe.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_http_server.h"
#include "themes/bmp_codec.h"
#include "themes/ui/link_panel.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QThread>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;
/// How long the window's thread is held right after a click: longer than the click window,
/// as a loaded machine may hold it before the engine starts the navigation.
constexpr int kBusyMs = 400;

/// A link covering a band of the page, so a real click lands on it.
QString band(const char *id, const QString &href, int top, const QString &extra = QString())
{
    return QStringLiteral("<a id='%1' href='%2' %4 style='display:block;position:absolute;left:0;top:%3px;"
                          "width:400px;height:80px;background:#cde'>%1</a>")
        .arg(QLatin1String(id), href)
        .arg(top)
        .arg(extra);
}

QByteArray page(const QString &title, const QString &body = QString())
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8();
}

} // namespace

/// Stands in for the desktop's URL handlers: remembers every address handed to them.
class DesktopRecorder : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl &url) { opened.append(url.toString()); }
};

class TestGuardUnderLoad : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    DesktopRecorder m_desktop;
    std::unique_ptr<Application> m_app;

    MainWindow &window() { return m_app->mainWindow(); }
    NavigationModel &nav() { return m_app->navigation(); }
    QString address(const char *path) const { return m_server.address(QLatin1String(path)); }
    QString elsewhere(const char *path) const
    {
        return QStringLiteral("http://localhost:%1%2").arg(m_server.port()).arg(QLatin1String(path));
    }

    void waitUntilShown(const QString &address)
    {
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
        QTRY_COMPARE_WITH_TIMEOUT(nav().navState(), NavState::Ready, kLoadTimeoutMs);
    }

    /// The start page, reached as the Home button reaches it.
    void backToStart()
    {
        QTest::mouseClick(window().findChild<QToolButton *>(QStringLiteral("ImgBtn5")), Qt::LeftButton);
        waitUntilShown(address("/start"));
    }

    /// A sequence of an earlier page: what "Allow blocked site" would act on if no new one opened.
    void leaveAnEarlierSequence()
    {
        nav().addRefused(QStringLiteral("http://earlier.example/"));
        nav().addToNavlijst(QStringLiteral("http://earlier.example/"));
    }

    /// A real left click inside the shown page, at a point of the page.
    void clickInPage(const QPoint &at)
    {
        QWidget *content = m_app->browser().view()->focusProxy();
        QVERIFY(content);
        QTest::mouseClick(content, Qt::LeftButton, {}, at);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        m_server.addRoute(QStringLiteral("/start"),
                          page(QStringLiteral("start"),
                               band("next", QStringLiteral("/next"), 0)
                                   + band("mail", QStringLiteral("mailto:info@127.0.0.1"), 100)
                                   + band("away", elsewhere("/away"), 200)));
        m_server.addRoute(QStringLiteral("/next"), page(QStringLiteral("next")));
        m_server.addRoute(QStringLiteral("/linked"), page(QStringLiteral("linked")));
        m_server.addRoute(QStringLiteral("/away"), page(QStringLiteral("away")));
        m_server.addRoute(QStringLiteral("/popaway"),
                          page(QStringLiteral("pop away"),
                               QStringLiteral("<script>window.open('/toaway', '', 'width=300,height=200');</script>")));
        m_server.addRedirect(QStringLiteral("/toaway"), elsewhere("/away"));
        m_server.addRoute(QStringLiteral("/popftp"),
                          page(QStringLiteral("pop ftp"),
                               QStringLiteral("<script>window.open('/toftp', '', 'width=300,height=200');</script>")));
        m_server.addRedirect(QStringLiteral("/toftp"), QStringLiteral("ftp://127.0.0.1/file"));

        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("Nieteruit=0"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=") + address("/start"), QStringLiteral("gebruikfav=Dieren*")}));
        const QString id = QStringLiteral("20240301080001");
        const QString themes = data + QStringLiteral("/themas/");
        QVERIFY(writeLines(themes + id + QStringLiteral(".kld"),
                           {QStringLiteral("[LinkProp]"), QStringLiteral("URL=") + address("/linked"),
                            QStringLiteral("ID=") + id, QStringLiteral("Hint=Linked"), QStringLiteral("hoogte=-1"),
                            QStringLiteral("breedte=-1")})
                    .ok);
        QVERIFY(writeBmpFile(themes + id + QStringLiteral(".bmp"), Bitmap::filled(70, 70, 0xFF2060C0u)));
        // 127.0.0.1 is on the whitelist; the same server as "localhost" is not.
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Dieren"), {id}, {QStringLiteral("127.0.0.1")}));

        for (const char *scheme : {"mailto", "ftp"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_desktop, "open");

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QCOMPARE(m_app->state().clickTimer().interval(), ProgramState::kClickWindowMs);
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        waitUntilShown(address("/start"));
    }

    void cleanupTestCase()
    {
        m_app.reset();
        for (const char *scheme : {"mailto", "ftp"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void pictureLinkOpensItsSequenceHoweverLate()
    {
        leaveAnEarlierSequence();
        QTest::mouseClick(window().linkPanel()->picture(1), Qt::LeftButton);
        QThread::msleep(kBusyMs);
        waitUntilShown(address("/linked"));
        QVERIFY(nav().refusedList().isEmpty());
        QCOMPARE(nav().navlijst(), QStringList{address("/linked")});
        QVERIFY(!m_app->state().ClickPending);
    }

    void buttonOpensItsSequenceHoweverLate()
    {
        leaveAnEarlierSequence();
        QTest::mouseClick(window().findChild<QToolButton *>(QStringLiteral("ImgBtn5")), Qt::LeftButton);
        QThread::msleep(kBusyMs);
        waitUntilShown(address("/start"));
        QVERIFY(nav().refusedList().isEmpty());
        QCOMPARE(nav().navlijst(), QStringList{address("/start")});
    }

    void linkInThePageOpensItsSequenceHoweverLate()
    {
        leaveAnEarlierSequence();
        clickInPage(QPoint(40, 40)); // the band of /next
        QThread::msleep(kBusyMs);
        waitUntilShown(address("/next"));
        QVERIFY(nav().refusedList().isEmpty());
        QCOMPARE(nav().navlijst(), QStringList{address("/next")});
        QVERIFY(!m_app->state().ClickPending);
        backToStart();
    }

    void refusedLinkInThePageIsTheOneOffered()
    {
        // The refusal of a late link click is of this click's sequence, so "Allow blocked site"
        // offers this address and no other.
        leaveAnEarlierSequence();
        m_server.clearRequests();
        clickInPage(QPoint(40, 240)); // the band of localhost's /away
        QThread::msleep(kBusyMs);
        QTRY_COMPARE_WITH_TIMEOUT(nav().refusedList(), QStringList{elsewhere("/away")}, kLoadTimeoutMs);
        QCOMPARE(nav().acceptBlockCaption(), QStringLiteral("Allow blocked site"));
        QTest::qWait(300);
        QCOMPARE(m_server.requestCount(QStringLiteral("/away")), 0);
        QCOMPARE(m_app->browser().location(), address("/start"));
    }

    void mailLinkWithAWhitelistedTextStaysInside()
    {
        m_sound.played.clear();
        m_desktop.opened.clear();
        clickInPage(QPoint(40, 140)); // the band of mailto:info@127.0.0.1
        QTRY_VERIFY_WITH_TIMEOUT(m_sound.played.contains(QStringLiteral("verboden.wav")), kLoadTimeoutMs);
        QTest::qWait(500);
        QCOMPARE(m_desktop.opened, QStringList());
        QCOMPARE(m_app->browser().location(), address("/start"));
        QVERIFY(nav().refusedList().isEmpty()); // nothing a parent could allow
        QVERIFY(nav().navState() != NavState::Broken);
    }

    void popupRedirectIsJudgedBeforeTheHiddenBrowserLoadsIt()
    {
        m_server.clearRequests();
        window().BeginUserNavigation();
        m_app->browser().navigate(address("/popaway"));
        QTRY_VERIFY_WITH_TIMEOUT(nav().refusedList().contains(elsewhere("/away")), kLoadTimeoutMs);
        QTest::qWait(500);
        QCOMPARE(m_server.requestCount(QStringLiteral("/toaway")), 1);
        QCOMPARE(m_server.requestCount(QStringLiteral("/away")), 0); // never fetched, never handed over
        QCOMPARE(m_app->browser().location(), address("/popaway"));
    }

    void popupRedirectToAnotherSchemeNeverReachesTheDesktop()
    {
        m_desktop.opened.clear();
        window().BeginUserNavigation();
        m_app->browser().navigate(address("/popftp"));
        QTRY_VERIFY_WITH_TIMEOUT(m_server.requestCount(QStringLiteral("/toftp")) > 0, kLoadTimeoutMs);
        QTest::qWait(1000);
        QCOMPARE(m_desktop.opened, QStringList());
        QCOMPARE(m_app->browser().location(), address("/popftp"));
    }
};

QTEST_MAIN(TestGuardUnderLoad)
#include "test_guard_under_load.moc"
