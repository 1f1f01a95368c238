#pragma once
// The rules of the user manager (`Tgebruikersform`): the parents' window
// that creates, opens, deletes and edits users. The window shows the shared
// profile and forwards each action here; questions and messages are the
// window's, the texts come from here.
//
// The manager edits the one UserProfile and the AllowedThemes the rest of the
// program reads, in place: an edit is in force at once; nothing reaches the
// disk before a save. `ProfileChanged` remembers that something was edited.

#include "users/shortcut_icons.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace tovalin {

class DesktopShell;
class ProgramState;
class UserSession;
class UserStore;
struct UserProfile;

class UserManager : public QObject {
    Q_OBJECT
public:
    /// What a name typed on the New-user or Save-as page leads to.
    enum class NameAnswer {
        Empty,  ///< "     You did not enter a name     "
        Exists, ///< ask overwriteQuestion() first
        Free,
    };
    /// Whether a new user becomes the active one (the "Activate new user" box).
    enum class NewUserActivation { Activate, KeepActiveUser };
    /// Why the manager may not close yet.
    enum class CloseCheck { Ok, TimeClockMinutesMissing, SwitchClockMinutesMissing };
    /// The result of Save: saved, no active user (the Save-as page is to show), or failed.
    enum class SaveOutcome { Saved, NoActiveUser, Failed };

    /// An action's result: ok, and the text to show (empty: nothing to show).
    struct Outcome {
        bool ok = false;
        QString message;
    };

    UserManager(ProgramState &state, UserProfile &profile, UserStore &store, UserSession &session,
                DesktopShell &shell, QString executable, QObject *parent = nullptr);

    const ProgramState &state() const { return m_state; }
    UserProfile &profile() { return m_profile; }

    // --- ProfileChanged ------------------------------------------------------
    bool ProfileChanged() const { return m_profileChanged; }
    /// Every edit of a setting, a theme list or "Create" on the Shortcut page.
    void markChanged() { m_profileChanged = true; }
    /// The manager is shown: nothing is changed yet.
    void shown() { m_profileChanged = false; }
    /// The manager became active: the active user's saved profile is loaded again (settings
    /// changed but not saved are replaced by the saved ones) and the available themes refilled.
    void activated();

    /// "Selected user: <name>", or "No user selected" without an active user.
    QString selectedUserText() const;
    /// "Active user: <name>" (the settings pages' heading).
    QString activeUserText() const;

    // --- Themes page ---------------------------------------------------------
    QStringList availableThemes() const;
    const QStringList &allowedThemes() const;
    /// " >": appends the theme unless a theme of exactly that name is allowed already.
    bool addTheme(const QString &theme);
    /// " <": removes the allowed theme at row.
    bool removeTheme(int row);
    /// "Up" / "Down": exchanges the allowed theme at row with its neighbour.
    bool moveThemeUp(int row);
    bool moveThemeDown(int row);

    // --- New user, Save as, Save ---------------------------------------------
    NameAnswer checkName(const QString &name) const;
    /// "User <name> already exists. Overwrite?"
    static QString overwriteQuestion(const QString &name);
    /// New user's "Create" once the overwrite question (if any) was answered Yes: a profile file
    /// from scratch with the settings shown and no themes. The active user becomes the new one
    /// when there is none or when asked to; the settings shown and AllowedThemes stay as they are.
    Outcome createUser(const QString &name, NewUserActivation activation);
    /// Save as's "Save" once the overwrite question (if any) was answered Yes: every setting and
    /// AllowedThemes into a new file. ProfileChanged is cleared; without an active user the new
    /// name becomes the active one.
    Outcome saveAs(const QString &name);
    /// "Save": the active user's file. Without an active user nothing is written.
    /// ProfileChanged is cleared unless the write failed.
    SaveOutcome save(QString *error = nullptr);
    /// "No user name was entered" (the Save-as page's label after Save without an active user).
    static QString noUserNameText();

    // --- Open, start user, Delete ----------------------------------------------
    /// The users the lists show: every user whose name is not blank, by name ignoring case.
    QStringList users() const;
    /// "Open": the user becomes active (profile, window, theme, lists); ProfileChanged cleared.
    void open(const QString &name);
    /// True when line 1 of start.tvr is exactly name.
    bool isStartUser(const QString &name) const;
    /// The start-user box checked: name becomes line 1 of start.tvr (made when missing).
    Outcome makeStartUser(const QString &name);
    bool profileExists(const QString &name) const;
    /// "Do you want to remove user <name>?"
    static QString deleteQuestion(const QString &name);
    /// "Delete" after Yes: removes the profile file; deleting the active user leaves no user
    /// active and no theme, with the settings in force kept. start.tvr is left as it is.
    Outcome deleteUser(const QString &name);

    // --- Shortcut --------------------------------------------------------------
    /// "Create": a desktop launcher for the active user with the icon; sets ProfileChanged.
    Outcome createShortcut(ShortcutIcon icon);

    // --- Close -----------------------------------------------------------------
    /// The clock checks: a clock started with the user needs its minutes.
    CloseCheck closeCheck() const;
    static QString closeCheckText(CloseCheck check);
    /// "Do you want to save the changes?"
    static QString saveQuestion();
    /// After the checks and the question: the user label, watchdog, key lock, window
    /// settings, theme chooser, active theme and lists, menu lock (in that order).
    void closed();

signals:
    /// The active user or the profile shown changed (Open, Activate, a new active user, Delete):
    /// the window shows the settings again.
    void profileReloaded();

private:
    Outcome writeNewProfile(const QString &name, const QStringList &themes);

    ProgramState &m_state;
    UserProfile &m_profile;
    UserStore &m_store;
    UserSession &m_session;
    DesktopShell &m_shell;
    QString m_executable;
    bool m_profileChanged = false;
};

} // namespace tovalin
