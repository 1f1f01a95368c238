#include "users/new_user_steps.h"

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
    return copyAgeTemplate(m_state.ProgramFolder, age, m_store.profilePath(trimmed));
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
