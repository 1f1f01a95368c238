// A long session in the whole program with the real engine: guarded navigations one after
// the other (allowed pages with frames, pages off the whitelist, blacklisted pages, pop-ups),
// each begun as the child begins one. The lists of the session stay as small as one
// navigation makes them, the address history stays within its bound, the program's
// resident memory grows by less than a tenth from the first quarter of the run to its end,
// and the heap in use rises by at most kMaxSlopeBytes per navigation over the second half
// of the run (a straight line fitted through the mean of each round of the eight kinds of
// navigation, so neither one large block coming or going nor the mix decides it). A short
// run, or one whose address history is still filling, is held to a bound that catches a
// page or a browser kept per navigation, not the history's own growth and the noise.
//
// TOVALIN_LONG_SESSION_NAVIGATIONS sets the number of navigations (CTest runs a short
// session; the try-out runs 2 000 and 10 000). A run longer than five minutes needs
// QTEST_FUNCTION_TIMEOUT (milliseconds) raised above QtTest's limit.

#include "app/ui/application.h"
#include "app/ui/main_window.h"
#include "guard/navigation_model.h"
#include "platform/head_probe.h"
#include "platform/webengine_browser.h"
#include "support_app.h"
#include "support_heap_slope.h"
#include "support_http_server.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

using namespace tovalin;
using tovalin::test::RecordingSound;
using tovalin::test::TestHttpServer;
using tovalin::test::heapInUse;
using tovalin::test::residentKb;

namespace {

constexpr int kLoadTimeoutMs = 20000;
constexpr int kDefaultNavigations = 240;
/// The most the heap may rise per navigation in a long run with the address history full,
/// and otherwise.
constexpr double kMaxSlopeBytes = 512;
constexpr double kMaxSlopeBytesShortRun = 16 * 1024;
constexpr int kLongRun = 2000;
constexpr int kRound = 8; // the kinds of navigation of the mix

/// Where the resident memory lies: the C heap in use, and the anonymous, file and shared parts.
QString memoryParts()
{
    QString parts = QStringLiteral("heap in use %1 kB").arg(heapInUse() / 1024);
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("RssAnon:") || line.startsWith("RssFile:") || line.startsWith("RssShmem:"))
                parts += QStringLiteral(", ") + QString::fromLatin1(line.simplified());
    }
    return parts;
}

QByteArray page(const QString &title, const QString &body = QString())
{
    return QStringLiteral("<html><head><title>%1</title></head><body><h1>%1</h1>%2</body></html>")
        .arg(title, body)
        .toUtf8();
}

} // namespace

class TestLongSession : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    TestHttpServer m_server;
    RecordingSound m_sound;
    NoNetworkHeadProbe m_head;
    std::unique_ptr<Application> m_app;

    MainWindow &window() { return m_app->mainWindow(); }
    NavigationModel &nav() { return m_app->navigation(); }
    QString elsewhere(const QString &path) const
    {
        return QStringLiteral("http://localhost:%1%2").arg(m_server.port()).arg(path);
    }

    /// Begins a navigation as a click of the child does.
    void userNavigates(const QString &address)
    {
        window().BeginUserNavigation();
        m_app->browser().navigate(address);
    }

    void expectShown(const QString &address)
    {
        QVERIFY2(tovalin::test::waitUntilShown(*m_app, address, kLoadTimeoutMs), qPrintable(address));
    }

    void expectRefused(const QString &address)
    {
        QDeadlineTimer deadline(kLoadTimeoutMs);
        while (!nav().refusedList().contains(address) && !deadline.hasExpired())
            QTest::qWait(5);
        QVERIFY2(nav().refusedList().contains(address), qPrintable(address));
        QVERIFY(m_app->browser().location() != address);
    }

    /// One navigation of the mix; n counts them from 0.
    void navigation(int n)
    {
        const QString tag = QString::number(n);
        switch (n % 8) {
        case 0:
        case 2:
        case 4: {
            const QString address = m_server.address(QStringLiteral("/framed?") + tag);
            userNavigates(address);
            expectShown(address);
            break;
        }
        case 1:
        case 5: {
            const QString address = elsewhere(QStringLiteral("/away?") + tag);
            userNavigates(address);
            expectRefused(address);
            break;
        }
        case 3: {
            const QString address = m_server.address(QStringLiteral("/black"));
            userNavigates(address);
            expectRefused(address);
            break;
        }
        case 6:
        case 7: {
            userNavigates(m_server.address(QStringLiteral("/opener?") + tag));
            expectShown(m_server.address(QStringLiteral("/popup?") + tag));
            break;
        }
        }
        // The test server's log of requests and the sounds recorded in place of playing them would
        // grow with the run and count as the program's.
        m_server.clearRequests();
        m_sound.played.clear();
        // Each navigation begins a sequence of its own: the session's lists hold its addresses only.
        QVERIFY2(nav().refusedList().size() <= 1, qPrintable(nav().refusedList().join(u' ')));
        QVERIFY2(nav().navlijst().size() <= 3, qPrintable(nav().navlijst().join(u' ')));
        QVERIFY(nav().addressHistory().size() <= NavigationModel::kMaxHistory);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.isListening());
        m_server.addRoute(QStringLiteral("/start"), page(QStringLiteral("start")));
        m_server.addRoute(QStringLiteral("/framed"),
                          page(QStringLiteral("framed"), QStringLiteral("<iframe src='/frame' width='300' height='100'>"
                                                                        "</iframe><p>some text</p>")));
        m_server.addRoute(QStringLiteral("/frame"), page(QStringLiteral("frame")));
        m_server.addRoute(QStringLiteral("/black"), page(QStringLiteral("black")));
        m_server.addRoute(QStringLiteral("/away"), page(QStringLiteral("away")));
        m_server.addRoute(QStringLiteral("/opener"),
                          page(QStringLiteral("opener"),
                               QStringLiteral("<script>window.open('/popup' + location.search, '', 'width=300,height=200');</script>")));
        m_server.addRoute(QStringLiteral("/popup"), page(QStringLiteral("popup")));

        const QString data = m_dir.path();
        QVERIFY(tovalin::test::prepareDataFolder(
            data, QStringLiteral("Kim"),
            {QStringLiteral("[Beveiliging]"), QStringLiteral("Kindonvriendelijk=1"), QStringLiteral("Kindvriendelijk=1"),
             QStringLiteral("Nieteruit=0"), QStringLiteral("[Favorieten]"),
             QStringLiteral("StartURL=") + m_server.address(QStringLiteral("/start")),
             QStringLiteral("gebruikfav=Dieren*")}));
        QVERIFY(tovalin::test::writeThemeLists(data, QStringLiteral("Dieren"), {}, {QStringLiteral("127.0.0.1")},
                                               {m_server.address(QStringLiteral("/black"))}));

        Application::Options options;
        options.arguments = QStringList{QStringLiteral("tovalin")};
        options.sound = &m_sound;
        options.headProbe = &m_head;
        m_app = std::make_unique<Application>(options);
        m_app->start();
        QVERIFY(QTest::qWaitForWindowExposed(&window()));
        expectShown(m_server.address(QStringLiteral("/start")));
    }

    void cleanupTestCase() { m_app.reset(); }

    void memoryStaysFlatOverManyNavigations()
    {
        bool ok = false;
        int count = qEnvironmentVariableIntValue("TOVALIN_LONG_SESSION_NAVIGATIONS", &ok);
        if (!ok || count < 8)
            count = kDefaultNavigations;
        const int checkpoint = count / 4;
        qint64 atCheckpoint = 0;
        std::vector<qint64> secondHalf;
        bool historyFullAtHalf = false;
        QElapsedTimer clock;
        clock.start();
        for (int n = 0; n < count; ++n) {
            navigation(n);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QStringLiteral("navigation %1 of %2").arg(n + 1).arg(count)));
            if (n + 1 == checkpoint)
                atCheckpoint = residentKb();
            if (n + 1 == count / 2)
                historyFullAtHalf = nav().addressHistory().size() >= NavigationModel::kMaxHistory;
            if (n + 1 > count / 2 - (count / 2) % kRound)
                secondHalf.push_back(heapInUse());
            if ((n + 1) % 500 == 0 || n + 1 == checkpoint)
                qInfo("navigation %d: resident %lld kB (%s), history %lld, %lld ms", n + 1, residentKb(),
                      qPrintable(memoryParts()), qint64(nav().addressHistory().size()), clock.elapsed());
        }
        const qint64 atEnd = residentKb();
        qInfo("%d navigations in %lld ms; resident memory %lld kB after %d, %lld kB at the end (%+.1f %%)", count,
              clock.elapsed(), atCheckpoint, checkpoint, atEnd,
              atCheckpoint > 0 ? 100.0 * double(atEnd - atCheckpoint) / double(atCheckpoint) : 0.0);
        const double perNavigation = tovalin::test::slopePerNavigation(secondHalf, kRound);
        const double allowed = historyFullAtHalf && count >= kLongRun ? kMaxSlopeBytes : kMaxSlopeBytesShortRun;
        qInfo("heap in use over the second half: %+.0f bytes per navigation (at most %.0f)", perNavigation, allowed);
        QVERIFY(atCheckpoint > 0);
        QVERIFY2(perNavigation <= allowed, qPrintable(QStringLiteral("%1 bytes per navigation").arg(perNavigation)));
        QVERIFY2(atEnd < atCheckpoint + atCheckpoint / 10,
                 qPrintable(QStringLiteral("%1 kB -> %2 kB").arg(atCheckpoint).arg(atEnd)));
    }
};

QTEST_MAIN(TestLongSession)
#include "test_long_session.moc"
