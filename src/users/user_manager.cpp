#include "users/user_manager.h"

#include "state/program_state.h"
#include "users/desktop_launcher.h"
#include "users/start_user.h"
#include "users/user_activation.h"
#include "users/user_names.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>

namespace tovalin {

namespace {

// The texts of this file, under one translation context.
struct UserManagerText {
    Q_DECLARE_TR_FUNCTIONS(UserManager)
};

} // namespace

UserManager::UserManager(ProgramState &state, UserProfile &profile, UserStore &store, UserSession &session,
                         DesktopShell &shell, QString executable, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_profile(profile)
    , m_store(store)
    , m_session(session)
    , m_shell(shell)
    , m_executable(std::move(executable))
{
}

void UserManager::activated()
{
    m_store.LoadUserProfile(m_state.activeUser());
    emit profileReloaded();
}

QString UserManager::selectedUserText() const
{
    const QString &user = m_state.activeUser();
    return user.isEmpty() ? UserManagerText::tr("No user selected") : UserManagerText::tr("Selected user: ") + user;
}

QString UserManager::activeUserText() const
{
    return UserManagerText::tr("Active user: ") + m_state.activeUser();
}

QStringList UserManager::availableThemes() const
{
    return m_store.AvailableThemes();
}

const QStringList &UserManager::allowedThemes() const
{
    return m_store.AllowedThemes();
}

bool UserManager::addTheme(const QString &theme)
{
    QStringList themes = m_store.AllowedThemes();
    if (theme.isEmpty() || themes.contains(theme))
        return false;
    themes.append(theme);
    m_store.setAllowedThemes(themes);
    markChanged();
    return true;
}

bool UserManager::removeTheme(int row)
{
    QStringList themes = m_store.AllowedThemes();
    if (row < 0 || row >= themes.size())
        return false;
    themes.removeAt(row);
    m_store.setAllowedThemes(themes);
    markChanged();
    return true;
}

bool UserManager::moveThemeUp(int row)
{
    QStringList themes = m_store.AllowedThemes();
    if (row <= 0 || row >= themes.size())
        return false;
    themes.swapItemsAt(row, row - 1);
    m_store.setAllowedThemes(themes);
    markChanged();
    return true;
}

bool UserManager::moveThemeDown(int row)
{
    QStringList themes = m_store.AllowedThemes();
    if (row < 0 || row >= themes.size() - 1)
        return false;
    themes.swapItemsAt(row, row + 1);
    m_store.setAllowedThemes(themes);
    markChanged();
    return true;
}

UserManager::NameAnswer UserManager::checkName(const QString &name) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return NameAnswer::Empty;
    return m_store.UserExists(trimmed) ? NameAnswer::Exists : NameAnswer::Free;
}

QString UserManager::overwriteQuestion(const QString &name)
{
    return UserManagerText::tr("User ") + name.trimmed() + UserManagerText::tr(" already exists. Overwrite?");
}

UserManager::Outcome UserManager::writeNewProfile(const QString &name, const QStringList &themes)
{
    switch (checkUserName(name, m_state.downloadsFolder())) {
    case NameCheck::Empty:
        return {false, noNameText()};
    case NameCheck::Invalid:
        return {false, invalidNameText()};
    case NameCheck::Usable:
        break;
    }
    const WriteResult written = m_store.createUserProfile(name.trimmed(), themes);
    if (!written.ok)
        return {false, written.error.isEmpty() ? invalidNameText() : written.error};
    return {true, {}};
}

UserManager::Outcome UserManager::createUser(const QString &name, NewUserActivation activation)
{
    // A new user reads whitelist entries as sites, whatever an older profile shown says.
    const bool shownWitSites = m_profile.WitSites;
    m_profile.WitSites = true;
    Outcome outcome = writeNewProfile(name, {});
    const bool activates = m_state.activeUser().isEmpty() || activation == NewUserActivation::Activate;
    if (!outcome.ok || !activates)
        m_profile.WitSites = shownWitSites;
    if (!outcome.ok)
        return outcome;
    if (activates) {
        // Only the name: the settings shown (and the themes in memory) stay as they are.
        m_state.setActiveUser(name.trimmed());
        emit profileReloaded();
    }
    return outcome;
}

UserManager::Outcome UserManager::saveAs(const QString &name)
{
    Outcome outcome = writeNewProfile(name, m_store.AllowedThemes());
    if (!outcome.ok)
        return outcome;
    m_profileChanged = false;
    if (m_state.activeUser().isEmpty()) {
        m_state.setActiveUser(name.trimmed());
        emit profileReloaded();
    }
    return outcome;
}

UserManager::SaveOutcome UserManager::save(QString *error)
{
    if (m_state.activeUser().isEmpty()) {
        m_profileChanged = false;
        return SaveOutcome::NoActiveUser;
    }
    const WriteResult written = m_store.SaveUserProfile(m_state.activeUser(), m_store.AllowedThemes());
    if (!written.ok) {
        // The changes are still unsaved: the close question must come again.
        if (error)
            *error = written.error;
        return SaveOutcome::Failed;
    }
    m_profileChanged = false;
    return SaveOutcome::Saved;
}

QString UserManager::noUserNameText()
{
    return UserManagerText::tr("No user name was entered");
}

QStringList UserManager::users() const
{
    QStringList shown;
    for (const QString &user : m_store.ListUsers())
        if (!user.trimmed().isEmpty())
            shown.append(user);
    // By name, as a parent reads them ("Tim" before "Tim school").
    std::sort(shown.begin(), shown.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return shown;
}

void UserManager::open(const QString &name)
{
    m_session.ActivateUser(name);
    m_profileChanged = false;
    emit profileReloaded();
}

bool UserManager::isStartUser(const QString &name) const
{
    return !name.isEmpty() && readStartUser(m_state.startUserFile()) == name;
}

UserManager::Outcome UserManager::makeStartUser(const QString &name)
{
    // A missing start.tvr is made: a parent who skipped the wizard's last steps
    // must still be able to choose the start user here.
    const WriteResult written = setStartUser(m_state.startUserFile(), name, StartUserWrite::ReplaceOrAppend);
    if (!written.ok)
        return {false, written.error};
    return {true, UserManagerText::tr("The next time the Tovalin will start with ") + name};
}

bool UserManager::profileExists(const QString &name) const
{
    return UserStore::isUsableName(name) && QFileInfo(m_store.profilePath(name)).isFile();
}

QString UserManager::deleteQuestion(const QString &name)
{
    return UserManagerText::tr("Do you want to remove user ") + name + u'?';
}

UserManager::Outcome UserManager::deleteUser(const QString &name)
{
    if (!profileExists(name))
        return {false, {}};
    // The active user is the one whose file this is, however either name was typed ("kim"
    // started, "Kim.usr" on disk): the file decides, not the spelling.
    const QString active = m_state.activeUser();
    const bool deletingActive = !active.isEmpty() && UserStore::isUsableName(active)
        && QFileInfo(m_store.profilePath(active)) == QFileInfo(m_store.profilePath(name));
    if (!m_store.deleteUserProfile(name))
        return {false, UserManagerText::tr("The user %1 could not be removed.").arg(name)};
    if (deletingActive) {
        m_state.setActiveUser(QString());
        m_store.LoadUserProfile(QString());
        // No user: the protections of a profile without keys, not the deleted user's settings.
        m_profile = UserProfile::noUserDefaults(QFileInfo::exists(m_state.passwordFile()));
        m_state.setActiveTheme(QString());
        emit profileReloaded();
    }
    return {true, {}};
}

UserManager::Outcome UserManager::createShortcut(ShortcutIcon icon)
{
    markChanged();
    const QString user = m_state.activeUser();
    if (user.isEmpty())
        return {false, UserManagerText::tr("There is no active user: open or create a user first.")};
    const LauncherSpec spec{user, m_executable, m_state.ProgramFolder, shortcutIconPath(m_state.ProgramFolder, icon)};
    const LauncherResult result = createDesktopLauncher(m_shell, spec);
    if (!result.ok)
        return {false, shortcutFailedText()};
    return {true, UserManagerText::tr("Shortcut for ") + user + UserManagerText::tr(" created")};
}

UserManager::CloseCheck UserManager::closeCheck() const
{
    if (m_profile.StartTijdKlok && m_profile.MinTijdKlok.trimmed().isEmpty())
        return CloseCheck::TimeClockMinutesMissing;
    if (m_profile.StartWisselKlok && m_profile.MinWisselKlok.trimmed().isEmpty())
        return CloseCheck::SwitchClockMinutesMissing;
    return CloseCheck::Ok;
}

QString UserManager::closeCheckText(CloseCheck check)
{
    switch (check) {
    case CloseCheck::TimeClockMinutesMissing:
        return UserManagerText::tr("You activated the clock, but did not enter a time span");
    case CloseCheck::SwitchClockMinutesMissing:
        return UserManagerText::tr("You activated the switch clock, but did not enter a time span ");
    case CloseCheck::Ok:
        break;
    }
    return {};
}

QString UserManager::saveQuestion()
{
    return UserManagerText::tr("Do you want to save the changes?");
}

void UserManager::closed()
{
    m_session.applyAfterManagerClose();
}

} // namespace tovalin
