#pragma once
// Fetching category lists and building the index from them.
//
// An update fetches through the program's transfer client (a local file or folder may stand
// for a server), checks each archive against the ".md5" beside it where the source has one,
// reads only the `domains` and `urls` lists of known categories out of the archives (nothing
// from an archive is ever written to disk under its own name), keeps the categories it did
// not fetch from the index in force, writes the new index beside the old one and renames it
// over it. Whatever fails, the old index stays in force and the result says why. One update
// runs at a time per data folder (a lock file); a second one ends as Busy.
//
// Sources (vendor.ini [Categories] Source=, or tovalinctl's --source):
// - an address ending in "/": a folder of per-category archives, NAME.tar.gz with
//   NAME.tar.gz.md5 beside it, and global_usage with the categories' names;
// - any other address: one archive of category folders (NAME/domains, NAME/urls, at any depth);
// - with a category named: a plain list for that one category (a host a line, or the
//   hosts-file form), or an archive whose folder of that name is taken.

#include "core/text_file.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace tovalin {

/// Where a data folder keeps its category lists.
struct CategoryFiles {
    explicit CategoryFiles(const QString &dataFolder);
    QString folder;  ///< <data>/categorieen
    QString index;   ///< the index the program maps: lijsten.idx
    QString names;   ///< global_usage as last fetched: the categories' names per language
    QString status;  ///< bijwerken.ini: when the last update ran, and how it ended
    QString lock;    ///< held while an update runs
    QString staging; ///< .ophalen: fetched archives while an update runs
};

/// How the last update ended, as bijwerken.ini keeps it.
enum class CategoryUpdateFailure;

struct CategoryUpdateStatus {
    QDateTime lastAttempt; ///< UTC; invalid: never
    QDateTime lastSuccess; ///< UTC; invalid: never
    QString failure;       ///< why the last attempt failed (English); empty when it succeeded
    int failureKind = 0;   ///< the CategoryUpdateFailure of the last attempt
    QString failureSubject; ///< the file or category it concerned
    /// Why the last attempt failed, in the interface's language; empty when it succeeded.
    QString failureText() const;
    static CategoryUpdateStatus read(const CategoryFiles &files);
    WriteResult write(const CategoryFiles &files) const;
};

/// The categories every age template chooses, and what 12- to 15-year-olds get besides.
const QStringList &defaultCategories();

/// The categories an update fetches from a folder source: those any user of the data folder
/// chooses, those of the age templates, and those the index already holds.
QStringList wantedCategories(const QString &dataFolder);

struct CategoryUpdateRequest {
    QString dataFolder;
    QString source;          ///< an address or a local path (see above)
    QString category;        ///< only this category (with a plain list source: its name)
    QStringList wanted;      ///< a folder source: the categories to fetch (empty: wantedCategories)
    /// What goes to bijwerken.ini: every outcome (the program's own updates, whose failures the
    /// parents are shown), or successes only (the admin command, which tells its failures itself).
    enum class Record { Always, SuccessOnly } record = Record::Always;
};

enum class CategoryUpdateFailure : int {
    None,
    Cancelled,
    Busy,       ///< another update of this data folder runs
    BadSource,  ///< no source, or one that cannot be used
    Transfer,   ///< a fetch failed (the server, the network)
    Checksum,   ///< an archive does not match its .md5
    Archive,    ///< an archive cannot be read, or breaks a rule (size, entries)
    Empty,      ///< the source holds none of the categories asked for
    Write,      ///< the index cannot be written
};

struct CategoryUpdateProgress {
    enum class Phase { Fetching, Reading, Building } phase = Phase::Fetching;
    QString what;      ///< the category or file in hand
    int percent = -1;  ///< of this phase; -1 unknown
};

struct CategoryUpdateResult {
    CategoryUpdateFailure failure = CategoryUpdateFailure::None;
    QString message;        ///< English: what went wrong (or, with success, what was skipped)
    QString subject;        ///< the file or category the failure concerns
    QStringList updated;    ///< the categories whose lists are new
    QStringList missing;    ///< asked for, but not at the source
    qint64 entries = 0;     ///< entries of the new index
    bool ok() const { return failure == CategoryUpdateFailure::None; }
};

/// What a failed update tells a parent, in the interface's language.
QString categoryUpdateFailureText(CategoryUpdateFailure failure, const QString &subject);

using CategoryProgressReport = std::function<void(const CategoryUpdateProgress &)>;

/// Runs an update on the calling thread. `cancel` (may be null) ends it as Cancelled.
CategoryUpdateResult runCategoryUpdate(const CategoryUpdateRequest &request, const std::atomic_bool *cancel = nullptr,
                                       const CategoryProgressReport &progress = {});

/// Runs an update on a worker thread; its signals arrive on the thread that owns the object.
class CategoryUpdater : public QObject {
    Q_OBJECT
public:
    explicit CategoryUpdater(QObject *parent = nullptr);
    /// Cancels a running update and waits for it.
    ~CategoryUpdater() override;

    /// Starts an update unless one runs; false when one runs already.
    bool start(CategoryUpdateRequest request);
    void cancel();
    bool isRunning() const { return m_running; }

signals:
    void progressed(const tovalin::CategoryUpdateProgress &progress);
    void finished(const tovalin::CategoryUpdateResult &result);

private:
    std::thread m_thread;
    std::atomic_bool m_cancel{false};
    bool m_running = false;
};

} // namespace tovalin

Q_DECLARE_METATYPE(tovalin::CategoryUpdateProgress)
Q_DECLARE_METATYPE(tovalin::CategoryUpdateResult)
