#include "themes/support_theme_fixtures.h"

#include "core/text_file.h"

#include <QDir>
#include <QFile>

namespace tovalin::testing {

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray readRaw(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeLink(const QString &folder, const QString &id, const QString &url, bool withPicture, quint32 colour,
               int hoogte, int breedte)
{
    writeRaw(folder + u'/' + id + QStringLiteral(".kld"),
             joinLinesCrLf({QStringLiteral("[LinkProp]"), QStringLiteral("URL=") + url, QStringLiteral("ID=") + id,
                            QStringLiteral("Hint=hint ") + id, QStringLiteral("Beschrijving=d"),
                            QStringLiteral("hoogte=") + QString::number(hoogte),
                            QStringLiteral("breedte=") + QString::number(breedte)}));
    if (withPicture)
        writeBmpFile(folder + u'/' + id + QStringLiteral(".bmp"), Bitmap::filled(70, 70, colour));
}

void writeLinkList(const QString &folder, const QString &name, const QStringList &lines)
{
    writeRaw(folder + u'/' + name + QStringLiteral(".llt"), joinLinesCrLf(lines));
}

QString starterThemesDir()
{
    return QDir::cleanPath(QStringLiteral(TOVALIN_TEST_DATA "/../../resources/themes"));
}

} // namespace tovalin::testing
