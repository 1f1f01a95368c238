#include "app/auto_restart.h"

#include "app/lock_log.h"
#include "state/program_state.h"
#include "users/start_user.h"

#include <QCoreApplication>

namespace tovalin {

AutoRestart::AutoRestart(RestartWatchdog &watchdog, const ProgramState &state, Program program)
    : m_watchdog(watchdog)
    , m_state(state)
    , m_program(std::move(program))
{
}

QString AutoRestart::notAvailableText()
{
    return QCoreApplication::translate("AutoRestart", "Automatic restart not available!");
}

WatchRequest AutoRestart::request() const
{
    WatchRequest r;
    r.windowClass = m_program.windowClass;
    r.caption = m_program.caption;
    r.executable = m_program.executable;
    r.pid = m_program.pid;
    r.workingDirectory = m_program.workingDirectory;
    // The user active now, which the user manager may have changed since the start.
    if (!m_state.activeUser().isEmpty())
        r.arguments = QStringList{encodeStartUserArgument(m_state.activeUser())};
    else
        r.arguments = m_program.arguments;
    return r;
}

QString AutoRestart::SetAutoRestart(bool on)
{
    if (!on) {
        m_watchdog.stop();
        return {};
    }
    switch (m_watchdog.watch(request())) {
    case RestartWatchdog::StartResult::Watching:
        return {};
    case RestartWatchdog::StartResult::ProgramMissing:
        return notAvailableText();
    case RestartWatchdog::StartResult::StartFailed:
        qCInfo(lcLock) << "the restart watchdog would not start";
        return notAvailableText();
    }
    return {};
}

void AutoRestart::programEnding()
{
    m_watchdog.stop();
}

} // namespace tovalin
