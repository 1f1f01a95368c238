#include "platform/webengine_browser.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLoggingCategory>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineHistory>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <utility>

Q_LOGGING_CATEGORY(lcBrowser, "tovalin.browser", QtInfoMsg)

namespace tovalin {

namespace {

// Chromium's net::ERR_ABORTED: the navigation was cancelled (by the host, by
// stop, by a newer navigation or because it became a download), which is not an error.
constexpr int kAbortedError = -3;

const char kHideScrollBarsScript[] = R"JS(
(function() {
    for (const e of [document.documentElement, document.body]) {
        if (e) { e.style.overflowX = 'hidden'; e.style.overflowY = 'hidden'; }
    }
})();
)JS";

// The engine lets a script close a window it opened, or one with a single
// history entry, and stops loading that window's document when it tries, even
// though the host never closes it: the document would never complete. So the
// pages never get to try.
const char kNoCloseScript[] = "window.close = function() {};";

// Said on the console of the application world, which the page's own scripts cannot reach.
const char kPaintedMarker[] = "\x01tovalin-painted";

// Switches an engine feature off through its flags (read once, when the engine starts with the
// first profile), beside any the environment already switches off.
void disableEngineFeature(const QByteArray &feature)
{
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (flags.contains(feature))
        return;
    const QByteArray key = "--disable-features=";
    const qsizetype at = flags.indexOf(key);
    if (at >= 0)
        flags.insert(at + key.size(), feature + ',');
    else
        flags += (flags.isEmpty() ? QByteArray() : QByteArray(" ")) + key + feature;
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
}

// Every move through the history must reach the navigation hook, so that a site blocked since
// it was shown is refused on Back and Forward too. A page the engine restored whole from its
// back-forward cache would skip the hook; the cache stays off.
void keepHistoryMovesJudged()
{
    disableEngineFeature("BackForwardCache");
}

// A family's own DNS filter must keep working: the engine never resolves names over HTTPS by itself.
void keepTheSystemResolver()
{
    disableEngineFeature("DnsOverHttps");
}

} // namespace

class WebEngineBrowser::Page final : public QWebEnginePage {
public:
    Page(QWebEngineProfile *profile, WebEngineBrowser *browser) : QWebEnginePage(profile, browser), m_browser(browser)
    {
        QWebEngineScript noClose;
        noClose.setName(QStringLiteral("tovalin-no-close"));
        noClose.setSourceCode(QString::fromLatin1(kNoCloseScript));
        noClose.setInjectionPoint(QWebEngineScript::DocumentCreation);
        noClose.setWorldId(QWebEngineScript::MainWorld);
        noClose.setRunsOnSubFrames(true);
        scripts().insert(noClose);
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        return m_browser->onNavigationRequest(url, type, isMainFrame);
    }
    // Requests the host let through were opened in the receiving browser by
    // WebEngineBrowser::onNewWindowRequested; whatever reaches this point opens nowhere.
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
    QStringList chooseFiles(FileSelectionMode, const QStringList &, const QStringList &) override { return {}; }
    void javaScriptAlert(const QUrl &, const QString &) override {}
    bool javaScriptConfirm(const QUrl &, const QString &) override { return false; }
    bool javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *) override { return false; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int line,
                                  const QString &source) override
    {
        if (m_browser->m_painted && message == QLatin1String(kPaintedMarker)) {
            std::exchange(m_browser->m_painted, nullptr)();
            return;
        }
        qCDebug(lcBrowser) << "script:" << source << line << message;
    }

private:
    WebEngineBrowser *m_browser;
};

QWebEngineProfile *WebEngineBrowser::programProfile()
{
    static QPointer<QWebEngineProfile> profile;
    if (!profile) {
        keepHistoryMovesJudged();
        keepTheSystemResolver();
        // Off the record: cookies, cache and local storage live in memory only,
        // so nothing a child's session leaves behind is kept.
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    }
    return profile;
}

WebEngineBrowser::WebEngineBrowser(QWidget *parentWidget, QObject *parent) : Browser(parent)
{
    QWebEngineProfile *profile = programProfile();
    m_page = new Page(profile, this);
    m_view = new QWebEngineView(parentWidget);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->installEventFilter(this);
    for (QWidget *child : m_view->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    applySettings();

    connect(m_page, &QWebEnginePage::loadingChanged, this, &WebEngineBrowser::onLoadingChanged);
    connect(m_page, &QWebEnginePage::urlChanged, this, &WebEngineBrowser::onUrlChanged);
    connect(m_page, &QWebEnginePage::newWindowRequested, this, &WebEngineBrowser::onNewWindowRequested);
    connect(m_page, &QWebEnginePage::loadProgress, this, [this](int progress) { emit progressChanged(progress, 100); });
    connect(m_page, &QWebEnginePage::linkHovered, this, &Browser::statusTextChanged);
    connect(m_page, &QWebEnginePage::windowCloseRequested, this, &Browser::windowClosingRefused);
    connect(m_page, &QWebEnginePage::geometryChangeRequested, this, [this](const QRect &geometry) {
        qCDebug(lcBrowser) << "geometry requested" << geometry;
        emit clientSizeRequested(geometry.width(), geometry.height());
    });
    connect(m_page, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl &origin, QWebEnginePage::Feature feature) {
                m_page->setFeaturePermission(origin, feature, QWebEnginePage::PermissionDeniedByUser);
            });
    connect(m_view, &QWebEngineView::printFinished, this, [this](bool success) {
        m_printing = false;
        emit printFinished(success);
    });
    connect(m_page, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    // The profile is shared; each browser answers the downloads of its own page.
    connect(profile, &QWebEngineProfile::downloadRequested, this, [this](QWebEngineDownloadRequest *download) {
        if (!m_page || download->page() != m_page)
            return;
        emit fileDownloadRequested(download->url().toString());
        download->cancel();
    });
}

WebEngineBrowser::~WebEngineBrowser()
{
    // The page goes first: a view must not paint a page that is half destroyed,
    // and the page must be gone before the profile it lives in.
    delete m_view;
    delete m_page;
}

QWidget *WebEngineBrowser::widget() const
{
    return m_view;
}

QWebEngineView *WebEngineBrowser::view() const
{
    return m_view;
}

void WebEngineBrowser::navigate(const QString &address)
{
    if (!m_page)
        return;
    // A host that answers before-navigate by sending the browser elsewhere would
    // start a load inside the engine's own navigation callback; it starts next turn instead.
    if (m_inNavigationRequest) {
        QTimer::singleShot(0, this, [this, address] { navigate(address); });
        return;
    }
    m_page->load(QUrl(address));
}

void WebEngineBrowser::goBack()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Back);
}

void WebEngineBrowser::goForward()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Forward);
}

void WebEngineBrowser::stop()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Stop);
}

void WebEngineBrowser::refresh()
{
    // Not the engine's reload: a fresh navigation to the same address passes
    // the host's before-navigate like any other, so a site put on a list since
    // the page was shown is refused now.
    if (!m_location.isEmpty())
        navigate(m_location.toString());
}

bool WebEngineBrowser::canGoBack() const
{
    return m_page && m_page->history()->canGoBack();
}

bool WebEngineBrowser::canGoForward() const
{
    return m_page && m_page->history()->canGoForward();
}

QString WebEngineBrowser::location() const
{
    return m_location.toString();
}

void WebEngineBrowser::setDownloadControl(DownloadControls flags)
{
    m_downloadControl = flags;
    applySettings();
}

void WebEngineBrowser::setSilent(bool on)
{
    m_downloadControl.setFlag(DownloadControl::Silent, on);
}

void WebEngineBrowser::hideDocumentScrollBars()
{
    // The application world sees the same document but runs even when the
    // page's own scripts are switched off.
    if (m_page)
        m_page->runJavaScript(QString::fromLatin1(kHideScrollBarsScript), QWebEngineScript::ApplicationWorld);
}

void WebEngineBrowser::runScript(const QString &script)
{
    if (m_page)
        m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

void WebEngineBrowser::whenPainted(std::function<void()> painted)
{
    if (!m_page)
        return;
    m_painted = std::move(painted);
    m_page->runJavaScript(QStringLiteral("requestAnimationFrame(() => requestAnimationFrame(() => console.log('%1')));")
                              .arg(QLatin1String(kPaintedMarker)),
                          QWebEngineScript::ApplicationWorld);
}

bool WebEngineBrowser::print(QPrinter *printer)
{
    // The engine refuses a second print while one runs and would leave the
    // caller waiting for a finish that never comes.
    if (!m_view || !printer || m_printing)
        return false;
    m_printing = true;
    m_view->print(printer);
    return true;
}

void WebEngineBrowser::applySettings()
{
    if (!m_page)
        return;
    QWebEngineSettings *settings = m_page->settings();
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadImages, m_downloadControl.testFlag(DownloadControl::Images));
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, !m_downloadControl.testFlag(DownloadControl::NoScripts));
    // Window requests must reach the host's new-window hook, which decides.
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    // A file dropped on the page would navigate to it without a click.
    settings->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // Addresses of schemes the engine does not show (mailto, ftp, ...) reach the navigation
    // hook, clicked or not, so the host judges every one of them; the hook never lets one
    // through to the desktop.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    settings->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture,
                           !m_downloadControl.testFlag(DownloadControl::Videos));
    // The engine cannot leave out background sounds alone; without them the page is muted.
    m_page->setAudioMuted(!m_downloadControl.testFlag(DownloadControl::BgSounds));
}

namespace {

NavigationKind kindOf(int type)
{
    switch (type) {
    case QWebEnginePage::NavigationTypeLinkClicked: return NavigationKind::LinkClick;
    case QWebEnginePage::NavigationTypeFormSubmitted: return NavigationKind::FormSubmit;
    case QWebEnginePage::NavigationTypeTyped: return NavigationKind::Typed;
    case QWebEnginePage::NavigationTypeBackForward: return NavigationKind::BackForward;
    case QWebEnginePage::NavigationTypeReload: return NavigationKind::Reload;
    case QWebEnginePage::NavigationTypeRedirect: return NavigationKind::Redirect;
    default: return NavigationKind::Other;
    }
}

} // namespace

bool WebEngineBrowser::onNavigationRequest(const QUrl &url, int type, bool isMainFrame)
{
    const QString address = url.toString();
    const FrameId frame = isMainFrame ? kMainFrame : m_nextSubFrame++;
    qCDebug(lcBrowser) << "navigation request" << address << "type" << type << "frame" << frame;
    switch (type) {
    case QWebEnginePage::NavigationTypeLinkClicked:
    case QWebEnginePage::NavigationTypeFormSubmitted:
        askTranslateUrl(address);
        break;
    case QWebEnginePage::NavigationTypeOther:
        // In the main frame "other" is a script; in a sub-frame it is mostly
        // the frame's own source, which no link or script opened.
        if (isMainFrame)
            askTranslateUrl(address);
        break;
    default: // typed (the host's own navigate), history, reload, redirect
        break;
    }
    m_inNavigationRequest = true;
    const bool cancel = askBeforeNavigate(address, frame, kindOf(type));
    m_inNavigationRequest = false;
    if (cancel) {
        qCDebug(lcBrowser) << "cancelled" << address;
        return false;
    }
    // The engine hands an address it does not show itself (mailto, ftp, ...) to the desktop
    // once this hook accepts it. The host has seen it (and may have taken it, as a video);
    // it never goes further.
    if (!engineHandlesScheme(address)) {
        qCDebug(lcBrowser) << "not an address the engine shows, kept from the desktop:" << address;
        m_refusedExternal = url;
        return false;
    }
    if (isMainFrame) {
        m_loadingUrl = url;
        // A new main-frame navigation may replace a load that already committed
        // without the engine reporting a fresh start; its own commit is still to come.
        m_committed = false;
    }
    return true;
}

void WebEngineBrowser::onLoadingChanged(const QWebEngineLoadingInfo &info)
{
    qCDebug(lcBrowser) << "loading" << info.status() << info.url() << info.errorCode() << info.errorString();
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_loading = true;
        m_committed = false;
        m_loadingUrl = info.url();
        emit downloadBegun();
        return;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        if (!m_committed)
            reportNavigateComplete(info.url());
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        // An address kept from the desktop fails its load too; the host refused it already.
        if (info.errorCode() != kAbortedError && info.url() != m_refusedExternal)
            emit navigateError(info.url().toString());
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        break;
    }
    const bool succeeded = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus;
    m_loading = false;
    m_committed = false;
    reportCommandState();
    emit downloadCompleted();
    emit progressChanged(-1, 100);
    if (succeeded)
        emit documentComplete(kMainFrame, location());
}

void WebEngineBrowser::onUrlChanged(const QUrl &url)
{
    const QUrl committed = m_page ? m_page->history()->currentItem().url() : QUrl();
    qCDebug(lcBrowser) << "url changed" << url << "loading" << m_loading << "history" << committed;
    // The engine also shows the address of a navigation the host started before
    // it commits (and goes back when the host cancels it); only an address the
    // history has taken is the document now shown.
    if (url != committed)
        return;
    if (m_loading && !m_committed && url == m_loadingUrl) {
        reportNavigateComplete(url);
    } else if (!m_loading) {
        m_location = url; // a move inside the same document (anchor, history state)
        reportCommandState();
    }
}

void WebEngineBrowser::reportNavigateComplete(const QUrl &url)
{
    m_committed = true;
    m_location = url;
    reportCommandState();
    emit navigateComplete(kMainFrame, url.toString());
}

void WebEngineBrowser::reportCommandState()
{
    emit commandStateChanged(BrowserCommand::Forward, canGoForward());
    emit commandStateChanged(BrowserCommand::Back, canGoBack());
}

void WebEngineBrowser::onNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    const QString address = request.requestedUrl().toString();
    qCDebug(lcBrowser) << "new window" << address << request.requestedGeometry() << request.destination();
    if (newWindowPolicy() == NewWindowPolicy::Refuse)
        return;
    // No link click reaches this page's navigation hook for an address that
    // opens in a window of its own, so translate-URL hears of it here.
    askTranslateUrl(address);
    auto *receiver = qobject_cast<WebEngineBrowser *>(askNewWindowTarget(address));
    if (!receiver || receiver == this || !receiver->m_page)
        return; // left unhandled: createWindow opens nothing
    request.openIn(receiver->m_page);
}

bool WebEngineBrowser::eventFilter(QObject *watched, QEvent *event)
{
    // The engine renders into a child widget it creates late; clicks land there.
    if (watched == m_view && event->type() == QEvent::ChildAdded) {
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child && child->isWidgetType())
            child->installEventFilter(this);
    } else if (watched != m_view && event->type() == QEvent::MouseButtonPress) {
        emit documentClicked();
    }
    return Browser::eventFilter(watched, event);
}

} // namespace tovalin
