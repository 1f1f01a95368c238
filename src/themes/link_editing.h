#pragma once
// What the parents do to the active theme's links: the add-link wizard's
// address checks and its "Add", and the link editor's "Save", "Remove", "Up"
// and "Down". The windows collect the fields and show the outcome; the files,
// the slots and the site lists change here.

#include "themes/bmp_codec.h"
#include "themes/theme_files.h"

#include <QDateTime>
#include <QSize>
#include <QString>

namespace tovalin {

class ProgramState;
class SiteLists;
class ThemeModel;

namespace webaddress {

/// True when the text begins with "http://" or "https://" (any letter case).
bool beginsWithScheme(const QString &text);
/// True when "http://" or "https://" occurs anywhere in the text (any letter case).
bool containsScheme(const QString &text);
/// "http://" + text.
QString withHttp(const QString &text);

} // namespace webaddress

/// The wizard's check of an address field (step 3 "Continue >" and step 5 "Add").
struct WizardFieldCheck {
    enum class Outcome {
        Ok,       ///< the field holds a web address: go on
        Empty,    ///< blank: the field takes the browser's address; "You did not complete all fields!"
        Prefixed, ///< no scheme: "http://" put in front; "The URL has been changed!"
    };
    Outcome outcome = Outcome::Ok;
    QString text;    ///< what the field is to hold now
    QString message; ///< what to show; empty for Ok
};

/// Checks a wizard field: a blank field takes browserAddress, a field without "http://" or
/// "https://" anywhere gets "http://" in front; a web address passes as it stands.
WizardFieldCheck checkWizardField(const QString &field, const QString &browserAddress);

/// What "Add" needs of the wizard's pages.
struct NewLink {
    QString url;            ///< `URLedit`: opened by a click on the picture
    QString hint;           ///< `HintEdit`
    QString whitelistEntry; ///< `kindvriendelijkedit`: admitted by the guard
    Bitmap thumbnail;       ///< the 70 × 70 picture of the previews
    QSize panelSize{-1, -1}; ///< breedte × hoogte: −1 for a side equal to the browser page's
};

struct AddLinkResult {
    bool ok = false;
    QString id;      ///< the new link's ID when ok
    QString message; ///< why it failed, for the parent
};

/// "Add": writes ID.bmp, appends ID to the active theme's .llt, writes ID.kld, puts the whitelist
/// entry on the whitelist, compacts and saves the lists and reloads the theme without scrolling,
/// so the link shows in the next free slot. ID is `now` as "yyyymmddhhmmss", a second later while
/// that ID already has files. Nothing is written when the theme name is unusable, the theme holds
/// as many links as the column has slots, or the thumbnail or the .llt cannot be written (an
/// unwritable .kld is logged and the link stays as far as it got).
AddLinkResult AddLink(ThemeModel &model, SiteLists &lists, const ProgramState &state, const NewLink &link,
                      const QDateTime &now);

/// The link editor's "Save".
struct SaveLinkResult {
    enum class Outcome {
        Nothing,  ///< blank address or no link selected
        Prefixed, ///< no scheme: "http://" put in front, nothing saved (Save must be pressed again)
        Saved,
    };
    Outcome outcome = Outcome::Nothing;
    QString text; ///< what `bewerkedit` is to hold now
};

/// "Save": the address goes on the whitelist (compacted and saved); the selected link's .kld gets
/// the address, hint, empty description and panel size (its ID stays); the theme and the lists
/// are loaded again without scrolling.
SaveLinkResult SaveLinkEdit(ThemeModel &model, SiteLists &lists, const ProgramState &state, const QString &url,
                            const QString &hint, QSize panelSize);

/// "Remove": the selected link leaves the active theme (see ThemeModel::removeLink).
bool RemoveSelectedLink(ThemeModel &model, const ProgramState &state);

/// "Up": the selected link trades places with the one above it (nothing when it is first), the
/// selection follows it, and the strip scrolls a page back when the selected picture is above the
/// column's top. panelHeight is the link column's (`Panel6`) height. False without a selection.
bool MoveSelectedLinkUp(ThemeModel &model, const ProgramState &state, int panelHeight);

/// "Down": likewise with the link below; the strip scrolls a page on when the selected frame
/// starts at or below the column's bottom edge.
bool MoveSelectedLinkDown(ThemeModel &model, const ProgramState &state, int panelHeight);

} // namespace tovalin
