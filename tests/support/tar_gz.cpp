#include "support/tar_gz.h"

#include <QCryptographicHash>

#include <cstring>
#include <zlib.h>

namespace tovalin::test {

namespace {

void octal(char *field, int width, qint64 value)
{
    const QByteArray digits = QByteArray::number(value, 8).rightJustified(width - 1, '0');
    std::memcpy(field, digits.constData(), size_t(width - 1));
    field[width - 1] = '\0';
}

} // namespace

QByteArray tar(const QList<TarEntry> &entries)
{
    QByteArray out;
    for (const TarEntry &e : entries) {
        char h[512] = {};
        const QByteArray name = e.name.toUtf8();
        std::memcpy(h, name.constData(), size_t(std::min<qsizetype>(name.size(), 100)));
        octal(h + 100, 8, 0644);
        octal(h + 108, 8, 0);
        octal(h + 116, 8, 0);
        octal(h + 124, 12, e.claimedSize >= 0 ? e.claimedSize : e.data.size());
        octal(h + 136, 12, 0);
        h[156] = e.type;
        if (e.type == '2')
            std::memcpy(h + 157, "/etc/passwd", 11);
        std::memcpy(h + 257, "ustar", 6);
        std::memcpy(h + 263, "00", 2);
        std::memset(h + 148, ' ', 8);
        int sum = 0;
        for (unsigned char c : h)
            sum += c;
        octal(h + 148, 7, sum);
        out.append(h, 512);
        out += e.data;
        out += QByteArray((512 - e.data.size() % 512) % 512, '\0');
    }
    return out + QByteArray(1024, '\0');
}

QByteArray gzip(const QByteArray &raw)
{
    z_stream z{};
    deflateInit2(&z, 6, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(qsizetype(deflateBound(&z, uLong(raw.size()))) + 32, '\0');
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
    z.avail_in = uInt(raw.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.truncate(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

QByteArray md5Line(const QByteArray &archive, const char *name)
{
    return QCryptographicHash::hash(archive, QCryptographicHash::Md5).toHex() + "  " + name + "\n";
}

QByteArray categoryArchive(const QString &name, const QByteArray &domains, const QByteArray &urls)
{
    QList<TarEntry> entries{{name + QStringLiteral("/domains"), domains}, {name + QStringLiteral("/usage"), "black\n"}};
    if (!urls.isEmpty())
        entries.append({name + QStringLiteral("/urls"), urls});
    return gzip(tar(entries));
}

} // namespace tovalin::test
