#pragma once
// The child's requests to a parent ("Ask"), and the allows given for today
// only, in one file of the data folder (verzoeken.json). The browser, the
// parents' pages and `tovalinctl requests` all go through this store; each
// change reads the file again first and writes it whole, so none of them
// overwrites what another one did a moment before.
//
// A child can fill the queue with at most kMaxOpenPerUser open requests: the
// oldest fall off. Answered requests are kept kAnsweredDays days. A file that
// cannot be read or understood is never overwritten: every change is refused
// with the reason until it reads again.

#include "core/text_file.h"
#include "guard/block_accept.h"

#include <QDate>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace tovalin {

enum class RequestStatus { Open, Allowed, Refused };

/// "open", "allowed", "refused".
QString requestStatusName(RequestStatus status);

/// What an allow reaches: the page or its whole site, this theme or all of the user's, always
/// or today only.
struct AllowScope {
    enum class Extent { Page, Site };
    enum class Themes { ThisTheme, AllThemes };
    enum class Span { Always, TodayOnly };
    Extent extent = Extent::Page;
    Themes themes = Themes::ThisTheme;
    Span span = Span::Always;
    bool operator==(const AllowScope &) const = default;
};

struct Request {
    int id = 0;
    QString user;
    QString theme;
    QString address; ///< as the browser was asked to load it
    QString reason;  ///< why the guard refused it: "whitelist", "blacklist", "category"
    QDateTime asked;
    RequestStatus status = RequestStatus::Open;
    QDateTime answered; ///< when allowed or refused
    AllowScope scope;   ///< of an allow
    QString entry;      ///< the whitelist entry an allow added

    /// The request as the file and `tovalinctl requests list --json` hold it.
    QJsonObject toJson() const;
    static std::optional<Request> fromJson(const QJsonObject &object);
};

/// An allow for today only in one theme: what it changed, taken back from the next day on.
struct TodayOnlyGrant {
    QDate day;
    QString theme;
    QString entry;
    AllowChange change;
};

class RequestStore {
public:
    static constexpr int kMaxOpenPerUser = 50;
    static constexpr int kAnsweredDays = 7;

    explicit RequestStore(QString path);

    const QString &path() const { return m_path; }

    /// Reads the file again; a missing file is an empty store. False (and problem() says why)
    /// when it cannot be read or understood.
    bool reload();
    /// Why the file cannot be used, empty while it can.
    const QString &problem() const { return m_problem; }

    /// Every request kept, oldest first.
    const QList<Request> &requests() const { return m_requests; }
    /// The open requests, newest first; of one user, or of all with an empty name.
    QList<Request> openRequests(const QString &user = {}) const;
    /// The answered requests kept, the latest answer first.
    QList<Request> answeredRequests(const QString &user = {}) const;
    int openCount(const QString &user = {}) const;
    std::optional<Request> find(int id) const;
    const QList<TodayOnlyGrant> &grants() const { return m_grants; }
    /// True when an allow for today only put this entry on the theme's whitelist.
    bool isTodayOnly(const QString &theme, const QString &entry) const;

    struct Added {
        int id = 0;         ///< the request (the one already open for the address, or the new one)
        bool isNew = false; ///< false: the same address was asked for already and is still open
        WriteResult written;
    };
    /// Records a request; the same user asking for the same address while it is open makes no second one.
    Added add(const Request &request);
    /// Answers an open request. An allow for always in these themes ends the allows for today only
    /// of the same entry there (the entry stays); one for today only records its grants.
    WriteResult answer(int id, RequestStatus status, const QDateTime &when, const AllowScope &scope = {},
                       const QString &entry = {}, const QStringList &themes = {},
                       const QList<TodayOnlyGrant> &todayOnly = {});
    /// Keeps only the grants for which keep is true (the others were taken back).
    WriteResult keepGrants(const std::function<bool(const TodayOnlyGrant &)> &keep);

private:
    WriteResult save();

    QString m_path;
    QString m_problem;
    int m_next = 1;
    QList<Request> m_requests;
    QList<TodayOnlyGrant> m_grants;
};

} // namespace tovalin
