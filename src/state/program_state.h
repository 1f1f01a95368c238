#pragma once
// The program-wide state that the main window owns and every subsystem shares.
// Created once in main and handed to whoever needs it; nothing reaches for a global.

#include <QObject>
#include <QString>
#include <QTimer>

namespace tovalin {

/// Identifies a frame of a page for the completion events; 0 means none.
using FrameId = quint64;

/// What made the next navigation open a new navigation sequence (ClickPending), and so which
/// navigation takes that up. The web engine starts a navigation asynchronously, so on a busy
/// machine it may begin long after the click that asked for it.
enum class ClickSource {
    Window, ///< a left button anywhere in the main window: any navigation within the 250 ms click window
    Host,   ///< the host's own navigation (picture link, button, address field): the next main-frame
            ///< navigation, however late it comes
    Page,   ///< a click inside the page: the next main-frame navigation the engine marks as a link
            ///< click or a form sent, within two seconds
};

class ProgramState : public QObject {
    Q_OBJECT
public:
    /// The click window: a navigation that begins within this time after a click opens a new sequence.
    static constexpr int kClickWindowMs = 250;
    /// How long a click inside the page waits for the link navigation it may start.
    static constexpr int kPageClickWaitMs = 2000;

    explicit ProgramState(QObject *parent = nullptr);

    // Folders. ProgramFolder ends with "/", DataFolder does not.
    QString ProgramFolder;
    QString DataFolder;

    // Navigation bookkeeping.
    bool FilterOn = true;
    bool ClickPending = false;
    bool PageComplete = true;
    bool PopupShown = false;
    bool QuitRequested = false;
    bool FirstRun = false;
    QString LastURL;
    FrameId TopFrame = 0;
    QString DeactivateURL;

    const QString &activeUser() const { return m_activeUser; }
    void setActiveUser(const QString &name);
    const QString &activeTheme() const { return m_activeTheme; }
    void setActiveTheme(const QString &name);

    /// A left button in the main window: sets ClickPending and (re)starts the 250 ms timer
    /// `geklikt` that clears it. A pending host navigation or page click stays what it is.
    void openClickWindow();
    /// The host itself navigates (a picture link, a button, an address field): ClickPending
    /// holds, without a timer, until the next main-frame navigation takes it up.
    void openHostNavigation();
    /// A click inside the page: ClickPending holds until the next main-frame link navigation
    /// takes it up, or `geklikt` clears it after kPageClickWaitMs.
    void openPageClick();
    /// What set ClickPending (meaningful only while it is set).
    ClickSource clickSource() const { return m_clickSource; }
    /// Clears ClickPending and stops `geklikt`.
    void closeClickWindow();
    /// The `geklikt` timer, exposed so the main window can name and tests can inspect it.
    QTimer &clickTimer() { return m_geklikt; }

    // Paths under DataFolder.
    QString usersFolder() const { return DataFolder + QStringLiteral("/gebruikers"); }
    QString themesFolder() const { return DataFolder + QStringLiteral("/themas"); }
    QString downloadsFolder() const { return DataFolder + QStringLiteral("/downloads"); }
    QString videoFolder() const { return DataFolder + QStringLiteral("/video"); }
    QString startUserFile() const { return DataFolder + QStringLiteral("/start.tvr"); }
    QString firstRunMarker() const { return DataFolder + QStringLiteral("/gestart.tvr"); }
    QString passwordFile() const { return DataFolder + QStringLiteral("/temp0201.tvw"); }
    QString localHomePage() const { return DataFolder + QStringLiteral("/tovalin.htm"); }
    /// A sound of the program folder ("klik.wav", "verboden.wav", ...).
    QString soundPath(const QString &name) const { return ProgramFolder + QStringLiteral("resources/sounds/") + name; }
    /// The starter themes that ship: ProgramFolder + "resources/themes".
    QString starterThemesFolder() const { return ProgramFolder + QStringLiteral("resources/themes"); }

signals:
    void activeUserChanged(const QString &name);
    void activeThemeChanged(const QString &name);
    void filterChanged(bool on);

private:
    QString m_activeUser;
    QString m_activeTheme;
    QTimer m_geklikt;
    ClickSource m_clickSource = ClickSource::Window;
};

} // namespace tovalin
