#pragma once
// Where the program's files lie and what start-up does before any window shows.

#include "state/program_state.h"

#include <QLockFile>
#include <QStringList>
#include <memory>

namespace tovalin {

/// The program folder (with a trailing "/"): $TOVALIN_PROGRAM_DIR, else the executable's folder.
QString resolveProgramFolder();

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
