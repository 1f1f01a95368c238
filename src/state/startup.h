#pragma once
// Where the program's files lie and what start-up does before any window shows.

#include "state/program_state.h"

#include <QLockFile>
#include <QStringList>
#include <memory>

namespace tovalin {

/// The program folder (with a trailing "/"): $TOVALIN_PROGRAM_DIR, else programFolderFor()
/// the executable's folder.
QString resolveProgramFolder();

/// The program folder of an executable in executableFolder (with a trailing "/"): the
/// executable's own folder when it holds "resources" (run from the build folder), else
/// executableFolder/../share/tovalin when that holds "resources" (installed: bin/ and
/// share/tovalin/ under one prefix), else the executable's folder.
QString programFolderFor(const QString &executableFolder);

/// A helper program of Tovalin's (the restart watchdog): beside the running executable
/// when it is there (installed, both lie in bin/), else in the program folder.
QString helperProgramPath(const QString &programFolder, const QString &name);

/// Set to "1" by tovalin-session for Tovalin: it runs alone on the screen, in a session of its own.
inline constexpr char kSessionVariable[] = "TOVALIN_SESSION";
/// True in a process that tovalin-session started. There every window of another program would
/// take the whole screen over Tovalin's: nothing is handed to the desktop's programs.
bool inTovalinSession();

/// The data folder: $TOVALIN_DATA_DIR, else $XDG_DATA_HOME/tovalin2, else ~/.local/share/tovalin2.
QString resolveDataFolder();

struct FolderSetup {
    QStringList failed; ///< folders that are missing and could not be created
    bool ok() const { return failed.isEmpty(); }
};

/// Creates the users, downloads, themes and video folders (in that order) when missing.
FolderSetup createDataFolders(const ProgramState &state);

/// Reads the first-run marker and writes it when missing; returns FirstRun.
bool checkFirstRun(const ProgramState &state);

/// Marks a data folder as in use by this Tovalin for as long as the object lives (a lock
/// file in the runtime folder named after the folder's path), so that a start can tell
/// whether another Tovalin, under any executable name, works in the same folder.
class DataFolderUse {
public:
    explicit DataFolderUse(const QString &dataFolder);
    /// Whether no other Tovalin used the folder when this one took it.
    bool isOnly() const { return m_only; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_only = false;
};

/// Whether a name in the data folder is one that a save, a transfer or an import of
/// Tovalin's uses while it writes: a file "NAME.EXT.abc123" (the final name of a file
/// Tovalin writes, a dot and six letters or digits), or an import's staging folder.
bool isStaleTemporaryName(const QString &folder, const QString &name, bool isFolder);

/// Removes what saves, transfers and imports that were killed half-way left in the data
/// folder and its sub-folders (see isStaleTemporaryName); nothing else is touched. Call it
/// only while isOnly() holds, so no running save loses its file. Returns what it removed.
QStringList removeStaleTemporaryFiles(const QString &dataFolder);

/// Holds the single-instance lock for the executable's name. A second start under
/// the same name ends at once; a copy under another name is a separate instance.
class SingleInstance {
public:
    /// Tries to take the lock named after the upper-cased executable name.
    explicit SingleInstance(const QString &executableName);
    bool isFirst() const { return m_first; }
    QString lockPath() const;

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};

} // namespace tovalin
