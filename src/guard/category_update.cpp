#include "guard/category_update.h"

#include "core/ini.h"
#include "guard/category_archive.h"
#include "guard/category_index.h"
#include "guard/category_text.h"
#include "guard/guard_log.h"
#include "platform/transfer.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QMetaObject>
#include <QPointer>
#include <QSet>
#include <QUrl>

#include <chrono>

namespace tovalin {

namespace {

const QString kStatusSection = QStringLiteral("Bijwerken");

/// An archive or list of a source, at most this large when fetched.
constexpr qint64 kMaxArchiveBytes = qint64(1) << 30;
/// global_usage and .md5 files are small.
constexpr qint64 kMaxSmallFileBytes = 1 << 20;
/// An index of more entries than this would take more memory than a family computer spares.
constexpr qint64 kMaxIndexEntries = 20'000'000;

bool isLocal(const QString &source)
{
    return !source.contains(QStringLiteral("://")) || source.startsWith(u"file://", Qt::CaseInsensitive);
}

QString localPath(const QString &source)
{
    return source.startsWith(u"file://", Qt::CaseInsensitive) ? QUrl(source).toLocalFile() : source;
}

bool isFolderSource(const QString &source)
{
    if (isLocal(source))
        return QFileInfo(localPath(source)).isDir() || source.endsWith(u'/');
    return source.endsWith(u'/');
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

enum class Fetched { Ok, NotThere, Failed };

struct Update {
    const CategoryUpdateRequest &request;
    const std::atomic_bool *cancel;
    const CategoryProgressReport &report;
    CategoryFiles files;
    CategoryUpdateResult result;
    CategoryIndexBuilder builder;
    QSet<QString> fresh;        // categories read in this update
    QStringList freshOrder;
    QHash<QString, CategoryTitles> titles;
    QByteArray titlesText;
    int staged = 0;

    bool cancelled() const { return cancel && cancel->load(); }

    QString subject; // the file or category in hand, for the parents' message

    bool fail(CategoryUpdateFailure why, const QString &message)
    {
        result.failure = why;
        result.message = message;
        result.subject = subject;
        return false;
    }

    void tell(CategoryUpdateProgress::Phase phase, const QString &what, int percent)
    {
        if (report)
            report({phase, what, percent});
    }

    // Fetches an address into a file of the staging folder (a local path is used where it lies).
    Fetched fetchFile(const QString &address, const QString &what, QString &path)
    {
        if (isLocal(address)) {
            path = localPath(address);
            if (!QFileInfo(path).isFile())
                return Fetched::NotThere;
            return Fetched::Ok;
        }
        path = QDir(files.staging).filePath(QString::number(++staged));
        TransferRequest t;
        t.address = address;
        t.targetFile = path;
        t.maxBytes = kMaxArchiveBytes;
        tell(CategoryUpdateProgress::Phase::Fetching, what, 0);
        const TransferResult r = runTransfer(t, cancel, [this, what](qint64 received, qint64 total) {
            tell(CategoryUpdateProgress::Phase::Fetching, what, total > 0 ? int(received * 100 / total) : -1);
        });
        return judge(r, address);
    }

    Fetched fetchSmall(const QString &address, QByteArray &body)
    {
        if (isLocal(address)) {
            const ReadResult read = readFileBytes(localPath(address), kMaxSmallFileBytes);
            if (read.error == ReadError::Missing)
                return Fetched::NotThere;
            if (!read.ok()) {
                fail(CategoryUpdateFailure::Transfer, QStringLiteral("%1 cannot be read").arg(address));
                return Fetched::Failed;
            }
            body = read.bytes;
            return Fetched::Ok;
        }
        TransferRequest t;
        t.address = address;
        t.maxBytes = kMaxSmallFileBytes;
        const TransferResult r = runTransfer(t, cancel);
        const Fetched how = judge(r, address);
        if (how == Fetched::Ok)
            body = r.body;
        return how;
    }

    Fetched judge(const TransferResult &r, const QString &address)
    {
        if (r.ok())
            return Fetched::Ok;
        if (r.failure == TransferFailure::Cancelled || cancelled()) {
            fail(CategoryUpdateFailure::Cancelled, QStringLiteral("cancelled"));
            return Fetched::Failed;
        }
        // The source does not have it: for a category's archive or an .md5, that is an answer.
        if (r.failure == TransferFailure::ServerError && (r.status == 404 || r.status == 410 || r.status == 550))
            return Fetched::NotThere;
        fail(CategoryUpdateFailure::Transfer,
             QStringLiteral("%1 could not be fetched (%2%3)")
                 .arg(address, transferFailureName(r.failure),
                      r.status > 0 ? QStringLiteral(", status %1").arg(r.status) : QString()));
        return Fetched::Failed;
    }

    // The .md5 beside an archive, where the source has one, must name the archive's digest.
    bool checkDigest(const QString &address, const QString &path)
    {
        QByteArray md5;
        switch (fetchSmall(address + QStringLiteral(".md5"), md5)) {
        case Fetched::NotThere:
            return true;
        case Fetched::Failed:
            return false;
        case Fetched::Ok:
            break;
        }
        const QByteArray wanted = md5.trimmed().split(' ').value(0).split('\t').value(0).toLower();
        if (wanted.size() != 32)
            return fail(CategoryUpdateFailure::Checksum, QStringLiteral("%1.md5 holds no MD5 digest").arg(address));
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Md5);
        if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
            return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1 cannot be read").arg(address));
        if (hash.result().toHex() != wanted)
            return fail(CategoryUpdateFailure::Checksum,
                        QStringLiteral("%1 does not match its .md5: it arrived damaged or was changed").arg(address));
        return true;
    }

    bool tooMany()
    {
        if (builder.entryCount() <= kMaxIndexEntries)
            return false;
        return !fail(CategoryUpdateFailure::Archive,
                     QStringLiteral("the lists hold more than %1 entries").arg(kMaxIndexEntries));
    }

    // Starts (or continues) a category of this update; its entries replace any it had.
    bool take(const QString &name)
    {
        if (!fresh.contains(name)) {
            fresh.insert(name);
            freshOrder.append(name);
            builder.dropCategory(name);
        }
        if (!builder.beginCategory(name, QDateTime::currentDateTimeUtc()))
            return fail(CategoryUpdateFailure::Archive, QStringLiteral("more than %1 categories").arg(kMaxCategories));
        return true;
    }

    // Reads list lines into the category begun last: hosts, or (with a "/") urls entries.
    bool readLines(LineReader &lines, bool urls, const std::function<double()> &where, const QString &what)
    {
        QByteArrayView line;
        UrlEntryForm url;
        qint64 count = 0;
        while (lines.next(line)) {
            if ((++count & 0xFFFF) == 0) {
                if (cancelled())
                    return fail(CategoryUpdateFailure::Cancelled, QStringLiteral("cancelled"));
                if (tooMany())
                    return false;
                tell(CategoryUpdateProgress::Phase::Reading, what, int(where() * 100));
            }
            if (urls || line.contains('/')) {
                if (parseUrlLine(line, url))
                    builder.addUrl(url.hostKey.view(), url.path);
            } else {
                forEachListHost(line, [this](std::string_view host) { builder.addHost(host); });
            }
        }
        return !tooMany();
    }

    // Reads an archive of category folders. only: the one category to take (others are passed
    // over); empty: every category the archive holds. plainList: a file that is no archive is
    // the list of `only` (a source named for one category); otherwise it is refused, so an
    // error page in an archive's place never becomes an empty list.
    bool readArchive(const QString &path, const QString &address, const QString &only, bool plainList)
    {
        TarGzReader reader(path);
        if (!reader.open())
            return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1: %2").arg(address, reader.error()));
        if (!reader.looksLikeTar()) {
            if (only.isEmpty() || !plainList)
                return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1 is no archive of category lists").arg(address));
            // A plain list (gzip-packed or not) for the one category named.
            if (!take(only))
                return false;
            LineReader lines([&reader](char *data, qint64 max) { return reader.readPlain(data, max); });
            if (!readLines(lines, false, [&reader] { return reader.progress(); }, only))
                return false;
            if (lines.failed())
                return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1: %2").arg(address, reader.error()));
            return true;
        }
        TarGzReader::Entry entry;
        for (;;) {
            if (cancelled())
                return fail(CategoryUpdateFailure::Cancelled, QStringLiteral("cancelled"));
            const TarGzReader::Step step = reader.next(entry);
            if (step == TarGzReader::Step::End)
                return true;
            if (step == TarGzReader::Step::Error)
                return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1: %2").arg(address, reader.error()));
            if (!entry.regular)
                continue; // links and folders are never followed
            QStringList parts = entry.path.split(u'/', Qt::SkipEmptyParts);
            parts.removeAll(QStringLiteral("."));
            if (parts.isEmpty() || parts.contains(QStringLiteral("..")) || entry.path.startsWith(u'/'))
                continue;
            const QString file = parts.constLast();
            if (file == u"global_usage") {
                if (entry.size > kMaxSmallFileBytes)
                    continue;
                QByteArray text(qsizetype(entry.size), '\0');
                if (reader.read(text.data(), entry.size) != entry.size)
                    return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1: %2").arg(address, reader.error()));
                titlesText = text;
                const auto more = parseGlobalUsage(text);
                for (auto it = more.cbegin(); it != more.cend(); ++it)
                    titles.insert(it.key(), it.value());
                continue;
            }
            if (parts.size() < 2 || (file != u"domains" && file != u"urls"))
                continue;
            const QString category = parts.at(parts.size() - 2);
            if (!isCategoryName(category) || (!only.isEmpty() && category != only))
                continue;
            if (!take(category))
                return false;
            LineReader lines([&reader](char *data, qint64 max) { return reader.read(data, max); });
            if (!readLines(lines, file == u"urls", [&reader] { return reader.progress(); }, category))
                return false;
            if (lines.failed())
                return fail(CategoryUpdateFailure::Archive, QStringLiteral("%1: %2").arg(address, reader.error()));
        }
    }

    // Fetches, checks and reads one archive or list. False on a failure; NotThere is no failure.
    bool fetchAndRead(const QString &address, const QString &only, bool plainList, const QString &what, bool &notThere)
    {
        notThere = false;
        subject = address;
        QString path;
        switch (fetchFile(address, what, path)) {
        case Fetched::NotThere:
            notThere = true;
            return true;
        case Fetched::Failed:
            return false;
        case Fetched::Ok:
            break;
        }
        if (cancelled())
            return fail(CategoryUpdateFailure::Cancelled, QStringLiteral("cancelled"));
        if (!checkDigest(address, path))
            return false;
        tell(CategoryUpdateProgress::Phase::Reading, what, 0);
        return readArchive(path, address, only, plainList);
    }

    bool run()
    {
        const QString &source = request.source;
        if (source.trimmed().isEmpty())
            return fail(CategoryUpdateFailure::BadSource, QStringLiteral("no source of category lists is set"));
        if (!request.category.isEmpty() && !isCategoryName(request.category))
            return fail(CategoryUpdateFailure::BadSource,
                        QStringLiteral("\"%1\" cannot be a category name").arg(request.category));

        QStringList asked;
        if (isFolderSource(source)) {
            const QString folder = withSlash(source);
            asked = !request.category.isEmpty() ? QStringList{request.category}
                  : !request.wanted.isEmpty()   ? request.wanted
                                                : wantedCategories(request.dataFolder);
            QByteArray usage;
            if (fetchSmall(folder + QStringLiteral("global_usage"), usage) == Fetched::Ok) {
                titlesText = usage;
                titles = parseGlobalUsage(usage);
            } else if (result.failure == CategoryUpdateFailure::Cancelled) {
                return false;
            }
            // The names are welcome, not needed: a source without them still updates.
            result.failure = CategoryUpdateFailure::None;
            result.message.clear();
            for (const QString &name : std::as_const(asked)) {
                bool notThere = false;
                if (!fetchAndRead(folder + name + QStringLiteral(".tar.gz"), name, false, name, notThere))
                    return false;
                if (notThere)
                    result.missing.append(name);
            }
        } else {
            bool notThere = false;
            if (!fetchAndRead(source, request.category, true, QFileInfo(source).fileName(), notThere))
                return false;
            if (notThere)
                return fail(CategoryUpdateFailure::Transfer, QStringLiteral("%1 is not there").arg(source));
            if (!request.category.isEmpty()) {
                asked = {request.category};
            } else {
                // An archive of every category: what it holds beyond the known categories and
                // its own global_usage is no category list.
                QSet<QString> known(knownCategoryNames().cbegin(), knownCategoryNames().cend());
                for (auto it = titles.cbegin(); it != titles.cend(); ++it)
                    known.insert(it.key());
                for (const QString &name : std::as_const(freshOrder)) {
                    if (!known.contains(name)) {
                        builder.dropCategory(name);
                        fresh.remove(name);
                    }
                }
            }
        }
        // A list that arrived empty is no list: putting it in force would open what it closed.
        // Asked for by name, that fails the update; in an archive of every category, that one
        // category keeps the lists it had.
        for (const QString &name : std::as_const(freshOrder)) {
            if (!fresh.contains(name) || builder.entryCountOf(name) > 0)
                continue;
            if (asked.contains(name)) {
                subject = name;
                return fail(CategoryUpdateFailure::Archive, QStringLiteral("the list of %1 holds no entries").arg(name));
            }
            builder.dropCategory(name);
            fresh.remove(name);
        }

        for (const QString &name : std::as_const(asked))
            if (!fresh.contains(name) && !result.missing.contains(name))
                result.missing.append(name);
        subject = asked.join(QStringLiteral(", "));
        if (fresh.isEmpty())
            return fail(CategoryUpdateFailure::Empty,
                        asked.isEmpty() ? QStringLiteral("the source holds no category lists")
                                        : QStringLiteral("the source holds none of the categories asked for: %1")
                                              .arg(asked.join(QStringLiteral(", "))));

        tell(CategoryUpdateProgress::Phase::Building, QString(), -1);
        // The categories not fetched now stay as they are in the index in force.
        QString why;
        if (const auto old = CategoryIndex::open(files.index, &why)) {
            for (const CategoryInfo &info : old->categories())
                if (!fresh.contains(info.name))
                    builder.keepFrom(*old, info.name);
        }
        if (cancelled())
            return fail(CategoryUpdateFailure::Cancelled, QStringLiteral("cancelled"));
        for (const QString &name : builder.categoryNames())
            if (fresh.contains(name))
                result.updated.append(name);
        result.entries = builder.entryCount();
        const WriteResult written = builder.write(files.index);
        subject = written.error;
        if (!written.ok)
            return fail(CategoryUpdateFailure::Write, QStringLiteral("the index cannot be written: %1").arg(written.error));
        if (!titlesText.isEmpty())
            writeFileAtomic(files.names, titlesText);
        if (!result.missing.isEmpty())
            result.message = QStringLiteral("not at the source: %1").arg(result.missing.join(QStringLiteral(", ")));
        return true;
    }
};

} // namespace

CategoryFiles::CategoryFiles(const QString &dataFolder)
    : folder(dataFolder + QStringLiteral("/categorieen"))
    , index(folder + QStringLiteral("/lijsten.idx"))
    , names(folder + QStringLiteral("/global_usage"))
    , status(folder + QStringLiteral("/bijwerken.ini"))
    , lock(folder + QStringLiteral("/bijwerken.lock"))
    , staging(folder + QStringLiteral("/.ophalen"))
{
}

CategoryUpdateStatus CategoryUpdateStatus::read(const CategoryFiles &files)
{
    CategoryUpdateStatus s;
    const std::optional<IniDocument> ini = IniDocument::load(files.status);
    if (!ini)
        return s;
    s.lastAttempt = QDateTime::fromString(ini->stringValue(kStatusSection, QStringLiteral("Laatste")), Qt::ISODate);
    s.lastSuccess = QDateTime::fromString(ini->stringValue(kStatusSection, QStringLiteral("Gelukt")), Qt::ISODate);
    s.failure = ini->stringValue(kStatusSection, QStringLiteral("Fout"));
    s.failureKind = ini->stringValue(kStatusSection, QStringLiteral("FoutSoort")).toInt();
    s.failureSubject = ini->stringValue(kStatusSection, QStringLiteral("FoutBij"));
    return s;
}

WriteResult CategoryUpdateStatus::write(const CategoryFiles &files) const
{
    IniDocument ini = IniDocument::load(files.status).value_or(IniDocument());
    const auto iso = [](const QDateTime &t) { return t.isValid() ? t.toUTC().toString(Qt::ISODate) : QString(); };
    ini.setValue(kStatusSection, QStringLiteral("Laatste"), iso(lastAttempt));
    ini.setValue(kStatusSection, QStringLiteral("Gelukt"), iso(lastSuccess));
    QString oneLine = failure;
    oneLine.replace(u'\n', u' ').replace(u'\r', u' ');
    ini.setValue(kStatusSection, QStringLiteral("Fout"), oneLine);
    ini.setValue(kStatusSection, QStringLiteral("FoutSoort"), failure.isEmpty() ? QString() : QString::number(failureKind));
    QString subjectLine = failureSubject;
    subjectLine.replace(u'\n', u' ').replace(u'\r', u' ');
    ini.setValue(kStatusSection, QStringLiteral("FoutBij"), failure.isEmpty() ? QString() : subjectLine);
    return ini.save(files.status);
}

QString CategoryUpdateStatus::failureText() const
{
    if (failure.isEmpty())
        return {};
    if (failureKind <= 0)
        return failure; // written by a version that kept the English reason only
    return categoryUpdateFailureText(CategoryUpdateFailure(failureKind), failureSubject);
}

QString categoryUpdateFailureText(CategoryUpdateFailure failure, const QString &subject)
{
    switch (failure) {
    case CategoryUpdateFailure::None:
        return {};
    case CategoryUpdateFailure::Cancelled:
        return QCoreApplication::translate("CategoryUpdate", "The update was cancelled.");
    case CategoryUpdateFailure::Busy:
        return QCoreApplication::translate("CategoryUpdate", "Another update of the category lists is running.");
    case CategoryUpdateFailure::BadSource:
        return QCoreApplication::translate("CategoryUpdate", "No usable source of category lists is set (vendor.ini).");
    case CategoryUpdateFailure::Transfer:
        return QCoreApplication::translate("CategoryUpdate", "%1 could not be fetched.").arg(subject);
    case CategoryUpdateFailure::Checksum:
        return QCoreApplication::translate("CategoryUpdate", "%1 does not match its check sum: it arrived damaged or was changed.")
            .arg(subject);
    case CategoryUpdateFailure::Archive:
        return QCoreApplication::translate("CategoryUpdate", "%1 is not a usable category list.").arg(subject);
    case CategoryUpdateFailure::Empty:
        return QCoreApplication::translate("CategoryUpdate", "The source holds none of the categories asked for (%1).")
            .arg(subject);
    case CategoryUpdateFailure::Write:
        return QCoreApplication::translate("CategoryUpdate", "The category lists cannot be saved (%1).").arg(subject);
    }
    return {};
}

const QStringList &defaultCategories()
{
    static const QStringList names{
        QStringLiteral("adult"),   QStringLiteral("mixed_adult"), QStringLiteral("lingerie"),
        QStringLiteral("dating"),  QStringLiteral("gambling"),    QStringLiteral("drogue"),
        QStringLiteral("agressif"), QStringLiteral("malware"),    QStringLiteral("phishing"),
        QStringLiteral("redirector"), QStringLiteral("vpn"),      QStringLiteral("doh"),
    };
    return names;
}

QStringList wantedCategories(const QString &dataFolder)
{
    QStringList names = defaultCategories();
    const auto add = [&names](const QString &name) {
        if (isCategoryName(name) && !names.contains(name))
            names.append(name);
    };
    const QDir users(dataFolder + QStringLiteral("/gebruikers"));
    const QStringList profiles = users.entryList({QStringLiteral("*.usr")}, QDir::Files | QDir::Hidden);
    for (const QString &file : profiles) {
        const std::optional<IniDocument> ini = IniDocument::load(users.filePath(file));
        if (!ini)
            continue;
        const QStringList chosen
            = splitCategoryNames(ini->stringValue(QStringLiteral("Beveiliging"), QStringLiteral("Categorieen")));
        for (const QString &name : chosen)
            add(name);
    }
    if (const auto index = CategoryIndex::open(CategoryFiles(dataFolder).index))
        for (const CategoryInfo &info : index->categories())
            add(info.name);
    return names;
}

CategoryUpdateResult runCategoryUpdate(const CategoryUpdateRequest &request, const std::atomic_bool *cancel,
                                       const CategoryProgressReport &progress)
{
    Update u{request, cancel, progress, CategoryFiles(request.dataFolder), {}, {}, {}, {}, {}, {}, 0};
    if (!QDir().mkpath(u.files.folder)) {
        u.fail(CategoryUpdateFailure::Write, QStringLiteral("%1 cannot be made").arg(u.files.folder));
        return u.result;
    }
    QLockFile lock(u.files.lock);
    // A crashed update's lock goes at once (its process is gone); a live one is never taken over.
    lock.setStaleLockTime(std::chrono::hours(12));
    if (!lock.tryLock(0)) {
        u.fail(CategoryUpdateFailure::Busy, QStringLiteral("another update of the category lists is running"));
        return u.result;
    }
    QDir(u.files.staging).removeRecursively();
    QDir().mkpath(u.files.staging);

    const bool ok = u.run();
    QDir(u.files.staging).removeRecursively();
    qCInfo(lcGuard) << "category update" << (ok ? "done:" : "failed:") << u.result.message << u.result.updated;

    if (ok || request.record == CategoryUpdateRequest::Record::Always) {
        CategoryUpdateStatus status = CategoryUpdateStatus::read(u.files);
        status.lastAttempt = QDateTime::currentDateTimeUtc();
        if (ok) {
            status.lastSuccess = status.lastAttempt;
            status.failure.clear();
        } else {
            status.failure = u.result.message;
            status.failureKind = int(u.result.failure);
            status.failureSubject = u.result.subject;
        }
        status.write(u.files);
    }
    return u.result;
}

// ---------------------------------------------------------------- the worker

CategoryUpdater::CategoryUpdater(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<tovalin::CategoryUpdateProgress>();
    qRegisterMetaType<tovalin::CategoryUpdateResult>();
}

CategoryUpdater::~CategoryUpdater()
{
    m_cancel = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool CategoryUpdater::start(CategoryUpdateRequest request)
{
    if (m_running)
        return false;
    if (m_thread.joinable())
        m_thread.join();
    m_cancel = false;
    m_running = true;
    const QPointer<CategoryUpdater> self(this);
    m_thread = std::thread([this, self, request = std::move(request)] {
        // A few reports a second are enough for a progress bar; more would flood the window.
        auto last = std::chrono::steady_clock::now() - std::chrono::seconds(1);
        CategoryUpdateProgress::Phase lastPhase = CategoryUpdateProgress::Phase::Fetching;
        const auto report = [this, self, &last, &lastPhase](const CategoryUpdateProgress &p) {
            const auto now = std::chrono::steady_clock::now();
            if (p.phase == lastPhase && now - last < std::chrono::milliseconds(200))
                return;
            last = now;
            lastPhase = p.phase;
            QMetaObject::invokeMethod(
                this, [self, p] { if (self) emit self->progressed(p); }, Qt::QueuedConnection);
        };
        const CategoryUpdateResult result = runCategoryUpdate(request, &m_cancel, report);
        QMetaObject::invokeMethod(
            this,
            [self, result] {
                if (!self)
                    return;
                self->m_running = false;
                emit self->finished(result);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void CategoryUpdater::cancel()
{
    m_cancel = true;
}

} // namespace tovalin
