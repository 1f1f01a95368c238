#include "activity/request_answers.h"

#include "activity/activity_log.h"

#include "guard/address_match.h"
#include "guard/block_accept.h"
#include "guard/site_lists.h"
#include "state/program_state.h"
#include "themes/theme_files.h"
#include "themes/theme_names.h"
#include "users/user_profile.h"
#include "users/user_store.h"

#include <QCoreApplication>
#include <QUrl>
#include <algorithm>

Q_LOGGING_CATEGORY(tovalin::lcActivity, "tovalin.activity", QtInfoMsg)

namespace tovalin {

namespace {

ThemeListsEditor::Result saveEdit(SiteLists &lists, const ThemeListsEditor::Edit &edit)
{
    using Failure = ThemeListsEditor::Result::Failure;
    if (lists.failingClosed())
        return {Failure::Lists, lists.listProblem()};
    if (!edit)
        return {};
    edit(lists);
    const WriteResult saved = lists.SaveSiteLists();
    if (!saved.ok)
        return {Failure::Lists, saved.error};
    return {};
}

} // namespace

ThemeListsEditor::ThemeListsEditor(QString dataFolder, SiteLists *live, const ProgramState *liveState)
    : m_dataFolder(std::move(dataFolder)), m_live(live), m_liveState(liveState)
{
}

ThemeListsEditor::Result ThemeListsEditor::check(const QString &theme) const
{
    return this->edit(theme, {});
}

ThemeListsEditor::Result ThemeListsEditor::edit(const QString &theme, const Edit &edit) const
{
    ProgramState state;
    state.DataFolder = m_dataFolder;
    if (theme.isEmpty() || !ThemeExists(state.themesFolder(), theme))
        return {Result::Failure::NoTheme,
                QCoreApplication::translate("ThemeListsEditor", "There is no theme \"%1\".").arg(theme)};
    const QString name = existingThemeSpelling(state.themesFolder(), theme);
    if (m_live && m_liveState && m_liveState->activeTheme() == name) {
        // The lists as the parent may have changed them on disk since they were read.
        m_live->LoadSiteLists();
        return saveEdit(*m_live, edit);
    }
    state.setActiveTheme(name);
    UserProfile profile;
    SiteLists lists(state, profile, VendorSettings{});
    lists.LoadSiteLists();
    return saveEdit(lists, edit);
}

QString allowEntry(const QString &address, AllowScope::Extent extent)
{
    if (extent == AllowScope::Extent::Page)
        return address;
    const QString normal = normalizedAddress(address);
    const QString host = hostOf(normal);
    if (host.isEmpty())
        return {};
    const QString scheme = schemeOf(normal);
    const QUrl url(normal);
    const int port = url.port();
    return scheme + QStringLiteral("://") + host + (port > 0 ? u':' + QString::number(port) : QString()) + u'/';
}

QStringList themesOfUser(const QString &dataFolder, const QString &user, const QString &firstTheme)
{
    ProgramState state;
    state.DataFolder = dataFolder;
    UserProfile profile;
    UserStore users(state, profile);
    QStringList themes;
    if (!firstTheme.isEmpty())
        themes.append(firstTheme);
    if (users.LoadUserProfile(user) == ProfileLoad::Loaded) {
        const QStringList allowed = users.AllowedThemes();
        for (const QString &theme : allowed) {
            if (!themes.contains(theme, Qt::CaseInsensitive))
                themes.append(theme);
        }
    }
    return themes;
}

AllowOutcome allowRequest(RequestStore &store, const ThemeListsEditor &lists, int id, const AllowScope &scope,
                          const QStringList &userThemes, const QDateTime &now)
{
    AllowOutcome outcome;
    store.reload();
    const std::optional<Request> request = store.find(id);
    if (!store.problem().isEmpty()) {
        outcome.problems.append(store.problem());
        return outcome;
    }
    if (!request) {
        outcome.problems.append(QCoreApplication::translate("RequestStore", "There is no request %1.").arg(id));
        return outcome;
    }
    if (request->status != RequestStatus::Open) {
        outcome.problems.append(QCoreApplication::translate("RequestStore", "Request %1 has been answered already.").arg(id));
        return outcome;
    }
    const QString entry = allowEntry(request->address, scope.extent);
    if (entry.isEmpty()) {
        outcome.problems.append(
            QCoreApplication::translate("ThemeListsEditor", "%1 has no site to allow.").arg(request->address));
        return outcome;
    }
    QStringList themes{request->theme};
    if (scope.themes == AllowScope::Themes::AllThemes) {
        for (const QString &theme : userThemes) {
            if (!themes.contains(theme, Qt::CaseInsensitive))
                themes.append(theme);
        }
    }
    for (const QString &theme : std::as_const(themes)) {
        const ThemeListsEditor::Result usable = lists.check(theme);
        if (!usable.ok())
            outcome.problems.append(usable.message);
    }
    if (!outcome.problems.isEmpty())
        return outcome;
    QList<TodayOnlyGrant> grants;
    for (const QString &theme : std::as_const(themes)) {
        AllowChange change;
        const ThemeListsEditor::Result edited
            = lists.edit(theme, [&](SiteLists &l) { change = allowInLists(l, entry, request->address); });
        if (!edited.ok()) {
            outcome.problems.append(edited.message);
            continue;
        }
        outcome.themes.append(theme);
        if (scope.span == AllowScope::Span::TodayOnly)
            grants.append({now.date(), theme, entry, change});
    }
    qCDebug(lcActivity) << "request" << id << "allowed as" << entry << "in" << outcome.themes;
    if (outcome.themes.isEmpty())
        return outcome;
    const WriteResult answered = store.answer(id, RequestStatus::Allowed, now, scope, entry, outcome.themes, grants);
    if (!answered.ok)
        outcome.problems.append(answered.error);
    return outcome;
}

QString refuseRequest(RequestStore &store, int id, const QDateTime &now)
{
    const WriteResult answered = store.answer(id, RequestStatus::Refused, now);
    return answered.ok ? QString() : answered.error;
}

QStringList expireTodayOnly(RequestStore &store, const ThemeListsEditor &lists, QDate today)
{
    QStringList problems;
    if (!store.reload()) {
        problems.append(store.problem());
        return problems;
    }
    QList<TodayOnlyGrant> taken;
    const QList<TodayOnlyGrant> grants = store.grants();
    for (const TodayOnlyGrant &grant : grants) {
        if (grant.day >= today)
            continue;
        const ThemeListsEditor::Result edited
            = lists.edit(grant.theme, [&](SiteLists &l) { undoAllowInLists(l, grant.entry, grant.change); });
        // A theme deleted since has nothing left to take back.
        if (edited.ok() || edited.failure == ThemeListsEditor::Result::Failure::NoTheme)
            taken.append(grant);
        else
            problems.append(edited.message);
    }
    const auto same = [](const TodayOnlyGrant &a, const TodayOnlyGrant &b) {
        return a.day == b.day && a.theme == b.theme && a.entry == b.entry;
    };
    const WriteResult kept = store.keepGrants([&](const TodayOnlyGrant &g) {
        return std::none_of(taken.cbegin(), taken.cend(), [&](const TodayOnlyGrant &t) { return same(t, g); });
    });
    if (!kept.ok)
        problems.append(kept.error);
    return problems;
}

} // namespace tovalin
