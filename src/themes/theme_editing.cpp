#include "themes/theme_editing.h"

#include "state/program_state.h"
#include "themes/link_editing.h"
#include "themes/theme_files.h"
#include "themes/theme_model.h"
#include "themes/themes_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tovalin {

using namespace themefiles;

namespace {

void compactIfWhitelist(SiteLists &lists, SiteList which)
{
    if (which == SiteList::White)
        lists.CompactWhitelist();
}

} // namespace

ListAddResult addListEntry(SiteLists &lists, SiteList which, const QString &field)
{
    ListAddResult result;
    result.field = field;
    if (field.trimmed().isEmpty())
        return result;
    if (!webaddress::beginsWithScheme(field)) {
        result.outcome = ListAddResult::Outcome::Prefixed;
        result.field = webaddress::withHttp(field);
        return result;
    }
    lists.list(which).add(field);
    compactIfWhitelist(lists, which);
    lists.SaveSiteLists();
    result.outcome = ListAddResult::Outcome::Added;
    return result;
}

bool changeListEntry(SiteLists &lists, SiteList which, int row, const QString &field)
{
    if (field.trimmed().isEmpty() || !webaddress::beginsWithScheme(field))
        return false;
    SortedList &list = lists.list(which);
    if (row >= 0 && row < list.size()) {
        list.removeAt(row);
        list.add(field);
    }
    compactIfWhitelist(lists, which);
    lists.SaveSiteLists();
    return true;
}

void deleteListEntry(SiteLists &lists, SiteList which, int row)
{
    SortedList &list = lists.list(which);
    if (row >= 0 && row < list.size())
        list.removeAt(row);
    lists.SaveSiteLists();
}

bool copyThemeFiles(const QString &themesFolder, const QString &from, const QString &to)
{
    if (!isSafeFileStem(from) || !isSafeFileStem(to))
        return false;
    bool ok = true;
    for (const QLatin1StringView ext : {kLinkListExt, kPopupListExt, kBlacklistExt, kWhitelistExt}) {
        const QString source = filePath(themesFolder, from, ext);
        if (!QFileInfo(source).isFile())
            continue;
        const ReadResult bytes = readFileBytes(source);
        if (!bytes.ok() || !writeFileAtomic(filePath(themesFolder, to, ext), bytes.bytes).ok) {
            qCDebug(lcThemes) << "save as: cannot copy" << source;
            ok = false;
        }
    }
    return ok;
}

QString noThemeName()
{
    // A name, not a text: it is what ActiveTheme holds when no theme is left.
    return QStringLiteral("Geen thema aanwezig");
}

bool deleteActiveTheme(ThemeModel &model, SiteLists &lists, ProgramState &state)
{
    const QString folder = state.themesFolder();
    const QString theme = state.activeTheme();
    if (!isSafeFileStem(theme) || !QFileInfo(filePath(folder, theme, kLinkListExt)).isFile())
        return false;
    DeleteThemeFiles(folder, theme);
    const QStringList left = listThemeNames(folder);
    state.setActiveTheme(left.isEmpty() ? noThemeName() : left.first());
    model.LoadTheme(state.activeTheme(), Scroll::ToTop);
    lists.LoadSiteLists();
    model.setSelectedLink(1);
    return true;
}

QStringList mergeTheme(const QString &themesFolder, const QString &activeTheme, const QString &pickedTheme)
{
    QStringList failed;
    if (!isSafeFileStem(activeTheme) || !isSafeFileStem(pickedTheme))
        return failed;
    for (const QLatin1StringView ext : {kLinkListExt, kBlacklistExt, kWhitelistExt, kPopupListExt}) {
        const QString target = filePath(themesFolder, activeTheme, ext);
        const auto mine = readLines(target);
        const auto theirs = readLines(filePath(themesFolder, pickedTheme, ext));
        if (!mine || !theirs)
            continue;
        if (!writeLines(target, *mine + *theirs).ok)
            failed.append(QString(ext));
    }
    return failed;
}

QString emailSubject(const QString &theme)
{
    return QCoreApplication::translate("ThemeEditing", "Tovalin theme: ") + theme;
}

QString emailBody(const QString &vendorHost)
{
    const QString rule(74, u'_');
    return QStringLiteral("\n\n") + rule + u'\n'
        + QCoreApplication::translate("ThemeEditing",
                                      "This is a Tovalin theme: picture links and websites that a child can "
                                      "visit safely. Open the file with Tovalin.")
        + u'\n'
        + QCoreApplication::translate("ThemeEditing", "You will find more themes and Tovalin itself at http://%1")
              .arg(vendorHost)
        + u'\n';
}

QStringList xdgEmailArguments(const QString &subject, const QString &body, const QString &attachment)
{
    return {QStringLiteral("--utf8"), QStringLiteral("--subject"), subject, QStringLiteral("--body"), body,
            QStringLiteral("--attach"), attachment};
}

} // namespace tovalin
