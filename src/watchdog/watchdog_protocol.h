#pragma once
// How Tovalin and its restart watchdog talk: the watchdog's command line, and
// one JSON object per line over a local socket in the runtime folder
// ({"command":"watch",...} or {"command":"stop"}, each answered {"ok":true}).

#include "platform/restart_watchdog.h"

#include <QByteArray>
#include <optional>

namespace tovalin::watchdog {

/// The runtime folder ($XDG_RUNTIME_DIR, else the temporary folder): one watchdog per user session.
QString runtimeFolder();
/// The watchdog's local socket.
QString socketPath();
/// The lock file that keeps the watchdog single in the session.
QString lockPath();

/// The watchdog program's name beside the executable.
inline constexpr char kProgramName[] = "tovalin-watchdog";

/// The command line: CLASS CAPTION EXECUTABLE PID [ARGUMENT...]; the working directory is the
/// watchdog's own.
QStringList toCommandLine(const WatchRequest &request);
/// Reads a command line (without the program); nullopt when it is incomplete or the id is not a
/// process id.
std::optional<WatchRequest> fromCommandLine(const QStringList &arguments, const QString &workingDirectory);

struct Message {
    enum class Kind { Watch, Stop };
    Kind kind = Kind::Stop;
    WatchRequest watch; ///< for Watch
};

QByteArray encodeWatch(const WatchRequest &request);
QByteArray encodeStop();
QByteArray encodeOk();
/// One line as received; nullopt for anything that is not a complete, valid message.
std::optional<Message> decode(const QByteArray &line);

} // namespace tovalin::watchdog
