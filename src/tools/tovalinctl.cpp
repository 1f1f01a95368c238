// tovalinctl: the administrator's command line. `check` runs the browser's own
// navigation decision on addresses and prints each verdict.

#include "state/program_state.h"
#include "state/startup.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "users/start_user.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

using namespace tovalin;

namespace {

enum Exit { AllAllowed = 0, SomeRefused = 1, UsageOrDataError = 2 };

int fail(const QString &message)
{
    QTextStream(stderr) << "tovalinctl: " << message << '\n';
    return UsageOrDataError;
}

int check(const QCommandLineParser &parser)
{
    const QStringList addresses = parser.positionalArguments().mid(1);
    if (addresses.isEmpty())
        return fail(QStringLiteral("check needs at least one address"));

    ProgramState state;
    state.ProgramFolder = resolveProgramFolder();
    state.DataFolder = parser.isSet(QStringLiteral("data")) ? parser.value(QStringLiteral("data")) : resolveDataFolder();
    if (!QFileInfo(state.DataFolder).isDir())
        return fail(QStringLiteral("no data folder at %1").arg(state.DataFolder));

    QString user = parser.value(QStringLiteral("user"));
    if (!parser.isSet(QStringLiteral("user"))) {
        user = readStartUser(state.startUserFile());
        if (user.isEmpty())
            return fail(QStringLiteral("no start user in %1; name one with --user").arg(state.startUserFile()));
    }

    UserProfile profile;
    UserStore users(state, profile);
    state.setActiveUser(user);
    switch (users.LoadUserProfile(user)) {
    case ProfileLoad::Loaded:
        break;
    case ProfileLoad::Missing:
        return fail(QStringLiteral("no user \"%1\" in %2").arg(user, state.usersFolder()));
    case ProfileLoad::Unreadable:
        return fail(QStringLiteral("the profile of \"%1\" cannot be read").arg(user));
    }

    if (parser.isSet(QStringLiteral("theme"))) {
        const QString theme = parser.value(QStringLiteral("theme"));
        if (!QFileInfo::exists(state.themesFolder() + u'/' + theme + QStringLiteral(".llt")))
            return fail(QStringLiteral("no theme \"%1\" in %2").arg(theme, state.themesFolder()));
        state.setActiveTheme(theme);
    }

    SiteLists lists(state, profile, VendorSettings::load(VendorSettings::defaultPath(state.ProgramFolder)));
    // A list that cannot be read would judge as empty: an unreadable blacklist would let
    // everything through, so no verdict is given on it.
    QString listError;
    QObject::connect(&lists, &SiteLists::loadFailed, [&listError](const QString &message) {
        if (listError.isEmpty())
            listError = message;
    });
    lists.LoadSiteLists();
    if (!listError.isEmpty())
        return fail(listError);

    SilentSoundPlayer sound;
    NavigationModel nav(state, sound);
    NoNetworkHeadProbe head;
    NoMediaFetcher media;
    NoThemeDownloader download;
    NavigationGuard::Services services;
    services.head = &head;
    services.media = &media;
    services.themes = &download;
    services.clockPosition = [] { return 0; };
    services.parentsPageOpen = [] { return false; };
    NavigationGuard guard(state, lists, profile, nav, services);

    QTextStream out(stdout);
    bool allAllowed = true;
    for (const QString &address : addresses) {
        // Each address is judged as a fresh navigation with the filter on.
        state.FilterOn = true;
        state.openClickWindow();
        const Decision decision = guard.beforeNavigate(address);
        state.closeClickWindow();
        if (decision.verdict != Verdict::Allowed)
            allAllowed = false;
        out << verdictName(decision.verdict) << '\t' << address << '\n';
    }
    return allAllowed ? AllAllowed : SomeRefused;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tovalinctl"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Tovalin's administrator command.\n\n"
        "  check [--data DIR] [--user NAME] [--theme NAME] ADDRESS...\n"
        "      Prints VERDICT<TAB>ADDRESS for each address, as a fresh navigation of the\n"
        "      browser would be judged (filter on, time clock not expired, video types by\n"
        "      extension). Exit status 0 when all are allowed, 1 when any is not, 2 on error."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("data"), QStringLiteral("Data folder (default: the browser's)."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("user"), QStringLiteral("User (default: line 1 of start.tvr)."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("theme"), QStringLiteral("Theme (default: the one the user starts with)."), QStringLiteral("NAME")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("check"));
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return AllAllowed;
    }
    const QStringList args = parser.positionalArguments();
    if (args.isEmpty() || args.first() != QStringLiteral("check"))
        return fail(QStringLiteral("usage: tovalinctl check [--data DIR] [--user NAME] [--theme NAME] ADDRESS..."));
    return check(parser);
}
