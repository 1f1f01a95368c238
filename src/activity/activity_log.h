#pragma once
// The activity's log category: debug output is off unless
// QT_LOGGING_RULES="tovalin.activity.debug=true" (or "tovalin.*=true").

#include <QLoggingCategory>

namespace tovalin {
Q_DECLARE_LOGGING_CATEGORY(lcActivity)
}
