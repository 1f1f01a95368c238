// The browser control on the real engine against a local server: every kind of
// navigation reaches the host, a cancel leaves the page in place, pages show no
// dialog and open no window the host did not give them.

#include "platform/qt_sound.h"
#include "platform/webengine_browser.h"
#include "support_http_server.h"

#include <QApplication>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>

using namespace tovalin;
using tovalin::test::TestHttpServer;

namespace {

constexpr int kTimeoutMs = 10000;

QByteArray page(const QString &title, const QString &body = QString())
{
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body).toUtf8();
}

QString titleOf(const WebEngineBrowser &browser)
{
    return browser.view()->page()->title();
}

} // namespace

class TestWebEngineBrowser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void navigationsCompleteAndKeepHistory();
    void subFrameReachesHostAndCanBeRefused();
    void refusedRedirectLeavesPageShown();
    void linkClickIsTranslatedBeforeItNavigates();
    void dialogsAndClosingShowNothing();
    void failedLoadIsAnErrorButCancelIsNot();
    void fileDownloadIsReportedNotSaved();
    void optionsAndScrollBarsReachTheDocument();
    void refusedPopupOpensNothing();
    void allowedPopupLoadsInHiddenBrowser();
    void otherSchemesNeverReachTheDesktop();
    void soundPlayerStaysSilentOnMissingFiles();

private:
    void show(const QString &path);

    TestHttpServer m_server;
    std::unique_ptr<WebEngineBrowser> m_browser;
    QStringList m_log; ///< "T <address>" for translate-URL, "B <address> <frame>" for before-navigate
    QStringList m_refuse;  ///< paths the host cancels
    QHash<QString, NavigationKind> m_kinds; ///< the last kind before-navigate was told for each address
};

void TestWebEngineBrowser::initTestCase()
{
    QVERIFY(m_server.isListening());
    m_server.addRoute("/one", page("one", "<a id='next' href='/two'>two</a>"));
    m_server.addRoute("/two", page("two"));
    m_server.addRoute("/three", page("three"));
    m_server.addRoute("/framed", page("framed", "<iframe src='/inner'></iframe>"));
    m_server.addRoute("/inner", page("inner"));
    m_server.addRedirect("/jump", "/three");
    m_server.addRoute("/dialogs", page("dialogs",
        "<script>alert('hello'); var answer = confirm('sure?'); var typed = prompt('name?');"
        "document.title = 'after ' + answer + ' ' + typed;</script>"));
    m_server.addRoute("/closer", page("closer", "<script>window.close(); document.title = 'still here';</script>"));
    m_server.addRoute("/scripted", page("unscripted", "<script>document.title = 'scripted';</script><p>tall</p>"));
    m_server.addRoute("/file.bin", "0123456789", "application/octet-stream",
                      200, {{"Content-Disposition", "attachment; filename=file.bin"}});
    m_server.addRoute("/opener", page("opener",
        "<script>window.open('/popup', 'popup', 'width=300,height=200');</script>"));
    m_server.addRoute("/popup", page("popup",
        "<script>window.open('/further', 'further', 'width=100,height=100'); window.close();</script>"));
    m_server.addRoute("/further", page("further"));
    m_server.addRoute("/schemes", page("schemes",
        "<a id='mail' href='mailto:info@kids.example'>mail</a>"
        "<a id='ftp' href='ftp://evil.example/file'>ftp</a>"
        "<a id='odd' href='steam://run/1'>odd</a>"
        "<a id='toftp' href='/toftp'>redirect</a>"));
    m_server.addRedirect("/toftp", "ftp://evil.example/redirected");
}

namespace {

/// Stands in for the desktop's URL handlers: remembers every address handed to them.
class DesktopRecorder : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl &url) { opened.append(url.toString()); }
};

} // namespace

void TestWebEngineBrowser::init()
{
    m_log.clear();
    m_refuse.clear();
    m_server.clearRequests();
    m_browser = std::make_unique<WebEngineBrowser>();
    m_browser->widget()->resize(640, 480);
    m_browser->widget()->show();
    m_browser->setTranslateUrlHandler([this](const QString &address) { m_log.append("T " + address); });
    m_kinds.clear();
    m_browser->setBeforeNavigateHandler([this](const QString &address, FrameId frame, NavigationKind kind) {
        m_log.append(QStringLiteral("B %1 %2").arg(address).arg(frame));
        m_kinds.insert(address, kind);
        return m_refuse.contains(QUrl(address).path());
    });
}

void TestWebEngineBrowser::cleanup()
{
    m_browser.reset();
}

void TestWebEngineBrowser::show(const QString &path)
{
    QSignalSpy complete(m_browser.get(), &Browser::documentComplete);
    m_browser->navigate(m_server.address(path));
    QTRY_VERIFY_WITH_TIMEOUT(!complete.isEmpty(), kTimeoutMs);
    QCOMPARE(m_browser->location(), m_server.address(path));
}

void TestWebEngineBrowser::navigationsCompleteAndKeepHistory()
{
    QSignalSpy navigated(m_browser.get(), &Browser::navigateComplete);
    QSignalSpy completed(m_browser.get(), &Browser::documentComplete);
    QSignalSpy commands(m_browser.get(), &Browser::commandStateChanged);
    QSignalSpy progress(m_browser.get(), &Browser::progressChanged);

    show("/one");
    QCOMPARE(m_log, QStringList{"B " + m_server.address("/one") + " 1"}); // the host's own navigate is not translated
    QCOMPARE(navigated.size(), 1);
    QCOMPARE(navigated.first().at(0).value<FrameId>(), Browser::kMainFrame);
    QCOMPARE(navigated.first().at(1).toString(), m_server.address("/one"));
    QCOMPARE(completed.first().at(1).toString(), m_server.address("/one"));
    QVERIFY(!m_browser->canGoBack());
    QCOMPARE(progress.last().at(0).toInt(), -1); // idle after the load

    show("/two");
    QVERIFY(m_browser->canGoBack());
    QVERIFY(!m_browser->canGoForward());
    QCOMPARE(commands.last().at(0).value<BrowserCommand>(), BrowserCommand::Back);
    QVERIFY(commands.last().at(1).toBool());

    completed.clear();
    m_browser->goBack();
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), kTimeoutMs);
    QCOMPARE(m_browser->location(), m_server.address("/one"));
    QVERIFY(m_browser->canGoForward());
    QVERIFY(m_log.last().startsWith("B " + m_server.address("/one"))); // history moves pass the host too

    // Refresh goes to the location again through the host, which may now refuse it.
    m_refuse << "/one";
    m_log.clear();
    m_browser->refresh();
    QTRY_VERIFY_WITH_TIMEOUT(!m_log.isEmpty(), kTimeoutMs);
    QCOMPARE(m_log.first(), "B " + m_server.address("/one") + " 1");
    QTest::qWait(300);
    QCOMPARE(titleOf(*m_browser), "one");
}

void TestWebEngineBrowser::subFrameReachesHostAndCanBeRefused()
{
    m_refuse << "/inner";
    show("/framed");
    const QString inner = "B " + m_server.address("/inner") + ' ';
    const auto frameEntry = std::find_if(m_log.cbegin(), m_log.cend(), [&](const QString &e) { return e.startsWith(inner); });
    QVERIFY2(frameEntry != m_log.cend(), qPrintable(m_log.join(", ")));
    QVERIFY(frameEntry->mid(inner.size()).toULongLong() != Browser::kMainFrame);
    QCOMPARE(m_server.requestCount("/inner"), 0);
    QCOMPARE(titleOf(*m_browser), "framed");
}

void TestWebEngineBrowser::refusedRedirectLeavesPageShown()
{
    show("/one");
    QSignalSpy errors(m_browser.get(), &Browser::navigateError);
    QSignalSpy finished(m_browser.get(), &Browser::downloadCompleted);
    m_refuse << "/three";
    m_log.clear();
    m_browser->navigate(m_server.address("/jump"));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), kTimeoutMs);
    QCOMPARE(m_log, (QStringList{"B " + m_server.address("/jump") + " 1", "B " + m_server.address("/three") + " 1"}));
    QCOMPARE(m_server.requestCount("/three"), 0);
    QCOMPARE(m_browser->location(), m_server.address("/one"));
    QCOMPARE(titleOf(*m_browser), "one");
    QVERIFY(errors.isEmpty());

    // Allowed, the redirect ends on its target.
    m_refuse.clear();
    QSignalSpy completed(m_browser.get(), &Browser::documentComplete);
    m_browser->navigate(m_server.address("/jump"));
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), kTimeoutMs);
    QCOMPARE(m_browser->location(), m_server.address("/three"));
}

void TestWebEngineBrowser::linkClickIsTranslatedBeforeItNavigates()
{
    show("/one");
    m_log.clear();
    QSignalSpy completed(m_browser.get(), &Browser::documentComplete);
    m_browser->runScript("document.getElementById('next').click()");
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), kTimeoutMs);
    QCOMPARE(m_log, (QStringList{"T " + m_server.address("/two"), "B " + m_server.address("/two") + " 1"}));
    QCOMPARE(m_browser->location(), m_server.address("/two"));
}

void TestWebEngineBrowser::dialogsAndClosingShowNothing()
{
    show("/dialogs");
    QTRY_COMPARE_WITH_TIMEOUT(titleOf(*m_browser), QStringLiteral("after false null"), kTimeoutMs);
    QVERIFY(QApplication::topLevelWidgets().size() == 1); // no message box, only the view
    QCOMPARE(m_browser->view()->contextMenuPolicy(), Qt::NoContextMenu);

    // The engine would let a browser's first page close its window (and stop
    // loading it); the page neither closes nor stops, and completes.
    WebEngineBrowser fresh;
    fresh.widget()->show();
    QSignalSpy completed(&fresh, &Browser::documentComplete);
    fresh.navigate(m_server.address("/closer"));
    QTRY_VERIFY_WITH_TIMEOUT(!completed.isEmpty(), kTimeoutMs);
    QCOMPARE(titleOf(fresh), "still here");
    QVERIFY(fresh.widget()->isVisible());
}

void TestWebEngineBrowser::failedLoadIsAnErrorButCancelIsNot()
{
    show("/one");
    QSignalSpy errors(m_browser.get(), &Browser::navigateError);
    QSignalSpy finished(m_browser.get(), &Browser::downloadCompleted);

    m_refuse << "/two";
    m_browser->navigate(m_server.address("/two"));
    QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), kTimeoutMs);
    QVERIFY(errors.isEmpty());

    // Nothing listens on port 1: the load fails, and no error page replaces the shown one.
    m_browser->navigate("http://127.0.0.1:1/nothing");
    QTRY_VERIFY_WITH_TIMEOUT(!errors.isEmpty(), kTimeoutMs);
    QCOMPARE(errors.first().at(0).toString(), "http://127.0.0.1:1/nothing");
    QCOMPARE(m_browser->location(), m_server.address("/one"));
    QCOMPARE(titleOf(*m_browser), "one");
}

void TestWebEngineBrowser::fileDownloadIsReportedNotSaved()
{
    show("/one");
    QSignalSpy downloads(m_browser.get(), &Browser::fileDownloadRequested);
    QSignalSpy errors(m_browser.get(), &Browser::navigateError);
    m_browser->navigate(m_server.address("/file.bin"));
    QTRY_VERIFY_WITH_TIMEOUT(!downloads.isEmpty(), kTimeoutMs);
    QCOMPARE(downloads.first().at(0).toString(), m_server.address("/file.bin"));
    QCOMPARE(m_browser->location(), m_server.address("/one"));
    QVERIFY(errors.isEmpty());
}

void TestWebEngineBrowser::optionsAndScrollBarsReachTheDocument()
{
    m_browser->setDownloadControl(WebEngineBrowser::kDefaultDownloadControl | DownloadControl::NoScripts);
    show("/scripted");
    QCOMPARE(titleOf(*m_browser), "unscripted");

    m_browser->setDownloadControl(WebEngineBrowser::kDefaultDownloadControl);
    show("/scripted");
    QTRY_COMPARE_WITH_TIMEOUT(titleOf(*m_browser), QStringLiteral("scripted"), kTimeoutMs);

    m_browser->hideDocumentScrollBars();
    QString overflow;
    m_browser->view()->page()->runJavaScript(
        "getComputedStyle(document.body).overflowY + ' ' + document.documentElement.style.overflowX",
        [&](const QVariant &result) { overflow = result.toString(); });
    QTRY_COMPARE_WITH_TIMEOUT(overflow, QStringLiteral("hidden hidden"), kTimeoutMs);

    // A press inside the document reaches the host (the click window opens on it).
    QSignalSpy clicked(m_browser.get(), &Browser::documentClicked);
    QWidget *surface = m_browser->view()->focusProxy();
    QVERIFY(surface);
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(20, 20));
    QCOMPARE(clicked.size(), 1);
}

void TestWebEngineBrowser::refusedPopupOpensNothing()
{
    QStringList asked;
    m_browser->setNewWindowHandler([&](const QString &address) {
        asked << address;
        return true;
    });
    // The engine makes the window before it asks, so the page's window.open
    // still returns an object; refused, that window is dropped before it loads.
    show("/opener");
    QTRY_COMPARE_WITH_TIMEOUT(asked, QStringList{m_server.address("/popup")}, kTimeoutMs);
    QVERIFY(m_log.contains("T " + m_server.address("/popup"))); // the opener's translate-URL heard the address
    QCOMPARE(m_server.requestCount("/popup"), 0);

    // Refusing everything asks nobody.
    asked.clear();
    m_browser->setNewWindowPolicy(NewWindowPolicy::Refuse);
    show("/opener");
    QTest::qWait(300);
    QVERIFY(asked.isEmpty());
    QCOMPARE(m_server.requestCount("/popup"), 0);
}

void TestWebEngineBrowser::allowedPopupLoadsInHiddenBrowser()
{
    QWidget hiddenPage; // never shown, like the page that holds the hidden browser
    std::unique_ptr<WebEngineBrowser> hidden;
    std::unique_ptr<QSignalSpy> sizes;
    std::unique_ptr<QSignalSpy> completed;
    QStringList hiddenLog;
    m_browser->setNewWindowHandler([](const QString &) { return false; });
    m_browser->setNewWindowTargetHandler([&](const QString &address) -> Browser * {
        hiddenLog << "asked " + address;
        hidden = std::make_unique<WebEngineBrowser>(&hiddenPage);
        hidden->setNewWindowPolicy(NewWindowPolicy::Refuse);
        hidden->setBeforeNavigateHandler([&](const QString &a, FrameId, NavigationKind) { hiddenLog << "B " + a; return false; });
        sizes = std::make_unique<QSignalSpy>(hidden.get(), &Browser::clientSizeRequested);
        completed = std::make_unique<QSignalSpy>(hidden.get(), &Browser::documentComplete);
        return hidden.get();
    });
    show("/opener");
    QVERIFY(hidden);
    QTRY_VERIFY_WITH_TIMEOUT(!completed->isEmpty(), kTimeoutMs);
    QCOMPARE(completed->first().at(1).toString(), m_server.address("/popup"));
    QCOMPARE(hidden->location(), m_server.address("/popup"));
    QVERIFY2(hiddenLog.contains("B " + m_server.address("/popup")), qPrintable(hiddenLog.join(", ")));
    QTRY_VERIFY_WITH_TIMEOUT(!sizes->isEmpty(), kTimeoutMs);
    QCOMPARE(sizes->first().at(0).toInt(), 300);
    QCOMPARE(sizes->first().at(1).toInt(), 200);
    QCOMPARE(m_browser->location(), m_server.address("/opener")); // the opener stays where it was
    // The pop-up's own window request got nothing.
    QTest::qWait(300);
    QCOMPARE(m_server.requestCount("/further"), 0);
    hidden.reset(); // pages go before the widget that held them
}

void TestWebEngineBrowser::soundPlayerStaysSilentOnMissingFiles()
{
    QTemporaryDir dir;
    QtSoundPlayer player;
    player.play(dir.filePath("missing.wav"));
    QVERIFY(player.lastSource().isEmpty());

    // A file that is no sound plays nothing either, whatever the sound device.
    const QString bad = dir.filePath("bad.wav");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a wave file");
    file.close();
    player.play(bad);
    QCOMPARE(player.lastSource(), bad);
    QTest::qWait(100);
    player.play(dir.filePath("missing.wav")); // cuts the previous one
    QVERIFY(player.lastSource().isEmpty());
}

void TestWebEngineBrowser::otherSchemesNeverReachTheDesktop()
{
    DesktopRecorder desktop;
    const QStringList schemes{"mailto", "ftp", "steam", "file"};
    for (const QString &scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &desktop, "open");
    show("/schemes");
    QSignalSpy errors(m_browser.get(), &Browser::navigateError);
    const struct {
        const char *id;
        QString address;
    } links[] = {
        {"mail", "mailto:info@kids.example"},
        {"ftp", "ftp://evil.example/file"},
        {"odd", "steam://run/1"},
        {"toftp", "ftp://evil.example/redirected"},
    };
    for (const auto &link : links) {
        m_log.clear();
        m_browser->runScript(QStringLiteral("document.getElementById('%1').click()").arg(QLatin1String(link.id)));
        // The host hears of the address, as of any other, and it goes no further.
        QTRY_VERIFY2_WITH_TIMEOUT(m_log.contains("B " + link.address + " 1"), qPrintable(m_log.join(", ")), kTimeoutMs);
        QTest::qWait(300);
        QCOMPARE(m_browser->location(), m_server.address("/schemes"));
    }
    // A script's own navigation, without a click, stays inside too.
    m_log.clear();
    m_browser->runScript("location.href = 'mailto:script@kids.example'");
    QTRY_VERIFY_WITH_TIMEOUT(m_log.contains("B mailto:script@kids.example 1"), kTimeoutMs);
    QTest::qWait(300);
    for (const QString &scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);
    QCOMPARE(desktop.opened, QStringList());
    QCOMPARE(titleOf(*m_browser), "schemes");
    QVERIFY(errors.isEmpty()); // a refusal is no broken page
    QCOMPARE(m_kinds.value("mailto:info@kids.example"), NavigationKind::LinkClick);
}

QTEST_MAIN(TestWebEngineBrowser)
#include "test_webengine_browser.moc"
