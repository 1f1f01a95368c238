// tovalinctl: the administrator's command line. `check` runs the browser's own
// navigation decision on addresses and prints each verdict; `theme export` and
// `theme import` carry a theme between machines as a .tvz archive, with the
// same archive code and containment rules as the theme manager; `users`, `themes`,
// `lists` and `password` set a machine up (ctl_admin.cpp); `requests` and `report` answer the
// child's requests and print the activity report (ctl_activity.cpp); `categories` lists and
// updates the category lists (ctl_categories.cpp).

#include "tools/ctl_common.h"

#include "state/program_state.h"
#include "state/startup.h"
#include "guard/category_filter.h"
#include "guard/navigation_guard.h"
#include "guard/navigation_model.h"
#include "guard/safe_search.h"
#include "guard/site_lists.h"
#include "media/media_fetch.h"
#include "themes/theme_archive.h"
#include "themes/theme_files.h"
#include "themes/theme_import.h"
#include "themes/theme_names.h"
#include "platform/head_probe.h"
#include "platform/sound.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

using namespace tovalin;
using tovalin::ctl::dataFolder;
using tovalin::ctl::fail;

namespace {

enum Exit { AllAllowed = ctl::Done, SomeRefused = ctl::Negative, UsageOrDataError = ctl::UsageOrDataError };

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

    const std::optional<QString> named = ctl::userOrStartUser(parser, state.startUserFile());
    if (!named)
        return UsageOrDataError;
    const QString user = *named;

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
    CategoryFilter categories(state, profile);
    categories.reload();
    lists.setCategoryFilter(&categories);
    lists.LoadSiteLists();
    // While a list file cannot be read the browser fails closed: the verdicts below are the
    // ones it gives then, and the file that needs mending is named on stderr.
    const bool failingClosed = lists.failingClosed();
    if (failingClosed)
        QTextStream(stderr) << "tovalinctl: note: " << lists.listProblem() << '\n'
                            << "tovalinctl: the browser fails closed until that list can be read: every address "
                               "but the start page's site and the vendor's hosts is refused\n";
    // The same while the user's category lists are not there: the whitelist is in force.
    const bool categoriesMissing = categories.forcesWhitelist() && !profile.Kindvriendelijk;
    if (categoriesMissing) {
        const QString why = categories.state() == CategoryFilter::State::Unreadable
            ? QStringLiteral("the category index cannot be read (%1)").arg(categories.indexProblem())
            : QStringLiteral("the category lists %1 have not been fetched")
                  .arg(categories.missingCategories().join(QStringLiteral(", ")));
        QTextStream(stderr) << "tovalinctl: note: " << why << '\n'
                            << "tovalinctl: until they are there the browser lets through only the theme's "
                               "whitelist and the start page (tovalinctl categories update)\n";
    }

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
        // A whitelist refusal while failing closed is told apart: mending the file may allow it.
        const bool closedRefusal = (failingClosed || categoriesMissing) && decision.verdict == Verdict::RefusedWhitelist;
        QString verdict = closedRefusal ? QStringLiteral("refused:fail-closed") : verdictName(decision.verdict);
        if (decision.verdict == Verdict::RefusedCategory)
            verdict += u':' + decision.category;
        out << verdict << '\t' << address;
        // What the browser loads instead when SafeSearch rewrites the address.
        if (profile.VeiligZoeken) {
            if (const std::optional<QUrl> safe = safeSearchAddress(QUrl(address, QUrl::TolerantMode)))
                out << '\t' << safe->toString(QUrl::FullyEncoded);
        }
        out << '\n';
    }
    return allAllowed ? AllAllowed : SomeRefused;
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
    QCoreApplication::setApplicationVersion(QStringLiteral(TOVALIN_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Tovalin's administrator command: set up users, themes, site lists and the parents'\n"
        "password from a script, and ask how the browser would judge an address.\n\n"
        "  check [--user NAME] [--theme NAME] ADDRESS...\n"
        "      Prints VERDICT<TAB>ADDRESS for each address, as a fresh navigation of the\n"
        "      browser would be judged (filter on, time clock not expired, video types by\n"
        "      extension), and a third column with the address the browser loads instead\n"
        "      when SafeSearch rewrites it. A category list's refusal prints as\n"
        "      refused:category:NAME. While a list file or the user's category lists cannot be\n"
        "      read the browser fails closed: such refusals print as refused:fail-closed and\n"
        "      the reason is given on stderr.\n"
        "  users list                        The users, one a line.\n"
        "  users show NAME                   The user's settings in force, KEY=VALUE a line.\n"
        "  users set NAME KEY=VALUE...       Changes settings of the profile (keys as users show\n"
        "                                    prints them; on/off keys take 1/0/on/off/yes/no).\n"
        "  themes list                       The themes, one a line.\n"
        "  lists show THEME white|black|popup\n"
        "  lists add THEME white|black|popup ENTRY...\n"
        "  lists remove THEME white|black|popup ENTRY...\n"
        "      A theme's site list, as the parents' list pages show and change it (entries are web\n"
        "      addresses with http:// or https://; the whitelist is compacted).\n"
        "  password set                      The new parents' password, from the first line of stdin.\n"
        "  password check                    Whether stdin's first line is the parents' password.\n"
        "  theme export NAME FILE.tvz        Writes theme NAME as a theme archive.\n"
        "  theme import [--as NAME] [--replace] [--allow-for USER] FILE.tvz\n"
        "      Adds the theme FILE.tvz carries under its own name or NAME, and to USER's themes.\n"
        "  categories list                   Each category list: NAME<TAB>ENTRIES<TAB>UPDATED (UTC).\n"
        "  categories update [--source URL] [--category NAME]\n"
        "      Fetches the category lists (default: the sources of vendor.ini), checks each\n"
        "      archive's .md5, builds the index and puts it in force; a failed update keeps the\n"
        "      lists in force. With --category, only that category (with --source: a plain list\n"
        "      of hosts, or the hosts-file form, for it).\n"
        "  requests list [--user NAME] [--json]\n"
        "      The child's requests to a parent: ID, status, time, user, theme, reason, address.\n"
        "  requests allow ID [--site] [--all-themes] [--today]\n"
        "      Allows the request's page (or its whole site) in its theme (or all of the user's),\n"
        "      always (or today only), as the parents' Requests page does.\n"
        "  requests refuse ID                Refuses the request.\n"
        "  report [--user NAME] [--day YYYY-MM-DD | --days N] [--json]\n"
        "      The activity report of the user (default: the start user) for today, a day or the\n"
        "      last N days: minutes per theme, pages, refusals, requests, videos.\n\n"
        "Every command takes --data DIR. Exit status: 0 done (every address allowed, the password\n"
        "matches), 1 a negative answer (an address refused, the password does not match, an entry\n"
        "to remove not listed, a theme name taken without --replace), 2 a usage or data error, in\n"
        "which case nothing has been written."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("data"), QStringLiteral("Data folder (default: the browser's)."), QStringLiteral("DIR")});
    parser.addOption({QStringLiteral("user"),
                      QStringLiteral("check, report: the user (default: line 1 of start.tvr); requests list: only "
                                     "this user's."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("theme"), QStringLiteral("check: the theme (default: the one the user starts with)."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("as"), QStringLiteral("theme import: the name to import under."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("replace"), QStringLiteral("theme import: replace a theme of that name.")});
    parser.addOption({QStringLiteral("allow-for"), QStringLiteral("theme import: add the theme to USER's allowed themes."),
                      QStringLiteral("USER")});
    parser.addOption({QStringLiteral("source"), QStringLiteral("categories update: the address of the lists."),
                      QStringLiteral("URL")});
    parser.addOption({QStringLiteral("category"), QStringLiteral("categories update: only this category."),
                      QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("json"), QStringLiteral("requests list, report: print JSON.")});
    parser.addOption({QStringLiteral("site"), QStringLiteral("requests allow: allow the whole site, not the page.")});
    parser.addOption({QStringLiteral("all-themes"), QStringLiteral("requests allow: in all of the user's themes.")});
    parser.addOption({QStringLiteral("today"), QStringLiteral("requests allow: today only.")});
    parser.addOption({QStringLiteral("day"), QStringLiteral("report: the day (default: today)."), QStringLiteral("YYYY-MM-DD")});
    parser.addOption({QStringLiteral("days"), QStringLiteral("report: the last N days, today included."), QStringLiteral("N")});
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QStringLiteral("check | users | themes | lists | password | theme | requests | report | categories"));
    if (!parser.parse(app.arguments()))
        return fail(parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        QTextStream(stdout) << parser.helpText();
        return AllAllowed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        QTextStream(stdout) << "tovalinctl " << QCoreApplication::applicationVersion() << '\n';
        return AllAllowed;
    }
    const QStringList args = parser.positionalArguments();
    const QString command = args.value(0);
    if (command == QLatin1String("check"))
        return check(parser);
    if (command == QLatin1String("theme"))
        return theme(parser);
    if (command == QLatin1String("users"))
        return ctl::users(parser);
    if (command == QLatin1String("themes"))
        return ctl::themes(parser);
    if (command == QLatin1String("lists"))
        return ctl::lists(parser);
    if (command == QLatin1String("password"))
        return ctl::password(parser);
    if (command == QLatin1String("categories"))
        return ctl::categories(parser);
    if (command == QLatin1String("requests"))
        return ctl::requests(parser);
    if (command == QLatin1String("report"))
        return ctl::report(parser);
    return fail(QStringLiteral("usage: tovalinctl check|users|themes|lists|password|theme|requests|report|categories ...  "
                               "(tovalinctl --help)"));
}
