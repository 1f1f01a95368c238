// The yardstick for a long session: a bare Qt WebEngine window driven through the same mix of
// navigations as the long-session test drives tovalin (pages with a frame, pages refused in the
// navigation hook, pop-ups opened in a fresh hidden view and then loaded in the window), with the
// C heap sampled after each navigation and its rise over the second half fitted the same way.
// Usage: bare_long_session [navigations] [http cache: memory | none | <MB>] [mix: all | refused]
// (default 240 navigations, tovalin's in-memory cache, the test's mix; bench/run.sh passes its
// long-session count). "refused" makes every navigation one the hook refuses before it starts,
// to a page of another host: the engine's heap still rises about a kilobyte per navigation
// (refusals on the page's own host add nothing), and only deleting the profile gives it back.
// Prints "heap in use over the second half: N bytes per navigation" on standard error.

#include "support_heap_slope.h"
#include "ui/support_http_server.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using tovalin::test::TestHttpServer;

namespace {

constexpr int kRound = 8;
constexpr int kTimeoutMs = 20000;

/// Refuses the main-frame navigations the guard refuses in the test (pages off the whitelist and
/// the blacklisted page), as tovalin's navigation hook does.
class Page final : public QWebEnginePage {
public:
    using QWebEnginePage::QWebEnginePage;
    QString refused;

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame && (url.path() == QLatin1String("/away") || url.path() == QLatin1String("/black"))) {
            refused = url.toString();
            return false;
        }
        return true;
    }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
};

bool waitUntil(const std::function<bool()> &done)
{
    QDeadlineTimer deadline(kTimeoutMs);
    while (!done() && !deadline.hasExpired()) {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

QByteArray html(const char *title, const char *body = "")
{
    return QByteArray("<html><head><title>") + title + "</title></head><body><h1>" + title + "</h1>" + body
        + "</body></html>";
}

} // namespace

int main(int argc, char **argv)
{
    // The engine as tovalin starts it: no back-forward cache, the system resolver, off the record.
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
            qgetenv("QTWEBENGINE_CHROMIUM_FLAGS") + " --disable-features=BackForwardCache,DnsOverHttps");
    QApplication app(argc, argv);
    const int count = argc > 1 ? qMax(kRound, QByteArray(argv[1]).toInt()) : 240;

    TestHttpServer server;
    if (!server.isListening()) {
        std::fprintf(stderr, "bare: no local server\n");
        return 1;
    }
    server.addRoute(QStringLiteral("/start"), html("start"));
    server.addRoute(QStringLiteral("/framed"),
                    html("framed", "<iframe src='/frame' width='300' height='100'></iframe><p>some text</p>"));
    server.addRoute(QStringLiteral("/frame"), html("frame"));
    server.addRoute(QStringLiteral("/popup"), html("popup"));
    server.addRoute(QStringLiteral("/opener"),
                    html("opener", "<script>window.open('/popup' + location.search, '', 'width=300,height=200');</script>"));

    auto *profile = new QWebEngineProfile(&app);
    const QByteArray cache = argc > 2 ? QByteArray(argv[2]) : QByteArray("memory");
    profile->setHttpCacheType(cache == "none" ? QWebEngineProfile::NoCache : QWebEngineProfile::MemoryHttpCache);
    if (cache.toInt() > 0)
        profile->setHttpCacheMaximumSize(cache.toInt() << 20);
    QWidget window;
    window.resize(1024, 700);
    QWidget hiddenPage; // never shown, as tovalin's page of the hidden browser
    QWebEngineView view(&window);
    view.resize(window.size());
    auto *page = new Page(profile, &view);
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    page->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    view.setPage(page);
    window.show();

    QString shown;
    QObject::connect(page, &QWebEnginePage::loadFinished, [&](bool ok) { shown = ok ? page->url().toString() : QString(); });
    // Each pop-up opens in a fresh hidden view; once loaded, the window loads its address.
    std::unique_ptr<QWebEngineView> hidden;
    QObject::connect(page, &QWebEnginePage::newWindowRequested, [&](QWebEngineNewWindowRequest &request) {
        if (hidden)
            hidden.release()->deleteLater();
        hidden = std::make_unique<QWebEngineView>(&hiddenPage);
        auto *popup = new QWebEnginePage(profile, hidden.get());
        popup->settings()->setAttribute(QWebEngineSettings::AutoLoadImages, false);
        hidden->setPage(popup);
        QObject::connect(popup, &QWebEnginePage::loadFinished, page, [page, popup](bool ok) {
            if (ok)
                page->load(popup->url());
        });
        request.openIn(popup);
    });

    const auto load = [&](const QString &address) {
        shown.clear();
        page->refused.clear();
        page->load(QUrl(address));
    };
    load(server.address(QStringLiteral("/start")));
    if (!waitUntil([&] { return !shown.isEmpty(); })) {
        std::fprintf(stderr, "bare: the start page did not load\n");
        return 1;
    }

    std::vector<qint64> secondHalf;
    QElapsedTimer clock;
    clock.start();
    const QString elsewhere = QStringLiteral("http://localhost:%1").arg(server.port());
    const bool refusedOnly = argc > 3 && QByteArray(argv[3]) == "refused";
    for (int n = 0; n < count; ++n) {
        const QString tag = QString::number(n);
        QString address;
        bool ok = false;
        switch (refusedOnly ? 1 : n % kRound) {
        case 0:
        case 2:
        case 4:
            address = server.address(QStringLiteral("/framed?") + tag);
            load(address);
            ok = waitUntil([&] { return shown == address; });
            break;
        case 1:
        case 5:
            address = elsewhere + QStringLiteral("/away?") + tag;
            load(address);
            ok = waitUntil([&] { return page->refused == address; });
            break;
        case 3:
            address = server.address(QStringLiteral("/black"));
            load(address);
            ok = waitUntil([&] { return page->refused == address; });
            break;
        default:
            address = server.address(QStringLiteral("/popup?") + tag);
            load(server.address(QStringLiteral("/opener?") + tag));
            ok = waitUntil([&] { return shown == address; });
            break;
        }
        if (!ok) {
            std::fprintf(stderr, "bare: navigation %d (%s) did not end\n", n + 1, qPrintable(address));
            return 1;
        }
        server.clearRequests();
        if (n + 1 > count / 2 - (count / 2) % kRound)
            secondHalf.push_back(tovalin::test::heapInUse());
        if ((n + 1) % 500 == 0)
            std::fprintf(stderr, "navigation %d: resident %lld kB, heap in use %lld kB, history %d, %lld ms\n", n + 1,
                         tovalin::test::residentKb(), tovalin::test::heapInUse() / 1024, int(page->history()->count()),
                         clock.elapsed());
    }
    std::fprintf(stderr, "%d navigations in %lld ms\n", count, clock.elapsed());
    std::fprintf(stderr, "heap in use over the second half: %+.0f bytes per navigation\n",
                 tovalin::test::slopePerNavigation(secondHalf, kRound));
    hidden.reset();
    delete page;
    return 0;
}
