#pragma once
// Importing a theme archive into the themes folder, all or nothing.
//
// The archive is extracted into a fresh staging folder first (a hidden folder inside the themes
// folder, so every later move is a rename on one disk). Only when that succeeded are the files
// moved into place; files they replace are kept aside and put back should a move fail. A failed,
// refused or cancelled import therefore leaves the themes folder exactly as it was.
//
// Under the archive's own name N every acceptable entry is placed, except theme files (.llt and
// the site lists) of another theme: an archive never replaces a theme it is not named after.
// Under a new name M, N.llt and N's site lists become M's, and each link the list names brings
// its ID.kld and (when it is a readable bitmap) its ID.bmp under its own ID, so both themes then
// share those link files.

#include "themes/theme_archive.h"
#include "themes/theme_names.h"

#include <QString>
#include <QStringList>
#include <atomic>

namespace tovalin {

struct ThemeImportResult {
    ArchiveResult result;
    QString theme;           ///< the name the theme was imported under
    bool linkListFound = false; ///< the archive held the theme's .llt (else only link files came)
    QStringList placed;      ///< file names written into the themes folder
};

/// Imports archivePath into themesFolder. `archiveTheme` is the name the archive carries
/// (themeNameFromArchivePath), `targetName` the name to import under (N itself or a new name).
/// Refuses a target name that would leave the themes folder.
ThemeImportResult importThemeArchive(const QString &archivePath, const QString &archiveTheme,
                                     const QString &targetName, const QString &themesFolder,
                                     const std::atomic<bool> *cancel = nullptr);

} // namespace tovalin
