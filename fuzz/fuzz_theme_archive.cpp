// The theme-archive (.tvz) reader, on archives from strangers.
//
// The input is either an archive's raw bytes (the first byte even) or, so that the fuzzer
// reaches past libzip's checksums, a list of entries (names, contents, Unix link or folder
// attributes, stored or deflated) that this target packs into a valid archive first.
// Checks: nothing is ever written outside the target folder, nor anything that is not a
// plain file; exactly the accepted entries are written, each under a theme-kind name with
// the entry's bytes; a theme that came out, archived again and extracted again, comes out
// with the same files.

#include "support.h"

#include "core/text_file.h"
#include "themes/theme_archive.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>

#include <sys/stat.h>
#include <zip.h>

using namespace tovalin;

namespace {

using fuzz::writeRaw;
using fuzz::readRaw;

// Names that hostile archives use, so the packed mode meets them often.
const char *const kTrickyNames[] = {
    "../evil.llt", "/tmp/evil.kld", "..\\evil.bmp", "sub/ok.kld", "./ok.kvu", "..", ".", ".llt", "T.llt", "T.kvu",
    "T.kou", "T.kpu", "20240101120000.kld", "20240101120000.bmp", "a\nb.kld", "T.LLT", "x.kld/", "x.exe", "",
    "..kld", "C:\\evil.kld",
};

struct Packed {
    QByteArray name;
    QByteArray content;
    enum Kind { File, Link, Folder } kind = File;
    bool store = false;
    bool added = false; ///< libzip took it (it refuses a second entry of the same name)
};

// Packs entries into a ZIP file with libzip; false when libzip refuses (a name it cannot take).
bool pack(std::vector<Packed> &entries, const QString &path)
{
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za)
        return false;
    for (Packed &e : entries) {
        zip_source_t *source = zip_source_buffer(za, e.content.constData(), zip_uint64_t(e.content.size()), 0);
        if (!source)
            continue;
        const zip_int64_t index = zip_file_add(za, e.name.constData(), source, ZIP_FL_ENC_RAW);
        if (index < 0) {
            zip_source_free(source);
            continue;
        }
        e.added = true;
        zip_set_file_compression(za, zip_uint64_t(index), e.store ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 1);
        if (e.kind != Packed::File) {
            const mode_t mode = e.kind == Packed::Link ? (S_IFLNK | 0777) : (S_IFDIR | 0755);
            zip_file_set_external_attributes(za, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, zip_uint32_t(mode) << 16);
        }
    }
    // The contents are read at close, while `entries` still holds them.
    if (zip_close(za) != 0) {
        zip_discard(za);
        return false;
    }
    return true;
}

// The files of a folder (name -> bytes); a folder or link inside is a finding of its own.
QHash<QString, QByteArray> filesOf(const QString &folder)
{
    QHash<QString, QByteArray> out;
    const QFileInfoList infos = QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : infos) {
        if (info.isSymLink() || !info.isFile())
            fuzz::fail("only plain files in the target folder", __FILE__, __LINE__, fuzz::show(info.fileName()));
        out.insert(info.fileName(), readRaw(info.filePath()));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::Sandbox &box = fuzz::Sandbox::instance();
    box.reset({QStringLiteral("out"), QStringLiteral("again")});
    const QString archive = box.work() + QStringLiteral("/in.tvz");
    const QString out = box.work() + QStringLiteral("/out");

    // What each accepted name must hold: the last entry of that name in the archive.
    QHash<QString, QByteArray> packedContent;
    bool packedMode = false;
    if (size > 0 && (data[0] & 1) == 0) {
        if (!writeRaw(archive, QByteArray(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1))))
            fuzz::fail("write the archive", __FILE__, __LINE__);
    } else {
        FuzzedDataProvider in(data + (size > 0 ? 1 : 0), size > 0 ? size - 1 : 0);
        std::vector<Packed> entries;
        while (in.remaining_bytes() > 0 && entries.size() < 12) {
            Packed e;
            if (in.ConsumeBool())
                e.name = kTrickyNames[in.ConsumeIntegralInRange<size_t>(0, std::size(kTrickyNames) - 1)];
            else
                e.name = QByteArray::fromStdString(in.ConsumeRandomLengthString(40));
            e.kind = Packed::Kind(in.ConsumeIntegralInRange<int>(0, 2));
            e.store = in.ConsumeBool();
            e.content = QByteArray::fromStdString(in.ConsumeRandomLengthString(300));
            if (const qsizetype nul = e.name.indexOf('\0'); nul >= 0)
                e.name.truncate(nul); // libzip takes the name as a C string
            entries.push_back(std::move(e));
        }
        if (!pack(entries, archive))
            return 0;
        packedMode = true;
        // Names that are not ASCII come out as libzip guesses their encoding; only ASCII ones are compared.
        for (const Packed &e : entries) {
            bool ascii = true;
            for (const char c : e.name)
                ascii = ascii && uchar(c) < 0x80;
            if (ascii && e.added && e.kind == Packed::File)
                packedContent.insert(QString::fromLatin1(e.name), e.content);
        }
    }

    const ArchiveExtraction result = extractThemeArchive(archive, out);
    FUZZ_CHECK_EQ(box.strayEntries(), QStringList());
    for (const QString &entry : box.tree()) {
        const bool expected = entry == QLatin1String("outside.txt") || entry == QLatin1String("work")
            || entry == QLatin1String("work/in.tvz") || entry == QLatin1String("work/again") || entry == QLatin1String("work/out")
            || (entry.startsWith(QLatin1String("work/out/")) && !entry.mid(9).contains(u'/'));
        if (!expected)
            fuzz::fail("nothing written outside the target folder", __FILE__, __LINE__, fuzz::show(entry));
    }
    const QHash<QString, QByteArray> files = filesOf(out);
    FUZZ_CHECK(filesOf(box.work() + QStringLiteral("/again")).isEmpty());
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        FUZZ_CHECK(isThemeArchiveEntryName(it.key()));
        FUZZ_CHECK(result.written.contains(it.key()));
    }
    if (!result.result.ok())
        return 0;
    FUZZ_CHECK_EQ(qsizetype(files.size()), qsizetype(QSet<QString>(result.written.cbegin(), result.written.cend()).size()));
    for (const QString &name : result.written)
        FUZZ_CHECK(files.contains(name));
    if (packedMode) {
        for (const QString &name : result.written)
            if (packedContent.contains(name))
                FUZZ_CHECK_EQ(files.value(name), packedContent.value(name));
    }

    // A theme that came out goes back into an archive and out again unchanged.
    for (const QString &name : result.written) {
        if (!name.endsWith(QLatin1String(".llt")))
            continue;
        const QString theme = name.chopped(4);
        const QString again = box.work() + QStringLiteral("/again.tvz");
        const ArchiveResult written = writeThemeArchive(out, theme, again);
        if (!written.ok())
            fuzz::fail("an extracted theme archives again", __FILE__, __LINE__, written.message);
        QDir(box.work() + QStringLiteral("/again")).removeRecursively();
        QDir().mkpath(box.work() + QStringLiteral("/again"));
        const ArchiveExtraction second = extractThemeArchive(again, box.work() + QStringLiteral("/again"));
        FUZZ_CHECK(second.result.ok());
        const QStringList entries = themeArchiveEntries(out, theme);
        FUZZ_CHECK_EQ(second.written, entries);
        const QHash<QString, QByteArray> secondFiles = filesOf(box.work() + QStringLiteral("/again"));
        for (const QString &entry : entries)
            FUZZ_CHECK_EQ(secondFiles.value(entry), files.value(entry));
        FUZZ_CHECK_EQ(qsizetype(secondFiles.size()), entries.size());
        QFile::remove(again);
    }
    FUZZ_CHECK_EQ(box.strayEntries(), QStringList());
    return 0;
}
