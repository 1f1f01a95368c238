#include "users/new_user_steps.h"

#include "core/ini.h"
#include "state/language.h"
#include "state/program_state.h"
#include "users/age_templates.h"
#include "users/desktop_launcher.h"
#include "users/start_user.h"
#include "users/user_activation.h"
#include "users/user_names.h"
#include "users/user_store.h"

#include <QDir>

#include <algorithm>

namespace tovalin {

NewUserSteps::NewUserSteps(ProgramState &state, UserStore &store, UserSession &session, DesktopShell &shell,
                           QString executable)
    : m_state(state)
    , m_store(store)
    , m_session(session)
    , m_shell(shell)
    , m_executable(std::move(executable))
    , m_language(activeLanguage())
{
}

bool NewUserSteps::nameIsUsable(const QString &name) const
{
    return checkUserName(name, m_state.downloadsFolder()) == NameCheck::Usable;
}

bool NewUserSteps::createUser(const QString &name, int age)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || !UserStore::isUsableName(trimmed))
        return false;
    QDir().mkpath(m_state.usersFolder());
    const QString profile = m_store.profilePath(trimmed);
    if (!copyAgeTemplate(m_state.ProgramFolder, age, m_language, profile))
        return false;
    // A data folder from before these starter themes shipped lacks them; without them the
    // profile's themes would be dropped when it loads.
    if (m_installThemes) {
        if (const std::optional<IniDocument> ini = IniDocument::load(profile))
            m_installThemes(UserStore::decodeAllowedThemes(
                ini->stringValue(QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"))));
    }
    return true;
}

bool NewUserSteps::createShortcut(const QString &name, ShortcutIcon icon)
{
    const LauncherSpec spec{name.trimmed(), m_executable, m_state.ProgramFolder,
                            shortcutIconPath(m_state.ProgramFolder, icon)};
    return createDesktopLauncher(m_shell, spec).ok;
}

QString NewUserSteps::startUser() const
{
    return readStartUser(m_state.startUserFile());
}

QStringList NewUserSteps::users() const
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

QString NewUserSteps::setStartUser(const QString &name)
{
    const WriteResult written =
        tovalin::setStartUser(m_state.startUserFile(), name.trimmed(), StartUserWrite::ReplaceOrAppend);
    return written.ok ? QString() : written.error;
}

void NewUserSteps::finish(const QString &name)
{
    m_session.ActivateUser(name);
}

} // namespace tovalin
