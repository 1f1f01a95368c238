#include "themes/theme_archive.h"

#include "themes/zip_library.h"

#include "core/text_file.h"
#include "themes/theme_files.h"
#include "themes/themes_log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace tovalin {

namespace {
// The texts of this file, under one translation context.
struct ThemeArchiveText {
    Q_DECLARE_TR_FUNCTIONS(ThemeArchive)
};
} // namespace

namespace {

using namespace themefiles;

struct ZipCloser {
    void operator()(zip_t *za) const { zip_discard(za); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipCloser>;

struct ZipFileCloser {
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using ZipFileHandle = std::unique_ptr<zip_file_t, ZipFileCloser>;

struct ZipSourceFree {
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using ZipSourceHandle = std::unique_ptr<zip_source_t, ZipSourceFree>;

ArchiveResult fail(ArchiveFailure failure, const QString &message)
{
    qCDebug(lcThemes) << "archive:" << message;
    return {failure, message};
}

QString zipErrorText(zip_error_t *error)
{
    return QString::fromLocal8Bit(zip_error_strerror(error));
}

bool isCancelled(const std::atomic<bool> *cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

const QLatin1StringView kThemeKinds[] = {kPictureExt, kLinkPropsExt, kLinkListExt,
                                         kBlacklistExt, kWhitelistExt, kPopupListExt};

} // namespace

bool isAlreadyCompressedKind(const QString &fileName)
{
    static const QLatin1StringView kinds[] = {
        QLatin1StringView(".gif"), QLatin1StringView(".png"), QLatin1StringView(".jpg"),
        QLatin1StringView(".jpeg"), QLatin1StringView(".zip"), QLatin1StringView(".gz"),
        QLatin1StringView(".tgz"), QLatin1StringView(".bz2"), QLatin1StringView(".xz"),
        QLatin1StringView(".7z"), QLatin1StringView(".rar"), QLatin1StringView(".tvz"),
        QLatin1StringView(".mp3"), QLatin1StringView(".ogg"), QLatin1StringView(".webp")};
    for (const auto kind : kinds) {
        if (fileName.endsWith(kind, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool isThemeArchiveEntryName(const QString &name)
{
    // A name the file system would take as anything but a plain file right in the folder is out:
    // folder parts (either slash, so ".." can never be a step up), control characters and
    // over-long names.
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\'))
        return false;
    if (name.toUtf8().size() > 255)
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    for (const auto kind : kThemeKinds) {
        if (name.endsWith(kind, Qt::CaseInsensitive)) {
            const QString stem = name.left(name.size() - kind.size());
            return isSafeFileStem(stem);
        }
    }
    return false;
}

QString themeNameFromArchivePath(const QString &archivePath)
{
    const QString fileName = QFileInfo(archivePath).fileName();
    const qsizetype at = fileName.indexOf(kThemeArchiveExt, 0, Qt::CaseInsensitive);
    return at < 0 ? fileName : fileName.left(at);
}

QStringList themeArchiveEntries(const QString &themesFolder, const QString &theme)
{
    QStringList entries;
    if (!isSafeFileStem(theme))
        return entries;
    auto addIfFile = [&](const QString &stem, QLatin1StringView ext) {
        const QString name = stem + ext;
        const QFileInfo info(filePath(themesFolder, stem, ext));
        if (info.isFile() && !entries.contains(name))
            entries << name;
    };
    if (const auto ids = readLines(filePath(themesFolder, theme, kLinkListExt))) {
        for (const QString &id : *ids) {
            if (!isSafeFileStem(id))
                continue;
            addIfFile(id, kPictureExt);
            addIfFile(id, kLinkPropsExt);
        }
    }
    addIfFile(theme, kLinkListExt);
    addIfFile(theme, kBlacklistExt);
    addIfFile(theme, kWhitelistExt);
    addIfFile(theme, kPopupListExt);
    return entries;
}

ArchiveResult writeThemeArchive(const QString &themesFolder, const QString &theme, const QString &archivePath)
{
    if (!isSafeFileStem(theme) || !QFileInfo(filePath(themesFolder, theme, kLinkListExt)).isFile())
        return fail(ArchiveFailure::CannotRead, ThemeArchiveText::tr("No theme named %1").arg(theme));
    const QStringList entries = themeArchiveEntries(themesFolder, theme);
    if (!zip_library::load())
        return fail(ArchiveFailure::CannotWrite, QStringLiteral("libzip could not be loaded"));

    zip_error_t error;
    zip_error_init(&error);
    // The archive is built in memory and saved in one atomic write: a full disk or a crash
    // never leaves half an archive where a whole one was.
    ZipSourceHandle buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        const QString text = zipErrorText(&error);
        zip_error_fini(&error);
        return fail(ArchiveFailure::CannotWrite, text);
    }
    zip_t *raw = zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error);
    if (!raw) {
        const QString text = zipErrorText(&error);
        zip_error_fini(&error);
        return fail(ArchiveFailure::CannotWrite, text);
    }
    zip_error_fini(&error);
    zip_source_keep(buffer.get()); // the archive releases its hold on close; we read the bytes after
    ZipHandle za(raw);

    for (const QString &name : entries) {
        const QString path = themesFolder + u'/' + name;
        const ReadResult file = readFileBytes(path, kMaxArchiveEntryBytes);
        if (file.error == ReadError::TooLarge)
            return fail(ArchiveFailure::TooLarge, QStringLiteral("%1 is larger than 16 MB").arg(name));
        if (!file.ok()) {
            QFile probe(path);
            const QString reason = probe.open(QIODevice::ReadOnly) ? QString() : probe.errorString();
            return fail(ArchiveFailure::CannotRead, ThemeArchiveText::tr("Cannot read %1: %2").arg(name, reason));
        }
        const QByteArray &bytes = file.bytes;

        // libzip frees the copy with free() once the archive is written. An empty file gets no
        // copy: libzip keeps no data of an empty buffer, so it would never free one.
        void *copy = nullptr;
        if (!bytes.isEmpty()) {
            copy = std::malloc(size_t(bytes.size()));
            if (!copy)
                return fail(ArchiveFailure::CannotWrite, ThemeArchiveText::tr("Out of memory"));
            std::memcpy(copy, bytes.constData(), size_t(bytes.size()));
        }
        zip_source_t *source = zip_source_buffer(za.get(), copy, zip_uint64_t(bytes.size()), copy ? 1 : 0);
        if (!source) {
            std::free(copy);
            return fail(ArchiveFailure::CannotWrite, QString::fromLocal8Bit(zip_strerror(za.get())));
        }
        const QByteArray entryName = name.toUtf8();
        const zip_int64_t index = zip_file_add(za.get(), entryName.constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            return fail(ArchiveFailure::CannotWrite, QString::fromLocal8Bit(zip_strerror(za.get())));
        }
        const bool store = isAlreadyCompressedKind(name);
        if (zip_set_file_compression(za.get(), zip_uint64_t(index), store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                     store ? 0 : 9) != 0)
            return fail(ArchiveFailure::CannotWrite, QString::fromLocal8Bit(zip_strerror(za.get())));
        const QDateTime modified = QFileInfo(path).lastModified();
        if (modified.isValid())
            zip_file_set_mtime(za.get(), zip_uint64_t(index), time_t(modified.toSecsSinceEpoch()), 0);
    }

    if (zip_close(za.get()) != 0)
        return fail(ArchiveFailure::CannotWrite, QString::fromLocal8Bit(zip_strerror(za.get())));
    za.release(); // zip_close freed it

    QByteArray bytes;
    if (zip_source_open(buffer.get()) != 0)
        return fail(ArchiveFailure::CannotWrite, ThemeArchiveText::tr("Cannot read the archive back"));
    zip_source_seek(buffer.get(), 0, SEEK_END);
    const zip_int64_t size = zip_source_tell(buffer.get());
    zip_source_seek(buffer.get(), 0, SEEK_SET);
    if (size > 0) {
        bytes.resize(qsizetype(size));
        if (zip_source_read(buffer.get(), bytes.data(), zip_uint64_t(size)) != size) {
            zip_source_close(buffer.get());
            return fail(ArchiveFailure::CannotWrite, ThemeArchiveText::tr("Cannot read the archive back"));
        }
    }
    zip_source_close(buffer.get());

    const WriteResult written = writeFileAtomic(archivePath, bytes);
    if (!written.ok)
        return fail(ArchiveFailure::CannotWrite, written.error);
    qCDebug(lcThemes) << "archive: wrote" << entries.size() << "entries of" << theme << "to" << archivePath;
    return {};
}

namespace {

ZipHandle openArchive(const QString &archivePath, ArchiveResult &result)
{
    const QFileInfo info(archivePath);
    if (!info.isFile()) {
        result = fail(ArchiveFailure::CannotRead, ThemeArchiveText::tr("No archive at %1").arg(archivePath));
        return nullptr;
    }
    if (!zip_library::load()) {
        result = fail(ArchiveFailure::CannotRead, QStringLiteral("libzip could not be loaded"));
        return nullptr;
    }
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &code);
    if (!za) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const bool notZip = code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS || code == ZIP_ER_NOENT;
        result = fail(notZip ? ArchiveFailure::NotAnArchive : ArchiveFailure::CannotRead,
                      QStringLiteral("%1: %2").arg(archivePath, zipErrorText(&error)));
        zip_error_fini(&error);
        return nullptr;
    }
    return ZipHandle(za);
}

bool isLinkOrFolderEntry(zip_t *za, zip_uint64_t index)
{
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(za, index, 0, &opsys, &attributes) != 0)
        return false;
    if (opsys != ZIP_OPSYS_UNIX)
        return false;
    const mode_t mode = mode_t(attributes >> 16);
    return (mode & S_IFMT) == S_IFLNK || (mode & S_IFMT) == S_IFDIR;
}

} // namespace

QStringList archiveEntryNames(const QString &archivePath)
{
    QStringList names;
    ArchiveResult result;
    ZipHandle za = openArchive(archivePath, result);
    if (!za)
        return names;
    const zip_int64_t count = zip_get_num_entries(za.get(), 0);
    for (zip_int64_t i = 0; i < count && i < kMaxArchiveEntries; ++i) {
        if (const char *name = zip_get_name(za.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS))
            names << QString::fromUtf8(name);
    }
    return names;
}

ArchiveExtraction extractThemeArchive(const QString &archivePath, const QString &targetFolder,
                                      const std::atomic<bool> *cancel)
{
    ArchiveExtraction out;
    ZipHandle za = openArchive(archivePath, out.result);
    if (!za)
        return out;

    const zip_int64_t count = zip_get_num_entries(za.get(), 0);
    if (count < 0) {
        out.result = fail(ArchiveFailure::NotAnArchive, QStringLiteral("%1 is not a ZIP archive").arg(archivePath));
        return out;
    }
    if (count > kMaxArchiveEntries) {
        out.result = fail(ArchiveFailure::TooLarge, QStringLiteral("%1 holds %2 entries").arg(archivePath).arg(count));
        return out;
    }

    // First pass: every size the archive declares, skipped entries included, before anything is
    // written. The second pass counts what really comes out, so a header that lies gains nothing.
    struct Entry {
        zip_uint64_t index;
        QString name;
        qint64 size;
    };
    std::vector<Entry> accepted;
    qint64 declaredTotal = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(za.get(), zip_uint64_t(i), ZIP_FL_ENC_GUESS, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            out.result = fail(ArchiveFailure::NotAnArchive, QStringLiteral("Entry %1 cannot be read").arg(i));
            return out;
        }
        const qint64 size = (stat.valid & ZIP_STAT_SIZE) ? qint64(std::min<zip_uint64_t>(stat.size, zip_uint64_t(1) << 62)) : 0;
        const QString name = QString::fromUtf8(stat.name);
        if (size > kMaxArchiveEntryBytes) {
            out.result = fail(ArchiveFailure::TooLarge, QStringLiteral("Entry %1 is larger than 16 MB").arg(name));
            return out;
        }
        declaredTotal += size;
        if (declaredTotal > kMaxArchiveTotalBytes) {
            out.result = fail(ArchiveFailure::TooLarge, ThemeArchiveText::tr("The archive is larger than 64 MB uncompressed"));
            return out;
        }
        if (!isThemeArchiveEntryName(name) || isLinkOrFolderEntry(za.get(), zip_uint64_t(i))) {
            out.skipped << name;
            continue;
        }
        accepted.push_back({zip_uint64_t(i), name, size});
    }

    qint64 total = 0;
    for (const Entry &entry : accepted) {
        if (isCancelled(cancel)) {
            out.result = fail(ArchiveFailure::Cancelled, QStringLiteral("Cancelled"));
            return out;
        }
        ZipFileHandle file(zip_fopen_index(za.get(), entry.index, 0));
        if (!file) {
            out.result = fail(ArchiveFailure::NotAnArchive,
                              QStringLiteral("%1: %2").arg(entry.name, QString::fromLocal8Bit(zip_strerror(za.get()))));
            return out;
        }
        QByteArray bytes;
        bytes.reserve(qsizetype(entry.size));
        char chunk[64 * 1024];
        for (;;) {
            if (isCancelled(cancel)) {
                out.result = fail(ArchiveFailure::Cancelled, QStringLiteral("Cancelled"));
                return out;
            }
            const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
            if (got < 0) {
                out.result = fail(ArchiveFailure::NotAnArchive,
                                  QStringLiteral("%1: %2").arg(entry.name,
                                                               QString::fromLocal8Bit(zip_file_strerror(file.get()))));
                return out;
            }
            if (got == 0)
                break;
            bytes.append(chunk, qsizetype(got));
            total += got;
            if (bytes.size() > kMaxArchiveEntryBytes || total > kMaxArchiveTotalBytes) {
                out.result = fail(ArchiveFailure::TooLarge, QStringLiteral("%1 unpacks to more than it declares").arg(entry.name));
                return out;
            }
        }
        const WriteResult written = writeFileAtomic(targetFolder + u'/' + entry.name, bytes);
        if (!written.ok) {
            out.result = fail(ArchiveFailure::CannotWrite, QStringLiteral("%1: %2").arg(entry.name, written.error));
            return out;
        }
        if (!out.written.contains(entry.name))
            out.written << entry.name;
    }
    if (!out.skipped.isEmpty())
        qCDebug(lcThemes) << "archive: skipped" << out.skipped;
    return out;
}

} // namespace tovalin
