#pragma once
// The themes' log category: debug output is off unless
// QT_LOGGING_RULES="tovalin.themes.debug=true" (or "tovalin.*=true").

#include <QLoggingCategory>

namespace tovalin {
Q_DECLARE_LOGGING_CATEGORY(lcThemes)
}
