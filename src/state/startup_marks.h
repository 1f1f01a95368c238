#pragma once
// Marks of the start-up in the log: the time since the program began of each step up to the
// start page painted (category `tovalin.startup`, debug level, off unless asked for).

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcStartup)

namespace tovalin::startup {

/// Logs "startup: <what> at <ms> ms"; the first mark starts the clock (main does it first).
void mark(const char *what);

/// Whether the marks are asked for (QT_LOGGING_RULES="tovalin.startup.debug=true").
bool marksWanted();

} // namespace tovalin::startup
