#pragma once
// A browser without an engine, for logic tests: a navigation asks the host
// exactly as the real one does, and the test decides what the "page" does next.

#include "platform/browser.h"

#include <QStringList>

namespace tovalin {

class FakeBrowser final : public Browser {
    Q_OBJECT
public:
    explicit FakeBrowser(QObject *parent = nullptr) : Browser(parent) {}

    /// Runs before-navigate (a typed navigation); when allowed, the address becomes
    /// the location and navigate-complete fires for the main frame.
    void navigate(const QString &address) override
    {
        navigated.append(address);
        load(address, kMainFrame, false, NavigationKind::Typed);
    }
    /// Simulates any navigation (a frame, a redirect, a link) reaching the host; true when allowed.
    /// As the real browser, an address of a scheme the engine does not show is refused after the
    /// host has seen it.
    bool load(const QString &address, FrameId frame = kMainFrame, bool translate = true,
              NavigationKind kind = NavigationKind::LinkClick);
    /// Finishes the document of a frame (document-complete).
    void complete(FrameId frame = kMainFrame) { emit documentComplete(frame, frame == kMainFrame ? m_location : QString()); }

    /// A script of the page asks for a new window: translate-URL runs for its
    /// address, then the host decides; the receiving browser (if any) loads it.
    Browser *requestNewWindow(const QString &address);

    void goBack() override;
    void goForward() override;
    void stop() override { ++stopCount; }
    void refresh() override { if (!m_location.isEmpty()) load(m_location, kMainFrame, false, NavigationKind::Reload); }
    bool canGoBack() const override { return m_index > 0; }
    bool canGoForward() const override { return m_index + 1 < m_history.size(); }
    QString location() const override { return m_location; }
    DownloadControls downloadControl() const override { return m_dlctl; }
    void setDownloadControl(DownloadControls flags) override { m_dlctl = flags; }
    void setSilent(bool on) override { silent = on; }
    void hideDocumentScrollBars() override { scrollBarsHidden = true; }

    bool silent = false;
    bool scrollBarsHidden = false;
    int stopCount = 0;
    QStringList cancelled; ///< addresses the host cancelled, in order
    QStringList navigated; ///< every address navigate() was asked for, in order

private:
    QString m_location;
    QStringList m_history;
    qsizetype m_index = -1;
    DownloadControls m_dlctl;
};

} // namespace tovalin
