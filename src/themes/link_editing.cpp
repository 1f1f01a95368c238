#include "themes/link_editing.h"

#include "guard/site_lists.h"
#include "state/program_state.h"
#include "themes/link_panel_layout.h"
#include "themes/theme_model.h"
#include "themes/themes_log.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace tovalin {

using namespace themefiles;

namespace webaddress {

namespace {
const QLatin1StringView kHttp("http://");
const QLatin1StringView kHttps("https://");
} // namespace

bool beginsWithScheme(const QString &text)
{
    return text.startsWith(kHttp, Qt::CaseInsensitive) || text.startsWith(kHttps, Qt::CaseInsensitive);
}

bool containsScheme(const QString &text)
{
    return text.contains(kHttp, Qt::CaseInsensitive) || text.contains(kHttps, Qt::CaseInsensitive);
}

QString withHttp(const QString &text)
{
    return kHttp + text;
}

} // namespace webaddress

namespace {

// The texts of this file, under one translation context.
struct LinkEditingText {
    Q_DECLARE_TR_FUNCTIONS(LinkEditing)
};

bool slotsAreFull(const ThemeModel &model)
{
    return model.LinkCount() >= ThemeModel::kSlotCount;
}

/// The first free ID from `now` on: two links made within one second must not share files.
QString freeLinkId(const QString &themesFolder, const QDateTime &now)
{
    QDateTime moment = now;
    for (int tries = 0; tries < 3600; ++tries) {
        const QString id = makeLinkId(moment);
        if (!QFileInfo::exists(filePath(themesFolder, id, kLinkPropsExt))
            && !QFileInfo::exists(filePath(themesFolder, id, kPictureExt)))
            return id;
        moment = moment.addSecs(1);
    }
    return {};
}

} // namespace

WizardFieldCheck checkWizardField(const QString &field, const QString &browserAddress)
{
    WizardFieldCheck check;
    if (field.trimmed().isEmpty()) {
        check.outcome = WizardFieldCheck::Outcome::Empty;
        check.text = browserAddress;
        check.message = LinkEditingText::tr("     You did not complete all fields!     ");
        return check;
    }
    if (!webaddress::containsScheme(field)) {
        check.outcome = WizardFieldCheck::Outcome::Prefixed;
        check.text = webaddress::withHttp(field);
        check.message = LinkEditingText::tr("     The URL has been changed!      ");
        return check;
    }
    check.text = field;
    return check;
}

AddLinkResult AddLink(ThemeModel &model, SiteLists &lists, const ProgramState &state, const NewLink &link,
                      const QDateTime &now)
{
    AddLinkResult result;
    const QString theme = state.activeTheme();
    const QString folder = state.themesFolder();
    if (!isSafeFileStem(theme)) {
        result.message = LinkEditingText::tr("The theme \"%1\" cannot be saved: choose or make a theme first.").arg(theme);
        return result;
    }
    if (slotsAreFull(model)) {
        result.message = LinkEditingText::tr("This theme already holds %1 links; remove one before adding another.")
                             .arg(ThemeModel::kSlotCount);
        return result;
    }
    const QString listPath = filePath(folder, theme, kLinkListExt);
    QStringList ids;
    if (QFileInfo::exists(listPath)) {
        const auto lines = readLines(listPath);
        if (!lines) {
            // Starting from an empty list would overwrite the theme's links.
            result.message = LinkEditingText::tr("The link list of theme \"%1\" cannot be read; nothing was added.").arg(theme);
            return result;
        }
        ids = *lines;
    }

    const QString id = freeLinkId(folder, now);
    if (id.isEmpty() || !writeBmpFile(filePath(folder, id, kPictureExt), link.thumbnail)) {
        result.message = LinkEditingText::tr("The picture of the link cannot be saved in %1; nothing was added.").arg(folder);
        return result;
    }
    ids.append(id);
    if (const WriteResult w = writeLines(listPath, ids); !w.ok) {
        QFile::remove(filePath(folder, id, kPictureExt));
        result.message = LinkEditingText::tr("The link list of theme \"%1\" cannot be written: %2").arg(theme, w.error);
        return result;
    }

    ThemeLink props;
    props.ID = id;
    props.URL = link.url;
    props.Hint = link.hint;
    props.hoogte = link.panelSize.height();
    props.breedte = link.panelSize.width();
    if (!writeNewLinkProperties(folder, props).ok)
        qCDebug(lcThemes) << "cannot write the properties of link" << id;

    lists.whitelist().add(link.whitelistEntry);
    lists.CompactWhitelist();
    lists.SaveSiteLists();
    model.LoadTheme(theme, Scroll::Keep);
    result.ok = true;
    result.id = id;
    return result;
}

SaveLinkResult SaveLinkEdit(ThemeModel &model, SiteLists &lists, const ProgramState &state, const QString &url,
                            const QString &hint, QSize panelSize)
{
    SaveLinkResult result;
    result.text = url;
    const int selected = model.SelectedLink();
    if (url.trimmed().isEmpty() || selected < 1)
        return result;
    if (!webaddress::beginsWithScheme(url)) {
        result.outcome = SaveLinkResult::Outcome::Prefixed;
        result.text = webaddress::withHttp(url);
        return result;
    }
    lists.whitelist().add(url);
    lists.CompactWhitelist();
    lists.SaveSiteLists();

    const QString theme = state.activeTheme();
    if (isSafeFileStem(theme) && QFileInfo::exists(filePath(state.themesFolder(), theme, kLinkListExt))) {
        ThemeLink props = model.slot(selected).link;
        props.URL = url;
        props.Hint = hint;
        props.Beschrijving.clear();
        props.hoogte = panelSize.height();
        props.breedte = panelSize.width();
        if (!updateLinkProperties(state.themesFolder(), props).ok)
            qCDebug(lcThemes) << "cannot write the properties of link" << props.ID;
    }
    model.LoadTheme(theme, Scroll::Keep);
    lists.LoadSiteLists();
    result.outcome = SaveLinkResult::Outcome::Saved;
    return result;
}

bool RemoveSelectedLink(ThemeModel &model, const ProgramState &state)
{
    const int selected = model.SelectedLink();
    if (selected < 1 || model.slot(selected).isEmpty())
        return false;
    return model.removeLink(state.activeTheme(), selected);
}

bool MoveSelectedLinkUp(ThemeModel &model, const ProgramState &state, int panelHeight)
{
    const int selected = model.SelectedLink();
    if (selected < 1)
        return false;
    if (selected > 1 && model.exchangeLinks(state.activeTheme(), selected - 1, selected))
        model.setSelectedLink(selected - 1);
    const int now = model.SelectedLink();
    if (linkpanel::pictureRect(now, model.scrollOffset()).top() < linkpanel::kPictureInset)
        model.scrollTo(linkpanel::scrollUp(model.scrollOffset(), panelHeight));
    return true;
}

bool MoveSelectedLinkDown(ThemeModel &model, const ProgramState &state, int panelHeight)
{
    const int selected = model.SelectedLink();
    if (selected < 1)
        return false;
    if (selected < model.LinkCount() && model.exchangeLinks(state.activeTheme(), selected, selected + 1))
        model.setSelectedLink(selected + 1);
    const int now = model.SelectedLink();
    // A frame that starts exactly at the column's bottom edge is out of sight too.
    if (linkpanel::frameRect(now, model.scrollOffset()).top() >= panelHeight)
        model.scrollTo(model.scrollOffset() + linkpanel::pageHeight(panelHeight));
    return true;
}

} // namespace tovalin
