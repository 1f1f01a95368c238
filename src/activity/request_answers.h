#pragma once
// Answering the child's requests: an allow edits the site lists of the
// request's theme (or of every theme the user may use) with the code of
// "Allow blocked site" and the list pages, a refusal only records the
// answer, and the allows for today only are taken back from the next day on.

#include "activity/request_store.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace tovalin {

class ProgramState;
class SiteLists;

/// One theme's site lists for one change: the browser's own lists while the theme is the one on
/// show (so the change is in force at once), else the theme's files, read and written back.
class ThemeListsEditor {
public:
    using Edit = std::function<void(SiteLists &)>;

    /// Without live lists every theme is edited in its files (the admin command).
    explicit ThemeListsEditor(QString dataFolder, SiteLists *live = nullptr, const ProgramState *liveState = nullptr);

    struct Result {
        enum class Failure { None, NoTheme, Lists };
        Failure failure = Failure::None;
        QString message; ///< why not: no such theme, a list file that cannot be read, a failed save
        bool ok() const { return failure == Failure::None; }
    };
    /// Runs the edit on the theme's lists and saves them. Nothing is saved over a list file that
    /// cannot be read.
    Result edit(const QString &theme, const Edit &edit) const;
    /// Whether edit would find the theme and its lists usable; writes nothing.
    Result check(const QString &theme) const;

private:
    QString m_dataFolder;
    SiteLists *m_live;
    const ProgramState *m_liveState;
};

/// The whitelist entry an allow adds: the address itself for the page; for the whole site its
/// scheme and host with a final "/" ("https://www.zoo.example/"), which reads as that site both
/// as a part of an address and as a site. Empty when the address has no host.
QString allowEntry(const QString &address, AllowScope::Extent extent);

/// The allowed themes of a user, from the user's profile (the request's own theme first).
QStringList themesOfUser(const QString &dataFolder, const QString &user, const QString &firstTheme);

struct AllowOutcome {
    QStringList themes;   ///< the themes whose lists now allow the address
    QStringList problems; ///< per theme that could not be changed, and a request that could not be answered
    bool ok() const { return problems.isEmpty(); }
};

/// Allows an open request in the scope's themes (userThemes when it reaches all of them) and records
/// the answer. Every theme is checked first: when one cannot be changed (gone, a list that cannot
/// be read) nothing is written and the request stays open.
AllowOutcome allowRequest(RequestStore &store, const ThemeListsEditor &lists, int id, const AllowScope &scope,
                          const QStringList &userThemes, const QDateTime &now);
/// Refuses an open request: only the answer is recorded. Empty when done, else why not.
QString refuseRequest(RequestStore &store, int id, const QDateTime &now);

/// Takes back every allow for today only given before today (the entry off the whitelist, the entries
/// it dropped back on); a grant whose theme cannot be changed now stays for the next try. Returns
/// the problems met.
QStringList expireTodayOnly(RequestStore &store, const ThemeListsEditor &lists, QDate today);

} // namespace tovalin
