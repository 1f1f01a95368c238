#pragma once
// SIGTERM, SIGINT and SIGHUP end the program as an orderly end ends it: the event
// loop returns, so what is still in memory (the minute being surfed) is written
// before the process goes. The restart watchdog is not stopped: to it the
// program was killed, and it brings it back as it would before.

class QCoreApplication;

namespace tovalin {

/// Makes the three signals quit the application's event loop. Call once, after the application exists.
void quitOnTerminationSignals(QCoreApplication &app);

} // namespace tovalin
