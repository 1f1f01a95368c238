#pragma once
// Theme archives (.tvz): a ZIP file that carries one theme from machine to machine.
//
// For a theme N the archive holds, in this order and under bare file names (no folders):
// each link of N.llt in line order as ID.bmp then ID.kld (where they exist), then N.llt, then
// N.kou, N.kvu, N.kpu (where they exist). Entries are deflated at level 9, except kinds that are
// already compressed (GIF, PNG, JPEG, ZIP, GZ, ...), which are stored. The theme's name travels
// only as the archive's own file name: an importer takes it from there ("Animals.tvz" holds
// "Animals.llt").
//
// Archives come from strangers. Reading takes only entries with a bare name of a theme kind
// (.bmp, .kld, .llt, .kou, .kvu, .kpu); anything with a folder part, "..", an absolute path,
// a link or another kind is skipped and never written. An entry above kMaxArchiveEntryBytes or
// an archive above kMaxArchiveTotalBytes (uncompressed) is refused as a whole.

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <atomic>

namespace tovalin {

enum class ArchiveFailure { None, CannotRead, CannotWrite, NotAnArchive, TooLarge, UnsafeEntry, Cancelled };

struct ArchiveResult {
    ArchiveFailure failure = ArchiveFailure::None;
    QString message; ///< English detail for logs and the admin command; empty when ok
    bool ok() const { return failure == ArchiveFailure::None; }
};

inline constexpr QLatin1StringView kThemeArchiveExt(".tvz");
/// The largest single entry an archive may hold, uncompressed.
inline constexpr qint64 kMaxArchiveEntryBytes = 16 * 1024 * 1024;
/// The largest sum of all entries, uncompressed.
inline constexpr qint64 kMaxArchiveTotalBytes = 64 * 1024 * 1024;
/// The most entries an archive may hold (a full theme needs a few hundred).
inline constexpr qint64 kMaxArchiveEntries = 10000;

/// The file names (bare) an archive of theme `theme` holds, in archive order: what exists of
/// each listed link's .bmp and .kld, the .llt, then .kou, .kvu, .kpu. A link ID that names no
/// plain file of the folder, or that comes twice, adds nothing.
QStringList themeArchiveEntries(const QString &themesFolder, const QString &theme);

/// Writes theme `theme` of themesFolder (.llt, .kvu, .kou, .kpu, and each link's .kld and .bmp)
/// as a .tvz archive at archivePath (atomically). Fails with CannotRead when the theme has no
/// .llt or a listed file exists but cannot be read, TooLarge when a file exceeds
/// kMaxArchiveEntryBytes (no importer would take it), CannotWrite when the archive cannot be saved.
ArchiveResult writeThemeArchive(const QString &themesFolder, const QString &theme, const QString &archivePath);

/// True for file names whose kind is already compressed and is stored, not deflated.
bool isAlreadyCompressedKind(const QString &fileName);

/// True for a bare file name of one of the theme kinds, safe to write into the themes folder.
bool isThemeArchiveEntryName(const QString &name);

/// The theme name an archive file carries: its file name less the first ".tvz" (any letter case).
QString themeNameFromArchivePath(const QString &archivePath);

struct ArchiveExtraction {
    ArchiveResult result;
    QStringList written;  ///< the entry names written, in archive order
    QStringList skipped;  ///< entry names left out (unsafe name, a link, another kind)
};

/// Extracts the acceptable entries of an archive into targetFolder (which must exist), each
/// file written atomically. Checks every size limit before writing anything; a cancel flag
/// that turns true ends the work with Cancelled. On failure some files may already be in
/// targetFolder: extract into a fresh folder and move the result into place (see theme_import).
ArchiveExtraction extractThemeArchive(const QString &archivePath, const QString &targetFolder,
                                      const std::atomic<bool> *cancel = nullptr);

/// The entry names of an archive as stored (converted to UTF-8); empty when it cannot be opened.
QStringList archiveEntryNames(const QString &archivePath);

} // namespace tovalin
