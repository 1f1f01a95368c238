#pragma once
// Activating a user: what the rest of the program must do when a user becomes
// active, in the order it must happen.
//
// Everything outside the users logic (window layout, desktop lock, clocks,
// theme loading, the browser, the menu lock, the watchdog) is reached through
// UserActivationHooks, so the order can be followed and tested without windows.

#include <QObject>
#include <QString>
#include <QStringList>

namespace tovalin {

class ProgramState;
class UserStore;
struct UserProfile;

/// What the program does for a user's activation outside the users logic. Every method does
/// nothing by default; the main window overrides what it serves.
class UserActivationHooks {
public:
    virtual ~UserActivationHooks() = default;

    /// Lays the main window out by the profile: print button, exit-button panel, address bar,
    /// navigation bar and mini menu, navigation buttons, theme and user panels. The clocks are
    /// switched separately (startTimeClock ... stopSwitchClock).
    virtual void applyWindowSettings(const UserProfile &) {}
    /// Key lock on (no alt-tab, Windows keys, ctrl-esc, accessibility shortcuts) and the
    /// foreign-window guard's timer running; off releases both.
    virtual void setKeyLock(bool /*on*/) {}
    /// Starts (on) or stops (off) the watchdog that restarts the program after an abnormal end.
    virtual void setAutoRestart(bool /*on*/) {}
    /// Puts minutes into the time clock's minutes field and starts the time clock.
    virtual void startTimeClock(const QString & /*minutes*/) {}
    virtual void stopTimeClock() {}
    /// Shows the switch-clock strip, places its figures at the ends and starts its timer.
    virtual void startSwitchClock() {}
    /// Hides the switch-clock strip and stops its timer.
    virtual void stopSwitchClock() {}
    /// Makes the visible browser silent (no script-error dialogs).
    virtual void setBrowserSilent() {}
    /// Enlarges the panel that holds the visible browser one step, as the "+" button does.
    virtual void enlargeBrowserPanel() {}
    /// Loads a theme into the link panel; an empty name when no theme is active.
    virtual void loadTheme(const QString & /*theme*/) {}
    /// Loads the active theme's whitelist, blacklist and pop-up list.
    virtual void loadSiteLists() {}
    /// Sets the parents' menu lock.
    virtual void setMenuLocked(bool /*locked*/) {}
    /// Shows the menu lock as it stands (after the user manager closes): locked hides the
    /// parents' menu bar; unlocked shows it with "Lock menu", releases the desktop lock and
    /// stops the foreign-window guard, and starts the update check's timer once per run.
    virtual void applyMenuLockState() {}
    /// Refills the theme chooser, closes its drop-down panel and shows or hides its arrow.
    virtual void themeChooserChanged(const QStringList & /*themes*/, bool /*arrowVisible*/) {}
    /// Shows the user label and the theme label texts.
    virtual void userLabelsChanged(const QString & /*user*/, const QString & /*theme*/) {}
};

class UserSession : public QObject {
    Q_OBJECT
public:
    UserSession(ProgramState &state, UserProfile &profile, UserStore &store, UserActivationHooks &hooks,
                QObject *parent = nullptr);

    /// Makes name the active user ("Open" in the user manager, "Finish" in the new-user wizard):
    /// ActiveUser and the profile, the labels, the watchdog, the key lock, the window settings and
    /// clocks, the theme chooser, then the active theme and its site lists, in that order.
    /// A name without a profile file makes no user active: the main window shows "No user
    /// available" and the safe settings of UserProfile::noUserDefaults are in force.
    void ActivateUser(const QString &name);

    /// The activation at start-up: the profile, the active theme, the window settings and clocks,
    /// the silent browser, the watchdog, the key lock (and the larger browser panel with
    /// `Nieteruit`), the menu lock by `Blokmenu`. The site lists are left to the main window,
    /// which loads them once every window exists.
    void activateAtStartUp(const QString &name);

    /// Lays the window out by the profile and starts or stops the two clocks.
    void ApplyWindowSettings();

    /// What closing the user manager puts in force, in order: the user label, the watchdog,
    /// the key lock, the window settings and clocks, the theme chooser and the active theme
    /// (the first allowed one when none is active or the active one is no longer allowed)
    /// with its site lists, the theme label, and finally the menu lock as it stands.
    void applyAfterManagerClose();

signals:
    /// A user has been activated (either way).
    void userActivated(const QString &name);

private:
    /// A name without a profile file is no user at all: the program then runs with
    /// "No user available", never with a name whose settings are not there.
    QString existingUser(const QString &name) const;
    /// ActiveUser := the existing user the name names, and its profile; no such user (or no
    /// name) leaves no active user and the profile of UserProfile::noUserDefaults.
    void loadProfileOf(const QString &requested);
    void showLabels();
    void showThemeChooser();

    ProgramState &m_state;
    UserProfile &m_profile;
    UserStore &m_store;
    UserActivationHooks &m_hooks;
};

} // namespace tovalin
