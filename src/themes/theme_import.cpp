#include "themes/theme_import.h"

#include "core/text_file.h"
#include "themes/bmp_codec.h"
#include "themes/theme_files.h"
#include "themes/themes_log.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace tovalin {

namespace {
// The texts of this file, under one translation context.
struct ThemeImportText {
    Q_DECLARE_TR_FUNCTIONS(ThemeImport)
};
} // namespace

namespace {

using namespace themefiles;

const QLatin1StringView kThemeOwnKinds[] = {kLinkListExt, kBlacklistExt, kWhitelistExt, kPopupListExt};

ThemeImportResult failed(ArchiveFailure failure, const QString &message)
{
    qCDebug(lcThemes) << "import:" << message;
    ThemeImportResult out;
    out.result = {failure, message};
    return out;
}

/// The theme-file kind of a name (".llt", ".kou", ...), or an empty view for link files.
QLatin1StringView themeOwnKind(const QString &name)
{
    for (const auto kind : kThemeOwnKinds) {
        if (name.endsWith(kind, Qt::CaseInsensitive))
            return kind;
    }
    return {};
}

struct Move {
    QString from;  ///< in the staging folder
    QString name;  ///< file name in the themes folder
};

/// Moves the staged files into the themes folder; on any failure undoes every move made, so the
/// folder is as it was. Replaced files wait in `backupFolder` until all moves succeeded.
ArchiveResult placeAll(const QList<Move> &moves, const QString &themesFolder, const QString &backupFolder)
{
    struct Done {
        QString target;
        QString backup; ///< empty when nothing was replaced
    };
    QList<Done> done;
    auto rollBack = [&] {
        for (qsizetype i = done.size() - 1; i >= 0; --i) {
            QFile::remove(done[i].target);
            if (!done[i].backup.isEmpty())
                QFile::rename(done[i].backup, done[i].target);
        }
    };
    int counter = 0;
    for (const Move &move : moves) {
        const QString target = themesFolder + u'/' + move.name;
        Done step{target, {}};
        if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
            step.backup = backupFolder + u'/' + QString::number(++counter);
            if (!QFile::rename(target, step.backup)) {
                rollBack();
                return {ArchiveFailure::CannotWrite, ThemeImportText::tr("Cannot replace %1").arg(move.name)};
            }
        }
        if (!QFile::rename(move.from, target)) {
            if (!step.backup.isEmpty())
                QFile::rename(step.backup, target);
            rollBack();
            return {ArchiveFailure::CannotWrite, ThemeImportText::tr("Cannot write %1").arg(move.name)};
        }
        done << step;
    }
    return {};
}

} // namespace

ThemeImportResult importThemeArchive(const QString &archivePath, const QString &archiveTheme,
                                     const QString &targetName, const QString &themesFolder,
                                     const std::atomic<bool> *cancel)
{
    if (!isValidThemeName(targetName))
        return failed(ArchiveFailure::UnsafeEntry, ThemeImportText::tr("Not a valid theme name: %1").arg(targetName));
    if (!QFileInfo(themesFolder).isDir())
        return failed(ArchiveFailure::CannotWrite, ThemeImportText::tr("No themes folder at %1").arg(themesFolder));

    QTemporaryDir staging(themesFolder + QStringLiteral("/.tovalin-import-XXXXXX"));
    if (!staging.isValid())
        return failed(ArchiveFailure::CannotWrite, ThemeImportText::tr("Cannot make a staging folder: %1").arg(staging.errorString()));
    const QString extracted = staging.filePath(QStringLiteral("files"));
    const QString backups = staging.filePath(QStringLiteral("replaced"));
    if (!QDir().mkpath(extracted) || !QDir().mkpath(backups))
        return failed(ArchiveFailure::CannotWrite, ThemeImportText::tr("Cannot make a staging folder"));

    const ArchiveExtraction extraction = extractThemeArchive(archivePath, extracted, cancel);
    if (!extraction.result.ok()) {
        ThemeImportResult out;
        out.result = extraction.result;
        return out;
    }

    // The archive's own theme files, found whatever the letter case of their names.
    auto stagedThemeFile = [&](QLatin1StringView kind) -> QString {
        const QString exact = archiveTheme + kind;
        if (extraction.written.contains(exact))
            return exact;
        for (const QString &name : extraction.written) {
            if (name.size() == exact.size() && name.toUpper() == exact.toUpper())
                return name;
        }
        return {};
    };

    ThemeImportResult out;
    out.theme = targetName;
    out.linkListFound = !stagedThemeFile(kLinkListExt).isEmpty();
    QList<Move> moves;
    auto stage = [&](const QString &stagedName, const QString &targetFileName) {
        if (out.placed.contains(targetFileName))
            return; // two entries for one file: the first one counts
        moves << Move{extracted + u'/' + stagedName, targetFileName};
        out.placed << targetFileName;
    };

    if (targetName == archiveTheme || targetName.toUpper() == archiveTheme.toUpper()) {
        for (const QString &name : extraction.written) {
            const QLatin1StringView kind = themeOwnKind(name);
            if (kind.isEmpty()) {
                stage(name, name);
            } else if (name.size() == archiveTheme.size() + kind.size()
                       && name.left(archiveTheme.size()).toUpper() == archiveTheme.toUpper()) {
                stage(name, targetName + kind);
            } else {
                qCDebug(lcThemes) << "import: left out another theme's file" << name;
            }
        }
    } else {
        // Under a new name: the archive's list and site lists become the new theme's; each listed
        // link comes along under its own ID.
        const QString list = stagedThemeFile(kLinkListExt);
        if (!list.isEmpty()) {
            const auto ids = readLines(extracted + u'/' + list);
            if (ids) {
                for (const QString &id : *ids) {
                    if (!isSafeFileStem(id))
                        continue;
                    const QString picture = id + kPictureExt;
                    if (extraction.written.contains(picture) && !out.placed.contains(picture)
                        && decodeBmp(readFileBytes(extracted + u'/' + picture).bytes).ok())
                        stage(picture, picture);
                    const QString props = id + kLinkPropsExt;
                    if (extraction.written.contains(props) && !out.placed.contains(props))
                        stage(props, props);
                }
            }
            stage(list, targetName + kLinkListExt);
        }
        for (const auto kind : {kBlacklistExt, kWhitelistExt, kPopupListExt}) {
            const QString staged = stagedThemeFile(kind);
            if (!staged.isEmpty())
                stage(staged, targetName + kind);
        }
    }

    if (cancel && cancel->load()) {
        ThemeImportResult cancelled;
        cancelled.result = {ArchiveFailure::Cancelled, QStringLiteral("Cancelled")};
        return cancelled;
    }
    const ArchiveResult placed = placeAll(moves, themesFolder, backups);
    if (!placed.ok()) {
        ThemeImportResult failedPlace;
        failedPlace.result = placed;
        return failedPlace;
    }
    qCDebug(lcThemes) << "import:" << archivePath << "as" << targetName << "placed" << out.placed.size() << "files";
    return out;
}

} // namespace tovalin
