#pragma once
// Archives in UT1's layout for the category-list tests: tar entries (ustar headers, with
// links and headers that announce more than follows), gzip-packed, and their .md5 lines.

#include <QByteArray>
#include <QList>
#include <QString>

namespace tovalin::test {

struct TarEntry {
    QString name;
    QByteArray data;
    char type = '0';         ///< '0' a file, '2' a link to /etc/passwd, '5' a folder
    qint64 claimedSize = -1; ///< a header that announces this many bytes (more than follow)
};

/// The entries as a tar archive, ended by two zero blocks.
QByteArray tar(const QList<TarEntry> &entries);
/// Bytes packed as a gzip stream.
QByteArray gzip(const QByteArray &raw);
/// "<md5 in hex>  name\n", as a source's .md5 file holds it.
QByteArray md5Line(const QByteArray &archive, const char *name);
/// NAME.tar.gz as UT1 publishes it: NAME/domains, NAME/usage and (when given) NAME/urls.
QByteArray categoryArchive(const QString &name, const QByteArray &domains, const QByteArray &urls = {});

} // namespace tovalin::test
