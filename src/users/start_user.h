#pragma once
// The start-user file and the start user named on the command line.
//
// start.tvr is a plain text file whose line 1 names the user activated at
// start-up; the other lines are kept whenever line 1 is rewritten. Desktop
// launchers pass a user name as parameter 1 with every blank written "#&#$#".

#include "core/text_file.h"

#include <QString>
#include <QStringList>

namespace tovalin {

/// Line 1 of the start-user file, or empty when the file is missing, unreadable or has no lines.
QString readStartUser(const QString &path);

enum class StartUserWrite {
    ReplaceOnly,     ///< line 1 is replaced; a missing or empty file is a failure
    ReplaceOrAppend, ///< as ReplaceOnly, but a missing or empty file gets the name as its one line
};

/// Makes name line 1 of the start-user file, keeping the other lines; written atomically.
/// On failure nothing changes and error holds "You don't have administator rights. Use another account!"
/// for the caller to show.
WriteResult setStartUser(const QString &path, const QString &name, StartUserWrite mode);

/// The user to start: parameter 1 (args as QCoreApplication::arguments(), args[0] the program)
/// with every "#&#$#" replaced by a blank; without parameters line 1 of the start-user file.
QString startUserFromArguments(const QStringList &args, const QString &startTvrPath);

/// A user name as a launcher passes it: every blank written as "#&#$#".
QString encodeStartUserArgument(const QString &name);

} // namespace tovalin
