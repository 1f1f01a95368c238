// The whole program in a real window with the real web engine, against a local
// server: what the lists refuse is never shown, lands in the refused list, and
// the indicator goes "forbidden" and then "ready".

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "guard/navigation_model.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_http_server.h"
#include "core/text_file.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kLoadTimeoutMs = 20000;

} // namespace

class TestGuardedBrowser : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    std::unique_ptr<Application> m_app;

    QString elsewhere(const QString &path) const
    {
        return QStringLiteral("http://localhost:%1%2").arg(m_server.port()).arg(path);
    }

    void waitUntilShown(const QString &address)
    {
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
    }

    /// A host command opens a new navigation sequence, as the buttons and picture links do.
    void userNavigates(const QString &address)
    {
        m_app->state().openHostNavigation();
        m_app->browser().navigate(address);
    }

    QStringList shownRefusedList() const
    {
        auto *list = m_app->mainWindow().findChild<QListWidget *>(QStringLiteral("ListBox1"));
        QStringList items;
        for (int i = 0; list && i < list->count(); ++i)
            items.append(list->item(i)->text());
        return items;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        const QString start = m_server.address(QStringLiteral("/start.html"));
        m_server.addRoute(QStringLiteral("/start.html"),
                          "<html><body><h1>Start</h1><a id='bad' href='/bad.html'>bad</a>"
                          "<a id='good' href='/good.html'>good</a></body></html>");
        m_server.addRoute(QStringLiteral("/good.html"), "<html><body><h1>Good</h1></body></html>");
        m_server.addRoute(QStringLiteral("/bad.html"), "<html><body><h1>Bad</h1></body></html>");
        m_server.addRoute(QStringLiteral("/framed.html"),
                          "<html><body><h1>Framed</h1><iframe src='/badframe.html'></iframe></body></html>");
        m_server.addRoute(QStringLiteral("/badframe.html"), "<html><body>bad frame</body></html>");
        m_server.addRedirect(QStringLiteral("/redirect"), elsewhere(QStringLiteral("/elsewhere.html")));

        // A data folder with one user and one theme whose lists the pages test.
        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("Nieteruit=0"), QStringLiteral("[Favorieten]"), QStringLiteral("StartURL=") + start,
             QStringLiteral("gebruikfav=Dieren*")}));
        QVERIFY(tovalin::test::writeThemeLists(
            data, QStringLiteral("Dieren"), {}, {QStringLiteral("127.0.0.1")},
            {m_server.address(QStringLiteral("/bad.html")), m_server.address(QStringLiteral("/badframe.html"))}));

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QCOMPARE(m_app->state().activeUser(), QStringLiteral("Kim"));
        QCOMPARE(m_app->state().activeTheme(), QStringLiteral("Dieren"));
        waitUntilShown(start);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Ready, kLoadTimeoutMs);
    }

    void cleanupTestCase()
    {
        m_app.reset();
    }

    void blacklistedLinkIsNeverShown()
    {
        const QString start = m_server.address(QStringLiteral("/start.html"));
        const QString bad = m_server.address(QStringLiteral("/bad.html"));
        m_sound.played.clear();
        m_server.clearRequests();
        QSignalSpy states(&m_app->navigation(), &NavigationModel::navStateChanged);

        m_app->state().openPageClick(); // as a click inside the page does
        m_app->browser().runScript(QStringLiteral("document.getElementById('bad').click();"));

        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{bad}, kLoadTimeoutMs);
        QCOMPARE(m_app->navigation().navState(), NavState::Forbidden);
        QVERIFY(m_sound.played.contains(QStringLiteral("verboden.wav")));
        QCOMPARE(shownRefusedList(), QStringList{bad});
        QCOMPARE(m_app->navigation().acceptBlockCaption(), QStringLiteral("Allow blocked site"));
        // The sign blinks three times and ends as it began.
        QTRY_VERIFY_WITH_TIMEOUT(!m_app->navigation().blinkTimer().isActive(), 3000);
        QCOMPARE(m_app->navigation().blinkCount(), NavigationModel::kBlinkToggles);

        QTest::qWait(300);
        QCOMPARE(m_app->browser().location(), start);
        QCOMPARE(m_server.requestCount(QStringLiteral("/bad.html")), 0);
        QVERIFY(!states.isEmpty());
    }

    void allowedLinkStillWorks()
    {
        const QString good = m_server.address(QStringLiteral("/good.html"));
        m_app->state().openPageClick();
        m_app->browser().runScript(QStringLiteral("document.getElementById('good').click();"));
        waitUntilShown(good);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Ready, kLoadTimeoutMs);
        QVERIFY(m_app->navigation().refusedList().isEmpty());
        auto *edit1 = m_app->mainWindow().findChild<QLineEdit *>(QStringLiteral("Edit1"));
        QVERIFY(edit1);
        QCOMPARE(edit1->text(), good);
    }

    void blacklistedFrameOfAnAllowedPage()
    {
        const QString framed = m_server.address(QStringLiteral("/framed.html"));
        const QString badFrame = m_server.address(QStringLiteral("/badframe.html"));
        QSignalSpy states(&m_app->navigation(), &NavigationModel::navStateChanged);
        m_server.clearRequests();

        userNavigates(framed);
        waitUntilShown(framed);
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().navState(), NavState::Ready, kLoadTimeoutMs);

        QCOMPARE(m_app->navigation().refusedList(), QStringList{badFrame});
        QCOMPARE(shownRefusedList(), QStringList{badFrame});
        QCOMPARE(m_server.requestCount(QStringLiteral("/badframe.html")), 0);
        // Loading, the refused frame, once more when the page completes, then ready.
        QList<NavState> seen;
        for (const auto &args : states)
            seen.append(args.at(0).value<NavState>());
        QCOMPARE(seen.first(), NavState::Loading);
        QVERIFY(seen.count(NavState::Forbidden) >= 2);
        QCOMPARE(seen.last(), NavState::Ready);
        QVERIFY(seen.indexOf(NavState::Forbidden) < seen.lastIndexOf(NavState::Ready));
        QCOMPARE(m_app->navigation().acceptBlockCaption(), QStringLiteral("Block active site"));
    }

    void redirectToAnAddressOffTheWhitelist()
    {
        const QString framed = m_server.address(QStringLiteral("/framed.html"));
        const QString target = elsewhere(QStringLiteral("/elsewhere.html"));
        userNavigates(m_server.address(QStringLiteral("/redirect")));
        QTRY_COMPARE_WITH_TIMEOUT(m_app->navigation().refusedList(), QStringList{target}, kLoadTimeoutMs);
        QCOMPARE(m_app->navigation().navState(), NavState::Forbidden);
        QTest::qWait(500);
        QCOMPARE(m_app->browser().location(), framed);
        QCOMPARE(shownRefusedList(), QStringList{target});
    }

    void userNavigationPreparesANewSequence()
    {
        MainWindow &w = m_app->mainWindow();
        QSignalSpy cancelTransfers(&w, &MainWindow::transfersCancelRequested);
        m_app->navigation().addRefused(QStringLiteral("http://old.example/"));
        w.BeginUserNavigation();
        QCOMPARE(cancelTransfers.count(), 1);
        QVERIFY(m_app->state().ClickPending);
        QVERIFY(m_app->navigation().refusedList().isEmpty());
        QVERIFY(shownRefusedList().isEmpty());
        m_app->state().closeClickWindow();
    }

    void firstRunWizardIsDueAfterTheFirstActivationNotTheLast()
    {
        MainWindow &w = m_app->mainWindow();
        auto *timer2 = w.findChild<QTimer *>(QStringLiteral("Timer2"));
        QVERIFY(timer2);
        if (!w.isActiveWindow())
            QSKIP("the window is not active on this platform");
        m_app->state().FirstRun = true;
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(&w, &activation);
        QVERIFY(timer2->isActive());
        QTest::qWait(400);
        const int left = timer2->remainingTime();
        QApplication::sendEvent(&w, &activation); // a message box closed, say
        QVERIFY2(timer2->remainingTime() <= left, "a later activation must not put the wizard off");
        timer2->stop();
        m_app->state().FirstRun = false;
    }

    void closingIsRefusedWhileKeysAreBlocked()
    {
        m_app->profile().Nieteruit = true;
        QVERIFY(!m_app->mainWindow().close());
        QVERIFY(m_app->mainWindow().isVisible());
        m_app->profile().Nieteruit = false;
    }
};

QTEST_MAIN(TestGuardedBrowser)
#include "test_guarded_browser.moc"
