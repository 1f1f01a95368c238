#pragma once
// Pop-up windows of the visible browser. The child never gets a second window:
// an allowed pop-up is loaded by a hidden browser, made anew for each one, and
// its address is handed to the visible browser, where the guard decides again
// and the page shows at the size the pop-up asked for, without scroll bars.
// The hidden browser's own top-level navigations and redirects pass the guard
// too: what it refuses the hidden browser never loads or hands on.

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

namespace tovalin {

class Browser;
class NavigationGuard;
class NavigationModel;
class ProgramState;
class SiteLists;

class PopupGuard : public QObject {
    Q_OBJECT
public:
    /// Destroys the current hidden browser and makes a fresh one (not yet navigated).
    using HiddenBrowserFactory = std::function<Browser *()>;
    /// The late clear of PopupShown lasts three seconds.
    static constexpr int kLateClearMs = 3000;
    /// A requested size counts only above this many pixels.
    static constexpr int kMinPopupSize = 100;
    /// The panel grows this much beyond the requested client size.
    static constexpr int kPanelMargin = 10;

    /// The hidden browsers pass their own top-level navigations and redirects through guard,
    /// as the visible browser does, so a pop-up that leads elsewhere is stopped where it starts.
    PopupGuard(ProgramState &state, SiteLists &lists, NavigationModel &nav, NavigationGuard &guard, Browser &visible,
               HiddenBrowserFactory factory, QObject *parent = nullptr);

    /// The new-window request of the visible browser: the hidden browser that
    /// receives the window, or nullptr when the pop-up stays refused.
    Browser *newWindowRequested();

    /// "Block popup" / "Allow popup": edits the popup list for the opener and saves it.
    void label30Click();

    /// The address the pop-up commands act on: LastURL when the last pop-up was asked for.
    const QString &PopupOpener() const { return m_opener; }
    /// The caption of `Label30`: "Block popup" or "Allow popup".
    const QString &label30Caption() const { return m_caption; }
    bool label30Visible() const { return m_label30Visible; }
    Browser *hiddenBrowser() const { return m_hidden; }
    QTimer &lateClearTimer() { return m_vertrager; }

    static QString blockPopupText();
    static QString allowPopupText();

signals:
    /// The browser panel is to take this size; a negative value leaves that side as it is.
    void panelSizeRequested(int width, int height);
    void label30Changed(const QString &caption, bool visible);
    void popupMarkerShown(bool shown);

private:
    Browser *makeHiddenBrowser(bool withSizeHandler);
    void setLabel30(const QString &caption, bool visible);

    ProgramState &m_state;
    SiteLists &m_lists;
    NavigationModel &m_nav;
    NavigationGuard &m_guard;
    Browser &m_visible;
    HiddenBrowserFactory m_factory;
    Browser *m_hidden = nullptr;
    QString m_opener;
    QString m_caption;
    bool m_label30Visible = false;
    bool m_sizeReported = false; ///< the current hidden browser reported its size
    QTimer m_vertrager;
};

} // namespace tovalin
