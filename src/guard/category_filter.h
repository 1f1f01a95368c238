#pragma once
// The category lists in force for the active user: the mapped index, the user's categories
// (`Categorieen` in [Beveiliging]), and whether they can be applied at all.
//
// A user whose categories have never been fetched, or whose index cannot be read, surfs as if
// the whitelist were on (forcesWhitelist) until the lists are there; problemText says so for
// the parents' side. A user without categories is not affected by any of it.
//
// The look-up (refusingCategory) runs for every request the engine makes, on the window's
// thread: it takes no lock and, for a plain ASCII host without urls entries, allocates
// nothing. The index is swapped, on that same thread, only between requests.

#include "guard/category_index.h"
#include "guard/category_update.h"

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class QUrl;

namespace tovalin {

class ProgramState;
struct UserProfile;

class CategoryFilter : public QObject {
    Q_OBJECT
public:
    enum class State {
        Off,          ///< the user chooses no categories
        InForce,      ///< every chosen category is in the index
        NeverFetched, ///< the user chooses categories, and no index exists yet
        Unreadable,   ///< an index exists but cannot be used
        Incomplete,   ///< some chosen categories are not in the index
    };

    CategoryFilter(const ProgramState &state, const UserProfile &profile, QObject *parent = nullptr);

    CategoryFiles files() const;
    /// Maps the index again when its file is not the one mapped (a new update, a new data
    /// folder), and reads how the last update ended; changed() when anything differs.
    void reload();
    /// Takes the active user's categories again (after activation or an edit); changed() when
    /// the state differs.
    void refresh();

    /// The category number that refuses the address for the active user, -1 when none.
    int refusingCategory(const QUrl &url) const;
    /// The name of the category that refuses the address, empty when none.
    QString refusingCategoryName(const QString &address) const;
    /// The same for an address already in the form normalizedAddress gives (address_match.h):
    /// its host is read from the text, and the text is parsed only when the host has urls entries.
    QString refusingCategoryOfNormal(const QString &normal) const;
    QString categoryName(int number) const;

    State state() const;
    /// True while the user's categories cannot be applied: only the whitelist and the start page pass.
    bool forcesWhitelist() const;
    /// The user's categories that the index lacks.
    QStringList missingCategories() const;
    /// Why the index cannot be used (English), empty when it can.
    const QString &indexProblem() const { return m_indexProblem; }
    /// For the parents' side, in the interface's language; empty when nothing needs saying.
    QString problemText() const;

    std::shared_ptr<const CategoryIndex> index() const { return m_index; }
    const CategoryUpdateStatus &updateStatus() const { return m_status; }

signals:
    /// The index, the user's categories or the last update's outcome changed.
    void changed();

private:
    struct Stamp {
        QString path;
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const Stamp &) const = default;
    };
    Stamp stampOf(const QString &path) const;
    void syncSelection() const;

    const ProgramState &m_state;
    const UserProfile &m_profile;
    std::shared_ptr<const CategoryIndex> m_index;
    QString m_indexProblem;
    std::optional<Stamp> m_stamp;
    CategoryUpdateStatus m_status;
    QFileSystemWatcher m_watcher;

    // The user's categories, taken from the profile when its value changes.
    mutable QString m_selectionText;
    mutable bool m_selectionValid = false;
    mutable const CategoryIndex *m_selectionIndex = nullptr;
    mutable CategorySet m_chosen;
    mutable QStringList m_chosenNames;
    mutable QStringList m_missing;
    State m_lastState = State::Off;
    QStringList m_lastMissing;
};

} // namespace tovalin
