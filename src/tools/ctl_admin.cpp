// tovalinctl's set-up commands: users, themes, site lists and the parents' password. Each
// goes through the same code as the parents' windows, checks its whole command line before
// it writes anything, and writes files whole (temporary file, then rename).

#include "tools/ctl_common.h"

#include "core/ini.h"
#include "guard/address_match.h"
#include "guard/category_text.h"
#include "guard/site_lists.h"
#include "parents/password_store.h"
#include "state/program_state.h"
#include "state/startup.h"
#include "themes/theme_editing.h"
#include "themes/theme_files.h"
#include "themes/link_editing.h"
#include "themes/theme_names.h"
#include "users/start_user.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace tovalin::ctl {

QString dataFolder(const QCommandLineParser &parser)
{
    return parser.isSet(QStringLiteral("data")) ? parser.value(QStringLiteral("data")) : resolveDataFolder();
}

std::optional<QString> userOrStartUser(const QCommandLineParser &parser, const QString &startUserFile)
{
    if (parser.isSet(QStringLiteral("user")))
        return parser.value(QStringLiteral("user"));
    const QString user = readStartUser(startUserFile);
    if (user.isEmpty()) {
        fail(QStringLiteral("no start user in %1; name one with --user").arg(startUserFile));
        return std::nullopt;
    }
    return user;
}

namespace {

void setUp(ProgramState &state, const QCommandLineParser &parser)
{
    state.ProgramFolder = resolveProgramFolder();
    state.DataFolder = dataFolder(parser);
}

bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control)
            return true;
    return false;
}

// --- users ---------------------------------------------------------------------------------

/// The user's own spelling of an existing user, or an empty string (with the error given).
QString existingUser(const UserStore &store, const ProgramState &state, const QString &name, int &status)
{
    const QStringList all = store.ListUsers();
    for (const QString &user : all)
        if (user == name)
            return user;
    for (const QString &user : all)
        if (user.compare(name, Qt::CaseInsensitive) == 0)
            return user;
    status = fail(QStringLiteral("no user \"%1\" in %2").arg(name, state.usersFolder()));
    return {};
}

int usersList(ProgramState &state)
{
    if (!QFileInfo(state.usersFolder()).isDir())
        return fail(QStringLiteral("no users folder at %1").arg(state.usersFolder()));
    UserProfile profile;
    UserStore store(state, profile);
    QTextStream out(stdout);
    const QStringList all = store.ListUsers();
    for (const QString &user : all)
        if (!user.isEmpty())
            out << user << '\n';
    return Done;
}

int usersShow(ProgramState &state, const QString &name)
{
    UserProfile profile;
    UserStore store(state, profile);
    int status = Done;
    const QString user = existingUser(store, state, name, status);
    if (user.isEmpty())
        return status;
    state.setActiveUser(user);
    if (store.LoadUserProfile(user) != ProfileLoad::Loaded)
        return fail(QStringLiteral("the profile of \"%1\" cannot be read (%2)").arg(user, store.profilePath(user)));
    QTextStream out(stdout);
    const QList<ProfileKey> keys = UserProfile::keys();
    for (const ProfileKey &key : keys)
        out << key.name << '=' << profile.valueText(key) << '\n';
    // Only the allowed themes that exist count, as the browser offers them.
    out << "gebruikfav=" << UserStore::encodeAllowedThemes(store.AllowedThemes()) << '\n';
    return Done;
}

/// The text the file is to hold for a typed value of a key, or an error.
struct Checked {
    QString value;
    QString error;
};

Checked checkValue(const ProfileKey &key, const QString &typed, const QString &themesFolder)
{
    const QString value = typed.trimmed();
    if (hasControlCharacter(typed))
        return {{}, QStringLiteral("%1: a value holds no line breaks or control characters").arg(key.name)};
    if (key.boolean) {
        static const QStringList on{QStringLiteral("1"), QStringLiteral("on"), QStringLiteral("true"), QStringLiteral("yes")};
        static const QStringList off{QStringLiteral("0"), QStringLiteral("off"), QStringLiteral("false"), QStringLiteral("no")};
        if (on.contains(value.toLower()))
            return {QStringLiteral("1"), {}};
        if (off.contains(value.toLower()))
            return {QStringLiteral("0"), {}};
        return {{}, QStringLiteral("%1 is on or off: 1, 0, on, off, true, false, yes or no, not \"%2\"").arg(key.name, typed)};
    }
    if (key.name == QLatin1String("MinTijdKlok") || key.name == QLatin1String("MinWisselKlok")) {
        // The user manager's minutes field takes up to four digits.
        static const QRegularExpression minutes(QStringLiteral("^[0-9]{1,4}$"));
        if (!minutes.match(value).hasMatch())
            return {{}, QStringLiteral("%1 is a number of minutes (1 to 4 digits), not \"%2\"").arg(key.name, typed)};
        return {value, {}};
    }
    if (key.name == QLatin1String("gebruikfav")) {
        // The file's own form: each theme followed by "*"; only themes that exist.
        QStringList themes;
        const QStringList named = value.split(u'*', Qt::SkipEmptyParts);
        for (const QString &theme : named) {
            if (!ThemeExists(themesFolder, theme.trimmed()))
                return {{}, QStringLiteral("gebruikfav: no theme \"%1\" in %2").arg(theme.trimmed(), themesFolder)};
            themes.append(existingThemeSpelling(themesFolder, theme.trimmed()));
        }
        return {UserStore::encodeAllowedThemes(themes), {}};
    }
    if (key.name == QLatin1String("Categorieen")) {
        // Names as in the archive, comma-separated; a category not fetched yet may be named.
        QStringList invalid;
        const QStringList names = splitCategoryNames(value, &invalid);
        if (!invalid.isEmpty())
            return {{}, QStringLiteral("Categorieen: \"%1\" cannot be a category name (letters, digits, _ and -)")
                            .arg(invalid.constFirst())};
        return {names.join(u','), {}};
    }
    // StartURL: a web address, as the user manager makes of what a parent types.
    if (!value.isEmpty() && !value.contains(QStringLiteral("://")))
        return {QStringLiteral("http://") + value, {}};
    return {value, {}};
}

int usersSet(ProgramState &state, const QString &name, const QStringList &assignments)
{
    if (assignments.isEmpty())
        return fail(QStringLiteral("usage: tovalinctl users set NAME KEY=VALUE..."));
    UserProfile profile;
    UserStore store(state, profile);
    int status = Done;
    const QString user = existingUser(store, state, name, status);
    if (user.isEmpty())
        return status;

    // Every assignment is checked before the file is touched.
    struct Change {
        ProfileKey key;
        QString value;
    };
    QList<Change> changes;
    for (const QString &assignment : assignments) {
        const qsizetype eq = assignment.indexOf(u'=');
        if (eq <= 0)
            return fail(QStringLiteral("\"%1\" is not KEY=VALUE").arg(assignment));
        const QString keyName = assignment.left(eq).trimmed();
        std::optional<ProfileKey> key = UserProfile::findKey(keyName);
        if (!key && keyName.compare(QLatin1String("gebruikfav"), Qt::CaseInsensitive) == 0)
            key = ProfileKey{QStringLiteral("Favorieten"), QStringLiteral("gebruikfav"), false};
        if (!key)
            return fail(QStringLiteral("the profile has no key \"%1\" (tovalinctl users show NAME lists them)").arg(keyName));
        const Checked checked = checkValue(*key, assignment.mid(eq + 1), state.themesFolder());
        if (!checked.error.isEmpty())
            return fail(checked.error);
        changes.append({*key, checked.value});
    }

    // Only the keys named change; every other line of the file, known or not, stays.
    const QString path = store.profilePath(user);
    std::optional<IniDocument> doc = IniDocument::load(path);
    if (!doc)
        return fail(QStringLiteral("the profile of \"%1\" cannot be read (%2)").arg(user, path));
    for (const Change &change : changes)
        doc->setValue(change.key.section, change.key.name, change.value);
    const WriteResult saved = doc->save(path);
    if (!saved.ok)
        return fail(QStringLiteral("cannot save %1: %2").arg(path, saved.error));
    return Done;
}

// --- lists ---------------------------------------------------------------------------------

std::optional<SiteList> listNamed(const QString &name)
{
    if (name == QLatin1String("white"))
        return SiteList::White;
    if (name == QLatin1String("black"))
        return SiteList::Black;
    if (name == QLatin1String("popup"))
        return SiteList::Popup;
    return std::nullopt;
}

} // namespace

int users(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    const QString sub = args.value(1);
    ProgramState state;
    setUp(state, parser);
    if (sub == QLatin1String("list") && args.size() == 2)
        return usersList(state);
    if (sub == QLatin1String("show") && args.size() == 3)
        return usersShow(state, args.at(2));
    if (sub == QLatin1String("set") && args.size() >= 3)
        return usersSet(state, args.at(2), args.mid(3));
    return fail(QStringLiteral("usage: tovalinctl users list | users show NAME | users set NAME KEY=VALUE..."));
}

int themes(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    if (args.size() != 2 || args.at(1) != QLatin1String("list"))
        return fail(QStringLiteral("usage: tovalinctl themes list"));
    ProgramState state;
    setUp(state, parser);
    if (!QFileInfo(state.themesFolder()).isDir())
        return fail(QStringLiteral("no themes folder at %1").arg(state.themesFolder()));
    QStringList names = listThemeNames(state.themesFolder());
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    QTextStream out(stdout);
    for (const QString &name : names)
        out << name << '\n';
    return Done;
}

int lists(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    const QString sub = args.value(1);
    const std::optional<SiteList> which = listNamed(args.value(3));
    const bool show = sub == QLatin1String("show") && args.size() == 4;
    const bool edit = (sub == QLatin1String("add") || sub == QLatin1String("remove")) && args.size() >= 5;
    if (!which || !(show || edit))
        return fail(QStringLiteral("usage: tovalinctl lists show|add|remove THEME white|black|popup [ENTRY...]"));
    const QStringList entries = args.mid(4);

    ProgramState state;
    setUp(state, parser);
    if (!ThemeExists(state.themesFolder(), args.at(2)))
        return fail(QStringLiteral("no theme \"%1\" in %2").arg(args.at(2), state.themesFolder()));
    if (sub == QLatin1String("add")) {
        // The parents' list page puts "http://" in front of a text that is not a web address
        // and waits for a second press; a script is told and nothing is added.
        for (const QString &entry : entries) {
            if (entry.trimmed().isEmpty() || !webaddress::beginsWithScheme(entry) || hasControlCharacter(entry))
                return fail(QStringLiteral("\"%1\" is not a web address; write it with http:// or https:// in front").arg(entry));
        }
    }

    state.setActiveTheme(existingThemeSpelling(state.themesFolder(), args.at(2)));
    UserProfile profile;
    SiteLists siteLists(state, profile, VendorSettings::load(VendorSettings::defaultPath(state.ProgramFolder)));
    siteLists.LoadSiteLists();
    if (siteLists.failingClosed())
        return fail(siteLists.listProblem());
    SortedList &list = siteLists.list(*which);

    if (show) {
        QTextStream out(stdout);
        for (const QString &entry : list.items())
            out << entry << '\n';
        return Done;
    }

    // The list pages' own add and delete: sorted place, the whitelist compacted, saved at once.
    QString saveError;
    QObject::connect(&siteLists, &SiteLists::saveFailed, [&saveError](const QString &message) { saveError = message; });
    int status = Done;
    for (const QString &entry : entries) {
        if (sub == QLatin1String("add")) {
            addListEntry(siteLists, *which, entry);
            continue;
        }
        const qsizetype before = list.size();
        const auto rowOf = [&list](const QString &wanted) {
            for (qsizetype row = 0; row < list.size(); ++row) {
                if (list.at(row) == wanted)
                    return row;
            }
            return qsizetype(-1);
        };
        for (qsizetype row = rowOf(entry); row >= 0; row = rowOf(entry))
            deleteListEntry(siteLists, *which, int(row));
        if (list.size() == before) {
            QTextStream(stderr) << "tovalinctl: \"" << entry << "\" is not on the list\n";
            status = Negative;
        }
    }
    if (!saveError.isEmpty())
        return fail(saveError);
    return status;
}

int password(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    const QString sub = args.value(1);
    if (args.size() != 2 || (sub != QLatin1String("set") && sub != QLatin1String("check")))
        return fail(QStringLiteral("usage: tovalinctl password set|check  (the password is read from stdin)"));
    ProgramState state;
    setUp(state, parser);
    if (!QFileInfo(state.DataFolder).isDir())
        return fail(QStringLiteral("no data folder at %1").arg(state.DataFolder));

    // The first line of stdin is the password, exactly as typed (only the line end goes).
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read the password from stdin"));
    QByteArray line = in.readLine(64 * 1024);
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.endsWith('\r'))
        line.chop(1);
    const QString typed = QString::fromUtf8(line);

    const PasswordStore store(state.passwordFile());
    if (sub == QLatin1String("set")) {
        if (typed.isEmpty())
            return fail(QStringLiteral("no password on stdin (an empty password is not set)"));
        const WriteResult saved = store.store(typed);
        if (!saved.ok)
            return fail(QStringLiteral("cannot save %1: %2").arg(state.passwordFile(), saved.error));
        return Done;
    }
    const PasswordStore::Check checked = store.verify(typed);
    switch (checked.status) {
    case PasswordStore::Status::Match:
        return Done;
    case PasswordStore::Status::Mismatch:
        QTextStream(stderr) << "tovalinctl: the password does not match\n";
        return Negative;
    case PasswordStore::Status::Missing:
    case PasswordStore::Status::Unreadable:
    case PasswordStore::Status::Damaged:
        break;
    }
    return fail(checked.error.isEmpty() ? QStringLiteral("no usable password file at %1").arg(state.passwordFile())
                                        : checked.error);
}

} // namespace tovalin::ctl
