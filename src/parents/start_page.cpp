#include "parents/start_page.h"

#include "state/program_state.h"
#include "core/ini.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QCoreApplication>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcStartPage, "tovalin.parents")

namespace tovalin {

StartPageResult MakeStartPage(const ProgramState &state, UserProfile &profile, const QString &location)
{
    const QString user = state.activeUser();
    if (user.isEmpty())
        return {false, QCoreApplication::translate("StartPage", "     You did not select a user!    ")};

    const QString failed = QCoreApplication::translate("StartPage", "   Creating a homepage failed!   ");
    profile.StartURL = location;

    // A user name is a file name; one that would leave the users folder is not written.
    if (user.contains(QLatin1Char('/')) || user == QLatin1String(".") || user == QLatin1String("..")) {
        qCDebug(lcStartPage) << "user name is not a file name:" << user;
        return {false, failed};
    }
    // The user's own file, however the name was typed: a second file would split the user in two.
    const QString path = profilePathIn(state.usersFolder(), user);
    std::optional<IniDocument> ini = IniDocument::load(path);
    if (!ini) {
        // An unreadable profile is not overwritten: its other keys would be lost.
        qCDebug(lcStartPage) << "profile cannot be read:" << path;
        return {false, failed};
    }
    ini->setValue(QStringLiteral("Favorieten"), QStringLiteral("StartURL"), location);
    const WriteResult written = ini->save(path);
    if (!written.ok) {
        qCDebug(lcStartPage) << "profile not written:" << path << written.error;
        return {false, failed};
    }
    return {true, QCoreApplication::translate("StartPage", "Homepage for ") + user
                      + QCoreApplication::translate("StartPage", " created")};
}

} // namespace tovalin
