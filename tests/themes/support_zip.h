#pragma once
// Builds and reads ZIP files with libzip directly, to check the theme archives from outside and
// to make the hostile archives a stranger could send.

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>

namespace tovalin::testing {

struct ZipEntry {
    QByteArray name;       ///< stored as given, bytes and all
    QByteArray data;
    quint32 unixMode = 0;  ///< when not 0: Unix external attributes (e.g. S_IFLNK | 0777)
};

/// Writes a ZIP archive of the entries in order (deflated); false on any libzip error.
bool writeZip(const QString &path, const QList<ZipEntry> &entries);

struct ZipReadEntry {
    QString name;
    quint16 method = 0; ///< ZIP_CM_STORE, ZIP_CM_DEFLATE, ...
    QByteArray data;
};

/// Every entry of an archive in stored order, with its compression method and content.
QList<ZipReadEntry> readZip(const QString &path);

} // namespace tovalin::testing

Q_DECLARE_METATYPE(tovalin::testing::ZipEntry)
