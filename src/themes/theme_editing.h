#pragma once
// What the active theme editor does: edit the three site lists (the same lists
// the guard reads), save the theme under another name, delete it, merge
// another theme into it, and prepare the e-mail that carries it.

#include "core/text_file.h"
#include "guard/site_lists.h"

#include <QString>
#include <QStringList>

namespace tovalin {

class ProgramState;
class ThemeModel;

// --- List pages -------------------------------------------------------------

/// "Add" on a list page.
struct ListAddResult {
    enum class Outcome {
        Nothing,  ///< blank field
        Prefixed, ///< no "http://" or "https://" in front: it was put there, nothing added
        Added,
    };
    Outcome outcome = Outcome::Nothing;
    QString field; ///< what the entry field is to hold now
};

/// Adds the field's text to the list at its sorted place (the whitelist is then compacted) and
/// saves the lists; a text that is not a web address gets "http://" in front instead and waits
/// for a second press.
ListAddResult addListEntry(SiteLists &lists, SiteList which, const QString &field);

/// "Change": replaces the entry at `row` (none when row < 0) by the field's text, compacts the
/// whitelist and saves. Nothing happens (false) for a blank field or one that is not a web address.
bool changeListEntry(SiteLists &lists, SiteList which, int row, const QString &field);

/// "Delete": removes the entry at `row` (if any) and saves.
void deleteListEntry(SiteLists &lists, SiteList which, int row);

/// Long entries show whole as a tooltip: a list entry from this width (in the list's font) on,
/// an entry field's text from `kFieldTooltipWidth` (in the dialog's font).
inline constexpr int kListTooltipWidth = 295;
inline constexpr int kFieldTooltipWidth = 288;

// --- Save as, Delete, Add theme --------------------------------------------------

/// Save as, step 4: copies from.llt, .kpu, .kou, .kvu to `to` in the themes folder, each on its
/// own (a missing source skips that file). Returns false when a copy failed.
bool copyThemeFiles(const QString &themesFolder, const QString &from, const QString &to);

/// The theme that becomes active when the active one is deleted and none is left.
QString noThemeName();

/// "Delete": deletes the active theme's .llt and lists (link files stay); the first theme left
/// becomes active with link 1 selected, or noThemeName() when none is left; theme and lists are
/// loaded. False (nothing done) when the active theme has no .llt.
bool deleteActiveTheme(ThemeModel &model, SiteLists &lists, ProgramState &state);

/// "Add theme": for .llt, .kou, .kvu, .kpu in that order, the picked theme's lines are appended to
/// the active theme's file; a file missing on either side is skipped. Nothing is de-duplicated.
/// Returns the extensions whose file could not be written.
QStringList mergeTheme(const QString &themesFolder, const QString &activeTheme, const QString &pickedTheme);

// --- E-mail ---------------------------------------------------------------

/// "Tovalin theme: " + theme, in the interface language.
QString emailSubject(const QString &theme);
/// Two empty lines, 74 underscores, and two lines on what a theme is and where to find more.
QString emailBody(const QString &vendorHost);
/// The arguments of `xdg-email` for a message with the archive attached and no recipient.
QStringList xdgEmailArguments(const QString &subject, const QString &body, const QString &attachment);

} // namespace tovalin
