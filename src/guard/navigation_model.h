#pragma once
// What the child and the parent see of the guard's work: the navigation
// indicator with its blinking, the refused list, the navigation list of the
// accept window, and the address history of the quick menu.

#include <QObject>
#include <QStringList>
#include <QTimer>

namespace tovalin {

class ProgramState;
class SoundPlayer;
class Browser;

enum class NavState { Ready, Loading, Forbidden, Forbidden2, Broken };

/// The system's name of a state: "ready", "loading", "forbidden", "forbidden2", "broken".
QString navStateName(NavState state);

class NavigationModel : public QObject {
    Q_OBJECT
public:
    /// The forbidden sign toggles every 200 ms and stops after six toggles: three blinks.
    static constexpr int kBlinkIntervalMs = 200;
    static constexpr int kBlinkToggles = 6;

    NavigationModel(ProgramState &state, SoundPlayer &sound, QObject *parent = nullptr);

    /// The browser whose location the address displays show.
    void setBrowser(Browser *browser) { m_browser = browser; }

    void SetNavState(NavState state);
    NavState navState() const { return m_state; }
    /// Whether the forbidden pictures (`Image12`, `verboden2`) are visible now (they blink).
    bool forbiddenVisible() const { return m_forbiddenVisible; }
    int blinkCount() const { return m_blinkCount; }
    QTimer &blinkTimer() { return m_knipperverboden; }
    /// The caption of `accepteerblokkeer`: "Block active site" or "Allow blocked site".
    const QString &acceptBlockCaption() const { return m_acceptBlockCaption; }

    // The refused list `ListBox1`: refused addresses since the last user click, no duplicates.
    const QStringList &refusedList() const { return m_refused; }
    void addRefused(const QString &address);
    void clearRefused();

    // `navlijst`: web addresses asked for since the last user click, newest first, no duplicates (any case).
    const QStringList &navlijst() const { return m_navlijst; }
    void addToNavlijst(const QString &address);
    void clearNavlijst();

    // The quick menu's address history: newest first; a repeat of the top item is not stored again.
    // It keeps the newest kMaxHistory addresses, so a program that runs all day does not grow with it.
    static constexpr qsizetype kMaxHistory = 1000;
    const QStringList &addressHistory() const { return m_history; }
    void addToHistory(const QString &address);

    /// Opens a new navigation sequence: clears the click window, PageComplete,
    /// the navigation list and the refused list.
    void beginSequence();

    /// The bookkeeping every web address ("http://" or "https://") gets: history and navigation list.
    void recordAddress(const QString &address);

    /// Sets the address displays to the browser's location (nothing without a browser).
    void showBrowserLocation();

    static QString blockActiveSiteText();
    static QString allowBlockedSiteText();

signals:
    void navStateChanged(tovalin::NavState state);
    void forbiddenVisibleChanged(bool visible);
    void acceptBlockCaptionChanged(const QString &caption);
    /// The address displays (`Edit1`, `adresedit`) are to show this address.
    void addressDisplaysSet(const QString &address);
    void refusedListChanged();
    void navlijstChanged();
    void historyChanged();

private:
    void setForbiddenVisible(bool visible);
    void setCaption(const QString &caption);
    void onBlinkTick();

    ProgramState &m_program;
    SoundPlayer &m_sound;
    Browser *m_browser = nullptr;
    NavState m_state = NavState::Ready;
    bool m_forbiddenVisible = false;
    int m_blinkCount = 0;
    QTimer m_knipperverboden;
    QString m_acceptBlockCaption;
    QStringList m_refused;
    QStringList m_navlijst;
    QStringList m_history;
};

} // namespace tovalin
