#pragma once
// The browser control as the rest of the program sees it: the operations it
// calls, the events it answers and the host hooks. The real one sits on Qt
// WebEngine (webengine_browser.h); FakeBrowser lets logic tests drive it.

#include "state/program_state.h"

#include <QFlags>
#include <QObject>
#include <QString>
#include <functional>

namespace tovalin {

/// Download-control options, kept as the bit set the browser control used.
enum class DownloadControl : quint32 {
    Images = 0x10,
    Videos = 0x20,
    BgSounds = 0x40,
    NoScripts = 0x80,
    NoJava = 0x100,
    NoRunActiveXCtls = 0x200,
    NoDlActiveXCtls = 0x400,
    Silent = 0x40000000,
};
Q_DECLARE_FLAGS(DownloadControls, DownloadControl)
Q_DECLARE_OPERATORS_FOR_FLAGS(DownloadControls)

/// Commands of the command-state-change event.
enum class BrowserCommand { Forward = 1, Back = 2 };

/// What started a navigation, as the engine tells it.
enum class NavigationKind {
    LinkClick,   ///< a link in the page (a click, or a script following a link)
    FormSubmit,  ///< a form of the page was sent
    Typed,       ///< the host's own navigate
    BackForward, ///< a move in the history
    Reload,
    Redirect,    ///< a server redirect
    Other,       ///< a script, a frame's own source, anything else
};

/// Whether the pages of a browser may open new windows at all.
enum class NewWindowPolicy {
    AskHost, ///< every request reaches the new-window handlers
    Refuse,  ///< every request is refused without asking (a pop-up opens no further windows)
};

class Browser : public QObject {
    Q_OBJECT
public:
    /// Answers the before-navigate event: returns true to cancel. A cancelled
    /// navigation leaves the shown page in place. Every top-level navigation,
    /// frame navigation and server redirect reaches it, and so does every address
    /// of a scheme the engine does not show itself (mailto, ftp, ...): such an
    /// address is refused after the handler has seen it, whatever it answers, and
    /// never reaches another program.
    using BeforeNavigate = std::function<bool(const QString &address, FrameId frame, NavigationKind kind)>;
    /// Answers translate-URL, called before before-navigate for addresses a link or script opens.
    using TranslateUrl = std::function<void(const QString &address)>;
    /// Answers the new-window event: returns true to cancel; otherwise the
    /// window opens in the browser returned by target (nullptr = nowhere).
    using NewWindow = std::function<bool(const QString &address)>;
    /// Asked after NewWindow let a request through (or when no NewWindow handler is set):
    /// returns the browser that receives the new window, one made for it that has not
    /// navigated yet, or nullptr to open it nowhere. The receiver then loads the address,
    /// raising its own events, and reports the size the page asked for (clientSizeRequested).
    using NewWindowTarget = std::function<Browser *(const QString &address)>;

    explicit Browser(QObject *parent = nullptr) : QObject(parent) {}
    ~Browser() override = default;

    /// The frame id of the top-level frame of this browser.
    static constexpr FrameId kMainFrame = 1;

    /// True for an address the engine shows by itself (http, https, about, data, blob,
    /// javascript, file). Any other scheme the engine would hand to the desktop's URL
    /// handlers; a browser refuses such an address after before-navigate has seen it.
    static bool engineHandlesScheme(const QString &address);

    virtual void navigate(const QString &address) = 0;
    virtual void goBack() = 0;
    virtual void goForward() = 0;
    virtual void stop() = 0;
    /// The browser's own refresh; the host routes it through the guard again.
    virtual void refresh() = 0;
    virtual bool canGoBack() const = 0;
    virtual bool canGoForward() const = 0;
    /// The address of the document now shown.
    virtual QString location() const = 0;
    virtual DownloadControls downloadControl() const = 0;
    virtual void setDownloadControl(DownloadControls flags) = 0;
    /// Silent: the engine shows no dialog of its own.
    virtual void setSilent(bool on) = 0;
    /// Hides the scroll bars of the shown document (body overflowX/overflowY "hidden"); errors ignored.
    virtual void hideDocumentScrollBars() = 0;

    void setBeforeNavigateHandler(BeforeNavigate h) { m_beforeNavigate = std::move(h); }
    void setTranslateUrlHandler(TranslateUrl h) { m_translateUrl = std::move(h); }
    void setNewWindowHandler(NewWindow h) { m_newWindow = std::move(h); }
    void setNewWindowTargetHandler(NewWindowTarget h) { m_newWindowTarget = std::move(h); }
    void setNewWindowPolicy(NewWindowPolicy policy) { m_newWindowPolicy = policy; }
    NewWindowPolicy newWindowPolicy() const { return m_newWindowPolicy; }

signals:
    void navigateComplete(tovalin::FrameId frame, const QString &address);
    void documentComplete(tovalin::FrameId frame, const QString &address);
    void navigateError(const QString &address);
    void commandStateChanged(tovalin::BrowserCommand command, bool enabled);
    void statusTextChanged(const QString &text);
    void progressChanged(int progress, int maximum);
    void downloadBegun();
    void downloadCompleted();
    /// The page asked for a client area of this size (window.open features, resizeTo).
    void clientSizeRequested(int width, int height);
    /// A page's script asked to close the window; always refused.
    void windowClosingRefused();
    /// A download the page started (link to a file the engine cannot show).
    void fileDownloadRequested(const QString &address);
    /// The user pressed a mouse button inside the shown document.
    void documentClicked();

protected:
    /// For implementations: asks before-navigate; returns true to cancel.
    bool askBeforeNavigate(const QString &address, FrameId frame, NavigationKind kind) const
    {
        return m_beforeNavigate ? m_beforeNavigate(address, frame, kind) : false;
    }
    void askTranslateUrl(const QString &address) const
    {
        if (m_translateUrl)
            m_translateUrl(address);
    }
    bool askNewWindow(const QString &address) const { return m_newWindow ? m_newWindow(address) : true; }
    /// For implementations: the browser that receives a new window, or nullptr when none opens.
    /// With the Refuse policy no handler is asked; a NewWindow handler that cancels ends the request.
    Browser *askNewWindowTarget(const QString &address) const
    {
        if (m_newWindowPolicy == NewWindowPolicy::Refuse)
            return nullptr;
        if (m_newWindow && m_newWindow(address))
            return nullptr;
        return m_newWindowTarget ? m_newWindowTarget(address) : nullptr;
    }

private:
    BeforeNavigate m_beforeNavigate;
    TranslateUrl m_translateUrl;
    NewWindow m_newWindow;
    NewWindowTarget m_newWindowTarget;
    NewWindowPolicy m_newWindowPolicy = NewWindowPolicy::AskHost;
};

inline bool Browser::engineHandlesScheme(const QString &address)
{
    const qsizetype colon = address.indexOf(u':');
    if (colon <= 0)
        return false;
    const QString scheme = address.left(colon).toLower();
    return scheme == u"http" || scheme == u"https" || scheme == u"about" || scheme == u"data" || scheme == u"blob"
        || scheme == u"javascript" || scheme == u"file";
}

} // namespace tovalin
