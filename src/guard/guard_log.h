#pragma once
// The guard's log category: debug output is off unless
// QT_LOGGING_RULES="tovalin.guard.debug=true" (or "tovalin.*=true").

#include <QLoggingCategory>

namespace tovalin {
Q_DECLARE_LOGGING_CATEGORY(lcGuard)
}
