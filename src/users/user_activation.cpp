#include "users/user_activation.h"

#include "state/program_state.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QFileInfo>

namespace tovalin {

UserSession::UserSession(ProgramState &state, UserProfile &profile, UserStore &store,
                         UserActivationHooks &hooks, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_profile(profile)
    , m_store(store)
    , m_hooks(hooks)
{
}

void UserSession::showLabels()
{
    m_hooks.userLabelsChanged(m_store.userLabelText(), m_store.themeLabelText());
}

void UserSession::showThemeChooser()
{
    m_hooks.themeChooserChanged(m_store.AllowedThemes(), m_store.chooserArrowVisible());
}

void UserSession::ApplyWindowSettings()
{
    m_hooks.applyWindowSettings(m_profile);
    if (m_profile.StartWisselKlok)
        m_hooks.startSwitchClock();
    else
        m_hooks.stopSwitchClock();
    if (m_profile.StartTijdKlok)
        m_hooks.startTimeClock(m_profile.MinTijdKlok);
    else
        m_hooks.stopTimeClock();
}

QString UserSession::existingUser(const QString &name) const
{
    const QString trimmed = name.trimmed();
    return !trimmed.isEmpty() && m_store.UserExists(trimmed) ? trimmed : QString();
}

void UserSession::loadProfileOf(const QString &requested)
{
    const QString name = existingUser(requested);
    m_state.setActiveUser(name);
    const ProfileLoad load = m_store.LoadUserProfile(name);
    if (!name.isEmpty() && load != ProfileLoad::Missing)
        return;
    // No user: the protections of a profile without keys hold, never the settings of whoever
    // was active before, nor a manager's unticked boxes.
    m_state.setActiveUser(QString());
    m_profile = UserProfile::noUserDefaults(QFileInfo::exists(m_state.passwordFile()));
}

void UserSession::ActivateUser(const QString &requested)
{
    loadProfileOf(requested);
    showLabels();
    m_hooks.setAutoRestart(m_profile.Restart);
    m_hooks.setKeyLock(m_profile.Nieteruit);
    ApplyWindowSettings();

    const QStringList &themes = m_store.AllowedThemes();
    if (m_state.activeTheme().isEmpty() && !themes.isEmpty())
        m_state.setActiveTheme(themes.constFirst());
    showThemeChooser();

    m_hooks.loadTheme(m_state.activeTheme());
    m_hooks.loadSiteLists();
    emit userActivated(m_state.activeUser());
}

void UserSession::activateAtStartUp(const QString &requested)
{
    // start.tvr or a launcher may name a user who has been deleted since.
    loadProfileOf(requested);
    // The chooser and the labels are part of loading the profile.
    showThemeChooser();
    showLabels();
    m_hooks.loadTheme(m_state.activeTheme());
    ApplyWindowSettings();
    m_hooks.setBrowserSilent();
    m_hooks.setAutoRestart(m_profile.Restart);
    m_hooks.setKeyLock(m_profile.Nieteruit);
    // The child starts on a larger page when the desktop is locked for it.
    if (m_profile.Nieteruit)
        m_hooks.enlargeBrowserPanel();
    m_hooks.setMenuLocked(m_profile.Blokmenu);
    // The site lists are loaded by the main window once every window exists.
    emit userActivated(m_state.activeUser());
}

void UserSession::applyAfterManagerClose()
{
    showLabels();
    m_hooks.setAutoRestart(m_profile.Restart);
    m_hooks.setKeyLock(m_profile.Nieteruit);
    ApplyWindowSettings();

    // The parent may have taken the shown theme off the list: the child then
    // moves to the first theme still allowed.
    const QStringList &themes = m_store.AllowedThemes();
    if (!themes.isEmpty() && !themes.contains(m_state.activeTheme()))
        m_state.setActiveTheme(themes.constFirst());
    showThemeChooser();
    m_hooks.loadTheme(m_state.activeTheme());
    m_hooks.loadSiteLists();
    showLabels();
    m_hooks.applyMenuLockState();
}

} // namespace tovalin
