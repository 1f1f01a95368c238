#pragma once
// The program's own updates of the category lists: in the background at most once a day,
// outside 08:00-19:00 GMT (the hours the lists' maintainers ask downloads to keep away from),
// never during start-up, only while some user chooses categories; and at once when a parent
// asks for it. The new index is in force as soon as it is written.

#include "guard/category_update.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace tovalin {

class CategoryFilter;
class ProgramState;

class CategoryUpdates : public QObject {
    Q_OBJECT
public:
    /// The first look comes this long after the start, so an update never slows the start-up.
    static constexpr int kFirstLookMs = 5 * 60 * 1000;
    /// Then every so often.
    static constexpr int kLookEveryMs = 10 * 60 * 1000;

    CategoryUpdates(const ProgramState &state, CategoryFilter &filter, QString source, QObject *parent = nullptr);

    /// Arms the background look.
    void start();
    /// A parent's "Update now": starts an update unless one runs; false when one runs.
    bool updateNow();
    void cancel() { m_updater.cancel(); }
    bool isRunning() const { return m_updater.isRunning(); }
    CategoryUpdater &updater() { return m_updater; }

    /// True outside 08:00-19:00 GMT.
    static bool isQuietHour(const QDateTime &utc);
    /// True when the background update is due at `now`: a quiet hour, no success within a day
    /// and no attempt within the hour before.
    static bool isDue(const QDateTime &now, const CategoryUpdateStatus &status);
    /// True when a user of the data folder chooses categories.
    static bool anyUserChoosesCategories(const QString &dataFolder);

    /// Looks once whether the background update is due, and starts it if it is.
    void look();

private:
    bool startUpdate();

    const ProgramState &m_state;
    CategoryFilter &m_filter;
    QString m_source;
    CategoryUpdater m_updater;
    QTimer m_timer;
};

} // namespace tovalin
