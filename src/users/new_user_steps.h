#pragma once
// The rules of the new-user wizard (`Tstartscherm`): a name, the child's age
// (which picks a ready-made profile), an optional desktop shortcut, more users,
// and the user the program starts with. The wizard window walks the pages and
// asks these for each step's work.

#include "users/shortcut_icons.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tovalin {

class DesktopShell;
class ProgramState;
class UserSession;
class UserStore;

class NewUserSteps {
public:
    /// The age spin box: 2 to 99, 4 at the start.
    static constexpr int kMinimumAge = 2;
    static constexpr int kMaximumAge = 99;
    static constexpr int kInitialAge = 4;

    NewUserSteps(ProgramState &state, UserStore &store, UserSession &session, DesktopShell &shell, QString executable);

    /// Name → Next: true when the name can be a user's file name (nothing is left on disk).
    bool nameIsUsable(const QString &name) const;

    /// Puts the themes a new profile names into the data folder where they are missing.
    using ThemeInstaller = std::function<void(const QStringList &themes)>;
    void setThemeInstaller(ThemeInstaller installer) { m_installThemes = std::move(installer); }
    /// The language whose age templates createUser copies: "nl" or "en" (the interface's at first).
    void setLanguage(const QString &language) { m_language = language; }

    /// Shortcut → Next: copies the age's template in the language unchanged to the user's
    /// profile, replacing a user of that name without a question, and has the themes it names
    /// installed. False (and nothing written) when the template is missing or the copy fails;
    /// the wizard goes on as if it had worked.
    bool createUser(const QString &name, int age);
    /// The desktop launcher for the new user; false on failure ("     Creating shortcut failed!     ").
    bool createShortcut(const QString &name, ShortcutIcon icon);

    /// The start-user page: line 1 of start.tvr (empty when it cannot be read).
    QString startUser() const;
    /// The start-user page's list: every user whose name is not blank, by name ignoring case.
    QStringList users() const;
    /// Start user → Next with a name: start.tvr's line 1 becomes it (the file is made when missing).
    /// On failure the text to show.
    QString setStartUser(const QString &name);

    /// Finish: the name (maybe empty) becomes the active user, with its profile, window
    /// settings, theme and lists. The password steps are the parents' menu's.
    void finish(const QString &name);

private:
    ProgramState &m_state;
    UserStore &m_store;
    UserSession &m_session;
    DesktopShell &m_shell;
    QString m_executable;
    QString m_language;
    ThemeInstaller m_installThemes;
};

} // namespace tovalin
