// tovalinctl's requests and report commands: the child's requests to a parent, listed and
// answered with the same code as the parents' pages, and the activity report of a user's days,
// as text or as JSON for a school's or a home server's collection.

#include "tools/ctl_common.h"

#include "activity/activity_files.h"
#include "activity/activity_report.h"
#include "activity/request_answers.h"
#include "activity/request_store.h"
#include "state/program_state.h"
#include "state/startup.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTextStream>
#include <variant>

namespace tovalin::ctl {

namespace {

const QString kJson = QStringLiteral("json");

void printJson(const QJsonDocument &doc)
{
    QTextStream(stdout) << doc.toJson(QJsonDocument::Indented);
}

QString timeOfDay(const QDateTime &t)
{
    return t.toString(QStringLiteral("HH:mm:ss"));
}

/// The request ID of a command line: a whole number above 0.
std::optional<int> requestId(const QString &text)
{
    bool ok = false;
    const int id = text.toInt(&ok);
    return ok && id > 0 ? std::optional<int>(id) : std::nullopt;
}

int requestsList(const QCommandLineParser &parser, RequestStore &store)
{
    const QString user = parser.value(QStringLiteral("user"));
    QList<Request> shown;
    for (const Request &r : store.requests()) {
        if (user.isEmpty() || r.user == user)
            shown.append(r);
    }
    if (parser.isSet(kJson)) {
        QJsonArray list;
        for (const Request &r : std::as_const(shown))
            list.append(r.toJson());
        printJson(QJsonDocument(list));
        return Done;
    }
    QTextStream out(stdout);
    for (const Request &r : std::as_const(shown))
        out << r.id << '\t' << requestStatusName(r.status) << '\t' << activity::isoTime(r.asked) << '\t' << r.user << '\t'
            << r.theme << '\t' << r.reason << '\t' << r.address << '\n';
    return Done;
}

/// The open request the command line names, or the exit status with its message given.
std::variant<Request, int> openRequest(RequestStore &store, const QString &idText)
{
    const std::optional<int> id = requestId(idText);
    if (!id)
        return fail(QStringLiteral("\"%1\" is not a request ID (tovalinctl requests list shows them)").arg(idText));
    const std::optional<Request> r = store.find(*id);
    if (!r)
        return fail(QStringLiteral("there is no request %1").arg(*id));
    if (r->status != RequestStatus::Open) {
        QTextStream(stderr) << "tovalinctl: request " << *id << " has been " << requestStatusName(r->status)
                            << " already\n";
        return Negative;
    }
    return *r;
}

int requestsAnswer(const QCommandLineParser &parser, const ProgramState &state, RequestStore &store, bool allow)
{
    const std::variant<Request, int> found = openRequest(store, parser.positionalArguments().at(2));
    if (const int *status = std::get_if<int>(&found))
        return *status;
    const Request request = std::get<Request>(found);
    const QDateTime now = QDateTime::currentDateTime();
    ActivityLog log(state.DataFolder);
    if (!allow) {
        const QString problem = refuseRequest(store, request.id, now);
        if (!problem.isEmpty())
            return fail(problem);
    } else {
        AllowScope scope;
        scope.extent = parser.isSet(QStringLiteral("site")) ? AllowScope::Extent::Site : AllowScope::Extent::Page;
        scope.themes = parser.isSet(QStringLiteral("all-themes")) ? AllowScope::Themes::AllThemes
                                                                   : AllowScope::Themes::ThisTheme;
        scope.span = parser.isSet(QStringLiteral("today")) ? AllowScope::Span::TodayOnly : AllowScope::Span::Always;
        const ThemeListsEditor lists(state.DataFolder);
        const AllowOutcome outcome = allowRequest(store, lists, request.id, scope,
                                                  themesOfUser(state.DataFolder, request.user, request.theme), now);
        if (!outcome.ok())
            return fail(outcome.problems.join(QStringLiteral("; ")));
    }
    store.reload();
    const Request answered = store.find(request.id).value_or(request);
    log.answered(answered);
    QTextStream out(stdout);
    out << requestStatusName(answered.status) << '\t' << answered.id;
    if (allow)
        out << '\t' << answered.entry;
    out << '\n';
    return Done;
}

// --- report --------------------------------------------------------------------------------

void printTallies(QTextStream &out, const QString &heading, const QList<AddressTally> &list, bool withReason)
{
    if (list.isEmpty())
        return;
    out << "  " << heading << ":\n";
    for (const AddressTally &t : list) {
        out << "    " << t.count << '\t' << timeOfDay(t.first) << '\t' << timeOfDay(t.last) << '\t';
        if (withReason)
            out << t.reason << '\t';
        out << t.address << '\n';
    }
}

void printDay(QTextStream &out, const DayReport &day)
{
    out << day.user << ", " << day.day.toString(Qt::ISODate) << ": " << day.minutes() << " minutes\n";
    if (!day.problem.isEmpty())
        out << "  (" << day.problem << ")\n";
    if (!day.themes.isEmpty()) {
        out << "  minutes per theme:\n";
        for (const ThemeTime &t : day.themes)
            out << "    " << (t.seconds + 30) / 60 << '\t' << t.theme << '\n';
    }
    printTallies(out, QStringLiteral("pages"), day.pages, false);
    printTallies(out, QStringLiteral("refusals"), day.refusals, true);
    if (!day.requests.isEmpty()) {
        out << "  requests:\n";
        for (const Request &r : day.requests)
            out << "    " << r.id << '\t' << timeOfDay(r.asked) << '\t' << requestStatusName(r.status) << '\t' << r.address
                << '\n';
    }
    printTallies(out, QStringLiteral("videos"), day.videos, false);
}

} // namespace

int requests(const QCommandLineParser &parser)
{
    const QStringList args = parser.positionalArguments();
    const QString sub = args.value(1);
    const bool list = sub == QLatin1String("list") && args.size() == 2;
    const bool answer = (sub == QLatin1String("allow") || sub == QLatin1String("refuse")) && args.size() == 3;
    const bool allowOptions = parser.isSet(QStringLiteral("site")) || parser.isSet(QStringLiteral("all-themes"))
                              || parser.isSet(QStringLiteral("today"));
    if (!(list || answer) || (allowOptions && sub != QLatin1String("allow")))
        return fail(QStringLiteral("usage: tovalinctl requests list [--user NAME] [--json] | requests allow ID [--site] "
                                   "[--all-themes] [--today] | requests refuse ID"));
    ProgramState state;
    state.ProgramFolder = resolveProgramFolder();
    state.DataFolder = dataFolder(parser);
    if (!QFileInfo(state.DataFolder).isDir())
        return fail(QStringLiteral("no data folder at %1").arg(state.DataFolder));
    RequestStore store(activity::requestsFile(state.DataFolder));
    if (!store.reload())
        return fail(store.problem());
    if (list)
        return requestsList(parser, store);
    return requestsAnswer(parser, state, store, sub == QLatin1String("allow"));
}

int report(const QCommandLineParser &parser)
{
    if (parser.positionalArguments().size() != 1)
        return fail(QStringLiteral("usage: tovalinctl report [--user NAME] [--day YYYY-MM-DD | --days N] [--json]"));
    ProgramState state;
    state.ProgramFolder = resolveProgramFolder();
    state.DataFolder = dataFolder(parser);
    if (!QFileInfo(state.DataFolder).isDir())
        return fail(QStringLiteral("no data folder at %1").arg(state.DataFolder));
    const std::optional<QString> named = ctl::userOrStartUser(parser, state.startUserFile());
    if (!named)
        return UsageOrDataError;
    const QString user = *named;
    UserProfile profile;
    UserStore users(state, profile);
    const bool hasReports = UserStore::isUsableName(user)
                            && QFileInfo(activity::reportsFolder(state.DataFolder) + u'/' + user).isDir();
    if (!UserStore::isUsableName(user) || (!users.UserExists(user) && !hasReports))
        return fail(QStringLiteral("no user \"%1\" in %2").arg(user, state.usersFolder()));

    const bool oneDay = parser.isSet(QStringLiteral("day"));
    const bool someDays = parser.isSet(QStringLiteral("days"));
    if (oneDay && someDays)
        return fail(QStringLiteral("give --day or --days, not both"));
    const QDate today = QDate::currentDate();
    QDate first = today;
    QDate last = today;
    if (oneDay) {
        first = last = QDate::fromString(parser.value(QStringLiteral("day")), Qt::ISODate);
        if (!first.isValid())
            return fail(QStringLiteral("\"%1\" is not a day written YYYY-MM-DD").arg(parser.value(QStringLiteral("day"))));
    } else if (someDays) {
        bool ok = false;
        const int n = parser.value(QStringLiteral("days")).toInt(&ok);
        if (!ok || n < 1 || n > 366)
            return fail(QStringLiteral("--days takes a number of days from 1 to 366, not \"%1\"")
                            .arg(parser.value(QStringLiteral("days"))));
        first = today.addDays(1 - n);
    }

    QList<DayReport> days;
    for (QDate d = first; d <= last; d = d.addDays(1))
        days.append(ActivityLog::readDay(state.DataFolder, user, d));
    if (parser.isSet(kJson)) {
        QJsonArray array;
        for (const DayReport &d : std::as_const(days))
            array.append(d.toJson());
        printJson(QJsonDocument(QJsonObject{{QStringLiteral("user"), user}, {QStringLiteral("days"), array}}));
        return Done;
    }
    QTextStream out(stdout);
    for (const DayReport &d : std::as_const(days))
        printDay(out, d);
    return Done;
}

} // namespace tovalin::ctl
