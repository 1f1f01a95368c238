#include "themes/theme_names.h"

#include "core/text_file.h"
#include "themes/theme_files.h"

namespace tovalin {

bool isValidThemeName(const QString &name)
{
    if (name.trimmed().isEmpty() || !isSafeFileStem(name))
        return false;
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    }
    // The longest file of a theme is name + ".llt" (all its kinds are four bytes).
    return name.toUtf8().size() + 4 <= 255;
}

QString existingThemeSpelling(const QString &themesFolder, const QString &name)
{
    const QStringList names = listThemeNames(themesFolder);
    for (const QString &n : names) {
        if (n == name)
            return n;
    }
    for (const QString &n : names) {
        if (n.toUpper() == name.toUpper())
            return n;
    }
    return name;
}

namespace {

int hexValue(QChar c)
{
    if (c >= u'0' && c <= u'9')
        return c.unicode() - '0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - 'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - 'A' + 10;
    return -1;
}

} // namespace

QString themeNameFromDownloadAddress(const QString &address)
{
    const qsizetype tvz = address.indexOf(QLatin1String(".tvz"), 0, Qt::CaseInsensitive);
    if (tvz < 0)
        return {};
    QString segment = address.left(tvz);
    // The name is what follows the last folder step, or the last query value for addresses
    // like ".../get.php?theme=Animals.tvz".
    for (const QChar separator : {u'/', u'?', u'='}) {
        const qsizetype at = segment.lastIndexOf(separator);
        if (at >= 0)
            segment = segment.mid(at + 1);
    }
    // Decoding comes after the split, so an encoded "/" stays inside the name and fails the test.
    QByteArray bytes;
    const QByteArray raw = segment.toUtf8();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] == '%' && i + 2 < raw.size()) {
            const int high = hexValue(QChar(raw[i + 1]));
            const int low = hexValue(QChar(raw[i + 2]));
            if (high >= 0 && low >= 0) {
                bytes.append(char(high * 16 + low));
                i += 2;
                continue;
            }
        }
        bytes.append(raw[i]);
    }
    const QString name = decodeText(bytes);
    return isValidThemeName(name) ? name : QString();
}

} // namespace tovalin
