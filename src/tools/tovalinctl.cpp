// tovalinctl: the administrator's command line. `check` runs the browser's own
// navigation decision on addresses and prints each verdict; `theme export` and
// `theme import` carry a theme between machines as a .tvz archive, with the
// same archive code and containment rules as the theme manager.

#include "state/program_state.h"
#include "state/startup.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "themes/theme_archive.h"
#include "themes/theme_files.h"
#include "themes/theme_import.h"
#include "themes/theme_names.h"
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

QString dataFolder(const QCommandLineParser &parser)
{
    return parser.isSet(QStringLiteral("data")) ? parser.value(QStringLiteral("data")) : resolveDataFolder();
}

int exportTheme(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 4)
        return fail(QStringLiteral("usage: tovalinctl theme export [--data DIR] NAME FILE.tvz"));
    ProgramState state;
    state.DataFolder = dataFolder(parser);
    const QString themes = state.themesFolder();
    if (!ThemeExists(themes, args.at(2)))
        return fail(QStringLiteral("no theme \"%1\" in %2").arg(args.at(2), themes));
    const QString theme = existingThemeSpelling(themes, args.at(2));
    const ArchiveResult written = writeThemeArchive(themes, theme, args.at(3));
    if (!written.ok())
        return fail(QStringLiteral("cannot export \"%1\": %2").arg(theme, written.message));
    return AllAllowed;
}

int importTheme(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 3)
        return fail(QStringLiteral("usage: tovalinctl theme import [--data DIR] [--as NAME] [--replace] "
                                   "[--allow-for USER] FILE.tvz"));
    const QString archive = args.at(2);
    ProgramState state;
    state.DataFolder = dataFolder(parser);
    const QString themes = state.themesFolder();
    if (!QFileInfo(themes).isDir())
        return fail(QStringLiteral("no themes folder at %1").arg(themes));
    if (!QFileInfo(archive).isFile())
        return fail(QStringLiteral("no archive at %1").arg(archive));

    const QString archiveTheme = themeNameFromArchivePath(archive);
    QString target = parser.isSet(QStringLiteral("as")) ? parser.value(QStringLiteral("as")) : archiveTheme;
    if (!isValidThemeName(target))
        return fail(QStringLiteral("\"%1\" cannot be a theme name").arg(target));
    bool holdsTheme = false;
    const QStringList entries = archiveEntryNames(archive);
    for (const QString &entry : entries)
        holdsTheme = holdsTheme || entry.toUpper() == (archiveTheme + themefiles::kLinkListExt).toUpper();
    if (!holdsTheme)
        return fail(QStringLiteral("%1 holds no theme \"%2\" (the archive is named after its theme)").arg(archive, archiveTheme));
    if (ThemeExists(themes, target)) {
        if (!parser.isSet(QStringLiteral("replace"))) {
            QTextStream(stderr) << "tovalinctl: theme \"" << target
                                << "\" already exists; give another name with --as NAME, or --replace\n";
            return SomeRefused;
        }
        target = existingThemeSpelling(themes, target);
    }

    // The user is checked before anything is written, so a refused import changes nothing.
    UserProfile profile;
    UserStore users(state, profile);
    const QString user = parser.value(QStringLiteral("allow-for"));
    if (parser.isSet(QStringLiteral("allow-for"))) {
        state.setActiveUser(user);
        switch (users.LoadUserProfile(user)) {
        case ProfileLoad::Loaded:
            break;
        case ProfileLoad::Missing:
            return fail(QStringLiteral("no user \"%1\" in %2").arg(user, state.usersFolder()));
        case ProfileLoad::Unreadable:
            return fail(QStringLiteral("the profile of \"%1\" cannot be read").arg(user));
        }
    }

    const ThemeImportResult imported = importThemeArchive(archive, archiveTheme, target, themes);
    if (!imported.result.ok())
        return fail(QStringLiteral("cannot import %1: %2").arg(archive, imported.result.message));

    if (parser.isSet(QStringLiteral("allow-for"))) {
        QStringList allowed = users.AllowedThemes();
        bool listed = false;
        for (const QString &name : allowed)
            listed = listed || name.toUpper() == target.toUpper();
        if (!listed) {
            allowed.append(target);
            const WriteResult saved = users.SaveUserProfile(user, allowed);
            if (!saved.ok)
                return fail(QStringLiteral("theme \"%1\" imported, but the profile of \"%2\" cannot be saved: %3")
                                .arg(target, user, saved.error));
        }
    }
    QTextStream(stdout) << "imported\t" << target << '\n';
    return AllAllowed;
}

int theme(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() >= 2 && args.at(1) == QStringLiteral("export"))
        return exportTheme(parser);
    if (args.size() >= 2 && args.at(1) == QStringLiteral("import"))
        return importTheme(parser);
    return fail(QStringLiteral("usage: tovalinctl theme export|import ..."));
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
        "      extension). Exit status 0 when all are allowed, 1 when any is not, 2 on error.\n"
        "  theme export [--data DIR] NAME FILE.tvz\n"
        "      Writes theme NAME as a theme archive. Exit status 0 when written, 2 on error.\n"
        "  theme import [--data DIR] [--as NAME] [--replace] [--allow-for USER] FILE.tvz\n"
        "      Adds the theme FILE.tvz carries (named after the file) under its own name or NAME,\n"
        "      and to USER's allowed themes. Exit status 0 when imported, 1 when the name is taken\n"
        "      (without --replace), 2 on a usage or data error."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("data"), QStringLiteral("Data folder (default: the browser's)."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("user"), QStringLiteral("User (default: line 1 of start.tvr)."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("theme"), QStringLiteral("Theme (default: the one the user starts with)."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("as"), QStringLiteral("theme import: the name to import under."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("replace"), QStringLiteral("theme import: replace a theme of that name.")});
    parser.addOption({QStringLiteral("allow-for"), QStringLiteral("theme import: add the theme to USER's allowed themes."),
                      QStringLiteral("USER")});
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("check | theme"));
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return AllAllowed;
    }
    const QStringList args = parser.positionalArguments();
    if (!args.isEmpty() && args.first() == QStringLiteral("theme"))
        return theme(parser);
    if (args.isEmpty() || args.first() != QStringLiteral("check"))
        return fail(QStringLiteral("usage: tovalinctl check [--data DIR] [--user NAME] [--theme NAME] ADDRESS...\n"
                                   "       tovalinctl theme export|import ..."));
    return check(parser);
}
