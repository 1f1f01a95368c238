#include "themes/theme_files.h"

#include "core/ini.h"
#include "themes/themes_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

Q_LOGGING_CATEGORY(tovalin::lcThemes, "tovalin.themes", QtWarningMsg)

namespace tovalin {

namespace {
// The texts of this file, under one translation context.
struct ThemeFilesText {
    Q_DECLARE_TR_FUNCTIONS(ThemeFiles)
};
} // namespace

namespace themefiles {

QString filePath(const QString &themesFolder, const QString &stem, QLatin1StringView ext)
{
    return themesFolder + u'/' + stem + ext;
}

} // namespace themefiles

using namespace themefiles;

namespace {

const QString kUrlKey = QStringLiteral("URL");
const QString kIdKey = QStringLiteral("ID");
const QString kHintKey = QStringLiteral("Hint");
const QString kDescriptionKey = QStringLiteral("Beschrijving");
const QString kHeightKey = QStringLiteral("hoogte");
const QString kWidthKey = QStringLiteral("breedte");

// An INI value is one line; a hint pasted with a line break would otherwise
// end the value early and turn its second line into a key of its own.
QString oneLine(const QString &value)
{
    QString out = value;
    out.replace(QLatin1String("\r\n"), QLatin1String(" "));
    out.replace(u'\r', u' ');
    out.replace(u'\n', u' ');
    return out;
}

int readSize(const IniDocument &ini, const QString &key)
{
    const auto v = ini.value(kLinkPropSection, key);
    if (!v)
        return -1;
    bool ok = false;
    const int n = v->trimmed().toInt(&ok);
    return ok ? n : -1;
}

void setSizes(IniDocument &ini, const ThemeLink &link)
{
    ini.setValue(kLinkPropSection, kHeightKey, QString::number(link.hoogte));
    ini.setValue(kLinkPropSection, kWidthKey, QString::number(link.breedte));
}

std::optional<IniDocument> loadForRewrite(const QString &path)
{
    // An existing file that cannot be read is left alone rather than replaced
    // by one that has lost its unknown keys.
    return IniDocument::load(path);
}

} // namespace

QString makeLinkId(const QDateTime &localTime)
{
    return localTime.toString(QStringLiteral("yyyyMMddHHmmss"));
}

bool isSafeFileStem(const QString &stem)
{
    if (stem.isEmpty() || stem == QLatin1String(".") || stem == QLatin1String(".."))
        return false;
    return !stem.contains(u'/') && !stem.contains(u'\\') && !stem.contains(QChar(0));
}

QStringList ListThemeFiles(const QString &mask)
{
    const QFileInfo maskInfo(mask);
    const QString folder = maskInfo.path();
    QDir dir(folder);
    if (!dir.exists())
        return {};
    dir.setNameFilters({maskInfo.fileName()});
    dir.setFilter(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot | QDir::CaseSensitive);
    dir.setSorting(QDir::Unsorted);
    QStringList out;
    const QStringList names = dir.entryList();
    for (const QString &n : names)
        out.append(folder + u'/' + n);
    return out;
}

QString themeNameFromPath(const QString &path)
{
    // Only the extension goes: a theme called "Space.llt.old" must be found again
    // as "Space.llt.old" + ".llt" when it is opened.
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(kLinkListExt))
        name.chop(kLinkListExt.size());
    return name;
}

QStringList listThemeNames(const QString &themesFolder)
{
    QStringList names;
    const QStringList files = ListThemeFiles(themesFolder + QStringLiteral("/*") + kLinkListExt);
    for (const QString &f : files)
        names.append(themeNameFromPath(f));
    return names;
}

bool ThemeExists(const QString &themesFolder, const QString &name)
{
    const QStringList names = listThemeNames(themesFolder);
    for (const QString &n : names)
        if (n.toUpper() == name.toUpper())
            return true;
    return false;
}

std::optional<ThemeLink> readLinkProperties(const QString &themesFolder, const QString &id)
{
    if (!isSafeFileStem(id))
        return std::nullopt;
    const QString path = filePath(themesFolder, id, kLinkPropsExt);
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return std::nullopt;
    const auto ini = IniDocument::load(path);
    if (!ini)
        return std::nullopt;
    ThemeLink link;
    link.URL = ini->stringValue(kLinkPropSection, kUrlKey);
    link.Hint = ini->stringValue(kLinkPropSection, kHintKey);
    link.Beschrijving = ini->stringValue(kLinkPropSection, kDescriptionKey);
    link.hoogte = readSize(*ini, kHeightKey);
    link.breedte = readSize(*ini, kWidthKey);
    link.pictureFile = id + kPictureExt;
    link.ID = id;
    return link;
}

namespace {

enum class LinkId { Write, Keep };

// A new link writes its ID; editing a link rewrites the rest in place and keeps
// the ID as it stands. The description is always written empty.
WriteResult writeLinkProperties(const QString &themesFolder, const ThemeLink &link, LinkId id)
{
    if (!isSafeFileStem(link.ID))
        return {false, ThemeFilesText::tr("Invalid link ID: ") + link.ID};
    const QString path = filePath(themesFolder, link.ID, kLinkPropsExt);
    auto ini = loadForRewrite(path);
    if (!ini)
        return {false, ThemeFilesText::tr("Cannot read ") + path};
    ini->setValue(kLinkPropSection, kUrlKey, oneLine(link.URL));
    if (id == LinkId::Write)
        ini->setValue(kLinkPropSection, kIdKey, oneLine(link.ID));
    ini->setValue(kLinkPropSection, kHintKey, oneLine(link.Hint));
    ini->setValue(kLinkPropSection, kDescriptionKey, QString());
    setSizes(*ini, link);
    return ini->save(path);
}

} // namespace

WriteResult writeNewLinkProperties(const QString &themesFolder, const ThemeLink &link)
{
    return writeLinkProperties(themesFolder, link, LinkId::Write);
}

WriteResult updateLinkProperties(const QString &themesFolder, const ThemeLink &link)
{
    return writeLinkProperties(themesFolder, link, LinkId::Keep);
}

bool isOldFormLinkList(const QStringList &lines)
{
    return !lines.isEmpty() && lines.first().contains(QLatin1String(".bmp="), Qt::CaseInsensitive);
}

bool MigrateLinkList(const QString &themesFolder, const QString &name)
{
    const QString listPath = filePath(themesFolder, name, kLinkListExt);
    auto lines = readLines(listPath);
    if (!lines)
        return false;
    for (QString &line : *lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue; // already an ID (or blank): nothing to convert
        const QString picture = line.left(eq);
        const QString url = line.mid(eq + 1);
        QString id = picture;
        // Old lists were made on Windows, where "P.BMP" and "P.bmp" are one file.
        const qsizetype ext = id.indexOf(kPictureExt, 0, Qt::CaseInsensitive);
        if (ext >= 0)
            id.remove(ext, kPictureExt.size());
        line = id;
        if (!isSafeFileStem(id)) {
            // A name that reaches outside the themes folder gets no file; the
            // line stays and is skipped when the theme loads.
            qCDebug(lcThemes) << "old link list line with unusable picture name" << picture;
            continue;
        }
        ThemeLink link;
        link.URL = url;
        link.ID = id;
        if (!writeNewLinkProperties(themesFolder, link).ok)
            qCDebug(lcThemes) << "cannot write link properties for" << id;
        // The thumbnail must be found as ID.bmp; where the old name differs only
        // in the extension's letter case or position, a copy under that name is made.
        const QString expected = filePath(themesFolder, id, kPictureExt);
        const QString original = themesFolder + u'/' + picture;
        if (isSafeFileStem(picture) && !QFileInfo::exists(expected) && QFileInfo(original).isFile())
            QFile::copy(original, expected);
    }
    return writeLines(listPath, *lines).ok;
}

WriteResult CreateThemeFiles(const QString &themesFolder, const QString &name)
{
    if (!isSafeFileStem(name))
        return {false, ThemeFilesText::tr("Invalid theme name: ") + name};
    const WriteResult r = writeFileAtomic(filePath(themesFolder, name, kLinkListExt), QByteArray());
    if (!r.ok)
        return r;
    for (const QLatin1StringView ext : {kBlacklistExt, kWhitelistExt, kPopupListExt})
        writeFileAtomic(filePath(themesFolder, name, ext), QByteArray());
    return r;
}

void DeleteThemeFiles(const QString &themesFolder, const QString &name)
{
    if (!isSafeFileStem(name))
        return;
    for (const QLatin1StringView ext : {kLinkListExt, kBlacklistExt, kWhitelistExt, kPopupListExt}) {
        const QString path = filePath(themesFolder, name, ext);
        if (QFileInfo(path).isFile())
            QFile::remove(path);
    }
}

namespace {

/// Copies one file of a starter theme unless the target exists; the copy is the parent's to edit.
void copyStarterFile(const QDir &source, const QString &themesFolder, const QString &file,
                     StarterInstallResult &result)
{
    const QString target = themesFolder + u'/' + file;
    if (QFileInfo::exists(target))
        return;
    if (!QFile::copy(source.filePath(file), target)) {
        result.ok = false;
        return;
    }
    // Resources may be read-only; the parent edits the copies.
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
                                      | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    ++result.filesCopied;
    if (file.endsWith(kLinkListExt))
        result.installedThemes.append(themeNameFromPath(file));
}

} // namespace

StarterInstallResult installStarterThemes(const QString &resourceThemesDir, const QString &themesFolder)
{
    StarterInstallResult result;
    if (!listThemeNames(themesFolder).isEmpty())
        return result; // the parent's themes are never touched
    const QDir source(resourceThemesDir);
    if (!source.exists())
        return result;
    if (!QDir().mkpath(themesFolder)) {
        result.ok = false;
        return result;
    }
    const QStringList known = {QStringLiteral("*.kld"), QStringLiteral("*.bmp"), QStringLiteral("*.kvu"),
                               QStringLiteral("*.kou"), QStringLiteral("*.kpu"), QStringLiteral("*.llt")};
    QStringList files = source.entryList(known, QDir::Files | QDir::CaseSensitive, QDir::Name);
    // The link lists go last: an interrupted install leaves no theme behind, so
    // the next start tries again and finds the copied link files in place.
    std::stable_partition(files.begin(), files.end(),
                          [](const QString &f) { return !f.endsWith(kLinkListExt); });
    for (const QString &f : files)
        copyStarterFile(source, themesFolder, f, result);
    return result;
}

StarterInstallResult installStarterThemes(const QString &resourceThemesDir, const QString &themesFolder,
                                          const QStringList &names)
{
    StarterInstallResult result;
    const QDir source(resourceThemesDir);
    for (const QString &name : names) {
        if (!isSafeFileStem(name) || ThemeExists(themesFolder, name)
            || !QFileInfo(filePath(resourceThemesDir, name, kLinkListExt)).isFile())
            continue;
        const std::optional<QStringList> ids = readLines(filePath(resourceThemesDir, name, kLinkListExt));
        if (!ids || !QDir().mkpath(themesFolder)) {
            result.ok = false;
            continue;
        }
        for (const QString &id : *ids) {
            if (!isSafeFileStem(id))
                continue;
            copyStarterFile(source, themesFolder, id + kLinkPropsExt, result);
            copyStarterFile(source, themesFolder, id + kPictureExt, result);
        }
        for (const QLatin1StringView ext : {kWhitelistExt, kBlacklistExt, kPopupListExt})
            copyStarterFile(source, themesFolder, name + ext, result);
        // Last, as above: the theme exists only once its files are in place.
        copyStarterFile(source, themesFolder, name + kLinkListExt, result);
    }
    return result;
}

} // namespace tovalin
