#include "activity/request_store.h"

#include "activity/activity_files.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace tovalin {

namespace {

QString extentName(AllowScope::Extent e) { return e == AllowScope::Extent::Site ? QStringLiteral("site") : QStringLiteral("page"); }

QJsonArray toArray(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QStringList fromArray(const QJsonValue &value)
{
    QStringList out;
    const QJsonArray array = value.toArray();
    for (const QJsonValue &v : array)
        out.append(v.toString());
    return out;
}

QJsonObject grantToJson(const TodayOnlyGrant &g)
{
    return {{QStringLiteral("day"), g.day.toString(Qt::ISODate)},
            {QStringLiteral("theme"), g.theme},
            {QStringLiteral("entry"), g.entry},
            {QStringLiteral("added"), g.change.whitelistAdded},
            {QStringLiteral("compacted"), toArray(g.change.whitelistCompacted)},
            {QStringLiteral("unblocked"), toArray(g.change.blacklistRemoved)}};
}

std::optional<TodayOnlyGrant> grantFromJson(const QJsonObject &o)
{
    TodayOnlyGrant g;
    g.day = QDate::fromString(o.value(QStringLiteral("day")).toString(), Qt::ISODate);
    g.theme = o.value(QStringLiteral("theme")).toString();
    g.entry = o.value(QStringLiteral("entry")).toString();
    g.change.whitelistAdded = o.value(QStringLiteral("added")).toBool();
    g.change.whitelistCompacted = fromArray(o.value(QStringLiteral("compacted")));
    g.change.blacklistRemoved = fromArray(o.value(QStringLiteral("unblocked")));
    if (!g.day.isValid() || g.theme.isEmpty())
        return std::nullopt;
    return g;
}

QString unreadableText(const QString &path, const QString &why)
{
    return QCoreApplication::translate("RequestStore", "The requests file %1 cannot be used (%2); no request is "
                                                       "recorded or answered until it can.")
        .arg(path, why);
}

} // namespace

QString requestStatusName(RequestStatus status)
{
    switch (status) {
    case RequestStatus::Open: return QStringLiteral("open");
    case RequestStatus::Allowed: return QStringLiteral("allowed");
    case RequestStatus::Refused: return QStringLiteral("refused");
    }
    return {};
}

QJsonObject Request::toJson() const
{
    QJsonObject o{{QStringLiteral("id"), id},
                  {QStringLiteral("user"), user},
                  {QStringLiteral("theme"), theme},
                  {QStringLiteral("address"), address},
                  {QStringLiteral("reason"), reason},
                  {QStringLiteral("asked"), activity::isoTime(asked)},
                  {QStringLiteral("status"), requestStatusName(status)}};
    if (status != RequestStatus::Open)
        o.insert(QStringLiteral("answered"), activity::isoTime(answered));
    if (status == RequestStatus::Allowed) {
        o.insert(QStringLiteral("extent"), extentName(scope.extent));
        o.insert(QStringLiteral("allThemes"), scope.themes == AllowScope::Themes::AllThemes);
        o.insert(QStringLiteral("todayOnly"), scope.span == AllowScope::Span::TodayOnly);
        o.insert(QStringLiteral("entry"), entry);
    }
    return o;
}

std::optional<Request> Request::fromJson(const QJsonObject &o)
{
    Request r;
    r.id = o.value(QStringLiteral("id")).toInt();
    r.user = o.value(QStringLiteral("user")).toString();
    r.theme = o.value(QStringLiteral("theme")).toString();
    r.address = o.value(QStringLiteral("address")).toString();
    r.reason = o.value(QStringLiteral("reason")).toString();
    r.asked = activity::parseIsoTime(o.value(QStringLiteral("asked")).toString());
    const QString status = o.value(QStringLiteral("status")).toString();
    if (status == u"allowed")
        r.status = RequestStatus::Allowed;
    else if (status == u"refused")
        r.status = RequestStatus::Refused;
    else if (status != u"open")
        return std::nullopt;
    if (r.status != RequestStatus::Open)
        r.answered = activity::parseIsoTime(o.value(QStringLiteral("answered")).toString());
    if (r.status == RequestStatus::Allowed) {
        r.scope.extent = o.value(QStringLiteral("extent")).toString() == u"site" ? AllowScope::Extent::Site
                                                                                 : AllowScope::Extent::Page;
        r.scope.themes = o.value(QStringLiteral("allThemes")).toBool() ? AllowScope::Themes::AllThemes
                                                                       : AllowScope::Themes::ThisTheme;
        r.scope.span = o.value(QStringLiteral("todayOnly")).toBool() ? AllowScope::Span::TodayOnly
                                                                     : AllowScope::Span::Always;
        r.entry = o.value(QStringLiteral("entry")).toString();
    }
    if (r.id <= 0 || r.user.isEmpty() || r.address.isEmpty() || !r.asked.isValid())
        return std::nullopt;
    return r;
}

RequestStore::RequestStore(QString path) : m_path(std::move(path)) {}

bool RequestStore::reload()
{
    m_requests.clear();
    m_grants.clear();
    m_next = 1;
    m_problem.clear();
    const ReadResult read = readFileBytes(m_path);
    if (read.error == ReadError::Missing)
        return true;
    if (!read.ok()) {
        m_problem = unreadableText(m_path, read.error == ReadError::TooLarge
                                               ? QCoreApplication::translate("RequestStore", "too large")
                                               : QCoreApplication::translate("RequestStore", "it cannot be read"));
        return false;
    }
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(read.bytes, &error);
    if (!doc.isObject()) {
        m_problem = unreadableText(m_path, error.error != QJsonParseError::NoError
                                               ? error.errorString()
                                               : QCoreApplication::translate("RequestStore", "not a requests file"));
        return false;
    }
    const QJsonObject root = doc.object();
    // A request or a grant that does not read is left out; the others stand.
    const QJsonArray requests = root.value(QStringLiteral("requests")).toArray();
    for (const QJsonValue &v : requests) {
        if (std::optional<Request> r = Request::fromJson(v.toObject())) {
            m_next = std::max(m_next, r->id + 1);
            m_requests.append(*r);
        }
    }
    const QJsonArray grants = root.value(QStringLiteral("todayOnly")).toArray();
    for (const QJsonValue &v : grants) {
        if (std::optional<TodayOnlyGrant> g = grantFromJson(v.toObject()))
            m_grants.append(*g);
    }
    m_next = std::max(m_next, root.value(QStringLiteral("next")).toInt());
    std::stable_sort(m_requests.begin(), m_requests.end(), [](const Request &a, const Request &b) { return a.id < b.id; });
    return true;
}

QList<Request> RequestStore::openRequests(const QString &user) const
{
    QList<Request> out;
    for (auto it = m_requests.crbegin(); it != m_requests.crend(); ++it) {
        if (it->status == RequestStatus::Open && (user.isEmpty() || it->user == user))
            out.append(*it);
    }
    return out;
}

QList<Request> RequestStore::answeredRequests(const QString &user) const
{
    QList<Request> out;
    for (const Request &r : m_requests) {
        if (r.status != RequestStatus::Open && (user.isEmpty() || r.user == user))
            out.append(r);
    }
    std::stable_sort(out.begin(), out.end(), [](const Request &a, const Request &b) { return a.answered > b.answered; });
    return out;
}

int RequestStore::openCount(const QString &user) const
{
    return int(openRequests(user).size());
}

std::optional<Request> RequestStore::find(int id) const
{
    for (const Request &r : m_requests) {
        if (r.id == id)
            return r;
    }
    return std::nullopt;
}

bool RequestStore::isTodayOnly(const QString &theme, const QString &entry) const
{
    return std::any_of(m_grants.cbegin(), m_grants.cend(), [&](const TodayOnlyGrant &g) {
        return g.change.whitelistAdded && g.theme == theme && g.entry == entry;
    });
}

RequestStore::Added RequestStore::add(const Request &request)
{
    Added added;
    if (!reload()) {
        added.written = {false, m_problem};
        return added;
    }
    for (const Request &r : std::as_const(m_requests)) {
        if (r.status == RequestStatus::Open && r.user == request.user && r.address == request.address) {
            added.id = r.id;
            return added;
        }
    }
    Request r = request;
    r.id = m_next++;
    r.status = RequestStatus::Open;
    m_requests.append(r);
    // The oldest open requests of this child fall off beyond the cap.
    int open = openCount(r.user);
    for (qsizetype i = 0; i < m_requests.size() && open > kMaxOpenPerUser;) {
        const Request &old = m_requests.at(i);
        if (old.status == RequestStatus::Open && old.user == r.user) {
            m_requests.removeAt(i);
            --open;
        } else {
            ++i;
        }
    }
    // Answered requests older than the days kept go.
    const QDateTime oldest = r.asked.addDays(-kAnsweredDays);
    m_requests.removeIf([&](const Request &x) { return x.status != RequestStatus::Open && x.answered < oldest; });
    added.id = r.id;
    added.isNew = true;
    added.written = save();
    return added;
}

WriteResult RequestStore::answer(int id, RequestStatus status, const QDateTime &when, const AllowScope &scope,
                                 const QString &entry, const QStringList &themes, const QList<TodayOnlyGrant> &todayOnly)
{
    if (!reload())
        return {false, m_problem};
    auto it = std::find_if(m_requests.begin(), m_requests.end(), [id](const Request &r) { return r.id == id; });
    if (it == m_requests.end())
        return {false, QCoreApplication::translate("RequestStore", "There is no request %1.").arg(id)};
    if (it->status != RequestStatus::Open)
        return {false, QCoreApplication::translate("RequestStore", "Request %1 has been answered already.").arg(id)};
    it->status = status;
    it->answered = when;
    if (status == RequestStatus::Allowed) {
        it->scope = scope;
        it->entry = entry;
        if (scope.span == AllowScope::Span::Always) {
            // Allowed for always: the same entry no longer goes at the day's end.
            m_grants.removeIf([&](const TodayOnlyGrant &g) { return g.entry == entry && themes.contains(g.theme); });
        }
        m_grants.append(todayOnly);
    }
    return save();
}

WriteResult RequestStore::keepGrants(const std::function<bool(const TodayOnlyGrant &)> &keep)
{
    if (!reload())
        return {false, m_problem};
    const qsizetype before = m_grants.size();
    m_grants.removeIf([&](const TodayOnlyGrant &g) { return !keep(g); });
    if (m_grants.size() == before)
        return {};
    return save();
}

WriteResult RequestStore::save()
{
    QJsonArray requests;
    for (const Request &r : std::as_const(m_requests))
        requests.append(r.toJson());
    QJsonArray grants;
    for (const TodayOnlyGrant &g : std::as_const(m_grants))
        grants.append(grantToJson(g));
    const QJsonObject root{{QStringLiteral("next"), m_next},
                           {QStringLiteral("requests"), requests},
                           {QStringLiteral("todayOnly"), grants}};
    QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    // The program's text files end their lines with CR LF; JSON takes CR as blank space.
    bytes.replace("\n", "\r\n");
    if (!activity::makePrivateFolder(QFileInfo(m_path).absolutePath()))
        return {false, QCoreApplication::translate("RequestStore", "The folder of %1 cannot be made.").arg(m_path)};
    return activity::writePrivateFile(m_path, bytes);
}

} // namespace tovalin
