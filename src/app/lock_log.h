#pragma once
// The desktop lock's log category "tovalin.lock": what the lock could not
// take and where it is unavailable are logged at info level (shown by
// default); every guard tick at debug level (off unless
// QT_LOGGING_RULES="tovalin.lock.debug=true").

#include <QLoggingCategory>

namespace tovalin {
Q_DECLARE_LOGGING_CATEGORY(lcLock)
}
