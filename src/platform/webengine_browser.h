#pragma once
// The browser control on Qt WebEngine. Every navigation the engine is about to
// make (typed, link, script, frame, redirect, history) reaches the host's
// before-navigate hook first; the child never sees an engine dialog, context
// menu, error page or second window.
//
// How the engine maps onto the control:
// - before-navigate: QWebEnginePage::acceptNavigationRequest, server redirects
//   included. The engine does not tell frames apart, so each sub-frame
//   navigation gets a fresh FrameId (never kMainFrame); only the main frame
//   raises navigate-complete and document-complete.
// - translate-URL: runs for navigations a page starts (link clicks, form
//   submissions, scripts, and the address of a window a page asks for), not for
//   the host's own navigate, history moves, reloads or redirects.
// - navigate-complete: when the main frame commits to the new address, at the
//   latest just before document-complete.
// - download-begin / download-complete: the start and end of every main-frame load.
// - message boxes (alert, confirm, prompt): none shown; confirm and prompt answer
//   "cancel", so the script continues at once. The file chooser is never shown.
// - silent: always in effect, since the control shows no dialog of its own at all.
// - window closing: pages find window.close() doing nothing (the engine would
//   otherwise stop loading a window a script may close); windowClosingRefused
//   is raised only for a close request that reaches the engine anyway.
// - new windows: the opener's translate-URL, then NewWindow, then
//   NewWindowTarget; a target WebEngineBrowser adopts the window, loads its
//   address through its own hooks and raises clientSizeRequested with the size
//   the page asked for (window.open width/height, resizeTo). The engine makes
//   the window before it asks, so a refused window.open still returns an object
//   to the script; that window is dropped before it loads anything.
// - download-control: Images = load images, NoScripts = scripts off, Videos =
//   media may play without a click, no BgSounds = the page is muted; Java and
//   ActiveX flags have no engine counterpart (plug-ins are always off).
// - schemes the engine does not show itself (mailto, ftp, ...): they reach
//   before-navigate like any address and are then always refused, so none is
//   ever handed to the desktop's URL handlers.
// - one off-the-record profile for the whole program: nothing is kept on disk.
// - history moves always reach before-navigate: the engine's back-forward cache
//   stays off, so no page comes back whole without being judged again.

#include "platform/browser.h"

#include <QPointer>
#include <QRect>
#include <QUrl>

#include <functional>

QT_BEGIN_NAMESPACE
class QPrinter;
class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;
class QWebEngineProfile;
class QWebEngineView;
class QWidget;
QT_END_NAMESPACE

namespace tovalin {

class WebEngineBrowser final : public Browser {
    Q_OBJECT
public:
    /// Images, videos and background sounds load; scripts run.
    static constexpr DownloadControls kDefaultDownloadControl =
        DownloadControls(DownloadControl::Images) | DownloadControl::Videos | DownloadControl::BgSounds;

    /// Makes the view (a child of parentWidget, not yet shown) and its page in the program's profile.
    explicit WebEngineBrowser(QWidget *parentWidget = nullptr, QObject *parent = nullptr);
    /// Deletes the view with its page.
    ~WebEngineBrowser() override;

    /// The program's one off-the-record profile, made on first use; lives until the application ends.
    static QWebEngineProfile *programProfile();

    /// The view to place in a window. Deleting it with its parent widget leaves this browser inert.
    QWidget *widget() const;
    QWebEngineView *view() const;

    void navigate(const QString &address) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    /// Navigates to the current location again, so the guard decides again.
    void refresh() override;
    bool canGoBack() const override;
    bool canGoForward() const override;
    /// The address of the last document the main frame committed to (empty before the first).
    QString location() const override;
    DownloadControls downloadControl() const override { return m_downloadControl; }
    void setDownloadControl(DownloadControls flags) override;
    void setSilent(bool on) override;
    void hideDocumentScrollBars() override;

    /// True from the start of a main-frame load until it succeeds, fails or stops.
    bool isLoading() const { return m_loading; }

    /// Runs a script in the shown document (tests and the host's small helpers); the result is dropped.
    void runScript(const QString &script);

    /// Calls `painted` once the engine has drawn a frame of the shown document (two animation
    /// frames from now); the start-up marks use it.
    void whenPainted(std::function<void()> painted);

    /// Prints the shown document on a printer the caller keeps until printFinished; false (and
    /// nothing printed) while an earlier print is still running. A page's own window.print() is ignored.
    bool print(QPrinter *printer);
    bool isPrinting() const { return m_printing; }

signals:
    void printFinished(bool success);

private:
    class Page;
    friend class Page;

    bool onNavigationRequest(const QUrl &url, int type, bool isMainFrame);
    void onLoadingChanged(const QWebEngineLoadingInfo &info);
    void onUrlChanged(const QUrl &url);
    void onNewWindowRequested(QWebEngineNewWindowRequest &request);
    void reportCommandState();
    void reportNavigateComplete(const QUrl &url);
    void applySettings();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QPointer<QWebEngineView> m_view;
    QPointer<Page> m_page;
    DownloadControls m_downloadControl = kDefaultDownloadControl;
    FrameId m_nextSubFrame = kMainFrame + 1;
    QUrl m_location;
    QUrl m_loadingUrl;      ///< the main-frame address the load in progress heads for
    QUrl m_refusedExternal; ///< the last address of a scheme the engine does not show, refused
    bool m_loading = false;
    bool m_committed = false; ///< navigate-complete already raised for the load in progress
    bool m_inNavigationRequest = false;
    bool m_printing = false;
    std::function<void()> m_painted;
};

} // namespace tovalin
