#include "state/startup_marks.h"

#include <QElapsedTimer>

Q_LOGGING_CATEGORY(lcStartup, "tovalin.startup", QtInfoMsg)

namespace tovalin::startup {

void mark(const char *what)
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    if (lcStartup().isDebugEnabled())
        qCDebug(lcStartup, "startup: %s at %.1f ms", what, double(clock.nsecsElapsed()) / 1e6);
}

bool marksWanted()
{
    return lcStartup().isDebugEnabled();
}

} // namespace tovalin::startup
