#include "themes/support_zip.h"

#include <QFile>
#include <cstdlib>
#include <cstring>
#include <zip.h>

namespace tovalin::testing {

bool writeZip(const QString &path, const QList<ZipEntry> &entries)
{
    QFile::remove(path);
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za)
        return false;
    for (const ZipEntry &entry : entries) {
        void *copy = std::malloc(size_t(std::max<qsizetype>(entry.data.size(), 1)));
        std::memcpy(copy, entry.data.constData(), size_t(entry.data.size()));
        zip_source_t *source = zip_source_buffer(za, copy, zip_uint64_t(entry.data.size()), 1);
        const zip_int64_t index = zip_file_add(za, entry.name.constData(), source, ZIP_FL_ENC_RAW);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(za);
            return false;
        }
        if (entry.unixMode)
            zip_file_set_external_attributes(za, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX, entry.unixMode << 16);
    }
    return zip_close(za) == 0;
}

QList<ZipReadEntry> readZip(const QString &path)
{
    QList<ZipReadEntry> out;
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &code);
    if (!za)
        return out;
    const zip_int64_t count = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_index(za, zip_uint64_t(i), 0, &st);
        ZipReadEntry entry;
        entry.name = QString::fromUtf8(st.name);
        entry.method = st.comp_method;
        if (zip_file_t *f = zip_fopen_index(za, zip_uint64_t(i), 0)) {
            entry.data.resize(qsizetype(st.size));
            if (st.size)
                zip_fread(f, entry.data.data(), st.size);
            zip_fclose(f);
        }
        out << entry;
    }
    zip_discard(za);
    return out;
}

} // namespace tovalin::testing
