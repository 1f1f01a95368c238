#include "app/ui/media_side.h"

#include "state/startup.h"

#include "app/ui/main_window.h"
#include "guard/download_request.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/ui/video_page.h"
#include "media/video_fetch.h"
#include "platform/browser.h"
#include "state/program_state.h"
#include "update/ui/update_offer.h"
#include "update/version.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QStackedWidget>
#include <QTimer>
#include <QMessageBox>
#include <QUrl>

namespace tovalin {

namespace {

NavState navStateOf(FetchStatus status)
{
    switch (status) {
    case FetchStatus::Ready: return NavState::Ready;
    case FetchStatus::Loading: return NavState::Loading;
    case FetchStatus::Broken: return NavState::Broken;
    }
    return NavState::Broken;
}

bool openWithDesktop(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace

MediaSide::MediaSide(Context context, QObject *parent) : QObject(parent), m_ctx(context)
{
    MainWindow &window = m_ctx.window;
    VideoFetch &fetch = m_ctx.fetch;
    m_openReference = [this](const QString &path) {
        // In the Tovalin session a player would cover Tovalin, and where the desktop names no
        // player for the file, xdg-open falls back to a web browser: a way out.
        if (inTovalinSession()) {
            QMessageBox::information(&m_ctx.window, tr("Tovalin"),
                                     tr("Streaming videos are not played in the Tovalin session."));
            return;
        }
        openWithDesktop(path);
    };

    // Every download the browser would start is decided here; the engine writes nothing.
    m_download = std::make_unique<DownloadRequest>(m_ctx.lists, m_ctx.nav, m_ctx.profile, m_ctx.head, &fetch);
    m_download->attachTo(m_ctx.browser);

    NavigationModel &nav = m_ctx.nav;
    connect(&fetch, &VideoFetch::statusChanged, this, [&nav](FetchStatus status) { nav.SetNavState(navStateOf(status)); });
    connect(&fetch, &VideoFetch::videoPageRequested, this, [this, &window, &fetch] {
        videoPage().setMovFlag(fetch.movFlag());
        videoPage().beginFetch();
        window.browserPages()->setCurrentWidget(window.videoPage());
    });
    // The video page and its players are built for the first video: a child's start-up needs neither.
    connect(&fetch, &VideoFetch::titleChanged, this, [this](const QString &title) { videoPage().setTitle(title); });
    connect(&fetch, &VideoFetch::progressStarted, this, [this](qint64 maximum) { videoPage().startGauge(maximum); });
    connect(&fetch, &VideoFetch::progressed, this, [this](qint64 value) { videoPage().setGauge(value); });
    connect(&fetch, &VideoFetch::progressEnded, this, [this] { videoPage().hideGauge(); });
    connect(&fetch, &VideoFetch::placeholderHidden, this, [this] { videoPage().hidePlaceholder(); });
    connect(&fetch, &VideoFetch::videoReady, this, [this](const QString &path, bool mov) {
        // A child who has gone back to the browser meanwhile is not pulled back to the video.
        if (videoPageShown())
            videoPage().startPlayback(path, mov);
    });
    connect(&fetch, &VideoFetch::referenceReady, this, [this](const QString &path) {
        if (m_openReference)
            m_openReference(path);
    });
    connect(&fetch, &VideoFetch::playbackStopRequested, this, &MediaSide::stopPlayback);

    // A new navigation from the window ends a running transfer and leaves the video page.
    connect(&window, &MainWindow::transfersCancelRequested, this, [this, &fetch] {
        fetch.abort();
        if (videoPageShown())
            leaveVideoPage();
    });
    connect(&window, &MainWindow::videoPlaybackStopRequested, this, &MediaSide::stopPlayback);
    // Back leaves the video page, even when the browser itself has nowhere to go back to; the
    // browser's own command states (answered by the window before this) do not disable it then.
    const auto followBack = [this, &window] {
        if (auto *back = window.findChild<QAbstractButton *>(QStringLiteral("ImgBtn1")))
            back->setEnabled(videoPageShown() || m_ctx.browser.canGoBack());
    };
    connect(window.browserPages(), &QStackedWidget::currentChanged, this, [this, followBack] {
        m_ctx.guard.setVideoPageShown(videoPageShown());
        followBack();
    });
    connect(&m_ctx.browser, &Browser::commandStateChanged, this, followBack);
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this, &fetch] {
        fetch.abort();
        stopPlayback();
    });

    // The update check, once per run, when the update timer fires.
    const VendorSettings &vendor = m_ctx.lists.vendor();
    UpdateOffer::Settings settings;
    settings.check.URLCurrVerFile = vendor.VersionFile;
    settings.check.TempFile = m_ctx.state.DataFolder + QStringLiteral("/currver.tmp");
    settings.check.UpdateKey = vendor.UpdateKey;
    settings.check.runningVersion = version::runningVersion();
    settings.passwordFile = m_ctx.state.passwordFile();
    settings.downloadsFolder = m_ctx.state.downloadsFolder();
    UpdateOffer::Hooks hooks;
    hooks.launch = [](const QString &path) { return launchInstaller(path, openWithDesktop); };
    hooks.quit = [&window] { window.quitProgram(); };
    if (inTovalinSession()) {
        // The child's account installs nothing, and an installer's window would cover Tovalin:
        // the installer stays in the downloads folder, and Tovalin goes on.
        hooks.launch = [&window](const QString &path) {
            QMessageBox::information(&window, tr("Tovalin"),
                                     tr("Updates are not installed in the Tovalin session. Log in to a "
                                        "parent's account and install this file there:\n%1")
                                         .arg(path));
            return true;
        };
        hooks.quit = nullptr;
    }
    m_update = std::make_unique<UpdateOffer>(settings, hooks, &window);
    connect(window.updateTimer(), &QTimer::timeout, this, [this, &window] {
        window.updateTimer()->stop();
        m_update->check();
    });
}

MediaSide::~MediaSide() = default;

VideoPage &MediaSide::videoPage()
{
    if (!m_page)
        m_page = new VideoPage(m_ctx.window.videoPage(), this);
    return *m_page;
}

void MediaSide::stopPlayback()
{
    // A page not built yet has played nothing.
    if (m_page)
        m_page->stopFromElsewhere();
}

bool MediaSide::videoPageShown() const
{
    return m_ctx.window.browserPages()->currentWidget() == m_ctx.window.videoPage();
}

void MediaSide::leaveVideoPage()
{
    m_ctx.window.browserPages()->setCurrentWidget(m_ctx.window.browserPage());
    stopPlayback();
}

} // namespace tovalin
